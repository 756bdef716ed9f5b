// The cell's text editor.
#include "grid/GridEditCtrl.h"

#include "grid/CellData.h"

namespace TVF_Grid {

GridEditCtrl::GridEditCtrl(OWL::TWindow* parent, CellData& value, const OWL::TRect& cell)
    : TEdit(parent, 100, L"", cell.left, cell.top, cell.Width(), cell.Height(), 0), mValue(value) {}

void GridEditCtrl::Transfer(bool toCell) {
  auto* const text = dynamic_cast<CellStringData*>(&mValue);
  if (!text) return;
  if (!toCell) {
    QOR::String shown;
    text->GetText(shown);
    SetWindowText(shown.GetText());
    return;
  }
  wchar_t buffer[kMaxText + 1] = {};
  ::GetWindowTextW(GetHandle(), buffer, kMaxText + 1);
  text->SetText(QOR::String(buffer));
}

}  // namespace TVF_Grid
