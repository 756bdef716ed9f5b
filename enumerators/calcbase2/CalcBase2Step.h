// The resumable step of the second baseline stage: mid-plateau crossings, the tau-fit window, the 10 % tick, the
// lowest and highest samples, the afterhyperpolarisation after the peak and the two plateau ticks.
#pragma once

#include <cstdint>

#include "enumerators/framework/StageCursors.h"
#include "base/EventRecords.h"

namespace ZR::Enum::CalcBase2 {

// Per cent of the height (value - baseline); the tau start level is never below the tau end level.
struct StepSettings {
  int32_t midPlateauPercent = 50;
  int32_t tauStartPercent = 50;
  int32_t tauEndPercent = 5;
  int32_t plateauCentrePercent = 50;  // of the way from the start tick to the 10 % tick
};

enum class Phase : int32_t { Idle = 0, WaitEvent = 1, SetUp = 3, Scan = 4, Finish = 5 };

struct StepState {
  int32_t position = 0;
  EventBCalcMax input;
  Phase phase = Phase::Idle;
  int32_t riseTick = kNoTick;
  int32_t fallTick = kNoTick;
  bool riseFound = false;
  bool fallFound = false;
  int32_t tenPercentTick = kNoTick;
  bool extremesSet = false;  // lowestSample and highestSample hold a sample read for this event
  EventBCalcBase2 output;
};

// Levels of one event as polarity x level, in double precision.
struct ScanLevels {
  double polarity = 1.0;
  double mid = 0.0;
  double tauStart = 0.0;
  double tauEnd = 0.0;
  double tenPercent = 0.0;
  double baseline = 0.0;  // polarity x baseline
  float baselineLevel = 0.0f;
  int32_t peakTick = 0;
  int32_t endTick = 0;
};

ScanLevels LevelsOf(const EventBCalcMax& input, const StepSettings& p) noexcept;

// Scans samples v[0..count) at ticks firstTick.. (all below the limit tick). Returns how many samples were passed;
// a sample back at the baseline after the end tick stops the scan and is not passed.
int32_t ScanBlock(StepState& s, const ScanLevels& levels, const float* v, int32_t firstTick, int32_t count) noexcept;

bool Step(StepState& s, const StepSettings& p, StepFrame& frame, SampleCursor& channel,
          EventCursor<EventBCalcMax>& events, EventBCalcBase2& out);

}  // namespace ZR::Enum::CalcBase2
