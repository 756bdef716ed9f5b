// Stimulus pulse detection: height, width, skip, gap and one-per-record rules, resumable scans.
#include "enumerators/erstimdet/StimPulseKernel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

using namespace ZR::Enum::ERStimDet;

namespace {

constexpr int32_t kRecordEnd = 0x7FFFFFFF;

// Adds a pulse of amplitude a (negative: downward) on [start, start + width).
void AddPulse(std::vector<float>& s, int32_t start, int32_t width, float a) {
  for (int32_t t = start; t < start + width; ++t) s[static_cast<size_t>(t)] += a;
}

// Scans the whole signal in blocks of at most blockSize, resuming after every stimulus.
std::vector<int32_t> Scan(const std::vector<float>& s, const StimRules& rules, uint32_t blockSize) {
  StimScanState state;
  std::vector<int32_t> ticks;
  uint32_t next = 0;
  while (next < s.size()) {
    const uint32_t n = std::min<uint32_t>(blockSize, static_cast<uint32_t>(s.size()) - next);
    const StimScanResult r = ScanStimBlock(state, rules, s.data() + next, n,
                                           static_cast<int32_t>(next), kRecordEnd, kRecordEnd);
    next += r.consumed;
    if (r.found) ticks.push_back(r.stimTick);
    if (r.consumed == 0) break;
  }
  return ticks;
}

}  // namespace

TEST(StimPulseKernel, PulseOfExactlyHeightIsFoundAtItsTop) {
  std::vector<float> s(100, 0.0f);
  AddPulse(s, 10, 3, 1.0f);
  AddPulse(s, 50, 3, -1.0f);
  StimRules rules;
  EXPECT_EQ((std::vector<int32_t>{10, 50}), Scan(s, rules, 1024));
  rules.height = 1.0000001;
  EXPECT_TRUE(Scan(s, rules, 1024).empty());
}

TEST(StimPulseKernel, WidthSkipAndGapRules) {
  std::vector<float> single(100, 0.0f);
  AddPulse(single, 5, 2, 4.0f);  // step at 5, back at 7: 2 ticks
  StimRules rules;
  rules.widthTicks = 2;
  EXPECT_EQ((std::vector<int32_t>{5}), Scan(single, rules, 1024));
  rules.widthTicks = 1;
  EXPECT_TRUE(Scan(single, rules, 1024).empty());
  rules.widthTicks = 2;
  rules.skipTicks = 5;  // a top at or before the skip time is ignored
  EXPECT_TRUE(Scan(single, rules, 1024).empty());
  rules.skipTicks = 4;
  EXPECT_EQ((std::vector<int32_t>{5}), Scan(single, rules, 1024));

  // Two narrow pulses 20 ticks apart; the wide dip between them fails the width test.
  std::vector<float> pair(100, 0.0f);
  AddPulse(pair, 10, 2, 4.0f);
  AddPulse(pair, 30, 2, 4.0f);
  StimRules gap;
  gap.widthTicks = 4;
  gap.minGapTicks = 20;
  EXPECT_EQ((std::vector<int32_t>{10, 30}), Scan(pair, gap, 1024));
  gap.minGapTicks = 21;
  EXPECT_EQ((std::vector<int32_t>{10}), Scan(pair, gap, 1024));
}

TEST(StimPulseKernel, OneStimulusPerRecordEndsTheRecord) {
  std::vector<float> s(100, 0.0f);
  AddPulse(s, 10, 2, 2.0f);
  AddPulse(s, 60, 2, 2.0f);
  StimRules rules;
  rules.oneStimPerBlock = true;
  StimScanState state;
  const StimScanResult r = ScanStimBlock(state, rules, s.data(), 100, 0, kRecordEnd, 5000);
  ASSERT_TRUE(r.found);
  EXPECT_EQ(10, r.stimTick);
  EXPECT_EQ(5000, state.position);
  // Nothing more is read once the position stands at the record's end.
  const StimScanResult after = ScanStimBlock(state, rules, s.data() + r.consumed,
                                             100 - r.consumed, static_cast<int32_t>(r.consumed),
                                             5000, 5000);
  EXPECT_FALSE(after.found);
  EXPECT_EQ(0u, after.consumed);
}

TEST(StimPulseKernel, StimulusRestartsTheOtherDirection) {
  // A step down at 10 comes back up with an upward pulse at 20. The down step completes on
  // tick 20 (a stimulus at 10) and restarts the rising tracker, so the upward pulse at 20 is
  // lost; the step down at 22 and back at 30 gives a stimulus at 22.
  std::vector<float> s(60, -1.0f);
  for (int32_t t = 0; t < 10; ++t) s[static_cast<size_t>(t)] = 0.0f;
  AddPulse(s, 20, 2, 3.0f);
  for (int32_t t = 30; t < 60; ++t) s[static_cast<size_t>(t)] = 0.0f;
  EXPECT_EQ((std::vector<int32_t>{10, 22}), Scan(s, StimRules{}, 1024));
}

TEST(StimPulseKernel, BlocksOfAnySizeGiveTheSameStimuli) {
  std::vector<float> s(5000, 0.0f);
  for (int32_t k = 0; k < 20; ++k) AddPulse(s, 100 + 240 * k, 1 + k % 4, k % 3 ? 8.0f : -8.0f);
  StimRules rules;
  rules.height = 7.5;
  rules.widthTicks = 3;
  rules.minGapTicks = 100;
  const std::vector<int32_t> whole = Scan(s, rules, 5000);
  EXPECT_EQ(20u - 5u, whole.size());  // pulses of width 4 (k % 4 == 3) are too wide
  for (uint32_t block : {1u, 7u, 1024u}) EXPECT_EQ(whole, Scan(s, rules, block)) << "block " << block;
}

// Flat, undershooting (deeper than the height), tailed and biphasic artefacts of either sign, 2-40
// ticks against a limit of their width (a tail's three time constants more), the first sample part
// way up, responses of 0.25-2.5 times the size still falling at the next one: one stimulus each, on
// the artefact without noise; in noise of a tenth of the height a noise extreme within the limit
// before it, the height from the farthest sample since the last stimulus, may take it.
TEST(StimPulseKernel, EveryArtefactShapeIsFoundOnItself) {
  constexpr int32_t kSpacing = 2000;
  for (uint32_t seed = 1; seed <= 200; ++seed) {
    std::mt19937 rng(seed);
    auto uniform = [&rng](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    const int32_t shape = static_cast<int32_t>(seed % 4);  // flat, undershoot, tail, biphasic
    const double size = uniform(10.0, 40.0) * (seed % 8 < 4 ? 1.0 : -1.0);
    const auto width = static_cast<int32_t>(uniform(2.0, 41.0));
    const double first = uniform(0.3, 1.0), depth = uniform(0.1, 0.8), recovery = uniform(5.0, 50.0);
    const double response = std::fabs(size) * uniform(0.25, 2.5);
    const double latency = uniform(10.0, 400.0), decay = uniform(100.0, 1500.0);
    StimRules rules;
    rules.height = std::fabs(size) / 2.0;
    rules.widthTicks = shape == 3 ? width / 2 : shape == 2 ? width + 3 * 15 : width;
    rules.minGapTicks = kSpacing * 9 / 10;
    const bool noisy = seed % 5 != 0;
    std::normal_distribution<double> noise(0.0, rules.height / 10.0);
    std::vector<float> s(500 + 16 * kSpacing);
    for (size_t i = 0; i < s.size(); ++i) {
      const int32_t k = std::max(0, (static_cast<int32_t>(i) - 500) / kSpacing);
      const double d = static_cast<double>(static_cast<int32_t>(i) - 500 - k * kSpacing);
      double v = noisy ? noise(rng) : 0.0;
      for (int32_t back = 0; back < 2 && d >= 0.0; ++back) {  // this response and the one before
        const double r = d + back * kSpacing - width - latency;
        if (r > 0.0 && k - back >= 0) v += response * (std::exp(-r / decay) - std::exp(-r / 20.0));
      }
      const double part = d == 0.0 ? first : 1.0;
      if (d >= 0.0 && d < width) v += part * (shape == 3 && d < width / 2 ? -size : size);
      else if (d >= width && shape == 1) v -= depth * size * std::exp(-(d - width) / recovery);
      else if (d >= width && shape == 2) v += 0.4 * size * std::exp(-(d - width) / 15.0);
      s[i] = static_cast<float>(v);
    }
    const std::vector<int32_t> found = Scan(s, rules, 1 + seed % 700);
    ASSERT_EQ(16u, found.size()) << "seed " << seed << ", shape " << shape << ", width " << width;
    for (int32_t k = 0; k < 16; ++k) {
      const int32_t start = 500 + k * kSpacing;
      EXPECT_TRUE(found[k] >= start - (noisy ? rules.widthTicks : 0) && found[k] < start + width)
          << "seed " << seed << ", shape " << shape << ", stimulus " << k << " at " << found[k];
    }
  }
}

// Flat artefacts of either sign every kTrainSpacing ticks from tick 500, 10 to 40 tall and `width` wide, in white
// noise: the height half their size, `sds` noise SDs; the limit 10 ticks past the width.
constexpr int32_t kTrainSpacing = 2000;
struct ArtefactTrain {
  double size;
  int32_t width;
  StimRules rules;
  std::normal_distribution<double> noise;
};
ArtefactTrain DrawTrain(std::mt19937& rng, uint32_t seed, double fewestTicks, double sdsFrom, double sdsTo) {
  auto uniform = [&rng](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
  const double size = uniform(10.0, 40.0) * (seed % 2 ? 1.0 : -1.0);
  const auto width = static_cast<int32_t>(uniform(fewestTicks, 21.0));
  StimRules rules;
  rules.height = std::fabs(size) / 2.0;
  rules.widthTicks = width + 10;
  return {size, width, rules, std::normal_distribution<double>(0.0, rules.height / uniform(sdsFrom, sdsTo))};
}

// Flat artefacts 1-20 ticks wide, 4.5 to 8 SDs of white noise from rest: one stimulus each, on its artefact.
// Counted from a noise trough, two swings of the noise each about half the height made pulses that took the
// artefacts' places.
TEST(StimPulseKernel, NoisePulsesTakeNoArtefactsPlace) {
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    std::mt19937 rng(seed);
    ArtefactTrain train = DrawTrain(rng, seed, 1.0, 4.5, 8.0);
    train.rules.minGapTicks = kTrainSpacing * 9 / 10;
    std::vector<float> s(500 + 16 * kTrainSpacing);
    for (size_t i = 0; i < s.size(); ++i) {
      const int32_t d = (static_cast<int32_t>(i) - 500) % kTrainSpacing;
      s[i] = static_cast<float>(train.noise(rng) + (i >= 500 && d < train.width ? train.size : 0.0));
    }
    const std::vector<int32_t> found = Scan(s, train.rules, 1 + seed % 700);
    ASSERT_EQ(16u, found.size()) << "seed " << seed << ", width " << train.width;
    for (int32_t k = 0; k < 16; ++k)
      EXPECT_TRUE(found[k] >= 500 + k * kTrainSpacing && found[k] < 500 + k * kTrainSpacing + train.width)
          << "seed " << seed << ", stimulus " << k << " at " << found[k];
  }
}

// Flat artefacts 2-20 ticks wide with a response of 1-2.5 times their size after each, peaking within the
// minimum interval (a tenth of the spacing) and falling for hundreds of ticks past it; 5.5 to 10 SDs of white
// noise from rest. The response's fall is no pulse (a sample within the noise's reach of the top is no return,
// however near the level before the step), and a fall passed over as too wide still lets the next artefact step
// from its return: one stimulus each, on its artefact (or a noise extreme within the limit before it).
TEST(StimPulseKernel, AResponsesFallAddsNoStimulus) {
  for (uint32_t seed = 1; seed <= 200; ++seed) {
    std::mt19937 rng(seed);
    ArtefactTrain train = DrawTrain(rng, seed, 2.0, 5.5, 10.0);
    train.rules.minGapTicks = kTrainSpacing / 10;
    auto uniform = [&rng](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    const double response = std::fabs(train.size) * uniform(1.0, 2.5);
    const double latency = uniform(10.0, 60.0), rise = uniform(10.0, 30.0), decay = uniform(150.0, 600.0);
    std::vector<float> s(500 + 16 * kTrainSpacing);
    for (size_t i = 0; i < s.size(); ++i) {
      const int32_t d = (static_cast<int32_t>(i) - 500) % kTrainSpacing;
      const double r = d - train.width - latency;
      double v = train.noise(rng) + (i >= 500 && d < train.width ? train.size : 0.0);
      if (i >= 500 && r > 0.0) v += response * (std::exp(-r / decay) - std::exp(-r / rise));
      s[i] = static_cast<float>(v);
    }
    const std::vector<int32_t> found = Scan(s, train.rules, 1 + seed % 700);
    ASSERT_EQ(16u, found.size()) << "seed " << seed << ", width " << train.width;
    for (int32_t k = 0; k < 16; ++k)
      EXPECT_TRUE(found[k] >= 500 + k * kTrainSpacing - train.rules.widthTicks &&
                  found[k] < 500 + k * kTrainSpacing + train.width)
          << "seed " << seed << ", stimulus " << k << " at " << found[k];
  }
}
