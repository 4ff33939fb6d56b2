// The random stream of the input generator: splitmix64, so that a seed gives
// the same events on every platform and compiler.
#pragma once

#include <cstdint>
#include <iterator>

namespace wintest {

class MonkeyRandom {
public:
  // The seed is mixed first: neighbouring seeds would otherwise give the
  // same stream one step apart.
  explicit MonkeyRandom(std::uint64_t Seed) : FState(Mix(Seed ^ 0x632BE59BD9B4E019ull)) {}

  std::uint64_t Next() { return Mix(FState += 0x9E3779B97F4A7C15ull); }
  int Below(int N) { return static_cast<int>(Next() % static_cast<std::uint64_t>(N)); }
  bool Chance(int Percent) { return Below(100) < Percent; }
  template <class A> auto Pick(const A& Items) -> decltype(Items[0]) {
    return Items[Below(static_cast<int>(std::size(Items)))];
  }

private:
  static std::uint64_t Mix(std::uint64_t Z) {
    Z = (Z ^ (Z >> 30)) * 0xBF58476D1CE4E5B9ull;
    Z = (Z ^ (Z >> 27)) * 0x94D049BB133111EBull;
    return Z ^ (Z >> 31);
  }

  std::uint64_t FState;
};

} // namespace wintest
