// The noise gauge: the standard deviation of a signal about its local level, on quiet samples.
#include "host/cycles/NoiseGauge.h"

#include "host/common/RobustSpread.h"

#include <algorithm>
#include <vector>

namespace host {

namespace {

// The lag-1 autocorrelation of the run-in's steps, each clipped at three robust standard deviations about their
// median (so that an event's rise counts as little as a noisy step): about -0.5 for white noise, whatever a slow
// trend adds; towards +1 for a smooth signal without noise; near 0 for low-passed noise, whose steps are small
// beside its wander.
double StepCorrelation(std::vector<double> steps, double centre, double scale) {
  for (double& v : steps) v = std::max(-3.0 * scale, std::min(3.0 * scale, v - centre));
  double product = 0.0, square = 0.0;
  for (size_t i = 0; i < steps.size(); ++i) {
    square += steps[i] * steps[i];
    if (i > 0) product += steps[i] * steps[i - 1];
  }
  return square > 0.0 ? product / square : 0.0;
}

// The run-in's variance: that of its samples, unless an event among them makes it wider than a robust measure.
// The robust measure is the median absolute deviation of the samples or, where the steps show white noise or a
// smooth signal (StepCorrelation), the smaller one of the steps, which see only an event's rise or a trend's slope
// (times 1.5, which leaves mildly filtered noise to the samples). Low-passed noise wanders more than its steps
// show, and 64 samples cannot tell that wander from a trend: its samples measure it. A robust measure of 0 (more
// than half the samples or steps equal: tied, coarsely quantised or evenly stepping samples) says nothing, and the
// samples' own variance stands.
double RunInVariance(const std::vector<double>& values) {
  const size_t n = values.size();
  double sum = 0.0;
  for (const double v : values) sum += v;
  double variance = 0.0;
  for (const double v : values) variance += (v - sum / n) * (v - sum / n) / static_cast<double>(n - 1);
  std::vector<double> steps;
  for (size_t i = 1; i < n; ++i) steps.push_back(values[i] - values[i - 1]);
  std::vector<double> spread = values;
  const double fromValues = RobustSd(spread);
  std::vector<double> stepSpread = steps;
  const double stepCentre = Median(stepSpread);
  const double fromSteps = RobustSd(stepSpread) / std::sqrt(2.0);
  const double correlation = StepCorrelation(steps, stepCentre, fromSteps * std::sqrt(2.0));
  const bool stepsTell = fromSteps > 0.0 && (correlation < -0.3 || correlation > 0.5);
  const double robust = stepsTell ? std::min(fromValues, 1.5 * fromSteps) : fromValues;
  return robust <= 0.0 || variance <= 2.25 * robust * robust ? variance : robust * robust;
}

}  // namespace

void NoiseGauge::Reset(int32_t span) {
  *this = NoiseGauge();
  mSpan = std::max(span, 1);
}

void NoiseGauge::Start(const float* samples, int32_t count, double scale) {
  std::vector<double> values;
  for (int32_t i = 0; i < count; ++i)
    if (std::isfinite(samples[i])) values.push_back(scale * samples[i]);
  if (values.empty()) return;
  for (size_t i = 1; i < values.size(); ++i) {
    const double step = std::fabs(values[i] - values[i - 1]);
    if (step > 0.0) mResolution = std::min(mResolution, step);
  }
  mPrevious = values.back();
  mTaken = std::min(static_cast<int32_t>(values.size()), mSpan);
  if (values.size() > 1) mMeanSquare = RunInVariance(values);
  Update();
}

}  // namespace host
