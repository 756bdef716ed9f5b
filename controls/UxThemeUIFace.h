// UxThemeUIFace: draws a gadget's text or face image by state: normal, down and default
// unchanged, indeterminate not at all, disabled etched (text) or greyed (image).
#pragma once

#include "platform/owl/TColor.h"
#include "platform/owl/TRect.h"
#include "platform/owl/TUIFace.h"

#include <string>

namespace Gdiplus {
class GpBitmap;
}
namespace OWL {
class TDC;
}

class UxThemeUIFace {
 public:
  using TState = OWL::TUIFace::TState;

  // A text face: text drawn with DrawText format in rect.
  UxThemeUIFace(const OWL::TRect& rect, const std::wstring& text, UINT format,
                const OWL::TColor& fill = OWL::TColor::None,
                const OWL::TColor& highlight = OWL::TColor::Sys3dHilight);
  // An image face: image (not owned) drawn from a position, clipped to rect.
  UxThemeUIFace(const OWL::TRect& rect, Gdiplus::GpBitmap* image);

  // position: the image's top-left corner (ignored for text).
  void Paint(OWL::TDC& dc, const OWL::TPoint& position, TState state) const;

 private:
  void PaintText(OWL::TDC& dc, TState state) const;
  void PaintImage(OWL::TDC& dc, const OWL::TPoint& position, TState state) const;

  OWL::TRect mRect;
  std::wstring mText;
  UINT mFormat = 0;
  Gdiplus::GpBitmap* mImage = nullptr;
  OWL::TColor mFill;
  OWL::TColor mHighlight;
};
