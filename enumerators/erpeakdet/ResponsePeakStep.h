// The resumable step of the evoked-response peak detector: passes each stimulus on and then looks for at most one
// peak in a search window after it.
#pragma once

#include <cstdint>

#include "base/EventRecords.h"
#include "enumerators/framework/StageCursors.h"
#include "enumerators/stimrest/StimulusRest.h"

namespace ZR::Enum::ERPeakDet {

// The window in ticks after the stimulus (not clamped: a negative start begins at the stimulus, an end before the
// start is moved to the start). The height is the minimum rise before the peak and fall after it, in the
// channel's units; both tests are inclusive.
// The artefact's rule (StimulusRest.h) takes rest from the restTicks before the artefact, looking back lookTicks at
// most, and holds a peak until artefactTicks after the stimulus; artefactTicks -1 leaves every confirmed peak.
struct StepSettings {
  double height = 1e-30;
  int32_t searchStartTicks = 0;
  int32_t searchEndTicks = 1000000;
  int32_t restTicks = 40;
  int32_t lookTicks = 80;
  int32_t artefactTicks = -1;
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
  Rest::StimulusRest rest;   // before the current stimulus
  int32_t restFrom = -1;     // its first sample: after the event before, lookTicks before the stimulus at most
  int32_t lastEventTick = -1;  // the last stimulus or peak written, -1 before the first
  bool held = false;         // a confirmed peak waits for the artefact's end
};

// One call: true with one record in out (the stimulus, kind 1, or its peak, kind 2), false when it must wait for
// samples or stimuli (call again) or the record is finished. Of two equal highest samples the later is the
// peak; the window bounds the peak's tick, not its fall; the next stimulus ends the search of the previous one. A
// peak the signal falls back to rest from within artefactTicks of the stimulus is the artefact's (StimulusRest.h):
// the search restarts at the sample back at rest; a confirmed peak is held until then, and one still held when the
// next stimulus comes is written.
bool Step(StepState& s, const StepSettings& p, StepFrame& frame, SampleCursor& channel,
          EventCursor<EventPkStm>& stimuli, EventPkStm& out);

}  // namespace ZR::Enum::ERPeakDet
