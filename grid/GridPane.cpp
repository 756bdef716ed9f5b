// The cell pane's geometry: columns, rows, scrolling.
#include "grid/GridPane.h"

#include "grid/GridControl.h"
#include "platform/owl/TDC.h"

#include <algorithm>

namespace TVF_Grid {

DEFINE_RESPONSE_TABLE1(GridPane, OWL::TWindow)
  EV_WM_SIZE,
  EV_WM_ERASEBKGND,
  EV_WM_KEYDOWN,
END_RESPONSE_TABLE;

GridPane::GridPane(GridControl& grid) : TWindow(&grid, L""), mRenderer(&grid), mGrid(grid) {
  Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  EnableAutoCreate();
}

void GridPane::AddColumn(std::unique_ptr<GridColumn> column) {
  column->Left = mColumns.empty() ? 0 : mColumns.back()->Right() + 1;
  column->Pane = this;
  mColumns.push_back(std::move(column));
}

int32_t GridPane::ColumnAt(int32_t x) const noexcept {
  for (int32_t i = 0; i < ColumnCount(); ++i) {
    const GridColumn& c = Column(i);
    if (c.Left <= x && x <= c.Right()) return i;
  }
  return ColumnCount() - 1;
}

int32_t GridPane::TotalWidth() const noexcept {
  int32_t total = 0;
  for (const auto& c : mColumns) total += c->Width + 1;
  return total;
}

void GridPane::SetRowCount(int32_t n) {
  const int32_t old = mRowCount;
  mRowCount = std::max<int32_t>(n, 0);
  if (GetHandle() && old != mRowCount) InvalidateRows(std::min(old, mRowCount), std::max(old, mRowCount));
}

int32_t GridPane::VisibleRows() const noexcept {
  return std::max<int32_t>(0, std::min(mPageRows, mRowCount - mTopRow));
}

int32_t GridPane::PaneWidth() const noexcept { return GetHandle() ? GetClientRect().Width() : 0; }

int32_t GridPane::VisibleColumnCount() const noexcept {
  const int32_t width = PaneWidth();
  int32_t used = 0;
  int32_t count = 0;
  for (int32_t i = mFirstColumn; i < ColumnCount(); ++i) {
    ++count;
    used += Column(i).Width + 1;
    if (used > width) break;  // partly visible, still counted
  }
  return count;
}

void GridPane::SetTopRow(int32_t row, bool keepFullPage) {
  int32_t t = std::max<int32_t>(0, std::min(row, mRowCount - 1));
  if (keepFullPage && mRowCount - t < mPageRows) t = std::max<int32_t>(0, mRowCount - mPageRows);
  if (t == mTopRow) return;
  const int32_t distance = (mTopRow - t) * mRowHeight;
  mTopRow = t;
  if (!GetHandle()) return;
  const OWL::TRect client = GetClientRect();
  if (std::abs(distance) < client.Height())
    ScrollWindowEx(GetHandle(), 0, distance, nullptr, nullptr, nullptr, nullptr,
                   SW_INVALIDATE | SW_ERASE | SW_SCROLLCHILDREN);
  else
    Invalidate();
  UpdateWindow();
}

void GridPane::SetFirstColumn(int32_t column) {
  const int32_t count = ColumnCount();
  const int32_t width = PaneWidth();
  int32_t last = count - 1;
  int32_t sum = 0;
  while (last >= 0) {
    sum += Column(last).Width + 1;
    if (sum > width) {
      ++last;  // the scan stopped inside this column: the one after it still fills the pane
      break;
    }
    --last;
  }
  last = std::max<int32_t>(0, std::min(last, count - 1));
  const int32_t c = std::max<int32_t>(0, std::min(column, last));
  if (c == mFirstColumn || c >= count) return;
  const int32_t distance = mHorizontalOffset - Column(c).Left;
  mFirstColumn = c;
  mHorizontalOffset = Column(c).Left;
  if (!GetHandle()) return;
  if (std::abs(distance) < width)
    ScrollWindowEx(GetHandle(), distance, 0, nullptr, nullptr, nullptr, nullptr,
                   SW_INVALIDATE | SW_ERASE | SW_SCROLLCHILDREN);
  else
    Invalidate();
  UpdateWindow();
}

void GridPane::InvalidateRows(int32_t a, int32_t b) {
  if (!GetHandle()) return;
  const OWL::TRect client = GetClientRect();
  InvalidateRect(OWL::TRect(0, a * mRowHeight - VerticalOffset(), client.right,
                            (b + 1) * mRowHeight - VerticalOffset()));
}

void GridPane::Paint(OWL::TDC& dc, bool, OWL::TRect& rect) {
  dc.TextRect(rect, OWL::TColor(GetSysColor(COLOR_WINDOW)));
}

void GridPane::EvSize(UINT sizeType, const OWL::TSize& size) {
  TWindow::EvSize(sizeType, size);
  mPageRows = mRowHeight > 0 ? size.cy / mRowHeight : 0;
}

void GridPane::EvKeyDown(UINT key, UINT repeatCount, UINT flags) {
  if (!mGrid.OnKeyDown(key, repeatCount, flags)) TWindow::EvKeyDown(key, repeatCount, flags);
}

}  // namespace TVF_Grid
