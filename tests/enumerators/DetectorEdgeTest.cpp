// The enumerator template driven by the cardiac peak detector at its edges: sources without samples, chunk
// boundaries, positions while the host samples, records switched mid-read and searches to the record end.
#include <gtest/gtest.h>

#include "base/NoValue.h"
#include "tests/enumerators/DetectorHarness.h"

namespace {

constexpr int32_t kChunk = 100000;

struct NextResult {
  HRESULT hr = E_FAIL;
  int32_t returned = -1;
  int32_t next = -1;
  EventPkStm buffer[8];
};

NextResult CallNext(IEnumEventEx* events, int32_t endTick = 0x7FFFFFFF) {
  NextResult result;
  result.hr = events->Next(sizeof result.buffer, endTick, result.buffer, &result.returned, &result.next);
  return result;
}

}  // namespace

// A source 0 that offers no samples (a null entry, or another enumerator) ends the record at once.
TEST(DetectorEdges, SourceWithoutSamplesEndsTheRecord) {
  ComPtr<ICalcEnum> detector = harness::MakeDetector(L"0 0.5 -1");
  IUnknown* none[] = {nullptr};
  ASSERT_EQ(detector->SetSources(0, 1, none, nullptr, harness::kTickPeriod, 0), S_OK);
  NextResult result = CallNext(harness::Events(detector.Get()).Get());
  EXPECT_EQ(result.hr, S_FALSE);
  EXPECT_EQ(result.returned, 0);
  EXPECT_EQ(result.next, kRecordEndOffset);

  ComPtr<ICalcEnum> other = harness::MakeDetector(L"0 0.5 -1");
  IUnknown* notChannel[] = {other.Get()};
  ASSERT_EQ(detector->SetSources(1, 1, notChannel, nullptr, harness::kTickPeriod, kCalcEnumOnline), S_OK);
  result = CallNext(harness::Events(detector.Get()).Get());
  EXPECT_EQ(result.hr, S_FALSE);
  EXPECT_EQ(result.returned, 0);
}

// Peaks exactly at chunk boundaries (and their rises and falls straddling them) are found once each, offline
// and online with the data arriving in pieces that end around the boundary.
TEST(DetectorEdges, PeaksAtChunkBoundariesOfflineAndOnline) {
  const std::vector<int32_t> peaks{kChunk - 3, kChunk + 20, 2 * kChunk, 2 * kChunk + 30};
  const std::vector<float> samples = harness::Triangles(2 * kChunk + 100, peaks);
  ComPtr<ICalcEnum> offline = harness::MakeDetector(L"0 0.5 -1");
  harness::SetChannel(offline.Get(), harness::MakeChannel(samples));
  EXPECT_EQ(harness::Ticks(harness::Drain(harness::Events(offline.Get()).Get())), peaks);

  auto channel = std::make_shared<host::ChannelRecord>(1, 1000, false);
  ComPtr<ICalcEnum> online = harness::MakeDetector(L"0 0.5 -1");
  harness::SetChannel(online.Get(), channel, 0, true);
  ComPtr<IEnumEventEx> events = harness::Events(online.Get());
  std::vector<int32_t> ticks;
  int32_t appended = 0;
  for (const int32_t upTo : {kChunk - 1, kChunk + 1, kChunk + 3, 2 * kChunk, 2 * kChunk + 2, 2 * kChunk + 100}) {
    channel->Append(samples.data() + appended, upTo - appended);
    appended = upTo;
    for (const EventPkStm& event : harness::Drain(events.Get())) ticks.push_back(event.tick);
  }
  channel->Complete();
  for (const EventPkStm& event : harness::Drain(events.Get())) ticks.push_back(event.tick);
  EXPECT_EQ(ticks, peaks);

  // Searching around the boundary peak from either side finds it.
  ComPtr<IEnumEventEx> search = harness::Events(offline.Get());
  EXPECT_EQ(search->Find(0, kChunk + 1, 0, -1), S_OK);
  NextResult result = CallNext(search.Get());
  ASSERT_GE(result.returned, 1);
  EXPECT_EQ(result.buffer[0].tick, kChunk + 20);
  EXPECT_EQ(search->Find(1, 2 * kChunk + 1, 0, -1), S_OK);
  result = CallNext(search.Get(), 2 * kChunk + 1);
  ASSERT_EQ(result.returned, 1);
  EXPECT_EQ(result.buffer[0].tick, 2 * kChunk);
}

// While a peak's fall is still missing the next unexamined tick stands just before the peak; the peak comes
// with the samples that complete it.
TEST(DetectorEdges, NextUnexaminedTickWaitsBeforeAnUnconfirmedPeak) {
  const std::vector<float> samples = harness::Triangles(1000, {500});
  auto channel = std::make_shared<host::ChannelRecord>(1, 1000, false);
  ComPtr<ICalcEnum> detector = harness::MakeDetector(L"0 0.5 -1");
  harness::SetChannel(detector.Get(), channel, 0, true);
  ComPtr<IEnumEventEx> events = harness::Events(detector.Get());
  channel->Append(samples.data(), 300);
  NextResult result = CallNext(events.Get());
  EXPECT_EQ(result.hr, S_OK);
  EXPECT_EQ(result.returned, 0);
  EXPECT_EQ(result.next, 300);
  channel->Append(samples.data() + 300, 202);  // up to the peak at 500 and one falling sample
  result = CallNext(events.Get());
  EXPECT_EQ(result.hr, S_OK);
  EXPECT_EQ(result.returned, 0);
  EXPECT_EQ(result.next, 499);
  channel->Append(samples.data() + 502, 498);
  channel->Complete();
  result = CallNext(events.Get());
  ASSERT_EQ(result.returned, 1);
  EXPECT_EQ(result.buffer[0].tick, 500);
}

// A record read only in part, then the next record's sources: the next record's peaks only, from its start.
TEST(DetectorEdges, SourcesForTheNextRecordAfterAPartialRead) {
  ComPtr<ICalcEnum> detector = harness::MakeDetector(L"0 0.5 -1");
  harness::SetChannel(detector.Get(), harness::MakeChannel(harness::Triangles(3000, {100, 900, 2000})), 0);
  ComPtr<IEnumEventEx> events = harness::Events(detector.Get());
  NextResult result = CallNext(events.Get(), 500);
  ASSERT_EQ(result.returned, 1);
  EXPECT_EQ(result.buffer[0].tick, 100);
  EXPECT_EQ(result.next, 500);
  harness::SetChannel(detector.Get(), harness::MakeChannel(harness::Triangles(3000, {50, 700})), 1);
  EXPECT_EQ(harness::Ticks(harness::Drain(events.Get())), (std::vector<int32_t>{50, 700}));
}

// A negative end searches to the record end and does not pull the search tick below the tick asked: forward
// from 500 finds 900 (not 100), backward from 1500 finds 900.
TEST(DetectorEdges, FindWithNegativeEndSearchesToTheRecordEnd) {
  ComPtr<ICalcEnum> detector = harness::MakeDetector(L"0 0.5 -1");
  harness::SetChannel(detector.Get(), harness::MakeChannel(harness::Triangles(3000, {100, 900, 2000})));
  ComPtr<IEnumEventEx> events = harness::Events(detector.Get());
  int32_t position = -1;
  EXPECT_EQ(events->Find(0, 500, 0, -1), S_OK);
  ASSERT_EQ(events->GetPosition(&position), S_OK);
  EXPECT_EQ(position, 900);
  NextResult result = CallNext(events.Get());
  ASSERT_GE(result.returned, 1);
  EXPECT_EQ(result.buffer[0].tick, 900);
  EXPECT_EQ(events->Find(1, 1500, 0, -1), S_OK);
  ASSERT_EQ(events->GetPosition(&position), S_OK);
  EXPECT_EQ(position, 900);
  result = CallNext(events.Get(), 1000);
  ASSERT_EQ(result.returned, 1);
  EXPECT_EQ(result.buffer[0].tick, 900);
}
