// Least-squares line over a window set in milliseconds after the anchor.
#pragma once

#include <cstdint>

#include "enumerators/calcbulk/plugins/MeasureInput.h"

namespace ZR::Enum::CalcBulk {

// Range [anchor + "Slope Start ms", max(anchor + "Slope End ms" + 1, start + 2)): the end
// tick is included and the window holds at least two ticks. "Slope" (index 48) is the
// fitted slope in channel units per second; the intercept (the line at x = 0, one
// sample before the window) goes to slopeIntercept. Without an anchor "Slope" holds the
// cleared pattern 0x7F886000 and the intercept is left as it is.
class CalcSlope {
 public:
  bool IsActive(const MeasureInput& in) const noexcept { return in.Anchor() >= 0; }
  TickRange Range(const MeasureInput&) const noexcept { return mRange; }
  void Begin(const MeasureInput& in) noexcept;
  void Add(const MeasureInput& in, int32_t firstTick, const float* v, int32_t n) noexcept;
  void Write(const MeasureInput& in, EventFCalc& out) const noexcept;

 private:
  double mN = 0.0;
  double mSxy = 0.0;
  double mSy = 0.0;
  double mSxx = 0.0;
  int32_t mAnchor = -1;
  TickRange mRange;
};

}  // namespace ZR::Enum::CalcBulk
