// In-cell editing (the text edit, the choice list and the alias on the open control) and the
// grid's scroll-bar actions.
#include "grid/ControlAlias.h"
#include "grid/GridItemControl.h"
#include "grid/GridScrollBar.h"
#include "grid/StringComboBox.h"
#include "tests/grid/GridTestClient.h"

#include <string>

using namespace TVF_Grid;

namespace {

// Keeps the text of each committed cell.
class TextClient : public GridTestClient {
 public:
  std::vector<std::wstring> Committed;
  HRESULT STDMETHODCALLTYPE OnCellAction(uint32_t flags, int32_t row, int32_t column, uintptr_t value) override {
    Committed.push_back(QOR::String(reinterpret_cast<QOR::IQORString*>(value)).GetText());
    return GridTestClient::OnCellAction(flags, row, column, value);
  }
};

class EditingFixture : public GridFixture {
 protected:
  TextClient texts;

  void SetUp() override {
    texts.Texts[{1, 1}] = L"old";
    texts.Texts[{2, 1}] = L"1";
    texts.Styles[{2, 1}] = kCellStyleChoice | kCellStyleShowChoice;
  }
  void Make() {
    texts.Rows = 6;
    texts.Columns = 3;
    grid = new EventGridControl(&parent);
    grid->Attr.W = 400;
    grid->Attr.H = 300;
    grid->SetInterfaces(&texts, &texts, &texts, &texts, 8, 8);
    grid->SetColumnRange(3, 1);
    for (int32_t i = 0; i < 2; ++i)
      grid->Pane().AddColumn(std::make_unique<UniformGridColumn>(*grid, i, QOR::String(L"c"), 80));
    grid->EnableAutoCreate();
    parent.Create();
    grid->CreateSelection();
    grid->SetRowCount({6, 1});
    grid->CellsEditable = true;
    grid->ChoiceTexts = {{0, L"zero"}, {1, L"one"}, {2, L"two"}};
    PumpMessages();
  }
  // The windows go while the client that the grid commits to still exists.
  void TearDown() override { parent.Destroy(); }
  HWND EditorWindow() { return grid->Pane().Editor() ? grid->Pane().Editor()->GetHandle() : nullptr; }
};

}  // namespace

TEST_F(EditingFixture, EditCommitsOnTabReturnAndFocusLossAndCancelsOnEscape) {
  Make();
  struct Ending {
    const char* name;
    UINT key;  // 0: the focus leaves
    bool commits;
  } const endings[] = {{"tab", VK_TAB, true}, {"return", VK_RETURN, true}, {"focus", 0, true},
                       {"escape", VK_ESCAPE, false}};
  for (const Ending& e : endings) {
    texts.Committed.clear();
    ASSERT_TRUE(grid->Pane().BeginEdit(0, 0, 0)) << e.name;
    HWND const edit = EditorWindow();
    EXPECT_EQ(std::wstring(L"old"), grid->Pane().Editor()->GetWindowText()) << "loaded from the cell";
    EXPECT_EQ(100, GetDlgCtrlID(edit));
    SetWindowTextW(edit, L"new");
    if (e.key)
      SendMessageW(edit, WM_KEYDOWN, e.key, 0);
    else
      grid->Pane().SetFocus();
    PumpMessages();
    EXPECT_FALSE(grid->Pane().EditorOpen()) << e.name;
    EXPECT_FALSE(IsWindow(edit)) << e.name;
    EXPECT_EQ(e.commits ? std::vector<std::wstring>{L"new"} : std::vector<std::wstring>{}, texts.Committed)
        << e.name;
  }
}

TEST_F(EditingFixture, EditSwallowsTabCharactersAndCutsLongTextAt511) {
  Make();
  ASSERT_TRUE(grid->Pane().BeginEdit(0, 0, 'X'));
  HWND const edit = EditorWindow();
  SendMessageW(edit, WM_CHAR, 'y', 1);
  SendMessageW(edit, WM_CHAR, '\t', 1);
  const std::wstring typed = grid->Pane().Editor()->GetWindowText();
  EXPECT_EQ(2u, typed.size()) << "x from the key, y typed, no tab";
  EXPECT_EQ(std::wstring::npos, typed.find(L'\t'));
  SetWindowTextW(edit, std::wstring(600, L'w').c_str());
  EXPECT_TRUE(grid->OnKeyDown(VK_RETURN, 1, 0)) << "the grid hands RETURN to the open editor";
  ASSERT_EQ(1u, texts.Committed.size());
  EXPECT_EQ(std::wstring(511, L'w'), texts.Committed[0]);
  EXPECT_FALSE(grid->Pane().EditorOpen());
}

TEST_F(EditingFixture, ChoiceListSelectsTheCellsIndexAndCommitsTheChosenOne) {
  Make();
  ASSERT_TRUE(grid->Pane().BeginEdit(1, 0, 0));
  auto* combo = dynamic_cast<StringComboBox*>(grid->Pane().Editor());
  ASSERT_NE(nullptr, combo);
  EXPECT_EQ(0x50230043u, combo->Attr.Style) << "the list keeps the scroll bar's bit";
  EXPECT_EQ(0u, static_cast<DWORD>(GetWindowLongW(combo->GetHandle(), GWL_EXSTYLE)) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(3, combo->GetCount());
  EXPECT_EQ(1, combo->GetSelIndex());
  combo->SetSelIndex(2);
  SendMessageW(combo->GetHandle(), WM_KEYDOWN, VK_TAB, 0);
  ASSERT_EQ(1u, texts.Committed.size());
  EXPECT_EQ(std::wstring(L"2"), texts.Committed[0]);

  texts.Texts[{2, 1}] = L"7";
  ASSERT_TRUE(grid->Pane().BeginEdit(1, 0, 0));
  combo = dynamic_cast<StringComboBox*>(grid->Pane().Editor());
  ASSERT_NE(nullptr, combo);
  EXPECT_EQ(-1, combo->GetSelIndex()) << "an index past the list selects nothing";
}

TEST_F(EditingFixture, PlaceholderCellsOpenOnTheValuesTextAndKeepTheirChoice) {
  texts.Styles[{1, 1}] = kCellStylePlaceholder;
  texts.Styles[{2, 1}] |= kCellStylePlaceholder;
  Make();
  ASSERT_TRUE(grid->Pane().BeginEdit(0, 0, 0));
  EXPECT_EQ(std::wstring(L"old"), grid->Pane().Editor()->GetWindowText());
  ASSERT_TRUE(grid->Pane().BeginEdit(0, 0, VK_NUMPAD4));
  EXPECT_EQ(std::wstring(L"4"), grid->Pane().Editor()->GetWindowText()) << "a typed key still wins";
  ASSERT_TRUE(grid->Pane().BeginEdit(1, 0, 0));
  auto* const combo = dynamic_cast<StringComboBox*>(grid->Pane().Editor());
  ASSERT_NE(nullptr, combo);
  EXPECT_EQ(1, combo->GetSelIndex()) << "the value's digits match no choice text and change nothing";
}

TEST_F(EditingFixture, DoubleClickInTheEditorReachesTheClientAndTheGridMayGoWithAnEditorOpen) {
  Make();
  ASSERT_TRUE(grid->Pane().BeginEdit(0, 1, 0));
  SendMessageW(EditorWindow(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
  ASSERT_FALSE(texts.Clicks.empty());
  EXPECT_EQ((std::vector<int32_t>{8 + 2, 1, 2}), texts.Clicks.back()) << "a double click on row 1, column 2";
  EXPECT_TRUE(grid->Pane().EditorOpen());
  // The open editor's objects go with the grid's windows (TearDown destroys them).
}

class ScrollFixture : public GridFixture {
 protected:
  void Scroll(UINT message, OWL::TScrollBar& bar, UINT code) {
    SendMessageW(grid->GetHandle(), message, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(bar.GetHandle()));
  }
};

TEST_F(ScrollFixture, VerticalBarMovesRowsAsTheActionsSay) {
  MakeGrid(50, 2);
  const int32_t page = grid->Pane().PageRows();
  ASSERT_GT(page, 2);
  auto& bar = grid->VScrollBar();
  struct Step {
    UINT code;
    int32_t expected;
  } const steps[] = {{SB_LINEUP, 0}, {SB_PAGEDOWN, 2}, {SB_PAGEDOWN, 4}, {SB_LINEDOWN, 5}, {SB_PAGEUP, 4},
                     {SB_LINEUP, 3}, {SB_BOTTOM, 50 - page}, {SB_TOP, 0}};
  for (const Step& s : steps) {
    Scroll(WM_VSCROLL, bar, s.code);
    EXPECT_EQ(s.expected, grid->Pane().TopRow()) << "code " << s.code;
  }
  SCROLLINFO info{};
  info.fMask = SIF_POS;
  info.nPos = 10;
  bar.SetScrollInfo(info);
  Scroll(WM_VSCROLL, bar, SB_THUMBPOSITION);
  EXPECT_EQ(10, grid->Pane().TopRow());
}

TEST_F(ScrollFixture, HorizontalBarEndsShowTheFirstColumnAndTheLastPage) {
  MakeGrid(5, 12);
  auto& bar = grid->HScrollBar();
  ASSERT_TRUE(grid->HScrollShown());
  Scroll(WM_HSCROLL, bar, SB_BOTTOM);
  const GridPane& pane = grid->Pane();
  const int32_t last = pane.FirstColumn();
  EXPECT_EQ(last, LastPageFirstColumn(*grid, pane.PaneWidth()));
  EXPECT_LE(pane.Column(11).Right() - pane.Column(last).Left + 1, pane.PaneWidth()) << "the last column shows whole";
  EXPECT_GT(pane.Column(11).Right() - pane.Column(last - 1).Left + 1, pane.PaneWidth()) << "and no column more fits";
  Scroll(WM_HSCROLL, bar, SB_LINEDOWN);
  EXPECT_EQ(last, pane.FirstColumn()) << "line right stops at the end";
  Scroll(WM_HSCROLL, bar, SB_TOP);
  EXPECT_EQ(0, pane.FirstColumn());
  Scroll(WM_HSCROLL, bar, SB_PAGEDOWN);
  Scroll(WM_HSCROLL, bar, SB_LINEDOWN);
  EXPECT_EQ(2, pane.FirstColumn());
  Scroll(WM_HSCROLL, bar, SB_PAGEUP);
  EXPECT_EQ(1, pane.FirstColumn());
  SCROLLINFO info{};
  info.fMask = SIF_POS;
  info.nPos = pane.Column(4).Left + 3;
  bar.SetScrollInfo(info);
  Scroll(WM_HSCROLL, bar, SB_THUMBPOSITION);
  EXPECT_EQ(4, pane.FirstColumn());
}
