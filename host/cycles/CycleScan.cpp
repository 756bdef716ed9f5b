// The host's threshold-and-hysteresis cycle scan.
#include "host/cycles/CycleScan.h"

#include <cmath>

namespace host {

namespace {

double LevelThreshold(const CycleScanState& s, const CycleRules& r) {
  return r.relative && r.baselineTicks > 0 ? r.threshold * std::sqrt(s.variance) : r.threshold;
}

void FollowBaseline(CycleScanState& s, const CycleRules& r, double x) {
  if (r.baselineTicks <= 0) return;
  const double alpha = 1.0 / r.baselineTicks;
  const double d = x - s.baseline;
  s.baseline += alpha * d;
  s.variance += alpha * (d * d - s.variance);
}

void EndCycle(CycleScanState& s, const CycleRules& r, std::vector<CycleEventRecord>& found) {
  CycleEventRecord e;
  e.tick = s.extremeTick;
  e.fraction = 0.0f;
  e.value = r.polarity * s.extreme;
  found.push_back(e);
  s.inCycle = false;
  s.lastStart = s.start;
}

}  // namespace

void ScanCycles(CycleScanState& s, const CycleRules& r, const float* samples, int32_t count,
                std::vector<CycleEventRecord>& found) {
  for (int32_t i = 0; i < count; ++i, ++s.nextTick) {
    const double x = samples[i];
    if (!std::isfinite(x)) continue;
    if (!s.started) {
      s.started = true;
      if (r.baselineTicks > 0) s.baseline = x;
      s.previous = r.polarity * (x - s.baseline);
      continue;
    }
    const double level = r.polarity * (x - s.baseline);
    const double threshold = LevelThreshold(s, r);
    const int32_t t = s.nextTick;
    if (s.inCycle) {
      if (level > s.extreme) {
        s.extreme = level;
        s.extremeTick = t;
      }
      if (level < threshold * (1.0 - r.hysteresis)) EndCycle(s, r, found);
    } else {
      const bool warm = t >= r.baselineTicks;
      const bool crosses = level >= threshold && s.previous < threshold;
      const double crossing = (t - 1) + (threshold - s.previous) / (level - s.previous);
      if (warm && crosses && crossing - s.lastStart >= r.minIntervalTicks) {
        s.inCycle = true;
        s.start = crossing;
        s.extreme = level;
        s.extremeTick = t;
      } else {
        FollowBaseline(s, r, x);
      }
    }
    s.previous = s.inCycle ? level : r.polarity * (x - s.baseline);
  }
}

}  // namespace host
