// TVF_Grid::GridPane: the scrolling cell area of a grid control. It owns the grid's columns and
// keeps the row count, row height and scroll position that the grid's layout, scroll bars,
// selection and row numbers read.
#pragma once

#include "grid/GridColumn.h"
#include "grid/GridPosition.h"
#include "platform/owl/TBitmap.h"
#include "platform/owl/TWindow.h"

#include <cstdint>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace TVF_Grid {

class CellData;
class ControlAlias;
class GridControl;
class GridControlClass;
class GridItemControl;
class GridRenderer;

// The start text a key gives a newly opened editor (digits, letters in lower case, keypad digits,
// space, minus, comma and full stop); empty for any other key.
std::wstring EditorStartText(UINT key);

class GridPane : public OWL::TWindow {
 public:
  explicit GridPane(GridControl& grid);
  ~GridPane() override;

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
  // Before the pane has a window: the grid sets it from its cell font.
  void SetRowHeight(int32_t height) noexcept { mRowHeight = std::max(height, 1); }
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

  // Pane-relative rectangle of a cell (pane row, column index); empty when it is not in view.
  OWL::TRect CellRect(int32_t row, int32_t column) const noexcept;

  // Column resizing, driven by the title bar: the smallest right edge column i can be given,
  // the start (dirty span reset), a live move of its right edge (unscrolled pixels) and the end.
  int32_t ResizeMinimum(int32_t i) const noexcept;
  void BeginResize() noexcept;
  void SetColumnRight(int32_t i, int32_t right);
  void EndResize(int32_t i);
  int32_t DirtyLeft() const noexcept { return mDirtyLeft; }
  int32_t DirtyRight() const noexcept { return mDirtyRight; }

  // The in-cell editor over pane row `row`, column index `column`, with a first key (0: none);
  // answers whether one opened. CommitEdit stores the control's value, closes the editor and
  // hands the value's text to the grid; CancelEdit closes it without storing. The editor's
  // window objects delete themselves once their window is gone.
  bool EditorOpen() const noexcept { return mEditor != nullptr; }
  OWL::TWindow* Editor() const noexcept;
  bool BeginEdit(int32_t row, int32_t column, UINT key);
  void CommitEdit();
  void CancelEdit();
  void CloseEditor() noexcept;
  // A double click inside the open editor: a double click on its cell for the selection.
  void EditorDoubleClick(int32_t row, int32_t column);

  // Paints the cells inside clip (pane coordinates) into dc, which is already filled.
  void PaintCells(HDC dc, const RECT& clip);
  // The editor goes before the pane's children are destroyed.
  void CleanupWindow() override;
  // The off-screen buffer the paint message draws into; null before the first paint.
  const OWL::TBitmap* PaintBuffer() const noexcept { return mPaintBuffer.get(); }
  bool GridLines = true;

  GridRenderer* Renderer() const noexcept { return mRenderer; }
  void SetRenderer(GridRenderer* renderer) noexcept { mRenderer = renderer; }
  GridControl& Grid() const noexcept { return mGrid; }

 protected:
  void Paint(OWL::TDC& dc, bool erase, OWL::TRect& rect) override;

 private:
  void EvSize(UINT sizeType, const OWL::TSize& size);
  bool EvEraseBkgnd(HDC) { return true; }
  void EvKeyDown(UINT key, UINT repeatCount, UINT flags);
  void EvLButtonDown(UINT modKeys, const OWL::TPoint& point);
  void EvLButtonUp(UINT modKeys, const OWL::TPoint& point);
  void EvLButtonDblClk(UINT modKeys, const OWL::TPoint& point);
  void EvRButtonDown(UINT modKeys, const OWL::TPoint& point);
  void EvRButtonUp(UINT modKeys, const OWL::TPoint& point);
  void EvMouseMove(UINT modKeys, const OWL::TPoint& point);
  void EvContextMenu(HWND, int, int);
  // The client cell (row and column positions) under a pane point; false outside the cells.
  bool CellAt(const OWL::TPoint& point, GridPosition& row, GridPosition& column) const noexcept;
  unsigned Modifiers() const;
  void PlaceEditor();
  void MoveColumnsAfter(int32_t j) noexcept;

  std::vector<std::unique_ptr<GridColumn>> mColumns;
  int32_t mRowHeight = 16;
  int32_t mRowCount = 0;
  int32_t mFirstColumn = 0;
  int32_t mTopRow = 0;
  int32_t mHorizontalOffset = 0;
  int32_t mPageRows = 0;
  int32_t mDirtyLeft = 0x7FFFFFFF;
  int32_t mDirtyRight = 0;
  bool mCommitting = false;
  bool mButtonPressed = false;
  std::unique_ptr<OWL::TBitmap> mPaintBuffer;
  GridItemControl* mEditor = nullptr;  // a child window: destroyed by CloseEditor
  ControlAlias* mAlias = nullptr;      // on the editor's window, going with it
  std::unique_ptr<GridControlClass> mControlClass;
  std::unique_ptr<CellData> mEditedValue;
  int32_t mEditedRow = -1;
  int32_t mEditedColumn = -1;
  GridRenderer* mRenderer;
  GridControl& mGrid;

  DECLARE_RESPONSE_TABLE(GridPane);
};

}  // namespace TVF_Grid
