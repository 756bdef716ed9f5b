// The title bar and the cell pane's column handling: hit tests, resizing with its minimum,
// dragging a title onto another column, title painting, the in-cell editor and the snap bar.
#include "grid/GridTitleBar.h"

#include "controls/UxSizableButtonGadget.h"
#include "grid/SnapGadgetWindowBase.h"
#include "tests/grid/GridTestClient.h"

using namespace TVF_Grid;

class TitleBarFixture : public GridFixture {
 protected:
  Recorder observer;

  void Make(int32_t columns = 3) {
    MakeGrid(20, columns);
    grid->AttachObserver(&observer);
  }
  void TearDown() override {
    if (grid) grid->DetachObserver(&observer);
  }
  HWND Bar() { return grid->TitleBar().GetHandle(); }
  void Press(int x) { SendMessageW(Bar(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 4)); }
  void Move(int x) { SendMessageW(Bar(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 4)); }
  void Release(int x) { SendMessageW(Bar(), WM_LBUTTONUP, 0, MAKELPARAM(x, 4)); }
  // The selected column range as (first, end) in client numbering.
  std::pair<int32_t, int32_t> Columns() { return {Range().FirstColumn.Index, Range().EndColumn.Index}; }
};

// Columns are 60 pixels wide, so the right edges lie at 60, 121 and 182.
TEST_F(TitleBarFixture, PressesNearAnEdgeResizeSelectOrPickTheNextColumn) {
  Make();
  struct Case {
    int x;
    bool resizing;
    int32_t column;  // client column selected
  } const cases[] = {{57, true, 1}, {55, false, 1}, {56, false, 2}, {63, true, 1}, {300, false, -1}};
  for (const Case& c : cases) {
    Press(c.x);
    EXPECT_EQ(c.resizing, grid->TitleBar().Resizing()) << "x " << c.x;
    if (c.column < 0)
      EXPECT_FALSE(Range().IsValid()) << "a press right of the last title clears the selection";
    else
      EXPECT_EQ(std::make_pair(c.column, c.column + 1), Columns()) << "x " << c.x;
    Release(c.x);
  }
}

TEST_F(TitleBarFixture, ResizingStopsAtTheMinimumAndReportsTheWidth) {
  Make();
  Press(58);
  Move(90);
  EXPECT_EQ(90, grid->Pane().Column(0).Width);
  EXPECT_EQ(91, grid->Pane().Column(1).Left) << "later columns follow the edge";
  EXPECT_EQ(152, grid->Pane().Column(2).Left);
  Move(1);
  Release(1);
  EXPECT_FALSE(grid->TitleBar().Resizing());
  EXPECT_EQ(5, grid->Pane().Column(0).Width) << "the minimum width";
  EXPECT_EQ(6, grid->Pane().Column(1).Left);
  ASSERT_FALSE(observer.Seen.empty());
  EXPECT_EQ((std::vector<uint32_t>{kGridColumnWidthChanged, 1, 1, 5}), observer.Seen.back());
}

TEST_F(TitleBarFixture, NarrowingAFixedWidthColumnTakesFromTheSizableOnesBeforeIt) {
  Make();
  GridPane& pane = grid->Pane();
  pane.Column(1).Sizable = false;
  pane.BeginResize();
  pane.SetColumnRight(1, 100);  // column 1 keeps 60, so column 0 ends at 39
  EXPECT_EQ(39, pane.Column(0).Width);
  EXPECT_EQ(40, pane.Column(1).Left);
  EXPECT_EQ(101, pane.Column(2).Left);
  EXPECT_EQ(0, pane.DirtyLeft());
  EXPECT_EQ(182, pane.DirtyRight()) << "the old last edge bounds the repaint";
  EXPECT_EQ(5 + 1 + 60, pane.ResizeMinimum(1));
}

TEST_F(TitleBarFixture, DraggingATitleMovesItThroughTheGridOnlyOntoAnotherColumn) {
  Make();
  grid->ColumnMoving = true;
  Press(30);
  EXPECT_TRUE(grid->TitleBar().Dragging());
  Release(150);
  EXPECT_FALSE(grid->TitleBar().Dragging());
  ASSERT_FALSE(observer.Seen.empty());
  EXPECT_EQ((std::vector<uint32_t>{kGridColumnMoved, 1, 1, 3, 1}), observer.Seen.back());

  observer.Seen.clear();
  Press(90);
  Release(100);  // onto itself: selects, moves nothing
  Press(90);
  Release(400);  // right of every column
  for (const auto& seen : observer.Seen) EXPECT_NE(kGridColumnMoved, seen[0]);
  EXPECT_EQ(std::make_pair(2, 3), Columns());
}

TEST_F(TitleBarFixture, WideTitlesAreLeftAlignedOrReplacedByTheShortTitle) {
  Make(2);
  GridPane& pane = grid->Pane();
  pane.Column(0).Title = L"WWWWWWWWWWWWWWWWWWWW";
  pane.Column(1).Title = L"WWWWWWWWWWWWWWWWWWWW";
  pane.Column(1).ShortTitle = L"W";
  const int height = grid->TitleHeight();
  DibCanvas canvas(200, height);
  grid->TitleBar().PaintTitles(canvas.dc.GetHDC(), 200, height);
  const COLORREF black = RGB(0, 0, 0);
  EXPECT_LE(canvas.FirstX({1, 1, 60, height - 1}, black), 3) << "left-aligned at the title's left";
  const int shortX = canvas.FirstX({62, 1, 121, height - 1}, black);
  EXPECT_GT(shortX, 62 + 20) << "the short title is centred";
  EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), canvas.dc.GetPixel(60, 5)) << "shadow at the right edge";
  EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), canvas.dc.GetPixel(61, 5)) << "highlight at the next left edge";

  SelectBlock(0, 1, 0, 1);
  grid->Selection()->MouseDown({0, 1}, {1, 1}, 0);  // the whole first column
  grid->TitleBar().PaintTitles(canvas.dc.GetHDC(), 200, height);
  EXPECT_GT(canvas.Count({1, 1, 60, height - 1}, GetSysColor(COLOR_BTNSHADOW)), 0) << "selected title";
}

TEST_F(TitleBarFixture, EditorOpensWithTheKeysStartTextAndCommitsToTheClient) {
  struct Key {
    UINT key;
    const wchar_t* text;
  } const keys[] = {{'A', L"a"},        {'7', L"7"},           {VK_NUMPAD3, L"3"}, {VK_SUBTRACT, L"-"},
                    {VK_OEM_MINUS, L"-"}, {VK_DECIMAL, L"."},   {VK_OEM_COMMA, L","}, {VK_F2, L""}};
  for (const Key& k : keys) EXPECT_EQ(std::wstring(k.text), EditorStartText(k.key)) << "key " << k.key;

  client.Texts[{1, 1}] = L"old";
  Make();
  EXPECT_FALSE(grid->Pane().BeginEdit(0, 0, 'A')) << "cells are not editable";
  grid->CellsEditable = true;
  ASSERT_TRUE(grid->Pane().BeginEdit(0, 0, 'A'));
  ASSERT_TRUE(grid->Pane().EditorOpen());
  EXPECT_EQ(std::wstring(L"a"), grid->Pane().Editor()->GetWindowText());
  grid->Pane().CommitEdit();
  EXPECT_FALSE(grid->Pane().EditorOpen());
  ASSERT_EQ(1u, client.Actions.size());
  EXPECT_EQ((std::vector<int32_t>{8, 1, 1}), client.Actions[0]);
  EXPECT_FALSE(grid->Pane().BeginEdit(19, 0, 0)) << "a row out of view opens nothing";
}

TEST_F(TitleBarFixture, TheSnapBarHasThePngFaceAndTogglesShowLatestRow) {
  WantSnapBar = true;
  Make();
  auto* bar = dynamic_cast<SnapGadgetWindowBase*>(grid->SnapBar());
  ASSERT_NE(nullptr, bar);
  ASSERT_NE(nullptr, bar->Button());
  EXPECT_EQ(OWL::TSize(16, 16), bar->Button()->GetFaceSize()) << "the 16 x 16 PNG 1005 through GDI+";
  OWL::TSize desired;
  bar->Button()->GetDesiredSize(desired);
  EXPECT_EQ(OWL::TSize(3 + 16 + 3, 3 + 16 + 3), desired) << "borders of 3 around the face";
  EXPECT_EQ(OWL::TRect(3, 3, 19, 19), bar->Button()->GetInnerRect());
  EXPECT_EQ(4u, bar->Button()->GetNumChars());
  EXPECT_EQ(0u, bar->Button()->GetFlags() & 8);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  EXPECT_EQ(std::wstring(metrics.lfMessageFont.lfFaceName), bar->GetFont().GetObject().lfFaceName);
  EXPECT_EQ(OWL::TButtonGadget::Up, bar->Button()->GetButtonState());
  SendMessageW(grid->GetHandle(), WM_COMMAND, kSnapToggleCommand, 0);
  EXPECT_TRUE(grid->ShowLatestRow);
  EXPECT_EQ(OWL::TButtonGadget::Down, bar->Button()->GetButtonState());
  ASSERT_EQ(1u, client.LatestRow.size());
  SendMessageW(grid->GetHandle(), WM_COMMAND, kSnapToggleCommand, 0);
  EXPECT_FALSE(grid->ShowLatestRow);
  EXPECT_EQ(OWL::TButtonGadget::Up, bar->Button()->GetButtonState());
}

TEST_F(TitleBarFixture, PaneClicksOutsideTheCellsClearAndTheBufferGrowsOnly) {
  Make();
  HWND const pane = grid->Pane().GetHandle();
  SendMessageW(pane, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(70, 20));
  SendMessageW(pane, WM_LBUTTONUP, 0, MAKELPARAM(70, 20));
  EXPECT_TRUE(Range().IsSingleCell());
  SendMessageW(pane, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 20));  // right of the last column
  EXPECT_FALSE(Range().IsValid());

  grid->Pane().Invalidate();
  grid->Pane().UpdateWindow();
  const OWL::TBitmap* const first = grid->Pane().PaintBuffer();
  ASSERT_NE(nullptr, first);
  const OWL::TSize size = first->Size();
  SetWindowPos(grid->GetHandle(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
  PumpMessages();
  grid->Pane().Invalidate();
  grid->Pane().UpdateWindow();
  EXPECT_EQ(first, grid->Pane().PaintBuffer()) << "kept when the pane shrinks";
  SetWindowPos(grid->GetHandle(), nullptr, 0, 0, 460, 340, SWP_NOMOVE | SWP_NOZORDER);
  PumpMessages();
  grid->Pane().Invalidate();
  grid->Pane().UpdateWindow();
  ASSERT_NE(nullptr, grid->Pane().PaintBuffer());
  EXPECT_GT(grid->Pane().PaintBuffer()->Width(), size.cx) << "replaced by a larger one when it grows";
}
