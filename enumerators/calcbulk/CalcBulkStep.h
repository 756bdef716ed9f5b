// The resumable step of the full measurement stage: one EventFCalc per EventBCalcBase2 input record.
#pragma once

#include <cstdint>

#include "enumerators/framework/StageCursors.h"
#include "enumerators/calcbulk/EventMeasurer.h"
#include "enumerators/calcbulk/MeasureParams.h"
#include "base/EventRecords.h"

namespace ZR::Enum::CalcBulk {

enum class Phase : int32_t { New = 0, WaitEvent = 1, Measure = 2 };

// Copyable for checkpoints: the measurer clones its plug-ins.
struct StepState {
  int32_t position = 0;  // lowest tick at which the next event may still lie; only rises
  Phase phase = Phase::New;
  EventMeasurer measurer;
};

// Takes the next input event (unless it lies at or beyond frame.stepEnd), reads the
// channel once from the event's search start (seeking forward only) up to the last tick
// any measurement needs, and writes its record into out. Returns false without a record
// when the frame is final or no input event is available yet. The smoothing points in
// params must be set for this call.
bool Step(StepState& s, const MeasureParams& params, StepFrame& frame, SampleCursor& channel,
          EventCursor<EventBCalcBase2>& events, EventFCalc& out);

}  // namespace ZR::Enum::CalcBulk
