// OWL::TWindow: its own response table and the default behaviour of the message handlers.
#include "platform/owl/TWindow.h"

#include "platform/owl/TControl.h"
#include "platform/owl/TPaintDC.h"
#include "platform/owl/TScrollBar.h"

namespace OWL {

const TResponseTable& TWindow::GetResponseTable() const { return ResponseTableOf(); }

const TResponseTable& TWindow::ResponseTableOf() {
  using TMyClass = TWindow;
  static const TResponseTableEntry kEntries[] = {
      EV_WM_PAINT,
      EV_WM_HSCROLL,
      EV_WM_VSCROLL,
      EV_WM_DRAWITEM,
      EV_WM_MEASUREITEM,
      EV_WM_CLOSE,
      EV_WM_DESTROY,
      {TEventKind::End, 0, 0, nullptr},
  };
  static const TResponseTable kTable{kEntries, nullptr};
  return kTable;
}

void TWindow::EvPaint() {
  if (IsFlagSet(wfPredefinedClass)) {
    DefaultProcessing();
    return;
  }
  TPaintDC dc(mHandle);
  TRect rect = dc.GetPaintRect();
  Paint(dc, dc.EraseRequested(), rect);
}

static TScrollBar* ScrollBarOf(HWND control) noexcept {
  return dynamic_cast<TScrollBar*>(TWindow::GetWindowPtr(control));
}

// A bar's scroll code runs the bar's action, then reaches this window's EV_CHILD_NOTIFY entry
// of the bar's id and that code, when it has one.
void TWindow::DispatchScroll(UINT code, int thumbPos, HWND control) {
  TScrollBar* const bar = ScrollBarOf(control);
  if (!bar) {
    DefaultProcessing();
    return;
  }
  bar->ScrollAction(code, thumbPos);
  const UINT id = static_cast<UINT>(GetDlgCtrlID(control));
  if (const TResponseTableEntry* entry = GetResponseTable().Find(TEventKind::ChildNotify, code, id))
    entry->Dispatch(*this, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

void TWindow::EvHScroll(UINT code, int thumbPos, HWND control) { DispatchScroll(code, thumbPos, control); }

void TWindow::EvVScroll(UINT code, int thumbPos, HWND control) { DispatchScroll(code, thumbPos, control); }

void TWindow::EvDrawItem(UINT, const DRAWITEMSTRUCT& item) {
  if (auto* control = dynamic_cast<TControl*>(GetWindowPtr(item.hwndItem))) {
    control->DrawItem(item);
    return;
  }
  DefaultProcessing();
}

void TWindow::EvMeasureItem(UINT controlId, MEASUREITEMSTRUCT& item) {
  if (auto* control = dynamic_cast<TControl*>(ChildWithId(static_cast<int>(controlId)))) {
    control->MeasureItem(item);
    return;
  }
  DefaultProcessing();
}

void TWindow::EvClose() { CloseWindow(); }

void TWindow::EvDestroy() {
  if (!IsFlagSet(wfCleanupDone)) CleanupWindow();
  SetFlag(wfCleanupDone);
  DefaultProcessing();
}

void TWindow::EvChildInvalid(HWND) {}

bool TWindow::EvSetCursor(HWND, UINT, UINT) { return DefaultProcessing() != 0; }

void TWindow::EvSize(UINT, const TSize&) { DefaultProcessing(); }
void TWindow::EvMove(const TPoint&) { DefaultProcessing(); }
void TWindow::EvLButtonDown(UINT, const TPoint&) { DefaultProcessing(); }
void TWindow::EvLButtonUp(UINT, const TPoint&) { DefaultProcessing(); }
void TWindow::EvLButtonDblClk(UINT, const TPoint&) { DefaultProcessing(); }
void TWindow::EvRButtonDown(UINT, const TPoint&) { DefaultProcessing(); }
void TWindow::EvRButtonUp(UINT, const TPoint&) { DefaultProcessing(); }
void TWindow::EvMouseMove(UINT, const TPoint&) { DefaultProcessing(); }
void TWindow::EvMouseLeave() { DefaultProcessing(); }
void TWindow::EvKeyDown(UINT, UINT, UINT) { DefaultProcessing(); }
void TWindow::EvChar(UINT, UINT, UINT) { DefaultProcessing(); }
void TWindow::EvTimer(UINT) { DefaultProcessing(); }

}  // namespace OWL
