// The unit-test service: the self tests that modules register, kept for the host's test runner.
#include "host/framework/HeldList.h"
#include "host/framework/StaticService.h"
#include "hostapi/UnitTestService.h"

namespace lumo {

namespace {

HeldList<IUnknown>& Tests() {
  static HeldList<IUnknown> tests;
  return tests;
}

class UnitTestService final : public StaticService<IUnitTestService, IID_IUnitTestService> {
 public:
  HRESULT STDMETHODCALLTYPE RegisterTest(IUnknown* test) noexcept override { return Tests().Add(test); }
  HRESULT STDMETHODCALLTYPE GetTestCount(uint32_t* count) noexcept override { return Tests().GetCount(count); }
  HRESULT STDMETHODCALLTYPE GetTestAt(uint32_t index, IUnknown** test) noexcept override {
    return Tests().GetAt(index, test);
  }
};

UnitTestService gUnitTestService;

}  // namespace

IUnknown* UnitTestServiceObject() noexcept { return &gUnitTestService; }

}  // namespace lumo
