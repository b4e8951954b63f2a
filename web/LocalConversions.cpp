#include "web/LocalConversions.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/ChineseVariants.h"
#include "platform/CodePage.h"
#include "text/Gbk.h"

namespace web {
namespace {

using text::Text;
using text::TextView;

// For each two-byte code (lead byte 0x80 to 0xFF, any trail byte), the code of its simplified
// form, or the code itself. Built once from OpenCC's character table over every GBK character.
class SimplifiedTable {
 public:
  SimplifiedTable() {
    for (std::size_t code = 0; code < m_codes.size(); ++code) {
      m_codes[code] = static_cast<std::uint16_t>(code + kFirstCode);
    }
    // Every double-byte character, one per line, goes through OpenCC in a single call.
    std::vector<std::uint16_t> codes;
    std::u16string lines;
    platform::CodePageConverter gbk(platform::kLocalCodePage);
    std::u16string wide;
    for (unsigned code = kFirstCode; code <= 0xFFFF; ++code) {
      const char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
      wide.clear();
      if (!gbk.Decode(TextView(bytes, 2), wide) || wide.size() != 1 || wide[0] == u'\uFFFD') {
        continue;
      }
      codes.push_back(static_cast<std::uint16_t>(code));
      lines += wide[0];
      lines += u'\n';
    }
    const std::u16string simplified = platform::DecodeCodePage(
        platform::TraditionalToSimplified(platform::EncodeCodePage(lines, platform::kUtf8)),
        platform::kUtf8);

    std::size_t line = 0;
    std::size_t at = 0;
    std::vector<std::pair<std::uint16_t, char16_t>> changes;
    for (; line < codes.size() && at < simplified.size(); ++line) {
      const std::size_t end = simplified.find(u'\n', at);
      if (end == std::u16string::npos) break;
      if (end - at == 1 && simplified[at] != lines[2 * line]) {
        changes.emplace_back(codes[line], simplified[at]);
      }
      at = end + 1;
    }
    // One line out for every line in, or the table cannot be trusted.
    if (line != codes.size() || at != simplified.size()) return;
    std::string bytes;
    for (const auto& [code, character] : changes) {
      bytes.clear();
      if (!gbk.Encode(std::u16string_view(&character, 1), bytes) || bytes.size() != 2) continue;
      m_codes[code - kFirstCode] = static_cast<std::uint16_t>(
          (static_cast<unsigned char>(bytes[0]) << 8) | static_cast<unsigned char>(bytes[1]));
    }
  }

  std::uint16_t Simplified(unsigned char lead, unsigned char trail) const {
    return m_codes[((lead << 8) | trail) - kFirstCode];
  }

 private:
  static constexpr unsigned kFirstCode = 0x8000;
  std::array<std::uint16_t, 0x10000 - kFirstCode> m_codes{};
};

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
  static const SimplifiedTable table;
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
