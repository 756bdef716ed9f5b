// The measurements the full measurement stage writes itself: peak, rise and fall, timing and plateaus.
#include "enumerators/calcbulk/EventMeasurer.h"

#include <cmath>

namespace ZR::Enum::CalcBulk {

namespace {

double Seconds(int64_t ticks, double period) { return static_cast<double>(ticks) * period; }

// Time and slope between two crossings of one side; no value unless both were found in order.
void WriteSide(const Crossing& from, const Crossing& to, double period, float& time, float& slope) {
  if (!from.found || !to.found || to.tick < from.tick) {
    SetStageNoValue(time);
    SetStageNoValue(slope);
    return;
  }
  const double seconds = Seconds(static_cast<int64_t>(to.tick) - from.tick, period);
  WriteMeasurement(time, seconds);
  WriteMeasurement(slope, (static_cast<double>(to.value) - from.value) / seconds);
}

void WriteOrNoValue(bool ok, float& slot, double value) {
  if (ok)
    WriteMeasurement(slot, value);
  else
    SetStageNoValue(slot);
}

}  // namespace

void EventMeasurer::WriteOwnMeasurements(const MeasureParams& params, EventFCalc& out) const {
  const EventBCalcBase2& e = mInput;
  const bool valid = std::isfinite(e.value);
  const double period = params.period;
  const bool stimulus = e.stimulusTick >= 0;
  out.count = mEventCount;
  WriteOrNoValue(valid, out.timeToPeak, Seconds(static_cast<int64_t>(e.maxTick) - e.peakStartTick, period));
  WriteOrNoValue(valid, out.aPeak, e.maxValue);
  WriteOrNoValue(valid, out.height, static_cast<double>(e.maxValue) - e.baseline);
  if (valid) {
    WriteSide(mRiseStart, mRiseEnd, period, out.tRise, out.slopeRise);
    WriteSide(mFallStart, mFallEnd, period, out.tFall, out.slopeFall);
  } else {
    for (float* slot : {&out.tRise, &out.slopeRise, &out.tFall, &out.slopeFall})
      SetStageNoValue(*slot);
  }
  WriteOrNoValue(valid && stimulus, out.measurement51,
                 Seconds(static_cast<int64_t>(e.tick) - e.stimulusTick, period));
  WriteOrNoValue(valid && stimulus, out.latency,
                 Seconds(static_cast<int64_t>(e.peakStartTick) - e.stimulusTick, period));
  WriteOrNoValue(valid && e.plateauCentreTick >= 0, out.plateauV2, mPlateau2Sum / mPlateau2Count);
  WriteOrNoValue(valid && e.midPlateauTick >= 0, out.plateauV1, mPlateau1Sum / mPlateau1Count);
  WriteOrNoValue(valid && mPreviousEventTick >= 0, out.period,
                 Seconds(static_cast<int64_t>(e.tick) - mPreviousEventTick, period));
}

}  // namespace ZR::Enum::CalcBulk
