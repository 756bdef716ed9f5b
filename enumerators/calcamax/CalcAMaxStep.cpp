// The extreme stage's step: the limit from the next event, the scan for the extreme and both crossings, and the
// optional move of the event to its extreme.
#include "enumerators/calcamax/CalcAMaxStep.h"

#include <algorithm>
#include <vector>

#include "base/SampleScan.h"
#include "base/TickConversion.h"
#include "enumerators/stimrest/StimulusRest.h"

namespace ZR::Enum::CalcAMax {

namespace {

ScanLevels LevelsOf(const EventBCalcBase& input, const StepSettings& p) noexcept {
  ScanLevels levels;
  const double b = input.baseline;
  const double h = input.value - b;
  levels.polarity = input.polarity;
  levels.start = levels.polarity * (b + p.startHeightPercent * 0.01 * h);
  levels.end = levels.polarity * (b + p.endHeightPercent * 0.01 * h);
  levels.valueIsNumber = !IsNoValue(input.value);
  levels.peakTick = input.tick;
  levels.baseEndTick = input.baseEndTick;
  levels.startsAtBase = input.stimulusTick >= 0;
  return levels;
}

void SetUp(StepState& s) noexcept {
  static_cast<EventBCalcBase&>(s.output) = s.input;
  // The extreme starts a unit short of zero on the peak's side (-1.0 for an upward peak, +1.0 for a downward one),
  // so a recording turned over finds every extreme turned over.
  s.output.maxValue = s.input.polarity < 0.0f ? 1.0f : -1.0f;
  s.output.maxTick = kNoTick;
  s.output.peakStartTick = kNoTick;
  s.output.peakEndTick = kNoTick;
  s.output.limitTick = kNoTick;
  s.endFound = false;
}

// The samples of ticks [from, to] into v, the channel left where it was; false when one is not yet there.
bool SamplesThrough(SampleCursor& channel, int32_t from, int32_t to, std::vector<float>& v) {
  const int32_t position = channel.Position();
  v.reserve(static_cast<size_t>(to - from + 1));
  channel.SeekTo(from);
  const bool ready = AppendSamplesBefore(channel, AddTicksSat(to, 1), v);
  channel.SeekTo(position);
  return ready;
}

// Moves limit back to the first sample of the artefact of the next stimulus at tick stimulus, read from the samples
// after this event's peak, when this event follows a stimulus too and the artefact begins after the peak; the
// channel is left where it was. False when a sample is not yet there.
bool ArtefactLimit(const StepState& s, const StepSettings& p, SampleCursor& channel, int32_t stimulus,
                   int32_t& limit) {
  if (s.input.stimulusTick < 0 || stimulus <= s.input.tick) return true;
  const int32_t from = std::max(AddTicksSat(s.input.tick, 1), SubTicksSat(stimulus, p.lookTicks));
  std::vector<float> v;
  if (!SamplesThrough(channel, from, stimulus, v)) return false;
  const int32_t start = Rest::ArtefactStart(v.data(), static_cast<int32_t>(v.size()), from, p.restTicks);
  if (start > s.input.tick && start < limit) limit = start;
  return true;
}

// The dip between an event's peak and the next one's, where the next one's rise began before this peak (the next
// one's foot walked back over both): a notch or a shoulder where the signal came back out of it no slower than it
// fell into it (to and from half way down, to a sample), else a current of the other sign riding on the rise, whose
// return the detector took for a peak. Events that follow a stimulus have none: their windows are the stimuli's.
enum class Dip { None, Notch, Rider };

// The dip from event to next, read from the channel, which is left where it was, and fall, the first sample half way
// down into it; false when a sample is not yet there.
bool DipBeforeNext(const EventBCalcBase& event, const EventBCalcBase& next, SampleCursor& channel, Dip& dip,
                   int32_t& fall) {
  dip = Dip::None;
  if (event.stimulusTick >= 0 || next.stimulusTick >= 0 || IsNoValue(event.value) || IsNoValue(next.baseline) ||
      !(next.SearchStart() < event.tick) || next.tick <= event.tick)
    return true;
  std::vector<float> v;  // from this peak up to the next one
  if (!SamplesThrough(channel, event.tick, next.tick, v)) return false;
  const double p = event.polarity;
  const auto n = static_cast<int32_t>(v.size());
  int32_t lowest = 0;
  for (int32_t i = 1; i < n; ++i)
    if (p * v[static_cast<size_t>(i)] < p * v[static_cast<size_t>(lowest)]) lowest = i;
  const double half = 0.5 * (p * v[0] + p * v[static_cast<size_t>(lowest)]);
  int32_t fell = lowest;  // the last sample above half way before the lowest, and the first after it
  while (fell > 0 && !(p * v[static_cast<size_t>(fell)] > half)) --fell;
  int32_t rose = lowest;
  while (rose + 1 < n && !(p * v[static_cast<size_t>(rose)] > half)) ++rose;
  dip = rose - lowest <= lowest - fell + 1 ? Dip::Notch : Dip::Rider;
  fall = AddTicksSat(event.tick, fell + 1);
  return true;
}

// Scans up to the limit; false when the samples ran out before the end crossing and more may come.
bool Scan(StepState& s, const StepSettings& p, const StepFrame& frame, SampleCursor& channel) {
  const ScanLevels levels = LevelsOf(s.input, p);
  const bool exhausted = ScanBlocksUntil(
      channel, s.output.limitTick,
      [&](const float* v, int32_t first, int32_t count) {
        return ScanExtremeBlock(s.output, s.endFound, levels, v, first, count);
      },
      [&] { return s.endFound; });
  if (exhausted && !s.endFound && !frame.final) return false;
  if (s.output.peakEndTick < 0) s.output.peakEndTick = SubTicksSat(channel.Position(), 1);
  return true;
}

// False when the extreme lies at or beyond the step's end (the event is finished by a later step).
bool Finish(StepState& s, const StepSettings& p, StepFrame& frame, EventBCalcMax& out) {
  EventBCalcMax& o = s.output;
  const double polarity = s.input.polarity;
  const bool valueIsNumber = !IsNoValue(s.input.value);
  // When no start crossing restarted the extreme and no sample lay beyond where it started (a peak wholly on the
  // far side of a unit in channel units), nothing was found, and the detector's event is the extreme.
  if (valueIsNumber && o.maxTick < 0) {
    o.maxValue = static_cast<float>(s.input.value);
    o.maxTick = s.input.tick;
  }
  // The input value is the detector's: keep it when the scan found nothing farther from the baseline, comparing
  // on the peak's side of it so that downward peaks keep their more negative extreme.
  if (valueIsNumber && !IsNoValue(o.maxValue) && polarity * o.maxValue < polarity * s.input.value) {
    o.maxValue = static_cast<float>(s.input.value);
    o.maxTick = s.input.tick;
  }
  if (o.maxTick >= frame.stepEnd) {
    RaisePosition(s.position, frame.stepEnd);
    return false;
  }
  if (!valueIsNumber) {
    o.tick = s.input.tick;
    o.fraction = s.input.fraction;
    SetNoValue(o.value);
  } else {
    if (o.peakStartTick < 0) o.peakStartTick = s.input.baseEndTick;
    if (p.reposition == 1) {
      o.tick = o.maxTick;
      o.fraction = 0.0f;
      o.value = o.maxValue;
    }
  }
  RaisePosition(s.position, frame.final ? kRecordEndOffset : AddTicksSat(o.tick, 1));
  s.phase = Phase::Idle;
  out = o;
  return true;
}

}  // namespace

namespace {

// Index in [0, count] of the block's first sample at or after tick.
int32_t IndexAt(int32_t firstTick, int32_t count, int64_t tick) noexcept {
  return static_cast<int32_t>(std::clamp<int64_t>(tick - firstTick, 0, count));
}

// The extreme restarts where the rise last left the start level.
void Restart(EventBCalcMax& out, double& extreme, double p, const float* v, int32_t firstTick, int32_t i) noexcept {
  out.peakStartTick = firstTick + i;
  out.maxValue = v[i];
  out.maxTick = firstTick + i;
  extreme = p * static_cast<double>(v[i]);
}

// The first sample of [from, to) farther on the peak's side than the extreme so far becomes the extreme.
void Extend(EventBCalcMax& out, double& extreme, double p, const float* v, int32_t firstTick, int32_t from,
            int32_t to) noexcept {
  const int32_t i = SampleScan::FindFirstLargest(v, from, to, p, extreme);
  if (i < 0) return;
  out.maxValue = v[i];
  out.maxTick = firstTick + i;
  extreme = p * static_cast<double>(v[i]);
}

// One stretch of the block in which each test either applies to every sample or to none: kRestart (before the
// peak), kExtreme (from the baseline's end), kEnd (after the peak); the tests run in that order on each sample.
// Only the last restart matters, and only the extreme after it; the end crossing stops the scan after its own
// extreme test. Returns the index of the end crossing, or to.
template <bool kRestart, bool kExtreme, bool kEnd>
int32_t ScanStretch(EventBCalcMax& out, double& extreme, const ScanLevels& levels, const float* v,
                    int32_t firstTick, int32_t from, int32_t to) noexcept {
  using SampleScan::Test;
  const double p = levels.polarity;
  if (from >= to) return to;
  int32_t stop = to;
  if (kEnd) stop = SampleScan::FindFirst<Test::AtOrBelow>(v, from, to, p, levels.end);
  const int32_t through = stop < to ? stop + 1 : to;  // the samples that take the restart and extreme tests
  if (kRestart) {
    const int32_t last = SampleScan::FindLast<Test::AtOrBelow>(v, from, through, p, levels.start);
    if (last >= 0) {
      Restart(out, extreme, p, v, firstTick, last);
      from = last + 1;
    }
  }
  if (kExtreme) Extend(out, extreme, p, v, firstTick, from, through);
  if (stop == to) return to;
  out.peakEndTick = firstTick + stop;
  return stop;
}

}  // namespace

int32_t ScanExtremeBlock(EventBCalcMax& out, bool& endFound, const ScanLevels& levels, const float* v,
                         int32_t firstTick, int32_t count) noexcept {
  double extreme = levels.polarity * static_cast<double>(out.maxValue);
  const int32_t peak = IndexAt(firstTick, count, levels.peakTick);
  const int32_t afterPeak = IndexAt(firstTick, count, static_cast<int64_t>(levels.peakTick) + 1);
  const int32_t base = IndexAt(firstTick, count, levels.baseEndTick);
  // Before the peak: the restart (only for a peak with a value) and, from the baseline's end, the extreme.
  const int32_t split = std::min(base, peak);
  if (levels.valueIsNumber) {
    if (!levels.startsAtBase) ScanStretch<true, false, false>(out, extreme, levels, v, firstTick, 0, split);
    ScanStretch<true, true, false>(out, extreme, levels, v, firstTick, split, peak);
  } else {
    ScanStretch<false, true, false>(out, extreme, levels, v, firstTick, split, peak);
  }
  // The peak's own tick (from the baseline's end), then the samples after it, where the end crossing stops
  // the scan.
  const int32_t atPeakFrom = std::max(peak, std::min(base, afterPeak));
  ScanStretch<false, true, false>(out, extreme, levels, v, firstTick, atPeakFrom, afterPeak);
  const int32_t tailFrom = std::max(afterPeak, base);
  int32_t stop = ScanStretch<false, false, true>(out, extreme, levels, v, firstTick, afterPeak, tailFrom);
  if (stop == tailFrom) stop = ScanStretch<false, true, true>(out, extreme, levels, v, firstTick, tailFrom, count);
  if (stop < count) endFound = true;
  return stop;
}

bool Step(StepState& s, const StepSettings& p, StepFrame& frame, SampleCursor& channel,
          EventCursor<EventBCalcBase>& events, EventBCalcMax& out) {
  for (;;) {
    switch (s.phase) {
      case Phase::Idle:
        frame.endSource = 1;
        s.phase = Phase::WaitEvent;
        break;
      case Phase::WaitEvent:
        events.LiftReadLimitToEnd();
        if (!events.Ready()) {
          if (frame.final) RaisePosition(s.position, kRecordEndOffset);
          return false;
        }
        s.input = events.Current();
        events.Advance();
        if (s.skipNext) {
          s.skipNext = false;
          break;
        }
        if (s.input.RoseFromNowhere()) break;  // it ended the event before it; it is none itself
        s.phase = Phase::SetUp;
        break;
      case Phase::SetUp:
        SetUp(s);
        frame.endSource = 0;
        s.phase = Phase::FindLimit;
        break;
      case Phase::FindLimit:
        frame.endSource = 0;
        if (events.Ready()) {
          const EventBCalcBase& next = events.Current();
          int32_t limit = next.SearchStart();
          Dip dip = Dip::None;
          int32_t fall = limit;
          if (!DipBeforeNext(s.input, next, channel, dip, fall)) return false;
          if (dip == Dip::Notch) {
            s.phase = Phase::Idle;
            break;
          }
          s.skipNext = dip == Dip::Rider;
          if (s.skipNext) limit = fall;
          if (!ArtefactLimit(s, p, channel, next.stimulusTick, limit)) return false;
          s.output.limitTick = limit;
        } else if (events.AtEnd()) {
          s.output.limitTick = kRecordEndOffset;
        } else {
          return false;
        }
        s.phase = Phase::Scan;
        break;
      case Phase::Scan:
        frame.endSource = 0;
        if (!Scan(s, p, frame, channel)) return false;
        s.phase = Phase::Finish;
        break;
      case Phase::Finish:
      default:
        frame.endSource = 0;
        return Finish(s, p, frame, out);
    }
  }
}

}  // namespace ZR::Enum::CalcAMax
