// The module's nine self-checks as the host lists and runs them: their order, counts and weights,
// and every case as a test of its own over the real enumerators.
#include <gtest/gtest.h>

#include "hostclient/ComPtr.h"
#include "selfcheck/SelfCheckClasses.h"
#include "tests/selfcheck/SelfCheckHost.h"

#include <array>
#include <string>
#include <vector>

namespace {

constexpr size_t kCheckCount = 9;

// The nine checks in registration order, made once (as the host keeps them) after the host is
// registered, since their configurations ask the host for the enumerator class.
const std::array<QOR::ComPtr<IUnitTest>, kCheckCount>& Checks() {
  static const std::array<QOR::ComPtr<IUnitTest>, kCheckCount> checks = [] {
    selfcheck_host::Register();
    auto take = [](IUnknown* made) {
      QOR::ComPtr<IUnitTest> check;
      if (made) made->QueryInterface(IID_IUnitTest, check.OutVoid());
      if (check) check->Initialise();
      return check;
    };
    using namespace Ondara::Enum;
    return std::array<QOR::ComPtr<IUnitTest>, kCheckCount>{
        take(SelfCheck::NewSelfCheck<CAPPeakDet::Test>()), take(SelfCheck::NewSelfCheck<ERStimDet::Test>()),
        take(SelfCheck::NewSelfCheck<CalcBase::Test>()),   take(SelfCheck::NewSelfCheck<CalcBase::TestAR>()),
        take(SelfCheck::NewSelfCheck<CalcAMax::Test>()),   take(SelfCheck::NewSelfCheck<CalcBase2::Test>()),
        take(SelfCheck::NewSelfCheck<CalcBulk::Test>()),   take(SelfCheck::NewSelfCheck<EventData::Test>()),
        take(SelfCheck::NewSelfCheck<Ondara::Ondara_Document>())};
  }();
  return checks;
}

std::wstring TakeText(QOR::IQORString* text) {
  return QOR::String::Adopt(text).GetText();
}

struct CaseRef {
  size_t check;
  uint32_t index;
  std::wstring name;
};

std::vector<CaseRef> AllCases() {
  std::vector<CaseRef> cases;
  for (size_t c = 0; c < kCheckCount; ++c) {
    IUnitTest* const check = Checks()[c].Get();
    int32_t count = 0;
    if (!check || FAILED(check->GetTestCount(&count))) continue;
    for (uint32_t i = 0; i < static_cast<uint32_t>(count); ++i) {
      QOR::IQORString* name = nullptr;
      check->GetTestName(i, &name);
      cases.push_back({c, i, TakeText(name)});
    }
  }
  return cases;
}

TEST(SelfCheckClasses, NineChecksInRegistrationOrderWithTheirCasesAndWeights) {
  const int32_t expectedCounts[kCheckCount] = {9, 7, 8, 6, 7, 7, 7, 7, 1};
  double totalWeight = 0.0;
  for (size_t c = 0; c < kCheckCount; ++c) {
    ASSERT_TRUE(Checks()[c]) << "check " << c;
    int32_t count = 0;
    ASSERT_EQ(S_OK, Checks()[c]->GetTestCount(&count));
    EXPECT_EQ(expectedCounts[c], count) << "check " << c;
    for (uint32_t i = 0; i < static_cast<uint32_t>(count); ++i) {
      double weight = 0.0;
      ASSERT_EQ(S_OK, Checks()[c]->GetTestWeight(i, &weight));
      totalWeight += weight;
    }
  }
  EXPECT_EQ(59 * 60.0, totalWeight);
  const std::vector<CaseRef> cases = AllCases();
  ASSERT_EQ(59u, cases.size());
  EXPECT_EQ(L"Ondara::Enum::CAPPeakDet::Test::DeterministicBounceTest", cases.front().name);
  EXPECT_EQ(L"Ondara::Enum::CalcBase::TestAR::DeterministicFindTest", cases[24].name);
  EXPECT_EQ(L"Ondara::Ondara_Document::TestCalculations", cases.back().name);
  QOR::IQORString* owner = nullptr;
  ASSERT_EQ(S_OK, Checks()[8]->GetOwner(&owner));
  EXPECT_FALSE(TakeText(owner).empty());
}

class SelfCheckCase : public testing::TestWithParam<CaseRef> {};

TEST_P(SelfCheckCase, PassesOnTheModulesEnumerators) {
  IUnitTest* const check = Checks()[GetParam().check].Get();
  ASSERT_EQ(S_OK, check->RunTest(GetParam().index));
  VARIANT_BOOL passed = VARIANT_FALSE;
  QOR::IQORString* message = nullptr;
  ASSERT_EQ(S_OK, check->GetResult(&passed, &message));
  const std::wstring text = TakeText(message);
  EXPECT_EQ(VARIANT_TRUE, passed) << testing::PrintToString(text);
  EXPECT_EQ(L"", text);
}

// "Ondara::Enum::CalcBase::TestAR::EventEnumTestFind" as "CalcBase_TestAR_EventEnumTestFind".
std::string CaseTestName(const testing::TestParamInfo<CaseRef>& info) {
  std::wstring name = info.param.name;
  const std::wstring prefixes[] = {L"Ondara::Enum::", L"Ondara::"};
  for (const std::wstring& prefix : prefixes) {
    if (name.compare(0, prefix.size(), prefix) == 0) {
      name.erase(0, prefix.size());
      break;
    }
  }
  std::string result;
  for (size_t i = 0; i < name.size(); ++i) {
    if (name[i] == L':') {
      result += '_';
      ++i;
    } else {
      result += static_cast<char>(name[i]);
    }
  }
  return result;
}

INSTANTIATE_TEST_SUITE_P(AllCases, SelfCheckCase, testing::ValuesIn(AllCases()), CaseTestName);

}  // namespace
