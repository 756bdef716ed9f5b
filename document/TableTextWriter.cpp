// The Table View's text file, written line by line with checked writes.
#include "document/TableTextWriter.h"

#include "base/OFormatStream.h"
#include "base/String.h"
#include "base/Utf16Bytes.h"
#include "grid/TableDataContract.h"
#include "hostapi/HostProgress.h"
#include "platform/owl/TModule.h"
#include "wholefile/ReplacingFile.h"
#include "document/TableStringIds.h"

#include <cstdint>
#include <string>

namespace ZR {

namespace {

// The progress of one loop (event lines or summary lines): the percentage it showed last.
class LineProgress {
 public:
  LineProgress(IHostProgress* progress, int32_t total) noexcept : mProgress(progress), mTotal(total) {}
  // False when the user cancelled.
  bool LineDone(int32_t linesWritten) {
    if (!mProgress) return true;
    const int32_t percent = static_cast<int32_t>(static_cast<int64_t>(linesWritten) * 100 / mTotal);
    if (percent != mLastShown) {
      static const QOR::String kFormat(OWL::TModule::Default().LoadString(IDS_TV_EXPORT_PERCENT).c_str());
      QOR::OFormatStringStream text(kFormat);
      text << percent;
      mProgress->SetText(text.str().GetInterface());
      mLastShown = percent;
    }
    return mProgress->SetPercent(percent) == 0;
  }

 private:
  IHostProgress* mProgress;
  int32_t mTotal;
  int32_t mLastShown = -1;
};

// The cells of one row, TAB-separated, ended by CR LF.
std::wstring RowLine(ITableDataManager& data, uint32_t section, int32_t row, uint32_t columns) {
  std::wstring line;
  for (uint32_t c = 0; c < columns; ++c) {
    if (c > 0) line += L'\t';
    QOR::IQORString* cell = nullptr;
    if (data.GetCellText(section, row, static_cast<int32_t>(c), &cell) != S_OK || !cell) continue;
    const QOR::String text(cell);
    cell->Release();
    line += text.GetText();
  }
  return line + L"\r\n";
}

// A line's bytes: UTF-16 little-endian, or one byte per character with '?' for any above 255.
std::string LineBytes(const std::wstring& line, bool utf16) {
  if (utf16) return QOR::Utf16LeBytes(line);
  std::string bytes;
  bytes.reserve(line.size());
  for (const wchar_t c : line) bytes += static_cast<unsigned>(c) <= 0xFF ? static_cast<char>(c) : '?';
  return bytes;
}

// The file's lines into out: S_OK; S_FALSE when cancelled; E_FAIL when a write failed (out
// keeps its error).
HRESULT WriteLines(WholeFile::ReplacingFile& out, ITableDataManager& data, ITableStoredRowInfo& rows, bool withSummary,
                   IHostProgress* progress) {
  uint32_t columns = 0;
  int32_t eventRows = 0;
  int32_t summaryRows = 0;
  data.GetColumnCount(kTableMainSection, &columns);
  rows.GetRowCount(0, &eventRows);
  rows.GetRowCount(kTableSummarySection, &summaryRows);
  const int32_t total = eventRows + (withSummary ? summaryRows : 0);
  int32_t lines = 0;
  // A heading the byte form cannot hold (a unit such as \u03A9) makes the whole file UTF-16 with its
  // byte order mark, as the grid's CSV export does; any other file keeps one byte per character.
  const bool utf16 = eventRows > 0 && QOR::HoldsUnitAbove255(RowLine(data, 0, 0, columns));
  if (utf16 && !out.Write("\xFF\xFE")) return E_FAIL;
  const auto writeSection = [&](uint32_t section, int32_t count, const wchar_t* before) {
    LineProgress shown(progress, total);
    if (before && !out.Write(LineBytes(before, utf16))) return E_FAIL;
    for (int32_t row = 0; row < count; ++row) {
      if (!out.Write(LineBytes(RowLine(data, section, row, columns), utf16))) return E_FAIL;
      if (!shown.LineDone(++lines)) return S_FALSE;
    }
    return S_OK;
  };
  const HRESULT result = writeSection(0, eventRows, nullptr);
  return result == S_OK && withSummary ? writeSection(kTableSummarySection, summaryRows, L"\r\n") : result;
}

}  // namespace

HRESULT WriteTableText(ITableDataManager& data, ITableStoredRowInfo& rows, bool withSummary,
                       const wchar_t* fileName, IHostProgress* progress) {
  return WholeFile::WriteReplacing(fileName, [&](WholeFile::ReplacingFile& out) {
    return WriteLines(out, data, rows, withSummary, progress);
  });
}

}  // namespace ZR
