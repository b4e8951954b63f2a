#include "platform/FileReading.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/FileHandle.h"

namespace platform {

std::optional<std::string> ReadAll(int descriptor, std::string& error) {
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

std::optional<std::string> ReadFileContent(const std::filesystem::path& path, std::string& error) {
  const FileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file.valid()) {
    error = std::strerror(errno);
    return std::nullopt;
  }
  return ReadAll(file.get(), error);
}

}  // namespace platform
