// TVF_Renderer: the painter of one Table View grid. It builds the grid's columns from the
// client's column count with titles and stored widths, paints a column's cells with the text
// and style the client gives, writes row labels and narrows the grid to its selected rows.
#pragma once

#include "base/String.h"
#include "grid/GridRenderer.h"
#include "grid/RendererColumnEntries.h"
#include "hostclient/ComObjectRoot.h"
#include "hostclient/ComPtr.h"
#include "hostapi/RecordDataPixMap.h"

#include <cstdint>
#include <memory>
#include <ostream>

namespace OWL {
class TFont;
}
struct ITableDataManager;
struct ITableStoredRowInfo;
struct ITableViewMgrInternal;
struct IHostDataPad;
struct IHostProgress;

namespace TVF_Grid {
class GridControl;
}

// Text shown for a choice cell that has no channel chosen yet.
inline constexpr wchar_t kSelectChannelText[] = L"<Select Channel>";
// The colour of a cell with style 0x4000.
inline constexpr COLORREF kHighlightCellColour = RGB(230, 78, 28);

// Titles of the progress shown while cells are copied.
inline constexpr wchar_t kCopyingProgressTitle[] = L"Copying";
inline constexpr wchar_t kDataPadProgressTitle[] = L"Adding to Data Pad";

// A choice cell's decimal choice number; negative when unreadable.
int32_t ParseChoiceIndex(const QOR::String& text);
// S_OK when rows x columns cells (20 bytes each) fit into the free address space, else
// E_OUTOFMEMORY; the positive system error when the working set or memory status cannot be had.
HRESULT CheckCopyMemory(int32_t rows, int32_t columns) noexcept;
// Writes text, then lineEnd after the last column (end - 1) or separator after any other.
void WriteCellText(std::wostream& out, int32_t column, int32_t endColumn, const wchar_t* separator,
                   const QOR::String& text, const wchar_t* lineEnd);

class TVF_Renderer final : public TVF_Grid::GridRenderer, public QOR::CComObjectRoot {
 public:
  // Made with one reference; fixed counts are the grid's now.
  explicit TVF_Renderer(TVF_Grid::GridControl& grid);
  ~TVF_Renderer() override;

  ULONG AddRef() noexcept { return InternalAddRef(); }
  ULONG Release() noexcept { return InternalRelease(); }

  // None of the three is counted; section: 0 or 8 the main table, 0x10 the summary. A new pixel
  // map over the row info replaces the old one.
  void SetSources(ITableViewMgrInternal* manager, ITableDataManager* data, ITableStoredRowInfo* rows,
                  uint32_t section) noexcept;
  // Every grid column again from the client's column count; one empty column when it has none.
  void RebuildColumns();
  // Adds grid columns until wanted - fixed data columns exist.
  void AddMissingColumns(int32_t wanted, int32_t fixed);
  // The title of data column i: name and " (units)" from ITableColumnInfo, else the title cell.
  QOR::String ColumnTitle(int32_t i);

  bool PaintColumn(HDC dc, const TVF_Grid::GridPosition& column, TVF_Grid::RowPosCursor& cursor, int left,
                   int right, int& widestText) override;
  void PaintCellBackground(HDC dc, const TVF_Grid::GridPosition& row, const TVF_Grid::GridPosition& column,
                           int style, COLORREF colour) override;
  void PaintCellFrame(HDC dc, const TVF_Grid::GridPosition& row, const TVF_Grid::GridPosition& column,
                      const RECT& cell, bool selected) override;
  void WriteRowLabel(const TVF_Grid::GridPosition& row, std::basic_ostream<wchar_t>& out) override;
  void BeginSelectionRows() override;
  void EndSelectionRows() override;

  // Appends the selected cells of the section as lines of separated text (a row's cells, CR LF).
  // Selection words are positions and origins of the first and end data row; all -1: every row.
  // csvCells: cells holding the separator, a quote or a line break are quoted for a CSV file.
  void WriteSelectionText(std::wostream& out, bool withFixedColumn, bool withTitleRow, const wchar_t* separator,
                          int32_t firstRow, int32_t firstOrigin, int32_t endRow, int32_t endOrigin,
                          bool csvCells = false);
  // Writes the selected cells into the Data Pad below its used rows: S_OK when done or cancelled,
  // S_FALSE when the pad is full, E_OUTOFMEMORY when memory is short.
  HRESULT AddToDataPad(IHostDataPad* pad, bool withFixedColumn, bool withTitleRow, int32_t firstRow,
                       int32_t firstOrigin, int32_t endRow, int32_t endOrigin) noexcept;
  HRESULT AddAllToDataPad(IHostDataPad* pad, bool withFixedColumn, bool withTitleRow) noexcept {
    return AddToDataPad(pad, withFixedColumn, withTitleRow, -1, -1, -1, -1);
  }

  // The one-pixel cell frame: shadow along the top and right, highlight along bottom and left.
  static void DrawCellFrame(HDC dc, int left, int top, int right, int bottom);

  int32_t ColumnCount() const noexcept { return mColumnCount; }
  // Kept column caches survive a paint that spans more than one record, and a rebuild gives
  // every column entry the pixel map's append position as its record range.
  void SetKeepColumnCaches(bool keep) noexcept { mKeepColumnCaches = keep; }
  int64_t RecordRange() const noexcept { return mRecordRange; }
  const RendererColumnEntries& ColumnEntries() const noexcept { return mColumnEntries; }
  static constexpr int32_t kDefaultColumnWidth = 100;
  // The width of a column the manager gives none, and of the one empty column of a table
  // without data columns. Widths here and from the manager are pixels at 96 dpi, which the
  // columns scale to the grid's screen.
  void SetDefaultColumnWidth(int32_t width) noexcept { mDefaultColumnWidth = width; }

 private:
  QOR::String CellText(int32_t row, int32_t column) const;
  uint32_t CellStyle(int32_t row, int32_t column) const;
  // The number a cell's text writes, from the client's ITableCellValue; NaN when it gives none.
  double CellValue(int32_t row, int32_t column) const;
  // The text a cell of this style shows.
  QOR::String ShownText(QOR::String text, uint32_t style) const;
  // row and column: the client's cell, whose value a number too wide for the cell is rounded from.
  int DrawCellText(HDC dc, const RECT& cell, const QOR::String& text, uint32_t style, int32_t row, int32_t column);
  int32_t PrintedEndRow(int32_t rowCount) const;
  struct CopyRange;
  CopyRange CopyRangeOf(bool withFixedColumn, int32_t firstRow, int32_t firstOrigin, int32_t endRow,
                        int32_t endOrigin) const;
  QOR::String CopiedCellText(int32_t row, int32_t column, bool forText) const;
  QOR::String TitleCellText(int32_t column) const;
  HRESULT CopyRowsToPad(IHostDataPad* pad, const CopyRange& range, bool withTitleRow, IHostProgress* progress);

  ITableViewMgrInternal* mManager = nullptr;
  ITableDataManager* mData = nullptr;
  ITableStoredRowInfo* mRows = nullptr;
  QOR::ComPtr<IRecordDataPixMap> mPixMap;
  std::unique_ptr<OWL::TFont> mTitleFont;
  TVF_Grid::GridControl& mGrid;
  int32_t mColumnCount = -1;
  int32_t mFixedColumnsAtRebuild = -1;
  int32_t mFixedRows;
  int32_t mFixedColumns;
  uint32_t mSection = 0;
  int32_t mSavedRowTotal = -1;
  int32_t mSavedFixedRows = -1;
  int32_t mDefaultColumnWidth = kDefaultColumnWidth;
  RendererColumnEntries mColumnEntries;
  int64_t mRecordRange = 0;
  bool mKeepColumnCaches = false;
};
