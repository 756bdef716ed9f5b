// The host's cycle detection over a channel: a threshold with hysteresis over the signal minus a running
// baseline, with a minimum interval between cycle starts. A free function over blocks of samples with its
// state in a plain struct, so a record may arrive in blocks of any size.
#pragma once

#include <cstdint>
#include <vector>

#include "hostapi/CycleDetection.h"

namespace host {

// Rules in ticks, derived once per record from the detection settings and the tick period.
struct CycleRules {
  double polarity = 1.0;      // +1 cycles rise above the baseline, -1 they fall below it
  double threshold = 1.0;     // in the channel's units, or in standard deviations when relative
  double hysteresis = 0.5;    // a cycle ends below threshold x (1 - hysteresis)
  bool relative = false;      // threshold x running standard deviation of the signal about the baseline
  int32_t baselineTicks = 0;  // length of the running baseline; 0: levels are measured from 0
  int32_t minIntervalTicks = 0;  // a cycle may start this many ticks after the previous start at the earliest
};

// Samples a record's running baseline and noise take in before the first cycle may start (fewer when the
// baseline is shorter): the span at a record's start that is not searched.
inline constexpr int32_t kCycleRunInSamples = 32;
int32_t CycleRunInSamples(const CycleRules& rules);

struct CycleScanState {
  int32_t nextTick = 0;       // tick of the next sample to feed
  bool started = false;       // a first sample has set the baseline
  int32_t taken = 0;          // samples in the baseline, up to its length: it grows from the record's start
  double baseline = 0.0;      // running mean outside cycles and their tails (double: it accumulates many samples)
  double variance = 0.0;      // running mean square about the baseline, likewise
  double smooth = 0.0;        // the level averaged over a few samples, for the end of a cycle and its tail
  double previousRise = 0.0;  // the previous sample's rise above the floor (see ScanCycles)
  bool inCycle = false;
  bool inTail = false;        // a cycle has ended and the signal is not back at the baseline yet
  int32_t tailTicks = 0;      // samples spent in that tail
  double start = 0.0;         // the open cycle's threshold crossing, in ticks between samples
  double extreme = 0.0;       // the open cycle's largest level so far
  int32_t extremeTick = 0;    // the sample of that level (the first of equal ones)
  double lastStart = -1e300;  // the previous cycle's start
};

// Feeds samples[0, count), the first at state.nextTick. The level of a sample is the sample minus the baseline,
// times the polarity. A cycle starts where the level's rise above the floor crosses the threshold upwards,
// placed by linear interpolation between the two samples; the floor is 0, and on the tail of the previous cycle
// the level averaged over the last few samples, so that noise on a decaying tail starts no cycle while an event
// that rises out of the tail by the threshold does. A cycle ends once both the level and its average are below
// threshold x (1 - hysteresis). Each completed cycle is appended to found at its extreme, the sample of its
// largest level (the peak of an upward cycle, the trough of a downward one; fraction 0), its value that level
// times the polarity. The minimum interval counts from crossing to crossing. The baseline and the noise follow
// the signal outside cycles and their tails only, growing from the record's first sample over the baseline's
// length; no cycle starts in the first CycleRunInSamples samples.
void ScanCycles(CycleScanState& state, const CycleRules& rules, const float* samples, int32_t count,
                std::vector<CycleEventRecord>& found);

// True when a cycle may lie in the span at the start of a record that is not searched: some sample there
// reaches the threshold over the baseline and noise measured there, or the record is no longer than the span.
bool CrossesInRunIn(const CycleRules& rules, const float* samples, int32_t count);

}  // namespace host
