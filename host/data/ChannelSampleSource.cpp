// Cursors over an in-memory channel of a record.
#include "host/data/ChannelSampleSource.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "host/common/HostObject.h"

namespace host {

ChannelRecord::ChannelRecord(int64_t numerator, int64_t denominator, bool complete) : mComplete(complete) {
  mTimeBase.numerator = numerator;
  mTimeBase.denominator = denominator;
  mTimeBase.offset = 0.0;
}

void ChannelRecord::Append(const float* samples, int32_t count) {
  if (count <= 0 || !samples) return;
  mSamples.insert(mSamples.end(), samples, samples + count);
}

void ChannelRecord::Reserve(int32_t length) {
  const size_t wanted = static_cast<size_t>(std::max(length, 0));
  // Growing geometrically keeps sampling block by block linear in the record's length.
  if (wanted > mSamples.capacity()) mSamples.reserve(std::max(wanted, 2 * mSamples.capacity()));
}

namespace {

class ChannelSampleSource final : public HostObject<ISampleSource> {
 public:
  ChannelSampleSource(std::shared_ptr<const ChannelRecord> record, int32_t startTick, int32_t endTick)
      : mRecord(std::move(record)), mEnd(std::max(endTick, 0)) {
    Seek(startTick);
  }

  HRESULT STDMETHODCALLTYPE Seek(int32_t tick) noexcept override {
    tick = std::max(tick, 0);
    // A complete record ends at its length; a growing one may be sought ahead of its data.
    const int32_t last = mRecord->IsComplete() ? std::min(mEnd, mRecord->Length()) : mEnd;
    mPosition = std::min(tick, last);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reserved4() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetPosition(int32_t* tick) noexcept override {
    if (!tick) return E_POINTER;
    *tick = mPosition;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reserved6() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTimeBase(TimeBase* timeBase) noexcept override {
    if (!timeBase) return E_POINTER;
    *timeBase = mRecord->GetTimeBase();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Read(int32_t count, float* buffer, int32_t* read) noexcept override {
    if (!read) return E_POINTER;
    *read = 0;
    if (count < 0) return E_INVALIDARG;
    if (count > 0 && !buffer) return E_POINTER;
    const int32_t available = std::min(mEnd, mRecord->Length());
    if (mPosition >= available) return mRecord->IsComplete() || mPosition >= mEnd ? S_FALSE : S_OK;
    const int32_t n = std::min(count, available - mPosition);
    std::memcpy(buffer, mRecord->Samples() + mPosition, static_cast<size_t>(n) * sizeof(float));
    mPosition += n;
    *read = n;
    return S_OK;
  }

 private:
  void* FindInterface(REFIID iid) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ISampleSource)) return static_cast<ISampleSource*>(this);
    return nullptr;
  }

  std::shared_ptr<const ChannelRecord> mRecord;
  int32_t mEnd;
  int32_t mPosition = 0;
};

}  // namespace

HRESULT CreateChannelSampleSource(std::shared_ptr<const ChannelRecord> record, int32_t startTick, int32_t endTick,
                                  ISampleSource** source) {
  if (!source) return E_POINTER;
  *source = nullptr;
  if (!record) return E_INVALIDARG;
  auto* const object = new (std::nothrow) ChannelSampleSource(std::move(record), startTick, endTick);
  if (!object) return E_OUTOFMEMORY;
  *source = object;
  return S_OK;
}

}  // namespace host
