// Parameters of the full measurement stage: defaults, rounding and the smoothing points from the host.
#include "enumerators/calcbulk/plugins/BulkParams.h"

#include <limits>

#include <gtest/gtest.h>

#include "enumerators/calcbulk/plugins/SmoothingPoints.h"

namespace {

using ZR::Enum::CalcBulk::BulkParams;
using ZR::Enum::CalcBulk::ComputeSmoothingPoints;

TEST(BulkParams, MinusOneSelectsDefaultsAndIntegersRound) {
  BulkParams p;
  p.SetDefaults();
  EXPECT_EQ(p.Get(5), 30.0);   // rise start
  EXPECT_EQ(p.Get(6), 70.0);   // rise end
  EXPECT_EQ(p.Get(7), 30.0);
  EXPECT_EQ(p.Get(8), 70.0);
  EXPECT_EQ(p.Get(14), 50.0);  // max-negative-slope start
  EXPECT_EQ(p.Get(15), 4.0);   // its smoothing
  EXPECT_EQ(p.Get(1), -1.0);   // area start has no default: -1 is kept
  p.Set(5, 24.5);
  EXPECT_EQ(p.riseStartPercent, 25);
  p.Set(5, -2.5);
  EXPECT_EQ(p.riseStartPercent, -3);
  p.Set(3, 1.49);
  EXPECT_EQ(p.tauMode, 1);
  p.Set(4, -7.25);
  EXPECT_EQ(p.tauFixedValue, -7.25);
}

TEST(BulkParams, AnalysisTypeOutsideZeroToSixStoresZero) {
  BulkParams p;
  for (double v : {6.0, 7.0, -0.5, 1e300, std::numeric_limits<double>::quiet_NaN()}) {
    p.Set(0, 3.0);
    p.Set(0, v);
    EXPECT_EQ(p.analysisType, 0) << v;
  }
  p.Set(0, 2.5);
  EXPECT_EQ(p.analysisType, 3);
}

TEST(SmoothingPoints, HostAnswerGivesWindowLength) {
  EXPECT_EQ(ComputeSmoothingPoints(1, 1, 0.0).n, 5);
  EXPECT_EQ(ComputeSmoothingPoints(1, 2, 0.0).n, 10);
  EXPECT_EQ(ComputeSmoothingPoints(2, 1, 0.0).n, 2);
  EXPECT_TRUE(ComputeSmoothingPoints(2, 1, 0.0).usable);
}

TEST(SmoothingPoints, DegenerateAnswersNeverDivideByZeroOrOverflow) {
  // a or b zero (a division by zero) or negative: as if the host had not answered.
  for (auto ab : {std::pair<int64_t, int64_t>{0, 1}, {1, 0}, {0, 0}, {-1, 1}, {1, -3}}) {
    const auto s = ComputeSmoothingPoints(ab.first, ab.second, 0.0);
    EXPECT_EQ(s.n, 5) << ab.first << "/" << ab.second;
    EXPECT_TRUE(s.usable);
  }
  EXPECT_EQ(ComputeSmoothingPoints(1, 1, std::numeric_limits<double>::quiet_NaN()).n, 5);
  EXPECT_EQ(ComputeSmoothingPoints(1, 1, -std::numeric_limits<double>::infinity()).n, 5);
  // Huge but finite: clamped to 1000 instead of an out-of-range conversion.
  EXPECT_EQ(ComputeSmoothingPoints(1, int64_t{1} << 62, 0.0).n, 1000);
  // Below two points no least-squares slope exists: the window stays sane but is unusable.
  const auto one = ComputeSmoothingPoints(4, 1, 0.0);
  EXPECT_EQ(one.n, 2);
  EXPECT_FALSE(one.usable);
  EXPECT_FALSE(ComputeSmoothingPoints(1, 1, 7.0).usable);
}

}  // namespace
