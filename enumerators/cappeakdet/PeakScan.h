// The zig-zag peak scan of the cardiac peak detector: a free function over a block of samples with its state
// kept in a plain struct, so a block may end anywhere and the scan resumes with the next one.
#pragma once

#include <cstdint>

namespace ZR::Enum::CAPPeakDet {

enum PeakPhase : int32_t { kRestart = 0, kSeekingRise = 1, kPeakCandidate = 2, kPeakConfirmed = 3 };

// Ticks are sample ticks of the record; values are the channel's units.
struct PeakScanState {
  int32_t troughTick = 0;  // lowest sample since the search (re)started
  float troughValue = 0.0f;
  int32_t peakTick = 0;    // highest sample since the trough; seeking a rise, a sample since it no higher
  float peakValue = 0.0f;
  int32_t fallTick = 0;    // lowest sample after the peak; following the fall, a sample since it no lower
  float fallValue = 0.0f;
  int32_t phase = kRestart;
};

struct PeakScanParams {
  double minHeight = 1e-30;   // minimum rise and fall (strictly exceeded)
  int32_t minWidthTicks = 0;  // a peak passes when 2 x (fall tick - peak tick) is at least this
};

// Scans samples[0, count), sample i lying at tick firstTick + i, until the samples end or a peak is confirmed
// (phase kPeakConfirmed; the sample that completed its fall is the last one consumed). A peak whose fall is
// deep enough but too narrow is discarded and the search restarts at the next sample. position is raised to
// the lowest tick at which the next peak may still lie. Answers the number of samples consumed.
int32_t ScanPeaks(PeakScanState& state, int32_t& position, const PeakScanParams& params, const float* samples,
                  int32_t count, int32_t firstTick) noexcept;

}  // namespace ZR::Enum::CAPPeakDet
