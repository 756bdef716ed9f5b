// The Table View's column record: writing and checked reading.
#include "document/TableColumnRecord.h"

#include "base/IBinStream.h"
#include "document/TableViewData.h"
#include "grid/SigFigDialog.h"

namespace ZR {

namespace {

constexpr int32_t kMarker = -1;
constexpr int32_t kVersion = 2;
constexpr int32_t kEntryVersion = 1;
constexpr int32_t kLastMeasurement = 58;

// One word; false once the stream has failed, so that a failed read is never taken for data.
bool Read(IBinInStream& in, int32_t& word) noexcept {
  word = 0;
  return in.ReadInt32(&word) == S_OK && in.GetStatus() == S_OK;
}

// The earlier form: a count n, n words, n again (sometimes one word later). Its words are only
// skipped; a hostile count ends at the stream's end, where the first failed read stops it.
bool SkipEarlierRecord(IBinInStream& in, int32_t n) {
  int32_t word = 0;
  for (int64_t i = 0; i <= static_cast<int64_t>(n); ++i)
    if (!Read(in, word)) return false;
  if (n >= 0 && word == n) return true;
  return Read(in, word) && word == n;
}

}  // namespace

bool SaveColumnRecord(IBinOutStream& out, const CellFormatMap& formats) {
  out.WriteLong(kMarker);
  out.WriteLong(kVersion);
  for (const auto& [key, format] : formats) {
    out.WriteLong(key);
    out.WriteLong(kEntryVersion);
    out.WriteLong(format.significantFigures);
    out.WriteLong(format.measurementIndex);
  }
  out.WriteLong(kMarker);
  out.WriteLong(kMarker);
  return true;
}

bool LoadColumnRecord(IBinInStream& in, CellFormatMap& formats) {
  int32_t first = 0;
  if (!Read(in, first)) return false;
  if (first != kMarker) return SkipEarlierRecord(in, first);
  int32_t version = 0;
  if (!Read(in, version) || version != kVersion) return false;
  int32_t key = 0;
  while (Read(in, key) && key != kMarker) {
    if (key < 0 || key > kLastMeasurement) return false;
    int32_t entryVersion = 0;
    int32_t figures = 0;
    int32_t measurement = 0;
    if (!Read(in, entryVersion) || !Read(in, figures) || !Read(in, measurement)) return false;
    // Only the Format Column dialog sets figures: any others come from damage.
    if (figures < TableView::kSigFigMin || figures > TableView::kSigFigMax) return false;
    // Every build writes the key again as the measurement. Another measurement there comes
    // from damage to one of the two, and which is right cannot be told: taken, a column would
    // show another's figures, or whole numbers (1 and 58) without its summary. An index that
    // names no measurement is taken for the key, so that the figures are not lost.
    const bool named = measurement >= 0 && measurement <= kLastMeasurement;
    if (named && measurement != key) return false;
    formats[key] = CellFormat{figures, key};
  }
  int32_t closing = 0;
  return key == kMarker && Read(in, closing) && closing == kMarker;
}

bool TableViewData::SaveColumns(IBinOutStream& out) const { return SaveColumnRecord(out, mFormats); }

bool TableViewData::LoadColumns(IBinInStream& in) { return LoadColumnRecord(in, mFormats); }

void TableViewData::MergeColumns(const CellFormatMap& formats) {
  for (const auto& [key, format] : formats) mFormats[key] = format;
}

}  // namespace ZR
