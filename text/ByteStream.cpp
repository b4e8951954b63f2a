#include "text/ByteStream.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <limits>

#include "text/StreamStorage.h"
#include "text/TextOps.h"

namespace text {
namespace {

constexpr std::size_t kFirstScan = 256;
constexpr std::size_t kScanChunk = std::size_t{64} * 1024;
constexpr std::size_t kLengthFieldBytes = 4;
constexpr unsigned char kEndOfFileMark = 0x1A;

bool IsTextEnd(unsigned char byte) {
  return byte == 0 || byte == kEndOfFileMark;
}

std::optional<int> OpenFlags(int mode) {
  switch (static_cast<FileMode>(mode)) {
    case FileMode::kRead:
      return O_RDONLY;
    case FileMode::kWrite:
      return O_WRONLY;
    case FileMode::kReadWrite:
      return O_RDWR;
    case FileMode::kCreateTruncate:
      return O_WRONLY | O_CREAT | O_TRUNC;
    case FileMode::kOpenOrCreateWrite:
      return O_WRONLY | O_CREAT;
    case FileMode::kOpenOrCreateReadWrite:
      return O_RDWR | O_CREAT;
  }
  return std::nullopt;
}

// Denying others the right to read or write maps to an exclusive lock, denying writes only to a
// shared one.
std::optional<int> LockOperation(int sharing) {
  switch (static_cast<FileSharing>(sharing)) {
    case FileSharing::kReadWrite:
      return 0;
    case FileSharing::kNoWrite:
      return LOCK_SH;
    case FileSharing::kNoRead:
    case FileSharing::kExclusive:
      return LOCK_EX;
  }
  return std::nullopt;
}

Index Remaining(ByteStream& stream) {
  return std::max<Index>(stream.storage()->length() - stream.position(), 0);
}

// Reads from the position, at most `limit` bytes, stopping before the first byte for which
// `stops` holds. The position ends on that byte, or after what was read. Returns the bytes read
// and whether a stop byte was reached. Reads start small and double, so reading a stream line
// by line costs about the length of each line, not a whole chunk per line.
template <typename Stops>
std::pair<Text, bool> ReadUntil(ByteStream& stream, Index limit, Stops stops) {
  Text out;
  std::size_t want = kFirstScan;
  while (limit > 0) {
    const std::size_t before = out.size();
    const auto size = static_cast<std::size_t>(std::min<Index>(limit, static_cast<Index>(want)));
    out.resize(before + size);
    const std::size_t got = stream.storage()->readAt(
        stream.position(), reinterpret_cast<unsigned char*>(out.data() + before), size);
    out.resize(before + got);
    if (got == 0) break;
    const auto stop = std::find_if(out.begin() + static_cast<std::ptrdiff_t>(before), out.end(),
                                   [&](char c) { return stops(static_cast<unsigned char>(c)); });
    const auto taken = static_cast<std::size_t>(stop - out.begin()) - before;
    stream.position() += static_cast<Index>(taken);
    if (stop != out.end()) {
      out.resize(before + taken);
      return {std::move(out), true};
    }
    limit -= static_cast<Index>(got);
    want = std::min(want * 2, kScanChunk);
  }
  return {std::move(out), false};
}

bool ReadExactly(ByteStream& stream, unsigned char* into, std::size_t size) {
  const std::size_t got = stream.storage()->readAt(stream.position(), into, size);
  stream.position() += static_cast<Index>(got);
  return got == size;
}

// One length-prefixed buffer of the record format.
bool ReadRecordItem(ByteStream& stream, ByteBuffer& buffer) {
  std::array<unsigned char, kLengthFieldBytes> length{};
  if (!ReadExactly(stream, length.data(), length.size())) return false;
  const std::uint32_t size = length[0] | (length[1] << 8) | (length[2] << 16) |
                             (static_cast<std::uint32_t>(length[3]) << 24);
  // A length beyond what the stream holds is damage, not a reason to allocate.
  if (size > Remaining(stream)) return false;
  buffer.resize(size);
  return ReadExactly(stream, buffer.data(), size);
}

}  // namespace

ByteStream::ByteStream() = default;
ByteStream::ByteStream(std::unique_ptr<StreamStorage> storage) : m_storage(std::move(storage)) {}
ByteStream::~ByteStream() = default;
ByteStream::ByteStream(ByteStream&&) noexcept = default;
ByteStream& ByteStream::operator=(ByteStream&&) noexcept = default;

ByteStream OpenMemoryStream() {
  return ByteStream(std::make_unique<MemoryStorage>());
}

ByteStream OpenFileStream(const std::filesystem::path& file, int mode, int sharing) {
  const std::optional<int> flags = OpenFlags(mode);
  const std::optional<int> lock = LockOperation(sharing);
  if (file.empty() || !flags || !lock) return {};
  // Truncate only once the lock is held, so a file that another opener holds is left intact.
  const bool truncate = (*flags & O_TRUNC) != 0;
  platform::FileHandle handle(::open(file.c_str(), (*flags & ~O_TRUNC) | O_CLOEXEC, 0666));
  if (!handle.valid()) return {};
  if (*lock != 0 && ::flock(handle.get(), *lock | LOCK_NB) != 0) return {};
  if (truncate && ::ftruncate(handle.get(), 0) != 0) return {};
  return ByteStream(std::make_unique<FileStorage>(std::move(handle)));
}

void CloseStream(ByteStream& stream) {
  stream = ByteStream();
}

bool StreamSeekToStart(ByteStream& stream) {
  return StreamSeek(stream, 1, 0);
}

bool StreamSeek(ByteStream& stream, int origin, Index offset) {
  if (!stream.isOpen()) return false;
  Index base = 0;
  switch (origin) {
    case 1:
      base = 0;
      break;
    case 2:
      base = stream.storage()->length();
      break;
    case 3:
      base = stream.position();
      break;
    default:
      return false;
  }
  if (base < 0) return false;
  const Index target = AddClamped(base, offset);
  if (target < 0) return false;
  stream.position() = target;
  return true;
}

Index StreamPosition(ByteStream& stream) {
  return stream.isOpen() ? stream.position() : -1;
}

Index StreamLength(ByteStream& stream) {
  return stream.isOpen() ? stream.storage()->length() : -1;
}

bool StreamAtEnd(ByteStream& stream, bool textMode) {
  if (!stream.isOpen()) return false;
  unsigned char next = 0;
  if (stream.storage()->readAt(stream.position(), &next, 1) == 0) return true;
  return textMode && IsTextEnd(next);
}

ByteBuffer StreamReadBytes(ByteStream& stream, Index n) {
  if (!stream.isOpen() || n <= 0) return {};
  ByteBuffer out(static_cast<std::size_t>(std::min(n, Remaining(stream))));
  out.resize(stream.storage()->readAt(stream.position(), out.data(), out.size()));
  stream.position() += static_cast<Index>(out.size());
  return out;
}

Text StreamReadText(ByteStream& stream, std::optional<Index> n) {
  if (!stream.isOpen()) return {};
  return ReadUntil(stream, n.value_or(std::numeric_limits<Index>::max()), IsTextEnd).first;
}

Text StreamReadLine(ByteStream& stream) {
  if (!stream.isOpen()) return {};
  auto [line, stopped] = ReadUntil(stream, std::numeric_limits<Index>::max(),
                                   [](unsigned char b) { return b == '\n' || IsTextEnd(b); });
  if (stopped) {
    unsigned char stop = 0;
    stream.storage()->readAt(stream.position(), &stop, 1);
    if (stop == '\n') ++stream.position();
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

bool StreamWriteBuffer(ByteStream& stream, const unsigned char* bytes, std::size_t size) {
  if (!stream.isOpen() || !stream.storage()->writeAt(stream.position(), bytes, size)) {
    return false;
  }
  stream.position() += static_cast<Index>(size);
  return true;
}

bool StreamWriteData(ByteStream& stream, const std::vector<ByteBuffer>& buffers) {
  if (!stream.isOpen()) return false;
  const bool fits = std::all_of(buffers.begin(), buffers.end(), [](const ByteBuffer& b) {
    return b.size() <= std::numeric_limits<std::uint32_t>::max();
  });
  if (!fits) return false;
  for (const ByteBuffer& buffer : buffers) {
    const auto size = static_cast<std::uint32_t>(buffer.size());
    const std::array<unsigned char, kLengthFieldBytes> length{
        static_cast<unsigned char>(size), static_cast<unsigned char>(size >> 8),
        static_cast<unsigned char>(size >> 16), static_cast<unsigned char>(size >> 24)};
    if (!StreamWriteBuffer(stream, length.data(), length.size()) ||
        !StreamWriteBuffer(stream, buffer.data(), buffer.size())) {
      return false;
    }
  }
  return true;
}

bool StreamReadData(ByteStream& stream, std::vector<ByteBuffer>& buffers) {
  if (!stream.isOpen()) return false;
  const Index start = stream.position();
  std::vector<ByteBuffer> read(buffers.size());
  for (ByteBuffer& buffer : read) {
    if (!ReadRecordItem(stream, buffer)) {
      stream.position() = start;
      return false;
    }
  }
  buffers = std::move(read);
  return true;
}

}  // namespace text
