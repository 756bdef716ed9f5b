// CalcBase's parameters, sources and the step over the framework's readers.
#include "enumerators/calcbase/CalcBase.h"

#include <memory>

#include "base/TickConversion.h"
#include "enumerators/calcbase/StageReaders.h"

namespace ZR::Enum::CalcBase {

void Params::Load(std::wistream& in) {
  LoadParams(in);
  LoadLimits(in);
}

void Params::Save(std::wostream& out) const {
  SaveParams(out);
  SaveLimits(out);
}

void Params::AddSources(int32_t count, IUnknown** interfaces) {
  if (count >= 1) sources.push_back(std::make_unique<EEH3::FloatExWrapper>(interfaces[0]));
  if (count >= 2) sources.push_back(std::make_unique<EEH3::EventWrapperEx<EventPkStm>>(interfaces[1]));
  // The length: ms x 0.001 / period; the window: ms / (period x 1000); both + 0.5 truncated.
  maxBaselineTicks = MsToTicks(maxBaselineMs, tickPeriod);
  if (maxBaselineTicks < 500) maxBaselineTicks = 500;
  if (searchStartMs < 0.0 || searchEndMs < 0.0) {
    searchStartTicks = -1;
    searchEndTicks = -1;
    return;
  }
  searchStartTicks = TruncHalfUpToInt32Sat(searchStartMs / (tickPeriod * 1000.0));
  searchEndTicks = TruncHalfUpToInt32Sat(searchEndMs / (tickPeriod * 1000.0));
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

bool Algorithm::Step(State& state, Params& params, Record& out, int32_t stepEnd) {
  return RunStageStep<EventBCalcBase, EventPkStm>(CalcBase::Step, state, state.step, params.Settings(), params,
                                                  out, stepEnd);
}

}  // namespace ZR::Enum::CalcBase
