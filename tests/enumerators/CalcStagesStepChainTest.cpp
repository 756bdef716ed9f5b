// The three per-event steps chained over the cardiac test signal, offline and online, against the reference.
#include <gtest/gtest.h>

#include <cstring>

#include "enumerators/calcamax/CalcAMaxStep.h"
#include "enumerators/calcbase/CalcBaseStep.h"
#include "enumerators/calcbase2/CalcBase2Step.h"
#include "tests/enumerators/CalcStageCursors.h"
#include "tests/enumerators/CalcStagesReference.h"

namespace {

namespace Base = ZR::Enum::CalcBase;
namespace AMax = ZR::Enum::CalcAMax;
namespace Base2 = ZR::Enum::CalcBase2;
using calcstages::RunOffline;
using calcstages::RunOnline;

struct Signal {
  std::vector<float> samples;
  std::vector<EventPkStm> peaks;
  std::vector<calcstages::ReferenceEvent> reference;
};

Signal Cardiac(int32_t sign) {
  Signal s;
  s.samples = calcstages::CardiacSamples();
  for (float& v : s.samples) v *= static_cast<float>(sign);
  s.reference = calcstages::CardiacReference(sign);
  for (const auto& r : s.reference) {
    s.peaks.push_back(EventPkStm::Peak(r.detectorTick, static_cast<float>(r.detectorValue)));
  }
  return s;
}

template <class T>
void ExpectSameRecords(const std::vector<T>& a, const std::vector<T>& b, const char* stage) {
  ASSERT_EQ(a.size(), b.size()) << stage;
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(std::memcmp(&a[i], &b[i], sizeof(T)), 0) << stage << " record " << i << " at " << a[i].tick;
  }
}

class CalcStagesStepChain : public ::testing::TestWithParam<int32_t> {};

TEST_P(CalcStagesStepChain, MatchesReferenceOfflineAndOnline) {
  const Signal s = Cardiac(GetParam());
  ASSERT_EQ(s.samples.size(), 8000u);
  ASSERT_GT(s.peaks.size(), 10u);
  const auto base = RunOffline<Base::StepState, Base::StepSettings, EventPkStm, EventBCalcBase>(
      Base::Step, Base::StepSettings(), s.samples, s.peaks);
  const auto amax = RunOffline<AMax::StepState, AMax::StepSettings, EventBCalcBase, EventBCalcMax>(
      AMax::Step, AMax::StepSettings(), s.samples, base);
  const auto base2 = RunOffline<Base2::StepState, Base2::StepSettings, EventBCalcMax, EventBCalcBase2>(
      Base2::Step, Base2::StepSettings(), s.samples, amax);
  calcstages::ExpectMatchesReference(base2, s.reference);

  // Samples in uneven blocks; each stage's input record arrives a little after the samples up to its tick.
  const std::vector<int32_t> arrivals = {37, 1, 250, 13, 1024, 3, 400};
  ExpectSameRecords(RunOnline<Base::StepState, Base::StepSettings, EventPkStm, EventBCalcBase>(
                        Base::Step, Base::StepSettings(), s.samples, s.peaks, arrivals, 20),
                    base, "base");
  ExpectSameRecords(RunOnline<AMax::StepState, AMax::StepSettings, EventBCalcBase, EventBCalcMax>(
                        AMax::Step, AMax::StepSettings(), s.samples, base, arrivals, 1),
                    amax, "extreme");
  ExpectSameRecords(RunOnline<Base2::StepState, Base2::StepSettings, EventBCalcMax, EventBCalcBase2>(
                        Base2::Step, Base2::StepSettings(), s.samples, amax, arrivals, 0),
                    base2, "second baseline");
}

INSTANTIATE_TEST_SUITE_P(UpAndNegated, CalcStagesStepChain, ::testing::Values(1, -1));

}  // namespace
