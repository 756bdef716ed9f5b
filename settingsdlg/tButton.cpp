// The check and radio button wrappers.
#include "settingsdlg/tButton.h"

#include "controls/TBalloonCheckBox.h"
#include "document/SettingsStore.h"
#include "document/ZRSettingIO.h"
#include "document/ZRSetting_Bool.h"
#include "platform/owl/TModule.h"
#include "platform/owl/TRadioButton.h"

#include <algorithm>

namespace ZR {

tCheckControl::tCheckControl(Doc::SettingsStore* store, OWL::TWindow* parent, Doc::SettingId settingId,
                             int32_t controlId, std::unique_ptr<OWL::TCheckBox> button)
    : tCtrl(store, parent, settingId, controlId, -1), mButton(std::move(button)) {}

tCheckControl::~tCheckControl() = default;

void tCheckControl::Enable(bool enable) { mButton->EnableWindow(enable); }
void tCheckControl::UpdateVisibility() { mButton->ShowWindow(IsHidden() ? SW_HIDE : SW_SHOW); }
bool tCheckControl::Checked() const { return mButton->GetCheck() == BST_CHECKED; }
void tCheckControl::SetChecked(bool checked) { mButton->SetCheck(checked ? BST_CHECKED : BST_UNCHECKED); }

bool tCheckControl::BoolValue() const noexcept {
  const Doc::ZRSetting_Bool* const setting = SettingsStore().GetBoolSetting(SettingId());
  return setting && setting->Get();
}

void tCheckControl::SetBoolValue(bool value) noexcept {
  if (Doc::ZRSetting_Bool* const setting = SettingsStore().GetBoolSetting(SettingId())) setting->Set(value);
}

tCheckBox::tCheckBox(Doc::SettingsStore* store, OWL::TWindow* parent)
    : tCheckControl(store, parent, kSettingId, kControlId, std::make_unique<OWL::TCheckBox>(parent, kControlId)) {}

void tCheckBox::Store() { SetBoolValue(Checked()); }

void tCheckBox::Load() {
  SetChecked(BoolValue());
  tCtrl::Load();
}

static std::unique_ptr<OWL::TCheckBox> MakeRadio(OWL::TWindow* parent, int32_t controlId, uint32_t titleId,
                                                 uint32_t contentId) {
  if (!titleId || !contentId) return std::make_unique<OWL::TRadioButton>(parent, controlId);
  HMODULE const module = OWL::TModule::Default().GetHandle();
  const QOR::String title(module, titleId, true);
  const QOR::String content(module, contentId, true);
  auto radio = std::make_unique<QORControls::BalloonRadioButton>(parent, controlId);
  radio->SetBalloonText(title.GetText(), content.GetText(), std::max(50, 3 * title.Length() / 2));
  radio->SetHoverDelay(500);
  return radio;
}

tButton::tButton(Doc::SettingsStore* store, OWL::TWindow* parent, int32_t controlId, Doc::SettingId settingId,
                 uint32_t balloonTitleId, uint32_t balloonContentId)
    : tCheckControl(store, parent, settingId, controlId,
                    MakeRadio(parent, controlId, balloonTitleId, balloonContentId)) {}

void tButton::Store() { SetBoolValue(Checked()); }

void tButton::Load() {
  SetChecked(BoolValue());
  tCtrl::Load();
}

void tButInv::Store() { SetBoolValue(!Checked()); }

void tButInv::Load() {
  SetChecked(!BoolValue());
  tCtrl::Load();
}

tEnumBtn::tEnumBtn(Doc::SettingsStore* store, OWL::TWindow* parent, int32_t controlId, Doc::SettingId settingId,
                   int32_t value)
    : tCheckControl(store, parent, settingId, controlId, std::make_unique<OWL::TRadioButton>(parent, controlId)),
      mValue(value) {}

void tEnumBtn::Store() {
  if (!Checked()) return;
  if (Doc::ZRSettingInt* const setting = SettingsStore().GetIntSetting(SettingId())) setting->Set(mValue);
}

void tEnumBtn::Load() {
  const Doc::ZRSettingInt* const setting = SettingsStore().GetIntSetting(SettingId());
  SetChecked(setting && setting->Get() == mValue);
  tCtrl::Load();
}

}  // namespace ZR
