#pragma once

// Character walking over GBK bytes, shared by the character-aware operations.

#include <cstddef>
#include <string>
#include <string_view>

namespace text::gbk {

inline bool IsLeadByte(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

// Bytes taken by the character that starts at `i`; a lead byte at the very end stands alone.
inline std::size_t CharWidth(std::string_view text, std::size_t i) {
  return IsLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
}

inline bool IsAsciiUpper(char byte) { return byte >= 'A' && byte <= 'Z'; }
inline char FoldAscii(char byte) { return IsAsciiUpper(byte) ? static_cast<char>(byte + 32) : byte; }

// A needle prepared for repeated comparison at character starts. Ignoring case folds only
// single-byte ASCII letters of the needle: both bytes of a two-byte character must be equal.
class Needle {
 public:
  Needle(std::string_view needle, bool ignoreCase);

  std::size_t size() const { return m_bytes.size(); }
  bool empty() const { return m_bytes.empty(); }
  // Whether the needle stands at byte `i` of `text`; the caller guarantees the room.
  bool MatchesAt(std::string_view text, std::size_t i) const;

 private:
  std::string_view m_bytes;
  bool m_ignoreCase;
  std::string m_folded;     // the needle with ASCII capitals made small (ignoreCase only)
  std::string m_foldable;   // 1 where the needle byte is a single-byte letter (ignoreCase only)
};

}  // namespace text::gbk
