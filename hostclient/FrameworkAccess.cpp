// The service getters: CoGetClassObject on the framework class, or the class registry's service ids.
#include "hostclient/FrameworkAccess.h"

namespace {

// A service the class registry gives by its 32-bit id.
template <uint32_t serviceId, const IID& iid>
HRESULT FetchRegistryService(void** out) {
  *out = nullptr;
  IClassRegistry* const registry = ObjectFactoryAccessor::Get();
  if (!registry) return E_FAIL;
  return registry->GetClassObject(serviceId, iid, out);
}

template <class Interface, uint32_t serviceId, const IID& iid>
Interface* RegistryService() noexcept {
  static QOR::CachedService service(&FetchRegistryService<serviceId, iid>,
                                    &QOR::LoadLumoFramework);
  return static_cast<Interface*>(service.Get());
}

}  // namespace

ITypeRegistry* GetTypeRegistry() noexcept {
  return QOR::COMClassObjectAccessor<ITypeRegistry, CLSID_LumoFrameWork, IID_ITypeRegistry>::Get();
}

IMessageFactory* GetMessageFactory() noexcept {
  return QOR::COMClassObjectAccessor<IMessageFactory, CLSID_LumoFrameWork,
                                     IID_IMessageFactory>::Get();
}

IMessageRouter* GetMessageRouter() noexcept {
  return QOR::COMClassObjectAccessor<IMessageRouter, CLSID_LumoFrameWork,
                                     IID_IMessageRouter>::Get();
}

IObserverRegistry* GetObserverRegistry() noexcept {
  return QOR::COMClassObjectAccessor<IObserverRegistry, CLSID_LumoFrameWork,
                                     IID_IObserverRegistry>::Get();
}

ISubject* GetFrameworkSubject() noexcept {
  return QOR::COMClassObjectAccessor<ISubject, CLSID_LumoFrameWork, IID_ISubject>::Get();
}

IMessageService* GetMessageService() noexcept {
  return RegistryService<IMessageService, kMessageServiceId, IID_IMessageService>();
}

IObjectFactory* GetObjectFactory() noexcept {
  return RegistryService<IObjectFactory, kObjectFactoryServiceId, IID_IObjectFactory>();
}

QOR::ComPtr<IUnknown> CreateEntryObject(uint32_t entryId) noexcept {
  QOR::ComPtr<IUnknown> entry;
  if (IObjectFactory* const factory = GetObjectFactory()) factory->CreateByClassId(entryId, 0, entry.Out());
  return entry;
}

IHostUnitsService* GetUnitsService() noexcept {
  return RegistryService<IHostUnitsService, kUnitsServiceId, IID_IHostUnitsService>();
}

IUnitTestService* GetUnitTestService() noexcept {
  return QOR::COMClassObjectAccessor<IUnitTestService, CLSID_UnitTestService,
                                     IID_IUnitTestService>::Get();
}

IHostApplication* GetHostApplication() noexcept {
  return QOR::COMClassObjectAccessor<IHostApplication, CLSID_HostApplication,
                                     IID_IHostApplication>::Get();
}

IHostMenuRootService* GetHostMenuRootService() noexcept {
  return RegistryService<IHostMenuRootService, kMenuRootServiceId, IID_IHostMenuRootService>();
}

IHostMenuService* GetHostMenuService() noexcept {
  return RegistryService<IHostMenuService, kMenuServiceId, IID_IHostMenuService>();
}
