#pragma once

#include <array>
#include <cstdint>

namespace web {

// For every two-byte code (lead byte 0x80 to 0xFF, any trail byte), the GBK code of its
// simplified form, or the code itself when it is not a traditional character with a simplified
// form in GBK. Built from OpenCC's character table over every GBK character.
class SimplifiedChineseTable {
 public:
  SimplifiedChineseTable();

  std::uint16_t Simplified(unsigned char lead, unsigned char trail) const {
    return m_codes[((lead << 8) | trail) - kFirstCode];
  }

 private:
  static constexpr unsigned kFirstCode = 0x8000;
  std::array<std::uint16_t, 0x10000 - kFirstCode> m_codes{};
};

}  // namespace web
