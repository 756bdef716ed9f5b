// ERStimDet: the stimulus pulse detector of the evoked-response analysis, as a template enumerator.
#pragma once

#include "enumerators/erstimdet/StimDetParams.h"
#include "enumerators/erstimdet/StimPulseKernel.h"
#include "enumerators/framework/EEH3Enumerator.h"
#include "base/EventRecords.h"
#include "enumerators/framework/FamilyEnum.h"
#include "enumerators/framework/StateBase.h"
#include "enumerators/framework/TableParams.h"

#include <unknwn.h>

#include <cstdint>

namespace ZR::Enum::ERStimDet {

// The formula's parameters plus the tick counts derived from them when the sources are set.
class Params final : public EEH3::TableParams<StimDetParams> {
 public:
  // Wraps the channel source and converts the millisecond parameters with the tick period.
  void AddSources(int32_t count, IUnknown** interfaces) override;

  StimRules Rules() const noexcept;

  int32_t widthTicks = 2147483647;  // negative width: no limit
  int32_t skipTicks = 0;
  int32_t minGapTicks = 0;  // not clamped: a negative gap admits every stimulus
};

// The per-record state: both edge trackers and the last accepted stimulus.
class State final : public EEH3::StateBase {
 public:
  explicit State(int32_t tick = 0) noexcept : StateBase(tick) {}
  State(const State&) = default;

  EdgeTracker rising;
  EdgeTracker falling;
  int32_t lastStimTick = kNoStimYet;
  RecentLevel level;
};

struct Algorithm {
  using State = ERStimDet::State;
  using Params = ERStimDet::Params;
  using Record = EventPkStm;

  // Scans the channel up to stepEnd; true with the stimulus in out when one was accepted.
  static bool Step(State& state, Params& params, EventPkStm& out, int32_t stepEnd);
};

using Enum = EEH3::FamilyEnum<Algorithm, 0>;  // detector events

}  // namespace ZR::Enum::ERStimDet

namespace ZR::Enum {
using ERStimDetEnumerator = EEH3::EEH3Enumerator<ERStimDet::Enum, 8>;
}
