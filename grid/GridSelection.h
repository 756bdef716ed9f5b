// TVF_Grid::GridSelection: a grid's selected cell range with the anchor (where the mouse went
// down) and the focus cell (what Shift extends from and arrow keys move), and the rules by which
// mouse actions change them.
#pragma once

#include "grid/GridPosition.h"

namespace TVF_Grid {

class GridControl;

// Modifier bits of a mouse action inside the grid.
inline constexpr unsigned kModRightButton = 1;
inline constexpr unsigned kModShift = 2;
inline constexpr unsigned kModCtrl = 4;
inline constexpr unsigned kModDoubleClick = 8;

class GridSelection {
 public:
  GridSelection(GridControl& grid, bool rowSelect) noexcept : mGrid(grid), mRowSelect(rowSelect) {}

  const CellRange& Range() const noexcept { return mRange; }
  GridPosition AnchorRow, AnchorColumn;
  GridPosition FocusRow, FocusColumn;
  bool ChangedByMouse = false;

  // A mouse press at cell (row, column) with modifiers m; a row before the fixed rows is a
  // heading, a column before the fixed columns a row number.
  void MouseDown(const GridPosition& row, const GridPosition& column, unsigned m);
  // A move with the button down: the range spans the anchor and the cell.
  void MouseDrag(const GridPosition& row, const GridPosition& column);
  // The release: a click report for one cell or a heading, else the range reported again. A
  // release after a double-click press reports a double click whatever m says.
  void MouseUp(const GridPosition& row, const GridPosition& column, unsigned m);
  // Empties anchor, focus and range; reports only when a range was there.
  void Clear();
  // A range set by the keyboard or the program, reported when it differs; byUser tells whether
  // the user chose it (Shift with the arrow keys) rather than moved to it or had it set.
  void SetRange(const CellRange& range, bool byUser = false);
  // True while the range is one the user chose with the mouse or Shift and the keys; a range the
  // program sets (the current event's row) is not, and prints do not keep to it.
  bool ChosenByUser() const noexcept { return mChosenByUser; }
  void SetFocus(const GridPosition& row, const GridPosition& column) noexcept {
    FocusRow = row;
    FocusColumn = column;
  }

 private:
  CellRange AllRows(int32_t firstColumn, int32_t endColumn) const noexcept;
  CellRange AllColumns(int32_t firstRow, int32_t endRow) const noexcept;
  void Report();

  GridControl& mGrid;
  CellRange mRange;
  bool mRowSelect;
  bool mDoublePress = false;
  bool mChosenByUser = false;
};

// The smallest range holding both.
CellRange BoundingRange(const CellRange& a, const CellRange& b) noexcept;
// The range of rows r .. r2 and columns c .. c2 (in either order), ends exclusive.
CellRange SpanRange(int32_t r, int32_t r2, int32_t rowFixed, int32_t c, int32_t c2,
                    int32_t columnFixed) noexcept;

}  // namespace TVF_Grid
