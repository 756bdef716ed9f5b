// The checked group: its box enables its other members.
#include "settingsdlg/tCheckedGroup.h"

#include "settingsdlg/tButton.h"

namespace ZR {

tCheckedGroup::tCheckedGroup(Doc::SettingsStore* store, OWL::TWindow* parent) {
  AddCtrl(new tCheckBox(store, parent));
}

void tCheckedGroup::LoadAll() {
  tCtrlList::LoadAll();
  OnControlNotify(kCheckBoxId);
}

void tCheckedGroup::OnControlNotify(int32_t controlId) {
  tCtrlList::OnControlNotify(controlId);
  if (controlId != kCheckBoxId) return;
  const auto* const box = dynamic_cast<const tCheckBox*>(FindOwnCtrl(kCheckBoxId));
  if (!box) return;
  const bool checked = box->Checked();
  for (size_t i = 0; i < CtrlCount(); ++i) {
    tCtrl& member = Ctrl(i);
    if (&member == box) continue;
    member.Enable(checked);
    member.Revalidate();
  }
}

}  // namespace ZR
