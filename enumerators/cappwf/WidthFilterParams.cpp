// The width filter's numeric parameter and its default.
#include "enumerators/cappwf/WidthFilterParams.h"

namespace ZR::Enum::CalcCAPPeakWidthFilter {

double CAPPeakWidthFilterParams::Access(int32_t index, double value, bool set) noexcept {
  if (index != 0) return 0.0;
  if (set) minWidthMs = SelectsDefault(value) ? kDefaultMinWidthMs : value;
  return minWidthMs;
}

}  // namespace ZR::Enum::CalcCAPPeakWidthFilter
