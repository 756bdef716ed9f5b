// QOR::UxMenuGadget: menu tracking from a gadget.
#include "controls/UxMenuGadget.h"

#include "platform/owl/TGadgetWindow.h"
#include "platform/owl/TPopupMenu.h"

namespace QOR {

namespace {

constexpr UINT kMaxItemText = 512;

std::wstring FirstItemText(const OWL::TMenu& menu) {
  wchar_t text[kMaxItemText + 1] = {};
  int const length = GetMenuStringW(menu.GetHandle(), 0, text, kMaxItemText + 1, MF_BYPOSITION);
  return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

}  // namespace

UxMenuGadget::UxMenuGadget(const OWL::TMenu& menu, OWL::TWindow& owner, Gdiplus::GpBitmap* image, int themeKind,
                           TStyle style, TType type, bool enabled, TState state, bool sharedGlyph,
                           unsigned numChars)
    : UxCustomButtonGadget(image, themeKind, style, type, enabled, state, sharedGlyph, numChars),
      mPopup(new OWL::TPopupMenu(menu)),
      mOwner(owner) {
  SetShrinkWrap(true, true);
  std::wstring const text = FirstItemText(menu);
  if (!text.empty()) {
    SetText(text);
    SetNumChars(static_cast<unsigned>(text.size()));
  }
  SetAlign(aCenter);
}

UxMenuGadget::~UxMenuGadget() = default;

void UxMenuGadget::TrackMenu(bool below, UINT flags) {
  OWL::TGadgetWindow* const window = GetGadgetWindow();
  OWL::TRect bounds = GetBounds();
  MapWindowPoints(window->GetHandle(), nullptr, reinterpret_cast<POINT*>(&bounds), 2);
  OWL::TPoint const at = below ? OWL::TPoint(bounds.left, bounds.bottom) : bounds.TopLeft();
  // The choice comes back and is posted as the menu itself would, so a scripted popup
  // tracker delivers it the same way.
  mMenuResult = mPopup->TrackPopupMenu(flags | TPM_RETURNCMD, at, mOwner.GetHandle(), &bounds);
  if (mMenuResult != 0) mOwner.PostMessage(WM_COMMAND, MAKEWPARAM(mMenuResult, 0), 0);
  DropClosingClick();
}

void UxMenuGadget::DropClosingClick() {
  OWL::TGadgetWindow* const window = GetGadgetWindow();
  MSG msg;
  if (!PeekMessageW(&msg, window->GetHandle(), WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE)) return;
  OWL::TPoint const point(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
  if (GetBounds().Contains(point))
    PeekMessageW(&msg, window->GetHandle(), WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE);
}

void UxMenuGadget::CancelIfPressed(const OWL::TPoint& point) {
  if (IsPressed()) CancelPressed(point);
}

void UxMenuGadget::LButtonDown(UINT modKeys, const OWL::TPoint& point) {
  if (mPlainButton) {
    UxCustomButtonGadget::LButtonDown(modKeys, point);
    return;
  }
  if (!GetGadgetWindow()) return;
  BeginPressed(point);
  TrackMenu(false, TPM_VERTICAL);
  CancelIfPressed(point);
}

void UxMenuGadget::RButtonDown(UINT, const OWL::TPoint& point) {
  if (mPlainButton && GetGadgetWindow()) {
    BeginPressed(point);
    TrackMenu(true, 0);
  }
  CancelIfPressed(point);
}

void UxMenuGadget::LButtonUp(UINT modKeys, const OWL::TPoint& point) {
  if (mPlainButton) UxCustomButtonGadget::LButtonUp(modKeys, point);
  CancelIfPressed(point);
}

void UxMenuGadget::RButtonUp(UINT, const OWL::TPoint& point) { CancelIfPressed(point); }

}  // namespace QOR
