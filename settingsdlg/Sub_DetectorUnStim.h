// ZR::Dlg::Sub_DetectorUnStim: the Detector page of "General - Unstimulated" and "Synaptic":
// the host detector's presets (choose, customize in the host's dialog, save, delete) and its
// minimum peak height, over a preview of the detection.
#pragma once

#include "base/UnitPrefix.h"
#include "hostapi/PXDetectionSettings.h"
#include "hostclient/ComPtr.h"
#include "settingsdlg/DetectionPreview.h"
#include "settingsdlg/ZRSubDlg.h"

#include <memory>

namespace OWL {
class TButton;
class TStatic;
}  // namespace OWL

namespace ZR::Dlg {

class PresetCombo;
class SubSub_MPH;

class Sub_DetectorUnStim : public Base::ZRSubDlgDA {
 public:
  static constexpr uint32_t kPreviewTimer = 108;

  Sub_DetectorUnStim(SettingsDlg* owner, IUnknown* hostDataDocument);
  ~Sub_DetectorUnStim() override;

  void Store() override;
  bool IsValid() override;
  // Refresh: the detection unit, the height, the presets and the preview again.
  void Load() override;
  void SchedulePreview(bool immediate) override;
  void UpdatePreview(bool wholeChannel) override;
  void OnValueChanged() override { SchedulePreview(true); }

  void SetupWindow() override;
  void CleanupWindow() override;

  PresetCombo& Presets() const noexcept { return *mPresets; }
  SubSub_MPH* Height() const noexcept { return mHeight.get(); }
  DetectionPreview* Preview() const noexcept { return mPreview.get(); }
  const QOR::UnitWithPrefix& DetectionUnit() const noexcept { return mUnit; }

 private:
  bool& Updating() noexcept;
  IPXDetectionSettings* Settings() const noexcept;
  int32_t DetectionChannel() const noexcept;
  void RefreshUnit();
  void EnableDelete();
  void OnHeightChanged();
  void OnCustomize();
  void OnPresetChosen();
  void OnSave();
  void OnDelete();

  std::unique_ptr<DetectionPreview> mPreview;
  PresetCombo* mPresets;
  OWL::TStatic* mPlaceholder;
  std::unique_ptr<SubSub_MPH> mHeight;
  OWL::TButton* mDelete;
  uint32_t mRecordPosition = 0;
  double mZoom = 0.0;
  int64_t mViewPosition = 0;
  QOR::UnitWithPrefix mUnit;
  ComPtr<IPXPresetService> mService;
  bool mOwnUpdating = false;

  DECLARE_RESPONSE_TABLE(Sub_DetectorUnStim);
};

}  // namespace ZR::Dlg
