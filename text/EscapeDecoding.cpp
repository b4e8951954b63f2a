#include "text/EscapeDecoding.h"

#include <optional>
#include <string>

#include "platform/CodePage.h"
#include "text/TextOps.h"

namespace text {
namespace {

// CR LF pairs and apostrophes cannot stand inside the literal, so they travel through the
// decoding as these stand-ins and are put back at the end.
constexpr TextView kLineBreakStandIn = "{$}";
constexpr TextView kApostropheStandIn = "\xA1\xAF";  // ’ (U+2019)

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// The value of `count` hexadecimal digits at `s[at]`, or -1 when they are not all there.
int HexRun(std::u16string_view s, std::size_t at, std::size_t count) {
  if (at + count > s.size()) return -1;
  int value = 0;
  for (std::size_t k = 0; k < count; ++k) {
    const int digit = HexValue(s[at + k]);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

bool IsOctalDigit(char16_t c) { return c >= u'0' && c <= u'7'; }

// Reads an octal escape whose first digit is at `s[i]`: up to three digits while the value
// stays within 0377. Returns the value and advances `i` past the digits.
char16_t ReadOctal(std::u16string_view s, std::size_t& i) {
  const std::size_t maxDigits = s[i] <= u'3' ? 3 : 2;
  unsigned value = 0;
  for (std::size_t taken = 0; taken < maxDigits && i < s.size() && IsOctalDigit(s[i]); ++taken) {
    value = value * 8 + (s[i++] - u'0');
  }
  return static_cast<char16_t>(value);
}

// Resolves the escapes of a single-quoted string literal body; nullopt when the body is not
// valid (a bare line break, or a backslash that would escape the closing quote).
std::optional<std::u16string> ResolveStringLiteral(std::u16string_view s) {
  std::u16string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    const char16_t c = s[i];
    if (c == u'\r' || c == u'\n') return std::nullopt;
    if (c != u'\\') {
      out.push_back(c);
      ++i;
      continue;
    }
    if (i + 1 == s.size()) return std::nullopt;
    const char16_t e = s[i + 1];
    i += 2;
    switch (e) {
      case u'b': out.push_back(u'\b'); break;
      case u't': out.push_back(u'\t'); break;
      case u'n': out.push_back(u'\n'); break;
      case u'f': out.push_back(u'\f'); break;
      case u'r': out.push_back(u'\r'); break;
      case u'x': {
        // Without two hex digits the escape is the letter x alone, as the script engine reads it.
        const int value = HexRun(s, i, 2);
        if (value < 0) {
          out.push_back(u'x');
        } else {
          out.push_back(static_cast<char16_t>(value));
          i += 2;
        }
        break;
      }
      case u'\r':
      case u'\n':
        break;  // a line continuation: the escaped line break contributes nothing
      default:
        if (IsOctalDigit(e)) {
          --i;
          out.push_back(ReadOctal(s, i));
        } else {
          out.push_back(e);  // \v, \U, \/, \", \\ and every other character stand for themselves
        }
    }
  }
  return out;
}

// ECMAScript `unescape`: %uXXXX and %XX become code units; any other % stays. Resolved units
// are not scanned again. NUL units are dropped here as well.
std::u16string Unescape(std::u16string_view s) {
  std::u16string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    int value = -1;
    std::size_t width = 1;
    if (s[i] == u'%') {
      if (i + 1 < s.size() && s[i + 1] == u'u') {
        value = HexRun(s, i + 2, 4);
        width = 6;
      }
      if (value < 0) {
        value = HexRun(s, i + 1, 2);
        width = 3;
      }
    }
    const char16_t unit = value < 0 ? s[i] : static_cast<char16_t>(value);
    if (value < 0) width = 1;
    if (unit != u'\0') out.push_back(unit);
    i += width;
  }
  return out;
}

}  // namespace

Text DecodeEscapes(TextView escaped) {
  Text prepared = ReplaceText(escaped, "\r\n", kLineBreakStandIn);
  if (!prepared.empty() && prepared.front() == '\r') prepared.erase(0, 1);
  prepared = ReplaceText(prepared, "\\u", "%u");
  prepared = ReplaceText(prepared, "'", kApostropheStandIn);

  const std::u16string wide = platform::DecodeCodePage(prepared, platform::kLocalCodePage);
  const std::optional<std::u16string> literal = ResolveStringLiteral(wide);
  if (!literal) return {};
  const Text local = platform::EncodeCodePage(Unescape(*literal), platform::kLocalCodePage);

  return ReplaceText(ReplaceText(local, kApostropheStandIn, "'"), kLineBreakStandIn, "\r\n");
}

}  // namespace text
