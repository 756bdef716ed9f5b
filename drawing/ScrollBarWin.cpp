// The preview window's scroll bar.
#include "drawing/ScrollBarWin.h"

namespace ScrivoDraw {

ScrollBarWin::ScrollBarWin(OWL::TWindow* parent, AxisControlOwner& owner)
    : TScrollBar(parent, kScrollBarId, 0, 0, 0, 0, true), mOwner(owner) {
  Attr.Style &= ~static_cast<DWORD>(WS_TABSTOP | WS_GROUP);
}

void ScrollBarWin::MoveTo(const RECT& rect) {
  if (!GetHandle()) return;
  RECT placed = rect;
  if (mCoordinateWindow) MapWindowPoints(mCoordinateWindow, ::GetParent(GetHandle()), reinterpret_cast<POINT*>(&placed), 2);
  ::MoveWindow(GetHandle(), placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top, FALSE);
}

bool ScrollBarWin::IsEnabled() const { return GetHandle() && ::IsWindowEnabled(GetHandle()); }

void ScrollBarWin::Enable(bool enable) {
  if (GetHandle()) ::EnableWindow(GetHandle(), enable);
}

int32_t ScrollBarWin::GetPosition() const { return GetHandle() ? TScrollBar::GetPosition() : 0; }

void ScrollBarWin::SetPosition(int32_t position, bool redraw) {
  if (GetHandle()) TScrollBar::SetPosition(position, redraw);
}

bool ScrollBarWin::GetScrollInfo(SCROLLINFO& info) const { return GetHandle() && TScrollBar::GetScrollInfo(info); }

void ScrollBarWin::SetScrollInfo(const SCROLLINFO& info, bool redraw) {
  if (GetHandle()) TScrollBar::SetScrollInfo(info, redraw);
}

void ScrollBarWin::SetPageMagnitude(int32_t magnitude) {
  if (GetHandle()) PageMagnitude = magnitude;
}

void ScrollBarWin::Invalidate() {
  if (GetHandle()) ::InvalidateRect(GetHandle(), nullptr, TRUE);
}

}  // namespace ScrivoDraw
