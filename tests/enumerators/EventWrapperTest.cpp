// The event reader over a nested enumerator: records in order, the end of the nested events, seeks.
#include "enumerators/framework/EventWrapper.h"

#include <gtest/gtest.h>

#include "tests/enumerators/DetectorHarness.h"

namespace {

ComPtr<ICalcEnum> DetectorOver(const std::vector<float>& samples) {
  ComPtr<ICalcEnum> detector = harness::MakeDetector(L"0 0.5 -1");
  harness::SetChannel(detector.Get(), harness::MakeChannel(samples));
  return detector;
}

std::vector<int32_t> Peaks(int32_t count) {
  std::vector<int32_t> ticks;
  for (int32_t i = 0; i < count; ++i) ticks.push_back(50 + 40 * i);
  return ticks;
}

}  // namespace

TEST(EventWrapper, ReadsNestedRecordsInOrderThenEnds) {
  const std::vector<int32_t> peaks = Peaks(20);  // more than two blocks of 8
  ComPtr<ICalcEnum> detector = DetectorOver(harness::Triangles(1000, peaks));
  EEH3::EventWrapperEx<EventPkStm> reader(detector.Get());
  EXPECT_EQ(reader.RecordSize(), 24);
  std::vector<int32_t> ticks;
  while (reader.Ready()) {
    const EventPkStm event = reader.Value();
    EXPECT_EQ(reader.Position(), event.tick);
    EXPECT_EQ(event.kind, kEventPeak);
    ticks.push_back(event.tick);
    reader.Advance();
  }
  EXPECT_EQ(ticks, peaks);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.Position(), 0x7FFFFFFF);
}

TEST(EventWrapper, NestedEnumeratorWithoutEventsEndsOnItsRecordEnd) {
  ComPtr<ICalcEnum> detector = DetectorOver(std::vector<float>(500, 1.0f));
  EEH3::EventWrapperEx<EventPkStm> reader(detector.Get());
  EXPECT_FALSE(reader.AtEnd());
  EXPECT_FALSE(reader.Ready());
  EXPECT_TRUE(reader.AtEnd());
}

TEST(EventWrapper, InterfaceWithoutEventsIsAtItsEndFromTheStart) {
  ComPtr<ISampleSource> samples;
  ASSERT_EQ(host::CreateChannelSampleSource(harness::MakeChannel({1.0f}), 0, 0x7FFFFFFF, samples.Out()), S_OK);
  EEH3::EventWrapperEx<EventPkStm> reader(samples.Get());
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_FALSE(reader.Ready());
  EXPECT_EQ(reader.Position(), 0x7FFFFFFF);
  // A reader of a larger record than the nested one yields nothing.
  ComPtr<ICalcEnum> detector = DetectorOver(harness::Triangles(200, {50}));
  EEH3::EventWrapperEx<EventBCalcBase> larger(detector.Get());
  EXPECT_FALSE(larger.Ready());
}

TEST(EventWrapper, SeekMovesInsideTheBlockOrFindsInTheNestedEnumerator) {
  ComPtr<ICalcEnum> detector = DetectorOver(harness::Triangles(1000, Peaks(20)));
  EEH3::EventWrapperEx<EventPkStm> reader(detector.Get());
  ASSERT_TRUE(reader.Ready());
  reader.SeekTo(100);  // within the first block: 130
  ASSERT_TRUE(reader.Ready());
  EXPECT_EQ(reader.Value().tick, 130);
  reader.SeekTo(600);  // beyond it: found in the nested enumerator, 610
  ASSERT_TRUE(reader.Ready());
  EXPECT_EQ(reader.Value().tick, 610);
  reader.Advance();
  ASSERT_TRUE(reader.Ready());
  EXPECT_EQ(reader.Value().tick, 650);
}
