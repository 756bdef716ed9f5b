// The grid control: layout, scroll bars, mouse and keyboard selection, reports and notifications.
#include "grid/EventGridControl.h"

#include "grid/GridScrollBar.h"
#include "grid/GridSnapBar.h"
#include "grid/GridTitleBar.h"
#include "grid/RowNumbersPane.h"
#include "platform/owl/TFont.h"
#include "tests/grid/GridTestClient.h"
#include "tests/support/UserMouse.h"

#include <string>
#include <vector>

using namespace TVF_Grid;

namespace {

RECT ChildRect(const OWL::TWindow& grid, const OWL::TWindow& child) {
  RECT r = child.GetWindowRect();
  MapWindowPoints(nullptr, grid.GetHandle(), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void ExpectRect(const RECT& expected, const RECT& actual, const char* what) {
  EXPECT_EQ(expected.left, actual.left) << what;
  EXPECT_EQ(expected.top, actual.top) << what;
  EXPECT_EQ(expected.right, actual.right) << what;
  EXPECT_EQ(expected.bottom, actual.bottom) << what;
}

// The family the font mapper really chose for a font, and whether it is a serif face.
struct RealFace {
  std::wstring family;
  bool roman = false;
};
RealFace RealFaceOf(HFONT font) {
  HDC const dc = CreateCompatibleDC(nullptr);
  HGDIOBJ const old = SelectObject(dc, font);
  RealFace face;
  std::vector<char> buffer(GetOutlineTextMetricsW(dc, 0, nullptr));
  auto* const metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
  if (!buffer.empty() && GetOutlineTextMetricsW(dc, static_cast<UINT>(buffer.size()), metrics)) {
    face.family = reinterpret_cast<const wchar_t*>(buffer.data() + reinterpret_cast<uintptr_t>(metrics->otmpFamilyName));
    face.roman = (metrics->otmTextMetrics.tmPitchAndFamily & 0xF0) == FF_ROMAN;
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  return face;
}

}  // namespace

TEST(GridLayout, TableGivesEachChildItsBox) {
  // W 400, H 300, T 20, N 30, vs 16, hs 17, snap bar 22.
  const GridLayout l = ComputeGridLayout(400, 300, 20, 30, 16, 17, 22);
  const int P = 400 - 30 - 1 - 16, Q = 300 - 20 - 1 - 17;
  ExpectRect({383, 20 + Q + 2 - 22, 399, 20 + Q + 2}, l.SnapBar, "snap");
  ExpectRect({384, 21, 400, 21 + Q - 22 + 2}, l.VScroll, "vscroll");
  ExpectRect({31, 283, 31 + P, 300}, l.HScroll, "hscroll");
  ExpectRect({31, 21, 31 + P, 21 + Q}, l.Cells, "cells");
  ExpectRect({1, 21, 31, 21 + Q}, l.RowNumbers, "numbers");
  ExpectRect({31, 1, 31 + P, 21}, l.Title, "title");
  // A row-number width past the window is cut at the vertical bar, never below 0.
  EXPECT_EQ(0, ComputeGridLayout(10, 300, 20, 30, 16, 0, 0).RowNumbers.right - 1);
}

TEST_F(GridFixture, ChildrenFollowTheLayoutAndBarsComeAndGo) {
  MakeGrid(5, 3);  // 5 rows and 183 pixels of columns fit 400 x 300
  EXPECT_FALSE(grid->VScrollShown());
  EXPECT_FALSE(grid->HScrollShown());
  EXPECT_FALSE(grid->VScrollBar().IsWindowVisible());
  const int T = grid->TitleHeight(), N = grid->RowNumberWidth();
  GridLayout l = ComputeGridLayout(400, 300, T, N, 0, 0, 0);
  ExpectRect(l.Cells, ChildRect(*grid, grid->Pane()), "cells");
  ExpectRect(l.RowNumbers, ChildRect(*grid, grid->RowNumbers()), "numbers");
  ExpectRect(l.Title, ChildRect(*grid, grid->TitleBar()), "title");

  grid->SetRowCount({101, 1});  // too many rows: the vertical bar appears
  EXPECT_TRUE(grid->VScrollShown());
  EXPECT_TRUE(grid->VScrollBar().IsWindowVisible());
  const int vs = GetSystemMetrics(SM_CXVSCROLL);
  l = ComputeGridLayout(400, 300, T, N, vs, 0, 0);
  ExpectRect(l.VScroll, ChildRect(*grid, grid->VScrollBar()), "vscroll");
  ExpectRect(l.Cells, ChildRect(*grid, grid->Pane()), "cells with bar");

  for (int i = 0; i < 5; ++i)  // 8 columns of 60 no longer fit: the horizontal bar appears
    grid->Pane().AddColumn(std::make_unique<UniformGridColumn>(*grid, 3 + i, QOR::String(L"c"), 60));
  grid->UpdateScrollBars();
  EXPECT_TRUE(grid->HScrollShown());
  grid->HScrollAllowed = false;
  grid->UpdateScrollBars();
  EXPECT_FALSE(grid->HScrollShown());

  grid->SetRowCount({3, 1});  // back to 2 rows: top row 0 and they fit
  EXPECT_EQ(0, grid->Pane().TopRow());
  EXPECT_FALSE(grid->VScrollShown());
}

TEST_F(GridFixture, RowNumberClicksSelectWholeRowsWithShiftAndCtrl) {
  MakeGrid(20, 3);
  ClickRow(2);  // client row 3, all three data columns, reported at mouse up with the mouse bit
  ASSERT_FALSE(client.Selections.empty());
  EXPECT_EQ(9u, client.Selections.back().Flags);
  EXPECT_EQ((std::vector<std::vector<int32_t>>{{1, 3, 4}, {2, 3, 4}, {3, 3, 4}}), client.LastRecords());
  keys.Shift = true;
  ClickRow(5);
  EXPECT_EQ(3, Range().FirstRow.Index);
  EXPECT_EQ(7, Range().EndRow.Index);
  keys.Shift = false;
  keys.Ctrl = true;
  ClickRow(9);  // Ctrl widens the rows to the bounding range
  EXPECT_EQ(3, Range().FirstRow.Index);
  EXPECT_EQ(11, Range().EndRow.Index);
  keys.Ctrl = false;
  // Below the last row: the selection clears and is reported as one empty record.
  grid->SetRowCount({4, 1});
  const size_t before = client.Selections.size();
  SendMessageW(grid->RowNumbers().GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, RowPoint(5));
  EXPECT_FALSE(Range().IsValid());
  ASSERT_EQ(before + 1, client.Selections.size());
  EXPECT_EQ((std::vector<std::vector<int32_t>>{{0, 0, 0}}), client.LastRecords());
}

TEST_F(GridFixture, HeadingPressSelectsTheColumnAndClicksReport) {
  MakeGrid(6, 3);
  Sel().MouseDown({0, 1}, {2, 1}, 0);
  EXPECT_EQ(1, Range().FirstRow.Index);
  EXPECT_EQ(7, Range().EndRow.Index);
  EXPECT_EQ(2, Range().FirstColumn.Index);
  EXPECT_EQ(3, Range().EndColumn.Index);
  Sel().MouseUp({0, 1}, {2, 1}, kModDoubleClick);
  EXPECT_EQ((std::vector<int32_t>{8 + 2, 0, 2}), client.Clicks.back());
  // A single cell is reported at once (no mouse-up needed); a right click wins over a double.
  client.Selections.clear();
  Sel().MouseDown({4, 1}, {3, 1}, 0);
  ASSERT_EQ(1u, client.Selections.size());
  EXPECT_EQ((std::vector<std::vector<int32_t>>{{3, 4, 5}}), client.LastRecords());
  Sel().MouseUp({4, 1}, {3, 1}, kModRightButton | kModDoubleClick);
  EXPECT_EQ((std::vector<int32_t>{8 + 4, 4, 3}), client.Clicks.back());
  // Shift from that focus spans the block; Ctrl adds a cell to the bounding box.
  Sel().MouseDown({6, 1}, {1, 1}, kModShift);
  EXPECT_EQ((std::vector<int32_t>{4, 7, 1, 4}),
            (std::vector<int32_t>{Range().FirstRow.Index, Range().EndRow.Index,
                                  Range().FirstColumn.Index, Range().EndColumn.Index}));
}

TEST_F(GridFixture, DeleteClearsEveryCellWithItsKind) {
  MakeGrid(6, 3);
  SelectBlock(2, 1, 3, 2);
  client.ClearAnswer = S_FALSE;  // nonzero: the cell is emptied through an edit
  EXPECT_TRUE(Key(VK_DELETE));
  ASSERT_EQ(4u, client.ValueCalls.size());
  const std::vector<std::vector<int32_t>> expected{
      {10, 1, 2, 1, 0}, {8, 1, 2, 2, 0}, {8, 1, 3, 1, 0}, {12, 1, 3, 2, 0}};
  EXPECT_EQ(expected, client.ValueCalls);
  EXPECT_EQ(4u, client.Actions.size());
  // One cell gives kind 1; a zero answer edits nothing.
  client.ValueCalls.clear();
  client.ClearAnswer = S_OK;
  Sel().MouseDown({5, 1}, {2, 1}, 0);
  EXPECT_TRUE(Key(VK_BACK));
  EXPECT_EQ((std::vector<std::vector<int32_t>>{{1, 1, 5, 2, 0}}), client.ValueCalls);
  EXPECT_EQ(4u, client.Actions.size());
}

TEST_F(GridFixture, ArrowKeysMoveWithinTheTableAndShiftWidens) {
  MakeGrid(6, 3);
  Sel().MouseDown({6, 1}, {3, 1}, 0);  // the last cell
  EXPECT_TRUE(Key(VK_DOWN));
  EXPECT_EQ(6, Range().FirstRow.Index);
  EXPECT_TRUE(Key(VK_RIGHT));
  EXPECT_EQ(3, Range().FirstColumn.Index);
  Sel().MouseDown({1, 1}, {1, 1}, 0);  // the first cell
  EXPECT_TRUE(Key(VK_UP));
  EXPECT_TRUE(Key(VK_LEFT));
  EXPECT_EQ(1, Range().FirstRow.Index);
  EXPECT_EQ(1, Range().FirstColumn.Index);
  EXPECT_TRUE(Key(VK_RETURN));
  EXPECT_EQ(2, Range().FirstRow.Index);
  EXPECT_EQ(0u, client.Selections.back().Flags & 1u) << "keyboard changes carry no mouse bit";
  keys.Shift = true;
  EXPECT_TRUE(Key(VK_DOWN));
  EXPECT_TRUE(Key(VK_RIGHT));
  EXPECT_EQ((std::vector<std::vector<int32_t>>{{1, 2, 4}, {2, 2, 4}}), client.LastRecords());
  keys.Shift = false;
  EXPECT_TRUE(Key(VK_ESCAPE));
  EXPECT_EQ((std::vector<std::vector<int32_t>>{{0, 0, 0}}), client.LastRecords());
  EXPECT_FALSE(Key('A'));
}

TEST_F(GridFixture, PagingScrollsAndKeepsAFullPage) {
  MakeGrid(100, 3);
  const int32_t page = grid->Pane().PageRows();
  ASSERT_GT(page, 3);
  grid->SetTopRow(3);
  EXPECT_TRUE(Key(VK_PRIOR));
  EXPECT_EQ(0, grid->Pane().TopRow());
  EXPECT_TRUE(Key(VK_NEXT));
  EXPECT_EQ(page, grid->Pane().TopRow());
  EXPECT_TRUE(Key(VK_END));
  EXPECT_EQ(100 - page, grid->Pane().TopRow()) << "a full page stays in view";
  SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
  grid->VScrollBar().GetScrollInfo(info);
  EXPECT_EQ(99, info.nMax);
  EXPECT_EQ(100 - page, info.nPos);
  EXPECT_TRUE(Key(VK_HOME));
  EXPECT_EQ(0, grid->Pane().TopRow());
  // Down past the page makes the row the last visible one.
  Sel().MouseDown({page, 1}, {1, 1}, 0);
  EXPECT_TRUE(Key(VK_DOWN));
  EXPECT_EQ(1, grid->Pane().TopRow());
  // Shift+End widens the selection to the last row.
  keys.Shift = true;
  EXPECT_TRUE(Key(VK_END));
  EXPECT_EQ(101, Range().EndRow.Index);
}

TEST_F(GridFixture, FewerRowsAfterScrollingToTheEndStillFillThePage) {
  MakeGrid(100, 3);
  const int32_t page = grid->Pane().PageRows();
  ASSERT_GT(page, 3);
  for (const int32_t rows : {100 - page, 100 - page + 3, 5}) {
    grid->SetRowCount({101, 1});
    // The user drags the vertical bar's thumb to the bottom.
    user_mouse::DragScrollThumb(grid->VScrollBar().GetHandle(), 1000);
    ASSERT_EQ(100 - page, grid->Pane().TopRow()) << "the last page shows";
    grid->SetRowCount({rows + 1, 1});
    EXPECT_EQ(std::min(page, rows), grid->Pane().VisibleRows()) << rows << " rows";
    if (!grid->VScrollShown()) continue;
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    grid->VScrollBar().GetScrollInfo(info);
    EXPECT_EQ(grid->Pane().TopRow(), info.nPos) << rows << " rows";
  }
}

TEST_F(GridFixture, CellsAndHeadingsAreDrawnInTheGuiFontsFace) {
  MakeGrid(3, 2);
  const RealFace gui = RealFaceOf(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  ASSERT_FALSE(gui.family.empty());
  for (const OWL::TFont* font : {&grid->CellFont(), &grid->HeadingFont()}) {
    const RealFace face = RealFaceOf(font->GetHandle());
    EXPECT_EQ(gui.family, face.family) << "the face the stock font names, as on Windows";
    EXPECT_FALSE(face.roman);
  }
}

TEST_F(GridFixture, WithoutRowsNavigationIsConsumedAndChangesNothing) {
  MakeGrid(0, 0);
  for (UINT key : {VK_RETURN, VK_ESCAPE, VK_HOME, VK_UP, VK_PRIOR, VK_DOWN, VK_END, VK_NEXT, VK_TAB,
                   VK_LEFT, VK_RIGHT})
    EXPECT_TRUE(Key(key)) << key;
  EXPECT_EQ(0, grid->Pane().TopRow());
  EXPECT_TRUE(client.Selections.empty());
  // The owner's pre-translation hands key-downs to the same table and never takes WM_CHAR.
  MSG down{grid->GetHandle(), WM_KEYDOWN, VK_DOWN, 1, 0, {0, 0}};
  EXPECT_TRUE(grid->PreTranslate(down));
  MSG ch{grid->GetHandle(), WM_CHAR, L'x', 1, 0, {0, 0}};
  EXPECT_FALSE(grid->PreTranslate(ch));
}

TEST_F(GridFixture, NotificationsAndActionsNeedColumns) {
  MakeGrid(4, 12);
  Recorder observer;
  grid->AttachObserver(&observer);
  grid->SetFirstColumn(2);
  grid->OnColumnWidthChanged({3, 1}, 77);
  grid->OnColumnMoved({1, 1}, {3, 1});
  SendMessageW(grid->GetHandle(), WM_LBUTTONDOWN, 0, 0);
  const std::vector<std::vector<uint32_t>> expected{{kGridFirstColumnChanged, 3, 1},
                                                    {kGridColumnWidthChanged, 3, 1, 77},
                                                    {kGridColumnMoved, 1, 1, 3, 1},
                                                    {kGridClicked}};
  EXPECT_EQ(expected, observer.Seen);
  SendMessageW(grid->GetHandle(), WM_COMMAND, kSnapToggleCommand, 0);
  EXPECT_EQ((std::vector<std::vector<int32_t>>{{8, 0xFFFF}}), client.LatestRow);
  // Without columns the client is never reached and moves are not announced.
  grid->SetColumnRange(1, 1);
  observer.Seen.clear();
  grid->OnColumnMoved({1, 1}, {3, 1});
  SendMessageW(grid->GetHandle(), WM_COMMAND, kSnapToggleCommand, 0);
  grid->OnCellEdited(1, 1, QOR::String(L"x"));
  EXPECT_TRUE(observer.Seen.empty());
  EXPECT_EQ(1u, client.LatestRow.size());
  EXPECT_TRUE(client.Actions.empty());
  EXPECT_FALSE(grid->ShowLatestRow);
  grid->DetachObserver(&observer);
}

TEST_F(GridFixture, ContextMenuItemsBecomeCellCommands) {
  MakeGrid(4, 3);
  ScriptedModalSeam seam;
  client.MenuItems = {L"one", L"two", L"three"};
  seam.MenuChoices.push_back(3);
  ClickRow(1);
  SendMessageW(grid->RowNumbers().GetHandle(), WM_CONTEXTMENU,
               reinterpret_cast<WPARAM>(grid->RowNumbers().GetHandle()), MAKELPARAM(10, 10));
  ASSERT_EQ(1u, seam.MenuItemCounts.size());
  EXPECT_EQ(3, seam.MenuItemCounts[0]);
  // Kind 2, item 3 - 1, for the first selected row and the row-number column.
  EXPECT_EQ((std::vector<std::vector<int32_t>>{{2, 2, 2, 0, 0}}), client.ValueCalls);
}

TEST_F(GridFixture, CellColoursFollowSelectionStyleAndGivenColour) {
  MakeGrid(4, 3);
  Sel().MouseDown({2, 1}, {2, 1}, 0);
  HDC const dc = CreateCompatibleDC(nullptr);
  const COLORREF red = RGB(230, 78, 28);
  struct Case {
    int32_t row;
    int style;
    COLORREF given, background, text;
  };
  const Case cases[] = {
      {2, 0, CLR_INVALID, GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHTTEXT)},
      {2, 0, red, red, GetSysColor(COLOR_HIGHLIGHTTEXT)},
      {3, 0, CLR_INVALID, RGB(255, 255, 255), RGB(0, 0, 0)},
      {3, 0, red, RGB(255, 255, 255), red},
      {3, 2, red, RGB(255, 255, 255), RGB(64, 64, 64)},
  };
  for (const Case& c : cases) {
    grid->PaintCellBackground(dc, {c.row, 1}, {2, 1}, c.style, c.given);
    EXPECT_EQ(c.background, GetBkColor(dc)) << "row " << c.row << " style " << c.style;
    EXPECT_EQ(c.text, GetTextColor(dc)) << "row " << c.row << " style " << c.style;
  }
  DeleteDC(dc);
}

TEST_F(GridFixture, ColumnKeysScrollWithoutASelectionAndReportTheFirstColumn) {
  MakeGrid(4, 12);
  Recorder observer;
  grid->AttachObserver(&observer);
  ASSERT_TRUE(grid->HScrollShown());
  EXPECT_TRUE(Key(VK_RIGHT));
  EXPECT_EQ(1, grid->Pane().FirstColumn());
  EXPECT_EQ(61, grid->Pane().HorizontalOffset());
  ASSERT_EQ(1u, observer.Seen.size());
  EXPECT_EQ((std::vector<uint32_t>{kGridFirstColumnChanged, 2, 1}), observer.Seen[0]);
  SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
  grid->HScrollBar().GetScrollInfo(info);
  EXPECT_EQ(12 * 61, info.nMax);
  EXPECT_DOUBLE_EQ(double(info.nPos + int(info.nPage)) / info.nMax, grid->GetHorizontalScrollFraction());
  // A selected cell far right brings its column into view.
  Sel().MouseDown({1, 1}, {11, 1}, 0);
  EXPECT_TRUE(Key(VK_RIGHT));
  EXPECT_EQ(12, Range().FirstColumn.Index);
  EXPECT_GT(grid->Pane().FirstColumn(), 1);
  grid->DetachObserver(&observer);
}

TEST_F(GridFixture, RowSelectModeMovesWholeRowsAndTabDownCellsActAsDown) {
  MakeGrid(6, 3);
  grid->RowSelectMode = true;
  grid->CreateSelection();
  Sel().MouseDown({2, 1}, {2, 1}, 0);
  EXPECT_EQ(1, Range().FirstColumn.Index);
  EXPECT_EQ(4, Range().EndColumn.Index);
  EXPECT_TRUE(Key(VK_DOWN));
  EXPECT_EQ(3, Range().FirstRow.Index);
  EXPECT_EQ(4, Range().EndColumn.Index);
  EXPECT_TRUE(Key(VK_RIGHT));  // scrolls, keeps the rows
  EXPECT_EQ(3, Range().FirstRow.Index);

  grid->RowSelectMode = false;
  grid->CreateSelection();
  client.Styles[{4, 2}] = kCellStyleTabDown;
  Sel().MouseDown({4, 1}, {2, 1}, 0);
  EXPECT_TRUE(Key(VK_TAB));
  EXPECT_EQ(5, Range().FirstRow.Index);
  EXPECT_EQ(2, Range().FirstColumn.Index);
  EXPECT_TRUE(Key(VK_TAB));  // an ordinary cell: Tab moves right
  EXPECT_EQ(3, Range().FirstColumn.Index);
}

namespace {

class TestSnapBar : public GridSnapBar {
 public:
  explicit TestSnapBar(GridControl& grid) : mWindow(new OWL::TWindow(&grid, L"")) {
    mWindow->Attr.Style = WS_CHILD | WS_VISIBLE;
  }
  OWL::TWindow& Window() override { return *mWindow; }
  int32_t Height() const override { return 22; }
  void SetPressed(bool pressed) override { Pressed = pressed; }
  static inline bool Pressed = false;

 private:
  OWL::TWindow* mWindow;
};

std::unique_ptr<GridSnapBar> MakeTestSnapBar(GridControl& grid) { return std::make_unique<TestSnapBar>(grid); }

}  // namespace

TEST_F(GridFixture, TheSnapBarSitsUnderTheVerticalBarAndFollowsTheToggle) {
  const GridSnapBar::Factory previous = GridSnapBar::InstallFactory(&MakeTestSnapBar);
  client.Rows = 101;
  grid = new EventGridControl(&parent);
  grid->Attr.W = 400;
  grid->Attr.H = 300;
  grid->SnapBarWanted = true;
  grid->SetInterfaces(&client, &client, &client, nullptr, 8, 8);
  grid->SetColumnRange(2, 1);
  grid->Pane().AddColumn(std::make_unique<UniformGridColumn>(*grid, 0, QOR::String(L"c"), 60));
  grid->EnableAutoCreate();
  parent.Create();
  grid->SetRowCount({101, 1});
  GridSnapBar::InstallFactory(previous);
  ASSERT_NE(nullptr, grid->SnapBar());
  const int vs = GetSystemMetrics(SM_CXVSCROLL);
  const GridLayout l = ComputeGridLayout(400, 300, grid->TitleHeight(), grid->RowNumberWidth(), vs, 0, 22);
  ExpectRect(l.SnapBar, ChildRect(*grid, grid->SnapBar()->Window()), "snap");
  ExpectRect(l.VScroll, ChildRect(*grid, grid->VScrollBar()), "vscroll");
  SendMessageW(grid->GetHandle(), WM_COMMAND, kSnapToggleCommand, 0);
  EXPECT_TRUE(TestSnapBar::Pressed);
  EXPECT_TRUE(grid->ShowLatestRow);
  grid->SetRowCount({2, 1});  // the bar goes with the vertical bar
  EXPECT_FALSE(grid->SnapBar()->Window().IsWindowVisible());
}

TEST_F(GridFixture, ShiftHeadingFromARowNumberFocusSpansDataColumnsOnly) {
  MakeGrid(6, 3);
  Sel().MouseDown({3, 1}, {0, 1}, 0);
  Sel().MouseDown({0, 1}, {2, 1}, kModShift);
  EXPECT_EQ(1, Range().FirstColumn.Index);
  EXPECT_EQ(3, Range().EndColumn.Index);
}
