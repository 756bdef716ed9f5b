// TVF_Grid::GridColumn: one column of a grid's cell pane (its title, data index, edges and
// flags); UniformGridColumn walks its rows with a uniform row cursor.
#pragma once

#include "base/String.h"

#include <cstdint>
#include <memory>

namespace TVF_Grid {

class GridControl;
class GridPane;
class RowPosCursor;

class GridColumn {
 public:
  // width -1: the title's width in the grid's cell font plus 10 pixels.
  GridColumn(GridControl& grid, int32_t index, const QOR::String& title, int32_t width);
  virtual ~GridColumn() = default;
  GridColumn(const GridColumn&) = delete;
  GridColumn& operator=(const GridColumn&) = delete;

  // A cursor over rows firstRow .. endRow - 1 (client numbering, counted from origin), the
  // first row's top relative to the pane's visible area. The caller owns it.
  virtual std::unique_ptr<RowPosCursor> MakeCursor(int32_t firstRow, int32_t origin,
                                                   int32_t endRow, int32_t endOrigin) const = 0;

  QOR::String Title;
  QOR::String ShortTitle;
  GridPane* Pane = nullptr;
  int32_t Kind = 0;
  int32_t Index;
  int32_t Left = 0;
  int32_t Width;
  int32_t MinWidth = 5;
  bool Hidden = false;
  bool Sizable = true;
  bool Flag2 = false;
  bool Flag3 = true;
  bool Flag4 = false;

  int32_t Right() const noexcept { return Left + Width; }
};

class UniformGridColumn final : public GridColumn {
 public:
  using GridColumn::GridColumn;
  std::unique_ptr<RowPosCursor> MakeCursor(int32_t firstRow, int32_t origin, int32_t endRow,
                                           int32_t endOrigin) const override;
};

}  // namespace TVF_Grid
