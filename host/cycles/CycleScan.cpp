// The host's cycle scan: a rise by the threshold above the local trough, with hysteresis.
#include "host/cycles/CycleScan.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace host {

namespace {

// A sample is quiet while the signal's average lies within this many standard deviations of the trough (which it
// follows at its pace): not on an event's rise, fall or tail (an exponential tail falls from 5 SD to 2.5 within 0.7
// of its decay time), nor on a swing the other way. The run-in measures its noise on such samples.
constexpr double kQuietSds = 2.5;
// A run-in whose samples say nothing of the noise (a blanked start) goes on for up to this many spans.
constexpr int32_t kRunInSpans = 4;
// The run-in's first measure, about its median, takes in its events; each pass measures it again on the samples
// the scan with that measure finds quiet. The second pass leaves what the first left of an event's tails.
constexpr int32_t kRunInPasses = 2;
// A relative threshold with no noise measured yet (the signal has not moved): no cycle can start.
constexpr double kUnmeasuredThreshold = 1e300;

double Threshold(const NoiseGauge& noise, const CycleRules& r) {
  if (!r.relative) return r.threshold;
  return noise.Sd() > 0.0 ? r.threshold * noise.Sd() : kUnmeasuredThreshold;
}

// The cycle's extreme so far is the larger of the two samples whose mean crossed, the earlier of equal ones.
void StartCycle(CycleScanState& s, const CycleRules& r, double crossing, double y, int32_t tick, double threshold) {
  s.inCycle = true;
  s.continued = s.riseOpen && crossing - s.lastStart >= r.minIntervalTicks;
  s.counted = crossing - s.lastStart >= r.minIntervalTicks && !s.riseOpen;
  s.riseOpen = false;
  s.anyStart = true;
  s.start = crossing;
  s.startLevel = s.levels.trough;
  // A cycle riding on an earlier one's fall (the trough more than the threshold above the floor) leaves the floor
  // free to come up only as far as that earlier one rose from.
  s.levels.rose = s.levels.trough - s.levels.floor > threshold ? std::min(s.levels.rose, s.levels.trough)
                                                                : s.levels.trough;
  s.extreme = std::max(y, s.previous);
  s.extremeTick = s.previous >= y ? s.previousTick : tick;
  s.smoothExtreme = s.smooth;
  s.smoothExtremeTick = tick;
  s.settledExtreme = s.extreme;
  s.settledExtremeTick = s.extremeTick;
  s.smoothDip = s.smooth;
  s.smoothDipTick = s.dipTopTick = tick;
  s.dipTop = s.smooth;
  s.dipExtreme = s.extreme;
  s.dipExtremeTick = s.extremeTick;
  s.dipKept = false;
  s.risen = -TroughFollower::kNoLevel;
  s.swingCandidate = s.afterFall;
  s.afterFall = false;
}

// Whether the open cycle, rising out of an earlier cycle's fall (RecordFall), is the return of a swing the other
// way on that cycle (a current of the other sign riding on it): its average rose to no higher than the earlier
// one's highest, before the fall would have come back (the record's last sample: a swing returns to the course it
// rides on while that lasts), and took longer to rise from its lowest than the fall took to come down from the level
// it reached to that lowest (from the fall's last sample at or above that level; from the earlier cycle's highest
// where the record holds none). A swing returns at the pace it decays at; a current of its own rising on a fall,
// faster, and one that starts on a slow recovery (an action potential's after-hyperpolarisation) peaks later.
bool SwingReturn(const CycleScanState& s) {
  if (s.smoothExtreme > s.fellFromLevel || s.smoothExtremeTick > s.fellUntil) return false;
  const double below = (s.fellFromLevel - s.smoothExtreme) * s.fellStepsPerUnit;
  const size_t steps = static_cast<size_t>(std::min(double{kFallSteps}, below));
  int32_t from = s.fellFromTick;
  for (size_t k = 0; k < steps; ++k) from = std::max(from, s.fellAt[k]);
  return s.smoothExtremeTick - s.lowTick > s.lowTick - from;
}

// Records the fall's average at tick, or ends the record where the fall is back at the trough the cycle rose from
// (nothing is left to ride on), or where, at the pace it came down to half the cycle's height, it would be back
// within the threshold of it (a fall that came to rest, as an artefact's, holds no swing after; within a baseline
// span until it is half down).
[[gnu::always_inline]] inline void RecordFall(CycleScanState& s, int32_t tick) {
  if (s.smooth <= s.fellEndLevel || tick > s.fellUntil) {
    s.afterFall = false;
    return;
  }
  if (!s.fellHalf && 2.0 * s.smooth <= s.fellEndLevel + s.fellFromLevel) {
    s.fellHalf = true;
    s.fellUntil = s.fellFromTick + static_cast<int32_t>((tick - s.fellFromTick) * s.fellHalvings);
  }
  const double k = (s.fellFromLevel - s.smooth) * s.fellStepsPerUnit;
  s.fellAt[static_cast<size_t>(std::min(kFallSteps - 1.0, std::max(0.0, k)))] = tick;
}

// A counted cycle is held; one that started within the interval after it lends it its extreme where larger. False
// when the cycle was a swing's return.
bool EndCycle(CycleScanState& s, const CycleRules& r) {
  s.inCycle = false;
  if (s.swingCandidate && SwingReturn(s)) return false;
  if (s.counted) {
    s.held = true;
    s.heldStartLevel = s.startLevel;
    s.lastStart = s.start;
  } else if (!s.held || s.extreme <= s.heldExtreme) {
    return true;
  }
  s.heldExtreme = s.extreme;
  s.heldCycle.tick = s.extremeTick;
  s.heldCycle.value = r.polarity * (s.extreme - s.heldStartLevel);
  return true;
}

// The steps taken for every sample are always inlined (GCC declines the larger ones on its own), so that the
// block's loop works on ScanCycles' own copy of the state.

// The held cycle is reported once no cycle can start within the interval after it, nor is open. No cycle is ever
// dropped for what the noise gauge finds later: where the noise has grown suddenly, the cycles it started before
// the measure caught up are kept, as an event would be.
[[gnu::always_inline]] inline void ReportHeld(CycleScanState& s, const CycleRules& r, int32_t tick,
                                              std::vector<CycleEventRecord>& found) {
  if (!s.held || (s.inCycle && !s.counted) || s.riseOpen || tick - s.lastStart < r.minIntervalTicks) return;
  found.push_back(s.heldCycle);
  s.held = false;
}

// Whether the open cycle's average fell from the highest it had to its lowest since for longer than it had risen
// there from the trough (a top of its own) and than it has been rising again from that lowest up to tick.
bool FellLonger(const CycleScanState& s, int32_t tick) {
  const int32_t fell = s.smoothDipTick - s.dipTopTick;
  return fell > s.dipTopTick - s.lowTick && fell > tick - s.smoothDipTick;
}

void FollowCycle(CycleScanState& s, const CycleRules& r, double y, double threshold, int32_t tick) {
  s.levels.floor -= threshold * r.troughRisePerTick;  // sinking as far as a drift the other way may have gone
  const bool higher = s.smooth > s.smoothExtreme;
  // Rising past the highest it fell from, sooner than it fell: the lowest of that fall is kept, and a rise to more
  // than the threshold above that highest, still sooner, is the next current's (ScanCycles).
  s.dipKept = (s.dipKept || higher) && FellLonger(s, tick);
  if (s.dipKept && s.smooth - s.dipTop > threshold) {
    // The cycle ends at its own top; the next starts on this rise, measured from the lowest it rose from.
    s.extreme = s.dipExtreme;
    s.extremeTick = s.dipExtremeTick;
    EndCycle(s, r);
    if (r.baselineTicks > 0) s.levels.trough = s.smoothDip;
    const double risen = s.risen;
    const int32_t risenTick = s.risenTick;
    s.lowTick = s.smoothDipTick;
    StartCycle(s, r, tick, y, tick, threshold);
    if (risen > s.extreme) {  // the rise's samples before the average caught up are the new cycle's
      s.extreme = s.settledExtreme = s.dipExtreme = risen;
      s.extremeTick = s.settledExtremeTick = s.dipExtremeTick = risenTick;
    }
    return;
  }
  if (y > s.extreme) {
    s.extreme = y;
    s.extremeTick = tick;
  }
  if (higher) {
    s.smoothExtreme = s.smooth;
    s.smoothExtremeTick = tick;
    s.settledExtreme = s.extreme;
    s.settledExtremeTick = s.extremeTick;
  }
  if ((higher && !s.dipKept) || s.smooth < s.smoothDip) {
    s.smoothDip = s.smooth;
    s.smoothDipTick = tick;
    s.dipTopTick = s.smoothExtremeTick;
    s.dipTop = s.smoothExtreme;
    s.dipExtreme = s.extreme;
    s.dipExtremeTick = s.extremeTick;
    s.dipKept = false;
    s.risen = -TroughFollower::kNoLevel;
  } else if (y > s.risen) {
    s.risen = y;
    s.risenTick = tick;
  }
  const double end = threshold * (1.0 - r.hysteresis);
  const bool back = y - s.startLevel < end && s.smooth - s.startLevel < end;
  // A pause on a rise is part of it while no longer than the rise would take, at the pace it crossed the threshold
  // with, to reach its highest (a notch, a shoulder); a step to a new level outlasts that and the interval.
  // (Weighed only once the interval has passed: it runs for every sample of a cycle.)
  const int32_t paused = tick - s.smoothExtremeTick;
  const bool settled =
      paused > r.minIntervalTicks &&
      (threshold <= 0.0 || paused > (s.start - s.lowTick) * (s.smoothExtreme - s.startLevel) / threshold);
  const bool fell = s.smooth <= s.smoothExtreme - threshold;
  if (!back && !settled && !fell) return;
  if (settled && !back && !fell && y > s.settledExtreme) {
    // Settling while the signal stands above its extreme as it was where the average last rose, it settles on the rise
    // of a current starting just then, which the lagging average has not followed: that rise is the next cycle's, and
    // this one's extreme the one it had there.
    s.extreme = s.settledExtreme;
    s.extremeTick = s.settledExtremeTick;
  }
  // Back, neither its average nor its signal having fallen by the threshold from their highest: no top of its own,
  // and the rise it crossed on may go on (ScanCycles).
  const bool top = fell || s.extreme - y >= threshold;
  const bool kept = EndCycle(s, r);
  s.riseOpen = back && !top && !settled && kept && s.held && r.baselineTicks > 0;
  s.riseOpenLevel = s.startLevel;
  s.riseOpenTick = static_cast<int32_t>(s.start);
  s.riseOpenUntil = tick + r.baselineTicks;
  // A swing the other way below where it ended (the threshold under its highest) returns by the threshold or more
  // to start a cycle: one that rose by twice the threshold or more may carry one.
  s.afterFall = !back && r.baselineTicks > 0 && s.smoothExtreme - s.startLevel > 2.0 * threshold;
  if (s.afterFall) {
    s.fellFromTick = s.smoothExtremeTick;
    s.fellFromLevel = s.smoothExtreme;
    s.fellEndLevel = s.startLevel;
    s.fellHalf = false;
    s.fellUntil = s.fellFromTick + r.baselineTicks;
    s.fellHalvings = std::log2((s.fellFromLevel - s.fellEndLevel) / threshold);
    s.fellStepsPerUnit = 1.0 / std::max(0.25 * threshold, (s.fellFromLevel - s.fellEndLevel) / kFallSteps);
    s.fellAt.fill(-1);
  }
  if (r.baselineTicks > 0) s.levels.trough = s.smooth;
  s.lowTick = tick;  // the next rise starts from the level the cycle ended at
  s.previousRise = 0.5 * (y + s.previous) - s.levels.trough;
}

// Outside a cycle: the trough follows the average, and a cycle starts where the rise above it crosses the
// threshold. True when the sample is quiet (TroughFollower::Follow).
[[gnu::always_inline]] inline bool SeekCycle(CycleScanState& s, const CycleRules& r, double y, double smoothBefore,
                                             double threshold, int32_t tick) {
  const bool quiet = r.baselineTicks > 0 ? s.levels.Follow(smoothBefore, threshold, threshold * r.troughRisePerTick,
                                                            r.troughRisePerTick, tick)
                                         : true;
  const double rise = 0.5 * (y + s.previous) - s.levels.trough;
  const double previousRise = s.previousRise;
  s.previousRise = rise;
  if (s.smooth <= s.levels.trough) s.lowTick = tick;
  if (__builtin_expect(s.afterFall, 0)) RecordFall(s, tick);
  if (__builtin_expect(s.riseOpen, 0)) {
    // Back down where it rose from, or as far above as a drift the trough follows could have gone since.
    const double drift = threshold * r.troughRisePerTick * (tick - s.riseOpenTick);
    s.riseOpen = s.levels.trough > s.riseOpenLevel + drift && tick <= s.riseOpenUntil;
  }
  if (!s.anyStart && tick - s.firstTick < kCycleOpeningSamples && s.smooth < s.first - threshold)
    s.startsWithinEvent = true;
  // A record that opens within an event (above the measured level) starts no cycle until its signal has come back
  // as a cycle ends: what rises on that event's fall belongs to it.
  if (!s.reachedLevel) {
    s.reachedLevel = rise < threshold * (1.0 - r.hysteresis);
    if (!s.reachedLevel) {
      s.passedOver = s.passedOver || rise >= threshold;  // an event under way, its rise or its fall
      return quiet;
    }
  }
  // An upward crossing: the previous rise below the threshold as it stood then (a threshold that has come down
  // since, as the noise measure changed, to below that rise leaves the crossing at the previous sample).
  if (rise < threshold || previousRise >= s.previousThreshold) return quiet;
  StartCycle(s, r, (tick - 1) + std::max(0.0, (threshold - previousRise) / (rise - previousRise)), y, tick,
             threshold);
  return false;
}

// The record's first finite sample sets the levels; the trough starts at the level the run-in measured where it
// did (a record may open on an event's fall, which the trough would otherwise hold at as at a swing the other way).
void Begin(CycleScanState& s, const CycleRules& r, double y, int32_t tick) {
  s.started = true;
  s.firstTick = tick;
  s.first = s.previous = s.smooth = y;
  s.previousTick = s.lowTick = tick;
  s.levels.Reset(r.baselineTicks > 0 ? (s.leveled ? s.level : y) : 0.0);
  s.reachedLevel = !s.leveled;
  s.previousRise = y - s.levels.trough;
  s.previousThreshold = Threshold(s.noise, r);
}

// A finite sample after the first, y the sample times the polarity. True when it is quiet: outside a cycle, the
// trough keeping its pace and the average within kQuietSds of it. The noise is a gauge apart from the state
// (ScanCycles says why).
[[gnu::always_inline]] inline bool Step(CycleScanState& s, NoiseGauge& noise, const CycleRules& r, double y,
                                        int32_t tick,
                                        bool takeNoise, std::vector<CycleEventRecord>& found) {
  ReportHeld(s, r, tick, found);
  const double threshold = Threshold(noise, r);
  const double smoothBefore = s.smooth;
  s.smooth += (y - s.smooth) * r.smoothing;
  bool quiet = false;
  const bool wasInCycle = s.inCycle;
  if (s.inCycle)
    FollowCycle(s, r, y, threshold, tick);
  else
    quiet = SeekCycle(s, r, y, smoothBefore, threshold, tick);
  // The gauge measures the quiet samples alone (all of them while it has measured nothing); an event's, to its
  // return (ScanCycles), and those aside only where cycles the interval joins to the one before start again and
  // again in their group.
  const bool near = __builtin_fabs(s.smooth - s.levels.trough) <= kQuietSds * noise.Sd() || !noise.Measured();
  quiet = quiet && near;
  s.swingReturn = s.levels.swing || (s.swingReturn && s.smooth < s.levels.trough);
  s.inEvent = s.inCycle || s.swingReturn || (s.inEvent && !near);
  if (takeNoise && r.relative) {
    const bool joined = s.inCycle && !wasInCycle && !s.counted && !s.continued;
    if (s.levels.swing && !joined)
      noise.Pass();
    else if (s.inEvent)
      noise.TakeInEvent(y, s.levels.trough, joined);
    else if (quiet)
      noise.Take(y, s.levels.trough, s.previous);
    else
      noise.TakeAside(y, s.levels.trough, y != s.previous);
  }
  s.previous = y;
  s.previousTick = tick;
  s.previousThreshold = threshold;
  return quiet;
}

[[gnu::always_inline]] inline void Feed(CycleScanState& s, const CycleRules& r, float sample, int32_t tick,
                                        bool takeNoise, std::vector<CycleEventRecord>& found) {
  if (!std::isfinite(sample)) return;
  if (s.started)
    Step(s, s.noise, r, r.polarity * sample, tick, takeNoise, found);
  else
    Begin(s, r, r.polarity * sample, tick);
}

// Whether QuietRun may take the next samples: outside a cycle and a swing, the trough not held above the floor,
// past the record's opening span, with a trough to follow.
bool QuietRunMayStart(const CycleScanState& s, const NoiseGauge& noise, const CycleRules& r, int32_t tick) {
  return !s.inCycle && !s.inEvent && !s.afterFall && !s.riseOpen && !s.levels.swing &&
         !s.levels.Held(Threshold(noise, r)) && s.reachedLevel && r.baselineTicks > 0 && (s.anyStart || tick - s.firstTick >= kCycleOpeningSamples);
}

// The index of the first of samples[i, count) at whose tick a held cycle is reported (ReportHeld; outside a
// cycle), or count: that test moves one way with the tick, so a bisection finds it.
int32_t HeldDueIndex(const CycleScanState& s, const CycleRules& r, int32_t i, int32_t count, int32_t firstTick) {
  if (!s.held) return count;
  while (i < count) {
    const int32_t middle = i + (count - i) / 2;
    if (firstTick + middle - s.lastStart < r.minIntervalTicks)
      i = middle + 1;
    else
      count = middle;
  }
  return i;
}

// The value as a variable in the frame of the function it is inlined into. The compiler would read a constant
// from the constant pool for every sample, and such a read waits for any store to the frame whose address has
// the same low 12 bits (4K aliasing), which comes and goes with the caller's stack depth: the relative scan ran
// at 150 or 195 Msamples/s by that alone. So the per-sample loop reads no constant from memory (nor fabs's or
// std::isfinite's masks).
[[gnu::always_inline]] inline double Opaque(double value) {
  __asm__("" : "+m"(value));
  return value;
}

// The levels and sums QuietRun carries from sample to sample.
struct RunLevels {
  double smooth, trough, previous, squares, sum, changes, previousRise;
  bool above, moved;
  int32_t lowTick;
};

// QuietRun's samples from samples[i] up to end while the floor stands at the trough, as it does on a quiet stretch
// once the trough has kept its pace for a while: Next then keeps it there (the floor comes up by step at most, and
// the trough by no more), no sample is held above the floor, and none falls faster than step, so each is quiet and
// the floor need not be carried, nor the sums of samples aside: i686 has 8 registers for the loop's doubles, and
// QuietRun's own loop sends some of its levels through the stack at every sample (on the synaptic recording the
// relative scan went from 113 to 140 Msamples/s with this loop and by-value min and max). Stops where QuietRun
// would, or where the trough rose by more than the threshold (left to QuietRun), and returns that index. The
// arithmetic is Next's and QuietRun's, in their order.
[[gnu::always_inline]] inline int32_t LevelRun(RunLevels& v, const CycleRules& r, const float* samples, int32_t i,
                                               int32_t end, int32_t firstTick, double threshold, double step,
                                               double band, bool gauged, double half) {
  double smooth = v.smooth, trough = v.trough, previous = v.previous, squares = v.squares, sum = v.sum;
  double changes = v.changes, rise = v.previousRise;
  bool above = v.above, moved = v.moved;
  int32_t lowTick = v.lowTick;
  for (; i < end; ++i) {
    const float sample = samples[i];
    if (!(sample - sample == 0.0f)) break;  // not finite
    const double y = r.polarity * sample;
    if (__builtin_expect(TroughFollower::Swings(trough, smooth, threshold), 0)) break;
    const double next = TroughFollower::Larger(TroughFollower::Smaller(smooth, trough + step),
                                               TroughFollower::Smaller(trough - step, trough));
    if (__builtin_expect(next - trough > threshold, 0)) break;
    const double nextRise = half * (y + previous) - next;
    if (__builtin_expect(!(nextRise < threshold || above), 0)) break;
    const double nextSmooth = smooth + (y - smooth) * r.smoothing;
    if (__builtin_expect(gauged && !(nextSmooth - next <= band && next - nextSmooth <= band), 0)) break;
    const double residual = y - next, change = y - previous;
    squares += residual * residual;
    sum += residual;
    changes += change * change;
    smooth = nextSmooth;
    trough = next;
    rise = nextRise;
    above = !(nextRise < threshold);
    moved = moved || y != previous;
    previous = y;
    lowTick = smooth <= trough ? firstTick + i : lowTick;
  }
  v = {smooth, trough, previous, squares, sum, changes, rise, above, moved, lowTick};
  return i;
}

// Step for the samples from samples[i] on while nothing but the levels and the noise moves: no cycle starts, the
// average stays above the floor's swing level, the trough is not held above the floor and no held cycle is due.
// Its levels and the threshold are locals (the threshold changes only where the noise gauge ends a group), so that
// they stay in registers; so does the gauge's sum, taken in runs that end where a group does (the loop calls
// nothing). It stops at the first sample Step must take (a non-finite one too), or at count, and returns that
// index. The arithmetic is Step's, in its order, so the events are the same bit for bit.
[[gnu::always_inline]] inline int32_t QuietRun(CycleScanState& s, NoiseGauge& noise, const CycleRules& r,
                                               const float* samples, int32_t i, int32_t count, int32_t firstTick) {
  double smooth = s.smooth, trough = s.levels.trough, floor = s.levels.floor, previous = s.previous;
  double previousRise = s.previousRise, previousThreshold = s.previousThreshold;
  const double rose = s.levels.rose;
  int32_t previousTick = s.previousTick, lowTick = s.lowTick;
  const int32_t first = i;
  count = HeldDueIndex(s, r, i, count, firstTick);
  double threshold = Threshold(noise, r);
  double step = threshold * r.troughRisePerTick;
  // The gauge takes Step's quiet samples (the trough keeping its pace, the average within the band) and the others
  // aside: those of a fast fall are summed aside here, an average beyond the band is left to Step.
  const bool gauged = r.relative;
  double band = gauged && noise.Measured() ? kQuietSds * noise.Sd() : kUnmeasuredThreshold;
  const double half = Opaque(0.5);
  // The rise before stood at its threshold or more (Step's previousRise >= previousThreshold): a bool, so that the
  // loop's test reads no double of the sample before.
  bool above = previousRise >= previousThreshold;
  for (bool more = true; more;) {
    const int32_t end = r.relative ? std::min(count, i + noise.UntilGroup()) : count;
    const int32_t from = i;
    double squares = noise.Squares(), sum = noise.Sum(), changes = noise.Changes();
    double asideSquares = noise.AsideSquares(), asideSum = noise.AsideSum();
    int32_t aside = 0;
    bool moved = false;
    for (; i < end; ++i) {
      if (floor == trough && threshold > 0.0) {
        RunLevels v = {smooth, trough, previous, squares, sum, changes, previousRise, above, moved, lowTick};
        const int32_t at = LevelRun(v, r, samples, i, end, firstTick, threshold, step, band, gauged, half);
        if (at > i) {
          smooth = v.smooth;
          trough = floor = v.trough;
          previous = v.previous;
          squares = v.squares;
          sum = v.sum;
          changes = v.changes;
          previousRise = v.previousRise;
          previousThreshold = threshold;
          above = v.above;
          moved = v.moved;
          lowTick = v.lowTick;
          i = at;
        }
        if (i == end) break;
      }
      const float sample = samples[i];
      if (!(sample - sample == 0.0f)) break;  // not finite (Opaque says why not std::isfinite)
      const double y = r.polarity * sample;
      if (__builtin_expect(TroughFollower::Swings(floor, smooth, threshold), 0)) break;
      const TroughFollower::Levels next = TroughFollower::Next(trough, floor, rose, smooth, step, threshold);
      if (__builtin_expect(next.trough - next.floor > threshold, 0)) break;  // held above the floor (Follow)
      const double rise = half * (y + previous) - next.trough;
      if (__builtin_expect(!(rise < threshold || above), 0)) break;
      const double nextSmooth = smooth + (y - smooth) * r.smoothing;
      if (__builtin_expect(gauged && !(nextSmooth - next.trough <= band && next.trough - nextSmooth <= band), 0))
        break;
      const double residual = y - next.trough, square = residual * residual;
      // A fast fall's samples are summed aside (Step); they are rare, so a branch costs less than a select.
      if (__builtin_expect(next.trough >= trough - step, 1)) {
        const double change = y - previous;
        squares += square;
        sum += residual;
        changes += change * change;
      } else {
        asideSquares += square;
        asideSum += residual;
        ++aside;
      }
      smooth = nextSmooth;
      trough = next.trough;
      floor = next.floor;
      above = !(rise < threshold);
      previousRise = rise;
      previousThreshold = threshold;
      moved = moved || y != previous;
      previous = y;
      lowTick = smooth <= trough ? firstTick + i : lowTick;
    }
    if (i > from) previousTick = firstTick + i - 1;
    more = i == end && i < count;
    if (r.relative && noise.Took(squares, sum, changes, i - from - aside, asideSquares, asideSum, i - from, moved)) {
      threshold = Threshold(noise, r);
      step = threshold * r.troughRisePerTick;
      band = noise.Measured() ? kQuietSds * noise.Sd() : kUnmeasuredThreshold;
    }
  }
  s.smooth = smooth;
  s.levels.trough = trough;
  s.levels.floor = floor;
  s.previous = previous;
  s.previousRise = previousRise;
  s.previousThreshold = previousThreshold;
  s.previousTick = previousTick;
  s.lowTick = lowTick;
  if (i > first) s.levels.held = false;  // as Follow finds it at every sample taken here
  return i;
}

// The noise of the run-in's quiet samples (Step), as the scan with the run-in's measure so far finds them, about
// the trough; that measure where too few are quiet.
NoiseGauge QuietRunInNoise(const CycleScanState& s, const CycleRules& r) {
  CycleScanState probe;
  probe.runInDone = true;
  probe.leveled = s.leveled;
  probe.level = s.level;
  NoiseGauge quiet = s.noise;
  quiet.Restart();
  std::vector<CycleEventRecord> ignored;
  NoiseGauge measure = s.noise;
  for (size_t i = 0; i < s.runIn.size(); ++i) {
    const float sample = s.runIn[i];
    const int32_t tick = static_cast<int32_t>(i);
    const double y = r.polarity * sample;
    const double before = probe.previous;
    if (std::isfinite(sample) && !probe.started)
      Begin(probe, r, y, tick);
    else if (std::isfinite(sample) && Step(probe, measure, r, y, tick, false, ignored))
      quiet.Take(y, probe.levels.trough, before);
    else
      quiet.Pass();  // its groups keep to time, as the scan's that follow
  }
  return quiet.Finish() ? quiet : s.noise;
}

// The run-in's samples give the noise its first measure and are then searched with it. A run-in that measured
// nothing (samples all equal, or non-finite) goes on, unless final (the record ends, or kRunInSpans spans were
// taken): then its samples are searched as they are, and the scan measures the noise that follows.
void CompleteRunIn(CycleScanState& s, const CycleRules& r, bool final, std::vector<CycleEventRecord>& found) {
  s.noise.Reset(r.baselineTicks);
  s.noise.Start(s.runIn.data(), static_cast<int32_t>(s.runIn.size()), r.polarity);
  if (!final && !s.noise.Measured()) return;
  s.leveled = s.noise.Measured();
  s.level = s.noise.StartLevel();
  for (int32_t pass = 0; pass < kRunInPasses && s.noise.Measured(); ++pass) s.noise = QuietRunInNoise(s, r);
  s.runInDone = true;
  std::vector<float> runIn;
  runIn.swap(s.runIn);
  for (size_t i = 0; i < runIn.size(); ++i) Feed(s, r, runIn[i], s.runInTick + static_cast<int32_t>(i), false, found);
}

}  // namespace

double CycleSmoothing(int32_t minIntervalTicks) {
  return 1.0 / std::min(8.0, std::max(2.0, 0.125 * minIntervalTicks));
}

int32_t CycleRunInSamples(const CycleRules& rules) {
  return rules.relative && rules.baselineTicks > 0 ? rules.baselineTicks : 0;
}

void ScanCycles(CycleScanState& state, const CycleRules& rules, const float* samples, int32_t count,
                std::vector<CycleEventRecord>& found) {
  const int32_t runIn = CycleRunInSamples(rules);
  int32_t i = 0;
  for (; i < count && !state.runInDone; ++i, ++state.nextTick) {
    if (runIn == 0) {
      state.runInDone = true;
      Feed(state, rules, samples[i], state.nextTick, true, found);
      continue;
    }
    if (state.runIn.empty()) state.runInTick = state.nextTick;
    state.runIn.push_back(samples[i]);
    const size_t taken = state.runIn.size();
    if (taken % static_cast<size_t>(runIn) == 0)
      CompleteRunIn(state, rules, taken >= static_cast<size_t>(kRunInSpans) * static_cast<size_t>(runIn), found);
  }
  // The rest of the block is scanned on copies that nothing else reaches, so that the compiler need not write each
  // level back through the references and read it again for every sample (110 against 95 Msamples/s); the noise
  // gauge on a copy of its own, whose address no call takes, so that its sums stay in registers.
  CycleScanState s = std::move(state);
  NoiseGauge noise = state.noise;
  const CycleRules r = rules;
  const int32_t firstTick = s.nextTick - i;
  for (; i < count && !s.started; ++i) Feed(s, r, samples[i], firstTick + i, true, found);
  noise = s.noise;
  while (i < count) {
    if (QuietRunMayStart(s, noise, r, firstTick + i)) i = QuietRun(s, noise, r, samples, i, count, firstTick);
    if (i == count) break;
    if (std::isfinite(samples[i]))
      Step(s, noise, r, r.polarity * samples[i], firstTick + i, true, found);
    else if (r.relative)
      noise.Pass();  // the gauge's groups keep to time
    ++i;
  }
  s.noise = noise;
  s.nextTick = firstTick + count;
  state = std::move(s);
}

void FinishCycles(CycleScanState& s, const CycleRules& r, std::vector<CycleEventRecord>& found) {
  if (!s.runInDone && !s.runIn.empty()) CompleteRunIn(s, r, true, found);
  if (s.inCycle) EndCycle(s, r);
  if (s.held) found.push_back(s.heldCycle);
  s.held = false;
}

int32_t PendingCycleTick(const CycleScanState& s) {
  if (!s.runInDone && !s.runIn.empty()) return s.runInTick;
  // A cycle that the next sample starts may stand at the sample before it (StartCycle).
  const int32_t waiting = s.started ? std::min(s.nextTick, s.previousTick) : s.nextTick;
  // An open cycle that settles takes the extreme it had where its average last rose, and one that the next current's
  // rise ends the extreme it had at its lowest since (FollowCycle), each at or before its extreme so far.
  int32_t tick = s.inCycle ? std::min({s.nextTick, s.settledExtremeTick, s.dipExtremeTick}) : waiting;
  return s.held ? std::min(tick, s.heldCycle.tick) : tick;
}

bool TooShortToMeasure(const CycleRules& rules, int32_t count) {
  return rules.relative && rules.baselineTicks > 0 && count < NoiseGauge::LeastTicks(rules.baselineTicks);
}

bool OpensWithinEvent(const CycleRules& rules, const float* samples, int32_t count) {
  // The scan as the detector runs it, until its signal has first come back to the level its run-in measured: an
  // event it passed over on the way.
  {
    CycleScanState state;
    std::vector<CycleEventRecord> found;
    for (int32_t at = 0; at < count && !(state.runInDone && state.started && state.reachedLevel); at += 1024) {
      ScanCycles(state, rules, samples + at, std::min(1024, count - at), found);
      if (state.passedOver) return true;
    }
  }
  // A relative threshold is judged by the noise measured over a baseline span from the end of the record's first
  // one (or its second half, when shorter), away from the event it may open within: the record's own run-in would
  // measure that event's fall for noise, or too little of a low-passed noise's wander.
  CycleScanState probe;
  std::vector<CycleEventRecord> found;
  if (rules.relative) {
    const int32_t from = std::min(rules.baselineTicks, count / 2);
    const int32_t span = std::min(count - from, CycleRunInSamples(rules) + rules.baselineTicks);
    for (int32_t at = 0; at < span; at += 1024)
      ScanCycles(probe, rules, samples + from + at, std::min(1024, span - at), found);
    FinishCycles(probe, rules, found);
  }
  CycleScanState state;
  state.runInDone = true;
  state.noise = probe.noise;
  int32_t at = 0;
  while (at < count && !std::isfinite(samples[at])) ++at;
  ScanCycles(state, rules, samples + at, std::min(count - at, kCycleOpeningSamples + 1), found);
  return state.startsWithinEvent;
}

}  // namespace host
