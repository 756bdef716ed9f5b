// Least-squares slope of a ring of samples against their running number, for the smoothed-slope plug-ins.
#pragma once

#include <cstdint>

namespace ZR::Enum::CalcBulk {

// Slope per sample of the line through ring[oldest], ring[oldest+1], ... (n samples,
// wrapping at n) against x = 1..n: (n Sxy - Sx Sy) / (n Sxx - Sx^2). n >= 2. Sums in
// double so that long windows keep their precision.
double RingSlope(const float* ring, int32_t n, int32_t oldest) noexcept;

}  // namespace ZR::Enum::CalcBulk
