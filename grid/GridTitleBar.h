// TVF_Grid::GridTitleBar: the child window along the top of a grid that shows the column titles,
// selects columns by clicking them, resizes a column by its right edge and moves a column by
// dragging its title onto another.
#pragma once

#include "platform/owl/TWindow.h"

#include <cstdint>

namespace TVF_Grid {

class GridControl;
class GridPane;

// Hit tests on the title bar, x in client pixels.
struct TitleHit {
  int32_t Column = -1;    // the column index, -1 for none
  int32_t ToRight = 0;    // for a column hit: its right edge minus x
};
// The first column whose right edge e has e - 4 < x < e + 4.
TitleHit EdgeHit(const GridPane& pane, int x) noexcept;
// The first column with x < e - 4; none past the last column's edge zone.
TitleHit ColumnHit(const GridPane& pane, int x) noexcept;

class GridTitleBar : public OWL::TWindow {
 public:
  GridTitleBar(GridControl& grid, GridPane& pane);

  // The titles from the pane's first visible column, into dc over a bar of width x height.
  void PaintTitles(HDC dc, int width, int height);
  // A floating copy of the pressed column's title with its right edge at x + the press distance.
  void PaintDragFeedback(HDC dc, int x, int height);

  bool Resizing() const noexcept { return mResizing; }
  bool Dragging() const noexcept { return mDragging; }

 protected:
  void Paint(OWL::TDC& dc, bool erase, OWL::TRect& rect) override;

 private:
  bool EvSetCursor(HWND window, UINT hitTest, UINT mouseMsg);
  void EvLButtonDown(UINT modKeys, const OWL::TPoint& point);
  void EvLButtonUp(UINT modKeys, const OWL::TPoint& point);
  void EvLButtonDblClk(UINT modKeys, const OWL::TPoint& point);
  void EvRButtonUp(UINT modKeys, const OWL::TPoint& point);
  void EvMouseMove(UINT modKeys, const OWL::TPoint& point);
  void EvContextMenu(HWND window, int x, int y);
  bool EvEraseBkgnd(HDC) { return true; }

  int LastRight() const noexcept;
  // The column under x for a release or sweep: past the last edge, the last column.
  int32_t ColumnOrLast(int x) const noexcept;
  void Select(int32_t column, unsigned modifiers);
  void EndSelection(int32_t column, unsigned modifiers);
  void SetAnchor(int32_t column);
  void RepaintTitles(int feedbackX);
  void PaintTitle(HDC dc, int32_t column, int left, int right, int height, bool selected);

  int32_t mPressed = -1;
  GridControl& mGrid;
  GridPane& mPane;
  int32_t mResizeMinimum = 0;
  bool mResizing = false;
  bool mDragging = false;
  int32_t mPressToRight = 0;

  DECLARE_RESPONSE_TABLE(GridTitleBar);
};

}  // namespace TVF_Grid
