// OWL::TButtonGadget: pressing, states, border and face of a button gadget.
#include "platform/owl/TButtonGadget.h"

#include "platform/owl/TDC.h"
#include "platform/owl/TGadgetWindow.h"
#include "platform/owl/TModule.h"

namespace OWL {

TButtonGadget::TButtonGadget(const TResId& glyph, int id, TType type, bool enabled, TState state, bool)
    : TGadget(id, Raised), mGlyph(glyph), mType(type), mState(state) {
  TGadget::SetEnabled(enabled);
}

void TButtonGadget::SetButtonState(TState state) {
  if (state == mState) return;
  mState = state;
  Invalidate();
  if (mType != Exclusive || state != Down || !GetGadgetWindow()) return;
  // The exclusive group: the exclusive buttons next to this one without another kind between.
  const auto& gadgets = GetGadgetWindow()->Gadgets();
  size_t self = 0;
  while (gadgets[self] != this) ++self;
  auto popUp = [](TGadget* g) {
    auto* button = dynamic_cast<TButtonGadget*>(g);
    if (!button || button->mType != Exclusive) return false;
    if (button->mState != Up) {
      button->mState = Up;
      button->Invalidate();
    }
    return true;
  };
  for (size_t i = self; i-- > 0 && popUp(gadgets[i]);) {}
  for (size_t i = self + 1; i < gadgets.size() && popUp(gadgets[i]); ++i) {}
}

TBitmap* TButtonGadget::GetGlyphBitmap() {
  if (mGlyphBitmap || !GetGadgetWindow()) return mGlyphBitmap.get();
  if (HBITMAP const bitmap = GetGadgetWindow()->GetModule()->LoadBitmap(mGlyph))
    mGlyphBitmap.reset(new TBitmap(bitmap, TAutoDelete::AutoDelete));
  return mGlyphBitmap.get();
}

void TButtonGadget::GetDesiredSize(TSize& size) {
  TGadget::GetDesiredSize(size);
  if (TBitmap* const glyph = GetGlyphBitmap()) {
    size.cx += glyph->Width();
    size.cy += glyph->Height();
  }
}

void TButtonGadget::Paint(TDC& dc) {
  PaintBorder(dc);
  PaintFace(dc, GetInnerRect());
}

void TButtonGadget::PaintBorder(TDC& dc) {
  bool const flat = GetGadgetWindow() && (GetGadgetWindow()->GetFlatStyle() & TGadgetWindow::FlatStandard);
  bool const sunken = mState == Down || IsPressedIn();
  if (flat && !sunken && !(IsMouseIn() && GetEnabled())) return;
  TRect r(0, 0, GetBounds().Width(), GetBounds().Height());
  if (flat) dc.DrawEdge(r, sunken ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  else dc.DrawEdge(r, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
}

void TButtonGadget::PaintFace(TDC& dc, const TRect& rect) {
  TBitmap* const glyph = GetGlyphBitmap();
  if (!glyph) return;
  int const shift = (mState == Down || IsPressedIn()) ? 1 : 0;
  int const x = rect.left + (rect.Width() - glyph->Width()) / 2 + shift;
  int const y = rect.top + (rect.Height() - glyph->Height()) / 2 + shift;
  UINT const flags = DST_BITMAP | (GetEnabled() ? DSS_NORMAL : DSS_DISABLED);
  DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(glyph->GetHandle()), 0, x, y, 0, 0, flags);
}

void TButtonGadget::MouseEnter(UINT modKeys, const TPoint& point) {
  TGadget::MouseEnter(modKeys, point);
  if (GetGadgetWindow() && (GetGadgetWindow()->GetFlatStyle() & TGadgetWindow::FlatStandard)) Invalidate();
}

void TButtonGadget::MouseLeave(UINT modKeys, const TPoint& point) {
  TGadget::MouseLeave(modKeys, point);
  if (GetGadgetWindow() && (GetGadgetWindow()->GetFlatStyle() & TGadgetWindow::FlatStandard)) Invalidate();
}

void TButtonGadget::MouseMove(UINT modKeys, const TPoint& point) {
  TGadget::MouseMove(modKeys, point);
  if (!mPressed) return;
  bool const inside = PtIn(point);
  if (inside == mPressedIn) return;
  mPressedIn = inside;
  Invalidate();
}

void TButtonGadget::BeginPressed(const TPoint&) {
  mPressed = true;
  mPressedIn = true;
  if (GetGadgetWindow()) GetGadgetWindow()->GadgetSetCapture(*this);
  Invalidate();
}

void TButtonGadget::CancelPressed(const TPoint&) {
  mPressed = false;
  mPressedIn = false;
  if (GetGadgetWindow()) GetGadgetWindow()->GadgetReleaseCapture(*this);
  Invalidate();
}

void TButtonGadget::LButtonDown(UINT modKeys, const TPoint& point) {
  TGadget::LButtonDown(modKeys, point);
  BeginPressed(point);
}

void TButtonGadget::LButtonUp(UINT modKeys, const TPoint& point) {
  TGadget::LButtonUp(modKeys, point);
  if (!mPressed) return;
  bool const inside = PtIn(point);
  CancelPressed(point);
  if (inside && GetEnabled()) Activate(point);
}

void TButtonGadget::Activate(const TPoint&) {
  if (mType == NonExclusive) SetButtonState(mState == Down ? Up : Down);
  if (mType == Exclusive) SetButtonState(Down);
  if (GetGadgetWindow()) GetGadgetWindow()->PostMessage(WM_COMMAND, MAKEWPARAM(GetId(), 0), 0);
}

void TButtonGadget::CommandEnable() {
  TGadgetWindow* const window = GetGadgetWindow();
  if (!window || !window->IsWindow()) return;
  TButtonGadgetEnabler enabler(*this, window->GetHandle());
  window->HandleMessage(WM_COMMAND_ENABLE, 0, reinterpret_cast<LPARAM>(&enabler));
}

void TButtonGadget::SysColorChange() {
  mGlyphBitmap.reset();
  Invalidate();
}

void TButtonGadgetEnabler::Enable(bool enable) noexcept {
  TCommandEnabler::Enable(enable);
  mGadget.SetEnabled(enable);
}

void TButtonGadgetEnabler::SetCheck(int state) noexcept {
  TCommandEnabler::SetCheck(state);
  mGadget.SetButtonState(static_cast<TButtonGadget::TState>(state));
}

}  // namespace OWL
