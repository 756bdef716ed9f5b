// The fixed-size event records the enumerators hand each other, the tick-and-fraction position and the
// measurement index by which a measurement is read out of a full record.
#pragma once

#include <cstdint>

#include "base/NoValue.h"

// A position in the recording: tick offset first, record (block) index second.
struct TickPosition {
  int32_t tick = 0;
  int32_t record = 0;
  constexpr TickPosition() noexcept = default;
  constexpr TickPosition(int32_t recordIndex, int32_t tickOffset) noexcept : tick(tickOffset), record(recordIndex) {}
};
static_assert(sizeof(TickPosition) == 8, "TickPosition is two int32");

// An event's place between samples: whole tick and the rest. From a double t: tick = trunc(t + 0.5) (saturating),
// fraction = t - tick rounded to float; so 2.5 gives (3, -0.5) and -0.7 gives (0, -0.7).
struct TickFraction {
  int32_t tick = 0;
  float fraction = 0.0f;
  void Set(double t) noexcept;
  void Clear() noexcept { tick = 0; fraction = 0.0f; }
  double Position() const noexcept { return static_cast<double>(tick) + static_cast<double>(fraction); }
};
static_assert(sizeof(TickFraction) == 8, "TickFraction is the first 8 bytes of every record");

enum EventKind : int32_t { kEventEmpty = 0, kEventStimulus = 1, kEventPeak = 2, kEventCalc = 3 };

// Detector output (24 bytes). Every later record begins with this layout, and every record's first 8 bytes are
// its TickFraction.
struct EventPkStm {
  int32_t tick = 0;
  float fraction = 0.0f;
  double value = 0.0;  // peak: the detector's float height widened; stimulus: 1.0
  int32_t kind = kEventEmpty;
  int32_t pad20 = 0;

  static EventPkStm Empty() noexcept { return EventPkStm(); }
  static EventPkStm Stimulus(double t) noexcept;
  static EventPkStm Peak(double t, const float& height) noexcept;

  void SetPosition(double t) noexcept;
  void ClearPosition() noexcept { tick = 0; fraction = 0.0f; value = 0.0; }
  double Position() const noexcept { return static_cast<double>(tick) + static_cast<double>(fraction); }
};

// Baseline stage output (48 bytes).
struct EventBCalcBase : EventPkStm {
  int32_t stimulusTick = kNoTick;
  int32_t baseStartTick = kNoTick;
  int32_t baseEndTick = kNoTick;
  float baseline;  // no value until measured
  float polarity = 1.0f;
  int32_t pad44 = 0;

  EventBCalcBase() noexcept;
  // The tick from which a later stage searches this event's extent.
  int32_t SearchStart() const noexcept;
  // Its baseline is its own peak sample: a peak of the noise on the course it stands on, whose rise the baseline
  // search found nowhere. It ends the event before it and is no event itself.
  bool RoseFromNowhere() const noexcept;
};

// Extreme stage output (72 bytes).
struct EventBCalcMax : EventBCalcBase {
  float maxValue = -1.0f;
  int32_t maxTick = kNoTick;
  int32_t peakStartTick = kNoTick;
  int32_t peakEndTick = kNoTick;
  int32_t limitTick = kNoTick;  // first tick of the next event, or kRecordEndOffset
  int32_t pad68 = 0;

  // End tick of the event's extent, used for its duration.
  int32_t SpanEnd() const noexcept;
};

// Second baseline stage output (112 bytes).
struct EventBCalcBase2 : EventBCalcMax {
  float lowestSample;
  float highestSample;
  int32_t tauFitStartTick = kNoTick;
  int32_t tauFitEndTick = kNoTick;
  float tailOvershoot;
  int32_t ahpEndTick = kNoTick;
  int32_t midPlateauTick = kNoTick;
  int32_t plateauCentreTick = kNoTick;
  int32_t spikeTroughTick = kNoTick;
  int32_t spikePeak2Tick = kNoTick;

  EventBCalcBase2() noexcept;
  // Clears the position and sets every field to its default except kind and plateauCentreTick.
  void Reset() noexcept;
};

// Full measurement record (344 bytes). Slots are named after their measurement; widths and APDs 10..90 %
// are arrays indexed (percent / 10 - 1).
struct EventFCalc : EventBCalcBase2 {
  int32_t count = -1;
  float tStart, timeToPeak, aPeak, height, area, tau;
  float tauAmplitude, tauAsymptote;  // tau fit results, kept by ClearResults
  float measuredValue, latency, slope;
  float slopeIntercept;  // slope fit intercept, kept by ClearResults
  float measurement51, maxSlope, minSlope, tMaxSlope, tMinSlope, aMaxSlope, aMinSlope;
  float width, widthPercent[9], period, apdPercent[9];
  float tRise, tFall, slopeRise, slopeFall, maxNegSlope, triangulation, plateauV1, plateauV2;
  float popSpikeHeight, popSpikeArea, ahpWidth, ahpArea, apdTot, peakArea, tEnd;
  int32_t calcTick1 = kNoTick;  // half-height crossing of the rise
  int32_t calcTick2 = kNoTick;  // half-height crossing of the fall
  int32_t pad340 = 0;

  EventFCalc() noexcept;
  // count -1 and every measurement slot cleared to 0x7F886000.
  void ClearResults() noexcept;
  // The measurement of that index as stored (no-value bits included), by bits; see MeasurementIndex.
  uint32_t GetValueBitsByIndex(int32_t index) const noexcept;
  void GetValueByIndex(int32_t index, float& out) const noexcept;
  // The float slot of a measurement index, or null for indexes without a float slot of their own
  // (1, 6, 7, 8, 22, 58, out of range). Baseline (2) and TailOvershoot (21) point into the head.
  float* MeasurementSlot(int32_t index) noexcept;
  const float* MeasurementSlot(int32_t index) const noexcept;
};

static_assert(sizeof(EventPkStm) == 24, "detector record size");
static_assert(sizeof(EventBCalcBase) == 48, "baseline record size");
static_assert(sizeof(EventBCalcMax) == 72, "extreme record size");
static_assert(sizeof(EventBCalcBase2) == 112, "second baseline record size");
static_assert(sizeof(EventFCalc) == 344, "full record size");

// The numbers by which measurements are read from EventFCalc; also the parameter ids of the measurement catalogue.
enum class MeasurementIndex : int32_t {
  TStart = 0, Count = 1, Baseline = 2, TimeToPeak = 3, APeak = 4, Height = 5,
  Width = 9, Area = 10, MaxSlope = 11, MinSlope = 12, TMaxSlope = 13, TMinSlope = 14,
  AMaxSlope = 15, AMinSlope = 16, TRise = 17, TFall = 18, SlopeRise = 19, SlopeFall = 20,
  TailOvershoot = 21, Width10 = 23, Width20 = 24, Width30 = 25, Width40 = 26, Width50 = 27,
  Width60 = 28, Width70 = 29, Width80 = 30, Width90 = 31, Period = 32, Tau = 33,
  APD10 = 34, APD20 = 35, APD30 = 36, APD40 = 37, APD50 = 38, APD60 = 39, APD70 = 40,
  APD80 = 41, APD90 = 42, Triangulation = 43, PlateauV1 = 44, PlateauV2 = 45, Value = 46,
  Latency = 47, Slope = 48, PopSpikeHeight = 49, PopSpikeArea = 50, Measurement51 = 51,
  MaxNegSlope = 52, AHPWidth = 53, AHPArea = 54, APDtot = 55, PeakArea = 56, TEnd = 57,
  TimeDate = 58,
};
inline constexpr int32_t kMeasurementIndexCount = 59;
