// ZR::TableViewData: the Table View's side of the table grid: headings, one row per detected event,
// the summary rows "Avg", "Min", "Max" and "Count", cell texts and the per-measurement formats.
#pragma once

#include "base/String.h"
#include "grid/ITableCellValue.h"
#include "grid/TableDataContract.h"
#include "hostclient/SimpleUnknownImp.h"
#include "document/CellFormat.h"

#include <cstdint>
#include <map>
#include <vector>

struct IBinInStream;
struct IBinOutStream;

namespace ZR {

namespace Doc {
class CycleDetector;
}

// The statistics of one shown column over the events that have a value in it.
struct SummaryEntry {
  double average = 0.0;
  double maximum = 0.0;
  double minimum = 0.0;
  int32_t count = 0;
};

// Rows: row 0 of either section is the heading; event row r shows event r - 1; summary rows 1 to 4
// are "Avg", "Min", "Max", "Count". Column 0 holds row numbers or names, column c the shown
// measurement c - 1. Called on the host's user-interface thread only.
class TableViewData final
    : public QOR::SimpleUnknownImp2<ITableDataManager, IID_ITableDataManager, ITableStoredRowInfo,
                                    IID_ITableStoredRowInfo>,
      public ITableCellValue {
  using Base = QOR::SimpleUnknownImp2<ITableDataManager, IID_ITableDataManager, ITableStoredRowInfo,
                                      IID_ITableStoredRowInfo>;

 public:
  // detector is not owned and outlives the object. The count starts at 0.
  explicit TableViewData(Doc::CycleDetector* detector) noexcept : mDetector(detector) {}

  // IUnknown of the three interfaces; IUnknown itself is ITableDataManager's.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID requested, void** out) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return Base::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return Base::Release(); }

  // ITableDataManager. A cell outside the table answers E_INVALIDARG; a summary cell of a column
  // without a summary entry answers S_FALSE without a text.
  HRESULT STDMETHODCALLTYPE GetCellText(uint32_t sections, int32_t row, int32_t column,
                                        QOR::IQORString** text) noexcept override;
  HRESULT STDMETHODCALLTYPE GetCellStyle(uint32_t sections, int32_t row, int32_t column,
                                         uint32_t* style) noexcept override;
  // Counting rebuilds the detector's list of shown columns from the current settings.
  HRESULT STDMETHODCALLTYPE GetColumnCount(uint32_t sections, uint32_t* count) noexcept override;
  HRESULT STDMETHODCALLTYPE GetSourceName(uint32_t, QOR::IQORString** name) noexcept override;
  HRESULT STDMETHODCALLTYPE GetViewName(uint32_t, QOR::IQORString** name) noexcept override;
  // ITableStoredRowInfo
  HRESULT STDMETHODCALLTYPE GetRowCount(uint32_t sections, int32_t* count) noexcept override;
  // ITableCellValue: the value behind a measurement's formatted text (not a count, a whole number
  // or a date).
  HRESULT STDMETHODCALLTYPE GetCellValue(uint32_t sections, int32_t row, int32_t column,
                                         double* value) noexcept override;

  // The text of a cell (empty where the grid shows nothing): S_OK, S_FALSE for a summary column
  // without an entry, E_INVALIDARG outside the table. value, when given, gets the number the text
  // was formatted from, NaN for any other text.
  HRESULT CellText(uint32_t sections, int32_t row, int32_t column, QOR::String& text, double* value = nullptr);
  // Recomputes the summary of every shown column (rebuilding the list of shown columns).
  void ComputeSummary();
  const std::vector<SummaryEntry>& Summary() const noexcept { return mSummary; }

  // The format of a measurement, made as {4, index} when it has none yet.
  CellFormat& GetCellFormat(int32_t measurement);
  // Every stored format gets the figures (clamped to 1..17); formats made later start at 4.
  void SetAllSignificantFigures(int32_t figures);
  bool ApplyToAll() const noexcept { return mApplyToAll; }
  void SetApplyToAll(bool on) noexcept { mApplyToAll = on; }

  // The format record in the document's settings stream.
  bool SaveColumns(IBinOutStream& out) const;
  bool LoadColumns(IBinInStream& in);
  // Formats read elsewhere (as LoadColumns reads them) replace those of the same measurement;
  // the others stay.
  void MergeColumns(const std::map<int32_t, CellFormat>& formats);

  // Writes the table as text (see TableTextWriter) under the host's progress display, with the
  // summary block, recomputed first, while summary rows are switched on. S_OK, S_FALSE when cancelled, or the
  // failure, which the user has been shown; unless S_OK the file there before is left as it was.
  HRESULT ExportTableText(const wchar_t* fileName);

 private:
  ~TableViewData() override = default;
  int32_t EventCount() const noexcept;
  bool SummaryRowsOn() const noexcept;

  std::vector<SummaryEntry> mSummary;
  bool mApplyToAll = false;
  std::map<int32_t, CellFormat> mFormats;
  Doc::CycleDetector* mDetector;
};

// Tells the user in a message box that the Table View could not be exported to fileName, and why.
void ShowTableExportFailure(const wchar_t* fileName, HRESULT hr);

}  // namespace ZR
