// Units objects made by the host's units service.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

#include "base/UnitPrefix.h"

namespace QOR {

// Asks the host's units service for a units object of the base unit text with the prefix of the host's
// prefix index (1: none). *unit is released and cleared first; it stays null when the service cannot be
// reached or fails, and the failure is answered.
HRESULT MakePrefixedUnit(int32_t prefixIndex, const wchar_t* baseUnit, IUnknown** unit) noexcept;

// The same for a units object of the base unit text without prefix that keeps a channel's value range:
// bounded to [minimum, maximum], or unbounded for infinities.
HRESULT MakeRangedUnit(float minimum, float maximum, const wchar_t* baseUnit, IUnknown** unit) noexcept;

// Has the host's units service read a units text as the host reads a channel's units ("mV": base
// unit V, prefix m; "mmHg": no prefix). unit is filled only on success; the failure is answered.
HRESULT ReadHostUnitText(const wchar_t* text, UnitWithPrefix& unit) noexcept;

}  // namespace QOR
