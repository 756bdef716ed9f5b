// ZR::Dlg::SubSub_MPH: the unstimulated page's nested page for the host detector's minimum
// peak height: an edit with a spin control, and in standard deviations a slider over 0.05 to
// 9. It validates every change itself and tells its owner through a change callback, at once
// for spin steps and slider releases, one second after typing or when the edit loses focus.
#pragma once

#include "base/UnitPrefix.h"
#include "settingsdlg/ZRSubDlg.h"

#include <commctrl.h>

#include <functional>

struct IPXDetectionSettings;
namespace OWL {
class TEdit;
class TStatic;
class TUpDown;
}  // namespace OWL
namespace QORControls {
class StaticTextErrorProvider;
}

namespace ZR::Dlg {

class TJSlider;

class SubSub_MPH : public Base::ZRSubSubDlg {
 public:
  static constexpr uint32_t kTypingTimer = 100;

  SubSub_MPH(SettingsDlg* owner, OWL::TWindow* page, IUnknown* hostDataDocument);

  void SetChangeCallback(std::function<void()> callback) { mChanged = std::move(callback); }
  // Shows the channel's detection-settings object's height, relative or in the threshold unit
  // the object gives for unit.
  void LoadFromSettings(const QOR::UnitWithPrefix& unit);
  // The shown value into the detection-settings object (parameter 3), valid or not.
  void Store() override;
  bool IsValid() override;
  // The edit's number times the unit's prefix multiplier.
  double CurrentValue() const;
  void ShowValue(double value, bool writeText, bool keepCaret);
  void ShowValidation();
  void SetRelativeMode(double value);
  void SetAbsoluteMode(const QOR::UnitWithPrefix& unit, bool positiveOnly, double value);

  bool IsSdMode() const noexcept { return mSdMode; }
  TJSlider& Slider() const noexcept { return *mSlider; }
  QORControls::StaticTextErrorProvider& UnitLabel() const noexcept { return *mUnitLabel; }

  void SetupWindow() override;
  void CleanupWindow() override;

 private:
  IPXDetectionSettings* Settings() const noexcept;
  std::wstring EditText() const;
  double ShownNumber() const;
  void Changed();

  void OnTyped();
  void OnEditLeft();
  LRESULT OnSpin(NMHDR& header);
  LRESULT OnTrack(NMHDR& header);
  void OnReleased();
  void EvTimer(UINT timerId);

  bool mBusy = false;
  bool mSdMode = true;
  bool mPositiveOnly = false;
  QOR::UnitWithPrefix mUnit;
  OWL::TEdit* mEdit;
  TJSlider* mSlider;
  OWL::TUpDown* mSpin;
  OWL::TStatic* mLowLabel;
  OWL::TStatic* mHighLabel;
  OWL::TStatic* mCaption;
  QORControls::StaticTextErrorProvider* mUnitLabel;
  std::function<void()> mChanged = [] {};

  DECLARE_RESPONSE_TABLE(SubSub_MPH);
};

}  // namespace ZR::Dlg
