// Largest and smallest samples in SSE2 registers, with the plain loops' answers.
#include "base/SampleScan.h"

namespace SampleScan {

namespace {

// The largest-value searches look at chunks: a chunk whose largest value beats the best so far is searched
// again for the first sample holding it, which is where the plain loop's last update in the chunk falls.
constexpr int32_t kChunk = 64;

// max(x, acc) keeps acc where x is NaN (the second operand wins when the pair is unordered).
inline __m128d Larger(__m128d x, __m128d acc) noexcept { return _mm_max_pd(x, acc); }

double Largest(__m128d a) noexcept { return _mm_cvtsd_f64(_mm_max_pd(a, _mm_unpackhi_pd(a, a))); }

float Largest(__m128 a) noexcept {
  a = _mm_max_ps(a, _mm_movehl_ps(a, a));
  return _mm_cvtss_f32(_mm_max_ss(a, _mm_shuffle_ps(a, a, 1)));
}

float Smallest(__m128 a) noexcept {
  a = _mm_min_ps(a, _mm_movehl_ps(a, a));
  return _mm_cvtss_f32(_mm_min_ss(a, _mm_shuffle_ps(a, a, 1)));
}

// The largest of from and scale x v[0..n) (n a multiple of 4), NaN products left out; from is not NaN.
double ChunkLargest(const float* v, int32_t n, __m128d scale, double from) noexcept {
  __m128d low = _mm_set1_pd(from);
  __m128d high = low;
  for (int32_t k = 0; k < n; k += 4) {
    const __m128 x = _mm_loadu_ps(v + k);
    low = Larger(_mm_mul_pd(scale, _mm_cvtps_pd(x)), low);
    high = Larger(_mm_mul_pd(scale, _mm_cvtps_pd(_mm_movehl_ps(x, x))), high);
  }
  return Largest(_mm_max_pd(low, high));
}

// The largest of from and |v[k] - offset| over v[0..n) (n a multiple of 4), NaN left out; from is not NaN.
float ChunkLargestDeviation(const float* v, int32_t n, __m128 offset, float from) noexcept {
  const __m128 absMask = _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF));
  __m128 acc = _mm_set1_ps(from);
  for (int32_t k = 0; k < n; k += 4)
    acc = _mm_max_ps(_mm_and_ps(_mm_sub_ps(_mm_loadu_ps(v + k), offset), absMask), acc);
  return Largest(acc);
}

// The first i in [0, n) with v[i] == 0 (either sign).
int32_t FirstZero(const float* v, int32_t n) noexcept {
  int32_t i = 0;
  while (i < n && v[i] != 0.0f) ++i;
  return i;
}

// Where the loop "if (valueAt(i) > best) { best = valueAt(i); at = i; }" over [begin, end) last updates, by
// chunks: chunkLargest(i, n, from) answers the largest of from and the chunk's values (n a multiple of 4).
template <class T, class ChunkFn, class ValueFn>
int32_t FirstLargest(int32_t begin, int32_t end, T best, ChunkFn chunkLargest, ValueFn valueAt) noexcept {
  if (best != best) return -1;  // nothing exceeds NaN
  int32_t at = -1;
  int32_t i = begin;
  while (end - i >= 4) {
    const int32_t n = end - i < kChunk ? (end - i) & ~3 : kChunk;
    const T largest = chunkLargest(i, n, best);
    if (largest > best) {
      at = i;
      while (valueAt(at) != largest) ++at;
      best = largest;
    }
    i += n;
  }
  for (; i < end; ++i) {
    const T x = valueAt(i);
    if (x > best) {
      best = x;
      at = i;
    }
  }
  return at;
}

}  // namespace

int32_t FindFirstLargest(const float* v, int32_t begin, int32_t end, double scale, double best) noexcept {
  const __m128d s = _mm_set1_pd(scale);
  return FirstLargest(
    begin, end, best, [&](int32_t i, int32_t n, double from) { return ChunkLargest(v + i, n, s, from); },
    [&](int32_t i) { return scale * static_cast<double>(v[i]); });
}

void UpdateMinMax(const float* v, int32_t n, float& lowest, float& highest) noexcept {
  __m128 low = _mm_set1_ps(lowest);
  __m128 high = _mm_set1_ps(highest);
  int32_t i = 0;
  // min(x, acc) and max(x, acc) keep acc where x is NaN, and a NaN start stays NaN, as in the loop.
  for (; i + 4 <= n; i += 4) {
    const __m128 x = _mm_loadu_ps(v + i);
    low = _mm_min_ps(x, low);
    high = _mm_max_ps(x, high);
  }
  // Equal floats have equal bits but for zeros: a zero extreme is the first zero's.
  const float smallest = Smallest(low);
  if (smallest < lowest) lowest = smallest != 0.0f ? smallest : v[FirstZero(v, i)];
  const float largest = Largest(high);
  if (largest > highest) highest = largest != 0.0f ? largest : v[FirstZero(v, i)];
  for (; i < n; ++i) {
    if (v[i] < lowest) lowest = v[i];
    if (v[i] > highest) highest = v[i];
  }
}

int32_t FindFirstLargestDeviation(const float* v, int32_t begin, int32_t end, float offset, float best) noexcept {
  const __m128 o = _mm_set1_ps(offset);
  return FirstLargest(
    begin, end, __builtin_fabsf(best),
    [&](int32_t i, int32_t n, float from) { return ChunkLargestDeviation(v + i, n, o, from); },
    [&](int32_t i) { return __builtin_fabsf(v[i] - offset); });
}

}  // namespace SampleScan
