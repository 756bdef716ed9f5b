// Largest negative slope over non-overlapping blocks of a window after the event tick.
#pragma once

#include <cstdint>
#include <vector>

#include "enumerators/calcbulk/plugins/MeasureInput.h"

namespace ZR::Enum::CalcBulk {

// Range [T + "MaxNegSlope Start ms", E). The samples are cut into consecutive blocks of
// N2 = "MaxNegSlope Smooth ms" in ticks, limited to 3..1000; each complete block's
// least-squares slope, negated (per second), competes for the largest, so a falling
// signal gives a positive "MaxNegSlope" (index 52). An incomplete last block is not
// evaluated; with no complete block the slot holds the cleared pattern 0x7F886000.
class CalcMaxNegSlope {
 public:
  bool IsActive(const MeasureInput& in) const noexcept;
  TickRange Range(const MeasureInput&) const noexcept { return mRange; }
  void Begin(const MeasureInput& in);
  void Add(const MeasureInput& in, int32_t firstTick, const float* v, int32_t n) noexcept;
  void Write(const MeasureInput& in, EventFCalc& out) const noexcept;

  static int32_t BlockLength(const MeasureInput& in) noexcept;

 private:
  TickRange mRange;
  std::vector<float> mRing;
  int32_t mIndex = 0;
  float mBest = 0.0f;
  bool mFound = false;
};

}  // namespace ZR::Enum::CalcBulk
