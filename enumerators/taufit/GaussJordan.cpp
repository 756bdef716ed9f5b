// Gauss-Jordan elimination with full pivoting for the tau fit's small systems.
#include "enumerators/taufit/GaussJordan.h"

#include <cmath>
#include <utility>

#include "base/SseFabs.h"
#include "enumerators/taufit/TauMuntedException.h"

namespace ExtLib {

namespace {

struct Pivot {
  int row = -1;
  int col = -1;
};

// Largest unused element (by magnitude); NaN never qualifies, so a matrix of
// NaNs yields no pivot at all.
template <int n>
Pivot ChoosePivot(const FitMatrix& a, const int (&used)[kMaxFitParams]) {
  Pivot p;
  double big = 0.0;
  for (int j = 0; j < n; ++j) {
    if (used[j] != 0)
      continue;
    for (int k = 0; k < n; ++k) {
      if (used[k] == 0 && SseFabs(a[j][k]) >= big) {
        big = SseFabs(a[j][k]);
        p.row = j;
        p.col = k;
      }
    }
  }
  return p;
}

// Without kInverse only the columns not yet pivoted are reduced (besides b): an entry of a pivoted column only
// ever feeds entries of its own column, so b, every pivot choice and every factor come out the same.
template <int n, bool kInverse>
void EliminateColumn(FitMatrix& a, double (&b)[kMaxFitParams], int col, const int (&used)[kMaxFitParams]) {
  for (int r = 0; r < n; ++r) {
    if (r == col)
      continue;
    const double factor = a[r][col];
    a[r][col] = 0.0;
    for (int c = 0; c < n; ++c) {
      if (kInverse || used[c] == 0)
        a[r][c] -= a[col][c] * factor;
    }
    b[r] -= b[col] * factor;
  }
}

// The elimination for a fixed size, so that the small loops unroll.
template <int n, bool kInverse>
SolveResult Solve(FitMatrix& a, double (&b)[kMaxFitParams]) {
  int used[kMaxFitParams] = {};
  int rowOf[kMaxFitParams] = {};
  int colOf[kMaxFitParams] = {};
  for (int i = 0; i < n; ++i) {
    const Pivot p = ChoosePivot<n>(a, used);
    if (p.col < 0) {
      // Only the very first pivot can be missing without a column being
      // reused; later a missing pivot means a column is needed twice.
      if (i == 0)
        throw TauMuntedException();
      return SolveResult::Singular;
    }
    used[p.col] = 1;
    if (p.row != p.col) {
      for (int c = 0; c < n; ++c)
        std::swap(a[p.row][c], a[p.col][c]);
      std::swap(b[p.row], b[p.col]);
    }
    rowOf[i] = p.row;
    colOf[i] = p.col;
    if (a[p.col][p.col] == 0.0)
      return SolveResult::Singular;
    const double inverse = 1.0 / a[p.col][p.col];
    a[p.col][p.col] = 1.0;
    for (int c = 0; c < n; ++c) {
      if (kInverse || used[c] == 0 || c == p.col)
        a[p.col][c] *= inverse;
    }
    b[p.col] *= inverse;
    EliminateColumn<n, kInverse>(a, b, p.col, used);
  }
  if (!kInverse)
    return SolveResult::Solved;
  // Undo the row interchanges as column interchanges of the inverse.
  for (int i = n - 1; i >= 0; --i) {
    if (rowOf[i] == colOf[i])
      continue;
    for (int r = 0; r < n; ++r)
      std::swap(a[r][rowOf[i]], a[r][colOf[i]]);
  }
  return SolveResult::Solved;
}

template <bool kInverse>
SolveResult SolveOfSize(FitMatrix& a, double (&b)[kMaxFitParams], int n) {
  switch (n) {
    case 1:
      return Solve<1, kInverse>(a, b);
    case 2:
      return Solve<2, kInverse>(a, b);
    case 3:
      return Solve<3, kInverse>(a, b);
    default:  // nothing to eliminate
      return SolveResult::Solved;
  }
}

}  // namespace

SolveResult SolveGaussJordan(FitMatrix& a, double (&b)[kMaxFitParams], int n) {
  return SolveOfSize<true>(a, b, n);
}

SolveResult SolveGaussJordanForB(FitMatrix& a, double (&b)[kMaxFitParams], int n) {
  return SolveOfSize<false>(a, b, n);
}

}  // namespace ExtLib
