// The parts of a peak-chain stage: a family that reads a channel (source 0) and one nested stage's records
// (source 1) and runs a step kernel over them.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "enumerators/framework/StageReaders.h"
#include "enumerators/framework/EventWrapper.h"
#include "enumerators/framework/FloatExWrapper.h"
#include "enumerators/framework/StateBase.h"
#include "enumerators/framework/TableParams.h"

namespace EEH3 {

// The readers of a stage's sources 0 and 1, the channel and the nested stage's records, remembered when they are
// made so that each step finds them without a cast.
template <class In>
struct StageReaderRefs {
  using Sources = std::vector<std::unique_ptr<eeh_SourceEnum>>;

  // Appends readers of the first two interfaces to sources.
  void Add(Sources& sources, int32_t count, IUnknown** interfaces) {
    channel = nullptr;
    events = nullptr;
    if (count >= 1) {
      auto reader = std::make_unique<FloatExWrapper>(interfaces[0]);
      channel = reader.get();
      sources.push_back(std::move(reader));
    }
    if (count >= 2) {
      auto reader = std::make_unique<EventWrapperEx<In>>(interfaces[1]);
      events = reader.get();
      sources.push_back(std::move(reader));
    }
  }
  // True while both are still sources 0 and 1 (a copied enumerator starts without sources).
  bool HeldBy(const Sources& sources) const noexcept {
    return sources.size() > 1 && sources[0].get() == channel && sources[1].get() == events;
  }

  FloatExWrapper* channel = nullptr;
  EventWrapperEx<In>* events = nullptr;
};

// Runs a stage's step over the readers of params (which keeps them as `readers`).
template <class Record, class Params, class StepState, class Settings, class StepFn>
bool RunStageStepOf(StepFn step, StateBase& state, StepState& stepState, const Settings& settings, Params& params,
                    Record& out, int32_t stepEnd) {
  const bool held = params.readers.HeldBy(params.sources);
  return ZR::Enum::RunStageStep<Record>(step, state, stepState, settings, held ? params.readers.channel : nullptr,
                                        held ? params.readers.events : nullptr, out, stepEnd);
}

// Numeric is the stage's parameter table (a NumericParams), In the nested stage's record.
template <class Numeric, class In>
class StageParams : public TableParams<Numeric> {
 public:
  using Input = In;

  // Wraps the channel and the nested stage's records.
  void AddSources(int32_t count, IUnknown** interfaces) override { readers.Add(this->sources, count, interfaces); }

  StageReaderRefs<In> readers;
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
    return RunStageStepOf<Record>(kStep, state, state.step, params.Settings(), params, out, stepEnd);
  }
};

}  // namespace EEH3
