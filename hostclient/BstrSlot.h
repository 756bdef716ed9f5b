// Writing a text into a host's BSTR slot.
#pragma once

#include <oaidl.h>
#include <windows.h>

namespace QOR {

// Frees the BSTR already in *slot, then stores a new BSTR of text, or null when text is
// empty. A null slot does nothing. S_OK, or E_OUTOFMEMORY when the BSTR cannot be made.
HRESULT StoreBstr(BSTR* slot, const wchar_t* text) noexcept;

}  // namespace QOR
