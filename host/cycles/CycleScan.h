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

struct CycleScanState {
  int32_t nextTick = 0;       // tick of the next sample to feed
  bool started = false;       // a first sample has set the baseline
  double baseline = 0.0;      // running mean outside cycles (double: it accumulates many samples)
  double variance = 0.0;      // running mean square about the baseline outside cycles
  double previous = 0.0;      // the previous sample's level above the baseline, seen from the polarity
  bool inCycle = false;
  double start = 0.0;         // the open cycle's threshold crossing, in ticks between samples
  double extreme = 0.0;       // the open cycle's largest level so far
  int32_t extremeTick = 0;    // the sample of that level (the first of equal ones)
  double lastStart = -1e300;  // the previous cycle's start
};

// Feeds samples[0, count), the first at state.nextTick. A cycle starts where the level (sample minus baseline,
// times polarity) crosses the threshold upwards, placed by linear interpolation between the two samples, and
// ends at the first sample below threshold x (1 - hysteresis). Each completed cycle is appended to found at its
// extreme, the sample of its largest level (the peak of an upward cycle, the trough of a downward one; fraction 0),
// its value that level times the polarity. The minimum interval counts from crossing to crossing. No cycle starts
// before the baseline has run for its length.
void ScanCycles(CycleScanState& state, const CycleRules& rules, const float* samples, int32_t count,
                std::vector<CycleEventRecord>& found);

}  // namespace host
