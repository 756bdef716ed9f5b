// UxSizableButtonGadget: face image, themes, look bits, layout and painting.
#include "controls/UxSizableButtonGadget.h"

#include "controls/GdiplusPrivate.h"
#include "controls/GdiplusStarter.h"
#include "controls/TGdiPlusBitmapResource.h"
#include "controls/ThemeGate.h"
#include "controls/UxThemeUIFace.h"
#include "platform/owl/TApplication.h"
#include "platform/owl/TClientDC.h"
#include "platform/owl/TGadgetWindow.h"
#include "platform/owl/TModule.h"
#include "platform/uihelpers/ScreenDpi.h"

#include <algorithm>

using namespace Gdiplus;
using OWL::TPoint;
using OWL::TRect;
using OWL::TSize;
using QORLinkingUtils::UxThemeDLL;

namespace {

constexpr uint32_t kGadgetFlag8 = 8;
constexpr int kGap = 2;  // pixels between text and glyph

}  // namespace

UxSizableButtonGadget::UxSizableButtonGadget(int id, const OWL::TResId& glyph, TType type, TState state)
    : TButtonTextGadget(id, glyph, sBitmap, type, true, state, false, 4) {
  StartUp();
}

UxSizableButtonGadget::UxSizableButtonGadget(int id, const OWL::TResId& glyph, TType type)
    : TButtonTextGadget(id, glyph, sBitmap, type, true, Up, false, 0) {
  SetFlags(kGadgetFlag8);
  StartUp();
}

UxSizableButtonGadget::UxSizableButtonGadget(GpBitmap* image, int themeKind, TStyle style, TType type,
                                             bool enabled, TState state, bool sharedGlyph, unsigned numChars)
    : TButtonTextGadget(214, OWL::TResId(0), style, type, enabled, state, sharedGlyph, numChars),
      mThemeKind(themeKind),
      mFace(image) {
  StartUp();
}

UxSizableButtonGadget::~UxSizableButtonGadget() {
  CloseTheme();
  if (mFace) DllExports::GdipDisposeImage(mFace);
  if (mAltFace) DllExports::GdipDisposeImage(mAltFace);
}

void UxSizableButtonGadget::StartUp() {
  GdiplusStarter::Start();
  if (OWL::TWindow* main = OWL::TApplication::GetMainWindow(); main && ThemesAvailable())
    OpenTheme(main->GetHandle());
  ComputeFaceSize();
}

void UxSizableButtonGadget::OpenTheme(HWND window) {
  mTheme = UxThemeDLL::OpenThemeData(window, mThemeKind == 1 ? L"BUTTON" : L"TOOLBAR");
}

void UxSizableButtonGadget::CloseTheme() noexcept {
  if (mTheme) UxThemeDLL::CloseThemeData(mTheme);  // nothing to do about a failed close
  mTheme = nullptr;
}

HINSTANCE UxSizableButtonGadget::FaceModule() const noexcept {
  if (GetGadgetWindow() && GetGadgetWindow()->GetModule()) return GetGadgetWindow()->GetModule()->GetHandle();
  return OWL::TModule::Default().GetHandle();
}

void UxSizableButtonGadget::BuildFaceImage() {
  if (GetGlyphId().GetInt() == 0 && !GetGlyphId().IsString()) return;
  mFace = LoadPngBitmap(GetGlyphId(), FaceModule());
  GpBitmap* bitmap = nullptr;
  if (!mFace && DllExports::GdipCreateBitmapFromResource(
                    FaceModule(), const_cast<WCHAR*>(GetGlyphId().GetPointerRepresentation()), &bitmap) == Ok)
    mFace = bitmap;
  // The faces are drawn for a 96-dpi screen; on a finer one they grow with the dialog's text.
  if (GpBitmap* const scaled = ScaleBitmapForDpi(mFace, QOR::ScreenDpi())) {
    DllExports::GdipDisposeImage(mFace);
    mFace = scaled;
  }
}

void UxSizableButtonGadget::ComputeFaceSize() {
  if (!mFace) BuildFaceImage();
  UINT w = 0;
  UINT h = 0;
  if (mFace) {
    DllExports::GdipGetImageWidth(mFace, &w);
    DllExports::GdipGetImageHeight(mFace, &h);
  }
  mFaceSize = TSize(static_cast<int>(w), static_cast<int>(h));
}

void UxSizableButtonGadget::GetDesiredSize(TSize& size) {
  if (!IsVisible()) {
    size = TSize(0, 0);
    return;
  }
  if (!(GetStyle() & sBitmap)) {
    TButtonTextGadget::GetDesiredSize(size);
    return;
  }
  TGadget::GetDesiredSize(size);
  if (GetShrinkWrapWidth()) size.cx += mFaceSize.cx;
  if (GetShrinkWrapHeight()) size.cy += mFaceSize.cy;
  if (!(GetStyle() & sText)) return;
  TSize const text = GetTextSize();
  int const border = 2 * BorderWidth();
  if (GetLayoutStyle() == lTextLeft || GetLayoutStyle() == lTextRight) {
    size.cx += text.cx;
    size.cy = std::max(size.cy, text.cy + border);
  } else {
    size.cy += text.cy;
    size.cx = std::max(size.cx, text.cx + border);
  }
}

void UxSizableButtonGadget::SetBounds(const TRect& bounds) {
  TGadget::SetBounds(bounds);
  if (!(GetStyle() & sBitmap)) return;
  TRect area = GetInnerRect();
  if (GetStyle() & sText) {
    TRect textRect;
    LayoutTextGlyph(GetInnerRect(), textRect, area);
  }
  mGlyphPos = TPoint(area.left + (area.Width() - mFaceSize.cx) / 2, area.top + (area.Height() - mFaceSize.cy) / 2);
}

void UxSizableButtonGadget::LayoutTextGlyph(const TRect& inner, TRect& textRect, TRect& glyphRect) {
  textRect = glyphRect = inner;
  if (GetStyle() != sBitmapText) return;
  TSize const text = GetTextSize();
  switch (GetLayoutStyle()) {
    case lTextLeft:
      textRect.right = inner.left + text.cx;
      glyphRect.left = textRect.right + kGap;
      break;
    case lTextTop:
      textRect.bottom = inner.top + text.cy;
      glyphRect.top = textRect.bottom + kGap;
      break;
    case lTextRight:
      glyphRect.right = inner.left + mFaceSize.cx;
      textRect.left = glyphRect.right + kGap;
      break;
    case lTextBottom:
      textRect.top = inner.bottom - text.cy;
      glyphRect.bottom = textRect.top;
      break;
  }
}

void UxSizableButtonGadget::CommandEnable() {
  OWL::TGadgetWindow* const window = GetGadgetWindow();
  if (!window || !window->IsWindow()) return;
  UxSizableButtonGadgetEnabler enabler(*this, window->GetHandle());
  window->HandleMessage(OWL::WM_COMMAND_ENABLE, 0, reinterpret_cast<LPARAM>(&enabler));
}

void UxSizableButtonGadget::Created() {
  TButtonTextGadget::Created();
  if (!mTheme && ThemesAvailable() && GetGadgetWindow()) OpenTheme(GetGadgetWindow()->GetHandle());
}

void UxSizableButtonGadget::SysColorChange() {
  TButtonTextGadget::SysColorChange();
  CloseTheme();
  if (UxThemeDLL::IsThemeActive() && UxThemeDLL::IsAppThemed() && GetGadgetWindow())
    OpenTheme(GetGadgetWindow()->GetHandle());
}

void UxSizableButtonGadget::MouseEnter(UINT modKeys, const TPoint& point) {
  TButtonTextGadget::MouseEnter(modKeys, point);
  if (!GetEnabled()) return;
  SetLook(kHot, 0);
  Invalidate();
}

void UxSizableButtonGadget::MouseLeave(UINT modKeys, const TPoint& point) {
  TButtonTextGadget::MouseLeave(modKeys, point);
  if (!GetEnabled()) return;
  SetLook(0, kHot);
  Invalidate();
}

void UxSizableButtonGadget::LButtonDown(UINT modKeys, const TPoint& point) {
  TButtonTextGadget::LButtonDown(modKeys, point);
  SetLook(kPressed, kHot);
  Invalidate();
}

void UxSizableButtonGadget::LButtonUp(UINT modKeys, const TPoint& point) {
  TButtonTextGadget::LButtonUp(modKeys, point);
  SetLook(0, kPressed);
  Invalidate();
}
