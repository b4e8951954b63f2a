#pragma once

// Conversions of fetched text into the local code page (GBK) by the platform's code pages,
// which, unlike the strict conversion, never fail on invalid input.

#include "text/Text.h"

namespace web {

// UTF-8 bytes to local text. Invalid sequences become "?"; a base character followed by a
// combining mark is composed first when a precomposed character exists. Ends at the first NUL.
text::Text LenientUtf8ToLocal(text::TextView utf8);

// UTF-8 text (up to its first NUL) to local text; invalid sequences and characters without a
// GBK form become "?".
text::Text Utf8ToLocal(text::TextView utf8);

// Big5 text (code page 950, up to its first NUL) to local text. Characters without a GBK form
// become "?".
text::Text Big5ToLocal(text::TextView big5);

// Local text with every traditional Chinese character replaced by its simplified form, one
// character for one, so the length never changes. Bytes that are not GBK characters, such as
// the four-byte GB18030 sequences of decoded pages, pass through untouched.
text::Text ToSimplifiedChinese(text::TextView local);

}  // namespace web
