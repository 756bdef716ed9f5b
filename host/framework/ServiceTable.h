// The framework's service table: every service object announces itself here from its own file.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

namespace lumo {

// One service: answered for CoGetClassObject(CLSID_LumoFrameWork, iid) and,
// when serviceId is not 0, for the class registry's GetClassObject(serviceId).
// A service file defines its static object and one static ServiceRegistration:
//   static MyService gService;
//   static ServiceRegistration gEntry(IID_IMyService, 0x80000020u, &gService);
class ServiceRegistration {
 public:
  ServiceRegistration(const IID& iid, uint32_t serviceId, IUnknown* service) noexcept;
  ServiceRegistration(const ServiceRegistration&) = delete;
  ServiceRegistration& operator=(const ServiceRegistration&) = delete;

  static IUnknown* FindByIid(REFIID iid) noexcept;
  static IUnknown* FindById(uint32_t serviceId) noexcept;

 private:
  const IID& mIid;
  uint32_t mServiceId;
  IUnknown* mService;
  const ServiceRegistration* mNext;
};

}  // namespace lumo
