#include "web/SimplifiedChineseTable.h"

#include <string>
#include <utility>
#include <vector>

#include "platform/ChineseVariants.h"
#include "platform/CodePage.h"

namespace web {
namespace {

// Every valid double-byte GBK character: its code, and its UTF-16 form followed by a line break.
struct GbkCharacters {
  std::vector<std::uint16_t> codes;
  std::u16string lines;
};

GbkCharacters AllGbkCharacters(platform::CodePageConverter& gbk, unsigned firstCode) {
  GbkCharacters all;
  std::u16string wide;
  for (unsigned code = firstCode; code <= 0xFFFF; ++code) {
    const char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    wide.clear();
    if (!gbk.Decode(std::string_view(bytes, 2), wide) || wide.size() != 1 || wide[0] == u'\uFFFD') {
      continue;
    }
    all.codes.push_back(static_cast<std::uint16_t>(code));
    all.lines += wide[0];
    all.lines += u'\n';
  }
  return all;
}

// The characters OpenCC changes, paired with their codes. Empty unless OpenCC gave back one
// line for every line it was given.
std::vector<std::pair<std::uint16_t, char16_t>> Changes(const GbkCharacters& all) {
  const std::u16string simplified = platform::DecodeCodePage(
      platform::TraditionalToSimplified(platform::EncodeCodePage(all.lines, platform::kUtf8)),
      platform::kUtf8);
  std::vector<std::pair<std::uint16_t, char16_t>> changes;
  std::size_t at = 0;
  for (std::size_t line = 0; line < all.codes.size(); ++line) {
    const std::size_t end = simplified.find(u'\n', at);
    if (end == std::u16string::npos) return {};
    if (end - at == 1 && simplified[at] != all.lines[2 * line]) {
      changes.emplace_back(all.codes[line], simplified[at]);
    }
    at = end + 1;
  }
  return at == simplified.size() ? changes : decltype(changes)();
}

}  // namespace

SimplifiedChineseTable::SimplifiedChineseTable() {
  for (std::size_t code = 0; code < m_codes.size(); ++code) {
    m_codes[code] = static_cast<std::uint16_t>(code + kFirstCode);
  }
  platform::CodePageConverter gbk(platform::kLocalCodePage);
  std::string bytes;
  for (const auto& [code, character] : Changes(AllGbkCharacters(gbk, kFirstCode))) {
    bytes.clear();
    if (!gbk.Encode(std::u16string_view(&character, 1), bytes) || bytes.size() != 2) continue;
    m_codes[code - kFirstCode] = static_cast<std::uint16_t>(
        (static_cast<unsigned char>(bytes[0]) << 8) | static_cast<unsigned char>(bytes[1]));
  }
}

}  // namespace web
