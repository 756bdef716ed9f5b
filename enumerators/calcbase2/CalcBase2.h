// CalcBase2: the second baseline stage of the peak chain, one EventBCalcBase2 per extreme record.
#pragma once

#include "enumerators/calcbase2/Base2Params.h"
#include "enumerators/calcbase2/CalcBase2Step.h"
#include "enumerators/framework/EEH3Enumerator.h"
#include "base/EventRecords.h"
#include "enumerators/framework/FamilyEnum.h"
#include "enumerators/framework/StageFamily.h"

namespace ZR::Enum::CalcBase2 {

// The numeric parameters, then the limits; source 0 the channel, source 1 the extreme stage's records.
class Params final : public EEH3::StageParams<Base2Params, EventBCalcMax> {
 public:
  StepSettings Settings() const noexcept;
};

using State = EEH3::StageState<StepState>;
using Algorithm = EEH3::StageAlgorithm<Params, State, EventBCalcBase2, &Step>;
using Enum = EEH3::FamilyEnum<Algorithm, 4>;  // intermediate calculation, not drawn

}  // namespace ZR::Enum::CalcBase2

namespace ZR::Enum {
using CalcBase2Enumerator = EEH3::EEH3Enumerator<CalcBase2::Enum, 8>;
}
