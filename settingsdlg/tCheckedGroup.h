// ZR::tCheckedGroup: a nested list led by check box 1059 (setting 1009) whose other members are
// enabled only while the box is checked.
#pragma once

#include "settingsdlg/tCtrlList.h"

namespace OWL {
class TWindow;
}
namespace ZR::Doc {
class SettingsStore;
}

namespace ZR {

class tCheckedGroup : public tCtrlList {
 public:
  static constexpr int32_t kCheckBoxId = 1059;
  // The group's first member is the check box; the page adds the others.
  tCheckedGroup(Doc::SettingsStore* store, OWL::TWindow* parent);

  // The members' enabled state follows the loaded box.
  void LoadAll() override;
  // For the box: every other member enabled as it is checked, and revalidated.
  void OnControlNotify(int32_t controlId) override;
};

}  // namespace ZR
