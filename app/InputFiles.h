#pragma once

// The files tervane-collect reads besides its options.

#include <optional>
#include <string>
#include <vector>

#include "text/Text.h"

namespace app {

// The whole content of the file at `path`, or of standard input for "-"; nullopt with `error`
// saying why when it cannot be read.
std::optional<std::string> ReadInputFile(const std::string& path, std::string& error);

// The post addresses of a UTF-8 text, one per line (LF or CR LF), as local text. A line break
// at the very end adds no line; empty lines in between stay (they give empty entries, as in
// the window's address box).
std::vector<text::Text> AddressLines(std::string_view utf8);

}  // namespace app
