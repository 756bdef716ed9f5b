// The grid printout: pagination, then per page the heading band, the cells column by column,
// the rules between them and the row labels.
#include "grid/GridPrintout.h"

#include "base/OStringStream.h"
#include "grid/FittedText.h"
#include "grid/GridColumn.h"
#include "grid/GridControl.h"
#include "grid/GridPane.h"
#include "grid/GridPrintoutScopesPrivate.h"
#include "grid/GridSelection.h"
#include "grid/RowNumbersPane.h"
#include "grid/RowPosCursor.h"
#include "grid/TableDataContract.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TFont.h"
#include "platform/owl/TMemoryDC.h"
#include "platform/owl/TPen.h"

#include <algorithm>
#include <cwchar>

namespace TVF_Grid {

namespace {

// Sizes on the page are given for a 600 dpi printer and scale with the printer's resolution.
int32_t AtPrinterDpi(int32_t pixelsAt600, int32_t dotsPerInch) noexcept {
  return std::max(1, MulDiv(pixelsAt600, dotsPerInch > 0 ? dotsPerInch : 600, 600));
}

// A printer's resolution, or the layout's where the printer reports none.
int32_t OrLayoutDpi(int32_t dotsPerInch) noexcept { return dotsPerInch > 0 ? dotsPerInch : kPrintLayoutDpi; }

// A place in the layout's pixels as printer pixels, rounded.
int32_t FromLayout(int32_t layoutPixels, int32_t dotsPerInch) noexcept {
  return MulDiv(layoutPixels, OrLayoutDpi(dotsPerInch), kPrintLayoutDpi);
}

// The dotted rule between cells, width in printer pixels: a cosmetic dotted pen draws solid at
// widths above one, and round caps would leave only the first dot on some GDIs.
HPEN CreateDottedRulePen(int32_t width) noexcept {
  LOGBRUSH brush{BS_SOLID, RGB(16, 16, 16), 0};
  return ExtCreatePen(PS_GEOMETRIC | PS_DOT | PS_ENDCAP_FLAT, width, &brush, 0, nullptr);
}

int32_t TextHeight(OWL::TDC& dc, const OWL::TFont& font) {
  dc.SelectObject(font);
  TEXTMETRICW metrics{};
  dc.GetTextMetrics(metrics);
  dc.RestoreFont();
  return metrics.tmHeight;
}

}  // namespace

LOGFONTW PrinterLogFont(const LOGFONTW& screen, int32_t points, int32_t dpi) noexcept {
  LOGFONTW printer = screen;
  printer.lfHeight = -MulDiv(MulDiv(points, kPrintLayoutDpi, 72), dpi > 0 ? dpi : kPrintLayoutDpi, kPrintLayoutDpi);
  printer.lfWidth = 0;
  return printer;
}

// The cell font A and the heading font B on the printer, in the grid's point size.
struct GridPrintout::Fonts {
  Fonts(const GridControl& grid, const PrintResolution& dpi)
      : Cell(PrinterLogFont(grid.CellFont().GetObject(), GridControl::kFontPoints, dpi.PrinterY)),
        Heading(PrinterLogFont(grid.HeadingFont().GetObject(), GridControl::kFontPoints, dpi.PrinterY)) {}
  OWL::TFont Cell;
  OWL::TFont Heading;
};

// The fonts at kPrintLayoutDpi and their sizes there, measured on a memory DC of their own, which
// maps a font's pixel height alike on every screen.
struct GridPrintout::LayoutMetrics {
  explicit LayoutMetrics(const GridControl& grid)
      : LayoutFonts(grid, PrintResolution{kPrintLayoutDpi, kPrintLayoutDpi}),
        CellHeight(TextHeight(Measure, LayoutFonts.Cell)),
        HeadingHeight(TextHeight(Measure, LayoutFonts.Heading)) {
    Measure.SelectObject(LayoutFonts.Cell);
    TEXTMETRICW metrics{};
    Measure.GetTextMetrics(metrics);
    Measure.RestoreFont();
    AverageWidth = metrics.tmAveCharWidth;
  }
  OWL::TMemoryDC Measure;
  Fonts LayoutFonts;
  int32_t CellHeight;
  int32_t HeadingHeight;
  int32_t AverageWidth = 0;
};

// Where one page's parts go.
struct GridPrintout::PageFrame {
  OWL::TRect Printable;
  int32_t ColumnPage = 0;
  int32_t FirstRow = 0;
  int32_t RowCount = 0;
  int32_t CellsTop = 0;
  int32_t RowsBottom = 0;
  int32_t RuleWidth = 0;
  int32_t CellsLeft = 0;
  int32_t CellsRight = 0;
  bool LastColumnPlaceholder = false;
  int32_t DottedWidth = 1;
  // Text keeps the screen's room: the gap a cell keeps free, at the printer's resolution, of
  // which the inset goes before the text, clear of the rule along the cell's left edge.
  int32_t TextGap = 0;
  int32_t TextInset = 0;
  // The plan's row height and row-number width in printer pixels.
  int32_t RowHeight = 1;
  int32_t RowNumberWidth = 0;
};

GridPrintout::GridPrintout(GridControl& grid, const QOR::String& title, uint32_t section,
                           ITableDataManager* data, bool printRowNumbers, bool printHeadings, IUnknown* owner)
    : LumoPrintout(owner, title),
      mGrid(grid),
      mSection(section),
      mData(data),
      mPrintRowNumbers(printRowNumbers),
      mPrintHeadings(printHeadings) {
  mGrid.Printing = true;
  const int32_t rows = mGrid.Pane().RowCount();
  Renderer().BeginSelectionRows();
  // The grid now counts only the selected rows; they are printed from the selection's first.
  const CellRange* const printed = mGrid.PrintedSelection();
  if (printed && mGrid.Pane().RowCount() != rows) mRowOffset = printed->FirstRow.Index - mGrid.FixedRows();
}

GridPrintout::~GridPrintout() {
  Renderer().EndSelectionRows();
  mGrid.Printing = false;
}

ComPtr<ILumoPrintoutEx> GridPrintout::Create(GridControl& grid, const QOR::String& title, uint32_t section,
                                             ITableDataManager* data, bool printRowNumbers, bool printHeadings,
                                             IUnknown* owner) {
  return ComPtr<ILumoPrintoutEx>(
      new GridPrintout(grid, title, section, data, printRowNumbers, printHeadings, owner));
}

GridRenderer& GridPrintout::Renderer() const noexcept {
  GridRenderer* const renderer = mGrid.Pane().Renderer();
  return renderer ? *renderer : static_cast<GridRenderer&>(mGrid);
}

uint32_t GridPrintout::Style(int32_t row, int32_t column) const {
  uint32_t style = 0;
  if (mData && FAILED(mData->GetCellStyle(mSection, row, column, &style))) style = 0;
  return style;
}

OWL::TRect GridPrintout::PrintableRect(const OWL::TDC& dc, const OWL::TDC* printer, const OWL::TRect& rect) {
  if (!printer) return rect;
  return OWL::TRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
}

PrintResolution GridPrintout::ResolutionOf(const OWL::TDC& dc) {
  PrintResolution dpi;
  dpi.PrinterX = dc.GetDeviceCaps(LOGPIXELSX);
  dpi.PrinterY = dc.GetDeviceCaps(LOGPIXELSY);
  return dpi;
}

int32_t GridPrintout::CountPages() {
  OWL::TDC* const dc = DrawingDC();
  if (!dc) return 0;
  return Paginate(*dc, PrintableRect(*dc, PrinterDC(), PageRect()), ResolutionOf(*dc));
}

void GridPrintout::DrawPage(int32_t page, OWL::TDC& dc, OWL::TDC* printer, const OWL::TRect& rect) {
  PrintPage(page - 1, dc, PrintableRect(dc, printer, rect), ResolutionOf(dc));
}

// The pages are planned at kPrintLayoutDpi from the grid's point size and its columns' widths
// there alone, and only drawn at the printer's resolution: every screen and every printer gives
// the same pages, each with the same rows and columns. What of a cell's or heading's text fits is
// measured in the font it is drawn in, where the printer's rounding puts it, so that no text is
// cut by its column's edge.
int32_t GridPrintout::Paginate(OWL::TDC&, const OWL::TRect& page, const PrintResolution& dpi) {
  mLayout = std::make_unique<LayoutMetrics>(mGrid);
  const LayoutMetrics& layout = *mLayout;
  mRowHeight = static_cast<int32_t>(layout.CellHeight * 1.4);
  mWidths.clear();
  const GridPane& pane = mGrid.Pane();
  for (int32_t i = 0; i < pane.ColumnCount(); ++i)
    mWidths.push_back(mGrid.FromScreen(pane.Column(i).Width));
  mRowNumberWidth = mPrintRowNumbers ? layout.AverageWidth * (mGrid.GetLongestRowLabel() + 6) : 0;
  const int32_t width = MulDiv(page.Width(), kPrintLayoutDpi, OrLayoutDpi(dpi.PrinterX));
  const int32_t height = MulDiv(page.Height(), kPrintLayoutDpi, OrLayoutDpi(dpi.PrinterY));
  mAcross = PlanAcross(mWidths, mRowNumberWidth, width);
  mDown = PlanDown(pane.RowCount(), mRowHeight, 2 * layout.HeadingHeight, height);
  return mAcross.Pages * mDown.Pages;
}

int32_t GridPrintout::PrintedColumns() const {
  const int32_t count = mGrid.Pane().ColumnCount();
  int32_t k = count;
  while (k != 0 && (Style(mGrid.FixedRows(), k) & kCellStylePlaceholder)) --k;
  if (k < count) ++k;
  return k;
}

int32_t GridPrintout::RuledRows() const {
  int32_t m = mGrid.Pane().RowCount();
  while (m != 0 && (Style(m + mRowOffset, mGrid.FixedColumns()) & kCellStylePlaceholder)) --m;
  return m;
}

GridPrintout::PageFrame GridPrintout::FrameOfPage(int32_t p, const OWL::TRect& page,
                                                  const PrintResolution& dpi) const {
  PageFrame frame;
  // Truncated, so that the rows the plan gives a page fit it.
  frame.RowHeight =
      std::max<int32_t>(1, static_cast<int32_t>(int64_t{mRowHeight} * OrLayoutDpi(dpi.PrinterY) / kPrintLayoutDpi));
  frame.RowNumberWidth = FromLayout(mRowNumberWidth, dpi.PrinterX);
  frame.Printable = page;
  frame.ColumnPage = p % mAcross.Pages;
  const int32_t rowPage = p / mAcross.Pages;
  mDown.RowsOfPage(rowPage, mGrid.Pane().RowCount(), frame.FirstRow, frame.RowCount);
  frame.RuleWidth = static_cast<int32_t>(static_cast<int32_t>(dpi.PrinterX / 25.4) * 0.5);
  frame.DottedWidth = AtPrinterDpi(4, dpi.PrinterX);
  frame.TextGap = CellTextGap(dpi.PrinterX);
  frame.TextInset = std::min(AtPrinterDpi(9, dpi.PrinterX), frame.TextGap / 2);
  frame.CellsTop = page.top + (rowPage == 0 ? FromLayout(2 * mLayout->CellHeight, dpi.PrinterY) : 0);
  frame.RowsBottom = std::min<int32_t>(frame.CellsTop + frame.RowCount * frame.RowHeight, page.bottom);
  frame.LastColumnPlaceholder =
      (Style(mGrid.FixedRows(), mGrid.Pane().ColumnCount()) & kCellStylePlaceholder) != 0;
  frame.CellsLeft = page.left + (mPrintRowNumbers && frame.ColumnPage == 0 ? frame.RowNumberWidth : 0);
  frame.CellsRight = frame.CellsLeft;
  return frame;
}

void GridPrintout::PrintPage(int32_t p, OWL::TDC& dc, const OWL::TRect& page, const PrintResolution& dpi) {
  if (p < 0 || mAcross.Pages <= 0 || !mLayout) return;
  const Fonts fonts(mGrid, dpi);
  PageFrame frame = FrameOfPage(p, page, dpi);
  const int32_t columns = std::min<int32_t>(PrintedColumns(), static_cast<int32_t>(mWidths.size()));
  for (int32_t i = 0; i < columns; ++i) {
    const int32_t width = mWidths[static_cast<size_t>(i)];
    int32_t planned = 0;
    if (!mAcross.LeftOnPage(static_cast<size_t>(i), width, frame.ColumnPage, planned)) continue;
    const int32_t left = page.left + FromLayout(planned, dpi.PrinterX);
    const int32_t right = page.left + FromLayout(planned + width, dpi.PrinterX);
    frame.CellsRight = frame.LastColumnPlaceholder && i == columns - 1 ? left : std::min<int32_t>(right, page.right);
    if (mPrintHeadings && frame.CellsTop > page.top)
      DrawHeading(dc, fonts, frame, i, OWL::TRect(left, page.top, right, frame.CellsTop));
    DrawColumnCells(dc, fonts, frame, i, left, right);
  }
  DrawRowRules(dc, fonts, frame);
}

void GridPrintout::DrawHeading(OWL::TDC& dc, const Fonts& fonts, const PageFrame& frame, int32_t column,
                               const OWL::TRect& cell) {
  OWL::TRect clipped = cell;
  clipped.left = std::max(cell.left, frame.Printable.left);
  clipped.right = std::min(cell.right, frame.Printable.right);
  if (clipped.IsEmpty()) return;
  const QOR::String& title = mGrid.Pane().Column(column).Title;
  const OWL::TPen outline(OWL::TColor(RGB(0, 0, 0)), frame.RuleWidth, PS_SOLID);
  dc.SelectObject(fonts.Heading);
  dc.SelectObject(outline);
  {
    const TextStateScope text(dc, TA_LEFT | TA_BASELINE);
    const ClipScope clip(dc, clipped);
    // Fitted in the heading font as the printer rounds it, as the cells are.
    const std::wstring shown = FitText(dc.GetHDC(), title.GetText(), title.Length(), clipped.Width() - frame.TextGap);
    dc.TextOut(clipped.left + frame.TextInset, (clipped.top + clipped.bottom) / 2, shown.c_str(),
               static_cast<int>(shown.size()));
  }
  HGDIOBJ const hollow = SelectObject(dc.GetHDC(), GetStockObject(NULL_BRUSH));
  dc.Rectangle(clipped);
  SelectObject(dc.GetHDC(), hollow);
  dc.RestorePen();
  dc.RestoreFont();
}

void GridPrintout::DrawColumnCells(OWL::TDC& dc, const Fonts& fonts, const PageFrame& frame, int32_t column,
                                   int32_t left, int32_t right) {
  const int32_t fixedRows = mGrid.FixedRows();
  const int32_t fixedColumns = mGrid.FixedColumns();
  if (frame.RowCount > 0) {
    const ClipScope clip(dc, OWL::TRect(left, frame.CellsTop, right, frame.Printable.bottom));
    const ColourScope colours(dc);
    dc.SelectObject(fonts.Cell);
    const int32_t first = frame.FirstRow + mRowOffset + fixedRows;
    UniformRowPosCursor cursor(frame.CellsTop, first, fixedRows, first + frame.RowCount, fixedRows, frame.RowHeight);
    int widest = 0;
    Renderer().PaintColumn(dc.GetHDC(), {column + fixedColumns, fixedColumns}, cursor, left + frame.TextInset,
                           right - frame.TextGap + frame.TextInset, widest);
    dc.RestoreFont();
  }
  const OWL::TPen rule(CreateDottedRulePen(frame.DottedWidth), OWL::TAutoDelete::AutoDelete);
  dc.SelectObject(rule);
  dc.MoveTo(left, frame.CellsTop);
  dc.LineTo(left, frame.RowsBottom);
  if (!frame.LastColumnPlaceholder) {
    dc.MoveTo(right, frame.CellsTop);
    dc.LineTo(right, frame.RowsBottom);
  }
  dc.RestorePen();
}

void GridPrintout::DrawRowRules(OWL::TDC& dc, const Fonts& fonts, const PageFrame& frame) {
  const int32_t ruled = RuledRows();
  const bool labels = mPrintRowNumbers && frame.ColumnPage == 0;
  const OWL::TPen rule(CreateDottedRulePen(frame.DottedWidth), OWL::TAutoDelete::AutoDelete);
  const OWL::TPen outline(OWL::TColor(RGB(0, 0, 0)), frame.RuleWidth, PS_SOLID);
  GridRenderer& renderer = Renderer();
  dc.SelectObject(fonts.Cell);
  const TextStateScope textState(dc, TA_CENTER | TA_TOP);
  HGDIOBJ const hollow = SelectObject(dc.GetHDC(), GetStockObject(NULL_BRUSH));
  for (int32_t i = 0; i < frame.RowCount && frame.FirstRow + i < ruled; ++i) {
    const int32_t top = frame.CellsTop + i * frame.RowHeight;
    if (top >= frame.Printable.bottom) break;
    dc.SelectObject(rule);
    dc.MoveTo(frame.CellsLeft, top);
    dc.LineTo(frame.CellsRight, top);
    dc.RestorePen();
    if (!labels) continue;
    const OWL::TRect cell(frame.Printable.left, top, frame.Printable.left + frame.RowNumberWidth,
                          top + frame.RowHeight);
    QOR::OStringStream label;
    renderer.WriteRowLabel({frame.FirstRow + i + mRowOffset + mGrid.FixedRows(), mGrid.FixedRows()}, label);
    const QOR::String text = label.str();
    // Inside the outline, the label's ink is centred as on screen: its line set on the cell's
    // bottom put the descenders ("Avg") on the outline.
    const OWL::TRect box(cell.left + 1, cell.top + 1, cell.right - 1, cell.bottom - 1);
    const int32_t edge = frame.RuleWidth / 2 + 1;
    const OWL::TRect inside(box.left + edge, box.top + edge, box.right - edge, box.bottom - edge);
    const OWL::TRect line = RowNumbersPane::InkCentredLine(dc, inside);
    dc.TextOut((cell.left + cell.right) / 2, line.top, text.GetText(), static_cast<int>(std::wcslen(text.GetText())));
    dc.SelectObject(outline);
    dc.Rectangle(box);
    dc.RestorePen();
  }
  SelectObject(dc.GetHDC(), hollow);
  dc.RestoreFont();
}

}  // namespace TVF_Grid
