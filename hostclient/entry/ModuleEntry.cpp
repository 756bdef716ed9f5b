// The DLL entry: keeps the instance handle, switches thread notifications off and reports the
// module's version text.
#include "enumerators/framework/ModuleVersionText.h"
#include "hostclient/ModuleInstance.h"

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) noexcept {
  if (reason == DLL_PROCESS_ATTACH) {
    SetModuleInstance(instance);
    DisableThreadLibraryCalls(instance);
    ExtLib::ModuleVersionText(instance);  // never throws
  } else if (reason == DLL_PROCESS_DETACH) {
    SetModuleInstance(nullptr);
  }
  return TRUE;
}
