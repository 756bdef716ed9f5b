// Noise for synthetic test signals, the same for the same seed on every run and machine.
#pragma once

#include <cmath>
#include <cstdint>

namespace testsupport {

// The next uniform number in [0, 1) of a linear congruential generator whose state is seed.
inline double NextUniform(uint32_t& seed) {
  seed = seed * 1664525u + 1013904223u;
  return (seed >> 8) / 16777216.0;
}

// About normal noise of standard deviation sd, the same for the same seed: a sum of twelve uniform numbers,
// white, or low-pass filtered over a time constant of the given samples as a recording's amplifier filters it.
class Noise {
 public:
  explicit Noise(uint32_t seed, double filterSamples = 0.0)
      : mSeed(seed), mKeep(filterSamples > 0.0 ? std::exp(-1.0 / filterSamples) : 0.0) {}
  double operator()(double sd) {
    double sum = 0.0;
    for (int i = 0; i < 12; ++i) sum += NextUniform(mSeed);
    mLast = mFirst ? sum - 6.0 : mKeep * mLast + std::sqrt(1.0 - mKeep * mKeep) * (sum - 6.0);
    mFirst = false;
    return sd * mLast;
  }

 private:
  uint32_t mSeed;
  double mKeep;
  double mLast = 0.0;
  bool mFirst = true;
};

}  // namespace testsupport
