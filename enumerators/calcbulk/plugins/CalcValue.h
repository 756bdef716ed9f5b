// The signal at a fixed time after the stimulus.
#pragma once

#include <cstdint>

#include "enumerators/calcbulk/plugins/MeasureInput.h"

namespace ZR::Enum::CalcBulk {

// Range [stimulus + "Value ms", +1) in ticks, whatever the analysis type; "Value"
// (index 46) is that sample, no value without a stimulus or when the sample was not seen.
class CalcValue {
 public:
  bool IsActive(const MeasureInput& in) const noexcept { return in.event->stimulusTick >= 0; }
  TickRange Range(const MeasureInput&) const noexcept;
  void Begin(const MeasureInput& in) noexcept;
  void Add(const MeasureInput& in, int32_t firstTick, const float* v, int32_t n) noexcept;
  void Write(const MeasureInput& in, EventFCalc& out) const noexcept;

 private:
  float mValue = 0.0f;
  int32_t mTick = 0;
  bool mSeen = false;
};

}  // namespace ZR::Enum::CalcBulk
