// The in-cell editor kinds: a text edit and a drop-down list of choices.
#include "grid/GridControlClass.h"

#include "grid/CellData.h"
#include "grid/GridEditCtrl.h"
#include "grid/StringComboBox.h"

namespace TVF_Grid {

static void DrawText(HDC dc, const RECT& rect, const QOR::String& text) {
  ExtTextOutW(dc, rect.left, rect.top, ETO_CLIPPED | ETO_OPAQUE, &rect, text.GetText(),
              static_cast<UINT>(text.Length()), nullptr);
}

void GridControlClass::PaintCell(HDC dc, const CellData& value, const RECT& rect) {
  QOR::String text;
  value.GetText(text);
  DrawText(dc, rect, text);
}

GridItemControl* GridText::CreateControl(OWL::TWindow& parent, CellData& value, const OWL::TRect& cell) {
  return new GridEditCtrl(&parent, value, cell);
}

void GridStringList::PaintCell(HDC dc, const CellData& value, const RECT& rect) {
  const auto* number = dynamic_cast<const CellUint32Data*>(&value);
  if (!number || number->GetValue() >= Texts.size()) return DrawText(dc, rect, QOR::String());
  DrawText(dc, rect, Texts[number->GetValue()]);
}

GridItemControl* GridStringList::CreateControl(OWL::TWindow& parent, CellData& value, const OWL::TRect& cell) {
  return new StringComboBox(&parent, value, Texts, cell);
}

}  // namespace TVF_Grid
