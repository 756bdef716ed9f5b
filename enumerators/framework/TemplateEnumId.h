// The module-private interface id under which the module's template enumerators answer their ICalcEnum.
#pragma once

#include <windows.h>

namespace EEH3 {

// Only this module's template enumerators answer it (with their ICalcEnum); a reader nesting an enumerator
// asks for it to tell them from the host's enumerators and the module's hand-written ones. Never handed to
// the host.
inline constexpr GUID IID_TemplateCalcEnum = {
    0x12d436ab, 0x22b0, 0x4edf, {0x80, 0xb0, 0x7f, 0x06, 0x65, 0x62, 0x95, 0xd3}};

}  // namespace EEH3
