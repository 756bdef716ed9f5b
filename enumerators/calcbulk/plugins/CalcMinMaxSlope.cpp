// Steepest rise and fall of the smoothed signal over the whole peak.
#include "enumerators/calcbulk/plugins/CalcMinMaxSlope.h"

#include "enumerators/calcbulk/LeastSquares.h"

namespace ZR::Enum::CalcBulk {

bool CalcMinMaxSlope::IsActive(const MeasureInput& in) const noexcept {
  return in.event->peakStartTick >= 0 && in.event->peakEndTick > in.event->peakStartTick;
}

void CalcMinMaxSlope::Begin(const MeasureInput& in) {
  mRange = TickRange{in.event->peakStartTick, in.event->peakEndTick};
  mRing.assign(static_cast<size_t>(in.smoothing.n), 0.0f);
  mIndex = 0;
  mFull = false;
  mFound = false;
}

void CalcMinMaxSlope::Add(const MeasureInput& in, int32_t firstTick, const float* v,
                          int32_t n) noexcept {
  const int32_t size = static_cast<int32_t>(mRing.size());
  const int32_t half = size / 2;
  for (int32_t i = 0; i < n; ++i) {
    mRing[mIndex] = v[i];
    if (++mIndex == size) {
      mIndex = 0;
      mFull = true;
    }
    if (!mFull)
      continue;
    const double s = RingSlope(mRing.data(), size, mIndex) / in.period;
    const int32_t t = firstTick + i;
    int32_t middle = mIndex + half;
    if (middle >= size)
      middle -= size;
    if (!mFound || s > mMax.slope)
      mMax = Extreme{t - half, mRing[middle], s};
    if (!mFound || s < mMin.slope)
      mMin = Extreme{t - half, mRing[middle], s};
    mFound = true;
  }
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
