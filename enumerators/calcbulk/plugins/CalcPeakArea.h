// Area between the signal and the baseline over the whole peak.
#pragma once

#include <cstdint>

#include "enumerators/calcbulk/plugins/MeasureInput.h"

namespace ZR::Enum::CalcBulk {

// Range [S, E + 1); "PeakArea" (index 56) = period x sum(v - B), no value unless "TEnd"
// (written before it for the same event) has a value.
class CalcPeakArea {
 public:
  bool IsActive(const MeasureInput& in) const noexcept;
  TickRange Range(const MeasureInput&) const noexcept { return mRange; }
  void Begin(const MeasureInput& in) noexcept;
  void Add(const MeasureInput& in, int32_t firstTick, const float* v, int32_t n) noexcept;
  void Write(const MeasureInput& in, EventFCalc& out) const noexcept;

 private:
  double mSum = 0.0;
  TickRange mRange;
};

}  // namespace ZR::Enum::CalcBulk
