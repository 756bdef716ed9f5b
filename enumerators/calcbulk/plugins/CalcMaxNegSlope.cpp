// Largest negative slope over non-overlapping blocks of a window after the event tick.
#include "enumerators/calcbulk/plugins/CalcMaxNegSlope.h"

#include <cmath>

#include "base/TickConversion.h"
#include "enumerators/calcbulk/plugins/LeastSquares.h"

namespace ZR::Enum::CalcBulk {

bool CalcMaxNegSlope::IsActive(const MeasureInput& in) const noexcept {
  const EventBCalcBase2& e = *in.event;
  return std::isfinite(e.value) && e.peakStartTick >= 0 && e.peakEndTick > e.peakStartTick;
}

int32_t CalcMaxNegSlope::BlockLength(const MeasureInput& in) noexcept {
  const int32_t n = in.MsToTicks(in.params->maxNegSlopeSmoothMs);
  return n < 3 ? 3 : n > 1000 ? 1000 : n;
}

void CalcMaxNegSlope::Begin(const MeasureInput& in) {
  mFound = false;
  const int32_t start = in.MsToTicks(static_cast<double>(in.params->maxNegSlopeStartMs));
  mRange = TickRange{AddTicksSat(start, in.event->tick), in.event->peakEndTick};
  mRing.assign(static_cast<size_t>(BlockLength(in)), 0.0f);
  mIndex = 0;
}

void CalcMaxNegSlope::Add(const MeasureInput& in, int32_t, const float* v, int32_t n) noexcept {
  const int32_t size = static_cast<int32_t>(mRing.size());
  for (int32_t i = 0; i < n; ++i) {
    mRing[mIndex] = v[i];
    if (++mIndex < size)
      continue;
    mIndex = 0;
    const float s = static_cast<float>(-RingSlope(mRing.data(), size, 0) / in.period);
    if (!mFound || s > mBest) {
      mBest = s;
      mFound = true;
    }
  }
}

void CalcMaxNegSlope::Write(const MeasureInput& in, EventFCalc& out) const noexcept {
  if (!IsActive(in)) {
    SetStageNoValue(out.maxNegSlope);
    return;
  }
  if (!mFound) {
    SetNoValue(out.maxNegSlope);
    return;
  }
  WriteMeasurement(out.maxNegSlope, mBest);
}

}  // namespace ZR::Enum::CalcBulk
