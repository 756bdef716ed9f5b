// OWL::TBtnBitmap: copying into a DIB section and mapping the face colour.
#include "platform/owl/TBtnBitmap.h"

#include "base/XQOR.h"
#include "platform/owl/TMemoryDC.h"

#include <memory>

namespace OWL {

const TColor TBtnBitmap::DefaultFaceColor(192, 192, 192);

static uint32_t ToPixel(COLORREF c) noexcept {
  return static_cast<uint32_t>(GetRValue(c)) << 16 | static_cast<uint32_t>(GetGValue(c)) << 8 |
         GetBValue(c);
}

TBtnBitmap::TBtnBitmap(HINSTANCE instance, const TResId& id, const TColor& faceColor)
    : mFace(ToPixel(faceColor.GetValue())), mMapped(mFace) {
  HBITMAP const loaded = static_cast<HBITMAP>(LoadImageW(instance, id, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!loaded) throw XQOR(HRESULT_FROM_WIN32(GetLastError() ? GetLastError() : ERROR_RESOURCE_NAME_NOT_FOUND));
  TBitmap owner(loaded, TAutoDelete::AutoDelete);
  CopyFrom(loaded);
  MapFaceColor();
}

TBtnBitmap::TBtnBitmap(HBITMAP source, const TColor& faceColor)
    : mFace(ToPixel(faceColor.GetValue())), mMapped(mFace) {
  CopyFrom(source);
  MapFaceColor();
}

void TBtnBitmap::CopyFrom(HBITMAP source) {
  TBitmap src(source);
  std::unique_ptr<TBitmap> copy(CreateDIB32(src.Width(), src.Height(), &mBits));
  {
    TMemoryDC from(src);
    TMemoryDC to(*copy);
    to.BitBlt(TRect(0, 0, src.Width(), src.Height()), from, TPoint(0, 0));
  }
  GdiFlush();
  mHandle = copy->Detach();
  mOwned = true;
}

void TBtnBitmap::MapFaceColor() noexcept {
  uint32_t const now = ToPixel(GetSysColor(COLOR_BTNFACE));
  if (!mBits || now == mMapped) return;
  size_t const count = static_cast<size_t>(Width()) * static_cast<size_t>(Height());
  for (size_t i = 0; i < count; ++i) {
    if ((mBits[i] & 0xFFFFFFu) == mMapped) mBits[i] = now;
  }
  mMapped = now;
}

}  // namespace OWL
