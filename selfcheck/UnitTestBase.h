// UnitTestBase: the host's unit-test interface over an ordered list of check cases.
#pragma once

#include "base/String.h"
#include "hostapi/UnitTestService.h"
#include "hostclient/SimpleUnknownImp.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace SelfCheck {

// A self-check: cases (a body, a full name, a weight) that the host lists and runs one at a
// time. A case fails by throwing UnitTestException; the text of the last run's failure is kept
// for GetResult. Made with a count of 0; the last Release deletes it.
class UnitTestBase : public QOR::SimpleUnknownImp1<IUnitTest, IID_IUnitTest> {
 public:
  using TestCase = std::function<void()>;

  UnitTestBase(const UnitTestBase&) = delete;
  UnitTestBase& operator=(const UnitTestBase&) = delete;

  // IUnitTest
  HRESULT STDMETHODCALLTYPE GetTestCount(int32_t* count) noexcept override;
  HRESULT STDMETHODCALLTYPE RunTest(uint32_t index) noexcept override;
  HRESULT STDMETHODCALLTYPE GetTestName(uint32_t index, QOR::IQORString** name) noexcept override;
  HRESULT STDMETHODCALLTYPE GetResult(VARIANT_BOOL* passed, QOR::IQORString** message) noexcept override;
  HRESULT STDMETHODCALLTYPE Initialise() noexcept override;
  HRESULT STDMETHODCALLTYPE GetOwner(QOR::IQORString** owner) noexcept override;
  HRESULT STDMETHODCALLTYPE GetTestWeight(uint32_t index, double* weight) noexcept override;

 protected:
  UnitTestBase() noexcept = default;
  ~UnitTestBase() override = default;

  // Lists the cases with AddTestCase; called once, by the first Initialise.
  virtual void AddTestCases() = 0;
  // Sets the owner text with SetOwner; called by every GetOwner.
  virtual void InitOwner() = 0;
  // Run before each case; a failure here fails the case.
  virtual void Configure() {}
  // Run after a case that did not fail.
  virtual void TearDown() {}

  void AddTestCase(TestCase body, const QOR::String& fullName, double weight);
  void SetOwner(const QOR::String& owner) noexcept { mOwner = owner; }

 private:
  void RunCase(uint32_t index);
  void RecordFailure(const QOR::String& text) noexcept;
  void RecordFailure(const wchar_t* text, const wchar_t* detail) noexcept;

  std::vector<TestCase> mCases;
  std::vector<QOR::String> mNames;
  std::vector<double> mWeights;
  bool mInitialised = false;
  bool mPassed = true;
  QOR::String mMessage;
  QOR::String mOwner;
};

// A new check of class T with a count of 0, as the module's registration hands it to the host's
// unit-test service (which takes the first reference); null when it cannot be made.
template <class T>
IUnknown* NewSelfCheck() noexcept {
  try {
    return static_cast<IUnitTest*>(new T);
  } catch (...) {
    return nullptr;
  }
}

}  // namespace SelfCheck
