#pragma once

// Byte streams in memory or on a file, with one current position, and the length-prefixed
// record format that carries a request to a worker thread and back. Every operation on a
// stream that is not open does nothing and gives false, -1 or an empty value.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "text/Conversions.h"
#include "text/Text.h"

namespace text {

class StreamStorage;

// A stream owns its storage (a memory block or an open file) and releases it when closed or
// destroyed. A default-constructed stream is not open.
class ByteStream {
 public:
  ByteStream();
  explicit ByteStream(std::unique_ptr<StreamStorage> storage);
  ~ByteStream();
  ByteStream(ByteStream&&) noexcept;
  ByteStream& operator=(ByteStream&&) noexcept;
  ByteStream(const ByteStream&) = delete;
  ByteStream& operator=(const ByteStream&) = delete;

  bool isOpen() const { return m_storage != nullptr; }
  StreamStorage* storage() const { return m_storage.get(); }
  Index& position() { return m_position; }

 private:
  std::unique_ptr<StreamStorage> m_storage;
  Index m_position = 0;
};

// Opening modes of OpenFileStream.
enum class FileMode : int {
  kRead = 1,
  kWrite = 2,
  kReadWrite = 3,
  kCreateTruncate = 4,
  kOpenOrCreateWrite = 5,
  kOpenOrCreateReadWrite = 6,
};
// What other openers may do meanwhile. Enforced with advisory locks, so it binds programs that
// lock as well (every Tervane process).
enum class FileSharing : int { kReadWrite = 1, kNoRead = 2, kNoWrite = 3, kExclusive = 4 };

ByteStream OpenMemoryStream();
// A stream that is not open when the name is empty, the mode or sharing is unknown, or the file
// cannot be opened (or locked) that way. Bytes pass unchanged.
ByteStream OpenFileStream(const std::filesystem::path& file, int mode = 3, int sharing = 1);
void CloseStream(ByteStream& stream);

bool StreamSeekToStart(ByteStream& stream);
// Origin 1: from the start, 2: from the end, 3: from the current position. A position before
// the start fails.
bool StreamSeek(ByteStream& stream, int origin, Index offset);
Index StreamPosition(ByteStream& stream);
Index StreamLength(ByteStream& stream);
// At or past the end; with textMode also on a NUL or 0x1A byte.
bool StreamAtEnd(ByteStream& stream, bool textMode = false);

ByteBuffer StreamReadBytes(ByteStream& stream, Index n);
// Up to n bytes (the rest without n), ending before the first NUL or 0x1A byte, on which the
// position is left.
Text StreamReadText(ByteStream& stream, std::optional<Index> n = std::nullopt);
// Up to the next LF (consumed), NUL or 0x1A byte (not consumed) or the end; one CR before the
// end of the line is removed.
Text StreamReadLine(ByteStream& stream);

bool StreamWriteBuffer(ByteStream& stream, const unsigned char* bytes, std::size_t size);
inline bool StreamWriteBuffer(ByteStream& stream, const char* bytes, std::size_t size) {
  return StreamWriteBuffer(stream, reinterpret_cast<const unsigned char*>(bytes), size);
}

template <typename... Buffers>
bool StreamWriteBytes(ByteStream& stream, const Buffers&... buffers) {
  return stream.isOpen() && (StreamWriteBuffer(stream, buffers.data(), buffers.size()) && ...);
}

// Writes each value as ToText gives it, without terminator or line break.
template <typename... Values>
bool StreamWriteTexts(ByteStream& stream, const Values&... values) {
  const auto write = [&](const Text& t) { return StreamWriteBuffer(stream, t.data(), t.size()); };
  return stream.isOpen() && (write(ToText(values)) && ...);
}

// Each buffer as a 4-byte little-endian length and its bytes; no count. A buffer too long for
// the length field fails before anything is written.
bool StreamWriteData(ByteStream& stream, const std::vector<ByteBuffer>& buffers);
// Reads as many buffers as `buffers` already holds. On failure the position and `buffers` are
// as they were.
bool StreamReadData(ByteStream& stream, std::vector<ByteBuffer>& buffers);

}  // namespace text
