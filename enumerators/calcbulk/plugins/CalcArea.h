// Area between the signal and the baseline over a window set in milliseconds after the anchor.
#pragma once

#include <cstdint>

#include "enumerators/calcbulk/plugins/MeasureInput.h"

namespace ZR::Enum::CalcBulk {

// Range [anchor + "Area Start ms", anchor + "Area End ms") in ticks; "Area" (index 10) =
// period x sum(v - B), channel units x s. No value when the anchor is missing.
class CalcArea {
 public:
  bool IsActive(const MeasureInput& in) const noexcept { return in.Anchor() >= 0; }
  TickRange Range(const MeasureInput&) const noexcept { return mRange; }
  void Begin(const MeasureInput& in) noexcept;
  void Add(const MeasureInput& in, int32_t firstTick, const float* v, int32_t n) noexcept;
  void Write(const MeasureInput& in, EventFCalc& out) const noexcept;

 private:
  double mSum = 0.0;  // double: a long window of floats
  TickRange mRange;
};

}  // namespace ZR::Enum::CalcBulk
