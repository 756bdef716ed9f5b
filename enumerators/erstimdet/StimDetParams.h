// The numeric parameters of the stimulus detector, as the formula and the settings text give them.
#pragma once

#include <cstdint>

#include "enumerators/framework/NumericParams.h"

namespace ZR::Enum::ERStimDet {

// Parameters 1-5 of the formula: Height, Width ms, Skip ms, Min Gap ms, OneStimPerBlock_0_or_1.
// A value given as -1 (within 1e-12) selects the parameter's default.
class StimDetParams : public NumericParams {
 public:
  static constexpr int32_t kCount = 5;
  static constexpr double kDefaultHeight = 1.0;
  static constexpr double kDefaultWidthMs = 10.0;

  StimDetParams() noexcept = default;

  int32_t Count() const noexcept override { return kCount; }
  double Access(int32_t index, double value, bool set) noexcept override;
  double Get(int32_t index) const noexcept override;

  double height = kDefaultHeight;
  double widthMs = kDefaultWidthMs;  // negative: no limit
  double skipMs = 0.0;
  double minGapMs = 0.0;
  bool oneStimPerBlock = false;
};

}  // namespace ZR::Enum::ERStimDet
