// Least-squares line over a window set in milliseconds after the anchor.
#include "enumerators/calcbulk/plugins/CalcSlope.h"

#include "base/TickConversion.h"

namespace ZR::Enum::CalcBulk {

void CalcSlope::Begin(const MeasureInput& in) noexcept {
  mN = mSxy = mSy = mSxx = 0.0;
  mAnchor = in.Anchor();
  mRange.start = AddTicksSat(in.MsToTicks(in.params->slopeStartMs), mAnchor);
  const int32_t end = AddTicksSat(in.MsToTicks(in.params->slopeEndMs), mAnchor);
  const int32_t endIncluded = AddTicksSat(end, 1);
  const int32_t twoTicks = AddTicksSat(mRange.start, 2);
  mRange.end = endIncluded > twoTicks ? endIncluded : twoTicks;
}

void CalcSlope::Add(const MeasureInput&, int32_t, const float* v, int32_t n) noexcept {
  for (int32_t i = 0; i < n; ++i) {
    mN += 1.0;
    mSxy += v[i] * mN;
    mSy += v[i];
    mSxx += mN * mN;
  }
}

void CalcSlope::Write(const MeasureInput& in, EventFCalc& out) const noexcept {
  if (mAnchor < 0) {
    SetNoValue(out.slope);
    return;
  }
  const double sx = mN * (mN + 1.0) / 2.0;
  const double d = mN * mSxx - sx * sx;
  if (d == 0.0) {
    SetStageNoValue(out.slope);
    SetStageNoValue(out.slopeIntercept);
    return;
  }
  WriteMeasurement(out.slope, (mN * mSxy - sx * mSy) / (in.period * d));
  WriteMeasurement(out.slopeIntercept, (mSy * mSxx - sx * mSxy) / d);
}

}  // namespace ZR::Enum::CalcBulk
