// TVF_PixMap: one table section seen as recorded data: its rows laid out as records of 64-bit
// positions, so the grid turns row numbers into (record, offset) pairs the way the host does.
#pragma once

#include "hostapi/RecordDataPixMap.h"
#include "hostclient/SimpleUnknownImp.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct ITableStoredRowInfo;

// The record holding a position among ascending record starts: the last record whose start is
// not above it (a position equal to a start belongs to that record); 0 for a negative position
// or one before every start.
int32_t FindRecordOfPosition(const std::vector<int64_t>& starts, int64_t position) noexcept;

// The table is one record starting at position 0 whose data are the section's rows below the
// fixed rows; offsets set a lead-in before the data. Every layout value is read through
// the client's ITableStoredRowInfo, so the map follows the client's row count on each rebuild.
class TVF_PixMap final : public QOR::SimpleUnknownImp1<IRecordDataPixMap, IID_IRecordDataPixMap> {
 public:
  // A new map in *map with one reference. The row info is queried from source (a map without
  // one sees no rows). E_POINTER for a null map.
  static HRESULT Create(IUnknown* source, int32_t fixedRows, int32_t fixedColumns, uint32_t sectionFlags,
                        IRecordDataPixMap** map) noexcept;

  HRESULT STDMETHODCALLTYPE SetSource(int32_t value) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved4(uint32_t, uint32_t, uint32_t, uint32_t) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved5(uint32_t, uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetOffset(int32_t which, int32_t value) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved7(uint32_t, uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetScale(int64_t numerator, int64_t denominator) noexcept override;
  HRESULT STDMETHODCALLTYPE GetScale(PixMapScale* scale) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved10(uint32_t, uint32_t, uint32_t, uint32_t) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved11(uint32_t, uint32_t) noexcept override;
  HRESULT STDMETHODCALLTYPE Rebuild(uint32_t) noexcept override;
  HRESULT STDMETHODCALLTYPE BeginAppend(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                        uint32_t, uint32_t, uint32_t, uint32_t) noexcept override;
  HRESULT STDMETHODCALLTYPE NewData(uint32_t, int32_t, int64_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EndAppend(uint32_t) noexcept override;
  HRESULT STDMETHODCALLTYPE GetAppendPosition(uint32_t, int64_t* position) noexcept override;
  HRESULT STDMETHODCALLTYPE SamplingStart(int32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTotalLength(int64_t* length) noexcept override;
  HRESULT STDMETHODCALLTYPE GetRecordCount(int32_t* count) noexcept override;
  HRESULT STDMETHODCALLTYPE PositionToTick(int32_t, int64_t, PixMapTick*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE PositionToRecord(int64_t position, PixMapRecordPosition* where,
                                             int64_t* recordEnd) noexcept override;
  HRESULT STDMETHODCALLTYPE SamplingStop(VARIANT_BOOL) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRecordRange(int32_t record, int64_t* start, int64_t* end) noexcept override;
  HRESULT STDMETHODCALLTYPE PositionToRow(int32_t mode, int64_t position, int64_t* offset,
                                          PixMapRowPosition* row) noexcept override;
  HRESULT STDMETHODCALLTYPE GetScaleRecord(int64_t, PixMapTimeScale*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetNextRecordStart(int64_t, int64_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE TickToPosition(int32_t, int32_t, double, double*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SinkNotify(int32_t, int32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Bind(uint32_t, IUnknown*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE PositionToValue(int64_t, int64_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ValueToPosition(int64_t, int64_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetPendingMask(int32_t, uint32_t*) noexcept override { return 0; }
  HRESULT STDMETHODCALLTYPE MaskApplied(uint32_t) noexcept override { return 0; }
  HRESULT STDMETHODCALLTYPE Reserved34(uint32_t) noexcept override { return 0; }
  HRESULT STDMETHODCALLTYPE GetDataObject(IUnknown**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE NextSegment(int32_t, int32_t*, int64_t*, int64_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RequestMargin(uint32_t, int32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved38(uint32_t, uint32_t, uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved39(uint32_t, uint32_t, uint32_t, uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved40(uint32_t, uint32_t, uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved41(uint32_t) noexcept override { return E_NOTIMPL; }

 private:
  TVF_PixMap(IUnknown* source, int32_t fixedRows, int32_t fixedColumns, uint32_t sectionFlags) noexcept;
  ~TVF_PixMap() override;

  // The section's rows below the fixed rows; never negative.
  int64_t DataRows() const noexcept;
  int64_t LeadIn(size_t record) const noexcept { return record == 0 ? mFirstOffset : mLaterOffset; }
  int64_t RecordEnd(size_t record) const noexcept;
  void RebuildIfDirty();
  void RebuildNow();

  ITableStoredRowInfo* mRows = nullptr;  // counted; released by the destructor
  double mScale = 1.0;
  int64_t mScaleNumerator = 1;
  int64_t mScaleDenominator = 1;
  std::vector<int64_t> mRecordStarts;
  int32_t mFirstOffset = 0;
  int32_t mLaterOffset = 0;
  int32_t mThirdOffset = 0;
  int32_t mAppendRecord = 0;
  int32_t mSourceValue = 0;
  bool mAppending = false;
  bool mDirty = true;
  int32_t mFixedRows;
  int32_t mFixedColumns;
  uint32_t mSectionFlags;
};
