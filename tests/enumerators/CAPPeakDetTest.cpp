// The cardiac peak detector: its scan rules, and its peaks of the cardiac signal against scipy's.
#include "enumerators/cappeakdet/CAPPeakDet.h"

#include <fstream>
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
