// ZR::tStaticText and ZR::tGroup: a static text and group box 1092 that a page only enables and
// shows; they are bound to no setting and always valid.
#pragma once

#include "settingsdlg/tCtrl.h"

namespace ZR {

class tStaticText : public tCtrl {
 public:
  tStaticText(Doc::SettingsStore* store, OWL::TWindow* parent, int32_t controlId);
  ~tStaticText() override;
  void Store() override {}
  void Load() override {}
  void Enable(bool enable) override;
  void UpdateVisibility() override;
  bool IsValid() override { return true; }

 private:
  std::unique_ptr<OWL::TWindow> mControl;

 protected:
  tStaticText(Doc::SettingsStore* store, OWL::TWindow* parent, int32_t controlId, std::unique_ptr<OWL::TWindow> control);
};

class tGroup : public tStaticText {
 public:
  static constexpr int32_t kControlId = 1092;
  tGroup(Doc::SettingsStore* store, OWL::TWindow* parent);
};

}  // namespace ZR
