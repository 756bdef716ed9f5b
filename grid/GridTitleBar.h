// TVF_Grid::GridTitleBar: the child window along the top of a grid that shows the column titles.
#pragma once

#include "platform/owl/TWindow.h"

namespace TVF_Grid {

class GridControl;
class GridPane;

class GridTitleBar : public OWL::TWindow {
 public:
  GridTitleBar(GridControl& grid, GridPane& pane);

 protected:
  GridControl& mGrid;
  GridPane& mPane;
};

}  // namespace TVF_Grid
