// OWL::TCelArray: equal-sized pictures (cels) side by side in one bitmap.
#pragma once

#include "platform/owl/TBitmap.h"
#include "platform/owl/TRect.h"

#include <memory>

namespace OWL {

class TDC;

class TCelArray {
 public:
  // count empty cels of celSize, compatible with dc (the screen when null).
  TCelArray(const TSize& celSize, int count, const TDC* dc = nullptr);

  TSize CelSize() const noexcept { return mCelSize; }
  TRect CelRect(int index) const noexcept {
    return TRect(TPoint(index * mCelSize.cx, 0), mCelSize);
  }
  const TBitmap& GetBitmap() const noexcept { return *mBitmap; }
  // Copies src's picture (from its top left, at most one cel's size) into cel index.
  void SetCel(int index, const TBitmap& src);
  // Copies cel index to dc at (x, y).
  bool BitBlt(int index, TDC& dc, int x, int y, DWORD rop = SRCCOPY) const;

 private:
  std::unique_ptr<TBitmap> mBitmap;
  int mCount;
  TSize mCelSize;
};

}  // namespace OWL
