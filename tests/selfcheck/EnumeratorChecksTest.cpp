// The enumerator checks against chains broken on purpose: each fault makes the check that
// guards it fail with its own text, and stalled or missing enumerators fail instead of hanging.
#include <gtest/gtest.h>

#include "enumerators/framework/EventEnumDataGetter.h"
#include "hostclient/ClassGuids.h"
#include "selfcheck/BounceCheck.h"
#include "selfcheck/EventHelper.h"
#include "selfcheck/FindCheck.h"
#include "selfcheck/NextChecks.h"
#include "selfcheck/OnlineOfflineCheck.h"
#include "selfcheck/SetSourcesCheck.h"
#include "selfcheck/UnitTestException.h"
#include "tests/selfcheck/FaultyEnumerator.h"
#include "tests/selfcheck/SelfCheckHost.h"

#include <cwchar>
#include <string>
#include <vector>

namespace {

using selfcheck_faults::Fault;
using selfcheck_faults::FaultyEnumClass;

const std::wstring kCardiac =
    L"1/(0.01+(1-sin(5*t)))^2 * 0.0001 + threshold(sin(5*t - 2.5),.5)*(sin(5*t-2.5)-0.5)*(1+ 0.1*t)";
const std::wstring kStandard = L"UnitTestHelperLib/TestStandardRoutinescpp, Line ";

// The failure text of a check, empty when it passed.
template <class Check>
std::wstring FailureOf(Check check) {
  try {
    check();
  } catch (const SelfCheck::UnitTestException& e) {
    return e.Text().GetText();
  }
  return std::wstring();
}

class EnumeratorChecks : public testing::Test {
 protected:
  static void SetUpTestSuite() { selfcheck_host::Register(); }

  // The detector over the cardiac signal, made through the class with fault.
  static SelfCheck::EnumTestConfig Config(Fault fault, int32_t samples = 32599, int32_t heldIndex = 0) {
    SelfCheck::EnumTestConfig config(kCardiac, L"cappeakdet(ch1,0.3)", samples);
    config.mEnumID = FaultyEnumClass(fault, heldIndex);
    return config;
  }
};

TEST_F(EnumeratorChecks, CorrectChainPassesThroughTheWrapper) {
  const SelfCheck::EnumTestConfig config = Config(Fault::None);
  EXPECT_EQ(L"", FailureOf([&] { SelfCheck::CheckNextOffline(config, 24); }));
  EXPECT_EQ(L"", FailureOf([&] { SelfCheck::CheckOnlineOfflineComparison<EventPkStm>(config); }));
  EXPECT_EQ(L"", FailureOf([&] { SelfCheck::CheckBounce<EventPkStm>(config, 0); }));
}

TEST_F(EnumeratorChecks, SFalseWithoutTheRecordEndFailsEveryNextLoop) {
  const SelfCheck::EnumTestConfig config = Config(Fault::FalseBeforeEnd);
  EXPECT_EQ(L"TestStandardRoutines, Line 122 [nut==kRecordEndOffset || hr==S_OK], [Bad HResult from Next.]",
            FailureOf([&] { SelfCheck::CheckNextOffline(config, 24); }));
  EXPECT_EQ(L"TestStandardRoutines, Line 195 [hr==S_OK || nut==kRecordEndOffset], "
            L"[S_FALSE and kRecordEndOffset must go together.]",
            FailureOf([&] { SelfCheck::CheckNextOnline(config, 24); }));
  EXPECT_EQ(kStandard + L"310 [hr==S_OK || nut==kRecordEndOffset]",
            FailureOf([&] { SelfCheck::CheckOnlineOfflineComparison<EventPkStm>(config); }));
}

TEST_F(EnumeratorChecks, TooShortARecordFailsBeforeAnythingIsMade) {
  const SelfCheck::EnumTestConfig config = Config(Fault::None, 200);
  EXPECT_EQ(L"TestStandardRoutines, Line 82 [numsamples>200]", FailureOf([&] { SelfCheck::CheckNextOffline(config, 24); }));
  EXPECT_EQ(L"TestStandardRoutines, Line 158 [numsamples>200]", FailureOf([&] { SelfCheck::CheckNextOnline(config, 24); }));
}

// The bounced event is one tick after the stored one, and the message says which is which.
TEST_F(EnumeratorChecks, EventOneTickLateAfterARestartFailsTheBounces) {
  const SelfCheck::EnumTestConfig config = Config(Fault::LateAfterRestart);
  const struct {
    std::wstring text;
    std::wstring head;
  } runs[] = {
      {FailureOf([&] { SelfCheck::CheckBounce<EventPkStm>(config, 0); }), kStandard + L"192 [tp1 == tp2], "},
      {FailureOf([&] { SelfCheck::CheckBounce<EventPkStm>(config, 1); }), kStandard + L"192 [tp1 == tp2], "},
      {FailureOf([&] { SelfCheck::CheckDeterministicBounce<EventPkStm>(config); }),
       L"test_ZREnums, Line 138 [tp1 == tp2], "},
  };
  for (const auto& run : runs) {
    ASSERT_EQ(run.head, run.text.substr(0, run.head.size())) << run.text;
    int stored = -1;
    int bounced = -1;
    ASSERT_EQ(2, std::swscanf(run.text.c_str() + run.head.size(),
                              L"[Bounce gave different result! Peak was at %d, but bouncing put it at %d.]", &stored,
                              &bounced))
        << run.text;
    EXPECT_EQ(stored + 1, bounced) << run.text;
  }
}

TEST_F(EnumeratorChecks, PositionZeroAfterSetSourcesFailsTheSetSourcesCheck) {
  EXPECT_EQ(kStandard + L"807 [posok], [Incorrect position after SetSources (0 instead of 16999 in record with 17000 "
                        L"ticks).]",
            FailureOf([&] { SelfCheck::CheckSetSources<EventPkStm>(Config(Fault::PositionZero)); }));
}

// 7300 samples hold 12 events. A held-back event in the middle shifts the later ones, so the
// first difference names it; the last one held back leaves the online count one short.
TEST_F(EnumeratorChecks, EventHeldBackOnlineFailsTheComparison) {
  using SelfCheck::EventHelper::toString;
  const int32_t samples = 7300;
  const QOR::ComPtr<IHostRecordData> document = SelfCheck::NewTestDocument("EnumeratorChecksTest", 1);
  SelfCheck::FormulaDataAdder::Create(document.Get())->AddRecordAtOneRate({kCardiac}, samples, 1000.0, 0.0);
  ExtLib::EventEnumDataGetter getter(document.Get(), ExtLib::kGetterOffline);
  ASSERT_TRUE(getter.CreateEnum(GetEventTypeId(), L"cappeakdet(ch1,0.3)"));
  std::vector<EventPkStm> offline;
  ASSERT_TRUE(SelfCheck::EventEnumDataGetter::GetRecordData(getter, 0, offline));
  ASSERT_EQ(12u, offline.size()) << toString(offline.back());

  EXPECT_EQ(kStandard + L"323 [EventHelper::same(buf[i],vec[ndx+i])], [Event #3 differs between online and offline (" +
                toString(offline[4]) + L" vs " + toString(offline[3]) + L").]",
            FailureOf([&] {
              SelfCheck::CheckOnlineOfflineComparison<EventPkStm>(Config(Fault::HoldBackOnline, samples, 3));
            }));
  EXPECT_EQ(kStandard + L"336 [ndx==vec.size()], [Offline found 12 events, but online found 11 events!]",
            FailureOf([&] {
              SelfCheck::CheckOnlineOfflineComparison<EventPkStm>(Config(Fault::HoldBackOnline, samples, 11));
            }));
}

TEST_F(EnumeratorChecks, StalledEnumeratorFailsInsteadOfHanging) {
  EXPECT_EQ(L"TestStandardRoutines, Line 139 [ncalls<=maxcalls], [Enumerator made no progress in Next.]",
            FailureOf([&] { SelfCheck::CheckNextOffline(Config(Fault::Stall), 24); }));
  EXPECT_EQ(L"TestStandardRoutines, Line 197 [ncalls<=maxcalls], [Enumerator made no progress in Next.]",
            FailureOf([&] { SelfCheck::CheckNextOnline(Config(Fault::StallFull), 24); }));
}

TEST_F(EnumeratorChecks, MissingEnumeratorFailsWhereItIsTaken) {
  const SelfCheck::EnumTestConfig config = Config(Fault::NoEnumerator);
  EXPECT_EQ(L"TestStandardRoutines, Line 117 [theenum]", FailureOf([&] { SelfCheck::CheckNextOffline(config, 24); }));
  EXPECT_EQ(L"TestStandardRoutines, Line 185 [theenum]", FailureOf([&] { SelfCheck::CheckNextOnline(config, 24); }));
  EXPECT_EQ(kStandard + L"366 [edg.CreateEnum(config.mEnumID, config.mArithString)]",
            FailureOf([&] { SelfCheck::CheckFind<EventPkStm>(config); }));
}

}  // namespace
