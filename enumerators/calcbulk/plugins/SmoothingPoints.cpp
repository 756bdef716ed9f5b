// Number of samples in the smoothed-slope window, from the host's time-base answer.
#include "enumerators/calcbulk/plugins/SmoothingPoints.h"

#include <cmath>

namespace ZR::Enum::CalcBulk {

SmoothingPoints ComputeSmoothingPoints(int64_t a, int64_t b, double c) noexcept {
  SmoothingPoints s;
  if (a <= 0 || b <= 0)
    return s;
  const double raw = std::trunc((5.0 - c) / (static_cast<double>(a) / static_cast<double>(b)));
  if (!std::isfinite(raw))
    return s;
  if (raw < SmoothingPoints::kMinPoints) {
    s.n = SmoothingPoints::kMinPoints;
    s.usable = false;
    return s;
  }
  s.n = raw > SmoothingPoints::kMaxPoints ? SmoothingPoints::kMaxPoints : static_cast<int32_t>(raw);
  return s;
}

}  // namespace ZR::Enum::CalcBulk
