// The host application's visibility, from the host's own settings.
#include "platform/uihelpers/ApplicationVisible.h"

#include "hostapi/ClassRegistry.h"
#include "hostapi/HostSettings.h"

#include <objbase.h>
#include <oleauto.h>

namespace QOR {

namespace {

// The settings service through the framework's class registry; null while the framework or the
// service is not there. Held with its reference for the process once found.
IHostSettings* SettingsService() noexcept {
  static IHostSettings* service = nullptr;
  if (service) return service;
  IClassRegistry* registry = nullptr;
  if (FAILED(CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_IClassRegistry,
                              reinterpret_cast<void**>(&registry))) ||
      !registry)
    return nullptr;
  void* found = nullptr;
  if (SUCCEEDED(registry->GetClassObject(kSettingsServiceId, IID_IHostSettings, &found)))
    service = static_cast<IHostSettings*>(found);
  registry->Release();
  return service;
}

}  // namespace

bool IsApplicationVisible() noexcept {
  IHostSettings* const service = SettingsService();
  if (!service) return true;
  VARIANT value;
  VariantInit(&value);
  if (service->GetValue(kApplicationVisibleKey, &value) != S_OK) return true;
  bool visible = true;
  if (SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BOOL))) visible = value.boolVal != VARIANT_FALSE;
  VariantClear(&value);
  return visible;
}

}  // namespace QOR
