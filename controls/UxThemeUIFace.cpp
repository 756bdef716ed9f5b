// UxThemeUIFace: text and image faces through GDI and GDI+.
#include "controls/UxThemeUIFace.h"

#include "controls/GdiplusPrivate.h"
#include "platform/owl/TBrush.h"
#include "platform/owl/TDC.h"

using namespace Gdiplus;

namespace {

// The disabled look: every channel from the sum of R, G and B (blue a little stronger),
// lifted by 0.4 so that black becomes mid grey.
const ColorMatrix kDisabledMatrix = {{
    {0.22288311f, 0.22288311f, 0.24626459f, 0, 0},
    {0.22288311f, 0.22288311f, 0.24626459f, 0, 0},
    {0.22288311f, 0.22288311f, 0.24626459f, 0, 0},
    {0, 0, 0, 1, 0},
    {0.4f, 0.4f, 0.4f, 0, 1},
}};

constexpr ARGB kTransparentKey = 0xFFC0C0C0;  // light grey marks transparent pixels

}  // namespace

UxThemeUIFace::UxThemeUIFace(const OWL::TRect& rect, const std::wstring& text, UINT format,
                             const OWL::TColor& fill, const OWL::TColor& highlight)
    : mRect(rect), mText(text), mFormat(format), mFill(fill), mHighlight(highlight) {}

UxThemeUIFace::UxThemeUIFace(const OWL::TRect& rect, GpBitmap* image)
    : mRect(rect), mImage(image), mFill(OWL::TColor::None), mHighlight(OWL::TColor::Sys3dHilight) {}

void UxThemeUIFace::Paint(OWL::TDC& dc, const OWL::TPoint& position, TState state) const {
  if (state == OWL::TUIFace::Indeterm) return;
  if (!mFill.IsNone()) dc.FillRect(mRect, OWL::TBrush(mFill));
  if (mImage) PaintImage(dc, position, state);
  else PaintText(dc, state);
}

void UxThemeUIFace::PaintText(OWL::TDC& dc, TState state) const {
  if (state == OWL::TUIFace::Disabled) {
    OWL::TUIFace::DrawTextEtched(dc, mText, mRect, mFormat, mHighlight);
    return;
  }
  OWL::TRect rect = mRect;
  dc.DrawText(mText.c_str(), -1, rect, mFormat);
}

void UxThemeUIFace::PaintImage(OWL::TDC& dc, const OWL::TPoint& position, TState state) const {
  UINT width = 0;
  UINT height = 0;
  DllExports::GdipGetImageWidth(mImage, &width);
  DllExports::GdipGetImageHeight(mImage, &height);
  OWL::TRect const drawn = OWL::TRect(position, OWL::TSize(static_cast<int>(width), static_cast<int>(height))) & mRect;
  if (drawn.IsEmpty()) return;
  GdipGraphicsPtr const graphics = GdipGraphicsFromDC(dc);
  GpImageAttributes* attributes = nullptr;
  if (!graphics || DllExports::GdipCreateImageAttributes(&attributes) != Ok) return;
  GdipImageAttributesPtr const owner(attributes);
  PixelFormat format = 0;
  DllExports::GdipGetImagePixelFormat(mImage, &format);
  if (format != PixelFormat32bppPARGB)
    DllExports::GdipSetImageAttributesColorKeys(attributes, ColorAdjustTypeDefault, TRUE, kTransparentKey,
                                                kTransparentKey);
  if (state == OWL::TUIFace::Disabled)
    DllExports::GdipSetImageAttributesColorMatrix(attributes, ColorAdjustTypeDefault, TRUE, &kDisabledMatrix,
                                                  nullptr, ColorMatrixFlagsDefault);
  DllExports::GdipDrawImageRectRectI(graphics.get(), mImage, drawn.left, drawn.top, drawn.Width(), drawn.Height(),
                                     drawn.left - position.x, drawn.top - position.y, drawn.Width(),
                                     drawn.Height(), UnitPixel, attributes, nullptr, nullptr);
}
