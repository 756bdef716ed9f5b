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

bool NoiseGauge::EndGroup() {
  const int32_t quiet = mQuiet, taken = quiet + mEventCount + mAside;
  // A mean square of fewer than half a group (4 samples at least) scatters too widely to be weighed.
  const int32_t least = std::max(kMinGroupSize / 2, (mGroupSize + 1) / 2);
  const bool noisy = mJoinedStarts >= kNoiseStarts && taken >= least;
  const double squares = mSquares + mEventSquares + mAsideSquares, sum = mSum + mEventSum + mAsideSum;
  double group = 0.0;
  if (noisy)
    group = (squares - sum * sum / taken) / taken;
  else if (mMoved && quiet >= least)
    group = mSquares / quiet;
  mSquares = mSum = mEventSquares = mEventSum = mAsideSquares = mAsideSum = 0.0;
  mQuiet = mEventCount = mJoinedStarts = mAside = 0;
  mMoved = false;
  mUntilGroup = mGroupSize;
  const int32_t slot = mEnded % mWindow;
  if (mEnded >= mWindow) Unrank(mGroups[slot]);  // the group that leaves the window
  Place(slot, group > 0.0 ? group : 0.0, noisy ? taken : quiet);  // all at their level says nothing either
  Rank(mGroups[slot]);
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

void NoiseGauge::Rank(double group) {
  if (!(group > 0.0)) return;
  int32_t at = mRanked++;
  for (; at > 0 && mRanks[at - 1] > group; --at) mRanks[at] = mRanks[at - 1];
  mRanks[at] = group;
}

void NoiseGauge::Unrank(double group) {
  if (!(group > 0.0)) return;
  int32_t at = 0;
  while (at < mRanked && mRanks[at] != group) ++at;
  if (at == mRanked) return;
  for (--mRanked; at < mRanked; ++at) mRanks[at] = mRanks[at + 1];
}

void NoiseGauge::Refresh(int32_t least) {
  if (mRanked < std::max(least, 1)) return;
  const double reference = mRanks[mRanked / 4], above = kTrimAbove * reference;
  // The window's groups in the order they ended (so the sum rounds alike wherever the ring starts); those that
  // said nothing (0) fall below the reference's third.
  double sum = 0.0;
  int32_t count = 0;
  const int32_t held = std::min(mEnded, mWindow);
  for (int32_t k = 0, at = (mEnded - held) % mWindow; k < held; ++k, at = at + 1 == mWindow ? 0 : at + 1) {
    const double group = mGroups[at];
    const bool kept = group <= above && kTrimBelow * group >= reference;
    sum += kept ? mWeighed[at] : 0.0;
    count += kept ? mCounts[at] : 0;
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
    Take(scale * samples[i], level, scale * samples[i] != previous);
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
