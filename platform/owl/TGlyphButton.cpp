// OWL::TGlyphButton: state tracking and the painting steps.
#include "platform/owl/TGlyphButton.h"

#include "platform/owl/TBitmap.h"
#include "platform/owl/TBrush.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TFont.h"
#include "platform/owl/TMemoryDC.h"
#include "platform/owl/TUIBorder.h"
#include "platform/owl/TUIFace.h"

#include <algorithm>

namespace OWL {

DEFINE_RESPONSE_TABLE1(TGlyphButton, TButton)
  EV_WM_ERASEBKGND,
  EV_WM_LBUTTONDOWN,
  EV_WM_LBUTTONUP,
  OWL_MOUSE_ENTRY(WM_LBUTTONDBLCLK, EvLButtonDown),
  EV_WM_MOUSEMOVE,
  EV_WM_KEYDOWN,
  EV_WM_KEYUP,
  EV_WM_SETFOCUS,
  EV_WM_KILLFOCUS,
  EV_WM_ENABLE,
  EV_WM_GETDLGCODE,
  EV_MESSAGE(BM_SETSTATE, BmSetState),
  EV_MESSAGE(BM_GETSTATE, BmGetState),
  EV_MESSAGE(BM_SETSTYLE, BmSetStyle),
  EV_MESSAGE(BM_CLICK, BmClick),
  EV_MESSAGE(WM_SETTEXT, SetTextMessage),
END_RESPONSE_TABLE;

static constexpr UINT kCaptionFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;

TGlyphButton::TGlyphButton(TWindow* parent, int id, const wchar_t* text, int x, int y, int w,
                           int h, int glyphType, bool isDefault, TModule* module)
    : TButton(parent, id, text, x, y, w, h, isDefault, module), mGlyphType(glyphType) {
  ClearFlag(wfPredefinedClass);
  if (isDefault) mState |= bsDefault;
}

TGlyphButton::TGlyphButton(TWindow* parent, int resourceId, int glyphType, TModule* module)
    : TButton(parent, resourceId, module), mGlyphType(glyphType) {
  ClearFlag(wfPredefinedClass);
}

TGlyphButton::~TGlyphButton() = default;

void TGlyphButton::SetupWindow() {
  TButton::SetupWindow();
  SetState(bsDisabled, !IsWindowEnabled());
  if (GetStyle() & BS_DEFPUSHBUTTON) mState |= bsDefault;
}

void TGlyphButton::SetGlyph(TBitmap* bitmap, TGlyphKind kind) {
  mGlyphs[kind].reset(bitmap);
  mCelsDirty = true;
}

void TGlyphButton::SetState(UINT bits, bool on) noexcept {
  UINT const old = mState;
  mState = on ? (mState | bits) : (mState & ~bits);
  if (old != mState && mHandle) Invalidate(false);
}

void TGlyphButton::BuildCelArray() {
  mCelsDirty = false;
  mState &= ~(bsPushedGlyph | bsDisabledGlyph);
  if (!mGlyphs[gkNormal]) {
    mCels.reset();
    return;
  }
  mCels.reset(new TCelArray(mGlyphs[gkNormal]->Size(), 3));
  for (int kind = gkNormal; kind <= gkDisabled; ++kind)
    mCels->SetCel(kind, mGlyphs[kind] ? *mGlyphs[kind] : *mGlyphs[gkNormal]);
  if (mGlyphs[gkPushed]) mState |= bsPushedGlyph;
  if (mGlyphs[gkDisabled]) mState |= bsDisabledGlyph;
}

void TGlyphButton::Paint(TDC& dc, bool, TRect&) { PaintButton(dc, GetClientRect()); }

void TGlyphButton::DrawItem(const DRAWITEMSTRUCT& item) {
  TDC dc(item.hDC);
  PaintButton(dc, TRect(item.rcItem));
}

void TGlyphButton::PaintButton(TDC& dc, const TRect& rect) {
  TRect face = rect;
  PaintDefaultRect(dc, face);
  PaintFrame(dc, face);
  PaintFace(dc, face);
}

void TGlyphButton::PaintDefaultRect(TDC& dc, TRect& rect) {
  if (!IsSet(bsDefault)) return;
  dc.FrameRect(rect, TBrush(TColor::SysWindowFrame));
  rect.Inflate(-1, -1);
}

void TGlyphButton::PaintFrame(TDC& dc, TRect& rect) {
  TUIBorder const border(rect, IsSet(bsPressed) ? TUIBorder::ButtonDn : TUIBorder::ButtonUp);
  border.Paint(dc);
  rect = border.GetClientRect();
}

void TGlyphButton::PaintFocusRect(TDC& dc, const TRect& face) {
  dc.DrawFocusRect(face.InflatedBy(-2, -2));
}

void TGlyphButton::LayoutTextGlyph(const TRect& face, TRect& textRect, TRect& glyphRect) {
  int const gw = glyphRect.Width();
  int const tw = textRect.Width();
  int const gap = (gw > 0 && tw > 0) ? 4 : 0;
  int const left = face.left + (face.Width() - (gw + gap + tw)) / 2;
  glyphRect = TRect(TPoint(left, face.top + (face.Height() - glyphRect.Height()) / 2), glyphRect.Size());
  textRect = TRect(TPoint(left + gw + gap, face.top + (face.Height() - textRect.Height()) / 2), textRect.Size());
}

std::wstring TGlyphButton::GetCaption() const {
  std::wstring text = mHandle ? GetWindowText() : Title;
  text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
  return text;
}

HFONT TGlyphButton::GetCaptionFont() const noexcept {
  if (mHandle) {
    if (HFONT own = GetWindowFont()) return own;
    if (HWND parent = GetParentH()) {
      if (auto font = reinterpret_cast<HFONT>(::SendMessageW(parent, WM_GETFONT, 0, 0))) return font;
    }
  }
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void TGlyphButton::PaintFace(TDC& dc, const TRect& face) {
  dc.FillRect(face, TBrush(TColor::Sys3dFace));
  if (mCelsDirty) BuildCelArray();
  bool const pressed = IsSet(bsPressed);
  bool const disabled = IsSet(bsDisabled);
  int cel = -1;
  TRect glyphRect;
  if (IsSet(bsShowGlyph) && mCels) {
    cel = (pressed && IsSet(bsPushedGlyph)) ? 1 : (disabled && IsSet(bsDisabledGlyph)) ? 2 : 0;
    glyphRect = TRect(TPoint(0, 0), mCels->CelSize());
  }
  std::wstring const caption = IsSet(bsShowText) ? GetCaption() : std::wstring();
  TFont font(GetCaptionFont());
  dc.SelectObject(font);
  TRect textRect;
  if (!caption.empty()) {
    textRect = TRect(0, 0, std::max(0, face.Width() - glyphRect.Width()), 32767);
    dc.DrawText(caption.c_str(), static_cast<int>(caption.size()), textRect, DT_CALCRECT | DT_WORDBREAK);
  }
  LayoutTextGlyph(face, textRect, glyphRect);
  if (pressed) {
    textRect.Offset(1, 1);
    if (cel != 1) glyphRect.Offset(1, 1);
  }
  if (cel >= 0) {
    TMemoryDC cels(mCels->GetBitmap());
    TRect const source = mCels->CelRect(cel);
    TransparentBlt(dc.GetHDC(), glyphRect.left, glyphRect.top, glyphRect.Width(), glyphRect.Height(),
                   cels.GetHDC(), source.left, source.top, source.Width(), source.Height(),
                   cels.GetPixel(source.left, source.top));
  }
  if (!caption.empty()) {
    if (disabled) {
      TUIFace::DrawTextEtched(dc, caption, textRect, kCaptionFormat);
    } else {
      int const oldMode = dc.SetBkMode(TRANSPARENT);
      TColor const oldColor = dc.SetTextColor(TColor::SysBtnText);
      dc.DrawText(caption.c_str(), static_cast<int>(caption.size()), textRect, kCaptionFormat);
      dc.SetTextColor(oldColor);
      dc.SetBkMode(oldMode);
    }
  }
  dc.RestoreFont();
  if (IsSet(bsFocus)) PaintFocusRect(dc, face);
}

void TGlyphButton::NotifyClicked() noexcept {
  HWND const parent = GetParentH();
  if (parent) ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetId(), BN_CLICKED), reinterpret_cast<LPARAM>(mHandle));
}

void TGlyphButton::EvLButtonDown(UINT, const TPoint&) {
  if (GetFocus() != mHandle) SetFocus();
  SetCapture();
  SetState(bsPressed, true);
}

void TGlyphButton::EvMouseMove(UINT, const TPoint& point) {
  if (GetCapture() != mHandle) return;
  SetState(bsPressed, GetClientRect().Contains(point));
}

void TGlyphButton::EvLButtonUp(UINT, const TPoint& point) {
  if (GetCapture() != mHandle) return;
  ReleaseCapture();
  bool const click = IsSet(bsPressed) && GetClientRect().Contains(point);
  SetState(bsPressed, false);
  if (click) NotifyClicked();
}

void TGlyphButton::EvKeyDown(UINT key, UINT, UINT) {
  if (key == VK_SPACE) SetState(bsPressed, true);
  else DefaultProcessing();
}

void TGlyphButton::EvKeyUp(UINT key, UINT, UINT) {
  if (key != VK_SPACE || !IsSet(bsPressed)) return;
  SetState(bsPressed, false);
  NotifyClicked();
}

void TGlyphButton::EvSetFocus(HWND) { SetState(bsFocus, true); }

void TGlyphButton::EvKillFocus(HWND) {
  SetState(bsFocus | bsPressed, false);
  if (GetCapture() == mHandle) ReleaseCapture();
}

void TGlyphButton::EvEnable(bool enabled) { SetState(bsDisabled, !enabled); }

bool TGlyphButton::EvEraseBkgnd(HDC) { return true; }

UINT TGlyphButton::EvGetDlgCode(const MSG*) {
  return DLGC_BUTTON | (IsSet(bsDefault) ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

LRESULT TGlyphButton::BmSetState(WPARAM pushed, LPARAM) {
  SetState(bsPressed, pushed != 0);
  return 0;
}

LRESULT TGlyphButton::BmGetState(WPARAM, LPARAM) {
  return (IsSet(bsPressed) ? BST_PUSHED : 0) | (IsSet(bsFocus) ? BST_FOCUS : 0);
}

LRESULT TGlyphButton::BmSetStyle(WPARAM style, LPARAM) {
  SetState(bsDefault, (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
  return 0;
}

LRESULT TGlyphButton::BmClick(WPARAM, LPARAM) {
  NotifyClicked();
  return 0;
}

// The system button would paint the new caption itself.
LRESULT TGlyphButton::SetTextMessage(WPARAM wParam, LPARAM text) {
  LRESULT const result = DefWindowProcW(mHandle, WM_SETTEXT, wParam, text);
  Invalidate(false);
  return result;
}

}  // namespace OWL
