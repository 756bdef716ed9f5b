// OWL::TCelArray: cel geometry and copying.
#include "platform/owl/TCelArray.h"

#include "platform/owl/TMemoryDC.h"
#include "platform/owl/TScreenDC.h"

namespace OWL {

TCelArray::TCelArray(const TSize& celSize, int count, const TDC* dc)
    : mCount(count > 0 ? count : 1), mCelSize(celSize) {
  TScreenDC screen;
  mBitmap.reset(new TBitmap(dc ? *dc : screen, celSize.cx * mCount, celSize.cy));
}

void TCelArray::SetCel(int index, const TBitmap& src) {
  TMemoryDC target(*mBitmap);
  TMemoryDC source(src);
  int const w = src.Width() < mCelSize.cx ? src.Width() : mCelSize.cx;
  int const h = src.Height() < mCelSize.cy ? src.Height() : mCelSize.cy;
  target.BitBlt(TRect(TPoint(index * mCelSize.cx, 0), TSize(w, h)), source, TPoint(0, 0));
}

bool TCelArray::BitBlt(int index, TDC& dc, int x, int y, DWORD rop) const {
  TMemoryDC source(*mBitmap);
  return dc.BitBlt(TRect(TPoint(x, y), mCelSize), source, CelRect(index).TopLeft(), rop);
}

}  // namespace OWL
