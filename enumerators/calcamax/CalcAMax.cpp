// CalcAMax's parameters, sources and the step over the framework's readers.
#include "enumerators/calcamax/CalcAMax.h"

#include <memory>

#include "enumerators/calcbase/StageReaders.h"

namespace ZR::Enum::CalcAMax {

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
  if (count >= 2) sources.push_back(std::make_unique<EEH3::EventWrapperEx<EventBCalcBase>>(interfaces[1]));
}

StepSettings Params::Settings() const noexcept {
  StepSettings s;
  s.startHeightPercent = startHeightPercent;
  s.reposition = reposition;
  s.endHeightPercent = endHeightPercent;
  return s;
}

bool Algorithm::Step(State& state, Params& params, Record& out, int32_t stepEnd) {
  return RunStageStep<EventBCalcMax, EventBCalcBase>(CalcAMax::Step, state, state.step, params.Settings(), params,
                                                     out, stepEnd);
}

}  // namespace ZR::Enum::CalcAMax
