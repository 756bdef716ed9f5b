// The host's cycle detection over a channel: a rise by the threshold above the signal's local trough, with
// hysteresis, a minimum interval between cycle starts and a noise measured about the trough (NoiseGauge). A
// free function over blocks of samples with its state in a plain struct, so a record may arrive in blocks of
// any size.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "host/cycles/NoiseGauge.h"
#include "host/cycles/TroughFollower.h"
#include "hostapi/CycleDetection.h"

namespace host {

// Rules in ticks, derived once per record from the detection settings and the tick period.
struct CycleRules {
  double polarity = 1.0;      // +1 cycles rise above the baseline, -1 they fall below it
  double threshold = 1.0;     // in the channel's units, or in standard deviations when relative
  double hysteresis = 0.5;    // a cycle ends once back below threshold x (1 - hysteresis) over its start level
  bool relative = false;      // threshold x the standard deviation of the noise (NoiseGauge)
  int32_t baselineTicks = 0;  // span the noise is averaged over; 0: no local trough, levels are measured from 0
  int32_t minIntervalTicks = 0;  // a cycle may start this many ticks after the previous start at the earliest
  double troughRisePerTick = 1.0;  // the local trough rises by at most this fraction of the threshold a tick
  double smoothing = 1.0 / 8.0;    // the weight of a sample in the signal's average (CycleSmoothing)
};

// The weight of a sample in the signal's average: over 8 samples, or an eighth of the minimum interval where that
// is shorter (at least 2 samples), so that at a low sampling rate the average's lag still lets an event end well
// within the interval and the next one start as an event of its own.
double CycleSmoothing(int32_t minIntervalTicks);

// The shortest span a relative threshold measures its noise over (the baseline, when longer).
inline constexpr int32_t kCycleRunInSamples = 64;
// Samples at a record's start that a relative threshold measures its first noise over before they are searched,
// a span (none for an absolute threshold); more while they say nothing of the noise (a blanked start). They are
// searched once measured.
int32_t CycleRunInSamples(const CycleRules& rules);

// Span after a record's first sample in which a fall by the threshold, before any cycle starts, tells of an
// event under way at the record's start.
inline constexpr int32_t kCycleOpeningSamples = 32;

// The steps a cycle's fall is recorded in: a quarter of the threshold each, or a 64th of its height where that
// is coarser.
inline constexpr int32_t kFallSteps = 64;

struct CycleScanState {
  int32_t nextTick = 0;       // tick of the next sample to feed
  bool started = false;       // a first sample has set the levels
  int32_t firstTick = 0;      // the tick of that sample
  std::vector<float> runIn;   // the run-in's samples, as fed (non-finite ones too), until measured
  int32_t runInTick = 0;      // the tick of the run-in's first sample
  bool runInDone = false;
  bool leveled = false;       // the run-in has measured the record's level, where its trough starts
  double level = 0.0;         // that level: the median of the run-in's samples times the polarity
  bool reachedLevel = false;  // the signal has come within the cycles' end of that level since the first sample
  NoiseGauge noise;           // a relative threshold's noise, measured on the signal times the polarity
  double smooth = 0.0;        // the signal times the polarity, averaged over a few samples
  TroughFollower levels;      // the trough a new cycle rises from, its floor and the hold on a swing the other way
  double previous = 0.0;      // the previous finite sample times the polarity
  int32_t previousTick = 0;   // its tick
  double previousRise = 0.0;  // the previous rise above the trough
  double previousThreshold = 0.0;  // the threshold it was weighed against
  double first = 0.0;         // the record's first sample times the polarity
  bool inCycle = false;
  bool swingReturn = false;   // a swing the other way, until its average has come back up to the trough
  bool inEvent = false;       // a cycle or swing has begun and the average is not yet back near the trough
  bool counted = false;       // the open cycle started the minimum interval after the previous counted one
  bool held = false;          // a counted cycle has ended and is held until the minimum interval after its start
  CycleEventRecord heldCycle = {0, 0.0f, 0.0};  // that cycle as it will be reported
  double heldExtreme = 0.0;   // its extreme (the signal times the polarity)
  double heldStartLevel = 0.0;  // the trough it rose from
  bool anyStart = false;      // a cycle has started in this record
  bool startsWithinEvent = false;  // the record opens on a fall by the threshold before any cycle starts
  bool passedOver = false;    // the rise stood at the threshold or more before the signal first reached the level
  double start = 0.0;         // the open cycle's threshold crossing, in ticks between samples
  int32_t lowTick = 0;        // the last sample outside a cycle whose average lay at or below the trough, or where
                              // the cycle before ended: where the open cycle's rise began
  double startLevel = 0.0;    // the trough the open cycle rose from
  double extreme = 0.0;       // the open cycle's largest signal times the polarity so far
  int32_t extremeTick = 0;    // the sample of that level (the first of equal ones)
  double smoothExtreme = 0.0;  // the open cycle's largest average so far
  int32_t smoothExtremeTick = 0;  // the sample of that average
  double settledExtreme = 0.0;  // the open cycle's extreme as it stood at that sample
  int32_t settledExtremeTick = 0;
  double smoothDip = 0.0;     // the open cycle's lowest average since its highest
  int32_t smoothDipTick = 0;  // the sample of that average
  double dipTop = 0.0;        // the highest average it fell from
  int32_t dipTopTick = 0;     // its sample
  double dipExtreme = 0.0;    // the open cycle's extreme as it stood at that sample
  int32_t dipExtremeTick = 0;
  bool dipKept = false;       // the average has risen from that lowest past the highest it fell from, sooner than
                              // it fell: the lowest stays while that rise is the quicker
  double risen = 0.0;         // the largest signal since that lowest (the next current's, if it ends the cycle)
  int32_t risenTick = 0;
  double lastStart = -1e300;  // the previous cycle's start
  // The fall of the last cycle that ended by falling the threshold from its highest, while it lasts (RecordFall)
  // and no cycle has started: where a swing the other way riding on it may lie.
  bool afterFall = false;
  int32_t fellFromTick = 0;     // that highest average's sample
  double fellFromLevel = 0.0;   // and level
  double fellEndLevel = 0.0;    // the trough that cycle rose from: the record ends at it
  bool fellHalf = false;        // the fall has come down to half the cycle's height
  double fellHalvings = 1.0;    // the halvings of the cycle's height down to the threshold
  int32_t fellUntil = 0;        // the record's last sample: that many times the fall's time to half, or a baseline
  double fellStepsPerUnit = 0.0;  // the fall is recorded in steps down from fellFromLevel: so many per unit
  std::array<int32_t, kFallSteps> fellAt;  // the last sample of the fall at each step (-1: none)
  bool swingCandidate = false;  // the open cycle rose out of that fall
  // The last cycle came back within the hysteresis of where it rose from with no top of its own, and the trough has
  // not come back down to there since, for up to a baseline span: the course it rose on may be rising still, and a
  // cycle starting now is one event with it (ScanCycles).
  bool riseOpen = false;
  double riseOpenLevel = 0.0;   // the trough that cycle rose from
  int32_t riseOpenTick = 0;     // where it crossed the threshold
  int32_t riseOpenUntil = 0;    // the last sample it is open at
  bool continued = false;       // the open cycle started while a rise was open, after the interval
};

// Feeds samples[0, count), the first at state.nextTick. Work on the signal times the polarity, so that cycles rise. A
// cycle starts where the rise of the mean of the sample and the one before (which halves the chance of a noise peak)
// above the trough crosses the threshold upwards, placed by linear interpolation between the two samples. A cycle that
// starts sooner than the minimum interval after the previous counted start is one event with that one: a counted cycle
// is held until the interval has passed, and takes the extreme of any cycle that started within it where that is
// larger. The trough is the lowest of the signal averaged over the last few samples, rising by at most
// troughRisePerTick thresholds a tick, so that it follows a drift and the fall of an earlier cycle, while noise starts
// no cycle; below where the last cycle rose from it falls as slowly, and a swing more than the threshold below that
// holds it there, so that the return of a swing the other way starts none (a swing that settles at one level for kSettleRiseTimes
// rise times is a new level); with no baseline it is 0. A cycle ends once its average has fallen by the threshold
// from the average's highest, or has not risen above that for the minimum interval, nor for as long as its rise would
// take to get there from the level it rose from at the pace at which it crossed the threshold (a step to a new level; a
// shorter pause, a notch or a shoulder on a slow rise, is part of the rise; the next rise is timed from where the
// cycle ended); where the
// signal then stands above the extreme it had at the average's highest, it is on the rise of a current starting as
// the cycle settles, which the lagging average has not followed yet: the cycle keeps that extreme), or once
// the signal and its average are back below threshold x (1 - hysteresis) over the trough it rose from. A cycle
// whose average fell from its highest for longer than it had risen to it from the trough (a top of its own), and
// then rises again, in less time than it fell, to more than the threshold above that highest, is on the next
// current's rise: it ends with the extreme it had at its lowest in between, and the next cycle starts there, its
// rise measured from that lowest. A cycle that comes back within the hysteresis of the trough it rose from, neither
// its average nor its signal having fallen by the threshold from their highest, showed no top of its own: until the
// trough is back down where it rose from (or as far above as a drift it follows could have gone since), within a
// baseline span, the next cycle is one event with it, as within the interval: a noise peak crossing early on a slow
// rise, and the rise crossing again, are one event. So a current starting on an earlier one's top or fall before that
// has fallen by the threshold is an event of its own, never that one's extreme; a brief dip on a rise (a notch), one that comes
// back as slowly as it fell, and a return to a top no higher by the threshold, end no cycle. A cycle that rises out of
// an earlier one's fall, before that is back at the trough or, at the pace it fell to half its height, would be back
// within the threshold of it, to no higher than its highest, by then, and more slowly than the fall came down from the
// level it reaches, is the return of a swing the other way riding on that one (SwingReturn): no event, and it lends
// nothing. Each cycle is appended to found at its extreme, the sample of its largest level (the peak of an upward
// cycle, the trough of a downward one; fraction 0), its value the extreme's height over the trough it rose from, signed
// as the signal. A relative threshold's noise is measured by state.noise about the trough on the quiet samples (outside
// events, the trough keeping its pace and the average within 2.5 SD of it), every sample counting to its groups' ends;
// no cycle is dropped for what it measures later. To the gauge an event, a cycle or a swing the other way, lasts from
// its start until the average is back within 2.5 SD of the trough (a swing's, back up at the trough: its tail below a
// trough held at the floor is no noise, and lifted a burst's measure up to twice), and its samples are left out, but
// for the groups in which cycles that start within the minimum interval after the one before (one event with it) start
// again and again: a noise that has outgrown the measure (NoiseGauge), whereas trains and bursts of either sign are
// events the interval keeps apart, and a swing's return starts none. The first CycleRunInSamples samples give its first
// measure about their median, and are then searched from the level it measured; until the signal moves no cycle starts,
// nor until it has first come back within the cycles' end of that level (a record that opens within an event: what
// rises on that event belongs to it).
void ScanCycles(CycleScanState& state, const CycleRules& rules, const float* samples, int32_t count,
                std::vector<CycleEventRecord>& found);

// At the record's end: searches a run-in not yet searched and appends the cycle still open, at its extreme.
void FinishCycles(CycleScanState& state, const CycleRules& rules, std::vector<CycleEventRecord>& found);

// The first tick at which a cycle not yet appended may lie: a held cycle's, the open cycle's extreme where its
// average last rose or at its lowest since (the earlier), or, outside a cycle, the last sample fed, where a cycle
// that the next sample starts takes its extreme when that sample is the larger of its crossing pair. What the
// enumerator reports as examined: the chain's stages move past it, and a cycle reported before it would be lost to
// them.
int32_t PendingCycleTick(const CycleScanState& state);

// True when a relative threshold cannot measure the noise of a record of count samples (fewer than
// NoiseGauge::LeastTicks of its baseline span): the scan starts no cycle in it.
bool TooShortToMeasure(const CycleRules& rules, int32_t count);

// True when the record opens within an event, whose start lies before the record and which is not found: the scan
// passes over its first samples until the signal has come back to the level its run-in measured (ScanCycles), and
// the signal's rise above that level reaches the threshold before then (on the event's rise as on its fall); or,
// within kCycleOpeningSamples of its first sample, the signal falls by the threshold before any cycle starts.
bool OpensWithinEvent(const CycleRules& rules, const float* samples, int32_t count);

}  // namespace host
