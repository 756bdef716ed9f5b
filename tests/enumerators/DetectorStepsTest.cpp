// The steps of the cardiac width filter and of the evoked-response peak detector over in-memory cursors.
#include <vector>

#include <gtest/gtest.h>

#include "enumerators/cappwf/WidthFilterStep.h"
#include "enumerators/erpeakdet/ResponsePeakStep.h"
#include "tests/enumerators/CalcStageCursors.h"

namespace {

namespace Wf = ZR::Enum::CalcCAPPeakWidthFilter;
namespace Er = ZR::Enum::ERPeakDet;
using calcstages::RunOffline;
using calcstages::RunOnline;

EventBCalcBase BaseEvent(int32_t tick, float value, float baseline, float polarity, int32_t baseEnd) {
  EventBCalcBase e;
  e.tick = tick;
  e.value = value;
  e.baseline = baseline;
  e.polarity = polarity;
  e.baseEndTick = baseEnd;
  return e;
}

std::vector<int32_t> Ticks(const std::vector<EventPkStm>& events) {
  std::vector<int32_t> ticks;
  for (const EventPkStm& e : events) ticks.push_back(e.tick);
  return ticks;
}

std::vector<EventPkStm> Filter(const std::vector<float>& v, const std::vector<EventBCalcBase>& events, int32_t min) {
  return RunOffline<Wf::StepState, Wf::StepSettings, EventBCalcBase, EventPkStm>(Wf::Step, Wf::StepSettings{min}, v,
                                                                                  events);
}

TEST(WidthFilterStep, WidthIsLastLowBeforeToFirstLowAfterAndEqualPasses) {
  // Peak of 1.0 at tick 20 on a baseline of 0: low (<= 0.5) at ticks 14 and 26, high in between: width 12.
  std::vector<float> v(60, 0.0f);
  for (int t = 15; t <= 25; ++t) v[t] = 0.8f;
  v[20] = 1.0f;
  const std::vector<EventBCalcBase> one = {BaseEvent(20, 1.0f, 0.0f, 1.0f, 10)};
  EXPECT_EQ(Ticks(Filter(v, one, 12)), std::vector<int32_t>({20}));
  EXPECT_TRUE(Filter(v, one, 13).empty());
  const auto kept = Filter(v, one, 12);
  EXPECT_EQ(kept[0].kind, kEventPeak);
  EXPECT_EQ(kept[0].value, 1.0);
}

TEST(WidthFilterStep, NegativeEventsAndRightCrossingAtTheNextBaselineEnd) {
  // A downward event (polarity -1) from 0 to -1 at tick 20: low means at or above -0.5.
  std::vector<float> v(100, 0.0f);
  for (int t = 16; t <= 24; ++t) v[t] = -0.9f;
  v[20] = -1.0f;
  // A second peak at 60 that never comes back to half height before the record's end.
  for (int t = 55; t < 100; ++t) v[t] = 0.9f;
  v[60] = 1.0f;
  const std::vector<EventBCalcBase> events = {BaseEvent(20, -1.0f, 0.0f, -1.0f, 10),
                                              BaseEvent(60, 1.0f, 0.0f, 1.0f, 40)};
  // Widths: 25 - 15 = 10 for the first; the second reaches the record end (100) from 54: 46.
  EXPECT_EQ(Ticks(Filter(v, events, 10)), std::vector<int32_t>({20, 60}));
  EXPECT_EQ(Ticks(Filter(v, events, 11)), std::vector<int32_t>({60}));
  // The first event's right crossing is bounded by the next event's baseline end when it never falls back.
  std::vector<float> w(100, 0.9f);
  w[0] = 0.0f;
  w[20] = 1.0f;
  const std::vector<EventBCalcBase> bounded = {BaseEvent(20, 1.0f, 0.0f, 1.0f, 0), BaseEvent(80, 1.0f, 0.0f, 1.0f, 30)};
  EXPECT_EQ(Ticks(Filter(w, bounded, 30)), std::vector<int32_t>({20, 80}));  // 30 - 0, then 100 - 30
  EXPECT_EQ(Ticks(Filter(w, {bounded[0], BaseEvent(80, 1.0f, 0.0f, 1.0f, 29)}, 30)), std::vector<int32_t>({80}));
}

std::vector<EventPkStm> Respond(const std::vector<float>& v, const std::vector<int32_t>& stimuli,
                                const Er::StepSettings& p) {
  std::vector<EventPkStm> records;
  for (const int32_t s : stimuli) records.push_back(EventPkStm::Stimulus(s));
  return RunOffline<Er::StepState, Er::StepSettings, EventPkStm, EventPkStm>(Er::Step, p, v, records);
}

TEST(ResponsePeakStep, StimulusThenAtMostOnePeakInItsWindow) {
  // Stimuli at 10 and 60; a peak of 5 at 20 (flat top 20-21: the later tick wins), one of 5 at 45 (window end
  // passed: none), one of 5 at 70.
  std::vector<float> v(100, 0.0f);
  v[19] = 3.0f;
  v[20] = v[21] = 5.0f;
  v[45] = 5.0f;
  v[70] = 5.0f;
  const auto out = Respond(v, {10, 60}, Er::StepSettings{5.0, 0, 20});
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(out[0].kind, kEventStimulus);
  EXPECT_EQ(out[0].tick, 10);
  EXPECT_EQ(out[1].kind, kEventPeak);
  EXPECT_EQ(out[1].tick, 21);
  EXPECT_EQ(out[1].value, 5.0);
  EXPECT_EQ(out[2].tick, 60);
  EXPECT_EQ(out[3].tick, 70);
  // A rise and fall of exactly the height confirm; one short of it does not.
  EXPECT_EQ(Respond(v, {10}, Er::StepSettings{5.0, 0, 1000}).size(), 2u);
  EXPECT_EQ(Respond(v, {10}, Er::StepSettings{5.0001, 0, 1000}).size(), 1u);
}

TEST(ResponsePeakStep, WindowBoundsThePeakTickAndTheNextStimulusEndsTheSearch) {
  std::vector<float> v(200, 0.0f);
  v[30] = 5.0f;  // 20 after the stimulus at 10
  v[90] = 5.0f;  // after the next stimulus at 50
  // Search from 25 ticks: the peak at 30 is confirmed before the window and the search goes on; the next
  // stimulus at 50 ends it.
  EXPECT_EQ(Ticks(Respond(v, {10, 50}, Er::StepSettings{1.0, 25, 100})), std::vector<int32_t>({10, 50, 90}));
  // A window starting before the stimulus starts at it; an end before the start is moved to the start.
  EXPECT_EQ(Ticks(Respond(v, {25}, Er::StepSettings{1.0, -50, 10})), std::vector<int32_t>({25, 30}));
  EXPECT_EQ(Ticks(Respond(v, {25}, Er::StepSettings{1.0, 10, -10})), std::vector<int32_t>({25}));
  // A peak inside the window whose fall completes after the window's end is still written.
  std::vector<float> slow(200, 0.0f);
  for (int t = 20; t < 60; ++t) slow[t] = 5.0f - 0.1f * (t - 20);
  EXPECT_EQ(Ticks(Respond(slow, {10}, Er::StepSettings{2.0, 0, 15})), std::vector<int32_t>({10, 20}));
}

// After a stimulus at 50 on rest (0 +- 0.01), with rest taken over the 20 ticks before its artefact and an
// artefact lasting 20: a peak the signal falls back to rest from by tick 70 is the artefact's, confirmed or not; one still beyond
// rest there, or after it, is the response's. Samples whole and in blocks of 1 to 13 as they arrive.
TEST(ResponsePeakStep, APeakTheSignalLeavesForRestWithinTheArtefactIsTheArtefacts) {
  struct Row {
    const char* shape;
    std::vector<std::pair<int32_t, float>> samples;
    int32_t peak;  // -1: none
  };
  const std::vector<Row> rows = {
      {"biphasic, then the response", {{50, -5.0f}, {51, 5.0f}, {79, 3.0f}, {80, 5.0f}, {81, 3.0f}}, 80},
      {"overshoot back at rest by 70, confirmed later", {{50, -5.0f}, {51, 2.5f}, {52, 1.0f}, {90, -0.6f}}, -1},
      {"held to 70, not back at rest", {{55, 5.0f}, {56, 2.5f}, {57, 2.5f}, {58, 2.5f}, {59, 2.5f}, {60, 2.5f},
                                        {61, 2.5f}, {62, 2.5f}, {63, 2.5f}, {64, 2.5f}, {65, 2.5f}, {66, 2.5f},
                                        {67, 2.5f}, {68, 2.5f}, {69, 2.5f}, {70, 2.5f}, {71, 2.5f}}, 55},
      {"a trough beyond rest counts from rest", {{50, -5.0f}, {75, 1.5f}, {76, -0.6f}}, -1},
      {"rest before an artefact the stimulus follows", {{45, 5.0f}, {46, 5.0f}, {47, 5.0f}, {48, 5.0f}, {49, 5.0f},
                                                        {79, 2.0f}, {80, 3.0f}, {81, 0.5f}}, 80},
  };
  for (const Row& row : rows) {
    std::vector<float> v(120);
    for (size_t i = 0; i < v.size(); ++i) v[i] = i % 2 == 0 ? 0.01f : -0.01f;
    for (const auto& [t, x] : row.samples) v[static_cast<size_t>(t)] = x;
    const Er::StepSettings p{2.0, 0, 60, 20, 40, 20};
    const std::vector<int32_t> want = row.peak < 0 ? std::vector<int32_t>{50} : std::vector<int32_t>{50, row.peak};
    EXPECT_EQ(Ticks(Respond(v, {50}, p)), want) << row.shape;
    const std::vector<EventPkStm> stimulus = {EventPkStm::Stimulus(50)};
    const auto online = RunOnline<Er::StepState, Er::StepSettings, EventPkStm, EventPkStm>(
        Er::Step, p, v, stimulus, {1, 13, 4, 7}, 0);
    EXPECT_EQ(Ticks(online), want) << row.shape << " online";
  }
  // Without the rule the biphasic artefact's second phase is the peak.
  std::vector<float> v(120, 0.0f);
  v[50] = -5.0f;
  v[51] = 5.0f;
  EXPECT_EQ(Ticks(Respond(v, {50}, Er::StepSettings{2.0, 0, 60})), std::vector<int32_t>({50, 51}));
}

}  // namespace
