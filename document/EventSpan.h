// Where a measured event's span starts and ends, for its duration and the plot's time range.
#pragma once

#include "base/EventRecords.h"

#include <cstdint>

namespace ZR::Doc {

// The earlier of the stimulus tick and the baseline start that exist; the event's own tick when
// neither does. Ticks of the event's record.
int32_t EventSpanStart(const EventFCalc& event) noexcept;
// The record's span end (EventBCalcMax::SpanEnd) when the event has a start of its own; without
// one that end would mirror tick -1, so only a found peak end counts, else the event's tick.
int32_t EventSpanEnd(const EventFCalc& event) noexcept;

}  // namespace ZR::Doc
