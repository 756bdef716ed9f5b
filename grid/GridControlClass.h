// TVF_Grid::GridControlClass: the kind of in-cell editor a cell gets, which paints a value and
// makes the editing control; GridText for text, GridStringList for a list of choices.
#pragma once

#include "base/String.h"
#include "platform/owl/TRect.h"

#include <windows.h>

#include <vector>

namespace OWL {
class TWindow;
}

namespace TVF_Grid {

class CellData;
class GridItemControl;

class GridControlClass {
 public:
  virtual ~GridControlClass() = default;
  // Draws the value's text at the rectangle's top-left corner, clipped and opaque.
  virtual void PaintCell(HDC dc, const CellData& value, const RECT& rect);
  // A new control (not yet created) over cell in parent, for value, which must outlive it;
  // parent owns its window object as a child. Null when the kind has no editor.
  virtual GridItemControl* CreateControl(OWL::TWindow& parent, CellData& value, const OWL::TRect& cell) = 0;
};

// Text that is shown and not edited.
class GridStaticText : public GridControlClass {
 public:
  GridItemControl* CreateControl(OWL::TWindow&, CellData&, const OWL::TRect&) override { return nullptr; }
};

class GridText final : public GridStaticText {
 public:
  // A GridEditCtrl.
  GridItemControl* CreateControl(OWL::TWindow& parent, CellData& value, const OWL::TRect& cell) override;
};

class GridStringList final : public GridControlClass {
 public:
  // Choice texts in choice-number order.
  std::vector<QOR::String> Texts;

  // The value is a choice number; anything else paints nothing.
  void PaintCell(HDC dc, const CellData& value, const RECT& rect) override;
  // A StringComboBox over Texts.
  GridItemControl* CreateControl(OWL::TWindow& parent, CellData& value, const OWL::TRect& cell) override;
};

}  // namespace TVF_Grid
