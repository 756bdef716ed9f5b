// Host settings service: the host application's own settings (not a data file's), each read and
// written by its key path, such as "qor\application\visible".
// Ownership: keys are borrowed for the call; a VARIANT filled by GetValue belongs to the caller,
// who clears it.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <cstdint>

// The class registry's service id of the settings service (its slot 5 with IID_IHostSettings).
inline constexpr uint32_t kSettingsServiceId = 0x80000008u;

// {57DDF26C-42EA-4326-A67A-C9801C2039C2}
inline constexpr GUID IID_IHostSettings = {
    0x57DDF26C, 0x42EA, 0x4326, {0xA6, 0x7A, 0xC9, 0x80, 0x1C, 0x20, 0x39, 0xC2}};

// Whether the host application shows itself (VT_BOOL); false while it runs hidden.
inline constexpr wchar_t kApplicationVisibleKey[] = L"qor\\application\\visible";

struct IHostSettings : IUnknown {
  // Slot 3: the value kept under key; S_FALSE with VT_EMPTY when the host keeps no such setting.
  // E_POINTER for a null key or value.
  virtual HRESULT STDMETHODCALLTYPE GetValue(const wchar_t* key, VARIANT* value) = 0;
  // Slot 4: keeps a copy of value under key, replacing what was there. E_POINTER for a null key
  // or value.
  virtual HRESULT STDMETHODCALLTYPE SetValue(const wchar_t* key, const VARIANT* value) = 0;
};
