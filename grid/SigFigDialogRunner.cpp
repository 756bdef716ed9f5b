// The "Format Column" dialog on template 1004: the figures in an edit, apply-to-all in a box.
#include "grid/SigFigDialog.h"

#include "controls/DialogBase.h"

#include <commctrl.h>

#include <cwchar>
#include <string>

namespace TableView {
namespace {

class SigFigDialog final : public QOR::DialogBase {
 public:
  SigFigDialog(OWL::TWindow* parent, const SigFigValues& values) : DialogBase(parent, 1004), mValues(values) {}

  const SigFigValues& Values() const noexcept { return mValues; }

  void SetupWindow() override {
    DialogBase::SetupWindow();
    ::SendDlgItemMessageW(GetHandle(), kSigFigUpDownId, UDM_SETRANGE32, kSigFigMin, kSigFigMax);
    SetDlgItemInt(GetHandle(), kSigFigEditId, static_cast<UINT>(mValues.Figures), TRUE);
    CheckDlgButton(GetHandle(), kSigFigApplyAllId, mValues.ApplyToAll ? BST_CHECKED : BST_UNCHECKED);
  }
  // OK closes only with figures the column can show.
  bool CanClose() override {
    wchar_t text[31] = L"";
    GetDlgItemTextW(GetHandle(), kSigFigEditId, text, 31);
    wchar_t* end = nullptr;
    const long figures = std::wcstol(text, &end, 10);
    if (end == text || *end != L'\0' || figures < kSigFigMin || figures > kSigFigMax) return false;
    mValues.Figures = static_cast<int32_t>(figures);
    mValues.ApplyToAll = IsDlgButtonChecked(GetHandle(), kSigFigApplyAllId) == BST_CHECKED;
    return true;
  }

 private:
  SigFigValues mValues;
};

}  // namespace

INT_PTR RunSigFigDialog(OWL::TWindow* parent, SigFigValues& values) {
  SigFigDialog dialog(parent, values);
  const INT_PTR result = dialog.Execute();
  if (result == IDOK) values = dialog.Values();
  return result;
}

}  // namespace TableView
