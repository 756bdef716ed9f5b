// TVF_Grid::EventGridControl: the grid the table view creates; it tells its observers about
// scrolling, column widths, moves and clicks, and hands edits, cell commands, clear requests and
// the snap toggle to the client's action handler.
#pragma once

#include "grid/GridControl.h"
#include "hostclient/ComObjectRoot.h"
#include "hostclient/LumoSubject.h"

namespace TVF_Grid {

// Observer message ids.
inline constexpr uint32_t kGridFirstColumnChanged = 0x8014000Bu;
inline constexpr uint32_t kGridColumnWidthChanged = 0x80140007u;
inline constexpr uint32_t kGridColumnMoved = 0x8014000Au;
inline constexpr uint32_t kGridClicked = 0x8014000Du;

class EventGridControl : public GridControl, public LumoSubject, public QOR::CComObjectRoot {
 public:
  explicit EventGridControl(OWL::TWindow* parent) : GridControl(parent) {}

  void OnFirstColumnChanged(const GridPosition& column) override;
  void OnColumnWidthChanged(const GridPosition& column, int32_t width) override;
  void OnColumnMoved(const GridPosition& from, const GridPosition& to) override;
  void OnGridClicked() override;
  void OnCellEdited(int32_t row, int32_t column, const QOR::String& text) override;
  void OnCellCommand(int32_t kind, int32_t row, int32_t item, int32_t column) override;
  void ClearCell(int32_t kind, int32_t row, int32_t column) override;
  void OnShowLatestRowToggled() override;

 private:
  bool CanAct() const noexcept { return ActionHandler() && HasColumns(); }

  GridPosition mCurrentFirstColumn;
};

}  // namespace TVF_Grid
