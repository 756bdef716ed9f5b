// The document's "Ondara" menu and commands as the host drives them: the menu tree the class
// builds, enabling, checks and texts while idle and while sampling, what each command does or
// sends, the named commands, and the settings dialog's Cancel and OK.
#include "document/ZRDoc.h"

#include "document/CycleDetector.h"
#include "document/HelpTopic.h"
#include "settingsdlg/RunSettingsDlg.h"
#include "settingsdlg/SettingsDlg.h"
#include "settingsdlg/ZRSubDlg.h"
#include "host/framework/FrameworkRecords.h"
#include "host/framework/HostObservation.h"
#include "hostapi/FrameworkCommands.h"
#include "hostclient/DocViewIds.h"
#include "hostclient/LumoDocumentClassBase.h"
#include "hostclient/ModuleInstance.h"
#include "tests/document/ZRDocFixture.h"
#include "tests/support/RecordedCommandState.h"
#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include <string>
#include <vector>

namespace {

using ZR::Doc::ZRDoc;

std::wstring Hex(uintptr_t value) {
  wchar_t buffer[16];
  swprintf(buffer, 16, L"0x%X", static_cast<unsigned>(value));
  return buffer;
}

class DocumentCommandsTest : public doctest::ZRDocTest {
 protected:
  // The settings command opens the dialog the module registers for it.
  static void SetUpTestSuite() {
    doctest::ZRDocTest::SetUpTestSuite();
    ZR::Doc::SetSettingsDialogRunner(&ZR::Dlg::RunSettingsDlg);
  }
  static void TearDownTestSuite() { ZR::Doc::SetSettingsDialogRunner(nullptr); }
  ILumoCommandHandler& Commands() {
    mDocument->QueryInterface(IID_ILumoCommandHandler, mCommands.OutVoid());
    return *mCommands.Get();
  }
  RecordedCommandState State(uint32_t id) {
    RecordedCommandState state;
    EXPECT_EQ(S_OK, Commands().QueryState(id, &state)) << Hex(id);
    return state;
  }
  HostCompanionRecord CompanionRecord() {
    HostCompanionRecord record{};
    ComPtr<IHostCompanionRecord> part;
    mDoc->Companion()->QueryInterface(IID_IHostCompanionRecord, part.OutVoid());
    if (part) part->GetRecord(&record);
    return record;
  }

  ComPtr<ILumoCommandHandler> mCommands;
};

TEST_F(DocumentCommandsTest, TheMenuComesBackInOrderWithPathsPositionsAndImages) {
  // The menu carries the module's instance; here the test program stands for the module.
  const HINSTANCE previous = GetModuleInstance();
  SetModuleInstance(GetModuleHandleW(nullptr));
  ILumoClassObject* const made = ZR::Doc::NewDocumentClass();
  ASSERT_NE(nullptr, made);
  made->AddRef();  // the menu root holds the class as its command handler: both stay
  auto* const documentClass = static_cast<LumoDocumentClassBase*>(static_cast<ICustomDocClass*>(made));
  ASSERT_EQ(S_OK, documentClass->RequestMenus(nullptr));
  ComPtr<IHostMenuRecord> record;
  documentClass->MenuRoot()->QueryInterface(IID_IHostMenuRecord, record.OutVoid());
  BSTR tree = nullptr;
  ASSERT_EQ(S_OK, record->Describe(&tree));
  const std::wstring described(tree, SysStringLen(tree));
  SysFreeString(tree);

  wchar_t guid[40];
  StringFromGUID2(ZRDocGUID, guid, 40);
  const std::wstring module = Hex(reinterpret_cast<uintptr_t>(GetModuleInstance()));
  const auto command = [&](const wchar_t* text, uint32_t id, int position, int image) {
    return L"  command \"Ondara|" + std::wstring(text) + L"\" id " + Hex(id) + L" position " + std::to_wstring(position) +
           L" parent " + module + L" flag " + std::to_wstring(image) + L" help \"\" tag \"ONDARA\"\n";
  };
  const auto entry = [&](const wchar_t* text, uint32_t id, int position) {
    return L"  entry \"Ondara|" + std::wstring(text) + L"\" id " + Hex(id) + L" position " + std::to_wstring(position) +
           L" parent " + module + L"\n";
  };
  const std::wstring expected =
      L"root " + std::wstring(guid) + L"\n" + L"  submenu \"ONDARA\" title \"Ondara\" order 10000\n" +
      L"  entry \"Ondara^EXTENSION|\" id 0x7D0 position " +
      std::to_wstring(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(GetModuleInstance()))) + L" parent 0x0\n" +
      command(L"&Settings...", DocIds::SettingsCommand::Id(), 2016, 269) + L"  items \"Ondara|-\" order 10\n" +
      command(L"&Analysis View", DocIds::OpenAnalysisViewCommand::Id(), 2032, 272) +
      command(L"&Table View", DocIds::OpenTableViewCommand::Id(), 2048, 271) + L"  items \"Ondara|-\" order 22\n" +
      entry(L"Show &Peak Markers", DocIds::ShowPeakMarkersCommand::Id(), 2064) +
      entry(L"Analyze &while sampling", DocIds::AnalyseWhileSamplingCommand::Id(), 2080) +
      L"  items \"Ondara|-\" order 30\n" + entry(L"&Reselect Analyzed Data", DocIds::ReselectCommand::Id(), 2096) +
      entry(L"&Clear Analysis", DocIds::ClearAnalysisCommand::Id(), 2112) +
      command(L"Analyze Channel", DocIds::AnalyseCommand::Id(), 139, 270);
  EXPECT_EQ(expected, described);
  SetModuleInstance(previous);
}

TEST_F(DocumentCommandsTest, ItemsFollowSamplingTheSettingsAndTheResults) {
  ZRDoc& doc = Open();
  const std::vector<uint32_t> samplingSensitive{DocIds::AnalyseCommand::Id(), DocIds::AnalyseWhileSamplingCommand::Id(),
                                                DocIds::ShowPeakMarkersCommand::Id()};
  const std::vector<uint32_t> always{DocIds::SettingsCommand::Id(), DocIds::OpenAnalysisViewCommand::Id(),
                                     DocIds::OpenTableViewCommand::Id(), DocIds::HelpCommand::Id()};
  EXPECT_FALSE(State(DocIds::ClearAnalysisCommand::Id()).enabled) << "no events";
  EXPECT_FALSE(State(DocIds::ReselectCommand::Id()).enabled) << "no analysis";
  EXPECT_EQ(L"A&nalyze Channel", State(DocIds::AnalyseCommand::Id()).text);
  Set(2004, L"t");
  Set(2009, L"t");
  Set(2010, L"f");
  EXPECT_EQ(L"A&nalyze Selection", State(DocIds::AnalyseCommand::Id()).text);
  EXPECT_TRUE(State(DocIds::AnalyseWhileSamplingCommand::Id()).checked);
  EXPECT_FALSE(State(DocIds::ShowPeakMarkersCommand::Id()).checked);
  Set(2004, L"f");
  Set(2009, L"f");
  Set(2010, L"t");
  EXPECT_FALSE(State(DocIds::AnalyseWhileSamplingCommand::Id()).checked);
  EXPECT_TRUE(State(DocIds::ShowPeakMarkersCommand::Id()).checked);
  ASSERT_TRUE(doc.RunAnalysis(false, true));
  Set(2009, L"t");
  for (const bool sampling : {false, true}) {
    if (sampling) doc.OnSamplingStart();
    for (const uint32_t id : samplingSensitive) EXPECT_EQ(!sampling, State(id).enabled) << Hex(id) << sampling;
    for (const uint32_t id : always) EXPECT_TRUE(State(id).enabled) << Hex(id) << sampling;
    EXPECT_TRUE(State(DocIds::ReselectCommand::Id()).enabled) << sampling;
    EXPECT_EQ(!sampling, State(DocIds::ClearAnalysisCommand::Id()).enabled) << "online analysis while sampling";
  }
  doc.OnSamplingStop();
}

TEST_F(DocumentCommandsTest, CommandsSendTheirMessagesAndNamedOnesWaitWhileSampling) {
  ZRDoc& doc = Open();
  for (const auto& [command, view] : std::vector<std::pair<uint32_t, uint32_t>>{
           {DocIds::OpenAnalysisViewCommand::Id(), DocIds::OpenAnalysisViewMessage::Id()},
           {DocIds::OpenTableViewCommand::Id(), DocIds::OpenTableViewMessage::Id()}}) {
    EXPECT_EQ(S_OK, Commands().Execute(command));
    const HostCompanionRecord record = CompanionRecord();
    EXPECT_EQ(kOpenViewMessageId, record.lastMessageId);
    EXPECT_EQ(kOpenViewRequest, record.lastMessageData[0]);
    EXPECT_EQ(view, record.lastMessageData[1]);
  }
  doc.OnSamplingStart();
  EXPECT_EQ(S_OK, SendAnalyze()) << "consumed";
  EXPECT_EQ(0, Events()) << "nothing analysed while sampling";
  doc.OnSamplingStop();
  EXPECT_EQ(S_OK, Commands().Execute(DocIds::AnalyseCommand::Id()));
  EXPECT_EQ(8, Events());
  Set(2009, L"t");
  doc.OnSamplingStart();
  EXPECT_EQ(S_OK, SendNamed(L"ZR_ClearAnalysis"));
  EXPECT_EQ(8, Events()) << "an online analysis keeps its results while sampling";
  doc.OnSamplingStop();
  Set(2009, L"f");
  EXPECT_EQ(S_OK, Commands().Execute(DocIds::ClearAnalysisCommand::Id()));
  EXPECT_EQ(0, Events());
  EXPECT_EQ(S_OK, SendNamed(L"ZR_ClearAnalysis")) << "no events: nothing to do";
  // Without a Table View the copy fails for want of rows, not of memory: no message.
  EXPECT_EQ(S_OK, SendNamed(L"ZR_TableView_CopyToDataPad"));
  EXPECT_TRUE(doctest::gBoxes.empty());
}

TEST_F(DocumentCommandsTest, MarkersWhileSamplingAndReselectionFollowTheirCommands) {
  ZRDoc& doc = Open();
  Set(2009, L"t");
  ASSERT_TRUE(doc.RunAnalysis(false, true));
  ASSERT_EQ(-1, Value(ZR::Doc::kSettingRegionEndRecord)) << "an open region";
  doc.Selection()->SetRange({0, 10}, {0, 20});
  EXPECT_EQ(S_OK, Commands().Execute(DocIds::ReselectCommand::Id()));
  HostPosition start{};
  HostPosition end{};
  doc.Selection()->GetRange(&start, &end);
  EXPECT_EQ((std::vector<int32_t>{0, 0, 1, 5000}), (std::vector<int32_t>{start.record, start.tick, end.record, end.tick}))
      << "up to the data end";
  int32_t channel = -1;
  doc.Selection()->GetSelectedChannel(&channel);
  EXPECT_EQ(0, channel);

  const bool markers = Flag(ZR::Doc::kSettingShowPeakMarkers);
  EXPECT_EQ(S_OK, Commands().Execute(DocIds::ShowPeakMarkersCommand::Id()));
  EXPECT_NE(markers, Flag(ZR::Doc::kSettingShowPeakMarkers));
  EXPECT_EQ(S_OK, doc.SettingsPersistence().IsDirty());
  EXPECT_EQ(S_OK, Commands().Execute(DocIds::AnalyseWhileSamplingCommand::Id()));
  EXPECT_FALSE(Flag(ZR::Doc::kSettingWhileSampling));
  EXPECT_EQ(S_OK, Commands().Execute(DocIds::HelpCommand::Id())) << "no frame: nothing opens";
}

TEST_F(DocumentCommandsTest, SettingsDialogNeedsPeriodixAndCancelChangesNothing) {
  ScriptedModalSeam seam;
  int dialogs = 0;
  seam.DialogScript = [&](OWL::TDialog&) { ++dialogs; };
  Open(2, 5000, false);
  EXPECT_EQ(S_OK, Commands().Execute(DocIds::SettingsCommand::Id()));
  ASSERT_EQ(1u, doctest::gBoxes.size());
  EXPECT_EQ(L"Ondara requires the Periodix standard extension.", doctest::gBoxes[0].text);
  EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), doctest::gBoxes[0].type);
  EXPECT_EQ(0, dialogs);

  mHost->CloseChildDocuments();
  mCommands.Reset();
  ZRDoc& doc = Open();
  ASSERT_TRUE(doc.RunAnalysis(false, true));
  const std::vector<std::vector<int32_t>> attached{
      mData->Objects().Find(static_cast<int32_t>(Value(ZR::Doc::kSettingDetectorObject)), kMarkerObjectKind)->channels};
  seam.DialogScript = [&](OWL::TDialog& dialog) {
    ++dialogs;
    auto& settings = dynamic_cast<ZR::Dlg::SettingsDlg&>(dialog);
    EXPECT_EQ(0, settings.Lock());
    settings.Store().FindSetting(ZR::Doc::kSettingMinPeakWidthCAP)->FromText(QOR::String(L"40"), true);
  };
  EXPECT_EQ(S_OK, Commands().Execute(DocIds::SettingsCommand::Id()));
  EXPECT_EQ(1, dialogs);
  EXPECT_NE(L"40", Text(ZR::Doc::kSettingMinPeakWidthCAP));
  EXPECT_EQ(8, Events());
  EXPECT_EQ(S_FALSE, doc.SettingsPersistence().IsDirty());
  EXPECT_FALSE(doc.PersistenceRegistered());
  EXPECT_EQ(
      attached[0],
      mData->Objects().Find(static_cast<int32_t>(Value(ZR::Doc::kSettingDetectorObject)), kMarkerObjectKind)->channels);
}

TEST_F(DocumentCommandsTest, SettingsDialogOkAppliesTheCopyAndAnalysesInsideTheBracket) {
  ZRDoc& doc = Open();
  ASSERT_TRUE(doc.RunAnalysis(false, true));
  const auto markerChannels = [&] {
    return mData->Objects()
        .Find(static_cast<int32_t>(Value(ZR::Doc::kSettingDetectorObject)), kMarkerObjectKind)
        ->channels;
  };
  const std::vector<int32_t> attached = markerChannels();
  ASSERT_FALSE(attached.empty());
  host::Progress() = host::ProgressLog{};
  mHost->SetSettingsPageFlag(true);
  // What the document has done by each bracket call: markers detached, store assigned, dirty,
  // registered before the first; the one analysis between the two.
  struct Seen {
    std::wstring entry;
    std::wstring setting;
    HRESULT dirty;
    bool registered;
    size_t analyses;
    std::vector<int32_t> markers;
  };
  std::vector<Seen> seen;
  mHost->OnSettingsChange([&](const std::wstring& entry) {
    seen.push_back({entry, Text(ZR::Doc::kSettingMinPeakWidthCAP), doc.SettingsPersistence().IsDirty(),
                    doc.PersistenceRegistered(), host::Progress().titles.size(), markerChannels()});
  });
  ScriptedModalSeam seam;
  seam.DialogScript = [&](OWL::TDialog& dialog) {
    auto& settings = dynamic_cast<ZR::Dlg::SettingsDlg&>(dialog);
    EXPECT_EQ(3, settings.Lock()) << "the host asked for the table page";
    ASSERT_NE(settings.CurrentPage(), nullptr);
    SetWindowTextW(settings.CurrentPage()->GetDlgItem(1008), L"40");  // the width, typed on the detector page
    dialog.CloseWindow(IDOK);
  };
  EXPECT_EQ(S_OK, Commands().Execute(DocIds::SettingsCommand::Id()));
  mHost->OnSettingsChange(nullptr);
  ASSERT_EQ(2u, seen.size());
  EXPECT_EQ(L"begin", seen[0].entry);
  EXPECT_EQ(L"40", seen[0].setting);
  EXPECT_EQ(S_OK, seen[0].dirty);
  EXPECT_TRUE(seen[0].registered);
  EXPECT_EQ(0u, seen[0].analyses);
  EXPECT_TRUE(seen[0].markers.empty()) << "the peak markers were detached first";
  EXPECT_EQ(L"end 0", seen[1].entry);
  EXPECT_EQ(1u, seen[1].analyses) << "analysed once, inside the bracket";
  EXPECT_EQ(attached, seen[1].markers);
  EXPECT_EQ((std::vector<std::wstring>{L"Processing"}), host::Progress().titles);
  EXPECT_TRUE(Flag(ZR::Doc::kSettingRegionStored));
}

// The dialog opens at the document's record (kept with the settings stream), moved onto its
// monitor, and leaves its last position there.
TEST_F(DocumentCommandsTest, SettingsDialogOpensWhereItWasLastClosed) {
  ZRDoc& doc = Open();
  QOR::WindowPlacement& placement = doc.SettingsPersistence().SettingsDialogPlacement();
  ScriptedModalSeam seam;
  std::vector<RECT> opened;
  seam.DialogScript = [&](OWL::TDialog& dialog) {
    RECT rect{};
    GetWindowRect(dialog.GetHandle(), &rect);
    opened.push_back(rect);
    SetWindowPos(dialog.GetHandle(), nullptr, 37, 41, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  };
  EXPECT_EQ(S_OK, Commands().Execute(DocIds::SettingsCommand::Id()));
  ASSERT_EQ(1u, opened.size());
  EXPECT_EQ(1, placement.valid);
  EXPECT_EQ(37, placement.rect.left);
  EXPECT_EQ(41, placement.rect.top);
  const LONG width = opened[0].right - opened[0].left;
  EXPECT_EQ(width, placement.rect.right - placement.rect.left);
  EXPECT_EQ(S_OK, Commands().Execute(DocIds::SettingsCommand::Id()));
  ASSERT_EQ(2u, opened.size());
  EXPECT_EQ(37, opened[1].left);
  EXPECT_EQ(41, opened[1].top);
  // A position off every monitor comes back onto the work area, size kept.
  placement.rect = RECT{-20000, -20000, -20000 + width, -20000 + opened[0].bottom - opened[0].top};
  EXPECT_EQ(S_OK, Commands().Execute(DocIds::SettingsCommand::Id()));
  ASSERT_EQ(3u, opened.size());
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(work.left, opened[2].left);
  EXPECT_EQ(work.top, opened[2].top);
  EXPECT_EQ(width, opened[2].right - opened[2].left);
}

// Help opens through the host: the menu's topic over the frame, and the module's topics in its
// help file through the host application's help service.
TEST_F(DocumentCommandsTest, HelpOpensTopicsThroughTheHost) {
  Open();
  lumo_observe::Clear();
  EXPECT_EQ(S_OK, Commands().Execute(DocIds::HelpCommand::Id()));
  EXPECT_EQ(S_OK, ZR::Doc::ShowHelpTopic(L"zr_settingsdialog"));
  EXPECT_EQ(E_POINTER, ZR::Doc::ShowHelpTopic(nullptr));
  const std::wstring expected[][2] = {{L"", L"OndaraHelp"}, {L"OndaraHelp", L"zr_settingsdialog"}};
  for (uint32_t i = 0; i < 2; ++i) {
    std::wstring file;
    std::wstring topic;
    ASSERT_TRUE(lumo_observe::GetHelpRequest(i, file, topic)) << i;
    EXPECT_EQ(expected[i][0], file) << i;
    EXPECT_EQ(expected[i][1], topic) << i;
  }
  std::wstring file;
  std::wstring topic;
  EXPECT_FALSE(lumo_observe::GetHelpRequest(2, file, topic));
}

}  // namespace
