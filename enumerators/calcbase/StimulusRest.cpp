// The rest before a stimulus, and the response's foot after it.
#include "enumerators/calcbase/StimulusRest.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ZR::Enum::CalcBase {

namespace {

double Median(std::vector<double>& x) {
  const size_t half = x.size() / 2;
  std::nth_element(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(half), x.end());
  const double upper = x[half];
  if (x.size() % 2 != 0) return upper;
  return 0.5 * (upper + *std::max_element(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(half)));
}

// The noise's SD about level over v[0..count): 1.4826 x the median absolute deviation, or, when more than half the
// deviations are 0, the root mean square deviation.
double NoiseSd(const float* v, int32_t count, double level) {
  std::vector<double> d(static_cast<size_t>(count));
  double squares = 0.0;
  for (int32_t i = 0; i < count; ++i) {
    d[static_cast<size_t>(i)] = std::fabs(v[i] - level);
    squares += d[static_cast<size_t>(i)] * d[static_cast<size_t>(i)];
  }
  const double mad = Median(d);
  return mad > 0.0 ? 1.4826 * mad : std::sqrt(squares / count);
}

double MedianOf(const float* v, int32_t count) {
  std::vector<double> x(v, v + count);
  return Median(x);
}

}  // namespace

void MeasureRest(StimulusRest& r, const float* v, int32_t count, int32_t firstTick, int32_t restTicks,
                 double peak) {
  r.measured = true;
  r.known = false;
  r.footTick = -1;
  r.stimulusTick = firstTick + count - 1;
  const int32_t before = count - 1;  // the samples before the stimulus sample
  if (before < kMinRestSamples) return;
  const double median = MedianOf(v, before);
  const double away = kRestSpread * NoiseSd(v, before, median);
  int32_t first = before;  // the artefact's first sample before the stimulus sample
  while (first > 0 && std::fabs(v[first - 1] - median) > away) --first;
  const int32_t from = std::max(first - restTicks, 0);
  const int32_t n = first - from;
  if (n < kMinRestSamples) return;
  double sum = 0.0;  // double: rest may hold many samples
  for (int32_t i = from; i < first; ++i) sum += v[i];
  const double level = sum / n;
  r.known = true;
  r.level = static_cast<float>(level);
  r.allowed = kRestSpread * NoiseSd(v + from, n, MedianOf(v + from, n));
  r.startTick = firstTick + from;
  r.endTick = firstTick + first - 1;
  r.peak = peak;
  r.side = peak >= r.level ? 1.0 : -1.0;
  r.bestScore = 0.0;
  r.bestStartTick = -1;
  r.bestEndTick = -1;
}

void TrackFoot(StimulusRest& r, const float* v, int32_t firstTick, int32_t count) noexcept {
  if (!r.known) return;
  const double beyond = r.side * r.peak;
  double foot = r.side * static_cast<double>(r.footValue);
  for (int32_t i = 0; i < count; ++i) {
    if (firstTick + i <= r.stimulusTick) continue;
    const double x = r.side * static_cast<double>(v[i]);
    if (x > beyond) {
      r.footTick = -1;
    } else if (r.footTick < 0 || x < foot) {
      r.footTick = firstTick + i;
      r.footValue = v[i];
      foot = x;
    }
  }
}

}  // namespace ZR::Enum::CalcBase
