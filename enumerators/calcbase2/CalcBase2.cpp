// CalcBase2's parameters, sources and the step over the framework's readers.
#include "enumerators/calcbase2/CalcBase2.h"

#include <memory>

#include "enumerators/calcbase/StageReaders.h"

namespace ZR::Enum::CalcBase2 {

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
  if (count >= 2) sources.push_back(std::make_unique<EEH3::EventWrapperEx<EventBCalcMax>>(interfaces[1]));
}

StepSettings Params::Settings() const noexcept {
  StepSettings s;
  s.midPlateauPercent = midPlateauPercent;
  s.tauStartPercent = tauStartPercent;
  s.tauEndPercent = tauEndPercent;
  s.plateauCentrePercent = plateauCentrePercent;
  return s;
}

bool Algorithm::Step(State& state, Params& params, Record& out, int32_t stepEnd) {
  return RunStageStep<EventBCalcBase2, EventBCalcMax>(CalcBase2::Step, state, state.step, params.Settings(), params,
                                                      out, stepEnd);
}

}  // namespace ZR::Enum::CalcBase2
