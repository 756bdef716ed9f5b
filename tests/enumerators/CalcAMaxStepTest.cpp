#include "enumerators/calcamax/CalcAMaxStep.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/enumerators/CalcStageCursors.h"

namespace {

using ZR::Enum::CalcAMax::StepSettings;
using ZR::Enum::CalcAMax::StepState;

std::vector<EventBCalcMax> RunAMax(const StepSettings& p, const std::vector<float>& v,
                                   const std::vector<EventBCalcBase>& events) {
  return calcstages::RunOffline<StepState, StepSettings, EventBCalcBase, EventBCalcMax>(ZR::Enum::CalcAMax::Step,
                                                                                        p, v, events);
}

EventBCalcBase Input(int32_t tick, double value, float baseline, float polarity, int32_t baseEnd) {
  EventBCalcBase e;
  e.tick = tick;
  e.value = value;
  e.baseline = baseline;
  e.polarity = polarity;
  e.baseStartTick = baseEnd - 1;
  e.baseEndTick = baseEnd;
  return e;
}

// sign x a triangle reaching 2.0 at tick 102 (zero outside 90..114); the detector placed the peak at 100.
std::vector<float> Triangle(float sign) {
  return calcstages::Samples(200, [sign](int32_t t) {
    const double d = std::abs(t - 102);
    return d < 12 ? sign * 2.0 * (1.0 - d / 12.0) : 0.0;
  });
}

// The detector's value is kept only when the scan found nothing farther from the baseline on the peak's side:
// a downward peak keeps its more negative extreme exactly as an upward peak keeps its higher one.
TEST(CalcAMaxStep, ExtremeComparedOnThePeaksSide) {
  for (float sign : {1.0f, -1.0f}) {
    for (double detector : {1.5, 2.5}) {
      const auto out = RunAMax(StepSettings(), Triangle(sign), {Input(100, sign * detector, 0.0f, sign, 80)});
      ASSERT_EQ(out.size(), 1u);
      const bool scanWins = detector < 2.0;
      EXPECT_EQ(out[0].maxValue, static_cast<float>(sign * (scanWins ? 2.0 : detector)))
          << "sign " << sign << " detector " << detector;
      EXPECT_EQ(out[0].maxTick, scanWins ? 102 : 100) << "sign " << sign << " detector " << detector;
      EXPECT_EQ(out[0].tick, out[0].maxTick);  // repositioned
      EXPECT_EQ(out[0].value, static_cast<double>(out[0].maxValue));
      EXPECT_EQ(out[0].peakStartTick, 90);  // last sample before the peak within 5 % of the height
      EXPECT_EQ(out[0].peakEndTick, 114);   // first sample after it back at the baseline
      EXPECT_EQ(out[0].limitTick, kRecordEndOffset);
      EXPECT_EQ(out[0].baseEndTick, 80);
    }
  }
}

// Without an end crossing before the next event the end tick is the limit minus 1, the limit being the next
// event's first tick (its baseline end - 1 here); without a start crossing the start tick is the baseline end.
// "Reposition Event" 0 keeps the input position and value exactly.
TEST(CalcAMaxStep, LimitAndCrossingFallbacks) {
  auto v = calcstages::Samples(400, [](int32_t t) { return t == 60 ? 2.0 : 1.0; });
  EventBCalcBase first = Input(60, 2.0, 0.0f, 1.0f, 55);
  first.fraction = 0.25f;
  StepSettings p;
  p.reposition = 0;
  const auto out = RunAMax(p, v, {first, Input(180, 2.0, 0.0f, 1.0f, 140)});
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0].limitTick, 139);
  EXPECT_EQ(out[0].peakEndTick, 138);
  EXPECT_EQ(out[0].peakStartTick, 55);
  EXPECT_EQ(out[0].maxTick, 60);
  EXPECT_EQ(out[0].tick, 60);
  EXPECT_EQ(out[0].fraction, 0.25f);
  EXPECT_EQ(out[0].value, 2.0);
  EXPECT_EQ(out[1].limitTick, kRecordEndOffset);
  EXPECT_EQ(out[1].peakEndTick, 399);  // no crossing before the data ends: the last sample
}

// A stimulus measured alone (value no value) still gets a record: no start tick, end at the limit minus 1.
TEST(CalcAMaxStep, InputWithoutValue) {
  EventBCalcBase stim = Input(20, 0.0, 0.0f, 1.0f, 19);
  SetNoValue(stim.value);
  stim.stimulusTick = 20;
  const auto out = RunAMax(StepSettings(), std::vector<float>(100, 0.5f), {stim, Input(60, 2.0, 0.0f, 1.0f, 50)});
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(DoubleBits(out[0].value), kNoValueDoubleBits);
  EXPECT_EQ(out[0].tick, 20);
  EXPECT_EQ(out[0].peakStartTick, -1);
  EXPECT_EQ(out[0].peakEndTick, 48);
}

}  // namespace

namespace {

// The extreme starts a unit short of zero on the peak's side. A peak with no sample at or below the start level
// before it (the scan begins after its rise) is tracked on from the baseline's end where it lies within a unit of
// zero, upward and downward alike; one wholly beyond the unit on the far side (an upward membrane potential in mV,
// or the same turned over) finds nothing beyond the start value, so the detector's event is the extreme.
TEST(CalcAMaxStep, ExtremeStartsAUnitShortOfZeroOnThePeaksSide) {
  for (const float sign : {1.0f, -1.0f}) {
    for (const double rest : {-60.0, 0.5}) {
      const auto v = calcstages::Samples(200, [&](int32_t t) {
        const double d = std::abs(t - 102);
        return sign * (rest + (d < 12 ? 0.4 * std::fabs(rest) * (1.0 - d / 12.0) : 0.0));
      });
      const float base = static_cast<float>(sign * (rest - std::fabs(rest)));
      const auto out = RunAMax(StepSettings(), v, {Input(100, v[100], base, sign, 80)});
      ASSERT_EQ(out.size(), 1u);
      const int32_t extreme = rest < 0.0 ? 100 : 102;
      EXPECT_EQ(out[0].maxTick, extreme) << "sign " << sign << ", rest " << rest;
      EXPECT_EQ(out[0].maxValue, v[static_cast<size_t>(extreme)]) << "sign " << sign << ", rest " << rest;
      EXPECT_EQ(out[0].tick, extreme);
    }
  }
}

}  // namespace
