#include "sim/Random.h"

namespace sim {

Random::Random(std::initializer_list<std::uint64_t> parts) : m_state(0x6A09E667F3BCC908ULL) {
  for (const std::uint64_t part : parts) {
    m_state = Next() ^ part;
  }
}

std::uint64_t Random::Next() {
  m_state += 0x9E3779B97F4A7C15ULL;
  std::uint64_t z = m_state;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

}  // namespace sim
