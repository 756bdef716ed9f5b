// ScrivoDraw::SimpleDataPane: a data pane whose window operations keep the pane's plain defaults.
#pragma once

#include "drawing/DataPane.h"

namespace ScrivoDraw {

class SimpleDataPane : public DataPane {
 public:
  using DataPane::DataPane;
};

}  // namespace ScrivoDraw
