// OWL::TGadget: bounds, borders, state and the default reactions of a gadget.
#include "platform/owl/TGadget.h"

#include <algorithm>

#include "platform/owl/TDC.h"
#include "platform/owl/TGadgetWindow.h"

namespace OWL {

TGadget::TGadget(int id, TBorderStyle borderStyle) : mId(id), mBorderStyle(borderStyle) {}

TGadget::~TGadget() {
  if (mWindow) mWindow->Remove(*this);
}

void TGadget::SetBounds(const TRect& bounds) {
  if (bounds == mBounds) return;
  Invalidate();
  mBounds = bounds;
  Invalidate();
}

void TGadget::SetSize(const TSize& size) {
  SetBounds(TRect(mBounds.TopLeft(), size));
  if (mWindow) mWindow->GadgetChangedSize(*this);
}

TRect TGadget::GetInnerRect() const noexcept {
  TBorders const b = BorderSpace();
  return TRect(b.Left + mMargins.Left, b.Top + mMargins.Top, mBounds.Width() - b.Right - mMargins.Right,
               mBounds.Height() - b.Bottom - mMargins.Bottom);
}

void TGadget::SetBorders(const TBorders& borders) {
  mBorders = borders;
  if (mWindow) mWindow->GadgetChangedSize(*this);
}

TGadget::TBorders TGadget::BorderSpace() const noexcept {
  int const line = BorderWidth();
  return TBorders(std::max(line, mBorders.Left), std::max(line, mBorders.Right), std::max(line, mBorders.Top),
                  std::max(line, mBorders.Bottom));
}

void TGadget::GetDesiredSize(TSize& size) {
  TBorders const b = BorderSpace();
  size = TSize(b.Left + b.Right + mMargins.Left + mMargins.Right, b.Top + b.Bottom + mMargins.Top + mMargins.Bottom);
}

void TGadget::SetShrinkWrap(bool width, bool height) {
  mShrinkWrapWidth = width;
  mShrinkWrapHeight = height;
}

void TGadget::SetEnabled(bool enabled) {
  if (mEnabled == enabled) return;
  mEnabled = enabled;
  Invalidate();
}

void TGadget::SetVisible(bool visible) {
  if (mVisible == visible) return;
  mVisible = visible;
  if (mWindow) mWindow->GadgetChangedSize(*this);
}

bool TGadget::PtIn(const TPoint& point) const noexcept {
  return mVisible && point.x >= 0 && point.y >= 0 && point.x < mBounds.Width() && point.y < mBounds.Height();
}

void TGadget::Invalidate(bool erase) { InvalidateRect(TRect(0, 0, mBounds.Width(), mBounds.Height()), erase); }

void TGadget::InvalidateRect(const TRect& rect, bool erase) {
  if (!mWindow || !mWindow->IsWindow()) return;
  mWindow->InvalidateRect(rect.OffsetBy(mBounds.left, mBounds.top), erase);
}

void TGadget::Paint(TDC& dc) { PaintBorder(dc); }

void TGadget::PaintBorder(TDC& dc) {
  TRect r(0, 0, mBounds.Width(), mBounds.Height());
  switch (mBorderStyle) {
    case None:
      return;
    case Plain: {
      HBRUSH const frame = GetSysColorBrush(COLOR_WINDOWFRAME);
      ::FrameRect(dc, &r, frame);
      return;
    }
    case Raised:
      dc.DrawEdge(r, EDGE_RAISED, BF_RECT);
      return;
    case Recessed:
      dc.DrawEdge(r, EDGE_SUNKEN, BF_RECT);
      return;
    case Embossed:
      dc.DrawEdge(r, EDGE_ETCHED, BF_RECT);
      return;
  }
}

void TGadget::MouseEnter(UINT, const TPoint&) { mMouseIn = true; }
void TGadget::MouseMove(UINT, const TPoint&) {}
void TGadget::MouseLeave(UINT, const TPoint&) { mMouseIn = false; }
void TGadget::LButtonDown(UINT, const TPoint&) {}
void TGadget::LButtonUp(UINT, const TPoint&) {}
void TGadget::RButtonDown(UINT, const TPoint&) {}
void TGadget::RButtonUp(UINT, const TPoint&) {}
void TGadget::CommandEnable() {}
void TGadget::SysColorChange() {}
void TGadget::Created() {}
void TGadget::Inserted() {}
void TGadget::Removed() {}

HFONT TGadget::GetFont() const noexcept {
  if (mWindow) return mWindow->GetFont();
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace OWL
