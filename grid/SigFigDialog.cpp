// The "Format Column" dialog on template 1004: the figures in an integer edit with its up-down
// control, apply-to-all in a check box.
#include "grid/SigFigDialog.h"

#include "controls/IntEdit.h"
#include "platform/owl/TCheckBox.h"
#include "platform/owl/TUpDown.h"

#include <cwchar>
#include <string>

namespace TableView {

DEFINE_RESPONSE_TABLE1(SigFigDialog, QOR::DialogBase)
  EV_COMMAND(IDOK, CmOk),
END_RESPONSE_TABLE;

SigFigDialog::SigFigDialog(OWL::TWindow* parent, OWL::TModule* module)
    : DialogBase(parent, 1004, module),
      mEdit(new IntEdit(this)),
      mUpDown(new OWL::TUpDown(this, kSigFigUpDownId, mEdit)),
      mApplyAll(new OWL::TCheckBox(this, kSigFigApplyAllId)) {}

void SigFigDialog::SetupWindow() {
  DialogBase::SetupWindow();
  mUpDown->SetRange(kSigFigMin, kSigFigMax);
  mEdit->SetWindowText(std::to_wstring(SignificantFigures).c_str());
  mApplyAll->SetCheck(ApplyToAll ? BST_CHECKED : BST_UNCHECKED);
}

void SigFigDialog::CmOk() {
  wchar_t text[31] = L"";
  ::GetWindowTextW(mEdit->GetHandle(), text, 31);
  SignificantFigures = static_cast<int32_t>(std::wcstol(text, nullptr, 10));
  ApplyToAll = mApplyAll->GetCheck() == BST_CHECKED;
  DialogBase::CmOk();
}

INT_PTR RunSigFigDialog(OWL::TWindow* parent, SigFigValues& values) {
  SigFigDialog dialog(parent);
  dialog.SignificantFigures = values.Figures;
  dialog.ApplyToAll = values.ApplyToAll;
  const INT_PTR result = dialog.Execute();
  if (result != IDOK) return result;
  values.Figures = dialog.SignificantFigures;
  values.ApplyToAll = dialog.ApplyToAll;
  return result;
}

}  // namespace TableView
