// The DLL entry: keeps the instance handle, creates the module object, switches thread
// notifications off and reports the module's version text.
#include "enumerators/framework/ModuleVersionText.h"
#include "hostclient/ModuleInstance.h"
#include "platform/owl/TModule.h"

#include <windows.h>

#include <new>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) noexcept {
  if (reason == DLL_PROCESS_ATTACH) {
    SetModuleInstance(instance);
    SetModule(new (std::nothrow) OWL::TModule(nullptr, instance, true));
    DisableThreadLibraryCalls(instance);
    ExtLib::ModuleVersionText(instance);  // never throws
  } else if (reason == DLL_PROCESS_DETACH) {
    delete GetModule();
    SetModule(nullptr);
    SetModuleInstance(nullptr);
  }
  return TRUE;
}
