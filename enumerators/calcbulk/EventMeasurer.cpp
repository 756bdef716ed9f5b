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

namespace {

// Index in [0, count) of the block's first sample at or after tick `from`, or count.
int32_t IndexFrom(int32_t firstTick, int32_t count, int32_t from) {
  const int64_t offset = static_cast<int64_t>(from) - firstTick;
  return offset <= 0 ? 0 : offset >= count ? count : static_cast<int32_t>(offset);
}

// Sets c to the first sample from index `begin` on whose signed value reaches the level (at or above when
// rising, at or below when falling), unless c was found before.
template <bool Rising>
void FindCrossing(Crossing& c, double p, double level, int32_t firstTick, const float* values, int32_t begin,
                  int32_t count) {
  if (c.found)
    return;
  for (int32_t i = begin; i < count; ++i) {
    const double pv = p * values[i];
    if (Rising ? pv >= level : pv <= level) {
      c = Crossing{firstTick + i, values[i], true};
      return;
    }
  }
}

// Adds the samples of the block inside the half-open window [centre - width/2, centre + width/2), width/2
// truncated toward zero, to sum and count, in order.
void SumWindow(double& sum, int32_t& n, int32_t centre, int32_t width, int32_t firstTick, const float* values,
               int32_t count) {
  const int64_t half = width / 2;
  const int64_t lo = centre - half - static_cast<int64_t>(firstTick);
  const int64_t hi = centre + half - static_cast<int64_t>(firstTick);
  const int32_t begin = lo <= 0 ? 0 : lo >= count ? count : static_cast<int32_t>(lo);
  const int32_t end = hi <= 0 ? 0 : hi >= count ? count : static_cast<int32_t>(hi);
  for (int32_t i = begin; i < end; ++i)
    sum += values[i];
  if (end > begin)
    n += end - begin;
}

}  // namespace

void EventMeasurer::TrackCrossings(int32_t firstTick, const float* values, int32_t count) {
  const double p = mInput.polarity;
  const int32_t fromStart = IndexFrom(firstTick, count, mInput.peakStartTick);
  const int32_t fromPeak = IndexFrom(firstTick, count, mInput.tick);
  FindCrossing<true>(mRiseStart, p, mSignedLevel1, firstTick, values, fromStart, count);
  FindCrossing<true>(mRiseEnd, p, mSignedLevel2, firstTick, values, fromStart, count);
  FindCrossing<false>(mFallStart, p, mSignedLevel2, firstTick, values, fromPeak, count);
  FindCrossing<false>(mFallEnd, p, mSignedLevel1, firstTick, values, fromPeak, count);
}

void EventMeasurer::SumPlateaus(const MeasureParams& params, int32_t firstTick, const float* values,
                                int32_t count) {
  SumWindow(mPlateau2Sum, mPlateau2Count, mInput.plateauCentreTick, params.plateauWidthTicks, firstTick, values,
            count);
  SumWindow(mPlateau1Sum, mPlateau1Count, mInput.midPlateauTick, params.pltWidthTicks, firstTick, values, count);
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
