// Steepest rise and fall of the smoothed signal over the whole peak.
#include "enumerators/calcbulk/plugins/CalcMinMaxSlope.h"

#include "enumerators/calcbulk/plugins/LeastSquares.h"

namespace ZR::Enum::CalcBulk {

bool CalcMinMaxSlope::IsActive(const MeasureInput& in) const noexcept {
  return in.event->peakStartTick >= 0 && in.event->peakEndTick > in.event->peakStartTick;
}

void CalcMinMaxSlope::Begin(const MeasureInput& in) {
  mRange = TickRange{in.event->peakStartTick, in.event->peakEndTick};
  mRing.assign(2 * static_cast<size_t>(in.smoothing.n), 0.0f);
  mIndex = 0;
  mFull = false;
  mFound = false;
}

void CalcMinMaxSlope::Add(const MeasureInput& in, int32_t firstTick, const float* v,
                          int32_t n) noexcept {
  // The host's usual time base gives 5 points.
  if (mRing.size() == 2 * 5)
    AddWindows(WindowSlope<5>(5), in.period, firstTick, v, n);
  else
    AddWindows(WindowSlope<>(static_cast<int32_t>(mRing.size() / 2)), in.period, firstTick, v, n);
}

// Each sample is stored twice, at j and j + N, so the window of the last N samples is the contiguous run
// from the oldest one; the loop keeps its state in locals and writes it back once.
template <class Slope>
void CalcMinMaxSlope::AddWindows(const Slope& slope, double period, int32_t firstTick, const float* v,
                                 int32_t n) noexcept {
  const int32_t size = static_cast<int32_t>(mRing.size() / 2);
  const int32_t half = size / 2;
  float* const ring = mRing.data();
  int32_t index = mIndex;
  bool full = mFull;
  bool found = mFound;
  Extreme high = mMax;
  Extreme low = mMin;
  for (int32_t i = 0; i < n; ++i) {
    ring[index] = v[i];
    ring[index + size] = v[i];
    if (++index == size) {
      index = 0;
      full = true;
    }
    if (!full)
      continue;
    const float* window = ring + index;
    const double s = slope(window) / period;
    const int32_t t = firstTick + i;
    if (!found || s > high.slope)
      high = Extreme{t - half, window[half], s};
    if (!found || s < low.slope)
      low = Extreme{t - half, window[half], s};
    found = true;
  }
  mIndex = index;
  mFull = full;
  mFound = found;
  mMax = high;
  mMin = low;
}

void CalcMinMaxSlope::Write(const MeasureInput& in, EventFCalc& out) const noexcept {
  if (!mFound || !in.smoothing.usable) {
    for (float* slot : {&out.maxSlope, &out.minSlope, &out.tMaxSlope, &out.tMinSlope,
                        &out.aMaxSlope, &out.aMinSlope})
      SetStageNoValue(*slot);
    return;
  }
  const double s = in.event->peakStartTick;
  WriteMeasurement(out.maxSlope, mMax.slope);
  WriteMeasurement(out.minSlope, mMin.slope);
  WriteMeasurement(out.tMaxSlope, (mMax.tick - s) * in.period);
  WriteMeasurement(out.tMinSlope, (mMin.tick - s) * in.period);
  WriteMeasurement(out.aMaxSlope, mMax.value);
  WriteMeasurement(out.aMinSlope, mMin.value);
}

}  // namespace ZR::Enum::CalcBulk
