// Several independent cursors over one sample source.
#include "host/formula/SampleTee.h"

#include "host/common/HostObject.h"

#include <algorithm>
#include <vector>

namespace host {

// The samples read from the source that a cursor may still want: ticks [mBase, mBase + mSamples.size()).
class SampleTeeBuffer {
 public:
  explicit SampleTeeBuffer(ISampleSource* source) : mSource(source) {}

  // Each cursor's position is watched, so that samples every cursor has passed can be let go.
  void Watch(const int32_t* position) { mCursors.push_back(position); }
  void Unwatch(const int32_t* position) {
    mCursors.erase(std::remove(mCursors.begin(), mCursors.end(), position), mCursors.end());
  }

  // Makes the buffer hold tick `tick` when the source has it; the result is the source's
  // answer when it has not (S_OK: not yet, S_FALSE: the end).
  HRESULT Fill(int32_t tick, int32_t want) {
    if (tick < mBase || mSamples.empty()) {
      // Before what is held (or nothing held yet): start again from this tick.
      const HRESULT hr = mSource->Seek(tick);
      if (FAILED(hr)) return hr;
      int32_t at = tick;
      mSource->GetPosition(&at);
      mBase = at;
      mSamples.clear();
      if (at != tick) return at < tick ? S_FALSE : S_OK;
    }
    Trim(tick);
    while (End() < tick + want) {
      float block[1024];
      int32_t read = 0;
      const int32_t ask = std::min<int32_t>(1024, tick + want - End());
      const HRESULT hr = mSource->Read(ask, block, &read);
      if (FAILED(hr)) return hr;
      if (read <= 0) return End() > tick ? S_OK : hr;
      mSamples.insert(mSamples.end(), block, block + read);
    }
    return S_OK;
  }
  int32_t Base() const { return mBase; }
  int32_t End() const { return mBase + static_cast<int32_t>(mSamples.size()); }
  const float* At(int32_t tick) const { return mSamples.data() + (tick - mBase); }
  ISampleSource* Source() const { return mSource.Get(); }

 private:
  // Drops the samples before the lowest tick any cursor (or the filling one, at tick) stands at, once they are
  // many: the buffer then holds a window, not the whole record. A cursor sought back before the window reads
  // the source again.
  void Trim(int32_t tick) {
    int32_t lowest = tick;
    for (const int32_t* position : mCursors) lowest = std::min(lowest, *position);
    if (lowest - mBase < kTrimSamples || lowest > End()) return;
    mSamples.erase(mSamples.begin(), mSamples.begin() + (lowest - mBase));
    mBase = lowest;
  }

  static constexpr int32_t kTrimSamples = 16384;
  HostPtr<ISampleSource> mSource;
  std::vector<const int32_t*> mCursors;
  int32_t mBase = 0;
  std::vector<float> mSamples;
};

namespace {

class TeeCursor final : public HostObject<ISampleSource> {
 public:
  TeeCursor(std::shared_ptr<SampleTeeBuffer> buffer, int32_t position)
      : mBuffer(std::move(buffer)), mPosition(position) {
    mBuffer->Watch(&mPosition);
  }
  ~TeeCursor() override { mBuffer->Unwatch(&mPosition); }

  HRESULT STDMETHODCALLTYPE Seek(int32_t tick) noexcept override {
    mPosition = std::max<int32_t>(0, tick);
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
    return mBuffer->Source()->GetTimeBase(timeBase);
  }
  HRESULT STDMETHODCALLTYPE Read(int32_t count, float* buffer, int32_t* read) noexcept override {
    if (!read) return E_POINTER;
    *read = 0;
    if (count < 0) return E_INVALIDARG;
    if (count == 0) return S_OK;
    if (!buffer) return E_POINTER;
    try {
      HRESULT hr = S_OK;
      if (mPosition < mBuffer->Base() || mPosition + count > mBuffer->End()) hr = mBuffer->Fill(mPosition, count);
      if (FAILED(hr)) return hr;
      const int32_t n = std::min(count, mBuffer->End() - mPosition);
      if (mPosition < mBuffer->Base() || n <= 0) return hr;
      std::copy(mBuffer->At(mPosition), mBuffer->At(mPosition) + n, buffer);
      mPosition += n;
      *read = n;
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }

 private:
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_ISampleSource) return static_cast<ISampleSource*>(this);
    return nullptr;
  }

  std::shared_ptr<SampleTeeBuffer> mBuffer;
  int32_t mPosition;
};

}  // namespace

SampleTee::SampleTee(ISampleSource* source) : mBuffer(std::make_shared<SampleTeeBuffer>(source)) {
  source->GetPosition(&mStart);
}

HostPtr<ISampleSource> SampleTee::NewCursor() {
  HostPtr<ISampleSource> cursor;
  cursor.Attach(new TeeCursor(mBuffer, mStart));
  return cursor;
}

}  // namespace host
