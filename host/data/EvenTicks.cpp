// Whether a record's time stamps are even ticks as written, and the tick period they give.
#include "host/data/EvenTicksPrivate.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstddef>

namespace host {

int WrittenDigit(std::string_view number) {
  const size_t e = number.find_first_of("eE");
  int exponent = 0;
  if (e != std::string_view::npos) {
    std::string_view power = number.substr(e + 1);
    if (!power.empty() && power[0] == '+') power.remove_prefix(1);
    std::from_chars(power.data(), power.data() + power.size(), exponent);
  }
  const std::string_view mantissa = number.substr(0, e);
  const size_t point = mantissa.find_first_of(".,");
  const int decimals = point == std::string_view::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
  // A finite double's digits lie well inside this; the clamp keeps 10^digit a number.
  return std::clamp(exponent - decimals, -400, 400);
}

namespace {

// The greatest distance of a time from the line through (0, start) with slope `period`, both
// ways: max(t[i] - i*period) and min(t[i] - i*period); their difference is twice the distance of
// the nearest line of that slope.
struct Band {
  double top;
  double bottom;
  ptrdiff_t topAt;
  ptrdiff_t bottomAt;
};

Band BandAt(const std::vector<double>& times, double period) {
  Band band{-HUGE_VAL, HUGE_VAL, 0, 0};
  for (size_t i = 0; i < times.size(); ++i) {
    const double d = times[i] - static_cast<double>(i) * period;
    if (d > band.top) band = {d, band.bottom, static_cast<ptrdiff_t>(i), band.bottomAt};
    if (d < band.bottom) band = {band.top, d, band.topAt, static_cast<ptrdiff_t>(i)};
  }
  return band;
}

// Whether some line puts every time within `near` of it. The line through the span's ends
// settles it when every time lies within `near` of it (yes) or one beyond twice that (no: the
// nearest line's ends lie within `near` too); between the two, the band's width is convex in the
// slope, so bisection on the slope finds its least.
bool FitsALine(const std::vector<double>& times, double spanPeriod, double near) {
  double farthest = 0.0;
  for (size_t i = 0; i < times.size(); ++i)
    farthest = std::max(farthest, std::fabs(times[i] - times[0] - static_cast<double>(i) * spanPeriod));
  if (farthest <= near) return true;
  if (farthest > 2.0 * near) return false;
  const double last = static_cast<double>(times.size() - 1);
  double low = spanPeriod - 2.0 * near / last;
  double high = spanPeriod + 2.0 * near / last;
  for (int step = 0; step < 200 && low < high; ++step) {
    const double period = low + (high - low) / 2.0;
    if (period <= low || period >= high) break;
    const Band band = BandAt(times, period);
    if (band.top - band.bottom <= 2.0 * near) return true;
    // The band narrows towards a steeper slope when its top lies after its bottom.
    (band.topAt > band.bottomAt ? low : high) = period;
  }
  return false;
}

// The index of the first time whose step from the one before differs from the record's usual
// (median) step by more than `off`: a jump there skews every line through the times, so that
// times drift from it long before the jump. 0 when none, or when fewer than three steps give no
// usual one.
int FirstUnevenStep(const std::vector<double>& times, double digit, double slack) {
  if (times.size() < 4) return 0;
  std::vector<double> steps(times.size() - 1);
  for (size_t i = 1; i < times.size(); ++i) steps[i - 1] = times[i] - times[i - 1];
  std::vector<double> sorted = steps;
  std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2), sorted.end());
  const double usual = sorted[sorted.size() / 2];
  if (!(usual > 0.0)) return 0;
  // Two times rounded to the digit make a step up to a digit from the tick period either way.
  const double off = std::max(digit, 0.25 * usual) + slack;
  for (size_t i = 0; i < steps.size(); ++i)
    if (std::fabs(steps[i] - usual) > off) return static_cast<int>(i) + 1;
  return 0;
}

// 10^k by products of ten: exact up to 10^22, whatever the library's pow makes of it.
double PowerOfTen(int k) {
  double power = 1.0;
  for (int i = 0; i < k; ++i) power *= 10.0;
  return power;
}

// x to `digits` significant digits. Scaled by an exact power of ten, up or down, so that a rate
// such as 40000 rounds to itself exactly (times 1e-4 is not exact).
double RoundSignificant(double x, int digits) {
  const int shift = digits - 1 - static_cast<int>(std::floor(std::log10(x)));
  if (shift >= 0) {
    const double scale = PowerOfTen(shift);
    return std::round(x * scale) / scale;
  }
  const double scale = PowerOfTen(-shift);
  return std::round(x / scale) * scale;
}

// Of the periods within `spread` of `period`, the one written with the fewest significant
// digits as a period or as a rate, the nearer of the two when both take as many.
double SimplestPeriod(double period, double spread) {
  for (int digits = 1; digits <= 17; ++digits) {
    const double asPeriod = RoundSignificant(period, digits);
    const double asRate = 1.0 / RoundSignificant(1.0 / period, digits);
    const double periodOff = std::fabs(asPeriod - period);
    const double rateOff = std::fabs(asRate - period);
    if (periodOff <= spread && !(rateOff < periodOff)) return asPeriod;
    if (rateOff <= spread) return asRate;
  }
  return period;
}

}  // namespace

EvenTicks FitEvenTicks(const std::vector<double>& times, int digit) {
  const size_t n = times.size();
  const double spanPeriod = (times[n - 1] - times[0]) / static_cast<double>(n - 1);
  if (!(spanPeriod > 0.0)) return {};
  const double written = std::pow(10.0, digit);
  // The doubles' own rounding of times and products, far below any digit a recording writes.
  const double slack = 8.0 * DBL_EPSILON * std::max(std::fabs(times[0]), std::fabs(times[n - 1]));
  const double near = std::max(0.5 * written, 0.25 * spanPeriod) + slack;
  if (FitsALine(times, spanPeriod, near))
    return {SimplestPeriod(spanPeriod, written / static_cast<double>(n - 1)), 0};
  int at = FirstUnevenStep(times, written, 2.0 * slack);
  for (size_t i = 1; at == 0 && i < n; ++i)
    if (std::fabs(times[i] - times[0] - static_cast<double>(i) * spanPeriod) > near) at = static_cast<int>(i);
  return {spanPeriod, std::max(at, 1)};
}

}  // namespace host
