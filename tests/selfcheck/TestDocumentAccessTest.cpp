// The checks' test documents: made new per request, filled by the adder, with calculated
// channels that stand for their formula offline and while the record grows.
#include <gtest/gtest.h>

#include "enumerators/framework/EventEnumDataGetter.h"
#include "hostapi/CycleDetection.h"
#include "hostapi/PXDetectionSettings.h"
#include "hostclient/ClassGuids.h"
#include "selfcheck/EventHelper.h"
#include "selfcheck/FormulaDataAdder.h"
#include "selfcheck/RecordEvents.h"
#include "selfcheck/TestDocumentAccess.h"
#include "selfcheck/UnitTestException.h"
#include "tests/selfcheck/SelfCheckHost.h"

#include <string>
#include <vector>

namespace {

const std::wstring kCardiac =
    L"1/(0.01+(1-sin(5*t)))^2 * 0.0001 + threshold(sin(5*t - 2.5),.5)*(sin(5*t-2.5)-0.5)*(1+ 0.1*t)";

template <class T>
std::vector<T> ReadRecord(IUnknown* document, const wchar_t* formula) {
  ExtLib::EventEnumDataGetter getter(document, ExtLib::kGetterOffline);
  EXPECT_TRUE(getter.CreateEnum(GetEventTypeId(), formula)) << formula;
  std::vector<T> events;
  EXPECT_TRUE(SelfCheck::EventEnumDataGetter::GetRecordData(getter, 0, events)) << formula;
  return events;
}

template <class T>
void ExpectSameEvents(const std::vector<T>& tested, const std::vector<T>& reference) {
  ASSERT_EQ(reference.size(), tested.size());
  for (size_t i = 0; i < tested.size(); ++i) {
    EXPECT_TRUE(SelfCheck::EventHelper::same(tested[i], reference[i]))
        << "event " << i << ": " << testing::PrintToString(SelfCheck::EventHelper::toString(tested[i])) << " vs "
        << testing::PrintToString(SelfCheck::EventHelper::toString(reference[i]));
  }
}

class TestDocumentAccessTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { selfcheck_host::Register(); }
};

}  // namespace

TEST_F(TestDocumentAccessTest, EveryRequestMakesANewEmptyDocument) {
  QOR::ComPtr<IHostRecordData> first;
  QOR::ComPtr<IHostRecordData> second;
  ASSERT_EQ(S_OK, SelfCheck::GetTestObjectFactory(first.Out()));
  ASSERT_EQ(S_OK, SelfCheck::GetTestObjectFactory(second.Out()));
  ASSERT_TRUE(first && second);
  EXPECT_NE(first.Get(), second.Get());
  EXPECT_EQ(0, selfcheck_host::RecordCount(first.Get()));
  DataPosition end{0x7FFFFFFF, 0x7FFFFFFF};
  EXPECT_EQ(S_FALSE, first->GetEndPosition(0, &end));  // nothing recorded: the preset stays
  EXPECT_EQ(0x7FFFFFFF, end.mRecordOffset);
  EXPECT_EQ(E_POINTER, SelfCheck::GetTestObjectFactory(nullptr));
}

TEST_F(TestDocumentAccessTest, CalculatedChannelStandsForItsFormula) {
  const QOR::ComPtr<IHostRecordData> document = SelfCheck::NewTestDocument("TestDocumentAccessTest", 1);
  SelfCheck::FormulaDataAdder::Create(document.Get())->AddRecordAtOneRate({kCardiac}, 23110, 1000.0, 0.0);
  SelfCheck::AddCalculatedChannels(document.Get(), {L"cappeakdet(ch1,0.3)"});
  const auto direct =
      ReadRecord<EventBCalcBase2>(document.Get(), L"CalcBase2(ch1,calcamax(ch1,calcbase(ch1,cappeakdet(ch1,0.3))))");
  const auto virtualChannel = ReadRecord<EventBCalcBase2>(document.Get(), L"CalcBase2(ch1,calcamax(ch1,calcbase(ch1,vch1)))");
  EXPECT_GT(direct.size(), 10u);
  ExpectSameEvents(virtualChannel, direct);
}

TEST_F(TestDocumentAccessTest, CalculatedChannelFollowsAGrowingRecord) {
  const QOR::ComPtr<IHostRecordData> document = SelfCheck::NewTestDocument("TestDocumentAccessTest", 2);
  // Added before any data, as the online checks do.
  SelfCheck::AddCalculatedChannels(document.Get(), {L"cappeakdet(ch1,0.3)"});
  const auto adder = SelfCheck::FormulaDataAdder::Create(document.Get());
  adder->StartAddingAtOneRate({kCardiac}, 6000, 1000.0, 0.0);
  ExtLib::EventEnumDataGetter getter(document.Get(), ExtLib::kGetterOnline);
  ASSERT_TRUE(getter.CreateEnum(GetEventTypeId(), L"calcbase(ch1,vch1)"));
  ASSERT_TRUE(getter.SetSources(false, TickPosition(0, 0)));
  const QOR::ComPtr<IEnumEventEx> events = getter.GetEventEnum();
  std::vector<EventBCalcBase> online;
  auto pull = [&] {
    for (;;) {
      EventBCalcBase buffer[8];
      int32_t returned = 0;
      int32_t next = 0;
      const HRESULT hr = events->Next(sizeof buffer, kRecordEndOffset, buffer, &returned, &next);
      online.insert(online.end(), buffer, buffer + returned);
      if (hr != S_OK || returned == 0) return;
    }
  };
  for (int block = 0; block < 9; ++block) {
    adder->AddTicks(700);
    pull();
  }
  EXPECT_FALSE(online.empty());  // events arrive while the record grows
  adder->FinishSampling();
  pull();
  getter.Stop();
  ExpectSameEvents(online, ReadRecord<EventBCalcBase>(document.Get(), L"calcbase(ch1,cappeakdet(ch1,0.3))"));
}

TEST_F(TestDocumentAccessTest, ADocumentWithoutRoomForChannelsFailsTheCheck) {
  const auto adder = SelfCheck::FormulaDataAdder::Create();
  SelfCheck::AddCalculatedChannels(adder.Get(), {});  // nothing to add, nothing asked
  try {
    SelfCheck::AddCalculatedChannels(adder.Get(), {L"cappeakdet(ch1,0.3)"});  // not a document
    ADD_FAILURE() << "no failure";
  } catch (const SelfCheck::UnitTestException& e) {
    EXPECT_EQ(std::wstring(L"TestStandardRoutines, Line 64 [hr==S_OK]"), e.Text().GetText());
  }
}

// The detector formula is the host's own, with the values given; a document without the host's
// per-cycle service fails the check in words rather than leave the chain without a detector.
TEST_F(TestDocumentAccessTest, DetectorFormulaIsTheHostsForTheValuesGiven) {
  const QOR::ComPtr<IHostRecordData> document = SelfCheck::NewTestDocument("test", 1);
  EXPECT_EQ(L"PXDetect( ch2, 1, 0.25, 3, 10, 0, 0 )",
            SelfCheck::HostDetectorFormula(document.Get(), L"ch2",
                                           {{kDetectPolarity, -1.0}, {kDetectHysteresis, 0.25},
                                            {kPXParamMinHeight, 3.0}, {kDetectMinIntervalMs, 10.0},
                                            {kDetectBaselineMs, 0.0}, {kDetectRelative, 0.0}}));
  const auto adder = SelfCheck::FormulaDataAdder::Create();
  try {
    SelfCheck::HostDetectorFormula(adder.Get(), L"ch1", {});  // not a document
    ADD_FAILURE() << "no failure";
  } catch (const SelfCheck::UnitTestException& e) {
    EXPECT_EQ(std::wstring(L"TestStandardRoutines, Line 80 [settings], [The host made no detection settings for its "
                           L"test document.]"),
              e.Text().GetText());
  }
}
