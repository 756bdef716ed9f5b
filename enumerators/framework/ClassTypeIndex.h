// The host type registry's 16-bit class index of an enumerator class id.
#pragma once

#include <windows.h>

#include <cstdint>

namespace CalcEnums {

// Registers the GUID with the host type registry and answers its class index; 0 when the
// registry cannot be reached (ids then carry only their number, which the module tolerates).
uint16_t RegisteredIndexOf(const GUID& classId);

}  // namespace CalcEnums
