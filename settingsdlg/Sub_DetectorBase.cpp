// ZR::Dlg::Sub_DetectorBase: preview scheduling, refresh, set-up and the notification cycles.
#include "settingsdlg/Sub_DetectorBase.h"

#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "settingsdlg/DetectorPageIds.h"
#include "settingsdlg/SettingsDlg.h"
#include "settingsdlg/UpdatingScope.h"
#include "settingsdlg/tCtrlList.h"
#include "settingsdlg/tUnitsEdit.h"

namespace ZR::Dlg {

Sub_DetectorBase::Sub_DetectorBase(int dialogId, SettingsDlg* owner, IUnknown* hostDataDocument)
    : Base::ZRSubDlgDA(dialogId, owner, hostDataDocument, kPreviewTimer),
      mPreview(MakeDetectionPreview(DetectionPreview::Kind::Stimulated, hostDataDocument, this,
                                    owner ? &owner->Store() : nullptr)) {}

Sub_DetectorBase::~Sub_DetectorBase() = default;

Doc::SettingsStore& Sub_DetectorBase::SettingsStore() const noexcept { return Owner()->Store(); }

bool& Sub_DetectorBase::Updating() noexcept { return Owner() ? Owner()->UpdatingFlag() : mOwnUpdating; }

void Sub_DetectorBase::Load() {
  UpdatingScope scope(Updating());
  if (!scope.Took()) return;
  // The minimum peak height is the one value of the page in the channel's unit.
  if (auto* const height = dynamic_cast<tUnitsEdit*>(Controls().FindCtrl(IDC_DET_HEIGHT)); height && Owner())
    height->SetUnit(Owner()->ChannelUnits());
  LoadControls();
  Store();
  if (IsValid()) SchedulePreview(true);
  if (mPreview && Owner())
    mPreview->ShowChannelRange(static_cast<int32_t>(SettingsStore().GetLongValue(Doc::kSettingAnalysisChannel)),
                               Owner()->Preview().words[12]);
}

void Sub_DetectorBase::SchedulePreview(bool immediate) {
  if (immediate) {
    if (!mPreview) return;
    KillTimer(kPreviewTimer);
    mPreview->Update(SettingsStore());
    return;
  }
  KillTimer(kPreviewTimer);
  SetTimer(kPreviewTimer, PreviewDelay());
}

void Sub_DetectorBase::UpdatePreview(bool wholeChannel) {
  if (!mPreview) return;
  mPreview->Update(SettingsStore());
  mPreview->SetSamplingSource(wholeChannel);
}

void Sub_DetectorBase::OnValueChanged() {
  Store();
  if (IsValid()) SchedulePreview(true);
}

void Sub_DetectorBase::SetupWindow() {
  UpdatingScope scope(Updating());
  Base::ZRSubDlgDA::SetupWindow();
  LoadControls();
  if (!mPreview) return;
  const PreviewSetup& setup = Owner()->Preview();
  const uint32_t recordPosition = setup.words[12];
  mPreview->PlaceForPosition(recordPosition);
  mPreview->Update(SettingsStore());
  int64_t position = 0;
  double zoom = 0.0;
  static_assert(sizeof position == 2 * sizeof setup.words[0] && sizeof zoom == 2 * sizeof setup.words[0]);
  memcpy(&position, &setup.words[0], sizeof position);
  memcpy(&zoom, &setup.words[2], sizeof zoom);
  mPreview->SetViewPosition(position, zoom);
  mPreview->ShowChannelRange(static_cast<int32_t>(SettingsStore().GetLongValue(Doc::kSettingAnalysisChannel)),
                             recordPosition);
}

void Sub_DetectorBase::CleanupWindow() {
  KillTimer(kPreviewTimer);
  Base::ZRSubDlgDA::CleanupWindow();
  if (!mPreview) return;
  if (mPreview->IsSampling()) mPreview->StopSampling();
  mPreview.reset();
}

void Sub_DetectorBase::ChangeCycle(tCtrlList& list, int32_t controlId, bool immediate) {
  UpdatingScope scope(Updating());
  if (!scope.Took()) return;
  list.OnControlNotify(controlId);
  Store();
  if (IsValid()) SchedulePreview(immediate);
}

LRESULT Sub_DetectorBase::SpinCycle(tCtrlList& list, int32_t editId, NMHDR& header) {
  const auto& notification = reinterpret_cast<const NMUPDOWN&>(header);
  const int answer = list.OnSpinNotify(editId, 0, &notification);
  Store();
  if (IsValid()) SchedulePreview(true);
  return answer;
}

}  // namespace ZR::Dlg
