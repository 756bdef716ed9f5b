// The in-cell editor kinds: a text edit and a drop-down list of choices.
#include "grid/GridControlClass.h"

#include "grid/CellData.h"
#include "platform/owl/TComboBox.h"
#include "platform/owl/TEdit.h"

#include <string>

namespace TVF_Grid {

static void DrawText(HDC dc, const RECT& rect, const QOR::String& text) {
  ExtTextOutW(dc, rect.left, rect.top, ETO_CLIPPED | ETO_OPAQUE, &rect, text.GetText(),
              static_cast<UINT>(text.Length()), nullptr);
}

void GridControlClass::DrawValue(const CellData& value, HDC dc, const RECT& rect) {
  QOR::String text;
  value.GetText(text);
  DrawText(dc, rect, text);
}

OWL::TWindow* GridText::CreateControl(OWL::TWindow& parent, const OWL::TRect& cell) {
  return new OWL::TEdit(&parent, 0, L"", cell.left, cell.top, cell.Width(), cell.Height(), 0);
}

void GridText::Load(OWL::TWindow& control, const CellData& value) {
  QOR::String text;
  value.GetText(text);
  control.SetWindowText(text.GetText());
}

QOR::String GridText::EditedText(OWL::TWindow& control) {
  return QOR::String(control.GetWindowText().c_str());
}

void GridStringList::DrawValue(const CellData& value, HDC dc, const RECT& rect) {
  const auto* number = dynamic_cast<const CellUint32Data*>(&value);
  if (!number || number->GetValue() >= Texts.size()) return DrawText(dc, rect, QOR::String());
  DrawText(dc, rect, Texts[number->GetValue()]);
}

OWL::TWindow* GridStringList::CreateControl(OWL::TWindow& parent, const OWL::TRect& cell) {
  return new OWL::TComboBox(&parent, 0, cell.left, cell.top, cell.Width(), cell.Height());
}

void GridStringList::Load(OWL::TWindow& control, const CellData& value) {
  auto& combo = static_cast<OWL::TComboBox&>(control);
  for (const QOR::String& text : Texts) combo.AddString(text.GetText());
  if (const auto* number = dynamic_cast<const CellUint32Data*>(&value))
    if (number->GetValue() < Texts.size()) combo.SetSelIndex(static_cast<int>(number->GetValue()));
}

QOR::String GridStringList::EditedText(OWL::TWindow& control) {
  const int chosen = static_cast<OWL::TComboBox&>(control).GetSelIndex();
  if (chosen < 0) return QOR::String();
  return QOR::String(std::to_wstring(chosen).c_str());
}

}  // namespace TVF_Grid
