// ZR::tCtrl: setting lookup, validity and the error display of a wrapper.
#include "settingsdlg/tCtrl.h"

#include "controls/ErrorProvider.h"
#include "controls/StaticTextErrorProvider.h"
#include "document/SettingTexts.h"
#include "document/SettingsStore.h"
#include "document/ZRSetting.h"

#include <limits>

namespace ZR {

tCtrl::tCtrl(Doc::SettingsStore* store, OWL::TWindow* parent, Doc::SettingId settingId, int32_t controlId,
             int32_t errorIconId)
    : mStore(store), mParent(parent), mSettingId(settingId), mControlId(controlId), mErrorIconId(errorIconId) {
  if (errorIconId >= 1) mErrorIcon = std::make_unique<QORControls::ErrorProvider>(parent, errorIconId);
}

tCtrl::~tCtrl() = default;

void tCtrl::MakeLabelError(int32_t labelId) {
  mLabelError = std::make_unique<QORControls::StaticTextErrorProvider>(mParent, labelId);
}

Doc::ZRSetting* tCtrl::Setting() const noexcept {
  return mStore && mSettingId != Doc::kNoSetting ? mStore->FindSetting(mSettingId) : nullptr;
}

void tCtrl::Load() { ShowError(!IsValid()); }

int tCtrl::OnSpin(int32_t, const NMUPDOWN*) { return 0; }

bool tCtrl::IsValid() {
  Store();
  const Doc::ZRSetting* const setting = Setting();
  return setting && setting->IsValid();
}

void tCtrl::ShowError(bool show) {
  if (mErrorIconId < 1 || !mErrorIcon) return;
  const Doc::MessageAndCaption text = Doc::SettingErrorText(mSettingId);
  ShowErrorText(show, text.caption, text.message);
}

void tCtrl::ShowErrorText(bool show, const QOR::String& caption, const QOR::String& message) {
  const QOR::String title = show ? caption : QOR::String();
  const QOR::String text = show ? message : QOR::String();
  if (mErrorIcon)
    mErrorIcon->SetError(title, show, text);
  else if (mLabelError)
    mLabelError->SetError(title, show, text);
}

double tValueCtrl::GetValue() {
  Store();
  const Doc::ZRSetting* const setting = Setting();
  return setting ? setting->AsDouble() : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace ZR
