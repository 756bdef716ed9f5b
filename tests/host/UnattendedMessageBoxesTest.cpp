// Message boxes of an unattended run: written as one line each and answered with the default
// button; boxes with the error or warning icon count as failures.
#include "host/app/UnattendedMessageBoxes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace host {
namespace {

std::string Written(FILE* file) {
  std::rewind(file);
  std::string text;
  for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
  return text;
}

TEST(UnattendedMessageBoxes, WritesEachBoxAndAnswersItsDefaultButton) {
  FILE* out = std::tmpfile();
  ASSERT_NE(nullptr, out);
  {
    UnattendedMessageBoxes boxes(out);
    EXPECT_EQ(IDNO, MessageBoxW(nullptr, L"Keep the\r\nanalysis?", L"Ondara", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_EQ(IDOK, MessageBoxW(nullptr, L"Done.", L"Ondara", MB_OKCANCEL | MB_ICONINFORMATION));
    EXPECT_FALSE(boxes.FailureSeen());
    EXPECT_EQ(IDCANCEL, MessageBoxW(nullptr, L"No detector.", L"Ondara", MB_RETRYCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2));
    EXPECT_TRUE(boxes.FailureSeen());
    EXPECT_EQ(3, boxes.BoxCount());
  }
  EXPECT_EQ("Ondara: Keep the analysis?\nOndara: Done.\nOndara: No detector.\n", Written(out));
  std::fclose(out);
}

// A dialog of the program's own is left to whoever drives it.
INT_PTR CALLBACK ClosingProcedure(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  if (message == WM_COMMAND) EndDialog(dialog, 7);
  return message == WM_INITDIALOG;
}

TEST(UnattendedMessageBoxes, LeavesTheProgramsOwnDialogs) {
  FILE* out = std::tmpfile();
  ASSERT_NE(nullptr, out);
  UnattendedMessageBoxes boxes(out);
  struct {
    DLGTEMPLATE head;
    WORD menu, windowClass, title;
  } dialog{{WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 0, 0, 0, 100, 50}, 0, 0, 0};
  EXPECT_EQ(7, DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &dialog.head, nullptr, &ClosingProcedure, 0));
  EXPECT_EQ(0, boxes.BoxCount());
  EXPECT_EQ("", Written(out));
  std::fclose(out);
}

}  // namespace
}  // namespace host
