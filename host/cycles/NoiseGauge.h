// The noise of a signal as one measures it on a quiet stretch of a given span: the standard deviation of the
// samples about their local level, following the signal when its noise grows or shrinks.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace host {

// Measures the standard deviation of a signal about its local level, as one would on a quiet stretch of `span`
// samples. Time is cut into groups of a sixteenth of the span (GroupSize ticks, counted from the record's first
// sample whatever the scan made of each). A group's quiet samples (outside events and swings the other way, and
// near the level: an event's rise before it crosses the threshold and its fall back are not), where they fill half
// of it or more, give their mean square about the level the caller keeps (one that takes in a drift and the slow
// wander a stretch's own mean takes in, and no more). After each group the variance is the mean square of the
// quiet samples of the last span's groups that said something, leaving out the groups above kTrimAbove times the
// quarter-rank one (the fifth smallest of 16: an event's groups, or the noise's before it shrank, lie above it)
// and those below a kTrimBelow-th of it (the noise's before it grew): the groups themselves tell an event from
// noise, so a measure that is too small (after a quiet start, or once the noise has grown) bounds nothing and is
// replaced as soon as its groups are fewer than a quarter. A group whose quiet samples all repeat the sample
// before them (a blanked stretch held at one value, which the level may be moving towards), or that is mostly
// events, says nothing; where no group of the last span said something, the measure holds. What the gauge
// measures never takes back a cycle the scan found: where the noise grows suddenly, the cycles it starts before
// the measure has caught up are kept.
//
// Locality: the measure after a group depends on the groups of the last span alone, and on a growth found among
// them, never on where earlier groups happened to end; so a change to the signal before a tick changes nothing
// the scan finds from two spans after it on (the span after the change may start other cycles and so take other
// quiet samples), and no sooner than 150 ms after it (the trough the scan measures about rises by a threshold in
// 50 ms, and a level the change left several thresholds away takes it that long).
//
// Invariant: whatever came before, once one span of samples of a noise has been taken (the noise having grown or
// shrunk by any factor from 1/100 to 100), Sd() lies within 15 % of the standard deviation of the last span, where
// that span is long enough to tell it (500 samples of white noise; 150 times the time constant of a low-passed
// one); a shorter one scatters by its own few samples, about 1 / sqrt(2 x span). Variance() is 0 (unmeasured) until
// half a span of groups that say something has been taken, and never 0 after; where the first samples are
// quantised (ResolutionStep: their smallest step recurs), it is never below the variance of a uniform
// quantisation in that step (q^2 / 12): the data's resolution, which tied samples, most of them at their level,
// would hide.
class NoiseGauge {
 public:
  // Groups in a span: enough for a reference that one event's groups do not move, few enough that the trimmed mean
  // after each group costs little beside the samples (the window's groups are kept ranked, one taken out and one
  // put in a group, so the quarter-rank one is read off; choosing it anew each time cost a fifth of the scan).
  static constexpr int32_t kGroups = 16;
  // Samples in a group at least: a mean square of fewer is too scattered to be weighed against the reference.
  static constexpr int32_t kMinGroupSize = 8;
  // A group above kTrimAbove times the quarter-rank group of the window, or below a kTrimBelow-th of it, is left
  // out. Over groups of white noise (a mean square of m samples: chi-square of m degrees over m) a group of m = 8
  // lies above 5 times the reference once in 416 and below a third of it once in 82; m = 16: once in 155,000 and
  // once in 775; m = 64: never in 16 million; m = 4 (half of the smallest group, where events take the rest): once
  // in 22 and once in 23 (tests/data/noise_gauge_odds.py computes them). A low-passed noise
  // scatters more, and more upwards, which the wider bound above keeps; a current of 5 SD or more puts its groups
  // far above it. Where the noise has shrunk, the one group that straddles the change a span later lies within
  // kTrimAbove of the reference at most (+12 % in SD); where it has grown, the old groups within kTrimBelow (a
  // growth by less than sqrt(3)) move the mean by less.
  static constexpr double kTrimAbove = 5.0;
  static constexpr double kTrimBelow = 3.0;
  // The noise has grown where groups in a row (all their samples, quiet ones and those within events) spread
  // about their own means by more than kLoudSpread times the measure as it stood before the first of them (a
  // growth by 1.7 times or more; the measure may have begun to take them in), the last kGrownGroups of them by
  // more than kGrownSpread times it on average (2.5 times), each by more than kGrownBalance of its mean square about
  // the level: an event's group lies to one side of the level (a tail at 16 SD falling to 12 spreads by 1.3
  // variances, 2 % of its mean square) and spreads that much only on its rise. A group of a grown noise scatters
  // about its mean square (more where the noise is low-passed): the average of three tells a growth of 3 times
  // that single groups of 6 times missed. The window then starts again from the first of the last kGrownGroups loud
  // groups, 3/16 of a span after the growth rather than 3/4 (a quarter of the window is the trimming's reference),
  // and takes in every group after them at once, so that the three chosen for being loud weigh less group by group
  // and none is left a span later.
  // Where groups are long beside an event (at low rates), a large one fills them and passes the tests above: its
  // rise spreads widely about the group's mean, its swing back the next groups. Two things tell it from a grown
  // noise. A noise that grew stays loud group after group at about one size, while an event's groups fade as it
  // returns (its rise spreads hundreds of times more than its return): the run is a growth only where no group of
  // the last kGrownGroups spreads by more than kLoudSpread times another (a chi-square of 7 degrees, a group of 8
  // white samples, lies beyond that ratio of another once in 11.7, as that script computes, which only waits for the
  // next group). And one event is one cycle spanning its samples, while a threshold too small for a grown noise is
  // crossed again and again, in a group of 8 samples or more several times: a group with samples within events in
  // which fewer than kNoiseStarts events started soon after the one before (the caller's count: an event's rise with
  // a notch starts one such, events the minimum interval keeps apart none) is an event's: it ends
  // a run where it is quiet, and where it is loud it neither counts in the run nor ends it (the run waits for the
  // groups around it). The restart only sets the measure: no cycle is taken back for it.
  static constexpr int32_t kNoiseStarts = 2;
  static constexpr int32_t kGrownGroups = 3;
  static constexpr double kGrownSpread = 6.0;
  static constexpr double kLoudSpread = 3.0;
  static constexpr double kGrownBalance = 0.2;

  // The span in samples (at least 1). Unmeasured: Variance() 0.
  void Reset(int32_t span);

  // The first measure, from the first count samples times scale (non-finite ones are passed over), taken about
  // their level as their lower quantiles show it (events rise above it), or their median where those are tied; no
  // more than what those quantiles show of the noise. Unmeasured when fewer than half a span of groups said
  // something: a record shorter than LeastTicks is never measured, since the mean square of so few samples
  // scatters so that 5 of its SDs are crossed by the noise itself.
  void Start(const float* samples, int32_t count, double scale);
  // The samples a first measure needs at least: half a span of groups.
  static int32_t LeastTicks(int32_t span);
  // The level Start measured about, times scale (0 before).
  double StartLevel() const { return mStartLevel; }

  // The samples come one a tick, each of one of three kinds, and every kind counts to the group's end, so that the
  // groups lie in time (a group is the next GroupSize ticks, whatever the scan made of them) and the measure at a
  // tick depends on the last span's samples alone, never on where earlier groups happened to end.
  // A quiet sample y and the local level it stands about; moved: y differs from the sample before it (a group whose
  // samples all repeat the one before, a stretch held at one value, says nothing). True when that brought the
  // standard deviation up to date.
  [[gnu::always_inline]] inline bool Take(double y, double level, bool moved = true) {
    const double residual = y - level;
    return Took(mSquares + residual * residual, mSum + residual, 1, mAsideSquares, mAsideSum, 1, moved);
  }
  // For a caller that sums a run of samples itself, each as Take or TakeAside would, where the sums stay in
  // registers: the sums so far (of the squared residuals and of the residuals, quiet and aside) and the ticks to
  // the group's end; then Took with the sums, the quiet samples, the samples it took (a run ends at the group's end
  // at the latest) and whether any of them moved. True when that brought the standard deviation up to date.
  double Squares() const { return mSquares; }
  double Sum() const { return mSum; }
  double AsideSquares() const { return mAsideSquares; }
  double AsideSum() const { return mAsideSum; }
  int32_t UntilGroup() const { return mUntilGroup; }
  [[gnu::always_inline]] inline bool Took(double squares, double sum, int32_t quiet, double asideSquares,
                                          double asideSum, int32_t taken, bool moved) {
    mMoved = mMoved || moved;
    mSquares = squares;
    mSum = sum;
    mQuiet += quiet;
    mAsideSquares = asideSquares;
    mAsideSum = asideSum;
    mAside += taken - quiet;
    mUntilGroup -= taken;
    return mUntilGroup == 0 && EndGroup();
  }
  // A sample within an event (a cycle's, or a swing's the other way, to its return), which the measure leaves out,
  // about the same level, started when an event starts on it that a grown noise could have started (the caller
  // says which: ScanCycles counts those soon after the one before): it only tells whether the noise has grown. True
  // when the measure changed.
  [[gnu::always_inline]] inline bool TakeInEvent(double y, double level, bool started) {
    const double residual = y - level;
    mEventStarts += started ? 1 : 0;
    mEventSquares += residual * residual;
    mEventSum += residual;
    ++mEventCount;
    return --mUntilGroup == 0 && EndGroup();
  }
  // A sample outside events that is no quiet noise (on an event's rise before it crosses the threshold, on its fall
  // back, or otherwise far off the level for the measure as it stands): left out of the measure as an event's
  // samples are, and weighed in the growth test as noise's (a noise that has outgrown the measure lies far off the
  // level). True when the measure changed.
  [[gnu::always_inline]] inline bool TakeAside(double y, double level, bool moved) {
    const double residual = y - level;
    mMoved = mMoved || moved;
    mAsideSquares += residual * residual;
    mAsideSum += residual;
    ++mAside;
    return --mUntilGroup == 0 && EndGroup();
  }
  // A tick whose sample says nothing of the noise (a swing the other way, a non-finite sample). True when the
  // measure changed.
  [[gnu::always_inline]] inline bool Pass() { return --mUntilGroup == 0 && EndGroup(); }

  // Forgets the groups and the measure, keeping the span and the resolution.
  void Restart();
  // Measures from the groups taken so far where at least a quarter of a span's did say something (a run-in's quiet
  // samples); true when measured.
  bool Finish();

  bool Measured() const { return mVariance > 0.0; }
  // The variance of the noise (0 while nothing is measured) and its standard deviation, as of the last refresh.
  double Variance() const { return mVariance; }
  double Sd() const { return mSd; }
  // Samples in a group, for a span.
  static int32_t GroupSize(int32_t span);

 private:
  // Ends the group of ticks just taken: keeps its quiet samples' mean square where they are enough to say
  // something, tells whether the noise has grown, and brings the measure up to date; true when it changed.
  bool EndGroup();
  // Whether a group of these sums (all its samples, quiet and within events) ends kGrownGroups groups in a row
  // that tell of a growth; if so, the window starts again from them. A group that may not be loud (an event's) and
  // is ends no run and counts in none.
  bool Grown(double squares, double sum, int32_t count, bool mayBeLoud);
  // The trimmed mean of the window's groups, once at least `least` of them said something.
  void Refresh(int32_t least);
  // Puts a group in the ring's slot.
  void Place(int32_t slot, double group, int32_t quiet);
  // Adds a group that said something to the window's ranks, or takes it out.
  void Rank(double group);
  void Unrank(double group);

  int32_t mSpan = 1;
  int32_t mGroupSize = kMinGroupSize;
  int32_t mUntilGroup = kMinGroupSize;  // ticks to the group's end
  int32_t mWindow = kGroups;      // groups in a span, at most kGroups
  int32_t mEnded = 0;             // groups ended since Reset (the window holds the last mWindow)
  int32_t mFrom = 0;              // the first of them the window holds (a growth starts it again)
  double mSquares = 0.0;          // the group's quiet squared residuals, summed (double: a sum)
  double mSum = 0.0;              // their residuals, summed
  int32_t mQuiet = 0;             // their count
  bool mMoved = false;            // one of them differed from the sample before it
  double mEventSquares = 0.0;     // the same sums of the group's samples within events
  double mEventSum = 0.0;
  int32_t mEventCount = 0;
  double mAsideSquares = 0.0;     // the same sums of the samples taken aside (TakeAside)
  double mAsideSum = 0.0;
  int32_t mAside = 0;
  int32_t mEventStarts = 0;       // events that started in the group
  int32_t mLoud = 0;              // groups in a row that spread by more than kGrownSpread times the measure
  double mLoudGroups[kGrownGroups] = {};  // their mean squares, a ring at mLoud % kGrownGroups
  double mLoudSpreads[kGrownGroups] = {};  // their spreads about their own means, the same ring
  int32_t mLoudAt[kGrownGroups] = {};     // the groups they are (mEnded when each ended), the same ring
  double mRunVariance = 0.0;      // the measure before the first of them
  double mGroups[kGroups] = {};   // the last groups' quiet mean squares (0: said nothing), a ring at mEnded % mWindow
  int32_t mCounts[kGroups] = {};  // their quiet samples, the same ring
  double mWeighed[kGroups] = {};  // each mean square times its quiet samples, the same ring
  double mRanks[kGroups] = {};    // the window's groups that said something, smallest first
  int32_t mRanked = 0;            // their count
  double mStartLevel = 0.0;
  double mFloor = 0.0;            // the resolution's variance, q^2 / 12 (0: not quantised)
  double mVariance = 0.0;
  double mSd = 0.0;
};

}  // namespace host
