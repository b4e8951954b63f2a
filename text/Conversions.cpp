#include "text/Conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "text/Gbk.h"

namespace text {
namespace {

constexpr unsigned char kFullWidthRow = 0xA3;  // GBK row of the full-width ASCII forms
constexpr unsigned char kSymbolRow = 0xA1;     // GBK row whose first cell is the ideographic space

// Folds the full-width forms 0xA3 0xA1..0xFE to the ASCII bytes 0x21..0x7E and the ideographic
// space to a space, walking characters.
Text FoldFullWidth(TextView text) {
  Text out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t width = gbk::CharWidth(text, i);
    if (width == 2) {
      const auto lead = static_cast<unsigned char>(text[i]);
      const auto trail = static_cast<unsigned char>(text[i + 1]);
      if (lead == kFullWidthRow && trail >= 0xA1 && trail <= 0xFE) {
        out.push_back(static_cast<char>(trail - 0x80));
        i += 2;
        continue;
      }
      if (lead == kSymbolRow && trail == kSymbolRow) {
        out.push_back(' ');
        i += 2;
        continue;
      }
    }
    out.append(text, i, width);
    i += width;
  }
  return out;
}

bool IsCSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t SkipDigits(TextView s, std::size_t i) {
  while (i < s.size() && IsDigit(s[i])) {
    ++i;
  }
  return i;
}

}  // namespace

std::int32_t ToInteger(TextView text) {
  const Text folded = FoldFullWidth(text);
  std::size_t i = 0;
  while (i < folded.size() && IsCSpace(folded[i])) {
    ++i;
  }
  bool negative = false;
  if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) negative = folded[i++] == '-';
  std::int64_t value = 0;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  for (; i < folded.size() && IsDigit(folded[i]); ++i) {
    value = std::min(value * 10 + (folded[i] - '0'), kLimit);  // stays far from overflow
  }
  if (negative) value = -value;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t ToInteger(double value) {
  if (std::isnan(value)) return 0;
  const double truncated = std::trunc(value);
  if (truncated >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (truncated <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(truncated);
}

double ToNumber(TextView text) {
  const Text folded = FoldFullWidth(text);
  std::size_t i = 0;
  while (i < folded.size() && IsCSpace(folded[i])) {
    ++i;
  }
  const std::size_t signAt = i;
  if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) ++i;
  const std::size_t mantissaAt = i;
  std::size_t end = SkipDigits(folded, i);
  bool anyDigit = end > mantissaAt;
  if (end < folded.size() && folded[end] == '.') {
    const std::size_t fractionEnd = SkipDigits(folded, end + 1);
    anyDigit = anyDigit || fractionEnd > end + 1;
    end = fractionEnd;
  }
  if (!anyDigit) return 0.0;
  if (end < folded.size() && (folded[end] == 'e' || folded[end] == 'E')) {
    std::size_t e = end + 1;
    if (e < folded.size() && (folded[e] == '+' || folded[e] == '-')) ++e;
    const std::size_t exponentEnd = SkipDigits(folded, e);
    if (exponentEnd > e) end = exponentEnd;
  }
  // from_chars takes no '+' and reads no locale.
  const bool negative = folded[signAt] == '-';
  double value = 0.0;
  const auto [ptr, error] = std::from_chars(folded.data() + mantissaAt, folded.data() + end, value);
  if (error == std::errc::result_out_of_range) {
    // Overflow reads as infinity and underflow as zero, as strtod gives them.
    const std::size_t expAt = folded.find_first_of("eE", mantissaAt);
    const bool tiny = expAt < end && folded.find('-', expAt) < end;
    value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
  }
  return negative ? -value : value;
}

Text ToText(std::int32_t value) {
  return std::to_string(value);
}

Text ToText(double value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 13);
  return Text(buffer, result.ptr);
}

Text ToText(bool value) {
  return Text(value ? kTrueText : kFalseText);
}

Text ToText(const ByteBuffer& bytes) {
  const auto end = std::find(bytes.begin(), bytes.end(), 0);
  return Text(bytes.begin(), end);
}

ByteBuffer ToBytes(TextView text) {
  return ByteBuffer(text.begin(), text.end());
}

Index BytesLength(const ByteBuffer& bytes) {
  return static_cast<Index>(bytes.size());
}

ByteBuffer LeftBytes(const ByteBuffer& bytes, Index n) {
  if (n <= 0) return {};
  const auto take = static_cast<std::size_t>(std::min(n, BytesLength(bytes)));
  return ByteBuffer(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(take));
}

ByteBuffer ZeroBytes(Index n) {
  if (n <= 0 || n > kMaxGeneratedBytes) return {};
  return ByteBuffer(static_cast<std::size_t>(n), 0);
}

}  // namespace text
