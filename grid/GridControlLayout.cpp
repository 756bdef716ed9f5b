// The grid's layout and scroll bars: where the children go, which bars are needed, and the
// scrolling that moves the cell pane and the row numbers together.
#include "grid/GridControl.h"

#include "grid/GridPane.h"
#include "grid/GridScrollBar.h"
#include "grid/GridSnapBar.h"
#include "grid/GridTitleBar.h"
#include "grid/RowNumbersPane.h"

#include <algorithm>

namespace TVF_Grid {

static RECT Box(int x, int y, int w, int h) noexcept { return RECT{x, y, x + w, y + h}; }

GridLayout ComputeGridLayout(int W, int H, int T, int N, int vs, int hs, int g) noexcept {
  const int P = W - N - 1 - vs;
  const int Q = H - T - 1 - hs;
  GridLayout layout;
  layout.SnapBar = Box(W - vs - 1, T + Q + 2 - g, vs, g);
  layout.VScroll = Box(W - vs, T + 1, vs, Q - g + 2);
  layout.HScroll = Box(N + 1, H - hs, P, hs);
  layout.Cells = Box(N + 1, T + 1, P, Q);
  layout.RowNumbers = Box(1, T + 1, std::max(0, std::min(N, W - vs)), Q);
  layout.Title = Box(N + 1, 1, P, T);
  return layout;
}

LRESULT GridControl::EvWindowPosChanged(WPARAM, LPARAM) {
  const OWL::TRect client = GetClientRect();
  mClientWidth = client.Width();
  mClientHeight = client.Height();
  if (mRowNumbers->PreferredWidth >= 0) mRowNumberWidth = mRowNumbers->PreferredWidth;
  UpdateScrollBars();
  DefaultProcessing();
  return 0;
}

void GridControl::Layout() {
  if (!GetHandle()) return;
  const int vs = mVScrollShown || KeepVBarRoom ? mVBarWidth : 0;
  const int hs = mHScrollShown ? mHBarHeight : 0;
  const bool snapShown = mSnapBar && mSnapBar->Window().IsWindowVisible();
  const int g = snapShown ? mSnapBar->Height() : 0;
  const GridLayout layout =
      ComputeGridLayout(mClientWidth, mClientHeight, mTitleHeight, mRowNumberWidth, vs, hs, g);
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  auto place = [flags](OWL::TWindow& child, const RECT& r) {
    if (child.GetHandle()) child.SetWindowPos(nullptr, OWL::TRect(r), flags);
  };
  if (mSnapBar) place(mSnapBar->Window(), layout.SnapBar);
  place(*mVScroll, layout.VScroll);
  place(*mHScroll, layout.HScroll);
  place(*mPane, layout.Cells);
  place(*mRowNumbers, layout.RowNumbers);
  place(*mTitleBar, layout.Title);
  if (mVScrollShown) UpdateVScrollRange();
  if (mHScrollShown) UpdateHScrollRange();
}

// The flag may have changed before the bar had a window (the first size comes before the
// children are made), so the window's own style is compared too.
void GridControl::ShowBar(OWL::TWindow& bar, bool& shown, bool show) {
  shown = show;
  auto apply = [show](OWL::TWindow& window) {
    if (window.GetHandle() && ((window.GetStyle() & WS_VISIBLE) != 0) != show)
      window.ShowWindow(show ? SW_SHOW : SW_HIDE);
  };
  apply(bar);
  if (&bar == mVScroll && mSnapBar) apply(mSnapBar->Window());
}

void GridControl::UpdateScrollBars() {
  const int cellsWidth = mClientWidth - mRowNumberWidth - 1;
  const int cellsHeight = mClientHeight - mTitleHeight - 1;
  const int32_t top = mPane->TopRow();
  auto vNeeded = [&](int hs) {
    return top != 0 || (mPane->RowCount() - top) * mPane->RowHeight() > cellsHeight - hs;
  };
  bool v = vNeeded(mHScrollShown ? mHBarHeight : 0);
  const bool h = HScrollNeeded(cellsWidth - (v || KeepVBarRoom ? mVBarWidth : 0));
  v = vNeeded(h ? mHBarHeight : 0);
  ShowBar(*mHScroll, mHScrollShown, h);
  ShowBar(*mVScroll, mVScrollShown, v);
  Layout();
}

bool GridControl::HScrollNeeded(int32_t cellsWidth) const noexcept {
  return HScrollAllowed && !(mPane->FirstColumn() == 0 && mPane->TotalWidth() <= cellsWidth);
}

int32_t GridControl::HeightForRows(int32_t width) const noexcept {
  const int32_t cellsWidth = width - mRowNumberWidth - 1 - (KeepVBarRoom ? mVBarWidth : 0);
  const bool h = HScrollNeeded(cellsWidth);
  return mTitleHeight + 1 + mPane->RowCount() * mPane->RowHeight() + (h ? mHBarHeight : 0);
}

void GridControl::UpdateVScrollRange() {
  if (!mVScroll->GetHandle()) return;
  const int32_t rows = mPane->RowCount();
  const int32_t left = rows - mPane->TopRow();
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = std::max<int32_t>(0, rows - 1);
  info.nPage = static_cast<UINT>(std::max<int32_t>(0, std::min(mPane->PageRows(), left)));
  info.nPos = mPane->TopRow();
  mVScroll->SetScrollInfo(info, true);
}

void GridControl::UpdateHScrollRange() {
  if (!mHScroll->GetHandle()) return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  const int32_t total = mPane->TotalWidth();
  if (total != mHScrollTotal) {
    mHScrollTotal = total;
    info.fMask |= SIF_RANGE;
    info.nMin = 0;
    info.nMax = total;
  }
  const int32_t first = mPane->FirstColumn();
  const int32_t count = mPane->VisibleColumnCount();
  if (count > 0) {
    // What the pane shows: a last column it cuts counts only as far as the pane reaches, so that
    // the end of the range is reached with the last column whole.
    const int32_t page = std::min(mPane->Column(first + count - 1).Right() - mPane->Column(first).Left,
                                  mPane->PaneWidth());
    if (page > 0) {
      info.fMask |= SIF_PAGE;
      info.nPage = static_cast<UINT>(page);
    }
  }
  info.fMask |= SIF_POS;
  info.nPos = mPane->HorizontalOffset();
  mHScroll->SetScrollInfo(info, true);
}

void GridControl::SetRowCount(const GridPosition& rows) {
  const int32_t n = std::max<int32_t>(0, rows.Index - mFixedRows);
  if (n == mPane->RowCount()) return;
  mPane->SetRowCount(n);
  // Against a whole page: the visible rows are already clipped to the rows left.
  const int32_t top = mPane->TopRow();
  if (top > n - mPane->PageRows()) {
    mPane->SetTopRow(std::max<int32_t>(0, top - mPane->PageRows()), true);
    mRowNumbers->ScrollToPaneTop();
  }
  UpdateScrollBars();
  if (mRowNumbers->GetHandle()) mRowNumbers->Invalidate();
}

void GridControl::SetTopRow(int32_t row) {
  mPane->SetTopRow(row, true);
  mRowNumbers->ScrollToPaneTop();
  UpdateScrollBars();
}

void GridControl::SetFirstColumn(int32_t column) {
  const int32_t before = mPane->FirstColumn();
  mPane->SetFirstColumn(column);
  if (mPane->FirstColumn() == before) return;
  if (mTitleBar->GetHandle()) mTitleBar->Invalidate();
  OnFirstColumnChanged({mPane->FirstColumn() + mFixedColumns, mFixedColumns});
  UpdateScrollBars();
}

void GridControl::EvVScroll(UINT code, int thumbPos, HWND control) {
  TWindow::EvVScroll(code, thumbPos, control);
  Layout();
}

void GridControl::EvHScroll(UINT code, int thumbPos, HWND control) {
  TWindow::EvHScroll(code, thumbPos, control);
  Layout();
}

void GridControl::WidenRowNumbers(int32_t width) {
  if (width <= mRowNumberWidth) return;
  mRowNumberWidth = width;
  Layout();
  Invalidate();
  // Called while the numbers paint: what they painted so far was centred in the old width.
  if (mRowNumbers->GetHandle()) mRowNumbers->Invalidate();
  if (mRowNumberPartner) mRowNumberPartner->WidenRowNumbers(width);
}

void GridControl::ShareRowNumberWidth(GridControl& other) {
  mRowNumberPartner = &other;
  other.mRowNumberPartner = this;
  WidenRowNumbers(std::max(mRowNumberWidth, other.mRowNumberWidth));
  other.WidenRowNumbers(mRowNumberWidth);
}

}  // namespace TVF_Grid
