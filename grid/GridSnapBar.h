// TVF_Grid::GridSnapBar: what the grid needs of its "show latest row" bar under the vertical
// scroll bar. The bar itself is a gadget window made by the factory installed here; without a
// factory a grid that wants the bar goes without it.
#pragma once

#include <cstdint>
#include <memory>

namespace OWL {
class TWindow;
}

namespace TVF_Grid {

class GridControl;

class GridSnapBar {
 public:
  virtual ~GridSnapBar() = default;
  // The bar's window, a child of the grid (owned by it as every child is).
  virtual OWL::TWindow& Window() = 0;
  virtual int32_t Height() const = 0;
  // The toggle button's pressed state.
  virtual void SetPressed(bool pressed) = 0;

  // Makes a bar (window not yet created) for grid.
  using Factory = std::unique_ptr<GridSnapBar> (*)(GridControl& grid);
  // Answers the factory it replaces.
  static Factory InstallFactory(Factory factory) noexcept;
  static Factory CurrentFactory() noexcept;
};

}  // namespace TVF_Grid
