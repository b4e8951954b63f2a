#pragma once

// Character walking over GBK bytes, shared by the character-aware operations.

#include <cstddef>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

namespace text::gbk {

inline bool IsLeadByte(char byte) {
  return static_cast<unsigned char>(byte) >= 0x80;
}

// Bytes taken by the character that starts at `i`; a lead byte at the very end stands alone.
inline std::size_t CharWidth(std::string_view text, std::size_t i) {
  return IsLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
}

inline bool IsAsciiUpper(char byte) {
  return byte >= 'A' && byte <= 'Z';
}
inline char FoldAscii(char byte) {
  return IsAsciiUpper(byte) ? static_cast<char>(byte + 32) : byte;
}

inline constexpr std::size_t kStop = std::numeric_limits<std::size_t>::max();

// A needle prepared for repeated comparison at character starts. Ignoring case folds only
// single-byte ASCII letters of the needle: both bytes of a two-byte character must be equal.
class Needle {
 public:
  Needle(std::string_view needle, bool ignoreCase);

  std::size_t size() const { return m_bytes.size(); }

  // The first byte at or after `from`, and not after `last`, that could begin a match (it
  // equals the needle's first byte, in either case when that byte is a letter and case is
  // ignored); kStop when there is none.
  std::size_t NextCandidate(std::string_view text, std::size_t from, std::size_t last) const {
    const char first = m_folded[0];  // a small letter here is always a single-byte character
    if (!m_ignoreCase || first < 'a' || first > 'z') {
      const void* hit = std::memchr(text.data() + from, first, last - from + 1);
      return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : kStop;
    }
    for (std::size_t j = from; j <= last; ++j) {
      if (FoldAscii(text[j]) == first) return j;
    }
    return kStop;
  }

  // Whether the needle stands at byte `i` of `text`; the caller guarantees the room. The first
  // byte is checked inline because nearly every character start fails there.
  bool MatchesAt(std::string_view text, std::size_t i) const {
    const char* at = text.data() + i;
    const char first = m_ignoreCase && m_foldable[0] ? FoldAscii(at[0]) : at[0];
    if (first != m_folded[0]) return false;
    if (!m_ignoreCase) return std::memcmp(at + 1, m_bytes.data() + 1, m_bytes.size() - 1) == 0;
    for (std::size_t k = 1; k < m_bytes.size(); ++k) {
      const char byte = m_foldable[k] ? FoldAscii(at[k]) : at[k];
      if (byte != m_folded[k]) return false;
    }
    return true;
  }

 private:
  std::string_view m_bytes;
  bool m_ignoreCase;
  std::string m_folded;    // the needle, ASCII capitals made small when case is ignored
  std::string m_foldable;  // 1 where the needle byte is a single-byte character (ignoreCase)
};

// Whether byte `j` starts a character of a walk that is known to have a character start at
// `anchor` (anchor <= j). A byte below 0x80 ends whatever character it belongs to, so only the
// run of high bytes just before `j` matters: they pair up as lead and trail bytes.
inline bool IsCharStart(std::string_view text, std::size_t anchor, std::size_t j) {
  std::size_t k = j;
  while (k > anchor && IsLeadByte(text[k - 1]))
    --k;
  return (j - k) % 2 == 0;
}

// Walks `text` character by character from byte `from` and calls `onMatch(i)` at each
// character start `i` where the (non-empty) needle stands. The callback returns the byte where
// the walk goes on (after the match for non-overlapping scans, the next character for
// overlapping ones), or kStop.
//
// Rather than stepping through every character (a serial chain of loads), it jumps to the next
// byte that could begin a match and checks that it is a character start from the nearest
// known one, which keeps the whole walk linear.
template <typename OnMatch>
void ForEachMatch(std::string_view text, const Needle& needle, std::size_t from, OnMatch onMatch) {
  if (needle.size() > text.size()) return;
  const std::size_t lastStart = text.size() - needle.size();  // last byte a match fits at
  std::size_t anchor = from;                                  // a known character start
  std::size_t i = from;
  while (i <= lastStart) {
    const std::size_t j = needle.NextCandidate(text, i, lastStart);
    if (j == kStop) return;
    if (!IsCharStart(text, anchor, j)) {
      anchor = i = j + 1;  // j is a trail byte, so the next character starts after it
      continue;
    }
    if (needle.MatchesAt(text, j)) {
      i = onMatch(j);
      if (i == kStop) return;
    } else {
      i = j + (IsLeadByte(text[j]) ? 2 : 1);
    }
    anchor = i;
  }
}

}  // namespace text::gbk
