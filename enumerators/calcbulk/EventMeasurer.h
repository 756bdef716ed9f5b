// Measures one event of the full measurement stage from the samples streamed past it once.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "enumerators/calcbulk/CalcPlugin.h"
#include "enumerators/calcbulk/MeasureParams.h"
#include "base/EventRecords.h"

namespace ZR::Enum::CalcBulk {

class EventMeasurer;
using BulkPlugin = CalcPlugin<EventMeasurer, MeasureParams, EventFCalc>;

// A level crossing: the first sample reaching the level (never interpolated).
struct Crossing {
  int32_t tick = 0;
  float value = 0.0f;
  bool found = false;
};

// Per-event working state of the stage: the input record, its own crossings and plateau
// sums, and the nine measurement plug-ins (created in calling order, cloned with a copy).
// Use: Begin, then AddSamples over consecutive blocks from FirstTick() up to LastTick()
// (fewer when the channel has no more), then Finish.
class EventMeasurer {
 public:
  EventMeasurer();
  EventMeasurer(const EventMeasurer& other);
  EventMeasurer& operator=(const EventMeasurer& other);
  EventMeasurer(EventMeasurer&&) noexcept = default;
  EventMeasurer& operator=(EventMeasurer&&) noexcept = default;
  ~EventMeasurer() = default;

  // Starts a new record: no events measured, no previous event.
  void Restart() noexcept;
  void Begin(const EventBCalcBase2& event, const MeasureParams& params);
  int32_t FirstTick() const noexcept { return mInput.SearchStart(); }
  int32_t LastTick(const MeasureParams& params) const;
  void AddSamples(const MeasureParams& params, int32_t firstTick, const float* values, int32_t count);
  void Finish(const MeasureParams& params, EventFCalc& out);

  const EventBCalcBase2& input() const noexcept { return mInput; }
  int32_t eventCount() const noexcept { return mEventCount; }

 private:
  void TrackCrossings(int32_t firstTick, const float* values, int32_t count);
  void SumPlateaus(const MeasureParams& params, int32_t firstTick, const float* values, int32_t count);
  void WriteOwnMeasurements(const MeasureParams& params, EventFCalc& out) const;

  EventBCalcBase2 mInput;
  int32_t mEventCount = 0;
  int32_t mPreviousEventTick = kNoTick;
  Crossing mRiseStart, mRiseEnd, mFallStart, mFallEnd;
  double mSignedLevel1 = 0.0;  // polarity x rise start level
  double mSignedLevel2 = 0.0;  // polarity x rise end level
  double mPlateau2Sum = 0.0;
  int32_t mPlateau2Count = 0;
  double mPlateau1Sum = 0.0;
  int32_t mPlateau1Count = 0;
  std::vector<std::unique_ptr<BulkPlugin>> mPlugins;
};

// What the plug-ins see of the measurer's event and parameters.
MeasureInput MeasureInputOf(const EventMeasurer& state, const MeasureParams& params) noexcept;

}  // namespace ZR::Enum::CalcBulk
