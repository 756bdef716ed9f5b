// Class GUIDs the module registers with the type registry for its general ids.
#pragma once

#include "hostapi/FormulaEnumClass.h"
#include "hostapi/HostCalculation.h"
#include "hostapi/HostProgress.h"

#include <windows.h>

// The host's formula calculation classes (numbers 0 and 1).
inline constexpr GUID HostCalcClassGUID = kHostCalcClassGuid;
// The module's event draw classes (numbers 0-4).
inline constexpr GUID ZREventDrawGUID = {
    0x3C6E6974, 0xED95, 0x4CD3, {0xAD, 0x13, 0xAA, 0xDD, 0x50, 0x26, 0x68, 0xD6}};
// The host's formula enumerator class (number 0).
inline constexpr GUID EventTypeGUID = kFormulaEnumClassGuid;
// Host classes reached by number (2, 9, 16, 17, 18).
inline constexpr GUID HostUiClassGUID = kHostUiClassGuid;
// The document's commands and messages.
inline constexpr GUID ZRDocGUID = {
    0xC89D7739, 0x11FE, 0x4709, {0x89, 0xA5, 0x24, 0xF2, 0x3A, 0xF3, 0xDE, 0x6C}};

// The id under which the host's class registry gives its formula enumerator class.
uint32_t GetEventTypeId() noexcept;
