#pragma once

// The value types every part of Tervane exchanges.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace text {

// Bytes in the local code page (GBK). A character is one byte below 0x80, or two bytes whose
// first byte is 0x80 or more. The empty text is also the "absent" text.
using Text = std::string;
using TextView = std::string_view;

// An ordered list of texts, as `Split` makes it.
using TextList = std::vector<Text>;

// Counted bytes; NUL bytes allowed. Read as text, it ends before its first NUL.
using ByteBuffer = std::vector<unsigned char>;

// A 1-based byte position or a byte count. A failed search gives -1.
using Index = std::int64_t;
inline constexpr Index kNotFound = -1;

// Bytes read as text: everything before the first NUL.
inline TextView UpToNul(TextView bytes) {
  return bytes.substr(0, bytes.find('\0'));
}

}  // namespace text
