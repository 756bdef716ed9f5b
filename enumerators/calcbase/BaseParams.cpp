// The baseline stage's numeric parameters: fields and defaults by index.
#include "enumerators/calcbase/BaseParams.h"

#include "base/TickConversion.h"

namespace ZR::Enum::CalcBase {

double BaseParams::Access(int32_t index, double value, bool set) noexcept {
  if (set) {
    const bool useDefault = SelectsDefault(value);
    switch (index) {
      case 0: maxBaselineMs = useDefault ? 0.0 : value; break;
      case 1: noiseTolerancePercent = useDefault ? 5.0 : value; break;
      case 2: searchStartMs = value; break;
      case 3: searchEndMs = value; break;
      case 4: baselineMode = TruncHalfUpToInt32Sat(value); break;  // -1 gives 0
      case 5: baselineValue = value; break;
      default: break;
    }
  }
  return Get(index);
}

double BaseParams::Get(int32_t index) const noexcept {
  switch (index) {
    case 0: return maxBaselineMs;
    case 1: return noiseTolerancePercent;
    case 2: return searchStartMs;
    case 3: return searchEndMs;
    case 4: return baselineMode;
    case 5: return baselineValue;
    default: return 0.0;
  }
}

}  // namespace ZR::Enum::CalcBase
