// TVF_Grid::StringComboBox: the choice editor of a cell, a drop-down list (id 100) of the
// column's choice texts whose selection index is the cell's unsigned value.
#pragma once

#include "base/String.h"
#include "grid/GridItemControl.h"
#include "platform/owl/TComboBox.h"

#include <vector>

namespace TVF_Grid {

class CellData;

class StringComboBox final : public OWL::TComboBox, public GridItemControl {
 public:
  // value and choices must outlive the control; parent owns the object as its child.
  StringComboBox(OWL::TWindow* parent, CellData& value, const std::vector<QOR::String>& choices,
                 const OWL::TRect& cell);

  // Adds the choices in order after the combo box's own set-up.
  void SetupWindow() override;
  // Leaves a value that is not unsigned data alone; an index past the list selects nothing.
  void Transfer(bool toCell) override;
  OWL::TWindow& Window() noexcept override { return *this; }

 private:
  void EvSize(UINT sizeType, const OWL::TSize& size);

  CellData& mValue;
  const std::vector<QOR::String>& mChoices;

  DECLARE_RESPONSE_TABLE(StringComboBox);
};

}  // namespace TVF_Grid
