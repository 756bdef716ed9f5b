// exp over an array of doubles in SSE registers, for the tau fit's model.
#include "enumerators/taufit/TableExp.h"

#include <emmintrin.h>

#include <cmath>
#include <cstring>

namespace ExtLib {

namespace {

#include "enumerators/taufit/ExpTable.inc"

// exp(x) = 2^(k / 128) * exp(r) with k the integer nearest x * 128 / ln2 and |r| <= ln2 / 256. The
// reduction is exact up to the rounding of r; exp(r) - 1 is its Taylor polynomial to r^6 (truncation
// below 2^-60 relative); the table entry carries 2^(j/128) to about 106 bits, so the result is rounded once
// in the final addition apart from errors of about 0.01 ulp.
inline double OneExp(double x) noexcept {
  if (!(x > -700.0 && x < 700.0))
    return std::exp(x);
  // Adding 1.5 * 2^52 rounds x * 128 / ln2 to an integer held in the low bits of the sum.
  constexpr double kShift = 0x1.8p52;
  const double shifted = x * kInvLn2Over128 + kShift;
  uint64_t bits;
  std::memcpy(&bits, &shifted, sizeof bits);
  const int32_t k = static_cast<int32_t>(static_cast<uint32_t>(bits));
  const double kd = shifted - kShift;
  const double r = (x - kd * kLn2Over128Hi) - kd * kLn2Over128Lo;
  const double p =
    r + (r * r) * (0.5 + r * (1.0 / 6.0 + r * (1.0 / 24.0 + r * (1.0 / 120.0 + r * (1.0 / 720.0)))));
  const double* t = kExpTable[k & 127];
  const double v = t[0] + (t[1] + t[0] * p);
  // |x| < 700 keeps k / 128 within [-1010, 1010]: the scale is a normal power of two and v * scale exact.
  // The scale's bits are formed in an SSE register: two 32-bit halves stored and read back as one double
  // would stall the read.
  const __m128i scaleBits = _mm_slli_epi64(_mm_cvtsi32_si128((k >> 7) + 1023), 52);
  return v * _mm_cvtsd_f64(_mm_castsi128_pd(scaleBits));
}

// OneExp for two arguments in one SSE register, both inside (-700, 700): the same operations in the
// same order, so each lane's result equals OneExp's bit for bit.
inline __m128d TwoExp(__m128d x) noexcept {
  const __m128d shift = _mm_set1_pd(0x1.8p52);
  const __m128d shifted = _mm_add_pd(_mm_mul_pd(x, _mm_set1_pd(kInvLn2Over128)), shift);
  const __m128i k = _mm_castpd_si128(shifted);  // k in the low 32 bits of each 64-bit lane
  const __m128d kd = _mm_sub_pd(shifted, shift);
  const __m128d r = _mm_sub_pd(_mm_sub_pd(x, _mm_mul_pd(kd, _mm_set1_pd(kLn2Over128Hi))),
                               _mm_mul_pd(kd, _mm_set1_pd(kLn2Over128Lo)));
  __m128d q = _mm_add_pd(_mm_set1_pd(1.0 / 120.0), _mm_mul_pd(r, _mm_set1_pd(1.0 / 720.0)));
  q = _mm_add_pd(_mm_set1_pd(1.0 / 24.0), _mm_mul_pd(r, q));
  q = _mm_add_pd(_mm_set1_pd(1.0 / 6.0), _mm_mul_pd(r, q));
  q = _mm_add_pd(_mm_set1_pd(0.5), _mm_mul_pd(r, q));
  const __m128d p = _mm_add_pd(r, _mm_mul_pd(_mm_mul_pd(r, r), q));
  const int32_t k0 = _mm_cvtsi128_si32(k);
  const int32_t k1 = _mm_cvtsi128_si32(_mm_unpackhi_epi64(k, k));
  const __m128d t0 = _mm_loadu_pd(kExpTable[k0 & 127]);
  const __m128d t1 = _mm_loadu_pd(kExpTable[k1 & 127]);
  const __m128d hi = _mm_unpacklo_pd(t0, t1);
  const __m128d lo = _mm_unpackhi_pd(t0, t1);
  const __m128d v = _mm_add_pd(hi, _mm_add_pd(lo, _mm_mul_pd(hi, p)));
  // (k >> 7) + 1023 in the low 32 bits of each lane, moved into the exponent field; the high halves shift out.
  const __m128i biased = _mm_add_epi32(_mm_srai_epi32(k, 7), _mm_set1_epi32(1023));
  return _mm_mul_pd(v, _mm_castsi128_pd(_mm_slli_epi64(biased, 52)));
}

inline bool BothInRange(__m128d x) noexcept {
  const __m128d inside = _mm_and_pd(_mm_cmpgt_pd(x, _mm_set1_pd(-700.0)), _mm_cmplt_pd(x, _mm_set1_pd(700.0)));
  return _mm_movemask_pd(inside) == 3;
}

}  // namespace

void TableExp(const double* x, double* out, int32_t n) noexcept {
  int32_t i = 0;
  for (; i + 1 < n; i += 2) {
    const __m128d v = _mm_loadu_pd(x + i);
    if (BothInRange(v)) {
      _mm_storeu_pd(out + i, TwoExp(v));
    } else {
      out[i] = OneExp(x[i]);
      out[i + 1] = OneExp(x[i + 1]);
    }
  }
  if (i < n)
    out[i] = OneExp(x[i]);
}

}  // namespace ExtLib
