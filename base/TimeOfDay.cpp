// TimeOfDay: splitting a time into fields with the carry rule, and stepping it.
#include "base/TimeOfDay.h"

#include <cmath>
#include <cstdint>

namespace QOR {

void TimeOfDay::Set(double value) {
  if (valueFlags & kTimeTotalSeconds) {
    seconds = value;
    return;
  }
  negative = value < 0;
  // A time that is no number shows as zero rather than converting a NaN into the fields.
  double v = std::isfinite(value) ? std::fabs(value) : 0.0;
  seconds = std::fmod(v, 60.0);
  carryCorrection = 0.0;
  if (!(60.0 - seconds > roundingThreshold)) {
    // It would show as 60 at this precision: count the next minute instead.
    carryCorrection = negative ? -(60.0 - seconds) : 60.0 - seconds;
    seconds = 0.0;
    v += 0.75;
  }
  minutes = static_cast<int32_t>(std::floor(std::fmod(v / 60.0, 60.0)));
  const double h = std::floor(v / 3600.0);
  hours = h < 2147483647.0 ? static_cast<int32_t>(h) : INT32_MAX;
}

// The correction is subtracted after the sign: a negative time's fields exceed its magnitude, and
// its correction is negated, so both signs give the time that was set.
double TimeOfDay::ExactValue(bool modulo24) const {
  if (valueFlags & kTimeTotalSeconds) return seconds;
  const double h = modulo24 ? hours % 24 : hours;
  const double fields = (h * 3600.0 + minutes * 60.0) + seconds;
  return (negative ? -fields : fields) - carryCorrection;
}

void TimeOfDay::AddSeconds(double delta) {
  if (valueFlags & kTimeTotalSeconds) {
    seconds += delta;
    return;
  }
  double s = seconds - std::fabs(carryCorrection) + (negative ? -delta : delta);
  int64_t totalMinutes = static_cast<int64_t>(hours) * 60 + minutes;
  const int64_t carried = static_cast<int64_t>(std::floor(s / 60.0));
  totalMinutes += carried;
  s -= static_cast<double>(carried) * 60.0;
  if (totalMinutes < 0) {
    // Crossed zero: the magnitude is what lies below it.
    negative = !negative;
    totalMinutes = -totalMinutes - 1;
    s = 60.0 - s;
    if (s >= 60.0) {
      s -= 60.0;
      ++totalMinutes;
    }
  }
  if (totalMinutes == 0 && s == 0.0) negative = false;  // zero has no sign, as when set
  carryCorrection = 0.0;
  if (!(60.0 - s > roundingThreshold)) {
    carryCorrection = negative ? -(60.0 - s) : 60.0 - s;
    s = 0.0;
    ++totalMinutes;
  }
  seconds = s;
  minutes = static_cast<int32_t>(totalMinutes % 60);
  hours = static_cast<int32_t>(totalMinutes / 60);
}

}  // namespace QOR
