// OWL::TScrollBar: range, position and the default scroll actions.
#include "platform/owl/TScrollBar.h"

namespace OWL {

TScrollBar::TScrollBar(TWindow* parent, int id, int x, int y, int w, int h, bool isHScrollBar,
                       TModule* module)
    : TControl(parent, id, nullptr, x, y, w, h, module) {
  Attr.Style &= ~static_cast<DWORD>(WS_TABSTOP);
  Attr.Style |= isHScrollBar ? SBS_HORZ : SBS_VERT;
}

TScrollBar::TScrollBar(TWindow* parent, int resourceId, TModule* module)
    : TControl(parent, resourceId, module) {}

void TScrollBar::SetupWindow() {
  TControl::SetupWindow();
  SetRange(0, 100);
}

void TScrollBar::GetRange(int& min, int& max) const {
  GetScrollRange(mHandle, SB_CTL, &min, &max);
}

void TScrollBar::SetRange(int min, int max, bool redraw) {
  SetScrollRange(mHandle, SB_CTL, min, max, redraw);
}

int TScrollBar::GetPosition() const { return GetScrollPos(mHandle, SB_CTL); }

void TScrollBar::SetPosition(int thumbPos, bool redraw) {
  int min = 0;
  int max = 0;
  GetRange(min, max);
  if (thumbPos < min) thumbPos = min;
  if (thumbPos > max) thumbPos = max;
  if (thumbPos != GetPosition()) SetScrollPos(mHandle, SB_CTL, thumbPos, redraw);
}

int TScrollBar::DeltaPos(int delta) {
  int const before = GetPosition();
  SetPosition(before + delta);
  return GetPosition() - before;
}

bool TScrollBar::GetScrollInfo(SCROLLINFO& info) const noexcept {
  info.cbSize = sizeof info;
  return ::GetScrollInfo(mHandle, SB_CTL, &info) != 0;
}

int TScrollBar::SetScrollInfo(const SCROLLINFO& info, bool redraw) noexcept {
  SCROLLINFO copy = info;
  copy.cbSize = sizeof copy;
  return ::SetScrollInfo(mHandle, SB_CTL, &copy, redraw);
}

void TScrollBar::SBLineUp() { DeltaPos(-LineMagnitude); }
void TScrollBar::SBLineDown() { DeltaPos(LineMagnitude); }
void TScrollBar::SBPageUp() { DeltaPos(-PageMagnitude); }
void TScrollBar::SBPageDown() { DeltaPos(PageMagnitude); }
void TScrollBar::SBThumbPosition(int thumbPos) { SetPosition(thumbPos); }
void TScrollBar::SBThumbTrack(int thumbPos) { SetPosition(thumbPos); }

void TScrollBar::SBTop() {
  int min = 0;
  int max = 0;
  GetRange(min, max);
  SetPosition(min);
}

void TScrollBar::SBBottom() {
  int min = 0;
  int max = 0;
  GetRange(min, max);
  SetPosition(max);
}

void TScrollBar::SBEndScroll() {}

void TScrollBar::ScrollAction(UINT code, int thumbPos) {
  switch (code) {
    case SB_LINEUP: SBLineUp(); break;
    case SB_LINEDOWN: SBLineDown(); break;
    case SB_PAGEUP: SBPageUp(); break;
    case SB_PAGEDOWN: SBPageDown(); break;
    case SB_THUMBPOSITION: SBThumbPosition(thumbPos); break;
    case SB_THUMBTRACK: SBThumbTrack(thumbPos); break;
    case SB_TOP: SBTop(); break;
    case SB_BOTTOM: SBBottom(); break;
    case SB_ENDSCROLL: SBEndScroll(); break;
    default: break;
  }
}

}  // namespace OWL
