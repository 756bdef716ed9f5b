// host::HorizontalScale: records end to end at a rational number of samples per pixel.
#include "host/data/HorizontalScale.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace host {

namespace {

int64_t SaturatingAdd(int64_t a, int64_t b) noexcept {
  return b > std::numeric_limits<int64_t>::max() - a ? std::numeric_limits<int64_t>::max() : a + b;
}

}  // namespace

HorizontalScale::HorizontalScale(HostPtr<DataDocument> document) noexcept : mDocument(std::move(document)) {}

void* HorizontalScale::FindInterface(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IRecordDataPixMap))
    return static_cast<IRecordDataPixMap*>(this);
  return nullptr;
}

HRESULT STDMETHODCALLTYPE HorizontalScale::SetScale(int64_t numerator, int64_t denominator) noexcept {
  if (numerator <= 0 || denominator <= 0) return E_INVALIDARG;
  const int64_t divisor = std::gcd(numerator, denominator);
  mNumerator = numerator / divisor;
  mDenominator = denominator / divisor;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HorizontalScale::GetScale(PixMapScale* scale) noexcept {
  if (!scale) return E_POINTER;
  *scale = PixMapScale{mNumerator, mDenominator};
  return S_OK;
}

// ceil(length * denominator / numerator), in long double so that no product overflows; a
// result beyond 2^62 is held there.
int64_t HorizontalScale::PositionsOf(int32_t length) const noexcept {
  if (length <= 0) return 0;
  const long double exact = static_cast<long double>(length) * mDenominator / mNumerator;
  const long double rounded = std::ceil(exact - 1e-9L * exact);
  constexpr long double kMost = static_cast<long double>(int64_t{1} << 62);
  return rounded >= kMost ? (int64_t{1} << 62) : static_cast<int64_t>(rounded);
}

int64_t HorizontalScale::SegmentWidth(size_t record) const noexcept {
  const int64_t samples = PositionsOf(mDocument->Data().records[record].length);
  return samples > 0 ? SaturatingAdd(SaturatingAdd(samples, mLead), mTrail) : 0;
}

int64_t HorizontalScale::RecordStart(int32_t record) const noexcept {
  const auto& records = mDocument->Data().records;
  int64_t start = 0;
  for (int32_t r = 0; r < record && r < static_cast<int32_t>(records.size()); ++r) {
    start = SaturatingAdd(start, SegmentWidth(static_cast<size_t>(r)));
  }
  return start;
}

int64_t HorizontalScale::DataStart(int32_t record) const noexcept {
  const auto& records = mDocument->Data().records;
  const bool holds = record >= 0 && record < static_cast<int32_t>(records.size()) &&
                     SegmentWidth(static_cast<size_t>(record)) > 0;
  return SaturatingAdd(RecordStart(record), holds ? mLead : 0);
}

double HorizontalScale::TickIn(size_t record, int64_t start, int64_t position) const noexcept {
  const double exact = static_cast<double>(position - start - mLead) * static_cast<double>(mNumerator) /
                       static_cast<double>(mDenominator);
  return std::clamp(exact, 0.0, static_cast<double>(std::max(mDocument->Data().records[record].length, 0)));
}

HRESULT STDMETHODCALLTYPE HorizontalScale::RequestMargin(uint32_t kind, int32_t pixels) noexcept {
  try {
    mMargins.emplace_back(kind, pixels);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  const int64_t wanted = std::max(pixels, 0);
  const int64_t lead = mLead;
  const int64_t trail = mTrail;
  if (kind == 0) {
    mLead = mTrail = 0;
  } else if (kind == 0x80000001u) {
    mTrail = wanted;
  } else if (kind == 0x80000002u) {
    mLead = wanted;
  } else {
    return E_INVALIDARG;
  }
  // Every position after the first record's start moved: the pane lays itself out again.
  if (lead != mLead || trail != mTrail) mPending |= 0xFF000000u;
  return S_OK;
}

int32_t HorizontalScale::FindRecord(int64_t position, int64_t* start) const noexcept {
  if (position < 0) return -1;
  const auto& records = mDocument->Data().records;
  int64_t first = 0;
  for (size_t r = 0; r < records.size(); ++r) {
    const int64_t end = SaturatingAdd(first, SegmentWidth(r));
    if (position < end) {
      *start = first;
      return static_cast<int32_t>(r);
    }
    first = end;
  }
  return -1;
}

HRESULT STDMETHODCALLTYPE HorizontalScale::GetAppendPosition(uint32_t, int64_t* position) noexcept {
  if (!position) return E_POINTER;
  *position = RecordStart(static_cast<int32_t>(mDocument->Data().records.size()));
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE HorizontalScale::GetTotalLength(int64_t* length) noexcept {
  if (!length) return E_POINTER;
  *length = RecordStart(static_cast<int32_t>(mDocument->Data().records.size()));
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HorizontalScale::GetRecordCount(int32_t* count) noexcept {
  if (!count) return E_POINTER;
  *count = static_cast<int32_t>(mDocument->Data().records.size());
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HorizontalScale::PositionToRecord(int64_t position, PixMapRecordPosition* where,
                                                            int64_t* recordEnd) noexcept {
  if (!where || !recordEnd) return E_POINTER;
  int64_t start = 0;
  const int32_t record = FindRecord(position, &start);
  if (record < 0) return S_FALSE;
  // Negative in the lead: the offset counts from the record's first sample.
  where->offset = position - start - mLead;
  where->record = record;
  *recordEnd = SaturatingAdd(start, SegmentWidth(static_cast<size_t>(record)));
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HorizontalScale::GetRecordRange(int32_t record, int64_t* start, int64_t* end) noexcept {
  if (!start || !end) return E_POINTER;
  const auto& records = mDocument->Data().records;
  if (record < 0 || record >= static_cast<int32_t>(records.size())) {
    *start = *end = std::numeric_limits<int64_t>::min();
    return S_FALSE;
  }
  *start = RecordStart(record);
  *end = SaturatingAdd(*start, SegmentWidth(static_cast<size_t>(record)));
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HorizontalScale::GetScaleRecord(int64_t position, PixMapTimeScale* scale) noexcept {
  if (!scale) return E_POINTER;
  int64_t start = 0;
  const int32_t record = FindRecord(position, &start);
  if (record < 0) return E_INVALIDARG;
  const double period = mDocument->Data().records[static_cast<size_t>(record)].tickPeriod;
  const double secondsPerPixel = period * static_cast<double>(mNumerator) / static_cast<double>(mDenominator);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  // Elapsed labels count from the record's first sample: its position is time 0 on the clock.
  const double startSeconds = static_cast<double>(SaturatingAdd(start, mLead)) * secondsPerPixel;
  *scale = PixMapTimeScale{secondsPerPixel, startSeconds, 0.0, nan, 0.0, nan, 0.0, nan, startSeconds};
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HorizontalScale::GetNextRecordStart(int64_t position, int64_t* start) noexcept {
  if (!start) return E_POINTER;
  *start = std::numeric_limits<int64_t>::max();
  int64_t first = 0;
  const int32_t record = FindRecord(position, &first);
  const auto& records = mDocument->Data().records;
  if (record < 0 || record + 1 >= static_cast<int32_t>(records.size())) return S_FALSE;
  *start = SaturatingAdd(first, SegmentWidth(static_cast<size_t>(record)));
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HorizontalScale::BeginAppend(uint32_t record, uint32_t, uint32_t, uint32_t, uint32_t,
                                                       uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                                       uint32_t) noexcept {
  mSampledRecord = static_cast<int32_t>(record);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HorizontalScale::EndAppend(uint32_t) noexcept {
  mSampledRecord = -1;
  return S_OK;
}

// The right end of the data after the new ticks: the end of the record being sampled.
HRESULT STDMETHODCALLTYPE HorizontalScale::NewData(uint32_t, int32_t, int64_t* rightPosition) noexcept {
  if (!rightPosition) return E_POINTER;
  const auto& records = mDocument->Data().records;
  const int32_t record = mSampledRecord >= 0 && mSampledRecord < static_cast<int32_t>(records.size())
                             ? mSampledRecord
                             : static_cast<int32_t>(records.size()) - 1;
  if (record < 0) {
    *rightPosition = 0;
    return S_OK;
  }
  *rightPosition = SaturatingAdd(RecordStart(record), SegmentWidth(static_cast<size_t>(record)));
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HorizontalScale::SamplingStart(int32_t) noexcept {
  mSampling = true;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HorizontalScale::SamplingStop(VARIANT_BOOL) noexcept {
  mSampling = false;
  mSampledRecord = -1;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HorizontalScale::PositionToTick(int32_t mode, int64_t position, PixMapTick* tick) noexcept {
  if (!tick) return E_POINTER;
  int64_t start = 0;
  const int32_t record = FindRecord(position, &start);
  if (record < 0) return S_FALSE;
  const double exact = TickIn(static_cast<size_t>(record), start, position);
  *tick = PixMapTick{mode == 2 ? exact : std::floor(exact), record, 0};
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HorizontalScale::Bind(uint32_t how, IUnknown* target) noexcept {
  if (how == 0x80000000u) {
    mPane = target;
    return S_OK;
  }
  return how == 0x8000u ? S_OK : E_INVALIDARG;
}

HRESULT STDMETHODCALLTYPE HorizontalScale::GetPendingMask(int32_t, uint32_t* mask) noexcept {
  if (!mask) return E_POINTER;
  *mask = mPending;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HorizontalScale::MaskApplied(uint32_t mask) noexcept {
  mPending &= ~mask;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HorizontalScale::GetDataObject(IUnknown** object) noexcept {
  if (!object) return E_POINTER;
  *object = static_cast<IHostDataFile*>(mDocument.Get());
  (*object)->AddRef();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HorizontalScale::TickToPosition(int32_t, int32_t record, double tick,
                                                          double* position) noexcept {
  if (!position) return E_POINTER;
  const auto& records = mDocument->Data().records;
  if (record < 0 || record >= static_cast<int32_t>(records.size()) || !std::isfinite(tick)) return E_INVALIDARG;
  *position = static_cast<double>(DataStart(record)) +
              tick * static_cast<double>(mDenominator) / static_cast<double>(mNumerator);
  return S_OK;
}

// A value counts the positions of the records' samples alone: the margins around each record
// keep their width at any scaling, so they take no part in what a change of scaling keeps in
// proportion. A position in a margin has the value of the samples next to it.
HRESULT STDMETHODCALLTYPE HorizontalScale::PositionToValue(int64_t position, int64_t* value) noexcept {
  if (!value) return E_POINTER;
  const size_t records = mDocument->Data().records.size();
  int64_t start = 0;
  int64_t before = 0;  // sample positions of the records left of position
  for (size_t r = 0; r < records; ++r) {
    const int64_t width = SegmentWidth(r);
    if (width <= 0) continue;
    const int64_t samples = width - mLead - mTrail;
    if (position < SaturatingAdd(start, width)) {
      *value = SaturatingAdd(before, std::clamp<int64_t>(position - start - mLead, 0, samples));
      return S_OK;
    }
    before = SaturatingAdd(before, samples);
    start = SaturatingAdd(start, width);
  }
  *value = SaturatingAdd(before, position - start);  // past the data, in proportion as well
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HorizontalScale::ValueToPosition(int64_t value, int64_t* position) noexcept {
  if (!position) return E_POINTER;
  const size_t records = mDocument->Data().records.size();
  int64_t start = 0;
  for (size_t r = 0; r < records; ++r) {
    const int64_t width = SegmentWidth(r);
    if (width <= 0) continue;
    const int64_t samples = width - mLead - mTrail;
    if (value < samples) {
      *position = SaturatingAdd(SaturatingAdd(start, mLead), value);
      return S_OK;
    }
    value -= samples;
    start = SaturatingAdd(start, width);
  }
  *position = SaturatingAdd(start, value);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HorizontalScale::NextSegment(int32_t segment, int32_t* next, int64_t* start,
                                                       int64_t* end) noexcept {
  if (!next || !start || !end) return E_POINTER;
  const auto& records = mDocument->Data().records;
  for (int32_t r = std::max(segment + 1, 0); r < static_cast<int32_t>(records.size()); ++r) {
    const int64_t positions = SegmentWidth(static_cast<size_t>(r));
    if (positions <= 0) continue;
    *next = r;
    *start = RecordStart(r);
    *end = SaturatingAdd(*start, positions);
    return S_OK;
  }
  return S_FALSE;
}

}  // namespace host
