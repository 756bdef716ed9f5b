// The selection model: mouse presses, drags and releases over cells, headings and row numbers.
#include "grid/GridSelection.h"

#include "grid/GridControl.h"

#include <algorithm>

namespace TVF_Grid {

CellRange SpanRange(int32_t r, int32_t r2, int32_t rowFixed, int32_t c, int32_t c2,
                    int32_t columnFixed) noexcept {
  CellRange range;
  range.FirstRow = {std::min(r, r2), rowFixed};
  range.EndRow = {std::max(r, r2) + 1, rowFixed};
  range.FirstColumn = {std::min(c, c2), columnFixed};
  range.EndColumn = {std::max(c, c2) + 1, columnFixed};
  return range;
}

CellRange BoundingRange(const CellRange& a, const CellRange& b) noexcept {
  if (!a.IsValid()) return b;
  if (!b.IsValid()) return a;
  CellRange range = a;
  range.FirstRow.Index = std::min(a.FirstRow.Index, b.FirstRow.Index);
  range.EndRow.Index = std::max(a.EndRow.Index, b.EndRow.Index);
  range.FirstColumn.Index = std::min(a.FirstColumn.Index, b.FirstColumn.Index);
  range.EndColumn.Index = std::max(a.EndColumn.Index, b.EndColumn.Index);
  return range;
}

CellRange GridSelection::AllRows(int32_t firstColumn, int32_t endColumn) const noexcept {
  const int32_t fr = mGrid.FixedRows();
  const int32_t fc = mGrid.FixedColumns();
  return {{fr, fr}, {fr + mGrid.DataRowCount(), fr}, {firstColumn, fc}, {endColumn, fc}};
}

CellRange GridSelection::AllColumns(int32_t firstRow, int32_t endRow) const noexcept {
  const int32_t fr = mGrid.FixedRows();
  const int32_t fc = mGrid.FixedColumns();
  return {{firstRow, fr}, {endRow, fr}, {fc, fc}, {fc + mGrid.DataColumnCount(), fc}};
}

void GridSelection::MouseDown(const GridPosition& row, const GridPosition& column, unsigned m) {
  AnchorRow = row;
  AnchorColumn = column;
  ChangedByMouse = true;
  mChosenByUser = true;
  mDoublePress = (m & kModDoubleClick) != 0;
  const CellRange old = mRange;
  const bool shift = (m & kModShift) != 0;
  const bool ctrl = (m & kModCtrl) != 0;
  const int32_t r = row.Index;
  const int32_t c = column.Index;
  if (r < mGrid.FixedRows()) {
    if (!mRowSelect) {
      if (shift) {
        if (!FocusColumn.IsValid()) SetFocus(row, column);
        const int32_t from = std::max(FocusColumn.Index, mGrid.FixedColumns());
        mRange = AllRows(std::min(from, c), std::max(from, c) + 1);
      } else {
        SetFocus(row, column);
        mRange = AllRows(c, c + 1);
        if (ctrl) mRange = BoundingRange(old, mRange);
      }
    }
  } else if (c >= mGrid.FixedColumns() && !mRowSelect) {
    const CellRange cell = SpanRange(r, r, row.Fixed, c, c, column.Fixed);
    if (shift) {
      if (!FocusRow.IsValid() || !FocusColumn.IsValid()) SetFocus(row, column);
      mRange = SpanRange(FocusRow.Index, r, row.Fixed, FocusColumn.Index, c, column.Fixed);
    } else {
      SetFocus(row, column);
      mRange = ctrl ? BoundingRange(old, cell) : cell;
    }
  } else {
    if (shift) {
      if (!FocusRow.IsValid()) SetFocus(row, column);
      mRange = AllColumns(std::min(FocusRow.Index, r), std::max(FocusRow.Index, r) + 1);
    } else {
      SetFocus(row, column);
      mRange = AllColumns(r, r + 1);
      if (ctrl && old.IsValid())
        mRange = AllColumns(std::min(old.FirstRow.Index, r), std::max(old.EndRow.Index, r + 1));
    }
  }
  if (mRange != old && mRange.IsSingleCell()) Report();
}

void GridSelection::MouseDrag(const GridPosition& row, const GridPosition& column) {
  if (!AnchorRow.IsValid() || !AnchorColumn.IsValid()) return;
  const CellRange old = mRange;
  const int32_t lastRow = mGrid.FixedRows() + mGrid.DataRowCount() - 1;
  const int32_t r = std::min(row.Index, lastRow);
  if (AnchorRow.Index < mGrid.FixedRows()) {
    if (mRowSelect) return;
    mRange = AllRows(std::min(AnchorColumn.Index, column.Index),
                     std::max(AnchorColumn.Index, column.Index) + 1);
  } else if (mRowSelect || AnchorColumn.Index < mGrid.FixedColumns()) {
    mRange = AllColumns(std::min(AnchorRow.Index, r), std::max(AnchorRow.Index, r) + 1);
  } else {
    const int32_t c = std::max(column.Index, mGrid.FixedColumns());
    mRange = SpanRange(AnchorRow.Index, r, AnchorRow.Fixed, AnchorColumn.Index, c, AnchorColumn.Fixed);
  }
  ChangedByMouse = true;
  mChosenByUser = true;
  if (mRange != old) Report();
}

void GridSelection::MouseUp(const GridPosition& row, const GridPosition& column, unsigned m) {
  if (mDoublePress) m |= kModDoubleClick;
  mDoublePress = false;
  if (mRange.IsSingleCell() || row.Index < mGrid.FixedRows()) {
    const uint32_t click = (m & kModRightButton) ? 4 : (m & kModDoubleClick) ? 2 : 1;
    mGrid.ReportClick(click, row.Index, column.Index);
  } else if (mRange.IsValid()) {
    ChangedByMouse = true;
    Report();
  }
  AnchorRow = {};
  AnchorColumn = {};
}

void GridSelection::Clear() {
  const bool had = mRange.IsValid();
  AnchorRow = AnchorColumn = FocusRow = FocusColumn = {};
  mRange = {};
  mChosenByUser = false;
  if (had) Report();
}

void GridSelection::SetRange(const CellRange& range, bool byUser) {
  // The program echoing the range the user just chose leaves it the user's.
  if (range == mRange) return;
  mRange = range;
  mChosenByUser = byUser;
  Report();
}

void GridSelection::Report() {
  mGrid.ReportSelectionChange(mRange, ChangedByMouse);
  ChangedByMouse = false;
}

}  // namespace TVF_Grid
