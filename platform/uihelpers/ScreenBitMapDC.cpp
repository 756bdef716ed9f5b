// QOR::ScreenBitMapDC: the bitmap and its selection.
#include "platform/uihelpers/ScreenBitMapDC.h"

#include "base/XQOR.h"

namespace QOR {

static HBITMAP CreateScreenBitmap(int width, int height) {
  HDC const screen = GetDC(nullptr);
  HBITMAP const bitmap = screen ? CreateCompatibleBitmap(screen, width, height) : nullptr;
  DWORD const error = GetLastError();
  if (screen) ReleaseDC(nullptr, screen);
  if (!bitmap) {
    throw XQOR(String(L"ScreenBitMapDC:: ctor fail"),
               static_cast<HRESULT>(0x80070000u | (error & 0xFFFFu)));
  }
  return bitmap;
}

ScreenBitMapDC::ScreenBitMapDC(int width, int height)
    : mBitmap(new OWL::TBitmap(CreateScreenBitmap(width, height), OWL::TAutoDelete::AutoDelete)) {
  SelectObject(*mBitmap);
}

ScreenBitMapDC::~ScreenBitMapDC() {
  RestoreObjects();
  delete mBitmap;
}

}  // namespace QOR
