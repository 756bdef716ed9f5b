// The population-spike measurement's numeric parameters as the formula and the settings text give them.
#pragma once

#include <cstdint>

#include "enumerators/framework/NumericParams.h"

namespace ZR::Enum::PSCalc {

// Formula parameters 2-4 in milliseconds after the stimulus: "Slope Start ms" (default 0), "Slope End ms" (100),
// "Value At ms" (100), stored unrounded; -1 (within 1e-12) selects the default.
class PSCalcParams : public NumericParams {
 public:
  static constexpr int32_t kCount = 3;

  int32_t Count() const noexcept override { return kCount; }
  double Access(int32_t index, double value, bool set) noexcept override;
  double Get(int32_t index) const noexcept override;

  double slopeStartMs = 0.0;
  double slopeEndMs = 100.0;
  double valueAtMs = 100.0;
};

}  // namespace ZR::Enum::PSCalc
