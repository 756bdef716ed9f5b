// Units objects through the host's units service.
#include "hostclient/HostUnits.h"

#include "base/String.h"
#include "hostclient/ComPtr.h"
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

HRESULT MakeRangedUnit(float minimum, float maximum, const wchar_t* baseUnit, IUnknown** unit) noexcept {
  if (!unit) return E_POINTER;
  if (*unit) (*unit)->Release();
  *unit = nullptr;
  try {
    IHostUnitsService* const service = GetUnitsService();
    if (!service) return E_FAIL;
    const HostChannelRange range{1.0, 0.0, maximum, minimum, 2, 1, 0};
    const String text(baseUnit);
    return service->CreateRangedUnit(0, &range, text.GetInterface(), 0, 0, unit);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT ReadHostUnitText(const wchar_t* text, UnitWithPrefix& unit) noexcept {
  try {
    IHostUnitsService* const service = GetUnitsService();
    if (!service) return E_FAIL;
    const String units(text);
    ComPtr<IUnknown> made;
    HRESULT hr = service->ReadUnitText(units.GetInterface(), made.Out());
    if (FAILED(hr)) return hr;
    ComPtr<IHostUnit> hostUnit;
    if (FAILED(hr = made.As(IID_IHostUnit, hostUnit))) return hr;
    uint16_t prefix = 0;
    if (FAILED(hr = hostUnit->GetPrefix(&prefix))) return hr;
    BSTR baseText = nullptr;
    hr = hostUnit->GetBaseUnit(&baseText);
    const String baseUnit = String::AttachBSTR(baseText);
    if (FAILED(hr)) return hr;
    unit.baseUnit.assign(baseUnit.GetText(), baseUnit.Length());
    unit.prefix = static_cast<wchar_t>(prefix);
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace QOR
