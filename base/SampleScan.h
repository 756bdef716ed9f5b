// Searches over float samples in SSE2 registers that answer exactly what the plain sample-by-sample loops answer.
#pragma once

#include <emmintrin.h>

#include <cstdint>

// Each search compares scale x double(v[i]) with a double level, as the plain loops do: the conversion is exact
// and each lane rounds the product as the scalar code does, so every comparison (NaN compares false) comes out
// the same, only four samples at a time. Ranges are [begin, end) indexes of v.
namespace SampleScan {

enum class Test { Above, Below, AtOrBelow, NotBelow };  // x > level, x < level, x <= level, !(x < level)

namespace Detail {

template <Test kTest>
inline bool Passes(double x, double level) noexcept {
  if constexpr (kTest == Test::Above) return x > level;
  if constexpr (kTest == Test::Below) return x < level;
  if constexpr (kTest == Test::AtOrBelow) return x <= level;
  return !(x < level);
}

template <Test kTest>
inline __m128d Passes(__m128d x, __m128d level) noexcept {
  if constexpr (kTest == Test::Above) return _mm_cmpgt_pd(x, level);
  if constexpr (kTest == Test::Below) return _mm_cmplt_pd(x, level);
  if constexpr (kTest == Test::AtOrBelow) return _mm_cmple_pd(x, level);
  return _mm_cmpnlt_pd(x, level);
}

// Bit k of the answer tells whether sample k of the four passes.
template <Test kTest>
inline int PassMask(const float* v, __m128d scale, __m128d level) noexcept {
  const __m128 x = _mm_loadu_ps(v);
  const __m128d low = _mm_mul_pd(scale, _mm_cvtps_pd(x));
  const __m128d high = _mm_mul_pd(scale, _mm_cvtps_pd(_mm_movehl_ps(x, x)));
  return _mm_movemask_pd(Passes<kTest>(low, level)) | (_mm_movemask_pd(Passes<kTest>(high, level)) << 2);
}

}  // namespace Detail

// The first i in [begin, end) whose scale x v[i] passes the test against level; end when none does.
template <Test kTest>
int32_t FindFirst(const float* v, int32_t begin, int32_t end, double scale, double level) noexcept {
  const __m128d s = _mm_set1_pd(scale);
  const __m128d l = _mm_set1_pd(level);
  int32_t i = begin;
  for (; i + 4 <= end; i += 4) {
    const int mask = Detail::PassMask<kTest>(v + i, s, l);
    if (mask != 0) return i + __builtin_ctz(static_cast<unsigned>(mask));
  }
  for (; i < end; ++i) {
    if (Detail::Passes<kTest>(scale * static_cast<double>(v[i]), level)) return i;
  }
  return end;
}

// The last i in [begin, end) whose scale x v[i] passes the test against level; -1 when none does.
template <Test kTest>
int32_t FindLast(const float* v, int32_t begin, int32_t end, double scale, double level) noexcept {
  const __m128d s = _mm_set1_pd(scale);
  const __m128d l = _mm_set1_pd(level);
  int32_t i = end;
  for (; i - 4 >= begin; i -= 4) {
    const int mask = Detail::PassMask<kTest>(v + i - 4, s, l);
    if (mask != 0) return i - 4 + 31 - __builtin_clz(static_cast<unsigned>(mask));
  }
  for (; i > begin; --i) {
    if (Detail::Passes<kTest>(scale * static_cast<double>(v[i - 1]), level)) return i - 1;
  }
  return -1;
}

// Where the loop "if (scale x v[i] > best) { best = scale x v[i]; at = i; }" over [begin, end) last updates:
// the first i holding the largest product when that exceeds best (so NaN products never count), else -1.
int32_t FindFirstLargest(const float* v, int32_t begin, int32_t end, double scale, double best) noexcept;

// The loop "if (v[i] < lowest) lowest = v[i]; if (v[i] > highest) highest = v[i];" over v[0..n); the first
// of equal extremes is kept, so a signed zero comes out as the loop leaves it.
void UpdateMinMax(const float* v, int32_t n, float& lowest, float& highest) noexcept;

// Where the loop "d = v[i] - offset; if (|d| > |best|) best = d, at = i" over [begin, end) last updates (the
// difference rounded to float): the first i of the largest |d| when that exceeds |best|, else -1.
int32_t FindFirstLargestDeviation(const float* v, int32_t begin, int32_t end, float offset, float best) noexcept;

}  // namespace SampleScan
