// Level crossings at 10 % steps of the height: widths, repolarization durations and the event's extent.
#pragma once

#include <cstdint>

#include "enumerators/calcbulk/plugins/MeasureInput.h"

namespace ZR::Enum::CalcBulk {

// Range [S, min(E + 1, limit)). Level k (k = 0..9) lies k x 10 % of the height above the
// baseline B (towards the peak value V, either polarity). Before the event tick T,
// first_k becomes the tick after the last sample short of level k (or the first sample
// when none was short); from T on, last_k is the first sample back at or beyond level k.
// Crossings are whole samples, never interpolated; -1 when not found.
// Writes "Width10".."Width90", "APD10".."APD90", "Triangulation", "Width", "TStart",
// "TEnd", "AHPWidth", "APDtot" and the half-height ticks calcTick1 and calcTick2.
class CalcWidths {
 public:
  static constexpr int kLevels = 10;

  bool IsActive(const MeasureInput& in) const noexcept;
  TickRange Range(const MeasureInput& in) const noexcept;
  void Begin(const MeasureInput& in) noexcept;
  void Add(const MeasureInput& in, int32_t firstTick, const float* v, int32_t n) noexcept;
  void Write(const MeasureInput& in, EventFCalc& out) const noexcept;

  int32_t First(int k) const noexcept { return mFirst[k]; }
  int32_t Last(int k) const noexcept { return mLast[k]; }

 private:
  void WriteLevelWidths(const MeasureInput& in, bool active, EventFCalc& out) const noexcept;
  void WriteExtent(const MeasureInput& in, bool active, int32_t last0, EventFCalc& out) const noexcept;

  int32_t mFirst[kLevels] = {};
  int32_t mLast[kLevels] = {};
  int32_t mRangeEnd = 0;
  double mSignedLevel[kLevels] = {};  // polarity x level k, fixed per event
};

}  // namespace ZR::Enum::CalcBulk
