// The resumable step of the cardiac peak width filter: measures each baseline-stage event's width at half height
// on the channel and passes on, as a detector peak, only the events at least as wide as the minimum.
#pragma once

#include <cstdint>

#include "base/EventRecords.h"
#include "enumerators/framework/StageCursors.h"

namespace ZR::Enum::CalcCAPPeakWidthFilter {

struct StepSettings {
  int32_t minWidthTicks = 0;  // a width of exactly this many ticks passes
};

enum class Phase : int32_t { Start = 0, TakeEvent = 1, WaitContext = 2, Measure = 3, Decide = 4 };

struct StepState {
  int32_t position = 0;     // lowest tick at which the next record may still lie
  Phase phase = Phase::Start;
  EventBCalcBase event;     // the event being measured
  int32_t leftTick = -1;    // last sample at or below half height before the peak (-1 until found)
  int32_t rightTick = -1;   // first sample at or below half height at or after the peak (-1 until found)
};

// Width in ticks is rightTick - leftTick. "At or below" is seen from the event's polarity: for a negative-going
// event (polarity -1) it means at or above the half level. The right crossing is searched up to the next event's
// baseline end (or the record end); reaching that limit, or the end of the record's samples, puts the crossing
// there. The channel is read forward only, from where the previous event's measurement stopped. One call: true
// with the peak in out, false when it must wait for samples or events (call again) or the events are used up.
bool Step(StepState& s, const StepSettings& p, StepFrame& frame, SampleCursor& channel,
          EventCursor<EventBCalcBase>& events, EventPkStm& out);

}  // namespace ZR::Enum::CalcCAPPeakWidthFilter
