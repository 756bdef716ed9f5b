// The host's self-check runner over a service holding checks with passing and failing cases.
#include "host/app/SelfCheckRunner.h"

#include "host/common/HostObject.h"
#include "host/common/HostString.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Cases named in order; a name starting with '!' fails with "broken <name>".
class ScriptedCheck final : public host::HostObject<IUnitTest> {
 public:
  explicit ScriptedCheck(std::vector<std::wstring> cases) : mCases(std::move(cases)) {}
  int initialised = 0;

  HRESULT STDMETHODCALLTYPE GetTestCount(int32_t* count) noexcept override {
    *count = initialised ? static_cast<int32_t>(mCases.size()) : 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RunTest(uint32_t index) noexcept override {
    mPassed = mCases[index][0] != L'!';
    mMessage = mPassed ? L"" : L"broken " + mCases[index].substr(1);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTestName(uint32_t index, QOR::IQORString** name) noexcept override {
    *name = host::MakeHostString(mCases[index]).Detach();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetResult(VARIANT_BOOL* passed, QOR::IQORString** message) noexcept override {
    *passed = mPassed ? VARIANT_TRUE : VARIANT_FALSE;
    *message = host::MakeHostString(mMessage).Detach();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Initialise() noexcept override {
    ++initialised;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetOwner(QOR::IQORString** owner) noexcept override {
    *owner = host::MakeHostString(L"lab").Detach();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTestWeight(uint32_t, double* weight) noexcept override {
    *weight = 60.0;
    return S_OK;
  }

 private:
  void* FindInterface(REFIID iid) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IUnitTest)) return static_cast<IUnitTest*>(this);
    return nullptr;
  }
  std::vector<std::wstring> mCases;
  bool mPassed = true;
  std::wstring mMessage;
};

class ListService final : public IUnitTestService {
 public:
  std::vector<IUnknown*> tests;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) noexcept override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 2; }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
  HRESULT STDMETHODCALLTYPE RegisterTest(IUnknown*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTestCount(uint32_t* count) noexcept override {
    *count = static_cast<uint32_t>(tests.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTestAt(uint32_t index, IUnknown** test) noexcept override {
    *test = tests[index];
    (*test)->AddRef();
    return S_OK;
  }
};

// What RunSelfChecks prints, and its answer.
std::wstring Printed(IUnitTestService& service, bool listOnly, int* failed) {
  std::FILE* const out = std::tmpfile();
  EXPECT_NE(nullptr, out);
  *failed = ondara_host::RunSelfChecks(service, listOnly, out);
  std::rewind(out);
  std::wstring text;
  for (wint_t c; (c = std::fgetwc(out)) != WEOF;) text.push_back(static_cast<wchar_t>(c));
  std::fclose(out);
  return text;
}

}  // namespace

TEST(SelfCheckRunner, ListsThenRunsEveryCaseAndCountsTheFailures) {
  ScriptedCheck* const first = new ScriptedCheck({L"A::one", L"!A::two"});
  ScriptedCheck* const second = new ScriptedCheck({L"B::only"});
  ListService service;
  service.tests = {static_cast<IUnitTest*>(first), static_cast<IUnitTest*>(second)};
  int failed = -1;
  EXPECT_EQ(L"self-checks: 2\n"
            L"check 1 (lab): 2 cases\n  A::one  (weight 60)\n  !A::two  (weight 60)\n"
            L"check 2 (lab): 1 cases\n  B::only  (weight 60)\n",
            Printed(service, true, &failed));
  EXPECT_EQ(0, failed);
  EXPECT_EQ(L"self-checks: 2\n"
            L"check 1 (lab): 2 cases\nPASS A::one\nFAIL !A::two\n    broken A::two\n"
            L"check 2 (lab): 1 cases\nPASS B::only\n"
            L"2 passed, 1 failed\n",
            Printed(service, false, &failed));
  EXPECT_EQ(1, failed);
  EXPECT_EQ(2, first->initialised);
  first->Release();
  second->Release();
}
