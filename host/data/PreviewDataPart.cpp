// Preview data sources over the document's recording.
#include "host/data/PreviewDataPart.h"

#include "host/data/DataDocument.h"
#include "host/data/PreviewPaneSource.h"

#include <new>

namespace host {

HRESULT STDMETHODCALLTYPE PreviewDataPart::QueryInterface(REFIID iid, void** out) noexcept {
  return mOwner.QueryInterface(iid, out);
}

ULONG STDMETHODCALLTYPE PreviewDataPart::AddRef() noexcept { return mOwner.AddRef(); }

ULONG STDMETHODCALLTYPE PreviewDataPart::Release() noexcept { return mOwner.Release(); }

HRESULT STDMETHODCALLTYPE PreviewDataPart::GetPreviewData(uint32_t, IPaneDataSource** data) noexcept {
  if (!data) return E_POINTER;
  *data = nullptr;
  try {
    *data = PreviewPaneSource::Create(HostPtr<DataDocument>(&mOwner)).Detach();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

}  // namespace host
