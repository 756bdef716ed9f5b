// ZR::Dlg::SettingsDlg: the dialog frame from the module's resources.
#include "document/SettingsDlg.h"

namespace ZR::Dlg {

SettingsDlg::SettingsDlg(OWL::TWindow* parent, IUnknown* hostDataDocument, int page, Doc::SettingsStore& store)
    : OWL::TDialog(parent, OWL::TResId(L"ZRSETTINGSDLG")),
      mHostDataDocument(hostDataDocument),
      mPage(page),
      mStore(store) {}

}  // namespace ZR::Dlg
