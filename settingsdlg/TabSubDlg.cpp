// ExtLib::PositionedSubDialog, TabSubDlg and TabSubSubDlg: placing, styling and painting pages.
#include "settingsdlg/TabSubDlg.h"

#include "controls/ThemeGate.h"
#include "platform/uihelpers/UxThemeDLL.h"

namespace ExtLib {

DWORD TabPageStyle(DWORD templateStyle) noexcept { return (templateStyle & 0x2F77FFFFu) | WS_CHILD; }

PositionedSubDialog::PositionedSubDialog(OWL::TWindow* parent, const OWL::TResId& resId)
    : QOR::DialogBase(parent, resId) {}

void PositionedSubDialog::Reposition(const OWL::TRect& screenRect) {
  POINT corner{screenRect.left, screenRect.top};
  if (HWND const parent = GetParentH()) ::ScreenToClient(parent, &corner);
  OWL::TRect const window = GetWindowRect();
  ::MoveWindow(mHandle, corner.x, corner.y, window.Width(), window.Height(), FALSE);
  ShowWindow(SW_SHOW);
}

TabSubDlg::TabSubDlg(OWL::TWindow* parent, const OWL::TResId& resId) : PositionedSubDialog(parent, resId) {
  SetTemplateStyle(TabPageStyle(GetTemplateStyle()));
}

void TabSubDlg::SetupWindow() {
  if (ThemesAvailable()) QORLinkingUtils::UxThemeDLL::EnableThemeDialogTexture(mHandle);
  PositionedSubDialog::SetupWindow();
}

TabSubSubDlg::TabSubSubDlg(OWL::TWindow* parent, const OWL::TResId& resId) : PositionedSubDialog(parent, resId) {}

LRESULT TabSubSubDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg < WM_CTLCOLORBTN || msg > WM_CTLCOLORSTATIC) return PositionedSubDialog::WindowProc(msg, wParam, lParam);
  HWND const named = reinterpret_cast<HWND>(lParam);
  HWND const parent = named ? ::GetParent(named) : nullptr;
  if (!parent) return PositionedSubDialog::WindowProc(msg, wParam, lParam);
  return ::SendMessageW(parent, WM_CTLCOLORSTATIC, wParam, reinterpret_cast<LPARAM>(mHandle));
}

}  // namespace ExtLib
