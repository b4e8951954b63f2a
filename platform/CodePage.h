#pragma once

#include <memory>
#include <string>
#include <string_view>

struct UConverter;

namespace platform {

// ICU names of the code pages the system converts between. The local code page is the one
// every `Text` is held in.
inline constexpr const char* kLocalCodePage = "windows-936-2000";
inline constexpr const char* kBig5CodePage = "windows-950-2000";
inline constexpr const char* kUtf8 = "UTF-8";
// What local text is read as at the boundary to the user (widgets, terminals, files of the
// user's): GB18030 holds all of GBK and every other character too, so nothing is lost on the
// way in and out.
inline constexpr const char* kBoundaryCodePage = "gb18030";

// One ICU converter between a code page and UTF-16, for converting a long input in pieces.
// Byte sequences that are not valid in the code page decode to substitution characters; a
// character that the code page cannot represent encodes as "?", after the converter's best-fit
// fallbacks (as the Windows conversion functions do).
class CodePageConverter {
 public:
  explicit CodePageConverter(const char* codePage);
  ~CodePageConverter();
  CodePageConverter(const CodePageConverter&) = delete;
  CodePageConverter& operator=(const CodePageConverter&) = delete;

  // False when the code page is unknown; every conversion then fails.
  bool valid() const { return m_converter != nullptr; }

  // Append the conversion of `input` to `out`. Without `flush`, a character cut by the end of
  // the input is held back for the next call. False on failure.
  bool Decode(std::string_view input, std::u16string& out, bool flush = true);
  bool Encode(std::u16string_view input, std::string& out, bool flush = true);

 private:
  struct Closer {
    void operator()(UConverter* converter) const;
  };
  std::unique_ptr<UConverter, Closer> m_converter;
};

// Replaces each base character followed by a combining mark by the precomposed character of the
// two where Unicode has one (e becomes \u00E9), as WideCharToMultiByte does with
// WC_COMPOSITECHECK. Other text is left alone; unlike full NFC this never touches singletons.
std::u16string ComposeMarks(std::u16string_view text);

// Whole-text conversions; an unknown code page gives an empty string.
std::u16string DecodeCodePage(std::string_view bytes, const char* codePage);
std::string EncodeCodePage(std::u16string_view text, const char* codePage);

}  // namespace platform
