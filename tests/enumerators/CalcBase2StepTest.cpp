#include "enumerators/calcbase2/CalcBase2Step.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/enumerators/CalcStageCursors.h"

namespace {

using ZR::Enum::CalcBase2::StepSettings;
using ZR::Enum::CalcBase2::StepState;

std::vector<EventBCalcBase2> RunBase2(const std::vector<float>& v, const std::vector<EventBCalcMax>& events) {
  return calcstages::RunOffline<StepState, StepSettings, EventBCalcMax, EventBCalcBase2>(
      ZR::Enum::CalcBase2::Step, StepSettings(), v, events);
}

EventBCalcMax Input(int32_t tick, double value, float polarity, int32_t start, int32_t end, int32_t limit) {
  EventBCalcMax e;
  e.tick = tick;
  e.value = value;
  e.baseline = 0.0f;
  e.polarity = polarity;
  e.maxTick = tick;
  e.maxValue = static_cast<float>(value);
  e.peakStartTick = start;
  e.peakEndTick = end;
  e.limitTick = limit;
  return e;
}

// sign x (a triangle of 2.0 at 102 over 90..114, then an overshoot of -0.3 at 120 over 114..126).
std::vector<float> PeakWithAhp(float sign) {
  return calcstages::Samples(300, [sign](int32_t t) {
    const double d = std::abs(t - 102);
    if (d < 12) return sign * 2.0 * (1.0 - d / 12.0);
    const double a = std::abs(t - 120);
    return a < 6 ? sign * -0.3 * (1.0 - a / 6.0) : 0.0;
  });
}

// Upward and downward peaks give the same ticks; the 10 % tick (seen through the plateau centre, halfway from the
// start tick 90) is the first sample of the fall within 10 % of the height for both.
TEST(CalcBase2Step, MirroredPeaksGiveTheSameTicks) {
  for (float sign : {1.0f, -1.0f}) {
    const auto out = RunBase2(PeakWithAhp(sign), {Input(102, sign * 2.0, sign, 90, 114, kRecordEndOffset)});
    ASSERT_EQ(out.size(), 1u);
    const EventBCalcBase2& r = out[0];
    EXPECT_EQ(r.midPlateauTick, (97 + 109) / 2) << "sign " << sign;
    EXPECT_EQ(r.tauFitStartTick, 108) << "sign " << sign;
    EXPECT_EQ(r.tauFitEndTick, 114) << "sign " << sign;
    EXPECT_EQ(r.plateauCentreTick, 102) << "sign " << sign;  // 10 % tick 113
    EXPECT_EQ(r.ahpEndTick, 126) << "sign " << sign;
    EXPECT_EQ(r.tailOvershoot, sign * -0.3f) << "sign " << sign;
    EXPECT_EQ(r.lowestSample, sign > 0 ? -0.3f : -2.0f);
    EXPECT_EQ(r.highestSample, sign > 0 ? 2.0f : 0.3f);
    EXPECT_EQ(r.spikeTroughTick, -1);
    EXPECT_EQ(r.spikePeak2Tick, -1);
    EXPECT_EQ(r.tick, 102);
    EXPECT_EQ(r.limitTick, kRecordEndOffset);  // the input record is copied into the head
  }
}

// No overshoot: deviation 0.0 and the AHP ends at the first sample after the end tick. A signal that never comes
// back to the baseline before the next event: AHP end -1 and the stage's no-value NaN 0x7FC30000.
TEST(CalcBase2Step, AfterhyperpolarisationEdges) {
  auto v = calcstages::Samples(300, [](int32_t t) {
    if (t <= 10) return 1.0 + t * 0.1;   // peak 2.0 at 10
    if (t <= 20) return 3.0 - t * 0.1;   // back to 1.0 at 20, then the baseline 1.0 until 100
    if (t < 100) return 1.0;
    if (t <= 110) return 1.0 + (t - 100) * 0.1;
    return 0.5;                         // far side of the baseline, never back
  });
  auto first = Input(10, 2.0, 1.0f, 0, 20, 95);
  first.baseline = 1.0f;
  auto second = Input(110, 2.0, 1.0f, 100, 111, kRecordEndOffset);
  second.baseline = 1.0f;
  const auto out = RunBase2(v, {first, second});
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0].tailOvershoot, 0.0f);
  EXPECT_EQ(out[0].ahpEndTick, 21);
  EXPECT_EQ(out[1].ahpEndTick, -1);
  EXPECT_EQ(FloatBits(out[1].tailOvershoot), kStageNoValueBits);
  EXPECT_EQ(out[1].lowestSample, 0.5f);
}

// Lowest and highest come only from samples the scan read: none while the channel has none yet (they are not
// taken from an empty reader), and no value when the scan reads nothing.
TEST(CalcBase2Step, ExtremesStartFromTheFirstSampleRead) {
  const std::vector<float> v = calcstages::Samples(100, [](int32_t t) { return t == 50 ? 3.0 : 1.0; });
  calcstages::VectorChannel channel(v);
  channel.SetAvailable(0, false);
  calcstages::VectorEvents<EventBCalcMax> events({Input(50, 3.0, 1.0f, 40, 60, kRecordEndOffset)});
  StepState s;
  ZR::Enum::StepFrame frame;
  frame.stepEnd = kRecordEndOffset;
  EventBCalcBase2 out;
  EXPECT_FALSE(ZR::Enum::CalcBase2::Step(s, StepSettings(), frame, channel, events, out));
  channel.SetAvailable(100, true);
  ASSERT_TRUE(ZR::Enum::CalcBase2::Step(s, StepSettings(), frame, channel, events, out));
  EXPECT_EQ(out.lowestSample, 1.0f);
  EXPECT_EQ(out.highestSample, 3.0f);

  const auto none = RunBase2(v, {Input(0, 3.0, 1.0f, 0, 0, 0)});
  ASSERT_EQ(none.size(), 1u);
  EXPECT_EQ(FloatBits(none[0].lowestSample), kNoValueBits);
  EXPECT_EQ(FloatBits(none[0].highestSample), kNoValueBits);
}

}  // namespace
