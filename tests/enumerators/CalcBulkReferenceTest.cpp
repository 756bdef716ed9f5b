// The full measurement stage over recordings whose measurements numpy and scipy computed independently.
#include <cmath>
#include <cstring>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "enumerators/calcbulk/CalcBulkStep.h"
#include "tests/enumerators/CalcBulkReference.h"
#include "tests/enumerators/CalcStageCursors.h"

namespace {

using calcbulkref::Kind;
using calcbulkref::Scenario;
using ZR::Enum::CalcBulk::MeasureParams;
using ZR::Enum::CalcBulk::Step;
using ZR::Enum::CalcBulk::StepState;

const std::vector<Scenario>& Scenarios() {
  static const std::vector<Scenario> all = calcbulkref::LoadScenarios();
  return all;
}

std::vector<EventFCalc> Measure(const Scenario& s, int32_t blockSize) {
  std::vector<EventBCalcBase2> input;
  for (const auto& e : s.events)
    input.push_back(e.record);
  return calcstages::RunOffline<StepState, MeasureParams, EventBCalcBase2, EventFCalc>(
      Step, s.params, s.samples, input, blockSize);
}

double FieldOf(const EventFCalc& r, const std::string& name) {
  if (name == "calcTick1") return r.calcTick1;
  if (name == "calcTick2") return r.calcTick2;
  if (name == "tauAmplitude") return r.tauAmplitude;
  if (name == "tauAsymptote") return r.tauAsymptote;
  if (name == "slopeIntercept") return r.slopeIntercept;
  return NAN;
}

void CheckEvent(const Scenario& s, size_t i, const EventFCalc& r, std::set<std::string>& covered) {
  for (const auto& x : s.events[i].expect) {
    const uint32_t bits = r.GetValueBitsByIndex(x.index);
    float v;
    std::memcpy(&v, &bits, sizeof v);
    const std::string where = s.name + " event " + std::to_string(i) + " index " + std::to_string(x.index);
    if (x.kind == Kind::Bits)
      EXPECT_EQ(bits, x.bits) << where;
    else if (x.kind == Kind::NoValue)
      EXPECT_TRUE(IsNoValue(v)) << where << " holds " << v;
    else
      EXPECT_NEAR(v, x.value, x.tolerance) << where;
    covered.insert((r.polarity > 0 ? "up " : "down ") + std::to_string(x.index));
  }
  for (const auto& f : s.events[i].fields)
    EXPECT_NEAR(FieldOf(r, f.name), f.value, f.tolerance) << s.name << " event " << i << " " << f.name;
}

TEST(CalcBulkReference, MatchesIndependentToolsForEveryMeasurementBothPolarities) {
  ASSERT_EQ(Scenarios().size(), 2u) << "tests/data/calcbulk_reference.txt not read";
  std::set<std::string> covered;
  for (const Scenario& s : Scenarios()) {
    const std::vector<EventFCalc> out = Measure(s, 1024);
    ASSERT_EQ(out.size(), s.events.size()) << s.name;
    for (size_t i = 0; i < out.size(); ++i)
      CheckEvent(s, i, out[i], covered);
  }
  for (int index = 0; index <= 58; ++index) {
    EXPECT_EQ(covered.count("up " + std::to_string(index)), 1u) << "upward index " << index;
    EXPECT_EQ(covered.count("down " + std::to_string(index)), 1u) << "downward index " << index;
  }
}

TEST(CalcBulkReference, BlockBoundariesDoNotChangeTheRecords) {
  for (const Scenario& s : Scenarios()) {
    const std::vector<EventFCalc> whole = Measure(s, 1024);
    const std::vector<EventFCalc> pieces = Measure(s, 7);
    ASSERT_EQ(whole.size(), pieces.size());
    for (size_t i = 0; i < whole.size(); ++i)
      EXPECT_EQ(std::memcmp(&whole[i], &pieces[i], sizeof(EventFCalc)), 0) << s.name << " event " << i;
  }
}

}  // namespace
