#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace sim {

// A small deterministic generator (splitmix64): the same seed gives the same fixtures on every
// machine and standard library, which std::uniform_int_distribution does not promise.
class Random {
 public:
  explicit Random(std::uint64_t seed) : m_state(seed) {}
  // A generator seeded from several values, for a fixture item known by its place.
  Random(std::initializer_list<std::uint64_t> parts);

  std::uint64_t Next();
  // A whole number from 0 to n - 1; n must be positive.
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  bool OneIn(int n) { return Below(n) == 0; }

  template <typename T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(static_cast<int>(N))];
  }

 private:
  std::uint64_t m_state;
};

}  // namespace sim
