// Scopes a grid printout draws in: each changes some of a DC's or the grid's state and puts it
// back when it ends.
#pragma once

#include "grid/GridControl.h"
#include "platform/owl/TDC.h"

#include <windows.h>

namespace TVF_Grid {

// Narrows the DC's clipping to a rectangle and gives back the clipping it found.
class ClipScope {
 public:
  ClipScope(OWL::TDC& dc, const OWL::TRect& rect) : mDc(dc), mSaved(CreateRectRgn(0, 0, 0, 0)) {
    mHadClip = mSaved && GetClipRgn(dc.GetHDC(), mSaved) == 1;
    dc.IntersectClipRect(rect);
  }
  ~ClipScope() {
    SelectClipRgn(mDc.GetHDC(), mHadClip ? mSaved : nullptr);
    if (mSaved) DeleteObject(mSaved);
  }
  ClipScope(const ClipScope&) = delete;
  ClipScope& operator=(const ClipScope&) = delete;

 private:
  OWL::TDC& mDc;
  HRGN mSaved;
  bool mHadClip = false;
};

// Text alignment and background mode as they were found.
class TextStateScope {
 public:
  TextStateScope(OWL::TDC& dc, UINT align)
      : mDc(dc), mAlign(dc.SetTextAlign(align)), mMode(dc.SetBkMode(TRANSPARENT)) {}
  ~TextStateScope() {
    mDc.SetTextAlign(mAlign);
    mDc.SetBkMode(mMode);
  }
  TextStateScope(const TextStateScope&) = delete;
  TextStateScope& operator=(const TextStateScope&) = delete;

 private:
  OWL::TDC& mDc;
  UINT mAlign;
  int mMode;
};

// Text and background colours as they were found: the cell painter leaves a selected cell's.
class ColourScope {
 public:
  explicit ColourScope(OWL::TDC& dc)
      : mDc(dc), mText(GetTextColor(dc.GetHDC())), mBack(GetBkColor(dc.GetHDC())) {}
  ~ColourScope() {
    SetTextColor(mDc.GetHDC(), mText);
    SetBkColor(mDc.GetHDC(), mBack);
  }
  ColourScope(const ColourScope&) = delete;
  ColourScope& operator=(const ColourScope&) = delete;

 private:
  OWL::TDC& mDc;
  COLORREF mText;
  COLORREF mBack;
};

}  // namespace TVF_Grid
