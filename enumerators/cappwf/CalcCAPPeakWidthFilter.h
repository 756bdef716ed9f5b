// CAPPWF: the cardiac peak width filter, passing on as detector peaks the baseline-stage events wide enough at
// half height.
#pragma once

#include <cstdint>

#include "enumerators/cappwf/WidthFilterParams.h"
#include "enumerators/cappwf/WidthFilterStep.h"
#include "enumerators/framework/EEH3Enumerator.h"
#include "base/EventRecords.h"
#include "enumerators/framework/FamilyEnum.h"
#include "enumerators/framework/StageFamily.h"

namespace ZR::Enum::CalcCAPPeakWidthFilter {

// The minimum width, then the limits; source 0 the channel, source 1 the baseline stage's events.
class Params final : public EEH3::StageParams<CAPPeakWidthFilterParams, EventBCalcBase> {
 public:
  // Wraps the channel and the event source, then converts the minimum width with the tick period.
  void AddSources(int32_t count, IUnknown** interfaces) override;

  StepSettings Settings() const noexcept { return StepSettings{minWidthTicks}; }

  int32_t minWidthTicks = 0;
};

using State = EEH3::StageState<StepState>;
using Algorithm = EEH3::StageAlgorithm<Params, State, EventPkStm, &Step>;
using Enum = EEH3::FamilyEnum<Algorithm, 0>;  // detector events

}  // namespace ZR::Enum::CalcCAPPeakWidthFilter

namespace ZR::Enum {
using CalcCAPPeakWidthFilterEnumerator = EEH3::EEH3Enumerator<CalcCAPPeakWidthFilter::Enum, 8>;
}
