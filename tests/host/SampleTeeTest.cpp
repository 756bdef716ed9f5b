// The formula engine's shared channel reads: every cursor sees the source's samples at its own position, the
// source is read once while the cursors move on together, and a cursor sought back behind what the tee still
// holds reads the source again.
#include "host/formula/SampleTee.h"

#include "host/common/HostObject.h"
#include "host/data/ChannelSampleSource.h"

#include <gtest/gtest.h>

#include <vector>

namespace host {
namespace {

// A sample source over a ramp (sample t holds t) that counts the samples read from it.
class CountingSource final : public HostObject<ISampleSource> {
 public:
  explicit CountingSource(int32_t length) {
    auto record = std::make_shared<ChannelRecord>(1, 1000, true);
    std::vector<float> ramp(static_cast<size_t>(length));
    for (int32_t t = 0; t < length; ++t) ramp[static_cast<size_t>(t)] = static_cast<float>(t);
    record->Append(ramp.data(), length);
    CreateChannelSampleSource(record, 0, 0x7FFFFFFF, mInner.Out());
  }
  HRESULT STDMETHODCALLTYPE Seek(int32_t tick) noexcept override { return mInner->Seek(tick); }
  HRESULT STDMETHODCALLTYPE Reserved4() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetPosition(int32_t* tick) noexcept override { return mInner->GetPosition(tick); }
  HRESULT STDMETHODCALLTYPE Reserved6() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTimeBase(TimeBase* timeBase) noexcept override { return mInner->GetTimeBase(timeBase); }
  HRESULT STDMETHODCALLTYPE Read(int32_t count, float* buffer, int32_t* read) noexcept override {
    const HRESULT hr = mInner->Read(count, buffer, read);
    samplesRead += *read;
    return hr;
  }
  long long samplesRead = 0;

 private:
  void* FindInterface(REFIID iid) override {
    return iid == IID_IUnknown || iid == IID_ISampleSource ? static_cast<ISampleSource*>(this) : nullptr;
  }
  HostPtr<ISampleSource> mInner;
};

// Reads n samples at the cursor's position and checks they are the ramp's.
void ReadRamp(ISampleSource* cursor, int32_t n) {
  int32_t at = 0;
  cursor->GetPosition(&at);
  std::vector<float> block(static_cast<size_t>(n));
  int32_t read = 0;
  ASSERT_EQ(cursor->Read(n, block.data(), &read), S_OK);
  ASSERT_EQ(read, n);
  for (int32_t i = 0; i < n; ++i) ASSERT_EQ(block[static_cast<size_t>(i)], static_cast<float>(at + i)) << at + i;
}

TEST(SampleTee, CursorsShareOneReadAndReReadWhatWasLetGo) {
  constexpr int32_t kLength = 200000;
  HostPtr<CountingSource> source(new CountingSource(kLength), false);
  SampleTee tee(source.Get());
  HostPtr<ISampleSource> leader = tee.NewCursor();
  HostPtr<ISampleSource> follower = tee.NewCursor();
  for (int32_t at = 0; at + 1000 <= kLength; at += 1000) {
    ReadRamp(leader.Get(), 1000);
    if (at >= 3000) ReadRamp(follower.Get(), 1000);  // a few blocks behind
  }
  EXPECT_EQ(source->samplesRead, kLength);  // read once for both cursors

  // The start lies far behind both cursors: it was let go, and is read from the source again.
  follower->Seek(10);
  ReadRamp(follower.Get(), 500);
  EXPECT_GT(source->samplesRead, kLength);
  leader->Seek(kLength - 1000);  // the leader still reads its own place
  ReadRamp(leader.Get(), 1000);
}

}  // namespace
}  // namespace host
