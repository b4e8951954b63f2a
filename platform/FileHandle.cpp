#include "platform/FileHandle.h"

#include <unistd.h>

#include <utility>

namespace platform {

FileHandle::~FileHandle() {
  reset();
}

FileHandle::FileHandle(FileHandle&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1)) {}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    reset();
    m_descriptor = std::exchange(other.m_descriptor, -1);
  }
  return *this;
}

void FileHandle::reset() {
  if (m_descriptor >= 0) ::close(std::exchange(m_descriptor, -1));
}

}  // namespace platform
