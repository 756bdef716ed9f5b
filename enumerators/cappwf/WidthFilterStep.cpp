// The width filter's step: event intake, the half-height crossing search and the width decision.
#include "enumerators/cappwf/WidthFilterStep.h"

#include "base/NoValue.h"

namespace ZR::Enum::CalcCAPPeakWidthFilter {

namespace {

void StartEvent(StepState& s) noexcept {
  s.event = EventBCalcBase();
  s.leftTick = -1;
  s.rightTick = -1;
  s.phase = Phase::TakeEvent;
}

// Reads the channel up to limit (exclusive) for the two crossings; false when a sample is not yet there.
bool FindCrossings(StepState& s, SampleCursor& channel, int32_t limit) {
  const EventBCalcBase& e = s.event;
  // Without a baseline there is no half level, and no sample is low.
  const bool hasLevel = !IsNoValue(e.baseline);
  const float p = e.polarity;
  float pHalf = 0.0f;
  if (hasLevel) {
    const float height = static_cast<float>(e.value) - e.baseline;
    pHalf = p * (height * 0.5f + e.baseline);
  }
  for (;;) {
    const int32_t first = channel.Position();
    if (first >= limit) {
      s.rightTick = first;
      return true;
    }
    if (!channel.Ready()) {
      // The record's samples ended before the limit: the crossing is at their end, as it is at the limit.
      if (!channel.AtEnd()) return false;
      s.rightTick = channel.Position();
      return true;
    }
    int32_t count = 0;
    const float* const v = channel.Block(count);
    const int64_t left = static_cast<int64_t>(limit) - first;
    if (left < count) count = static_cast<int32_t>(left);
    for (int32_t i = 0; i < count; ++i) {
      const int32_t t = first + i;
      if (s.leftTick < 0) s.leftTick = t;
      const bool low = hasLevel && p * v[i] <= pHalf;
      if (!low) continue;
      if (t < e.tick) {
        s.leftTick = t;
      } else {
        s.rightTick = t;
        channel.Skip(i);
        return true;
      }
    }
    channel.Skip(count);
  }
}

}  // namespace

bool Step(StepState& s, const StepSettings& p, StepFrame& frame, SampleCursor& channel,
          EventCursor<EventBCalcBase>& events, EventPkStm& out) {
  out.kind = kEventEmpty;
  if (frame.final) RaisePosition(s.position, kRecordEndOffset);
  for (;;) {
    switch (s.phase) {
      case Phase::Start:
        frame.endSource = 1;
        StartEvent(s);
        break;
      case Phase::TakeEvent:
        events.LiftReadLimitToEnd();
        if (!events.Ready()) {
          RaisePosition(s.position, events.Position());
          return false;
        }
        RaisePosition(s.position, events.Position());
        s.event = events.Current();
        events.Advance();
        s.phase = Phase::WaitContext;
        break;
      case Phase::WaitContext:
        if (frame.stepEnd <= s.event.tick) return false;
        if (!events.Ready() && !frame.final) return false;
        s.phase = Phase::Measure;
        break;
      case Phase::Measure: {
        frame.endSource = 0;
        if (s.rightTick < 0) {
          const int32_t limit = events.Ready() ? events.Current().baseEndTick : kRecordEndOffset;
          if (!FindCrossings(s, channel, limit)) return false;
        }
        s.phase = Phase::Decide;
        break;
      }
      case Phase::Decide:
      default: {
        RaisePosition(s.position, events.Position());
        s.phase = Phase::Start;
        const int64_t width = static_cast<int64_t>(s.rightTick) - s.leftTick;
        if (width < p.minWidthTicks) break;
        // The baseline stage's value is a float widened (or its no-value), so it narrows exactly.
        const float height = static_cast<float>(s.event.value);
        out = EventPkStm::Peak(s.event.Position(), height);
        return true;
      }
    }
  }
}

}  // namespace ZR::Enum::CalcCAPPeakWidthFilter
