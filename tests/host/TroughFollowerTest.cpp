// The level a cycle rises from: the trough's pace, its floor and the hold on a swing the other way.
#include "host/cycles/TroughFollower.h"
#include "tests/support/SeededNoise.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace host {
namespace {

constexpr double kThreshold = 5.0;
constexpr double kRisePerTick = 1.0 / 1000;  // a threshold in 1000 ticks
constexpr double kStep = kThreshold * kRisePerTick;

// The averages of a signal as the scan takes them (over 8 samples).
std::vector<double> Averages(const std::vector<double>& x) {
  std::vector<double> smooth(x.size());
  double level = x.empty() ? 0.0 : x[0];
  for (size_t i = 0; i < x.size(); ++i) smooth[i] = level += (x[i] - level) / 8.0;
  return smooth;
}

// Over white and low-passed noise, drifting either way, with currents of either sign (a swing when the other way):
// outside a swing the floor lies at or below the trough and, while the trough lies more than a threshold above it
// (an upward current's fall), comes up no higher than the level the current rose from; the trough rises by at most
// a step a tick and never above the average it was handed (or its own level less a step), and falls below the floor
// by at most a step; within a swing the trough stands at the floor, which does not move until the swing settles.
TEST(TroughFollower, KeepsItsPaceAndFloorOnAnySignal) {
  for (uint32_t seed = 1; seed <= 24; ++seed) {
    testsupport::Noise noise(seed, seed % 2 ? 0.0 : 8.0);
    const double drift = (static_cast<double>(seed % 5) - 2.0) * 0.5 * kStep;
    const double current = (seed % 3 == 0 ? -1.0 : 1.0) * 20.0 * kThreshold;
    std::vector<double> x(20000);
    for (size_t i = 0; i < x.size(); ++i) {
      x[i] = drift * static_cast<double>(i) + noise(1.0);
      if (i >= 5000) x[i] += current * std::exp(-static_cast<double>(i - 5000) / (400.0 * (seed % 4 + 1)));
    }
    const std::vector<double> smooth = Averages(x);
    TroughFollower f;
    f.Reset(smooth[0]);
    for (size_t i = 1; i < smooth.size(); ++i) {
      if (i == 5000) f.rose = f.trough;  // the current rises from here
      const TroughFollower before = f;
      f.Follow(smooth[i - 1], kThreshold, kStep, kRisePerTick, static_cast<int32_t>(i));
      if (f.swing) {
        ASSERT_EQ(f.trough, f.floor) << "seed " << seed << " tick " << i;
        if (before.swing) {
          ASSERT_EQ(f.floor, before.floor) << "seed " << seed << " tick " << i;
        }
        continue;
      }
      if (before.swing) continue;  // settled at a new level
      ASSERT_LE(f.floor, f.trough) << "seed " << seed << " tick " << i;
      if (f.trough - before.floor > kThreshold) {
        ASSERT_LE(f.floor, std::max(before.floor, f.rose)) << "seed " << seed << " tick " << i;
      }
      ASSERT_LE(f.trough, before.trough + kStep + 1e-12) << "seed " << seed << " tick " << i;
      ASSERT_LE(f.trough, std::max(smooth[i - 1], before.trough - kStep) + 1e-12) << "seed " << seed;
      ASSERT_GE(f.trough, std::min(before.floor, before.trough) - kStep - 1e-12) << "seed " << seed;
    }
  }
}

// The quiet scan's shortcut (a floor standing at the trough need not be carried): over levels, averages, steps and
// thresholds drawn at random over many scales (a step up to twice the threshold), a floor at the trough is at the
// trough after Next, which kept its pace, wherever the trough rose by no more than the threshold.
TEST(TroughFollower, AFloorAtTheTroughStaysThere) {
  uint32_t draw = 17;
  const auto scaled = [&draw](double scale) { return scale * (2.0 * testsupport::NextUniform(draw) - 1.0); };
  for (int k = 0; k < 200000; ++k) {
    const double scale = std::pow(10.0, scaled(12.0));
    const double trough = scaled(scale), threshold = std::fabs(scaled(scale)) + 1e-300;
    const double step = threshold * 2.0 * testsupport::NextUniform(draw);
    const double smooth = trough + scaled(k % 2 ? step * 3.0 : threshold * 3.0);
    const double rose = k % 3 ? TroughFollower::kNoLevel : trough + scaled(threshold * 3.0);
    const TroughFollower::Levels next = TroughFollower::Next(trough, trough, rose, smooth, step, threshold);
    ASSERT_GE(next.trough, trough - step) << k;
    if (next.trough - trough <= threshold) {
      ASSERT_EQ(next.floor, next.trough) << k << ": trough " << trough << ", average " << smooth << ", step " << step;
    }
  }
}

// A current of the other sign, 20 thresholds deep and returning over 2000 ticks, holds the trough at the floor
// until its return, after which the trough follows the noise again; a step down by 10 thresholds to a level that
// then holds is taken once the average has kept to it for two rise times.
TEST(TroughFollower, HoldsOnASwingAndTakesANewLevel) {
  testsupport::Noise noise(7);
  std::vector<double> x(12000);
  for (size_t i = 0; i < x.size(); ++i) {
    x[i] = noise(1.0);
    if (i >= 1000 && i < 6000) x[i] -= 20.0 * kThreshold * std::exp(-static_cast<double>(i - 1000) / 2000.0);
    if (i >= 6000) x[i] -= 10.0 * kThreshold;
  }
  const std::vector<double> smooth = Averages(x);
  TroughFollower f;
  f.Reset(0.0);
  for (size_t i = 1; i < smooth.size(); ++i) {
    f.Follow(smooth[i - 1], kThreshold, kStep, kRisePerTick, static_cast<int32_t>(i));
    if (i == 2000 || i == 6500) {
      EXPECT_TRUE(f.swing) << i;
      EXPECT_NEAR(f.trough, 0.0, 1.0) << i;  // held at the baseline, not the swing
    }
    if (i == 6000 + 2 * 1000 + 500) {
      EXPECT_FALSE(f.swing);
      EXPECT_NEAR(f.trough, -10.0 * kThreshold, 0.5 * kThreshold);
    }
  }
}

}  // namespace
}  // namespace host
