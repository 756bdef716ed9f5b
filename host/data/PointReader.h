// host::PointReader: a channel's samples as the pixel points of a trace, column by column.
#pragma once

#include "host/common/HostObject.h"
#include "host/common/HostPtr.h"
#include "host/data/DataDocument.h"
#include "hostapi/RecordData.h"
#include "hostapi/RecordDataPixMap.h"

namespace host {

// Each position is one column (area.rect.left + position - area.first). The values of a column
// run from the channel's value at its left edge (linearly between samples, so a column continues
// the one before) through every sample inside it to its right edge; the column's pair spans the
// rows of the lowest and highest of them. Row of v: top + round((high - v) / (high - low) *
// (height - 1)), held one row beyond the rectangle. Positions in no record end the reading.
class PointReader final : public HostObject<IPointReader> {
 public:
  PointReader(HostPtr<DataDocument> document, int32_t channel, IRecordDataPixMap* scale,
              const PointReaderArea& area) noexcept;

  HRESULT STDMETHODCALLTYPE ReadPoints(int64_t position, int32_t count, int32_t capacity, POINT* buffer,
                                       int32_t* points, int32_t* consumed) noexcept override;
  HRESULT STDMETHODCALLTYPE GetPosition(int64_t* position) noexcept override;

 private:
  void* FindInterface(REFIID iid) override;
  int32_t Row(double value) const noexcept;

  HostPtr<DataDocument> mDocument;
  int32_t mChannel;
  HostPtr<IRecordDataPixMap> mScale;
  PointReaderArea mArea;
  int64_t mPosition;
};

// The units of a channel in one record: scale and factor 1, the range of its samples.
class ChannelUnits final : public HostObject<IChannelUnits> {
 public:
  ChannelUnits(double low, double high) noexcept : mLow(low), mHigh(high) {}
  HRESULT STDMETHODCALLTYPE GetScale(uint32_t, double* scale) noexcept override;
  HRESULT STDMETHODCALLTYPE GetFactor(double* factor) noexcept override;
  HRESULT STDMETHODCALLTYPE GetRange(double* range) noexcept override;

 private:
  void* FindInterface(REFIID iid) override {
    return IsEqualIID(iid, IID_IUnknown) ? static_cast<IChannelUnits*>(this) : nullptr;
  }
  double mLow;
  double mHigh;
};

}  // namespace host
