// Area between the signal and the baseline over a window set in milliseconds after the anchor.
#include "enumerators/calcbulk/plugins/CalcArea.h"

#include "base/TickConversion.h"

namespace ZR::Enum::CalcBulk {

void CalcArea::Begin(const MeasureInput& in) noexcept {
  mSum = 0.0;
  const int32_t anchor = in.Anchor();
  mRange.start = AddTicksSat(in.MsToTicks(in.params->areaStartMs), anchor);
  mRange.end = AddTicksSat(in.MsToTicks(in.params->areaEndMs), anchor);
}

void CalcArea::Add(const MeasureInput& in, int32_t, const float* v, int32_t n) noexcept {
  const double base = in.event->baseline;
  for (int32_t i = 0; i < n; ++i)
    mSum += v[i] - base;
}

void CalcArea::Write(const MeasureInput& in, EventFCalc& out) const noexcept {
  if (!IsActive(in)) {
    SetStageNoValue(out.area);
    return;
  }
  WriteMeasurement(out.area, in.period * mSum);
}

}  // namespace ZR::Enum::CalcBulk
