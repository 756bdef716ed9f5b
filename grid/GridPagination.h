// How a grid printout splits its table into pages: the pages across that the columns need and
// the rows each page down holds.
#pragma once

#include <cstdint>
#include <vector>

namespace TVF_Grid {

// A column's place: the page across on which its left edge lies and that edge's x on the page
// (relative to the printable left). A column wider than a page spills onto the pages after it.
struct ColumnPlacement {
  int32_t Page;
  int32_t Left;
};

struct AcrossPlan {
  std::vector<ColumnPlacement> Columns;
  int32_t Pages = 1;
  int32_t PageWidth = 0;

  // x of column i on page `page` when any of it shows there; false when none of it does.
  bool LeftOnPage(size_t i, int32_t width, int32_t page, int32_t& left) const noexcept;
};

// Columns of printer widths laid out from startX (the row-number width on the first page)
// over pages of pageWidth. A column wider than a page starts a new page when it would start in
// the left half of a page that already holds something, and otherwise continues where it is.
AcrossPlan PlanAcross(const std::vector<int32_t>& widths, int32_t startX, int32_t pageWidth);

// Rows per page down: the first page loses band pixels to the heading band.
struct DownPlan {
  int32_t FirstPageRows = 0;
  int32_t LaterPageRows = 1;
  int32_t Pages = 1;

  // The first row (0-based) and the number of rows printed on page down r.
  void RowsOfPage(int32_t r, int32_t rowCount, int32_t& first, int32_t& count) const noexcept;
};

// Every row gets a page: 1 + ceil(rows past the first page / later-page rows). A row height
// below 1 counts as 1, a band that leaves no room gives the first page no rows, and a row
// taller than a page still gets a page of its own.
DownPlan PlanDown(int32_t rowCount, int32_t rowHeight, int32_t band, int32_t pageHeight) noexcept;

}  // namespace TVF_Grid
