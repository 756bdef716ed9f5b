// The open control's keys and focus changes.
#include "grid/ControlAlias.h"

#include "grid/GridPane.h"

namespace TVF_Grid {

DEFINE_RESPONSE_TABLE1(ControlAlias, OWL::TWindow)
  EV_WM_KEYDOWN,
  EV_WM_CHAR,
  EV_WM_SETFOCUS,
  EV_WM_KILLFOCUS,
  EV_WM_LBUTTONDBLCLK,
END_RESPONSE_TABLE;

ControlAlias::ControlAlias(HWND control, GridPane& pane, int32_t row, int32_t column)
    : TWindow(control), mPane(pane), mRow(row), mColumn(column) {}

void ControlAlias::EvKeyDown(UINT key, UINT, UINT) {
  switch (key) {
    case VK_TAB:
    case VK_RETURN:
      mPane.CommitEdit();
      return;
    case VK_ESCAPE:
      mPane.CancelEdit();
      return;
    default:
      DefaultProcessing();
  }
}

void ControlAlias::EvChar(UINT key, UINT, UINT) {
  if (key != VK_TAB) DefaultProcessing();
}

void ControlAlias::EvSetFocus(HWND) { DefaultProcessing(); }

void ControlAlias::EvKillFocus(HWND) {
  DefaultProcessing();
  mPane.CommitEdit();
}

void ControlAlias::EvLButtonDblClk(UINT, const OWL::TPoint&) { mPane.EditorDoubleClick(mRow, mColumn); }

}  // namespace TVF_Grid
