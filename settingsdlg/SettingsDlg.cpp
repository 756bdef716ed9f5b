// ZR::Dlg::SettingsDlg: the Setup group, the tabs and their pages, and the checks that guard
// leaving a page and closing the dialog.
#include "settingsdlg/SettingsDlg.h"

#include "base/String.h"
#include "base/WindowPlacement.h"
#include "chancalc/ChanCalcIds.h"
#include "controls/ControlsBitmapIds.h"
#include "controls/ControlsStringIds.h"
#include "controls/ErrorProvider.h"
#include "controls/TBmpTxtButton.h"
#include "document/AnalysisType.h"
#include "document/SettingIds.h"
#include "document/ZRDoc.h"
#include "document/ZRSettingIO.h"
#include "document/ZRSetting_Bool.h"
#include "enumerators/framework/HostHelpers.h"
#include "hostclient/HostUnits.h"
#include "hostclient/ModuleInstance.h"
#include "hostclient/TypeIds.h"
#include "platform/owl/TComboBox.h"
#include "platform/owl/TGroupBox.h"
#include "platform/owl/TRadioButton.h"
#include "platform/owl/TStatic.h"
#include "platform/owl/TTabControl.h"
#include "settingsdlg/CalcPages.h"
#include "settingsdlg/SettingsDlgIds.h"
#include "settingsdlg/SettingsWarningDlg.h"
#include "settingsdlg/Sub_DetectorCAP.h"
#include "settingsdlg/Sub_DetectorER.h"
#include "settingsdlg/Sub_DetectorPS.h"
#include "settingsdlg/Sub_DetectorUnStim.h"
#include "settingsdlg/Sub_Baseline.h"
#include "settingsdlg/Sub_TableOptions.h"

#include <commctrl.h>

namespace ZR::Dlg {

namespace {

constexpr int kBaselineTab = 1;
constexpr int kCalculationsTab = 2;
constexpr uint32_t kChannelCalcKind = 2;

using ModuleCalcClass = TypeIdClass<&ZRChanCalcGUID, ZR::ChanCalc::kCalculationNumber>;

const Doc::ParamCatalogue* CatalogueOf(Doc::ZRDoc* document) {
  return document ? document->GetSettings().GetCatalogue() : nullptr;
}

Doc::ZRDoc* BorrowDocument(IUnknown* hostDocument) {
  Doc::ZRDoc* const document = SettingsDlg::DocumentOf(hostDocument);
  if (document) document->Release();  // the document outlives the dialog
  return document;
}

QOR::String Text(uint32_t id) { return QOR::String(GetModuleInstance(), id, true); }

int ReadInt(const Doc::SettingsStore& store, Doc::SettingId id) {
  const auto* const setting = store.GetIntSetting(id);
  return setting ? setting->Get() : 0;
}

void WriteInt(Doc::SettingsStore& store, Doc::SettingId id, int value) {
  if (auto* const setting = store.GetIntSetting(id)) setting->Set(value);
}

}  // namespace

DEFINE_RESPONSE_TABLE1(SettingsDlg, QOR::DialogBase)
  EV_COMMAND(IDOK, OnOk),
  EV_NOTIFY(IDC_SET_TABS, TCN_SELCHANGE, OnTabChanging),
  EV_CBN_SELCHANGE(IDC_SET_TYPE, OnAnalysisTypeChange),
  EV_CBN_SELCHANGE(IDC_SET_SOURCE, OnSourceChange),
  EV_BN_CLICKED(IDC_SET_SELECTION, OnRegionModeClick),
  EV_BN_CLICKED(IDC_SET_CHANNEL, OnRegionModeClick),
  EV_COMMAND(QORControls::TBmpTxtButton::kControlId, CmHelp),
END_RESPONSE_TABLE;

Doc::ZRDoc* SettingsDlg::DocumentOf(IUnknown* hostDocument) noexcept {
  return Doc::ZRDoc::FromHostDocument(hostDocument);
}

const wchar_t* SettingsDlg::PageClassName(int type, int tab) noexcept {
  static constexpr const wchar_t* kPages[6][kTabCount] = {
      {L"Sub_DetectorUnStim", L"Sub_Baseline", L"Sub_CalcGen", L"Sub_TableOptions"},
      {L"Sub_DetectorCAP", L"Sub_Baseline", L"Sub_CalcCAP", L"Sub_TableOptions"},
      {L"Sub_DetectorUnStim", L"Sub_Baseline", L"Sub_CalcSynap", L"Sub_TableOptions"},
      {L"Sub_DetectorER", L"Sub_Baseline", L"Sub_CalcER", L"Sub_TableOptions"},
      {L"Sub_DetectorPS", L"Sub_Baseline", L"Sub_CalcPS", L"Sub_TableOptions"},
      {L"Sub_DetectorCAP", L"Sub_Baseline", L"Sub_CalcNAP", L"Sub_TableOptions"},
  };
  if (type < 0 || type > 5 || tab < 0 || tab >= kTabCount) return nullptr;
  return kPages[type][tab];
}

SettingsDlg::SettingsDlg(OWL::TWindow* parent, IHostDocument* hostDocument, int32_t lock, const PreviewSetup& preview)
    : QOR::DialogBase(parent, IDD_SETTINGS),
      mStore(CatalogueOf(BorrowDocument(hostDocument))),
      mPreview(preview),
      mHostDocument(hostDocument),
      mDocument(BorrowDocument(hostDocument)),
      mTypeList(new OWL::TComboBox(this, IDC_SET_TYPE)),
      mSourceList(new OWL::TComboBox(this, IDC_SET_SOURCE)),
      mSelection(new OWL::TRadioButton(this, IDC_SET_SELECTION)),
      mChannel(new OWL::TRadioButton(this, IDC_SET_CHANNEL)),
      mTabs(new OWL::TTabControl(this, IDC_SET_TABS)),
      mTypeLabel(new OWL::TStatic(this, IDC_SET_TYPE_LABEL)),
      mSourceLabel(new OWL::TStatic(this, IDC_SET_SOURCE_LABEL)),
      mSetupGroup(new OWL::TGroupBox(this, IDC_SET_GROUP)),
      mHelp(new QORControls::TBmpTxtButton(this, QOR::String())),
      mLock(lock),
      mSourceError(new QORControls::ErrorProvider(this, IDC_SET_SOURCE_ERROR)) {
  if (mDocument) mStore = mDocument->GetSettings();
  mStore.GetOrCreateGroup(mStore.GetCurrentChannel(), -1, mDocument ? mDocument->DataDocument() : nullptr);
  if (auto* const kept = mStore.GetBoolSetting(Doc::kSettingNoRegionStored)) kept->Set(false);
  RefreshChannelUnits();
}

// The page's window goes first, then the page.
SettingsDlg::~SettingsDlg() {
  if (mPage) {
    mPage->Destroy(IDCANCEL);
    delete mPage;
  }
}

Base::ZRSubDlg* SettingsDlg::MakePage(int type, int tab) {
  if (!PageClassName(type, tab)) return nullptr;
  switch (tab) {
    case 0:
      if (type == 1 || type == 5) return new Sub_DetectorCAP(this, mHostDocument);
      if (type == 3) return new Sub_DetectorER(this, mHostDocument);
      if (type == 4) return new Sub_DetectorPS(this, mHostDocument);
      return new Sub_DetectorUnStim(this, mHostDocument);
    case kBaselineTab: return new Sub_Baseline(this, mHostDocument);
    case kCalculationsTab: return MakeCalculationsPage(type);
    default: return new Sub_TableOptions(this, mHostDocument);
  }
}

Base::ZRSubDlg* SettingsDlg::MakeCalculationsPage(int type) {
  switch (type) {
    case 0: return new Sub_CalcGen(this, mHostDocument);
    case 1: return new Sub_CalcCAP(this, mHostDocument);
    case 2: return new Sub_CalcSynap(this, mHostDocument);
    case 3: return new Sub_CalcER(this, mHostDocument);
    case 4: return new Sub_CalcPS(this, mHostDocument);
    default: return new Sub_CalcNAP(this, mHostDocument);
  }
}

int SettingsDlg::SelectedType() const noexcept { return Doc::AnalysisTypeFromListPos(mTypeList->GetSelIndex()); }

void SettingsDlg::SetupWindow() {
  bool const wasUpdating = mUpdating;
  mUpdating = true;
  QOR::DialogBase::SetupWindow();
  if (mDocument && mDocument->SettingsPersistence().SettingsDialogPlacement().valid) {
    RECT place = mDocument->SettingsPersistence().SettingsDialogPlacement().rect;
    QOR::KeepWindowOnMonitor(place);
    ::SetWindowPos(mHandle, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (uint32_t id : {IDS_SETTINGS_TAB_DETECTOR, IDS_SETTINGS_TAB_BASELINE, IDS_SETTINGS_TAB_CALCULATIONS,
                      IDS_SETTINGS_TAB_TABLE_OPTIONS})
    mTabs->Add(Text(id).GetText());
  // A stored tab outside the four is taken as the first, like a stored type or channel.
  int tab = ReadInt(mStore, Doc::kSettingSettingsTab);
  if (tab < 0 || tab >= kTabCount) WriteInt(mStore, Doc::kSettingSettingsTab, tab = 0);
  mTabs->SetSel(tab);
  for (int position = 0; position < 6; ++position)
    mTypeList->AddString(Doc::AnalysisTypeName(Doc::AnalysisTypeFromListPos(position)).GetText());
  int type = ReadInt(mStore, Doc::kSettingAnalysisType);
  if (type < 0 || type > 5) type = 0;
  mTypeList->SetSelIndex(Doc::ListPosFromAnalysisType(type));
  WriteInt(mStore, Doc::kSettingAnalysisType, type);
  if (mLock) {
    for (OWL::TWindow* control : std::initializer_list<OWL::TWindow*>{mTypeList, mTypeLabel, mSourceList, mSourceLabel,
                                                                      mSelection, mChannel, mSetupGroup})
      control->EnableWindow(false);
  }
  FillSourceList();
  const Doc::ZRSetting_Bool* const regionMode = mStore.GetBoolSetting(Doc::kSettingAnalyseSelection);
  bool const selection = regionMode && regionMode->Get();
  mSelection->SetCheck(selection ? BST_CHECKED : BST_UNCHECKED);
  mChannel->SetCheck(selection ? BST_UNCHECKED : BST_CHECKED);
  ShowPage();
  mHelp->SetBitmap(IDB_HELP_GLYPH);
  mHelp->SetTipText(Text(IDS_DIALOG_HELP_TIP));
  CheckSourceChannel();
  mUpdating = wasUpdating;
}

void SettingsDlg::FillSourceList() {
  int32_t const count = ExtLib::MaxOfThreeCounts(mHostDocument);
  for (int32_t channel = 0; channel < count; ++channel)
    mSourceList->AddString(ExtLib::GetHostObjectText(mHostDocument, channel).GetText());
  long channel = mStore.GetLongValue(Doc::kSettingAnalysisChannel);
  if (channel < 0 || channel >= count) mStore.SetLongValue(Doc::kSettingAnalysisChannel, channel = 0);
  mSourceList->SetSelIndex(static_cast<int>(channel));
  mStore.GetOrCreateGroup(static_cast<int>(channel), -1, mDocument ? mDocument->DataDocument() : nullptr);
}

void SettingsDlg::CleanupWindow() {
  QOR::DialogBase::CleanupWindow();
  if (mDocument) mDocument->SettingsPersistence().SettingsDialogPlacement() = QOR::CaptureWindowPlacement(mHandle);
}

void SettingsDlg::ShowPage() {
  int const tab = mTabs->GetSel();
  WriteInt(mStore, Doc::kSettingSettingsTab, tab);
  int const type = ReadInt(mStore, Doc::kSettingAnalysisType);
  const QOR::String label = Text(type == 1 || type == 5 ? IDS_SETTINGS_TAB_RMP : IDS_SETTINGS_TAB_BASELINE);
  mTabs->SetText(kBaselineTab, label.GetText());
  Base::ZRSubDlg* const old = mPage;
  Base::ZRSubDlg* const page = MakePage(type, tab);
  if (page) {
    page->Create();
    OWL::TRect area = mTabs->GetWindowRect();
    mTabs->AdjustRect(false, area);
    page->Reposition(area);
  }
  mPage = page;
  if (old) {
    old->Destroy(IDCANCEL);
    delete old;
  }
  OnRegionModeClick();
}

void SettingsDlg::StoreDialogState() {
  if (mPage) mPage->Store();
  if (auto* const regionMode = mStore.GetBoolSetting(Doc::kSettingAnalyseSelection))
    regionMode->Set(mSelection->GetCheck() == BST_CHECKED);
  int const type = SelectedType();
  if (type >= 0) WriteInt(mStore, Doc::kSettingAnalysisType, type);
}

void SettingsDlg::Warn() {
  SettingsWarningDlg warning(this);
  warning.Execute();  // always 2
}

LRESULT SettingsDlg::OnTabChanging(NMHDR&) {
  if (mUpdating) return 0;
  mUpdating = true;
  if (mPage && mPage->IsValid()) {
    StoreDialogState();
    ShowPage();
  } else {
    mTabs->SetSel(ReadInt(mStore, Doc::kSettingSettingsTab));
    Warn();
  }
  mUpdating = false;
  return 0;
}

void SettingsDlg::OnAnalysisTypeChange() {
  if (mUpdating) return;
  mUpdating = true;
  if (mPage && mPage->IsValid()) {
    StoreDialogState();
    ShowPage();
  } else {
    mTypeList->SetSelIndex(Doc::ListPosFromAnalysisType(ReadInt(mStore, Doc::kSettingAnalysisType)));
    Warn();
  }
  mUpdating = false;
}

// An invalid page keeps its channel: the selection goes back and the warning shows, as for a
// tab change, so that no invalid value reaches the old channel's group.
void SettingsDlg::OnSourceChange() {
  if (mUpdating) return;
  if (mPage && !mPage->IsValid()) {
    mUpdating = true;
    mSourceList->SetSelIndex(static_cast<int>(mStore.GetLongValue(Doc::kSettingAnalysisChannel)));
    mUpdating = false;
    Warn();
    return;
  }
  CheckSourceChannel();
  if (mPage) mPage->Store();
  mUpdating = true;
  int const previous = static_cast<int>(mStore.GetLongValue(Doc::kSettingAnalysisChannel));
  int const chosen = mSourceList->GetSelIndex();
  if (chosen >= 0) {
    mStore.GetOrCreateGroup(chosen, previous, mDocument ? mDocument->DataDocument() : nullptr);
    mStore.SetLongValue(Doc::kSettingAnalysisChannel, chosen);
  }
  RefreshChannelUnits();
  mUpdating = false;
  if (mPage) mPage->Load();
}

// A failed selection query leaves the stored region as it was.
void SettingsDlg::OnRegionModeClick() {
  if (!mPage) return;
  bool const whole = mChannel->GetCheck() == BST_CHECKED;
  if (whole) {
    for (const Doc::SettingId id : Doc::kSettingsRegion) mStore.SetLongValue(id, -1);
  } else if (IHostSelection* const selection = mDocument ? mDocument->Selection() : nullptr) {
    HostPosition start{0x7FFFFFFF, 0x7FFFFFFF};
    HostPosition end{0x7FFFFFFF, 0x7FFFFFFF};
    if (SUCCEEDED(selection->GetRange(&start, &end))) {
      const long values[] = {start.record, start.tick, end.record, end.tick};
      for (int i = 0; i < 4; ++i) mStore.SetLongValue(Doc::kSettingsRegion[i], values[i]);
    }
  }
  mPage->UpdatePreview(whole);
}

// No selection (no channels) is allowed and checks nothing.
bool SettingsDlg::CheckSourceChannel() {
  int const channel = mSourceList->GetSelIndex();
  bool const refused = channel >= 0 && mDocument &&
                       ExtLib::GetDataDocumentRange(mDocument->DataDocument(), ModuleCalcClass::Id(), channel,
                                                    kChannelCalcKind);
  mSourceError->SetError(Text(IDS_SETTINGS_SOURCE_REFUSED_TITLE), refused, Text(IDS_SETTINGS_SOURCE_REFUSED));
  return !refused;
}

void SettingsDlg::OnOk() {
  StoreDialogState();
  if (mPage && mPage->IsValid() && CheckSourceChannel()) {
    CloseWindow(IDOK);
    return;
  }
  Warn();
}

bool SettingsDlg::CanClose() {
  StoreDialogState();
  return mPage && mPage->IsValid() && QOR::DialogBase::CanClose();
}

void SettingsDlg::RefreshChannelUnits() {
  mChannelUnits = QOR::UnitWithPrefix{L"V", L'm'};
  if (!mDocument || !mDocument->DataDocument()) return;
  const auto channel = static_cast<int32_t>(mStore.GetLongValue(Doc::kSettingAnalysisChannel));
  const std::wstring units =
      ExtLib::GetChannelUnits(mDocument->DataDocument(), channel, static_cast<int32_t>(mPreview.words[12]));
  QOR::UnitWithPrefix read;
  if (!units.empty() && SUCCEEDED(QOR::ReadHostUnitText(units.c_str(), read))) mChannelUnits = read;
}

void SettingsDlg::CmHelp() {
  if (mDocument) mDocument->ShowHelpTopic(L"zr_settingsdialog");  // the answer is not looked at
}

}  // namespace ZR::Dlg
