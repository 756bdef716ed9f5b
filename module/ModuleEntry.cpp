// The DLL entry: keeps the instance handle, creates the module object, switches thread
// notifications off, reports the module's version text and, when freed, shuts GDI+ down.
#include "controls/GdiplusStarter.h"
#include "enumerators/framework/ModuleVersionText.h"
#include "hostclient/ModuleInstance.h"
#include "platform/owl/TModule.h"

#include <windows.h>

#include <new>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) noexcept {
  if (reason == DLL_PROCESS_ATTACH) {
    SetModuleInstance(instance);
    SetModule(new (std::nothrow) OWL::TModule(nullptr, instance, true));
    DisableThreadLibraryCalls(instance);
    ExtLib::ModuleVersionText(instance);  // never throws
  } else if (reason == DLL_PROCESS_DETACH) {
    // reserved is non-null when the process is ending rather than the module being freed.
    GdiplusStarter::CleanUp(reserved != nullptr);
    delete GetModule();
    SetModule(nullptr);
    SetModuleInstance(nullptr);
  }
  return TRUE;
}
