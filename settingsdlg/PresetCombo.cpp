// ZR::Dlg::PresetCombo: filling the list, applying a choice and deleting a preset.
#include "settingsdlg/PresetCombo.h"

#include "document/SettingsStore.h"
#include "platform/owl/TModule.h"
#include "settingsdlg/DetectorPageIds.h"

#include <vector>

namespace ZR::Dlg {

PresetCombo::PresetCombo(OWL::TWindow* parent, IPXPresetService* service, Doc::SettingsStore* store)
    : QORControls::MenuCombo(parent), mService(service), mStore(store) {}

IPXDetectionSettings* PresetCombo::ChannelSettings() const noexcept {
  return mStore ? mStore->GetDetectionSettingsObject() : nullptr;
}

int32_t PresetCombo::PresetCount() const noexcept {
  int32_t count = 0;
  if (!mService || FAILED(mService->GetPresetCount(&count)) || count < 0) return 0;
  return count;
}

bool PresetCombo::IsRemovable(int32_t index) const noexcept {
  VARIANT_BOOL removable = VARIANT_FALSE;
  return mService && SUCCEEDED(mService->IsPresetRemovable(index, &removable)) && removable != VARIANT_FALSE;
}

// A name the service cannot give still takes its entry, so that entries and presets stay in step.
void PresetCombo::AddPresetName(int32_t index) {
  QOR::String name;
  if (FAILED(mService->GetPresetName(index, VARIANT_TRUE, QOR::StringOutParam(name)))) name = QOR::String();
  InsertString(name.GetText(), -1);
}

void PresetCombo::AddSeparator() {
  const int entry = InsertString(L"", -1);
  if (entry >= 0) MarkSeparator(entry);
}

void PresetCombo::SetupWindow() {
  QORControls::MenuCombo::SetupWindow();
  if (!mService) return;
  const int32_t count = PresetCount();
  for (int32_t i = 0; i < count; ++i) AddPresetName(i);
  SetSelItemIndex(0);
}

void PresetCombo::Fill() {
  ClearList();
  mDeletable = false;
  if (!mService) return;
  IPXDetectionSettings* const channel = ChannelSettings();
  int32_t index = -1;
  VARIANT_BOOL found = VARIANT_FALSE;
  if (!channel || FAILED(mService->FindPresetBySettings(channel, &index, &found))) found = VARIANT_FALSE;
  if (found == VARIANT_FALSE) index = -1;  // whatever index the service left beside "not found"
  mCustomCurrent = found == VARIANT_FALSE;
  if (mCustomCurrent || mCustomListed) {
    InsertString(OWL::TModule::Default().LoadString(IDS_USER_CUSTOM).c_str(), -1);
    AddSeparator();
    ++index;
    mCustomListed = true;
  }
  const int32_t count = PresetCount();
  bool previousRemovable = false;
  for (int32_t i = 0; i < count; ++i) {
    const bool removable = IsRemovable(i);
    if (i > 0 && previousRemovable && !removable) AddSeparator();
    AddPresetName(i);
    previousRemovable = removable;
  }
  SetSelItemIndex(index);
  if (mCustomCurrent) KeepCustom();
  UpdateDeletable();
}

void PresetCombo::KeepCustom() {
  IPXDetectionSettings* const channel = ChannelSettings();
  if (!channel) return;
  if (!mCustom && FAILED(mService->CreateSettings(mCustom.Out()))) return;
  if (!mCustom) return;
  mCustom->CopyFrom(channel, VARIANT_FALSE);
  mCustom->SetParameter(kPresetNumberParam, 0.0);
}

void PresetCombo::ApplySelection() {
  if (!mService) return;
  const int selection = GetSelItemIndex();
  if (selection < 0) return;  // no entry chosen: the channel keeps its settings
  IPXDetectionSettings* const channel = ChannelSettings();
  if (!channel) return;
  if (mCustomCurrent) KeepCustom();
  if (mCustomListed && selection == 0) {
    if (mCustom) channel->CopyFrom(mCustom.Get(), VARIANT_TRUE);
    mCustomCurrent = true;
  } else {
    ComPtr<IPXDetectionSettings> preset;
    const int32_t presetIndex = selection - (mCustomListed ? 1 : 0);
    if (FAILED(mService->GetPreset(presetIndex, preset.Out())) || !preset) return;
    channel->CopyFrom(preset.Get(), VARIANT_TRUE);
    mCustomCurrent = false;
  }
  UpdateDeletable();
}

QOR::String PresetCombo::SelectedName() const {
  const int entry = static_cast<int>(SendMessage(CB_GETCURSEL));
  if (entry < 0) return QOR::String();
  const int length = static_cast<int>(SendMessage(CB_GETLBTEXTLEN, entry));
  if (length <= 0) return QOR::String();
  std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
  SendMessage(CB_GETLBTEXT, entry, reinterpret_cast<LPARAM>(text.data()));
  if (length > 199) text[199] = L'\0';
  return QOR::String(text.data());
}

void PresetCombo::UpdateDeletable() {
  mDeletable = false;
  if (!mService) return;
  const QOR::String name = SelectedName();
  if (name.IsEmpty()) return;
  int32_t index = -1;
  VARIANT_BOOL found = VARIANT_FALSE;
  if (FAILED(mService->FindPresetByName(name.GetInterface(), &index, &found)) || found == VARIANT_FALSE) return;
  mDeletable = IsRemovable(index);
}

bool PresetCombo::DeleteSelected(HWND owner) {
  if (!mService || !mDeletable) return false;
  const QOR::String name = SelectedName();
  if (mService->DeletePreset(owner, name.GetInterface()) != S_OK) return false;
  Fill();
  return true;
}

// The selection field is measured before the dialog hands the control its font: the dialog's own
// font stands in until then.
HFONT PresetCombo::CreateItemFont(bool separator) const {
  auto shown = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  if (!shown && GetParentH()) shown = reinterpret_cast<HFONT>(::SendMessageW(GetParentH(), WM_GETFONT, 0, 0));
  LOGFONTW font{};
  if (!shown || !GetObjectW(shown, sizeof font, &font)) return MenuCombo::CreateItemFont(separator);
  if (separator) {
    font.lfWeight = FW_BOLD;
    font.lfItalic = TRUE;
  }
  return CreateFontIndirectW(&font);
}

}  // namespace ZR::Dlg
