// COMClassObjectAccessor: a framework class object fetched with CoGetClassObject, cached for the process.
#pragma once

#include "hostclient/CachedService.h"
#include "hostclient/FrameworkLoader.h"

#include <objbase.h>

namespace QOR {

// The class object of clsid as Interface (IID iid), fetched on first use. When
// the class is not registered the framework library is loaded first and the
// fetch tried once more. Get answers null when that also fails.
template <class Interface, const CLSID& clsid, const IID& iid>
class COMClassObjectAccessor {
 public:
  static Interface* Get() noexcept {
    static CachedService service(&Fetch, &LoadLumoFramework);
    return static_cast<Interface*>(service.Get());
  }

 private:
  static HRESULT Fetch(void** out) {
    return CoGetClassObject(clsid, CLSCTX_ALL, nullptr, iid, out);
  }
};

}  // namespace QOR
