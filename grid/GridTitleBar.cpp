// The title bar window.
#include "grid/GridTitleBar.h"

#include "grid/GridControl.h"

namespace TVF_Grid {

GridTitleBar::GridTitleBar(GridControl& grid, GridPane& pane)
    : TWindow(&grid, L""), mGrid(grid), mPane(pane) {
  Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  EnableAutoCreate();
}

}  // namespace TVF_Grid
