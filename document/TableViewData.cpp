// ZR::TableViewData: cell texts, styles, row and column counts, and the summary statistics.
#include "document/TableViewData.h"

#include "document/CycleDetector.h"
#include "document/DocumentStringIds.h"
#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "document/TableTextWriter.h"
#include "document/ZRSetting_Bool.h"
#include "enumerators/framework/HostHelpers.h"
#include "base/OFormatStream.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/HostProgress.h"
#include "platform/owl/TModalSeam.h"
#include "platform/owl/TModule.h"
#include "document/TableStringIds.h"

#include <cmath>
#include <limits>

namespace ZR {

namespace {

constexpr uint32_t kSummarySection = 0x10;
constexpr int32_t kSummaryRows = 5;  // heading, Avg, Min, Max, Count
constexpr int32_t kTimeMeasurement = 58;

bool IsSummary(uint32_t sections) noexcept { return (sections & kSummarySection) != 0; }

QOR::String ViewText(UINT id) { return QOR::String(OWL::TModule::Default().LoadString(id).c_str()); }

HRESULT HandOut(const QOR::String& text, QOR::IQORString** out) noexcept {
  *out = text.AddRefInterface();
  return S_OK;
}

// The system's text of a failure, without its line end.
std::wstring ErrorText(HRESULT hr) {
  wchar_t* buffer = nullptr;
  // A Windows error is looked up by its own number, which every system's table holds.
  const DWORD code = HRESULT_FACILITY(hr) == FACILITY_WIN32 ? HRESULT_CODE(hr) : static_cast<DWORD>(hr);
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                          FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer ? buffer : L"", length);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.pop_back();
  return text;
}

}  // namespace

void ShowTableExportFailure(const wchar_t* fileName, HRESULT hr) {
  QOR::OFormatStringStream text(ViewText(IDS_TV_EXPORT_FAILED));
  text << fileName;
  // The writer refuses a read-only file itself; the system's words would not say what to do.
  if (hr == HRESULT_FROM_WIN32(ERROR_FILE_READ_ONLY))
    text << ViewText(IDS_TV_EXPORT_READ_ONLY).GetText();
  else
    text << ErrorText(hr);
  OWL::TModalSeam::Current().MessageBox(GetActiveWindow(), text.str().GetText(), ViewText(IDS_ZR_CAPTION).GetText(),
                                        MB_OK | MB_ICONERROR);
}

HRESULT TableViewData::ExportTableText(const wchar_t* fileName) {
  const ComPtr<IHostProgress> progress = CreateHostProgress(ViewText(IDS_TV_EXPORT_PROGRESS).GetText(), L"", L"");
  // The summary written must be that of the rows written, whether or not a view refreshed it.
  const bool summary = SummaryRowsOn();
  if (summary) ComputeSummary();
  const HRESULT hr = WriteTableText(*this, *this, summary, fileName, progress.Get());
  if (FAILED(hr)) ShowTableExportFailure(fileName, hr);
  return hr;
}

int32_t TableViewData::EventCount() const noexcept { return mDetector ? mDetector->EventCount() : 0; }

bool TableViewData::SummaryRowsOn() const noexcept {
  const Doc::SettingsStore* const store = mDetector ? mDetector->Settings() : nullptr;
  const Doc::ZRSetting_Bool* const on = store ? store->GetBoolSetting(Doc::kSettingSummaryRows) : nullptr;
  return on && on->Get();
}

HRESULT TableViewData::CellText(uint32_t sections, int32_t row, int32_t column, QOR::String& text, double* value) {
  text = QOR::String();
  double unused = 0.0;
  double& shown = value ? *value : unused;
  shown = std::numeric_limits<double>::quiet_NaN();
  const int32_t columns = mDetector ? mDetector->ColumnCount() : 0;
  int32_t rows = 0;
  GetRowCount(sections, &rows);
  if (row < 0 || column < 0 || row >= rows || column > columns) return E_INVALIDARG;
  if (row == 0) {
    if (column > 0) text = mDetector->GetColumnHeaderText(column - 1);
    return S_OK;
  }
  if (IsSummary(sections)) {
    static const UINT kNames[] = {IDS_TV_ROW_AVG, IDS_TV_ROW_MIN, IDS_TV_ROW_MAX, IDS_TV_ROW_COUNT};
    if (column == 0) {
      text = ViewText(kNames[row - 1]);
      return S_OK;
    }
    if (static_cast<size_t>(column - 1) >= mSummary.size()) return S_FALSE;
    const SummaryEntry& entry = mSummary[static_cast<size_t>(column - 1)];
    const CellFormat& format = GetCellFormat(mDetector->GetColumnParamId(column - 1));
    if (row == 4) {
      text = QOR::String(ExtLib::LongToText(entry.count).c_str());
    } else if (!IsWholeNumberMeasurement(format.measurementIndex)) {
      shown = row == 1 ? entry.average : row == 2 ? entry.minimum : entry.maximum;
      text = format.Format(shown);
    }
    return S_OK;
  }
  if (column == 0) {
    text = QOR::String(ExtLib::LongToText(row).c_str());
    return S_OK;
  }
  double measured = std::numeric_limits<double>::quiet_NaN();
  mDetector->GetCellText(row - 1, column - 1, text, &measured);
  if (!text.IsEmpty()) return S_OK;
  const CellFormat& format = GetCellFormat(mDetector->GetColumnParamId(column - 1));
  text = format.Format(measured);
  if (!IsWholeNumberMeasurement(format.measurementIndex)) shown = measured;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TableViewData::GetCellValue(uint32_t sections, int32_t row, int32_t column,
                                                      double* value) noexcept {
  if (!value) return E_POINTER;
  *value = std::numeric_limits<double>::quiet_NaN();
  return ComTry([&]() -> HRESULT {
    QOR::String text;
    const HRESULT hr = CellText(sections, row, column, text, value);
    if (FAILED(hr)) return hr;
    return std::isfinite(*value) ? S_OK : S_FALSE;
  });
}

HRESULT STDMETHODCALLTYPE TableViewData::QueryInterface(REFIID requested, void** out) noexcept {
  if (!out || !IsEqualIID(requested, IID_ITableCellValue)) return Base::QueryInterface(requested, out);
  *out = static_cast<ITableCellValue*>(this);
  AddRef();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TableViewData::GetCellText(uint32_t sections, int32_t row, int32_t column,
                                                     QOR::IQORString** text) noexcept {
  if (!text) return E_POINTER;
  *text = nullptr;
  return ComTry([&]() -> HRESULT {
    QOR::String cell;
    const HRESULT hr = CellText(sections, row, column, cell);
    return hr == S_OK ? HandOut(cell, text) : hr;
  });
}

HRESULT STDMETHODCALLTYPE TableViewData::GetCellStyle(uint32_t, int32_t row, int32_t column,
                                                      uint32_t* style) noexcept {
  if (!style) return E_POINTER;
  *style = (row == 0 ? kCellStyleTitle : 0u) | (column == 0 ? kCellStyleRowNumber : 0u);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TableViewData::GetColumnCount(uint32_t, uint32_t* count) noexcept {
  if (!count) return E_POINTER;
  *count = 0;
  return ComTry([&]() -> HRESULT {
    *count = static_cast<uint32_t>(mDetector ? mDetector->RebuildColumns() : 0) + 1;
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE TableViewData::GetSourceName(uint32_t, QOR::IQORString** name) noexcept {
  if (!name) return E_POINTER;
  *name = nullptr;
  return ComTry([&] { return HandOut(ViewText(IDS_TV_SOURCE_NAME), name); });
}

HRESULT STDMETHODCALLTYPE TableViewData::GetViewName(uint32_t, QOR::IQORString** name) noexcept {
  if (!name) return E_POINTER;
  *name = nullptr;
  return ComTry([&] { return HandOut(ViewText(IDS_TV_TABLE_NAME), name); });
}

HRESULT STDMETHODCALLTYPE TableViewData::GetRowCount(uint32_t sections, int32_t* count) noexcept {
  if (!count) return E_POINTER;
  const int32_t events = EventCount();
  if (IsSummary(sections)) *count = events > 0 ? kSummaryRows : 1;
  else *count = events + 1;
  return S_OK;
}

void TableViewData::ComputeSummary() {
  const int32_t columns = mDetector ? mDetector->RebuildColumns() : 0;
  mSummary.assign(static_cast<size_t>(columns), SummaryEntry());
  const int32_t events = EventCount();
  QOR::String unused;
  for (int32_t c = 0; c < columns; ++c) {
    const bool time = mDetector->GetColumnParamId(c) == kTimeMeasurement;
    double sum = 0.0;
    int32_t count = 0;
    double maximum = -1.7976931348623157e308;
    double minimum = 1.7976931348623157e308;
    for (int32_t e = 0; e < events; ++e) {
      double value = std::numeric_limits<double>::quiet_NaN();
      // The date-and-time column gives a text; its value is the time of the event's start.
      if (time) value = mDetector->GetEventStartTime(e);
      else mDetector->GetCellText(e, c, unused, &value);
      if (!std::isfinite(value)) continue;
      ++count;
      sum += value;
      if (value > maximum) maximum = value;
      if (value < minimum) minimum = value;
    }
    SummaryEntry& entry = mSummary[static_cast<size_t>(c)];
    entry.count = count;
    const double none = std::numeric_limits<double>::quiet_NaN();
    entry.average = count ? sum / count : none;
    entry.maximum = count ? maximum : none;
    entry.minimum = count ? minimum : none;
  }
}

CellFormat& TableViewData::GetCellFormat(int32_t measurement) {
  CellFormat& format = mFormats[measurement];
  if (format.measurementIndex == -1) format = CellFormat{kDefaultSignificantFigures, measurement};
  return format;
}

void TableViewData::SetAllSignificantFigures(int32_t figures) {
  for (auto& entry : mFormats) entry.second.significantFigures = ClampSignificantFigures(figures);
}

}  // namespace ZR
