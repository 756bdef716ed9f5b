// Decay time constant of the tail between the tau start and tau end ticks.
#pragma once

#include <cstdint>
#include <vector>

#include "enumerators/calcbulk/plugins/MeasureInput.h"

namespace ZR::Enum::CalcBulk {

// Range [tau start, tau end + 1). Fits A exp(-t/tau) + C to the collected samples; by
// "Tau Mode" C is fitted (0), held at the baseline (1), at "Tau Fixed Value" (2) or at
// 0.0 (any other). "Tau" (index 33) in seconds, the amplitude and asymptote into
// tauAmplitude and tauAsymptote; all three no value without samples or when the fit fails.
class CalcTau {
 public:
  bool IsActive(const MeasureInput& in) const noexcept;
  TickRange Range(const MeasureInput&) const noexcept { return mRange; }
  void Begin(const MeasureInput& in);
  void Add(const MeasureInput& in, int32_t firstTick, const float* v, int32_t n);
  void Write(const MeasureInput& in, EventFCalc& out) noexcept;

 private:
  std::vector<double> mSamples;
  TickRange mRange;
  double mTau = 0.0;
  double mAmplitude = 0.0;
  double mAsymptote = 0.0;
};

}  // namespace ZR::Enum::CalcBulk
