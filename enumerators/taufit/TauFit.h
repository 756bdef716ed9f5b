// Decay time constant of a peak's tail: Levenberg-Marquardt fit of A*exp(-t/tau)+C.
#pragma once

#include <cstdint>

namespace ExtLib {

// Fits y(t) = A * exp(-t / tau) + C to y[0..lastIndex], sampled at `rate`
// samples per second (t_i = i / rate, seconds from the first sample). A and tau
// are always fitted; C is fitted unless `asymptoteKnown`, when it is held at
// `asymptote`.
// On entry the outputs become A = 0, C = 0, tau = the double no-value NaN; once
// the starting guess is made they hold it, and a successful fit replaces them.
// Returns false for fewer than 2 samples (3 with C fitted), no convergence
// within 100 iterations, lambda beyond 1e10, a solver failure, when |A| or
// |tau| is smaller than its standard error, or when there are only as many
// samples as fitted parameters (an exact fit, whose error cannot be judged).
// Never throws.
bool FitTau(const double* samples, int32_t lastIndex, bool asymptoteKnown, double asymptote,
      double rate, double* amplitude, double* tau, double* asymptoteOut) noexcept;

}  // namespace ExtLib
