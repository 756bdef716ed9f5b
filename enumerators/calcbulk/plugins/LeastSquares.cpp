// Least-squares slope of a ring of samples against their running number, for the smoothed-slope plug-ins.
#include "enumerators/calcbulk/plugins/LeastSquares.h"

namespace ZR::Enum::CalcBulk {

double RingSlope(const float* ring, int32_t n, int32_t oldest) noexcept {
  double sy = 0.0;
  double sxy = 0.0;
  int32_t i = oldest;
  for (int32_t x = 1; x <= n; ++x) {
    const double v = ring[i];
    sy += v;
    sxy += v * x;
    if (++i == n)
      i = 0;
  }
  const double dn = n;
  const double sx = dn * (dn + 1.0) / 2.0;
  const double sxx = dn * (dn + 1.0) * (2.0 * dn + 1.0) / 6.0;
  return (dn * sxy - sx * sy) / (dn * sxx - sx * sx);
}

}  // namespace ZR::Enum::CalcBulk
