// The module's instance handle.
#include "hostclient/ModuleInstance.h"

namespace {
HINSTANCE gModuleInstance = nullptr;
}  // namespace

HINSTANCE GetModuleInstance() noexcept { return gModuleInstance; }
void SetModuleInstance(HINSTANCE instance) noexcept { gModuleInstance = instance; }
