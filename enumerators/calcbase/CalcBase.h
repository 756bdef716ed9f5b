// CalcBase: the baseline stage of the peak chain, one EventBCalcBase per detector event.
#pragma once

#include <cstdint>
#include <iosfwd>

#include "enumerators/calcbase/BaseParams.h"
#include "enumerators/calcbase/CalcBaseStep.h"
#include "enumerators/framework/CalcEnumEventBase.h"
#include "enumerators/framework/EEH3Enumerator.h"
#include "enumerators/framework/EventRecords.h"
#include "enumerators/framework/ParamsBase.h"
#include "enumerators/framework/StateBase.h"

namespace ZR::Enum::CalcBase {

// The numeric parameters, then the limits; source 0 the channel, source 1 the detector's events.
class Params final : public EEH3::ParamsBase, public BaseParams {
 public:
  Params() = default;
  Params(const Params&) = default;

  void Load(std::wistream& in) override;
  void Save(std::wostream& out) const override;
  // Wraps the channel and the event source, then converts the millisecond parameters with the tick period.
  void AddSources(int32_t count, IUnknown** interfaces) override;

  StepSettings Settings() const noexcept;

  int32_t maxBaselineTicks = 500;
  int32_t searchStartTicks = -1;
  int32_t searchEndTicks = -1;
};

class State final : public EEH3::StateBase {
 public:
  explicit State(int32_t tick = 0) noexcept : StateBase(tick) {}
  State(const State&) = default;

  StepState step;
};

struct Algorithm {
  using Params = CalcBase::Params;
  using State = CalcBase::State;
  using Record = EventBCalcBase;
  static bool Step(State& state, Params& params, Record& out, int32_t stepEnd);
};

class Enum : public CalcEnums::CalcEnumEventBase {
 public:
  using Params = CalcBase::Params;
  using State = CalcBase::State;
  using Record = EventBCalcBase;
  using Algorithm = CalcBase::Algorithm;
  static constexpr uint32_t kEventTypeNumber = 4;  // intermediate calculation, not drawn

 protected:
  using CalcEnumEventBase::CalcEnumEventBase;
};

}  // namespace ZR::Enum::CalcBase

namespace ZR::Enum {
using CalcBaseEnumerator = EEH3::EEH3Enumerator<CalcBase::Enum, 8>;
}
