// The module's instance handle and module object.
#include "hostclient/ModuleInstance.h"

#include "platform/owl/TModule.h"

namespace {
HINSTANCE gModuleInstance = nullptr;
OWL::TModule* gModule = nullptr;
volatile LONG gModuleLocks = 0;
}  // namespace

HINSTANCE GetModuleInstance() noexcept { return gModuleInstance; }
void SetModuleInstance(HINSTANCE instance) noexcept { gModuleInstance = instance; }
OWL::TModule* GetModule() noexcept { return gModule; }
void SetModule(OWL::TModule* module) noexcept {
  gModule = module;
  OWL::TModule::SetDefault(module);  // the window framework loads resources through it
}
LONG LockModule() noexcept { return InterlockedIncrement(&gModuleLocks); }
LONG UnlockModule() noexcept { return InterlockedDecrement(&gModuleLocks); }
LONG ModuleLockCount() noexcept { return gModuleLocks; }
