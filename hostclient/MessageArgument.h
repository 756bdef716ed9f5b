// Turning a command's VARIANT argument into the 32-bit argument value of a framework message.
#pragma once

#include <oaidl.h>

#include <cstdint>

namespace QOR {

// A VT_BSTR is taken as it is; any other VARIANT is converted to text under
// locale 1033 (so numbers never take the user's decimal separator); a failed
// conversion throws XQOR with its HRESULT. The framework's type registry then
// turns the text into the value (0 when it gives none or cannot be reached).
uint32_t VariantToMessageArgument(const VARIANT& argument);

}  // namespace QOR
