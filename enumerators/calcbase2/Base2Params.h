// The second baseline stage's numeric parameters as the formula and the settings text give them.
#pragma once

#include <cstdint>

#include "enumerators/framework/NumericParams.h"

namespace ZR::Enum::CalcBase2 {

// Formula parameters 2-5: Mid PLT Percent (default 50), Tau Start (50), Tau End (5), Plateau Center Percent (50),
// stored as integers rounded half away from zero; -1 (within 1e-12) selects the default.
class Base2Params : public NumericParams {
 public:
  static constexpr int32_t kCount = 4;

  Base2Params() noexcept = default;

  int32_t Count() const noexcept override { return kCount; }
  double Access(int32_t index, double value, bool set) noexcept override;
  double Get(int32_t index) const noexcept override;
  // Swaps Tau Start and Tau End when Tau Start is the smaller, so the tau start level is never below the end.
  void Validate() noexcept override;

  int32_t midPlateauPercent = 50;
  int32_t tauStartPercent = 50;
  int32_t tauEndPercent = 5;
  int32_t plateauCentrePercent = 50;
};

}  // namespace ZR::Enum::CalcBase2
