// The detection-settings service: its presets, their names and the settings objects it makes.
#include "host/cycles/DetectionSettingsService.h"

#include <string>
#include <vector>

#include "host/common/HostObject.h"
#include "host/common/HostString.h"
#include "host/cycles/CustomizeDialog.h"
#include "host/cycles/DetectionSettings.h"
#include "hostapi/CycleDetection.h"

namespace host {

namespace {

struct Preset {
  std::wstring name;
  HostPtr<IPXDetectionSettings> settings;
  bool removable = false;
};

HRESULT Flag(VARIANT_BOOL* out, bool value) noexcept {
  if (!out) return E_POINTER;
  *out = value ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

class DetectionSettingsService final : public HostObject<IPXPresetService> {
 public:
  explicit DetectionSettingsService(ChannelNameLookup channelName) : mChannelName(std::move(channelName)) {
    DetectionValues fast;
    fast.minPeakHeight = 4.0;
    fast.baselineMs = 50.0;
    fast.minIntervalMs = 2.0;
    Add(L"Fast events", fast, true);
    DetectionValues absolute;
    absolute.relative = 0.0;
    absolute.minPeakHeight = 0.5;
    Add(L"Absolute threshold", absolute, true);
    Add(L"Upward cycles", DetectionValues(), false);
    DetectionValues downward;
    downward.polarity = -1.0;
    Add(L"Downward cycles", downward, false);
  }

  HRESULT STDMETHODCALLTYPE GetPresetCount(int32_t* count) noexcept override {
    if (!count) return E_POINTER;
    *count = static_cast<int32_t>(mPresets.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE FindPresetBySettings(IPXDetectionSettings* settings, int32_t* index,
                                           VARIANT_BOOL* found) noexcept override {
    const DetectionValues* values = DetectionValuesOf(settings);
    return Answer(index, found,
                  [&](const Preset& p) { return values && *DetectionValuesOf(p.settings.Get()) == *values; });
  }
  HRESULT STDMETHODCALLTYPE FindPresetByName(QOR::IQORString* name, int32_t* index, VARIANT_BOOL* found) noexcept override {
    try {
      const std::wstring wanted = StringText(name);
      return Answer(index, found, [&](const Preset& p) { return p.name == wanted; });
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE GetPreset(int32_t index, IPXDetectionSettings** settings) noexcept override {
    if (!settings) return E_POINTER;
    *settings = nullptr;
    if (!Valid(index)) return E_INVALIDARG;
    return mPresets[static_cast<size_t>(index)].settings->Clone(settings);
  }
  HRESULT STDMETHODCALLTYPE CreateSettings(IPXDetectionSettings** settings) noexcept override {
    if (!settings) return E_POINTER;
    *settings = nullptr;
    try {
      *settings = CreateDetectionSettings().Detach();
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE GetPresetName(int32_t index, VARIANT_BOOL, QOR::IQORString** name) noexcept override {
    if (!name) return E_POINTER;
    *name = nullptr;
    if (!Valid(index)) return E_INVALIDARG;
    try {
      *name = MakeHostString(mPresets[static_cast<size_t>(index)].name).Detach();
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE Reserved9() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsPresetRemovable(int32_t index, VARIANT_BOOL* removable) noexcept override {
    if (!removable) return E_POINTER;
    *removable = VARIANT_FALSE;
    if (!Valid(index)) return E_INVALIDARG;
    return Flag(removable, mPresets[static_cast<size_t>(index)].removable);
  }
  // The extension's dialog over a copy of the settings, titled with "%1" as the channel's name.
  HRESULT STDMETHODCALLTYPE Customize(HWND owner, IPXDetectionSettings* settings, const int32_t*, QOR::IQORString* title,
                                      QOR::IQORString*, QOR::IQORString*, IPXDetectionSettings** edited) noexcept override {
    if (!edited) return E_POINTER;
    *edited = nullptr;
    const DetectionValues* values = DetectionValuesOf(settings);
    if (!values) return E_INVALIDARG;
    try {
      DetectionValues copy = *values;
      if (!RunCustomizeDialog(owner, Title(StringText(title), copy), copy)) return S_FALSE;
      *edited = CreateDetectionSettings(copy).Detach();
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE SavePreset(HWND, IPXDetectionSettings* settings) noexcept override {
    if (!DetectionValuesOf(settings)) return E_INVALIDARG;
    try {
      Preset preset;
      preset.name = L"Preset " + std::to_wstring(++mSaved);
      if (FAILED(settings->Clone(preset.settings.Out()))) return E_OUTOFMEMORY;
      preset.removable = true;
      size_t at = 0;
      while (at < mPresets.size() && mPresets[at].removable) ++at;
      mPresets.insert(mPresets.begin() + static_cast<std::ptrdiff_t>(at), std::move(preset));
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE DeletePreset(HWND, QOR::IQORString* name) noexcept override {
    int32_t index = -1;
    VARIANT_BOOL found = VARIANT_FALSE;
    const HRESULT hr = FindPresetByName(name, &index, &found);
    if (FAILED(hr)) return hr;
    if (!found || !mPresets[static_cast<size_t>(index)].removable) return S_FALSE;
    mPresets.erase(mPresets.begin() + index);
    return S_OK;
  }

 private:
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_IPXPresetService) return static_cast<IPXPresetService*>(this);
    return nullptr;
  }
  void Add(const wchar_t* name, const DetectionValues& values, bool removable) {
    Preset preset;
    preset.name = name;
    preset.settings = CreateDetectionSettings(values);
    preset.removable = removable;
    mPresets.push_back(std::move(preset));
  }
  // "%1" in the title becomes the name of the settings' channel.
  std::wstring Title(std::wstring title, const DetectionValues& values) const {
    const size_t at = title.find(L"%1");
    if (at == std::wstring::npos) return title;
    const std::wstring name = mChannelName ? mChannelName(static_cast<int32_t>(values.channel)) : std::wstring();
    return title.replace(at, 2, name);
  }
  bool Valid(int32_t index) const noexcept { return index >= 0 && static_cast<size_t>(index) < mPresets.size(); }
  // The first preset that matches; -1 and VARIANT_FALSE when none does.
  template <class Match>
  HRESULT Answer(int32_t* index, VARIANT_BOOL* found, Match match) const {
    if (!index || !found) return E_POINTER;
    *index = -1;
    *found = VARIANT_FALSE;
    for (size_t i = 0; i < mPresets.size(); ++i) {
      if (!match(mPresets[i])) continue;
      *index = static_cast<int32_t>(i);
      *found = VARIANT_TRUE;
      break;
    }
    return S_OK;
  }

  ChannelNameLookup mChannelName;
  std::vector<Preset> mPresets;
  int32_t mSaved = 0;
};

}  // namespace

HostPtr<IPXPresetService> CreateDetectionSettingsService(ChannelNameLookup channelName) {
  HostPtr<IPXPresetService> service;
  service.Attach(new DetectionSettingsService(std::move(channelName)));
  return service;
}

}  // namespace host
