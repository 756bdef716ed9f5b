// The printout's page arithmetic.
#include "grid/GridPagination.h"

#include <algorithm>

namespace TVF_Grid {

bool AcrossPlan::LeftOnPage(size_t i, int32_t width, int32_t page, int32_t& left) const noexcept {
  if (i >= Columns.size() || page < Columns[i].Page || PageWidth <= 0) return false;
  left = Columns[i].Left - (page - Columns[i].Page) * PageWidth;
  return left < PageWidth && left + width > 0;
}

AcrossPlan PlanAcross(const std::vector<int32_t>& widths, int32_t startX, int32_t pageWidth) {
  AcrossPlan plan;
  plan.PageWidth = pageWidth;
  if (pageWidth <= 0) {
    plan.Columns.assign(widths.size(), ColumnPlacement{0, 0});
    return plan;
  }
  int32_t x = startX;
  for (const int32_t w : widths) {
    const bool wide = w > pageWidth;
    // A page holding nothing yet (x == 0) is not left empty for a wide column.
    if (wide && x > 0 && x < pageWidth / 2) {
      ++plan.Pages;
      x = 0;
    }
    ColumnPlacement place{plan.Pages - 1, x};
    x += w;
    if (x > pageWidth) {
      if (wide) {
        while (x > pageWidth) {
          x -= pageWidth;
          ++plan.Pages;
        }
      } else {
        ++plan.Pages;
        place = ColumnPlacement{plan.Pages - 1, 0};
        x = w;
      }
    }
    plan.Columns.push_back(place);
  }
  return plan;
}

DownPlan PlanDown(int32_t rowCount, int32_t rowHeight, int32_t band, int32_t pageHeight) noexcept {
  DownPlan plan;
  const int32_t height = std::max<int32_t>(1, rowHeight);
  plan.FirstPageRows = std::max<int32_t>(0, (pageHeight - band) / height);
  plan.LaterPageRows = std::max<int32_t>(1, pageHeight / height);
  const int32_t rest = std::max<int32_t>(0, rowCount - plan.FirstPageRows);
  plan.Pages = 1 + (rest + plan.LaterPageRows - 1) / plan.LaterPageRows;
  return plan;
}

void DownPlan::RowsOfPage(int32_t r, int32_t rowCount, int32_t& first, int32_t& count) const noexcept {
  first = r <= 0 ? 0 : (r - 1) * LaterPageRows + FirstPageRows;
  const int32_t wanted = r <= 0 ? FirstPageRows : LaterPageRows;
  count = std::max<int32_t>(0, std::min(wanted, rowCount - first));
}

}  // namespace TVF_Grid
