#pragma once

#include <string>
#include <string_view>

namespace platform {

// ICU names of the code pages the system converts between. The local code page is the one
// every `Text` is held in.
inline constexpr const char* kLocalCodePage = "windows-936-2000";
inline constexpr const char* kBig5CodePage = "windows-950-2000";
inline constexpr const char* kUtf8 = "UTF-8";

// Converts bytes of `codePage` to UTF-16. Byte sequences that are not valid in the code page
// become substitution characters; an unknown code page gives an empty string.
std::u16string DecodeCodePage(std::string_view bytes, const char* codePage);

// Converts UTF-16 to `codePage`. A character that the code page cannot represent becomes "?",
// after the converter's best-fit fallbacks (as the Windows conversion functions do).
std::string EncodeCodePage(std::u16string_view text, const char* codePage);

}  // namespace platform
