// The data document's children of the host's extensions.
#include "host/data/ExtensionChildrenPart.h"

#include <objbase.h>
#include <oleauto.h>

#include <string>

#include "host/cycles/DetectionSettingsService.h"
#include "host/data/DataDocument.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/TypeRegistry.h"

namespace host {

namespace {

// The type id of the cycle extension's class (number 0), from the framework's type registry; 0 without one.
uint32_t ExtensionTypeId() noexcept {
  HostPtr<ITypeRegistry> types;
  uint16_t index = 0;
  if (FAILED(CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_ITypeRegistry,
                              reinterpret_cast<void**>(types.Out()))) ||
      !types || FAILED(types->RegisterGuid(&PXChildClassGUID, &index))) {
    return 0;
  }
  return static_cast<uint32_t>(index) << 16;
}

}  // namespace

HRESULT STDMETHODCALLTYPE ExtensionChildrenPart::QueryInterface(REFIID iid, void** out) noexcept {
  return mOwner.QueryInterface(iid, out);
}

ULONG STDMETHODCALLTYPE ExtensionChildrenPart::AddRef() noexcept { return mOwner.AddRef(); }

ULONG STDMETHODCALLTYPE ExtensionChildrenPart::Release() noexcept { return mOwner.Release(); }

HRESULT STDMETHODCALLTYPE ExtensionChildrenPart::GetFrameInterface(IUnknown** frame) noexcept {
  if (frame) *frame = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ExtensionChildrenPart::GetChildObject(uint32_t typeId, int32_t index,
                                                               IUnknown** child) noexcept {
  if (!child) return E_POINTER;
  *child = nullptr;
  const uint32_t extension = ExtensionTypeId();
  if (!mInstalled || extension == 0 || typeId != extension || index != 0) return E_FAIL;
  try {
    if (!mDetectionService) {
      DataDocument& document = mOwner;
      mDetectionService = CreateDetectionSettingsService([&document](int32_t channel) {
        BSTR title = nullptr;
        if (FAILED(document.GetChannelTitle(channel, 0, 0, &title)) || !title) return std::wstring();
        std::wstring text(title, SysStringLen(title));
        SysFreeString(title);
        return text;
      });
    }
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return mDetectionService->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(child));
}

}  // namespace host
