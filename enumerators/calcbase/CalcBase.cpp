// CalcBase's sources, tick conversions and step settings.
#include "enumerators/calcbase/CalcBase.h"

#include <algorithm>

#include "base/TickConversion.h"

namespace ZR::Enum::CalcBase {

namespace {

constexpr double kFootBlockMs = 0.2;
constexpr double kFootLagMs = 1.0;

}  // namespace

void Params::AddSources(int32_t count, IUnknown** interfaces) {
  StageParams::AddSources(count, interfaces);
  // The length: ms x 0.001 / period; the window: ms / (period x 1000); both + 0.5 truncated.
  maxBaselineTicks = MsToTicks(maxBaselineMs, tickPeriod);
  if (maxBaselineTicks < 500) maxBaselineTicks = 500;
  // The rise's foot, in time: blocks of 0.2 ms, the noise measured at a lag of 1 ms (longer than a low-passed
  // noise's memory).
  footBlockTicks = std::max(MsToTicks(kFootBlockMs, tickPeriod), 1);
  footLagBlocks = std::max(MsToTicks(kFootLagMs, tickPeriod) / footBlockTicks, 1);
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
  s.footLagBlocks = footLagBlocks;
  return s;
}

}  // namespace ZR::Enum::CalcBase
