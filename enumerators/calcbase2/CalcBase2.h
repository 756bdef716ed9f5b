// CalcBase2: the second baseline stage of the peak chain, one EventBCalcBase2 per extreme record.
#pragma once

#include <cstdint>
#include <iosfwd>

#include "enumerators/calcbase2/Base2Params.h"
#include "enumerators/calcbase2/CalcBase2Step.h"
#include "enumerators/framework/CalcEnumEventBase.h"
#include "enumerators/framework/EEH3Enumerator.h"
#include "enumerators/framework/EventRecords.h"
#include "enumerators/framework/ParamsBase.h"
#include "enumerators/framework/StateBase.h"

namespace ZR::Enum::CalcBase2 {

// The numeric parameters, then the limits; source 0 the channel, source 1 the extreme stage's records.
class Params final : public EEH3::ParamsBase, public Base2Params {
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
  using Params = CalcBase2::Params;
  using State = CalcBase2::State;
  using Record = EventBCalcBase2;
  static bool Step(State& state, Params& params, Record& out, int32_t stepEnd);
};

class Enum : public CalcEnums::CalcEnumEventBase {
 public:
  using Params = CalcBase2::Params;
  using State = CalcBase2::State;
  using Record = EventBCalcBase2;
  using Algorithm = CalcBase2::Algorithm;
  static constexpr uint32_t kEventTypeNumber = 4;  // intermediate calculation, not drawn

 protected:
  using CalcEnumEventBase::CalcEnumEventBase;
};

}  // namespace ZR::Enum::CalcBase2

namespace ZR::Enum {
using CalcBase2Enumerator = EEH3::EEH3Enumerator<CalcBase2::Enum, 8>;
}
