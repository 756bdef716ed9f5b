// ZR::tAPDDropList: a drop-down list of the nine action-potential duration levels "APD10" to
// "APD90", bound to a setting that holds 10, 20, ... 90.
#pragma once

#include "settingsdlg/tCtrl.h"

namespace OWL {
class TComboBox;
}

namespace ZR {

class tAPDDropList : public tValueCtrl {
 public:
  tAPDDropList(Doc::SettingsStore* store, OWL::TWindow* parent, int32_t controlId, Doc::SettingId settingId);
  ~tAPDDropList() override;

  // (index + 1) x 10; 0 with nothing selected.
  void Store() override;
  // The nine entries afresh, then the entry of the setting's level.
  void Load() override;
  void Enable(bool enable) override;
  void UpdateVisibility() override;
  // The setting's validity, and a level must be chosen.
  bool IsValid() override;
  OWL::TComboBox& List() const noexcept { return *mList; }

 private:
  std::unique_ptr<OWL::TComboBox> mList;
};

}  // namespace ZR
