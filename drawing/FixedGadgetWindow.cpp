// The preview bars' gadget window.
#include "drawing/FixedGadgetWindow.h"

#include <commctrl.h>

namespace ScrivoDraw {

void ActivateBarTooltip(OWL::TGadgetWindow& bar, bool active) noexcept {
  if (HWND const tip = bar.GetTooltip()) ::SendMessageW(tip, TTM_ACTIVATE, active, 0);
}

DEFINE_RESPONSE_TABLE1(FixedGadgetWindow, OWL::TGadgetWindow)
  EV_WM_LBUTTONDOWN,
  EV_WM_LBUTTONUP,
END_RESPONSE_TABLE;

FixedGadgetWindow::FixedGadgetWindow(OWL::TWindow* parent) : TGadgetWindow(parent, Horizontal) {
  Attr.Style &= ~static_cast<DWORD>(WS_BORDER);
  SetShrinkWrap(true, true);
  SetMargins(OWL::TMargins(0, 0, 0, 0));
  EnableTooltip(true);
}

SIZE FixedGadgetWindow::DesiredSize() {
  OWL::TSize size;
  GetDesiredSize(size);
  return SIZE{size.cx, size.cy};
}

void FixedGadgetWindow::EvLButtonDown(UINT modKeys, const OWL::TPoint& point) {
  ActivateBarTooltip(*this, false);
  TGadgetWindow::EvLButtonDown(modKeys, point);
}

void FixedGadgetWindow::EvLButtonUp(UINT modKeys, const OWL::TPoint& point) {
  ActivateBarTooltip(*this, true);
  TGadgetWindow::EvLButtonUp(modKeys, point);
}

void PreviewBarWindow::MoveTo(const RECT& rect) {
  if (!GetHandle()) return;
  ::SetWindowPos(GetHandle(), nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

bool PreviewBarWindow::IsEnabled() const { return GetHandle() && ::IsWindowEnabled(GetHandle()); }

void PreviewBarWindow::Enable(bool enable) {
  if (GetHandle()) ::EnableWindow(GetHandle(), enable);
}

}  // namespace ScrivoDraw
