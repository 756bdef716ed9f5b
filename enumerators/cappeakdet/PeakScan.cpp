// The zig-zag peak scan.
#include "enumerators/cappeakdet/PeakScan.h"

#include <algorithm>

namespace ZR::Enum::CAPPeakDet {

namespace {

// A peak complete in height passes the width test when twice its fall duration reaches the minimum width.
bool WideEnough(int32_t fallTick, int32_t peakTick, int32_t minWidthTicks) noexcept {
  return 2 * (static_cast<int64_t>(fallTick) - peakTick) >= minWidthTicks;
}

// Differences of single-precision samples formed in double and compared with the double minimum height.
bool Exceeds(float high, float low, double minHeight) noexcept {
  return static_cast<double>(high) - static_cast<double>(low) > minHeight;
}

// Runs the scan from sample i while the phase is seeking or candidate; answers the index after the last
// sample consumed. Ends early when a peak completes (confirmed, or discarded to kRestart).
int32_t ScanRun(PeakScanState& s, int32_t& position, const PeakScanParams& params, const float* samples,
                int32_t i, int32_t count, int32_t firstTick) noexcept {
  int32_t pos = position;
  for (; i < count; ++i) {
    const float v = samples[i];
    const int32_t t = firstTick + i;
    if (s.phase == kPeakCandidate && v < s.fallValue) {
      s.fallValue = v;
      s.fallTick = t;
      if (Exceeds(s.peakValue, s.fallValue, params.minHeight)) {
        s.phase = WideEnough(t, s.peakTick, params.minWidthTicks) ? kPeakConfirmed : kRestart;
        position = pos;
        return i + 1;
      }
      pos = std::max(pos, s.peakTick - 1);
    } else if (v < s.troughValue) {
      s.troughValue = s.peakValue = v;
      s.troughTick = s.peakTick = t;
      s.phase = kSeekingRise;
      pos = std::max(pos, t + 1);
    } else if (v > s.peakValue) {
      s.peakValue = v;
      s.peakTick = t;
      if (Exceeds(s.peakValue, s.troughValue, params.minHeight)) {
        s.fallValue = v;
        s.fallTick = t;
        s.phase = kPeakCandidate;
        pos = std::max(pos, t - 1);
      } else {
        pos = std::max(pos, t + 1);
      }
    } else {
      pos = std::max(pos, s.phase == kPeakCandidate ? s.peakTick - 1 : t + 1);
    }
  }
  position = pos;
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
    i = ScanRun(state, position, params, samples, i, count, firstTick);
  }
  return i;
}

}  // namespace ZR::Enum::CAPPeakDet
