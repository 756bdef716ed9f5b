// ZR::Dlg::PresetCombo: the unstimulated detector page's list of the host's detection presets,
// with "User - Custom" once the channel's settings have matched none, so that the user's own
// settings survive trying presets.
#pragma once

#include "base/String.h"
#include "controls/MenuCombo.h"
#include "hostapi/PXDetectionSettings.h"
#include "hostclient/ComPtr.h"

namespace ZR::Doc {
class SettingsStore;
}

namespace ZR::Dlg {

class PresetCombo : public QORControls::MenuCombo {
 public:
  // Preset parameter that says which preset settings came from; 0 for the user's own.
  static constexpr int32_t kPresetNumberParam = 14;

  // The template's list 1039; service (may be null) and store are borrowed for the list's life.
  PresetCombo(OWL::TWindow* parent, IPXPresetService* service, Doc::SettingsStore* store);

  // Rebuilds the list from the service and selects the preset equal to the channel's settings,
  // or "User - Custom" when none is.
  void Fill();
  // Makes the selected entry the channel's settings; nothing without a selection.
  void ApplySelection();
  // The selected entry's text (at most 199 characters); empty without a selection.
  QOR::String SelectedName() const;
  // Deletes the selected preset through the service when the user may delete it; true when the
  // service did (the list is then filled again).
  bool DeleteSelected(HWND owner);

  bool IsDeletable() const noexcept { return mDeletable; }
  bool IsCustomCurrent() const noexcept { return mCustomCurrent; }
  bool IsCustomListed() const noexcept { return mCustomListed; }

  // Lists every preset in the service's order and selects the first.
  void SetupWindow() override;

 protected:
  // The font the dialog gives its controls, so the list reads like the rest of the page; bold
  // and italic for separators.
  HFONT CreateItemFont(bool separator) const override;

 private:
  IPXDetectionSettings* ChannelSettings() const noexcept;
  // The service's preset count; 0 when it cannot say.
  int32_t PresetCount() const noexcept;
  bool IsRemovable(int32_t index) const noexcept;
  void AddPresetName(int32_t index);
  void AddSeparator();
  // The custom object takes the channel's settings, marked as the user's own.
  void KeepCustom();
  void UpdateDeletable();

  IPXPresetService* mService;
  Doc::SettingsStore* mStore;
  ComPtr<IPXDetectionSettings> mCustom;
  bool mDeletable = false;
  bool mCustomCurrent = false;
  bool mCustomListed = false;
};

}  // namespace ZR::Dlg
