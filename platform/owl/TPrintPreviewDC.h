// OWL::TPrintPreviewDC: draws on a screen DC as if on a printer page. Logical units are the
// printer's device pixels; the printer's page (HORZRES x VERTRES) is mapped onto a rectangle of
// the screen DC, and GetDeviceCaps answers for the printer, so code written for the printer
// (fonts from LOGPIXELSY, page sizes) previews unchanged.
#pragma once

#include "platform/owl/TDC.h"

namespace OWL {

// The mapping set through this object (MM_TEXT or MM_ANISOTROPIC; MM_ISOTROPIC is kept as
// anisotropic, other fixed modes as MM_TEXT) is the one a printer DC would have; it is
// composed with the page-to-screen scaling before it reaches the screen DC. The screen DC's
// state is saved at construction and restored at destruction.
class TPrintPreviewDC : public TDC {
 public:
  // screen: the DC drawn on; printer: the DC whose page is previewed (only its capabilities are
  // read); page: where the page lands on screen, in screen device pixels; clip: the part of the
  // screen that may be drawn (device pixels).
  TPrintPreviewDC(TDC& screen, const TDC& printer, const TRect& page, const TRect& clip) noexcept;
  ~TPrintPreviewDC() override;

  int GetDeviceCaps(int index) const noexcept override;
  int SetMapMode(int mode) noexcept override;
  int GetMapMode() const noexcept override { return mMode; }
  TPoint SetWindowOrg(const TPoint& origin) noexcept override;
  TPoint GetWindowOrg() const noexcept override { return mWindowOrg; }
  TPoint SetViewportOrg(const TPoint& origin) noexcept override;
  TPoint GetViewportOrg() const noexcept override { return mViewportOrg; }
  TSize SetWindowExt(const TSize& extent) noexcept override;
  TSize GetWindowExt() const noexcept override { return mWindowExt; }
  TSize SetViewportExt(const TSize& extent) noexcept override;
  TSize GetViewportExt() const noexcept override { return mViewportExt; }

 private:
  void Apply() noexcept;

  const TDC& mPrinter;
  TRect mPage;
  TSize mPrinterPage;
  int mSavedState;
  int mMode = MM_TEXT;
  TPoint mWindowOrg;
  TPoint mViewportOrg;
  TSize mWindowExt;
  TSize mViewportExt;
};

}  // namespace OWL
