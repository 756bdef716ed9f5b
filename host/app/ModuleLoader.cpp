// Loading an extension module and running its registration.
#include "host/app/ModuleLoader.h"

namespace ondara_host {

HRESULT LoadAndRegisterModule(const wchar_t* path) {
  HMODULE const module = LoadLibraryW(path);
  if (!module) return HRESULT_FROM_WIN32(GetLastError());
  // The export takes one host interface pointer, which it does not use; being stdcall it pops
  // that argument, so the argument must be passed.
  using RegisterFn = HRESULT(STDAPICALLTYPE*)(IUnknown*);
  const auto registerClassObjects = reinterpret_cast<RegisterFn>(
      reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterClassObjects")));
  if (!registerClassObjects) return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
  return registerClassObjects(nullptr);
}

}  // namespace ondara_host
