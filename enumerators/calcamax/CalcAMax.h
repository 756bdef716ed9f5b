// CalcAMax: the extreme stage of the peak chain, one EventBCalcMax per baseline record.
#pragma once

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
  StepSettings Settings() const noexcept;
};

using State = EEH3::StageState<StepState>;
using Algorithm = EEH3::StageAlgorithm<Params, State, EventBCalcMax, &Step>;
using Enum = EEH3::FamilyEnum<Algorithm, 4>;  // intermediate calculation, not drawn

}  // namespace ZR::Enum::CalcAMax

namespace ZR::Enum {
using CalcAMaxEnumerator = EEH3::EEH3Enumerator<CalcAMax::Enum, 8>;
}
