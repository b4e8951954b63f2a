#pragma once

// Where the bytes of a ByteStream live. The stream keeps the position; storage reads and
// writes at absolute offsets.

#include <cstddef>
#include <utility>
#include <vector>

#include "platform/FileHandle.h"
#include "text/Text.h"

namespace text {

class StreamStorage {
 public:
  virtual ~StreamStorage() = default;
  virtual Index length() = 0;  // -1 on failure
  // Bytes read, 0 at or past the end or on failure.
  virtual std::size_t readAt(Index offset, unsigned char* into, std::size_t size) = 0;
  // Writing past the end extends the storage, zero-filling any gap.
  virtual bool writeAt(Index offset, const unsigned char* from, std::size_t size) = 0;
};

// The most bytes a memory stream holds; a write that would grow it further fails.
inline constexpr Index kMaxMemoryStreamBytes = Index{1} << 31;

class MemoryStorage final : public StreamStorage {
 public:
  Index length() override { return static_cast<Index>(m_bytes.size()); }
  std::size_t readAt(Index offset, unsigned char* into, std::size_t size) override;
  bool writeAt(Index offset, const unsigned char* from, std::size_t size) override;

 private:
  std::vector<unsigned char> m_bytes;
};

class FileStorage final : public StreamStorage {
 public:
  explicit FileStorage(platform::FileHandle file) : m_file(std::move(file)) {}
  Index length() override;
  std::size_t readAt(Index offset, unsigned char* into, std::size_t size) override;
  bool writeAt(Index offset, const unsigned char* from, std::size_t size) override;

 private:
  platform::FileHandle m_file;
};

}  // namespace text
