// The host's cycle scan: a rise by the threshold above the local trough, with hysteresis.
#include "host/cycles/CycleScan.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace host {

namespace {

// Samples the signal's average runs over: enough to take most of the noise out of the trough and a tail, few
// enough to follow the fall of a fast event.
constexpr double kSmoothingSamples = 8.0;
// The local level's time constant in samples: short enough to follow a tail or a drift closely, long enough
// that the noise about it is nearly all of the noise (99 % of its variance for noise filtered at a tenth of
// the sampling rate).
constexpr double kLevelGain = 1.0 / 32.0;
// A residual counts up to this many standard deviations, so a stray event moves the noise little; the mean of
// min(z^2, 9) for a normal z is 0.995, which the clipped mean square is divided by.
constexpr double kClipSds = 3.0;
constexpr double kPerClippedMeanSquare = 1.0 / 0.995;
// The noise is taken while the local level is flat: its slope over its time constant is below half a standard
// deviation (99.9 % of the time on noise alone, seldom on an event's rise or tail).
constexpr double kFlatSlopeSquared = 0.25;
// The standard deviation of a normal distribution per median absolute deviation.
constexpr double kSdPerMad = 1.4826;

double Threshold(const CycleScanState& s, const CycleRules& r) {
  return r.relative ? r.threshold * std::sqrt(s.variance) : r.threshold;
}

// The cycle's extreme so far is the larger of the two samples whose mean crossed, the earlier of equal ones.
void StartCycle(CycleScanState& s, const CycleRules& r, double crossing, double y, int32_t tick) {
  s.inCycle = true;
  s.counted = crossing - s.lastStart >= r.minIntervalTicks;
  s.anyStart = true;
  s.start = crossing;
  s.startLevel = s.trough;
  s.extreme = std::max(y, s.previous);
  s.extremeTick = s.previous >= y ? s.previousTick : tick;
  s.smoothExtreme = s.smooth;
  s.smoothExtremeTick = tick;
}

// A counted cycle is held; one that started within the interval after it lends it its extreme where larger.
void EndCycle(CycleScanState& s, const CycleRules& r) {
  s.inCycle = false;
  if (s.counted) {
    s.held = true;
    s.heldStartLevel = s.startLevel;
    s.lastStart = s.start;
  } else if (!s.held || s.extreme <= s.heldExtreme) {
    return;
  }
  s.heldExtreme = s.extreme;
  s.heldCycle.tick = s.extremeTick;
  s.heldCycle.value = r.polarity * (s.extreme - s.heldStartLevel);
}

// The steps taken for every sample are always inlined (GCC declines the larger ones on its own), so that the
// block's loop works on ScanCycles' own copy of the state.

// The held cycle is reported once no cycle can start within the interval after it, nor is open.
[[gnu::always_inline]] inline void ReportHeld(CycleScanState& s, const CycleRules& r, int32_t tick,
                                              std::vector<CycleEventRecord>& found) {
  if (!s.held || (s.inCycle && !s.counted) || tick - s.lastStart < r.minIntervalTicks) return;
  found.push_back(s.heldCycle);
  s.held = false;
}

void FollowCycle(CycleScanState& s, const CycleRules& r, double y, double threshold, int32_t tick) {
  s.floor -= threshold * r.troughRisePerTick;  // FollowTrough says why
  if (y > s.extreme) {
    s.extreme = y;
    s.extremeTick = tick;
  }
  if (s.smooth > s.smoothExtreme) {
    s.smoothExtreme = s.smooth;
    s.smoothExtremeTick = tick;
  }
  const double end = threshold * (1.0 - r.hysteresis);
  const bool back = y - s.startLevel < end && s.smooth - s.startLevel < end;
  const bool settled = tick - s.smoothExtremeTick > r.minIntervalTicks;
  if (!back && !settled && s.smooth > s.smoothExtreme - threshold) return;
  EndCycle(s, r);
  if (r.baselineTicks > 0) s.trough = s.smooth;
  s.previousRise = 0.5 * (y + s.previous) - s.trough;
}

// The trough follows the average up by at most troughRisePerTick thresholds a tick. Down it follows freely to
// the floor, so that it keeps to an earlier cycle's fall, and below the floor by as little, so that a swing the
// other way (a current of the other sign) is no trough that its return to the baseline rises from. The floor
// comes up to the trough at that pace; while a cycle is open it sinks at that pace from where the cycle rose
// from, as far as a drift the other way may have taken the baseline meanwhile.
[[gnu::always_inline]] inline void FollowTrough(CycleScanState& s, const CycleRules& r, double smoothBefore,
                                                double threshold) {
  const double step = threshold * r.troughRisePerTick;
  s.trough = std::max(std::min(smoothBefore, s.trough + step), std::min(s.trough - step, s.floor));
  s.floor = std::min(s.floor + step, s.trough);
}

// Outside a cycle: the trough follows the average, and a cycle starts where the rise above it crosses the
// threshold.
[[gnu::always_inline]] inline void SeekCycle(CycleScanState& s, const CycleRules& r, double y, double smoothBefore,
                                             double threshold, int32_t tick) {
  if (r.baselineTicks > 0) FollowTrough(s, r, smoothBefore, threshold);
  const double rise = 0.5 * (y + s.previous) - s.trough;
  const double previousRise = s.previousRise;
  s.previousRise = rise;
  if (!s.anyStart && tick - s.firstTick < kCycleOpeningSamples && s.smooth < s.first - threshold)
    s.startsWithinEvent = true;
  if (rise < threshold || previousRise >= threshold) return;
  StartCycle(s, r, (tick - 1) + (threshold - previousRise) / (rise - previousRise), y, tick);
}

// The residual about the local level goes into the noise's mean square while the level is flat.
[[gnu::always_inline]] inline void TakeNoise(CycleScanState& s, const CycleRules& r, double residual) {
  const double slope = s.level1 - s.level2;
  if (slope * slope >= kFlatSlopeSquared * s.variance) return;
  if (s.taken < r.baselineTicks) s.weight = 1.0 / ++s.taken;
  // The clipped mean square, with the clip on a branch of its own: a minimum of the two would put two more
  // operations on the chain from one sample's mean square to the next.
  const double limit = kClipSds * kClipSds * s.variance;
  const double square = residual * residual;
  if (__builtin_expect(s.variance > 0.0 && limit < square, 0))
    s.variance += (limit * kPerClippedMeanSquare - s.variance) * s.weight;
  else
    s.variance += (square * kPerClippedMeanSquare - s.variance) * s.weight;
}

// The record's first finite sample sets the levels.
void Begin(CycleScanState& s, const CycleRules& r, double y, int32_t tick) {
  s.started = true;
  s.firstTick = tick;
  s.first = s.previous = s.level1 = s.level2 = s.smooth = y;
  s.previousTick = tick;
  s.trough = s.floor = r.baselineTicks > 0 ? y : 0.0;
  s.previousRise = y - s.trough;
}

// A finite sample after the first, y the sample times the polarity.
[[gnu::always_inline]] inline void Step(CycleScanState& s, const CycleRules& r, double y, int32_t tick,
                                        bool takeNoise, std::vector<CycleEventRecord>& found) {
  const double prediction = 2.0 * s.level1 - s.level2 + kLevelGain / (1.0 - kLevelGain) * (s.level1 - s.level2);
  s.level1 += kLevelGain * (y - s.level1);
  s.level2 += kLevelGain * (s.level1 - s.level2);
  ReportHeld(s, r, tick, found);
  const double threshold = Threshold(s, r);
  const double smoothBefore = s.smooth;
  s.smooth += (y - s.smooth) / kSmoothingSamples;
  if (s.inCycle) {
    FollowCycle(s, r, y, threshold, tick);
  } else {
    SeekCycle(s, r, y, smoothBefore, threshold, tick);
    if (!s.inCycle && takeNoise && r.relative) TakeNoise(s, r, y - prediction);
  }
  s.previous = y;
  s.previousTick = tick;
}

[[gnu::always_inline]] inline void Feed(CycleScanState& s, const CycleRules& r, float sample, int32_t tick,
                                        bool takeNoise, std::vector<CycleEventRecord>& found) {
  if (!std::isfinite(sample)) return;
  if (s.started)
    Step(s, r, r.polarity * sample, tick, takeNoise, found);
  else
    Begin(s, r, r.polarity * sample, tick);
}

double Median(double* x, int32_t n) {
  std::nth_element(x, x + n / 2, x + n);
  return x[n / 2];
}

// The run-in's noise: the standard deviation of its samples, unless an event in the run-in makes that wider than
// a robust measure, the median absolute deviation of the samples or, smaller when an event spreads the samples,
// of their differences, which see only its rise (differences give a smaller measure of noise that is filtered,
// hence the factor 1.5 that leaves filtered noise to the samples; differences that are mostly equal, a signal
// stepping evenly, measure nothing).
double RunInVariance(const CycleScanState& s) {
  std::array<double, kCycleRunInSamples> values{};
  std::array<double, kCycleRunInSamples> steps{};
  int32_t n = 0;
  int32_t m = 0;
  double sum = 0.0;
  for (int32_t i = 0; i < s.runInCount; ++i) {
    if (!std::isfinite(s.runIn[i])) continue;
    values[n] = s.runIn[i];
    sum += values[n];
    if (n > 0) steps[m++] = values[n] - values[n - 1];
    ++n;
  }
  if (m == 0) return 0.0;
  double variance = 0.0;
  for (int32_t i = 0; i < n; ++i) variance += (values[i] - sum / n) * (values[i] - sum / n) / (n - 1);
  const double centre = Median(values.data(), n);
  for (int32_t i = 0; i < n; ++i) values[i] = std::fabs(values[i] - centre);
  const double stepCentre = Median(steps.data(), m);
  for (int32_t i = 0; i < m; ++i) steps[i] = std::fabs(steps[i] - stepCentre);
  const double fromValues = kSdPerMad * Median(values.data(), n);
  const double fromSteps = kSdPerMad * Median(steps.data(), m) / std::sqrt(2.0);
  const double robust = fromSteps > 0.0 ? std::min(fromValues, 1.5 * fromSteps) : fromValues;
  return variance <= 2.25 * robust * robust ? variance : robust * robust;
}

// The run-in's samples give the noise its first measure, counted as that many samples, and are searched.
void CompleteRunIn(CycleScanState& s, const CycleRules& r, std::vector<CycleEventRecord>& found) {
  s.runInDone = true;
  s.variance = RunInVariance(s);
  for (int32_t i = 0; i < s.runInCount; ++i) {
    if (std::isfinite(s.runIn[i])) s.weight = 1.0 / ++s.taken;
    Feed(s, r, s.runIn[i], s.runInTick + i, false, found);
  }
}

}  // namespace

int32_t CycleRunInSamples(const CycleRules& rules) {
  return rules.relative && rules.baselineTicks > 0 ? std::min(rules.baselineTicks, kCycleRunInSamples) : 0;
}

void ScanCycles(CycleScanState& state, const CycleRules& rules, const float* samples, int32_t count,
                std::vector<CycleEventRecord>& found) {
  const int32_t runIn = CycleRunInSamples(rules);
  int32_t i = 0;
  for (; i < count && !state.runInDone; ++i, ++state.nextTick) {
    if (state.runInCount < runIn) {
      if (state.runInCount == 0) state.runInTick = state.nextTick;
      state.runIn[state.runInCount++] = samples[i];
      if (state.runInCount == runIn) CompleteRunIn(state, rules, found);
    } else {
      state.runInDone = true;
      Feed(state, rules, samples[i], state.nextTick, true, found);
    }
  }
  // The rest of the block is scanned on copies that nothing else reaches, so that the compiler need not write each
  // level back through the references and read it again for every sample (110 against 95 Msamples/s).
  CycleScanState s = state;
  const CycleRules r = rules;
  const int32_t firstTick = s.nextTick - i;
  for (; i < count && !s.started; ++i) Feed(s, r, samples[i], firstTick + i, true, found);
  for (; i < count; ++i)
    if (std::isfinite(samples[i])) Step(s, r, r.polarity * samples[i], firstTick + i, true, found);
  s.nextTick = firstTick + count;
  state = s;
}

void FinishCycles(CycleScanState& s, const CycleRules& r, std::vector<CycleEventRecord>& found) {
  if (!s.runInDone && s.runInCount > 0) CompleteRunIn(s, r, found);
  if (s.inCycle) EndCycle(s, r);
  if (s.held) found.push_back(s.heldCycle);
  s.held = false;
}

int32_t PendingCycleTick(const CycleScanState& s) {
  if (!s.runInDone && s.runInCount > 0) return s.runInTick;
  int32_t tick = s.inCycle ? std::min(s.nextTick, s.extremeTick) : s.nextTick;
  return s.held ? std::min(tick, s.heldCycle.tick) : tick;
}

bool OpensWithinEvent(const CycleRules& rules, const float* samples, int32_t count) {
  CycleScanState state;
  std::vector<CycleEventRecord> found;
  ScanCycles(state, rules, samples, std::min(count, CycleRunInSamples(rules) + kCycleOpeningSamples), found);
  FinishCycles(state, rules, found);
  return state.startsWithinEvent;
}

}  // namespace host
