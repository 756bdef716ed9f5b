// The cell pane's in-cell editor: opening it over a cell with a first key, committing its text
// to the grid, and closing it.
#include "grid/GridPane.h"

#include "grid/CellData.h"
#include "grid/ControlAlias.h"
#include "grid/GridControl.h"
#include "grid/GridControlClass.h"
#include "grid/GridItemControl.h"
#include "grid/GridSelection.h"
#include "platform/owl/TComboBox.h"
#include "platform/owl/TFont.h"

#include <algorithm>

namespace TVF_Grid {

std::wstring EditorStartText(UINT key) {
  if ((key >= '0' && key <= '9') || key == VK_SPACE) return std::wstring(1, static_cast<wchar_t>(key));
  if (key >= 'A' && key <= 'Z') return std::wstring(1, static_cast<wchar_t>(key - 'A' + 'a'));
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return std::wstring(1, static_cast<wchar_t>(key - VK_NUMPAD0 + '0'));
  if (key == VK_SUBTRACT || key == VK_OEM_MINUS) return L"-";
  if (key == VK_OEM_COMMA) return L",";
  if (key == VK_DECIMAL || key == VK_OEM_PERIOD) return L".";
  return std::wstring();
}

// The kind of editor a cell with this style gets; null when it gets none.
static std::unique_ptr<GridControlClass> ControlClassFor(GridControl& grid, uint32_t style) {
  if (style & kCellStyleChoice) {
    auto list = std::make_unique<GridStringList>();
    for (const auto& entry : grid.ChoiceTexts) {
      if (list->Texts.size() <= entry.first) list->Texts.resize(entry.first + 1);
      list->Texts[entry.first] = entry.second;
    }
    if (grid.Selection()) {
      grid.Selection()->AnchorRow = {};
      grid.Selection()->AnchorColumn = {};
    }
    return list;
  }
  if (grid.CellsEditable) return std::make_unique<GridText>();
  return nullptr;
}

OWL::TWindow* GridPane::Editor() const noexcept { return mEditor ? &mEditor->Window() : nullptr; }

bool GridPane::BeginEdit(int32_t row, int32_t column, UINT key) {
  if (CellRect(row, column).IsEmpty()) return false;
  CloseEditor();
  const int32_t clientRow = row + mGrid.FixedRows();
  const int32_t clientColumn = Column(column).Index + mGrid.FixedColumns();
  const uint32_t style = mGrid.CellStyle(clientRow, clientColumn);
  mEditedValue = mGrid.GetCellData(clientRow, clientColumn);
  mControlClass = ControlClassFor(mGrid, style);
  // A placeholder cell's editor starts from the value's own text.
  QOR::String startText;
  if (mEditedValue && (style & kCellStylePlaceholder)) mEditedValue->GetText(startText);
  if (mEditedValue && mControlClass) mEditor = mControlClass->CreateControl(*this, *mEditedValue, CellRect(row, column));
  if (!mEditor) {
    CloseEditor();
    return false;
  }
  OWL::TWindow& window = mEditor->Window();
  window.SetFlag(OWL::wfDeleteOnDestroy);
  window.Create();
  mAlias = new ControlAlias(window.GetHandle(), *this, row, column);
  mAlias->SetFlag(OWL::wfDeleteOnDestroy);
  window.SetWindowFont(mGrid.CellFont(), false);
  mEditor->Transfer(false);
  mEditedRow = row;
  mEditedColumn = column;
  window.SetFocus();
  window.ShowWindow(SW_SHOW);
  if (dynamic_cast<OWL::TComboBox*>(&window)) {
    window.SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), mRowHeight - 4);
    window.SendMessage(CB_SETITEMHEIGHT, 0, mRowHeight - 4);
  }
  PlaceEditor();
  const std::wstring keyText = EditorStartText(key);
  if (!keyText.empty()) window.SetWindowText(keyText.c_str());
  else if (style & kCellStylePlaceholder) window.SetWindowText(startText.GetText());
  if (column < mFirstColumn || column >= mFirstColumn + VisibleColumnCount()) mGrid.SetFirstColumn(column);
  if (row < mTopRow || row >= mTopRow + mPageRows) mGrid.SetTopRow(std::max<int32_t>(0, row - mPageRows + 1));
  return true;
}

void GridPane::PlaceEditor() {
  OWL::TWindow* const window = Editor();
  if (!window || !window->GetHandle()) return;
  OWL::TRect cell = CellRect(mEditedRow, mEditedColumn);
  // A drop-down list opens five cell heights deep.
  if (dynamic_cast<OWL::TComboBox*>(window)) cell.bottom = cell.top + 5 * mRowHeight;
  window->MoveWindow(cell, true);
}

void GridPane::CommitEdit() {
  if (mCommitting || !mEditor) return;
  // Closing the editor takes its focus, which asks for a commit again; the guard holds until
  // the grid's handler returns.
  struct Guard {
    bool& flag;
    explicit Guard(bool& f) : flag(f) { flag = true; }
    ~Guard() { flag = false; }
  } const guard(mCommitting);
  mEditor->Transfer(true);
  QOR::String text;
  mEditedValue->GetText(text);
  const int32_t row = mEditedRow + mGrid.FixedRows();
  const int32_t column = Column(mEditedColumn).Index + mGrid.FixedColumns();
  mEditor->Window().ShowWindow(SW_HIDE);
  CloseEditor();
  mGrid.OnCellEdited(row, column, text);
  if (GetHandle()) SetFocus();
}

void GridPane::CancelEdit() {
  if (!mEditor) return;
  CloseEditor();
  if (GetHandle()) SetFocus();
}

// The editor is forgotten before its window goes, so that the focus it loses finds no editor
// to commit.
void GridPane::CloseEditor() noexcept {
  GridItemControl* const editor = mEditor;
  ControlAlias* const alias = mAlias;
  mEditor = nullptr;
  mAlias = nullptr;
  if (editor) {
    OWL::TWindow& window = editor->Window();
    if (window.GetHandle()) {
      window.Destroy();
    } else {
      delete alias;
      delete editor;
    }
  }
  mControlClass.reset();
  mEditedValue.reset();
  mEditedRow = -1;
  mEditedColumn = -1;
}

void GridPane::EditorDoubleClick(int32_t row, int32_t column) {
  GridSelection* const selection = mGrid.Selection();
  if (!selection || column < 0 || column >= ColumnCount()) return;
  const GridPosition rowPos{row + mGrid.FixedRows(), mGrid.FixedRows()};
  const GridPosition columnPos{Column(column).Index + mGrid.FixedColumns(), mGrid.FixedColumns()};
  const unsigned m = Modifiers() | kModDoubleClick;
  selection->MouseDown(rowPos, columnPos, m);
  selection->MouseUp(rowPos, columnPos, m);
}

void GridPane::CleanupWindow() {
  CloseEditor();
  TWindow::CleanupWindow();
}

}  // namespace TVF_Grid
