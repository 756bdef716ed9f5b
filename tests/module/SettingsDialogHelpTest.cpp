// The module's settings dialog as the host opens it from the document's menu, with the pointer
// resting on its Help button as a user's does.
#include "host/app/ChannelCalcRun.h"
#include "host/app/SettingsScript.h"
#include "host/app/SettingsScriptPlayer.h"
#include "host/data/DataDocument.h"
#include "host/data/HostDocument.h"
#include "host/data/CustomDocuments.h"
#include "hostapi/DocumentSettings.h"
#include "tests/module/RegisteredModule.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// The text of every tip window the thread showed while the dialog was open, the last one kept.
std::wstring gTipSeen;

BOOL CALLBACK NoteTip(HWND window, LPARAM) noexcept {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  if (std::wstring(name) != L"QOR::Popup" || !IsWindowVisible(window)) return TRUE;
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  gTipSeen = text;
  return TRUE;
}

void CALLBACK WatchTips(HWND, UINT, UINT_PTR, DWORD) noexcept {
  EnumThreadWindows(GetCurrentThreadId(), &NoteTip, 0);
}

host::Recording FlatRecording() {
  host::Recording recording;
  recording.channels.push_back({L"Vm", L"mV", L""});
  host::RecordData record = host::MakeEmptyRecord(1, 0.001, true);
  const std::vector<float> flat(1000, 0.0f);
  record.samples[0]->Append(flat.data(), 1000);
  record.length = 1000;
  recording.records.push_back(std::move(record));
  return recording;
}

// The module's document over a flat one-channel recording, as the host opens it.
class SettingsDialogHelp : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(moduletest::RegisterModuleOnce(), S_OK);
    data = host::DataDocument::Create(FlatRecording());
    hostDocument = host::HostDocument::Create(data);
    ASSERT_EQ(host::OpenCustomDocument(*hostDocument.Get(), L"Ondara Document", 0, document), S_OK);
  }
  void TearDown() override {
    if (hostDocument) hostDocument->CloseChildDocuments();
  }

  host::HostPtr<host::DataDocument> data;
  host::HostPtr<host::HostDocument> hostDocument;
  host::HostPtr<ICustomDocument2> document;
};

TEST_F(SettingsDialogHelp, ThePointerRestingOnTheHelpButtonShowsGetDialogHelp) {
  ondara_host::SettingsScript script;
  std::string error;
  ASSERT_TRUE(ondara_host::ParseSettingsScript(L"hover #9\ncancel\n", script, error)) << error;
  ondara_host::SettingsScriptPlayer player(std::move(script));
  gTipSeen.clear();
  const UINT_PTR watch = SetTimer(nullptr, 0, 50, &WatchTips);
  player.Start();
  EXPECT_EQ(host::RunMenuCommand(document.Get(), L"Ondara Document", L"Ondara|Settings..."), S_OK);
  player.Stop();
  KillTimer(nullptr, watch);
  EXPECT_EQ(player.Failure(), "");
  EXPECT_EQ(gTipSeen, L"Get dialog help");
}

// The channel calculation's dialog, played by a timer of the test: once the dialog is open the
// pointer rests on its Help button until a tip shows (or two seconds pass), then Cancel.
struct CalcDialogHover {
  int stage = 0;
  DWORD restStart = 0;
};
CalcDialogHover gHover;

BOOL CALLBACK FindHelpDialog(HWND window, LPARAM found) noexcept {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) != L"#32770" || !IsWindowVisible(window) || !GetDlgItem(window, 9)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

void CALLBACK PlayCalcDialog(HWND, UINT, UINT_PTR, DWORD) noexcept {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &FindHelpDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  if (gHover.stage == 0) {
    RECT place{};
    GetWindowRect(GetDlgItem(dialog, 9), &place);
    const POINT centre{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    SetCursorPos(centre.x, centre.y);
    HWND const under = WindowFromPoint(centre);
    POINT client = centre;
    ScreenToClient(under, &client);
    SendMessageW(under, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    gHover = CalcDialogHover{1, GetTickCount()};
    return;
  }
  EnumThreadWindows(GetCurrentThreadId(), &NoteTip, 0);
  if (gHover.stage == 1 && (!gTipSeen.empty() || GetTickCount() - gHover.restStart > 2000)) {
    gHover.stage = 2;
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  }
}

TEST_F(SettingsDialogHelp, TheChannelCalculationsHelpButtonShowsItToo) {
  host::HostPtr<IDocumentSettingsScript> settings(nullptr);
  ASSERT_EQ(document->QueryInterface(IID_IDocumentSettingsScript, reinterpret_cast<void**>(settings.Out())), S_OK);
  ASSERT_EQ(settings->SetSettingText(2000, L"1"), S_OK);  // an analysis type, which the calculation needs

  gTipSeen.clear();
  gHover = CalcDialogHover{};
  const UINT_PTR play = SetTimer(nullptr, 0, 50, &PlayCalcDialog);
  EXPECT_EQ(host::RunChannelCalcDialog(hostDocument.Get(), data.Get()), 0);
  KillTimer(nullptr, play);
  EXPECT_EQ(gHover.stage, 2);
  EXPECT_EQ(gTipSeen, L"Get dialog help");
}

}  // namespace
