// PSPeakDet: the population-spike detector; each stimulus of a nested stimulus detector is passed on and followed
// by the spike's first peak, trough and second peak found in a window after it, or by nothing.
#pragma once

#include <cstdint>
#include <iosfwd>

#include "enumerators/framework/EEH3Enumerator.h"
#include "base/EventRecords.h"
#include "enumerators/framework/FamilyEnum.h"
#include "enumerators/framework/ParamsBase.h"
#include "enumerators/framework/StateBase.h"
#include "enumerators/pspeakdet/TurningPoints.h"

namespace ZR::Enum::PSPeakDet {

// "Search Start ms" and "Search End ms" after the stimulus, then the region limits. A negative or missing value
// selects the whole span: 0 ticks for the start, 1000000 for the end.
class Params final : public EEH3::ParamsBase {
 public:
  void Load(std::wistream& in) override;
  void Save(std::wostream& out) const override;
  // Derives the window in ticks, then wraps source 0 as the channel and source 1 as the stimulus events.
  void AddSources(int32_t count, IUnknown** interfaces) override;

  double searchStartMs = -1.0;
  double searchEndMs = -1.0;
  int32_t searchStartTicks = 0;
  int32_t searchEndTicks = 1000000;
};

enum class Phase : int32_t { WaitStimulus = 0, BoundWindow = 1, Scan = 2, WriteFirst = 3, WriteTrough = 4,
                             WriteSecond = 5 };

class State final : public EEH3::StateBase {
 public:
  explicit State(int32_t tick = 0) noexcept : StateBase(tick) {}
  State(const State&) = default;

  TurningPointScan scan;
  int32_t searchStart = 0;  // the current stimulus's window [searchStart, searchEnd) in ticks
  int32_t searchEnd = 0;
  int32_t stimTick = 0;
  Phase phase = Phase::WaitStimulus;
};

struct Algorithm {
  using Params = PSPeakDet::Params;
  using State = PSPeakDet::State;
  using Record = EventPkStm;
  // Runs the phases until it writes one event before stepEnd or must wait for data.
  static bool Step(State& state, Params& params, Record& out, int32_t stepEnd);
};

using Enum = EEH3::FamilyEnum<Algorithm, 2>;  // population-spike events

}  // namespace ZR::Enum::PSPeakDet

namespace ZR::Enum {
using PSPeakDetEnumerator = EEH3::EEH3Enumerator<PSPeakDet::Enum, 8>;
}
