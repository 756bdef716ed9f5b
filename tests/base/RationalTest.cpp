// Exact rationals and their approximation of doubles.
#include "base/Rational.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

TEST(Rational, NormalizeAndDivide) {
  QORRationalImp r{6, -4};
  r.Normalize();
  EXPECT_EQ(r.num, -3);
  EXPECT_EQ(r.den, 2);
  QORRationalImp zero{0, -7};
  zero.Normalize();
  EXPECT_EQ(zero.den, 1);
  QORRationalImp half{1, 2};
  half.Divide(QORRationalImp{-1, 3});
  EXPECT_EQ(half.num, -3);
  EXPECT_EQ(half.den, 2);
  QORRationalImp bad{1, 0};
  EXPECT_THROW(bad.Normalize(), QORRationalImp::bad_rational);
  try {
    half.Divide(QORRationalImp{0, 5});
    ADD_FAILURE() << "divided by zero";
  } catch (const std::domain_error& e) {
    EXPECT_STREQ(e.what(), "bad rational: zero denominator");
  }
  EXPECT_EQ(RationalGcd(-12, 18), 6);
  EXPECT_EQ(RationalGcd(-5, 0), 5);
}

TEST(Rational, RatioFromDoubleFindsTheFraction) {
  const struct {
    double x;
    int64_t num;
    int64_t den;
  } cases[] = {{0.5, 1, 2},          {0.333333333333, 1, 3}, {20000.0, 20000, 1},
               {1.0 / 44100, 1, 44100}, {-0.25, -1, 4},     {0.0, 0, 1},
               {0.001, 1, 1000},     {1e12, 0x7FFFFFFE, 1}, {std::nan(""), 0, 1}};
  for (const auto& c : cases) {
    const QORRationalImp r = QORRationalImp::FromDouble(c.x);
    EXPECT_EQ(r.num, c.num) << c.x;
    EXPECT_EQ(r.den, c.den) << c.x;
  }
  // Pi: a convergent whose terms stay below the limit and that is close.
  int32_t n = 0, d = 0;
  RatioFromDouble(3.14159265358979, n, d);
  EXPECT_LT(n, 0x7FFFFFFE);
  EXPECT_GT(d, 1000);
  EXPECT_NEAR(static_cast<double>(n) / d, 3.14159265358979, 1e-15 * 1000);
}

}  // namespace
