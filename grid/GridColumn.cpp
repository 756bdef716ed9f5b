// Grid columns: the width of a title-sized column and the uniform row cursor.
#include "grid/GridColumn.h"

#include "grid/GridControl.h"
#include "grid/GridPane.h"
#include "grid/RowPosCursor.h"
#include "platform/owl/TFont.h"
#include "platform/owl/TScreenDC.h"

namespace TVF_Grid {

static int32_t TitleWidth(GridControl& grid, const QOR::String& title) {
  OWL::TScreenDC dc;
  dc.SelectObject(grid.CellFont());
  return dc.GetTextExtent(title.GetText(), title.Length()).cx + 10;
}

GridColumn::GridColumn(GridControl& grid, int32_t index, const QOR::String& title, int32_t width)
    : Title(title), Index(index), Width(width == -1 ? TitleWidth(grid, title) : width) {}

std::unique_ptr<RowPosCursor> UniformGridColumn::MakeCursor(int32_t firstRow, int32_t origin,
                                                            int32_t endRow,
                                                            int32_t endOrigin) const {
  const int32_t height = Pane ? Pane->RowHeight() : 0;
  const int32_t topRow = Pane ? Pane->TopRow() : 0;
  return std::make_unique<UniformRowPosCursor>((firstRow - topRow - origin) * height, firstRow,
                                               origin, endRow, endOrigin, height);
}

}  // namespace TVF_Grid
