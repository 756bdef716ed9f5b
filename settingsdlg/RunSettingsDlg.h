// ZR::Dlg::RunSettingsDlg: the settings dialog as the document's settings command runs it, the
// pages making their previews over the host document while it is open.
#pragma once

#include "document/SettingsDialogRunner.h"

namespace ZR::Dlg {

// Runs "Ondara Settings" (see SettingsDlg); the document's SettingsDialogRunner.
std::optional<Doc::SettingsStore> RunSettingsDlg(OWL::TWindow* parent, IHostDocument* hostDocument, int32_t lock,
                                                 const Doc::PreviewSetup& preview);

}  // namespace ZR::Dlg
