// CalcBulk: the full measurement stage of the peak chain, one EventFCalc per second-baseline record.
#pragma once

#include <cstdint>

#include "enumerators/calcbulk/CalcBulkStep.h"
#include "enumerators/calcbulk/MeasureParams.h"
#include "enumerators/framework/EEH3Enumerator.h"
#include "base/EventRecords.h"
#include "enumerators/framework/FamilyEnum.h"
#include "enumerators/framework/StageFamily.h"
#include "hostclient/SettingsChildData.h"

namespace ZR::Enum::CalcBulk {

// The sixteen numeric parameters, then the limits; source 0 the channel, source 1 the
// second-baseline stage's records. Adding the sources derives the tick widths for the
// record's tick period.
class Params final : public EEH3::StageParams<MeasureParams, EventBCalcBase2> {
 public:
  void AddSources(int32_t count, IUnknown** interfaces) override;

  // The analysis run's values kept with the data file, read when the sources are added: the
  // analysed channel first (whose time base sets the smoothing points); the second is not used.
  SettingsValues settings;
};

using State = EEH3::StageState<StepState>;

// The stage's step, after the smoothing window of the record's time base is looked up.
struct Algorithm {
  using Params = CalcBulk::Params;
  using State = CalcBulk::State;
  using Record = EventFCalc;
  static bool Step(State& state, Params& params, Record& out, int32_t stepEnd);
};

using Enum = EEH3::FamilyEnum<Algorithm, 1>;  // the calculated-event draw class

}  // namespace ZR::Enum::CalcBulk

namespace ZR::Enum {
using CalcBulkEnumerator = EEH3::EEH3Enumerator<CalcBulk::Enum, 8>;
}
