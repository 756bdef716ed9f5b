// ZR::Dlg::RunSettingsDlg: the settings dialog run for the document's settings command.
#include "settingsdlg/RunSettingsDlg.h"

#include "settingsdlg/PagePreviews.h"
#include "settingsdlg/SettingsDlg.h"

#include <windows.h>

namespace ZR::Dlg {

std::optional<Doc::SettingsStore> RunSettingsDlg(OWL::TWindow* parent, IHostDocument* hostDocument, int32_t lock,
                                                 const Doc::PreviewSetup& preview) {
  const PagePreviewScope previews;
  SettingsDlg dialog(parent, hostDocument, lock, preview);
  if (dialog.Execute() != IDOK) return std::nullopt;
  return dialog.Store();
}

}  // namespace ZR::Dlg
