// UxSizableButtonGadget: painting of the background, the face and the text.
#include "controls/UxSizableButtonGadget.h"

#include "controls/GdiplusPrivate.h"
#include "controls/UxThemeUIFace.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TGadgetWindow.h"

using namespace Gdiplus;
using OWL::TPoint;
using OWL::TRect;
using QORLinkingUtils::UxThemeDLL;

void UxSizableButtonGadget::Paint(OWL::TDC& dc) {
  if (!IsVisible()) return;
  PaintBorder(dc);
  TRect textRect;
  TRect glyphRect;
  LayoutTextGlyph(GetInnerRect(), textRect, glyphRect);
  if (GetStyle() & sText) PaintText(dc, textRect, GetText());
  if (GetStyle() & sBitmap) PaintFace(dc, glyphRect);
}

void UxSizableButtonGadget::PaintBorder(OWL::TDC& dc) {
  if (!mTheme) {
    TButtonGadget::PaintBorder(dc);
    return;
  }
  PaintThemedBackground(dc, TRect(0, 0, GetBounds().Width(), GetBounds().Height()));
}

void UxSizableButtonGadget::UpdateDisabledLook() noexcept {
  if (GetEnabled()) SetLook(0, kDisabled);
  else SetLook(kDisabled, kHot);
}

void UxSizableButtonGadget::PaintThemedBackground(OWL::TDC& dc, const TRect& rect) {
  UpdateDisabledLook();
  int state = 1;
  if (mLook & kDisabled) state = 4;
  else if (IsDownOrPressed()) state = 3;
  else if (mLook & kHot) state = 2;
  // The parent's background shows through the button's rounded corners; failures leave the
  // classic face colour the window was erased with.
  if (GetGadgetWindow()) UxThemeDLL::DrawThemeParentBackground(GetGadgetWindow()->GetHandle(), dc, &rect);
  UxThemeDLL::DrawThemeBackground(mTheme, dc, 1, state, &rect);
  PaintPressedOverlay(dc, rect);
}

void UxSizableButtonGadget::PaintPressedOverlay(OWL::TDC& dc, const TRect& rect) {
  if (!IsDownOrPressed() || !GetEnabled()) return;
  GdipGraphicsPtr const graphics = GdipGraphicsFromDC(dc);
  GpSolidFill* fill = nullptr;
  if (!graphics || DllExports::GdipCreateSolidFill(kPressedOverlay, &fill) != Ok) return;
  GdipBrushPtr const brush(fill);
  TRect const inner = rect.InflatedBy(-2, -2);
  DllExports::GdipFillRectangleI(graphics.get(), fill, inner.left, inner.top, inner.Width(), inner.Height());
}

void UxSizableButtonGadget::PaintFace(OWL::TDC& dc, const TRect& rect) {
  if (!mFace) ComputeFaceSize();
  if (!mFace) return;
  GpBitmap* const image = GetButtonState() == Down && mAltFace ? mAltFace : mFace;
  auto state = OWL::TUIFace::Normal;
  TPoint position = mGlyphPos;
  bool const flat = GetGadgetWindow() && (GetGadgetWindow()->GetFlatStyle() & OWL::TGadgetWindow::FlatStandard);
  if (!GetEnabled()) {
    state = OWL::TUIFace::Disabled;
  } else if (GetButtonState() == Indeterminate) {
    state = OWL::TUIFace::Indeterm;
  } else if (GetButtonState() == Down && !flat) {
    state = IsPressed() ? OWL::TUIFace::Normal : OWL::TUIFace::Down;
  } else if (GetButtonState() == Down && IsPressedIn()) {
    position = TPoint(position.x + 1, position.y + 1);
  } else if (GetButtonState() == Down) {
    state = IsMouseIn() ? OWL::TUIFace::Normal : OWL::TUIFace::Down;
  }
  UxThemeUIFace(rect, image).Paint(dc, position, state);
}

void UxSizableButtonGadget::PaintText(OWL::TDC& dc, const TRect& rect, const std::wstring& text) {
  constexpr UINT kFormat = 0x8120;  // single line, no clipping, ellipsis at the end
  UINT format = kFormat | DT_VCENTER;
  if (GetAlign() == aCenter) format |= DT_CENTER;
  if (GetAlign() == aRight) format |= DT_RIGHT;
  auto state = OWL::TUIFace::Normal;
  if (!GetEnabled()) state = OWL::TUIFace::Disabled;
  else if (GetButtonState() == Down) state = OWL::TUIFace::Down;
  else if (GetButtonState() == Indeterminate) state = OWL::TUIFace::Indeterm;
  HGDIOBJ const font = ::SelectObject(dc, GetTextFont());
  COLORREF const color = ::SetTextColor(dc, GetSysColor(GetEnabled() ? COLOR_BTNTEXT : COLOR_3DHILIGHT));
  int const mode = dc.SetBkMode(TRANSPARENT);
  UxThemeUIFace(rect, text, format, OWL::TColor::None, OWL::TColor::Sys3dFace).Paint(dc, rect.TopLeft(), state);
  dc.SetBkMode(mode);
  ::SetTextColor(dc, color);
  ::SelectObject(dc, font);
}

void UxSizableButtonGadgetEnabler::SetText(const wchar_t* text) noexcept {
  auto& gadget = static_cast<UxSizableButtonGadget&>(mGadget);
  if (!(gadget.GetStyle() & OWL::TButtonTextGadget::sText) || !text || gadget.GetText() == text) return;
  gadget.TButtonTextGadget::SetText(text, false);
  gadget.Invalidate();
}
