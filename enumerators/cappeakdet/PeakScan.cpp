// The zig-zag peak scan.
#include "enumerators/cappeakdet/PeakScan.h"

#include <algorithm>

#include "base/SampleScan.h"

// Differences of the single-precision samples are formed in double and compared with the double minimum
// height; all tests are strict.

namespace ZR::Enum::CAPPeakDet {

namespace {

// A peak complete in height passes the width test when twice its fall duration reaches the minimum width.
bool WideEnough(int32_t fallTick, int32_t peakTick, int32_t minWidthTicks) noexcept {
  return 2 * (static_cast<int64_t>(fallTick) - peakTick) >= minWidthTicks;
}

// Seeking a rise: every sample raises the position to its tick + 1, which is applied once per run. Answers the
// index after the last sample consumed; leaves the phase kPeakCandidate when the rise becomes high enough.
int32_t SeekRise(PeakScanState& state, int32_t& position, double minHeight, const float* samples, int32_t i,
                 int32_t count, int32_t firstTick) noexcept {
  PeakScanState s = state;  // in registers: the samples might alias the state
  const int32_t runStart = i;
  double trough = s.troughValue;
  // Samples between the trough and the peak change nothing: the search passes over them.
  for (; (i = SampleScan::FindFirstOutside(samples, i, count, s.troughValue, s.peakValue)) < count; ++i) {
    const float v = samples[i];
    if (v < s.troughValue) {
      s.troughValue = s.peakValue = v;
      s.troughTick = s.peakTick = firstTick + i;
      trough = v;
    } else if (v > s.peakValue) {
      s.peakValue = v;
      s.peakTick = firstTick + i;
      if (static_cast<double>(v) - trough > minHeight) {
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
  if (count > runStart) position = std::max(position, firstTick + count);
  state = s;
  return count;
}

// A peak candidate: the position stays at the peak tick - 1 (set when the candidate began or the peak rose).
// Answers the index after the last sample consumed; ends early when the fall completes the peak (confirmed,
// or discarded to kRestart when too narrow).
int32_t FollowFall(PeakScanState& state, int32_t& position, const PeakScanParams& params, const float* samples,
                   int32_t i, int32_t count, int32_t firstTick) noexcept {
  PeakScanState s = state;  // in registers: the samples might alias the state
  double peak = s.peakValue;
  // Samples between the fall and the peak change nothing: the search passes over them.
  for (; (i = SampleScan::FindFirstOutside(samples, i, count, s.fallValue, s.peakValue)) < count; ++i) {
    const float v = samples[i];
    if (v < s.fallValue) {
      s.fallValue = v;
      s.fallTick = firstTick + i;
      if (peak - static_cast<double>(v) > params.minHeight) {
        s.phase = WideEnough(s.fallTick, s.peakTick, params.minWidthTicks) ? kPeakConfirmed : kRestart;
        state = s;
        return i + 1;
      }
    } else if (v > s.peakValue) {
      // Still high enough: the new peak exceeds the trough by more than the old one did.
      s.peakValue = s.fallValue = v;
      s.peakTick = s.fallTick = firstTick + i;
      peak = v;
      position = std::max(position, s.peakTick - 1);
    }
  }
  state = s;
  return count;
}

}  // namespace

int32_t ScanPeaks(PeakScanState& state, int32_t& position, const PeakScanParams& params, const float* samples,
                  int32_t count, int32_t firstTick) noexcept {
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
      i = SeekRise(state, position, params.minHeight, samples, i, count, firstTick);
    } else {
      i = FollowFall(state, position, params, samples, i, count, firstTick);
    }
  }
  return i;
}

}  // namespace ZR::Enum::CAPPeakDet
