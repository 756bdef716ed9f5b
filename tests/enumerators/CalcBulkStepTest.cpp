// The full measurement stage's step: its own crossings and timing, the plug-ins' edge rules and resuming.
#include "enumerators/calcbulk/CalcBulkStep.h"

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "enumerators/calcbulk/plugins/CalcMaxNegSlope.h"
#include "tests/enumerators/CalcStageCursors.h"

namespace {

using namespace ZR::Enum::CalcBulk;
using Index = MeasurementIndex;

constexpr double kPeriod = 0.001;

// Triangle from the baseline 1.0 at tick 10 to 11.0 at tick 20 and back to 1.0 at tick 30.
std::vector<float> Triangle() {
  return calcstages::Samples(60, [](int t) {
    if (t <= 10 || t >= 30) return 1.0;
    return t <= 20 ? 1.0 + (t - 10) : 1.0 + (30 - t);
  });
}

EventBCalcBase2 TriangleEvent() {
  EventBCalcBase2 e;
  e.kind = kEventCalc;
  e.tick = 20;
  e.value = 11.0;
  e.baseline = 1.0f;
  e.baseStartTick = 0;
  e.baseEndTick = 8;
  e.maxValue = 11.0f;
  e.maxTick = 20;
  e.peakStartTick = 10;
  e.peakEndTick = 30;
  e.limitTick = kRecordEndOffset;
  e.tauFitStartTick = 25;
  e.tauFitEndTick = 29;
  e.ahpEndTick = 31;
  e.midPlateauTick = 20;
  e.plateauCentreTick = 22;
  return e;
}

MeasureParams Params() {
  MeasureParams p;
  p.SetDefaults();
  p.areaStartMs = 0.0;
  p.areaEndMs = 20.0;
  p.slopeStartMs = 0.0;
  p.slopeEndMs = 5.0;
  p.maxNegSlopeStartMs = 0;
  p.plateauWidthMs = 4.0;
  p.pltWidthMs = 4.0;
  p.Prepare(kPeriod);
  return p;
}

std::vector<EventFCalc> Measure(const MeasureParams& p, const std::vector<float>& samples,
                            const std::vector<EventBCalcBase2>& events) {
  return calcstages::RunOffline<StepState, MeasureParams, EventBCalcBase2, EventFCalc>(Step, p, samples,
                                                                                       events);
}

uint32_t Bits(const EventFCalc& r, Index i) { return r.GetValueBitsByIndex(static_cast<int32_t>(i)); }
bool NoValueAt(const EventFCalc& r, Index i) { return (Bits(r, i) & 0x7F800000u) == 0x7F800000u; }
float At(const EventFCalc& r, Index i) {
  const uint32_t bits = Bits(r, i);
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

TEST(CalcBulkStep, CrossingAtTickZeroIsRealAndMissingCrossingsHaveNoValue) {
  // Rise crosses 30 % (level 3) at tick 0 and 70 % at tick 1; the fall stays above 70 %.
  const std::vector<float> v = {5.0f, 8.0f, 9.0f, 10.0f, 9.5f, 9.0f, 8.5f, 8.0f};
  EventBCalcBase2 e;
  e.kind = kEventCalc;
  e.tick = 3;
  e.value = 10.0;
  e.baseline = 0.0f;
  e.maxValue = 10.0f;
  e.maxTick = 3;
  e.peakStartTick = 0;
  e.peakEndTick = 7;
  e.limitTick = kRecordEndOffset;
  const auto out = Measure(Params(), v, {e});
  ASSERT_EQ(out.size(), 1u);
  EXPECT_FLOAT_EQ(At(out[0], Index::TRise), 1 * kPeriod);
  EXPECT_FLOAT_EQ(At(out[0], Index::SlopeRise), (8.0f - 5.0f) / kPeriod);
  EXPECT_TRUE(NoValueAt(out[0], Index::TFall));
  EXPECT_TRUE(NoValueAt(out[0], Index::SlopeFall));
}

TEST(CalcBulkStep, TriangleMeasurementsAndPeriodChain) {
  std::vector<float> v = Triangle();
  const std::vector<float> again = Triangle();
  v.insert(v.end(), again.begin(), again.end());
  EventBCalcBase2 second = TriangleEvent();
  for (int32_t* t : {&second.tick, &second.baseStartTick, &second.baseEndTick, &second.maxTick,
                     &second.peakStartTick, &second.peakEndTick, &second.tauFitStartTick,
                     &second.tauFitEndTick, &second.ahpEndTick, &second.midPlateauTick,
                     &second.plateauCentreTick})
    *t += 60;
  EventBCalcBase2 first = TriangleEvent();
  first.limitTick = second.SearchStart();
  const auto out = Measure(Params(), v, {first, second});
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0].count, 1);
  EXPECT_EQ(out[1].count, 2);
  EXPECT_TRUE(NoValueAt(out[0], Index::Period));
  EXPECT_FLOAT_EQ(At(out[1], Index::Period), 60 * kPeriod);
  // 30 % = 4.0 at tick 13, 70 % = 8.0 at tick 17; the fall reaches 8 at 23 and 4 at 27.
  EXPECT_FLOAT_EQ(At(out[0], Index::TRise), 4 * kPeriod);
  EXPECT_FLOAT_EQ(At(out[0], Index::TFall), 4 * kPeriod);
  EXPECT_FLOAT_EQ(At(out[0], Index::SlopeFall), -4.0f / (4 * kPeriod));
  EXPECT_FLOAT_EQ(At(out[0], Index::PlateauV1), (9 + 10 + 11 + 10) / 4.0f);
  EXPECT_FLOAT_EQ(At(out[0], Index::Width50), 10 * kPeriod);  // 6.0 first reached at 15, back at 25
  EXPECT_EQ(out[0].calcTick1, 15);
  EXPECT_EQ(out[0].calcTick2, 25);
  EXPECT_FLOAT_EQ(At(out[0], Index::Triangulation), At(out[0], Index::APD70) - At(out[0], Index::APD30));
  EXPECT_FLOAT_EQ(At(out[0], Index::MaxNegSlope), 1.0f / kPeriod);  // blocks of 4 samples on the fall
}

TEST(CalcBulkStep, TriangulationOutsideTheNineApdsHasNoValue) {
  for (auto range : {std::pair<double, double>{5, 70}, {30, 100}, {0, 0}}) {
    MeasureParams p = Params();
    p.Set(7, range.first);
    p.Set(8, range.second);
    const auto out = Measure(p, Triangle(), {TriangleEvent()});
    ASSERT_EQ(out.size(), 1u);
    EXPECT_TRUE(NoValueAt(out[0], Index::Triangulation)) << range.first << ".." << range.second;
    EXPECT_FALSE(NoValueAt(out[0], Index::APD70));
  }
}

TEST(CalcBulkStep, FallThatNeverReachesHalfHeightLeavesThoseWidthsWithoutValue) {
  EventBCalcBase2 e = TriangleEvent();
  e.peakEndTick = 22;  // the range ends at tick 22, where the fall is still at 9.0
  e.ahpEndTick = 23;
  const auto out = Measure(Params(), Triangle(), {e});
  ASSERT_EQ(out.size(), 1u);
  EXPECT_TRUE(NoValueAt(out[0], Index::Width50));
  EXPECT_TRUE(NoValueAt(out[0], Index::APD50));
  EXPECT_EQ(out[0].calcTick2, -1);
  EXPECT_FALSE(NoValueAt(out[0], Index::Width90));
}

TEST(CalcBulkStep, UnusableSmoothingPointsLeaveTheSixSlopesWithoutValue) {
  MeasureParams p = Params();
  p.smoothing = ComputeSmoothingPoints(4, 1, 0.0);
  const auto out = Measure(p, Triangle(), {TriangleEvent()});
  ASSERT_EQ(out.size(), 1u);
  for (int32_t i = 11; i <= 16; ++i)
    EXPECT_TRUE(NoValueAt(out[0], static_cast<Index>(i))) << "index " << i;
  const auto normal = Measure(Params(), Triangle(), {TriangleEvent()});
  EXPECT_FLOAT_EQ(At(normal[0], Index::MaxSlope), 1.0f / kPeriod);
  EXPECT_FLOAT_EQ(At(normal[0], Index::MinSlope), -1.0f / kPeriod);
}

TEST(CalcBulkStep, EvokedResponseWithoutStimulusHasNoAreaSlopeOrValue) {
  MeasureParams p = Params();
  p.Set(0, 3);
  const auto out = Measure(p, Triangle(), {TriangleEvent()});
  ASSERT_EQ(out.size(), 1u);
  EXPECT_TRUE(NoValueAt(out[0], Index::Area));
  EXPECT_EQ(Bits(out[0], Index::Slope), kNoValueBits);
  EXPECT_TRUE(NoValueAt(out[0], Index::Value));
  EXPECT_TRUE(NoValueAt(out[0], Index::Latency));
  // With a stimulus at tick 5 the windows are anchored there.
  EventBCalcBase2 e = TriangleEvent();
  e.stimulusTick = 5;
  p.valueMs = 15.0;
  const auto anchored = Measure(p, Triangle(), {e});
  EXPECT_FLOAT_EQ(At(anchored[0], Index::Value), 11.0f);
  EXPECT_FLOAT_EQ(At(anchored[0], Index::Latency), 5 * kPeriod);
}

TEST(CalcBulkStep, SlopeWindowHoldsAtLeastTwoTicks) {
  MeasureParams p = Params();
  p.slopeStartMs = 2.0;
  p.slopeEndMs = 2.0;  // [S + 2, S + 4): two samples on the rise
  const auto out = Measure(p, Triangle(), {TriangleEvent()});
  EXPECT_FLOAT_EQ(At(out[0], Index::Slope), 1.0f / kPeriod);
  EXPECT_FLOAT_EQ(out[0].slopeIntercept, 2.0f);  // line through 3 (x=1) and 4 (x=2)
}

TEST(CalcBulkStep, MaxNegSlopeBlockLengthIsLimited) {
  MeasureParams p = Params();
  EventBCalcBase2 e = TriangleEvent();
  MeasureInput in;
  in.event = &e;
  in.params = &p;
  in.period = kPeriod;
  p.maxNegSlopeSmoothMs = 1.0;
  EXPECT_EQ(CalcMaxNegSlope::BlockLength(in), 3);
  p.maxNegSlopeSmoothMs = 5000.0;
  EXPECT_EQ(CalcMaxNegSlope::BlockLength(in), 1000);
  p.maxNegSlopeSmoothMs = 7.0;
  EXPECT_EQ(CalcMaxNegSlope::BlockLength(in), 7);
}

TEST(CalcBulkStep, EventAtStepEndStaysUntilALaterStep) {
  calcstages::VectorChannel channel(Triangle());
  calcstages::VectorEvents<EventBCalcBase2> events({TriangleEvent()});
  StepState s;
  ZR::Enum::StepFrame frame;
  frame.stepEnd = 20;
  EventFCalc out;
  const MeasureParams p = Params();
  EXPECT_FALSE(Step(s, p, frame, channel, events, out));
  EXPECT_EQ(s.position, 20);
  EXPECT_TRUE(events.Ready());
  frame.stepEnd = 40;
  EXPECT_TRUE(Step(s, p, frame, channel, events, out));
  EXPECT_EQ(out.tick, 20);
  EXPECT_EQ(s.position, 30);
  const StepState copy = s;  // a checkpoint copy carries its own plug-ins
  EXPECT_EQ(copy.measurer.eventCount(), 1);
}

TEST(CalcBulkStep, EventWithoutValueStillYieldsARecordAndRestartsThePeriod) {
  EventBCalcBase2 e = TriangleEvent();
  SetNoValue(e.value);
  const auto out = Measure(Params(), Triangle(), {e});
  ASSERT_EQ(out.size(), 1u);
  for (Index i : {Index::TimeToPeak, Index::APeak, Index::Height, Index::TRise, Index::TFall,
                  Index::PlateauV1, Index::PlateauV2, Index::Period, Index::Width, Index::Width50,
                  Index::MaxNegSlope})
    EXPECT_TRUE(NoValueAt(out[0], i)) << static_cast<int>(i);
  EXPECT_EQ(out[0].count, 1);
}

}  // namespace

namespace {

TEST(CalcBulkStep, BlockBoundariesChangeNoRecordByte) {
  // Crossings, widths, plateaus and the slope windows all search within blocks; a block may end anywhere,
  // even between a level's crossing and the peak, and the records must not change.
  std::vector<float> v = Triangle();
  for (size_t i = 0; i < v.size(); ++i)
    v[i] += 0.01f * static_cast<float>(i % 7);  // noise, so that the tau fit has something to do
  const auto whole = calcstages::RunOffline<StepState, MeasureParams, EventBCalcBase2, EventFCalc>(
    Step, Params(), v, {TriangleEvent()});
  ASSERT_EQ(whole.size(), 1u);
  for (const int32_t block : {1, 2, 3, 7, 11, 20}) {
    const auto split = calcstages::RunOffline<StepState, MeasureParams, EventBCalcBase2, EventFCalc>(
      Step, Params(), v, {TriangleEvent()}, block);
    ASSERT_EQ(split.size(), 1u);
    EXPECT_EQ(std::memcmp(&whole[0], &split[0], sizeof(EventFCalc)), 0) << "blocks of " << block;
  }
}

}  // namespace

namespace {

// "TStart" counts from the region's start tick in its first record; "TEnd" is "Width" + "TStart".
TEST(CalcBulkStep, TStartCountsFromTheRegionsOrigin) {
  MeasureParams p = Params();
  p.origin = 4;
  const auto out = Measure(p, Triangle(), {TriangleEvent()});
  ASSERT_EQ(out.size(), 1u);
  EXPECT_FLOAT_EQ(At(out[0], Index::TStart), 6 * kPeriod);
  EXPECT_FLOAT_EQ(At(out[0], Index::TEnd), 26 * kPeriod);
}

// The window [T + 8, E) holds two samples, less than one block of four: "MaxNegSlope" is the cleared pattern.
TEST(CalcBulkStep, MaxNegSlopeWithoutACompleteBlockIsTheClearedPattern) {
  MeasureParams p = Params();
  p.maxNegSlopeStartMs = 8;
  const auto out = Measure(p, Triangle(), {TriangleEvent()});
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(Bits(out[0], Index::MaxNegSlope), 0x7F886000u);
}

// Samples arriving in uneven blocks, each event a little after the samples it needs: the records are those of
// the offline run, byte for byte.
TEST(CalcBulkStep, OnlineInUnevenBlocksEqualsOffline) {
  std::vector<float> v;
  std::vector<EventBCalcBase2> events;
  for (int32_t k = 0; k < 4; ++k) {
    std::vector<float> one = Triangle();
    for (size_t i = 0; i < one.size(); ++i)
      one[i] += 0.01f * static_cast<float>((i * 5 + static_cast<size_t>(k)) % 7);
    v.insert(v.end(), one.begin(), one.end());
    EventBCalcBase2 e = TriangleEvent();
    for (int32_t* t : {&e.tick, &e.baseStartTick, &e.baseEndTick, &e.maxTick, &e.peakStartTick, &e.peakEndTick,
                       &e.tauFitStartTick, &e.tauFitEndTick, &e.ahpEndTick, &e.midPlateauTick,
                       &e.plateauCentreTick})
      *t += 60 * k;
    if (k > 0) events.back().limitTick = e.SearchStart();
    events.push_back(e);
  }
  const auto offline = Measure(Params(), v, events);
  ASSERT_EQ(offline.size(), events.size());
  const auto online = calcstages::RunOnline<StepState, MeasureParams, EventBCalcBase2, EventFCalc>(
      Step, Params(), v, events, {13, 1, 29, 3, 57, 7}, 25);
  ASSERT_EQ(online.size(), offline.size());
  for (size_t i = 0; i < offline.size(); ++i)
    EXPECT_EQ(std::memcmp(&online[i], &offline[i], sizeof(EventFCalc)), 0) << "event " << i;
}

}  // namespace
