// The second baseline stage's step: one scan per event from where the previous event's scan stopped.
#include "enumerators/calcbase2/CalcBase2Step.h"

#include <algorithm>
#include <cmath>

#include "base/SampleScan.h"
#include "base/TickConversion.h"

namespace ZR::Enum::CalcBase2 {

namespace {

void SetUp(StepState& s) noexcept {
  EventBCalcBase2& o = s.output;
  static_cast<EventBCalcMax&>(o) = s.input;
  SetNoValue(o.lowestSample);
  SetNoValue(o.highestSample);
  o.tauFitStartTick = kNoTick;
  o.tauFitEndTick = kNoTick;
  o.ahpEndTick = kNoTick;
  o.midPlateauTick = kNoTick;
  o.spikeTroughTick = kNoTick;
  o.spikePeak2Tick = kNoTick;
  // The scan has not read a sample yet: lowest and highest stay without value until it does.
  s.extremesSet = false;
  o.tailOvershoot = 0.0f;
}

void UpdateExtremes(StepState& s, float v) noexcept {
  EventBCalcBase2& o = s.output;
  if (!s.extremesSet) {
    o.lowestSample = v;
    o.highestSample = v;
    s.extremesSet = true;
    return;
  }
  if (v < o.lowestSample) o.lowestSample = v;
  if (v > o.highestSample) o.highestSample = v;
}

// The scan of an event whose value is a number; false when it must wait for more samples.
bool Scan(StepState& s, const StepSettings& p, const StepFrame& frame, SampleCursor& channel) {
  const ScanLevels levels = LevelsOf(s.input, p);
  const bool valueIsNumber = !IsNoValue(s.input.value);
  const int32_t limit = s.input.limitTick;
  const bool exhausted = ScanBlocksUntil(
      channel, limit,
      [&](const float* v, int32_t first, int32_t count) -> int32_t {
        if (valueIsNumber) return ScanBlock(s, levels, v, first, count);
        for (int32_t i = 0; i < count; ++i) UpdateExtremes(s, v[i]);
        return count;
      },
      [&] { return valueIsNumber && s.output.ahpEndTick >= 0; });
  if (!valueIsNumber) return true;
  return !(exhausted && channel.Position() < limit && !frame.final && s.output.ahpEndTick < 0);
}

void Conclude(StepState& s, const StepSettings& p) noexcept {
  EventBCalcBase2& o = s.output;
  if (s.riseFound && s.fallFound) {
    o.midPlateauTick = static_cast<int32_t>((static_cast<int64_t>(s.riseTick) + s.fallTick) / 2);
  }
  if (s.tenPercentTick >= 0 && o.peakStartTick >= 0) {
    const double k = p.plateauCentrePercent * 0.01;
    o.plateauCentreTick = TruncToInt32Sat(o.peakStartTick * (1.0 - k) + s.tenPercentTick * k + 0.5);
  } else {
    o.plateauCentreTick = kNoTick;
  }
  if (o.ahpEndTick == kNoTick) SetStageNoValue(o.tailOvershoot);
}

}  // namespace

ScanLevels LevelsOf(const EventBCalcMax& input, const StepSettings& p) noexcept {
  ScanLevels levels;
  const double b = input.baseline;
  const double h = input.value - b;
  const double pol = input.polarity;
  levels.polarity = pol;
  levels.mid = pol * (b + p.midPlateauPercent * 0.01 * h);
  levels.tauStart = pol * (b + p.tauStartPercent * 0.01 * h);
  // The small extra keeps a fall that settles exactly on the baseline inside a 0 % tau end level.
  levels.tauEnd = pol * (b + (p.tauEndPercent * 0.01 + 0.000005) * h);
  levels.tenPercent = pol * (b + 0.1 * h);
  levels.baseline = pol * b;
  levels.baselineLevel = input.baseline;
  levels.peakTick = input.tick;
  levels.endTick = input.peakEndTick;
  return levels;
}

namespace {

// Index in [0, count] of the block's first sample at or after tick `from`.
int32_t IndexFrom(int32_t firstTick, int32_t count, int64_t from) noexcept {
  const int64_t offset = from - firstTick;
  return offset <= 0 ? 0 : offset >= count ? count : static_cast<int32_t>(offset);
}

// The first sample of [begin, end) whose signed value passes the test sets tick, unless it was set before.
template <SampleScan::Test kTest>
void FindFirst(int32_t& tick, double p, const float* v, int32_t firstTick, int32_t begin, int32_t end,
               double level) noexcept {
  if (tick != kNoTick)
    return;
  const int32_t i = SampleScan::FindFirst<kTest>(v, begin, end, p, level);
  if (i < end)
    tick = firstTick + i;
}

// UpdateExtremes over v[0..n) in order, with the extremes in locals.
void UpdateExtremesOver(StepState& s, const float* v, int32_t n) noexcept {
  if (n <= 0)
    return;
  EventBCalcBase2& o = s.output;
  int32_t i = 0;
  if (!s.extremesSet) {
    UpdateExtremes(s, v[0]);
    i = 1;
  }
  SampleScan::UpdateMinMax(v + i, n - i, o.lowestSample, o.highestSample);
}

}  // namespace

// The block splits into the rise (before the peak), the fall (up to the end tick) and the tail; the first
// crossings of the rise and fall are forward searches that stop at their hit, the extremes one pass over
// every sample passed, all in the same order as sample by sample.
int32_t ScanBlock(StepState& s, const ScanLevels& levels, const float* v, int32_t firstTick, int32_t count) noexcept {
  EventBCalcBase2& o = s.output;
  const double p = levels.polarity;
  const int32_t rise = IndexFrom(firstTick, count, levels.peakTick);
  const int32_t fallEnd = std::max(rise, IndexFrom(firstTick, count, static_cast<int64_t>(levels.endTick) + 1));
  using SampleScan::Test;
  if (!s.riseFound) {
    int32_t tick = kNoTick;
    FindFirst<Test::Above>(tick, p, v, firstTick, 0, rise, levels.mid);
    if (tick != kNoTick) {
      s.riseFound = true;
      s.riseTick = tick;
    }
  }
  if (!s.fallFound) {
    int32_t tick = kNoTick;
    FindFirst<Test::Below>(tick, p, v, firstTick, rise, fallEnd, levels.mid);
    if (tick != kNoTick) {
      s.fallFound = true;
      s.fallTick = tick;
    }
  }
  FindFirst<Test::AtOrBelow>(o.tauFitStartTick, p, v, firstTick, rise, fallEnd, levels.tauStart);
  FindFirst<Test::AtOrBelow>(o.tauFitEndTick, p, v, firstTick, rise, fallEnd, levels.tauEnd);
  // On the baseline side of the 10 % level, seen from the peak, for upward and downward peaks alike.
  FindFirst<Test::AtOrBelow>(s.tenPercentTick, p, v, firstTick, rise, fallEnd, levels.tenPercent);
  // The tail ends at the first sample back at the baseline; the overshoot is the tail's first largest deviation.
  const int32_t i = SampleScan::FindFirst<Test::NotBelow>(v, fallEnd, count, p, levels.baseline);
  if (i < count) o.ahpEndTick = firstTick + i;
  const int32_t overshoot =
    SampleScan::FindFirstLargestDeviation(v, fallEnd, i, levels.baselineLevel, o.tailOvershoot);
  if (overshoot >= 0) o.tailOvershoot = v[overshoot] - levels.baselineLevel;
  UpdateExtremesOver(s, v, i);
  return i;
}

bool Step(StepState& s, const StepSettings& p, StepFrame& frame, SampleCursor& channel,
          EventCursor<EventBCalcMax>& events, EventBCalcBase2& out) {
  for (;;) {
    switch (s.phase) {
      case Phase::Idle:
        frame.endSource = 1;
        s.riseFound = false;
        s.fallFound = false;
        s.tenPercentTick = kNoTick;
        s.phase = Phase::WaitEvent;
        break;
      case Phase::WaitEvent:
        events.LiftReadLimitToEnd();
        if (!events.Ready()) {
          RaisePosition(s.position, frame.final ? kRecordEndOffset : events.Position());
          return false;
        }
        s.input = events.Current();
        events.Advance();
        s.phase = Phase::SetUp;
        break;
      case Phase::SetUp:
        SetUp(s);
        frame.endSource = 0;
        s.phase = Phase::Scan;
        break;
      case Phase::Scan:
        frame.endSource = 0;
        if (!Scan(s, p, frame, channel)) {
          RaisePosition(s.position, s.output.tick);
          return false;
        }
        s.phase = Phase::Finish;
        break;
      case Phase::Finish:
      default:
        frame.endSource = 0;
        Conclude(s, p);
        if (s.output.tick >= frame.stepEnd) {
          RaisePosition(s.position, s.output.tick);
          return false;
        }
        RaisePosition(s.position, AddTicksSat(s.output.tick, 1));
        s.phase = Phase::Idle;
        out = s.output;
        return true;
    }
  }
}

}  // namespace ZR::Enum::CalcBase2
