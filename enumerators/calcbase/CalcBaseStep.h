// The resumable step of the baseline stage: pairs each detector peak with the stimulus before it and finds the
// peak's baseline (flattest long stretch, fixed level or lowest sample) and its polarity.
#pragma once

#include <cstdint>

#include "enumerators/framework/StageCursors.h"
#include "base/EventRecords.h"
#include "enumerators/calcbase/RiseFoot.h"
#include "enumerators/stimrest/StimulusRest.h"

namespace ZR::Enum::CalcBase {

using Rest::AtRest;
using Rest::MeasureRest;
using Rest::StimulusRest;
using Rest::TrackFoot;

// RiseFoot: the level where the signal began to rise to the peak (RiseFoot.h), for detectors that give only a
// peak's extreme; it takes the polarity from the peak's side of the samples just before it.
// No event's window reaches into the next one's rise. The extreme stage ends each event's window at the next event's
// first tick, the sample before its foot (CalcAMaxStep.h), so the foot's tick is where the rise began: it lies before
// the point where the signal, rising to this peak, first came back past the previous event's peak (on the same
// side). A foot standing short of that peak whose stretch reaches over that point holds samples of this rise (within
// the noise of one level no stretch holds both), so its last sample is moved back onto the lowest sample before that
// point, the last of equal ones, where the rise began, and its first no later. Its level stays the foot's. A foot
// wholly beyond that point stands on a course that carried the signal past that peak, and stays. (An earlier event
// that peaked short of this one stood on this rise, a shoulder or a notch, when the signal dipped from it only
// briefly and shallowly: the lowest sample between the two peaks came sooner after that peak than the peak came
// after its rise left its foot's level (the last sample at that level, where the noise about it last took the signal
// back to it), and never fell back to half its height. The walk goes on past it, and its window ends before
// its own peak, at this foot: the extreme stage keeps one of the two, by the dip between them (CalcAMaxStep.h). One
// that fell for longer than it rose had a top of its own, whatever the depth: two currents 4 ms apart.)
enum class BaselineMode : int32_t { Search = 0, Fixed = 1, Lowest = 2, RiseFoot = 3 };

// Parameters in the units the step uses (ticks), derived once when the sources are set.
struct StepSettings {
  int32_t maxBaselineTicks = 500;   // longest flat segment minus one, at least 500
  double noiseTolerancePercent = 5.0;
  int32_t searchStartTicks = -1;    // window after a stimulus; both -1 when there is none
  int32_t searchEndTicks = -1;
  int32_t restTicks = 40;           // kRestMs and kLookMs in ticks (StimulusRest.h)
  int32_t lookTicks = 80;
  int32_t mode = 0;                 // BaselineMode; any other number searches
  double baselineValue = -1.0;      // the fixed level of mode 1, channel units
  int32_t footBlockTicks = 4;       // mode 3: the foot's blocks and the lag its noise is measured at (RiseFootRules)
  int32_t footLagBlocks = 5;
};

// The flat-segment search of one event. Ticks inclusive; the score of a segment closed at tick t is
// count^2 x |P - mean| / (E + 1 - t), so long, flat stretches far from the peak level and near the peak win.
struct SegmentScanner {
  int32_t segStartTick = 0;
  float segStartValue = 0.0f;
  bool newSegment = true;
  double bestScore = 0.0;
  double tolerance = 0.0;
  double sum = 0.0;  // double: a segment may hold many samples
  int32_t count = 0;
  float noiseTolerancePercent = 5.0f;
  int32_t maxBaselineTicks = 500;
  int32_t eventTick = 0;   // E
  float eventValue = 0.0f; // P
  int32_t windowStart = -1;
  int32_t windowEnd = -1;
  float bestMean = -1.0f;
  int32_t bestStartTick = -1;
  int32_t bestEndTick = -1;
  StimulusRest rest;  // after a stimulus: segments are judged against it
};

// Feeds samples v[0..count) at ticks firstTick.. (all before E) to the scanner.
void FeedSegmentScanner(SegmentScanner& s, const float* v, int32_t firstTick, int32_t count) noexcept;

enum class Phase : int32_t { Idle = 0, WaitEvent = 1, WaitPeak = 2, ReadPeak = 3, Measure = 4 };

struct StepState {
  int32_t position = 0;  // lowest tick at which the next record may still lie
  EventPkStm pendingPeak;
  EventPkStm pendingStimulus;
  SegmentScanner scanner;
  int32_t previousEventTick = -1;
  int32_t lowestFrom = -1;  // modes 2 and 3: where the search started, -1 before it starts
  int32_t footFrom = -1;      // mode 3: the first sample the last event's walk saw, -1 before the first
  int32_t footPeakTick = -1;  // mode 3: that event's peak, -1 before the first
  double footPeak = 0.0;      // and its value
  double footPolarity = 0.0;  // and its side, 0 when it had no foot
  double footLevel = 0.0;     // and its foot's level
  int32_t footRiseTicks = 0;  // and the ticks from its foot's last sample to its peak
  RiseFootNoise footNoise;  // mode 3: the noise the last walk long enough measured
  Phase phase = Phase::Idle;
};

// One call: true with one record written into out, false when it cannot go on now (resume by calling again).
bool Step(StepState& s, const StepSettings& p, StepFrame& frame, SampleCursor& channel,
          EventCursor<EventPkStm>& events, EventBCalcBase& out);

}  // namespace ZR::Enum::CalcBase
