// host::PointReader and host::ChannelUnits.
#include "host/data/PointReader.h"

#include <algorithm>
#include <cmath>

namespace host {

PointReader::PointReader(HostPtr<DataDocument> document, int32_t channel, IRecordDataPixMap* scale,
                         const PointReaderArea& area) noexcept
    : mDocument(std::move(document)), mChannel(channel), mScale(scale), mArea(area), mPosition(area.first) {}

void* PointReader::FindInterface(REFIID iid) {
  return IsEqualIID(iid, IID_IUnknown) ? static_cast<IPointReader*>(this) : nullptr;
}

int32_t PointReader::Row(double value) const noexcept {
  const double span = mArea.high - mArea.low;
  const int32_t height = mArea.rect.bottom - mArea.rect.top;
  if (!std::isfinite(value) || !(span != 0.0) || height <= 0) return mArea.rect.bottom;
  const double row = mArea.rect.top + std::round((mArea.high - value) / span * (height - 1));
  return static_cast<int32_t>(std::clamp<double>(row, mArea.rect.top - 1.0, mArea.rect.bottom));
}

HRESULT STDMETHODCALLTYPE PointReader::ReadPoints(int64_t position, int32_t count, int32_t capacity, POINT* buffer,
                                                  int32_t* points, int32_t* consumed) noexcept {
  if (!points || !consumed || (capacity > 0 && !buffer)) return E_POINTER;
  *points = 0;
  *consumed = 0;
  PixMapScale scaling{1, 1};
  if (!mScale || FAILED(mScale->GetScale(&scaling)) || scaling.denominator <= 0) return E_FAIL;
  const double samplesPerPixel = static_cast<double>(scaling.numerator) / static_cast<double>(scaling.denominator);
  const auto& records = mDocument->Data().records;
  while (*consumed < count && *points + 2 <= capacity) {
    const int64_t p = position + *consumed;
    if (p >= mArea.last) break;
    PixMapRecordPosition where{0, 0};
    int64_t end = 0;
    if (mScale->PositionToRecord(p, &where, &end) != S_OK || where.record < 0 ||
        where.record >= static_cast<int32_t>(records.size()))
      break;
    const RecordData& record = records[static_cast<size_t>(where.record)];
    if (mChannel < 0 || static_cast<size_t>(mChannel) >= record.samples.size()) break;
    const ChannelRecord& channel = *record.samples[static_cast<size_t>(mChannel)];
    const int32_t length = std::min(channel.Length(), record.length);
    if (length <= 0) break;
    const float* samples = channel.Samples();
    const double last = length - 1;
    // A record's margins hold no samples: the trace passes over them.
    const double firstTick = static_cast<double>(where.offset) * samplesPerPixel;
    if (where.offset < 0 || firstTick >= length) {
      ++*consumed;
      continue;
    }
    auto at = [&](double t) {
      t = std::clamp(t, 0.0, last);
      const int32_t i = static_cast<int32_t>(std::floor(t));
      const double f = t - i;
      return i + 1 <= last ? samples[i] + (samples[i + 1] - samples[i]) * f : static_cast<double>(samples[i]);
    };
    const double t0 = firstTick;
    const double t1 = std::min(t0 + samplesPerPixel, last);
    double low = std::min(at(t0), at(t1));
    double high = std::max(at(t0), at(t1));
    for (int64_t i = static_cast<int64_t>(std::floor(t0)) + 1; i < t1 && i <= last; ++i) {
      low = std::min<double>(low, samples[i]);
      high = std::max<double>(high, samples[i]);
    }
    const LONG x = static_cast<LONG>(mArea.rect.left + (p - mArea.first));
    buffer[*points] = POINT{x, Row(high)};
    buffer[*points + 1] = POINT{x, Row(low) + 1};
    *points += 2;
    ++*consumed;
  }
  mPosition = position + *consumed;
  return *consumed > 0 ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE PointReader::GetPosition(int64_t* position) noexcept {
  if (!position) return E_POINTER;
  *position = mPosition;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ChannelUnits::GetScale(uint32_t, double* scale) noexcept {
  if (!scale) return E_POINTER;
  *scale = 1.0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ChannelUnits::GetFactor(double* factor) noexcept {
  if (!factor) return E_POINTER;
  *factor = 1.0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ChannelUnits::GetRange(double* range) noexcept {
  if (!range) return E_POINTER;
  range[0] = mLow;
  range[1] = mHigh;
  return S_OK;
}

}  // namespace host
