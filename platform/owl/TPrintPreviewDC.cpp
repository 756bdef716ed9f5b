// OWL::TPrintPreviewDC: composition of the printer mapping with the page-to-screen scaling.
#include "platform/owl/TPrintPreviewDC.h"

namespace OWL {

TPrintPreviewDC::TPrintPreviewDC(TDC& screen, const TDC& printer, const TRect& page,
                                 const TRect& clip) noexcept
    : TDC(screen.GetHDC()), mPrinter(printer), mPage(page),
      mPrinterPage(printer.GetDeviceCaps(HORZRES), printer.GetDeviceCaps(VERTRES)),
      mSavedState(::SaveDC(mHandle)) {
  if (mPrinterPage.cx <= 0) mPrinterPage.cx = 1;
  if (mPrinterPage.cy <= 0) mPrinterPage.cy = 1;
  ::SetMapMode(mHandle, MM_TEXT);
  ::SetWindowOrgEx(mHandle, 0, 0, nullptr);
  ::SetViewportOrgEx(mHandle, 0, 0, nullptr);
  HRGN const region = CreateRectRgn(clip.left, clip.top, clip.right, clip.bottom);
  ExtSelectClipRgn(mHandle, region, RGN_AND);
  DeleteObject(region);
  mWindowExt = mPrinterPage;
  mViewportExt = mPrinterPage;
  Apply();
}

TPrintPreviewDC::~TPrintPreviewDC() {
  RestoreObjects();
  ::RestoreDC(mHandle, mSavedState);
  mHandle = nullptr;
}

int TPrintPreviewDC::GetDeviceCaps(int index) const noexcept {
  return mPrinter.GetDeviceCaps(index);
}

void TPrintPreviewDC::Apply() noexcept {
  int const w = mPage.Width();
  int const h = mPage.Height();
  ::SetMapMode(mHandle, MM_ANISOTROPIC);
  ::SetWindowExtEx(mHandle, mWindowExt.cx, mWindowExt.cy, nullptr);
  ::SetViewportExtEx(mHandle, MulDiv(mViewportExt.cx, w, mPrinterPage.cx),
                     MulDiv(mViewportExt.cy, h, mPrinterPage.cy), nullptr);
  ::SetWindowOrgEx(mHandle, mWindowOrg.x, mWindowOrg.y, nullptr);
  ::SetViewportOrgEx(mHandle, mPage.left + MulDiv(mViewportOrg.x, w, mPrinterPage.cx),
                     mPage.top + MulDiv(mViewportOrg.y, h, mPrinterPage.cy), nullptr);
}

int TPrintPreviewDC::SetMapMode(int mode) noexcept {
  int const old = mMode;
  mMode = (mode == MM_ANISOTROPIC || mode == MM_ISOTROPIC) ? MM_ANISOTROPIC : MM_TEXT;
  if (mMode == MM_TEXT) {
    mWindowExt = mPrinterPage;
    mViewportExt = mPrinterPage;
  }
  Apply();
  return old;
}

TPoint TPrintPreviewDC::SetWindowOrg(const TPoint& origin) noexcept {
  TPoint const old = mWindowOrg;
  mWindowOrg = origin;
  Apply();
  return old;
}

TPoint TPrintPreviewDC::SetViewportOrg(const TPoint& origin) noexcept {
  TPoint const old = mViewportOrg;
  mViewportOrg = origin;
  Apply();
  return old;
}

// Extents only count in the anisotropic mode, as on a real DC.
TSize TPrintPreviewDC::SetWindowExt(const TSize& extent) noexcept {
  TSize const old = mWindowExt;
  if (mMode != MM_ANISOTROPIC || extent.cx == 0 || extent.cy == 0) return old;
  mWindowExt = extent;
  Apply();
  return old;
}

TSize TPrintPreviewDC::SetViewportExt(const TSize& extent) noexcept {
  TSize const old = mViewportExt;
  if (mMode != MM_ANISOTROPIC || extent.cx == 0 || extent.cy == 0) return old;
  mViewportExt = extent;
  Apply();
  return old;
}

}  // namespace OWL
