// QORControls::TBmpTxtButton: themed and classic painting, hot tracking and the hover tip.
#include "controls/TBmpTxtButton.h"

#include "controls/GdiplusPrivate.h"
#include "controls/GdiplusStarter.h"
#include "controls/ThemeGate.h"
#include "platform/owl/TBrush.h"
#include "platform/owl/TBtnBitmap.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TFont.h"
#include "platform/owl/TMemoryDC.h"
#include "platform/owl/TModule.h"
#include "platform/uihelpers/Colours.h"
#include "platform/owl/TUIBorder.h"
#include "platform/owl/TUIFace.h"

#include <algorithm>

namespace QORControls {

const wchar_t TBmpTxtButton::kButtonClass[] = L"BUTTON";
const wchar_t TBmpTxtButton::kToolbarClass[] = L"TOOLBAR";

namespace {

constexpr UINT kHoverTimer = 1;
constexpr int kTick = 500;  // ms between hover timer ticks
constexpr UINT kCaptionFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;

// A grey of 0.4 times the unit vector at 45 degrees azimuth and 38 degrees elevation, lifted
// by 0.4.
constexpr Gdiplus::REAL kDisabledMatrix[5][5] = {
    {0.22288311f, 0.22288311f, 0.24626459f, 0, 0},
    {0.22288311f, 0.22288311f, 0.24626459f, 0, 0},
    {0.22288311f, 0.22288311f, 0.24626459f, 0, 0},
    {0, 0, 0, 1, 0},
    {0.4f, 0.4f, 0.4f, 0, 1},
};

}  // namespace

DEFINE_RESPONSE_TABLE1(TBmpTxtButton, OWL::TGlyphButton)
  EV_WM_MOUSEMOVE,
  EV_WM_MOUSELEAVE,
  EV_WM_TIMER,
  EV_WM_LBUTTONDOWN,
  EV_WM_LBUTTONUP,
  OWL_MOUSE_ENTRY(WM_LBUTTONDBLCLK, EvLButtonUp),
  EV_WM_KEYDOWN,
  EV_WM_KEYUP,
  EV_WM_RBUTTONDOWN,
  OWL_MOUSE_ENTRY(WM_MBUTTONDOWN, EvMButtonDown),
  EV_WM_KILLFOCUS,
  EV_WM_ENABLE,
  EV_WM_THEMECHANGED,
  EV_MESSAGE(WM_CANCELMODE, EvCancelMode),
END_RESPONSE_TABLE;

TBmpTxtButton::TBmpTxtButton(OWL::TWindow* parent, QOR::String tipText, OWL::TModule* module)
    : OWL::TGlyphButton(parent, kControlId, 0x10, module), mTipText(tipText) {}

TBmpTxtButton::~TBmpTxtButton() {
  EndTip();
  CloseTheme();
}

void TBmpTxtButton::SetBitmap(int bitmapId) {
  SetGlyph(new OWL::TBtnBitmap(GetModule()->GetHandle(), bitmapId, OWL::TBtnBitmap::DefaultFaceColor));
  mGlyphChanged = true;
  if (mHandle) Invalidate();
}

int TBmpTxtButton::ThemeState(UINT buttonState) noexcept {
  int state = 1;  // PBS_NORMAL
  if (buttonState & bsDefault) state = 5;
  if (buttonState & bsFocus) state = 2;
  if (buttonState & bsPressed) state = 3;
  if (buttonState & bsDisabled) state = 4;
  return state;
}

void TBmpTxtButton::OpenTheme() noexcept {
  if (ThemesAvailable()) mTheme = QORLinkingUtils::UxThemeDLL::OpenThemeData(mHandle, mThemeClass);
  mUnthemed = mTheme == nullptr;
}

void TBmpTxtButton::CloseTheme() noexcept {
  if (mTheme) QORLinkingUtils::UxThemeDLL::CloseThemeData(mTheme);
  mTheme = nullptr;
}

void TBmpTxtButton::SetupWindow() {
  OpenTheme();
  mHot = mClicked = mKeyboardCue = mTipShown = mLeaveTracking = false;
  mHoverTime = 0;
  ModifyStyle(0, 0x0E);
  OWL::TGlyphButton::SetupWindow();
}

void TBmpTxtButton::CleanupWindow() {
  EndTip();
  CloseTheme();
  OWL::TGlyphButton::CleanupWindow();
}

void TBmpTxtButton::EvThemeChanged() {
  CloseTheme();
  OpenTheme();
}

void TBmpTxtButton::PaintFrame(OWL::TDC& dc, OWL::TRect& rect) {
  if (!mUnthemed || mThemeClass != kButtonClass) return;
  OWL::TUIBorder const border(rect, Pressed() ? OWL::TUIBorder::ButtonDn : OWL::TUIBorder::ButtonUp);
  border.Paint(dc);
  rect = border.GetClientRect();
}

void TBmpTxtButton::PaintDefaultRect(OWL::TDC& dc, OWL::TRect& rect) {
  if (mUnthemed) OWL::TGlyphButton::PaintDefaultRect(dc, rect);
}

void TBmpTxtButton::PaintButton(OWL::TDC& dc, const OWL::TRect& rect) {
  if (!mUnthemed) {
    QORLinkingUtils::HTHEME const theme = QORLinkingUtils::UxThemeDLL::OpenThemeData(mHandle, mThemeClass);
    if (theme) {
      if (mParentBrush) {
        auto const brush = reinterpret_cast<HBRUSH>(
            ::SendMessageW(GetParentH(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.GetHDC()),
                           reinterpret_cast<LPARAM>(mHandle)));
        if (brush) ::FillRect(dc.GetHDC(), &rect, brush);
      } else {
        QORLinkingUtils::UxThemeDLL::DrawThemeParentBackground(mHandle, dc.GetHDC(), &rect);
      }
      QORLinkingUtils::UxThemeDLL::DrawThemeBackground(theme, dc.GetHDC(), 1, ThemeState(GetButtonState()), &rect);
      QORLinkingUtils::UxThemeDLL::CloseThemeData(theme);
      PaintContent(dc, rect, true);
      return;
    }
    mUnthemed = true;
  }
  OWL::TRect face = rect;
  PaintDefaultRect(dc, face);
  PaintFrame(dc, face);
  PaintFace(dc, face);
}

void TBmpTxtButton::PaintFace(OWL::TDC& dc, const OWL::TRect& face) { PaintContent(dc, face, false); }

void TBmpTxtButton::PaintContent(OWL::TDC& dc, const OWL::TRect& face, bool themed) {
  if (!themed) dc.FillRect(face, OWL::TBrush(OWL::TColor(QOR::ControlSystemColours()[QOR::kBtnFace])));
  if (mGlyphChanged) {
    mGlyphChanged = false;
    BuildCelArray();
  }
  const OWL::TCelArray* cels = GetCelArray();
  bool const pressed = Pressed();
  bool const disabled = IsSet(bsDisabled);
  int cel = -1;
  OWL::TRect glyphRect;
  if (IsSet(bsShowGlyph) && cels) {
    cel = (pressed && IsSet(bsPushedGlyph)) ? 1 : (disabled && IsSet(bsDisabledGlyph)) ? 2 : 0;
    glyphRect = OWL::TRect(OWL::TPoint(0, 0), cels->CelSize());
  }
  std::wstring const caption = IsSet(bsShowText) ? GetCaption() : std::wstring();
  OWL::TFont font(GetCaptionFont());
  dc.SelectObject(font);
  OWL::TRect textRect;
  if (!caption.empty()) {
    textRect = OWL::TRect(0, 0, std::max(0, face.Width() - glyphRect.Width()), 32767);
    dc.DrawText(caption.c_str(), static_cast<int>(caption.size()), textRect, DT_CALCRECT | DT_WORDBREAK);
  }
  if (!textRect.IsEmpty() || !glyphRect.IsEmpty()) LayoutTextGlyph(face, textRect, glyphRect);
  if (pressed && mThemeClass == kButtonClass) {
    textRect.Offset(1, 1);
    if (cel != 1) glyphRect.Offset(1, 1);
  }
  if (cel >= 0) DrawGlyph(dc, cel, glyphRect, disabled);
  if (!caption.empty()) {
    if (disabled) {
      OWL::TUIFace::DrawTextEtched(dc, caption, textRect, kCaptionFormat);
    } else {
      int const oldMode = dc.SetBkMode(TRANSPARENT);
      OWL::TColor const oldColor = dc.SetTextColor(OWL::TColor::SysBtnText);
      dc.DrawText(caption.c_str(), static_cast<int>(caption.size()), textRect, kCaptionFormat);
      dc.SetTextColor(oldColor);
      dc.SetBkMode(oldMode);
    }
  }
  dc.RestoreFont();
  if (IsSet(bsFocus) && (!themed || mKeyboardCue)) PaintFocusRect(dc, face);
}

void TBmpTxtButton::DrawGlyph(OWL::TDC& dc, int cel, const OWL::TRect& glyphRect, bool disabled) {
  const OWL::TCelArray& cels = *GetCelArray();
  OWL::TSize const size = cels.CelSize();
  OWL::TRect const source = cels.CelRect(cel);
  OWL::TMemoryDC celDc(cels.GetBitmap());
  HDC const screen = GetDC(nullptr);
  HBITMAP const copy = CreateCompatibleBitmap(screen, size.cx, size.cy);
  ReleaseDC(nullptr, screen);
  if (!copy) return;
  HDC const copyDc = CreateCompatibleDC(dc.GetHDC());
  HGDIOBJ const old = SelectObject(copyDc, copy);
  BitBlt(copyDc, 0, 0, size.cx, size.cy, celDc.GetHDC(), source.left, source.top, SRCCOPY);
  if (!disabled) {
    TransparentBlt(dc.GetHDC(), glyphRect.left, glyphRect.top, glyphRect.Width(), glyphRect.Height(), copyDc, 0, 0,
                   size.cx, size.cy, GetPixel(copyDc, 0, 0));
  }
  SelectObject(copyDc, old);
  DeleteDC(copyDc);
  if (disabled) {
    using namespace Gdiplus;
    GdiplusStarter::Start();
    GpBitmap* bitmap = nullptr;
    GdipGraphicsPtr graphics = GdipGraphicsFromDC(dc.GetHDC());
    GpImageAttributes* attributes = nullptr;
    if (graphics && DllExports::GdipCreateBitmapFromHBITMAP(copy, nullptr, &bitmap) == Ok &&
        DllExports::GdipCreateImageAttributes(&attributes) == Ok) {
      std::unique_ptr<GpImage, GdipImageDeleter> image(bitmap);
      GdipImageAttributesPtr owned(attributes);
      PixelFormat format = 0;
      DllExports::GdipGetImagePixelFormat(bitmap, &format);
      if (format != PixelFormat32bppPARGB) {
        ColorMap map{Color(0xFFC0C0C0), Color(0x00000000)};
        DllExports::GdipSetImageAttributesRemapTable(attributes, ColorAdjustTypeDefault, TRUE, 1, &map);
      }
      ColorMatrix matrix;
      std::copy(&kDisabledMatrix[0][0], &kDisabledMatrix[0][0] + 25, &matrix.m[0][0]);
      DllExports::GdipSetImageAttributesColorMatrix(attributes, ColorAdjustTypeDefault, TRUE, &matrix, nullptr,
                                                    ColorMatrixFlagsDefault);
      DllExports::GdipDrawImageRectRectI(graphics.get(), bitmap, glyphRect.left, glyphRect.top, glyphRect.Width(),
                                         glyphRect.Height(), 0, 0, size.cx, size.cy, UnitPixel, attributes, nullptr,
                                         nullptr);
    }
  }
  DeleteObject(copy);
}

void TBmpTxtButton::PaintFocusRect(OWL::TDC& dc, const OWL::TRect& face) {
  mKeyboardCue = false;
  if (mUnthemed && mThemeClass == kToolbarClass) {
    HDC const hdc = dc.GetHDC();
    RECT const r = face;
    const OWL::TBrush light(OWL::TColor(QOR::ControlSystemColours()[QOR::kBtnHighlight]));
    const OWL::TBrush shadow(OWL::TColor(QOR::ControlSystemColours()[QOR::kBtnShadow]));
    RECT const top{r.left, r.top, r.right, r.top + 1};
    RECT const left{r.left, r.top, r.left + 1, r.bottom};
    RECT const right{r.right - 1, r.top, r.right, r.bottom};
    RECT const bottom{r.left, r.bottom - 1, r.right, r.bottom};
    FillRect(hdc, &top, light);
    FillRect(hdc, &left, light);
    FillRect(hdc, &right, shadow);
    FillRect(hdc, &bottom, shadow);
    return;
  }
  int const inset = mUnthemed ? 2 : 3;
  dc.DrawFocusRect(face.InflatedBy(-inset, -inset));
}

void TBmpTxtButton::EndTip() noexcept {
  if (mHandle) KillTimer(kHoverTimer);
  mTip.reset();
}

void TBmpTxtButton::EvMouseMove(UINT modKeys, const OWL::TPoint& point) {
  if (!mLeaveTracking) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, GetHandle(), 0};
    TrackMouseEvent(&track);
    mLeaveTracking = true;
  }
  if (!mTipShown && !mTipText.IsEmpty() && !mClicked) SetTimer(kHoverTimer, kTick);
  if (mClicked) {
    OWL::TGlyphButton::EvMouseMove(modKeys, point);
    return;
  }
  bool const inside = GetClientRect().Contains(point);
  if (mUnthemed && mThemeClass == kButtonClass) {
    if (inside) {
      mHot = true;
    } else if (mHot) {
      mHot = false;
      if (Pressed()) SendMessage(BM_SETSTATE, 0);
    }
    return;
  }
  if (inside && !mHot) {
    mHot = true;
    OWL::TGlyphButton::EvSetFocus(nullptr);
    Invalidate();
  } else if (!inside && mHot) {
    Leave();
  }
}

void TBmpTxtButton::Leave() {
  mHot = false;
  if (!mToggleMode && Pressed()) SendMessage(BM_SETSTATE, 0);
  KillFocusSteps();
  Invalidate();
}

// The hover time starts again with the next hover, so its tip shows on time.
void TBmpTxtButton::EvMouseLeave() {
  if (!mTipText.IsEmpty()) {
    EndTip();
    mTipShown = false;
  }
  mHoverTime = 0;
  if (mHot) Leave();
  mLeaveTracking = false;
  mClicked = false;
}

void TBmpTxtButton::EvTimer(UINT) {
  if ((!mToggleMode && Pressed()) || mClicked) {
    EndTip();
    return;
  }
  if (mTipText.IsEmpty()) return;
  mHoverTime += kTick;
  if (mHoverTime > mTipLifetime) {
    EndTip();
    mHoverTime = 0;
    return;
  }
  if (mTipShown) return;
  mTipShown = true;
  QOR::ShowTipAtCursor(mTip, this, mTipText);
}

void TBmpTxtButton::EvLButtonDown(UINT modKeys, const OWL::TPoint& point) {
  OWL::TGlyphButton::EvLButtonDown(modKeys, point);
  SetCapture();
  if (!mTipText.IsEmpty() && mTipShown) {
    EndTip();
    mTipShown = false;
  }
  mHot = true;
  Invalidate();
}

void TBmpTxtButton::EvLButtonUp(UINT, const OWL::TPoint& point) {
  if (GetCapture() != mHandle) return;
  if (!mToggleMode || mToggled == 1) SendMessage(BM_SETSTATE, 0);
  if (mToggleMode) mToggled = !mToggled;
  if (GetClientRect().Contains(point)) NotifyClicked();
  ReleaseCapture();
  mClicked = true;
  Invalidate();
}

void TBmpTxtButton::EvKeyDown(UINT key, UINT repeatCount, UINT flags) {
  OWL::TGlyphButton::EvKeyDown(key, repeatCount, flags);
  if (!mTipText.IsEmpty()) EndTip();
  Invalidate();
}

void TBmpTxtButton::EvKeyUp(UINT key, UINT repeatCount, UINT flags) {
  OWL::TGlyphButton::EvKeyUp(key, repeatCount, flags);
  if (key == VK_TAB) {
    mKeyboardCue = true;
    SetState(bsDefault, false);
  }
  Invalidate();
}

void TBmpTxtButton::EvRButtonDown(UINT, const OWL::TPoint&) {
  DefaultProcessing();
  if (!mTipText.IsEmpty()) EndTip();
}

void TBmpTxtButton::EvMButtonDown(UINT modKeys, const OWL::TPoint& point) { EvRButtonDown(modKeys, point); }

void TBmpTxtButton::KillFocusSteps() {
  SetState(bsFocus, false);
  if (Pressed()) {
    if (GetCapture() == mHandle) ReleaseCapture();
    if (!mToggleMode) SetState(bsPressed, false);
  }
  Invalidate();
}

void TBmpTxtButton::EvKillFocus(HWND) { KillFocusSteps(); }

void TBmpTxtButton::EvEnable(bool enabled) {
  if (!enabled) {
    if (GetCapture() == mHandle) ReleaseCapture();
    if (!mToggleMode) SetState(bsPressed, false);
  }
  SetState(bsDisabled, !enabled);
  Invalidate();
}

LRESULT TBmpTxtButton::EvCancelMode(WPARAM, LPARAM) {
  if (GetCapture() == mHandle) ReleaseCapture();
  if (!mToggleMode) SetState(bsPressed, false);
  Invalidate();
  return 0;
}

}  // namespace QORControls
