// CalcBase's sources, tick conversions and step settings.
#include "enumerators/calcbase/CalcBase.h"

#include <algorithm>

#include "base/TickConversion.h"

namespace ZR::Enum::CalcBase {

namespace {

constexpr double kFootBlockMs = 0.2;
constexpr double kFootFlatMs = 4.0;

}  // namespace

void Params::AddSources(int32_t count, IUnknown** interfaces) {
  StageParams::AddSources(count, interfaces);
  // The length: ms x 0.001 / period; the window: ms / (period x 1000); both + 0.5 truncated.
  maxBaselineTicks = MsToTicks(maxBaselineMs, tickPeriod);
  if (maxBaselineTicks < 500) maxBaselineTicks = 500;
  // The rise-foot walk: blocks of 0.2 ms; a flat stretch of 4 ms (at least four blocks) ends it.
  footBlockTicks = std::max(MsToTicks(kFootBlockMs, tickPeriod), 1);
  footFlatBlocks = std::max(MsToTicks(kFootFlatMs, tickPeriod) / footBlockTicks, 4);
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
  s.footBlockTicks = footBlockTicks;
  s.footFlatBlocks = footFlatBlocks;
  return s;
}

}  // namespace ZR::Enum::CalcBase
