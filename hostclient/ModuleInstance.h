// The module's instance handle, kept from the DLL entry for the module's resources.
#pragma once

#include <windows.h>

// Null until the DLL entry stores it (and in programs that link the module statically).
HINSTANCE GetModuleInstance() noexcept;
void SetModuleInstance(HINSTANCE instance) noexcept;
