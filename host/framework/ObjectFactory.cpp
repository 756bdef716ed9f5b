// The object factory service: instances of registered classes by class id.
#include "host/framework/ServiceTable.h"
#include "host/framework/StaticService.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/ObjectFactory.h"

namespace lumo {

namespace {

class ObjectFactory final : public StaticService<IObjectFactory, IID_IObjectFactory> {
 public:
  HRESULT STDMETHODCALLTYPE Reserved3() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved4() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved5() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved6() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved7() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CreateByClassId(uint32_t classId, uint32_t,
                                            IUnknown** object) noexcept override {
    if (!object) return E_POINTER;
    *object = nullptr;
    IUnknown* const registryUnknown = ServiceRegistration::FindByIid(IID_IClassRegistry);
    if (!registryUnknown) return E_UNEXPECTED;
    // The registry is a static service of this library: no reference to balance.
    auto* const registry = static_cast<IClassRegistry*>(registryUnknown);
    return registry->CreateInstance(classId, nullptr, IID_IUnknown, reinterpret_cast<void**>(object));
  }
};

ObjectFactory gObjectFactory;
ServiceRegistration gObjectFactoryEntry(IID_IObjectFactory, kObjectFactoryServiceId, &gObjectFactory);

}  // namespace

}  // namespace lumo
