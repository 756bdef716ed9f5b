// ZR::Dlg::SettingsDlg: the dialog frame from the module's resources, opened where it was last
// closed.
#include "document/SettingsDlg.h"

#include "base/WindowPlacement.h"

namespace ZR::Dlg {

SettingsDlg::SettingsDlg(OWL::TWindow* parent, IUnknown* hostDataDocument, int page, Doc::SettingsStore& store)
    : OWL::TDialog(parent, OWL::TResId(L"ZRSETTINGSDLG")),
      mHostDataDocument(hostDataDocument),
      mPage(page),
      mStore(store) {}

void SettingsDlg::SetupWindow() {
  OWL::TDialog::SetupWindow();
  if (mPlacement) QOR::ApplyWindowPlacement(GetHandle(), *mPlacement);
}

void SettingsDlg::CleanupWindow() {
  OWL::TDialog::CleanupWindow();
  if (mPlacement && GetHandle()) *mPlacement = QOR::CaptureWindowPlacement(GetHandle());
}

}  // namespace ZR::Dlg
