// The cardiac peak detector: its scan rules, and its peaks of the cardiac signal against scipy's.
#include "enumerators/cappeakdet/CAPPeakDet.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "enumerators/cappeakdet/PeakScan.h"
#include "tests/enumerators/DetectorHarness.h"
#include "tests/support/CardiacSignal.h"

using namespace ZR::Enum::CAPPeakDet;

namespace {

std::vector<int32_t> DetectTicks(const std::vector<float>& samples, const wchar_t* settings) {
  ComPtr<ICalcEnum> calc = harness::MakeDetector(settings);
  harness::SetChannel(calc.Get(), harness::MakeChannel(samples));
  return harness::Ticks(harness::Drain(harness::Events(calc.Get()).Get()));
}

}  // namespace

TEST(CAPPeakDet, MatchesScipyPeaksOfTheCardiacSignal) {
  std::ifstream in(testsupport::TestDataPath("cardiac_peaks.csv"));
  ASSERT_TRUE(in.good()) << testsupport::TestDataPath("cardiac_peaks.csv");
  std::vector<int32_t> refTicks;
  std::vector<float> refValues;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    int32_t tick = 0;
    char comma = 0;
    float value = 0.0f;
    fields >> tick >> comma >> value;
    refTicks.push_back(tick);
    refValues.push_back(value);
  }
  ASSERT_EQ(refTicks.size(), 478u);

  ComPtr<ICalcEnum> calc = harness::MakeDetector(L"0 0.1 -1");
  harness::SetChannel(calc.Get(), harness::MakeChannel(testsupport::CardiacSignal(300000)));
  const std::vector<EventPkStm> events = harness::Drain(harness::Events(calc.Get()).Get());
  ASSERT_EQ(harness::Ticks(events), refTicks);
  for (size_t i = 0; i < events.size(); ++i) {
    EXPECT_EQ(events[i].value, static_cast<double>(refValues[i])) << "peak " << i;  // 9 digits round-trip a float
    EXPECT_EQ(events[i].kind, kEventPeak);
    EXPECT_EQ(events[i].fraction, 0.0f);
  }
}

TEST(CAPPeakDet, HeightTestsAreStrict) {
  // Rise and fall of exactly 0.5: no event; a little more: one.
  EXPECT_TRUE(DetectTicks({0.0f, 0.5f, 0.0f, 0.0f}, L"0 0.5 -1").empty());
  EXPECT_EQ(DetectTicks({0.0f, 0.75f, 0.0f, 0.0f}, L"0 0.5 -1"), (std::vector<int32_t>{1}));
  // A flat channel gives nothing; a height of 0 or below behaves as the smallest height.
  EXPECT_TRUE(DetectTicks(std::vector<float>(5000, 2.0f), L"0 0 -1").empty());
  EXPECT_EQ(DetectTicks({0.0f, 1e-3f, 0.0f}, L"0 -3 -1"), (std::vector<int32_t>{1}));
  // Two equal highest samples: the first is the peak.
  EXPECT_EQ(DetectTicks({0.0f, 1.0f, 1.0f, 0.0f}, L"0 0.5 -1"), (std::vector<int32_t>{1}));
}

TEST(CAPPeakDet, MinimumWidthComparesTwiceTheFallDuration) {
  // Peak at 10, fall complete at 13 (2 x 3 = 6 ticks); at 1 kHz "Min Width" 6 ms passes, 6.6 ms (7 ticks) not.
  std::vector<float> samples(30, 0.0f);
  samples[10] = 1.0f;
  samples[11] = 0.8f;
  samples[12] = 0.6f;
  EXPECT_EQ(DetectTicks(samples, L"0 0.5 6"), (std::vector<int32_t>{10}));
  EXPECT_TRUE(DetectTicks(samples, L"0 0.5 6.6").empty());
  EXPECT_EQ(DetectTicks(samples, L"0 0.5 0"), (std::vector<int32_t>{10}));
  // A width beyond the tick range saturates instead of overflowing: nothing is wide enough.
  EXPECT_TRUE(DetectTicks(samples, L"0 0.5 1.79e308").empty());
}

// The scan resumes across blocks split anywhere, and restarts after a peak at the sample that completed it.
TEST(PeakScan, BlocksSplitAnywhereGiveTheSameResult) {
  const std::vector<float> samples = {0, 1, 3, 2, 5, 9, 4, 1, 2, 8, 3, 0, 0};
  const PeakScanParams params{2.5, 0};
  for (int32_t split = 1; split < static_cast<int32_t>(samples.size()); ++split) {
    PeakScanState state;
    int32_t position = 0;
    std::vector<int32_t> peaks;
    int32_t at = 0;
    while (at < static_cast<int32_t>(samples.size())) {
      const int32_t end = at < split ? split : static_cast<int32_t>(samples.size());
      at += ScanPeaks(state, position, params, samples.data() + at, end - at, at);
      if (state.phase == kPeakConfirmed) {
        peaks.push_back(state.peakTick);
        state.phase = kRestart;
      }
    }
    // 9 at 5 completes at 6 (4); the next search starts at 7 (1) and finds 8 at 9, completed at 10.
    EXPECT_EQ(peaks, (std::vector<int32_t>{5, 9})) << "split at " << split;
  }
}

TEST(PeakScan, CandidateHoldsThePositionBeforeThePeak) {
  const float samples[] = {0.0f, 2.0f, 3.0f, 2.9f};
  PeakScanState state;
  int32_t position = 0;
  EXPECT_EQ(ScanPeaks(state, position, PeakScanParams{1.0, 0}, samples, 4, 100), 4);
  EXPECT_EQ(state.phase, kPeakCandidate);
  EXPECT_EQ(state.peakTick, 102);
  EXPECT_EQ(position, 101);
}

namespace {

// The zig-zag scan one sample at a time, as the rules say it: the reference for the packed scan. Seeking a
// rise, a sample raises the position to its tick + 1, the one that completes the rise to its tick - 1; a new
// peak while following the fall raises it to its tick - 1.
int32_t PlainScan(PeakScanState& s, int32_t& position, const PeakScanParams& p, const float* v, int32_t count,
                  int32_t firstTick) {
  int32_t i = 0;
  for (; i < count && s.phase != kPeakConfirmed; ++i) {
    const float x = v[i];
    const int32_t t = firstTick + i;
    if (s.phase == kRestart) {
      s.troughValue = s.peakValue = s.fallValue = x;
      s.troughTick = s.peakTick = s.fallTick = t;
      s.phase = kSeekingRise;
      continue;
    }
    if (s.phase == kSeekingRise) {
      if (x < s.troughValue) {
        s.troughValue = s.peakValue = x;
        s.troughTick = s.peakTick = t;
      } else if (x > s.peakValue) {
        s.peakValue = x;
        s.peakTick = t;
        if (static_cast<double>(x) - static_cast<double>(s.troughValue) > p.minHeight) {
          s.fallValue = x;
          s.fallTick = t;
          s.phase = kPeakCandidate;
        }
      }
      position = std::max(position, s.phase == kPeakCandidate ? t - 1 : t + 1);
    } else if (x < s.fallValue) {
      s.fallValue = x;
      s.fallTick = t;
      if (static_cast<double>(s.peakValue) - static_cast<double>(x) > p.minHeight)
        s.phase = 2 * (static_cast<int64_t>(t) - s.peakTick) >= p.minWidthTicks ? kPeakConfirmed : kRestart;
    } else if (x > s.peakValue) {
      s.peakValue = s.fallValue = x;
      s.peakTick = s.fallTick = t;
      position = std::max(position, t - 1);
    }
  }
  return i;
}

bool SameBits(float a, float b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// The peak is the rules' once a rise completed; seeking one, it is a sample since the trough no higher than
// theirs. The fall is theirs once the fall completed; following it, a sample since the peak no lower.
bool PeakAgrees(const PeakScanState& packed, const PeakScanState& plain) {
  if (packed.phase != kSeekingRise)
    return packed.peakTick == plain.peakTick && SameBits(packed.peakValue, plain.peakValue);
  return !(packed.peakValue > plain.peakValue) && packed.peakTick >= plain.troughTick;
}
bool FallAgrees(const PeakScanState& packed, const PeakScanState& plain) {
  if (packed.phase == kPeakConfirmed)
    return packed.fallTick == plain.fallTick && SameBits(packed.fallValue, plain.fallValue);
  if (packed.phase != kPeakCandidate) return true;
  return !(packed.fallValue < plain.fallValue) && packed.fallTick >= plain.peakTick;
}

}  // namespace

// Over smooth, noisy, flat and stepped signals, with zeros of both signs, NaN and infinities, blocks of every
// size and heights from tiny to huge, the packed scan leaves after every block the state the sample-by-sample
// rules leave: the same phase, samples consumed, position and trough (to the bit), the same peak and fall once
// they are complete, and bounds of them before.
TEST(PeakScan, PackedScanLeavesTheStateOfTheSampleBySampleRules) {
  std::mt19937 random(62);
  std::normal_distribution<double> noise(0.0, 0.01);
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  std::vector<std::vector<float>> signals(6, std::vector<float>(3000));
  for (size_t i = 0; i < 3000; ++i) {
    const double sine = std::sin(2.0 * 3.14159265358979 * static_cast<double>(i) / 630.0);
    signals[0][i] = static_cast<float>(sine);
    signals[1][i] = static_cast<float>(sine + noise(random));
    signals[2][i] = (i / 315) % 2 ? -1.0f : 1.0f;
    signals[3][i] = static_cast<float>(std::floor(sine * 4.0) / 4.0);  // plateaus
    signals[4][i] = (i / 40) % 2 ? 0.0f : -0.0f;
    signals[5][i] = static_cast<float>(std::round(noise(random) * 200.0));
  }
  signals[1][700] = nan;
  signals[1][1500] = inf;
  signals[1][1501] = -inf;
  signals[3][1000] = nan;
  for (size_t shape = 0; shape < signals.size(); ++shape) {
    const std::vector<float>& v = signals[shape];
    for (const double height : {1e-30, 0.1, 0.5, 1.0, 2.5, 3e38}) {
      for (const int32_t width : {0, 60}) {
        const PeakScanParams params{height, width};
        PeakScanState packed;
        PeakScanState plain;
        int32_t packedPosition = 0;
        int32_t plainPosition = 0;
        std::uniform_int_distribution<int32_t> blockSize(1, 1100);
        for (int32_t at = 0, calls = 0; at < 3000; ++calls) {
          const int32_t n = std::min(blockSize(random), 3000 - at);
          const int32_t used = ScanPeaks(packed, packedPosition, params, v.data() + at, n, at);
          ASSERT_EQ(PlainScan(plain, plainPosition, params, v.data() + at, n, at), used)
              << "shape " << shape << " height " << height << " call " << calls;
          ASSERT_TRUE(packed.phase == plain.phase && packed.troughTick == plain.troughTick &&
                      SameBits(packed.troughValue, plain.troughValue) && PeakAgrees(packed, plain) &&
                      FallAgrees(packed, plain))
              << "shape " << shape << " height " << height << " at " << at + used;
          EXPECT_EQ(packedPosition, plainPosition) << "shape " << shape << " height " << height << " at " << at;
          at += used;
          if (packed.phase == kPeakConfirmed) packed.phase = plain.phase = kRestart;
        }
      }
    }
  }
}
