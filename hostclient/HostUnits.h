// Units objects made by the host's units service.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

namespace QOR {

// Asks the host's units service for a units object of the base unit text with the prefix of the host's
// prefix index (1: none). *unit is released and cleared first; it stays null when the service cannot be
// reached or fails, and the failure is answered.
HRESULT MakePrefixedUnit(int32_t prefixIndex, const wchar_t* baseUnit, IUnknown** unit) noexcept;

}  // namespace QOR
