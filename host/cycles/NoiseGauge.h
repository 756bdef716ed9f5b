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
// quiet samples of the last span's groups that said something, leaving out the groups further above the
// quarter-rank one (the fifth smallest of 16: an event's groups, or the noise's before it shrank, lie above it), or
// below it (the noise's before it grew), than a noise's own groups lie once in 1000 (TrimBounds): the groups
// themselves tell an event from noise. A group whose quiet samples all repeat the sample before them (a blanked
// stretch held at one value, which the level may be moving towards), or that is mostly events, says nothing. A
// measure stands on half a span at least: where fewer of the window's groups said something (a blank or an event
// longer than half the span filled the rest), the measure as it stood stands in for each one missing, so that it
// holds where none did and moves by the share of those that did. The one or two groups after a blank or a long
// current, a millisecond or so of a noise low-passed at 300 Hz, hold one or two independent samples: alone, they
// put the measure anywhere from a twelfth of the noise's SD to three times it.
// A noise that has outgrown the measure leaves few quiet samples: it crosses the threshold again and again, and
// the caller counts the cycles that start within the minimum interval after the one before (which that interval
// makes one event with it, so none is an event of its own; an event's notch starts one). A group in which
// kNoiseStarts or more started is that noise's: it says the spread of all its samples about their own mean (the
// trough the caller keeps lies at the bottom of such a noise). It is weighed and trimmed like any other group, so a
// grown noise's groups are left out above the reference until they are three quarters of the span's, and are the
// measure from then on; events kept apart by the interval (trains, bursts of either sign) and their returns never
// make such a group. What the gauge measures never takes back a cycle the scan found: where the noise grows
// suddenly, the cycles it starts in the span before the measure has caught up are kept.
//
// Locality: the measure after a group depends on the window's groups alone (the last span, rounded up to whole
// groups) where half of them said something, and otherwise on the measure it held as well, never on where earlier
// groups happened to end. What the scan puts in those groups depends on the
// measure it had; a change to the signal before a tick is measured to change nothing the scan finds from two
// spans after it on (the span after the change may start other cycles and so take other quiet samples), and no
// sooner than 150 ms after it (the trough the scan measures about rises by a threshold in 50 ms, and a level the
// change left several thresholds away takes it that long).
//
// Invariant: whatever came before, once one span of samples of a noise has been taken (the noise having grown or
// shrunk by any factor from 1/100 to 100), Sd() lies within 15 % of the standard deviation of the last span, where
// that span is long enough to tell it (500 samples of white noise; 150 times the time constant of a low-passed
// one); a shorter one scatters by its own few samples, about 1 / sqrt(2 x span). A group later the window holds
// that noise's groups alone. Variance() is 0 (unmeasured) until half a span of groups that say something has been
// taken, and never 0 after; where the first samples are quantised (ResolutionStep: their smallest step recurs), it
// is never below the variance of a uniform quantisation in that step (q^2 / 12): the data's resolution, which tied
// samples, most of them at their level, would hide.
class NoiseGauge {
 public:
  // Groups in a span: enough for a reference that one event's groups do not move, few enough that the trimmed mean
  // after each group costs about ten quiet samples (45 ns against 4.5 ns on i686): a seventh of the quiet scan in
  // groups of 63 (a span of 1000), a fiftieth in groups of 500. The window's groups are kept ranked, one taken out
  // and one put in a group, so the quarter-rank one is read off; choosing it anew each time cost a fifth of the
  // scan.
  static constexpr int32_t kGroups = 16;
  // Samples in a group at least: a mean square of fewer is too scattered to be weighed against the reference.
  static constexpr int32_t kMinGroupSize = 8;
  // The trim: a group more than `above` times the window's quarter-rank group, or less than a `below`-th of it, is
  // left out. A group's mean square scatters as chi-square of nu degrees over nu, nu its independent samples
  // (Independent): as many as its samples in white noise, fewer where neighbours are correlated (a low-passed
  // noise: 2-pole noise at 300 Hz holds about one in a group of 1.25 ms), and a low-passed noise's groups scatter
  // so that a bound of white noise's trims its own larger groups and sinks the measure (by 29 % at about two). The
  // bounds are the ratios to the reference that a noise's group exceeds once in 1000 at the reference's nu
  // (tests/data/noise_gauge_odds.py computes them, 10^6 windows of 16 a row): above 376 and below 65,800 at nu = 1,
  // 38 and 300 at 2, 5.6 and 6.2 at 8, never narrower than kTrimAbove and kTrimBelow, where white groups of m = 8
  // lie above once in 1000, m = 16 once in 200,000 (and below once in 1000), m = 32 below once in 45,000, m = 64
  // never in 16 million. A current of 5 SD or more puts its groups far above white noise's bound; a noise that
  // scatters like its groups is told from them less sharply. Where the noise has shrunk, the one group that
  // straddles the change a span later lies within the bound of the reference; where it has grown, the old groups
  // within the bound below move the mean by less than a span's own.
  struct Trim {
    double above, below;
  };
  static Trim TrimBounds(double independent);
  static constexpr double kTrimAbove = 5.0;
  static constexpr double kTrimBelow = 3.0;
  // A group's independent samples, nu, from its n samples' mean, mean square and squared changes from the sample
  // before: their correlation between neighbours, r = 1 - (mean squared change) / (2 variance), gives
  // nu = 1 + (n - 1) (1 - r^2) / (1 + r^2), as a noise low-passed by one pole scatters its mean squares (n for a
  // white noise, 1 where the group is one slow swing); a negative r (an event's samples beside the quiet ones
  // change by more than noise) counts as none.
  static double Independent(int32_t n, double squares, double sum, double changes);
  // The cycles joined to the one before (started within the minimum interval after it) that make a group a grown
  // noise's: a threshold a noise has outgrown is crossed again and again, an event's notch starts one such.
  static constexpr int32_t kNoiseStarts = 2;

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
  // A quiet sample y, the local level it stands about and the sample before it (non-finite where there was none):
  // a group whose samples all repeat the one before, a stretch held at one value, says nothing, and their changes
  // show how far the noise is correlated. True when that brought the standard deviation up to date.
  [[gnu::always_inline]] inline bool Take(double y, double level, double before) {
    const double residual = y - level, change = y - before;
    return Took(mSquares + residual * residual, mSum + residual,
                mChanges + (std::isfinite(change) ? change * change : 0.0), 1, mAsideSquares, mAsideSum, 1,
                y != before);
  }
  // For a caller that sums a run of samples itself, each as Take or TakeAside would, where the sums stay in
  // registers: the sums so far (of the squared residuals and of the residuals, quiet and aside, and of the quiet
  // samples' squared changes from the sample before) and the ticks to the group's end; then Took with the sums, the
  // quiet samples, the samples it took (a run ends at the group's end at the latest) and whether any of them moved.
  // True when that brought the standard deviation up to date.
  double Squares() const { return mSquares; }
  double Sum() const { return mSum; }
  double Changes() const { return mChanges; }
  double AsideSquares() const { return mAsideSquares; }
  double AsideSum() const { return mAsideSum; }
  int32_t UntilGroup() const { return mUntilGroup; }
  [[gnu::always_inline]] inline bool Took(double squares, double sum, double changes, int32_t quiet,
                                          double asideSquares, double asideSum, int32_t taken, bool moved) {
    mMoved = mMoved || moved;
    mSquares = squares;
    mSum = sum;
    mChanges = changes;
    mQuiet += quiet;
    mAsideSquares = asideSquares;
    mAsideSum = asideSum;
    mAside += taken - quiet;
    mUntilGroup -= taken;
    return mUntilGroup == 0 && EndGroup();
  }
  // A sample within an event (a cycle's, or a swing's the other way, to its return), which the measure leaves out
  // unless the group turns out a grown noise's, about the same level; joined when a cycle starts on it within the
  // minimum interval after the one before (the caller says which). True when the measure changed.
  [[gnu::always_inline]] inline bool TakeInEvent(double y, double level, bool joined) {
    const double residual = y - level;
    mJoinedStarts += joined ? 1 : 0;
    mEventSquares += residual * residual;
    mEventSum += residual;
    ++mEventCount;
    return --mUntilGroup == 0 && EndGroup();
  }
  // A sample outside events that is no quiet noise (on an event's rise before it crosses the threshold, on its fall
  // back, or otherwise far off the level for the measure as it stands): left out of the measure as an event's
  // samples are, unless the group turns out a grown noise's (whose samples lie far off the level for a measure it
  // has outgrown). True when the measure changed.
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
  // Ends the group of ticks just taken: keeps what it says of the noise (its quiet samples' mean square, or a
  // grown noise's spread) and brings the measure up to date; true when it changed.
  bool EndGroup();
  // The trimmed mean of the window's groups, once at least `least` of them said something; once measured, the
  // measure as it stood stands in for the groups missing below half the window.
  void Refresh(int32_t least);
  // Puts a group in the ring's slot.
  void Place(int32_t slot, double group, int32_t quiet);
  // Adds a group that said something to the window's ranks with its independent samples, or takes it out.
  void Rank(double group, double independent);
  void Unrank(double group);

  int32_t mSpan = 1;
  int32_t mGroupSize = kMinGroupSize;
  int32_t mUntilGroup = kMinGroupSize;  // ticks to the group's end
  int32_t mWindow = kGroups;      // groups in a span, at most kGroups
  int32_t mEnded = 0;             // groups ended since Reset (the window holds the last mWindow)
  double mSquares = 0.0;          // the group's quiet squared residuals, summed (double: a sum)
  double mSum = 0.0;              // their residuals, summed
  double mChanges = 0.0;          // their squared changes from the sample before, summed
  int32_t mQuiet = 0;             // their count
  bool mMoved = false;            // one of them differed from the sample before it
  double mEventSquares = 0.0;     // the same sums of the group's samples within events
  double mEventSum = 0.0;
  int32_t mEventCount = 0;
  double mAsideSquares = 0.0;     // the same sums of the samples taken aside (TakeAside)
  double mAsideSum = 0.0;
  int32_t mAside = 0;
  int32_t mJoinedStarts = 0;      // cycles joined to the one before that started in the group
  double mGroups[kGroups] = {};   // the last groups' quiet mean squares (0: said nothing), a ring at mEnded % mWindow
  int32_t mCounts[kGroups] = {};  // their quiet samples, the same ring
  double mWeighed[kGroups] = {};  // each mean square times its quiet samples, the same ring
  double mRanks[kGroups] = {};    // the window's groups that said something, smallest first
  double mIndependent[kGroups] = {};  // their independent samples (Independent), the same order
  int32_t mRanked = 0;            // their count
  double mStartLevel = 0.0;
  double mFloor = 0.0;            // the resolution's variance, q^2 / 12 (0: not quantised)
  double mVariance = 0.0;
  double mSd = 0.0;
};

}  // namespace host
