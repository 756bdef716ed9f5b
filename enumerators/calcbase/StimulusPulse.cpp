// The stimulus's own pulse, followed sample by sample.
#include "enumerators/calcbase/StimulusPulse.h"

#include <cmath>

namespace ZR::Enum::CalcBase {

namespace {

// The stimulus sample: a pulse when it lies beyond every earlier sample, away from the one farthest from it, and
// farther from the peak than that one.
void Decide(StimulusPulse& p, double peak, float v) noexcept {
  p.top = v;
  p.end = -1;
  if (!p.seen) return;
  const double top = v;
  const bool rose = std::fabs(p.low - top) >= std::fabs(p.high - top);  // up from the lowest sample
  const double from = rose ? p.low : p.high;
  const bool beyond = rose ? top >= p.high : top <= p.low;
  if (!beyond || !(std::fabs(top - peak) > std::fabs(from - peak))) return;
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
    if (!p.seen || x < p.low) p.low = x;
    if (!p.seen || x > p.high) p.high = x;
    p.seen = true;
  }
  if (i < count && firstTick + i == p.tick) Decide(p, peak, v[i++]);
  const double top = p.top;
  const double from = p.from;
  for (; i < count && p.end == StimulusPulse::kLasting; ++i) {
    const double x = v[i];
    if (!(std::fabs(x - top) < std::fabs(x - from))) p.end = firstTick + i;
  }
}

}  // namespace ZR::Enum::CalcBase
