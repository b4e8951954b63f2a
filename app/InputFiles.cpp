#include "app/InputFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "app/ConsoleText.h"
#include "platform/FileHandle.h"

namespace app {

std::optional<std::string> ReadInputFile(const std::string& path, std::string& error) {
  platform::FileHandle opened;
  int descriptor = STDIN_FILENO;
  if (path != "-") {
    opened = platform::FileHandle(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!opened.valid()) {
      error = std::strerror(errno);
      return std::nullopt;
    }
    descriptor = opened.get();
  }
  std::string content;
  char buffer[65536];
  while (true) {
    const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      error = std::strerror(errno);
      return std::nullopt;
    }
    if (got == 0) return content;
    content.append(buffer, static_cast<std::size_t>(got));
  }
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
