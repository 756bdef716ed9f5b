// TVF_Grid::ControlAlias: sits on an open in-cell control's window and turns its keys and focus
// changes into the cell pane's commit and close requests.
#pragma once

#include "platform/owl/TWindow.h"

#include <cstdint>

namespace TVF_Grid {

class GridPane;

class ControlAlias final : public OWL::TWindow {
 public:
  // control: the open control's window; row and column: the edited cell (pane numbering).
  ControlAlias(HWND control, GridPane& pane, int32_t row, int32_t column);

  int32_t Row() const noexcept { return mRow; }
  int32_t Column() const noexcept { return mColumn; }

 private:
  // TAB and RETURN commit and close, ESC closes.
  void EvKeyDown(UINT key, UINT repeatCount, UINT flags);
  // TAB never reaches the control.
  void EvChar(UINT key, UINT repeatCount, UINT flags);
  void EvSetFocus(HWND lostFocus);
  void EvKillFocus(HWND getsFocus);
  void EvLButtonDblClk(UINT modKeys, const OWL::TPoint& point);

  GridPane& mPane;
  int32_t mRow;
  int32_t mColumn;

  DECLARE_RESPONSE_TABLE(ControlAlias);
};

}  // namespace TVF_Grid
