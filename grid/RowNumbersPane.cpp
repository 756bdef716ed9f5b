// The row-number pane: painting, row selection with the mouse, and the row drag's timer.
#include "grid/RowNumbersPane.h"

#include "base/OStringStream.h"
#include "grid/CellFrame.h"
#include "grid/GridControl.h"
#include "grid/GridKeyState.h"
#include "grid/GridPane.h"
#include "grid/GridSelection.h"
#include "platform/owl/TBrush.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TFont.h"

#include <algorithm>
#include <cwchar>

namespace TVF_Grid {

DEFINE_RESPONSE_TABLE1(RowNumbersPane, OWL::TWindow)
  EV_WM_LBUTTONDOWN,
  EV_WM_LBUTTONUP,
  EV_WM_LBUTTONDBLCLK,
  EV_WM_RBUTTONUP,
  EV_WM_CONTEXTMENU,
  EV_WM_MOUSEMOVE,
  EV_WM_TIMER,
  EV_WM_SETFOCUS,
  EV_WM_KILLFOCUS,
  EV_WM_ERASEBKGND,
END_RESPONSE_TABLE;

// Floor division for pixel rows above the pane's top.
static int32_t FloorDiv(int32_t a, int32_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

RowNumbersPane::RowNumbersPane(GridControl& grid, GridPane& pane)
    : TWindow(&grid, L""), mGrid(grid), mPane(pane) {
  Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  EnableAutoCreate();
  // Room for two digits until a preferred width is given or a wider label widens the pane.
  Attr.W = 24;
}

bool RowNumbersPane::BelowLastRow(int y) const {
  return y >= mPane.RowCount() * mPane.RowHeight() - mPane.VerticalOffset();
}

int32_t RowNumbersPane::RowAt(int y) const {
  const int32_t height = std::max<int32_t>(1, mPane.RowHeight());
  return FloorDiv(mPane.VerticalOffset() + y, height);
}

bool RowNumbersPane::Press(int y, unsigned modifiers, bool andRelease) {
  GridSelection* const selection = mGrid.Selection();
  if (!selection) return false;
  if (BelowLastRow(y)) {
    selection->Clear();
    return false;
  }
  const int32_t fr = mGrid.FixedRows();
  const int32_t fc = mGrid.FixedColumns();
  const GridPosition row{RowAt(y) + fr, fr};
  const GridPosition column{fc - 1, fc};
  selection->MouseDown(row, column, modifiers);
  if (andRelease) selection->MouseUp(row, column, modifiers);
  return true;
}

void RowNumbersPane::EvLButtonDown(UINT, const OWL::TPoint& point) {
  if (Press(point.y, GridKeyState::MouseModifiers(), false)) mPane.SetFocus();
}

void RowNumbersPane::EvLButtonUp(UINT, const OWL::TPoint& point) {
  GridSelection* const selection = mGrid.Selection();
  if (!selection || mPane.RowCount() == 0) return;
  const int32_t fr = mGrid.FixedRows();
  const int32_t fc = mGrid.FixedColumns();
  const int32_t row = std::max<int32_t>(0, std::min(RowAt(point.y), mPane.RowCount() - 1));
  selection->MouseUp({row + fr, fr}, {fc - 1, fc}, GridKeyState::MouseModifiers());
}

void RowNumbersPane::EvLButtonDblClk(UINT, const OWL::TPoint& point) {
  Press(point.y, GridKeyState::MouseModifiers() | kModDoubleClick, true);
}

void RowNumbersPane::EvRButtonUp(UINT modKeys, const OWL::TPoint& point) {
  Press(point.y, GridKeyState::MouseModifiers() | kModRightButton, true);
  TWindow::EvRButtonUp(modKeys, point);
}

void RowNumbersPane::EvContextMenu(HWND, int, int) {
  const GridSelection* const selection = mGrid.Selection();
  const bool any = selection && selection->Range().IsValid();
  mGrid.ShowCellMenu(any ? selection->Range().FirstRow.Index : 0, mGrid.FixedColumns() - 1);
}

void RowNumbersPane::EvMouseMove(UINT modKeys, const OWL::TPoint& point) {
  const UINT primary = GetSystemMetrics(SM_SWAPBUTTON) ? MK_RBUTTON : MK_LBUTTON;
  if ((modKeys & primary) && !(modKeys & (MK_SHIFT | MK_CONTROL))) DragTo(point.y);
}

void RowNumbersPane::ArmTimer(int32_t row) {
  mTimerRow = row;
  mTimerPending = true;
  SetTimer(kRowDragTimer, 25);
}

void RowNumbersPane::DragTo(int y) {
  GridSelection* const selection = mGrid.Selection();
  if (!selection || !selection->AnchorRow.IsValid() || mPane.RowCount() == 0) return;
  const int32_t row = std::min(RowAt(y), mPane.RowCount() - 1);
  const int32_t height = mPane.RowHeight();
  if (y <= 0 && row >= 1) ArmTimer(row - 1);
  const int32_t lastTop = (std::max<int32_t>(mPane.VisibleRows(), 1) - 1) * height;
  if (y >= lastTop && row < mPane.RowCount() && y > 0) ArmTimer(mPane.TopRow() + 1);
  const int32_t fr = mGrid.FixedRows();
  const int32_t fc = mGrid.FixedColumns();
  selection->MouseDrag({std::max<int32_t>(row, 0) + fr, fr}, {fc - 1, fc});
}

void RowNumbersPane::EvTimer(UINT timerId) {
  if (timerId != kRowDragTimer) return;
  KillTimer(kRowDragTimer);
  mTimerPending = false;
  mGrid.SetTopRow(mTimerRow);
}

void RowNumbersPane::InvalidateSelectedRows() {
  const GridSelection* const selection = mGrid.Selection();
  if (!selection || !selection->Range().IsValid()) return;
  const int32_t a = selection->Range().FirstRow.Index - mGrid.FixedRows();
  const int32_t b = selection->Range().EndRow.Index - 1 - mGrid.FixedRows();
  const int32_t height = mPane.RowHeight();
  const int32_t top = a * height - mPane.VerticalOffset();
  const int32_t bottom = b * height - mPane.VerticalOffset() + height;
  if (GetHandle()) InvalidateRect(OWL::TRect(0, top, GetClientRect().right, bottom));
  if (mPane.GetHandle()) mPane.InvalidateRect(OWL::TRect(0, top, mPane.GetClientRect().right, bottom));
}

void RowNumbersPane::EvSetFocus(HWND) {
  mFocus = true;
  InvalidateSelectedRows();
  UpdateWindow();
}

void RowNumbersPane::EvKillFocus(HWND) {
  mFocus = false;
  InvalidateSelectedRows();
  UpdateWindow();
}

void RowNumbersPane::ScrollToPaneTop() {
  const int32_t d = mPaintedTopRow - mPane.TopRow();
  if (d == 0 || !GetHandle()) return;
  if (std::abs(d) < mPane.PageRows())
    ScrollWindowEx(GetHandle(), 0, d * mPane.RowHeight(), nullptr, nullptr, nullptr, nullptr,
                   SW_INVALIDATE | SW_ERASE | SW_SCROLLCHILDREN);
  else
    Invalidate();
  UpdateWindow();
}

void RowNumbersPane::Paint(OWL::TDC& dc, bool, OWL::TRect& rect) {
  PaintRows(dc, rect, GetClientRect().Width());
}

void RowNumbersPane::PaintRows(OWL::TDC& dc, const OWL::TRect& rect, int width) {
  mPaintedTopRow = mPane.TopRow();
  const int32_t height = std::max<int32_t>(1, mPane.RowHeight());
  dc.SelectObject(mGrid.CellFont());
  for (int32_t row = FloorDiv(mPane.VerticalOffset() + rect.top, height);; ++row) {
    const int top = row * height - mPane.VerticalOffset();
    if (top >= rect.bottom) break;
    PaintRow(dc, row, top, width);
  }
  dc.RestoreFont();
}

void RowNumbersPane::PaintRow(OWL::TDC& dc, int32_t row, int top, int width) {
  const int32_t height = mPane.RowHeight();
  const int32_t fr = mGrid.FixedRows();
  const OWL::TRect band(0, top, width, top + height);
  const GridSelection* const selection = mGrid.Selection();
  if (selection && selection->Range().ContainsRow(row + fr)) {
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    dc.TextRect(band, OWL::TColor(shadow));
    dc.SetTextColor(OWL::TColor(RGB(255, 255, 255)));
    dc.SetBkColor(OWL::TColor(shadow));
  } else {
    dc.TextRect(band, OWL::TColor(GetSysColor(COLOR_BTNFACE)));
    DrawCellFrame(dc, band.left, band.top, band.right - 1, band.bottom - 1);
    dc.SetTextColor(OWL::TColor(RGB(0, 0, 0)));
    dc.SetBkColor(OWL::TColor(GetSysColor(COLOR_BTNFACE)));
  }
  QOR::OStringStream label;
  mGrid.WriteRowLabel({row + fr, fr}, label);
  const QOR::String text = label.str();
  const int length = static_cast<int>(std::wcslen(text.GetText()));
  if (length == 0) return;
  const int textWidth = dc.GetTextExtent(text.GetText(), length).cx;
  if (textWidth > mGrid.RowNumberWidth()) mGrid.WidenRowNumbers(textWidth);
  const uint32_t style = row < mPane.RowCount() ? mGrid.CellStyle(row + fr, mGrid.FixedColumns() - 1)
                                                : kCellStyleRowNumber;
  const OWL::TRect inner(band.left + 1, band.top + 1, band.right - 1, band.bottom - 1);
  const UINT align = (style & kCellStyleLeftAligned) ? DT_LEFT : DT_CENTER;
  OWL::TRect line = InkCentredLine(dc, inner);
  SaveDC(dc.GetHDC());
  dc.IntersectClipRect(inner);
  dc.DrawText(text.GetText(), length, line, DT_SINGLELINE | DT_NOCLIP | align);
  RestoreDC(dc.GetHDC(), -1);
}

OWL::TRect RowNumbersPane::InkCentredLine(OWL::TDC& dc, const OWL::TRect& inner) {
  // The font's line is taller than a row's inside: centring the line would cut the descenders
  // ("Avg" reads "Avq").
  TEXTMETRICW metrics{};
  dc.GetTextMetrics(metrics);
  const int ink = metrics.tmHeight - metrics.tmInternalLeading;
  const int top = inner.top + (inner.Height() - ink) / 2 - metrics.tmInternalLeading;
  return OWL::TRect(inner.left, top, inner.right, top + metrics.tmHeight);
}

}  // namespace TVF_Grid
