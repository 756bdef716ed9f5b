// Millisecond-to-tick conversions and tick sums clamp to the 32-bit range instead of overflowing.
#include "base/TickConversion.h"

#include <limits>

#include <gtest/gtest.h>

TEST(TickConversion, MillisecondsToTicksRoundsAndSaturates) {
  EXPECT_EQ(MsToTicks(5.0, 0.001), 5);
  EXPECT_EQ(MsToTicks(2.5, 0.001), 3);
  EXPECT_EQ(MsToTicks(2.4, 0.001), 2);
  EXPECT_EQ(MsToTicks(-2.7, 0.001), -2);  // trunc(-2.2) toward zero
  EXPECT_EQ(MsToTicks(1.79e308, 0.001), 0x7FFFFFFF);
  EXPECT_EQ(MsToTicks(-1.79e308, 0.001), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(MsToTicks(5.0, 0.0), 0x7FFFFFFF);
  EXPECT_EQ(MsToTicks(std::numeric_limits<double>::quiet_NaN(), 0.001), 0);
  EXPECT_EQ(MsToTicks(std::numeric_limits<double>::infinity(), 0.001), 0x7FFFFFFF);
}

TEST(TickConversion, RoundingHelpersSaturate) {
  EXPECT_EQ(RoundHalfAwayToInt32Sat(2.5), 3);
  EXPECT_EQ(RoundHalfAwayToInt32Sat(-2.5), -3);
  EXPECT_EQ(RoundHalfAwayToInt32Sat(2147483647.0), 0x7FFFFFFF);
  EXPECT_EQ(RoundHalfAwayToInt32Sat(1e300), 0x7FFFFFFF);
  EXPECT_EQ(TruncToInt32Sat(-1e300), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(TruncToInt32Sat(-0.9), 0);
}

TEST(TickConversion, TickSumsSaturate) {
  EXPECT_EQ(AddTicksSat(0x7FFFFFF0, 100), 0x7FFFFFFF);
  EXPECT_EQ(AddTicksSat(-0x7FFFFFF0, -100), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(AddTicksSat(10, -3), 7);
  EXPECT_EQ(SubTicksSat(std::numeric_limits<int32_t>::min(), 1), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(AddDoubleTicksSat(100, 1e300), 0x7FFFFFFF);
  EXPECT_EQ(AddDoubleTicksSat(100, 2.9), 102);
  EXPECT_EQ(AddDoubleTicksSat(100, std::numeric_limits<double>::quiet_NaN()), 100);
}
