#pragma once

// Conversions between texts, numbers and byte buffers.

#include <cstdint>

#include "text/Text.h"

namespace text {

// GBK spellings of the stored boolean values.
inline constexpr TextView kTrueText = "\xD5\xE6";   // 真
inline constexpr TextView kFalseText = "\xBC\xD9";  // 假

// Reads a leading decimal integer as the C library does (white space, sign, digits), after
// folding full-width forms to ASCII; 0 when there are no digits. Out-of-range values clamp to
// the 32-bit limits.
std::int32_t ToInteger(TextView text);
// Truncates toward zero, clamping to the 32-bit limits; NaN gives 0.
std::int32_t ToInteger(double value);

// Reads a leading decimal floating-point number (sign, digits, point, exponent) after folding
// full-width forms; 0 when nothing can be read. Independent of the process locale.
double ToNumber(TextView text);
inline double ToNumber(std::int32_t value) {
  return value;
}

Text ToText(std::int32_t value);       // "%d"
Text ToText(double value);             // "%.13g"
Text ToText(bool value);               // "真" / "假"
Text ToText(const ByteBuffer& bytes);  // the bytes before the first NUL
inline Text ToText(TextView value) {
  return Text(value);
}
inline Text ToText(const char* value) {
  return Text(value);
}
// Keeps integers of other widths from being read as booleans or doubles.
inline Text ToText(std::int64_t value) {
  return std::to_string(value);
}

ByteBuffer ToBytes(TextView text);

// The most bytes ZeroBytes and Spaces make in one call; a larger request gives the empty value
// rather than exhausting memory.
inline constexpr Index kMaxGeneratedBytes = Index{1} << 30;

Index BytesLength(const ByteBuffer& bytes);
ByteBuffer LeftBytes(const ByteBuffer& bytes, Index n);
ByteBuffer ZeroBytes(Index n);  // empty when n is 0 or less, or above kMaxGeneratedBytes

}  // namespace text
