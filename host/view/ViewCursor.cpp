// The recording view's cursor of a host document.
#include "host/view/ViewCursor.h"

#include "host/common/HostPtr.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/HostProgress.h"
#include "hostapi/TypeRegistry.h"

#include <objbase.h>

#include <cmath>

namespace host {

HRESULT STDMETHODCALLTYPE ViewCursor::MoveToTime(double seconds, int32_t show) noexcept {
  if (!std::isfinite(seconds)) return E_INVALIDARG;
  try {
    mMoves.push_back(Move{seconds, show});
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

void* ViewCursor::FindInterface(REFIID iid) {
  if (iid == IID_IUnknown || iid == IID_IHostViewCursor) return static_cast<IHostViewCursor*>(this);
  return nullptr;
}

uint32_t ViewCursorTypeId() noexcept {
  HostPtr<ITypeRegistry> types;
  uint16_t index = 0;
  if (FAILED(CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_ITypeRegistry,
                              reinterpret_cast<void**>(types.Out()))) ||
      !types || FAILED(types->RegisterGuid(&kHostUiClassGuid, &index))) {
    return 0;
  }
  return (static_cast<uint32_t>(index) << 16) | kViewCursorClassNumber;
}

}  // namespace host
