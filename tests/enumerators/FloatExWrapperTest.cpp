// The channel reader: blocks of 1024, seeks inside a block, the data end, and reading while the host samples.
#include "enumerators/framework/FloatExWrapper.h"

#include <gtest/gtest.h>

#include "tests/enumerators/DetectorHarness.h"

namespace {

// Counts the calls the reader makes, passing them on to a stand-in channel cursor.
class CountingSource final : public ISampleSource {
 public:
  explicit CountingSource(ISampleSource* inner) : mInner(inner) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_ISampleSource)) return E_NOINTERFACE;
    *out = static_cast<ISampleSource*>(this);
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE Seek(int32_t tick) override {
    ++seeks;
    return mInner->Seek(tick);
  }
  HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetPosition(int32_t* tick) override { return mInner->GetPosition(tick); }
  HRESULT STDMETHODCALLTYPE Reserved6() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTimeBase(TimeBase* timeBase) override { return mInner->GetTimeBase(timeBase); }
  HRESULT STDMETHODCALLTYPE Read(int32_t count, float* buffer, int32_t* read) override {
    const HRESULT hr = mInner->Read(count, buffer, read);
    reads.push_back(*read);
    return hr;
  }
  int seeks = 0;
  std::vector<int32_t> reads;

 private:
  ISampleSource* mInner;
};

std::vector<float> Ramp(int32_t n) {
  std::vector<float> samples(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) samples[static_cast<size_t>(i)] = static_cast<float>(i);
  return samples;
}

}  // namespace

TEST(FloatExWrapper, ReadsBlocksOf1024ThenReportsTheEnd) {
  ComPtr<ISampleSource> cursor;
  ASSERT_EQ(host::CreateChannelSampleSource(harness::MakeChannel(Ramp(3000)), 0, 0x7FFFFFFF, cursor.Out()), S_OK);
  CountingSource source(cursor.Get());
  EEH3::FloatExWrapper reader(&source);
  int32_t samples = 0;
  while (reader.Ready()) {
    EXPECT_EQ(reader.Value(), static_cast<float>(reader.Position()));
    ++samples;
    reader.Advance();
  }
  EXPECT_EQ(samples, 3000);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(source.reads, (std::vector<int32_t>{1024, 1024, 952, 0}));

}

TEST(FloatExWrapper, SeekInsideTheBlockLeavesTheSourceAlone) {
  ComPtr<ISampleSource> cursor;
  ASSERT_EQ(host::CreateChannelSampleSource(harness::MakeChannel(Ramp(3000)), 0, 0x7FFFFFFF, cursor.Out()), S_OK);
  CountingSource source(cursor.Get());
  EEH3::FloatExWrapper reader(&source);
  ASSERT_TRUE(reader.Ready());
  reader.SeekTo(1000);
  EXPECT_EQ(reader.Position(), 1000);
  reader.SeekTo(3);
  EXPECT_EQ(reader.Value(), 3.0f);
  EXPECT_EQ(source.seeks, 0);
  EXPECT_EQ(source.reads.size(), 1u);
  reader.SeekTo(2000);
  EXPECT_EQ(source.seeks, 1);
  ASSERT_TRUE(reader.Ready());
  EXPECT_EQ(reader.Value(), 2000.0f);
  reader.SeekTo(3000);
  EXPECT_FALSE(reader.Ready());
  EXPECT_TRUE(reader.AtEnd());
}

// A data end one past a block boundary: the sample just before it is read too.
TEST(FloatExWrapper, ReadsTheLastSampleBeforeTheDataEnd) {
  ComPtr<ISampleSource> cursor;
  ASSERT_EQ(host::CreateChannelSampleSource(harness::MakeChannel(Ramp(3000)), 0, 0x7FFFFFFF, cursor.Out()), S_OK);
  EEH3::FloatExWrapper reader(cursor.Get());
  reader.dataEnd = 1025;
  int32_t last = -1;
  while (reader.Ready()) {
    last = reader.Position();
    reader.Advance();
  }
  EXPECT_EQ(last, 1024);
  EXPECT_TRUE(reader.AtEnd());
}

// A peak confirmed by the sample just before the window's end tick, found alike offline (whole blocks, the
// last one ending right before that sample) and online (uneven blocks).
TEST(FloatExWrapper, OnlineAndOfflineAgreeAtTheDataEndBoundary) {
  std::vector<float> samples(1100, 0.0f);
  for (int32_t t = 1000; t <= 1010; ++t) samples[static_cast<size_t>(t)] = 0.5f * static_cast<float>(t - 1000);
  for (int32_t t = 1011; t < 1100; ++t) samples[static_cast<size_t>(t)] = 5.0f - 0.1f * static_cast<float>(t - 1010);
  // The fall exceeds 1.35 first at tick 1024 (5 - 1.4 = 3.6); the window ends at 1025.
  const wchar_t* settings = L"0 1.35 -1 0 0 0 1025";
  ComPtr<ICalcEnum> offline = harness::MakeDetector(settings);
  harness::SetChannel(offline.Get(), harness::MakeChannel(samples));
  EXPECT_EQ(harness::Ticks(harness::Drain(harness::Events(offline.Get()).Get())), (std::vector<int32_t>{1010}));

  auto channel = std::make_shared<host::ChannelRecord>(1, 1000, false);
  ComPtr<ICalcEnum> online = harness::MakeDetector(settings);
  harness::SetChannel(online.Get(), channel, 0, true);
  ComPtr<IEnumEventEx> events = harness::Events(online.Get());
  channel->Append(samples.data(), 1000);
  std::vector<int32_t> ticks = harness::Ticks(harness::Drain(events.Get()));
  channel->Append(samples.data() + 1000, 100);
  channel->Complete();
  const std::vector<int32_t> more = harness::Ticks(harness::Drain(events.Get()));
  ticks.insert(ticks.end(), more.begin(), more.end());
  EXPECT_EQ(ticks, (std::vector<int32_t>{1010}));
}

TEST(FloatExWrapper, WithoutSampleSourceIsAtItsDataEnd) {
  EEH3::FloatExWrapper reader(nullptr);
  EXPECT_FALSE(reader.HasSource());
  reader.dataEnd = 5000;
  reader.SeekTo(40);
  EXPECT_EQ(reader.Position(), 40);
  EXPECT_FALSE(reader.Ready());
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.Position(), 5000);
  TimeBase timeBase;
  reader.GetTimeBase(&timeBase);
  EXPECT_EQ(timeBase.denominator, 1);
}
