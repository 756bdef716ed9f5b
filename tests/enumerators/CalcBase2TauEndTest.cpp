// The tau end level with "Tau End" 0: it lies 0.000005 x H from the baseline toward the peak, so a fall that
// settles on the baseline reaches it at the first sample within that distance, not only at the baseline itself.
#include <gtest/gtest.h>

#include "enumerators/calcbase2/CalcBase2Step.h"
#include "tests/enumerators/CalcStageCursors.h"

namespace {

using ZR::Enum::CalcBase2::StepSettings;
using ZR::Enum::CalcBase2::StepState;

// Baseline 1.0, peak 3.0 at 100 (H = 2.0, so the offset is 0.00001), start 90, end 106. The fall passes
// 1.00002 (above B + 0.00001), then 1.000007 at 104 (within 0.000005 x H of B but farther than 0.000005 from it),
// 1.000002 at 105, and settles on 1.0 exactly at 106. mirror = true reflects every sample about the baseline.
std::vector<float> SettlingFall(bool mirror) {
  return calcstages::Samples(200, [mirror](int32_t t) {
    double v = 1.0;
    if (t >= 90 && t <= 100) v = 1.0 + 0.2 * (t - 90);
    else if (t == 101) v = 2.0;
    else if (t == 102) v = 1.5;
    else if (t == 103) v = 1.00002;
    else if (t == 104) v = 1.000007;
    else if (t == 105) v = 1.000002;
    return mirror ? 2.0 - v : v;
  });
}

EventBCalcMax Peak(bool mirror) {
  EventBCalcMax e;
  e.tick = 100;
  e.value = mirror ? -1.0 : 3.0;
  e.baseline = 1.0f;
  e.polarity = mirror ? -1.0f : 1.0f;
  e.maxTick = 100;
  e.maxValue = static_cast<float>(e.value);
  e.peakStartTick = 90;
  e.peakEndTick = 106;
  e.limitTick = kRecordEndOffset;
  return e;
}

EventBCalcBase2 RunStage(bool mirror, int32_t tauEndPercent) {
  StepSettings p;
  p.tauEndPercent = tauEndPercent;
  const auto out = calcstages::RunOffline<StepState, StepSettings, EventBCalcMax, EventBCalcBase2>(
      ZR::Enum::CalcBase2::Step, p, SettlingFall(mirror), {Peak(mirror)});
  EXPECT_EQ(out.size(), 1u);
  return out.empty() ? EventBCalcBase2() : out[0];
}

// Without the offset the tick would be 106 (the baseline sample); an offset of 0.000005 not scaled by H would give
// 105; one on the far side of the baseline would never be reached (-1). Both polarities: toward the peak.
TEST(CalcBase2TauEnd, ZeroPercentLevelLiesAFractionOfTheHeightTowardThePeak) {
  for (bool mirror : {false, true}) {
    const EventBCalcBase2 r = RunStage(mirror, 0);
    EXPECT_EQ(r.tauFitEndTick, 104) << (mirror ? "downward" : "upward");
    EXPECT_EQ(r.tauFitStartTick, 101) << (mirror ? "downward" : "upward");  // 50 %: 2.0 is not above 2.0
  }
}

// One per cent (0.02 above the baseline) is already passed at 103: the offset only matters next to the baseline.
TEST(CalcBase2TauEnd, OnePercentIsReachedBeforeTheSettlingSamples) {
  for (bool mirror : {false, true})
    EXPECT_EQ(RunStage(mirror, 1).tauFitEndTick, 103) << (mirror ? "downward" : "upward");
}

}  // namespace
