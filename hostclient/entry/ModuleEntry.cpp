// The DLL entry and the one export through which the host registers the module.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}

extern "C" HRESULT __stdcall DllRegisterClassObjects() noexcept { return S_OK; }
