// ZR::Dlg::Sub_DetectorUnStim: set-up, refresh, the preset buttons and the preview.
#include "settingsdlg/Sub_DetectorUnStim.h"

#include "document/SettingsStore.h"
#include "document/ZRDoc.h"
#include "enumerators/framework/HostHelpers.h"
#include "hostclient/HostChildObject.h"
#include "hostclient/HostUnits.h"
#include "platform/owl/TButton.h"
#include "platform/owl/TModule.h"
#include "platform/owl/TStatic.h"
#include "settingsdlg/DetectorPageIds.h"
#include "settingsdlg/PresetCombo.h"
#include "settingsdlg/SettingsDlg.h"
#include "settingsdlg/SettingsWarningDlg.h"
#include "settingsdlg/SubSub_MPH.h"
#include "settingsdlg/UpdatingScope.h"

#include <cmath>
#include <cstring>

namespace ZR::Dlg {

namespace {

// The channel's units differ between the data file's records.
bool UnitsDifferByRecord(IHostDataDocument* document, int32_t channel) {
  int32_t count = 0;
  if (!document || FAILED(document->GetRecordCount(&count))) return false;
  const std::wstring first = ExtLib::GetChannelUnits(document, channel, 0);
  for (int32_t record = 1; record < count; ++record)
    if (ExtLib::GetChannelUnits(document, channel, record) != first) return true;
  return false;
}

}  // namespace

DEFINE_RESPONSE_TABLE1(Sub_DetectorUnStim, Base::ZRSubDlgDA)
  EV_BN_CLICKED(IDC_UNSTIM_CUSTOMIZE, OnCustomize),
  EV_CBN_SELCHANGE(IDC_UNSTIM_PRESETS, OnPresetChosen),
  EV_BN_CLICKED(IDC_UNSTIM_SAVE, OnSave),
  EV_BN_CLICKED(IDC_UNSTIM_DELETE, OnDelete),
END_RESPONSE_TABLE;

Sub_DetectorUnStim::Sub_DetectorUnStim(SettingsDlg* owner, IUnknown* hostDataDocument)
    : Base::ZRSubDlgDA(IDD_DETECTOR_UNSTIM, owner, hostDataDocument, kPreviewTimer) {
  const PreviewSetup& setup = owner->Preview();
  mRecordPosition = setup.words[12];
  std::memcpy(&mViewPosition, &setup.words[0], sizeof mViewPosition);
  std::memcpy(&mZoom, &setup.words[2], sizeof mZoom);
  if (hostDataDocument && AnalysisDocument())
    mService.Attach(QOR::GetHostChildObject(AnalysisDocument()->DataDocument()));
  RefreshUnit();
  mDelete = new OWL::TButton(this, IDC_UNSTIM_DELETE);
  mPlaceholder = new OWL::TStatic(this, IDC_UNSTIM_MPH_PLACE);
  mPresets = new PresetCombo(this, mService.Get(), &owner->Store());
  mPreview = MakeDetectionPreview(DetectionPreview::Kind::Periodix, hostDataDocument, this, &owner->Store());
}

Sub_DetectorUnStim::~Sub_DetectorUnStim() {
  if (mPreview && mPreview->IsSampling()) mPreview->StopSampling();
}

bool& Sub_DetectorUnStim::Updating() noexcept { return Owner() ? Owner()->UpdatingFlag() : mOwnUpdating; }

IPXDetectionSettings* Sub_DetectorUnStim::Settings() const noexcept { return Owner()->Store().GetDetectionSettingsObject(); }

int32_t Sub_DetectorUnStim::DetectionChannel() const noexcept {
  double channel = 0.0;
  if (IPXDetectionSettings* const settings = Settings()) settings->GetParameter(kPXParamChannel, &channel);
  return channel >= 0.0 && channel < 2147483647.0 ? static_cast<int32_t>(channel + 0.5) : 0;
}

void Sub_DetectorUnStim::RefreshUnit() {
  mUnit = QOR::UnitWithPrefix{};
  IHostDataDocument* const document = AnalysisDocument() ? AnalysisDocument()->DataDocument() : nullptr;
  if (!document) return;
  const int32_t channel = DetectionChannel();
  const std::wstring units = ExtLib::GetChannelUnits(document, channel, static_cast<int32_t>(mRecordPosition));
  if (!units.empty()) QOR::ReadHostUnitText(units.c_str(), mUnit);
  if (UnitsDifferByRecord(document, channel)) {
    mUnit.baseUnit = OWL::TModule::Default().LoadString(IDS_DETECTION_UNITS);
    mUnit.prefix = 0;
  }
}

void Sub_DetectorUnStim::EnableDelete() { mDelete->EnableWindow(mPresets->IsDeletable()); }

void Sub_DetectorUnStim::Store() {
  if (mHeight) mHeight->Store();
}

bool Sub_DetectorUnStim::IsValid() { return !mHeight || mHeight->IsValid(); }

void Sub_DetectorUnStim::SchedulePreview(bool immediate) {
  UpdatingScope scope(Updating());
  if (!scope.Took()) return;
  KillTimer(kPreviewTimer);
  if (!immediate) {
    SetTimer(kPreviewTimer, PreviewDelay());
    return;
  }
  if (mPreview) mPreview->Update(Owner()->Store());
}

void Sub_DetectorUnStim::UpdatePreview(bool wholeChannel) {
  if (!mPreview) return;
  mPreview->Update(Owner()->Store());
  mPreview->SetSamplingSource(wholeChannel);
}

void Sub_DetectorUnStim::SetupWindow() {
  Base::ZRSubDlgDA::SetupWindow();
  UpdatingScope scope(Updating());
  mHeight = std::make_unique<SubSub_MPH>(Owner(), this, HostDataDocument());
  mHeight->Create();
  mHeight->Reposition(mPlaceholder->GetWindowRect());
  mHeight->SetChangeCallback([this] { OnHeightChanged(); });
  if (mPreview) {
    mPreview->PlaceForPosition(mRecordPosition);
    mPreview->Update(Owner()->Store());
    mPreview->SetViewPosition(mViewPosition, mZoom);
    mPreview->ShowChannelRange(DetectionChannel(), mRecordPosition);
  }
  mHeight->LoadFromSettings(mUnit);
  mPresets->Fill();
  EnableDelete();
}

void Sub_DetectorUnStim::CleanupWindow() {
  KillTimer(kPreviewTimer);
  Base::ZRSubDlgDA::CleanupWindow();
}

void Sub_DetectorUnStim::OnHeightChanged() {
  Store();
  if (mPreview && mHeight->IsValid()) mPreview->Update(Owner()->Store());
}

void Sub_DetectorUnStim::Load() {
  UpdatingScope scope(Updating());
  if (!scope.Took()) return;
  RefreshUnit();
  if (mHeight) mHeight->LoadFromSettings(mUnit);
  mPresets->Fill();
  EnableDelete();
  if (mPreview) mPreview->Update(Owner()->Store());
}

void Sub_DetectorUnStim::OnPresetChosen() {
  UpdatingScope scope(Updating());
  if (!scope.Took()) return;
  mPresets->ApplySelection();
  EnableDelete();
  if (mHeight) mHeight->LoadFromSettings(mUnit);
  Store();
  if (!mPreview) return;
  mPreview->Update(Owner()->Store());
  mPreview->ShowChannelRange(DetectionChannel(), mRecordPosition);
}

void Sub_DetectorUnStim::OnCustomize() {
  UpdatingScope scope(Updating());
  if (!scope.Took()) return;
  Store();
  const bool sampled = mPreview && mPreview->IsSampling();
  if (sampled) mPreview->StopSampling();
  // On an invalid page sampling stays stopped; past it, sampling that ran goes on afterwards
  // whatever the user did in the host's dialog.
  if (!IsValid()) {
    SettingsWarningDlg warning(this);
    warning.Execute();
    return;
  }
  struct Restart {
    DetectionPreview* preview;
    ~Restart() {
      if (preview) preview->StartSampling();
    }
  } restart{sampled ? mPreview.get() : nullptr};
  IPXDetectionSettings* const settings = Settings();
  if (!mService || !settings) return;
  PreviewSetup setup = Owner()->Preview();
  if (mPreview) mPreview->FillSetupWords(setup.words);
  const QOR::String title(OWL::TModule::Default().LoadString(IDS_CUSTOMIZE_TITLE).c_str());
  const QOR::String helpId(L"ZR_CustomDetectionSettings");
  const QOR::String helpFile(L"OndaraHelp");
  ComPtr<IPXDetectionSettings> edited;
  if (mService->Customize(GetHandle(), settings, reinterpret_cast<const int32_t*>(setup.words), title.GetInterface(),
                          helpId.GetInterface(), helpFile.GetInterface(), edited.Out()) != S_OK ||
      !edited)
    return;
  settings->CopyFrom(edited.Get(), VARIANT_TRUE);
  mPresets->Fill();
  EnableDelete();
  if (mHeight) mHeight->LoadFromSettings(mUnit);
  Store();
  if (mPreview) mPreview->Update(Owner()->Store());
}

void Sub_DetectorUnStim::OnSave() {
  UpdatingScope scope(Updating());
  if (!scope.Took()) return;
  Store();
  if (!mService || mService->SavePreset(GetHandle(), Settings()) != S_OK) return;
  mPresets->Fill();
  EnableDelete();
}

void Sub_DetectorUnStim::OnDelete() {
  UpdatingScope scope(Updating());
  if (mPresets->DeleteSelected(GetHandle())) EnableDelete();
}

}  // namespace ZR::Dlg
