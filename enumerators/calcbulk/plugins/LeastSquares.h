// Least-squares slope of a ring of samples against their running number, for the smoothed-slope plug-ins.
#pragma once

#include <cstdint>

namespace ZR::Enum::CalcBulk {

// Slope per sample of the line through ring[oldest], ring[oldest+1], ... (n samples,
// wrapping at n) against x = 1..n: (n Sxy - Sx Sy) / (n Sxx - Sx^2). n >= 2. Sums in
// double so that long windows keep their precision.
double RingSlope(const float* ring, int32_t n, int32_t oldest) noexcept;

// RingSlope over n contiguous samples (oldest first), with the sums over x formed once for all windows of
// one length: the same operations in the same order, so the same bits. With N > 0 the length is N, fixed
// at compile time so that the sums unroll.
template <int32_t N = 0>
class WindowSlope {
 public:
  explicit WindowSlope(int32_t n) noexcept
      : mN(n), mDn(n), mSx(mDn * (mDn + 1.0) / 2.0),
        mDenominator(mDn * (mDn * (mDn + 1.0) * (2.0 * mDn + 1.0) / 6.0) - mSx * mSx) {}
  double operator()(const float* window) const noexcept {
    double sy = 0.0;
    double sxy = 0.0;
    const int32_t n = N > 0 ? N : mN;
    for (int32_t x = 1; x <= n; ++x) {
      const double v = window[x - 1];
      sy += v;
      sxy += v * x;
    }
    return (mDn * sxy - mSx * sy) / mDenominator;
  }

 private:
  int32_t mN;
  double mDn;
  double mSx;
  double mDenominator;
};

}  // namespace ZR::Enum::CalcBulk
