// OWL::TModule: a loaded Windows module (DLL or executable) by its instance handle, through
// which resources and the version block are reached.
#pragma once

#include "platform/owl/TResId.h"

#include <windows.h>

#include <string>

namespace OWL {

class TModule {
 public:
  // Wraps `instance` when it is given; otherwise loads the library `name` itself and frees it
  // at destruction. `loaded` says the module is in memory and usable from the start (the
  // module's own DLL); a library that fails to load leaves the object without a handle.
  TModule(const wchar_t* name, HINSTANCE instance, bool loaded);
  virtual ~TModule();
  TModule(const TModule&) = delete;
  TModule& operator=(const TModule&) = delete;

  HINSTANCE GetHandle() const noexcept { return mInstance; }
  operator HINSTANCE() const noexcept { return mInstance; }
  const std::wstring& GetName() const noexcept { return mName; }
  bool IsLoaded() const noexcept { return mInstance != nullptr; }
  // The address of an export, or null.
  FARPROC GetProcAddress(const char* name) const noexcept;

  // A resource of the given type in the application's language (TApplication), else in the
  // neutral and then any language; null when absent.
  HRSRC FindResource(const TResId& id, const wchar_t* type) const noexcept;
  // String id in the application's language; empty when absent.
  std::wstring LoadString(UINT id) const;
  HBITMAP LoadBitmap(const TResId& id) const noexcept;

  // The instance of the module this code is linked into (the DLL, or a test program).
  static HINSTANCE CodeInstance() noexcept;
  // The module resource loads default to: the one set with SetDefault (the DLL's module
  // object), else one for CodeInstance made on first use.
  static TModule& Default() noexcept;
  // Not owned; null goes back to the module made on first use.
  static void SetDefault(TModule* module) noexcept;

 private:
  std::wstring mName;
  HINSTANCE mInstance = nullptr;
  bool mOwnsLibrary = false;
};

}  // namespace OWL
