// ERPeakDet: the evoked-response peak detector: each stimulus of a nested detector passed on, then at most one
// peak of the response channel in a window after it.
#pragma once

#include <cstdint>
#include <iosfwd>

#include "enumerators/erpeakdet/ResponsePeakStep.h"
#include "enumerators/framework/EEH3Enumerator.h"
#include "base/EventRecords.h"
#include "enumerators/framework/FamilyEnum.h"
#include "enumerators/framework/ParamsBase.h"
#include "enumerators/framework/StageFamily.h"

namespace ZR::Enum::ERPeakDet {

// "Height", "Search Start ms after Stimulus" and "Search End ms after Stimulus", then the limits; source 0 the
// response channel, source 1 the stimulus events.
class Params final : public EEH3::ParamsBase {
 public:
  using Input = EventPkStm;

  // A search time the text leaves out is not given: the window then starts at the stimulus and ends 1000000
  // ticks after it. A height of 0 or below becomes 1e-30.
  void Load(std::wistream& in) override;
  // Stops after the first time not given, so that the text reads back the same (the limits after it were the
  // defaults).
  void Save(std::wostream& out) const override;
  // Wraps the channel and the stimulus events, then converts the search times with the tick period.
  void AddSources(int32_t count, IUnknown** interfaces) override;

  StepSettings Settings() const noexcept {
    return StepSettings{height, searchStartTicks, searchEndTicks, restTicks, lookTicks, artefactTicks};
  }

  static constexpr int32_t kDefaultSearchEndTicks = 1000000;

  double height = 1e-30;
  double searchStartMs = 0.0;
  double searchEndMs = 0.0;
  bool searchStartGiven = false;
  bool searchEndGiven = false;
  int32_t searchStartTicks = 0;
  int32_t searchEndTicks = kDefaultSearchEndTicks;
  int32_t restTicks = 40;  // StimulusRest.h's times in ticks
  int32_t lookTicks = 80;
  int32_t artefactTicks = 40;
  EEH3::StageReaderRefs<EventPkStm> readers;
};

using State = EEH3::StageState<StepState>;
using Algorithm = EEH3::StageAlgorithm<Params, State, EventPkStm, &Step>;
using Enum = EEH3::FamilyEnum<Algorithm, 0>;  // detector events

}  // namespace ZR::Enum::ERPeakDet

namespace ZR::Enum {
using ERPeakDetEnumerator = EEH3::EEH3Enumerator<ERPeakDet::Enum, 8>;
}
