// The interface-map lookup behind every map-driven QueryInterface.
#include "hostclient/InterfaceMap.h"

namespace QOR {

static IUnknown* PartAt(void* object, std::uintptr_t offset) noexcept {
  return reinterpret_cast<IUnknown*>(static_cast<char*>(object) + offset);
}

static bool IsEnd(const InterfaceMapEntry& entry) noexcept {
  return entry.iid == nullptr && entry.routine == nullptr;
}

HRESULT QueryInterfaceByMap(void* object, const InterfaceMapEntry* map, REFIID iid,
                            void** out) noexcept {
  if (!object || !map) return E_INVALIDARG;
  if (!out) return E_POINTER;
  *out = nullptr;
  if (IsEqualIID(iid, IID_IUnknown)) {
    if (IsEnd(map[0])) return E_NOINTERFACE;
    IUnknown* const part = PartAt(object, map[0].value);
    part->AddRef();
    *out = part;
    return S_OK;
  }
  for (const InterfaceMapEntry* entry = map; !IsEnd(*entry); ++entry) {
    const bool blind = entry->iid == nullptr;
    if (!blind && !IsEqualIID(iid, *entry->iid)) continue;
    if (!entry->routine) {
      IUnknown* const part = PartAt(object, entry->value);
      part->AddRef();
      *out = part;
      return S_OK;
    }
    const HRESULT hr = entry->routine(object, iid, out, entry->value);
    if (hr == S_OK) return S_OK;
    // A routine may have written something before failing; the caller must see null.
    *out = nullptr;
    if (!blind && FAILED(hr)) return hr;
  }
  return E_NOINTERFACE;
}

}  // namespace QOR
