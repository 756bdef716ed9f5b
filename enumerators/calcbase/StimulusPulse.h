// The stimulus's own pulse, which the baseline search after a stimulus passes over.
#pragma once

#include <cstdint>

namespace ZR::Enum::CalcBase {

// The stimulus sample (the top of its pulse, where the pulse detector places a stimulus) and the samples after it
// that lie nearer that top than the level the pulse rose from: the mean of the samples fed before the stimulus
// (since the previous event). It is a pulse only when the top lies beyond every one of those samples, farther from
// that level than the peak is, and when the signal after it comes back to that level without going on past it by
// more than half the pulse, as an artefact does. The baseline is the best segment that does not start within the
// pulse; only when there is none (the peak follows the pulse at once) is the pulse's own taken, as without this
// rule. Ticks inclusive; the state is fed in order, block by block, and may stop and resume anywhere.
struct StimulusPulse {
  static constexpr int32_t kLasting = INT32_MAX;
  int32_t tick = -1;   // the stimulus sample; -1 when there is no stimulus to pass over
  int32_t seen = 0;    // the samples fed before the stimulus, their sum (double: they may be many) and extremes
  double sum = 0.0;
  float low = 0.0f;
  float high = 0.0f;
  float top = 0.0f;    // the stimulus sample
  float from = 0.0f;   // the level the pulse rose from
  int32_t end = -1;    // the first sample after the pulse; kLasting while it lasts, -1 without a pulse
  // The best eligible segment outside the pulse, scored as the scanner scores them; it counts only while end is
  // not -1 (a pulse found not to be one leaves the scanner's own best).
  double bestScore = 0.0;
  float bestMean = -1.0f;
  int32_t bestStartTick = -1;
  int32_t bestEndTick = -1;
};

// Follows the pulse over samples v[0..count) at ticks firstTick.., before the peak of level peak.
void TrackStimulusPulse(StimulusPulse& p, double peak, const float* v, int32_t firstTick, int32_t count) noexcept;

// A segment starting at tick start holds samples of the pulse (the pulse lasting or ended after it).
inline bool StartsInPulse(const StimulusPulse& p, int32_t start) noexcept { return p.end >= 0 && start < p.end; }

}  // namespace ZR::Enum::CalcBase
