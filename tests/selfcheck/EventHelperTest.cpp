// Comparing event records within the checks' tolerances, and their short text.
#include <gtest/gtest.h>

#include "selfcheck/EventHelper.h"

#include <cmath>
#include <limits>

namespace {

template <class T>
T Event(int32_t tick, float fraction, double value) {
  T e;
  e.tick = tick;
  e.fraction = fraction;
  e.value = value;
  return e;
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

}  // namespace

TEST(EventHelper, SameFollowsThePositionAndRelativeValueRules) {
  using SelfCheck::EventHelper::same;
  struct Case {
    double posA, valA, posB, valB;
    bool expected;
  };
  const Case cases[] = {
      {10.0004, 1.0, 10.0, 1.0, true},   // 0.0004 tick apart
      {10.0, 1.0, 10.001, 1.0, false},
      {10.0, 1e-13, 10.0, 0.0, true},    // both below 1e-12
      {10.0, 0.0, 10.0, 1e-11, false},   // 0 first: infinite quotient
      {10.0, 1e-11, 10.0, 0.0, false},   // relative difference 1
      {10.0, 1.00001, 10.0, 1.0, true},  // relative to the first
      {10.0, 1.0, 10.0, 1.00001, false},
      {10.0, kNaN, 10.0, kNaN, true},
      {10.0, kInf, 10.0, -kInf, true},
      {10.0, kNaN, 10.0, 1.0, false},
      {10.0, 1.0, 10.0, kNaN, false},
      {10.0, 1e39, 10.0, 2e39, false},   // doubles keep them apart
  };
  for (const Case& c : cases) {
    const int32_t tickA = static_cast<int32_t>(c.posA);
    const int32_t tickB = static_cast<int32_t>(c.posB);
    const auto a = Event<EventBCalcBase>(tickA, static_cast<float>(c.posA - tickA), c.valA);
    const auto b = Event<EventBCalcBase>(tickB, static_cast<float>(c.posB - tickB), c.valB);
    EXPECT_EQ(c.expected, same(a, b)) << c.posA << " " << c.valA << " / " << c.posB << " " << c.valB;
  }
}

TEST(EventHelper, DetectorRecordsCompareInSinglePrecision) {
  using SelfCheck::EventHelper::same;
  // Both beyond the float range: infinity each.
  EXPECT_TRUE(same(Event<EventPkStm>(5, 0.0f, 1e39), Event<EventPkStm>(5, 0.0f, 2e39)));
  EXPECT_FALSE(same(Event<EventPkStm>(5, 0.0f, 1e39), Event<EventPkStm>(5, 0.0f, 1.0)));
  // Kind and calculation fields do not count.
  auto a = Event<EventFCalc>(9, 0.5f, 2.0);
  auto b = a;
  b.kind = 3;
  b.height = 17.0f;
  b.baseline = -4.0f;
  EXPECT_TRUE(same(a, b));
}

TEST(EventHelper, ToStringGivesPositionAndValue) {
  using SelfCheck::EventHelper::toString;
  EXPECT_EQ(L"[120.25, 1.5]", toString(Event<EventPkStm>(120, 0.25f, 1.5)));
  EXPECT_EQ(L"[7, 0.1]", toString(Event<EventPkStm>(7, 0.0f, 0.1)));  // the float's six digits
  EXPECT_EQ(L"[99.5, 1.23457e+06]", toString(Event<EventBCalcBase2>(100, -0.5f, 1234567.0)));
}
