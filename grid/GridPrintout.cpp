// The grid printout: pagination, then per page the heading band, the cells column by column,
// the rules between them and the row labels.
#include "grid/GridPrintout.h"

#include "base/OStringStream.h"
#include "grid/FittedText.h"
#include "grid/GridColumn.h"
#include "grid/GridControl.h"
#include "grid/GridPane.h"
#include "grid/GridSelection.h"
#include "grid/RowNumbersPane.h"
#include "grid/RowPosCursor.h"
#include "grid/TableDataContract.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TFont.h"
#include "platform/owl/TPen.h"
#include "platform/owl/TScreenDC.h"

#include <algorithm>
#include <cwchar>

namespace TVF_Grid {

namespace {

// Narrows the DC's clipping to a rectangle and gives back the clipping it found.
class ClipScope {
 public:
  ClipScope(OWL::TDC& dc, const OWL::TRect& rect) : mDc(dc), mSaved(CreateRectRgn(0, 0, 0, 0)) {
    mHadClip = mSaved && GetClipRgn(dc.GetHDC(), mSaved) == 1;
    dc.IntersectClipRect(rect);
  }
  ~ClipScope() {
    SelectClipRgn(mDc.GetHDC(), mHadClip ? mSaved : nullptr);
    if (mSaved) DeleteObject(mSaved);
  }
  ClipScope(const ClipScope&) = delete;
  ClipScope& operator=(const ClipScope&) = delete;

 private:
  OWL::TDC& mDc;
  HRGN mSaved;
  bool mHadClip = false;
};

// Text alignment and background mode as they were found.
class TextStateScope {
 public:
  TextStateScope(OWL::TDC& dc, UINT align)
      : mDc(dc), mAlign(dc.SetTextAlign(align)), mMode(dc.SetBkMode(TRANSPARENT)) {}
  ~TextStateScope() {
    mDc.SetTextAlign(mAlign);
    mDc.SetBkMode(mMode);
  }
  TextStateScope(const TextStateScope&) = delete;
  TextStateScope& operator=(const TextStateScope&) = delete;

 private:
  OWL::TDC& mDc;
  UINT mAlign;
  int mMode;
};

// Text and background colours as they were found: the cell painter leaves a selected cell's.
class ColourScope {
 public:
  explicit ColourScope(OWL::TDC& dc)
      : mDc(dc), mText(GetTextColor(dc.GetHDC())), mBack(GetBkColor(dc.GetHDC())) {}
  ~ColourScope() {
    SetTextColor(mDc.GetHDC(), mText);
    SetBkColor(mDc.GetHDC(), mBack);
  }
  ColourScope(const ColourScope&) = delete;
  ColourScope& operator=(const ColourScope&) = delete;

 private:
  OWL::TDC& mDc;
  COLORREF mText;
  COLORREF mBack;
};

// Sizes on the page are given for a 600 dpi printer and scale with the printer's resolution.
int32_t AtPrinterDpi(int32_t pixelsAt600, int32_t dotsPerInch) noexcept {
  return std::max(1, MulDiv(pixelsAt600, dotsPerInch > 0 ? dotsPerInch : 600, 600));
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

LOGFONTW PrinterLogFont(const LOGFONTW& screen, const PrintResolution& dpi) noexcept {
  LOGFONTW printer = screen;
  if (dpi.ScreenY > 0)
    printer.lfHeight = static_cast<LONG>(screen.lfHeight * (static_cast<double>(dpi.PrinterY) / dpi.ScreenY));
  if (dpi.ScreenX > 0)
    printer.lfWidth = static_cast<LONG>(screen.lfWidth * (static_cast<double>(dpi.PrinterX) / dpi.ScreenX));
  return printer;
}

// The cell font A and the heading font B on the printer, with their heights there.
struct GridPrintout::Fonts {
  Fonts(OWL::TDC& dc, const GridControl& grid, const PrintResolution& dpi)
      : Cell(PrinterLogFont(grid.CellFont().GetObject(), dpi)),
        Heading(PrinterLogFont(grid.HeadingFont().GetObject(), dpi)),
        CellHeight(TextHeight(dc, Cell)),
        HeadingHeight(TextHeight(dc, Heading)) {}
  OWL::TFont Cell;
  OWL::TFont Heading;
  int32_t CellHeight;
  int32_t HeadingHeight;
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
  OWL::TScreenDC screen;
  PrintResolution dpi;
  dpi.ScreenX = screen.GetDeviceCaps(LOGPIXELSX);
  dpi.ScreenY = screen.GetDeviceCaps(LOGPIXELSY);
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

int32_t GridPrintout::RowNumberWidth(OWL::TDC& dc, const Fonts& fonts) const {
  dc.SelectObject(fonts.Cell);
  TEXTMETRICW metrics{};
  dc.GetTextMetrics(metrics);
  dc.RestoreFont();
  return metrics.tmAveCharWidth * (mGrid.GetLongestRowLabel() + 6);
}

int32_t GridPrintout::Paginate(OWL::TDC& dc, const OWL::TRect& page, const PrintResolution& dpi) {
  const Fonts fonts(dc, mGrid, dpi);
  mRowHeight = static_cast<int32_t>(fonts.CellHeight * 1.4);
  mWidths.clear();
  const GridPane& pane = mGrid.Pane();
  for (int32_t i = 0; i < pane.ColumnCount(); ++i)
    mWidths.push_back(ScreenToPrinterWidth(pane.Column(i).Width, dpi.ScreenX, dpi.PrinterX));
  mRowNumberWidth = mPrintRowNumbers ? RowNumberWidth(dc, fonts) : 0;
  mAcross = PlanAcross(mWidths, mRowNumberWidth, page.Width());
  mDown = PlanDown(pane.RowCount(), mRowHeight, 2 * fonts.HeadingHeight, page.Height());
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

void GridPrintout::PrintPage(int32_t p, OWL::TDC& dc, const OWL::TRect& page, const PrintResolution& dpi) {
  if (p < 0 || mAcross.Pages <= 0) return;
  const Fonts fonts(dc, mGrid, dpi);
  PageFrame frame;
  frame.Printable = page;
  frame.ColumnPage = p % mAcross.Pages;
  const int32_t rowPage = p / mAcross.Pages;
  mDown.RowsOfPage(rowPage, mGrid.Pane().RowCount(), frame.FirstRow, frame.RowCount);
  frame.RuleWidth = static_cast<int32_t>(static_cast<int32_t>(dpi.PrinterX / 25.4) * 0.5);
  frame.DottedWidth = AtPrinterDpi(4, dpi.PrinterX);
  frame.TextGap = CellTextGap(dpi.PrinterX);
  frame.TextInset = std::min(AtPrinterDpi(9, dpi.PrinterX), frame.TextGap / 2);
  const int32_t band = rowPage == 0 ? 2 * fonts.CellHeight : 0;
  frame.CellsTop = page.top + band;
  frame.RowsBottom = std::min<int32_t>(frame.CellsTop + frame.RowCount * mRowHeight, page.bottom);
  frame.LastColumnPlaceholder =
      (Style(mGrid.FixedRows(), mGrid.Pane().ColumnCount()) & kCellStylePlaceholder) != 0;
  frame.CellsLeft = page.left + (mPrintRowNumbers && frame.ColumnPage == 0 ? mRowNumberWidth : 0);
  frame.CellsRight = frame.CellsLeft;
  const int32_t columns = std::min<int32_t>(PrintedColumns(), static_cast<int32_t>(mWidths.size()));
  for (int32_t i = 0; i < columns; ++i) {
    int32_t x = 0;
    if (!mAcross.LeftOnPage(static_cast<size_t>(i), mWidths[static_cast<size_t>(i)], frame.ColumnPage, x)) continue;
    const int32_t left = page.left + x;
    const int32_t right = left + mWidths[static_cast<size_t>(i)];
    frame.CellsRight = frame.LastColumnPlaceholder && i == columns - 1 ? left : std::min<int32_t>(right, page.right);
    if (mPrintHeadings && band > 0) DrawHeading(dc, fonts, frame, i, OWL::TRect(left, page.top, right, frame.CellsTop));
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
    UniformRowPosCursor cursor(frame.CellsTop, first, fixedRows, first + frame.RowCount, fixedRows, mRowHeight);
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
    const int32_t top = frame.CellsTop + i * mRowHeight;
    if (top >= frame.Printable.bottom) break;
    dc.SelectObject(rule);
    dc.MoveTo(frame.CellsLeft, top);
    dc.LineTo(frame.CellsRight, top);
    dc.RestorePen();
    if (!labels) continue;
    const OWL::TRect cell(frame.Printable.left, top, frame.Printable.left + mRowNumberWidth, top + mRowHeight);
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
