// The stand-in host's own settings, changed through its settings service as the host changes
// them (the framework is registered first, the host's way).
#pragma once

#include "host/app/HostFramework.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/HostSettings.h"

#include <objbase.h>
#include <oleauto.h>

namespace testsupport {

// Keeps value under key in the host's settings; the service's answer, or the failure to reach it.
inline HRESULT SetHostSetting(const wchar_t* key, const VARIANT& value) {
  HRESULT hr = ondara_host::EnsureHostFramework();
  if (FAILED(hr)) return hr;
  IClassRegistry* registry = nullptr;
  hr = CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_IClassRegistry,
                        reinterpret_cast<void**>(&registry));
  if (FAILED(hr)) return hr;
  IHostSettings* settings = nullptr;
  hr = registry->GetClassObject(kSettingsServiceId, IID_IHostSettings, reinterpret_cast<void**>(&settings));
  registry->Release();
  if (FAILED(hr)) return hr;
  hr = settings->SetValue(key, &value);
  settings->Release();
  return hr;
}

inline HRESULT SetHostApplicationVisible(bool visible) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_BOOL;
  value.boolVal = visible ? VARIANT_TRUE : VARIANT_FALSE;
  return SetHostSetting(kApplicationVisibleKey, value);
}

}  // namespace testsupport
