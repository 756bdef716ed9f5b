// The stimulus's own pulse, followed sample by sample.
#include "enumerators/calcbase/StimulusPulse.h"

#include <cmath>

namespace ZR::Enum::CalcBase {

namespace {

// The stimulus sample: a pulse when it lies beyond every earlier sample, away from their mean, and farther from
// that mean than the peak.
void Decide(StimulusPulse& p, double peak, float v) noexcept {
  p.top = v;
  p.end = -1;
  if (p.seen == 0) return;
  const double top = v;
  const double from = p.sum / p.seen;
  const bool beyond = top > from ? top >= p.high : top <= p.low;
  if (!beyond || !(std::fabs(top - from) > std::fabs(peak - from))) return;
  p.from = static_cast<float>(from);
  p.end = StimulusPulse::kLasting;
}

}  // namespace

void TrackStimulusPulse(StimulusPulse& p, double peak, const float* v, int32_t firstTick, int32_t count) noexcept {
  if (p.tick < 0 || count <= 0) return;
  if (firstTick > p.tick && p.end != StimulusPulse::kLasting) return;
  int32_t i = 0;
  for (; i < count && firstTick + i < p.tick; ++i) {
    const float x = v[i];
    if (p.seen == 0 || x < p.low) p.low = x;
    if (p.seen == 0 || x > p.high) p.high = x;
    p.sum += x;
    ++p.seen;
  }
  if (i < count && firstTick + i == p.tick) Decide(p, peak, v[i++]);
  const double top = p.top;
  const double from = p.from;
  for (; i < count && p.end == StimulusPulse::kLasting; ++i) {
    const double x = v[i];
    if (std::fabs(x - top) < std::fabs(x - from)) continue;
    // A pulse comes back to where it rose from. A signal that goes on past that level by more than half the
    // pulse is rising out of a low that the stimulus was put on (a fall into the next artefact): no pulse.
    const bool past = (x - from) * (from - top) > 0.0 && std::fabs(x - from) > 0.5 * std::fabs(top - from);
    p.end = past ? -1 : firstTick + i;
  }
}

}  // namespace ZR::Enum::CalcBase
