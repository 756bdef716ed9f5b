// Saturating conversions from milliseconds and doubles to 32-bit ticks, and tick offsets added without overflow.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Bounds of settings reach 1.79e308 and tick ends reach 0x7FFFFFFF, so every conversion here clamps to the
// int32 range instead of casting an out-of-range double (undefined behaviour) or wrapping an int32 sum.
// A NaN converts to 0: a setting without a number behaves like no offset at all.

inline constexpr int32_t kTickMin = std::numeric_limits<int32_t>::min();
inline constexpr int32_t kTickMax = std::numeric_limits<int32_t>::max();

// trunc(x) toward zero, clamped to [kTickMin, kTickMax]; NaN gives 0.
inline int32_t TruncToInt32Sat(double x) noexcept {
  if (std::isnan(x)) return 0;
  if (x >= 2147483647.0) return kTickMax;
  if (x <= -2147483648.0) return kTickMin;
  return static_cast<int32_t>(x);
}

// trunc(x + 0.5) toward zero, the rounding every millisecond-to-tick conversion uses; saturating, NaN gives 0.
inline int32_t TruncHalfUpToInt32Sat(double x) noexcept { return TruncToInt32Sat(x + 0.5); }

// Rounds half away from zero (value + 0.5 truncated when positive, value - 0.5 truncated otherwise), saturating;
// NaN gives 0. Settings limits and integer parameters are rounded this way.
inline int32_t RoundHalfAwayToInt32Sat(double x) noexcept {
  return x > 0.0 ? TruncToInt32Sat(x + 0.5) : TruncToInt32Sat(x - 0.5);
}

// Milliseconds to ticks: trunc(ms x 0.001 / tickPeriod + 0.5), tickPeriod in seconds. A zero or negative period
// gives an infinite or negative quotient, which saturates like any other.
inline int32_t MsToTicks(double ms, double tickPeriodSeconds) noexcept {
  return TruncHalfUpToInt32Sat(ms * 0.001 / tickPeriodSeconds);
}

// tick + delta clamped to the int32 range (a window end such as peak tick + duration may exceed it).
// The detectors' and some stages' form: trunc(ms / (tick period in ms) + 0.5), saturating.
// It can differ from MsToTicks in the last bit at half-tick values; each family keeps its own.
inline int32_t MsToTicksByPeriodMs(double ms, double tickPeriodSeconds) noexcept {
  return TruncHalfUpToInt32Sat(ms / (tickPeriodSeconds * 1000.0));
}

inline int32_t AddTicksSat(int32_t tick, int32_t delta) noexcept {
  const int64_t sum = static_cast<int64_t>(tick) + static_cast<int64_t>(delta);
  if (sum > kTickMax) return kTickMax;
  if (sum < kTickMin) return kTickMin;
  return static_cast<int32_t>(sum);
}

// tick - delta clamped to the int32 range.
inline int32_t SubTicksSat(int32_t tick, int32_t delta) noexcept {
  const int64_t diff = static_cast<int64_t>(tick) - static_cast<int64_t>(delta);
  if (diff > kTickMax) return kTickMax;
  if (diff < kTickMin) return kTickMin;
  return static_cast<int32_t>(diff);
}

// tick + ticks given as a double (for example a duration in ticks computed from a setting), saturating;
// NaN adds nothing.
inline int32_t AddDoubleTicksSat(int32_t tick, double ticks) noexcept {
  if (std::isnan(ticks)) return tick;
  const double sum = static_cast<double>(tick) + std::trunc(ticks);
  return TruncToInt32Sat(sum);
}
