// The shared result cache of a data file and the two cache selectors that read it, over caches the tests fill
// through the coordinator's own operations (the module itself adds none).
#include "enumerators/cacheselector/CacheSelector.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/String.h"
#include "host/app/HostFramework.h"
#include "host/data/DataDocument.h"
#include "host/data/Recording.h"

using namespace ZR::Enum::CacheSelector;
using ZR::Enum::SelectedValueRecord;

namespace {

using Coordinator = StandardPolicy::Coordinator;
using Records = Coordinator::Records;

class SharedCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ondara_host::EnsureHostFramework(), S_OK);
    host::Recording recording;
    recording.channels = {{L"Vm", L"V", L""}, {L"Im", L"A", L""}};
    for (int r = 0; r < 2; ++r) {
      host::RecordData record = host::MakeEmptyRecord(2, 0.001, true);
      const float samples[4] = {};
      for (auto& channel : record.samples) channel->Append(samples, 4);
      record.length = 4;
      recording.records.push_back(std::move(record));
    }
    mDocument = host::DataDocument::Create(std::move(recording));
  }

  IUnknown* File() { return static_cast<IHostDataFile*>(mDocument.Get()); }

  // A selector of class S over the document with the settings text, sources set for record.
  template <class S>
  ComPtr<IEnumEventEx> MakeSelector(const wchar_t* settings, int32_t record = 0) {
    ComPtr<ICalcEnum> calc;
    calc.Attach(new S(File(), nullptr));
    if (settings) {
      EXPECT_EQ(calc->LoadSettings(QOR::String(settings).GetInterface(), nullptr), S_OK);
    }
    EXPECT_EQ(calc->SetSources(record, 0, nullptr, nullptr, 0.001, 0), S_OK);
    ComPtr<IEnumEventEx> events;
    calc->QueryInterface(IID_IEnumEventEx, events.OutVoid());
    return events;
  }

  host::HostPtr<host::DataDocument> mDocument;
};

EventFCalc Event(int32_t tick, float height) {
  EventFCalc e;
  e.tick = tick;
  e.height = height;
  e.count = 1;
  e.tStart = 2.5f;
  return e;
}

// Fills record r of a new cache with events at the given ticks, height = tick / 1000.
std::shared_ptr<Records> FillCache(Coordinator& coordinator, int32_t r, const std::vector<int32_t>& ticks) {
  auto cache = coordinator.AddCache({{0, false}}, QOR::String(L"settings"));
  for (const int32_t t : ticks) cache->EntryFor(r).Add(Event(t, static_cast<float>(t) / 1000.0f));
  return cache;
}

std::vector<SelectedValueRecord> Drain(IEnumEventEx* events, int32_t endTick, HRESULT* hr = nullptr,
                                       int32_t* next = nullptr) {
  std::vector<SelectedValueRecord> out;
  SelectedValueRecord buffer[2];
  int32_t returned = 0, unexamined = 0;
  do {
    const HRESULT result = events->Next(sizeof buffer, endTick, buffer, &returned, &unexamined);
    if (hr) *hr = result;
    out.insert(out.end(), buffer, buffer + returned);
  } while (returned == 2);
  if (next) *next = unexamined;
  return out;
}

std::vector<int32_t> Ticks(const std::vector<SelectedValueRecord>& records) {
  std::vector<int32_t> ticks;
  for (const auto& r : records) ticks.push_back(r.tick);
  return ticks;
}

bool Has(const Records::Entry& e) { return e.FirstAtOrAfter(0) != nullptr; }

}  // namespace

TEST_F(SharedCacheTest, OneCoordinatorPerKindKeptByTheFile) {
  ComPtr<Coordinator> first = Coordinator::GetOrCreate(File());
  ASSERT_TRUE(first);
  EXPECT_EQ(Coordinator::GetOrCreate(File()).Get(), first.Get());
  EXPECT_NE(static_cast<void*>(PSPolicy::Coordinator::GetOrCreate(File()).Get()), static_cast<void*>(first.Get()));
  uint32_t typeId = 0;
  EXPECT_EQ(first->GetTypeId(&typeId), S_OK);
  EXPECT_NE(typeId >> 16, 0u);
  EXPECT_EQ(typeId & 0xFFFFu, 0u);
  FillCache(*first, 0, {5});
  IScrivoDataChildData* clone = nullptr;
  ASSERT_EQ(first->Clone(nullptr, 0, 0, 0, 0, File(), &clone), S_OK);
  EXPECT_EQ(static_cast<Coordinator*>(clone)->CacheCount(), 0u);  // a copy starts without caches
  EXPECT_EQ(static_cast<Coordinator*>(clone)->DataFile(), File());
  EXPECT_EQ(clone->Release(), 0u);
  EXPECT_FALSE(Coordinator::GetOrCreate(nullptr));
}

TEST_F(SharedCacheTest, RecordNotificationsDropInsertAndRemoveEntries) {
  ComPtr<Coordinator> coordinator = Coordinator::GetOrCreate(File());
  auto cache = coordinator->AddCache({{0, false}}, QOR::String(L"a"));
  for (int32_t r = 0; r < 8; ++r) cache->EntryFor(r).Add(Event(100 + r, 1.0f));
  ASSERT_EQ(cache->Count(), 8);
  coordinator->OnRecordsChanged(nullptr, 0, 0, 0, 0, 3, 5);
  coordinator->OnRecordsChanged(nullptr, 0, 0, 0, 0, 6, 6);  // an empty range changes nothing
  std::vector<bool> kept;
  for (int32_t r = 0; r < 8; ++r) kept.push_back(Has(cache->At(r)));
  EXPECT_EQ(kept, (std::vector<bool>{true, true, true, false, false, true, true, true}));

  coordinator->OnRecordsMoved(nullptr, 2, 4);  // two records inserted before record 2
  ASSERT_EQ(cache->Count(), 10);
  EXPECT_FALSE(Has(cache->At(2)));
  EXPECT_EQ(cache->At(4).FirstAtOrAfter(0)->tick, 102);
  EXPECT_EQ(cache->At(4).record, 4);
  coordinator->OnRecordsMoved(nullptr, 4, 2);  // and removed again
  ASSERT_EQ(cache->Count(), 8);
  EXPECT_EQ(cache->At(2).FirstAtOrAfter(0)->tick, 102);
  coordinator->OnRecordsMoved(nullptr, 20, 30);  // beyond the list: nothing
  EXPECT_EQ(cache->Count(), 8);
}

// Recorded samples of a channel concern caches reading it unmarked; a calculation's own samples concern caches
// reading it marked, or reading a channel that has no calculation.
TEST_F(SharedCacheTest, ChannelChangesReachTheCachesThatReadTheChannel) {
  ComPtr<Coordinator> coordinator = Coordinator::GetOrCreate(File());
  auto unmarked = coordinator->AddCache({{0, false}}, QOR::String(L"a"));
  auto marked = coordinator->AddCache({{1, true}}, QOR::String(L"b"));
  const auto fill = [&] {
    unmarked->EntryFor(0).Add(Event(1, 1.0f));
    marked->EntryFor(0).Add(Event(1, 1.0f));
  };
  fill();
  coordinator->OnChannelDataChanged(nullptr, 0, 1, 2, 0, 0, 0, 0, 0, 0, 1, 0);
  EXPECT_TRUE(Has(marked->At(0)));
  coordinator->OnChannelDataChanged(nullptr, 0, 0, 2, 0, 0, 0, 0, 0, 0, 1, 0);
  EXPECT_FALSE(Has(unmarked->At(0)));
  fill();
  coordinator->OnChannelDataChanged(nullptr, 0, 1, 0x20000004u, 0, 0, 0, 0, 0, 0, 1, 0);
  EXPECT_FALSE(Has(marked->At(0)));
  coordinator->OnChannelDataChanged(nullptr, 0, 0, 0x20000004u, 0, 0, 0, 0, 0, 0, 1, 0);
  EXPECT_FALSE(Has(unmarked->At(0)));  // channel 1 of the document has no calculation
}

TEST_F(SharedCacheTest, WithoutCacheSelectorsYieldNothing) {
  ComPtr<IEnumEventEx> events = MakeSelector<StandardCacheSelector>(L"0 5 1");
  SelectedValueRecord buffer[2];
  int32_t returned = -1, next = -1;
  EXPECT_EQ(events->Next(sizeof buffer, 700, buffer, &returned, &next), S_OK);
  EXPECT_EQ(returned, 0);
  EXPECT_EQ(next, 700);
  EXPECT_EQ(events->Find(0, 10, 0, 100), S_FALSE);
  int32_t position = -1;
  events->GetPosition(&position);
  EXPECT_EQ(position, 0);
}

// Only the newest cache is read; the events come out up to endTick, across blocks, times the factor.
TEST_F(SharedCacheTest, SelectorsReadTheNewestCacheBlockByBlock) {
  ComPtr<Coordinator> coordinator = Coordinator::GetOrCreate(File());
  FillCache(*coordinator, 1, {1, 2});
  FillCache(*coordinator, 1, {3});
  FillCache(*coordinator, 1, {16383, 40000, 16384, 7});
  ComPtr<IEnumEventEx> events = MakeSelector<StandardCacheSelector>(L"0 5 1000", 1);
  const auto first = Drain(events.Get(), 16384);
  EXPECT_EQ(coordinator->CacheCount(), 1u);
  EXPECT_EQ(Ticks(first), (std::vector<int32_t>{7, 16383}));  // one at endTick - 1 is handed out
  EXPECT_EQ(first[1].value, static_cast<double>(16.383f) * 1000.0);
  int32_t next = 0;
  EXPECT_EQ(Ticks(Drain(events.Get(), kEnumRecordEnd, nullptr, &next)), (std::vector<int32_t>{16384, 40000}));
  EXPECT_EQ(next, kEnumRecordEnd);

  // Three selectors of other measurements read the same events; a new one converts by 1.0.
  const struct {
    const wchar_t* settings;
    double value;
  } others[] = {{L"1 1 3", 3.0}, {L"2 58 2", 0.0}, {nullptr, 2.5}};  // count, TimeDate, TStart unconverted
  for (const auto& other : others) {
    ComPtr<IEnumEventEx> selector = MakeSelector<StandardCacheSelector>(other.settings, 1);
    const auto got = Drain(selector.Get(), kEnumRecordEnd);
    EXPECT_EQ(Ticks(got), (std::vector<int32_t>{7, 16383, 16384, 40000}));
    EXPECT_EQ(got[0].value, other.value);
  }
  ComPtr<IEnumEventEx> otherRecord = MakeSelector<StandardCacheSelector>(L"0 5 1", 0);
  EXPECT_TRUE(Drain(otherRecord.Get(), kEnumRecordEnd).empty());
  ComPtr<IEnumEventEx> psKind = MakeSelector<PSCacheSelector>(L"0 5 1", 1);
  EXPECT_TRUE(Drain(psKind.Get(), kEnumRecordEnd).empty());  // a coordinator kind of its own
}

TEST_F(SharedCacheTest, FindAndANegativeStartPosition) {
  ComPtr<Coordinator> coordinator = Coordinator::GetOrCreate(File());
  FillCache(*coordinator, 0, {100, 20000});
  ComPtr<IEnumEventEx> events = MakeSelector<StandardCacheSelector>(L"0 5 1");
  int32_t position = 0;
  EXPECT_EQ(events->Find(1, 19999, 150, 30000), S_FALSE);  // the nearest earlier event lies before start
  events->GetPosition(&position);
  EXPECT_EQ(position, 100);
  EXPECT_EQ(events->Find(1, 30000, 150, 40000), S_OK);
  events->GetPosition(&position);
  EXPECT_EQ(position, 20000);
  EXPECT_EQ(events->Find(0, 101, 0, 20000), S_FALSE);  // found at the end: outside
  EXPECT_EQ(events->Find(0, -50, -50, 200), S_OK);
  EXPECT_EQ(Ticks(Drain(events.Get(), kEnumRecordEnd)), (std::vector<int32_t>{100, 20000}));

  ComPtr<ICalcEnum> calc;
  events->QueryInterface(IID_ICalcEnum, calc.OutVoid());
  calc->SetStartTick(-5000);  // a negative position reads from tick 0
  EXPECT_EQ(Ticks(Drain(events.Get(), kEnumRecordEnd)), (std::vector<int32_t>{100, 20000}));
}

TEST_F(SharedCacheTest, SettingsTextKeepsTheFactorExactly) {
  ComPtr<ICalcEnum> calc;
  calc.Attach(new StandardCacheSelector(File(), nullptr));
  ASSERT_EQ(calc->LoadSettings(QOR::String(L"3.5 47.4 1.23456789").GetInterface(), nullptr), S_OK);
  QOR::IQORString* text = nullptr;
  ASSERT_EQ(calc->SaveSettings(&text), S_OK);
  ComPtr<ICalcEnum> again;
  again.Attach(new StandardCacheSelector(File(), nullptr));
  ASSERT_EQ(again->LoadSettings(text, nullptr), S_OK);
  text->Release();
  const auto& fields = static_cast<StandardCacheSelector*>(again.Get())->Fields();
  EXPECT_EQ(fields.analysisType, 4);
  EXPECT_EQ(fields.calcIndex, 47);
  EXPECT_EQ(fields.factor, 1.23456789);
  ASSERT_EQ(again->LoadSettings(QOR::String(L"2 x").GetInterface(), nullptr), S_OK);
  EXPECT_EQ(fields.calcIndex, 0);  // unreadable: 0, the factor unchanged
  EXPECT_EQ(fields.factor, 1.23456789);
}
