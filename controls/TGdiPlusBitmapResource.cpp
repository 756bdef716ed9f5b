// TGdiPlusBitmapResource: loading a PNG resource through a stream on a global block.
#include "controls/TGdiPlusBitmapResource.h"

#include "controls/GdiplusPrivate.h"
#include "platform/uihelpers/ScreenDpi.h"

#include <cstring>

using namespace Gdiplus;

TGdiPlusBitmapResource::~TGdiPlusBitmapResource() { Release(); }

void TGdiPlusBitmapResource::Release() noexcept {
  if (mBitmap) DllExports::GdipDisposeImage(mBitmap);
  mBitmap = nullptr;
  if (mBlock) {
    GlobalUnlock(mBlock);
    GlobalFree(mBlock);
  }
  mBlock = nullptr;
}

bool TGdiPlusBitmapResource::LoadPngResource(const OWL::TResId& name, HINSTANCE instance) {
  Release();
  HRSRC const resource = FindResourceW(instance, name, L"PNG");
  if (!resource) return false;
  DWORD const size = SizeofResource(instance, resource);
  if (size == 0) return false;
  HGLOBAL const loaded = LoadResource(instance, resource);
  const void* const data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return false;
  mBlock = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!mBlock) return false;
  if (LoadFromBlock(data, size)) return true;
  GlobalUnlock(mBlock);  // unlocking a block that was never locked does no harm
  GlobalFree(mBlock);
  mBlock = nullptr;
  return false;
}

// The block stays locked while the bitmap reads from it.
bool TGdiPlusBitmapResource::LoadFromBlock(const void* data, DWORD size) {
  void* const memory = GlobalLock(mBlock);
  if (!memory) return false;
  std::memcpy(memory, data, size);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(mBlock, FALSE, &stream))) return false;
  GpBitmap* bitmap = nullptr;
  GpStatus const status = DllExports::GdipCreateBitmapFromStream(stream, &bitmap);
  stream->Release();
  if (mBitmap) DllExports::GdipDisposeImage(mBitmap);
  mBitmap = bitmap;
  if (mBitmap && status == Ok) return true;
  if (mBitmap) DllExports::GdipDisposeImage(mBitmap);
  mBitmap = nullptr;
  return false;
}

namespace {

// A copy of source drawn into a new bitmap of width by height in format, resampled with mode.
GpBitmap* DrawnCopy(GpBitmap* source, UINT width, UINT height, PixelFormat format, InterpolationMode mode) {
  GpBitmap* copy = nullptr;
  if (DllExports::GdipCreateBitmapFromScan0(static_cast<INT>(width), static_cast<INT>(height), 0, format, nullptr,
                                            &copy) != Ok)
    return nullptr;
  GpGraphics* g = nullptr;
  if (DllExports::GdipGetImageGraphicsContext(copy, &g) == Ok) {
    DllExports::GdipSetInterpolationMode(g, mode);
    // Pixel centres on half coordinates: a doubled image does not shift by half a pixel.
    DllExports::GdipSetPixelOffsetMode(g, PixelOffsetModeHalf);
    DllExports::GdipDrawImageRectI(g, source, 0, 0, static_cast<INT>(width), static_cast<INT>(height));
    DllExports::GdipDeleteGraphics(g);
  }
  return copy;
}

}  // namespace

GpBitmap* LoadPngBitmap(const OWL::TResId& name, HINSTANCE instance) {
  TGdiPlusBitmapResource png;
  if (!png.LoadPngResource(name, instance)) return nullptr;
  UINT w = 0;
  UINT h = 0;
  DllExports::GdipGetImageWidth(png.GetBitmap(), &w);
  DllExports::GdipGetImageHeight(png.GetBitmap(), &h);
  return DrawnCopy(png.GetBitmap(), w, h, PixelFormat32bppPARGB, InterpolationModeDefault);
}

GpBitmap* ScaleBitmapForDpi(GpBitmap* image, int dpi) {
  if (!image || dpi <= QOR::kBaseDpi) return nullptr;
  UINT w = 0;
  UINT h = 0;
  PixelFormat format = 0;
  DllExports::GdipGetImageWidth(image, &w);
  DllExports::GdipGetImageHeight(image, &h);
  DllExports::GdipGetImagePixelFormat(image, &format);
  const UINT width = static_cast<UINT>(QOR::ScaleForDpi(static_cast<int>(w), dpi));
  const UINT height = static_cast<UINT>(QOR::ScaleForDpi(static_cast<int>(h), dpi));
  if (width == 0 || height == 0) return nullptr;
  if (format & PixelFormatAlpha)
    return DrawnCopy(image, width, height, PixelFormat32bppPARGB, InterpolationModeHighQualityBicubic);
  // A face without alpha is drawn with a colour key, which blending would smear into its neighbours.
  return DrawnCopy(image, width, height, PixelFormat24bppRGB, InterpolationModeNearestNeighbor);
}
