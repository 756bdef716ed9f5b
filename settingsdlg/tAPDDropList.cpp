// The level list: its entries from the module's format text and the level in and out.
#include "settingsdlg/tAPDDropList.h"

#include "base/OFormatStream.h"
#include "document/SettingsStore.h"
#include "document/ZRSetting_Int10.h"
#include "platform/owl/TComboBox.h"
#include "platform/owl/TModule.h"
#include "settingsdlg/SettingsDlgStringIds.h"

namespace ZR {

tAPDDropList::tAPDDropList(Doc::SettingsStore* store, OWL::TWindow* parent, int32_t controlId, Doc::SettingId settingId)
    : tValueCtrl(store, parent, settingId, controlId, -1), mList(std::make_unique<OWL::TComboBox>(parent, controlId)) {}

tAPDDropList::~tAPDDropList() = default;

void tAPDDropList::Store() {
  const int index = mList->GetSelIndex();
  if (Doc::ZRSettingInt* const setting = SettingsStore().GetIntSetting(SettingId()))
    setting->Set(index < 0 ? 0 : (index + 1) * 10);
}

void tAPDDropList::Load() {
  const QOR::String format(OWL::TModule::Default().GetHandle(), IDS_SETTINGS_APD_LEVEL, true);
  mList->ClearList();
  for (int level = 10; level <= 90; level += 10) {
    QOR::OFormatStringStream entry(format);
    entry << level;
    mList->AddString(entry.str().GetText());
  }
  if (const Doc::ZRSettingInt* const setting = SettingsStore().GetIntSetting(SettingId()))
    mList->SetSelIndex(setting->Get() / 10 - 1);
  tCtrl::Load();
}

void tAPDDropList::Enable(bool enable) { mList->EnableWindow(enable); }
void tAPDDropList::UpdateVisibility() { mList->ShowWindow(IsHidden() ? SW_HIDE : SW_SHOW); }

bool tAPDDropList::IsValid() { return tCtrl::IsValid() && mList->GetSelIndex() >= 0; }

}  // namespace ZR
