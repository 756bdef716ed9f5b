// Mouse input delivered the way the system does: to the window holding the capture, else to the
// window under the screen point, in that window's client coordinates.
#pragma once

#include <windows.h>

namespace testsupport {

// Sends msg with keys for the screen point; answers the window that got it (null when the
// point is over no window and nothing holds the capture).
inline HWND SendMouseAt(POINT screen, UINT msg, WPARAM keys) {
  HWND window = GetCapture();
  if (!window) window = WindowFromPoint(screen);
  if (!window) return nullptr;
  POINT client = screen;
  ScreenToClient(window, &client);
  SendMessageW(window, msg, keys, MAKELPARAM(client.x, client.y));
  return window;
}

// A left-button drag from one screen point to another through a point half way.
inline void DragWithLeftButton(POINT from, POINT to) {
  SendMouseAt(from, WM_MOUSEMOVE, 0);
  SendMouseAt(from, WM_LBUTTONDOWN, MK_LBUTTON);
  SendMouseAt(POINT{(from.x + to.x) / 2, (from.y + to.y) / 2}, WM_MOUSEMOVE, MK_LBUTTON);
  SendMouseAt(to, WM_MOUSEMOVE, MK_LBUTTON);
  SendMouseAt(to, WM_LBUTTONUP, 0);
}

}  // namespace testsupport
