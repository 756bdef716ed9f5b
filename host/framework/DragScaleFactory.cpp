// The drag-scale factory: a host class object that makes axis scales with or without a window.
#include "host/framework/ClassRegistry.h"
#include "host/framework/HostDragScale.h"
#include "host/framework/StaticService.h"
#include "hostapi/DragScale.h"

#include <new>

namespace lumo {

namespace {

// Creation flags with either of the two low bits make a horizontal scale (kScaleCreateX);
// without them a vertical one (kScaleCreateY).
constexpr uint32_t kHorizontalFlags = 0x3;

class DragScaleFactory final : public StaticService<IDragScaleFactory, IID_IDragScaleFactory> {
 public:
  // value2 is the axis id reported to observers.
  HRESULT STDMETHODCALLTYPE CreateScale(int32_t, int32_t value2, uint32_t flags,
                                        IDragScale** scale) noexcept override {
    if (!scale) return E_POINTER;
    *scale = nullptr;
    auto* const made = new (std::nothrow) host::HostDragScale((flags & kHorizontalFlags) != 0, value2);
    if (!made) return E_OUTOFMEMORY;
    *scale = made;
    return S_OK;
  }

  // value1 tells the side of the plot area (kDragScaleWindowBelow or kDragScaleWindowLeft),
  // value2 is the axis id; the other two carry nothing here.
  HRESULT STDMETHODCALLTYPE CreateWindowScale(HWND parent, int32_t, int32_t, int32_t value1, int32_t value2,
                                              IDragScale** scale) noexcept override {
    if (!scale) return E_POINTER;
    *scale = nullptr;
    if (!parent || (value1 != kDragScaleWindowBelow && value1 != kDragScaleWindowLeft)) return E_INVALIDARG;
    auto* const made = new (std::nothrow) host::HostDragScale(value1 == kDragScaleWindowBelow, value2);
    if (!made) return E_OUTOFMEMORY;
    if (!made->CreateWindowUnder(parent)) {
      made->Release();
      return HRESULT_FROM_WIN32(ERROR_CANNOT_MAKE);
    }
    *scale = made;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE CreateAxisWindow(HWND parent, int32_t offsetTop, int32_t offsetBottom, uint32_t style,
                                             int32_t axisKind, IDragScale** scale) noexcept override {
    if (!scale) return E_POINTER;
    *scale = nullptr;
    if (!parent || (axisKind != kLaneAxisLeft && axisKind != kLaneAxisRight)) return E_INVALIDARG;
    auto* const made = new (std::nothrow) host::HostDragScale(false, axisKind);
    if (!made) return E_OUTOFMEMORY;
    made->SetStyle(style);
    made->SetInset(-offsetTop, -offsetBottom);
    if (!made->CreateWindowUnder(parent)) {
      made->Release();
      return HRESULT_FROM_WIN32(ERROR_CANNOT_MAKE);
    }
    *scale = made;
    return S_OK;
  }
};

DragScaleFactory gDragScaleFactory;
HostClassRegistration gDragScaleFactoryEntry(kDragScaleServiceClassGuid, kDragScaleServiceNumber,
                                             &gDragScaleFactory, nullptr);

}  // namespace

}  // namespace lumo
