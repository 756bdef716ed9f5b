// Where a measured event's span starts and ends.
#include "document/EventSpan.h"

#include <algorithm>

namespace ZR::Doc {

int32_t EventSpanStart(const EventFCalc& e) noexcept {
  const int32_t earlier = std::min(e.stimulusTick, e.baseStartTick);
  if (earlier >= 0) return earlier;
  if (e.stimulusTick >= 0) return e.stimulusTick;
  return e.baseStartTick >= 0 ? e.baseStartTick : e.tick;
}

int32_t EventSpanEnd(const EventFCalc& e) noexcept {
  if (e.stimulusTick >= 0 || e.baseStartTick >= 0) return e.SpanEnd();
  return e.peakStartTick >= 0 && e.peakEndTick > e.peakStartTick ? e.peakEndTick : e.tick;
}

}  // namespace ZR::Doc
