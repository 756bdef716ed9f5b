// ZR::Doc::ZRDoc: the "Ondara" menu it hands the host, its commands with their enabling rules,
// the three named commands and the settings dialog's round trip.
#include "document/ZRDoc.h"

#include "base/String.h"
#include "document/CycleDetector.h"
#include "document/DocumentStringIds.h"
#include "document/SettingIds.h"
#include "document/SettingsDialogRunner.h"
#include "document/SettingsStore.h"
#include "grid/ITableViewManager.h"
#include "hostapi/DataDocument.h"
#include "hostapi/FrameworkCommands.h"
#include "hostapi/HostFrame.h"
#include "hostapi/MessageHandler.h"
#include "hostapi/PXDetectionSettings.h"
#include "hostclient/DocViewIds.h"
#include "hostclient/HostChildObject.h"
#include "hostclient/HostMenus.h"
#include "hostclient/HostProgress.h"
#include "hostclient/LumoMessageSender.h"
#include "hostclient/ModuleInstance.h"
#include "hostclient/WindowFromHostView.h"
#include "enumerators/framework/HostHelpers.h"
#include "platform/owl/TWindow.h"
#include "platform/uihelpers/ScreenDpi.h"

#include <cstring>
#include <memory>

namespace ZR::Doc {

namespace {

// Pages of the settings dialog the menu opens it at.
constexpr int kDetectorPage = 0;
constexpr int kTableOptionsPage = 3;

SettingsDialogRunner gDialogRunner = nullptr;

QOR::String Text(uint32_t id) { return QOR::String(GetModuleInstance(), id, true); }

// "Ondara|" followed by the item's text.
QOR::String MakeMenuPath(const wchar_t* prefix, uint32_t id) {
  return QOR::String((std::wstring(prefix) + Text(id).GetText()).c_str());
}

VARIANT_BOOL Bool(bool on) { return on ? VARIANT_TRUE : VARIANT_FALSE; }

// The cursor and the mouse position are put back so the cursor's shape refreshes.
class WaitCursorRestoringPosition {
 public:
  WaitCursorRestoringPosition() = default;
  WaitCursorRestoringPosition(const WaitCursorRestoringPosition&) = delete;
  WaitCursorRestoringPosition& operator=(const WaitCursorRestoringPosition&) = delete;
  ~WaitCursorRestoringPosition() {
    mWait.reset();
    POINT point{};
    if (GetCursorPos(&point)) SetCursorPos(point.x, point.y);
  }

 private:
  std::unique_ptr<WaitCursor> mWait = std::make_unique<WaitCursor>();
};

}  // namespace

void SetSettingsDialogRunner(SettingsDialogRunner runner) noexcept { gDialogRunner = runner; }

void ZRDoc::AddHostMenus(IHostMenuList* root) {
  const HINSTANCE instance = GetModuleInstance();
  if (!root || !instance) return;
  const auto value = reinterpret_cast<uintptr_t>(instance);
  const QOR::String tag(L"ONDARA");
  ComPtr<IHostMenuList> entry;
  const auto add = [&] {
    if (entry) root->Add(entry.Get());
  };
  const auto command = [&](uint32_t text, uint32_t id, uint32_t image) {
    CreateHostMenuCommand(value, text, id, MakeMenuPath(L"Ondara|", text), image, QOR::String(), tag, entry);
    add();
  };
  const auto plain = [&](uint32_t text, uint32_t id) {
    CreateHostMenuEntry(value, text, id, MakeMenuPath(L"Ondara|", text), entry);
    add();
  };
  const auto separator = [&](uint32_t position) {
    AddHostMenuItems(QOR::String(L"Ondara|-"), entry, position);
    add();
  };
  CreateHostSubMenu(tag, Text(IDS_ZR_MENU_TITLE), entry);
  add();
  CreateHostMenuTitle(value, QOR::String(L"Ondara^EXTENSION|"), entry);
  add();
  command(IDS_ZR_MENU_SETTINGS, DocIds::SettingsCommand::Id(), 269);
  separator(10);
  command(IDS_ZR_MENU_ANALYSIS_VIEW, DocIds::OpenAnalysisViewCommand::Id(), 272);
  command(IDS_ZR_MENU_TABLE_VIEW, DocIds::OpenTableViewCommand::Id(), 271);
  separator(22);
  plain(IDS_ZR_MENU_PEAK_MARKERS, DocIds::ShowPeakMarkersCommand::Id());
  plain(IDS_ZR_MENU_WHILE_SAMPLING, DocIds::AnalyseWhileSamplingCommand::Id());
  separator(30);
  plain(IDS_ZR_MENU_RESELECT, DocIds::ReselectCommand::Id());
  plain(IDS_ZR_MENU_CLEAR, DocIds::ClearAnalysisCommand::Id());
  command(IDS_ZR_MENU_ANALYZE, DocIds::AnalyseCommand::Id(), 270);
}

bool ZRDoc::HasEvents() { return mDetector && mDetector->EventCount() > 0; }

bool ZRDoc::SettingsPageFlag() {
  VARIANT_BOOL set = VARIANT_FALSE;
  return HostDataDocument() && SUCCEEDED(HostDataDocument()->QueryFlag(kHostDocumentFlagSettingsPage, &set)) &&
         set != VARIANT_FALSE;
}

void ZRDoc::SendToSelf(uint32_t id, uint32_t word0, uint32_t word1) {
  const FrameworkMessageDesc description{id, 0, {word0, word1}};
  SendFrameworkMessage(description, *this, static_cast<ICustomDocument2*>(this), 0);  // the answer is not used
}

void ZRDoc::CeAlwaysEnabled(ICommandState*& state) { state->SetEnabled(VARIANT_TRUE); }

void ZRDoc::CeAnalyze(ICommandState*& state) {
  static const QOR::String channel = Text(IDS_ZR_ANALYZE_CHANNEL);
  static const QOR::String selection = Text(IDS_ZR_ANALYZE_SELECTION);
  state->SetEnabled(Bool(!HostSampling()));
  state->SetText((GetBool(kSettingAnalyseSelection) ? selection : channel).GetText());
}

void ZRDoc::CeAnalyzeWhileSampling(ICommandState*& state) {
  state->SetEnabled(Bool(!HostSampling()));
  state->SetChecked(Bool(GetBool(kSettingWhileSampling)));
}

void ZRDoc::CeShowPeakMarkers(ICommandState*& state) {
  state->SetEnabled(Bool(!HostSampling()));
  state->SetChecked(Bool(GetBool(kSettingShowPeakMarkers)));
}

void ZRDoc::CeReselectAnalyzedData(ICommandState*& state) { state->SetEnabled(Bool(HasAnalysis())); }

void ZRDoc::CeClearAnalysis(ICommandState*& state) {
  state->SetEnabled(Bool(HasEvents() && !(HostSampling() && IsAnalyzeWhileSampling())));
}

void ZRDoc::CmSettings() { RunSettingsDialog(SettingsPageFlag() ? kTableOptionsPage : kDetectorPage, nullptr); }

void ZRDoc::CmAnalysisView() { SendToSelf(kOpenViewMessageId, kOpenViewRequest, DocIds::OpenAnalysisViewMessage::Id()); }

void ZRDoc::CmTableView() { SendToSelf(kOpenViewMessageId, kOpenViewRequest, DocIds::OpenTableViewMessage::Id()); }

void ZRDoc::CmShowPeakMarkers() {
  const bool on = !GetBool(kSettingShowPeakMarkers);
  SetBool(kSettingShowPeakMarkers, on);
  const WaitCursorRestoringPosition wait;
  if (on)
    AttachPeakMarkers();
  else
    DetachPeakMarkers();
  ResetHostState();
}

void ZRDoc::CmAnalyzeWhileSampling() { SetAnalyzeWhileSampling(!IsAnalyzeWhileSampling(), true); }

void ZRDoc::CmReselectAnalyzedData() {
  if (!HasAnalysis() || !Selection()) return;
  Selection()->Clear();
  const SettingsStore& store = GetSettings();
  const HostPosition start{static_cast<int32_t>(store.GetLongValue(kSettingRegionStartRecord)),
                           static_cast<int32_t>(store.GetLongValue(kSettingRegionStartTick))};
  HostPosition end{static_cast<int32_t>(store.GetLongValue(kSettingRegionEndRecord)),
                   static_cast<int32_t>(store.GetLongValue(kSettingRegionEndTick))};
  if (end.record == -1) {
    const RegionPosition dataEnd = DataEnd();
    end = HostPosition{dataEnd.record, dataEnd.tick};
  }
  Selection()->SetRange(start, end);
  Selection()->SelectChannel(store.GetCurrentChannel(), 32000.0, -32000.0);
}

void ZRDoc::CmClearAnalysis() { SendToSelf(DocIds::ClearAnalysisMessage::Id(), 0, 0); }

void ZRDoc::CmAnalyze() { SendToSelf(DocIds::AnalyzeMessage::Id(), 0, 0); }

void ZRDoc::CmHelp() { ShowHelpTopic(L"OndaraHelp"); }

bool ZRDoc::ShowHelpTopic(const wchar_t* topic) {
  ComPtr<IHostFrameHelp> help;
  if (IUnknown* const frame = GetFrameInterface()) frame->QueryInterface(IID_IHostFrameHelp, help.OutVoid());
  return help && SUCCEEDED(help->ShowHelpTopic(topic, 0));
}

// The named commands answer 0: consumed, also when sampling leaves them without effect.
int ZRDoc::OnAnalyzeMessage() {
  if (!HostSampling()) AnalyzeCurrentRegion();
  return 0;
}

int ZRDoc::OnClearAnalysisMessage() {
  if (HostSampling() && IsAnalyzeWhileSampling()) return 0;
  if (HasEvents()) ClearAnalysis();
  return 0;
}

int ZRDoc::OnCopyToDataPadMessage() {
  const WaitCursorRestoringPosition wait;
  ComPtr<ITableViewManager> manager;
  if (FAILED(GetTableViewManager(manager.Out())) || !manager) return 0;
  // Only a lack of memory is what the message says; other failures have told the user already
  // or leave nothing to copy.
  if (manager->CopyToDataPad(0) == E_OUTOFMEMORY) ShowMessage(IDS_ZR_OUT_OF_MEMORY, MB_ICONHAND);
  return 0;
}

void ZRDoc::RunSettingsDialog(int page, OWL::TWindow* parent) {
  std::unique_ptr<OWL::TWindow> alias;
  OWL::TWindow* const frame = WindowFromHostView(GetFrameInterface(), alias);
  ComPtr<IPXPresetService> periodix;
  periodix.Attach(QOR::GetHostChildObject(DataDocument()));
  if (!periodix) {
    ShowMessage(IDS_ZR_NO_PERIODIX, MB_ICONHAND, frame ? frame->GetHandle() : nullptr);
    return;
  }
  // The previews open over the display span the analysis suggests, from the selection's start;
  // the selection fills as much of them on a fine screen, whose preview has more pixels.
  PreviewSetup preview;
  const double span = ExtLib::ChooseDisplaySpan(
      DataDocument(), -1.0, QOR::ScaleForDpi(ExtLib::kDisplaySpanWidth, QOR::ScreenDpi()));
  static_assert(sizeof span == 2 * sizeof preview.words[2]);
  std::memcpy(&preview.words[2], &span, sizeof span);
  TickPosition start;
  if (ExtLib::GetSelectionStart(DataDocument(), &start) && start.record >= 0 && start.tick >= 0) {
    const int64_t position = start.tick;
    static_assert(sizeof position == 2 * sizeof preview.words[0]);
    std::memcpy(&preview.words[0], &position, sizeof position);
    preview.words[12] = static_cast<uint32_t>(start.record);
  }
  if (!gDialogRunner) return;
  std::optional<SettingsStore> edited = gDialogRunner(parent ? parent : frame, HostDataDocument(), page, preview);
  if (!edited) return;
  DetachPeakMarkers();
  GetSettings() = *edited;
  EnsureChannelGroup();
  mPersist.SetDirty();
  RegisterSettingsPersistence();
  const bool bracket = SettingsPageFlag();
  if (bracket) HostDataDocument()->BeginSettingsChange();
  AnalyzeCurrentRegion();
  if (bracket) HostDataDocument()->EndSettingsChange(0.0);
}

}  // namespace ZR::Doc
