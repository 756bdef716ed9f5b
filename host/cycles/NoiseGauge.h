// The noise of a signal as one measures it on a quiet stretch of a given span: the standard deviation of the
// samples about their local level.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace host {

// Measures the standard deviation of a signal about its local level, as one would on a quiet stretch of `span`
// samples: the mean square of the samples about the level the caller keeps (one that takes in a drift and the slow
// wander a stretch's own mean takes in, and no more), each residual clipped at kClipSds standard deviations, over
// the last span samples (a running mean until there are that many). The caller hands in only quiet samples, none
// within an event or its fall; the first measure comes from a run-in of a few samples.
//
// Invariant: Variance() is never 0 once two samples handed in differ, or one differs from its level (while the
// signal moves), and never below the variance of a uniform quantisation in the smallest step between two of the
// first span of samples handed in (q^2 / 12): the data's resolution, which tied or coarsely quantised samples would
// otherwise hide (the steps are looked at over the first span only, which shows them, to keep the per-sample work
// small).
class NoiseGauge {
 public:
  // A residual counts up to this many standard deviations, so a stray event moves the noise little; the mean of
  // min(z^2, 9) for a normal z is 0.995, which the clipped mean square is divided by.
  static constexpr double kClipSds = 3.0;
  static constexpr double kPerClippedMeanSquare = 1.0 / 0.995;
  // The mean square takes the samples in groups of this many, and the standard deviation and the clip are brought
  // up to date after each (the mean square moves by less than 1/span a sample); a sum per sample keeps the
  // per-sample work off a chain of multiplications.
  static constexpr int32_t kRefreshSamples = 16;

  // The span in samples (at least 1). Unmeasured: Variance() 0.
  void Reset(int32_t span);

  // The first measure, from the first samples times scale (non-finite ones are passed over), counted as that many
  // samples:
  // the standard deviation of the samples, unless an event among them makes it wider than a robust measure, the
  // median absolute deviation of the samples or of their differences (see the .cpp). Where more than half the
  // samples are equal that robust measure is 0 and says nothing: the standard deviation stands. Nothing is
  // measured from samples that are all equal.
  void Start(const float* samples, int32_t count, double scale = 1.0);

  // One quiet sample y, after Start, and the local level it stands about. (__builtin_fabs: the runtime's fabs is
  // an x87 instruction here, through memory, three times the cost of the rest.)
  // True when that brought the standard deviation up to date.
  [[gnu::always_inline]] inline bool Take(double y, double level) {
    if (mTaken < mSpan) {
      const double step = __builtin_fabs(y - mPrevious);
      mPrevious = y;
      if (step < mResolution && step > 0.0) mResolution = step;
    }
    // Clipping the square gives the square of the clipped residual (squaring rounds monotonically), and needs no
    // fabs, whose mask is a constant loaded from memory.
    const double residual = y - level;
    mSquares += std::min(residual * residual, mClipSquare);
    if (--mUntilRefresh != 0) return false;
    Refresh();
    return true;
  }

  // The variance of the noise (0 while nothing is measured) and its standard deviation, as of the last refresh.
  double Variance() const { return mVariance; }
  double Sd() const { return mSd; }

 private:
  // Takes in the group of samples summed (a running mean of the groups until the span is full, then an
  // exponential one over the span), then brings the standard deviation and the clip up to date. Inline, so that
  // the scan may keep the gauge in registers.
  [[gnu::always_inline]] inline void Refresh() {
    const double group = mSquares * kPerClippedMeanSquare / kRefreshSamples;
    mSquares = 0.0;
    if (mTaken < mSpan) {
      const int32_t taken = mTaken + kRefreshSamples;
      mMeanSquare += (group - mMeanSquare) * kRefreshSamples / taken;
      mTaken = std::min(taken, mSpan);
    } else {
      mMeanSquare += (group - mMeanSquare) * std::min(1.0, static_cast<double>(kRefreshSamples) / mSpan);
    }
    Update();
  }
  [[gnu::always_inline]] inline void Update() {
    mUntilRefresh = kRefreshSamples;
    const double floor = mResolution < HUGE_VAL ? mResolution * mResolution / 12.0 : 0.0;
    mVariance = std::max(mMeanSquare, floor);
    mSd = std::sqrt(mVariance);
    const double clip = mSd > 0.0 ? kClipSds * mSd : HUGE_VAL;
    mClipSquare = clip * clip;
  }

  int32_t mSpan = 1;
  int32_t mTaken = 0;
  int32_t mUntilRefresh = kRefreshSamples;
  double mSquares = 0.0;     // the group's clipped squared residuals, summed
  double mMeanSquare = 0.0;  // of the clipped residuals (double: it accumulates)
  double mPrevious = 0.0;
  double mResolution = HUGE_VAL;  // the smallest nonzero step between samples of the first span handed in
  double mClipSquare = HUGE_VAL;  // of kClipSds standard deviations; none while unmeasured
  double mVariance = 0.0;
  double mSd = 0.0;
};

}  // namespace host
