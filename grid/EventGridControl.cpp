// The event grid's notifications and action-handler calls.
#include "grid/EventGridControl.h"

namespace TVF_Grid {

void EventGridControl::OnFirstColumnChanged(const GridPosition& column) {
  if (column == mCurrentFirstColumn) return;
  mCurrentFirstColumn = column;
  UpdateScrollBars();
  if (!HasColumns()) return;
  const uint32_t words[] = {static_cast<uint32_t>(column.Index), static_cast<uint32_t>(column.Fixed)};
  Notify(kGridFirstColumnChanged, words, 2);
}

void EventGridControl::OnColumnWidthChanged(const GridPosition& column, int32_t width) {
  UpdateScrollBars();
  const uint32_t words[] = {static_cast<uint32_t>(column.Index), static_cast<uint32_t>(column.Fixed),
                            static_cast<uint32_t>(width)};
  Notify(kGridColumnWidthChanged, words, 3);
}

void EventGridControl::OnColumnMoved(const GridPosition& from, const GridPosition& to) {
  if (!HasColumns()) return;
  const uint32_t words[] = {static_cast<uint32_t>(from.Index), static_cast<uint32_t>(from.Fixed),
                            static_cast<uint32_t>(to.Index), static_cast<uint32_t>(to.Fixed)};
  Notify(kGridColumnMoved, words, 4);
}

void EventGridControl::OnGridClicked() { Notify(kGridClicked, nullptr, 0); }

void EventGridControl::OnCellEdited(int32_t row, int32_t column, const QOR::String& text) {
  if (!CanAct()) return;
  ActionHandler()->OnCellAction(ActionFlags(), row, column,
                                reinterpret_cast<uintptr_t>(text.GetInterface()));
}

void EventGridControl::OnCellCommand(int32_t kind, int32_t row, int32_t item, int32_t column) {
  if (!CanAct()) return;
  ActionHandler()->OnCellActionValue(static_cast<uint32_t>(kind), item, row, column, 0);
}

void EventGridControl::ClearCell(int32_t kind, int32_t row, int32_t column) {
  if (!CanAct()) return;
  // Nonzero: the client wants the cell emptied.
  if (ActionHandler()->OnCellActionValue(static_cast<uint32_t>(kind), 1, row, column, 0) != 0)
    OnCellEdited(row, column, QOR::String());
}

void EventGridControl::OnShowLatestRowToggled() {
  if (!CanAct()) return;
  ActionHandler()->OnShowLatestRowChanged(ActionFlags(), ShowLatestRow ? VARIANT_TRUE : VARIANT_FALSE);
}

}  // namespace TVF_Grid
