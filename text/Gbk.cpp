#include "text/Gbk.h"

#include <cstring>

namespace text::gbk {

Needle::Needle(std::string_view needle, bool ignoreCase)
    : m_bytes(needle), m_ignoreCase(ignoreCase) {
  if (!ignoreCase) return;
  m_folded.assign(needle);
  m_foldable.assign(needle.size(), 0);
  for (std::size_t i = 0; i < needle.size(); i += CharWidth(needle, i)) {
    if (IsLeadByte(needle[i])) continue;
    m_folded[i] = FoldAscii(needle[i]);
    m_foldable[i] = 1;
  }
}

bool Needle::MatchesAt(std::string_view text, std::size_t i) const {
  const char* at = text.data() + i;
  if (!m_ignoreCase) return std::memcmp(at, m_bytes.data(), m_bytes.size()) == 0;
  for (std::size_t k = 0; k < m_bytes.size(); ++k) {
    const char byte = m_foldable[k] ? FoldAscii(at[k]) : at[k];
    if (byte != m_folded[k]) return false;
  }
  return true;
}

}  // namespace text::gbk
