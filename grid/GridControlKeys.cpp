// The grid's key table: clearing, moving and widening the selection, and scrolling.
#include "grid/GridControl.h"

#include "grid/GridKeyState.h"
#include "grid/GridPane.h"
#include "grid/GridSelection.h"

#include <algorithm>

namespace TVF_Grid {

static bool IsRowKey(UINT key) {
  switch (key) {
    case VK_RETURN: case VK_ESCAPE: case VK_HOME: case VK_UP: case VK_PRIOR:
    case VK_DOWN: case VK_END: case VK_NEXT: case VK_TAB:
      return true;
    default:
      return false;
  }
}

void GridControl::ClearRange() {
  if (!mSelection || !mSelection->Range().IsValid()) return;
  const CellRange range = mSelection->Range();
  if (range.IsSingleCell()) {
    ClearCell(1, range.FirstRow.Index, range.FirstColumn.Index);
    return;
  }
  for (int32_t r = range.FirstRow.Index; r < range.EndRow.Index; ++r)
    for (int32_t c = range.FirstColumn.Index; c < range.EndColumn.Index; ++c) {
      int32_t kind = 8;
      if (r == range.FirstRow.Index && c == range.FirstColumn.Index) kind = 10;
      if (r == range.EndRow.Index - 1 && c == range.EndColumn.Index - 1) kind = 12;
      ClearCell(kind, r, c);
    }
}

// The range after a plain (unshifted) move to row r, column c.
static CellRange MovedRange(const GridControl& grid, bool wholeRow, int32_t r, int32_t c) {
  const int32_t fr = grid.FixedRows();
  const int32_t fc = grid.FixedColumns();
  if (wholeRow || c < fc) return SpanRange(r, r, fr, fc, fc + grid.DataColumnCount() - 1, fc);
  return SpanRange(r, r, fr, c, c, fc);
}

bool GridControl::MoveSelection(UINT key, bool shift) {
  const CellRange range = mSelection ? mSelection->Range() : CellRange{};
  const bool horizontal = key == VK_RIGHT || key == VK_TAB || key == VK_LEFT;
  const int step = (key == VK_LEFT || key == VK_UP) ? -1 : 1;
  if (!range.IsValid() || (horizontal && RowSelectMode)) {
    if (horizontal) SetFirstColumn(mPane->FirstColumn() + step);
    else SetTopRow(mPane->TopRow() + step);
    return true;
  }
  const int32_t lastRow = mFixedRows + mPane->RowCount() - 1;
  const int32_t lastColumn = mFixedColumns + mPane->ColumnCount() - 1;
  GridSelection& selection = *mSelection;
  CellRange next = range;
  int32_t row = selection.FocusRow.IsValid() ? selection.FocusRow.Index : range.FirstRow.Index;
  int32_t column = selection.FocusColumn.IsValid() ? selection.FocusColumn.Index : range.FirstColumn.Index;
  if (shift) {
    if (key == VK_RIGHT || key == VK_TAB) {
      if (next.EndColumn.Index <= lastColumn) ++next.EndColumn.Index;
      column = next.EndColumn.Index - 1;
    } else if (key == VK_LEFT) {
      if (next.FirstColumn.Index > mFixedColumns) --next.FirstColumn.Index;
      column = next.FirstColumn.Index;
    } else if (step > 0) {
      if (next.EndRow.Index <= lastRow) ++next.EndRow.Index;
      row = next.EndRow.Index - 1;
    } else {
      if (next.FirstRow.Index > mFixedRows) --next.FirstRow.Index;
      row = next.FirstRow.Index;
    }
  } else if (horizontal) {
    column = std::max(mFixedColumns, std::min(column + step, lastColumn));
    next = MovedRange(*this, false, row, column);
    selection.SetFocus({row, mFixedRows}, {column, mFixedColumns});
  } else {
    const int32_t from = RowSelectMode ? range.FirstRow.Index : row;
    row = std::max(mFixedRows, std::min(from + step, lastRow));
    next = MovedRange(*this, RowSelectMode, row, column);
    selection.SetFocus({row, mFixedRows}, {column, mFixedColumns});
  }
  selection.SetRange(next, shift);
  if (horizontal) {
    const int32_t pc = column - mFixedColumns;
    const int32_t first = mPane->FirstColumn();
    if (pc < first || pc > first + mPane->VisibleColumnCount()) SetFirstColumn(pc);
  } else {
    ScrollRowIntoView(key, row - mFixedRows);
  }
  return true;
}

void GridControl::ScrollRowIntoView(UINT key, int32_t row) {
  const int32_t top = mPane->TopRow();
  const bool inView = row >= top && row < top + mPane->PageRows();
  if (inView) return;
  if (key == VK_UP) {
    SetTopRow(row);
    return;
  }
  SetTopRow(row < mPane->PageRows() ? 0 : row - (mPane->PageRows() - 1));
}

bool GridControl::OnKeyDown(UINT key, UINT, UINT) {
  const int32_t rows = mPane->RowCount();
  if (mPane->ColumnCount() == 0 && (key == VK_LEFT || key == VK_RIGHT)) return true;
  if (rows == 0 && IsRowKey(key)) return true;
  if (mPane->EditorOpen()) {
    if (key != VK_ESCAPE && key != VK_TAB && key != VK_RETURN) return false;
    mPane->Editor()->SendMessage(WM_KEYDOWN, key, 0);
    return true;
  }
  const bool shift = GridKeyState::ShiftDown();
  const CellRange range = mSelection ? mSelection->Range() : CellRange{};
  if (key == VK_TAB && range.IsSingleCell() &&
      (CellStyle(range.FirstRow.Index, range.FirstColumn.Index) & kCellStyleTabDown))
    key = VK_DOWN;
  auto widenTo = [&](int32_t paneRow) {
    if (!shift || !range.IsValid()) return;
    CellRange wider = range;
    wider.FirstRow.Index = std::min(range.FirstRow.Index, paneRow + mFixedRows);
    wider.EndRow.Index = std::max(range.EndRow.Index, paneRow + mFixedRows + 1);
    mSelection->SetRange(wider, true);
  };
  switch (key) {
    case VK_DELETE:
    case VK_BACK:
      ClearRange();
      return true;
    case VK_TAB: case VK_RIGHT: case VK_LEFT: case VK_DOWN: case VK_RETURN: case VK_UP:
      return MoveSelection(key == VK_RETURN ? VK_DOWN : key, shift);
    case VK_PRIOR: {
      const int32_t top = std::max<int32_t>(0, mPane->TopRow() - mPane->VisibleRows());
      SetTopRow(top);
      widenTo(top);
      return true;
    }
    case VK_NEXT: {
      const int32_t row = std::min(mPane->TopRow() + mPane->VisibleRows(), rows - 1);
      SetTopRow(row);
      widenTo(row);
      return true;
    }
    case VK_HOME:
      SetTopRow(0);
      widenTo(0);
      return true;
    case VK_END:
      SetTopRow(rows - 1);
      widenTo(rows - 1);
      return true;
    case VK_ESCAPE:
      if (mSelection) mSelection->Clear();
      return true;
    default:
      // Any other key may open the cell's editor; it is never consumed here.
      if (range.IsSingleCell() &&
          (CellStyle(range.FirstRow.Index, range.FirstColumn.Index) &
           (kCellStyleShowChoice | kCellStyleEditable | kCellStyleChoice)))
        mPane->BeginEdit(range.FirstRow.Index, range.FirstColumn.Index, key);
      return false;
  }
}

}  // namespace TVF_Grid
