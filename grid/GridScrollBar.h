// TVF_Grid::GridVScrollBar and GridHScrollBar: the grid's two scroll bars (control id 100,
// never a tab stop); their actions scroll the grid's rows and columns.
#pragma once

#include "platform/owl/TScrollBar.h"

#include <cstdint>

namespace TVF_Grid {

class GridControl;

// The leftmost column from which the remaining ones, each with its one-pixel grid line, fit
// paneWidth: the first column of the last page.
int32_t LastPageFirstColumn(const GridControl& grid, int32_t paneWidth) noexcept;

class GridVScrollBar : public OWL::TScrollBar {
 public:
  explicit GridVScrollBar(GridControl& grid);

  // Line and page up go one row up (never above the first data row), line down one row and
  // page down two; the ends go to the first and the last row; the thumb to its row.
  void SBLineUp() override;
  void SBLineDown() override;
  void SBPageUp() override;
  void SBPageDown() override;
  void SBThumbPosition(int thumbPos) override;
  void SBThumbTrack(int thumbPos) override;
  void SBTop() override;
  void SBBottom() override;

 protected:
  GridControl& mGrid;
};

class GridHScrollBar : public OWL::TScrollBar {
 public:
  explicit GridHScrollBar(GridControl& grid);

  // One column left or right (line right only while the page has not reached the end); the
  // thumb to the column at its pixel position, the last page at the range's end; the ends to the
  // first column and the last page.
  void SBLineUp() override;
  void SBLineDown() override;
  void SBPageUp() override;
  void SBPageDown() override;
  void SBThumbPosition(int thumbPos) override;
  void SBThumbTrack(int thumbPos) override;
  void SBTop() override;
  void SBBottom() override;

 protected:
  GridControl& mGrid;

 private:
  int32_t ColumnAtPosition(int position);
};

}  // namespace TVF_Grid
