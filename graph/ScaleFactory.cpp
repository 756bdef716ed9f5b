// The drag-scale factory's cached look-up in the framework's class registry.
#include "graph/ScaleFactory.h"

#include "hostclient/ComPtr.h"
#include "hostclient/FrameworkAccess.h"
#include "hostclient/TypeIds.h"

#include <windows.h>

#include <atomic>

namespace MGraph1 {

namespace {

class FactoryLock {
 public:
  FactoryLock() noexcept { EnterCriticalSection(&Section()); }
  ~FactoryLock() { LeaveCriticalSection(&Section()); }
  FactoryLock(const FactoryLock&) = delete;
  FactoryLock& operator=(const FactoryLock&) = delete;

 private:
  // Created on first use and kept for the process (never copied: it is linked by address).
  struct Holder {
    Holder() noexcept { InitializeCriticalSection(&section); }
    CRITICAL_SECTION section;
  };
  static CRITICAL_SECTION& Section() noexcept {
    static Holder holder;
    return holder.section;
  }
};

std::atomic<IDragScaleFactory*> gFactory{nullptr};

IDragScaleFactory* LookUpFactory() noexcept {
  IClassRegistry* const registry = ObjectFactoryAccessor::Get();
  if (!registry) return nullptr;
  uint32_t const serviceId =
      TypeIdClass<&kDragScaleServiceClassGuid, kDragScaleServiceNumber>::Id();
  void* found = nullptr;
  if (FAILED(registry->GetClassObject(serviceId, IID_IDragScaleFactory, &found)) || !found)
    return nullptr;
  auto* const factory = static_cast<IDragScaleFactory*>(found);
  // The registry holds the service for the process; the look-up's reference is not kept.
  factory->Release();
  return factory;
}

}  // namespace

IDragScaleFactory* GetScaleFactory() noexcept {
  if (IDragScaleFactory* const cached = gFactory.load()) return cached;
  FactoryLock lock;
  if (!gFactory.load()) gFactory.store(LookUpFactory());
  return gFactory.load();
}

HRESULT CreateScale(IDragScale** scale, int32_t value1, int32_t value2, uint32_t flags) noexcept {
  if (!scale) return E_POINTER;
  *scale = nullptr;
  QOR::ComPtr<IDragScaleFactory> const factory(GetScaleFactory());
  if (!factory) return E_FAIL;
  return factory->CreateScale(value1, value2, flags, scale);
}

}  // namespace MGraph1
