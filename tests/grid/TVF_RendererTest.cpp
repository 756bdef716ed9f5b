// The Table View renderer: columns from the client, titles, cells painted by style into a DIB,
// row labels and selection rows.
#include "grid/TVF_Renderer.h"

#include "grid/FittedText.h"
#include "grid/GridTitleBar.h"
#include "grid/ITableColumnInfo.h"
#include "platform/owl/TFont.h"
#include "tests/grid/GridTestClient.h"
#include "tests/support/UserMouse.h"

#include <algorithm>

#include <sstream>

using namespace TVF_Grid;

namespace {

// A client that also names its columns and gives their units.
class NamingClient : public GridTestClient, public ITableColumnInfo {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid != IID_ITableColumnInfo) return GridTestClient::QueryInterface(iid, out);
    *out = static_cast<ITableColumnInfo*>(this);
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetColumnName(int32_t column, QOR::IQORString** name) override {
    *name = QOR::String(column == 0 ? L"Amplitude" : L"Count").AddRefInterface();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetColumnUnits(int32_t column, QOR::IQORString** units) override {
    *units = QOR::String(column == 0 ? L"mV" : L"").AddRefInterface();
    return S_OK;
  }
};

}  // namespace

class RendererFixture : public GridFixture {
 protected:
  TVF_Renderer* renderer = nullptr;

  void MakeRendered(int32_t rows, int32_t columns) {
    MakeGrid(rows, columns);
    renderer = new TVF_Renderer(*grid);
    renderer->SetSources(nullptr, &client, &client, 8);
    grid->Pane().SetRenderer(renderer);
    renderer->RebuildColumns();
  }
  void TearDown() override {
    if (!renderer) return;
    grid->Pane().SetRenderer(grid);
    EXPECT_EQ(0u, renderer->Release());
  }
  // Paints the whole pane into a DIB of the pane's size.
  std::unique_ptr<DibCanvas> PaintPane() {
    const OWL::TRect client = grid->Pane().GetClientRect();
    auto canvas = std::make_unique<DibCanvas>(client.Width(), client.Height());
    grid->Pane().PaintCells(canvas->dc.GetHDC(), client);
    return canvas;
  }
  // Pane rectangle of data cell (pane row, column index).
  RECT Cell(int32_t row, int32_t column) { return grid->Pane().CellRect(row, column); }
};

TEST_F(RendererFixture, ColumnsComeFromTheClientWithTitlesAndDefaultWidths) {
  client.Texts[{0, 1}] = L"Peak";
  client.Styles[{0, 1}] = kCellStyleTitle;
  client.Texts[{0, 2}] = L"not a title";
  MakeRendered(5, 2);
  ASSERT_EQ(2, grid->Pane().ColumnCount());
  EXPECT_EQ(QOR::String(L"Peak"), grid->Pane().Column(0).Title);
  EXPECT_TRUE(grid->Pane().Column(1).Title.IsEmpty()) << "a cell without the title style gives no title";
  EXPECT_EQ(100, grid->Pane().Column(0).Width);
  EXPECT_EQ(101, grid->Pane().Column(1).Left);
  EXPECT_EQ(5, grid->Pane().RowCount());

  client.Columns = 1;  // the row numbers only
  renderer->RebuildColumns();
  ASSERT_EQ(1, grid->Pane().ColumnCount()) << "one empty column stands in";
  EXPECT_EQ(100, grid->Pane().Column(0).Width);
  EXPECT_TRUE(grid->Pane().Column(0).Title.IsEmpty());
}

TEST_F(RendererFixture, ColumnEntriesFollowTheColumnsAndKeptCachesTakeTheRecordRange) {
  MakeRendered(7, 3);
  EXPECT_EQ(4u, renderer->ColumnEntries().Size()) << "one per client column";
  EXPECT_EQ(0, renderer->RecordRange()) << "not filled without kept caches";
  renderer->SetKeepColumnCaches(true);
  client.Columns = 11;
  client.Rows = 10;
  renderer->RebuildColumns();
  EXPECT_EQ(11u, renderer->ColumnEntries().Size());
  EXPECT_EQ(16u, renderer->ColumnEntries().Capacity());
  EXPECT_EQ(9, renderer->RecordRange()) << "the pixel map's append position: after its nine rows";
  for (size_t i = 0; i < renderer->ColumnEntries().Size(); ++i) {
    EXPECT_EQ(9, renderer->ColumnEntries()[i].RecordPosition) << i;
    EXPECT_EQ(0x7FFFFFFF, renderer->ColumnEntries()[i].RecordIndex) << i;
  }
}

TEST_F(RendererFixture, ColumnInfoNamesTitlesWithUnitsInParentheses) {
  NamingClient naming;
  naming.Rows = 3;
  naming.Columns = 3;
  MakeGrid(2, 2);
  renderer = new TVF_Renderer(*grid);
  renderer->SetSources(nullptr, &naming, &naming, 8);
  grid->Pane().SetRenderer(renderer);
  EXPECT_EQ(QOR::String(L"Amplitude (mV)"), renderer->ColumnTitle(0));
  EXPECT_EQ(QOR::String(L"Count"), renderer->ColumnTitle(1));
  TearDown();  // the renderer's pixel map holds the client, which goes first
  renderer = nullptr;
}

TEST_F(RendererFixture, PaneShowsGridLinesSelectionHighlightPlaceholderAndIndent) {
  client.Texts[{1, 1}] = L"W";
  client.Styles[{1, 1}] = kCellStyleHighlight;
  client.Texts[{2, 1}] = L"3";
  client.Styles[{2, 1}] = kCellStyleChoice | kCellStylePlaceholder;
  client.Texts[{3, 1}] = L"W";
  client.Texts[{4, 1}] = L"W";
  client.Styles[{4, 1}] = kCellStyleIndent;
  MakeRendered(6, 2);
  SelectBlock(5, 2, 5, 2);
  auto canvas = PaintPane();
  const COLORREF lines = GetSysColor(COLOR_3DLIGHT);
  const RECT first = Cell(0, 0);
  EXPECT_EQ(lines, canvas->dc.GetPixel(first.right, 4)) << "vertical line right of the column";
  EXPECT_EQ(lines, canvas->dc.GetPixel(10, first.bottom)) << "horizontal line under the row";
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), canvas->dc.GetPixel(Cell(4, 1).left + 50, Cell(4, 1).top + 4));
  EXPECT_GT(canvas->Count(Cell(0, 0), kHighlightCellColour), 0) << "style 0x4000 paints the text red";
  EXPECT_EQ(0, canvas->Count(Cell(2, 0), kHighlightCellColour));
  EXPECT_GT(canvas->Count(Cell(1, 0), GetSysColor(COLOR_GRAYTEXT)), 0) << "the placeholder is grey";

  OWL::TDC probe(canvas->dc.GetHDC());
  probe.SelectObject(grid->CellFont());
  const int blanks = probe.GetTextExtent(L"   ", 3).cx;
  probe.RestoreFont();
  const int plain = canvas->FirstX(Cell(2, 0), RGB(0, 0, 0));
  const int indented = canvas->FirstX(Cell(3, 0), RGB(0, 0, 0));
  ASSERT_GE(plain, 0);
  EXPECT_EQ(plain + blanks, indented);

  grid->Printing = true;  // the placeholder is left out of printouts
  canvas = PaintPane();
  EXPECT_EQ(0, canvas->Count(Cell(1, 0), GetSysColor(COLOR_GRAYTEXT)));
  grid->Printing = false;
}

TEST_F(RendererFixture, ChoiceCellsShowTheirTextOnlyWithTheShowStyle) {
  client.Texts[{1, 1}] = L"0";
  client.Styles[{1, 1}] = kCellStyleChoice | kCellStyleShowChoice;
  client.Texts[{2, 1}] = L"0";
  client.Styles[{2, 1}] = kCellStyleChoice;
  client.Texts[{3, 1}] = L"-1";
  client.Styles[{3, 1}] = kCellStyleChoice | kCellStyleShowChoice;
  MakeRendered(3, 1);
  grid->ChoiceTexts[0] = L"WWW";
  auto canvas = PaintPane();
  EXPECT_GT(canvas->Count(Cell(0, 0), RGB(0, 0, 0)), 0);
  EXPECT_EQ(0, canvas->Count(Cell(1, 0), RGB(0, 0, 0))) << "no show style";
  EXPECT_EQ(0, canvas->Count(Cell(2, 0), RGB(0, 0, 0))) << "a negative choice";
}

TEST_F(RendererFixture, RowLabelsIndentAndSelectionRowsNarrowAndRestore) {
  client.Texts[{1, 0}] = L"Avg";
  client.Styles[{1, 0}] = kCellStyleIndent;
  client.Styles[{2, 0}] = kCellStyleIndent;
  MakeRendered(10, 2);
  std::wostringstream label, empty;
  renderer->WriteRowLabel({1, 1}, label);
  renderer->WriteRowLabel({2, 1}, empty);
  EXPECT_EQ(std::wstring(L"   Avg") + L'\0', label.str());
  EXPECT_EQ(std::wstring(1, L'\0'), empty.str()) << "an empty label gets no blanks";

  renderer->BeginSelectionRows();  // no selection: nothing to narrow
  EXPECT_EQ(10, grid->Pane().RowCount());
  renderer->EndSelectionRows();
  SelectBlock(3, 1, 5, 2);
  renderer->BeginSelectionRows();
  EXPECT_EQ(3, grid->Pane().RowCount());
  renderer->EndSelectionRows();
  EXPECT_EQ(10, grid->Pane().RowCount());
  grid->WholeGridPrinting = true;
  renderer->BeginSelectionRows();
  EXPECT_EQ(10, grid->Pane().RowCount());
}

// The user narrows a column by its heading's edge until its value just fills it: the value then
// keeps a gap before the edge, shown with fewer figures rather than run into the next column's
// value or cut with "..."; the summary's row label "Avg" keeps its descender.
TEST_F(RendererFixture, ValuesFillingTheirColumnKeepAGapAndRowLabelsTheirDescenders) {
  for (int32_t r = 1; r <= 3; ++r) {
    client.Texts[{r, 1}] = L"-0.01250";
    client.Texts[{r, 2}] = L"2.611";
  }
  client.Texts[{1, 0}] = L"Avg";
  MakeRendered(3, 2);
  grid->RendererRowHeaders = true;
  DibCanvas probe(4, 4);
  probe.dc.SelectObject(grid->CellFont());
  const int full = probe.dc.GetTextExtent(L"-0.01250", 8).cx;
  probe.dc.RestoreFont();
  HWND const bar = grid->TitleBar().GetHandle();
  const int edge = grid->Pane().Column(0).Right();
  user_mouse::Drag(user_mouse::ScreenPoint(bar, edge, 4), user_mouse::ScreenPoint(bar, full, 4));
  ASSERT_EQ(full, grid->Pane().Column(0).Width) << "the heading's edge follows the mouse";
  Sel().Clear();  // the press on the heading selected its column: black text again

  auto canvas = PaintPane();
  const RECT cell = Cell(0, 0);
  const int gap = TVF_Grid::CellTextGap(canvas->dc.GetDeviceCaps(LOGPIXELSX));
  EXPECT_GT(canvas->Count(cell, RGB(0, 0, 0)), 20);
  EXPECT_EQ(0, canvas->Count(RECT{cell.right - gap, cell.top, cell.right, cell.bottom}, RGB(0, 0, 0)))
      << "nothing drawn in the gap before the next column";
  const OWL::TRect pane = grid->Pane().GetClientRect();
  const std::vector<std::wstring> texts = DrawnTexts([&](HDC dc) { grid->Pane().PaintCells(dc, pane); });
  EXPECT_EQ(3, std::count(texts.begin(), texts.end(), L"-0.0125")) << "one figure less";
  EXPECT_EQ(3, std::count(texts.begin(), texts.end(), L"2.611"));
  // Two figures less: rounded from the number the client gives, not from its four-figure text.
  const struct { const wchar_t* text; double value; const wchar_t* shown; } narrowed[] = {
      {L"-0.002650", -0.002649965, L"-0.0026"}, {L"-0.003450", -0.003450035, L"-0.0035"}};
  for (int32_t r = 1; r <= 2; ++r) {
    client.Texts[{r, 1}] = narrowed[r - 1].text;
    client.Values[{r, 1}] = narrowed[r - 1].value;
  }
  const std::vector<std::wstring> rounded = DrawnTexts([&](HDC dc) { grid->Pane().PaintCells(dc, pane); });
  for (const auto& n : narrowed) EXPECT_NE(rounded.end(), std::find(rounded.begin(), rounded.end(), n.shown)) << n.shown;

  // The label as the pane draws it holds every pixel of "Avg" drawn with room to spare.
  const int height = grid->Pane().RowHeight();
  DibCanvas labels(40, height), whole(40, 3 * height);
  grid->RowNumbers().PaintRows(labels.dc, OWL::TRect(0, 0, 40, height), 40);
  whole.dc.SelectObject(grid->CellFont());
  whole.dc.TextOut(4, height, L"Avg", 3);
  whole.dc.RestoreFont();
  EXPECT_EQ(whole.Count(RECT{0, 0, 40, 3 * height}, RGB(0, 0, 0)), labels.Count(RECT{0, 0, 40, height}, RGB(0, 0, 0)));
}
