// TVF_Grid::GridRenderer: the painter of a grid's cells, called by the cell pane while it paints.
#pragma once

#include "grid/GridPosition.h"

#include <windows.h>

#include <ostream>

namespace TVF_Grid {

class RowPosCursor;

class GridRenderer {
 public:
  virtual ~GridRenderer() = default;

  virtual void BeginPaint() {}
  virtual void BeginColumn(const GridPosition& /*firstRow*/, const GridPosition& /*endRow*/) {}
  // Paints one column's rows from cursor; false leaves the column's cells unpainted. The widest
  // text drawn goes to widestText.
  virtual bool PaintColumn(HDC /*dc*/, const GridPosition& /*column*/, RowPosCursor& /*cursor*/,
                           int /*left*/, int /*right*/, int& /*widestText*/) {
    return false;
  }
  virtual void BeginRow(const GridPosition& /*row*/) {}
  // Colours of one cell; colour CLR_INVALID for none.
  virtual void PaintCellBackground(HDC dc, const GridPosition& row, const GridPosition& column,
                                   int style, COLORREF colour) = 0;
  virtual void PaintCellFrame(HDC dc, const GridPosition& row, const GridPosition& column,
                              const RECT& cell, bool selected) = 0;
  virtual void EndPaint() {}
  virtual void WriteRowLabel(const GridPosition& /*row*/, std::basic_ostream<wchar_t>& /*out*/) {}
  virtual void BeginSelectionRows() {}
  virtual void EndSelectionRows() {}
};

}  // namespace TVF_Grid
