// Writing a text into a host's BSTR slot.
#include "hostclient/BstrSlot.h"

#include <oleauto.h>

namespace QOR {

HRESULT StoreBstr(BSTR* slot, const wchar_t* text) noexcept {
  if (!slot) return S_OK;
  SysFreeString(*slot);
  *slot = nullptr;
  if (!text || !*text) return S_OK;
  *slot = SysAllocString(text);
  return *slot ? S_OK : E_OUTOFMEMORY;
}

}  // namespace QOR
