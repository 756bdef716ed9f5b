// The resumable step of the evoked-response peak detector: passes each stimulus on and then looks for at most one
// peak in a search window after it.
#pragma once

#include <cstdint>

#include "base/EventRecords.h"
#include "enumerators/framework/StageCursors.h"

namespace ZR::Enum::ERPeakDet {

// The window in ticks after the stimulus (not clamped: a negative start begins at the stimulus, an end before the
// start is moved to the start). The height is the minimum rise before the peak and fall after it, in the
// channel's units; both tests are inclusive.
struct StepSettings {
  double height = 1e-30;
  int32_t searchStartTicks = 0;
  int32_t searchEndTicks = 1000000;
};

enum class Phase : int32_t { New = 0, TakeStimulus = 1, StartSearch = 2, Search = 3 };

struct StepState {
  int32_t position = 0;  // lowest tick at which the next record may still lie
  int32_t searchStart = 0;
  int32_t searchEnd = 0;
  int32_t stimTick = 0;
  int32_t peakTick = 0;  // highest sample since the search last restarted
  float peakValue = 0.0f;
  float troughValue = 0.0f;  // lowest sample since then
  Phase phase = Phase::New;
};

// One call: true with one record in out (the stimulus, kind 1, or its peak, kind 2), false when it must wait for
// samples or stimuli (call again) or the record is finished. Of two equal highest samples the later is the
// peak; the window bounds the peak's tick, not its fall; the next stimulus ends the search of the previous one.
bool Step(StepState& s, const StepSettings& p, StepFrame& frame, SampleCursor& channel,
          EventCursor<EventPkStm>& stimuli, EventPkStm& out);

}  // namespace ZR::Enum::ERPeakDet
