// Area of the afterhyperpolarization between the peak's end and the return to the baseline.
#include "enumerators/calcbulk/plugins/CalcAHPArea.h"

namespace ZR::Enum::CalcBulk {

bool CalcAHPArea::IsActive(const MeasureInput& in) const noexcept {
  const EventBCalcBase2& e = *in.event;
  return e.peakStartTick >= 0 && e.peakEndTick > e.peakStartTick && e.ahpEndTick >= 0;
}

TickRange CalcAHPArea::Range(const MeasureInput& in) const noexcept {
  return TickRange{in.event->peakEndTick, in.event->ahpEndTick};
}

void CalcAHPArea::Add(const MeasureInput& in, int32_t, const float* v, int32_t n) noexcept {
  const double base = in.event->baseline;
  for (int32_t i = 0; i < n; ++i)
    mSum += v[i] - base;
}

void CalcAHPArea::Write(const MeasureInput& in, EventFCalc& out) const noexcept {
  if (!IsActive(in)) {
    SetStageNoValue(out.ahpArea);
    return;
  }
  WriteMeasurement(out.ahpArea, in.period * mSum);
}

}  // namespace ZR::Enum::CalcBulk
