// TestRandomGenerator: the checks' repeatable random numbers (minimal-standard generator with a
// 32-entry shuffle table).
#pragma once

#include <cstdint>

namespace SelfCheck {

class TestRandomGenerator {
 public:
  // Starts from startValue: the same start value gives the same sequence (start 0 as start 1).
  explicit TestRandomGenerator(int32_t startValue = 0) noexcept { Start(startValue); }
  void Start(int32_t startValue) noexcept;

  // The next number, in (0, 0.99999988].
  float Next() noexcept;
  // A whole number from 0 to n, each nearly equally likely: Next() x (n + 0.999999999)
  // truncated; 0 for n = -1.
  int32_t Draw(int32_t n) noexcept;

 private:
  void Initialise() noexcept;
  // seed = 16807 x seed mod (2^31 - 1) by Schrage's method, in 64 bits so that a seed of 2^31
  // (from the start value -2^31) steps like 1.
  static int64_t Step(int64_t seed) noexcept;

  int64_t mSeed = 0;
  int32_t mY = 0;  // 0: not initialised
  int32_t mTable[32] = {};
};

}  // namespace SelfCheck
