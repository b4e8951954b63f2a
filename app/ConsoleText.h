#pragma once

// Local text to and from what a terminal, a shell argument or a user's text file holds (UTF-8).

#include <string>
#include <string_view>

#include "text/Text.h"

namespace app {

// Invalid UTF-8 becomes substitution characters; a leading byte-order mark is dropped.
text::Text LocalFromUtf8(std::string_view utf8);
std::string Utf8FromLocal(text::TextView local);

}  // namespace app
