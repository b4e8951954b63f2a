#pragma once

// Turning a fetched page, in whatever encoding its server chose, into local (GBK) text.

#include "text/Text.h"

namespace web {

// How a page's bytes are read.
enum class TextEncoding {
  Local = 1,  // nothing declared: tried as UTF-8, else taken as it is
  Utf8 = 2,
  Utf16LE = 3,
  Utf16BE = 4,
  Big5 = 5,
  Big5Hkscs = 6,
};

// The charset declared by the first "<meta" tag (in the head, or anywhere when the page has no
// plain "<head>") that declares UTF-8, Big5 or Big5-HKSCS.
enum class MetaCharset { None = 0, Utf8 = 1, Big5 = 2, Big5Hkscs = 3 };

MetaCharset SniffMetaCharset(text::TextView page);

// The page as local text: a byte-order mark, then a meta declaration, decides the encoding;
// the content is converted strictly to GB18030, with lenient fall-backs for UTF-8 and Big5. A
// page that declares nothing is taken as UTF-8 when it is valid UTF-8, and as it is otherwise.
text::Text DecodePageText(text::TextView page);

}  // namespace web
