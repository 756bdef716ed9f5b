// Measures one event of the full measurement stage from the samples streamed past it once.
#include "enumerators/calcbulk/EventMeasurer.h"

#include <cmath>

#include "base/TickConversion.h"
#include "enumerators/calcbulk/plugins/CalcAHPArea.h"
#include "enumerators/calcbulk/plugins/CalcArea.h"
#include "enumerators/calcbulk/plugins/CalcMaxNegSlope.h"
#include "enumerators/calcbulk/plugins/CalcMinMaxSlope.h"
#include "enumerators/calcbulk/plugins/CalcPeakArea.h"
#include "enumerators/calcbulk/plugins/CalcSlope.h"
#include "enumerators/calcbulk/plugins/CalcTau.h"
#include "enumerators/calcbulk/plugins/CalcValue.h"
#include "enumerators/calcbulk/plugins/CalcWidths.h"

namespace ZR::Enum::CalcBulk {

namespace {

template <class Kernel>
std::unique_ptr<BulkPlugin> MakePlugin() {
  return std::make_unique<KernelPlugin<Kernel, EventMeasurer, MeasureParams, EventFCalc>>();
}

// Half-open window [centre - width/2, centre + width/2), width/2 truncated toward zero.
bool InWindow(int32_t t, int32_t centre, int32_t width) {
  const int64_t half = width / 2;
  return t >= centre - half && t < centre + half;
}

}  // namespace

MeasureInput MeasureInputOf(const EventMeasurer& state, const MeasureParams& params) noexcept {
  MeasureInput in;
  in.event = &state.input();
  in.params = &params;
  in.period = params.period;
  in.smoothing = params.smoothing;
  in.origin = params.origin;
  return in;
}

EventMeasurer::EventMeasurer() {
  mPlugins.reserve(9);
  mPlugins.push_back(MakePlugin<CalcArea>());
  mPlugins.push_back(MakePlugin<CalcSlope>());
  mPlugins.push_back(MakePlugin<CalcValue>());
  mPlugins.push_back(MakePlugin<CalcWidths>());
  mPlugins.push_back(MakePlugin<CalcTau>());
  mPlugins.push_back(MakePlugin<CalcMinMaxSlope>());
  mPlugins.push_back(MakePlugin<CalcPeakArea>());
  mPlugins.push_back(MakePlugin<CalcAHPArea>());
  mPlugins.push_back(MakePlugin<CalcMaxNegSlope>());
}

EventMeasurer::EventMeasurer(const EventMeasurer& other)
    : mInput(other.mInput),
      mEventCount(other.mEventCount),
      mPreviousEventTick(other.mPreviousEventTick),
      mRiseStart(other.mRiseStart),
      mRiseEnd(other.mRiseEnd),
      mFallStart(other.mFallStart),
      mFallEnd(other.mFallEnd),
      mSignedLevel1(other.mSignedLevel1),
      mSignedLevel2(other.mSignedLevel2),
      mPlateau2Sum(other.mPlateau2Sum),
      mPlateau2Count(other.mPlateau2Count),
      mPlateau1Sum(other.mPlateau1Sum),
      mPlateau1Count(other.mPlateau1Count) {
  mPlugins.reserve(other.mPlugins.size());
  for (const auto& plugin : other.mPlugins)
    mPlugins.emplace_back(plugin->Clone());
}

EventMeasurer& EventMeasurer::operator=(const EventMeasurer& other) {
  if (this != &other) {
    EventMeasurer copy(other);
    *this = std::move(copy);
  }
  return *this;
}

void EventMeasurer::Restart() noexcept {
  mEventCount = 0;
  mPreviousEventTick = kNoTick;
}

void EventMeasurer::Begin(const EventBCalcBase2& event, const MeasureParams& params) {
  mInput = event;
  mRiseStart = mRiseEnd = mFallStart = mFallEnd = Crossing();
  mPlateau2Sum = mPlateau1Sum = 0.0;
  mPlateau2Count = mPlateau1Count = 0;
  const double base = event.baseline;
  const double height = event.value - base;
  mSignedLevel1 = event.polarity * (base + params.riseStartPercent * 0.01 * height);
  mSignedLevel2 = event.polarity * (base + params.riseEndPercent * 0.01 * height);
  for (auto& plugin : mPlugins)
    plugin->Begin(*this, params);
}

int32_t EventMeasurer::LastTick(const MeasureParams& params) const {
  int32_t last = AddTicksSat(mInput.peakEndTick, 2);
  for (const auto& plugin : mPlugins) {
    const int32_t end = plugin->GetRange(*this, params).end;
    if (end >= 0 && end > last)
      last = end;
  }
  return last < mInput.limitTick ? last : mInput.limitTick;
}

void EventMeasurer::AddSamples(const MeasureParams& params, int32_t firstTick, const float* values,
                               int32_t count) {
  if (count <= 0)
    return;
  if (std::isfinite(mInput.value)) {
    TrackCrossings(firstTick, values, count);
    SumPlateaus(params, firstTick, values, count);
  }
  for (auto& plugin : mPlugins)
    plugin->AddSamples(*this, params, firstTick, values, count);
}

void EventMeasurer::TrackCrossings(int32_t firstTick, const float* values, int32_t count) {
  const double p = mInput.polarity;
  const int32_t start = mInput.peakStartTick;
  const int32_t peak = mInput.tick;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t t = firstTick + i;
    const double pv = p * values[i];
    if (t >= start) {
      if (!mRiseStart.found && pv >= mSignedLevel1)
        mRiseStart = Crossing{t, values[i], true};
      if (!mRiseEnd.found && pv >= mSignedLevel2)
        mRiseEnd = Crossing{t, values[i], true};
    }
    if (t >= peak) {
      if (!mFallStart.found && pv <= mSignedLevel2)
        mFallStart = Crossing{t, values[i], true};
      if (!mFallEnd.found && pv <= mSignedLevel1)
        mFallEnd = Crossing{t, values[i], true};
    }
  }
}

void EventMeasurer::SumPlateaus(const MeasureParams& params, int32_t firstTick, const float* values,
                                int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    const int32_t t = firstTick + i;
    if (InWindow(t, mInput.plateauCentreTick, params.plateauWidthTicks)) {
      mPlateau2Sum += values[i];
      ++mPlateau2Count;
    }
    if (InWindow(t, mInput.midPlateauTick, params.pltWidthTicks)) {
      mPlateau1Sum += values[i];
      ++mPlateau1Count;
    }
  }
}

void EventMeasurer::Finish(const MeasureParams& params, EventFCalc& out) {
  ++mEventCount;
  static_cast<EventBCalcBase2&>(out) = mInput;
  out.ClearResults();
  WriteOwnMeasurements(params, out);
  mPreviousEventTick = std::isfinite(mInput.value) ? mInput.tick : kNoTick;
  for (auto& plugin : mPlugins)
    plugin->WriteResults(*this, params, out);
}

}  // namespace ZR::Enum::CalcBulk
