// The extreme stage's numeric parameters as the formula and the settings text give them.
#pragma once

#include <cstdint>

#include "enumerators/framework/NumericParams.h"

namespace ZR::Enum::CalcAMax {

// Formula parameters 2-4: Start Height Percent (default 5), Reposition Event (default 1), End Height Percent
// (default 0), stored as integers rounded half away from zero; -1 (within 1e-12) selects the default.
class AMaxParams : public NumericParams {
 public:
  static constexpr int32_t kCount = 3;

  AMaxParams() noexcept = default;

  int32_t Count() const noexcept override { return kCount; }
  double Access(int32_t index, double value, bool set) noexcept override;
  double Get(int32_t index) const noexcept override;

  int32_t startHeightPercent = 5;
  int32_t reposition = 1;
  int32_t endHeightPercent = 0;
};

}  // namespace ZR::Enum::CalcAMax
