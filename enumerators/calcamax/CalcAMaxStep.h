// The resumable step of the extreme stage: the true extreme of each peak, the start-level crossing of its rise,
// the end-level crossing of its fall and the first tick of the next event.
#pragma once

#include <cstdint>

#include "enumerators/framework/StageCursors.h"
#include "base/EventRecords.h"

namespace ZR::Enum::CalcAMax {

struct StepSettings {
  int32_t startHeightPercent = 5;
  int32_t reposition = 1;  // 1 moves the event to the extreme
  int32_t endHeightPercent = 0;
  int32_t restTicks = 40;  // rest before a stimulus (StimulusRest.h) in ticks: its samples and how far back it is
  int32_t lookTicks = 80;  // looked for
};

enum class Phase : int32_t { Idle = 0, WaitEvent = 1, FindLimit = 2, SetUp = 3, Scan = 4, Finish = 5 };

struct StepState {
  int32_t position = 0;
  EventBCalcBase input;
  Phase phase = Phase::Idle;
  EventBCalcMax output;
  bool endFound = false;
  bool skipNext = false;  // the next event is the return of a current of the other sign riding on this one's rise
};

// Levels of one event, in double precision: baseline + percent x 0.01 x (value - baseline).
struct ScanLevels {
  double polarity = 1.0;
  double start = 0.0;  // polarity x start level
  double end = 0.0;    // polarity x end level
  bool valueIsNumber = true;
  int32_t peakTick = 0;
  int32_t baseEndTick = 0;
  bool startsAtBase = false;  // the start crossing is sought from the baseline's end only
};

// Scans samples v[0..count) at ticks firstTick..: the start crossing (restarting the extreme), the extreme and the
// end crossing, which stops the scan. Returns how many samples were passed (the end crossing sample is not).
int32_t ScanExtremeBlock(EventBCalcMax& out, bool& endFound, const ScanLevels& levels, const float* v,
                         int32_t firstTick, int32_t count) noexcept;

// An event after a stimulus ends where the next stimulus's artefact begins (StimulusRest.h), where that lies after
// its peak; every other event ends at the next event's first tick. An event after a stimulus starts no earlier than
// its baseline's end (rest's span runs to the response's foot): a start crossing before it is the artefact's rise.
// An event the next one's rise began before gave its peak to a dip, which the detector split the rise at. Where the
// signal came back out of the dip no slower than it fell into it, it was a notch, or a shoulder: the event gives no
// record, and the next one's, measured from the foot of the whole rise, holds it. Where it came back more slowly, it
// was a current of the other sign riding on the rise: the event's record ends where the signal fell half way into
// it, and its return, the next event, gives none.
bool Step(StepState& s, const StepSettings& p, StepFrame& frame, SampleCursor& channel,
          EventCursor<EventBCalcBase>& events, EventBCalcMax& out);

}  // namespace ZR::Enum::CalcAMax
