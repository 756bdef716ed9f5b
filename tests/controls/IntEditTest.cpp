// IntEdit and ValidatingEdit: the integer check, and the error icon that a valid text clears.
#include "controls/IntEdit.h"

#include "controls/ErrorProvider.h"
#include "platform/owl/TDialog.h"
#include "tests/support/DialogTemplate.h"
#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> EditTemplate() {
  DialogTemplate t(L"Edit", 120, 60, WS_POPUP | WS_VISIBLE);
  t.Item(DialogTemplate::kEdit, ValidatingEdit::kControlId, L"", 10, 10, 40, 12, WS_BORDER)
      .Item(DialogTemplate::kStatic, 400, L"", 55, 10, 10, 10, SS_LEFT);
  return t.Bytes();
}

class EditDialog : public OWL::TDialog {
 public:
  EditDialog() : EditDialog(EditTemplate()) {}
  IntEdit* Edit;
  QORControls::ErrorProvider* Icon;

 private:
  explicit EditDialog(const std::vector<uint8_t>& bytes) : TDialog(nullptr, bytes.data(), bytes.size()) {
    Edit = new IntEdit(this);
    Icon = new QORControls::ErrorProvider(this, 400);
  }
};

class IntEditTest : public ::testing::Test {
 protected:
  void SetUp() override { mDialog.Create(); }
  void TearDown() override { mDialog.Destroy(); }
  void Type(const wchar_t* keys) {
    for (const wchar_t* key = keys; *key; ++key) mDialog.Edit->SendMessage(WM_CHAR, *key, 1);
  }
  EditDialog mDialog;
};

TEST_F(IntEditTest, AWholeBaseTenNumberIsAValueWhateverItsRange) {
  IntEdit& edit = *mDialog.Edit;
  EXPECT_TRUE(edit.GetStyle() & ES_NUMBER);
  struct Case {
    const wchar_t* text;
    bool valid;
  };
  Case const cases[] = {{L"12", true}, {L"-4", true}, {L" 7", true}, {L"3x", false}, {L"", false}, {L"+", false}};
  for (const Case& c : cases) {
    edit.SetWindowText(c.text);
    EXPECT_EQ(edit.IsValueValid(), c.valid) << c.text;
  }
  edit.SetWindowText(L"12");
  EXPECT_FALSE(edit.IsValid());  // the range 1 to 10 is the validator's
}

TEST_F(IntEditTest, TypingAValidValueClearsTheErrorIconAndAnInvalidOneKeepsIt) {
  IntEdit& edit = *mDialog.Edit;
  edit.SetErrorProvider(mDialog.Icon);
  mDialog.Icon->SetError(L"Invalid Value", true, L"From 1 to 10.");
  Type(L"0");
  EXPECT_TRUE(mDialog.Icon->IsWindowVisible());
  edit.SetWindowText(L"");
  Type(L"7");
  EXPECT_EQ(edit.GetText(), L"7");
  EXPECT_FALSE(mDialog.Icon->IsWindowVisible());
  EXPECT_TRUE(mDialog.Icon->GetText().IsEmpty());
}

TEST_F(IntEditTest, AnInvalidChildIsLeftToTheIconWhenOneIsAttached) {
  ScriptedModalSeam seam;
  IntEdit& edit = *mDialog.Edit;
  edit.SetWindowText(L"42");
  edit.SetErrorProvider(mDialog.Icon);
  edit.HandleMessage(OWL::WM_CHILDINVALID, reinterpret_cast<WPARAM>(edit.GetHandle()));
  EXPECT_TRUE(seam.MessageTexts.empty());
  edit.SetErrorProvider(nullptr);
  edit.HandleMessage(OWL::WM_CHILDINVALID, reinterpret_cast<WPARAM>(edit.GetHandle()));
  ASSERT_EQ(seam.MessageTexts.size(), 1u);
}

}  // namespace
