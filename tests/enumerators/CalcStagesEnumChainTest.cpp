// The chain CalcBase2(calcamax(calcbase(cappeakdet(ch1,0.3)))) built from the enumerators over the stand-in
// host's channel source: against the independent reference, and online (samples appended in uneven blocks)
// equal to offline.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "base/String.h"
#include "enumerators/calcamax/CalcAMax.h"
#include "enumerators/calcbase/CalcBase.h"
#include "enumerators/calcbase2/CalcBase2.h"
#include "enumerators/cappeakdet/CAPPeakDet.h"
#include "host/data/ChannelSampleSource.h"
#include "host/formula/SignalFormula.h"
#include "hostclient/ComPtr.h"
#include "tests/enumerators/CalcStageCursors.h"
#include "tests/enumerators/CalcStagesReference.h"

namespace {


ComPtr<ICalcEnum> MakeStage(ICalcEnum* created, const wchar_t* settings) {
  ComPtr<ICalcEnum> stage;
  stage.Attach(created);
  uint32_t kind = 0;
  EXPECT_EQ(stage->LoadSettings(QOR::String(settings).GetInterface(), &kind), S_OK);
  return stage;
}

// One stage per enumerator, each with its own cursor over the record's samples.
class Chain {
 public:
  Chain(std::shared_ptr<const host::ChannelRecord> record, bool online) {
    mStages.push_back(MakeStage(new ZR::Enum::CAPPeakDetEnumerator(nullptr, nullptr), L"0 0.3"));
    mStages.push_back(MakeStage(new ZR::Enum::CalcBaseEnumerator(nullptr, nullptr), L"0"));
    mStages.push_back(MakeStage(new ZR::Enum::CalcAMaxEnumerator(nullptr, nullptr), L"0"));
    mStages.push_back(MakeStage(new ZR::Enum::CalcBase2Enumerator(nullptr, nullptr), L"0"));
    for (size_t i = 0; i < mStages.size(); ++i) {
      ComPtr<ISampleSource> channel;
      EXPECT_EQ(host::CreateChannelSampleSource(record, 0, kRecordEndOffset, channel.Out()), S_OK);
      IUnknown* sources[2] = {channel.Get(), i > 0 ? mStages[i - 1].Get() : nullptr};
      EXPECT_EQ(mStages[i]->SetSources(0, i > 0 ? 2 : 1, sources, nullptr, 0.001, online ? kCalcEnumOnline : 0u), S_OK);
    }
    EXPECT_EQ(mStages.back()->QueryInterface(IID_IEnumEventEx, reinterpret_cast<void**>(mOuter.Out())), S_OK);
  }

  // Pulls what the chain has now; false once it reports the end of the record.
  bool Pull(std::vector<EventBCalcBase2>& out) { return PullFrom(mOuter.Get(), out); }

  // The same from the detector alone (in a chain of its own).
  template <class Record>
  static bool PullFrom(IEnumEventEx* stage, std::vector<Record>& out) {
    for (;;) {
      Record buffer[3];
      int32_t returned = -1;
      int32_t next = -1;
      const HRESULT hr = stage->Next(static_cast<int32_t>(sizeof buffer), kRecordEndOffset, buffer, &returned, &next);
      EXPECT_TRUE(hr == S_OK || hr == S_FALSE) << std::hex << hr;
      out.insert(out.end(), buffer, buffer + returned);
      if (hr == S_FALSE) {
        EXPECT_EQ(next, kRecordEndOffset);
        return false;
      }
      if (returned == 0) return true;
    }
  }

 private:
  std::vector<ComPtr<ICalcEnum>> mStages;
  ComPtr<IEnumEventEx> mOuter;
};

std::vector<float> Signal(int32_t sign) {
  std::vector<float> v = calcstages::CardiacSamples();
  for (float& x : v) x *= static_cast<float>(sign);
  return v;
}

std::vector<EventBCalcBase2> Offline(const std::vector<float>& samples) {
  auto record = std::make_shared<host::ChannelRecord>(1, 1000, true);
  record->Append(samples.data(), static_cast<int32_t>(samples.size()));
  Chain chain(record, false);
  std::vector<EventBCalcBase2> out;
  EXPECT_FALSE(chain.Pull(out));
  return out;
}

// The reference's samples are the host's cardiac formula at 1 kHz (the two libraries' sines may differ in the
// last bit of a double, so not always in the float).
TEST(CalcStagesReference, SamplesAreTheCardiacFormula) {
  const host::SignalFormula formula(
      L"1/(0.01+(1-sin(5*t)))^2 * 0.0001 + threshold(sin(5*t - 2.5),.5)*(sin(5*t-2.5)-0.5)*(1+ 0.1*t)");
  const std::vector<float> reference = calcstages::CardiacSamples();
  const std::vector<float> sampled = formula.Sample(0.001, 0, static_cast<int32_t>(reference.size()));
  ASSERT_EQ(sampled.size(), reference.size());
  for (size_t i = 0; i < reference.size(); ++i) {
    ASSERT_NEAR(sampled[i], reference[i], 1e-6 * (1.0 + std::fabs(reference[i]))) << "tick " << i;
  }
}

class CalcStagesEnumChain : public ::testing::TestWithParam<int32_t> {};

TEST_P(CalcStagesEnumChain, MatchesReference) {
  const std::vector<float> samples = Signal(GetParam());
  ASSERT_FALSE(samples.empty());
  calcstages::ExpectMatchesReference(Offline(samples), calcstages::CardiacReference(GetParam()));
}

TEST_P(CalcStagesEnumChain, OnlineEqualsOffline) {
  const std::vector<float> samples = Signal(GetParam());
  ASSERT_FALSE(samples.empty());
  const std::vector<EventBCalcBase2> offline = Offline(samples);
  auto record = std::make_shared<host::ChannelRecord>(1, 1000, false);
  Chain chain(record, true);
  std::vector<EventBCalcBase2> online;
  const int32_t blocks[] = {1, 517, 3, 1024, 90, 2047, 250};
  const int32_t total = static_cast<int32_t>(samples.size());
  for (int32_t have = 0, k = 0; have < total; ++k) {
    const int32_t n = std::min(blocks[k % 7], total - have);
    record->Append(samples.data() + have, n);
    have += n;
    ASSERT_TRUE(chain.Pull(online)) << "after " << have << " samples";
  }
  record->Complete();
  EXPECT_FALSE(chain.Pull(online));
  ASSERT_EQ(online.size(), offline.size());
  for (size_t i = 0; i < online.size(); ++i) {
    EXPECT_EQ(std::memcmp(&online[i], &offline[i], sizeof(EventBCalcBase2)), 0) << "record " << i;
  }
}

// A record of 250 s crosses the framework's 100000-tick chunks: the chain gives what the steps give when run
// over the whole record at once, offline and online.
TEST(CalcStagesEnumChainLong, ChunkBoundariesChangeNothing) {
  const std::vector<float> samples = calcstages::Samples(250000, [](int32_t n) {
    const double t = n * 0.001;
    const double s = std::sin(5 * t - 2.5);
    return 1.0 / std::pow(0.01 + (1 - std::sin(5 * t)), 2) * 0.0001 + (s > 0.5 ? (s - 0.5) * (1 + 0.1 * t) : 0.0);
  });
  auto record = std::make_shared<host::ChannelRecord>(1, 1000, true);
  record->Append(samples.data(), static_cast<int32_t>(samples.size()));
  Chain chain(record, false);
  std::vector<EventBCalcBase2> out;
  EXPECT_FALSE(chain.Pull(out));

  ComPtr<ICalcEnum> detector = MakeStage(new ZR::Enum::CAPPeakDetEnumerator(nullptr, nullptr), L"0 0.3");
  ComPtr<ISampleSource> channel;
  ASSERT_EQ(host::CreateChannelSampleSource(record, 0, kRecordEndOffset, channel.Out()), S_OK);
  IUnknown* source = channel.Get();
  ASSERT_EQ(detector->SetSources(0, 1, &source, nullptr, 0.001, 0u), S_OK);
  ComPtr<IEnumEventEx> peaksEnum;
  ASSERT_EQ(detector->QueryInterface(IID_IEnumEventEx, reinterpret_cast<void**>(peaksEnum.Out())), S_OK);
  std::vector<EventPkStm> peaks;
  EXPECT_FALSE(Chain::PullFrom(peaksEnum.Get(), peaks));
  ASSERT_GT(peaks.size(), 300u);

  namespace Base = ZR::Enum::CalcBase;
  namespace AMax = ZR::Enum::CalcAMax;
  namespace Base2 = ZR::Enum::CalcBase2;
  using calcstages::RunOffline;
  const auto base = RunOffline<Base::StepState, Base::StepSettings, EventPkStm, EventBCalcBase>(
      Base::Step, Base::StepSettings(), samples, peaks);
  const auto amax = RunOffline<AMax::StepState, AMax::StepSettings, EventBCalcBase, EventBCalcMax>(
      AMax::Step, AMax::StepSettings(), samples, base);
  const auto base2 = RunOffline<Base2::StepState, Base2::StepSettings, EventBCalcMax, EventBCalcBase2>(
      Base2::Step, Base2::StepSettings(), samples, amax);
  ASSERT_EQ(out.size(), base2.size());
  for (size_t i = 0; i < out.size(); ++i) {
    ASSERT_EQ(std::memcmp(&out[i], &base2[i], sizeof(EventBCalcBase2)), 0) << "record " << i << " at " << out[i].tick;
  }

  auto growing = std::make_shared<host::ChannelRecord>(1, 1000, false);
  Chain online(growing, true);
  std::vector<EventBCalcBase2> onlineOut;
  const int32_t blocks[] = {997, 4093, 1, 20011, 333};
  const int32_t total = static_cast<int32_t>(samples.size());
  for (int32_t have = 0, k = 0; have < total; ++k) {
    const int32_t n = std::min(blocks[k % 5], total - have);
    growing->Append(samples.data() + have, n);
    have += n;
    ASSERT_TRUE(online.Pull(onlineOut)) << "after " << have << " samples";
  }
  growing->Complete();
  EXPECT_FALSE(online.Pull(onlineOut));
  ASSERT_EQ(onlineOut.size(), base2.size());
  for (size_t i = 0; i < onlineOut.size(); ++i) {
    ASSERT_EQ(std::memcmp(&onlineOut[i], &base2[i], sizeof(EventBCalcBase2)), 0) << "online record " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(UpAndNegated, CalcStagesEnumChain, ::testing::Values(1, -1));

}  // namespace
