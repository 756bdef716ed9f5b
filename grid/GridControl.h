// TVF_Grid::GridControl: the grid window. It owns the cell pane, title bar, row-number pane and
// scroll bars, lays them out, keeps the selection, turns mouse and keyboard input into
// selection changes and scrolling, and reports to its client through the table contract.
#pragma once

#include "base/String.h"
#include "grid/GridPosition.h"
#include "grid/GridRenderer.h"
#include "grid/TableDataContract.h"
#include "platform/owl/TWindow.h"

#include <cstdint>
#include <map>
#include <memory>

namespace OWL {
class TFont;
}

namespace TVF_Grid {

class CellData;
class GridHScrollBar;
class GridPane;
class GridSelection;
class GridSnapBar;
class GridTitleBar;
class GridVScrollBar;
class RowNumbersPane;

// Where the children go for a client of W x H (see GridControl::Layout).
struct GridLayout {
  RECT SnapBar, VScroll, HScroll, Cells, RowNumbers, Title;
};
// title height T, row-number width N, shown bar sizes vs and hs (0 when hidden), snap bar
// height g (0 when none).
GridLayout ComputeGridLayout(int W, int H, int T, int N, int vs, int hs, int g) noexcept;

inline constexpr UINT kSnapToggleCommand = 1006;

class GridControl : public GridRenderer, public OWL::TWindow {
 public:
  explicit GridControl(OWL::TWindow* parent);
  ~GridControl() override;

  const wchar_t* GetClassName() override { return L"GridControl"; }
  void SetupWindow() override;
  // Makes the snap bar when it is wanted and the window exists but has none yet.
  void EnsureSnapBar();

  // The client: none are counted; the action handler and menu source may be null.
  void SetInterfaces(ITableDataManager* data, ITableStoredRowInfo* rows,
                     ITableUserActionHandler* actions, IGridCellMenuSource* menuSource,
                     uint32_t actionFlags, uint32_t dataFlags) noexcept;
  // The owner's column range: the grid has columns when count - fixed >= 1.
  void SetColumnRange(int32_t count, int32_t fixed) noexcept {
    mColumnRange[0] = count;
    mColumnRange[1] = fixed;
  }
  bool HasColumns() const noexcept { return mColumnRange[0] - mColumnRange[1] >= 1; }

  // Client numbering.
  int32_t FixedRows() const noexcept { return mFixedRows; }
  int32_t FixedColumns() const noexcept { return mFixedColumns; }
  int32_t DataRowCount() const noexcept;
  int32_t DataColumnCount() const noexcept;

  // Renderer part: the grid's own cell colours and row labels.
  void PaintCellBackground(HDC dc, const GridPosition& row, const GridPosition& column, int style,
                           COLORREF colour) override;
  void PaintCellFrame(HDC, const GridPosition&, const GridPosition&, const RECT&, bool) override {}
  void WriteRowLabel(const GridPosition& row, std::basic_ostream<wchar_t>& out) override;

  // The column's kind, 2 when it is hidden.
  virtual int32_t GetColumnKind(const GridPosition& row, const GridPosition& column);
  // A new cell value from the client's style and text; the caller owns it.
  virtual std::unique_ptr<CellData> GetCellData(int32_t row, int32_t column);
  virtual void OnColumnPainted(const GridPosition& /*column*/) {}
  virtual void OnFirstColumnChanged(const GridPosition& /*column*/) {}
  virtual void OnColumnWidthChanged(const GridPosition& /*column*/, int32_t /*width*/) {}
  virtual void OnColumnMoved(const GridPosition& /*from*/, const GridPosition& /*to*/) {}
  virtual void OnGridClicked() {}
  virtual void OnCellEdited(int32_t row, int32_t column, const QOR::String& text) = 0;
  virtual void OnCellCommand(int32_t kind, int32_t row, int32_t item, int32_t column) = 0;
  virtual void ClearCell(int32_t kind, int32_t row, int32_t column) = 0;
  // The key table; true consumes the key.
  virtual bool OnKeyDown(UINT key, UINT repeatCount, UINT flags);
  virtual bool OnKeyUp(UINT, UINT, UINT) { return false; }

  // The owner's pre-translation of a grid's messages; true when consumed.
  bool PreTranslate(MSG& msg);

  // Rows: position = fixed rows + data rows.
  void SetRowCount(const GridPosition& rows);
  void CreateSelection();
  GridSelection* Selection() const noexcept { return mSelection.get(); }
  // A valid range the user chose (a click, drag or Shift on the row numbers or cells, Shift with
  // the keys); null when there is none. The current event's row, which the program keeps
  // selected, is not one: copies and printouts then take the whole grid.
  const CellRange* UserSelection() const noexcept;
  // The rows a printout keeps to: the user's range, unless the grid prints whole; null when the
  // whole grid prints.
  const CellRange* PrintedSelection() const noexcept;
  void InvalidateAll();
  double GetHorizontalScrollFraction() const;
  // The longest row label written by the cell pane's renderer, in characters.
  int32_t GetLongestRowLabel();

  // Scrolling (pane rows and columns); keeps a full page in view.
  void SetTopRow(int32_t row);
  void SetFirstColumn(int32_t column);
  // Recomputes which bars are needed, their ranges, and the layout.
  void UpdateScrollBars();
  void Layout();
  // The height at which a grid width pixels wide shows its heading and every row without a
  // vertical bar (with the horizontal bar when its columns need one).
  int32_t HeightForRows(int32_t width) const noexcept;

  // Selection reports (from GridSelection).
  void ReportSelectionChange(const CellRange& range, bool byMouse);
  void ReportClick(uint32_t click, int32_t row, int32_t column);
  // The context menu of a cell at the cursor.
  void ShowCellMenu(int32_t row, int32_t column);
  // Command 1006.
  void ToggleShowLatestRow();
  virtual void OnShowLatestRowToggled() {}

  // Children and fonts.
  GridPane& Pane() const noexcept { return *mPane; }
  GridTitleBar& TitleBar() const noexcept { return *mTitleBar; }
  RowNumbersPane& RowNumbers() const noexcept { return *mRowNumbers; }
  GridVScrollBar& VScrollBar() const noexcept { return *mVScroll; }
  GridHScrollBar& HScrollBar() const noexcept { return *mHScroll; }
  GridSnapBar* SnapBar() const noexcept { return mSnapBar.get(); }
  const OWL::TFont& CellFont() const noexcept { return *mCellFont; }
  const OWL::TFont& HeadingFont() const noexcept { return *mHeadingFont; }
  ITableDataManager* DataManager() const noexcept { return mData; }
  ITableUserActionHandler* ActionHandler() const noexcept { return mActions; }
  uint32_t ActionFlags() const noexcept { return mActionFlags; }
  uint32_t CellStyle(int32_t row, int32_t column) const;
  int32_t TitleHeight() const noexcept { return mTitleHeight; }
  // The point size of the cell and heading fonts, on screen and on paper.
  static constexpr int kFontPoints = 10;
  // A width in pixels at 96 dpi on this grid's screen (the screen's resolution when the grid was
  // made, which its fonts, rows and columns are sized for), and back.
  int32_t ToScreen(int32_t layoutPixels) const noexcept;
  int32_t FromScreen(int32_t screenPixels) const noexcept;
  int32_t RowNumberWidth() const noexcept { return mRowNumberWidth; }
  // Widens the row-number pane (never narrows it) and lays the grid out again; a grid sharing
  // its row-number width widens too.
  void WidenRowNumbers(int32_t width);
  // The two grids of one table keep one row-number width, so that their columns line up.
  void ShareRowNumberWidth(GridControl& other);
  bool VScrollShown() const noexcept { return mVScrollShown; }
  bool HScrollShown() const noexcept { return mHScrollShown; }

  // Switches set by the owner's layout flags.
  bool HScrollAllowed = true;
  // Keeps the vertical bar's room beside the cells while the bar is hidden, so that the cells
  // and their scrolling line up with a grid above that shows its bar.
  bool KeepVBarRoom = false;
  bool RendererRowHeaders = false;
  bool RowSelectMode = false;
  bool CellsEditable = false;
  bool ColumnMoving = false;
  bool TitleSwitch = false;
  bool WholeGridPrinting = false;
  // Set while the grid renders a printout: no placeholders, no fonts of its own.
  bool Printing = false;
  bool SnapBarWanted = false;
  bool ShowLatestRow = false;
  std::map<uint32_t, QOR::String> ChoiceTexts;

  // The grid's own area: the boxes around the children and the shadow along the top and left.
  void PaintFrame(OWL::TDC& dc, int windowWidth, int windowHeight);

 protected:
  void Paint(OWL::TDC& dc, bool erase, OWL::TRect& rect) override;

 private:
  LRESULT EvWindowPosChanged(WPARAM, LPARAM);
  bool EvEraseBkgnd(HDC) { return false; }
  void EvLButtonDown(UINT modKeys, const OWL::TPoint& point);
  // The bar's own action, then the layout again.
  void EvVScroll(UINT code, int thumbPos, HWND control);
  void EvHScroll(UINT code, int thumbPos, HWND control);
  void EvContextMenu(HWND, int, int) {}
  void CmSnapToggle() { ToggleShowLatestRow(); }
  void ShowBar(OWL::TWindow& bar, bool& shown, bool show);
  // Whether the columns need the horizontal bar beside cells cellsWidth pixels wide.
  bool HScrollNeeded(int32_t cellsWidth) const noexcept;
  void UpdateVScrollRange();
  void UpdateHScrollRange();
  bool MoveSelection(UINT key, bool shift);
  void ClearRange();
  void ScrollRowIntoView(UINT key, int32_t row);

  int32_t mFixedRows = 1;
  int32_t mFixedColumns = 1;
  int32_t mColumnRange[2] = {0, 0};
  ITableDataManager* mData = nullptr;
  ITableStoredRowInfo* mRows = nullptr;
  ITableUserActionHandler* mActions = nullptr;
  IGridCellMenuSource* mMenuSource = nullptr;
  uint32_t mActionFlags = 0;
  uint32_t mDataFlags = 0;
  GridPane* mPane;
  GridTitleBar* mTitleBar;
  std::unique_ptr<OWL::TFont> mCellFont;
  std::unique_ptr<OWL::TFont> mHeadingFont;
  GridVScrollBar* mVScroll;
  GridHScrollBar* mHScroll;
  RowNumbersPane* mRowNumbers;
  int32_t mTitleHeight = 0;
  int32_t mVBarWidth;
  int32_t mHBarHeight;
  int32_t mDpi;
  int32_t mRowNumberWidth = 0;
  GridControl* mRowNumberPartner = nullptr;
  int32_t mClientWidth = 0;
  int32_t mClientHeight = 0;
  int32_t mHScrollTotal = -1;
  bool mVScrollShown = true;
  bool mHScrollShown = true;
  std::unique_ptr<GridSelection> mSelection;
  std::unique_ptr<GridSnapBar> mSnapBar;

  DECLARE_RESPONSE_TABLE(GridControl);
};

}  // namespace TVF_Grid
