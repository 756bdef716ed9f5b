// OWL::TBitmap: bitmap creation and its dimensions.
#include "platform/owl/TBitmap.h"

#include "platform/owl/TDC.h"

#include <memory>

namespace OWL {

TBitmap::TBitmap(HINSTANCE instance, int resourceId) {
  TakeCreated(::LoadBitmapW(instance, MAKEINTRESOURCEW(resourceId)), L"LoadBitmap");
}

TBitmap::TBitmap(const TDC& dc, int width, int height) {
  TakeCreated(CreateCompatibleBitmap(dc.GetHDC(), width, height), L"CreateCompatibleBitmap");
}

TBitmap::TBitmap(int width, int height, int planes, int bitsPerPixel, const void* bits) {
  TakeCreated(CreateBitmap(width, height, planes, bitsPerPixel, bits), L"CreateBitmap");
}

TBitmap* TBitmap::CreateDIB32(int width, int height, uint32_t** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP const handle = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  std::unique_ptr<TBitmap> bitmap(new TBitmap());
  bitmap->TakeCreated(handle, L"CreateDIBSection");
  if (bits) *bits = static_cast<uint32_t*>(pixels);
  return bitmap.release();
}

static BITMAP Describe(HGDIOBJ handle) noexcept {
  BITMAP bm{};
  GetObjectW(handle, sizeof bm, &bm);
  return bm;
}

int TBitmap::Width() const noexcept { return Describe(mHandle).bmWidth; }
int TBitmap::Height() const noexcept { return Describe(mHandle).bmHeight; }

}  // namespace OWL
