// The response peak detector's step: stimulus intake, the start of the search and the peak search itself.
#include "enumerators/erpeakdet/ResponsePeakStep.h"

#include <algorithm>

#include "base/TickConversion.h"
#include "base/NoValue.h"

namespace ZR::Enum::ERPeakDet {

namespace {

enum class ScanOutcome { Continue, Found, NoPeak, Wait };

void Restart(StepState& s, int32_t t, float v) noexcept {
  s.peakValue = v;
  s.troughValue = v;
  s.peakTick = t;
}

// Feeds samples v[0, count) at ticks first.. to the search. Stops before a sample at or past stopTick, or while
// the peak lies at or past stepEnd (Wait, or NoPeak when the next stimulus is known), after a written peak
// (Found) and once the peak has moved past the window (NoPeak). consumed is the number of samples taken.
ScanOutcome ScanBlock(StepState& s, const StepSettings& p, const float* v, int32_t first, int32_t count,
                      int32_t stopTick, bool nextStimulus, int32_t stepEnd, int32_t& consumed) noexcept {
  consumed = 0;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t t = first + i;
    if (t >= stopTick) return nextStimulus ? ScanOutcome::NoPeak : ScanOutcome::Wait;
    if (s.peakTick >= stepEnd) return ScanOutcome::Wait;
    const float x = v[i];
    consumed = i + 1;
    // Single-precision differences compared with the double height.
    const float rise = s.peakValue - s.troughValue;
    const float fall = s.peakValue - x;
    if (static_cast<double>(rise) >= p.height && static_cast<double>(fall) >= p.height) {
      if (s.searchStart <= s.peakTick && s.peakTick <= s.searchEnd && s.peakTick > s.stimTick)
        return ScanOutcome::Found;
      Restart(s, t, x);
    } else if (x >= s.peakValue) {
      s.peakValue = x;
      s.peakTick = t;
    } else if (x < s.troughValue) {
      Restart(s, t, x);
    }
    if (s.peakTick > s.searchEnd) return ScanOutcome::NoPeak;
  }
  return ScanOutcome::Continue;
}

// Phase 1: true with the stimulus in out.
bool TakeStimulus(StepState& s, const StepSettings& p, StepFrame& frame, EventCursor<EventPkStm>& stimuli,
                  EventPkStm& out) {
  frame.endSource = 1;
  if (!stimuli.Ready() || stimuli.Position() >= frame.stepEnd) {
    RaisePosition(s.position, stimuli.Position());
    return false;
  }
  s.stimTick = stimuli.Current().tick;
  s.searchStart = std::max(AddTicksSat(s.stimTick, p.searchStartTicks), s.stimTick);
  s.searchEnd = std::max(AddTicksSat(s.stimTick, p.searchEndTicks), s.searchStart);
  s.peakTick = s.searchStart;
  SetNoValue(s.peakValue);
  SetNoValue(s.troughValue);
  stimuli.Advance();
  s.phase = Phase::StartSearch;
  out = EventPkStm::Stimulus(static_cast<double>(s.stimTick));
  RaisePosition(s.position, AddTicksSat(s.stimTick, 1));
  return true;
}

// Phase 2: false when the search cannot start yet.
bool StartSearch(StepState& s, StepFrame& frame, SampleCursor& channel, EventCursor<EventPkStm>& stimuli) {
  stimuli.LiftReadLimitToEnd();
  if (!stimuli.Ready() && stimuli.Position() <= s.searchStart) {
    RaisePosition(s.position, s.stimTick);
    return false;
  }
  frame.endSource = 0;
  channel.SeekTo(s.stimTick);
  if (!channel.Ready()) {
    RaisePosition(s.position, channel.Position());
    return false;
  }
  int32_t count = 0;
  const float* const v = channel.Block(count);
  Restart(s, s.peakTick, v[0]);  // the reader stays on the stimulus sample, the search's first
  s.phase = Phase::Search;
  return true;
}

// Phase 3: true with the peak in out; false with the phase still Search when it must wait, or with the phase
// back at TakeStimulus when this stimulus has no peak.
bool Search(StepState& s, const StepSettings& p, StepFrame& frame, SampleCursor& channel,
            EventCursor<EventPkStm>& stimuli, EventPkStm& out) {
  frame.endSource = 1;
  stimuli.LiftReadLimitToEnd();
  const bool nextStimulus = stimuli.Ready();
  const int32_t stopTick = stimuli.Position();
  for (;;) {
    if (s.peakTick > s.searchEnd) break;
    const int32_t t = channel.Position();
    if (t >= stopTick && nextStimulus) break;
    const bool ready = channel.Ready();
    if (!ready) frame.endSource = 0;
    if (!ready || t >= stopTick || s.peakTick >= frame.stepEnd) {
      RaisePosition(s.position, s.peakTick);
      return false;
    }
    int32_t count = 0;
    const float* const v = channel.Block(count);
    int32_t consumed = 0;
    const ScanOutcome outcome =
        ScanBlock(s, p, v, t, count, stopTick, nextStimulus, frame.stepEnd, consumed);
    channel.Skip(consumed);
    if (outcome == ScanOutcome::Found) {
      out = EventPkStm::Peak(static_cast<double>(s.peakTick), s.peakValue);
      s.phase = Phase::TakeStimulus;
      RaisePosition(s.position, AddTicksSat(s.peakTick, 1));
      return true;
    }
    if (outcome == ScanOutcome::NoPeak) break;
    if (outcome == ScanOutcome::Wait) {
      RaisePosition(s.position, s.peakTick);
      return false;
    }
  }
  s.phase = Phase::TakeStimulus;
  return false;
}

}  // namespace

bool Step(StepState& s, const StepSettings& p, StepFrame& frame, SampleCursor& channel,
          EventCursor<EventPkStm>& stimuli, EventPkStm& out) {
  if (frame.final) {
    s.position = kRecordEndOffset;
    return false;
  }
  if (s.phase == Phase::New) s.phase = Phase::TakeStimulus;
  for (;;) {
    switch (s.phase) {
      case Phase::New:
      case Phase::TakeStimulus:
        return TakeStimulus(s, p, frame, stimuli, out);
      case Phase::StartSearch:
        if (!StartSearch(s, frame, channel, stimuli)) return false;
        break;
      case Phase::Search:
      default:
        if (Search(s, p, frame, channel, stimuli, out)) return true;
        if (s.phase == Phase::Search) return false;
        break;
    }
  }
}

}  // namespace ZR::Enum::ERPeakDet
