// The rest before a stimulus, and the response's foot after it.
#include "enumerators/stimrest/StimulusRest.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ZR::Enum::Rest {

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

// The artefact's first sample, its top or before it (ArtefactWalk).
int32_t ArtefactFirst(const float* v, int32_t top, int32_t restTicks, ArtefactWalk walk) {
  if (walk == ArtefactWalk::FromTop) {
    int32_t first = top;
    while (first > 0) {
      const int32_t start = std::max(first - 1 - restTicks, 0);
      const int32_t n = first - 1 - start;
      if (n < kMinRestSamples) break;
      const double median = MedianOf(v + start, n);
      if (!(std::fabs(v[first - 1] - median) > kRestSpread * NoiseSd(v + start, n, median))) break;
      --first;
    }
    return first;
  }
  for (int32_t k = std::max(kMinRestSamples, std::min(restTicks, top)); k < top; ++k) {
    const int32_t start = std::max(k - restTicks, 0);
    const int32_t n = k - start;
    const double median = MedianOf(v + start, n);
    const double allowed = kRestSpread * NoiseSd(v + start, n, median);
    const double side = v[top] >= median ? 1.0 : -1.0;
    int32_t j = k;
    while (j < top && side * (v[j] - median) > allowed) ++j;
    if (j == top) return k;
  }
  return top;
}

}  // namespace

void MeasureRest(StimulusRest& r, const float* v, int32_t count, int32_t firstTick, int32_t restTicks,
                 double peak, ArtefactWalk walk) {
  r.measured = true;
  r.known = false;
  r.footTick = -1;
  r.stimulusTick = firstTick + count - 1;
  const int32_t before = count - 1;  // the samples before the stimulus sample
  if (before < kMinRestSamples) return;
  // The artefact's top: of the samples after the first restTicks, up to the stimulus's, the one farthest from their
  // median (the latest of equals), where the stimulus does not stand on it.
  int32_t top = before;
  if (before > restTicks) {
    const double median = MedianOf(v, restTicks);
    for (int32_t i = before - 1; i >= restTicks; --i) {
      if (std::fabs(v[i] - median) > std::fabs(v[top] - median)) top = i;
    }
  }
  const int32_t first = ArtefactFirst(v, top, restTicks, walk);
  const int32_t from = std::max(first - restTicks, 0);
  const int32_t n = first - from;
  if (n < kMinRestSamples) return;
  // The straight line through them by least squares, in doubles (they may be many), carried to the artefact's
  // first sample; the noise about the line.
  double sum = 0.0;
  double moment = 0.0;
  const double centre = 0.5 * (n - 1);
  for (int32_t i = 0; i < n; ++i) {
    sum += v[from + i];
    moment += (i - centre) * v[from + i];
  }
  const double mean = sum / n;
  const double slope = n > 1 ? moment / (n * (static_cast<double>(n) * n - 1.0) / 12.0) : 0.0;
  std::vector<float> residuals(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) {
    residuals[static_cast<size_t>(i)] = static_cast<float>(v[from + i] - (mean + slope * (i - centre)));
  }
  r.known = true;
  r.level = static_cast<float>(mean + slope * (n - centre));
  r.allowed = kRestSpread * NoiseSd(residuals.data(), n, MedianOf(residuals.data(), n));
  r.spread = kRestSpread * NoiseSd(v + from, n, MedianOf(v + from, n));
  r.startTick = firstTick + from;
  r.endTick = firstTick + first - 1;
  r.peak = peak;
  r.side = peak >= r.level ? 1.0 : -1.0;
  r.bestScore = 0.0;
  r.bestStartTick = -1;
  r.bestEndTick = -1;
}

int32_t ArtefactStart(const float* v, int32_t count, int32_t firstTick, int32_t restTicks) {
  StimulusRest r;
  MeasureRest(r, v, count, firstTick, restTicks, 0.0);
  return r.known ? r.endTick + 1 : -1;
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

}  // namespace ZR::Enum::Rest
