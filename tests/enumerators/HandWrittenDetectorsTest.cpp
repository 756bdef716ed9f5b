// The per-record stimulus and the per-cycle converter, the enumerators written without the template, and the
// settings of the response peak detector.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/String.h"
#include "enumerators/erpeakdet/ERPeakDet.h"
#include "enumerators/erstimsob/ERStimSOB.h"
#include "base/EventRecords.h"
#include "enumerators/pxconvert/PXConvert.h"
#include "host/common/HostObject.h"
#include "host/data/ChannelSampleSource.h"
#include "hostclient/ComPtr.h"

namespace {

template <class T>
ComPtr<ICalcEnum> Make(const wchar_t* settings) {
  ComPtr<ICalcEnum> calc;
  calc.Attach(new T(nullptr, nullptr));
  uint32_t kind = 0;
  EXPECT_EQ(calc->LoadSettings(QOR::String(settings).GetInterface(), &kind), S_OK);
  return calc;
}

std::wstring Saved(ICalcEnum* calc) {
  QOR::IQORString* text = nullptr;
  EXPECT_EQ(calc->SaveSettings(&text), S_OK);
  const std::wstring saved = QOR::String(text).GetText();
  if (text) text->Release();
  return saved;
}

ComPtr<IEnumEventEx> Events(ICalcEnum* calc) {
  ComPtr<IEnumEventEx> events;
  EXPECT_EQ(calc->QueryInterface(IID_IEnumEventEx, events.OutVoid()), S_OK);
  return events;
}

TEST(ERStimSOB, SettingsTextReadsBackExactly) {
  ComPtr<ICalcEnum> sob = Make<ZR::Enum::ERStimSOB::Enum>(L"1.23456789 1 250 3 2147483647");
  ComPtr<ICalcEnum> copy = Make<ZR::Enum::ERStimSOB::Enum>(Saved(sob.Get()).c_str());
  EXPECT_EQ(Saved(copy.Get()), Saved(sob.Get()));
  // 1.23456789 ms at 1 us per tick is tick 1235 (trunc(1234.56789 + 0.5)), 1.23457 would be 1235 too, so the
  // position is checked where six digits would move it: 0.1 us per tick.
  copy->SetSources(0, 0, nullptr, nullptr, 1e-7, 0);
  EXPECT_EQ(static_cast<ZR::Enum::ERStimSOB::Enum*>(copy.Get())->StimulusTick(), 12346);
  EXPECT_NE(Saved(copy.Get()).find(L"2147483647"), std::wstring::npos);
}

TEST(ERStimSOB, StimulusOnceInTheCallCoveringItAndOnlyIntoRoom) {
  ComPtr<ICalcEnum> sob = Make<ZR::Enum::ERStimSOB::Enum>(L"50");
  ASSERT_EQ(sob->SetSources(2, 0, nullptr, nullptr, 0.001, 0), S_OK);
  ComPtr<IEnumEventEx> events = Events(sob.Get());
  EventPkStm buffer[2];
  int32_t n = -1, next = -1;
  EXPECT_EQ(events->Next(sizeof buffer, 50, buffer, &n, &next), S_OK);  // ends at the stimulus tick: not yet
  EXPECT_EQ(n, 0);
  EXPECT_EQ(next, 50);
  // A buffer too small for a record gets nothing written, and the stimulus stays due.
  unsigned char small[20];
  std::memset(small, 0xAB, sizeof small);
  EXPECT_EQ(events->Next(sizeof small, 1000, small, &n, &next), S_OK);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(next, 50);
  for (unsigned char b : small) EXPECT_EQ(b, 0xAB);
  EXPECT_EQ(events->Next(sizeof buffer, 0x7FFFFFFF, buffer, &n, &next), S_FALSE);
  ASSERT_EQ(n, 1);
  EXPECT_EQ(buffer[0].tick, 50);
  EXPECT_EQ(buffer[0].kind, kEventStimulus);
  EXPECT_EQ(buffer[0].value, 1.0);
  EXPECT_EQ(next, 0x7FFFFFFF);
  EXPECT_EQ(events->Next(sizeof buffer, 0x7FFFFFFF, buffer, &n, &next), S_FALSE);
  EXPECT_EQ(n, 0);
  // Find: forwards from the stimulus tick finds it; backwards from a start at it does not.
  EXPECT_EQ(events->Find(0, 50, 0, 100), S_OK);
  EXPECT_EQ(events->Find(1, 60, 50, 100), S_FALSE);
}

TEST(ERStimSOB, RecordsAndTicksOutsideTheLimitsGiveNothing) {
  // Limits: record 1 tick 0 to record 2 tick 50 (the end tick itself is outside).
  struct Case {
    int32_t record;
    int32_t expected;
    const wchar_t* settings;
  } cases[] = {{0, 0, L"50 1 0 2 50"}, {1, 1, L"50 1 0 2 50"}, {2, 0, L"50 1 0 2 50"}, {3, 0, L"50 1 0 2 50"},
               {0, 1, L"50 0 0 0 0"}, {5, 1, L"50 0 0 0 0"}};  // four zeros: no region, every record
  for (const Case& c : cases) {
    ComPtr<ICalcEnum> sob = Make<ZR::Enum::ERStimSOB::Enum>(c.settings);
    sob->SetSources(c.record, 0, nullptr, nullptr, 0.001, 0);
    EventPkStm buffer[1];
    int32_t n = -1, next = -1;
    Events(sob.Get())->Next(sizeof buffer, 0x7FFFFFFF, buffer, &n, &next);
    EXPECT_EQ(n, c.expected) << "record " << c.record;
  }
}

// A nested per-cycle enumerator replaying fixed records, for the converter's rules.
class CycleReplay final : public host::HostObject<IEnumEventEx> {
 public:
  explicit CycleReplay(std::vector<CycleEventRecord> records) : mRecords(std::move(records)) {}
  int32_t largestAsk = 0;

  HRESULT STDMETHODCALLTYPE Next(int32_t bytes, int32_t endTick, void* buffer, int32_t* returned,
                                 int32_t* next) noexcept override {
    largestAsk = std::max(largestAsk, bytes);
    *returned = 0;
    auto* out = static_cast<CycleEventRecord*>(buffer);
    while (mAt < mRecords.size() && *returned < bytes / 16 && mRecords[mAt].tick < endTick)
      out[(*returned)++] = mRecords[mAt++];
    const bool ended = mAt == mRecords.size();
    *next = ended ? 0x7FFFFFFF : std::min(mRecords[mAt].tick, endTick);
    return ended ? S_FALSE : S_OK;
  }
  HRESULT STDMETHODCALLTYPE Find(int32_t, int32_t, int32_t, int32_t) noexcept override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE GetPosition(int32_t* tick) noexcept override { *tick = 0; return S_OK; }
  HRESULT STDMETHODCALLTYPE Reserved6(void**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(IEnumEventEx**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRecordSize(int32_t* bytes) noexcept override { *bytes = 16; return S_OK; }
  HRESULT STDMETHODCALLTYPE GetEventType(uint32_t* id) noexcept override { *id = 0; return S_OK; }
  HRESULT STDMETHODCALLTYPE Reserved10(void**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTimeBase(TimeBase* tb) noexcept override { *tb = TimeBase(); return S_OK; }

 private:
  void* FindInterface(REFIID iid) override {
    return iid == IID_IUnknown || iid == IID_IEnumEventEx ? static_cast<IEnumEventEx*>(this) : nullptr;
  }
  std::vector<CycleEventRecord> mRecords;
  size_t mAt = 0;
};

// Converts the records over a channel of 2000 samples whose value is tick / 1000.
std::vector<EventPkStm> Convert(const wchar_t* settings, std::vector<CycleEventRecord> cycles, int32_t bufferRecords,
                                int32_t* largestAsk = nullptr, HRESULT* last = nullptr) {
  auto channel = std::make_shared<host::ChannelRecord>(1, 1000, true);
  std::vector<float> samples(2000);
  for (int i = 0; i < 2000; ++i) samples[i] = static_cast<float>(i) / 1000.0f;
  channel->Append(samples.data(), 2000);
  ComPtr<ISampleSource> source;
  EXPECT_EQ(host::CreateChannelSampleSource(channel, 0, 0x7FFFFFFF, source.Out()), S_OK);
  ComPtr<IEnumEventEx> replay;
  replay.Attach(new CycleReplay(std::move(cycles)));
  ComPtr<ICalcEnum> pcc = Make<ZR::Enum::PXConvert>(settings);
  IUnknown* sources[] = {source.Get(), replay.Get()};
  EXPECT_EQ(pcc->SetSources(0, 2, sources, nullptr, 0.001, 0), S_OK);
  std::vector<EventPkStm> out;
  ComPtr<IEnumEventEx> events = Events(pcc.Get());
  for (int guard = 0; guard < 100; ++guard) {
    std::vector<EventPkStm> buffer(static_cast<size_t>(bufferRecords));
    int32_t n = 0, next = 0;
    const HRESULT hr = events->Next(bufferRecords * 24, 0x7FFFFFFF, buffer.data(), &n, &next);
    out.insert(out.end(), buffer.begin(), buffer.begin() + n);
    if (last) *last = hr;
    if (hr != S_OK) {
      EXPECT_EQ(next, 0x7FFFFFFF);
      break;
    }
  }
  if (largestAsk) *largestAsk = static_cast<CycleReplay*>(replay.Get())->largestAsk;
  return out;
}

TEST(PXConvert, PositionByTheFractionRuleHeightAtTheTickAndNoValueBeyondTheChannel) {
  const double nan = std::nan("");
  int32_t largestAsk = 0;
  const auto peaks = Convert(L"", {{1200, 0.4f, 5.0}, {1300, 0.6f, 5.0}, {1400, 0.0f, nan},
                                   {1500, 0.0f, INFINITY}, {2500, 0.0f, 5.0}},
                             2, &largestAsk);
  ASSERT_EQ(peaks.size(), 3u);
  EXPECT_EQ(largestAsk, 32);  // two output slots: at most two input records per call
  EXPECT_EQ(peaks[0].tick, 1200);
  EXPECT_FLOAT_EQ(peaks[0].fraction, 0.4f);
  EXPECT_EQ(peaks[0].value, static_cast<double>(1.2f));
  EXPECT_EQ(peaks[1].tick, 1301);
  EXPECT_NEAR(peaks[1].fraction, -0.4, 1e-6);
  EXPECT_EQ(peaks[1].value, static_cast<double>(1.3f));  // read at tick 1300
  EXPECT_EQ(peaks[1].kind, kEventPeak);
  // Tick 2500 has no sample: no value, not a made-up height.
  EXPECT_EQ(DoubleBits(peaks[2].value), kNoValueDoubleBits);
}

// A cycle at 1299.6 read up to tick 1300 becomes a peak at 1300: it waits for the call that reaches 1300 instead
// of coming back beyond the end asked for.
TEST(PXConvert, PeakRoundedUpToTheEndTickWaitsForTheNextCall) {
  auto channel = std::make_shared<host::ChannelRecord>(1, 1000, true);
  std::vector<float> samples(2000, 0.5f);
  channel->Append(samples.data(), 2000);
  ComPtr<ISampleSource> source;
  ASSERT_EQ(host::CreateChannelSampleSource(channel, 0, 0x7FFFFFFF, source.Out()), S_OK);
  ComPtr<IEnumEventEx> replay;
  replay.Attach(new CycleReplay({{1299, 0.6f, 1.0}, {1299, 0.8f, 1.0}, {1500, 0.0f, 1.0}}));
  ComPtr<ICalcEnum> pcc = Make<ZR::Enum::PXConvert>(L"");
  IUnknown* sources[] = {source.Get(), replay.Get()};
  ASSERT_EQ(pcc->SetSources(0, 2, sources, nullptr, 0.001, 0), S_OK);
  ComPtr<IEnumEventEx> events = Events(pcc.Get());
  EventPkStm buffer[8];
  int32_t n = -1, next = -1;
  EXPECT_EQ(events->Next(sizeof buffer, 1300, buffer, &n, &next), S_OK);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(next, 1300);
  int32_t position = -1;
  EXPECT_EQ(events->GetPosition(&position), S_OK);
  EXPECT_EQ(position, 1300);
  EXPECT_EQ(events->Next(sizeof buffer, 1301, buffer, &n, &next), S_OK);
  ASSERT_EQ(n, 2);
  EXPECT_EQ(buffer[0].tick, 1300);
  EXPECT_NEAR(buffer[1].fraction, -0.2, 1e-6);
  EXPECT_EQ(events->Next(sizeof buffer, 0x7FFFFFFF, buffer, &n, &next), S_FALSE);
  ASSERT_EQ(n, 1);
  EXPECT_EQ(buffer[0].tick, 1500);
}

TEST(PXConvert, LimitsEndTheRecordAndReadBackExactly) {
  HRESULT last = S_OK;
  const auto peaks = Convert(L"0 0 0 1350", {{1200, 0.0f, 1.0}, {1300, 0.0f, 1.0}, {1400, 0.0f, 1.0}}, 8, nullptr,
                             &last);
  ASSERT_EQ(peaks.size(), 2u);
  EXPECT_EQ(last, S_FALSE);  // past the end: the record is finished
  // Four zeros, the analysis's text for no region, limit nothing.
  EXPECT_EQ(Convert(L"0 0 0 0", {{1200, 0.0f, 1.0}}, 8).size(), 1u);
  ComPtr<ICalcEnum> pcc = Make<ZR::Enum::PXConvert>(L"1 2 3 2147483647");
  EXPECT_EQ(Saved(Make<ZR::Enum::PXConvert>(Saved(pcc.Get()).c_str()).Get()), Saved(pcc.Get()));
  EXPECT_NE(Saved(pcc.Get()).find(L"2147483647"), std::wstring::npos);
}

TEST(ERPeakDetParams, MissingSearchTimesOpenTheWindowAndAnExplicitMinusOneKeepsItsRule) {
  struct Case {
    const wchar_t* text;
    int32_t startTicks;
    int32_t endTicks;
  } cases[] = {
      {L"0 5", 0, 1000000},      // both left out
      {L"0 5 2", 50, 1000000},   // the end left out
      {L"0 5 -1 -1", -24, -24},  // trunc(-1 / 0.04 + 0.5)
      {L"0 5 2 4", 50, 100},
  };
  for (const Case& c : cases) {
    ZR::Enum::ERPeakDet::Params p;
    std::wistringstream in(c.text);
    int32_t leading = 0;
    in >> leading;
    p.Load(in);
    p.tickPeriod = 40e-6;
    p.AddSources(0, nullptr);
    EXPECT_EQ(p.searchStartTicks, c.startTicks) << std::wstring(c.text).c_str();
    EXPECT_EQ(p.searchEndTicks, c.endTicks);
    // The saved text reads back to the same window.
    std::wostringstream out;
    p.Save(out);
    ZR::Enum::ERPeakDet::Params q;
    std::wistringstream again(out.str());
    q.Load(again);
    q.tickPeriod = 40e-6;
    q.AddSources(0, nullptr);
    EXPECT_EQ(q.searchStartTicks, c.startTicks);
    EXPECT_EQ(q.searchEndTicks, c.endTicks);
  }
}

}  // namespace
