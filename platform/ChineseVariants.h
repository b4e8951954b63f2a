#pragma once

#include <string>
#include <string_view>

namespace platform {

// Maps each traditional Chinese character of UTF-8 text to its simplified form, one character
// at a time (no phrase rules), with OpenCC's character table. Characters without a simplified
// form stay as they are. When OpenCC or its data cannot be loaded, the text comes back as it is.
std::string TraditionalToSimplified(const std::string& utf8);

}  // namespace platform
