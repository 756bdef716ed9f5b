// Decay time constant of a peak's tail: Levenberg-Marquardt fit of A*exp(-t/tau)+C.
#include "enumerators/taufit/TauFit.h"

#include <cmath>
#include <cstring>
#include <exception>

#include "enumerators/taufit/GaussJordan.h"
#include "enumerators/taufit/TableExp.h"

namespace ExtLib {

namespace {

constexpr int kAmplitude = 0;
constexpr int kTau = 1;
constexpr int kAsymptote = 2;
constexpr int kMaxIterations = 100;

double NoValueDouble() {
  constexpr uint64_t bits = 0x7FF8600000000000ULL;
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

// The samples and which parameters are fitted; the working storage of one fit.
struct FitProblem {
  const double* y = nullptr;
  int32_t count = 0;
  double rate = 1.0;
  const double* times = nullptr;  // t_i = i / rate for every sample, when the fit is short enough to keep them
  int fitted[kMaxFitParams] = {};  // parameter index of each fitted parameter
  int m = 0;                       // number of fitted parameters
};

struct Curvature {
  FitMatrix alpha = {};
  double beta[kMaxFitParams] = {};
  double chiSquare = 0.0;
};

// Samples per pass of Evaluate: its working arrays stay on the stack.
constexpr int32_t kPassSamples = 128;
// Longest fit whose sample times FitTau keeps on the stack.
constexpr int32_t kKeptTimes = 512;

// Adds samples [from, from + n) to c with M fitted parameters (amplitude, tau and, when M is 3, the
// asymptote, whose derivative is 1). Every value depends only on its sample's index and each sum takes its
// terms in sample order, so the result does not depend on the pass length. The exponents keep their two
// divisions, so that a noise-free exponential is reproduced to the last bit as far as exp allows (the fit
// may otherwise stall at its rounding floor); the tau derivative multiplies by amplitude / tau^2 formed once.
template <int M>
void AddPass(const FitProblem& f, const double (&a)[kMaxFitParams], int32_t from, int32_t n, Curvature& c) {
  double ownTimes[kPassSamples];
  double e[kPassSamples];
  const double* t = f.times != nullptr ? f.times + from : ownTimes;
  if (f.times == nullptr) {
    for (int32_t i = 0; i < n; ++i)
      ownTimes[i] = static_cast<double>(from + i) / f.rate;
  }
  const double amplitude = a[kAmplitude];
  const double tau = a[kTau];
  const double asymptote = a[kAsymptote];
  const double slopeScale = amplitude / (tau * tau);
  for (int32_t i = 0; i < n; ++i)
    e[i] = -t[i] / tau;
  TableExp(e, e, n);
  const double* y = f.y + from;
  // The sums live in locals for the loop: y might alias c, so sums kept in c would go through memory.
  double a00 = c.alpha[0][0], a10 = c.alpha[1][0], a11 = c.alpha[1][1];
  double a20 = c.alpha[2][0], a21 = c.alpha[2][1], a22 = c.alpha[2][2];
  double b0 = c.beta[0], b1 = c.beta[1], b2 = c.beta[2];
  double chiSquare = c.chiSquare;
  for (int32_t i = 0; i < n; ++i) {
    const double model = amplitude * e[i] + asymptote;
    const double d0 = e[i];
    const double d1 = slopeScale * t[i] * e[i];
    const double dy = y[i] - model;
    a00 += d0 * d0;
    b0 += dy * d0;
    a10 += d1 * d0;
    a11 += d1 * d1;
    b1 += dy * d1;
    if (M == 3) {  // the asymptote's derivative is 1
      a20 += d0;
      a21 += d1;
      a22 += 1.0;
      b2 += dy;
    }
    chiSquare += dy * dy;
  }
  c.alpha[0][0] = a00;
  c.alpha[1][0] = a10;
  c.alpha[1][1] = a11;
  c.alpha[2][0] = a20;
  c.alpha[2][1] = a21;
  c.alpha[2][2] = a22;
  c.beta[0] = b0;
  c.beta[1] = b1;
  c.beta[2] = b2;
  c.chiSquare = chiSquare;
}

// Chi-square, gradient and curvature of the model at parameters a (all weights 1).
Curvature Evaluate(const FitProblem& f, const double (&a)[kMaxFitParams]) {
  Curvature c;
  for (int32_t from = 0; from < f.count; from += kPassSamples) {
    const int32_t n = f.count - from < kPassSamples ? f.count - from : kPassSamples;
    if (f.m == 3)
      AddPass<3>(f, a, from, n, c);
    else
      AddPass<2>(f, a, from, n, c);
  }
  for (int j = 1; j < f.m; ++j)
    for (int k = 0; k < j; ++k)
      c.alpha[k][j] = c.alpha[j][k];
  return c;
}

struct Marquardt {
  double a[kMaxFitParams] = {};
  Curvature cur;
  double lambda = 0.1;
  double previousChiSquare = 0.0;
};

// One damped step; accepts the trial parameters when chi-square does not grow.
void Step(const FitProblem& f, Marquardt& s) {
  FitMatrix trial;
  double delta[kMaxFitParams] = {};
  std::memcpy(trial, s.cur.alpha, sizeof trial);
  for (int j = 0; j < f.m; ++j) {
    trial[j][j] = s.cur.alpha[j][j] * (1.0 + s.lambda);
    delta[j] = s.cur.beta[j];
  }
  if (SolveGaussJordanForB(trial, delta, f.m) == SolveResult::Singular) {
    s.cur.chiSquare = s.previousChiSquare;
    s.lambda *= 10.0;
    return;
  }
  double tryA[kMaxFitParams];
  std::memcpy(tryA, s.a, sizeof tryA);
  for (int j = 0; j < f.m; ++j)
    tryA[f.fitted[j]] = s.a[f.fitted[j]] + delta[j];
  const Curvature tried = Evaluate(f, tryA);
  // A NaN chi-square compares false and so counts as larger.
  if (tried.chiSquare <= s.previousChiSquare) {
    s.lambda *= 0.25;
    s.previousChiSquare = tried.chiSquare;
    s.cur = tried;
    std::memcpy(s.a, tryA, sizeof tryA);
    return;
  }
  s.lambda *= 10.0;
  s.cur.chiSquare = s.previousChiSquare;
}

bool Iterate(const FitProblem& f, Marquardt& s) {
  s.cur = Evaluate(f, s.a);
  s.previousChiSquare = s.cur.chiSquare;
  for (int iteration = 1;; ++iteration) {
    const double oldChiSquare = s.cur.chiSquare;
    const double oldLambda = s.lambda;
    Step(f, s);
    if (iteration > kMaxIterations || s.lambda > 1e10)
      return false;
    const double tolerance = 0.001 * s.cur.chiSquare;
    const bool smallGain = oldChiSquare - s.cur.chiSquare < tolerance || tolerance == 0.0;
    if (smallGain && s.lambda < oldLambda && s.lambda < 0.1)
      return true;
  }
}

// Rejects a converged fit whose amplitude or tau is smaller than its standard error, and an exact
// fit through as many samples as parameters, whose error cannot be judged.
bool PassesStandardError(const FitProblem& f, const Marquardt& s) {
  const int32_t freedom = f.count - f.m;
  if (freedom <= 0)
    return false;
  FitMatrix covariance;
  double unused[kMaxFitParams] = {};
  std::memcpy(covariance, s.cur.alpha, sizeof covariance);
  if (SolveGaussJordan(covariance, unused, f.m) == SolveResult::Singular)
    return false;
  for (int j = 0; j < f.m; ++j) {
    const int k = f.fitted[j];
    if (k == kAsymptote)
      continue;
    const double error = std::sqrt(covariance[j][j] * s.cur.chiSquare / freedom);
    if (std::fabs(s.a[k]) < error)
      return false;
  }
  return true;
}

// Time of the first sample past the 1/e level, or the default guess when none is.
double GuessTau(const double* y, int32_t lastIndex, double c, double rate) {
  const double y0 = y[0];
  const double yL = y[lastIndex];
  const float level = static_cast<float>(c + (y0 - c) * 0.36788);
  const bool falling = y0 - yL > 0.0;
  for (int32_t i = 0; i <= lastIndex; ++i) {
    const bool past = falling ? y[i] < level : y[i] > level;
    if (past)
      return static_cast<double>(i) / rate;
  }
  return static_cast<double>(lastIndex - 1) / 10.0 / rate;
}

}  // namespace

bool FitTau(const double* samples, int32_t lastIndex, bool asymptoteKnown, double asymptote,
      double rate, double* amplitude, double* tau, double* asymptoteOut) noexcept {
  *amplitude = 0.0;
  *asymptoteOut = 0.0;
  *tau = NoValueDouble();
  const int32_t count = lastIndex + 1;
  if (samples == nullptr || count < 2 || (!asymptoteKnown && count < 3))
    return false;
  Marquardt s;
  s.a[kAsymptote] = asymptoteKnown ? asymptote : samples[lastIndex];
  s.a[kAmplitude] = samples[0] - s.a[kAsymptote];
  s.a[kTau] = GuessTau(samples, lastIndex, s.a[kAsymptote], rate);
  *amplitude = s.a[kAmplitude];
  *tau = s.a[kTau];
  *asymptoteOut = s.a[kAsymptote];

  FitProblem f;
  f.y = samples;
  f.count = count;
  f.rate = rate;
  // The times do not depend on the parameters: short fits (the usual case) form them once, not per step.
  double times[kKeptTimes];
  if (count <= kKeptTimes) {
    for (int32_t i = 0; i < count; ++i)
      times[i] = static_cast<double>(i) / rate;
    f.times = times;
  }
  f.fitted[f.m++] = kAmplitude;
  f.fitted[f.m++] = kTau;
  if (!asymptoteKnown)
    f.fitted[f.m++] = kAsymptote;
  try {
    if (!Iterate(f, s))
      return false;
    *amplitude = s.a[kAmplitude];
    *tau = s.a[kTau];
    *asymptoteOut = s.a[kAsymptote];
    return PassesStandardError(f, s);
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace ExtLib
