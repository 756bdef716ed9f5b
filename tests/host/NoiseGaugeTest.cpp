// The cycle detector's noise gauge: what "standard deviations of the noise" measures, on its own and in the scan.
#include "host/cycles/NoiseGauge.h"
#include "host/cycles/CycleScan.h"
#include "tests/support/SeededNoise.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace host {
namespace {

constexpr int32_t kSpan = 1000;  // 50 ms at 20 kHz

// Noise of about 1/f spectrum: unit-variance low-passed noises with time constants an octave apart, from 2 to 16384
// samples, summed.
std::vector<double> OneOverF(size_t n, uint32_t seed) {
  std::vector<double> x(n, 0.0);
  constexpr int kOctaves = 13;
  for (int k = 1; k <= kOctaves; ++k) {
    testsupport::Noise noise(seed + static_cast<uint32_t>(k), std::ldexp(1.0, k));
    for (double& v : x) v += noise(1.0) / std::sqrt(static_cast<double>(kOctaves));
  }
  return x;
}

// The standard deviation one measures on stretches of kSpan samples: the root mean square of each stretch's
// standard deviation about its own mean.
double StretchSd(const std::vector<double>& x) {
  double sum = 0.0;
  size_t stretches = 0;
  for (size_t at = 0; at + kSpan <= x.size(); at += kSpan, ++stretches) {
    double mean = 0.0, square = 0.0;
    for (size_t i = at; i < at + kSpan; ++i) mean += x[i] / kSpan;
    for (size_t i = at; i < at + kSpan; ++i) square += (x[i] - mean) * (x[i] - mean) / (kSpan - 1);
    sum += square;
  }
  return std::sqrt(sum / static_cast<double>(stretches));
}

std::vector<double> Quantised(std::vector<double> x, double step) {
  for (double& v : x) v = step * std::round(v / step);
  return x;
}

std::vector<double> Generated(size_t n, const std::function<double(size_t)>& sample) {
  std::vector<double> x(n);
  for (size_t i = 0; i < n; ++i) x[i] = sample(i);
  return x;
}

// A recording's standard deviation as the scan measures it (5 SD upward, 10 s at 20 kHz, blocks of 1024), and the
// cycles it finds.
double ScannedSd(const std::vector<double>& x, size_t* cycles) {
  CycleRules rules;
  rules.threshold = 5.0;
  rules.relative = true;
  rules.baselineTicks = kSpan;
  rules.minIntervalTicks = 200;
  rules.troughRisePerTick = 1.0 / kSpan;
  std::vector<float> samples(x.begin(), x.end());
  CycleScanState state;
  std::vector<CycleEventRecord> found;
  for (size_t at = 0; at < samples.size(); at += 1024)
    ScanCycles(state, rules, samples.data() + at, static_cast<int32_t>(std::min<size_t>(1024, samples.size() - at)),
               found);
  FinishCycles(state, rules, found);
  *cycles = found.size();
  return state.noise.Sd();
}

// White, low-passed (the corner at a fiftieth of the rate) and 1/f noise, quantised in steps of up to 2 SD, tied
// (most samples equal), after a flat start, and on a baseline stepping up (each step a cycle that settles) or down
// (a swing that settles): the scan's measure is within 15 % of the standard deviation one measures on quiet
// stretches and never below the resolution's (step / sqrt(12)); the samples that used to leave it at 0 (tied,
// quantised, a flat start) start no cycle at 5 SD, and a step the other way none either.
TEST(NoiseGauge, MeasuresTheNoiseOfQuietStretchesOnAnyInput) {
  constexpr size_t kN = 200000;
  testsupport::Noise white(11), lowPassed(12, 8.0), white2(13), white3(14), white4(15), white5(16);
  const std::vector<double> oneOverF = OneOverF(kN, 20);
  const struct Row {
    const char* name;
    std::vector<double> x;
    double sd;  // 0: the samples' own stretch SD
    int cycles;  // -1: not counted (the battery counts cycles on noise alone)
  } rows[] = {
      {"white", Generated(kN, [&](size_t) { return white(1.0); }), 1.0, -1},
      {"low-passed", Generated(kN, [&](size_t) { return lowPassed(1.0); }), 1.0, -1},
      {"1/f", oneOverF, 0.0, -1},
      {"quantised, 2 SD steps", Quantised(Generated(kN, [&](size_t) { return white2(0.5); }), 1.0), 0.0, 0},
      {"tied", Quantised(Generated(kN, [&](size_t) { return white3(0.2); }), 1.0), 1.0 / std::sqrt(12.0), 0},
      {"flat start", Generated(kN, [&](size_t i) { return i < 100 ? 0.0 : white4(1.0); }), 1.0, 0},
      {"steps up", Generated(kN, [&](size_t i) { return 20.0 * static_cast<double>(i / 20000) + white5(1.0); }), 1.0,
       9},
      {"steps down", Generated(kN, [&](size_t i) { return -20.0 * static_cast<double>(i / 20000) + white(1.0); }),
       1.0, 0},
  };
  for (const Row& row : rows) {
    const double truth = row.sd > 0.0 ? row.sd : StretchSd(row.x);
    size_t cycles = 0;
    EXPECT_NEAR(ScannedSd(row.x, &cycles), truth, 0.15 * truth) << row.name;
    if (row.cycles >= 0) {
      EXPECT_EQ(cycles, static_cast<size_t>(row.cycles)) << row.name;
    }
  }
}

// On its own: tied run-in samples, whose median absolute deviation is 0, still give their standard deviation, and
// all-equal ones nothing, until a sample moves; the measure never falls below the resolution's, and a stray
// residual moves it by at most its clip.
TEST(NoiseGauge, NeverZeroWhileTheSignalMovesNorBelowItsResolution) {
  const float tied[8] = {2, 2, 2, 2, 2, 3, 2, 2};
  NoiseGauge gauge;
  gauge.Reset(100);
  gauge.Start(tied, 8);
  EXPECT_NEAR(gauge.Variance(), 0.125, 1e-12);
  const float flat[8] = {2, 2, 2, 2, 2, 2, 2, 2};
  gauge.Reset(100);
  gauge.Start(flat, 8);
  EXPECT_EQ(gauge.Variance(), 0.0);
  for (int i = 0; i < NoiseGauge::kRefreshSamples; ++i) gauge.Take(2.0 + (i == 3 ? 0.5 : 0.0), 2.0);
  EXPECT_GT(gauge.Variance(), 0.0);
  EXPECT_GE(gauge.Variance(), 0.25 / 12.0);  // the step of 0.5 taken
  for (int i = 0; i < 50 * NoiseGauge::kRefreshSamples; ++i) gauge.Take(2.0 + 0.5 * (i % 2), 2.25);
  const double settled = gauge.Variance();
  EXPECT_NEAR(settled, 0.0625 / 0.995, 1e-3);
  for (int i = 0; i < NoiseGauge::kRefreshSamples; ++i) gauge.Take(i == 0 ? 1000.0 : 2.0 + 0.5 * (i % 2), 2.25);
  EXPECT_LT(gauge.Variance(), settled * (1.0 + 9.0 / 100.0) + 1e-9);
}

}  // namespace
}  // namespace host
