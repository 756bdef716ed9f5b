// The "Format Column" dialog driven through the scripted modal seam.
#include "grid/SigFigDialog.h"

#include "tests/support/ScriptedModalSeam.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

using namespace TableView;

namespace {

struct Shown {
  std::wstring figures;
  bool checked = false;
  int lower = 0;
  int upper = 0;
  std::wstring caption;
};

// Runs the dialog with values, notes what it shows, types `typed`, sets the box and presses OK.
INT_PTR RunTyping(ScriptedModalSeam& seam, SigFigValues& values, const wchar_t* typed, bool applyAll, Shown& shown) {
  seam.DialogScript = [&](OWL::TDialog& dialog) {
    HWND const handle = dialog.GetHandle();
    wchar_t text[32] = {};
    GetDlgItemTextW(handle, kSigFigEditId, text, 32);
    shown.figures = text;
    GetWindowTextW(handle, text, 32);
    shown.caption = text;
    shown.checked = IsDlgButtonChecked(handle, kSigFigApplyAllId) == BST_CHECKED;
    SendDlgItemMessageW(handle, kSigFigUpDownId, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&shown.lower),
                        reinterpret_cast<LPARAM>(&shown.upper));
    SetDlgItemTextW(handle, kSigFigEditId, typed);
    CheckDlgButton(handle, kSigFigApplyAllId, applyAll ? BST_CHECKED : BST_UNCHECKED);
    SendMessageW(handle, WM_COMMAND, IDOK, 0);
  };
  return RunSigFigDialog(nullptr, values);
}

}  // namespace

TEST(SigFigDialog, ShowsTheFiguresAcceptsOneToTenAndRefusesMore) {
  ScriptedModalSeam seam;
  SigFigValues values;
  Shown shown;
  EXPECT_EQ(IDOK, RunTyping(seam, values, L"7", true, shown));
  EXPECT_EQ(L"Format Column", shown.caption);
  EXPECT_EQ(L"4", shown.figures);
  EXPECT_FALSE(shown.checked);
  EXPECT_EQ(1, shown.lower);
  EXPECT_EQ(10, shown.upper);
  EXPECT_EQ(7, values.Figures);
  EXPECT_TRUE(values.ApplyToAll);
  EXPECT_TRUE(seam.MessageTexts.empty());

  EXPECT_EQ(IDCANCEL, RunTyping(seam, values, L"11", false, shown)) << "the dialog stays open until cancelled";
  EXPECT_EQ(L"7", shown.figures);
  EXPECT_TRUE(shown.checked);
  ASSERT_EQ(1u, seam.MessageTexts.size());
  EXPECT_EQ(L"Value is not in the range 1 to 10.", seam.MessageTexts[0]);
  EXPECT_EQ(7, values.Figures) << "a refused dialog leaves the values";
  EXPECT_TRUE(values.ApplyToAll);

  EXPECT_EQ(IDCANCEL, RunTyping(seam, values, L"", false, shown)) << "an empty edit is refused too";
  EXPECT_EQ(IDOK, RunTyping(seam, values, L"10", false, shown));
  EXPECT_EQ(10, values.Figures);
  EXPECT_FALSE(values.ApplyToAll);
}
