// CalcBase's sources, tick conversions and step settings.
#include "enumerators/calcbase/CalcBase.h"

#include <algorithm>

#include "base/TickConversion.h"

namespace ZR::Enum::CalcBase {

namespace {

constexpr double kFootBlockMs = 0.2;
constexpr double kFootFlatMs = 4.0;
constexpr double kFootLagMs = 1.0;
constexpr double kFootRiseMs = 20.0;
constexpr double kFootNoiseMs = 200.0;

}  // namespace

void Params::AddSources(int32_t count, IUnknown** interfaces) {
  StageParams::AddSources(count, interfaces);
  // The length: ms x 0.001 / period; the window: ms / (period x 1000); both + 0.5 truncated.
  maxBaselineTicks = MsToTicks(maxBaselineMs, tickPeriod);
  if (maxBaselineTicks < 500) maxBaselineTicks = 500;
  // The rise-foot walk, in time: blocks of 0.2 ms; a flat stretch of 4 ms (at least four blocks) ends it; the noise
  // is measured at a lag of 1 ms over the 200 ms nearest the peak; a rise lasts at most 20 ms.
  footBlockTicks = std::max(MsToTicks(kFootBlockMs, tickPeriod), 1);
  footFlatBlocks = std::max(MsToTicks(kFootFlatMs, tickPeriod) / footBlockTicks, 4);
  footLagBlocks = std::max(MsToTicks(kFootLagMs, tickPeriod) / footBlockTicks, 1);
  footRiseBlocks = std::max(MsToTicks(kFootRiseMs, tickPeriod) / footBlockTicks, footFlatBlocks);
  footNoiseBlocks = std::max(MsToTicks(kFootNoiseMs, tickPeriod) / footBlockTicks, 3 * footLagBlocks + 1);
  // Rest before a stimulus, in time (StimulusRest.h).
  restTicks = Rest::RestTicks(tickPeriod);
  lookTicks = Rest::LookTicks(tickPeriod);
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
  s.restTicks = restTicks;
  s.lookTicks = lookTicks;
  s.mode = baselineMode;
  s.baselineValue = baselineValue;
  s.footBlockTicks = footBlockTicks;
  s.footFlatBlocks = footFlatBlocks;
  s.footLagBlocks = footLagBlocks;
  s.footRiseBlocks = footRiseBlocks;
  s.footNoiseBlocks = footNoiseBlocks;
  return s;
}

}  // namespace ZR::Enum::CalcBase
