// The cell pane's geometry: columns, rows, scrolling.
#include "grid/GridPane.h"

#include "grid/CellData.h"
#include "grid/GridControl.h"
#include "grid/GridControlClass.h"
#include "grid/GridKeyState.h"
#include "grid/GridSelection.h"
#include "grid/RowNumbersPane.h"
#include "platform/owl/TDC.h"

#include <algorithm>

namespace TVF_Grid {

DEFINE_RESPONSE_TABLE1(GridPane, OWL::TWindow)
  EV_WM_SIZE,
  EV_WM_ERASEBKGND,
  EV_WM_KEYDOWN,
  EV_WM_LBUTTONDOWN,
  EV_WM_LBUTTONUP,
  EV_WM_LBUTTONDBLCLK,
  EV_WM_RBUTTONDOWN,
  EV_WM_RBUTTONUP,
  EV_WM_MOUSEMOVE,
  EV_WM_CONTEXTMENU,
END_RESPONSE_TABLE;

GridPane::GridPane(GridControl& grid) : TWindow(&grid, L""), mRenderer(&grid), mGrid(grid) {
  Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  EnableAutoCreate();
}

GridPane::~GridPane() { CloseEditor(); }

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

void GridPane::EvSize(UINT sizeType, const OWL::TSize& size) {
  TWindow::EvSize(sizeType, size);
  mPageRows = mRowHeight > 0 ? size.cy / mRowHeight : 0;
}

void GridPane::EvKeyDown(UINT key, UINT repeatCount, UINT flags) {
  if (!mGrid.OnKeyDown(key, repeatCount, flags)) TWindow::EvKeyDown(key, repeatCount, flags);
}

OWL::TRect GridPane::CellRect(int32_t row, int32_t column) const noexcept {
  if (row < mTopRow || row > mTopRow + mPageRows || column < 0 || column >= ColumnCount())
    return OWL::TRect(0, 0, 0, 0);
  const GridColumn& c = Column(column);
  const int32_t left = c.Left - mHorizontalOffset;
  const int32_t right = c.Right() - mHorizontalOffset;
  if (right < 0 || left >= PaneWidth()) return OWL::TRect(0, 0, 0, 0);
  const int32_t top = row * mRowHeight - VerticalOffset();
  return OWL::TRect(left, top, right, top + mRowHeight - 1);
}

bool GridPane::CellAt(const OWL::TPoint& point, GridPosition& row, GridPosition& column) const noexcept {
  if (mColumns.empty() || point.x + mHorizontalOffset > mColumns.back()->Right()) return false;
  const int32_t paneRow = (point.y + VerticalOffset()) / mRowHeight;
  if (point.y < 0 || paneRow >= mRowCount) return false;
  const int32_t i = ColumnAt(point.x + mHorizontalOffset);
  row = {paneRow + mGrid.FixedRows(), mGrid.FixedRows()};
  column = {Column(i).Index + mGrid.FixedColumns(), mGrid.FixedColumns()};
  return true;
}

unsigned GridPane::Modifiers() const {
  return GridKeyState::MouseModifiers();
}

void GridPane::EvLButtonDown(UINT, const OWL::TPoint& point) {
  SetFocus();
  GridSelection* const selection = mGrid.Selection();
  GridPosition row, column;
  if (!selection) return;
  if (!CellAt(point, row, column)) return selection->Clear();
  mButtonPressed = true;
  selection->MouseDown(row, column, Modifiers());
  if (mGrid.CellStyle(row.Index, column.Index) & (kCellStyleShowChoice | kCellStyleChoice))
    BeginEdit(row.Index - row.Fixed, ColumnAt(point.x + mHorizontalOffset), 0);
}

// Row-select mode hands the press to the row-number pane, which shares the pane's rows.
static void ForwardToRowNumbers(RowNumbersPane& numbers, UINT message, const OWL::TPoint& point) {
  if (numbers.GetHandle()) SendMessageW(numbers.GetHandle(), message, 0, MAKELPARAM(0, point.y));
}

void GridPane::EvLButtonUp(UINT, const OWL::TPoint& point) {
  if (mGrid.RowSelectMode) return ForwardToRowNumbers(mGrid.RowNumbers(), WM_LBUTTONUP, point);
  mButtonPressed = false;
  GridPosition row, column;
  if (mGrid.Selection() && CellAt(point, row, column)) mGrid.Selection()->MouseUp(row, column, Modifiers());
}

void GridPane::EvLButtonDblClk(UINT modKeys, const OWL::TPoint& point) {
  if (mGrid.RowSelectMode) return ForwardToRowNumbers(mGrid.RowNumbers(), WM_LBUTTONDBLCLK, point);
  TWindow::EvLButtonDblClk(modKeys, point);
  GridPosition row, column;
  GridSelection* const selection = mGrid.Selection();
  if (!selection || !CellAt(point, row, column)) return;
  const unsigned m = Modifiers() | kModDoubleClick;
  selection->MouseDown(row, column, m);
  selection->MouseUp(row, column, m);
  if (!mGrid.CellsEditable || !(mGrid.CellStyle(row.Index, column.Index) & kCellStyleEditable)) return;
  CommitEdit();
  BeginEdit(row.Index - row.Fixed, ColumnAt(point.x + mHorizontalOffset), 0);
}

void GridPane::EvRButtonDown(UINT, const OWL::TPoint& point) {
  SetFocus();
  GridPosition row, column;
  if (!mGrid.Selection()) return;
  if (!CellAt(point, row, column)) return mGrid.Selection()->Clear();
  mGrid.Selection()->MouseDown(row, column, Modifiers() | kModRightButton);
}

void GridPane::EvRButtonUp(UINT modKeys, const OWL::TPoint& point) {
  GridPosition row, column;
  if (!mGrid.Selection() || !CellAt(point, row, column)) return;
  mGrid.Selection()->MouseUp(row, column, Modifiers() | kModRightButton);
  TWindow::EvRButtonUp(modKeys, point);
}

void GridPane::EvContextMenu(HWND, int, int) {
  if (!mGrid.Selection() || !mGrid.Selection()->Range().IsSingleCell()) return;
  const CellRange& range = mGrid.Selection()->Range();
  mGrid.ShowCellMenu(range.FirstRow.Index, range.FirstColumn.Index);
}

void GridPane::EvMouseMove(UINT, const OWL::TPoint& point) {
  if (mGrid.RowSelectMode) {
    if (mButtonPressed) mGrid.RowNumbers().DragTo(point.y);
    return;
  }
  GridPosition row, column;
  if (!mButtonPressed || !mGrid.Selection() || !CellAt(point, row, column)) return;
  mGrid.Selection()->MouseDrag(row, column);
  const int32_t i = column.Index - column.Fixed;
  if (i >= mFirstColumn + VisibleColumnCount() - 1) mGrid.SetFirstColumn(mFirstColumn + 1);
  if (row.Index - row.Fixed >= mTopRow + mPageRows) mGrid.SetTopRow(mTopRow + 1);
}

int32_t GridPane::ResizeMinimum(int32_t i) const noexcept {
  int32_t right = -1;
  for (int32_t j = 0; j <= i && j < ColumnCount(); ++j)
    right += 1 + (Column(j).Sizable ? Column(j).MinWidth : Column(j).Width);
  return std::max<int32_t>(right, 0);
}

void GridPane::BeginResize() noexcept {
  mDirtyLeft = 0x7FFFFFFF;
  mDirtyRight = mColumns.empty() ? 0 : mColumns.back()->Right();
}

void GridPane::MoveColumnsAfter(int32_t j) noexcept {
  for (int32_t k = j + 1; k < ColumnCount(); ++k) Column(k).Left = Column(k - 1).Right() + 1;
}

// The right edge of column j sits one grid-line pixel left of column j + 1's left edge, so a
// column passed over moves the wanted edge by its width plus that pixel.
void GridPane::SetColumnRight(int32_t i, int32_t r) {
  if (i < 0 || i >= ColumnCount()) return;
  int32_t j = i;
  if (r > Column(i).Right()) {
    for (; j > 0 && !Column(j).Sizable; --j) r -= Column(j).Width + 1;
    GridColumn& c = Column(j);
    c.Width = std::max<int32_t>(r - c.Left, c.MinWidth);
  } else {
    for (; j >= 0; --j) {
      GridColumn& c = Column(j);
      if (!c.Sizable) {
        r -= c.Width + 1;
      } else if (c.Left + c.MinWidth < r) {
        c.Width = r - c.Left;
        break;
      } else {
        c.Width = c.MinWidth;
        c.Left = std::max<int32_t>(r - c.MinWidth, 0);
        r = c.Left - 1;
      }
      if (r <= 0) {
        mDirtyLeft = 0;
        j = std::max<int32_t>(j, 0);
        break;
      }
    }
    j = std::max<int32_t>(j, 0);
  }
  mDirtyLeft = std::min(mDirtyLeft, Column(j).Left);
  MoveColumnsAfter(j);
  mDirtyRight = std::max(mDirtyRight, mColumns.back()->Right());
}

void GridPane::EndResize(int32_t i) {
  if (i < 0 || i >= ColumnCount()) return;
  if (GetHandle())
    InvalidateRect(OWL::TRect(mDirtyLeft - mHorizontalOffset, 0, mDirtyRight - mHorizontalOffset + 1,
                              GetClientRect().Height()));
  PlaceEditor();
  mGrid.OnColumnWidthChanged({Column(i).Index + mGrid.FixedColumns(), mGrid.FixedColumns()}, Column(i).Width);
}

}  // namespace TVF_Grid
