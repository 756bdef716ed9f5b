// Level crossings at 10 % steps of the height: widths, repolarization durations and the event's extent.
#include "enumerators/calcbulk/plugins/CalcWidths.h"

#include <cmath>

#include "base/TickConversion.h"

namespace ZR::Enum::CalcBulk {

namespace {

// A tick difference in seconds.
double Seconds(int32_t later, int32_t earlier, double period) {
  return (static_cast<double>(later) - static_cast<double>(earlier)) * period;
}

// APD at j x 10 % as just written; false when j is outside 1..9 or the APD has no value.
bool ApdAt(const EventFCalc& out, int32_t j, double& apd) {
  if (j < 1 || j > 9 || IsNoValue(out.apdPercent[j - 1]))
    return false;
  apd = out.apdPercent[j - 1];
  return true;
}

}  // namespace

bool CalcWidths::IsActive(const MeasureInput& in) const noexcept {
  return in.event->peakStartTick >= 0 && std::isfinite(in.event->value);
}

TickRange CalcWidths::Range(const MeasureInput& in) const noexcept {
  return TickRange{in.event->peakStartTick, mRangeEnd};
}

void CalcWidths::Begin(const MeasureInput& in) noexcept {
  const EventBCalcBase2& e = *in.event;
  for (int k = 0; k < kLevels; ++k) {
    mFirst[k] = kNoTick;
    mLast[k] = kNoTick;
    const double fraction = k * 0.1;
    const double level = fraction * e.value + (1.0 - fraction) * e.baseline;
    mSignedLevel[k] = e.polarity * level;
  }
  const int32_t endIncluded = AddTicksSat(e.peakEndTick, 1);
  mRangeEnd = endIncluded < e.limitTick ? endIncluded : e.limitTick;
}

// Before the peak, a level's first tick is one past the last sample below it, or the first sample seen
// when none ever was; after it, a level's last tick is the first sample at or below it. So each level
// needs only a backward search of the samples before the peak and a forward one of those from it on,
// which stop at the crossing, instead of every level at every sample.
void CalcWidths::Add(const MeasureInput& in, int32_t firstTick, const float* v, int32_t n) noexcept {
  const int32_t peakTick = in.event->tick;
  const double p = in.event->polarity;
  const int64_t beforePeak = static_cast<int64_t>(peakTick) - firstTick;
  const int32_t rise = beforePeak <= 0 ? 0 : beforePeak >= n ? n : static_cast<int32_t>(beforePeak);
  if (rise > 0) {
    for (int k = 1; k < kLevels; ++k) {
      const double level = mSignedLevel[k];
      int32_t i = rise - 1;
      while (i >= 0 && !(p * v[i] < level))
        --i;
      if (i >= 0)
        mFirst[k] = firstTick + i + 1;
      else if (mFirst[k] == kNoTick)
        mFirst[k] = firstTick;
    }
  }
  for (int k = 0; k < kLevels; ++k) {
    if (mLast[k] != kNoTick)
      continue;
    const double level = mSignedLevel[k];
    int32_t i = rise;
    while (i < n && !(p * v[i] <= level))
      ++i;
    if (i < n)
      mLast[k] = firstTick + i;
  }
}

void CalcWidths::Write(const MeasureInput& in, EventFCalc& out) const noexcept {
  const bool active = IsActive(in);
  int32_t last0 = mLast[0];
  if (last0 == kNoTick && in.event->peakEndTick > 0)
    last0 = in.event->peakEndTick;
  WriteLevelWidths(in, active, out);
  WriteExtent(in, active, last0, out);
  out.calcTick1 = mFirst[5];
  out.calcTick2 = mLast[5];
}

void CalcWidths::WriteLevelWidths(const MeasureInput& in, bool active, EventFCalc& out) const noexcept {
  const int32_t s = in.event->peakStartTick;
  for (int k = 1; k < kLevels; ++k) {
    const bool ok = active && mFirst[k] >= 0 && mLast[k] >= 0 && mLast[k] > mFirst[k];
    if (ok)
      WriteMeasurement(out.widthPercent[k - 1], Seconds(mLast[k], mFirst[k], in.period));
    else
      SetStageNoValue(out.widthPercent[k - 1]);
  }
  for (int m = 1; m < kLevels; ++m) {
    const int32_t last = mLast[10 - m];
    if (active && last >= 0)
      WriteMeasurement(out.apdPercent[m - 1], Seconds(last, s, in.period));
    else
      SetStageNoValue(out.apdPercent[m - 1]);
  }
  // A percentage outside 10..99 names no APD: the triangulation then has no value.
  double apdEnd = 0.0;
  double apdStart = 0.0;
  const bool ok = active && ApdAt(out, in.params->triangulationEndPercent / 10, apdEnd) &&
                  ApdAt(out, in.params->triangulationStartPercent / 10, apdStart);
  if (ok)
    WriteMeasurement(out.triangulation, apdEnd - apdStart);
  else
    SetStageNoValue(out.triangulation);
}

void CalcWidths::WriteExtent(const MeasureInput& in, bool active, int32_t last0,
                             EventFCalc& out) const noexcept {
  const EventBCalcBase2& e = *in.event;
  const int32_t s = e.peakStartTick;
  const int32_t end = e.peakEndTick;
  const bool hasExtent = active && last0 >= 0;
  if (hasExtent)
    WriteMeasurement(out.width, Seconds(end, s, in.period));
  else
    SetStageNoValue(out.width);
  if (active)
    WriteMeasurement(out.tStart, Seconds(s, in.origin, in.period));
  else
    SetStageNoValue(out.tStart);
  if (hasExtent && !IsNoValue(out.width) && !IsNoValue(out.tStart))
    WriteMeasurement(out.tEnd, static_cast<double>(out.width) + static_cast<double>(out.tStart));
  else
    SetStageNoValue(out.tEnd);
  const bool wholePeak = active && end > s;
  if (wholePeak && e.ahpEndTick >= 0)
    WriteMeasurement(out.ahpWidth, Seconds(e.ahpEndTick, end, in.period));
  else
    SetStageNoValue(out.ahpWidth);
  if (wholePeak && !IsNoValue(out.ahpWidth) && !IsNoValue(out.width))
    WriteMeasurement(out.apdTot, static_cast<double>(out.ahpWidth) + static_cast<double>(out.width));
  else
    SetStageNoValue(out.apdTot);
}

}  // namespace ZR::Enum::CalcBulk
