// TVF_Grid::GridEditCtrl: the text editor of a cell, an edit control (id 100) over the cell's
// value.
#pragma once

#include "grid/GridItemControl.h"
#include "platform/owl/TEdit.h"

namespace TVF_Grid {

class CellData;

class GridEditCtrl final : public OWL::TEdit, public GridItemControl {
 public:
  // Committed text is cut to this many characters.
  static constexpr int kMaxText = 511;

  // value must outlive the control; parent owns the object as its child.
  GridEditCtrl(OWL::TWindow* parent, CellData& value, const OWL::TRect& cell);

  // Leaves a value that is not string data alone.
  void Transfer(bool toCell) override;
  OWL::TWindow& Window() noexcept override { return *this; }

 private:
  CellData& mValue;
};

}  // namespace TVF_Grid
