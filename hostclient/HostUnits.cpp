// Units objects through the host's units service.
#include "hostclient/HostUnits.h"

#include "base/String.h"
#include "hostclient/FrameworkAccess.h"

namespace QOR {

HRESULT MakePrefixedUnit(int32_t prefixIndex, const wchar_t* baseUnit, IUnknown** unit) noexcept {
  if (!unit) return E_POINTER;
  if (*unit) (*unit)->Release();
  *unit = nullptr;
  try {
    IHostUnitsService* const service = GetUnitsService();
    if (!service) return E_FAIL;
    const String text(baseUnit);
    return service->CreatePrefixedUnit(prefixIndex, text.GetInterface(), 0, unit);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace QOR
