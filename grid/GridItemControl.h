// TVF_Grid::GridItemControl: an in-cell editing control, which moves a value between itself and
// the cell's value object.
#pragma once

namespace OWL {
class TWindow;
}

namespace TVF_Grid {

class GridItemControl {
 public:
  virtual ~GridItemControl() = default;
  // true: the control's value into the cell's value; false: the cell's value into the control.
  virtual void Transfer(bool toCell) = 0;
  // The control's window object.
  virtual OWL::TWindow& Window() noexcept = 0;
};

}  // namespace TVF_Grid
