// A stage given a nested stage whose records are shorter than those it reads (stages named out of
// order) refuses its sources and ends each record at once, instead of never finishing it.
#include <gtest/gtest.h>

#include <memory>

#include "base/String.h"
#include "enumerators/calcamax/CalcAMax.h"
#include "enumerators/calcbase/CalcBase.h"
#include "enumerators/calcbase2/CalcBase2.h"
#include "enumerators/calcbulk/CalcBulk.h"
#include "enumerators/cappeakdet/CAPPeakDet.h"
#include "host/data/ChannelSampleSource.h"
#include "host/formula/SignalFormula.h"
#include "hostclient/ComPtr.h"

namespace {

ComPtr<ICalcEnum> Loaded(ICalcEnum* created, const wchar_t* settings) {
  ComPtr<ICalcEnum> stage;
  stage.Attach(created);
  uint32_t kind = 0;
  EXPECT_EQ(stage->LoadSettings(QOR::String(settings).GetInterface(), &kind), S_OK);
  return stage;
}

TEST(StageSourceRecord, ShorterNestedRecordsAreRefusedAndTheRecordEnds) {
  const std::vector<float> samples = host::SignalFormula(L"sin(t * 60)").Sample(0.001, 0, 3000);
  auto record = std::make_shared<host::ChannelRecord>(1, 1000, true);
  record->Append(samples.data(), 3000);
  const auto detector = [] { return Loaded(new ZR::Enum::CAPPeakDetEnumerator(nullptr, nullptr), L"0 0.3"); };
  const auto base = [] { return Loaded(new ZR::Enum::CalcBaseEnumerator(nullptr, nullptr), L"0"); };
  struct Case {
    const char* name;
    ComPtr<ICalcEnum> outer;
    ComPtr<ICalcEnum> nested;
    HRESULT expected;
  };
  Case cases[] = {
      {"calcamax over peaks", Loaded(new ZR::Enum::CalcAMaxEnumerator(nullptr, nullptr), L"0"), detector(), E_INVALIDARG},
      {"calcbase2 over bases", Loaded(new ZR::Enum::CalcBase2Enumerator(nullptr, nullptr), L"0"), base(), E_INVALIDARG},
      {"calcbulk over peaks", Loaded(new ZR::Enum::CalcBulkEnumerator(nullptr, nullptr), L"0"), detector(), E_INVALIDARG},
      {"calcbase over peaks", base(), detector(), S_OK},
  };
  for (Case& c : cases) {
    ComPtr<ISampleSource> channel, nestedChannel;
    ASSERT_EQ(host::CreateChannelSampleSource(record, 0, kRecordEndOffset, channel.Out()), S_OK);
    ASSERT_EQ(host::CreateChannelSampleSource(record, 0, kRecordEndOffset, nestedChannel.Out()), S_OK);
    IUnknown* nestedSources[] = {nestedChannel.Get()};
    ASSERT_EQ(c.nested->SetSources(0, 1, nestedSources, nullptr, 0.001, 0), S_OK) << c.name;
    IUnknown* sources[] = {channel.Get(), c.nested.Get()};
    EXPECT_EQ(c.outer->SetSources(0, 2, sources, nullptr, 0.001, 0), c.expected) << c.name;
    ComPtr<IEnumEventEx> events;
    ASSERT_EQ(c.outer->QueryInterface(IID_IEnumEventEx, reinterpret_cast<void**>(events.Out())), S_OK);
    std::vector<unsigned char> buffer(344 * 8);
    int32_t returned = -1, next = -1;
    HRESULT hr = S_OK;
    int rounds = 0;
    while (hr == S_OK && ++rounds < 1000)
      hr = events->Next(static_cast<int32_t>(buffer.size()), kRecordEndOffset, buffer.data(), &returned, &next);
    EXPECT_EQ(hr, S_FALSE) << c.name;  // the record ends, with or without events
    EXPECT_EQ(next, kRecordEndOffset) << c.name;
    if (c.expected != S_OK) {
      EXPECT_EQ(rounds, 1) << c.name;
    }
  }
}

}  // namespace
