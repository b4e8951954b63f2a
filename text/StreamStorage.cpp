#include "text/StreamStorage.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace text {

std::size_t MemoryStorage::readAt(Index offset, unsigned char* into, std::size_t size) {
  if (offset < 0 || offset >= length()) return 0;
  const auto at = static_cast<std::size_t>(offset);
  const std::size_t count = std::min(size, m_bytes.size() - at);
  if (count > 0) std::memcpy(into, m_bytes.data() + at, count);
  return count;
}

bool MemoryStorage::writeAt(Index offset, const unsigned char* from, std::size_t size) {
  if (offset < 0 || offset > kMaxMemoryStreamBytes ||
      size > static_cast<std::size_t>(kMaxMemoryStreamBytes - offset)) {
    return false;
  }
  const auto at = static_cast<std::size_t>(offset);
  if (m_bytes.size() < at + size) m_bytes.resize(at + size);
  if (size > 0) std::memcpy(m_bytes.data() + at, from, size);
  return true;
}

Index FileStorage::length() {
  struct stat info {};
  if (::fstat(m_file.get(), &info) != 0) return -1;
  return static_cast<Index>(info.st_size);
}

std::size_t FileStorage::readAt(Index offset, unsigned char* into, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = ::pread(m_file.get(), into + done, size - done,
                                static_cast<off_t>(offset + static_cast<Index>(done)));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

bool FileStorage::writeAt(Index offset, const unsigned char* from, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t put = ::pwrite(m_file.get(), from + done, size - done,
                                 static_cast<off_t>(offset + static_cast<Index>(done)));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    done += static_cast<std::size_t>(put);
  }
  return true;
}

}  // namespace text
