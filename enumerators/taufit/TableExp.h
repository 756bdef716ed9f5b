// exp over an array of doubles in SSE registers, for the tau fit's model.
#pragma once

#include <cstdint>

namespace ExtLib {

// out[i] = exp(x[i]) for i in [0, n); out may be x. For |x| < 700 the result comes from a table of
// 2^(j/128) and a degree-6 polynomial, within 1 ulp of the exact value and equal to the correctly rounded
// one for all but about one argument in a thousand; any other argument (large, infinite, NaN) goes to
// std::exp. The C library's exp on this target runs on the x87 unit and costs several times as much.
void TableExp(const double* x, double* out, int32_t n) noexcept;

}  // namespace ExtLib
