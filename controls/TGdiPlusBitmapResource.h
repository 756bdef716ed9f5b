// TGdiPlusBitmapResource: a GDI+ bitmap made from a "PNG" resource, with the memory block
// that holds the PNG data while the bitmap lives.
#pragma once

#include "platform/owl/TResId.h"

#include <windows.h>

namespace Gdiplus {
class GpBitmap;
}

class TGdiPlusBitmapResource {
 public:
  TGdiPlusBitmapResource() noexcept = default;
  TGdiPlusBitmapResource(const TGdiPlusBitmapResource&) = delete;
  TGdiPlusBitmapResource& operator=(const TGdiPlusBitmapResource&) = delete;
  virtual ~TGdiPlusBitmapResource();

  // Releases what the holder has, then loads the "PNG" resource name of instance. False
  // (holding nothing) when it is missing, empty or not an image GDI+ reads.
  bool LoadPngResource(const OWL::TResId& name, HINSTANCE instance);

  // Owned by the holder; null until a load succeeds.
  Gdiplus::GpBitmap* GetBitmap() const noexcept { return mBitmap; }
  HGLOBAL GetMemoryBlock() const noexcept { return mBlock; }

 private:
  void Release() noexcept;
  bool LoadFromBlock(const void* data, DWORD size);

  Gdiplus::GpBitmap* mBitmap = nullptr;
  HGLOBAL mBlock = nullptr;
};

// A 32-bit premultiplied ARGB copy of the "PNG" resource name of instance, owned by the caller
// (dispose it with GdipDisposeImage); null when the resource cannot be loaded.
Gdiplus::GpBitmap* LoadPngBitmap(const OWL::TResId& name, HINSTANCE instance);

// A copy of image (its pixels sized for a 96-dpi screen) at dpi, owned by the caller; null at 96
// dpi or below, or when it cannot be made. Faces with alpha are resampled smoothly (bicubic),
// colour-keyed ones pixel by pixel, so that the key stays exact.
Gdiplus::GpBitmap* ScaleBitmapForDpi(Gdiplus::GpBitmap* image, int dpi);
