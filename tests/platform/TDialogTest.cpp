// OWL::TDialog from an in-memory template: binding of control objects, validation on OK, the
// scripted modal seam (OK and Cancel), the real modal loop, and modeless use.
#include "platform/owl/TDialog.h"

#include "base/XQOR.h"
#include "platform/owl/TButton.h"
#include "platform/owl/TCheckBox.h"
#include "platform/owl/TComboBox.h"
#include "platform/owl/TEdit.h"
#include "platform/owl/TRangeValidator.h"
#include "tests/support/DialogTemplate.h"
#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int kEditId = 110;
constexpr int kComboId = 1001;
constexpr int kCheckId = 1002;

std::vector<uint8_t> RangeTemplate() {
  DialogTemplate t(L"Range", 160, 90);
  t.Item(DialogTemplate::kStatic, 100, L"&Value:", 7, 9, 40, 8, SS_LEFT)
      .Item(DialogTemplate::kEdit, kEditId, L"", 50, 7, 40, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL)
      .Item(DialogTemplate::kComboBox, kComboId, L"", 50, 24, 60, 60, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP)
      .Item(DialogTemplate::kButton, kCheckId, L"Apply", 50, 42, 60, 10, BS_AUTOCHECKBOX | WS_TABSTOP)
      .Item(DialogTemplate::kButton, IDOK, L"OK", 50, 68, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP)
      .Item(DialogTemplate::kButton, IDCANCEL, L"Cancel", 104, 68, 50, 14, BS_PUSHBUTTON | WS_TABSTOP);
  return t.Bytes();
}

class RangeDialog : public OWL::TDialog {
 public:
  RangeDialog() : RangeDialog(RangeTemplate()) {}

  OWL::TEdit* Edit;
  OWL::TComboBox* Combo;
  OWL::TCheckBox* Check;
  bool CloseAtOnce = false;
  std::wstring SavedText;
  int SavedChoice = -2;

  void SetupWindow() override {
    TDialog::SetupWindow();
    Combo->AddString(L"one");
    Combo->AddString(L"two");
    Combo->SetSelIndex(0);
    Edit->SetText(L"5");
    if (CloseAtOnce) PostMessage(WM_COMMAND, IDOK);
  }
  void CleanupWindow() override {
    SavedText = Edit->GetText();
    SavedChoice = Combo->GetSelIndex();
    TDialog::CleanupWindow();
  }

 private:
  explicit RangeDialog(const std::vector<uint8_t>& bytes) : TDialog(nullptr, bytes.data(), bytes.size()) {
    Edit = new OWL::TEdit(this, kEditId, 8);
    Edit->SetValidator(new OWL::TRangeValidator(1, 10));
    Combo = new OWL::TComboBox(this, kComboId);
    Check = new OWL::TCheckBox(this, kCheckId);
  }
};

void Press(OWL::TDialog& dialog, int id) {
  SendMessageW(dialog.GetDlgItem(id), BM_CLICK, 0, 0);
}

}  // namespace

TEST(TDialog, ScriptedModalRunBindsControlsAndEndsWithOk) {
  ScriptedModalSeam seam;
  RangeDialog dialog;
  seam.DialogScript = [](OWL::TDialog& d) {
    auto& range = static_cast<RangeDialog&>(d);
    EXPECT_EQ(range.Edit->GetHandle(), d.GetDlgItem(kEditId));
    EXPECT_EQ(range.Combo->GetString(1), L"two");
    range.Edit->SetText(L"7");
    range.Combo->SetSelIndex(1);
    range.Check->Check();
    Press(d, IDOK);
  };
  EXPECT_EQ(dialog.Execute(), IDOK);
  EXPECT_EQ(dialog.SavedText, L"7");
  EXPECT_EQ(dialog.SavedChoice, 1);
  EXPECT_TRUE(seam.MessageTexts.empty());
  EXPECT_EQ(dialog.GetHandle(), nullptr);
  EXPECT_EQ(dialog.Edit->GetHandle(), nullptr);
}

TEST(TDialog, OkWithAnOutOfRangeValueComplainsAndStaysOpen) {
  ScriptedModalSeam seam;
  RangeDialog dialog;
  seam.DialogScript = [&seam](OWL::TDialog& d) {
    auto& range = static_cast<RangeDialog&>(d);
    range.Edit->SetText(L"42");
    Press(d, IDOK);
    EXPECT_NE(d.GetHandle(), nullptr);
    ASSERT_EQ(seam.MessageTexts.size(), 1u);
    EXPECT_EQ(seam.MessageTexts[0], L"Value is not in the range 1 to 10.");
    range.Edit->SetText(L"10");
    Press(d, IDOK);
  };
  EXPECT_EQ(dialog.Execute(), IDOK);
  EXPECT_EQ(dialog.SavedText, L"10");
}

TEST(TDialog, CancelEndsWithoutValidating) {
  ScriptedModalSeam seam;
  RangeDialog dialog;
  seam.DialogScript = [](OWL::TDialog& d) {
    static_cast<RangeDialog&>(d).Edit->SetText(L"x");
    Press(d, IDCANCEL);
  };
  EXPECT_EQ(dialog.Execute(), IDCANCEL);
  EXPECT_TRUE(seam.MessageTexts.empty());
}

TEST(TDialog, RealModalLoopEndsWithThePostedOkAndRunsAgain) {
  RangeDialog dialog;
  dialog.CloseAtOnce = true;
  EXPECT_EQ(dialog.Execute(), IDOK);
  EXPECT_EQ(dialog.SavedText, L"5");
  dialog.SavedText.clear();
  EXPECT_EQ(dialog.Execute(), IDOK);  // the control objects bind to the new dialog's items
  EXPECT_EQ(dialog.SavedText, L"5");
}

TEST(TDialog, RunsModelessAndKeepsItsResult) {
  RangeDialog dialog;
  dialog.Create();
  ASSERT_NE(dialog.GetHandle(), nullptr);
  EXPECT_FALSE(dialog.IsModal());
  EXPECT_EQ(dialog.Check->GetCheck(), static_cast<UINT>(BST_UNCHECKED));
  Press(dialog, kCheckId);
  EXPECT_EQ(dialog.Check->GetCheck(), static_cast<UINT>(BST_CHECKED));
  Press(dialog, IDOK);
  PumpMessages();
  EXPECT_EQ(dialog.GetHandle(), nullptr);
  EXPECT_EQ(dialog.GetModalResult(), IDOK);
}

TEST(TDialog, MissingTemplateResourceFailsToCreate) {
  OWL::TDialog dialog(nullptr, OWL::TResId(4999));
  EXPECT_THROW(dialog.Create(), XQOR);
}
