// CalcBase: the baseline stage of the peak chain, one EventBCalcBase per detector event.
#pragma once

#include <cstdint>

#include "enumerators/calcbase/BaseParams.h"
#include "enumerators/calcbase/CalcBaseStep.h"
#include "enumerators/framework/EEH3Enumerator.h"
#include "base/EventRecords.h"
#include "enumerators/framework/FamilyEnum.h"
#include "enumerators/framework/StageFamily.h"

namespace ZR::Enum::CalcBase {

// The numeric parameters, then the limits; source 0 the channel, source 1 the detector's events.
class Params final : public EEH3::StageParams<BaseParams, EventPkStm> {
 public:
  // Wraps the channel and the event source, then converts the millisecond parameters with the tick period.
  void AddSources(int32_t count, IUnknown** interfaces) override;

  StepSettings Settings() const noexcept;

  int32_t maxBaselineTicks = 500;
  int32_t searchStartTicks = -1;
  int32_t searchEndTicks = -1;
  int32_t restTicks = 40;  // StimulusRest.h: kRestMs and kLookMs in ticks
  int32_t lookTicks = 80;
  int32_t footBlockTicks = 1;
  int32_t footLagBlocks = 1;
};

using State = EEH3::StageState<StepState>;
using Algorithm = EEH3::StageAlgorithm<Params, State, EventBCalcBase, &Step>;
using Enum = EEH3::FamilyEnum<Algorithm, 4>;  // intermediate calculation, not drawn

}  // namespace ZR::Enum::CalcBase

namespace ZR::Enum {
using CalcBaseEnumerator = EEH3::EEH3Enumerator<CalcBase::Enum, 8>;
}
