// TVF_Grid::GridPane: the scrolling cell area of a grid control. It owns the grid's columns and
// keeps the row count, row height and scroll position that the grid's layout, scroll bars,
// selection and row numbers read.
#pragma once

#include "grid/GridColumn.h"
#include "platform/owl/TWindow.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace TVF_Grid {

class GridControl;
class GridRenderer;

class GridPane : public OWL::TWindow {
 public:
  explicit GridPane(GridControl& grid);

  const wchar_t* GetClassName() override { return L"GridPane"; }

  // Columns, in display order; left edges follow one another with a one-pixel grid line.
  void AddColumn(std::unique_ptr<GridColumn> column);
  void RemoveAllColumns() noexcept { mColumns.clear(); }
  int32_t ColumnCount() const noexcept { return static_cast<int32_t>(mColumns.size()); }
  GridColumn& Column(int32_t i) const noexcept { return *mColumns[static_cast<size_t>(i)]; }
  // The first column with left <= x <= right, x unscrolled; the last column when none.
  int32_t ColumnAt(int32_t x) const noexcept;
  // Sum of width + 1 over all columns.
  int32_t TotalWidth() const noexcept;

  int32_t RowHeight() const noexcept { return mRowHeight; }
  int32_t RowCount() const noexcept { return mRowCount; }
  // Stores n and invalidates the rows between the old and the new count.
  void SetRowCount(int32_t n);
  int32_t TopRow() const noexcept { return mTopRow; }
  int32_t VerticalOffset() const noexcept { return mTopRow * mRowHeight; }
  int32_t FirstColumn() const noexcept { return mFirstColumn; }
  int32_t HorizontalOffset() const noexcept { return mHorizontalOffset; }
  // Rows that fit the pane's height.
  int32_t PageRows() const noexcept { return mPageRows; }
  // Rows shown from the top row, clipped to the row count.
  int32_t VisibleRows() const noexcept;
  // Columns from the first visible one that fit, a partly visible one included.
  int32_t VisibleColumnCount() const noexcept;
  int32_t PaneWidth() const noexcept;

  // Clamped to 0 .. row count - 1; with keepFullPage a full page stays in view. Scrolls the
  // pixels when the distance is below the pane's height, else repaints; updates at once.
  void SetTopRow(int32_t row, bool keepFullPage);
  // Clamped to the last column from which the remaining columns still fill the pane.
  void SetFirstColumn(int32_t column);
  // Rows a .. b (pane rows), across the full width.
  void InvalidateRows(int32_t a, int32_t b);

  // The in-cell editor: whether one is open, and opening one over a cell with a first key
  // (0: none); this pane has no editor of its own.
  bool EditorOpen() const noexcept { return false; }
  bool BeginEdit(int32_t /*row*/, int32_t /*column*/, UINT /*key*/) { return false; }

  GridRenderer* Renderer() const noexcept { return mRenderer; }
  void SetRenderer(GridRenderer* renderer) noexcept { mRenderer = renderer; }
  GridControl& Grid() const noexcept { return mGrid; }

 protected:
  void Paint(OWL::TDC& dc, bool erase, OWL::TRect& rect) override;

 private:
  void EvSize(UINT sizeType, const OWL::TSize& size);
  bool EvEraseBkgnd(HDC) { return true; }
  void EvKeyDown(UINT key, UINT repeatCount, UINT flags);

  std::vector<std::unique_ptr<GridColumn>> mColumns;
  int32_t mRowHeight = 16;
  int32_t mRowCount = 0;
  int32_t mFirstColumn = 0;
  int32_t mTopRow = 0;
  int32_t mHorizontalOffset = 0;
  int32_t mPageRows = 0;
  GridRenderer* mRenderer;
  GridControl& mGrid;

  DECLARE_RESPONSE_TABLE(GridPane);
};

}  // namespace TVF_Grid
