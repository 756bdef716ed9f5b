// host::HorizontalScale: the horizontal scale object of a data source for panes: a data file's
// records laid end to end along one axis of positions (pixels) at a rational number of samples
// per pixel.
#pragma once

#include "host/common/HostObject.h"
#include "host/common/HostPtr.h"
#include "host/data/DataDocument.h"
#include "hostapi/RecordDataPixMap.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace host {

// Record r covers the positions [start(r), start(r) + lead + ceil(length(r) / scaling) + trail):
// the margins the pane's drawers ask for (a lead before each record's samples, where a lane
// draws its value labels, and a trail after them; none until asked, and an empty record takes no
// room); the next record starts where it ends. Lengths are read from the document at each call,
// so records that grow while the host samples grow here too. Time: position p stands for
// p * secondsPerPixel seconds; each record's labels count from 0 at its first sample.
class HorizontalScale final : public HostObject<IRecordDataPixMap> {
 public:
  explicit HorizontalScale(HostPtr<DataDocument> document) noexcept;

  HRESULT STDMETHODCALLTYPE SetSource(int32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved4(uint32_t, uint32_t, uint32_t, uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved5(uint32_t, uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetOffset(int32_t, int32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved7(uint32_t, uint32_t) noexcept override { return E_NOTIMPL; }
  // Samples per pixel numerator / denominator, both positive; kept reduced.
  HRESULT STDMETHODCALLTYPE SetScale(int64_t numerator, int64_t denominator) noexcept override;
  HRESULT STDMETHODCALLTYPE GetScale(PixMapScale* scale) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved10(uint32_t, uint32_t, uint32_t, uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11(uint32_t, uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Rebuild(uint32_t) noexcept override { return S_OK; }
  // The record sampling writes: the first word is its index, the others are not read.
  HRESULT STDMETHODCALLTYPE BeginAppend(uint32_t record, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                        uint32_t, uint32_t, uint32_t, uint32_t) noexcept override;
  HRESULT STDMETHODCALLTYPE NewData(uint32_t, int32_t count, int64_t* rightPosition) noexcept override;
  HRESULT STDMETHODCALLTYPE EndAppend(uint32_t) noexcept override;
  HRESULT STDMETHODCALLTYPE GetAppendPosition(uint32_t, int64_t* position) noexcept override;
  HRESULT STDMETHODCALLTYPE SamplingStart(int32_t) noexcept override;
  HRESULT STDMETHODCALLTYPE GetTotalLength(int64_t* length) noexcept override;
  HRESULT STDMETHODCALLTYPE GetRecordCount(int32_t* count) noexcept override;
  HRESULT STDMETHODCALLTYPE PositionToTick(int32_t mode, int64_t position, PixMapTick* tick) noexcept override;
  HRESULT STDMETHODCALLTYPE PositionToRecord(int64_t position, PixMapRecordPosition* where,
                                             int64_t* recordEnd) noexcept override;
  HRESULT STDMETHODCALLTYPE SamplingStop(VARIANT_BOOL) noexcept override;
  HRESULT STDMETHODCALLTYPE GetRecordRange(int32_t record, int64_t* start, int64_t* end) noexcept override;
  HRESULT STDMETHODCALLTYPE PositionToRow(int32_t, int64_t, int64_t*, PixMapRowPosition*) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetScaleRecord(int64_t position, PixMapTimeScale* scale) noexcept override;
  HRESULT STDMETHODCALLTYPE GetNextRecordStart(int64_t position, int64_t* start) noexcept override;
  HRESULT STDMETHODCALLTYPE TickToPosition(int32_t, int32_t record, double tick, double* position) noexcept override;
  HRESULT STDMETHODCALLTYPE SinkNotify(int32_t, int32_t) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Bind(uint32_t how, IUnknown* target) noexcept override;
  // Records have no lead-in: a position's value is the position.
  HRESULT STDMETHODCALLTYPE PositionToValue(int64_t position, int64_t* value) noexcept override;
  HRESULT STDMETHODCALLTYPE ValueToPosition(int64_t value, int64_t* position) noexcept override;
  HRESULT STDMETHODCALLTYPE GetPendingMask(int32_t, uint32_t* mask) noexcept override;
  HRESULT STDMETHODCALLTYPE MaskApplied(uint32_t mask) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved34(uint32_t) noexcept override { return 0; }
  HRESULT STDMETHODCALLTYPE GetDataObject(IUnknown** object) noexcept override;
  HRESULT STDMETHODCALLTYPE NextSegment(int32_t segment, int32_t* next, int64_t* start, int64_t* end) noexcept override;
  // Kind 0 drops both margins, 0x80000001 sets the trail and 0x80000002 the lead (negative
  // pixels count as 0); a change is pending for the pane until it applies it.
  HRESULT STDMETHODCALLTYPE RequestMargin(uint32_t kind, int32_t pixels) noexcept override;
  // The margin requests the drawers made, in order.
  const std::vector<std::pair<uint32_t, int32_t>>& MarginRequests() const noexcept { return mMargins; }
  HRESULT STDMETHODCALLTYPE Reserved38(uint32_t, uint32_t, uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved39(uint32_t, uint32_t, uint32_t, uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved40(uint32_t, uint32_t, uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved41(uint32_t) noexcept override { return E_NOTIMPL; }

  // Positions the samples of a record of length samples take at the present scaling.
  int64_t PositionsOf(int32_t length) const noexcept;
  // The first position of record (the total length for record == count), its margins included.
  int64_t RecordStart(int32_t record) const noexcept;
  // The position of record's first sample.
  int64_t DataStart(int32_t record) const noexcept;
  DataDocument& Document() const noexcept { return *mDocument.Get(); }
  // Changes a pane must apply (what GetPendingMask answers until MaskApplied clears them).
  void SetPendingMask(uint32_t mask) noexcept { mPending = mask; }
  IUnknown* BoundPane() const noexcept { return mPane; }
  int32_t SampledRecord() const noexcept { return mSampledRecord; }
  bool IsSampling() const noexcept { return mSampling; }

 private:
  void* FindInterface(REFIID iid) override;
  // The record holding position (-1 when none) and its first position.
  int32_t FindRecord(int64_t position, int64_t* start) const noexcept;
  // Positions record r takes, its margins included.
  int64_t SegmentWidth(size_t record) const noexcept;
  // The tick of position in record r, starting at start, held inside its samples.
  double TickIn(size_t record, int64_t start, int64_t position) const noexcept;

  HostPtr<DataDocument> mDocument;
  int64_t mNumerator = 10;
  int64_t mDenominator = 1;
  uint32_t mPending = 0;
  IUnknown* mPane = nullptr;  // not counted: the pane holds this object
  int32_t mSampledRecord = -1;
  bool mSampling = false;
  std::vector<std::pair<uint32_t, int32_t>> mMargins;
  int64_t mLead = 0;
  int64_t mTrail = 0;
};

}  // namespace host
