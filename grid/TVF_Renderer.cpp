// The Table View's renderer: column layout from the client, cell painting by style, row labels,
// selection rows and the cell frame.
#include "grid/TVF_Renderer.h"

#include "grid/CellFrame.h"
#include "grid/FittedNumber.h"
#include "grid/FittedText.h"
#include "grid/GridColumn.h"
#include "grid/GridControl.h"
#include "grid/GridPane.h"
#include "grid/GridSelection.h"
#include "grid/ITableCellValue.h"
#include "grid/ITableColumnInfo.h"
#include "grid/ITableViewMgrInternal.h"
#include "grid/RowPosCursor.h"
#include "grid/TVF_PixMap.h"
#include "grid/TableDataContract.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TFont.h"
#include "platform/owl/TPen.h"
#include "platform/owl/TScreenDC.h"
#include "platform/uihelpers/DialogFonts.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <limits>
#include <string>

using TVF_Grid::GridPosition;

TVF_Renderer::TVF_Renderer(TVF_Grid::GridControl& grid)
    : mGrid(grid), mFixedRows(grid.FixedRows()), mFixedColumns(grid.FixedColumns()) {
  OWL::TScreenDC screen;
  mTitleFont.reset(QOR::CreateDefaultGUIFont(screen, 10, true));
  InternalAddRef();
}

TVF_Renderer::~TVF_Renderer() = default;

void TVF_Renderer::SetSources(ITableViewMgrInternal* manager, ITableDataManager* data, ITableStoredRowInfo* rows,
                              uint32_t section) noexcept {
  mManager = manager;
  mData = data;
  mRows = rows;
  mSection = section;
  mPixMap.Reset();
  TVF_PixMap::Create(rows, mFixedRows, mFixedColumns, section, mPixMap.Out());  // null when out of memory
}

QOR::String TVF_Renderer::CellText(int32_t row, int32_t column) const {
  QOR::String text;
  if (mData && FAILED(mData->GetCellText(mSection, row, column, QOR::StringOutParam(text)))) text.Clear();
  return text;
}

uint32_t TVF_Renderer::CellStyle(int32_t row, int32_t column) const {
  uint32_t style = 0;
  if (mData && FAILED(mData->GetCellStyle(mSection, row, column, &style))) style = 0;
  return style;
}

QOR::String TVF_Renderer::ColumnTitle(int32_t i) {
  QOR::ComPtr<ITableColumnInfo> info;
  if (mData && SUCCEEDED(mData->QueryInterface(IID_ITableColumnInfo, info.OutVoid())) && info) {
    QOR::String name, units;
    info->GetColumnName(i, QOR::StringOutParam(name));
    info->GetColumnUnits(i, QOR::StringOutParam(units));
    if (!units.IsEmpty()) name.Append(L" (").Append(units).Append(L')');
    return name;
  }
  if (!(CellStyle(0, mFixedColumns + i) & kCellStyleTitle)) return QOR::String();
  return CellText(0, mFixedColumns + i);
}

void TVF_Renderer::AddMissingColumns(int32_t wanted, int32_t fixed) {
  mColumnEntries.Resize(static_cast<size_t>(std::max(wanted, 0)));
  TVF_Grid::GridPane& pane = mGrid.Pane();
  const int32_t add = wanted - fixed - pane.ColumnCount();
  for (int32_t n = 0; n < add; ++n) {
    const int32_t i = pane.ColumnCount();
    int32_t width = mDefaultColumnWidth;
    if (mManager) mManager->GetColumnWidth(0, mFixedColumns + i, &width);  // E_FAIL still gives the default
    pane.AddColumn(std::make_unique<TVF_Grid::UniformGridColumn>(mGrid, i, ColumnTitle(i), mGrid.ToScreen(width)));
  }
  if (add <= 0) return;
  mGrid.Layout();
  if (mGrid.GetHandle()) mGrid.Invalidate(true);
}

void TVF_Renderer::RebuildColumns() {
  uint32_t n = 0;
  if (mData && FAILED(mData->GetColumnCount(mSection, &n))) n = 0;
  mColumnCount = static_cast<int32_t>(n);
  mFixedColumnsAtRebuild = mGrid.FixedColumns();
  mGrid.Pane().RemoveAllColumns();
  AddMissingColumns(mColumnCount, mFixedColumnsAtRebuild);
  if (mColumnCount <= mFixedColumns)
    mGrid.Pane().AddColumn(
        std::make_unique<TVF_Grid::UniformGridColumn>(mGrid, 0, QOR::String(), mGrid.ToScreen(mDefaultColumnWidth)));
  // The pixel map, marked for rebuilding, counts the data rows.
  int64_t rows = 0;
  if (mPixMap && (FAILED(mPixMap->SetSource(0)) || FAILED(mPixMap->GetTotalLength(&rows)))) rows = 0;
  rows = std::min<int64_t>(std::max<int64_t>(rows, 0), INT32_MAX - mFixedRows);
  mGrid.SetRowCount({static_cast<int32_t>(rows) + mFixedRows, mFixedRows});
  if (mKeepColumnCaches && mPixMap) {
    if (FAILED(mPixMap->GetAppendPosition(0, &mRecordRange))) mRecordRange = 0;
    for (size_t i = 0; i < mColumnEntries.Size(); ++i) {
      mColumnEntries[i].RecordPosition = mRecordRange;
      mColumnEntries[i].CachedSource = nullptr;
    }
  }
  if (mGrid.GetHandle()) mGrid.InvalidateAll();
}

// A choice cell holds the choice number as decimal text; anything unreadable is no choice.
int32_t ParseChoiceIndex(const QOR::String& text) {
  const char* const narrow = text.GetNarrowText();
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(narrow, &end, 10);
  if (end == narrow || errno != 0) return -1;
  return static_cast<int32_t>(value);
}

double TVF_Renderer::CellValue(int32_t row, int32_t column) const {
  double value = std::numeric_limits<double>::quiet_NaN();
  QOR::ComPtr<ITableCellValue> values;
  if (!mData || FAILED(mData->QueryInterface(IID_ITableCellValue, values.OutVoid())) || !values ||
      values->GetCellValue(mSection, row, column, &value) != S_OK)
    return std::numeric_limits<double>::quiet_NaN();
  return value;
}

QOR::String TVF_Renderer::ShownText(QOR::String text, uint32_t style) const {
  if (style & kCellStyleHidden) text.Clear();
  if (style & kCellStyleChoice) {
    const int32_t choice = ParseChoiceIndex(text);
    const auto found = choice < 0 ? mGrid.ChoiceTexts.end() : mGrid.ChoiceTexts.find(static_cast<uint32_t>(choice));
    text = found == mGrid.ChoiceTexts.end() ? QOR::String() : found->second;
    if (!(style & kCellStyleShowChoice)) text.Clear();
    if (style & kCellStylePlaceholder) text = kSelectChannelText;
  }
  if (style & kCellStyleIndent) text = QOR::String(L"   ").Append(text);
  if (mGrid.Printing && (style & kCellStylePlaceholder)) text.Clear();
  return text;
}

int TVF_Renderer::DrawCellText(HDC hdc, const RECT& cell, const QOR::String& text, uint32_t style, int32_t row,
                               int32_t column) {
  OWL::TDC dc(hdc);
  if (style & kCellStylePlaceholder) dc.SetTextColor(OWL::TColor(GetSysColor(COLOR_GRAYTEXT)));
  const bool title = (style & kCellStyleTitle) && !(style & (kCellStyleHidden | kCellStylePlaceholder));
  if (!mGrid.Printing) dc.SelectObject(title ? *mTitleFont : mGrid.CellFont());
  dc.SetTextAlign(TA_LEFT | TA_TOP);
  const OWL::TRect rect(cell.left, cell.top, cell.right, cell.bottom);
  // Measured in the font it is drawn in, on the DC it is drawn on: a printer's font rounds to
  // its own pixels, wider than the screen's scaled.
  const int width = text.IsEmpty() ? 0 : dc.GetTextExtent(text.GetText(), text.Length()).cx;
  // A printout makes the room before the right edge itself, between its rules.
  const int gap = mGrid.Printing ? 0 : TVF_Grid::CellTextGap(dc.GetDeviceCaps(LOGPIXELSX));
  const int room = cell.right - cell.left - gap;
  std::wstring shown(text.GetText(), static_cast<size_t>(text.Length()));
  // Text that fits is drawn as it is, without measuring it again. A number is never cut with
  // "...": "-9.313..." would read as another value. A choice cell shows a name, not its value.
  if (width > room)
    shown = !title && TVF_Grid::IsNumberText(shown)
                ? TVF_Grid::FitNumber(hdc, shown, room,
                                      (style & kCellStyleChoice) ? std::numeric_limits<double>::quiet_NaN()
                                                                 : CellValue(row, column))
                : TVF_Grid::FitText(hdc, shown.c_str(), text.Length(), room);
  dc.ExtTextOut(cell.left, cell.top, ETO_CLIPPED | ETO_OPAQUE, &rect, shown.c_str(), static_cast<int>(shown.size()));
  if (!mGrid.Printing) dc.RestoreFont();
  return width;
}

// While printing, trailing placeholder rows are left out.
int32_t TVF_Renderer::PrintedEndRow(int32_t rowCount) const {
  int32_t end = rowCount;
  while (end > 0 && (CellStyle(end - 1, mFixedColumns) & kCellStylePlaceholder)) --end;
  return end;
}

bool TVF_Renderer::PaintColumn(HDC dc, const GridPosition& column, TVF_Grid::RowPosCursor& cursor, int left,
                               int right, int& widestText) {
  const int32_t dataIndex = column.Index - mGrid.FixedColumns();
  if (dataIndex < 0 || dataIndex >= mGrid.Pane().ColumnCount() ||
      static_cast<size_t>(dataIndex) >= mColumnEntries.Size())
    return true;
  int32_t rowCount = 0;
  if (mRows && FAILED(mRows->GetRowCount(mSection, &rowCount))) rowCount = 0;
  int32_t endRow = rowCount;
  if (mGrid.Printing) {
    endRow = PrintedEndRow(rowCount);
    if (CellStyle(mFixedRows, column.Index) & kCellStylePlaceholder) return true;
  }
  // The rows walk through the pixel map's records: the first row's record, then the next one
  // each time a record ends.
  PixMapRecordPosition where{0, 0};
  int64_t recordEnd = INT64_MAX;
  int32_t records = 1;
  if (cursor.HasMore() && mPixMap && FAILED(mPixMap->PositionToRecord(cursor.Row() - mFixedRows, &where, &recordEnd)))
    recordEnd = INT64_MAX;
  for (; cursor.HasMore(); cursor.Next()) {
    const int32_t row = cursor.Row();
    int64_t start = 0;
    if (row - mFixedRows >= recordEnd && mPixMap && mPixMap->GetRecordRange(where.record + 1, &start, &recordEnd) == S_OK) {
      ++where.record;
      ++records;
    }
    const GridPosition rowPos{row, mFixedRows};
    mGrid.PaintCellBackground(dc, rowPos, column, mGrid.GetColumnKind(rowPos, column), CLR_INVALID);
    const RECT cell{left, cursor.Top(), right, cursor.Bottom() - 1};
    QOR::String text;
    uint32_t style = 1;
    if (row < endRow && column.Index < mColumnCount) {
      text = CellText(row, column.Index);
      style = CellStyle(row, column.Index);
    }
    if (style & kCellStyleHighlight) mGrid.PaintCellBackground(dc, rowPos, column, 0, kHighlightCellColour);
    widestText = std::max(widestText, DrawCellText(dc, cell, ShownText(text, style), style, row, column.Index));
  }
  if (!mKeepColumnCaches || records <= 1) mColumnEntries[static_cast<size_t>(dataIndex)].CachedSource = nullptr;
  return true;
}

void TVF_Renderer::PaintCellBackground(HDC dc, const GridPosition& row, const GridPosition& column, int style,
                                       COLORREF colour) {
  mGrid.PaintCellBackground(dc, row, column, style, colour);
}

void TVF_Renderer::PaintCellFrame(HDC dc, const GridPosition& row, const GridPosition& column, const RECT& cell,
                                  bool selected) {
  mGrid.PaintCellFrame(dc, row, column, cell, selected);
}

void TVF_Renderer::WriteRowLabel(const GridPosition& row, std::basic_ostream<wchar_t>& out) {
  QOR::String text = CellText(row.Index, 0);
  if (!text.IsEmpty() && (CellStyle(row.Index, 0) & kCellStyleIndent)) text = QOR::String(L"   ").Append(text);
  out << text.GetText() << std::ends;
}

void TVF_Renderer::BeginSelectionRows() {
  mSavedRowTotal = mSavedFixedRows = -1;
  const TVF_Grid::CellRange* const printed = mGrid.PrintedSelection();
  if (!printed) return;
  const TVF_Grid::CellRange& range = *printed;
  mSavedRowTotal = mGrid.Pane().RowCount() + mFixedRows;
  mSavedFixedRows = mFixedRows;
  mGrid.SetRowCount({range.EndRow.Index - range.FirstRow.Index + mFixedRows, mFixedRows});
}

void TVF_Renderer::EndSelectionRows() {
  if (mSavedRowTotal < 0 || mSavedFixedRows < 0) return;
  mGrid.SetRowCount({mSavedRowTotal, mSavedFixedRows});
  mSavedRowTotal = mSavedFixedRows = -1;
}

void TVF_Renderer::DrawCellFrame(HDC dc, int left, int top, int right, int bottom) {
  TVF_Grid::DrawCellFrame(dc, left, top, right, bottom);
}
