// The level a cycle rises from: the trough of the signal's average, the floor it falls freely to, and the hold on
// a swing the other way.
#pragma once

#include <algorithm>
#include <cstdint>

namespace host {

// A swing the other way that has stayed within half a threshold of one level for this many times the trough's
// rise time (ticks per threshold) is a new level, which the trough takes; a current of the other sign returning
// over up to 100 ms leaves that band sooner.
inline constexpr double kSettleRiseTimes = 2.0;
// That band, in thresholds either way: the noise of an average (under half a threshold of 5 SD) keeps within it,
// a return to the baseline by a threshold or more does not.
inline constexpr double kSettleBand = 0.5;

// Follows the lowest of the signal's average lately, in the signal's units (the signal times the polarity, so that
// cycles rise), one average a tick. `step` is how far the trough may rise a tick: the threshold times the rise per
// tick, a threshold in the rise time (50 ms), so that it follows a drift and an earlier cycle's fall while noise,
// which stays within the threshold, starts no cycle above it. Down it follows the average freely to the floor, so
// that it keeps to an earlier cycle's fall, and below the floor by no more than `step` a tick, so that a drift the
// other way is followed. The floor comes up to the trough at that pace while the trough lies within the threshold of
// it and falls no faster than `step` (a drift; on a cycle's fall it stays, or a burst's falls lifted it step by step
// above the level its currents rise from); where the trough lies higher (on a cycle's fall) the floor comes up only
// as far as `rose`, the level
// that cycle, or the one whose fall it rode on, rose from: a slow current's fall, faster than `step` for hundreds of
// milliseconds, is followed down to there (a floor that came up under it took the fall for a swing the other way
// and lost the currents riding on it), and a train's floor, sunk during each cycle, comes back up between them (it
// sank by a threshold along 40 action potentials, and their after-hyperpolarisation's return gave a row). An
// average more than the threshold below
// the floor is a swing the other way (a current of the other sign), whose return is no cycle: the trough holds at
// the floor until the average has kept within half a threshold of one level for kSettleRiseTimes rise times (a
// step to a new level), which it then takes.
//
// Invariant, outside a swing: floor <= trough; the floor rises by at most `step` a tick, and not above `rose` where
// the trough lies more than the threshold above it (until the trough keeps to one level for kSettleRiseTimes rise
// times: a step up, which the floor takes); the trough rises by at most `step` a tick and, where it rises, never to
// above the average it was handed; it falls to that average at once down to the floor, and below the floor by at
// most `step` a tick, so that where the average lies further below the floor the trough stays above it until it
// gets there
// (an average of -1 against a trough and floor of 0 and a step of 0.01 leaves the trough at -0.01). Follow keeps
// the trough's pace (true) unless the trough fell faster than `step` (the fall of a cycle). In a swing, trough ==
// floor, which does not move.
struct TroughFollower {
  static constexpr double kNoLevel = 1e300;

  double trough = 0.0;
  double floor = 0.0;
  double rose = kNoLevel;    // the trough the last cycle rose from (kNoLevel before any)
  bool swing = false;        // the average lies more than the threshold below the floor
  double swingLevel = 0.0;   // the level the average has kept within half a threshold of since swingTick
  int32_t swingTick = 0;
  bool held = false;         // the trough lies more than the threshold above the floor (Held)
  double heldLevel = 0.0;    // since when it has kept within half a threshold of this level
  int32_t heldTick = 0;

  // Trough and floor at level, no swing.
  void Reset(double level) { *this = TroughFollower{level, level, kNoLevel, false, 0.0, 0, false, 0.0, 0}; }

  // Whether the trough lies more than the threshold above the floor, which then comes up only as far as `rose`.
  bool Held(double threshold) const { return trough - floor > threshold; }

  // Trough and floor alone, as a scan keeps them in registers.
  struct Levels {
    double trough;
    double floor;
  };

  // std::min and std::max by value, so that the scan's loop keeps its levels in registers (the references they
  // return sent them through the stack).
  [[gnu::always_inline]] static inline double Smaller(double a, double b) { return b < a ? b : a; }
  [[gnu::always_inline]] static inline double Larger(double a, double b) { return a < b ? b : a; }

  // Whether the average lies so far below the floor that Follow holds a swing.
  static bool Swings(double floor, double smoothBefore, double threshold) { return smoothBefore < floor - threshold; }

  // The levels after one more average above the swing level (smoothBefore: the average before this tick's
  // sample): the one step that the scan's every sample takes, in its quiet stretches and elsewhere alike. rose: the
  // level the last cycle rose from (kNoLevel before any), threshold: the cycles' threshold.
  [[gnu::always_inline]] static inline Levels Next(double trough, double floor, double rose, double smoothBefore,
                                                   double step, double threshold) {
    const double next = Larger(Smaller(smoothBefore, trough + step), Smaller(trough - step, floor));
    if (next < trough - step) return {next, floor};  // a fall, no drift
    return {next, Smaller(floor + step, next - floor > threshold ? Larger(floor, rose) : next)};
  }

  // One tick: a swing held or the next levels. True when the trough kept its pace, outside a swing.
  // risePerTick: the thresholds the trough may rise a tick (step / threshold), for the swing's settling.
  [[gnu::always_inline]] inline bool Follow(double smoothBefore, double threshold, double step, double risePerTick,
                                            int32_t tick) {
    if (__builtin_expect(Swings(floor, smoothBefore, threshold), 0)) {
      trough = floor;
      HoldSwing(smoothBefore, threshold, risePerTick, tick);
      return false;
    }
    swing = false;
    const Levels next = Next(trough, floor, rose, smoothBefore, step, threshold);
    const bool keptPace = next.trough >= trough - step;  // no faster fall than step
    trough = next.trough;
    floor = next.floor;
    SettleHeld(threshold, risePerTick, tick);
    return keptPace;
  }

 private:
  // A trough held above the floor that keeps within half a threshold of one level for kSettleRiseTimes rise times
  // is at a new level (a step up, no fall), which the floor takes.
  void SettleHeld(double threshold, double risePerTick, int32_t tick) {
    const bool wasHeld = held;
    held = Held(threshold);
    if (!held) return;
    if (!wasHeld || __builtin_fabs(trough - heldLevel) > kSettleBand * threshold) {
      heldLevel = trough;
      heldTick = tick;
    } else if ((tick - heldTick) * risePerTick > kSettleRiseTimes) {
      floor = trough;
      held = false;
    }
  }

  void HoldSwing(double smooth, double threshold, double risePerTick, int32_t tick) {
    if (!swing || __builtin_fabs(smooth - swingLevel) > kSettleBand * threshold) {
      swing = true;
      swingLevel = smooth;
      swingTick = tick;
    } else if ((tick - swingTick) * risePerTick > kSettleRiseTimes) {
      swing = false;
      trough = floor = smooth;
    }
  }
};

}  // namespace host
