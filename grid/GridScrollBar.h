// TVF_Grid::GridVScrollBar and GridHScrollBar: the grid's two scroll bars (control id 100,
// never a tab stop); they keep the grid they scroll.
#pragma once

#include "platform/owl/TScrollBar.h"

namespace TVF_Grid {

class GridControl;

class GridVScrollBar : public OWL::TScrollBar {
 public:
  explicit GridVScrollBar(GridControl& grid);

 protected:
  GridControl& mGrid;
};

class GridHScrollBar : public OWL::TScrollBar {
 public:
  explicit GridHScrollBar(GridControl& grid);

 protected:
  GridControl& mGrid;
};

}  // namespace TVF_Grid
