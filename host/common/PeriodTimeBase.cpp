// The time base of a channel sampled at an even period.
#include "host/common/PeriodTimeBase.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace host {

TimeBase PeriodTimeBase(double tickPeriod) noexcept {
  TimeBase base;
  if (!(tickPeriod > 0.0 && tickPeriod <= 1e6)) return base;
  const double rate = 1.0 / tickPeriod;
  const double whole = std::round(rate);
  if (whole >= 1.0 && std::fabs(rate - whole) <= 1e-9 * whole) {
    base.denominator = static_cast<int64_t>(whole);
    return base;
  }
  const int64_t numerator = std::max<int64_t>(1, std::llround(tickPeriod * 1e9));
  const int64_t g = std::gcd(numerator, int64_t{1000000000});
  base.numerator = numerator / g;
  base.denominator = 1000000000 / g;
  return base;
}

}  // namespace host
