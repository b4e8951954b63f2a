#include "text/EscapeDecoding.h"

#include <optional>
#include <string>

#include "platform/CodePage.h"
#include "text/Gbk.h"
#include "text/TextOps.h"

namespace text {
namespace {

// Small enough that every stage buffer of a piece stays in the cache and below the allocator's
// mmap threshold, so pieces reuse heap memory instead of faulting in fresh pages.
constexpr std::size_t kPieceBytes = std::size_t{32} * 1024;

// CR LF pairs and apostrophes cannot stand inside the literal, so they travel through the
// decoding as these stand-ins and are put back at the end.
constexpr TextView kLineBreakStandIn = "{$}";
constexpr TextView kApostropheStandIn = "\xA1\xAF";  // ’ (U+2019)

// The longest escapes of the two stages, in UTF-16 units: \xHH or \ooo, and %uXXXX. A piece
// that ends closer than this after the escape's first unit hands it on to the next piece.
constexpr std::size_t kLongestLiteralEscape = 4;
constexpr std::size_t kLongestPercentEscape = 6;

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

// The character that backslash-`e` stands for when `e` names a control character.
std::optional<char16_t> ControlEscape(char16_t e) {
  switch (e) {
    case u'b':
      return u'\b';
    case u't':
      return u'\t';
    case u'n':
      return u'\n';
    case u'f':
      return u'\f';
    case u'r':
      return u'\r';
    default:
      return std::nullopt;
  }
}

bool IsOctalDigit(char16_t c) {
  return c >= u'0' && c <= u'7';
}

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

// Resolves the escapes of a single-quoted string literal body into `out`. Returns how many
// units were used (all of them in the last piece), or nullopt when the body is not valid: a bare
// line break, or a backslash that would escape the closing quote.
std::optional<std::size_t> ResolveStringLiteral(std::u16string_view s, bool last,
                                                std::u16string& out) {
  std::size_t i = 0;
  while (i < s.size()) {
    // Copy the run up to the next unit that needs a decision in one go.
    std::size_t plain = i;
    while (plain < s.size() && s[plain] != u'\\' && s[plain] != u'\r' && s[plain] != u'\n') {
      ++plain;
    }
    out.append(s.substr(i, plain - i));
    i = plain;
    if (i == s.size()) break;
    if (s[i] != u'\\') return std::nullopt;  // a bare line break
    if (!last && i + kLongestLiteralEscape > s.size()) return i;
    if (i + 1 == s.size()) return std::nullopt;
    const char16_t e = s[i + 1];
    i += 2;
    if (const std::optional<char16_t> control = ControlEscape(e)) {
      out.push_back(*control);
      continue;
    }
    switch (e) {
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
  return s.size();
}

// ECMAScript `unescape` into `out`: %uXXXX and %XX become code units; any other % stays.
// Resolved units are not scanned again, and NUL units are dropped. Returns how many units were
// used (all of them in the last piece).
std::size_t Unescape(std::u16string_view s, bool last, std::u16string& out) {
  std::size_t i = 0;
  while (i < s.size()) {
    std::size_t plain = i;
    while (plain < s.size() && s[plain] != u'%' && s[plain] != u'\0') {
      ++plain;
    }
    out.append(s.substr(i, plain - i));
    i = plain;
    if (i == s.size()) break;
    if (s[i] == u'\0') {
      ++i;
      continue;
    }
    if (!last && i + kLongestPercentEscape > s.size()) return i;
    int value = -1;
    std::size_t width = 6;
    if (i + 1 < s.size() && s[i + 1] == u'u') value = HexRun(s, i + 2, 4);
    if (value < 0) {
      value = HexRun(s, i + 1, 2);
      width = 3;
    }
    if (value < 0) {
      out.push_back(u'%');
      ++i;
      continue;
    }
    if (value != 0) out.push_back(static_cast<char16_t>(value));
    i += width;
  }
  return s.size();
}

// Where the piece that starts at `begin` ends: at `begin + size` or the first place after it
// that follows a byte below 0x80 other than CR and backslash. Such a place is a character start
// and splits no CR LF pair and no backslash-u, so each piece can be prepared on its own.
std::size_t PieceEnd(TextView text, std::size_t begin, std::size_t size) {
  if (text.size() - begin <= size) return text.size();
  for (std::size_t e = begin + size; e < text.size(); ++e) {
    const char before = text[e - 1];
    if (!gbk::IsLeadByte(before) && before != '\r' && before != '\\') return e;
  }
  return text.size();
}

// The decoding stages, fed one piece at a time. Each stage keeps what the end of a piece cut
// (an escape, a surrogate pair, a stand-in) and puts it in front of the next piece.
class EscapeDecoder {
 public:
  bool Feed(TextView piece, bool first, bool last) {
    Text prepared = ReplaceText(piece, "\r\n", kLineBreakStandIn);
    if (first && !prepared.empty() && prepared.front() == '\r') prepared.erase(0, 1);
    prepared = ReplaceText(prepared, "\\u", "%u");
    prepared = ReplaceText(prepared, "'", kApostropheStandIn);

    std::u16string wide = std::move(m_literalCarry);
    if (!m_decoder.Decode(prepared, wide)) return false;

    std::u16string resolved = std::move(m_percentCarry);
    const std::optional<std::size_t> used = ResolveStringLiteral(wide, last, resolved);
    if (!used) return false;
    m_literalCarry = std::u16string_view(wide).substr(*used);

    std::u16string unescaped;
    unescaped.reserve(resolved.size());
    m_percentCarry = std::u16string_view(resolved).substr(Unescape(resolved, last, unescaped));

    std::string encoded = std::move(m_standInCarry);
    if (!m_encoder.Encode(unescaped, encoded, last)) return false;
    const std::size_t cut = last ? 0 : CutStandIn(encoded);
    m_standInCarry = kLineBreakStandIn.substr(0, cut);  // the cut bytes are a prefix of it
    encoded.resize(encoded.size() - cut);
    m_out += ReplaceText(ReplaceText(encoded, kApostropheStandIn, "'"), kLineBreakStandIn, "\r\n");
    return true;
  }

  // Decoding never lengthens the text, so one reservation holds the whole result.
  void Reserve(std::size_t bytes) { m_out.reserve(bytes); }
  Text Take() { return std::move(m_out); }

 private:
  // Bytes at the end of `encoded` that may begin a line-break stand-in finished by the next
  // piece.
  static std::size_t CutStandIn(TextView encoded) {
    for (std::size_t length = kLineBreakStandIn.size() - 1; length > 0; --length) {
      if (encoded.size() >= length &&
          encoded.substr(encoded.size() - length) == kLineBreakStandIn.substr(0, length) &&
          gbk::IsCharStart(encoded, 0, encoded.size() - length)) {
        return length;
      }
    }
    return 0;
  }

  platform::CodePageConverter m_decoder{platform::kLocalCodePage};
  platform::CodePageConverter m_encoder{platform::kLocalCodePage};
  std::u16string m_literalCarry;
  std::u16string m_percentCarry;
  std::string m_standInCarry;
  Text m_out;
};

}  // namespace

Text DecodeEscapes(TextView escaped) {
  return detail::DecodeEscapesInPieces(escaped, kPieceBytes);
}

namespace detail {

Text DecodeEscapesInPieces(TextView escaped, std::size_t pieceBytes) {
  if (escaped.empty()) return {};
  EscapeDecoder decoder;
  decoder.Reserve(escaped.size());
  for (std::size_t begin = 0; begin < escaped.size();) {
    const std::size_t end = PieceEnd(escaped, begin, std::max<std::size_t>(pieceBytes, 1));
    if (!decoder.Feed(escaped.substr(begin, end - begin), begin == 0, end == escaped.size())) {
      return {};
    }
    begin = end;
  }
  return decoder.Take();
}

}  // namespace detail
}  // namespace text
