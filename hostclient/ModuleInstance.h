// The module's instance handle and module object, kept from the DLL entry for the module's
// resources and version block.
#pragma once

#include <windows.h>

namespace OWL {
class TModule;
}

// Null until the DLL entry stores it (and in programs that link the module statically).
HINSTANCE GetModuleInstance() noexcept;
void SetModuleInstance(HINSTANCE instance) noexcept;

// The module object the DLL entry creates at attach and deletes at detach; null outside.
OWL::TModule* GetModule() noexcept;
void SetModule(OWL::TModule* module) noexcept;

// The module's global lock count: objects handed to the host that keep the module loaded.
LONG LockModule() noexcept;
LONG UnlockModule() noexcept;
LONG ModuleLockCount() noexcept;
