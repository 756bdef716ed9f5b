// The cell's choice editor.
#include "grid/StringComboBox.h"

#include "grid/CellData.h"

namespace TVF_Grid {

DEFINE_RESPONSE_TABLE1(StringComboBox, OWL::TComboBox)
  EV_WM_SIZE,
END_RESPONSE_TABLE;

StringComboBox::StringComboBox(OWL::TWindow* parent, CellData& value, const std::vector<QOR::String>& choices,
                               const OWL::TRect& cell)
    : TComboBox(parent, 100, cell.left, cell.top, cell.Width(), cell.Height(), CBS_DROPDOWNLIST, 32),
      mValue(value),
      mChoices(choices) {
  Attr.Style = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL;
  Attr.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
}

void StringComboBox::SetupWindow() {
  TComboBox::SetupWindow();
  for (const QOR::String& choice : mChoices) AddString(choice.GetText());
}

void StringComboBox::Transfer(bool toCell) {
  auto* const number = dynamic_cast<CellUint32Data*>(&mValue);
  if (!number) return;
  if (toCell) {
    number->SetValue(static_cast<uint32_t>(GetSelIndex()));
    return;
  }
  const uint32_t index = number->GetValue();
  SetSelIndex(index < static_cast<uint32_t>(GetCount()) ? static_cast<int>(index) : -1);
}

void StringComboBox::EvSize(UINT, const OWL::TSize&) { DefaultProcessing(); }

}  // namespace TVF_Grid
