// The baseline stage's numeric parameters as the formula and the settings text give them.
#pragma once

#include <cstdint>

#include "enumerators/framework/NumericParams.h"

namespace ZR::Enum::CalcBase {

// Formula parameters 2-7: Max Baseline Length (ms), Noise Tolerance (percentage of height), Search Start and
// Search End ms after Stimulus, Baseline Mode, Baseline Value. A value given as -1 (within 1e-12) selects the
// default where the parameter has one (length 0 ms, tolerance 5 %, mode 0); the others keep -1 (no window, and
// the fixed level -1).
class BaseParams : public NumericParams {
 public:
  static constexpr int32_t kCount = 6;

  BaseParams() noexcept { SetDefaults(); }

  int32_t Count() const noexcept override { return kCount; }
  double Access(int32_t index, double value, bool set) noexcept override;
  double Get(int32_t index) const noexcept override;

  double maxBaselineMs = 0.0;
  double noiseTolerancePercent = 5.0;
  double searchStartMs = -1.0;
  double searchEndMs = -1.0;
  int32_t baselineMode = 0;
  double baselineValue = -1.0;
};

}  // namespace ZR::Enum::CalcBase
