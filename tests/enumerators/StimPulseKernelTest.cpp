// Stimulus pulse detection: height, width, skip, gap and one-per-record rules, resumable scans.
#include "enumerators/erstimdet/StimPulseKernel.h"

#include <gtest/gtest.h>

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
  AddPulse(single, 5, 2, 4.0f);  // top 5, back at 7: 2 x 2 = 4 ticks
  StimRules rules;
  rules.widthTicks = 4;
  EXPECT_EQ((std::vector<int32_t>{5}), Scan(single, rules, 1024));
  rules.widthTicks = 3;
  EXPECT_TRUE(Scan(single, rules, 1024).empty());
  rules.widthTicks = 4;
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
  rules.widthTicks = 6;
  rules.minGapTicks = 100;
  const std::vector<int32_t> whole = Scan(s, rules, 5000);
  EXPECT_EQ(20u - 5u, whole.size());  // pulses of width 4 (k % 4 == 3) are too wide
  for (uint32_t block : {1u, 7u, 1024u}) EXPECT_EQ(whole, Scan(s, rules, block)) << "block " << block;
}
