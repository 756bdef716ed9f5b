// CAPPWF's sources and the minimum width in ticks.
#include "enumerators/cappwf/CalcCAPPeakWidthFilter.h"

#include "base/TickConversion.h"

namespace ZR::Enum::CalcCAPPeakWidthFilter {

void Params::AddSources(int32_t count, IUnknown** interfaces) {
  StageParams::AddSources(count, interfaces);
  // ms x 0.001 / period + 0.5, truncated; a non-positive width lets every event pass.
  minWidthTicks = MsToTicks(minWidthMs, tickPeriod);
}

}  // namespace ZR::Enum::CalcCAPPeakWidthFilter
