// TVF_Grid::RowNumbersPane: the column of row numbers down the left of a grid. It marks the
// selected rows, selects whole rows with the mouse, and scrolls the grid one row per mouse move
// near its edges while rows are dragged.
#pragma once

#include "platform/owl/TWindow.h"

#include <cstdint>

namespace TVF_Grid {

class GridControl;
class GridPane;

inline constexpr UINT kRowDragTimer = 1;

class RowNumbersPane : public OWL::TWindow {
 public:
  RowNumbersPane(GridControl& grid, GridPane& pane);

  // The line box, in the DC's font, that centres a row label's ink in inner: the line without
  // its internal leading, so that descenders stay inside a row shorter than the line.
  static OWL::TRect InkCentredLine(OWL::TDC& dc, const OWL::TRect& inner);

  // Scrolls the numbers after the grid changed its top row.
  void ScrollToPaneTop();
  // The row drag at y (client pixels), also used by the cell pane in row-select mode.
  void DragTo(int y);
  // Rows a .. b (pane rows) here and across the cell pane.
  void InvalidateSelectedRows();

  // Paints the bands and labels of the rows that meet clip into dc, width pixels wide.
  void PaintRows(OWL::TDC& dc, const OWL::TRect& clip, int width);

  int32_t PreferredWidth = -1;
  int32_t TimerRow() const noexcept { return mTimerRow; }
  bool TimerPending() const noexcept { return mTimerPending; }

 protected:
  void Paint(OWL::TDC& dc, bool erase, OWL::TRect& rect) override;

 private:
  void EvLButtonDown(UINT modKeys, const OWL::TPoint& point);
  void EvLButtonUp(UINT modKeys, const OWL::TPoint& point);
  void EvLButtonDblClk(UINT modKeys, const OWL::TPoint& point);
  void EvRButtonUp(UINT modKeys, const OWL::TPoint& point);
  void EvContextMenu(HWND window, int x, int y);
  void EvMouseMove(UINT modKeys, const OWL::TPoint& point);
  void EvTimer(UINT timerId);
  void EvSetFocus(HWND lostFocus);
  void EvKillFocus(HWND getsFocus);
  bool EvEraseBkgnd(HDC) { return true; }

  bool BelowLastRow(int y) const;
  int32_t RowAt(int y) const;
  // Mouse down (and up) at the row-number cell of pane row; false below the last row, where the
  // selection is cleared instead.
  bool Press(int y, unsigned modifiers, bool andRelease);
  void ArmTimer(int32_t row);
  void PaintRow(OWL::TDC& dc, int32_t row, int top, int width);

  GridControl& mGrid;
  GridPane& mPane;
  int32_t mPaintedTopRow = 0;
  int32_t mTimerRow = 0;
  bool mFocus = false;
  bool mTimerPending = false;

  DECLARE_RESPONSE_TABLE(RowNumbersPane);
};

}  // namespace TVF_Grid
