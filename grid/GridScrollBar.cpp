// The grid's scroll bars and their actions.
#include "grid/GridScrollBar.h"

#include "grid/GridControl.h"
#include "grid/GridPane.h"

#include <algorithm>

namespace TVF_Grid {

int32_t LastPageFirstColumn(const GridControl& grid, int32_t paneWidth) noexcept {
  const GridPane& pane = grid.Pane();
  int32_t first = pane.ColumnCount();
  int32_t used = 0;
  while (first > 0 && used + pane.Column(first - 1).Width + 1 <= paneWidth) {
    used += pane.Column(first - 1).Width + 1;
    --first;
  }
  return first < pane.ColumnCount() ? first : std::max<int32_t>(0, first - 1);
}

static int ScrollInfoField(const OWL::TScrollBar& bar, UINT mask) {
  SCROLLINFO info{};
  info.fMask = mask;
  if (!bar.GetScrollInfo(info)) return 0;
  return mask == SIF_TRACKPOS ? info.nTrackPos : info.nPos;
}

GridVScrollBar::GridVScrollBar(GridControl& grid)
    : TScrollBar(&grid, 100, 0, 0, 0, 0, false), mGrid(grid) {
  Attr.Style &= ~WS_TABSTOP;
}

void GridVScrollBar::SBLineUp() {
  const int32_t top = mGrid.Pane().TopRow();
  if (top - 1 >= 0) mGrid.SetTopRow(top - 1);
}

void GridVScrollBar::SBLineDown() { mGrid.SetTopRow(mGrid.Pane().TopRow() + 1); }
void GridVScrollBar::SBPageUp() { SBLineUp(); }
void GridVScrollBar::SBPageDown() { mGrid.SetTopRow(mGrid.Pane().TopRow() + 2); }
void GridVScrollBar::SBThumbPosition(int) { mGrid.SetTopRow(ScrollInfoField(*this, SIF_POS)); }
void GridVScrollBar::SBThumbTrack(int) { mGrid.SetTopRow(ScrollInfoField(*this, SIF_TRACKPOS)); }
void GridVScrollBar::SBTop() { mGrid.SetTopRow(0); }
void GridVScrollBar::SBBottom() { mGrid.SetTopRow(mGrid.Pane().RowCount()); }

GridHScrollBar::GridHScrollBar(GridControl& grid)
    : TScrollBar(&grid, 100, 0, 0, 0, 0, true), mGrid(grid) {
  Attr.Style &= ~WS_TABSTOP;
}

void GridHScrollBar::SBLineUp() { mGrid.SetFirstColumn(mGrid.Pane().FirstColumn() - 1); }

void GridHScrollBar::SBLineDown() {
  SCROLLINFO info{};
  info.fMask = SIF_ALL;
  if (!GetScrollInfo(info)) return;
  if (info.nPos + static_cast<int>(info.nPage) < info.nMax) mGrid.SetFirstColumn(mGrid.Pane().FirstColumn() + 1);
}

void GridHScrollBar::SBPageUp() { SBLineUp(); }
void GridHScrollBar::SBPageDown() { mGrid.SetFirstColumn(mGrid.Pane().FirstColumn() + 1); }

// The column a thumb position shows first; the range's end shows the last page, whose last
// column is whole.
int32_t GridHScrollBar::ColumnAtPosition(int position) {
  SCROLLINFO info{};
  info.fMask = SIF_RANGE | SIF_PAGE;
  if (GetScrollInfo(info) && info.nPage > 0 && position >= info.nMax - static_cast<int>(info.nPage) + 1)
    return LastPageFirstColumn(mGrid, mGrid.Pane().PaneWidth());
  return mGrid.Pane().ColumnAt(position);
}

void GridHScrollBar::SBThumbPosition(int) { mGrid.SetFirstColumn(ColumnAtPosition(ScrollInfoField(*this, SIF_POS))); }

void GridHScrollBar::SBThumbTrack(int) { mGrid.SetFirstColumn(ColumnAtPosition(ScrollInfoField(*this, SIF_TRACKPOS))); }

void GridHScrollBar::SBTop() { mGrid.SetFirstColumn(0); }
void GridHScrollBar::SBBottom() { mGrid.SetFirstColumn(LastPageFirstColumn(mGrid, mGrid.Pane().PaneWidth())); }

}  // namespace TVF_Grid
