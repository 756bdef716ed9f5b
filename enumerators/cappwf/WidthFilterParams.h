// The width filter's one numeric parameter as the formula and the settings text give it.
#pragma once

#include <cstdint>

#include "enumerators/framework/NumericParams.h"

namespace ZR::Enum::CalcCAPPeakWidthFilter {

// Formula parameter 2: Min Width at Half Height in milliseconds; -1 (within 1e-12) selects 50.
class CAPPeakWidthFilterParams : public NumericParams {
 public:
  static constexpr int32_t kCount = 1;
  static constexpr double kDefaultMinWidthMs = 50.0;

  CAPPeakWidthFilterParams() noexcept = default;

  int32_t Count() const noexcept override { return kCount; }
  double Access(int32_t index, double value, bool set) noexcept override;
  double Get(int32_t index) const noexcept override { return index == 0 ? minWidthMs : 0.0; }

  double minWidthMs = kDefaultMinWidthMs;
};

}  // namespace ZR::Enum::CalcCAPPeakWidthFilter
