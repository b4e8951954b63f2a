#include "platform/CodePage.h"

#include <unicode/ucnv.h>

#include <memory>

namespace platform {
namespace {

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter OpenConverter(const char* codePage) {
  UErrorCode status = U_ZERO_ERROR;
  Converter converter(ucnv_open(codePage, &status));
  if (U_FAILURE(status)) return nullptr;
  return converter;
}

// Runs one ICU conversion direction over the whole input, growing the output on overflow.
// `convert` is ucnv_toUnicode or ucnv_fromUnicode with the converter bound.
template <typename Out, typename In, typename Convert>
Out ConvertAll(const In* source, std::size_t length, std::size_t initialCapacity, Convert convert) {
  Out out;
  out.resize(initialCapacity + 16);
  auto* target = out.data();
  const In* sourceEnd = source + length;
  for (;;) {
    UErrorCode status = U_ZERO_ERROR;
    convert(&target, out.data() + out.size(), &source, sourceEnd, &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
      const auto used = static_cast<std::size_t>(target - out.data());
      out.resize(out.size() * 2);
      target = out.data() + used;
      continue;
    }
    if (U_FAILURE(status)) return Out();
    break;
  }
  out.resize(static_cast<std::size_t>(target - out.data()));
  return out;
}

}  // namespace

std::u16string DecodeCodePage(std::string_view bytes, const char* codePage) {
  Converter converter = OpenConverter(codePage);
  if (!converter) return {};
  // One byte never yields more than one UTF-16 unit in the code pages used here (UTF-8 at most
  // one unit per byte as well), so the first buffer is usually the last.
  return ConvertAll<std::u16string>(
      bytes.data(), bytes.size(), bytes.size(),
      [&](char16_t** target, char16_t* targetEnd, const char** source, const char* sourceEnd,
          UErrorCode* status) {
        ucnv_toUnicode(converter.get(), target, targetEnd, source, sourceEnd, nullptr, true,
                       status);
      });
}

std::string EncodeCodePage(std::u16string_view text, const char* codePage) {
  Converter converter = OpenConverter(codePage);
  if (!converter) return {};
  UErrorCode status = U_ZERO_ERROR;
  ucnv_setSubstChars(converter.get(), "?", 1, &status);
  ucnv_setFallback(converter.get(), true);
  return ConvertAll<std::string>(
      text.data(), text.size(), text.size() * 2,
      [&](char** target, const char* targetEnd, const char16_t** source,
          const char16_t* sourceEnd, UErrorCode* status) {
        ucnv_fromUnicode(converter.get(), target, targetEnd, source, sourceEnd, nullptr, true,
                         status);
      });
}

}  // namespace platform
