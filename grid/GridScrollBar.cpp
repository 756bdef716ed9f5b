// The grid's scroll bars.
#include "grid/GridScrollBar.h"

#include "grid/GridControl.h"

namespace TVF_Grid {

GridVScrollBar::GridVScrollBar(GridControl& grid)
    : TScrollBar(&grid, 100, 0, 0, 0, 0, false), mGrid(grid) {
  Attr.Style &= ~WS_TABSTOP;
}

GridHScrollBar::GridHScrollBar(GridControl& grid)
    : TScrollBar(&grid, 100, 0, 0, 0, 0, true), mGrid(grid) {
  Attr.Style &= ~WS_TABSTOP;
}

}  // namespace TVF_Grid
