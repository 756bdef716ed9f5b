// QOR::TopmostWindow: collecting the process's top-level windows.
#include "platform/uihelpers/TopmostWindow.h"

#include "platform/owl/TWindow.h"

namespace QOR {

TopmostWindow::TopmostWindow() { EnumWindows(&Collect, reinterpret_cast<LPARAM>(this)); }

BOOL CALLBACK TopmostWindow::Collect(HWND window, LPARAM self) noexcept {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  if (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) return TRUE;
  try {
    reinterpret_cast<TopmostWindow*>(self)->mWindows.emplace_back(window, IsWindowEnabled(window) != 0);
  } catch (...) {
    return FALSE;
  }
  return TRUE;
}

OWL::TWindow* TopmostWindow::GetParentWindow() const noexcept {
  return mWindows.empty() ? nullptr : OWL::TWindow::GetWindowPtr(mWindows.front().first);
}

}  // namespace QOR
