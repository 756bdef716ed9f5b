// CalcAMax: the extreme stage of the peak chain, one EventBCalcMax per baseline record.
#pragma once

#include <cstdint>

#include "enumerators/calcamax/AMaxParams.h"
#include "enumerators/calcamax/CalcAMaxStep.h"
#include "enumerators/framework/EEH3Enumerator.h"
#include "base/EventRecords.h"
#include "enumerators/framework/FamilyEnum.h"
#include "enumerators/framework/StageFamily.h"

namespace ZR::Enum::CalcAMax {

// The numeric parameters, then the limits; source 0 the channel, source 1 the baseline stage's records.
class Params final : public EEH3::StageParams<AMaxParams, EventBCalcBase> {
 public:
  // Wraps the channel and the event source, then converts rest's times with the tick period.
  void AddSources(int32_t count, IUnknown** interfaces) override;

  StepSettings Settings() const noexcept;

  int32_t restTicks = 40;  // StimulusRest.h: kRestMs and kLookMs in ticks
  int32_t lookTicks = 80;
};

using State = EEH3::StageState<StepState>;
using Algorithm = EEH3::StageAlgorithm<Params, State, EventBCalcMax, &Step>;
using Enum = EEH3::FamilyEnum<Algorithm, 4>;  // intermediate calculation, not drawn

}  // namespace ZR::Enum::CalcAMax

namespace ZR::Enum {
using CalcAMaxEnumerator = EEH3::EEH3Enumerator<CalcAMax::Enum, 8>;
}
