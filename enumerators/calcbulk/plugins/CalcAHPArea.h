// Area of the afterhyperpolarization between the peak's end and the return to the baseline.
#pragma once

#include <cstdint>

#include "enumerators/calcbulk/plugins/MeasureInput.h"

namespace ZR::Enum::CalcBulk {

// Range [E, AHP end); "AHPArea" (index 54) = period x sum(v - B) when there is an AHP end.
class CalcAHPArea {
 public:
  bool IsActive(const MeasureInput& in) const noexcept;
  TickRange Range(const MeasureInput& in) const noexcept;
  void Begin(const MeasureInput&) noexcept { mSum = 0.0; }
  void Add(const MeasureInput& in, int32_t firstTick, const float* v, int32_t n) noexcept;
  void Write(const MeasureInput& in, EventFCalc& out) const noexcept;

 private:
  double mSum = 0.0;
};

}  // namespace ZR::Enum::CalcBulk
