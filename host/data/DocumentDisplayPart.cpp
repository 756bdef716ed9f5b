// The host document's display mode, channel colours and display options.
#include "host/data/DocumentDisplayPart.h"

#include "host/common/HostObject.h"

#include <new>

namespace host {

namespace {

// The options as colour-scheme entries, read from the document's values when asked.
class OptionsObject final : public HostObject<IHostColourScheme> {
 public:
  OptionsObject(IUnknown& owner, const DisplayOptions& options) : mOwner(owner), mOptions(options) {
    mOwner.AddRef();
  }
  HRESULT STDMETHODCALLTYPE GetEntryInteger(uint32_t entryId, IUnknown*, int32_t* value) noexcept override {
    if (!value) return E_POINTER;
    *value = 0;
    if (entryId == kDisplayEntryClockTime) {
      *value = mOptions.clockTime ? 1 : 0;
      return S_OK;
    }
    if (entryId != kColourEntryGraticule) return E_INVALIDARG;
    *value = mOptions.gridColourIndex;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetEntryValue(uint32_t entryId, IUnknown*, uint32_t* value) noexcept override {
    if (!value) return E_POINTER;
    *value = 0;
    if (entryId == kColourEntry09) {
      *value = mOptions.gridOn ? 1u : 0u;
      return S_OK;
    }
    if (entryId != kColourEntryGraticuleStyle) return E_INVALIDARG;
    *value = static_cast<uint32_t>(mOptions.second);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetEntryStyle(uint32_t entryId, IUnknown*, int32_t* value) noexcept override {
    if (!value) return E_POINTER;
    *value = 0;
    if (entryId != kColourEntryGraticuleStyle) return E_INVALIDARG;
    *value = mOptions.second;
    return S_OK;
  }

 private:
  ~OptionsObject() override { mOwner.Release(); }
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_IHostColourScheme) return static_cast<IHostColourScheme*>(this);
    return nullptr;
  }

  IUnknown& mOwner;
  const DisplayOptions& mOptions;
};

}  // namespace

HRESULT STDMETHODCALLTYPE DocumentDisplayPart::QueryInterface(REFIID iid, void** out) noexcept {
  return mOwner.QueryInterface(iid, out);
}

ULONG STDMETHODCALLTYPE DocumentDisplayPart::AddRef() noexcept { return mOwner.AddRef(); }

ULONG STDMETHODCALLTYPE DocumentDisplayPart::Release() noexcept { return mOwner.Release(); }

HRESULT STDMETHODCALLTYPE DocumentDisplayPart::GetDisplayMode(int32_t* mode) noexcept {
  if (!mode) return E_POINTER;
  if (!mHasMode) return S_FALSE;
  *mode = mMode;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DocumentDisplayPart::GetChannelColour(int32_t channel, COLORREF* colour) noexcept {
  if (!colour) return E_POINTER;
  *colour = 0;
  const auto found = mColours.find(channel);
  if (found == mColours.end()) return E_INVALIDARG;
  *colour = found->second;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DocumentDisplayPart::GetDisplayOptions(IHostColourScheme** options) noexcept {
  if (!options) return E_POINTER;
  *options = new (std::nothrow) OptionsObject(mOwner, mOptions);
  return *options ? S_OK : E_OUTOFMEMORY;
}

}  // namespace host
