// Area between the signal and the baseline over the whole peak.
#include "enumerators/calcbulk/plugins/CalcPeakArea.h"

#include "base/TickConversion.h"

namespace ZR::Enum::CalcBulk {

bool CalcPeakArea::IsActive(const MeasureInput& in) const noexcept {
  return in.event->peakStartTick >= 0 && in.event->peakEndTick > in.event->peakStartTick;
}

void CalcPeakArea::Begin(const MeasureInput& in) noexcept {
  mSum = 0.0;
  mRange = TickRange{in.event->peakStartTick, AddTicksSat(in.event->peakEndTick, 1)};
}

void CalcPeakArea::Add(const MeasureInput& in, int32_t, const float* v, int32_t n) noexcept {
  const double base = in.event->baseline;
  for (int32_t i = 0; i < n; ++i)
    mSum += v[i] - base;
}

void CalcPeakArea::Write(const MeasureInput& in, EventFCalc& out) const noexcept {
  if (!IsActive(in) || IsNoValue(out.tEnd)) {
    SetStageNoValue(out.peakArea);
    return;
  }
  WriteMeasurement(out.peakArea, in.period * mSum);
}

}  // namespace ZR::Enum::CalcBulk
