// The resumable step of the full measurement stage: one EventFCalc per EventBCalcBase2 input record.
#include "enumerators/calcbulk/CalcBulkStep.h"

namespace ZR::Enum::CalcBulk {

namespace {

// Streams the event's samples past the measurer, from its search start (never seeking
// backward) up to and including the last tick; stops early when the channel has no more.
void ReadSamples(EventMeasurer& m, const MeasureParams& params, SampleCursor& channel) {
  const int32_t first = m.FirstTick();
  if (channel.Position() < first)
    channel.SeekTo(first);
  const int64_t last = m.LastTick(params);
  while (channel.Ready()) {
    const int32_t t0 = channel.Position();
    if (t0 > last)
      return;
    int32_t count = 0;
    const float* block = channel.Block(count);
    if (block == nullptr || count <= 0)
      return;
    const int64_t wanted = last - t0 + 1;
    const int32_t n = wanted < count ? static_cast<int32_t>(wanted) : count;
    m.AddSamples(params, t0, block, n);
    channel.Skip(n);
  }
}

}  // namespace

bool Step(StepState& s, const MeasureParams& params, StepFrame& frame, SampleCursor& channel,
          EventCursor<EventBCalcBase2>& events, EventFCalc& out) {
  if (frame.final) {
    RaisePosition(s.position, kRecordEndOffset);
    return false;
  }
  if (s.phase == Phase::New) {
    s.measurer.Restart();
    s.phase = Phase::WaitEvent;
  }
  if (s.phase == Phase::WaitEvent) {
    frame.endSource = 1;
    events.LiftReadLimitToEnd();
    if (!events.Ready())
      return false;
    const EventBCalcBase2& event = events.Current();
    if (event.tick >= frame.stepEnd) {
      RaisePosition(s.position, frame.stepEnd);
      return false;
    }
    s.measurer.Begin(event, params);
    events.Advance();
    s.phase = Phase::Measure;
  }
  frame.endSource = 0;
  ReadSamples(s.measurer, params, channel);
  s.measurer.Finish(params, out);
  const EventBCalcBase2& in = s.measurer.input();
  const int32_t after = in.peakEndTick > in.tick ? in.peakEndTick : in.tick + 1;
  RaisePosition(s.position, after < frame.stepEnd ? after : frame.stepEnd);
  s.phase = Phase::WaitEvent;
  return true;
}

}  // namespace ZR::Enum::CalcBulk
