// TVF_Grid::GridControlClass: the kind of in-cell editor a cell gets, which draws a value and
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

class GridControlClass {
 public:
  virtual ~GridControlClass() = default;
  // Draws the value's text at the rectangle's top-left corner, clipped and opaque.
  virtual void DrawValue(const CellData& value, HDC dc, const RECT& rect);
  // A new control (not yet created) over cell in parent; parent owns it as a child.
  virtual OWL::TWindow* CreateControl(OWL::TWindow& parent, const OWL::TRect& cell) = 0;
  // Puts the value into the control once it exists; reads the edited text back.
  virtual void Load(OWL::TWindow& control, const CellData& value) = 0;
  virtual QOR::String EditedText(OWL::TWindow& control) = 0;
};

class GridText final : public GridControlClass {
 public:
  OWL::TWindow* CreateControl(OWL::TWindow& parent, const OWL::TRect& cell) override;
  void Load(OWL::TWindow& control, const CellData& value) override;
  QOR::String EditedText(OWL::TWindow& control) override;
};

class GridStringList final : public GridControlClass {
 public:
  // Choice texts in choice-number order.
  std::vector<QOR::String> Texts;

  // The value is a choice number.
  void DrawValue(const CellData& value, HDC dc, const RECT& rect) override;
  OWL::TWindow* CreateControl(OWL::TWindow& parent, const OWL::TRect& cell) override;
  void Load(OWL::TWindow& control, const CellData& value) override;
  // The chosen number's decimal digits; empty with nothing chosen.
  QOR::String EditedText(OWL::TWindow& control) override;
};

}  // namespace TVF_Grid
