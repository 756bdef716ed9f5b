// CAPPeakDet: the detector of cardiac action-potential peaks, one EventPkStm per peak of one channel.
#pragma once

#include <cstdint>
#include <iosfwd>

#include "enumerators/cappeakdet/PeakScan.h"
#include "enumerators/framework/EEH3Enumerator.h"
#include "base/EventRecords.h"
#include "enumerators/framework/FamilyEnum.h"
#include "enumerators/framework/FloatExWrapper.h"
#include "enumerators/framework/ParamsBase.h"
#include "enumerators/framework/StateBase.h"

namespace ZR::Enum::CAPPeakDet {

// "Min Height" (channel units) and "Min Width" (milliseconds), then the region limits.
class Params final : public EEH3::ParamsBase {
 public:
  void Load(std::wistream& in) override;
  void Save(std::wostream& out) const override;
  // Wraps the first interface as the channel reader, then derives minWidthTicks from the tick period.
  void AddSources(int32_t count, IUnknown** interfaces) override;
  // The channel reader while it is the first source; null without one (a copy starts without sources).
  EEH3::FloatExWrapper* Channel() const noexcept {
    return !sources.empty() && sources[0].get() == mChannel ? mChannel : nullptr;
  }

  double minHeight = 1e-30;
  double minWidthMs = -1.0;
  int32_t minWidthTicks = 0;

 private:
  EEH3::FloatExWrapper* mChannel = nullptr;  // the reader AddSources made, kept to spare a cast at every step
};

class State final : public EEH3::StateBase {
 public:
  explicit State(int32_t tick = 0) noexcept : StateBase(tick) {}
  State(const State&) = default;

  PeakScanState scan;
};

struct Algorithm {
  using Params = CAPPeakDet::Params;
  using State = CAPPeakDet::State;
  using Record = EventPkStm;
  // Reads the channel from where the state stands until a peak is confirmed or the samples run out; writes
  // the peak when it lies before stepEnd.
  static bool Step(State& state, Params& params, Record& out, int32_t stepEnd);
};

using Enum = EEH3::FamilyEnum<Algorithm, 0>;  // detector events

}  // namespace ZR::Enum::CAPPeakDet

namespace ZR::Enum {
using CAPPeakDetEnumerator = EEH3::EEH3Enumerator<CAPPeakDet::Enum, 8>;
}
