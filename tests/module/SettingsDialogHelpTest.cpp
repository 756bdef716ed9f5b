// The module's settings dialog as the host opens it from the document's menu, with the pointer
// resting on its Help button as a user's does.
#include "host/app/SettingsScript.h"
#include "host/app/SettingsScriptPlayer.h"
#include "host/data/DataDocument.h"
#include "host/data/HostDocument.h"
#include "host/view/CustomDocuments.h"
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

TEST(SettingsDialogHelp, ThePointerRestingOnTheHelpButtonShowsGetDialogHelp) {
  ASSERT_EQ(moduletest::RegisterModuleOnce(), S_OK);
  host::Recording recording;
  recording.channels.push_back({L"Vm", L"mV", L""});
  host::RecordData record = host::MakeEmptyRecord(1, 0.001, true);
  const std::vector<float> flat(1000, 0.0f);
  record.samples[0]->Append(flat.data(), 1000);
  record.length = 1000;
  recording.records.push_back(std::move(record));
  auto data = host::DataDocument::Create(std::move(recording));
  auto hostDocument = host::HostDocument::Create(data);
  host::HostPtr<ICustomDocument2> document;
  ASSERT_EQ(host::OpenCustomDocument(*hostDocument.Get(), L"Ondara Document", 0, document), S_OK);

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
  hostDocument->CloseChildDocuments();
  EXPECT_EQ(player.Failure(), "");
  EXPECT_EQ(gTipSeen, L"Get dialog help");
}

}  // namespace
