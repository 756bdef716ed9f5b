// CalcBulk: the full measurement stage of the peak chain, one EventFCalc per second-baseline record.
#pragma once

#include <cstdint>
#include <iosfwd>

#include "enumerators/calcbulk/CalcBulkStep.h"
#include "enumerators/calcbulk/MeasureParams.h"
#include "enumerators/framework/CalcEnumEventBase.h"
#include "enumerators/framework/EEH3Enumerator.h"
#include "enumerators/framework/EventRecords.h"
#include "enumerators/framework/ParamsBase.h"
#include "enumerators/framework/StateBase.h"
#include "hostclient/SettingsChildData.h"

namespace ZR::Enum::CalcBulk {

// The sixteen numeric parameters, then the limits; source 0 the channel, source 1 the
// second-baseline stage's records. Adding the sources derives the tick widths for the
// record's tick period.
class Params final : public EEH3::ParamsBase, public MeasureParams {
 public:
  Params() = default;
  Params(const Params&) = default;

  void Load(std::wistream& in) override;
  void Save(std::wostream& out) const override;
  void AddSources(int32_t count, IUnknown** interfaces) override;

  // The analysis run's values kept with the data file, read when the sources are added: the
  // analysed channel first (whose time base sets the smoothing points); the second is not used.
  SettingsValues settings;
};

class State final : public EEH3::StateBase {
 public:
  explicit State(int32_t tick = 0) noexcept : StateBase(tick) {}
  State(const State&) = default;

  StepState step;
};

struct Algorithm {
  using Params = CalcBulk::Params;
  using State = CalcBulk::State;
  using Record = EventFCalc;
  static bool Step(State& state, Params& params, Record& out, int32_t stepEnd);
};

class Enum : public CalcEnums::CalcEnumEventBase {
 public:
  using Params = CalcBulk::Params;
  using State = CalcBulk::State;
  using Record = EventFCalc;
  using Algorithm = CalcBulk::Algorithm;
  static constexpr uint32_t kEventTypeNumber = 1;  // the calculated-event draw class

 protected:
  using CalcEnumEventBase::CalcEnumEventBase;
};

}  // namespace ZR::Enum::CalcBulk

namespace ZR::Enum {
using CalcBulkEnumerator = EEH3::EEH3Enumerator<CalcBulk::Enum, 8>;
}
