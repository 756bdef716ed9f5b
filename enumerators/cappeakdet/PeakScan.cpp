// The zig-zag peak scan.
#include "enumerators/cappeakdet/PeakScan.h"

#include <emmintrin.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>

// Differences of the single-precision samples are formed in double and compared with the double minimum
// height; all tests are strict.
//
// While seeking a rise, a rise is complete at the first sample more than the minimum height above the lowest
// sample so far: the peak since the trough never stands that high (it would have completed the rise), so
// such a sample is always a new peak. While following a fall, the fall is likewise complete at the first
// sample more than the minimum height below the highest sample so far. So the scan passes groups of four
// samples with packed running minima (maxima) while no difference can pass, finds where the trough (peak)
// moved among the samples passed afterwards, and steps sample by sample only through the group where one may.
// The peak while seeking a rise and the fall while following one decide nothing: they are kept only as bounds
// (see PeakScanState), and the step-by-step rules stay right with them.

namespace ZR::Enum::CAPPeakDet {

namespace {

// A peak complete in height passes the width test when twice its fall duration reaches the minimum width.
bool WideEnough(int32_t fallTick, int32_t peakTick, int32_t minWidthTicks) noexcept {
  return 2 * (static_cast<int64_t>(fallTick) - peakTick) >= minWidthTicks;
}

// The float level a packed float difference must exceed for the double test "difference > minHeight" to be
// possible: float differences round by at most 2^-24 of their size, so a level 2^-20 below the minimum height
// lets every difference that passes through (and a few that do not, which the exact test sorts out). A minimum
// height of zero or less lets everything through; a NaN lets only NaN and infinite differences through.
float FilterLevel(double minHeight) noexcept {
  if (minHeight != minHeight) return FLT_MAX;
  if (!(minHeight > 0.0)) return -HUGE_VALF;
  const double lowered = std::min(minHeight * (1.0 - 1.0 / 1048576.0), static_cast<double>(FLT_MAX));
  // One float below the rounded value, which may lie above lowered: positive floats order as their bits.
  const float rounded = static_cast<float>(lowered);
  uint32_t bits = 0;
  std::memcpy(&bits, &rounded, sizeof bits);
  if (bits > 0) --bits;
  float level = 0.0f;
  std::memcpy(&level, &bits, sizeof level);
  return level;
}

// The extreme of a and b: the minimum while seeking a rise, the maximum while following a fall. On a tie (and
// when either is a NaN) the answer is b, so a carried extreme passed as b moves only when strictly passed.
template <bool kRising>
inline __m128 Extreme(__m128 a, __m128 b) noexcept {
  return kRising ? _mm_min_ps(a, b) : _mm_max_ps(a, b);
}

// Running extreme over the four lanes from lane 0.
template <bool kRising>
inline __m128 Prefix(__m128 x) noexcept {
  const __m128 m = Extreme<kRising>(x, _mm_shuffle_ps(x, x, _MM_SHUFFLE(2, 1, 0, 0)));
  return Extreme<kRising>(m, _mm_shuffle_ps(m, m, _MM_SHUFFLE(1, 0, 0, 0)));
}

inline __m128 LastLane(__m128 m) noexcept {
  return _mm_shuffle_ps(m, m, _MM_SHUFFLE(3, 3, 3, 3));
}

// Each sample above the running minimum m (rising) or below the running maximum m (falling).
template <bool kRising>
inline __m128 Differences(__m128 x, __m128 m) noexcept {
  return kRising ? _mm_sub_ps(x, m) : _mm_sub_ps(m, x);
}

// Passes whole groups of four from i while no sample stands more than level above the running minimum
// started from extreme (rising) or below the running maximum started from extreme (falling); a NaN sample
// stops the pass. Answers where it stopped; extreme becomes the minimum (maximum) passed, first reached in the
// eight samples from movedAt when it moved (min and max keep the carry on a tie, so it moves only when strictly
// passed). Two groups at a time, then one.
template <bool kRising>
int32_t PassGroups(const float* v, int32_t i, int32_t count, float level, float& extreme,
                   int32_t& movedAt) noexcept {
  __m128 carry = _mm_set1_ps(extreme);
  const __m128 l = _mm_set1_ps(level);
  bool still = true;  // the extreme did not move over the last eight samples
  for (; i + 8 <= count; i += 8) {
    const __m128 x1 = _mm_loadu_ps(v + i);
    const __m128 x2 = _mm_loadu_ps(v + i + 4);
    // Where the extreme stands still, mostly no sample passes it, and then no running extreme is needed.
    if (still) {
      const __m128 beyond = kRising ? _mm_or_ps(_mm_cmplt_ps(x1, carry), _mm_cmplt_ps(x2, carry))
                                    : _mm_or_ps(_mm_cmpgt_ps(x1, carry), _mm_cmpgt_ps(x2, carry));
      const __m128 e1 = kRising ? _mm_sub_ps(x1, carry) : _mm_sub_ps(carry, x1);
      const __m128 e2 = kRising ? _mm_sub_ps(x2, carry) : _mm_sub_ps(carry, x2);
      const __m128 far = _mm_or_ps(_mm_cmpnle_ps(e1, l), _mm_cmpnle_ps(e2, l));  // NaN too
      if (_mm_movemask_ps(_mm_or_ps(beyond, far)) == 0) continue;
    }
    // The running extreme of the eight samples alone, then the carry brought in once: the carry is all that
    // ties one pair of groups to the next.
    const __m128 p1 = Prefix<kRising>(x1);
    const __m128 p2 = Extreme<kRising>(Prefix<kRising>(x2), LastLane(p1));
    const __m128 d1 = Differences<kRising>(x1, Extreme<kRising>(p1, carry));
    const __m128 d2 = Differences<kRising>(x2, Extreme<kRising>(p2, carry));
    if (_mm_movemask_ps(_mm_or_ps(_mm_cmpnle_ps(d1, l), _mm_cmpnle_ps(d2, l))) != 0) break;  // NaN too
    const __m128 next = Extreme<kRising>(LastLane(p2), carry);
    still = _mm_movemask_ps(_mm_cmpneq_ps(next, carry)) == 0;
    movedAt = still ? movedAt : i;
    carry = next;
  }
  if (i + 4 <= count) {
    const __m128 x = _mm_loadu_ps(v + i);
    const __m128 p = Prefix<kRising>(x);
    if (_mm_movemask_ps(_mm_cmpnle_ps(Differences<kRising>(x, Extreme<kRising>(p, carry)), l)) == 0) {
      const __m128 next = Extreme<kRising>(LastLane(p), carry);
      movedAt = _mm_movemask_ps(_mm_cmpneq_ps(next, carry)) != 0 ? i : movedAt;
      carry = next;
      i += 4;
    }
  }
  extreme = _mm_cvtss_f32(carry);
  return i;
}

// The first i in [begin, end) with v[i] == value; end when there is none.
int32_t FindFirstEqual(const float* v, int32_t begin, int32_t end, float value) noexcept {
  const __m128 x = _mm_set1_ps(value);
  int32_t i = begin;
  for (; i + 4 <= end; i += 4) {
    const int mask = _mm_movemask_ps(_mm_cmpeq_ps(_mm_loadu_ps(v + i), x));
    if (mask != 0) return i + __builtin_ctz(static_cast<unsigned>(mask));
  }
  while (i < end && v[i] != value) ++i;
  return i;
}

// After samples [from, to) that completed no rise: the trough the sample-by-sample search holds, lowest being
// the smallest of the trough and those samples, first reached at or after lowestFrom (the search moves it only
// on a strictly lower sample, so it lies at the first sample of its value). A trough that moved takes the peak
// with it, which keeps the peak at or below the highest sample since the trough.
void SettleRise(PeakScanState& s, const float* v, int32_t to, float lowest, int32_t lowestFrom,
                int32_t firstTick) noexcept {
  if (!(lowest < s.troughValue)) return;
  const int32_t at = FindFirstEqual(v, lowestFrom, to, lowest);
  s.troughValue = s.peakValue = v[at];
  s.troughTick = s.peakTick = firstTick + at;
}

// After samples that completed no fall: the peak, highest being the largest of the peak and those samples,
// first reached at or after highestFrom; a higher peak takes the fall with it (which keeps the fall at or above
// the lowest sample since the peak) and raises the position to its tick - 1.
void SettleFall(PeakScanState& s, int32_t& position, const float* v, int32_t to, float highest, int32_t highestFrom,
                int32_t firstTick) noexcept {
  if (!(highest > s.peakValue)) return;
  const int32_t at = FindFirstEqual(v, highestFrom, to, highest);
  s.peakValue = s.fallValue = v[at];
  s.peakTick = s.fallTick = firstTick + at;
  position = std::max(position, s.peakTick - 1);
}

// Seeking a rise: every sample raises the position to its tick + 1, which is applied once per run. Answers the
// index after the last sample consumed; leaves the phase kPeakCandidate when the rise becomes high enough.
int32_t SeekRise(PeakScanState& state, int32_t& position, double minHeight, float level, const float* samples,
                 int32_t i, int32_t count, int32_t firstTick) noexcept {
  PeakScanState s = state;  // in registers: the samples might alias the state
  const int32_t runStart = i;
  while (i < count) {
    float lowest = s.troughValue;
    int32_t lowestFrom = i;
    const int32_t passed = PassGroups<true>(samples, i, count, level, lowest, lowestFrom);
    if (passed > i) SettleRise(s, samples, passed, lowest, lowestFrom, firstTick);
    const int32_t stop = std::min(count, passed + 4);
    for (i = passed; i < stop; ++i) {
      const float v = samples[i];
      if (v < s.troughValue) {
        s.troughValue = s.peakValue = v;
        s.troughTick = s.peakTick = firstTick + i;
      } else if (v > s.peakValue) {
        s.peakValue = v;
        s.peakTick = firstTick + i;
        if (static_cast<double>(v) - static_cast<double>(s.troughValue) > minHeight) {
          const int32_t t = firstTick + i;
          s.fallValue = v;
          s.fallTick = t;
          s.phase = kPeakCandidate;
          position = std::max(position, i > runStart ? t : t - 1);
          state = s;
          return i + 1;
        }
      }
    }
  }
  if (count > runStart) position = std::max(position, firstTick + count);
  state = s;
  return count;
}

// A peak candidate: the position stays at the peak tick - 1 (set when the candidate began or the peak rose).
// Answers the index after the last sample consumed; ends early when the fall completes the peak (confirmed,
// or discarded to kRestart when too narrow).
int32_t FollowFall(PeakScanState& state, int32_t& position, const PeakScanParams& params, float level,
                   const float* samples, int32_t i, int32_t count, int32_t firstTick) noexcept {
  PeakScanState s = state;  // in registers: the samples might alias the state
  while (i < count) {
    float highest = s.peakValue;
    int32_t highestFrom = i;
    const int32_t passed = PassGroups<false>(samples, i, count, level, highest, highestFrom);
    if (passed > i) SettleFall(s, position, samples, passed, highest, highestFrom, firstTick);
    const int32_t stop = std::min(count, passed + 4);
    for (i = passed; i < stop; ++i) {
      const float v = samples[i];
      if (v < s.fallValue) {
        s.fallValue = v;
        s.fallTick = firstTick + i;
        if (static_cast<double>(s.peakValue) - static_cast<double>(v) > params.minHeight) {
          s.phase = WideEnough(s.fallTick, s.peakTick, params.minWidthTicks) ? kPeakConfirmed : kRestart;
          state = s;
          return i + 1;
        }
      } else if (v > s.peakValue) {
        s.peakValue = s.fallValue = v;
        s.peakTick = s.fallTick = firstTick + i;
        position = std::max(position, s.peakTick - 1);
      }
    }
  }
  state = s;
  return count;
}

}  // namespace

int32_t ScanPeaks(PeakScanState& state, int32_t& position, const PeakScanParams& params, const float* samples,
                  int32_t count, int32_t firstTick) noexcept {
  const float level = FilterLevel(params.minHeight);
  int32_t i = 0;
  while (i < count && state.phase != kPeakConfirmed) {
    if (state.phase == kRestart) {
      const float v = samples[i];
      state.troughValue = state.peakValue = state.fallValue = v;
      state.troughTick = state.peakTick = state.fallTick = firstTick + i;
      state.phase = kSeekingRise;
      ++i;
      continue;
    }
    if (state.phase == kSeekingRise) {
      i = SeekRise(state, position, params.minHeight, level, samples, i, count, firstTick);
    } else {
      i = FollowFall(state, position, params, level, samples, i, count, firstTick);
    }
  }
  return i;
}

}  // namespace ZR::Enum::CAPPeakDet
