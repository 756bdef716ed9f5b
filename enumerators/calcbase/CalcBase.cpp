// CalcBase's sources, tick conversions and step settings.
#include "enumerators/calcbase/CalcBase.h"

#include "base/TickConversion.h"

namespace ZR::Enum::CalcBase {

void Params::AddSources(int32_t count, IUnknown** interfaces) {
  StageParams::AddSources(count, interfaces);
  // The length: ms x 0.001 / period; the window: ms / (period x 1000); both + 0.5 truncated.
  maxBaselineTicks = MsToTicks(maxBaselineMs, tickPeriod);
  if (maxBaselineTicks < 500) maxBaselineTicks = 500;
  if (searchStartMs < 0.0 || searchEndMs < 0.0) {
    searchStartTicks = -1;
    searchEndTicks = -1;
    return;
  }
  searchStartTicks = MsToTicksByPeriodMs(searchStartMs, tickPeriod);
  searchEndTicks = MsToTicksByPeriodMs(searchEndMs, tickPeriod);
}

StepSettings Params::Settings() const noexcept {
  StepSettings s;
  s.maxBaselineTicks = maxBaselineTicks;
  s.noiseTolerancePercent = noiseTolerancePercent;
  s.searchStartTicks = searchStartTicks;
  s.searchEndTicks = searchEndTicks;
  s.mode = baselineMode;
  s.baselineValue = baselineValue;
  return s;
}

}  // namespace ZR::Enum::CalcBase
