// The signal at a fixed time after the stimulus.
#include "enumerators/calcbulk/plugins/CalcValue.h"

#include "base/TickConversion.h"

namespace ZR::Enum::CalcBulk {

TickRange CalcValue::Range(const MeasureInput&) const noexcept {
  return TickRange{mTick, AddTicksSat(mTick, 1)};
}

void CalcValue::Begin(const MeasureInput& in) noexcept {
  mTick = AddTicksSat(in.MsToTicks(in.params->valueMs), in.event->stimulusTick);
  mSeen = false;
}

void CalcValue::Add(const MeasureInput&, int32_t, const float* v, int32_t n) noexcept {
  if (n <= 0)
    return;
  mSeen = true;
  mValue = v[n - 1];
}

void CalcValue::Write(const MeasureInput& in, EventFCalc& out) const noexcept {
  if (!mSeen || !IsActive(in)) {
    SetStageNoValue(out.measuredValue);
    return;
  }
  WriteMeasurement(out.measuredValue, mValue);
}

}  // namespace ZR::Enum::CalcBulk
