// The tau fit's exp: accuracy against the C library, the fallback outside its range, and results that
// do not depend on an argument's place in the array.
#include "enumerators/taufit/TableExp.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

namespace {

using ExtLib::TableExp;

uint64_t Bits(double d) {
  uint64_t b;
  std::memcpy(&b, &d, sizeof b);
  return b;
}

double One(double x) {
  double y = 0.0;
  TableExp(&x, &y, 1);
  return y;
}

// Distance in units in the last place between two positive finite doubles.
uint64_t UlpDistance(double a, double b) {
  const uint64_t x = Bits(a), y = Bits(b);
  return x > y ? x - y : y - x;
}

TEST(TableExp, WithinOneUlpOfTheLibraryAndUsuallyEqual) {
  std::vector<double> x;
  for (double v = -699.9; v < 699.9; v += 0.0137)
    x.push_back(v);
  for (int i = 0; i < 20000; ++i)  // the fit's usual arguments: -t/tau over a few time constants
    x.push_back(-i * 3.1e-4);
  std::vector<double> y(x.size());
  TableExp(x.data(), y.data(), static_cast<int32_t>(x.size()));
  size_t differ = 0;
  for (size_t i = 0; i < x.size(); ++i) {
    const double expected = std::exp(x[i]);
    ASSERT_LE(UlpDistance(y[i], expected), 1u) << "x = " << x[i];
    differ += y[i] != expected;
  }
  EXPECT_LT(differ, x.size() / 200);
  EXPECT_EQ(One(0.0), 1.0);
  EXPECT_EQ(One(-0.0), 1.0);
}

TEST(TableExp, ArgumentsOutsideItsRangeGoToTheLibrary) {
  const double inf = std::numeric_limits<double>::infinity();
  const double x[] = {std::numeric_limits<double>::quiet_NaN(), inf, -inf, 710.0, 700.0, -700.0, -720.5, -746.0,
                      1e300, -1e300};
  for (const double v : x) {
    const double got = One(v);
    const double expected = std::exp(v);
    if (std::isnan(expected))
      EXPECT_TRUE(std::isnan(got));
    else
      EXPECT_EQ(Bits(got), Bits(expected)) << "x = " << v;
  }
}

TEST(TableExp, ResultDoesNotDependOnPlaceOrNeighbour) {
  // Pairs run in SSE lanes, odd tails and pairs with an out-of-range partner one at a time: every way must
  // give the same bits, or a fit would change with how its samples were split.
  std::vector<double> x = {-0.5, -1.25, 3.0, -699.0, 800.0, -2.0, 1e-9, -0.0078125, -40.0};
  std::vector<double> inPlace = x;
  TableExp(inPlace.data(), inPlace.data(), static_cast<int32_t>(inPlace.size()));
  for (size_t start = 0; start < x.size(); ++start) {
    std::vector<double> shifted(x.size() - start);
    TableExp(x.data() + start, shifted.data(), static_cast<int32_t>(shifted.size()));
    for (size_t i = 0; i < shifted.size(); ++i)
      EXPECT_EQ(Bits(shifted[i]), Bits(inPlace[start + i])) << "start " << start << " index " << i;
  }
  for (size_t i = 0; i < x.size(); ++i)
    EXPECT_EQ(Bits(One(x[i])), Bits(inPlace[i]));
}

}  // namespace
