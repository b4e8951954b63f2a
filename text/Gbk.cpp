#include "text/Gbk.h"

namespace text::gbk {

Needle::Needle(std::string_view needle, bool ignoreCase)
    : m_bytes(needle), m_ignoreCase(ignoreCase), m_folded(needle) {
  if (!ignoreCase) return;
  m_foldable.assign(needle.size(), 0);
  for (std::size_t i = 0; i < needle.size(); i += CharWidth(needle, i)) {
    if (IsLeadByte(needle[i])) continue;
    m_folded[i] = FoldAscii(needle[i]);
    m_foldable[i] = 1;
  }
}

}  // namespace text::gbk
