// The parts of a peak-chain stage: a family that reads a channel (source 0) and one nested stage's records
// (source 1) and runs a step kernel over them.
#pragma once

#include <cstdint>
#include <memory>

#include "enumerators/framework/StageReaders.h"
#include "enumerators/framework/EventWrapper.h"
#include "enumerators/framework/FloatExWrapper.h"
#include "enumerators/framework/StateBase.h"
#include "enumerators/framework/TableParams.h"

namespace EEH3 {

// Numeric is the stage's parameter table (a NumericParams), In the nested stage's record.
template <class Numeric, class In>
class StageParams : public TableParams<Numeric> {
 public:
  using Input = In;

  // Wraps the channel and the nested stage's records.
  void AddSources(int32_t count, IUnknown** interfaces) override {
    if (count >= 1) this->sources.push_back(std::make_unique<FloatExWrapper>(interfaces[0]));
    if (count >= 2) this->sources.push_back(std::make_unique<EventWrapperEx<In>>(interfaces[1]));
  }
};

// The enumerator's state with the step kernel's own state beside it.
template <class StepState>
class StageState final : public StateBase {
 public:
  explicit StageState(int32_t tick = 0) noexcept : StateBase(tick) {}

  StepState step;
};

// Runs kStep over the readers with the settings Params::Settings() gives (see RunStageStep).
template <class ParamsT, class StateT, class RecordT, auto kStep>
struct StageAlgorithm {
  using Params = ParamsT;
  using State = StateT;
  using Record = RecordT;

  static bool Step(State& state, Params& params, Record& out, int32_t stepEnd) {
    return ZR::Enum::RunStageStep<Record, typename Params::Input>(kStep, state, state.step, params.Settings(),
                                                                  params, out, stepEnd);
  }
};

}  // namespace EEH3
