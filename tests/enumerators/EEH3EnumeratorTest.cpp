// The enumerator template's contract, shown with the cardiac peak detector over triangle peaks.
#include "enumerators/framework/EEH3Enumerator.h"

#include <gtest/gtest.h>

#include "tests/enumerators/DetectorHarness.h"

using harness::Drain;
using harness::Events;
using harness::MakeChannel;
using harness::MakeDetector;
using harness::SetChannel;
using harness::Ticks;
using harness::Triangles;

namespace {

constexpr int32_t kEnd = 0x7FFFFFFF;

struct Detector {
  ComPtr<ICalcEnum> calc;
  ComPtr<IEnumEventEx> events;
};

Detector Over(const std::vector<float>& samples, const wchar_t* settings = L"0 0.5 -1") {
  Detector d{MakeDetector(settings), {}};
  SetChannel(d.calc.Get(), MakeChannel(samples));
  d.events = Events(d.calc.Get());
  return d;
}

int32_t PositionOf(IEnumEventEx* events) {
  int32_t position = -2;
  EXPECT_EQ(events->GetPosition(&position), S_OK);
  return position;
}

}  // namespace

TEST(EEH3Enumerator, NextReturnsEventsFromThePositionAndEndsWithRecordEnd) {
  Detector d = Over(Triangles(5000, {100, 900, 2500, 4000}));
  EventPkStm buffer[8];
  int32_t n = -1, next = -1;
  // An empty range answers at once.
  EXPECT_EQ(d.events->Next(sizeof buffer, 0, buffer, &n, &next), S_OK);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(next, 0);
  // Up to an end tick: the events before it, then the end tick itself.
  EXPECT_EQ(d.events->Next(sizeof buffer, 1000, buffer, &n, &next), S_OK);
  ASSERT_EQ(n, 2);
  EXPECT_EQ(buffer[0].tick, 100);
  EXPECT_EQ(buffer[1].tick, 900);
  EXPECT_EQ(buffer[1].kind, kEventPeak);
  EXPECT_EQ(buffer[1].value, 1.0);
  EXPECT_EQ(next, 1000);
  // The rest; S_FALSE comes only with the record-end offset, and again when asked again.
  EXPECT_EQ(d.events->Next(sizeof buffer, kEnd, buffer, &n, &next), S_FALSE);
  ASSERT_EQ(n, 2);
  EXPECT_EQ(buffer[0].tick, 2500);
  EXPECT_EQ(buffer[1].tick, 4000);
  EXPECT_EQ(next, kEnd);
  EXPECT_EQ(d.events->Next(sizeof buffer, kEnd, buffer, &n, &next), S_FALSE);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(next, kEnd);
}

TEST(EEH3Enumerator, OneRecordBufferHandsOutOneEventPerCall) {
  Detector d = Over(Triangles(2000, {100, 200, 300}));
  EventPkStm one;
  int32_t n = -1, next = -1;
  EXPECT_EQ(d.events->Next(sizeof one, 1000, &one, &n, &next), S_OK);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(one.tick, 100);
  EXPECT_EQ(next, 100);
  EXPECT_EQ(d.events->Next(sizeof one, 1000, &one, &n, &next), S_OK);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(one.tick, 200);
  // A buffer too small for one record gets nothing written.
  unsigned char small[sizeof(EventPkStm) - 1] = {};
  EXPECT_EQ(d.events->Next(sizeof small, 1000, small, &n, &next), S_OK);
  EXPECT_EQ(n, 0);
  for (unsigned char byte : small) EXPECT_EQ(byte, 0);
}

// Events at a (first chunk) and b (third chunk) only; checkpoints are kept every 100000 ticks.
TEST(EEH3Enumerator, FindAcrossCheckpointsLeavesAPendingEvent) {
  const int32_t a = 500, b = 250000;
  Detector d = Over(Triangles(320000, {a, b}));
  EXPECT_EQ(Ticks(Drain(d.events.Get())), (std::vector<int32_t>{a, b}));

  // Backward from after b: b, handed out first by the next Next.
  EXPECT_EQ(d.events->Find(1, 300000, 0, kEnd), S_OK);
  EXPECT_EQ(PositionOf(d.events.Get()), b);
  EXPECT_EQ(Ticks(Drain(d.events.Get())), (std::vector<int32_t>{b}));

  // Backward from the third chunk before b: nothing there, so the earlier chunks are searched and a is found.
  EXPECT_EQ(d.events->Find(1, 240000, 0, kEnd), S_OK);
  EXPECT_EQ(PositionOf(d.events.Get()), a);
  EXPECT_EQ(Ticks(Drain(d.events.Get())), (std::vector<int32_t>{a, b}));

  // With start between a and t the event met lies before start: none, position t.
  EXPECT_EQ(d.events->Find(1, 240000, 1000, kEnd), S_FALSE);
  EXPECT_EQ(PositionOf(d.events.Get()), 240000);

  // Forward from the second chunk finds b; forward with nothing before end leaves nothing pending.
  EXPECT_EQ(d.events->Find(0, 150000, 0, kEnd), S_OK);
  EXPECT_EQ(PositionOf(d.events.Get()), b);
  EXPECT_EQ(d.events->Find(0, 1000, 0, 200000), S_FALSE);
  EXPECT_GE(PositionOf(d.events.Get()), 1000);
  EventPkStm one;
  int32_t n = -1, next = -1;
  EXPECT_EQ(d.events->Next(sizeof one, 200000, &one, &n, &next), S_OK);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(next, 200000);
}

TEST(EEH3Enumerator, FindRangesAndTheirEdges) {
  Detector d = Over(Triangles(3000, {150, 199, 400}));
  // Forward: the search starts at max(tick, start), lowered to end - 1.
  EXPECT_EQ(d.events->Find(0, 500, 100, 200), S_OK);  // from 199
  EXPECT_EQ(PositionOf(d.events.Get()), 199);
  EXPECT_EQ(d.events->Find(0, 50, 100, 200), S_OK);  // from 100
  EXPECT_EQ(PositionOf(d.events.Get()), 150);
  EXPECT_EQ(d.events->Find(0, 7, 100, 100), S_FALSE);
  EXPECT_EQ(PositionOf(d.events.Get()), 100);
  EXPECT_EQ(d.events->Find(1, 0, 100, 200), S_FALSE);
  EXPECT_EQ(PositionOf(d.events.Get()), 100);
  // Backward: the last event at or after start and before tick.
  EXPECT_EQ(d.events->Find(1, 399, 0, kEnd), S_OK);
  EXPECT_EQ(PositionOf(d.events.Get()), 199);
}

TEST(EEH3Enumerator, CloneAfterFindHandsOutThePendingEventFirst) {
  auto channel = MakeChannel(Triangles(3000, {100, 1000, 2000}));
  Detector d = Over(Triangles(3000, {100, 1000, 2000}));
  ASSERT_EQ(d.events->Find(0, 500, 0, kEnd), S_OK);
  ComPtr<IEnumEventEx> clone;
  ASSERT_EQ(d.events->Clone(clone.Out()), S_OK);
  ComPtr<ICalcEnum> cloneCalc;
  ASSERT_EQ(clone->QueryInterface(IID_ICalcEnum, cloneCalc.OutVoid()), S_OK);
  SetChannel(cloneCalc.Get(), channel);
  EventPkStm one;
  int32_t n = -1, next = -1;
  EXPECT_EQ(clone->Next(sizeof one, kEnd, &one, &n, &next), S_OK);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(one.tick, 1000);
  EXPECT_EQ(clone.Detach()->Release(), 1u);  // cloneCalc still holds it
  EXPECT_EQ(cloneCalc.Detach()->Release(), 0u);
}

TEST(EEH3Enumerator, LimitsBoundRecordsAndTicks) {
  const std::vector<float> samples = Triangles(5000, {500, 1500, 2500, 3500});
  ComPtr<ICalcEnum> calc = MakeDetector(L"0 0.5 -1 2 1000 3 3000");
  auto channel = MakeChannel(samples);
  std::vector<std::vector<int32_t>> perRecord;
  for (int32_t record = 0; record < 5; ++record) {
    SetChannel(calc.Get(), channel, record);
    perRecord.push_back(Ticks(Drain(Events(calc.Get()).Get())));
  }
  EXPECT_TRUE(perRecord[0].empty());
  EXPECT_TRUE(perRecord[1].empty());
  EXPECT_EQ(perRecord[2], (std::vector<int32_t>{1500, 2500, 3500}));
  EXPECT_EQ(perRecord[3], (std::vector<int32_t>{500, 1500, 2500}));
  EXPECT_TRUE(perRecord[4].empty());
}

TEST(EEH3Enumerator, SettingsTextReadsLeadingValueParametersAndLimits) {
  ComPtr<ICalcEnum> calc = MakeDetector(L"0 5 1");
  auto* detector = static_cast<ZR::Enum::CAPPeakDetEnumerator*>(calc.Get());
  const auto& params = detector->GetParams();
  EXPECT_EQ(params.leadingValue, 0);
  EXPECT_EQ(params.minHeight, 5.0);
  EXPECT_EQ(params.minWidthMs, 1.0);
  EXPECT_EQ(params.startRecord, 0);
  EXPECT_EQ(params.startTick, 0);
  EXPECT_EQ(params.endRecord, kEnd);
  EXPECT_EQ(params.endTick, kEnd);

  calc = MakeDetector(L"7 -1 2.5 0 0 0 0");  // all-zero limits are unbounded too; -1 height is the smallest
  detector = static_cast<ZR::Enum::CAPPeakDetEnumerator*>(calc.Get());
  EXPECT_EQ(detector->GetParams().leadingValue, 7);
  EXPECT_EQ(detector->GetParams().minHeight, 1e-30);
  EXPECT_EQ(detector->GetParams().endTick, kEnd);

  calc = MakeDetector(L"garbage");
  detector = static_cast<ZR::Enum::CAPPeakDetEnumerator*>(calc.Get());
  EXPECT_EQ(detector->GetParams().minHeight, 1e-30);
  EXPECT_EQ(detector->GetParams().minWidthMs, -1.0);

  calc = MakeDetector(L"0 0.25 3 1 2.5 4 1e300");
  QOR::IQORString* saved = nullptr;
  ASSERT_EQ(calc->SaveSettings(&saved), S_OK);
  EXPECT_EQ(std::wstring(QOR::String::Adopt(saved).GetText()), L"0.25 3 1 3 4 2147483647 ");
}

// Online, the samples arrive in uneven blocks and Next is called after each; the events equal offline ones.
TEST(EEH3Enumerator, OnlineEventsEqualOfflineEvents) {
  const std::vector<float> samples = testsupport::CardiacSignal(230000);
  Detector offline = Over(samples, L"0 0.1 -1");
  const std::vector<EventPkStm> expected = Drain(offline.events.Get());
  ASSERT_GT(expected.size(), 300u);

  auto channel = std::make_shared<host::ChannelRecord>(1, 1000, false);
  ComPtr<ICalcEnum> calc = MakeDetector(L"0 0.1 -1");
  SetChannel(calc.Get(), channel, 0, true);
  ComPtr<IEnumEventEx> events = Events(calc.Get());
  std::vector<EventPkStm> online;
  const int32_t blocks[] = {1, 1023, 1, 2047, 5000, 777, 99999, 3};
  size_t fed = 0;
  for (int i = 0; fed < samples.size(); ++i) {
    const size_t n = std::min<size_t>(static_cast<size_t>(blocks[i % 8]), samples.size() - fed);
    channel->Append(samples.data() + fed, static_cast<int32_t>(n));
    fed += n;
    HRESULT hr = E_FAIL;
    const std::vector<EventPkStm> now = Drain(events.Get(), kEnd, &hr);
    EXPECT_EQ(hr, S_OK) << "after " << fed << " samples";
    online.insert(online.end(), now.begin(), now.end());
  }
  channel->Complete();
  HRESULT hr = E_FAIL;
  const std::vector<EventPkStm> rest = Drain(events.Get(), kEnd, &hr);
  EXPECT_EQ(hr, S_FALSE);
  online.insert(online.end(), rest.begin(), rest.end());
  ASSERT_EQ(Ticks(online), Ticks(expected));
  for (size_t i = 0; i < online.size(); ++i) EXPECT_EQ(online[i].value, expected[i].value) << "event " << i;
}

// Online, after a start tick in the middle of a chunk, no event before it is reported, as offline.
TEST(EEH3Enumerator, StartTickHidesEarlierEventsOnlineAsOffline) {
  const std::vector<float> samples = Triangles(160000, {1000, 120000, 150000});
  for (const bool online : {false, true}) {
    auto channel = std::make_shared<host::ChannelRecord>(1, 1000, !online);
    channel->Append(samples.data(), online ? 130000 : static_cast<int32_t>(samples.size()));
    ComPtr<ICalcEnum> calc = MakeDetector(L"0 0.5 -1");
    SetChannel(calc.Get(), channel, 0, online);
    ASSERT_EQ(calc->SetStartTick(110000), S_OK);
    ComPtr<IEnumEventEx> events = Events(calc.Get());
    std::vector<int32_t> ticks = Ticks(Drain(events.Get()));
    if (online) {
      channel->Append(samples.data() + 130000, 30000);
      channel->Complete();
      const std::vector<int32_t> more = Ticks(Drain(events.Get()));
      ticks.insert(ticks.end(), more.begin(), more.end());
    }
    EXPECT_EQ(ticks, (std::vector<int32_t>{120000, 150000})) << (online ? "online" : "offline");
  }
}

TEST(EEH3Enumerator, InterfacesAnswerTheirFixedValues) {
  Detector d = Over(Triangles(100, {80}));
  int32_t size = 0;
  EXPECT_EQ(d.events->GetRecordSize(&size), S_OK);
  EXPECT_EQ(size, 24);
  uint32_t value = 0;
  EXPECT_EQ(d.calc->GetCapabilities(&value), S_OK);
  EXPECT_EQ(value, 0x10008000u);
  EXPECT_EQ(d.calc->GetResultKind(&value), S_OK);
  EXPECT_EQ(value, 0x801B0002u);
  TimeBase timeBase;
  EXPECT_EQ(d.events->GetTimeBase(&timeBase), S_OK);
  EXPECT_EQ(timeBase.numerator, 1);
  EXPECT_EQ(timeBase.denominator, 1000);
  void* out = &value;
  EXPECT_EQ(d.events->Reserved6(&out), E_NOTIMPL);
  EXPECT_EQ(out, nullptr);
  IUnknown* viaCalc = nullptr;
  IUnknown* viaEvents = nullptr;
  ASSERT_EQ(d.calc->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&viaCalc)), S_OK);
  ASSERT_EQ(d.events->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&viaEvents)), S_OK);
  EXPECT_EQ(viaCalc, viaEvents);
  viaCalc->Release();
  viaEvents->Release();
  void* none = &value;
  EXPECT_EQ(d.calc->QueryInterface(IID_ISampleSource, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
  // Slot 3 of IEnumEventEx through the raw table is Next.
  using NextFn = HRESULT(STDMETHODCALLTYPE*)(IEnumEventEx*, int32_t, int32_t, void*, int32_t*, int32_t*);
  auto** table = *reinterpret_cast<void***>(d.events.Get());
  int32_t n = -1, next = -1;
  EventPkStm one;
  EXPECT_EQ(reinterpret_cast<NextFn>(table[3])(d.events.Get(), sizeof one, 50, &one, &n, &next), S_OK);
  EXPECT_EQ(next, 50);
}
