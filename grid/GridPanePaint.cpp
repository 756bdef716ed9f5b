// Painting the cell pane: the off-screen buffer, then per column the renderer's cells, grid
// lines, cell colours and frames.
#include "grid/GridPane.h"

#include "grid/GridControl.h"
#include "grid/GridSelection.h"
#include "grid/RowPosCursor.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TMemoryDC.h"
#include "platform/owl/TPen.h"
#include "platform/owl/TScreenDC.h"

#include <algorithm>

namespace TVF_Grid {

static int32_t FloorDiv(int32_t a, int32_t b) noexcept { return a >= 0 ? a / b : -((-a + b - 1) / b); }

void GridPane::Paint(OWL::TDC& dc, bool, OWL::TRect& rect) {
  const OWL::TRect client = GetClientRect();
  if (client.IsEmpty()) return;
  if (!mPaintBuffer || mPaintBuffer->Width() < client.Width() || mPaintBuffer->Height() < client.Height()) {
    mPaintBuffer.reset();
    OWL::TScreenDC screen;
    mPaintBuffer = std::make_unique<OWL::TBitmap>(screen, client.Width(), client.Height());
  }
  OWL::TMemoryDC memory(*mPaintBuffer);
  memory.TextRect(client, OWL::TColor(RGB(255, 255, 255)));
  PaintCells(memory.GetHDC(), rect);
  dc.BitBlt(rect, memory, OWL::TPoint(rect.left, rect.top));
}

void GridPane::PaintCells(HDC hdc, const RECT& clip) {
  if (mColumns.empty() || mRowHeight <= 0) return;
  const int32_t firstRow = std::max<int32_t>(0, FloorDiv(clip.top + VerticalOffset(), mRowHeight));
  const int32_t endRow = std::min<int32_t>(
      mRowCount, FloorDiv(clip.bottom + VerticalOffset() + mRowHeight - 1, mRowHeight) + 1);
  const int32_t firstColumn = ColumnAt(clip.left + mHorizontalOffset);
  const int32_t lastColumn = ColumnAt(clip.right + mHorizontalOffset);
  const int32_t fixedRows = mGrid.FixedRows();
  const int32_t fixedColumns = mGrid.FixedColumns();
  const int32_t height = GetHandle() ? GetClientRect().Height() : clip.bottom;
  const CellRange selection = mGrid.Selection() ? mGrid.Selection()->Range() : CellRange{};

  GridRenderer& renderer = mRenderer ? *mRenderer : static_cast<GridRenderer&>(mGrid);
  renderer.BeginPaint();
  OWL::TDC dc(hdc);
  const OWL::TPen lines(OWL::TColor(GetSysColor(COLOR_3DLIGHT)));
  dc.SelectObject(lines);
  for (int32_t i = firstColumn; i <= lastColumn; ++i) {
    const GridColumn& c = Column(i);
    const GridPosition columnPos{c.Index + fixedColumns, fixedColumns};
    mGrid.OnColumnPainted(columnPos);
    renderer.BeginColumn({firstRow + fixedRows, fixedRows}, {endRow + fixedRows, fixedRows});
    const int32_t x = c.Left - mHorizontalOffset;
    const int32_t right = x + c.Width;
    if (GridLines) {
      dc.MoveTo(right, 0);
      dc.LineTo(right, height);
    }
    dc.SelectObject(mGrid.CellFont());
    int widest = 0;
    const auto cursor = c.MakeCursor(firstRow + fixedRows, fixedRows, endRow + fixedRows, fixedRows);
    const bool painted = renderer.PaintColumn(hdc, columnPos, *cursor, x, right, widest);
    dc.RestoreFont();
    const auto rows = c.MakeCursor(firstRow + fixedRows, fixedRows, endRow + fixedRows, fixedRows);
    for (; rows->HasMore(); rows->Next()) {
      const int32_t bottom = rows->Bottom();
      if (GridLines) {
        dc.MoveTo(0, bottom - 1);
        dc.LineTo(right, bottom - 1);
      }
      const GridPosition rowPos{rows->Row(), fixedRows};
      if (!painted || rows->Row() - fixedRows >= mRowCount || i >= ColumnCount() ||
          mGrid.GetColumnKind(rowPos, columnPos) == 1)
        continue;
      renderer.BeginRow(rowPos);
      const int kind = mGrid.GetColumnKind(rowPos, columnPos);
      renderer.PaintCellBackground(hdc, rowPos, columnPos, kind, CLR_INVALID);
      const RECT cell{x, rows->Top(), right, bottom - 1};
      renderer.PaintCellFrame(hdc, rowPos, columnPos, cell,
                              selection.ContainsRow(rowPos.Index) && selection.ContainsColumn(columnPos.Index));
    }
  }
  dc.RestorePen();
  renderer.EndPaint();
}

}  // namespace TVF_Grid
