// The part of the stand-in host document that offers its sampling control to previews.
#pragma once

#include "host/common/HostPtr.h"
#include "hostapi/PreviewSampling.h"

namespace host {

// Lives inside its document: QueryInterface and the count are the owner's. The document offers
// it only once a sampling control is installed.
class SamplingProviderPart final : public IHostSamplingProvider {
 public:
  explicit SamplingProviderPart(IUnknown& owner) noexcept : mOwner(owner) {}
  SamplingProviderPart(const SamplingProviderPart&) = delete;
  SamplingProviderPart& operator=(const SamplingProviderPart&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;
  HRESULT STDMETHODCALLTYPE IsDeviceBusy(int32_t which, VARIANT_BOOL* busy) noexcept override;
  HRESULT STDMETHODCALLTYPE GetDeviceCount(int32_t which, int32_t* count) noexcept override;
  HRESULT STDMETHODCALLTYPE GetSamplingControl(IHostSamplingControl** control) noexcept override;

  void Install(IHostSamplingControl* control) { mControl = HostPtr<IHostSamplingControl>(control); }
  bool Installed() const noexcept { return mControl.Get() != nullptr; }
  void SetDeviceBusy(bool busy) noexcept { mBusy = busy; }

 private:
  IUnknown& mOwner;
  HostPtr<IHostSamplingControl> mControl;
  bool mBusy = false;
};

}  // namespace host
