// Steepest rise and fall of the smoothed signal over the whole peak.
#pragma once

#include <cstdint>
#include <vector>

#include "enumerators/calcbulk/plugins/MeasureInput.h"

namespace ZR::Enum::CalcBulk {

// Range [S, E). A window of the last N samples (N the smoothing points) slides one sample
// at a time; each full window's least-squares slope (per second) is compared with the
// extremes so far, ties keeping the earlier window. The tick of a window is its middle
// sample, t - N/2. Writes "MaxSlope", "MinSlope", "TMaxSlope", "TMinSlope" (from S),
// "AMaxSlope", "AMinSlope" (the middle samples); all six no value when no window was
// full or the smoothing points are unusable.
class CalcMinMaxSlope {
 public:
  bool IsActive(const MeasureInput& in) const noexcept;
  TickRange Range(const MeasureInput&) const noexcept { return mRange; }
  void Begin(const MeasureInput& in);
  void Add(const MeasureInput& in, int32_t firstTick, const float* v, int32_t n) noexcept;
  void Write(const MeasureInput& in, EventFCalc& out) const noexcept;

 private:
  struct Extreme {
    int32_t tick = kNoTick;
    float value = 0.0f;
    double slope = 0.0;
  };

  template <class Slope>
  void AddWindows(const Slope& slope, double period, int32_t firstTick, const float* v, int32_t n) noexcept;

  TickRange mRange;
  std::vector<float> mRing;  // the window twice over (2N), sized once per event; no allocation per sample
  int32_t mIndex = 0;
  bool mFull = false;
  Extreme mMax;
  Extreme mMin;
  bool mFound = false;
};

}  // namespace ZR::Enum::CalcBulk
