// A repeatable random source for the fuzzer and the damage sweep: splitmix64, the same numbers for
// the same seed on every platform.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz {

class Random {
 public:
  explicit Random(uint64_t seed) : mState(seed) {}
  uint64_t Next() {
    uint64_t z = (mState += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // A number from 0 to bound - 1; 0 for a bound of 0, without drawing.
  size_t Below(size_t bound) { return bound == 0 ? 0 : static_cast<size_t>(Next() % bound); }
  bool OneIn(size_t n) { return Below(n) == 0; }

 private:
  uint64_t mState;
};

}  // namespace fuzz
