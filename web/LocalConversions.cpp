#include "web/LocalConversions.h"

#include <cstdint>
#include <string>

#include "platform/CodePage.h"
#include "text/Gbk.h"
#include "web/SimplifiedChineseTable.h"

namespace web {
namespace {

using text::Text;
using text::TextView;

// A base character followed by a combining mark is composed into one where possible, as the
// platform conversion does with WC_COMPOSITECHECK.
Text EncodeLocal(std::u16string_view wide, bool composeMarks) {
  return composeMarks
             ? platform::EncodeCodePage(platform::ComposeMarks(wide), platform::kLocalCodePage)
             : platform::EncodeCodePage(wide, platform::kLocalCodePage);
}

}  // namespace

Text LenientUtf8ToLocal(TextView utf8) {
  Text out = EncodeLocal(platform::DecodeCodePage(utf8, platform::kUtf8), true);
  out.resize(text::UpToNul(out).size());
  return out;
}

Text Utf8ToLocal(TextView utf8) {
  return EncodeLocal(platform::DecodeCodePage(text::UpToNul(utf8), platform::kUtf8), false);
}

Text Big5ToLocal(TextView big5) {
  return EncodeLocal(platform::DecodeCodePage(text::UpToNul(big5), platform::kBig5CodePage), false);
}

Text ToSimplifiedChinese(TextView local) {
  static const SimplifiedChineseTable table;
  Text out(local);
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (!text::gbk::IsLeadByte(out[i]) || i + 1 == out.size()) continue;
    const std::uint16_t code = table.Simplified(static_cast<unsigned char>(out[i]),
                                                static_cast<unsigned char>(out[i + 1]));
    out[i] = static_cast<char>(code >> 8);
    out[++i] = static_cast<char>(code & 0xFF);
  }
  return out;
}

}  // namespace web
