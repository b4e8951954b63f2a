#include "web/PageDecoding.h"

#include "text/MarkerExtraction.h"
#include "web/LocalConversions.h"
#include "web/StrictConversion.h"

namespace web {
namespace {

using text::Text;
using text::TextView;

constexpr TextView kUtf8Mark = "\xEF\xBB\xBF";
constexpr TextView kUtf16LEMark = "\xFF\xFE";
constexpr TextView kUtf16BEMark = "\xFE\xFF";

// Declarations in the quote convention of the marker operations ('' stands for ").
constexpr TextView kUtf8Declarations = "charset=UTF-8[fg]charset=''UTF-8''[fg]charset='UTF-8'";
constexpr TextView kBig5Declarations = "charset=Big5[fg]charset=''Big5''[fg]charset='Big5'";
constexpr TextView kBig5HkscsDeclarations =
    "charset=Big5-HKSCS[fg]charset=''Big5-HKSCS''[fg]charset='Big5-HKSCS'";

bool Declares(TextView tag, TextView declarations) {
  return text::ContainsAlternatives(tag, text::ExpandQuotes(declarations), true);
}

struct Detected {
  TextEncoding encoding;
  TextView content;
};

Detected DetectEncoding(TextView page) {
  if (page.starts_with(kUtf8Mark)) return {TextEncoding::Utf8, page.substr(kUtf8Mark.size())};
  if (page.starts_with(kUtf16LEMark)) {
    return {TextEncoding::Utf16LE, page.substr(kUtf16LEMark.size())};
  }
  if (page.starts_with(kUtf16BEMark)) {
    return {TextEncoding::Utf16BE, page.substr(kUtf16BEMark.size())};
  }
  // The declarations are looked for in the page read as text, which ends at NUL or Ctrl-Z.
  switch (SniffMetaCharset(page.substr(0, page.find_first_of(TextView("\0\x1A", 2))))) {
    case MetaCharset::Utf8:
      return {TextEncoding::Utf8, page};
    case MetaCharset::Big5:
      return {TextEncoding::Big5, page};
    case MetaCharset::Big5Hkscs:
      return {TextEncoding::Big5Hkscs, page};
    case MetaCharset::None:
      break;
  }
  return {TextEncoding::Local, page};
}

Text Convert(const Detected& detected) {
  switch (detected.encoding) {
    case TextEncoding::Utf8: {
      Text strict = ConvertStrictToGb18030(detected.content, "UTF-8");
      return strict.empty() ? LenientUtf8ToLocal(detected.content) : strict;
    }
    case TextEncoding::Utf16LE:
      return ConvertStrictToGb18030(detected.content, "UTF-16LE");
    case TextEncoding::Utf16BE:
      return ConvertStrictToGb18030(detected.content, "UTF-16BE");
    case TextEncoding::Big5:
    case TextEncoding::Big5Hkscs: {
      Text strict = ConvertStrictToGb18030(
          detected.content, detected.encoding == TextEncoding::Big5 ? "BIG5" : "BIG5-HKSCS");
      return strict.empty() ? Big5ToLocal(detected.content) : strict;
    }
    case TextEncoding::Local:
      return ConvertStrictToGb18030(detected.content, "UTF-8");
  }
  return {};
}

}  // namespace

MetaCharset SniffMetaCharset(TextView page) {
  Text head = text::TextBetween(page, "<head>", "</head>");
  const TextView area = head.empty() ? page : TextView(head);
  text::Index position = 0;
  for (;;) {
    const Text tag = text::TextBetweenTolerant(area, "<meta", ">", &position);
    if (tag.empty()) return MetaCharset::None;
    if (Declares(tag, kUtf8Declarations)) return MetaCharset::Utf8;
    if (Declares(tag, kBig5Declarations)) return MetaCharset::Big5;
    if (Declares(tag, kBig5HkscsDeclarations)) return MetaCharset::Big5Hkscs;
  }
}

Text DecodePageText(TextView page) {
  Text decoded = Convert(DetectEncoding(page));
  // Nothing fitted: the page is taken as local text already. The whole page is kept; a Ctrl-Z
  // byte inside it is not an end of text here, since that would drop the rest of the page.
  return decoded.empty() ? Text(text::UpToNul(page)) : decoded;
}

}  // namespace web
