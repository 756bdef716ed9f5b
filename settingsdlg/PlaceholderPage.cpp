// ZR::Dlg::PlaceholderPage.
#include "settingsdlg/PlaceholderPage.h"

#include "settingsdlg/SettingsDlgIds.h"

namespace ZR::Dlg {

PlaceholderPage::PlaceholderPage(SettingsDlg* owner, IUnknown* hostDataDocument, const wchar_t* className)
    : ZRSubDlg(IDD_PLACEHOLDER_PAGE, owner, hostDataDocument), mClassName(className ? className : L"") {}

}  // namespace ZR::Dlg
