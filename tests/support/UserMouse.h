// UserMouse: mouse input delivered the way the system delivers it, to the window under a screen
// point (or the window holding the capture) in that window's client coordinates, then pumped.
#pragma once

#include "tests/support/ScriptedModalSeam.h"

#include <windows.h>

#include <algorithm>

namespace user_mouse {

// The top-level window the user last looked at (see ScreenPoint).
inline HWND& WatchedWindow() {
  static HWND watched = nullptr;
  return watched;
}

// Raises the watched window above the windows of other programs that may share the display
// (test programs run side by side), as the user keeps the window being worked in on top.
inline void RaiseWatched() {
  if (IsWindow(WatchedWindow()))
    SetWindowPos(WatchedWindow(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The screen point of a client point of window, whose top-level window the user now watches.
inline POINT ScreenPoint(HWND window, int x, int y) {
  WatchedWindow() = GetAncestor(window, GA_ROOT);
  RaiseWatched();
  POINT p{x, y};
  ClientToScreen(window, &p);
  return p;
}

// Sends one mouse message where the system would; answers the window that got it (null: none,
// or a window of another program, which gets nothing).
inline HWND Deliver(UINT message, POINT screen, WPARAM keys) {
  const auto ours = [](HWND window) {
    DWORD process = 0;
    return window && GetWindowThreadProcessId(window, &process) && process == GetCurrentProcessId();
  };
  HWND target = GetCapture();
  // Another program may raise a window of its own between the raise and the look-up.
  for (int attempt = 0; !target && attempt < 5; ++attempt) {
    RaiseWatched();
    HWND const under = WindowFromPoint(screen);
    if (ours(under)) target = under;
  }
  if (!ours(target)) return nullptr;
  POINT client = screen;
  ScreenToClient(target, &client);
  SendMessageW(target, message, keys, MAKELPARAM(client.x, client.y));
  PumpMessages();
  return target;
}

inline HWND Move(POINT screen, WPARAM keys = 0) { return Deliver(WM_MOUSEMOVE, screen, keys); }

// A left click: move, press, release; answers the window pressed.
inline HWND Click(POINT screen) {
  Move(screen);
  HWND const pressed = Deliver(WM_LBUTTONDOWN, screen, MK_LBUTTON);
  Deliver(WM_LBUTTONUP, screen, 0);
  return pressed;
}

// A left double click: the second press is WM_LBUTTONDBLCLK only where the window's class asks
// for double clicks (CS_DBLCLKS), as the system does.
inline HWND DoubleClick(POINT screen) {
  HWND const pressed = Click(screen);
  if (!pressed) return nullptr;
  const bool classWants = (GetClassLongW(pressed, GCL_STYLE) & CS_DBLCLKS) != 0;
  Deliver(classWants ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, screen, MK_LBUTTON);
  Deliver(WM_LBUTTONUP, screen, 0);
  return pressed;
}

// A drag with the left button from one point to another, in steps of the given count.
inline HWND Drag(POINT from, POINT to, int steps = 4) {
  Move(from);
  HWND const pressed = Deliver(WM_LBUTTONDOWN, from, MK_LBUTTON);
  for (int i = 1; i <= steps; ++i)
    Move(POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps}, MK_LBUTTON);
  Deliver(WM_LBUTTONUP, to, 0);
  return pressed;
}

// Drags a scroll bar control's thumb by a distance in pixels (down or right when positive), kept
// inside the bar (a pointer far off the bar puts the thumb back where it was). The control tracks
// the mouse in a message loop of its own once pressed, so the move and the release are queued
// for that loop first, as the system would queue them while the user drags; the press goes to
// the bar itself, whatever another program shows over it.
inline void DragScrollThumb(HWND bar, int distance) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  GetScrollBarInfo(bar, OBJID_CLIENT, &info);
  const bool vertical = (GetWindowLongW(bar, GWL_STYLE) & SBS_VERT) != 0;
  const int along = (info.xyThumbTop + info.xyThumbBottom) / 2;
  RECT client{};
  GetClientRect(bar, &client);
  const POINT from = vertical ? POINT{client.right / 2, along} : POINT{along, client.bottom / 2};
  const POINT to = vertical ? POINT{from.x, std::clamp<LONG>(from.y + distance, 0, client.bottom - 1)}
                            : POINT{std::clamp<LONG>(from.x + distance, 0, client.right - 1), from.y};
  PostMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
  PostMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
  SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
  PumpMessages();
}

// Clicks a scroll bar control's arrow, the one after the thumb (right or down) when forward. The
// control tracks the press in a message loop of its own, so the release is queued for that loop
// first, as the system queues it while the user clicks.
inline void ClickScrollArrow(HWND bar, bool forward) {
  RECT client{};
  GetClientRect(bar, &client);
  const bool vertical = (GetWindowLongW(bar, GWL_STYLE) & SBS_VERT) != 0;
  const int arrow = vertical ? GetSystemMetrics(SM_CYVSCROLL) : GetSystemMetrics(SM_CXHSCROLL);
  const int along = forward ? (vertical ? client.bottom : client.right) - arrow / 2 : arrow / 2;
  const POINT at = vertical ? POINT{client.right / 2, along} : POINT{along, client.bottom / 2};
  PostMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  PumpMessages();
}

}  // namespace user_mouse
