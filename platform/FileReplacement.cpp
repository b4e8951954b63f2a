#include "platform/FileReplacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

#include "platform/FileHandle.h"

namespace platform {
namespace {

std::string Reason(int errorNumber) {
  return std::strerror(errorNumber);
}

bool WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Creates a file named after `path` with a random suffix, in the same folder, with the
// permissions open(…, mode) gives under the umask; `name` receives its name.
FileHandle CreateTemporaryBeside(const std::filesystem::path& path, std::string& name,
                                 mode_t mode) {
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x", static_cast<unsigned>(random()));
    std::string hidden(".");
    hidden += path.filename().string();
    hidden += suffix;
    name = (folder / hidden).string();
    FileHandle file(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
    if (file.valid() || errno != EEXIST) return file;
  }
  return FileHandle();
}

}  // namespace

bool ReplaceFile(const std::filesystem::path& path, std::span<const std::string_view> parts,
                 std::string& error, unsigned newFileMode) {
  if (path.empty() || !path.has_filename()) {
    error = "no file name";
    return false;
  }
  struct stat existing {};
  const bool exists = ::stat(path.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) {
    error = Reason(EISDIR);
    return false;
  }

  std::string temporaryName;
  FileHandle file = CreateTemporaryBeside(path, temporaryName, static_cast<mode_t>(newFileMode));
  if (!file.valid()) {
    error = Reason(errno);
    return false;
  }

  bool written = !exists || ::fchmod(file.get(), existing.st_mode & 07777) == 0;
  for (const std::string_view part : parts) {
    if (written) written = WriteAll(file.get(), part);
  }
  if (written) written = ::fsync(file.get()) == 0;
  const int writeError = errno;
  file.reset();
  if (!written || ::rename(temporaryName.c_str(), path.c_str()) != 0) {
    error = Reason(written ? errno : writeError);
    ::unlink(temporaryName.c_str());
    return false;
  }
  return true;
}

}  // namespace platform
