// OWL::TTabControl: tab items, selection, labels, and clicks that always reach the tab clicked.
#include "platform/owl/TTabControl.h"

#include <commctrl.h>

namespace OWL {

DEFINE_RESPONSE_TABLE1(TTabControl, TControl)
  EV_WM_LBUTTONDOWN,
END_RESPONSE_TABLE;

TTabControl::TTabControl(TWindow* parent, int id, int x, int y, int w, int h, TModule* module)
    : TControl(parent, id, nullptr, x, y, w, h, module) {
  Attr.Style |= WS_CLIPSIBLINGS;
}

TTabControl::TTabControl(TWindow* parent, int resourceId, TModule* module)
    : TControl(parent, resourceId, module) {}

int TTabControl::Insert(const wchar_t* text, int index) noexcept {
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(text);
  return static_cast<int>(SendMessage(TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item)));
}

int TTabControl::GetCount() const noexcept { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
int TTabControl::GetSel() const noexcept { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
int TTabControl::SetSel(int index) noexcept { return static_cast<int>(SendMessage(TCM_SETCURSEL, index)); }

void TTabControl::AdjustRect(bool toWindow, TRect& rect) const noexcept {
  SendMessage(TCM_ADJUSTRECT, toWindow, reinterpret_cast<LPARAM>(&rect));
}

// The right end of the last tab; 0 without tabs.
int TTabControl::StripRight() const noexcept {
  const int count = GetCount();
  RECT last{};
  if (count <= 0 || !SendMessage(TCM_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&last))) return 0;
  return last.right;
}

// Some tab controls (Wine's) repaint only up to the new strip's end after a relabel, leaving the
// end of the wider strip on the screen: the tab row right of the new end is repainted here.
void TTabControl::SetText(int index, const wchar_t* text) noexcept {
  int const before = StripRight();
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(text);
  SendMessage(TCM_SETITEMW, index, reinterpret_cast<LPARAM>(&item));
  int const after = StripRight();
  if (after >= before) return;
  TRect row = GetClientRect();
  TRect display = row;
  AdjustRect(false, display);
  row.left = after;
  row.bottom = display.top;
  InvalidateRect(row, true);
}

// Some tab controls (Wine's) keep the tab a click selected marked as pressed after the keyboard
// moves the selection away, and then take every later click for a click on that tab, which
// selects nothing. In a strip of tabs (not buttons) no tab but the selected one is pressed, so
// the stale marks are cleared before the control sees the click.
void TTabControl::ReleaseUnselectedTabs() noexcept {
  if (GetStyle() & TCS_BUTTONS) return;  // buttons keep their own pressed states
  const int selected = GetSel();
  for (int i = 0, count = GetCount(); i < count; ++i) {
    if (i == selected) continue;
    TCITEMW item{};
    item.mask = TCIF_STATE;
    item.dwStateMask = TCIS_BUTTONPRESSED;
    if (!SendMessage(TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item)) || !(item.dwState & TCIS_BUTTONPRESSED))
      continue;
    item.dwState = 0;
    SendMessage(TCM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
}

void TTabControl::EvLButtonDown(UINT, const TPoint&) {
  ReleaseUnselectedTabs();
  DefaultProcessing();
}

}  // namespace OWL
