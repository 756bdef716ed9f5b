// OWL::TModule: a loaded Windows module (DLL or executable) by its instance handle, through
// which resources and the version block are reached.
#pragma once

#include <windows.h>

#include <string>

namespace OWL {

class TModule {
 public:
  // Wraps `instance` when it is given; otherwise loads the library `name` itself and frees it
  // at destruction. `loaded` says the module is in memory and usable from the start (the
  // module's own DLL); a library that fails to load leaves the object without a handle.
  TModule(const wchar_t* name, HINSTANCE instance, bool loaded);
  ~TModule();
  TModule(const TModule&) = delete;
  TModule& operator=(const TModule&) = delete;

  HINSTANCE GetHandle() const noexcept { return mInstance; }
  const std::wstring& GetName() const noexcept { return mName; }
  bool IsLoaded() const noexcept { return mInstance != nullptr; }
  // The address of an export, or null.
  FARPROC GetProcAddress(const char* name) const noexcept;

 private:
  std::wstring mName;
  HINSTANCE mInstance = nullptr;
  bool mOwnsLibrary = false;
};

}  // namespace OWL
