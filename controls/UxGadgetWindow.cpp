// QORControls::UxGadgetWindow: theme and reliable hot tracking of a gadget window.
#include "controls/UxGadgetWindow.h"

#include "controls/ThemeGate.h"
#include "controls/UxSizableButtonGadget.h"
#include "platform/owl/TGadget.h"

namespace QORControls {

using QORLinkingUtils::UxThemeDLL;

DEFINE_RESPONSE_TABLE1(UxGadgetWindow, OWL::TGadgetWindow)
  EV_MESSAGE(WM_THEMECHANGED, EvThemeChanged),
  EV_WM_MOUSEMOVE,
  EV_WM_MOUSELEAVE,
END_RESPONSE_TABLE;

UxGadgetWindow::UxGadgetWindow(OWL::TWindow* parent, TTileDirection direction)
    : TGadgetWindow(parent, direction, nullptr, nullptr) {
  if (ThemesAvailable()) mTheme = UxThemeDLL::OpenThemeData(nullptr, L"BUTTON");
}

UxGadgetWindow::~UxGadgetWindow() { CloseTheme(); }

void UxGadgetWindow::CloseTheme() noexcept {
  if (mTheme) UxThemeDLL::CloseThemeData(mTheme);  // a failed close leaves nothing to do
  mTheme = nullptr;
}

LRESULT UxGadgetWindow::EvThemeChanged(WPARAM, LPARAM) {
  CloseTheme();
  if (ThemesAvailable()) mTheme = UxThemeDLL::OpenThemeData(mHandle, mThemeKind == 1 ? L"BUTTON" : L"TOOLBAR");
  LayoutSession();
  return mTheme != nullptr;
}

static OWL::TPoint RelativeTo(const OWL::TGadget& gadget, const OWL::TPoint& point) noexcept {
  return OWL::TPoint(point.x - gadget.GetBounds().left, point.y - gadget.GetBounds().top);
}

void UxGadgetWindow::EvMouseMove(UINT modKeys, const OWL::TPoint& point) {
  if (!mTrackingLeave) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, mHandle, 0};
    mTrackingLeave = TrackMouseEvent(&track) != 0;
  }
  if (auto* button = dynamic_cast<UxSizableButtonGadget*>(GadgetFromPoint(point))) {
    button->MouseEnter(modKeys, RelativeTo(*button, point));
    Invalidate();
  }
  TGadgetWindow::EvMouseMove(modKeys, point);
}

// The cursor may have left faster than a mouse move reached the window: the gadget last seen
// under it is told.
void UxGadgetWindow::EvMouseLeave() {
  if (auto* button = dynamic_cast<UxSizableButtonGadget*>(GetGadgetAtMouse())) {
    OWL::TPoint point;
    GetCursorPos(&point);
    ScreenToClient(point);
    button->MouseLeave(static_cast<UINT>(GetKeyState(VK_SHIFT) < 0 ? MK_SHIFT : 0) |
                           static_cast<UINT>(GetKeyState(VK_CONTROL) < 0 ? MK_CONTROL : 0),
                       RelativeTo(*button, point));
  }
  mTrackingLeave = false;
  TGadgetWindow::EvMouseLeave();
}

}  // namespace QORControls
