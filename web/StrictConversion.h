#pragma once

#include "text/Text.h"

namespace web {

// The content converted from the iconv encoding `from` into GB18030 (which agrees with GBK on
// every GBK character and spells the others in four bytes), read as text up to its first NUL.
// Any invalid or incomplete input sequence, or an encoding iconv does not know, gives the empty
// text.
text::Text ConvertStrictToGb18030(text::TextView content, const char* from);

}  // namespace web
