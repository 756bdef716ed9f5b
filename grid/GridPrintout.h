// TVF_Grid::GridPrintout: one grid of the table view printed through the host's printing, split
// into pages across and down, with headings, row labels, cells and rules in printer fonts.
#pragma once

#include "grid/GridPagination.h"
#include "hostclient/LumoPrintout.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace OWL {
class TFont;
}
struct ITableDataManager;

namespace TVF_Grid {

class GridControl;
class GridRenderer;

// The printer's resolution (dots per inch).
struct PrintResolution {
  int32_t PrinterX = 96;
  int32_t PrinterY = 96;
};

// The printout is laid out in pixels at this resolution, the one its sizes are given for, then
// drawn at the printer's.
inline constexpr int32_t kPrintLayoutDpi = 96;

// The grid's screen font at points for a device of dpi: face, weight and character set kept;
// the height in pixels at kPrintLayoutDpi, MulDiv(points, 96, 72), scaled to dpi, so that text
// keeps its size against the layout on every printer; width left to the font mapper.
LOGFONTW PrinterLogFont(const LOGFONTW& screen, int32_t points, int32_t dpi) noexcept;

class GridPrintout final : public LumoPrintout {
 public:
  // grid must outlive the printout; while the printout exists the grid renders for printing.
  // section: 8 the main grid, 0x10 the summary grid, passed to data's GetCellStyle.
  static ComPtr<ILumoPrintoutEx> Create(GridControl& grid, const QOR::String& title, uint32_t section,
                                        ITableDataManager* data, bool printRowNumbers, bool printHeadings,
                                        IUnknown* owner = nullptr);

  // Pagination for a printable area of page (printer pixels) at dpi; the page count.
  int32_t Paginate(OWL::TDC& printer, const OWL::TRect& page, const PrintResolution& dpi);
  // Draws page p (0-based) of the last pagination into dc over page.
  void PrintPage(int32_t p, OWL::TDC& dc, const OWL::TRect& page, const PrintResolution& dpi);

  // The last pagination, in pixels at kPrintLayoutDpi: column widths, row height, and the plans
  // across and down.
  const std::vector<int32_t>& ColumnWidths() const noexcept { return mWidths; }
  int32_t RowHeight() const noexcept { return mRowHeight; }
  int32_t RowNumberWidth() const noexcept { return mRowNumberWidth; }
  const AcrossPlan& Across() const noexcept { return mAcross; }
  const DownPlan& Down() const noexcept { return mDown; }

 protected:
  void DrawPage(int32_t page, OWL::TDC& dc, OWL::TDC* printer, const OWL::TRect& rect) override;
  int32_t CountPages() override;

 private:
  GridPrintout(GridControl& grid, const QOR::String& title, uint32_t section, ITableDataManager* data,
               bool printRowNumbers, bool printHeadings, IUnknown* owner);
  ~GridPrintout() override;

  struct Fonts;
  struct LayoutMetrics;
  struct PageFrame;
  GridRenderer& Renderer() const noexcept;
  uint32_t Style(int32_t row, int32_t column) const;
  // Where page p's rows, columns and rules go at dpi, by the last pagination.
  PageFrame FrameOfPage(int32_t p, const OWL::TRect& page, const PrintResolution& dpi) const;
  // Data columns printed: the trailing placeholder columns but the first are left out.
  int32_t PrintedColumns() const;
  // Data rows that get rules and labels: the trailing placeholder rows are left out.
  int32_t RuledRows() const;
  void DrawHeading(OWL::TDC& dc, const Fonts& fonts, const PageFrame& frame, int32_t column,
                   const OWL::TRect& cell);
  void DrawColumnCells(OWL::TDC& dc, const Fonts& fonts, const PageFrame& frame, int32_t column,
                       int32_t left, int32_t right);
  void DrawRowRules(OWL::TDC& dc, const Fonts& fonts, const PageFrame& frame);
  static OWL::TRect PrintableRect(const OWL::TDC& dc, const OWL::TDC* printer, const OWL::TRect& rect);
  static PrintResolution ResolutionOf(const OWL::TDC& dc);

  GridControl& mGrid;
  uint32_t mSection;
  ITableDataManager* mData;
  bool mPrintRowNumbers;
  bool mPrintHeadings;
  std::vector<int32_t> mWidths;
  int32_t mRowHeight = 0;
  int32_t mRowNumberWidth = 0;
  // The last pagination's fonts at kPrintLayoutDpi and their sizes.
  std::unique_ptr<LayoutMetrics> mLayout;
  // While the renderer narrows the grid to the selected rows: the first selected data row.
  int32_t mRowOffset = 0;
  AcrossPlan mAcross;
  DownPlan mDown;
};

}  // namespace TVF_Grid
