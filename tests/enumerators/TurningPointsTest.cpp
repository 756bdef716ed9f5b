// The population-spike candidate list: which three turning points a spike keeps.
#include "enumerators/pspeakdet/TurningPoints.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ZR::Enum::PSPeakDet;

namespace {

std::vector<int32_t> KeptTicks(const TurningPointList& list) {
  std::vector<int32_t> ticks;
  for (int32_t i = 0; i < list.count; ++i) ticks.push_back(list.entries[i].tick);
  return ticks;
}

}  // namespace

// Five alternating points (ticks 0..4) reduce to the deepest trough: B wins its ties, C wins a tie with A.
TEST(TurningPoints, FiveCandidatesReduceToTheDeepestTrough) {
  struct Case {
    float y[5];
    std::vector<int32_t> kept;
  };
  const Case cases[] = {
      {{10, 2, 8, 1, 9}, {0, 3, 4}},    // A 14, B 15, C 17
      {{10, 0, 10, 5, 10}, {0, 1, 4}},  // A 20, B 10, C 20
      {{10, 0, 10, 0, 10}, {2, 3, 4}},  // all 20: B
      {{10, 0, 10, 8, 9}, {0, 1, 2}},   // A 20, B 3, C 19
      {{9, 1, 6, 1, 7}, {0, 3, 4}},     // A 13, B 11, equal minima: C 14 with the later
  };
  for (const Case& c : cases) {
    TurningPointList list;
    for (int32_t i = 0; i < 5; ++i) OfferTurningPoint(list, TurningPoint{i, c.y[i]}, i % 2 == 0);
    EXPECT_EQ(KeptTicks(list), c.kept) << c.y[0] << " " << c.y[1] << " " << c.y[2] << " " << c.y[3] << " " << c.y[4];
  }
}

// The ring needs eleven samples; a plateau's first sample is the turning point; nothing before searchStart.
TEST(TurningPoints, ScanFindsPlateauStartAfterSearchStart) {
  const float samples[] = {0, 1, 2, 3, 4, 5, 5, 5, 4, 3, 2, 1, 0, -1, -2, -3, -2, -1, 0, 1, 2, 3, 4};
  const int32_t n = static_cast<int32_t>(sizeof samples / sizeof samples[0]);
  TurningPointScan scan;
  ScanTurningPoints(scan, samples, 5, 100, 0);  // blocks may end anywhere
  ScanTurningPoints(scan, samples + 5, n - 5, 105, 0);
  EXPECT_EQ(KeptTicks(scan.list), (std::vector<int32_t>{105, 115}));

  TurningPointScan late;
  ScanTurningPoints(late, samples, n, 100, 108);
  EXPECT_EQ(late.list.count, 0);  // the maximum lies before the window; the minimum is only parked
  EXPECT_EQ(late.list.entries[0].tick, 115);
}
