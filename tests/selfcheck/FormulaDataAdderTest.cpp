// The formula data adder over the stand-in host's test documents: whole records, records grown
// tick by tick while the host's online sinks listen, and the failures it reports.
#include <gtest/gtest.h>

#include "host/data/DataDocument.h"
#include "host/data/TestDocumentClass.h"
#include "hostapi/DataDocument.h"
#include "hostapi/HostUnits.h"
#include "hostapi/OnlineData.h"
#include "hostclient/HostUnits.h"
#include "selfcheck/FormulaDataAdder.h"
#include "selfcheck/UnitTestException.h"
#include "tests/selfcheck/SelfCheckHost.h"
#include "tests/support/CardiacSignal.h"
#include "tests/support/NotingSink.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

using SelfCheck::FormulaDataAdder;

const std::wstring kCardiac =
    L"1/(0.01+(1-sin(5*t)))^2 * 0.0001 + threshold(sin(5*t - 2.5),.5)*(sin(5*t-2.5)-0.5)*(1+ 0.1*t)";

// The failure text of what call throws, or "(passed)".
template <class F>
std::wstring FailureOf(F&& call) {
  try {
    call();
  } catch (const SelfCheck::UnitTestException& e) {
    return e.Text().GetText();
  }
  return L"(passed)";
}

class FormulaDataAdderTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { selfcheck_host::Register(); }
};

}  // namespace

TEST_F(FormulaDataAdderTest, WholeRecordsHoldTheFormulaAndRestartItsTime) {
  const auto adder = FormulaDataAdder::Create();
  IHostRecordData* const document = adder->Document();
  ASSERT_NE(nullptr, document);
  const std::vector<std::wstring> formulas{kCardiac};
  adder->AddRecordAtOneRate(formulas, 32599, 1000.0, 0.0);
  adder->AddRecord(formulas, 500, {1000.0}, 12.0);
  ASSERT_EQ(2, selfcheck_host::RecordCount(document));
  const std::vector<float> first = selfcheck_host::ChannelSamples(document, 0, 0);
  ASSERT_EQ(32599u, first.size());
  // The same formula computed here, independently of the host's formula engine.
  const std::vector<float> expected = testsupport::CardiacSignal(32599);
  for (const size_t tick : {0u, 1u, 314u, 1234u, 20000u, 32598u})
    EXPECT_NEAR(expected[tick], first[tick], 1e-6 * std::max(1.0f, std::fabs(expected[tick]))) << tick;
  const std::vector<float> second = selfcheck_host::ChannelSamples(document, 0, 1);
  ASSERT_EQ(500u, second.size());
  EXPECT_EQ(first[314], second[314]);  // t restarts at 0 in every record
  int64_t length = 0;
  EXPECT_EQ(S_OK, adder->GetLength(&length));
  EXPECT_EQ(500, length);
  EXPECT_EQ(S_OK, adder->GetLengthEntry(&length));
  EXPECT_EQ(E_POINTER, adder->GetLength(nullptr));
}

TEST_F(FormulaDataAdderTest, GrowsARecordTickByTickWhileTheSinksListen) {
  const auto adder = FormulaDataAdder::Create();
  QOR::ComPtr<IOnlineDataService> service;
  ASSERT_EQ(S_OK, adder->Document()->QueryInterface(IID_IOnlineDataService, service.OutVoid()));
  std::vector<std::string> log;
  host::HostPtr<IOnlineDataSink> sink;
  sink.Attach(new testing_support::NotingSink(&log));
  ASSERT_EQ(S_OK, service->RegisterSink(sink.Get()));
  adder->StartAddingAtOneRate({L"2*t"}, 25, 1000.0, 5.0);
  for (int i = 0; i < 4; ++i) adder->AddTicks(10);  // the last two are cut to what is left
  adder->AddTicks(0);
  EXPECT_EQ(5u, log.size());  // the record is still open
  adder->FinishSampling();
  EXPECT_EQ((std::vector<std::string>{"start", "record 0", "data 0 10", "data 0 20", "data 0 25", "end 0 25", "stop"}),
            log);
  const std::vector<float> samples = selfcheck_host::ChannelSamples(adder->Document(), 0, 0);
  ASSERT_EQ(25u, samples.size());
  EXPECT_FLOAT_EQ(0.048f, samples[24]);
  EXPECT_EQ(S_OK, service->UnregisterSink(sink.Get()));
}

TEST_F(FormulaDataAdderTest, ChannelsTakeTheirRatesOnTheFastestTick) {
  const auto adder = FormulaDataAdder::Create();
  ASSERT_EQ(L"(passed)", FailureOf([&] { adder->AddRecord({L"t", L"t"}, 9, {1000.0, 250.0}, 1.0); }));
  EXPECT_EQ(1000.0, adder->TickRate());
  const std::vector<float> slow = selfcheck_host::ChannelSamples(adder->Document(), 1, 0);
  // A slower channel shows its last sample until the next one.
  EXPECT_EQ((std::vector<float>{0.0f, 0.0f, 0.0f, 0.0f, 0.004f, 0.004f, 0.004f, 0.004f, 0.008f}), slow);
  // 2.5 Hz is declared as whole hertz, one sample per 1/2 s, while its formula runs at 0.4 s.
  adder->AddRecord({L"t", L"t"}, 1001, {1000.0, 2.5}, 1.0);
  const std::vector<float> declared = selfcheck_host::ChannelSamples(adder->Document(), 1, 1);
  EXPECT_EQ(0.0f, declared[499]);
  EXPECT_FLOAT_EQ(0.4f, declared[500]);
  EXPECT_FLOAT_EQ(0.8f, declared[1000]);
  // No formula at all: one channel of 1 at 1000 Hz.
  adder->AddRecord({}, 3, {}, 1.0);
  EXPECT_EQ(std::vector<std::wstring>{L"1"}, adder->Expressions());
  EXPECT_EQ(std::vector<double>{1000.0}, adder->SampleRates());
  EXPECT_EQ((std::vector<float>{1.0f, 1.0f, 1.0f}), selfcheck_host::ChannelSamples(adder->Document(), 0, 2));
}

TEST_F(FormulaDataAdderTest, ReportsBadRequestsAsCheckFailures) {
  const auto adder = FormulaDataAdder::Create();
  EXPECT_EQ(L"TestDataAdder, Line 192 [mExpressions.size() == mSampleRates.size()]",
            FailureOf([&] { adder->AddRecord({L"1", L"2", L"3"}, 10, {1000.0, 500.0}, 1.0); }));
  EXPECT_EQ(L"TestDataAdder, Line 142 [mSink]", FailureOf([&] { adder->AddTicks(5); }));
  EXPECT_EQ(L"TestDataAdder, Line 104 [mSampleRates[channel] >= 1], "
            L"[Sample rates below 1 Hz cannot be declared to the host.]",
            FailureOf([&] { adder->AddRecordAtOneRate({L"t"}, 10, 0.5, 1.0); }));
  // A formula the host cannot read fails once the host's sampling call is back.
  EXPECT_EQ(L"TestDataAdder, Line 243 [calc->LoadSettings(expression)==S_OK], [sin(]",
            FailureOf([&] { adder->AddRecordAtOneRate({L"sin("}, 10, 1000.0, 1.0); }));
  // The document is left idle and takes the next record.
  const int32_t before = selfcheck_host::RecordCount(adder->Document());
  EXPECT_EQ(L"(passed)", FailureOf([&] { adder->AddRecordAtOneRate({L"t"}, 10, 1000.0, 1.0); }));
  EXPECT_EQ(before + 1, selfcheck_host::RecordCount(adder->Document()));
}

TEST_F(FormulaDataAdderTest, FailsWhenTheHostMakesNoTestDocument) {
  host::RefuseTestDocuments(true);
  const std::wstring failure = FailureOf([] { FormulaDataAdder::Create(); });
  host::RefuseTestDocuments(false);
  EXPECT_EQ(L"TestDataAdder, Line 38 [testdoc], [The host could not create a test document.]", failure);
}

// A channel flagged 0x80000000 is declared to the host with a units object bounded to -10 .. 10, the others
// unbounded; the host keeps each channel's range.
TEST_F(FormulaDataAdderTest, FlaggedChannelsHoldTheRangeMinusTenToTen) {
  const auto adder = FormulaDataAdder::Create();
  adder->SetChannelFlags({0u, 0x80000000u});
  adder->AddRecordAtOneRate({L"t", L"t", L"t"}, 10, 1000.0, 1.0);
  QOR::ComPtr<IHostDataDocument> data;
  ASSERT_EQ(S_OK, adder->Document()->QueryInterface(IID_IHostDataDocument, data.OutVoid()));
  const host::Recording& recording = static_cast<host::DataDocument*>(data.Get())->Data();
  ASSERT_EQ(3u, recording.channels.size());
  const float inf = HUGE_VALF;
  EXPECT_EQ(-inf, recording.channels[0].lowest);
  EXPECT_EQ(inf, recording.channels[0].highest);
  EXPECT_EQ(-10.0f, recording.channels[1].lowest);
  EXPECT_EQ(10.0f, recording.channels[1].highest);
  EXPECT_EQ(inf, recording.channels[2].highest) << "no flag word for the third channel";

  // The units object itself: the range record as the host lays it out, and none for a prefixed unit.
  QOR::ComPtr<IUnknown> unit;
  ASSERT_EQ(S_OK, QOR::MakeRangedUnit(-10.0f, 10.0f, L"V", unit.Out()));
  QOR::ComPtr<IHostUnit> ranged;
  ASSERT_EQ(S_OK, unit->QueryInterface(IID_IHostUnit, ranged.OutVoid()));
  HostChannelRange range{};
  ASSERT_EQ(S_OK, ranged->GetRange(&range));
  EXPECT_EQ(1.0, range.scale);
  EXPECT_EQ(0.0, range.offset);
  EXPECT_EQ(10.0f, range.maximum);
  EXPECT_EQ(-10.0f, range.minimum);
  EXPECT_EQ(2, range.kind);
  EXPECT_EQ(1, range.flags);
  EXPECT_EQ(0, range.reserved);
  ASSERT_EQ(S_OK, QOR::MakePrefixedUnit(kUnitPrefixNone, L"V", unit.Out()));
  ASSERT_EQ(S_OK, unit->QueryInterface(IID_IHostUnit, ranged.OutVoid()));
  EXPECT_EQ(S_FALSE, ranged->GetRange(&range));
  EXPECT_EQ(inf, range.maximum);
}
