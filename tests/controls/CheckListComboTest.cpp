// The check-list combo box: the number-list grammar, then the typed selection in a dialog.
#include "controls/CheckListCombo.h"

#include "platform/owl/TDialog.h"
#include "tests/support/DialogTemplate.h"

#include <gtest/gtest.h>

using namespace QORControls;

namespace {

std::vector<bool> Bits(std::initializer_list<int> on, int count) {
  std::vector<bool> bits(static_cast<size_t>(count), false);
  for (int n : on) bits[static_cast<size_t>(n - 1)] = true;
  return bits;
}

TEST(NumberList, NumbersAndRangesSetTheirItems) {
  EXPECT_EQ(ParseNumberList(L"2,4-6", L"all", 8, L","), Bits({2, 4, 5, 6}, 8));
  EXPECT_EQ(ParseNumberList(L"5-3", L"all", 8, L","), Bits({3, 5}, 8));
  EXPECT_EQ(ParseNumberList(L"Take ALL of them", L"all", 3, L","), Bits({1, 2, 3}, 3));
  EXPECT_EQ(ParseNumberList(L"1;3", L"", 4, L";"), Bits({1, 3}, 4));
  // Parsing stops at the first text that does not fit, keeping what came before.
  EXPECT_EQ(ParseNumberList(L"1, 3", L"all", 4, L","), Bits({1}, 4));
  EXPECT_EQ(ParseNumberList(L"2,x,4", L"all", 4, L","), Bits({2}, 4));
  EXPECT_EQ(ParseNumberList(L"3-", L"all", 4, L","), Bits({3}, 4));
}

TEST(NumberList, ZeroAndNumbersPastTheItemsAreIgnored) {
  EXPECT_EQ(ParseNumberList(L"0,2", L"all", 4, L","), Bits({2}, 4));
  EXPECT_EQ(ParseNumberList(L"3-4000000000", L"all", 5, L","), Bits({3, 4, 5}, 5));
  EXPECT_EQ(ParseNumberList(L"99999999999999999999,1", L"all", 2, L","), Bits({1}, 2));
  EXPECT_EQ(ParseNumberList(L"0-2", L"all", 3, L","), Bits({1, 2}, 3));
}

constexpr int kComboId = 1040;

std::vector<uint8_t> ComboTemplate() {
  DialogTemplate t(L"Channels", 160, 120, WS_POPUP | WS_VISIBLE);
  t.Item(DialogTemplate::kComboBox, kComboId, L"", 5, 5, 120, 100,
         CBS_DROPDOWN | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS | WS_VSCROLL);
  return t.Bytes();
}

class ChannelDialog : public OWL::TDialog {
 public:
  ChannelDialog() : ChannelDialog(ComboTemplate()) {}
  TypedSelectionCombo* Combo;
  int Changes = 0;

  LRESULT EvCommand(UINT id, HWND control, UINT code) override {
    if (id == kComboId && code == TypedSelectionCombo::kSelectionChanged) ++Changes;
    return OWL::TDialog::EvCommand(id, control, code);
  }

 private:
  explicit ChannelDialog(const std::vector<uint8_t>& bytes) : TDialog(nullptr, bytes.data(), bytes.size()) {
    Combo = new TypedSelectionCombo(this, kComboId);
  }
};

COMBOBOXINFO Parts(const TypedSelectionCombo& combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  GetComboBoxInfo(combo.GetHandle(), &info);
  return info;
}

// Keys as the edit field receives them: the old text selected, then one character at a time;
// the combo box itself tells of the change.
void TypeInto(TypedSelectionCombo& combo, const wchar_t* text) {
  HWND const edit = Parts(combo).hwndItem;
  ASSERT_NE(edit, nullptr);
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  for (const wchar_t* c = text; *c; ++c) SendMessageW(edit, WM_CHAR, *c, 1);
}

// A click on the arrow drops the list down, as the combo box announces; the list then closes.
void ClickArrow(TypedSelectionCombo& combo) {
  const RECT arrow = Parts(combo).rcButton;
  const LPARAM at = MAKELPARAM((arrow.left + arrow.right) / 2, (arrow.top + arrow.bottom) / 2);
  combo.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
  combo.SendMessage(WM_LBUTTONUP, 0, at);
  combo.SendMessage(CB_SHOWDROPDOWN, FALSE);
}

TEST(TypedSelectionCombo, TypedNumbersCheckTheirItemsOnDropDownOrTimer) {
  ChannelDialog dialog;
  dialog.Create();
  TypedSelectionCombo& combo = *dialog.Combo;
  combo.InsertString(L"All channels", -1);  // command item 0
  combo.InsertString(L"", -1);              // separator 1
  for (const wchar_t* name : {L"Ch 1", L"Ch 2", L"Ch 3", L"Ch 4", L"Ch 5", L"Ch 6"}) combo.InsertString(name, -1);
  combo.MarkSeparator(1);
  combo.SetCommandItems(0, -1);
  combo.SetFirstNumberedItem(2);
  combo.SetAllKeyword(L"all");

  TypeInto(combo, L"2,4-6");
  EXPECT_TRUE(combo.IsEdited());
  EXPECT_EQ(dialog.Changes, 0);
  ClickArrow(combo);
  EXPECT_EQ(dialog.Changes, 1);
  EXPECT_FALSE(combo.IsEdited());
  for (int n = 1; n <= 6; ++n) EXPECT_EQ(combo.IsChecked(n + 1), n == 2 || n >= 4) << n;
  // The window text is the composed text, not what was typed.
  wchar_t text[64] = L"";
  EXPECT_EQ(combo.SendMessage(WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text)), 22);
  EXPECT_STREQ(text, L"Ch 2, Ch 4, Ch 5, Ch 6");
  EXPECT_EQ(combo.SendMessage(WM_GETTEXT, 5, reinterpret_cast<LPARAM>(text)), 4);
  EXPECT_STREQ(text, L"Ch 2");
  EXPECT_EQ(combo.SendMessage(WM_GETTEXT, 5, 0), 0);

  // A drop-down without typing re-parses nothing.
  ClickArrow(combo);
  EXPECT_EQ(dialog.Changes, 1);

  TypeInto(combo, L"ALL");
  combo.SendMessage(WM_TIMER, TypedSelectionCombo::kReparseTimer);
  EXPECT_EQ(dialog.Changes, 2);
  for (int n = 1; n <= 6; ++n) EXPECT_TRUE(combo.IsChecked(n + 1)) << n;
  EXPECT_FALSE(combo.IsChecked(0));

  // Typing, then leaving the box for another window, applies the text at once.
  TypeInto(combo, L"3");
  SetFocus(dialog.GetHandle());
  EXPECT_EQ(dialog.Changes, 3);
  for (int n = 1; n <= 6; ++n) EXPECT_EQ(combo.IsChecked(n + 1), n == 3) << n;
  dialog.Destroy();
}

}  // namespace
