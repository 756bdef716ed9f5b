// The baseline stage's step: event pairing, the three baseline modes and the baseline crossing search.
#include "enumerators/calcbase/CalcBaseStep.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

#include "base/SseFabs.h"
#include "base/TickConversion.h"
#include "enumerators/calcbase/RiseFoot.h"

namespace ZR::Enum::CalcBase {

namespace {

// A double rounded to float; magnitudes beyond the float range become infinities (never an undefined cast).
void RoundToFloat(double x, float& out) noexcept {
  if (x > FLT_MAX) {
    out = INFINITY;
  } else if (x < -FLT_MAX) {
    out = -INFINITY;
  } else {
    out = static_cast<float>(x);
  }
}

void StartSegment(SegmentScanner& s, int32_t t, float v) noexcept {
  s.segStartTick = t;
  s.segStartValue = v;
  s.tolerance = static_cast<double>(s.noiseTolerancePercent) * 0.01 *
                SseFabs(static_cast<double>(s.eventValue) - static_cast<double>(v));
  s.sum = v;
  s.count = 1;
}

void CloseSegment(SegmentScanner& s, int32_t t) noexcept {
  const double mean = s.sum / s.count;
  const double n = s.count;
  const double score = n * n * SseFabs(static_cast<double>(s.eventValue) - mean) /
                       (static_cast<double>(s.eventTick) + 1.0 - static_cast<double>(t));
  const bool eligible = s.windowStart < 0 || t > s.windowStart;
  if (!eligible) return;
  const int32_t last = SubTicksSat(AddTicksSat(s.segStartTick, s.count), 1);
  // Not smaller: a later segment wins a tie.
  if (s.rest.known && score >= s.rest.bestScore && AtRest(s.rest, mean) &&
      (s.rest.footTick < 0 || last < s.rest.footTick)) {
    s.rest.bestScore = score;
    s.rest.bestMean = static_cast<float>(mean);
    s.rest.bestStartTick = s.segStartTick;
    s.rest.bestEndTick = last;
  }
  if (score < s.bestScore) return;
  s.bestScore = score;
  s.bestMean = static_cast<float>(mean);
  s.bestStartTick = s.segStartTick;
  s.bestEndTick = last;
}

void PrepareScanner(SegmentScanner& s, const StepSettings& p) noexcept {
  s.maxBaselineTicks = p.maxBaselineTicks;
  s.noiseTolerancePercent = static_cast<float>(p.noiseTolerancePercent);
  s.bestScore = 0.0;
  s.bestMean = -1.0f;
  s.bestStartTick = -1;
  s.bestEndTick = -1;
  s.windowStart = -1;
  s.windowEnd = -1;
  s.newSegment = true;
  s.rest = StimulusRest();
}

void ClearOut(EventBCalcBase& out) noexcept {
  out.ClearPosition();
  out.stimulusTick = kNoTick;
  out.baseStartTick = kNoTick;
  out.baseEndTick = kNoTick;
  SetNoValue(out.baseline);
  out.polarity = 1.0f;
}

void WriteHead(const StepState& s, EventBCalcBase& out) noexcept {
  out.stimulusTick = s.pendingStimulus.kind != kEventEmpty ? s.pendingStimulus.tick : kNoTick;
  if (s.pendingPeak.kind != kEventEmpty) {
    out.tick = s.pendingPeak.tick;
    out.fraction = 0.0f;
    float value;
    RoundToFloat(s.pendingPeak.value, value);
    out.value = value;
  } else if (s.pendingStimulus.kind != kEventEmpty) {
    out.tick = s.pendingStimulus.tick;
    out.fraction = 0.0f;
    SetNoValue(out.value);
  }
}

// Moves the channel past every sample at or before tick; false when a sample is not yet there.
// The position is compared first: with nothing left to skip no further sample is needed.
bool SkipThrough(SampleCursor& channel, int32_t tick) {
  for (;;) {
    const int32_t position = channel.Position();
    if (position > tick) return true;
    if (!channel.Ready()) return false;
    int32_t n = 0;
    channel.Block(n);
    const int64_t left = static_cast<int64_t>(tick) - position + 1;
    channel.Skip(left < n ? static_cast<int32_t>(left) : n);
  }
}

// The buffered samples from the channel's position up to end - 1; count 0 when the channel is at or past end,
// false when a sample before end is not yet there.
bool BlockBefore(SampleCursor& channel, int32_t end, const float*& v, int32_t& first, int32_t& count) {
  count = 0;
  if (channel.Position() >= end) return true;
  if (!channel.Ready()) return false;
  first = channel.Position();
  if (first >= end) return true;
  v = channel.Block(count);
  const int64_t left = static_cast<int64_t>(end) - first;
  if (left < count) count = static_cast<int32_t>(left);
  return true;
}

// The best segment as the baseline; false when there was none.
bool TakeSegment(double score, float mean, int32_t start, int32_t end, float value, EventBCalcBase& out) noexcept {
  if (!(score > 0.0 && start >= 0 && end >= 0)) return false;
  out.baseline = mean;
  out.baseStartTick = start;
  out.baseEndTick = end;
  out.polarity = mean <= value ? 1.0f : -1.0f;
  return true;
}

bool SamplesBefore(SampleCursor& channel, int32_t e, int32_t from, std::vector<float>& kept);

// Rest before the stimulus at tick stimulus, from the samples from tick after on (at most lookTicks of them); the
// channel is left where it was. False when a sample is not yet there.
bool ReadRest(SampleCursor& channel, const StepSettings& p, int32_t after, int32_t stimulus, int32_t e, float value,
              StimulusRest& rest) {
  const int32_t position = channel.Position();
  const int32_t from = std::max(after, SubTicksSat(stimulus, p.lookTicks));
  if (stimulus >= e || from > stimulus) {
    rest.measured = true;
    return true;
  }
  std::vector<float> v;
  v.reserve(static_cast<size_t>(stimulus - from + 1));
  channel.SeekTo(from);
  const bool ready = SamplesBefore(channel, AddTicksSat(stimulus, 1), from, v);
  channel.SeekTo(position);
  if (!ready) return false;
  MeasureRest(rest, v.data(), static_cast<int32_t>(v.size()), from, p.restTicks, value, Rest::ArtefactWalk::BeforeIt);
  return true;
}

// Rest itself as the baseline, its span from its samples to the response's foot (E - 1 without one).
void TakeRest(const StimulusRest& rest, int32_t e, EventBCalcBase& out) noexcept {
  out.baseline = rest.level;
  out.baseStartTick = rest.startTick;
  out.baseEndTick = rest.footTick >= 0 ? rest.footTick : SubTicksSat(e, 1);
  out.polarity = static_cast<float>(rest.side);
}

bool MeasureSearch(StepState& s, const StepSettings& p, SampleCursor& channel, int32_t e, float value,
                   EventBCalcBase& out) {
  SegmentScanner& sc = s.scanner;
  sc.eventTick = e;
  sc.eventValue = value;
  const bool window = s.pendingStimulus.kind != kEventEmpty && p.searchStartTicks >= 0 && p.searchEndTicks >= 0;
  sc.windowStart = window ? AddTicksSat(s.pendingStimulus.tick, p.searchStartTicks) : -1;
  sc.windowEnd = window ? AddTicksSat(s.pendingStimulus.tick, p.searchEndTicks) : -1;
  if (window && s.pendingPeak.kind != kEventEmpty && !sc.rest.measured &&
      !ReadRest(channel, p, std::max(AddTicksSat(s.previousEventTick, 1), 0), s.pendingStimulus.tick, e, value,
                sc.rest)) {
    return false;
  }
  s.previousEventTick = e;
  // A stimulus without a response has no peak to measure a flat stretch against (its marker's
  // value 1.0 is no level of the signal): it has no baseline, so no baseline or area either.
  // The next event skips the samples up to it.
  if (s.pendingPeak.kind == kEventEmpty) return true;
  if (sc.rest.known) {
    // The response's foot first: rest ends there.
    std::vector<float> samples;
    const int32_t first = channel.Position();
    if (!SamplesBefore(channel, e, first, samples)) return false;
    const auto count = static_cast<int32_t>(samples.size());
    TrackFoot(sc.rest, samples.data(), first, count);
    FeedSegmentScanner(sc, samples.data(), first, count);
  }
  for (;;) {
    const float* v = nullptr;
    int32_t first = 0;
    int32_t count = 0;
    if (!BlockBefore(channel, e, v, first, count)) return false;
    if (count == 0) break;
    FeedSegmentScanner(sc, v, first, count);
    channel.Skip(count);
  }
  const StimulusRest& rest = sc.rest;
  if (rest.known) {
    // Rest is a segment too, closed where the artefact begins, and scored as the scanner scores segments: a
    // segment after the stimulus wins only where it scores higher (a later one wins a tie).
    const double n = static_cast<double>(rest.endTick) - rest.startTick + 1.0;
    const double restScore = n * n * SseFabs(static_cast<double>(value) - rest.level) /
                             (static_cast<double>(e) - static_cast<double>(rest.endTick));
    if (!(rest.bestScore >= restScore) ||
        !TakeSegment(rest.bestScore, rest.bestMean, rest.bestStartTick, rest.bestEndTick, value, out)) {
      TakeRest(rest, e, out);
    }
    return true;
  }
  if (TakeSegment(sc.bestScore, sc.bestMean, sc.bestStartTick, sc.bestEndTick, value, out)) return true;
  out.baseline = static_cast<float>(static_cast<double>(value) * 0.999999);
  out.baseStartTick = SubTicksSat(e, 1);
  out.baseEndTick = out.baseStartTick;
  out.polarity = 1.0f;
  return true;
}

// The samples from the channel's position up to e - 1, of which those from tick from on are kept; false when one is
// not yet there.
bool SamplesBefore(SampleCursor& channel, int32_t e, int32_t from, std::vector<float>& kept) {
  for (;;) {
    const float* v = nullptr;
    int32_t first = 0;
    int32_t count = 0;
    if (!BlockBefore(channel, e, v, first, count)) return false;
    if (count == 0) return true;
    const int32_t skipped = first < from ? std::min(from - first, count) : 0;
    kept.insert(kept.end(), v + skipped, v + count);
    channel.Skip(count);
  }
}

// Every sample, seen from the side polarity, lies above level.
bool StaysAbove(const std::vector<float>& v, double polarity, double level) {
  const double ref = polarity * level;
  for (const float x : v)
    if (!(polarity * static_cast<double>(x) > ref)) return false;
  return true;
}

// The index of the lowest of v[0, end) seen from the side polarity, the last of equal ones; end > 0.
int32_t LowestOf(const std::vector<float>& v, double polarity, int32_t end) {
  int32_t lowest = 0;
  for (int32_t i = 1; i < end; ++i)
    if (polarity * static_cast<double>(v[static_cast<size_t>(i)]) <=
        polarity * static_cast<double>(v[static_cast<size_t>(lowest)]))
      lowest = i;
  return lowest;
}

// A foot short of the previous event's peak whose stretch reaches over the first of v (seen from the side polarity)
// that comes back past that peak: its last sample moves back onto the lowest sample before that one, its first no
// later.
void BeforeComingBack(const std::vector<float>& v, double polarity, double previousPeak, RiseFoot& foot) {
  const double past = polarity * previousPeak;
  if (polarity * foot.level > past) return;  // the foot stands on a course that carried the signal past that peak
  const auto isPast = [&](int32_t i) { return polarity * static_cast<double>(v[static_cast<size_t>(i)]) > past; };
  // The stretch first (most feet hold no such sample), then the samples before it.
  int32_t back = foot.first + 1;
  while (back <= foot.last && !isPast(back)) ++back;
  if (back > foot.last) return;
  for (int32_t i = 0; i <= foot.first; ++i)
    if (isPast(i)) return;
  foot.last = LowestOf(v, polarity, back);
  foot.first = std::min(foot.first, foot.last);
}

// Where the rise from the foot began: the last sample at or below the foot's level (seen from the peak), where the
// noise about that level last took the signal back to it; the foot's last sample when none of its stretch or after
// it is.
int32_t RiseStart(const std::vector<float>& v, const RiseFoot& foot) {
  const double level = foot.polarity * foot.level;
  for (auto i = static_cast<int32_t>(v.size()) - 1; i >= foot.first; --i)
    if (foot.polarity * static_cast<double>(v[static_cast<size_t>(i)]) <= level) return i;
  return foot.last;
}

// Mode 3: the foot of the rise within the maximum baseline length before the peak. A stimulus alone has no peak
// to rise to and gets no baseline, as in mode 0. A noise peak on the course it stands on rose from nowhere: its
// baseline is its own peak sample (RoseFromNowhere), which ends the event before it and is no event itself.
bool MeasureFoot(StepState& s, const StepSettings& p, SampleCursor& channel, int32_t e, float value,
                 EventBCalcBase& out) {
  int32_t from = std::max(s.lowestFrom, SubTicksSat(e, p.maxBaselineTicks));
  std::vector<float> samples;
  if (s.pendingPeak.kind != kEventEmpty) {
    if (e > from) samples.reserve(static_cast<size_t>(e - from));
    if (!SamplesBefore(channel, e, from, samples)) return false;
  }
  s.previousEventTick = e;
  if (s.pendingPeak.kind == kEventEmpty) return true;
  // The previous event's peak lies just before this walk's first sample.
  const bool afterPeak = s.footPeakTick >= 0 && from == AddTicksSat(s.footPeakTick, 1);
  RiseFootRules rules{p.footBlockTicks, p.footLagBlocks, from > s.lowestFrom};
  if (afterPeak) rules.earlierPeak = s.footPeak;
  RiseFoot foot = FindRiseFoot(samples.data(), static_cast<int32_t>(samples.size()), value, rules, s.footNoise);
  // That peak, on the same side.
  const bool follows = foot.found && afterPeak && s.footPolarity == foot.polarity;
  const int32_t earlier = std::max(s.footFrom, SubTicksSat(e, p.maxBaselineTicks));
  int32_t walkFrom = from;
  if (follows && earlier < from && foot.polarity * s.footPeak < foot.polarity * static_cast<double>(value) &&
      StaysAbove(samples, foot.polarity, 0.5 * (s.footPeak + s.footLevel)) &&
      LowestOf(samples, foot.polarity, static_cast<int32_t>(samples.size())) + 1 < s.footRiseTicks) {
    // It stood on this rise: the walk goes on over the samples that event's walk saw (all of them already read).
    channel.SeekTo(earlier);
    samples.clear();
    if (!SamplesBefore(channel, e, earlier, samples)) return false;
    rules.earlierPeak = std::numeric_limits<double>::quiet_NaN();
    foot = FindRiseFoot(samples.data(), static_cast<int32_t>(samples.size()), value, rules, s.footNoise);
    walkFrom = earlier;
  } else if (follows) {
    BeforeComingBack(samples, foot.polarity, s.footPeak, foot);
  }
  const int32_t earlierPeakTick = s.footPeakTick;
  if (foot.noise.block > 0.0) s.footNoise = foot.noise;
  s.footFrom = walkFrom;
  s.footPeakTick = e;
  s.footPeak = value;
  s.footPolarity = foot.found ? foot.polarity : 0.0;
  s.footLevel = foot.level;
  s.footRiseTicks = foot.found ? e - AddTicksSat(walkFrom, RiseStart(samples, foot)) : 0;
  if (!foot.found) {
    out.baseline = static_cast<float>(static_cast<double>(value) * 0.999999);
    out.baseStartTick = SubTicksSat(e, 1);
    out.baseEndTick = out.baseStartTick;
    out.polarity = 1.0f;
    return true;
  }
  if (foot.withinNoise && s.pendingStimulus.kind == kEventEmpty) {
    out.baseline = value;
    out.baseStartTick = e;
    out.baseEndTick = e;
    out.polarity = static_cast<float>(foot.polarity);
    return true;
  }
  // The foot's mean lies between samples, within the float range.
  out.baseline = static_cast<float>(foot.level);
  out.baseStartTick = AddTicksSat(walkFrom, foot.first);
  out.baseEndTick = AddTicksSat(walkFrom, foot.last);
  out.polarity = static_cast<float>(foot.polarity);
  if (follows && foot.cameBack && s.pendingStimulus.kind == kEventEmpty) {
    // The return of a current of the other sign that rode on the earlier peak: its baseline reaches back to that
    // peak, so that the next stage reads the dip between them as such a current's.
    out.baseStartTick = earlierPeakTick;
    out.baseEndTick = earlierPeakTick;
  }
  return true;
}

bool LowestBefore(SampleCursor& channel, int32_t e, float& level) {
  double lowest = DBL_MAX;
  for (;;) {
    const float* v = nullptr;
    int32_t first = 0;
    int32_t count = 0;
    if (!BlockBefore(channel, e, v, first, count)) return false;
    if (count == 0) break;
    for (int32_t i = 0; i < count; ++i) {
      if (v[i] < lowest) lowest = v[i];
    }
    channel.Skip(count);
  }
  RoundToFloat(lowest, level);
  return true;
}

// The last sample between the events at or beyond the level (seen from the peak) ends the baseline; without one,
// the sample farthest on the baseline side does.
bool CrossingSearch(StepState& s, SampleCursor& channel, int32_t e, EventBCalcBase& out) {
  const int32_t start = s.previousEventTick < 0 ? 0 : s.previousEventTick;
  out.baseStartTick = start;
  out.baseEndTick = e;
  channel.SeekTo(start);
  const double p = out.polarity;
  const double level = p * static_cast<double>(out.baseline);
  double lowest = 0.0;
  int32_t lowestTick = -1;
  int32_t lastCrossing = -1;
  for (;;) {
    const float* v = nullptr;
    int32_t first = 0;
    int32_t count = 0;
    if (!BlockBefore(channel, e, v, first, count)) return false;
    if (count == 0) break;
    for (int32_t i = 0; i < count; ++i) {
      const double pv = p * static_cast<double>(v[i]);
      if (lowestTick < 0 || pv < lowest) {
        lowest = pv;
        lowestTick = first + i;
      }
      if (pv <= level) lastCrossing = first + i;
    }
    channel.Skip(count);
  }
  const int32_t end = lastCrossing >= 0 ? lastCrossing : lowestTick;
  if (end >= 0) {
    out.baseEndTick = end;
    out.baseStartTick = end == start ? start : end - 1;
  }
  s.previousEventTick = e;
  return true;
}

bool Measure(StepState& s, const StepSettings& p, StepFrame& frame, SampleCursor& channel, EventBCalcBase& out) {
  frame.endSource = 0;
  if (!SkipThrough(channel, s.previousEventTick)) return false;
  const EventPkStm& event = s.pendingPeak.kind != kEventEmpty ? s.pendingPeak : s.pendingStimulus;
  const int32_t e = event.tick;
  float value;
  RoundToFloat(event.value, value);
  const auto mode = static_cast<BaselineMode>(p.mode);
  if (mode == BaselineMode::Lowest || mode == BaselineMode::RiseFoot) {
    // A resumed measurement starts again where the first attempt started, so it covers every sample between the
    // events and not only those after the interruption.
    if (s.lowestFrom < 0) {
      s.lowestFrom = channel.Position();
    } else {
      channel.SeekTo(s.lowestFrom);
    }
  }
  if (mode == BaselineMode::Fixed) {
    RoundToFloat(p.baselineValue, out.baseline);
    out.polarity = static_cast<double>(value) < p.baselineValue ? -1.0f : 1.0f;
    if (!CrossingSearch(s, channel, e, out)) return false;
  } else if (mode == BaselineMode::Lowest) {
    if (!LowestBefore(channel, e, out.baseline)) return false;
    out.polarity = 1.0f;
    if (!CrossingSearch(s, channel, e, out)) return false;
  } else if (mode == BaselineMode::RiseFoot) {
    if (!MeasureFoot(s, p, channel, e, value, out)) return false;
  } else if (!MeasureSearch(s, p, channel, e, value, out)) {
    return false;
  }
  s.lowestFrom = -1;
  WriteHead(s, out);
  if (s.pendingPeak.kind == kEventEmpty && s.pendingStimulus.kind == kEventEmpty) return false;
  RaisePosition(s.position, AddTicksSat(out.tick, 1));
  s.phase = Phase::Idle;
  return true;
}

}  // namespace

namespace {

// Extends the open segment over the flat samples from index i on, with its sum and count in locals (the
// scanner's float members could alias the samples and would keep them in memory). Returns the index after
// the last sample taken: count, or the sample that breaks the segment. closedAtLast tells that the last
// tick before the event was taken, after which the caller closes the segment.
int32_t ExtendSegment(SegmentScanner& s, const float* v, int32_t firstTick, int32_t i, int32_t count,
                      int32_t lastTick, bool& closedAtLast) noexcept {
  const double start = s.segStartValue;
  const double tolerance = s.tolerance;
  const int64_t limit = static_cast<int64_t>(s.segStartTick) + s.maxBaselineTicks;
  double sum = s.sum;
  int32_t n = s.count;
  // The samples the segment may take at most: up to its length limit and up to the last tick, whichever
  // comes first; the loop then tests only the level.
  const int64_t lastTaken = std::min<int64_t>(limit, lastTick);
  const int32_t end = static_cast<int32_t>(std::clamp<int64_t>(lastTaken - firstTick + 1, i, count));
  for (; i < end; ++i) {
    const float x = v[i];
    if (!(SseFabs(static_cast<double>(x) - start) <= tolerance))
      break;
    ++n;
    sum += x;
  }
  closedAtLast = i == end && end > 0 && firstTick + end - 1 == lastTick;
  s.sum = sum;
  s.count = n;
  return i;
}

}  // namespace

void FeedSegmentScanner(SegmentScanner& state, const float* v, int32_t firstTick, int32_t count) noexcept {
  SegmentScanner s = state;  // in registers: the samples might alias the state
  const int32_t lastTick = SubTicksSat(s.eventTick, 1);
  int32_t i = 0;
  while (i < count) {
    const int32_t t = firstTick + i;
    const float x = v[i];
    if (s.newSegment) {
      ++i;
      if (s.windowEnd > 0 && t > s.windowEnd) continue;
      StartSegment(s, t, x);
      s.newSegment = false;
      if (t == lastTick) CloseSegment(s, t);
      continue;
    }
    bool closedAtLast = false;
    i = ExtendSegment(s, v, firstTick, i, count, lastTick, closedAtLast);
    if (closedAtLast) {
      CloseSegment(s, lastTick);
      continue;
    }
    if (i == count) break;
    // Sample i breaks the segment: it closes the old one and starts the next.
    CloseSegment(s, firstTick + i);
    StartSegment(s, firstTick + i, v[i]);
    ++i;
  }
  state = s;
}

bool Step(StepState& s, const StepSettings& p, StepFrame& frame, SampleCursor& channel,
          EventCursor<EventPkStm>& events, EventBCalcBase& out) {
  ClearOut(out);
  if (frame.final) {
    WriteHead(s, out);
    RaisePosition(s.position, kRecordEndOffset);
    if (s.pendingPeak.kind == kEventEmpty && s.pendingStimulus.kind == kEventEmpty) return false;
  }
  for (;;) {
    switch (s.phase) {
      case Phase::Idle:
        PrepareScanner(s.scanner, p);
        s.lowestFrom = -1;
        s.pendingPeak = EventPkStm::Empty();
        s.pendingStimulus = EventPkStm::Empty();
        frame.endSource = 1;
        s.phase = Phase::WaitEvent;
        break;
      case Phase::WaitEvent: {
        if (!events.Ready()) {
          RaisePosition(s.position, events.Position());
          return false;
        }
        const EventPkStm& event = events.Current();
        if (event.kind == kEventPeak) {
          s.phase = Phase::ReadPeak;
          break;
        }
        s.pendingStimulus = event;
        if (event.tick >= frame.stepEnd) {
          RaisePosition(s.position, event.tick);
          return false;
        }
        events.Advance();
        s.phase = Phase::WaitPeak;
        break;
      }
      case Phase::WaitPeak:
        events.LiftReadLimitToEnd();
        if (events.Ready()) {
          s.phase = events.Current().kind == kEventPeak ? Phase::ReadPeak : Phase::Measure;
          break;
        }
        if (!frame.final) return false;
        s.phase = Phase::Measure;
        break;
      case Phase::ReadPeak:
        if (!events.Ready()) return false;
        s.pendingPeak = events.Current();
        if (s.pendingPeak.tick >= frame.stepEnd) {
          RaisePosition(s.position, frame.stepEnd);
          return false;
        }
        events.Advance();
        RaisePosition(s.position, s.pendingPeak.tick);
        s.phase = Phase::Measure;
        break;
      case Phase::Measure:
      default:
        return Measure(s, p, frame, channel, out);
    }
  }
}

}  // namespace ZR::Enum::CalcBase
