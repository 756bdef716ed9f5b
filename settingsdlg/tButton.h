// The check and radio button wrappers: ZR::tCheckBox (box 1059 on setting 1009), ZR::tButton
// (checked means true, with an optional hover balloon), ZR::tButInv (checked means false) and
// ZR::tEnumBtn (checked means the setting holds the button's value).
#pragma once

#include "document/SettingIds.h"
#include "settingsdlg/tCtrl.h"

namespace OWL {
class TCheckBox;
}

namespace ZR {

// A wrapper of one check-state control; the kinds differ in how the state maps to the setting.
class tCheckControl : public tCtrl {
 public:
  ~tCheckControl() override;
  void Enable(bool enable) override;
  void UpdateVisibility() override;
  OWL::TCheckBox& Button() const noexcept { return *mButton; }
  bool Checked() const;
  void SetChecked(bool checked);

 protected:
  tCheckControl(Doc::SettingsStore* store, OWL::TWindow* parent, Doc::SettingId settingId, int32_t controlId,
                std::unique_ptr<OWL::TCheckBox> button);
  // The Bool setting's value; a missing setting counts as false.
  bool BoolValue() const noexcept;
  void SetBoolValue(bool value) noexcept;

 private:
  std::unique_ptr<OWL::TCheckBox> mButton;
};

class tCheckBox : public tCheckControl {
 public:
  static constexpr int32_t kControlId = 1059;
  static constexpr Doc::SettingId kSettingId = Doc::kSettingPassPeakLimits;
  tCheckBox(Doc::SettingsStore* store, OWL::TWindow* parent);
  void Store() override;
  void Load() override;
};

class tButton : public tCheckControl {
 public:
  // With both string ids nonzero the radio button shows those module texts in a hover balloon
  // after 500 ms.
  tButton(Doc::SettingsStore* store, OWL::TWindow* parent, int32_t controlId, Doc::SettingId settingId,
          uint32_t balloonTitleId = 0, uint32_t balloonContentId = 0);
  void Store() override;
  void Load() override;
};

class tButInv : public tButton {
 public:
  using tButton::tButton;
  void Store() override;
  void Load() override;
};

class tEnumBtn : public tCheckControl {
 public:
  tEnumBtn(Doc::SettingsStore* store, OWL::TWindow* parent, int32_t controlId, Doc::SettingId settingId, int32_t value);
  // Only a checked button writes its value, so the checked one of a group decides.
  void Store() override;
  void Load() override;
  int32_t Value() const noexcept { return mValue; }

 private:
  int32_t mValue;
};

}  // namespace ZR
