// The data document's child objects of the host's extensions.
#include "host/data/ChildObjectsPart.h"

#include "host/cycles/DetectionSettingsService.h"
#include "host/data/DataDocument.h"

namespace host {

HRESULT STDMETHODCALLTYPE ChildObjectsPart::QueryInterface(REFIID iid, void** out) noexcept {
  return mOwner.QueryInterface(iid, out);
}

ULONG STDMETHODCALLTYPE ChildObjectsPart::AddRef() noexcept { return mOwner.AddRef(); }

ULONG STDMETHODCALLTYPE ChildObjectsPart::Release() noexcept { return mOwner.Release(); }

HRESULT STDMETHODCALLTYPE ChildObjectsPart::GetChildObject(REFCLSID classId, int32_t number, REFIID iid,
                                                          void** child) noexcept {
  if (!child) return E_POINTER;
  *child = nullptr;
  if (classId != CLSID_DetectionSettingsService || number != 0) return E_INVALIDARG;
  try {
    if (!mDetectionService) mDetectionService = CreateDetectionSettingsService();
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return mDetectionService->QueryInterface(iid, child);
}

}  // namespace host
