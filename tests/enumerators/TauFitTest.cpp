// The tau fit: starting guess, Levenberg-Marquardt convergence, the solver's failures and rejection.
#include "enumerators/taufit/TauFit.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "enumerators/taufit/GaussJordan.h"
#include "enumerators/taufit/TauMuntedException.h"
#include "tests/support/CardiacSignal.h"

namespace {

using ExtLib::FitTau;

struct Fit {
  bool ok = false;
  double a = 0.0, tau = 0.0, c = 0.0;
};

Fit FitSamples(const std::vector<double>& y, bool known, double asymptote, double rate) {
  Fit f;
  f.ok = FitTau(y.data(), static_cast<int32_t>(y.size()) - 1, known, asymptote, rate, &f.a, &f.tau, &f.c);
  return f;
}

std::vector<double> Exponential(int n, double a, double tauSamples, double c) {
  std::vector<double> y;
  for (int i = 0; i < n; ++i)
    y.push_back(a * std::exp(-i / tauSamples) + c);
  return y;
}

TEST(TauFit, CleanExponentialGivesItsTimeConstant) {
  // tau = 20 ms sampled at 1 kHz over 100 ms, asymptote fitted.
  const Fit f = FitSamples(Exponential(101, 3.0, 20.0, -0.5), false, 0.0, 1000.0);
  ASSERT_TRUE(f.ok);
  EXPECT_NEAR(f.tau, 0.020, 1e-6);
  EXPECT_NEAR(f.a, 3.0, 1e-5);
  EXPECT_NEAR(f.c, -0.5, 1e-5);
}

TEST(TauFit, RisingTailAndHeldAsymptote) {
  const Fit f = FitSamples(Exponential(60, -2.0, 12.0, 1.0), true, 1.0, 500.0);
  ASSERT_TRUE(f.ok);
  EXPECT_NEAR(f.tau, 12.0 / 500.0, 1e-7);
  EXPECT_NEAR(f.a, -2.0, 1e-7);
  EXPECT_EQ(f.c, 1.0);
}

TEST(TauFit, TooFewSamplesFailWithThePresetOutputs) {
  const std::vector<double> two = {2.0, 1.0};
  const Fit fitted = FitSamples(two, false, 0.0, 1000.0);
  EXPECT_FALSE(fitted.ok);
  uint64_t bits;
  std::memcpy(&bits, &fitted.tau, sizeof bits);
  EXPECT_EQ(bits, 0x7FF8600000000000ull);
  EXPECT_EQ(fitted.a, 0.0);
  EXPECT_EQ(fitted.c, 0.0);
  // Two samples with a known asymptote: the fit runs and passes exactly through them, which no error can
  // judge: rejected, with the exact fit left in the outputs.
  const Fit held = FitSamples({2.0, 0.5}, true, 0.0, 1000.0);
  EXPECT_FALSE(held.ok);
  EXPECT_NEAR(held.a, 2.0, 1e-9);
  EXPECT_NEAR(held.tau, 1.0 / 1000.0 / std::log(4.0), 1e-9);
}

TEST(TauFit, FlatTailStartsFromTheDefaultGuessAndFails) {
  // y0 = yL counts as rising; no sample is above the 1/e level, so tau starts at (L - 1) / (10 r).
  // Nothing decays: the amplitude guess is 0, so the curvature's tau row and column are 0, every step is
  // singular and lambda grows beyond 1e10.
  const std::vector<double> flat(21, 4.0);
  const Fit f = FitSamples(flat, false, 0.0, 100.0);
  EXPECT_FALSE(f.ok);
}

// Short noisy tails that converge; scipy's curve_fit gives the same fit and the standard errors
// sqrt(cov_kk x chi-square / (N - M)). A tail whose tau is smaller than its standard error is rejected, and
// the fitted values stay in the outputs; tails with both parameters above their errors are accepted. A tail of
// as many samples as parameters is fitted exactly, with no error to judge it by (scipy's is inf): rejected.
TEST(TauFit, StandardErrorDecidesOverNoisyTails) {
  std::ifstream in(testsupport::TestDataPath("taufit_rejection.txt"));
  ASSERT_TRUE(in) << "tests/data/taufit_rejection.txt not read";
  int cases = 0, rejected = 0;
  for (std::string line; std::getline(in, line);) {
    std::istringstream row(line);
    std::string tag, verdict;
    int seed = 0;
    if (!(row >> tag >> seed >> verdict) || tag != "tail") continue;
    std::vector<double> v;  // A tau C seA seTau seC, then the samples; strtod reads "inf"
    for (std::string cell; row >> cell;)
      v.push_back(std::strtod(cell.c_str(), nullptr));
    ASSERT_GE(v.size(), 9u) << line;
    const Fit f = FitSamples(std::vector<double>(v.begin() + 6, v.end()), false, 0.0, 1000.0);
    EXPECT_EQ(f.ok, verdict == "ok") << line;
    // The fit stops once chi-square improves by less than 0.1 %, so it agrees with scipy to a small part of
    // each standard error; an exact fit, whose error is infinite, passes through the samples as scipy's does.
    const auto near = [](double value, double error) {
      return std::isinf(error) ? 1e-3 * std::fabs(value) : 0.05 * error;
    };
    EXPECT_NEAR(f.a, v[0], near(v[0], v[3])) << line;
    EXPECT_NEAR(f.tau, v[1], near(v[1], v[4])) << line;
    EXPECT_NEAR(f.c, v[2], near(v[2], v[5])) << line;
    ++cases;
    rejected += verdict != "ok";
  }
  EXPECT_EQ(cases, 6);
  EXPECT_EQ(rejected, 4);
}

TEST(TauFit, NotANumberCurvatureIsCaughtAsFailure) {
  const Fit f = FitSamples(Exponential(30, 1.0, 5.0, 0.0), false, 0.0, std::numeric_limits<double>::quiet_NaN());
  EXPECT_FALSE(f.ok);
}

TEST(GaussJordan, InvertsAndSolvesWithFullPivoting) {
  ExtLib::FitMatrix a = {{0.0, 2.0, 1.0}, {1.0, 1.0, 0.0}, {3.0, 0.0, 1.0}};
  double b[3] = {5.0, 3.0, 6.0};
  const ExtLib::FitMatrix original = {{0.0, 2.0, 1.0}, {1.0, 1.0, 0.0}, {3.0, 0.0, 1.0}};
  const double rhs[3] = {5.0, 3.0, 6.0};
  ASSERT_EQ(ExtLib::SolveGaussJordan(a, b, 3), ExtLib::SolveResult::Solved);
  for (int r = 0; r < 3; ++r) {
    double sum = 0.0;
    for (int c = 0; c < 3; ++c)
      sum += original[r][c] * b[c];
    EXPECT_NEAR(sum, rhs[r], 1e-12) << "row " << r;
    for (int c = 0; c < 3; ++c) {
      double product = 0.0;
      for (int k = 0; k < 3; ++k)
        product += original[r][k] * a[k][c];
      EXPECT_NEAR(product, r == c ? 1.0 : 0.0, 1e-12) << r << "," << c;
    }
  }
}

TEST(GaussJordan, SingularAndUnpivotableMatrices) {
  ExtLib::FitMatrix zero = {};
  double b[3] = {1.0, 1.0, 1.0};
  EXPECT_EQ(ExtLib::SolveGaussJordan(zero, b, 2), ExtLib::SolveResult::Singular);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  ExtLib::FitMatrix bad = {{nan, nan, nan}, {nan, nan, nan}, {nan, nan, nan}};
  EXPECT_THROW(ExtLib::SolveGaussJordan(bad, b, 3), ExtLib::TauMuntedException);
}

// The solution alone comes out with the same bits as from the full inversion, for every size and pivot order,
// with the same answers for singular and unpivotable systems.
TEST(GaussJordan, SolutionAloneMatchesFullInversion) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> pick(-4, 4);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (int trial = 0; trial < 3000; ++trial) {
    const int n = 1 + trial % 3;
    ExtLib::FitMatrix a = {};
    double b[3] = {};
    for (int r = 0; r < 3; ++r) {
      b[r] = pick(rng) / 3.0;
      for (int c = 0; c < 3; ++c) a[r][c] = pick(rng) == 4 && trial % 7 == 0 ? nan : pick(rng) / 7.0 + 1e-3 * c;
    }
    ExtLib::FitMatrix full, alone;
    double fullB[3], aloneB[3];
    std::memcpy(full, a, sizeof a);
    std::memcpy(alone, a, sizeof a);
    std::memcpy(fullB, b, sizeof b);
    std::memcpy(aloneB, b, sizeof b);
    int fullResult = -1, aloneResult = -1;
    try {
      fullResult = static_cast<int>(ExtLib::SolveGaussJordan(full, fullB, n));
    } catch (const ExtLib::TauMuntedException&) {
    }
    try {
      aloneResult = static_cast<int>(ExtLib::SolveGaussJordanForB(alone, aloneB, n));
    } catch (const ExtLib::TauMuntedException&) {
    }
    ASSERT_EQ(aloneResult, fullResult) << "trial " << trial;
    if (fullResult == static_cast<int>(ExtLib::SolveResult::Solved)) {
      EXPECT_EQ(std::memcmp(aloneB, fullB, sizeof fullB), 0) << "trial " << trial;
    }
  }
}

}  // namespace
