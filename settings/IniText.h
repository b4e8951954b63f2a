#pragma once

// Reading and changing one value in the text of an INI file, as the classic profile functions
// do: "[section]" lines open sections, "key=value" lines hold values. Section names and keys
// match without regard to ASCII letter case and to blanks around them; a value is everything
// after the first "=" up to the line end, kept byte for byte, so a value of any length comes
// back whole. Lines end in LF or CR LF; lines of any other shape are skipped and kept.

#include <optional>

#include "text/Text.h"

namespace settings {

// The value of `key` in `section`, or nothing when the section or the key is missing. The
// first of several equal keys counts.
std::optional<text::TextView> FindIniValue(text::TextView content, text::TextView section,
                                           text::TextView key);

// `content` with `key` in `section` set to `value`: an existing line of the key is rewritten in
// place; a missing key is added after the last line of its section; a missing section is added
// at the end. New lines end in CR LF.
text::Text WithIniValue(text::TextView content, text::TextView section, text::TextView key,
                        text::TextView value);

}  // namespace settings
