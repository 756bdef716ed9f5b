// The renderer's copies of a section's cells: separated text for the clipboard and files, and
// rows written into the host's Data Pad below its used rows.
#include "grid/TVF_Renderer.h"

#include "grid/CsvFile.h"
#include "grid/GridControl.h"
#include "grid/TableDataContract.h"
#include "hostapi/HostDataPad.h"
#include "hostclient/HostProgress.h"

#include <algorithm>
#include <new>
#include <sstream>

// The rows (data rows, end exclusive) and client columns of one copy.
struct TVF_Renderer::CopyRange {
  int32_t rowCount = 0;  // the section's row count n, title row included
  int32_t firstRow = 0;
  int32_t endRow = 0;
  int32_t firstColumn = 0;  // client columns
  int32_t endColumn = 0;
};

HRESULT CheckCopyMemory(int32_t rows, int32_t columns) noexcept {
  if (!SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1)))
    return static_cast<HRESULT>(GetLastError());
  MEMORYSTATUSEX status = {};
  status.dwLength = sizeof(status);
  if (!GlobalMemoryStatusEx(&status)) return static_cast<HRESULT>(GetLastError());
  // In 64 bits: a large selection overflows 32.
  const uint64_t wanted = static_cast<uint64_t>(rows < 0 ? 0 : rows) * static_cast<uint64_t>(columns < 0 ? 0 : columns) * 20u;
  return status.ullAvailVirtual >= wanted ? S_OK : E_OUTOFMEMORY;
}

void WriteCellText(std::wostream& out, int32_t column, int32_t endColumn, const wchar_t* separator,
                   const QOR::String& text, const wchar_t* lineEnd) {
  out << text.GetText() << (column == endColumn - 1 ? lineEnd : separator);
}

TVF_Renderer::CopyRange TVF_Renderer::CopyRangeOf(bool withFixedColumn, int32_t firstRow, int32_t firstOrigin,
                                                  int32_t endRow, int32_t endOrigin) const {
  CopyRange range;
  if (mRows && FAILED(mRows->GetRowCount(mSection, &range.rowCount))) range.rowCount = 0;
  const int32_t n = range.rowCount;
  if (firstRow < 0 || firstOrigin < 0 || endRow < 0 || endOrigin < 0) {
    range.firstRow = 0;
    range.endRow = n - mFixedRows;
  } else {
    range.firstRow = firstRow - firstOrigin;
    range.endRow = endRow - endOrigin;
    // n counts the title row: the section ends at data row n - F.
    range.endRow = std::min(range.endRow, n - mFixedRows);
  }
  const int32_t columnOffset = withFixedColumn ? 0 : mFixedColumns;
  uint32_t columns = 0;
  if (mData && FAILED(mData->GetColumnCount(mSection, &columns))) columns = 0;
  range.firstColumn = columnOffset;
  range.endColumn = static_cast<int32_t>(columns);
  // Only cells the user chose narrow the columns; the program's selection is whole rows.
  const TVF_Grid::CellRange* const chosen = mGrid.UserSelection();
  if (chosen && !mGrid.RowSelectMode) {
    const TVF_Grid::CellRange& cells = *chosen;
    const int32_t shift = withFixedColumn ? mFixedColumns : 0;
    range.firstColumn = columnOffset + cells.FirstColumn.Index - cells.FirstColumn.Fixed + shift;
    range.endColumn = columnOffset + cells.EndColumn.Index - cells.EndColumn.Fixed + shift;
  }
  return range;
}

QOR::String TVF_Renderer::CopiedCellText(int32_t row, int32_t column, bool forText) const {
  QOR::String text = CellText(row, column);
  if (text.IsEmpty()) return text;
  const uint32_t style = CellStyle(row, column);
  if (style & kCellStyleChoice) {
    const int32_t choice = ParseChoiceIndex(text);
    const std::map<uint32_t, QOR::String> choices = mGrid.ChoiceTexts;
    const auto found = choice < 0 ? choices.end() : choices.find(static_cast<uint32_t>(choice));
    text = found == choices.end() ? QOR::String() : found->second;
  }
  if (forText && (style & kCellStylePlaceholder)) text.Clear();
  return text;
}

QOR::String TVF_Renderer::TitleCellText(int32_t column) const {
  if (!(CellStyle(0, column) & kCellStyleTitle)) return QOR::String();
  return CellText(0, column);
}

// Shows the whole percentage of rows done when it changed; false when the user cancelled.
// Without a progress display the copy goes on unseen.
static bool StepProgress(IHostProgress* progress, int32_t done, int32_t total, int32_t& lastPercent) {
  const int32_t percent = static_cast<int32_t>(done * 100.0 / total);
  if (percent == lastPercent) return true;
  if (!progress) return true;
  if (progress->SetPercent(percent) != 0) return false;
  lastPercent = percent;
  std::wostringstream text;
  text << percent << L" %";
  progress->SetText(QOR::String(text.str().c_str()).GetInterface());  // only shown
  return true;
}

void TVF_Renderer::WriteSelectionText(std::wostream& out, bool withFixedColumn, bool withTitleRow,
                                      const wchar_t* separator, int32_t firstRow, int32_t firstOrigin,
                                      int32_t endRow, int32_t endOrigin, bool csvCells) {
  const auto shown = [&](const QOR::String& text) { return csvCells ? QuoteCsvCell(text, separator) : text; };
  const ComPtr<IHostProgress> progress = CreateHostProgress(kCopyingProgressTitle, L"", L"");
  const CopyRange range = CopyRangeOf(withFixedColumn, firstRow, firstOrigin, endRow, endOrigin);
  const int32_t columns = range.endColumn - range.firstColumn;
  if (withTitleRow) {
    std::wostringstream line;
    for (int32_t k = range.firstColumn; k < range.endColumn; ++k)
      WriteCellText(line, k - range.firstColumn, columns, separator, shown(TitleCellText(k)), L"\r\n");
    out << line.str();
  }
  int32_t done = 0;
  int32_t lastPercent = -1;  // per operation: a new copy shows its percentages again
  for (int32_t row = range.firstRow; row < range.endRow; ++row) {
    std::wostringstream line;
    for (int32_t k = range.firstColumn; k < range.endColumn; ++k)
      WriteCellText(line, k - range.firstColumn, columns, separator,
                    shown(CopiedCellText(mFixedRows + row, k, true)), L"\r\n");
    out << line.str();
    if (++done >= range.rowCount) return;
    if (!StepProgress(progress.Get(), done, range.rowCount, lastPercent)) return;
  }
}

// The second of two consecutive rows with nothing in columns A to Z; the row count when none.
static int32_t FirstFreeRow(IHostDataPad* pad) {
  int32_t emptyRows = 0;
  for (int32_t row = 0; row < kDataPadRows; ++row) {
    bool empty = true;
    for (int32_t column = 0; column < kDataPadColumns && empty; ++column) {
      QOR::String text;
      if (FAILED(pad->GetCell(0, 0, row, column, QOR::StringOutParam(text)))) continue;
      empty = text.IsEmpty();  // the text arrives when the out-parameter dies, after the call's statement
    }
    emptyRows = empty ? emptyRows + 1 : 0;
    if (emptyRows == 2) return row;
  }
  return kDataPadRows;
}

HRESULT TVF_Renderer::CopyRowsToPad(IHostDataPad* pad, const CopyRange& range, bool withTitleRow,
                                    IHostProgress* progress) {
  int32_t target = FirstFreeRow(pad);
  if (withTitleRow) {
    for (int32_t k = range.firstColumn; k < range.endColumn; ++k)
      pad->SetCell(0, 0, target, k - range.firstColumn, TitleCellText(k).GetInterface(), VARIANT_TRUE);
    ++target;
  }
  int32_t done = 0;
  int32_t lastPercent = -1;
  for (int32_t row = range.firstRow; row < range.endRow; ++row) {
    if (target >= kDataPadRows) return S_FALSE;
    for (int32_t k = range.firstColumn; k < range.endColumn; ++k) {
      const QOR::String text = CopiedCellText(mFixedRows + row, k, false);
      pad->SetCell(0, 0, target, k - range.firstColumn, text.GetInterface(), VARIANT_TRUE);  // result unused
    }
    ++target;
    if (++done >= range.rowCount) return S_OK;
    if (!StepProgress(progress, done, range.rowCount, lastPercent)) return S_OK;
  }
  return S_OK;
}

HRESULT TVF_Renderer::AddToDataPad(IHostDataPad* pad, bool withFixedColumn, bool withTitleRow, int32_t firstRow,
                                   int32_t firstOrigin, int32_t endRow, int32_t endOrigin) noexcept {
  if (!pad) return E_POINTER;
  try {
    const CopyRange range = CopyRangeOf(withFixedColumn, firstRow, firstOrigin, endRow, endOrigin);
    const int32_t rows = range.endRow - range.firstRow + 1;
    if (CheckCopyMemory(rows, range.endColumn - range.firstColumn) == E_OUTOFMEMORY) return E_OUTOFMEMORY;
    const ComPtr<IHostProgress> progress = CreateHostProgress(kDataPadProgressTitle, L"", L"");
    return CopyRowsToPad(pad, range, withTitleRow, progress.Get());
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}
