// The host's threshold-and-hysteresis cycle scan.
#include "host/cycles/CycleScan.h"

#include <algorithm>
#include <cmath>

namespace host {

namespace {

// Samples the level's average runs over: enough to take most of the noise out of a tail (to about a third of
// its standard deviation), few enough to follow the fall of a fast event.
constexpr double kSmoothingSamples = 8.0;
// A tail is back at the baseline once its average is below this fraction of the threshold.
constexpr double kTailEndFraction = 0.1;

double LevelThreshold(const CycleScanState& s, const CycleRules& r) {
  return r.relative && r.baselineTicks > 0 ? r.threshold * std::sqrt(s.variance) : r.threshold;
}

// The running mean and mean square: over the samples taken so far while they are fewer than the baseline's
// length, then exponentially over that length.
void FollowBaseline(CycleScanState& s, const CycleRules& r, double x) {
  if (r.baselineTicks <= 0) return;
  if (s.taken < r.baselineTicks) ++s.taken;
  const double alpha = 1.0 / s.taken;
  const double d = x - s.baseline;
  s.baseline += alpha * d;
  s.variance += alpha * ((1.0 - alpha) * d * d - s.variance);
}

void StartCycle(CycleScanState& s, double crossing, double level, int32_t tick) {
  s.inCycle = true;
  s.inTail = false;
  s.start = crossing;
  s.extreme = level;
  s.extremeTick = tick;
}

void EndCycle(CycleScanState& s, const CycleRules& r, std::vector<CycleEventRecord>& found) {
  CycleEventRecord e;
  e.tick = s.extremeTick;
  e.fraction = 0.0f;
  e.value = r.polarity * s.extreme;
  found.push_back(e);
  s.inCycle = false;
  s.inTail = true;
  s.tailTicks = 0;
  s.lastStart = s.start;
}

void FollowCycle(CycleScanState& s, const CycleRules& r, double level, double threshold, int32_t tick,
                 std::vector<CycleEventRecord>& found) {
  if (level > s.extreme) {
    s.extreme = level;
    s.extremeTick = tick;
  }
  const double end = threshold * (1.0 - r.hysteresis);
  if (level < end && s.smooth < end) EndCycle(s, r, found);
  s.previousRise = level;
}

// Outside a cycle: a start where the rise crosses the threshold, else the sample goes into the tail or into
// the baseline.
void SeekCycle(CycleScanState& s, const CycleRules& r, double x, double level, double smoothBefore,
               double threshold, int32_t tick) {
  const double rise = level - (s.inTail ? std::max(smoothBefore, 0.0) : 0.0);
  const double previousRise = s.previousRise;
  s.previousRise = rise;
  if (rise >= threshold && previousRise < threshold && s.taken >= CycleRunInSamples(r)) {
    const double crossing = (tick - 1) + (threshold - previousRise) / (rise - previousRise);
    if (crossing - s.lastStart >= r.minIntervalTicks) {
      StartCycle(s, crossing, level, tick);
      return;
    }
  }
  if (s.inTail) {
    ++s.tailTicks;
    // A tail that settles away from the baseline (a step, or an offset above 0 without a baseline) ends after
    // the baseline's length, or the interval when there is no baseline.
    const bool settled = s.smooth < kTailEndFraction * threshold;
    if (settled || s.tailTicks >= (r.baselineTicks > 0 ? r.baselineTicks : r.minIntervalTicks)) s.inTail = false;
  } else {
    FollowBaseline(s, r, x);
  }
}

double Median(std::vector<double> x) {
  std::nth_element(x.begin(), x.begin() + x.size() / 2, x.end());
  return x[x.size() / 2];
}

}  // namespace

int32_t CycleRunInSamples(const CycleRules& rules) {
  return rules.baselineTicks > 0 ? std::min(rules.baselineTicks, kCycleRunInSamples) : 0;
}

void ScanCycles(CycleScanState& s, const CycleRules& r, const float* samples, int32_t count,
                std::vector<CycleEventRecord>& found) {
  for (int32_t i = 0; i < count; ++i, ++s.nextTick) {
    const double x = samples[i];
    if (!std::isfinite(x)) continue;
    if (!s.started) {
      s.started = true;
      FollowBaseline(s, r, x);
      s.previousRise = r.polarity * (x - s.baseline);
      continue;
    }
    const double level = r.polarity * (x - s.baseline);
    const double threshold = LevelThreshold(s, r);
    const double smoothBefore = s.smooth;
    s.smooth += (level - s.smooth) / kSmoothingSamples;
    if (s.inCycle)
      FollowCycle(s, r, level, threshold, s.nextTick, found);
    else
      SeekCycle(s, r, x, level, smoothBefore, threshold, s.nextTick);
  }
}

bool CrossesInRunIn(const CycleRules& rules, const float* samples, int32_t count) {
  const int32_t span = CycleRunInSamples(rules);
  if (span == 0) return false;
  if (count <= span) return count > 0;
  // Median and median deviation: an event in the span would spoil a mean and a standard deviation.
  std::vector<double> x;
  for (int32_t i = 0; i < span; ++i)
    if (std::isfinite(samples[i])) x.push_back(samples[i]);
  if (x.empty()) return false;
  const double baseline = Median(x);
  std::vector<double> deviations;
  for (const double v : x) deviations.push_back(std::fabs(v - baseline));
  const double sd = 1.4826 * Median(deviations);
  const double threshold = rules.relative ? rules.threshold * sd : rules.threshold;
  if (rules.relative && sd <= 0.0) return false;
  for (const double v : x)
    if (rules.polarity * (v - baseline) >= threshold) return true;
  return false;
}

}  // namespace host
