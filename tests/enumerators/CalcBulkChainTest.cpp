// The chain CalcBulk(CalcBase2(calcamax(calcbase(cappeakdet(ch1,0.3))))) over a reference recording, every event
// and every measurement.
#include <cmath>
#include <cstring>
#include <set>
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

double FieldOf(const EventFCalc& r, const std::string& name) {
  if (name == "calcTick1") return r.calcTick1;
  if (name == "calcTick2") return r.calcTick2;
  if (name == "tauAmplitude") return r.tauAmplitude;
  if (name == "tauAsymptote") return r.tauAsymptote;
  if (name == "slopeIntercept") return r.slopeIntercept;
  return NAN;
}

// The head the earlier stages wrote, against the stages' definitions evaluated independently on the same samples.
void ExpectSameHead(const EventFCalc& got, const EventBCalcBase2& want, const std::string& where) {
  EXPECT_EQ(got.tick, want.tick) << where;
  EXPECT_EQ(got.value, want.value) << where;
  EXPECT_EQ(got.baseline, want.baseline) << where;
  EXPECT_EQ(got.polarity, want.polarity) << where;
  EXPECT_EQ(got.maxValue, want.maxValue) << where;
  EXPECT_EQ(got.maxTick, want.maxTick) << where;
  EXPECT_EQ(got.stimulusTick, want.stimulusTick) << where;
  EXPECT_EQ(got.baseStartTick, want.baseStartTick) << where;
  EXPECT_EQ(got.baseEndTick, want.baseEndTick) << where;
  EXPECT_EQ(got.peakStartTick, want.peakStartTick) << where;
  EXPECT_EQ(got.peakEndTick, want.peakEndTick) << where;
  EXPECT_EQ(got.limitTick, want.limitTick) << where;
  EXPECT_EQ(got.tauFitStartTick, want.tauFitStartTick) << where;
  EXPECT_EQ(got.tauFitEndTick, want.tauFitEndTick) << where;
  EXPECT_EQ(got.tailOvershoot, want.tailOvershoot) << where;
  EXPECT_EQ(got.ahpEndTick, want.ahpEndTick) << where;
  EXPECT_EQ(got.midPlateauTick, want.midPlateauTick) << where;
  EXPECT_EQ(got.plateauCentreTick, want.plateauCentreTick) << where;
  EXPECT_EQ(got.lowestSample, want.lowestSample) << where;
  EXPECT_EQ(got.highestSample, want.highestSample) << where;
}

// Every event the chain writes, every measurement 0-58: the reference computed each event's head with the stages'
// definitions and each measurement from that head with numpy and scipy.
TEST(CalcBulkChain, FullChainMatchesIndependentReference) {
  const auto scenarios = calcbulkref::LoadScenarios("calcbulk_chain_reference.txt");
  ASSERT_EQ(scenarios.size(), 1u) << "tests/data/calcbulk_chain_reference.txt not read";
  const calcbulkref::Scenario& chain = scenarios.front();
  ASSERT_EQ(chain.name, "chain");
  ASSERT_EQ(chain.events.size(), 3u);
  const std::vector<EventFCalc> out = RunChain(chain);
  ASSERT_EQ(out.size(), chain.events.size());
  for (size_t i = 0; i < out.size(); ++i) {
    const EventFCalc& got = out[i];
    ExpectSameHead(got, chain.events[i].record, "event " + std::to_string(i));
    std::set<int32_t> covered;
    for (const auto& x : chain.events[i].expect) {
      const uint32_t bits = got.GetValueBitsByIndex(x.index);
      float v;
      std::memcpy(&v, &bits, sizeof v);
      const std::string where = "event " + std::to_string(i) + " index " + std::to_string(x.index);
      if (x.kind == calcbulkref::Kind::Bits)
        EXPECT_EQ(bits, x.bits) << where;
      else if (x.kind == calcbulkref::Kind::NoValue)
        EXPECT_TRUE(IsNoValue(v)) << where << " holds " << v;
      else
        EXPECT_NEAR(v, x.value, x.tolerance) << where;
      covered.insert(x.index);
    }
    for (int32_t index = 0; index <= 58; ++index)
      EXPECT_EQ(covered.count(index), 1u) << "event " << i << " index " << index << " has no reference";
    for (const auto& f : chain.events[i].fields)
      EXPECT_NEAR(FieldOf(got, f.name), f.value, f.tolerance) << "event " << i << " " << f.name;
  }
}

}  // namespace
