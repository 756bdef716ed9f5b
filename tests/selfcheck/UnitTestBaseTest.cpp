// The self-check base as the host's unit-test service sees it: case list, outcomes, failure
// texts, and what happens past the list or when a case throws something unexpected.
#include <gtest/gtest.h>

#include "base/XQOR.h"
#include "selfcheck/CheckAssert.h"
#include "selfcheck/UnitTestBase.h"

#include <new>
#include <stdexcept>
#include <string>

namespace {

std::wstring Take(QOR::IQORString* text) { return QOR::String::Adopt(text).GetText(); }

// Five cases: pass, a failed assertion, a standard exception, an XQOR, and a thrown int.
class SampleCheck final : public SelfCheck::UnitTestBase {
 public:
  bool configureFails = false;
  int tearDowns = 0;
  int ownerCalls = 0;
  bool* destroyed = nullptr;

  ~SampleCheck() override {
    if (destroyed) *destroyed = true;
  }

 protected:
  void AddTestCases() override {
    AddTestCase([] {}, QOR::String(L"Sample::Passes"), 60.0);
    AddTestCase([] { SelfCheck::CheckThat(1 + 1 == 3, "1 + 1 == 3", "dir\\TestSample", 42, QOR::String(L"sum")); },
                QOR::String(L"Sample::Fails"), 30.0);
    AddTestCase([] { throw std::runtime_error("bad state"); }, QOR::String(L"Sample::Throws"), 1.0);
    AddTestCase([] { throw XQOR(QOR::String(L"host refused"), 0); }, QOR::String(L"Sample::Refused"), 1.0);
    AddTestCase([] { throw 7; }, QOR::String(L"Sample::ThrowsInt"), 1.0);
  }
  void InitOwner() override {
    ++ownerCalls;
    SetOwner(QOR::String(L"checks@example.org"));
  }
  void Configure() override {
    SelfCheck::CheckThat(!configureFails, "!configureFails", "TestSample", 7);
  }
  void TearDown() override { ++tearDowns; }
};

struct Outcome {
  VARIANT_BOOL passed;
  std::wstring message;
};

Outcome Result(IUnitTest* test) {
  VARIANT_BOOL passed = 1;
  QOR::IQORString* message = nullptr;
  EXPECT_EQ(S_OK, test->GetResult(&passed, &message));
  return {passed, Take(message)};
}

}  // namespace

// A check whose memory cannot be had.
class UnmakeableCheck final : public SelfCheck::UnitTestBase {
 public:
  UnmakeableCheck() { throw std::bad_alloc(); }

 protected:
  void AddTestCases() override {}
  void InitOwner() override {}
};

TEST(UnitTestBase, ListsItsCasesOnceAfterInitialise) {
  SampleCheck* const check = new SampleCheck;
  IUnitTest* const test = check;
  test->AddRef();
  int32_t count = -1;
  ASSERT_EQ(S_OK, test->GetTestCount(&count));
  EXPECT_EQ(0, count);
  ASSERT_EQ(S_OK, test->Initialise());
  ASSERT_EQ(S_OK, test->Initialise());  // a second call lists nothing more
  ASSERT_EQ(S_OK, test->GetTestCount(&count));
  EXPECT_EQ(5, count);
  QOR::IQORString* name = nullptr;
  ASSERT_EQ(S_OK, test->GetTestName(1, &name));
  EXPECT_EQ(L"Sample::Fails", Take(name));
  double weight = 0.0;
  ASSERT_EQ(S_OK, test->GetTestWeight(1, &weight));
  EXPECT_EQ(30.0, weight);
  EXPECT_EQ(E_FAIL, test->GetTestCount(nullptr));
  // The host's table: slot 3 is the count, slot 9 the weight.
  using CountSlot = HRESULT(STDMETHODCALLTYPE*)(IUnitTest*, int32_t*);
  using WeightSlot = HRESULT(STDMETHODCALLTYPE*)(IUnitTest*, uint32_t, double*);
  void** const table = *reinterpret_cast<void***>(test);
  ASSERT_EQ(S_OK, reinterpret_cast<CountSlot>(table[3])(test, &count));
  EXPECT_EQ(5, count);
  ASSERT_EQ(S_OK, reinterpret_cast<WeightSlot>(table[9])(test, 0, &weight));
  EXPECT_EQ(60.0, weight);
  bool destroyed = false;
  check->destroyed = &destroyed;
  EXPECT_EQ(0u, test->Release());
  EXPECT_TRUE(destroyed);
  // As registration makes them: a count of 0 until the host's service takes its reference.
  IUnknown* const made = SelfCheck::NewSelfCheck<SampleCheck>();
  ASSERT_NE(nullptr, made);
  EXPECT_EQ(1u, made->AddRef());
  EXPECT_EQ(0u, made->Release());
  // Out of memory: null, which registration leaves out instead of handing to the host.
  EXPECT_EQ(nullptr, SelfCheck::NewSelfCheck<UnmakeableCheck>());
}

TEST(UnitTestBase, RecordsEachRunsOutcomeAndText) {
  SampleCheck check;
  check.AddRef();
  ASSERT_EQ(S_OK, check.Initialise());
  Outcome fresh = Result(&check);
  EXPECT_EQ(VARIANT_TRUE, fresh.passed);
  EXPECT_EQ(L"", fresh.message);
  struct Case {
    uint32_t index;
    VARIANT_BOOL passed;
    const wchar_t* message;
  };
  const Case cases[] = {
      {1, VARIANT_FALSE, L"TestSample, Line 42 [1 + 1 == 3], [sum]"},
      {0, VARIANT_TRUE, L""},
      {2, VARIANT_FALSE, L"Unexpected exception: bad state"},
      {3, VARIANT_FALSE, L"Unexpected exception: host refused"},
      {4, VARIANT_FALSE, L"Unexpected exception: unknown"},
      {0, VARIANT_TRUE, L""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(S_OK, check.RunTest(c.index)) << c.index;
    const Outcome outcome = Result(&check);
    EXPECT_EQ(c.passed, outcome.passed) << c.index;
    EXPECT_EQ(c.message, outcome.message) << c.index;
  }
  // Tear-down follows only the passing runs.
  EXPECT_EQ(2, check.tearDowns);
  check.configureFails = true;
  EXPECT_EQ(S_OK, check.RunTest(0));
  EXPECT_EQ(L"TestSample, Line 7 [!configureFails]", Result(&check).message);
  EXPECT_EQ(2, check.tearDowns);
}

TEST(UnitTestBase, RefusesIndexesPastTheListAndNullPointers) {
  SampleCheck check;
  check.AddRef();
  ASSERT_EQ(S_OK, check.Initialise());
  EXPECT_EQ(E_INVALIDARG, check.RunTest(5));
  const Outcome outcome = Result(&check);
  EXPECT_EQ(VARIANT_FALSE, outcome.passed);
  EXPECT_EQ(L"Test index out of range", outcome.message);
  QOR::IQORString* name = reinterpret_cast<QOR::IQORString*>(1);
  EXPECT_EQ(E_INVALIDARG, check.GetTestName(0xFFFFFFFFu, &name));
  EXPECT_EQ(nullptr, name);
  double weight = -1.0;
  EXPECT_EQ(E_INVALIDARG, check.GetTestWeight(5, &weight));
  EXPECT_EQ(-1.0, weight);
  EXPECT_EQ(E_POINTER, check.GetTestName(0, nullptr));
  EXPECT_EQ(E_POINTER, check.GetTestWeight(0, nullptr));
  EXPECT_EQ(E_POINTER, check.GetResult(nullptr, &name));
  EXPECT_EQ(E_POINTER, check.GetOwner(nullptr));
}

TEST(UnitTestBase, AsksForTheOwnerOnEveryCall) {
  SampleCheck check;
  check.AddRef();
  for (int i = 0; i < 2; ++i) {
    QOR::IQORString* owner = nullptr;
    ASSERT_EQ(S_OK, check.GetOwner(&owner));
    EXPECT_EQ(L"checks@example.org", Take(owner));
  }
  EXPECT_EQ(2, check.ownerCalls);
}

TEST(FormatFailure, CutsTheLabelAfterItsLastBackslashAndLeavesOutEmptyParts) {
  struct Case {
    const char* expression;
    const char* file;
    int32_t line;
    const wchar_t* explanation;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {"", "TestStandardRoutines", 64, L"", L"TestStandardRoutines, Line 64"},
      {"hr==S_OK", "C:\\src\\UnitTestHelperLib/TestStandardRoutinescpp", 1234, L"",
       L"UnitTestHelperLib/TestStandardRoutinescpp, Line 1234 [hr==S_OK]"},
      {"", "a\\b\\test_ZREnums", 5, L"why", L"test_ZREnums, Line 5, [why]"},
      {"posok", "dir/no/backslash", -1, L"off", L"dir/no/backslash, Line -1 [posok], [off]"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(std::wstring(c.expected),
              SelfCheck::FormatFailure(c.expression, c.file, c.line, QOR::String(c.explanation)).GetText());
  }
}
