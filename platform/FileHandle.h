#pragma once

namespace platform {

// Owns one POSIX file descriptor and closes it when destroyed.
class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(int descriptor) : m_descriptor(descriptor) {}
  ~FileHandle();
  FileHandle(FileHandle&& other) noexcept;
  FileHandle& operator=(FileHandle&& other) noexcept;
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  int get() const { return m_descriptor; }
  bool valid() const { return m_descriptor >= 0; }
  void reset();

 private:
  int m_descriptor = -1;
};

}  // namespace platform
