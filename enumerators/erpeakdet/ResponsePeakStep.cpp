// The response peak detector's step: stimulus intake, the start of the search and the peak search itself.
#include "enumerators/erpeakdet/ResponsePeakStep.h"

#include <algorithm>
#include <vector>

#include "base/TickConversion.h"
#include "base/NoValue.h"

namespace ZR::Enum::ERPeakDet {

namespace {

enum class ScanOutcome { Continue, Found, NoPeak, Wait };

void Restart(StepState& s, int32_t t, float v) noexcept {
  s.peakValue = v;
  s.troughValue = v;
  s.peakTick = t;
  s.held = false;
}

// The last tick at which the signal's fall back to rest makes a confirmed peak the artefact's; -1 when every
// confirmed peak stands (no rule, or no rest before the stimulus).
int32_t ArtefactEnd(const StepState& s, const StepSettings& p) noexcept {
  return p.artefactTicks >= 0 && s.rest.known ? AddTicksSat(s.stimTick, p.artefactTicks) : -1;
}

// Feeds samples v[0, count) at ticks first.. to the search. Stops before a sample at or past stopTick, or while
// the peak lies at or past stepEnd (Wait, or NoPeak when the next stimulus is known: Found for a held peak), after
// a written peak (Found) and once the peak has moved past the window (NoPeak). Up to artefactEnd a sample back at
// rest (at or below back) below a peak beyond it makes that peak the artefact's, and the search restarts there; a
// peak confirmed in the window by then is held, and written at the first sample past artefactEnd (Found, that
// sample not taken). With rest known the rise is counted from rest at the lowest: a trough beyond it is the
// artefact's. consumed is the number of samples taken.
ScanOutcome ScanBlock(StepState& s, const StepSettings& p, const float* v, int32_t first, int32_t count,
                      int32_t stopTick, bool nextStimulus, int32_t stepEnd, int32_t& consumed) noexcept {
  consumed = 0;
  const int32_t artefactEnd = ArtefactEnd(s, p);
  const double back = static_cast<double>(s.rest.level) + std::max(s.rest.spread, 0.5 * p.height);
  for (int32_t i = 0; i < count; ++i) {
    const int32_t t = first + i;
    if (t >= stopTick) {
      if (!nextStimulus) return ScanOutcome::Wait;
      return s.held ? ScanOutcome::Found : ScanOutcome::NoPeak;
    }
    if (s.peakTick >= stepEnd) return ScanOutcome::Wait;
    const float x = v[i];
    const bool inArtefact = t <= artefactEnd;
    const bool fellBack = inArtefact && static_cast<double>(x) <= back && static_cast<double>(s.peakValue) > back;
    if (s.held) {
      if (!inArtefact) return ScanOutcome::Found;
      consumed = i + 1;
      if (fellBack) Restart(s, t, x);
      continue;
    }
    consumed = i + 1;
    // Single-precision differences compared with the double height; the rise from rest at the lowest.
    const float rise = s.peakValue - (artefactEnd >= 0 ? std::max(s.troughValue, s.rest.level) : s.troughValue);
    const float fall = s.peakValue - x;
    if (fellBack) {
      Restart(s, t, x);
    } else if (static_cast<double>(rise) >= p.height && static_cast<double>(fall) >= p.height) {
      if (s.searchStart <= s.peakTick && s.peakTick <= s.searchEnd && s.peakTick > s.stimTick) {
        if (!inArtefact) return ScanOutcome::Found;
        s.held = true;
        continue;
      }
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

// Rest before the stimulus from its samples after the event before it, lookTicks at most; false when a sample is
// not yet there.
bool ReadRest(StepState& s, const StepSettings& p, SampleCursor& channel) {
  if (s.restFrom > s.stimTick) {
    s.rest.measured = true;
    return true;
  }
  std::vector<float> v;
  v.reserve(static_cast<size_t>(s.stimTick - s.restFrom + 1));
  channel.SeekTo(s.restFrom);
  if (!AppendSamplesBefore(channel, AddTicksSat(s.stimTick, 1), v)) return false;
  Rest::MeasureRest(s.rest, v.data(), static_cast<int32_t>(v.size()), s.restFrom, p.restTicks, 0.0);
  return true;
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
  s.rest = Rest::StimulusRest();
  // Rest's samples follow the event before (wherever a resumed step left the channel).
  s.restFrom = std::max(AddTicksSat(s.lastEventTick, 1), SubTicksSat(s.stimTick, p.lookTicks));
  s.lastEventTick = s.stimTick;
  s.held = false;
  stimuli.Advance();
  s.phase = Phase::StartSearch;
  out = EventPkStm::Stimulus(static_cast<double>(s.stimTick));
  RaisePosition(s.position, AddTicksSat(s.stimTick, 1));
  return true;
}

// Phase 2: false when the search cannot start yet.
bool StartSearch(StepState& s, const StepSettings& p, StepFrame& frame, SampleCursor& channel,
                 EventCursor<EventPkStm>& stimuli) {
  stimuli.LiftReadLimitToEnd();
  if (!stimuli.Ready() && stimuli.Position() <= s.searchStart) {
    RaisePosition(s.position, s.stimTick);
    return false;
  }
  frame.endSource = 0;
  if (p.artefactTicks >= 0 && !s.rest.measured && !ReadRest(s, p, channel)) {
    RaisePosition(s.position, channel.Position());
    return false;
  }
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

bool WritePeak(StepState& s, EventPkStm& out) noexcept {
  out = EventPkStm::Peak(static_cast<double>(s.peakTick), s.peakValue);
  s.lastEventTick = s.peakTick;
  s.held = false;
  s.phase = Phase::TakeStimulus;
  RaisePosition(s.position, AddTicksSat(s.peakTick, 1));
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
    if (t >= stopTick && nextStimulus) {
      if (!s.held) break;
      return WritePeak(s, out);  // held up to the next stimulus
    }
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
    if (outcome == ScanOutcome::Found) return WritePeak(s, out);
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
        if (!StartSearch(s, p, frame, channel, stimuli)) return false;
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
