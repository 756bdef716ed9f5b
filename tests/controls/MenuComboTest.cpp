// The menu combo box: index mapping around separators, then its list window in a dialog.
#include "controls/MenuCombo.h"

#include "platform/owl/TDialog.h"
#include "tests/support/DialogTemplate.h"

#include <gtest/gtest.h>

using namespace QORControls;
namespace Index = QORControls::MenuComboIndex;

namespace {

TEST(MenuComboIndex, SelectableIndexesSkipSeparators) {
  std::vector<int> const seps{0, 3};  // entries: [sep] a b [sep] c
  EXPECT_EQ(Index::Selectable(2, seps), 1);
  EXPECT_EQ(Index::Selectable(4, seps), 2);
  EXPECT_EQ(Index::Selectable(-1, seps), -1);
  EXPECT_EQ(Index::Selectable(0, seps), 0);
  EXPECT_EQ(Index::Entry(0, seps, 5), 1);
  EXPECT_EQ(Index::Entry(1, seps, 5), 2);
  EXPECT_EQ(Index::Entry(2, seps, 5), 4);
  EXPECT_EQ(Index::Entry(3, seps, 5), -1);
  EXPECT_EQ(Index::Entry(0, std::vector<int>{0, 1}, 2), -1);
}

TEST(MenuComboIndex, ArrowsNeverLandOnASeparator) {
  std::vector<int> const seps{0, 3};
  EXPECT_EQ(Index::BeforeUp(1, seps), Index::kSwallow);  // the leading separator stops it
  EXPECT_EQ(Index::BeforeUp(4, seps), 3);                // list moves 3 -> 2
  EXPECT_EQ(Index::BeforeUp(2, seps), 2);
  EXPECT_EQ(Index::BeforeDown(2, seps, 5), 3);  // list moves 3 -> 4
  EXPECT_EQ(Index::BeforeDown(4, seps, 5), Index::kSwallow);
  EXPECT_EQ(Index::BeforeDown(1, std::vector<int>{2, 3}, 4), Index::kSwallow);
}

std::vector<uint8_t> ComboTemplate() {
  DialogTemplate t(L"Menu", 160, 120, WS_POPUP | WS_VISIBLE);
  t.Item(DialogTemplate::kComboBox, MenuCombo::kControlId, L"", 5, 5, 120, 100,
         CBS_DROPDOWN | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS | WS_VSCROLL);
  return t.Bytes();
}

// Counts the entries drawn.
class CountingCombo : public MenuCombo {
 public:
  using MenuCombo::MenuCombo;
  void DrawItem(const DRAWITEMSTRUCT& item) override {
    ++Drawn;
    MenuCombo::DrawItem(item);
  }
  int Drawn = 0;
};

class ComboDialog : public OWL::TDialog {
 public:
  ComboDialog() : ComboDialog(ComboTemplate()) {}
  CountingCombo* Combo;

 private:
  explicit ComboDialog(const std::vector<uint8_t>& bytes) : TDialog(nullptr, bytes.data(), bytes.size()) {
    Combo = new CountingCombo(this);
  }
};

TEST(MenuCombo, ListKeysAndClicksStayOffSeparators) {
  ComboDialog dialog;
  dialog.Create();
  CountingCombo& combo = *dialog.Combo;
  for (const wchar_t* text : {L"Detection", L"Threshold", L"Slope", L"", L"Area"}) combo.InsertString(text, -1);
  combo.MarkSeparator(0);
  combo.MarkSeparator(3);
  EXPECT_EQ(combo.SetSelItemIndex(0), 1);
  EXPECT_EQ(combo.SetSelItemIndex(2), 4);
  EXPECT_EQ(combo.GetSelItemIndex(), 2);
  EXPECT_EQ(combo.SetSelItemIndex(3), -1);

  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo.GetHandle(), &info));
  HWND const list = info.hwndList;
  SendMessageW(list, LB_SETCURSEL, 4, 0);
  SendMessageW(list, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
  SendMessageW(list, LB_SETCURSEL, 1, 0);
  SendMessageW(list, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
  SendMessageW(list, LB_SETCURSEL, 2, 0);
  SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 4);

  // A press on the heading's line is swallowed; one on an item is not.
  RECT heading;
  SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&heading));
  EXPECT_TRUE(combo.FilterListMessage(list, WM_LBUTTONDOWN, 0, MAKELPARAM(heading.left + 5, heading.top + 2)));
  RECT item;
  SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_FALSE(combo.FilterListMessage(list, WM_LBUTTONDOWN, 0, MAKELPARAM(item.left + 5, item.top + 2)));

  // The open list paints its entries through the owner drawing.
  combo.Drawn = 0;
  combo.ShowList(true);
  UpdateWindow(list);
  EXPECT_GE(combo.Drawn, 5);
  combo.ShowList(false);

  combo.ClearList();
  EXPECT_TRUE(combo.GetSeparators().empty());
  dialog.Destroy();
}

TEST(MenuCombo, DrawsHeadingsSeparatorLinesAndTheSelectionInSystemColours) {
  ComboDialog dialog;
  dialog.Create();
  MenuCombo& combo = *dialog.Combo;
  combo.InsertString(L"", -1);
  combo.InsertString(L"Item", -1);
  combo.MarkSeparator(0);
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 60, -20, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP const dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC const dc = CreateCompatibleDC(nullptr);
  HGDIOBJ const old = SelectObject(dc, dib);
  DRAWITEMSTRUCT item{};
  item.hDC = dc;
  item.rcItem = RECT{0, 0, 60, 20};
  item.itemID = 0;
  combo.DrawItem(item);
  EXPECT_EQ(GetPixel(dc, 30, 10), RGB(192, 192, 192));
  EXPECT_NE(GetPixel(dc, 1, 10), RGB(192, 192, 192));
  item.itemID = 1;
  item.itemState = ODS_SELECTED;
  combo.DrawItem(item);
  EXPECT_EQ(GetPixel(dc, 1, 1), GetSysColor(COLOR_HIGHLIGHT));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(dib);
  dialog.Destroy();
}

}  // namespace
