#include "text/WholeFile.h"

#include <system_error>

namespace text {

bool FileExists(const std::filesystem::path& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::exists(path, error);
}

ByteBuffer ReadWholeFile(const std::filesystem::path& path) {
  ByteStream file = OpenFileStream(path, static_cast<int>(FileMode::kRead),
                                   static_cast<int>(FileSharing::kReadWrite));
  return StreamReadBytes(file, StreamLength(file));
}

}  // namespace text
