// What the measurement plug-ins read about the current event: its record, the parameters and the time base.
#pragma once

#include <cmath>
#include <cstdint>

#include "base/TickConversion.h"
#include "enumerators/calcbulk/plugins/BulkParams.h"
#include "enumerators/calcbulk/plugins/SmoothingPoints.h"
#include "base/EventRecords.h"

namespace ZR::Enum::CalcBulk {

// Non-owning view built by the stage for each plug-in call; ticks are offsets in the
// record being read, the period is seconds per tick.
struct MeasureInput {
  const EventBCalcBase2* event = nullptr;
  const BulkParams* params = nullptr;
  double period = 1.0;
  SmoothingPoints smoothing;
  int32_t origin = 0;  // tick from which "TStart" counts (the region's start in its first record)

  // The stimulus for evoked responses and population spikes, else the peak's start tick.
  int32_t Anchor() const noexcept {
    const int32_t type = params->analysisType;
    return type == kEvokedResponse || type == kPopulationSpike ? event->stimulusTick
                                                               : event->peakStartTick;
  }
  int32_t MsToTicks(double ms) const noexcept { return ::MsToTicks(ms, period); }
};

// Half-open tick range [start, end) of samples a plug-in wants.
struct TickRange {
  int32_t start = 0;
  int32_t end = 0;
};

// A float measurement slot from a double: the stage's no-value pattern when the value is
// not finite, else the value rounded to single precision. Inline: every event writes dozens of them.
inline void WriteMeasurement(float& slot, double value) noexcept {
  if (!std::isfinite(value)) {
    SetStageNoValue(slot);
    return;
  }
  slot = static_cast<float>(value);
  if (!std::isfinite(slot))
    SetStageNoValue(slot);
}

}  // namespace ZR::Enum::CalcBulk
