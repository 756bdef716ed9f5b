// Selector: one measurement of a full-measurement chain as a value series, through the formula engine and
// over a scripted source.
#include "enumerators/selector/Selector.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/String.h"
#include "host/data/Recording.h"
#include "tests/enumerators/FormulaRun.h"
#include "tests/support/CardiacSignal.h"
#include "tests/support/InertEnumerator.h"

using ZR::Enum::SelectedValueRecord;
using ZR::Enum::Selector;

namespace {

constexpr wchar_t kFull[] = L"CalcBulk(ch1,CalcBase2(ch1,calcamax(ch1,calcbase(ch1,cappeakdet(ch1,0.3)))))";

host::HostPtr<host::DataDocument> CardiacDocument() {
  const std::vector<float> samples = testsupport::CardiacSignal(20000);
  host::Recording recording;
  recording.channels = {{L"Vm", L"V", L""}};
  host::RecordData record = host::MakeEmptyRecord(1, 0.001, true);
  record.samples[0]->Append(samples.data(), static_cast<int32_t>(samples.size()));
  record.length = static_cast<int32_t>(samples.size());
  recording.records.push_back(std::move(record));
  return host::DataDocument::Create(std::move(recording));
}

// Hands out a fixed list of full records of the given size, all at once.
class ScriptedSource final : public testing_support::InertEnumerator {
 public:
  ScriptedSource(std::vector<EventFCalc> records, int32_t recordSize)
      : mRecords(std::move(records)), mRecordSize(recordSize) {}
  HRESULT STDMETHODCALLTYPE Next(int32_t bytes, int32_t, void* buffer, int32_t* returned,
                                 int32_t* next) noexcept override {
    lastBytes = bytes;
    const int32_t n = std::min<int32_t>(bytes / 344, static_cast<int32_t>(mRecords.size() - mAt));
    std::memcpy(buffer, mRecords.data() + mAt, static_cast<size_t>(n) * sizeof(EventFCalc));
    mAt += static_cast<size_t>(n);
    *returned = n;
    *next = mAt < mRecords.size() ? mRecords[mAt].tick : kEnumRecordEnd;
    return mAt < mRecords.size() ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE GetRecordSize(int32_t* bytes) noexcept override {
    *bytes = mRecordSize;
    return S_OK;
  }
  int32_t lastBytes = -1;

 private:
  std::vector<EventFCalc> mRecords;
  size_t mAt = 0;
  int32_t mRecordSize;
};

ComPtr<ICalcEnum> MakeSelector(const wchar_t* settings) {
  ComPtr<ICalcEnum> selector;
  selector.Attach(new Selector(nullptr, nullptr));
  uint32_t kind = 0;
  EXPECT_EQ(selector->LoadSettings(QOR::String(settings).GetInterface(), &kind), S_OK);
  EXPECT_EQ(kind, 0x40000000u);
  return selector;
}

// The source's records selected by index, read into two output records at a time.
std::vector<SelectedValueRecord> Select(const wchar_t* settings, const std::vector<EventFCalc>& records,
                                        int32_t* askedBytes = nullptr) {
  ComPtr<ICalcEnum> selector = MakeSelector(settings);
  host::HostPtr<ScriptedSource> source(new ScriptedSource(records, 344), false);
  IUnknown* sources[] = {static_cast<ICalcEnum*>(source.Get())};
  EXPECT_EQ(selector->SetSources(0, 1, sources, nullptr, 0.001, 0), S_OK);
  ComPtr<IEnumEventEx> events;
  selector->QueryInterface(IID_IEnumEventEx, events.OutVoid());
  std::vector<SelectedValueRecord> out;
  for (HRESULT hr = S_OK; hr == S_OK;) {
    SelectedValueRecord buffer[2];
    int32_t returned = 0, next = 0;
    hr = events->Next(sizeof buffer, kEnumRecordEnd, buffer, &returned, &next);
    out.insert(out.end(), buffer, buffer + returned);
  }
  if (askedBytes) *askedBytes = source->lastBytes;
  return out;
}

EventFCalc Spike(int32_t tick, float fraction, float height, float slope) {
  EventFCalc e;
  e.tick = tick;
  e.fraction = fraction;
  e.count = 3;
  e.height = height;
  e.slope = slope;
  return e;
}

uint64_t Bits(double d) {
  uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  return bits;
}

}  // namespace

// "zrselector(T, 5)" passes T's Height on, event by event, at T's positions.
TEST(Selector, FormulaGivesTheChainsHeightColumn) {
  const auto chain = formularun::Run(CardiacDocument().Get(), kFull);
  const auto selected = formularun::Run(CardiacDocument().Get(), std::wstring(L"zrselector(") + kFull + L", 5)");
  ASSERT_GE(chain.size(), 3u);
  ASSERT_EQ(selected.size(), chain.size());
  for (size_t i = 0; i < chain.size(); ++i) {
    EXPECT_EQ(selected[i].at("tick"), chain[i].at("tick")) << "event " << i;
    EXPECT_EQ(selected[i].at("fraction"), chain[i].at("fraction")) << "event " << i;
    EXPECT_EQ(std::stod(selected[i].at("value")), static_cast<double>(std::stof(chain[i].at("m5")))) << "event " << i;
  }
  for (const int32_t block : {3, 777}) EXPECT_EQ(formularun::Run(CardiacDocument().Get(), std::wstring(L"zrselector(") + kFull + L", 5)", block), selected) << "block " << block;
}

TEST(Selector, IndexRoundsHalfUpAndNamesOutOfRangeValues) {
  const std::vector<EventFCalc> records = {Spike(10, 0.25f, 2.0f, 7.0f), Spike(20, -0.5f, 3.0f, 8.0f)};
  int32_t asked = 0;
  const auto slope = Select(L"47.5", records, &asked);
  EXPECT_EQ(asked, 2 * 344);  // two output records ask for two input records
  ASSERT_EQ(slope.size(), 2u);
  EXPECT_EQ(slope[1].value, 8.0);
  EXPECT_EQ(slope[0].tick, 10);
  EXPECT_EQ(slope[0].fraction, 0.25f);
  EXPECT_EQ(slope[1].tick, 20);  // 19.5 stays 20 - 0.5
  EXPECT_EQ(slope[1].fraction, -0.5f);
  EXPECT_TRUE(std::isnan(Select(L"47.4", records)[0].value));  // 47: Latency, no value
  EXPECT_EQ(Select(L"58", records)[0].value, 0.0);
  EXPECT_EQ(Select(L"59", records)[0].value, -1.0);
  EXPECT_EQ(Select(L"7", records)[0].value, -1.0);
  EXPECT_EQ(Select(L"1", records)[0].value, 3.0);  // the count
}

// An empty population-spike record: NaN (the no-value bits widened) for a measurement, -1 for the count.
TEST(Selector, NoValueWidensToQuietNaN) {
  EventFCalc empty;
  empty.tick = 500;
  EXPECT_EQ(Bits(Select(L"49", {empty})[0].value), 0x7FF90C0000000000ull);
  EXPECT_EQ(Select(L"1", {empty})[0].value, -1.0);
}

// Source records of any other size would be read as garbage: the selector refuses them.
TEST(Selector, RefusesSourcesThatAreNotFullRecords) {
  ComPtr<ICalcEnum> selector = MakeSelector(L"5");
  host::HostPtr<ScriptedSource> small(new ScriptedSource({}, 112), false);
  IUnknown* sources[] = {static_cast<ICalcEnum*>(small.Get())};
  EXPECT_EQ(selector->SetSources(0, 1, sources, nullptr, 0.001, 0), E_FAIL);
  ComPtr<IEnumEventEx> events;
  selector->QueryInterface(IID_IEnumEventEx, events.OutVoid());
  SelectedValueRecord buffer[2];
  int32_t returned = -1, next = -1;
  EXPECT_EQ(events->Next(sizeof buffer, kEnumRecordEnd, buffer, &returned, &next), E_FAIL);
  EXPECT_EQ(returned, 0);
  EXPECT_EQ(events->Find(0, 0, 0, 100), E_FAIL);
  EXPECT_EQ(selector->SetStartTick(5), S_FALSE);
}

TEST(Selector, SettingsKeepTheIndexWhenUnreadable) {
  ComPtr<ICalcEnum> selector = MakeSelector(L"48");
  uint32_t kind = 0;
  EXPECT_EQ(selector->LoadSettings(QOR::String(L"none").GetInterface(), &kind), S_OK);
  QOR::IQORString* text = nullptr;
  ASSERT_EQ(selector->SaveSettings(&text), S_OK);
  EXPECT_EQ(std::wstring(QOR::String(text).GetText()), L"48");
  text->Release();
  ComPtr<ICalcEnum> clone;
  ASSERT_EQ(selector->Clone(nullptr, clone.Out()), S_OK);
  EXPECT_EQ(static_cast<Selector*>(clone.Get())->CalcIndex(), 48);
}
