// The chain CalcBulk(CalcBase2(calcamax(calcbase(cappeakdet(ch1,0.3))))) over a reference recording.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "enumerators/calcamax/CalcAMaxStep.h"
#include "enumerators/calcbase/CalcBaseStep.h"
#include "enumerators/calcbase2/CalcBase2Step.h"
#include "enumerators/calcbulk/CalcBulkStep.h"
#include "enumerators/cappeakdet/PeakScan.h"
#include "tests/enumerators/CalcBulkReference.h"
#include "tests/enumerators/CalcStageCursors.h"

namespace {

namespace Base = ZR::Enum::CalcBase;
namespace AMax = ZR::Enum::CalcAMax;
namespace Base2 = ZR::Enum::CalcBase2;
namespace Bulk = ZR::Enum::CalcBulk;
using calcstages::RunOffline;

// The cardiac peak detector with "Min Height" 0.3 over the whole recording.
std::vector<EventPkStm> DetectPeaks(const std::vector<float>& samples) {
  ZR::Enum::CAPPeakDet::PeakScanState state;
  ZR::Enum::CAPPeakDet::PeakScanParams params;
  params.minHeight = 0.3;
  std::vector<EventPkStm> peaks;
  int32_t position = 0;
  int32_t at = 0;
  const int32_t n = static_cast<int32_t>(samples.size());
  while (at < n) {
    at += ZR::Enum::CAPPeakDet::ScanPeaks(state, position, params, samples.data() + at, n - at, at);
    if (state.phase != ZR::Enum::CAPPeakDet::kPeakConfirmed)
      continue;
    peaks.push_back(EventPkStm::Peak(state.peakTick, state.peakValue));
    state.phase = ZR::Enum::CAPPeakDet::kRestart;
  }
  return peaks;
}

std::vector<EventFCalc> RunChain(const calcbulkref::Scenario& s) {
  const auto peaks = DetectPeaks(s.samples);
  const auto base = RunOffline<Base::StepState, Base::StepSettings, EventPkStm, EventBCalcBase>(
      Base::Step, Base::StepSettings(), s.samples, peaks);
  const auto amax = RunOffline<AMax::StepState, AMax::StepSettings, EventBCalcBase, EventBCalcMax>(
      AMax::Step, AMax::StepSettings(), s.samples, base);
  const auto base2 = RunOffline<Base2::StepState, Base2::StepSettings, EventBCalcMax, EventBCalcBase2>(
      Base2::Step, Base2::StepSettings(), s.samples, amax);
  return RunOffline<Bulk::StepState, Bulk::MeasureParams, EventBCalcBase2, EventFCalc>(Bulk::Step, s.params,
                                                                                     s.samples, base2);
}

TEST(CalcBulkChain, FullChainMatchesIndependentReference) {
  const auto scenarios = calcbulkref::LoadScenarios();
  ASSERT_FALSE(scenarios.empty());
  const calcbulkref::Scenario& up = scenarios.front();
  ASSERT_EQ(up.name, "up");
  const std::vector<EventFCalc> out = RunChain(up);
  ASSERT_EQ(out.size(), up.events.size());
  int compared = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const EventBCalcBase2& want = up.events[i].record;
    const EventFCalc& got = out[i];
    // The earlier stages must have placed the event as the reference's definitions do;
    // otherwise the windows differ and the reference does not apply to this event.
    const bool sameHead = got.tick == want.tick && got.peakStartTick == want.peakStartTick &&
                          got.peakEndTick == want.peakEndTick && got.tauFitStartTick == want.tauFitStartTick &&
                          got.tauFitEndTick == want.tauFitEndTick && got.ahpEndTick == want.ahpEndTick &&
                          got.baseline == want.baseline;
    if (!sameHead) {
      std::printf("event %u: earlier stages differ from the reference (baseline %.7g, S %d, E %d)\n",
                  static_cast<unsigned>(i), static_cast<double>(got.baseline), got.peakStartTick, got.peakEndTick);
      continue;
    }
    ++compared;
    for (const auto& x : up.events[i].expect) {
      // Only measurements made by CalcBulk and its plug-ins; the head fields come from the earlier stages.
      if (x.index == 2 || x.index == 21 || x.index == 44 || x.index == 45)
        continue;
      const uint32_t bits = got.GetValueBitsByIndex(x.index);
      float v;
      std::memcpy(&v, &bits, sizeof v);
      const std::string where = "event " + std::to_string(i) + " index " + std::to_string(x.index);
      if (x.kind == calcbulkref::Kind::Bits)
        EXPECT_EQ(bits, x.bits) << where;
      else if (x.kind == calcbulkref::Kind::NoValue)
        EXPECT_TRUE(IsNoValue(v)) << where;
      else
        EXPECT_NEAR(v, x.value, x.tolerance) << where;
    }
  }
  EXPECT_GE(compared, 1) << "no event of the chain could be compared with the reference";
}

}  // namespace
