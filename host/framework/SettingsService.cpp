// The settings service: the host application's own settings by key path, kept for the process;
// the application starts visible. The host's user-interface thread alone uses it.
#include "host/framework/ServiceTable.h"
#include "host/framework/StaticService.h"
#include "hostapi/HostSettings.h"

#include <oleauto.h>

#include <map>
#include <string>

namespace lumo {

namespace {

class SettingsService final : public StaticService<IHostSettings, IID_IHostSettings> {
 public:
  SettingsService() {
    VARIANT visible;
    VariantInit(&visible);
    visible.vt = VT_BOOL;
    visible.boolVal = VARIANT_TRUE;
    mValues[kApplicationVisibleKey] = visible;
  }

  HRESULT STDMETHODCALLTYPE GetValue(const wchar_t* key, VARIANT* value) noexcept override {
    if (!value) return E_POINTER;
    VariantInit(value);
    if (!key) return E_POINTER;
    try {
      const auto found = mValues.find(key);
      if (found == mValues.end()) return S_FALSE;
      return VariantCopy(value, &found->second);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }

  HRESULT STDMETHODCALLTYPE SetValue(const wchar_t* key, const VARIANT* value) noexcept override {
    if (!key || !value) return E_POINTER;
    try {
      // A new key starts as VT_EMPTY; VariantCopy clears what was kept before copying.
      return VariantCopy(&mValues[key], const_cast<VARIANT*>(value));  // only read
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }

 private:
  // Kept for the process: the values are never cleared, as the framework outlives its users.
  std::map<std::wstring, VARIANT> mValues;
};

SettingsService gSettingsService;
ServiceRegistration gSettingsServiceEntry(IID_IHostSettings, kSettingsServiceId, &gSettingsService);

}  // namespace

}  // namespace lumo
