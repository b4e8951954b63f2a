#include "platform/CodePage.h"

#include <unicode/ucnv.h>
#include <unicode/unorm2.h>
#include <unicode/utf16.h>

namespace platform {
namespace {

// Runs one ICU conversion direction over the whole input, appending to `out` and growing it on
// overflow. `convert` is ucnv_toUnicode or ucnv_fromUnicode with the converter bound.
template <typename Out, typename In, typename Convert>
bool AppendConverted(const In* source, std::size_t length, std::size_t expected, Out& out,
                     Convert convert) {
  const std::size_t start = out.size();
  out.resize(start + expected + 16);
  auto* target = out.data() + start;
  const In* sourceEnd = source + length;
  for (;;) {
    UErrorCode status = U_ZERO_ERROR;
    convert(&target, out.data() + out.size(), &source, sourceEnd, &status);
    const auto used = static_cast<std::size_t>(target - out.data());
    if (status == U_BUFFER_OVERFLOW_ERROR) {
      out.resize(out.size() * 2);
      target = out.data() + used;
      continue;
    }
    out.resize(U_FAILURE(status) ? start : used);
    return U_SUCCESS(status);
  }
}

}  // namespace

void CodePageConverter::Closer::operator()(UConverter* converter) const {
  ucnv_close(converter);
}

CodePageConverter::CodePageConverter(const char* codePage) {
  UErrorCode status = U_ZERO_ERROR;
  m_converter.reset(ucnv_open(codePage, &status));
  if (U_FAILURE(status)) {
    m_converter.reset();
    return;
  }
  ucnv_setSubstChars(m_converter.get(), "?", 1, &status);
  ucnv_setFallback(m_converter.get(), true);
}

CodePageConverter::~CodePageConverter() = default;

bool CodePageConverter::Decode(std::string_view input, std::u16string& out, bool flush) {
  if (!m_converter) return false;
  // One byte never yields more than one UTF-16 unit in the code pages used here, so the first
  // buffer is usually the last.
  return AppendConverted(input.data(), input.size(), input.size(), out,
                         [&](char16_t** target, char16_t* targetEnd, const char** source,
                             const char* sourceEnd, UErrorCode* status) {
                           ucnv_toUnicode(m_converter.get(), target, targetEnd, source, sourceEnd,
                                          nullptr, flush, status);
                         });
}

bool CodePageConverter::Encode(std::u16string_view input, std::string& out, bool flush) {
  if (!m_converter) return false;
  return AppendConverted(input.data(), input.size(), input.size() * 2, out,
                         [&](char** target, const char* targetEnd, const char16_t** source,
                             const char16_t* sourceEnd, UErrorCode* status) {
                           ucnv_fromUnicode(m_converter.get(), target, targetEnd, source, sourceEnd,
                                            nullptr, flush, status);
                         });
}

std::u16string ComposeMarks(std::u16string_view text) {
  UErrorCode status = U_ZERO_ERROR;
  const UNormalizer2* nfc = unorm2_getNFCInstance(&status);
  if (U_FAILURE(status)) return std::u16string(text);
  std::u16string out;
  out.reserve(text.size());
  std::size_t lastStart = 0;  // where the last code point of `out` begins
  UChar32 last = U_SENTINEL;
  for (std::size_t i = 0; i < text.size();) {
    UChar32 c = 0;
    U16_NEXT(text.data(), i, text.size(), c);
    const UChar32 composed = last == U_SENTINEL ? U_SENTINEL : unorm2_composePair(nfc, last, c);
    if (composed >= 0) {
      out.resize(lastStart);
      c = composed;
    }
    lastStart = out.size();
    if (U_IS_BMP(c)) {
      out.push_back(static_cast<char16_t>(c));
    } else {
      out.push_back(U16_LEAD(c));
      out.push_back(U16_TRAIL(c));
    }
    last = c;
  }
  return out;
}

std::u16string DecodeCodePage(std::string_view bytes, const char* codePage) {
  std::u16string out;
  CodePageConverter(codePage).Decode(bytes, out);
  return out;
}

std::string EncodeCodePage(std::u16string_view text, const char* codePage) {
  std::string out;
  CodePageConverter(codePage).Encode(text, out);
  return out;
}

}  // namespace platform
