// The analyze command's --settings-dialog: the dialog a person answers comes first, then the
// analysis with what OK left, the table and the documents file; Cancel leaves all as it was.
#include "tests/support/HostProcess.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cwchar>
#include <string>

namespace {

using testsupport::RunHost;
using testsupport::RunResult;
using testsupport::StartedHost;

std::wstring TextOf(HWND window) {
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  return text;
}

// The child of the dialog with the class and text (the first of the class after the text's
// window when next is set: a list after its label).
HWND ChildOf(HWND dialog, const wchar_t* className, const wchar_t* text, bool next) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (TextOf(child) != text) continue;
    if (!next) return child;
    for (HWND after = child; after; after = GetWindow(after, GW_HWNDNEXT)) {
      wchar_t name[32] = {};
      GetClassNameW(after, name, 32);
      if (_wcsicmp(name, className) == 0) return after;
    }
  }
  return nullptr;
}

// Chooses the analysis type in the other program's dialog as its list reports a choice.
bool ChooseType(HWND dialog, const wchar_t* type) {
  HWND const list = ChildOf(dialog, L"ComboBox", L"&Analysis type:", true);
  const LRESULT index = list ? SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(type))
                             : CB_ERR;
  if (index == CB_ERR) return false;
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  return true;
}

// Each way out of the dialog against the run without it: nothing is printed while the dialog is
// open; OK after choosing Action Potential gives the table that type gives without the dialog,
// and saves a document that analyses so; Cancel after the same choice keeps the options as they
// were, in the table and in the saved document.
TEST(AnalyzeSettingsDialog, AnalysisTableAndSaveFollowTheDialog) {
  ASSERT_TRUE(testsupport::HostBuilt());
  const std::wstring recording = testsupport::WriteCardiacRecording();
  ASSERT_FALSE(recording.empty());
  const std::wstring documents = recording + L".documents";
  const std::wstring analyze = L"analyze --recording \"" + recording + L"\" --table --set 1036=f --documents \"" +
                               documents + L"\" ";
  const struct {
    const wchar_t* button;
    const wchar_t* sameAs;  // the options that give the same table without the dialog
  } ways[] = {{L"OK", L"--type 5"}, {L"Cancel", L""}};
  for (const auto& way : ways) {
    SCOPED_TRACE(testing::Message() << "pressing " << std::string(way.button, way.button + std::wcslen(way.button)));
    DeleteFileW(documents.c_str());
    StartedHost host;
    ASSERT_TRUE(host.Start(analyze + L"--settings-dialog"));
    HWND dialog = nullptr;
    ASSERT_TRUE(host.WaitForWindow(L"Ondara Settings", dialog));
    EXPECT_EQ(0u, host.Unread()) << "printed before the dialog was answered";
    ASSERT_TRUE(ChooseType(dialog, L"Action Potential"));
    HWND const button = ChildOf(dialog, L"Button", way.button, false);
    ASSERT_NE(nullptr, button);
    SendMessageW(button, BM_CLICK, 0, 0);
    RunResult run;
    host.Finish(run);
    // The saved document, opened alone, analyses as it was left.
    RunResult reopened;
    ASSERT_TRUE(RunHost(L"analyze --recording \"" + recording + L"\" --table --documents \"" + documents + L"\"", reopened));
    DeleteFileW(documents.c_str());
    RunResult direct;
    ASSERT_TRUE(RunHost(analyze + way.sameAs, direct));
    ASSERT_EQ(0u, run.exitCode) << run.output.substr(0, 300);
    EXPECT_TRUE(run.output == direct.output) << run.output.substr(0, 300) << "\n---\n" << direct.output.substr(0, 300);
    EXPECT_TRUE(reopened.output == direct.output) << reopened.output.substr(0, 300);
  }
  DeleteFileW(documents.c_str());
  DeleteFileW(recording.c_str());
}

}  // namespace
