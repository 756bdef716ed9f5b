// DibCanvas: a 32-bit top-down DIB section selected into a memory DC, for pixel checks of
// drawing code.
#pragma once

#include <windows.h>

#include <cstdint>

class DibCanvas {
 public:
  // The whole bitmap starts filled with fill.
  DibCanvas(int width, int height, HBRUSH fill) : mWidth(width) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    mBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&mBits),
                               nullptr, 0);
    mDc = CreateCompatibleDC(nullptr);
    mOld = SelectObject(mDc, mBitmap);
    const RECT all{0, 0, width, height};
    FillRect(mDc, &all, fill);
  }
  ~DibCanvas() {
    SelectObject(mDc, mOld);
    DeleteDC(mDc);
    DeleteObject(mBitmap);
  }
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  HDC Dc() const { return mDc; }
  int Width() const { return mWidth; }
  // The pixel as 0x00RRGGBB.
  uint32_t At(int x, int y) const {
    GdiFlush();
    return mBits[y * mWidth + x] & 0xFFFFFF;
  }
  // A system colour as a pixel value.
  static uint32_t SysPixel(int colour) {
    const COLORREF c = GetSysColor(colour);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  }

 private:
  int mWidth;
  HBITMAP mBitmap = nullptr;
  uint32_t* mBits = nullptr;
  HDC mDc = nullptr;
  HGDIOBJ mOld = nullptr;
};
