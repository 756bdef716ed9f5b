// 1-2-5 steps.
#include "platform/uihelpers/NiceStep.h"

#include <cmath>

namespace QOR {

// 10^decade by repeated squaring; the reciprocal for a negative decade.
static double PowerOfTen(int decade) noexcept {
  unsigned n = decade < 0 ? static_cast<unsigned>(-(decade + 1)) + 1u : static_cast<unsigned>(decade);
  double result = 1.0;
  double base = 10.0;
  for (; n; n >>= 1, base *= base)
    if (n & 1u) result *= base;
  return decade < 0 ? 1.0 / result : result;
}

double NiceStepUp(double value, int decade) noexcept {
  double const scale = PowerOfTen(decade);
  double const m = std::trunc(value / scale);
  double const step = m < 2 ? 2 : m < 5 ? 5 : m < 10 ? 10 : 20;
  return step * scale;
}

double NiceStepDown(double value, int decade) noexcept {
  double const scale = PowerOfTen(decade);
  double const m = std::trunc(value / scale);
  double const step = m > 5 ? 5 : m >= 3 ? 2 : m == 2 ? 1 : m == 1 ? 0.5 : 0;
  return step * scale;
}

static int DecadeOf(double value) noexcept {
  return value > 0 ? static_cast<int>(std::floor(std::log10(value))) : 0;
}

double NiceStepUp(double value) noexcept { return NiceStepUp(value, DecadeOf(value)); }
double NiceStepDown(double value) noexcept { return NiceStepDown(value, DecadeOf(value)); }

}  // namespace QOR
