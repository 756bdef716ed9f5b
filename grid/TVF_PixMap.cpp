// TVF_PixMap: a table section as one record of positions, answering the host's pixel-map questions.
#include "grid/TVF_PixMap.h"

#include "grid/TableDataContract.h"
#include "hostclient/ComBoundary.h"

#include <algorithm>
#include <climits>
#include <new>

namespace {

constexpr int64_t kNoPosition = INT64_MIN;

// a - b - c with two's-complement wrap-around instead of overflow: positions come from the
// caller unchecked and may lie anywhere in the 64-bit range.
int64_t WrappingDifference(int64_t a, int64_t b, int64_t c) noexcept {
  return static_cast<int64_t>(static_cast<uint64_t>(a) - static_cast<uint64_t>(b) - static_cast<uint64_t>(c));
}

}  // namespace

int32_t FindRecordOfPosition(const std::vector<int64_t>& starts, int64_t position) noexcept {
  if (position < 0) return 0;
  const auto after = std::upper_bound(starts.begin(), starts.end(), position);
  if (after == starts.begin()) return 0;
  return static_cast<int32_t>(after - starts.begin() - 1);
}

HRESULT TVF_PixMap::Create(IUnknown* source, int32_t fixedRows, int32_t fixedColumns, uint32_t sectionFlags,
                           IRecordDataPixMap** map) noexcept {
  if (!map) return E_POINTER;
  *map = nullptr;
  TVF_PixMap* const created = new (std::nothrow) TVF_PixMap(source, fixedRows, fixedColumns, sectionFlags);
  if (!created) return E_OUTOFMEMORY;
  created->AddRef();
  *map = created;
  return S_OK;
}

TVF_PixMap::TVF_PixMap(IUnknown* source, int32_t fixedRows, int32_t fixedColumns, uint32_t sectionFlags) noexcept
    : mFixedRows(fixedRows), mFixedColumns(fixedColumns), mSectionFlags(sectionFlags) {
  if (source) source->QueryInterface(IID_ITableStoredRowInfo, reinterpret_cast<void**>(&mRows));
}

TVF_PixMap::~TVF_PixMap() {
  if (mRows) mRows->Release();
}

int64_t TVF_PixMap::DataRows() const noexcept {
  int32_t rows = 0;
  if (!mRows || FAILED(mRows->GetRowCount(mSectionFlags, &rows))) return 0;
  return std::max<int64_t>(0, static_cast<int64_t>(rows) - mFixedRows);
}

int64_t TVF_PixMap::RecordEnd(size_t record) const noexcept {
  if (record + 1 < mRecordStarts.size()) return mRecordStarts[record + 1];
  return mRecordStarts[record] + LeadIn(record) + DataRows();
}

void TVF_PixMap::RebuildIfDirty() {
  if (mDirty) RebuildNow();
}

// The table is always laid out as the single record that starts at position 0.
void TVF_PixMap::RebuildNow() {
  mRecordStarts.assign(1, 0);
  mDirty = false;
}

HRESULT STDMETHODCALLTYPE TVF_PixMap::SetSource(int32_t value) noexcept {
  mSourceValue = value;
  mDirty = true;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TVF_PixMap::Reserved4(uint32_t, uint32_t, uint32_t, uint32_t) noexcept {
  mDirty = true;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TVF_PixMap::SetOffset(int32_t which, int32_t value) noexcept {
  int32_t* const targets[] = {&mFirstOffset, &mLaterOffset, &mThirdOffset};
  if (which < 0 || which > 2) return E_INVALIDARG;
  *targets[which] = value;
  mDirty = true;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TVF_PixMap::SetScale(int64_t numerator, int64_t denominator) noexcept {
  mScaleNumerator = numerator;
  mScaleDenominator = denominator;
  mScale = static_cast<double>(numerator) / static_cast<double>(denominator);
  mDirty = true;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TVF_PixMap::GetScale(PixMapScale* scale) noexcept {
  if (!scale) return E_POINTER;
  *scale = PixMapScale{mScaleNumerator, mScaleDenominator};
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TVF_PixMap::Reserved10(uint32_t, uint32_t, uint32_t, uint32_t) noexcept {
  mDirty = true;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TVF_PixMap::Reserved11(uint32_t, uint32_t) noexcept {
  mDirty = true;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TVF_PixMap::Rebuild(uint32_t) noexcept {
  return ComTry([&] { RebuildNow(); });
}

HRESULT STDMETHODCALLTYPE TVF_PixMap::BeginAppend(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                                  uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) noexcept {
  return ComTry([&] {
    RebuildIfDirty();
    if (mRecordStarts.empty()) mRecordStarts.assign(1, 0);
    mAppending = true;
    mAppendRecord = 0;
  });
}

HRESULT STDMETHODCALLTYPE TVF_PixMap::EndAppend(uint32_t) noexcept {
  mAppending = false;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TVF_PixMap::GetAppendPosition(uint32_t, int64_t* position) noexcept {
  if (!position) return E_POINTER;
  if (mAppending) {
    const size_t record = static_cast<size_t>(mAppendRecord);
    *position = mRecordStarts[record] + LeadIn(record);
    return S_OK;
  }
  *position = 0;
  if (mRecordStarts.empty()) return S_FALSE;
  const size_t last = mRecordStarts.size() - 1;
  *position = RecordEnd(last) + LeadIn(last);
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE TVF_PixMap::GetTotalLength(int64_t* length) noexcept {
  if (!length) return E_POINTER;
  return ComTry([&] {
    RebuildIfDirty();
    *length = mRecordStarts.empty() ? 0 : RecordEnd(mRecordStarts.size() - 1);
  });
}

HRESULT STDMETHODCALLTYPE TVF_PixMap::GetRecordCount(int32_t* count) noexcept {
  if (!count) return E_POINTER;
  return ComTry([&] {
    RebuildIfDirty();
    *count = static_cast<int32_t>(mRecordStarts.size());
  });
}

HRESULT STDMETHODCALLTYPE TVF_PixMap::PositionToRecord(int64_t position, PixMapRecordPosition* where,
                                                       int64_t* recordEnd) noexcept {
  if (!where || !recordEnd) return E_POINTER;
  return ComTry([&]() -> HRESULT {
    RebuildIfDirty();
    const int32_t record = FindRecordOfPosition(mRecordStarts, position);
    const size_t index = static_cast<size_t>(record);
    where->offset = WrappingDifference(position, mRecordStarts[index], LeadIn(index));
    where->record = record;
    *recordEnd = RecordEnd(index);
    return position < 0 || position >= *recordEnd ? S_FALSE : S_OK;
  });
}

HRESULT STDMETHODCALLTYPE TVF_PixMap::GetRecordRange(int32_t record, int64_t* start, int64_t* end) noexcept {
  if (!start || !end) return E_POINTER;
  return ComTry([&]() -> HRESULT {
    RebuildIfDirty();
    if (record < 0 || static_cast<size_t>(record) >= mRecordStarts.size()) {
      *start = kNoPosition;
      *end = kNoPosition;
      return S_FALSE;
    }
    *start = -LeadIn(static_cast<size_t>(record));
    *end = RecordEnd(static_cast<size_t>(record));
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE TVF_PixMap::PositionToRow(int32_t mode, int64_t position, int64_t* offset,
                                                    PixMapRowPosition* row) noexcept {
  if (!offset || !row) return E_POINTER;
  PixMapRecordPosition where{};
  int64_t recordEnd = 0;
  HRESULT hr = PositionToRecord(position, &where, &recordEnd);
  *offset = where.offset;
  row->record = where.record;
  row->row = static_cast<int32_t>(std::clamp<int64_t>(where.offset, INT32_MIN, INT32_MAX));
  if (where.offset >= 0) return hr;
  // In the lead-in before the record's data.
  row->row = 0;
  const int64_t leadIn = LeadIn(static_cast<size_t>(where.record));
  const bool previous = mode == 1 || (mode == 0 && where.offset + leadIn / 2 < 0);
  if (!previous || where.record == 0) return hr;
  int32_t rows = 0;
  hr = mRows ? mRows->GetRowCount(mSectionFlags, &rows) : E_FAIL;
  row->record = where.record - 1;
  row->row = rows - 1;
  return hr;
}
