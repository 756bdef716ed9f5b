// The framework's channel and event readers seen through the cursors of the per-event calculation steps.
#pragma once

#include <cstdint>

#include "enumerators/framework/StageCursors.h"
#include "enumerators/framework/EventWrapper.h"
#include "enumerators/framework/FloatExWrapper.h"
#include "enumerators/framework/StateBase.h"

namespace ZR::Enum {

class ChannelReaderCursor final : public SampleCursor {
 public:
  explicit ChannelReaderCursor(EEH3::FloatExWrapper& reader) noexcept : mReader(reader) {}
  bool Ready() override { return mReader.Ready(); }
  int32_t Position() override { return mReader.Position(); }
  const float* Block(int32_t& count) override { return mReader.Block(count); }
  void Skip(int32_t count) override { mReader.Skip(count); }
  void SeekTo(int32_t tick) override { mReader.SeekTo(tick); }
  bool AtEnd() override { return mReader.AtEnd(); }

 private:
  EEH3::FloatExWrapper& mReader;
};

template <class Record>
class EventReaderCursor final : public EventCursor<Record> {
 public:
  explicit EventReaderCursor(EEH3::EventWrapperEx<Record>& reader) noexcept : mReader(reader) {}
  bool Ready() override { return mReader.Ready(); }
  int32_t Position() override { return mReader.Position(); }
  const Record& Current() override {
    mCurrent = mReader.Value();
    return mCurrent;
  }
  void Advance() override { mReader.Advance(); }
  void LiftReadLimitToEnd() override { mReader.LiftReadLimitToEnd(); }
  bool AtEnd() override { return mReader.AtEnd(); }

 private:
  EEH3::EventWrapperEx<Record>& mReader;
  Record mCurrent;
};

// Runs a stage's step over the enumerator's readers: the channel and the nested records. Without both readers
// the record is finished at once (no records).
template <class Record, class In, class StepState, class Settings, class StepFn>
bool RunStageStep(StepFn step, EEH3::StateBase& state, StepState& stepState, const Settings& settings,
                  EEH3::FloatExWrapper* channel, EEH3::EventWrapperEx<In>* events, Record& out, int32_t stepEnd) {
  if (!channel || !events) {
    state.position = kRecordEndOffset;
    return false;
  }
  ChannelReaderCursor channelCursor(*channel);
  EventReaderCursor<In> eventCursor(*events);
  StepFrame frame;
  frame.stepEnd = stepEnd;
  frame.final = state.final;
  frame.endSource = state.endSource;
  stepState.position = state.position;
  const bool found = step(stepState, settings, frame, channelCursor, eventCursor, out);
  state.position = stepState.position;
  state.endSource = frame.endSource;
  return found;
}

}  // namespace ZR::Enum
