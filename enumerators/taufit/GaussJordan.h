// Gauss-Jordan elimination with full pivoting for the tau fit's small systems.
#pragma once

#include <cstdint>

namespace ExtLib {

// Largest system the tau fit solves (amplitude, tau, asymptote).
inline constexpr int kMaxFitParams = 3;

using FitMatrix = double[kMaxFitParams][kMaxFitParams];

enum class SolveResult { Solved, Singular };

// Solves a x = b in place for the leading n x n block (1 <= n <= 3): on Solved,
// a holds the inverse of the matrix and b the solution. Singular: a zero pivot,
// or a column that would have to be chosen as pivot twice (the matrix is left
// partly reduced). Throws TauMuntedException when no element of the matrix can
// be chosen as the first pivot (all of them not a number).
SolveResult SolveGaussJordan(FitMatrix& a, double (&b)[kMaxFitParams], int n);

// The same elimination for b alone: b and the result are exactly those of SolveGaussJordan, a is left partly
// reduced.
SolveResult SolveGaussJordanForB(FitMatrix& a, double (&b)[kMaxFitParams], int n);

}  // namespace ExtLib
