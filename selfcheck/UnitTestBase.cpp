// UnitTestBase: running one case, keeping its outcome and handing out names and texts.
#include "selfcheck/UnitTestBase.h"

#include "base/XQOR.h"
#include "hostclient/ComBoundary.h"
#include "selfcheck/UnitTestException.h"

#include <exception>
#include <utility>

namespace SelfCheck {

namespace {

constexpr wchar_t kUnexpectedException[] = L"Unexpected exception: ";
constexpr wchar_t kIndexOutOfRange[] = L"Test index out of range";

}  // namespace

void UnitTestBase::AddTestCase(TestCase body, const QOR::String& fullName, double weight) {
  // Grow all three first, so that a failure leaves the lists parallel.
  mCases.reserve(mCases.size() + 1);
  mNames.reserve(mNames.size() + 1);
  mWeights.reserve(mWeights.size() + 1);
  mCases.push_back(std::move(body));
  mNames.push_back(fullName);
  mWeights.push_back(weight);
}

void UnitTestBase::RecordFailure(const QOR::String& text) noexcept {
  mPassed = false;
  mMessage = text;
}

void UnitTestBase::RecordFailure(const wchar_t* text, const wchar_t* detail) noexcept {
  mPassed = false;
  try {
    mMessage = QOR::String(text);
    mMessage.Append(detail);
  } catch (...) {
    mMessage = QOR::String();  // no memory for the text: the failure itself is kept
  }
}

void UnitTestBase::RunCase(uint32_t index) {
  Configure();
  mCases[index]();
  TearDown();
}

HRESULT STDMETHODCALLTYPE UnitTestBase::GetTestCount(int32_t* count) noexcept {
  if (!count) return E_FAIL;
  *count = static_cast<int32_t>(mCases.size());
  return S_OK;
}

HRESULT STDMETHODCALLTYPE UnitTestBase::RunTest(uint32_t index) noexcept {
  mPassed = true;
  mMessage = QOR::String();
  if (index >= mCases.size()) {
    RecordFailure(kIndexOutOfRange, L"");
    return E_INVALIDARG;
  }
  // Nothing but the outcome leaves a case: the host's call must return.
  try {
    RunCase(index);
  } catch (const UnitTestException& e) {
    RecordFailure(e.Text());
  } catch (const XQOR& e) {
    RecordFailure(kUnexpectedException, e.GetMessage().GetText());
  } catch (const std::exception& e) {
    try {
      RecordFailure(kUnexpectedException, QOR::String(e.what()).GetText());
    } catch (...) {
      RecordFailure(kUnexpectedException, L"");
    }
  } catch (...) {
    RecordFailure(kUnexpectedException, L"unknown");
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE UnitTestBase::GetTestName(uint32_t index, QOR::IQORString** name) noexcept {
  if (!name) return E_POINTER;
  *name = nullptr;
  if (index >= mNames.size()) return E_INVALIDARG;
  *name = mNames[index].AddRefInterface();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE UnitTestBase::GetResult(VARIANT_BOOL* passed, QOR::IQORString** message) noexcept {
  if (!passed || !message) return E_POINTER;
  *passed = mPassed ? VARIANT_TRUE : VARIANT_FALSE;
  *message = mMessage.AddRefInterface();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE UnitTestBase::Initialise() noexcept {
  // A second call keeps the list it has: cases are listed once.
  if (mInitialised) return S_OK;
  return ComTry([&] {
    AddTestCases();
    mInitialised = true;
  });
}

HRESULT STDMETHODCALLTYPE UnitTestBase::GetOwner(QOR::IQORString** owner) noexcept {
  if (!owner) return E_POINTER;
  *owner = nullptr;
  return ComTry([&] {
    InitOwner();
    *owner = mOwner.AddRefInterface();
  });
}

HRESULT STDMETHODCALLTYPE UnitTestBase::GetTestWeight(uint32_t index, double* weight) noexcept {
  if (!weight) return E_POINTER;
  if (index >= mWeights.size()) return E_INVALIDARG;
  *weight = mWeights[index];
  return S_OK;
}

}  // namespace SelfCheck
