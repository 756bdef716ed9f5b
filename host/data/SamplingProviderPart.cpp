// The host document's sampling provider.
#include "host/data/SamplingProviderPart.h"

namespace host {

HRESULT STDMETHODCALLTYPE SamplingProviderPart::QueryInterface(REFIID iid, void** out) noexcept {
  return mOwner.QueryInterface(iid, out);
}

ULONG STDMETHODCALLTYPE SamplingProviderPart::AddRef() noexcept { return mOwner.AddRef(); }

ULONG STDMETHODCALLTYPE SamplingProviderPart::Release() noexcept { return mOwner.Release(); }

HRESULT STDMETHODCALLTYPE SamplingProviderPart::IsDeviceBusy(int32_t, VARIANT_BOOL* busy) noexcept {
  if (!busy) return E_POINTER;
  *busy = mBusy ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE SamplingProviderPart::GetDeviceCount(int32_t, int32_t* count) noexcept {
  if (!count) return E_POINTER;
  *count = mControl ? 1 : 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE SamplingProviderPart::GetSamplingControl(IHostSamplingControl** control) noexcept {
  if (!control) return E_POINTER;
  *control = mControl.Get();
  if (!*control) return E_FAIL;
  (*control)->AddRef();
  return S_OK;
}

}  // namespace host
