// The unit-test service: the self tests that modules register, kept for the host's test runner.
#include "host/framework/StaticService.h"
#include "hostapi/UnitTestService.h"

#include <vector>

namespace lumo {

namespace {

// Each holds one reference for the process. UI thread only; no lock.
std::vector<IUnknown*>& Tests() {
  static std::vector<IUnknown*> tests;
  return tests;
}

class UnitTestService final : public StaticService<IUnitTestService, IID_IUnitTestService> {
 public:
  HRESULT STDMETHODCALLTYPE RegisterTest(IUnknown* test) noexcept override {
    if (!test) return E_POINTER;
    try {
      Tests().push_back(test);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    test->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTestCount(uint32_t* count) noexcept override {
    if (!count) return E_POINTER;
    *count = static_cast<uint32_t>(Tests().size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTestAt(uint32_t index, IUnknown** test) noexcept override {
    if (!test) return E_POINTER;
    *test = nullptr;
    if (index >= Tests().size()) return E_INVALIDARG;
    *test = Tests()[index];
    (*test)->AddRef();
    return S_OK;
  }
};

UnitTestService gUnitTestService;

}  // namespace

IUnknown* UnitTestServiceObject() noexcept { return &gUnitTestService; }

}  // namespace lumo
