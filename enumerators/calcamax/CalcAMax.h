// CalcAMax: the extreme stage of the peak chain, one EventBCalcMax per baseline record.
#pragma once

#include <cstdint>
#include <iosfwd>

#include "enumerators/calcamax/AMaxParams.h"
#include "enumerators/calcamax/CalcAMaxStep.h"
#include "enumerators/framework/CalcEnumEventBase.h"
#include "enumerators/framework/EEH3Enumerator.h"
#include "enumerators/framework/EventRecords.h"
#include "enumerators/framework/ParamsBase.h"
#include "enumerators/framework/StateBase.h"

namespace ZR::Enum::CalcAMax {

// The numeric parameters, then the limits; source 0 the channel, source 1 the baseline stage's records.
class Params final : public EEH3::ParamsBase, public AMaxParams {
 public:
  Params() = default;
  Params(const Params&) = default;

  void Load(std::wistream& in) override;
  void Save(std::wostream& out) const override;
  void AddSources(int32_t count, IUnknown** interfaces) override;

  StepSettings Settings() const noexcept;
};

class State final : public EEH3::StateBase {
 public:
  explicit State(int32_t tick = 0) noexcept : StateBase(tick) {}
  State(const State&) = default;

  StepState step;
};

struct Algorithm {
  using Params = CalcAMax::Params;
  using State = CalcAMax::State;
  using Record = EventBCalcMax;
  static bool Step(State& state, Params& params, Record& out, int32_t stepEnd);
};

class Enum : public CalcEnums::CalcEnumEventBase {
 public:
  using Params = CalcAMax::Params;
  using State = CalcAMax::State;
  using Record = EventBCalcMax;
  using Algorithm = CalcAMax::Algorithm;
  static constexpr uint32_t kEventTypeNumber = 4;  // intermediate calculation, not drawn

 protected:
  using CalcEnumEventBase::CalcEnumEventBase;
};

}  // namespace ZR::Enum::CalcAMax

namespace ZR::Enum {
using CalcAMaxEnumerator = EEH3::EEH3Enumerator<CalcAMax::Enum, 8>;
}
