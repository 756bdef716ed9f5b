// OWL::TGdiObject: ownership of one GDI handle.
#include "platform/owl/TGdiObject.h"

#include "base/XQOR.h"

namespace OWL {

TGdiObject::TGdiObject(HGDIOBJ handle, TAutoDelete autoDelete) noexcept
    : mHandle(handle), mOwned(autoDelete == TAutoDelete::AutoDelete) {}

TGdiObject::~TGdiObject() {
  if (mOwned && mHandle) DeleteObject(mHandle);
}

HGDIOBJ TGdiObject::Detach() noexcept {
  HGDIOBJ const handle = mHandle;
  mHandle = nullptr;
  mOwned = false;
  return handle;
}

void TGdiObject::TakeCreated(HGDIOBJ handle, const wchar_t* what) {
  if (!handle) throw XQOR(QOR::String(what), HRESULT_FROM_WIN32(GetLastError()));
  mHandle = handle;
  mOwned = true;
}

}  // namespace OWL
