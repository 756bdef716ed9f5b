// The grid printout: page arithmetic, printer scaling, and pages drawn into a DIB and an EMF.
#include "grid/GridPrintout.h"

#include "grid/FittedText.h"
#include "grid/TVF_Renderer.h"
#include "platform/owl/TFont.h"
#include "tests/grid/GridTestClient.h"

#include <algorithm>
#include <set>

using namespace TVF_Grid;

TEST(GridPagination, ColumnsBreakAcrossPages) {
  // Narrow columns: a column that overflows starts the next page at its left edge.
  AcrossPlan plan = PlanAcross({400, 400, 400}, 100, 1000);
  EXPECT_EQ(2, plan.Pages);
  EXPECT_EQ(0, plan.Columns[1].Page);
  EXPECT_EQ(500, plan.Columns[1].Left);
  EXPECT_EQ(1, plan.Columns[2].Page);
  EXPECT_EQ(0, plan.Columns[2].Left);

  // A wide column starting past half a page continues there and spills over two more pages.
  plan = PlanAcross({600, 1500, 300}, 0, 1000);
  EXPECT_EQ(3, plan.Pages);
  EXPECT_EQ(0, plan.Columns[1].Page);
  EXPECT_EQ(600, plan.Columns[1].Left);
  int32_t left = 0;
  ASSERT_TRUE(plan.LeftOnPage(1, 1500, 2, left));
  EXPECT_EQ(-1400, left) << "its last 100 pixels open page 3";
  EXPECT_EQ(2, plan.Columns[2].Page);
  EXPECT_EQ(100, plan.Columns[2].Left);
  EXPECT_FALSE(plan.LeftOnPage(0, 600, 1, left));

  // Starting in the left half after something else, it takes a fresh page.
  plan = PlanAcross({300, 1500}, 0, 1000);
  EXPECT_EQ(3, plan.Pages);
  EXPECT_EQ(1, plan.Columns[1].Page);
  EXPECT_EQ(0, plan.Columns[1].Left);

  // A wide first column with nothing before it leaves no blank first page.
  plan = PlanAcross({2500}, 0, 1000);
  EXPECT_EQ(3, plan.Pages);
  EXPECT_EQ(0, plan.Columns[0].Page);
}

TEST(GridPagination, EveryRowGetsAPage) {
  // Page 1000, rows 400, heading band 100, 7 rows: 2 rows a page, so 4 pages.
  const DownPlan fault = PlanDown(7, 400, 100, 1000);
  EXPECT_EQ(4, fault.Pages);
  struct Case {
    int32_t rows, rowHeight, band, page;
  };
  const Case cases[] = {{7, 400, 100, 1000}, {1, 22, 32, 1000}, {0, 22, 32, 1000}, {500, 22, 32, 1000},
                        {10, 0, 32, 1000},   {5, 30, 2000, 1000}, {3, 1500, 32, 1000}, {44, 22, 32, 1000}};
  for (const Case& c : cases) {
    const DownPlan plan = PlanDown(c.rows, c.rowHeight, c.band, c.page);
    int32_t next = 0;
    for (int32_t r = 0; r < plan.Pages; ++r) {
      int32_t first = 0, count = 0;
      plan.RowsOfPage(r, c.rows, first, count);
      if (count == 0) continue;
      EXPECT_EQ(next, first) << c.rows << " rows, page " << r;
      next = first + count;
    }
    EXPECT_EQ(c.rows, next) << c.rows << " rows of " << c.rowHeight << " on " << c.page;
  }
  EXPECT_EQ(1, PlanDown(40, 22, 32, 1000).Pages) << "rows that fit with the band";
  EXPECT_EQ(2, PlanDown(45, 22, 32, 1000).Pages);
}

// The printer's font comes from the point size, not from the screen's rounded pixel height:
// 10 points are -13 pixels at 96 dpi and -27 at 192, which scaled printed -81 and -84 at 600.
TEST(GridPagination, PrinterFontsComeFromThePointSize) {
  LOGFONTW screen{};
  screen.lfHeight = -27;
  screen.lfWidth = 5;
  screen.lfWeight = FW_BOLD;
  const LOGFONTW printer = PrinterLogFont(screen, 10, 600);
  EXPECT_EQ(-81, printer.lfHeight) << "-13 at 96 dpi, scaled";
  EXPECT_EQ(0, printer.lfWidth);
  EXPECT_EQ(FW_BOLD, printer.lfWeight);
}

class GridPrintoutFixture : public GridFixture {
 protected:
  TVF_Renderer* renderer = nullptr;

  void MakePrinted(int32_t rows, int32_t columns) {
    for (int32_t c = 1; c <= columns; ++c) {
      client.Texts[{0, c}] = L"Head";
      client.Styles[{0, c}] = kCellStyleTitle;
      for (int32_t r = 1; r <= rows; ++r) {
        client.Texts[{r, c}] = L"8.5";
        client.Texts[{r, 0}] = std::to_wstring(r);
      }
    }
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
  ComPtr<ILumoPrintoutEx> Make(bool rowNumbers = true, bool headings = true) {
    return GridPrintout::Create(*grid, QOR::String(L"Doc: Table"), 8, &client, rowNumbers, headings);
  }
};

TEST_F(GridPrintoutFixture, PaginatesAtThePrinterResolution) {
  MakePrinted(30, 3);
  renderer->SetDefaultColumnWidth(96);
  renderer->RebuildColumns();
  ComPtr<ILumoPrintoutEx> printout = Make(false);
  auto& grid600 = static_cast<GridPrintout&>(*printout.Get());
  EXPECT_TRUE(grid->Printing);
  PrintResolution dpi;
  dpi.PrinterX = dpi.PrinterY = 600;
  // Columns of 96 pixels at 96 dpi print 600 wide; a page 1000 wide holds one of them.
  const OWL::TRect page(0, 0, 1000, 6000);
  int32_t pages = 0;
  const std::vector<WrittenText> cells = DrawnClippedTexts([&](HDC hdc) {
    OWL::TDC dc(hdc);
    pages = grid600.Paginate(dc, page, dpi);
    grid600.PrintPage(0, dc, page, dpi);
  });
  EXPECT_EQ(std::vector<int32_t>({96, 96, 96}), grid600.ColumnWidths()) << "planned at 96 dpi";
  ASSERT_FALSE(cells.empty());
  EXPECT_EQ(600, cells[0].clip.right - cells[0].clip.left + CellTextGap(600)) << "a cell's text and its gap";
  EXPECT_EQ(3, grid600.Across().Pages);
  EXPECT_GE(grid600.RowHeight(), 16);
  EXPECT_EQ(3 * grid600.Down().Pages, pages);
  printout = ComPtr<ILumoPrintoutEx>();
  EXPECT_FALSE(grid->Printing) << "the printing flag goes with the printout";
}

TEST_F(GridPrintoutFixture, PageDrawsHeadingsRulesAndRowLabels) {
  MakePrinted(4, 2);
  client.Texts[{2, 0}] = L"Avg";
  ComPtr<ILumoPrintoutEx> printout = Make();
  DibCanvas canvas(600, 400);
  const RECT page{0, 0, 600, 400};
  ASSERT_EQ(S_OK, printout->BeginPrinting(canvas.dc.GetHDC(), nullptr, &page));
  int32_t count = 0;
  ASSERT_EQ(S_OK, printout->GetPageCount(&count));
  EXPECT_EQ(1, count);
  ASSERT_EQ(S_OK, printout->PrintPage(1));
  auto& printed = static_cast<GridPrintout&>(*printout.Get());
  const int32_t rowHeight = printed.RowHeight();
  const int32_t labels = printed.Across().Columns[0].Left;
  ASSERT_GT(labels, 0) << "the row-number column comes first";
  const int32_t band = grid->CellFont().GetTextMetrics().tmHeight * 2;
  EXPECT_GT(canvas.Count(RECT{labels, 0, labels + 200, band}, RGB(0, 0, 0)), 20) << "headings";
  const RECT cells{labels, band, labels + 200, band + 4 * rowHeight};
  EXPECT_GT(canvas.Count(cells, RGB(16, 16, 16)), 20) << "dotted rules";
  EXPECT_GT(canvas.Count(RECT{0, band, labels, band + rowHeight}, RGB(0, 0, 0)), 10) << "row label";
  DibCanvas free(100, 3 * rowHeight);
  free.dc.SelectObject(grid->CellFont());
  free.dc.TextOut(10, rowHeight, L"Avg", 3);
  free.dc.RestoreFont();
  EXPECT_EQ(free.Count(RECT{0, 0, 100, 3 * rowHeight}, RGB(0, 0, 0)),
            canvas.Count(RECT{2, band + rowHeight + 2, labels - 2, band + 2 * rowHeight - 2}, RGB(0, 0, 0)))
      << "every pixel of \"Avg\" inside its outline, the descender clear of it";
  EXPECT_EQ(0, canvas.Count(RECT{0, band + 5 * rowHeight, 600, 400}, RGB(16, 16, 16)))
      << "nothing below the last row";
}

TEST_F(GridPrintoutFixture, PageRecordedIntoAMetafileReplaysWithRules) {
  MakePrinted(3, 2);
  ComPtr<ILumoPrintoutEx> printout = Make(false);
  HDC const meta = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  const RECT page{0, 0, 400, 300};
  ASSERT_EQ(S_OK, printout->BeginPrinting(meta, nullptr, &page));
  int32_t count = 0;
  printout->GetPageCount(&count);
  ASSERT_EQ(S_OK, printout->PrintPage(1));
  HENHMETAFILE const recorded = CloseEnhMetaFile(meta);
  ASSERT_NE(nullptr, recorded);
  DibCanvas canvas(400, 300);
  ENHMETAHEADER header{};
  GetEnhMetaFileHeader(recorded, sizeof header, &header);
  // Played back at the recorded place, so pixels land where they were drawn.
  const RECT frame{header.rclBounds.left, header.rclBounds.top, header.rclBounds.right + 1,
                   header.rclBounds.bottom + 1};
  PlayEnhMetaFile(canvas.dc.GetHDC(), recorded, &frame);
  DeleteEnhMetaFile(recorded);
  EXPECT_GT(canvas.Count(page, RGB(16, 16, 16)), 20);
  EXPECT_GT(canvas.Count(page, RGB(0, 0, 0)), 20);
}

namespace {

// Notes the rows whose cells of column 1 are asked for.
class RowNotingClient : public GridTestClient {
 public:
  std::set<int32_t> AskedRows;
  HRESULT STDMETHODCALLTYPE GetCellText(uint32_t flags, int32_t row, int32_t column, QOR::IQORString** text) override {
    if (column == 1) AskedRows.insert(row);
    return GridTestClient::GetCellText(flags, row, column, text);
  }
};

class SelectionPrintoutFixture : public GridPrintoutFixture {
 protected:
  RowNotingClient noting;
  // The grid's windows go while the client they ask still exists.
  void TearDown() override {
    GridPrintoutFixture::TearDown();
    parent.Destroy();
  }
};

}  // namespace

TEST_F(SelectionPrintoutFixture, ASelectionPrintsItsOwnRows) {
  noting.Rows = 11;
  noting.Columns = 2;
  grid = new EventGridControl(&parent);
  grid->Attr.W = 400;
  grid->Attr.H = 300;
  grid->SetInterfaces(&noting, &noting, &noting, &noting, 8, 8);
  grid->SetColumnRange(2, 1);
  grid->EnableAutoCreate();
  parent.Create();
  grid->CreateSelection();
  renderer = new TVF_Renderer(*grid);
  renderer->SetSources(nullptr, &noting, &noting, 8);
  grid->Pane().SetRenderer(renderer);
  renderer->RebuildColumns();
  SelectBlock(5, 1, 7, 1);
  ComPtr<ILumoPrintoutEx> printout =
      GridPrintout::Create(*grid, QOR::String(L"t"), 8, &noting, false, false);
  EXPECT_EQ(3, grid->Pane().RowCount()) << "the grid counts the selected rows while it prints";
  DibCanvas canvas(400, 600);
  const RECT page{0, 0, 400, 600};
  ASSERT_EQ(S_OK, printout->BeginPrinting(canvas.dc.GetHDC(), nullptr, &page));
  int32_t count = 0;
  printout->GetPageCount(&count);
  noting.AskedRows.clear();
  ASSERT_EQ(S_OK, printout->PrintPage(1));
  EXPECT_EQ((std::set<int32_t>{5, 6, 7}), noting.AskedRows);
  printout = ComPtr<ILumoPrintoutEx>();
  EXPECT_EQ(10, grid->Pane().RowCount());
}

// Printed at the screen's resolution (as the preview draws) and at 600 dpi, each cell shows the
// value the screen shows in a column of the same width, and a heading too long for its column
// ends in "..." as on screen.
TEST_F(GridPrintoutFixture, PrintedCellsShowTheScreensValuesAndLongHeadingsEndInAnEllipsis) {
  MakePrinted(3, 2);
  const std::wstring value = L"-0.01250", heading = L"A heading far too long (ms)";
  for (int32_t r = 1; r <= 3; ++r) client.Texts[{r, 1}] = value;
  client.Texts[{0, 2}] = heading;
  DibCanvas probe(4, 4);
  probe.dc.SelectObject(grid->CellFont());
  const int width = probe.dc.GetTextExtent(value.c_str(), static_cast<int>(value.size())).cx;
  probe.dc.RestoreFont();
  // Room for the value and the gap on screen, and two pixels to spare for the printer font's
  // rounding at 600 dpi.
  renderer->SetDefaultColumnWidth(width + CellTextGap(96) + 2);
  renderer->RebuildColumns();
  const OWL::TRect pane = grid->Pane().GetClientRect();
  const std::vector<std::wstring> screen = DrawnTexts([&](HDC dc) { grid->Pane().PaintCells(dc, pane); });
  ASSERT_EQ(3, std::count(screen.begin(), screen.end(), value)) << "the screen shows the value whole";
  for (const int32_t dpi : {96, 600}) {
    ComPtr<ILumoPrintoutEx> printout = Make(false);
    auto& printed = static_cast<GridPrintout&>(*printout.Get());
    PrintResolution resolution;
    resolution.PrinterX = resolution.PrinterY = dpi;
    const OWL::TRect page(0, 0, 8 * dpi, 10 * dpi);
    const std::vector<std::wstring> texts = DrawnTexts([&](HDC hdc) {
      OWL::TDC dc(hdc);
      ASSERT_EQ(1, printed.Paginate(dc, page, resolution));
      printed.PrintPage(0, dc, page, resolution);
    });
    EXPECT_EQ(3, std::count(texts.begin(), texts.end(), value)) << dpi << " dpi";
    const auto title =
        std::find_if(texts.begin(), texts.end(), [](const std::wstring& t) { return !t.empty() && t[0] == L'A'; });
    ASSERT_NE(texts.end(), title) << dpi << " dpi";
    EXPECT_LT(title->size(), heading.size()) << dpi << " dpi";
    EXPECT_EQ(L"...", title->substr(title->size() - 3)) << *title << " at " << dpi << " dpi";
    EXPECT_EQ(1, std::count(texts.begin(), texts.end(), L"Head")) << "a title that fits stays whole";
  }
}
