#include "app/InputFiles.h"

#include <unistd.h>

#include "app/ConsoleText.h"
#include "platform/FileReading.h"

namespace app {

std::optional<std::string> ReadInputFile(const std::string& path, std::string& error) {
  if (path == "-") return platform::ReadAll(STDIN_FILENO, error);
  return platform::ReadFileContent(path, error);
}

std::vector<text::Text> AddressLines(std::string_view utf8) {
  const text::Text local = LocalFromUtf8(utf8);
  std::vector<text::Text> lines;
  text::TextView rest = local;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    text::TextView line = rest.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.emplace_back(line);
    if (end == text::TextView::npos) break;
    rest.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace app
