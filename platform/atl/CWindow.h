// ATL::CWindow: a window handle with the window calls the ATL-style windows make; it owns
// nothing (DestroyWindow is explicit).
#pragma once

#include <windows.h>

namespace ATL {

class CWindow {
 public:
  explicit CWindow(HWND hWnd = nullptr) noexcept : m_hWnd(hWnd) {}

  HWND m_hWnd;

  operator HWND() const noexcept { return m_hWnd; }
  void Attach(HWND hWnd) noexcept { m_hWnd = hWnd; }
  HWND Detach() noexcept {
    HWND const hWnd = m_hWnd;
    m_hWnd = nullptr;
    return hWnd;
  }
  BOOL IsWindow() const noexcept { return m_hWnd && ::IsWindow(m_hWnd); }
  BOOL DestroyWindow() noexcept { return ::DestroyWindow(m_hWnd); }
  BOOL ShowWindow(int command) noexcept { return ::ShowWindow(m_hWnd, command); }
  BOOL GetClientRect(RECT* rect) const noexcept { return ::GetClientRect(m_hWnd, rect); }
  BOOL GetWindowRect(RECT* rect) const noexcept { return ::GetWindowRect(m_hWnd, rect); }
  BOOL SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) noexcept {
    return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags);
  }
  BOOL Invalidate(BOOL erase = TRUE) noexcept { return ::InvalidateRect(m_hWnd, nullptr, erase); }
  LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const noexcept {
    return ::SendMessageW(m_hWnd, msg, wParam, lParam);
  }
  BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const noexcept {
    return ::PostMessageW(m_hWnd, msg, wParam, lParam);
  }
  UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds) noexcept { return ::SetTimer(m_hWnd, id, milliseconds, nullptr); }
  BOOL KillTimer(UINT_PTR id) noexcept { return ::KillTimer(m_hWnd, id); }
  BOOL SetWindowText(const wchar_t* text) noexcept { return ::SetWindowTextW(m_hWnd, text); }
  int GetWindowTextLength() const noexcept { return ::GetWindowTextLengthW(m_hWnd); }
  // The window takes the region over.
  int SetWindowRgn(HRGN region, BOOL redraw = TRUE) noexcept { return ::SetWindowRgn(m_hWnd, region, redraw); }
  BOOL ScreenToClient(POINT* point) const noexcept { return ::ScreenToClient(m_hWnd, point); }
  BOOL ClientToScreen(POINT* point) const noexcept { return ::ClientToScreen(m_hWnd, point); }
};

}  // namespace ATL
