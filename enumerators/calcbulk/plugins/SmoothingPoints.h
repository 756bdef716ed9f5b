// Number of samples in the smoothed-slope window, from the host's time-base answer.
#pragma once

#include <cstdint>

namespace ZR::Enum::CalcBulk {

struct SmoothingPoints {
  int32_t n = 5;        // window length, always within [kMinPoints, kMaxPoints]
  bool usable = true;   // false when the answer asked for fewer than two points
  static constexpr int32_t kMinPoints = 2;
  static constexpr int32_t kMaxPoints = 1000;
};

// N = trunc((5.0 - c) / (a / b)). The host normally answers (1, 1, 0.0), giving 5.
// An answer with a or b not positive, or whose N is not finite, gives 5 as if the host
// had not answered. N is clamped to [2, 1000] so the window's ring stays sane; an N
// below 2 (no least-squares slope exists) is marked unusable, and the slope
// measurements made with it are no value.
SmoothingPoints ComputeSmoothingPoints(int64_t a, int64_t b, double c) noexcept;

}  // namespace ZR::Enum::CalcBulk
