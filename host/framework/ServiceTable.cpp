// The service table: a list built by static registrations, searched by IID or service id.
#include "host/framework/ServiceTable.h"

namespace lumo {

namespace {
// Constant-initialised, so registrations in any file may run in any order.
const ServiceRegistration* gHead = nullptr;
}  // namespace

ServiceRegistration::ServiceRegistration(const IID& iid, uint32_t serviceId,
                                         IUnknown* service) noexcept
    : mIid(iid), mServiceId(serviceId), mService(service), mNext(gHead) {
  gHead = this;
}

IUnknown* ServiceRegistration::FindByIid(REFIID iid) noexcept {
  for (const ServiceRegistration* entry = gHead; entry; entry = entry->mNext) {
    if (IsEqualIID(entry->mIid, iid)) return entry->mService;
  }
  return nullptr;
}

IUnknown* ServiceRegistration::FindById(uint32_t serviceId) noexcept {
  if (serviceId == 0) return nullptr;
  for (const ServiceRegistration* entry = gHead; entry; entry = entry->mNext) {
    if (entry->mServiceId == serviceId) return entry->mService;
  }
  return nullptr;
}

}  // namespace lumo
