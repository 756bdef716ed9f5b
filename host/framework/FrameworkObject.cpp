// The library's class objects: the framework class (answering every service of the table), the host application and the unit-test service.
#include "host/framework/PrintServices.h"
#include "host/framework/ServiceTable.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/HostApplication.h"
#include "hostapi/UnitTestService.h"
#include "hostapi/ViewPrinting.h"

#include <unknwn.h>
#include <windows.h>

namespace lumo {

IUnknown* HostApplicationObject() noexcept;
IUnknown* UnitTestServiceObject() noexcept;

namespace {

// The framework class object: a static that never dies. Each interface a
// caller asks for is answered by the service registered for that IID.
class FrameworkClassObject final : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown)) {
      *out = static_cast<IUnknown*>(this);
      return S_OK;
    }
    IUnknown* const service = ServiceRegistration::FindByIid(iid);
    if (!service) return E_NOINTERFACE;
    return service->QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 2; }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
};

FrameworkClassObject gFrameworkClassObject;

}  // namespace

}  // namespace lumo

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  IUnknown* classObject = nullptr;
  if (IsEqualCLSID(clsid, CLSID_LumoFrameWork)) {
    classObject = &lumo::gFrameworkClassObject;
  } else if (IsEqualCLSID(clsid, CLSID_HostApplication)) {
    classObject = lumo::HostApplicationObject();
  } else if (IsEqualCLSID(clsid, CLSID_HostCopyService)) {
    classObject = lumo::CopyServiceObject();
  } else if (IsEqualCLSID(clsid, CLSID_UnitTestService)) {
    classObject = lumo::UnitTestServiceObject();
  } else {
    return CLASS_E_CLASSNOTAVAILABLE;
  }
  return classObject->QueryInterface(iid, out);
}
