// CalcBulk's sources and the step over the framework's readers.
#include "enumerators/calcbulk/CalcBulk.h"

#include "enumerators/calcbulk/HostSmoothing.h"

namespace ZR::Enum::CalcBulk {

void Params::AddSources(int32_t count, IUnknown** interfaces) {
  StageParams::AddSources(count, interfaces);
  Prepare(tickPeriod);
  // "TStart" counts from the region's start tick in the region's first record.
  origin = record == startRecord && startTick > 0 ? startTick : 0;
  // Without the module's child data the values stay as they were.
  ReadSettingsValues(dataDocument, settings);
}

bool Algorithm::Step(State& state, Params& params, Record& out, int32_t stepEnd) {
  // The host's time base of the analysed channel in this record sets the smoothing window.
  if (!state.final)
    params.smoothing = QueryHostSmoothingPoints(params.dataDocument, params.record, params.settings.first);
  return EEH3::RunStageStepOf<EventFCalc>(CalcBulk::Step, state, state.step,
                                          static_cast<const MeasureParams&>(params), params, out, stepEnd);
}

}  // namespace ZR::Enum::CalcBulk
