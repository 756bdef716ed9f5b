// Class objects made by the framework tests.
#include "tests/host/FrameworkTestObjects.h"

#include "host/common/HostObject.h"

namespace framework_test {

namespace {

// A heap object answering IUnknown only; deleted by its last Release.
class Instance final : public host::HostObject<IUnknown> {
 private:
  void* FindInterface(REFIID iid) override {
    return IsEqualIID(iid, IID_IUnknown) ? static_cast<IUnknown*>(this) : nullptr;
  }
};

}  // namespace

HRESULT EnumClass::QueryInterface(REFIID iid, void** out) noexcept {
  *out = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ILumoClassObject) ||
      IsEqualIID(iid, IID_ICalcEnumClass2)) {
    *out = static_cast<ICalcEnumClass2*>(this);
  } else if (IsEqualIID(iid, IID_ICalcNumericParamsFuncClass)) {
    *out = static_cast<ICalcNumericParamsFuncClass*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

HRESULT EnumClass::CreateAggregatedEnum(IUnknown* outer, IUnknown*, IUnknown** inner) noexcept {
  mLastOuter = outer;
  ++mCreated;
  *inner = new Instance;
  return S_OK;
}

}  // namespace framework_test
