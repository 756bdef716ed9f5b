// Number texts and rounding shared by the enumerators.
#include "enumerators/framework/HostHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(HostHelpers, RoundToLongRoundsHalvesAwayAndSaturates) {
  const struct {
    double x;
    int32_t expected;
  } cases[] = {{2.5, 3},         {-2.5, -3},           {0.49, 0},           {-0.49, 0},
               {3e9, 2147483647}, {-3e9, -2147483647 - 1}, {2147483647.0, 2147483647},
               {-2147483648.0, -2147483647 - 1}, {std::nan(""), 0}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, ExtLib::RoundToLong(c.x)) << "x " << c.x;
}

TEST(HostHelpers, FormatDoubleNamesNonFiniteValues) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(L"infinity", ExtLib::FormatDouble(inf, 6));
  EXPECT_EQ(L"-infinity", ExtLib::FormatDouble(-inf, 6));
  EXPECT_EQ(L"NaN", ExtLib::FormatDouble(std::nan(""), 6));
  EXPECT_EQ(L"0.333", ExtLib::FormatDouble(1.0 / 3.0, 3));
  EXPECT_EQ(L"1.5e+10", ExtLib::FormatDouble(1.5e10, 6));
}

TEST(HostHelpers, LowerCaseInPlaceLeavesCopiesAlone) {
  QOR::String original(L"CalcBase(CH1)");
  QOR::String copy = original;
  ExtLib::LowerCaseInPlace(copy);
  EXPECT_STREQ(L"calcbase(ch1)", copy.GetText());
  EXPECT_STREQ(L"CalcBase(CH1)", original.GetText());
  EXPECT_EQ(L"-42", ExtLib::LongToText(-42));
}
