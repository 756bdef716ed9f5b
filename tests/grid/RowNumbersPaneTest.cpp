// Row cursors, cell values and the row-number pane: labels, widening and the row drag's timer.
#include "grid/RowNumbersPane.h"

#include "base/OStringStream.h"

#include "grid/CellData.h"
#include "grid/RowPosCursor.h"
#include "platform/owl/TBitmap.h"
#include "platform/owl/TMemoryDC.h"
#include "tests/grid/GridTestClient.h"

using namespace TVF_Grid;

TEST(UniformRowPosCursor, StepsByWholeRows) {
  UniformRowPosCursor empty(0, 5, 1, 5, 1, 16);
  EXPECT_FALSE(empty.HasMore());
  UniformRowPosCursor cursor(-8, 2, 1, 6, 0, 16);  // fixed counts are not compared
  EXPECT_TRUE(cursor.HasMore());
  EXPECT_EQ(48, cursor.Advance(3));
  EXPECT_EQ(40, cursor.Top());
  EXPECT_EQ(56, cursor.Bottom());
  EXPECT_EQ(5, cursor.Row());
  EXPECT_EQ(56, cursor.Next());
  EXPECT_EQ(72, cursor.Bottom());
  EXPECT_FALSE(cursor.HasMore());
}

TEST(CellData, NumberTextIsSignedDecimalAndTextsAreShared) {
  TVF_CellUint32Data number;
  QOR::String text;
  for (const auto& [value, expected] : std::vector<std::pair<uint32_t, const wchar_t*>>{
           {0u, L"0"}, {42u, L"42"}, {0x80000001u, L"-2147483647"}, {0xFFFFFFFFu, L"-1"}}) {
    number.SetValue(value);
    number.GetText(text);
    EXPECT_STREQ(expected, text.GetText()) << value;
    EXPECT_EQ(value, number.GetValue());
  }
  TVF_CellStringData data;
  const QOR::String shared(L"shared");
  data.SetText(shared);
  data.GetText(text);
  EXPECT_EQ(shared.GetText(), text.GetText()) << "one text, never copied";
}

TEST_F(GridFixture, CellDataKindFollowsTheChoiceStyle) {
  MakeGrid(3, 2);
  client.Texts[{1, 1}] = L"plain";
  client.Texts[{1, 2}] = L"17";
  client.Texts[{2, 2}] = L"17x";
  client.Styles[{1, 2}] = kCellStyleChoice;
  client.Styles[{2, 2}] = kCellStyleChoice;
  QOR::String text;
  auto cell = grid->GetCellData(1, 1);
  cell->GetText(text);
  EXPECT_STREQ(L"plain", text.GetText());
  auto* choice = dynamic_cast<CellUint32Data*>(grid->GetCellData(1, 2).release());
  ASSERT_NE(nullptr, choice);
  EXPECT_EQ(17u, choice->GetValue());
  delete choice;
  auto bad = grid->GetCellData(2, 2);
  EXPECT_EQ(0x80000001u, dynamic_cast<CellUint32Data&>(*bad).GetValue());
}

TEST_F(GridFixture, RowLabelsAreNumbersUpToTheRowCount) {
  MakeGrid(120, 2);
  EXPECT_EQ(3, grid->GetLongestRowLabel());
  QOR::OStringStream first, past;
  grid->WriteRowLabel({1, 1}, first);
  grid->WriteRowLabel({121, 1}, past);
  EXPECT_STREQ(L"1", first.str().GetText());
  EXPECT_EQ(0, past.str().Length());
}

TEST_F(GridFixture, AWideLabelWidensThePaneAndMovesTheCells) {
  MakeGrid(200, 2);
  grid->RowNumbers().PreferredWidth = 8;
  SetWindowPos(grid->GetHandle(), nullptr, 0, 0, 401, 300, SWP_NOMOVE | SWP_NOZORDER);
  ASSERT_EQ(8, grid->RowNumberWidth());
  grid->SetTopRow(115);  // rows 116.. show three digits
  grid->RowNumbers().UpdateWindow();
  PumpMessages();
  const int widened = grid->RowNumberWidth();
  EXPECT_GT(widened, 8);
  RECT cells = grid->Pane().GetWindowRect();
  MapWindowPoints(nullptr, grid->GetHandle(), reinterpret_cast<POINT*>(&cells), 2);
  EXPECT_EQ(widened + 1, cells.left);

  // Labels centred in the old width are painted again across the whole new width.
  HWND const numbers = grid->RowNumbers().GetHandle();
  ValidateRect(numbers, nullptr);
  grid->WidenRowNumbers(widened + 20);
  RECT stale{};
  ASSERT_TRUE(GetUpdateRect(numbers, &stale, FALSE));
  EXPECT_EQ(0, stale.left);
}

TEST_F(GridFixture, DraggingAtTheEdgesScrollsOneRowPerTimer) {
  MakeGrid(100, 2);
  grid->SetTopRow(10);
  HWND const numbers = grid->RowNumbers().GetHandle();
  SendMessageW(numbers, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 2 * 16 + 3));  // pane row 12
  SendMessageW(numbers, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(4, 0));           // pane row 10
  EXPECT_TRUE(grid->RowNumbers().TimerPending());
  EXPECT_EQ(9, grid->RowNumbers().TimerRow());
  EXPECT_EQ(11, Range().FirstRow.Index);
  EXPECT_EQ(14, Range().EndRow.Index);
  SendMessageW(numbers, WM_TIMER, kRowDragTimer, 0);
  EXPECT_FALSE(grid->RowNumbers().TimerPending());
  EXPECT_EQ(9, grid->Pane().TopRow());
  // At the last visible row the view moves down by one.
  const int lastTop = (grid->Pane().VisibleRows() - 1) * 16;
  SendMessageW(numbers, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(4, lastTop + 2));
  EXPECT_EQ(10, grid->RowNumbers().TimerRow());
  SendMessageW(numbers, WM_TIMER, kRowDragTimer, 0);
  EXPECT_EQ(10, grid->Pane().TopRow());
  // With Shift held the move is not a drag; without an anchor nothing is armed.
  SendMessageW(numbers, WM_LBUTTONUP, 0, MAKELPARAM(4, 3));
  SendMessageW(numbers, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(4, 0));
  EXPECT_FALSE(grid->RowNumbers().TimerPending());
}

TEST_F(GridFixture, SelectedRowsPaintAsShadowBandsAndOthersAsFramedFace) {
  MakeGrid(10, 3);
  ClickRow(2);
  keys.Shift = true;
  ClickRow(3);
  keys.Shift = false;
  const int width = 24, rows = 14;  // four rows past the row count
  DibCanvas canvas(width, rows * 16);
  grid->RowNumbers().PaintRows(canvas.dc, OWL::TRect(0, 0, width, rows * 16), width);
  const COLORREF face = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW);
  for (int row = 0; row < rows; ++row) {
    const int top = row * 16;
    const bool selected = row == 2 || row == 3;
    EXPECT_EQ(selected ? shadow : face, canvas.dc.GetPixel(2, top + 4)) << "row " << row;
    if (selected) continue;
    EXPECT_EQ(shadow, canvas.dc.GetPixel(width - 1, top + 4)) << "right frame of row " << row;
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), canvas.dc.GetPixel(0, top + 4)) << "left frame of row " << row;
  }
}

TEST_F(GridFixture, TheGridFramesItsCornersAndEdges) {
  MakeGrid(100, 3);  // vertical bar only
  ASSERT_TRUE(grid->VScrollShown());
  ASSERT_FALSE(grid->HScrollShown());
  DibCanvas canvas(400, 300);
  grid->PaintFrame(canvas.dc, 400, 300);
  const COLORREF face = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW);
  const int vs = GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_EQ(face, canvas.dc.GetPixel(4, 4)) << "corner above the row numbers";
  EXPECT_EQ(face, canvas.dc.GetPixel(400 - vs + 4, 4)) << "box above the vertical bar";
  EXPECT_EQ(RGB(255, 255, 255), canvas.dc.GetPixel(4, 296)) << "no box without the horizontal bar";
  EXPECT_EQ(shadow, canvas.dc.GetPixel(0, 150));
  EXPECT_EQ(shadow, canvas.dc.GetPixel(200, 0));
}
