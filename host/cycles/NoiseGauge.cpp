// The noise gauge: the standard deviation of a signal about its local level, over the last span of samples.
#include "host/cycles/NoiseGauge.h"

#include <algorithm>
#include <vector>

#include "host/common/SampleResolution.h"

namespace host {

int32_t NoiseGauge::GroupSize(int32_t span) {
  return std::max(kMinGroupSize, (std::max(span, 1) + kGroups - 1) / kGroups);
}

int32_t NoiseGauge::LeastTicks(int32_t span) {
  const int32_t size = GroupSize(span);
  const int32_t window = std::min(kGroups, std::max(2, (std::max(span, 1) + size - 1) / size));
  return (window + 1) / 2 * size;
}

void NoiseGauge::Reset(int32_t span) {
  *this = NoiseGauge();
  mSpan = std::max(span, 1);
  mGroupSize = mUntilGroup = GroupSize(mSpan);
  mWindow = std::min(kGroups, std::max(2, (mSpan + mGroupSize - 1) / mGroupSize));
}

NoiseGauge::Trim NoiseGauge::TrimBounds(double independent) {
  // nu, above, below (tests/data/noise_gauge_odds.txt); from 32 on, kTrimAbove and kTrimBelow.
  static constexpr double kRows[][3] = {
      {1.0, 375.857, 65804.954}, {1.25, 149.153, 7433.874}, {1.5, 81.998, 1772.361}, {2.0, 38.361, 299.468},
      {2.5, 24.286, 104.402},    {3.0, 17.593, 52.023},     {4.0, 11.618, 22.169},   {5.0, 8.849, 13.272},
      {6.0, 7.281, 9.471},       {8.0, 5.596, 6.150},       {10.0, 5.0, 4.717},      {12.0, 5.0, 3.951},
      {16.0, 5.0, 3.131},        {32.0, kTrimAbove, kTrimBelow}};
  constexpr int32_t kCount = static_cast<int32_t>(sizeof kRows / sizeof kRows[0]);
  if (!(independent > kRows[0][0])) return {kRows[0][1], kRows[0][2]};
  for (int32_t k = 1; k < kCount; ++k) {
    if (independent > kRows[k][0]) continue;
    const double t = (independent - kRows[k - 1][0]) / (kRows[k][0] - kRows[k - 1][0]);
    return {kRows[k - 1][1] + t * (kRows[k][1] - kRows[k - 1][1]),
            kRows[k - 1][2] + t * (kRows[k][2] - kRows[k - 1][2])};
  }
  return {kTrimAbove, kTrimBelow};
}

double NoiseGauge::Independent(int32_t n, double squares, double sum, double changes) {
  const double mean = sum / n, variance = squares / n - mean * mean;
  if (!(variance > 0.0) || !std::isfinite(changes)) return n;
  const double r = std::max(0.0, 1.0 - changes / n / (2.0 * variance)), r2 = std::min(r * r, 1.0);
  return 1.0 + (n - 1) * (1.0 - r2) / (1.0 + r2);
}

bool NoiseGauge::EndGroup() {
  const int32_t quiet = mQuiet, taken = quiet + mEventCount + mAside;
  // A mean square of fewer than half a group (4 samples at least) scatters too widely to be weighed.
  const int32_t least = std::max(kMinGroupSize / 2, (mGroupSize + 1) / 2);
  const bool noisy = mJoinedStarts >= kNoiseStarts && taken >= least;
  const double squares = mSquares + mEventSquares + mAsideSquares, sum = mSum + mEventSum + mAsideSum;
  double group = 0.0, independent = taken;
  if (noisy) {
    group = (squares - sum * sum / taken) / taken;
  } else if (mMoved && quiet >= least) {
    group = mSquares / quiet;
    independent = Independent(quiet, mSquares, mSum, mChanges);
  }
  mSquares = mSum = mChanges = mEventSquares = mEventSum = mAsideSquares = mAsideSum = 0.0;
  mQuiet = mEventCount = mJoinedStarts = mAside = 0;
  mMoved = false;
  mUntilGroup = mGroupSize;
  const int32_t slot = mEnded % mWindow;
  if (mEnded >= mWindow) Unrank(mGroups[slot]);  // the group that leaves the window
  Place(slot, group > 0.0 ? group : 0.0, noisy ? taken : quiet);  // all at their level says nothing either
  Rank(mGroups[slot], independent);
  ++mEnded;
  const double before = mVariance;
  Refresh(mVariance > 0.0 ? 1 : (mWindow + 1) / 2);
  return mVariance != before;
}

void NoiseGauge::Restart() {
  const double floor = mFloor;
  Reset(mSpan);
  mFloor = floor;
}

bool NoiseGauge::Finish() {
  Refresh(std::max(1, mWindow / 4));
  return Measured();
}

void NoiseGauge::Place(int32_t slot, double group, int32_t quiet) {
  mGroups[slot] = group;
  mCounts[slot] = quiet;
  mWeighed[slot] = group * quiet;
}

void NoiseGauge::Rank(double group, double independent) {
  if (!(group > 0.0)) return;
  int32_t at = mRanked++;
  for (; at > 0 && mRanks[at - 1] > group; --at) {
    mRanks[at] = mRanks[at - 1];
    mIndependent[at] = mIndependent[at - 1];
  }
  mRanks[at] = group;
  mIndependent[at] = independent;
}

void NoiseGauge::Unrank(double group) {
  if (!(group > 0.0)) return;
  int32_t at = 0;
  while (at < mRanked && mRanks[at] != group) ++at;
  if (at == mRanked) return;
  for (--mRanked; at < mRanked; ++at) {
    mRanks[at] = mRanks[at + 1];
    mIndependent[at] = mIndependent[at + 1];
  }
}

void NoiseGauge::Refresh(int32_t least) {
  if (mRanked < std::max(least, 1)) return;
  const Trim trim = TrimBounds(mIndependent[mRanked / 4]);
  const double reference = mRanks[mRanked / 4], above = trim.above * reference;
  // The window's groups in the order they ended (so the sum rounds alike wherever the ring starts); those that
  // said nothing (0) fall below the reference's third.
  double sum = 0.0;
  int32_t count = 0;
  const int32_t held = std::min(mEnded, mWindow);
  for (int32_t k = 0, at = (mEnded - held) % mWindow; k < held; ++k, at = at + 1 == mWindow ? 0 : at + 1) {
    const double group = mGroups[at];
    const bool kept = group <= above && trim.below * group >= reference;
    sum += kept ? mWeighed[at] : 0.0;
    count += kept ? mCounts[at] : 0;
  }
  // A measure stands on half a span at least: where fewer of the window's groups said something (an event or a
  // blank filled the rest), the measure as it stood stands in for the missing ones.
  const int32_t missing = mVariance > 0.0 ? (mWindow + 1) / 2 - mRanked : 0;
  if (missing > 0) {
    sum += mVariance * missing * mGroupSize;
    count += missing * mGroupSize;
  }
  mVariance = std::max(sum / count, mFloor);  // the reference itself always counts
  mSd = std::sqrt(mVariance);
}

void NoiseGauge::Start(const float* samples, int32_t count, double scale) {
  std::vector<double> values;
  for (int32_t i = 0; i < count; ++i)
    if (std::isfinite(samples[i])) values.push_back(scale * samples[i]);
  if (values.empty()) return;
  // Events rise above the level: the lower quantiles see the noise alone, however many events the samples hold
  // (P25 lies 0.674 and P5 1.645 standard deviations below the mean of a normal noise). Each is the sample of its
  // rank, chosen within the ranks below the one chosen before (no sort: it cost a twentieth of the scan).
  std::vector<double> order = values;
  const auto rank = [&order](size_t k, size_t below) {
    std::nth_element(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(k),
                     order.begin() + static_cast<std::ptrdiff_t>(below));
    return order[k];
  };
  const size_t n = order.size();
  const double median = rank(n / 2, n), p25 = rank(n / 4, n / 2 + 1), p5 = rank(n / 20, n / 4 + 1);
  const double lowSd = (p25 - p5) / (1.645 - 0.674);
  const double level = lowSd > 0.0 ? p25 + 0.674 * lowSd : median;
  mStartLevel = level;
  const double q = ResolutionStep(samples, count) * scale;
  mFloor = q * q / 12.0;
  double previous = NAN;
  for (int32_t i = 0; i < count; ++i) {
    if (!std::isfinite(samples[i])) {
      Pass();
      continue;
    }
    Take(scale * samples[i], level, previous);
    previous = scale * samples[i];
  }
  Refresh((mWindow + 1) / 2);
  if (mVariance > 0.0 && lowSd > 0.0) {
    // The groups' measure takes in events that fill most of the samples; the lower quantiles' does not.
    mVariance = std::max(std::min(mVariance, lowSd * lowSd), mFloor);
    mSd = std::sqrt(mVariance);
  }
}

}  // namespace host
