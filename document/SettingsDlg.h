// ZR::Dlg::SettingsDlg: the modal settings dialog over a copy of the analysis settings that its
// caller owns; OK leaves the user's choices in that copy, Cancel answers IDCANCEL.
#pragma once

#include "platform/owl/TDialog.h"

#include <unknwn.h>

namespace QOR {
struct WindowPlacement;
}

namespace ZR::Doc {
class SettingsStore;
}

namespace ZR::Dlg {

class SettingsDlg : public OWL::TDialog {
 public:
  // The first page shown: 0 "Detector", 1 "Baseline", 2 "Calculations", 3 "Table Options".
  SettingsDlg(OWL::TWindow* parent, IUnknown* hostDataDocument, int page, Doc::SettingsStore& store);

  Doc::SettingsStore& Store() noexcept { return mStore; }
  IUnknown* HostDataDocument() const noexcept { return mHostDataDocument; }
  int Page() const noexcept { return mPage; }
  // The record the dialog opens at and keeps its last position in (borrowed; none by default).
  void SetPlacement(QOR::WindowPlacement* placement) noexcept { mPlacement = placement; }

 protected:
  void SetupWindow() override;
  void CleanupWindow() override;

 private:
  IUnknown* mHostDataDocument;  // borrowed for the dialog's life
  int mPage;
  Doc::SettingsStore& mStore;
  QOR::WindowPlacement* mPlacement = nullptr;
};

}  // namespace ZR::Dlg
