// The host's cycle detection: the threshold scan over blocks and the detection-settings object.
#include "host/cycles/CycleScan.h"
#include "host/cycles/DetectionSettings.h"
#include "host/common/HostString.h"
#include "host/cycles/CustomizeDialog.h"
#include "host/cycles/DetectionSettingsService.h"
#include "host/cycles/DetectionTextProblem.h"
#include "host/data/RecordingReader.h"
#include "tests/support/SourceTree.h"
#include "tests/support/SeededNoise.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <functional>
#include <sstream>
#include <utility>
#include <vector>

namespace host {
namespace {

// The cycles found in blocks of the given size. After each block the scan promises that no cycle still to come
// lies before PendingCycleTick, and the enumerator reports that tick as examined: every later cycle keeps it.
std::vector<CycleEventRecord> Scan(const std::vector<float>& x, const CycleRules& rules, int32_t block) {
  CycleScanState state;
  std::vector<CycleEventRecord> found;
  int32_t promised = 0;
  for (size_t at = 0; at < x.size(); at += static_cast<size_t>(block)) {
    const size_t before = found.size();
    ScanCycles(state, rules, x.data() + at, static_cast<int32_t>(std::min<size_t>(block, x.size() - at)), found);
    for (size_t k = before; k < found.size(); ++k)
      EXPECT_GE(found[k].tick, promised) << "cycle " << k << " in blocks of " << block << ", found after tick " << at;
    promised = std::max(promised, PendingCycleTick(state));
  }
  return found;
}


// Large events that fill whole noise groups at a low rate are no growth of the noise: the bundled ECG's R waves
// (360 Hz, one group 22 ms) are found at 5 relative deviations upward, each within 0.1 s of its annotation.
TEST(CycleScan, LargeEventsAtALowRateAreNotTakenForGrowingNoise) {
  const Recording ecg = ReadRecordingFile(testsupport::SourcePath("data/ecg_mitbih100_mlii.csv"), {});
  ASSERT_EQ(ecg.records.size(), 1u);
  const RecordData& record = ecg.records[0];
  const float* samples = record.samples[0]->Samples();
  const std::vector<float> x(samples, samples + record.length);
  const double arguments[6] = {0.0, 0.5, 5.0, 10.0, 50.0, 1.0};  // upward (0), 5 SD, 10 ms, 50 ms
  const auto found = Scan(x, RulesFromArguments(arguments, 6, record.tickPeriod), 1024);
  std::ifstream annotations(testsupport::SourcePath("tests/data/recordings/ecg_annotations.csv"));
  std::string line;
  std::getline(annotations, line);
  int beats = 0, matched = 0;
  const int32_t within = static_cast<int32_t>(0.1 / record.tickPeriod);
  while (std::getline(annotations, line)) {
    std::istringstream cells(line);
    std::string sample, time, symbol, beat;
    std::getline(cells, sample, ',');
    std::getline(cells, time, ',');
    std::getline(cells, symbol, ',');
    std::getline(cells, beat, ',');
    if (beat != "1") continue;
    ++beats;
    const int32_t at = std::stoi(sample);
    for (const auto& cycle : found) {
      if (std::abs(cycle.tick - at) <= within) {
        ++matched;
        break;
      }
    }
  }
  EXPECT_EQ(beats, 760);
  EXPECT_GE(matched, 757) << "of " << beats << " beats, " << found.size() << " cycles";
}

// A neuron's trains of action potentials during current steps (15 and 21, each rising out of the slow recovery from
// the one before, smaller and smaller) at 5 relative deviations upward: every spike is an event, at its peak above
// 0 mV, however long the cycle it is found in started before it.
TEST(CycleScan, EveryActionPotentialOfATrainIsAnEvent) {
  const Recording steps = ReadRecordingFile(testsupport::SourcePath("data/neuron_steps.csv"), {});
  ASSERT_EQ(steps.records.size(), 2u);
  const size_t spikes[2] = {15, 21};
  for (size_t r = 0; r < 2; ++r) {
    const RecordData& record = steps.records[r];
    const float* samples = record.samples[0]->Samples();
    const std::vector<float> x(samples, samples + record.length);
    const double arguments[6] = {0.0, 0.5, 5.0, 10.0, 50.0, 1.0};
    const auto found = Scan(x, RulesFromArguments(arguments, 6, record.tickPeriod), 1024);
    EXPECT_EQ(spikes[r], static_cast<size_t>(std::count_if(found.begin(), found.end(), [&](const auto& e) {
                return x[static_cast<size_t>(e.tick)] > 0.0f;
              }))) << "record " << r;
  }
}

// A cycle stands at its extreme, where the chain reads its height, not at its threshold crossing; the
// interval counts from crossing to crossing, where the mean of two samples rises through the threshold.
TEST(CycleScan, ExtremeHysteresisAndIntervalInAnyBlockSize) {
  std::vector<float> x(200, 0.0f);
  // Cycle 1: means 0.9 and 1.0 cross 1.0 at 12; it dips to 0.6 (above 0.5, still the same cycle), peaks at 3.
  x[10] = 0.4f; x[11] = 1.4f; x[12] = 0.6f; x[13] = 3.0f; x[14] = 0.2f;
  // Cycle 2 starts 3 ticks after cycle 1 (too soon for an interval of 10); cycle 3 crosses at 60.25 and peaks
  // at 61, the first of two equal samples.
  x[15] = 2.0f;
  x[60] = 1.5f; x[61] = 2.0f; x[62] = 2.0f;
  CycleRules rules;
  rules.threshold = 1.0;
  rules.hysteresis = 0.5;
  rules.minIntervalTicks = 10;
  for (const int32_t block : {1, 7, 200}) {
    const auto found = Scan(x, rules, block);
    ASSERT_EQ(found.size(), 2u) << block;
    EXPECT_EQ(found[0].tick, 13);
    EXPECT_EQ(found[0].fraction, 0.0f);
    EXPECT_EQ(found[0].value, 3.0);
    EXPECT_EQ(found[1].tick, 61);
    EXPECT_EQ(found[1].fraction, 0.0f);
  }
  // Downward cycles are the same seen from the other side; their value keeps its sign.
  std::vector<float> down(x.size());
  for (size_t i = 0; i < x.size(); ++i) down[i] = -x[i];
  rules.polarity = -1.0;
  const auto found = Scan(down, rules, 7);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].tick, 13);  // the trough
  EXPECT_EQ(found[0].value, -3.0);
  // Levels from 0 that settle at 0.45 after cycle 1: it ends there, and a cycle reaching 1.2 is found, though it
  // rises less than the threshold above the level it rises from.
  std::vector<float> offset(x.size(), 0.45f);
  std::copy(x.begin(), x.begin() + 16, offset.begin());
  offset[60] = offset[61] = 1.2f;
  rules.polarity = 1.0;
  const auto settled = Scan(offset, rules, 7);
  ASSERT_EQ(settled.size(), 2u);
  EXPECT_EQ(settled[1].tick, 60);
}

// Two cycles that start closer than the interval are one event, at the larger extreme, reported once the
// interval has passed; a cycle still open at the record's end is reported at its extreme.
TEST(CycleScan, CyclesWithinTheIntervalAreOneEventAndTheLastIsKept) {
  std::vector<float> x(40, 0.0f);
  x[10] = x[11] = 2.0f;  // ends at 12, back below 0.5
  x[15] = x[16] = 4.0f;  // starts 5 ticks later: the same event
  x[37] = 1.5f;
  x[38] = x[39] = 3.0f;  // open at the end
  CycleRules rules;
  rules.minIntervalTicks = 10;
  for (const int32_t block : {1, 40}) {
    CycleScanState state;
    std::vector<CycleEventRecord> found;
    for (int32_t at = 0; at < 40; at += block) ScanCycles(state, rules, x.data() + at, block, found);
    EXPECT_EQ(PendingCycleTick(state), 38);
    FinishCycles(state, rules, found);
    ASSERT_EQ(found.size(), 2u) << block;
    EXPECT_EQ(found[0].tick, 15);
    EXPECT_EQ(found[0].value, 4.0);
    EXPECT_EQ(found[1].tick, 38);
  }
}

TEST(CycleScan, RelativeThresholdFollowsTheBaselineAndItsNoise) {
  // A baseline of 100 with noise of +-1, and events 10 above it: 3 standard deviations find them, long before the
  // baseline has its full length, and in the run-in (64 samples) too once its noise is measured.
  std::vector<float> x(5000);
  for (size_t i = 0; i < x.size(); ++i) x[i] = 100.0f + ((i % 2) ? 1.0f : -1.0f);
  for (const int t : {20, 50, 2000, 3000}) x[t] = x[t + 1] = 110.0f;
  CycleRules rules;
  rules.threshold = 3.0;
  rules.relative = true;
  rules.baselineTicks = 500;
  for (const int32_t block : {7, 1024}) {
    const auto found = Scan(x, rules, block);
    ASSERT_EQ(found.size(), 4u) << block;
    EXPECT_EQ(found[0].tick, 20);
    EXPECT_EQ(found[1].tick, 50);
    EXPECT_NEAR(found[2].value, 10.0, 0.2);
  }
  EXPECT_FALSE(OpensWithinEvent(rules, x.data(), static_cast<int32_t>(x.size())));
  // A record that opens on the fall of an event: its start lies before the record.
  for (size_t i = 0; i < 200; ++i) x[i] += static_cast<float>(40.0 * std::exp(-static_cast<double>(i) / 20.0));
  EXPECT_TRUE(OpensWithinEvent(rules, x.data(), static_cast<int32_t>(x.size())));
}

// A record that opens within a current, on its rise (0.05 ms in) or its fall (up to 3 ms in), in white or low-passed
// noise, either direction: wherever the scan does not find that current and it stands 1.5 thresholds or more within
// the record (less may be below the threshold measured), OpensWithinEvent names the record, so no current is lost
// without a word; records of noise alone are not named.
TEST(CycleScan, ARecordThatLosesTheCurrentItOpensWithinIsNamed) {
  uint32_t draw = 11;
  int lost = 0;
  for (uint32_t seed = 1; seed <= 120; ++seed) {
    const double into = 0.05 + 3.0 * testsupport::NextUniform(draw);
    const double decay = 2.0 + 18.0 * testsupport::NextUniform(draw);
    const double height = 8.0 + 12.0 * testsupport::NextUniform(draw), sign = seed % 2 ? 1.0 : -1.0;
    const bool current = seed % 5 != 0;
    const double arguments[6] = {sign > 0.0 ? 0.0 : 1.0, 0.5, 5.0, 10.0, 50.0, 1.0};  // 5 SD, 10 ms, 50 ms
    const CycleRules rules = RulesFromArguments(arguments, 6, 1.0 / 20000);
    testsupport::Noise noise(seed, seed % 3 ? 0.0 : 2.0);
    std::vector<float> x(8000);
    double standing = 0.0;
    for (size_t i = 0; i < x.size(); ++i) {
      const double t = static_cast<double>(i) / 20.0 + into;  // ms after the current's onset, rising over 0.3 ms
      const double shape = current ? height * (1.0 - std::exp(-t / 0.3)) * std::exp(-t / decay) : 0.0;
      standing = std::max(standing, shape);
      x[i] = static_cast<float>(sign * shape + noise(1.0));
    }
    const auto found = Scan(x, rules, 1024);
    const bool kept = std::any_of(found.begin(), found.end(),
                                  [&](const CycleEventRecord& e) { return e.tick < 20.0 * decay; });
    const bool named = OpensWithinEvent(rules, x.data(), 8000);
    lost += current && !kept ? 1 : 0;
    if (current && !kept && standing >= 7.5) {
      EXPECT_TRUE(named) << "seed " << seed << ", " << into << " ms in";
    }
    if (!current) {
      EXPECT_FALSE(named) << "seed " << seed << ", noise alone";
    }
  }
  EXPECT_GT(lost, 40);  // most are lost: the scan starts no cycle until the signal has come back
}

// A noisy decaying tail starts no second cycle once the interval has passed; a smaller event after it is found.
TEST(CycleScan, NoisyTailOfACycleStartsNoOther) {
  std::vector<float> x(4000);
  uint32_t seed = 7;
  for (size_t i = 0; i < x.size(); ++i) {
    x[i] = static_cast<float>(testsupport::NextUniform(seed) * 3.4 - 1.7);  // 1 standard deviation
    if (i >= 1000) x[i] += static_cast<float>(50.0 * std::exp(-(i - 1000.0) / 100.0));
    if (i >= 2500) x[i] += static_cast<float>(8.0 * std::exp(-(i - 2500.0) / 100.0));
  }
  CycleRules rules;
  rules.threshold = 5.0;
  rules.relative = true;
  rules.baselineTicks = 1000;
  rules.minIntervalTicks = 200;
  const auto found = Scan(x, rules, 1024);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_NEAR(found[0].value, 50.0, 2.0);
  EXPECT_NEAR(found[1].tick, 2500, 10);
}

// 5 standard deviations of the noise over a baseline of 1000 ticks, at least 200 ticks apart; the trough rises by
// at most a thousandth of the threshold a tick.
CycleRules FiveSdOver1000Ticks() {
  CycleRules rules;
  rules.threshold = 5.0;
  rules.relative = true;
  rules.baselineTicks = 1000;
  rules.minIntervalTicks = 200;
  rules.troughRisePerTick = 1.0 / 1000;
  return rules;
}

// A current of 80 thresholds whose average falls by more than a threshold a tick once its cycle has ended: the
// trough follows that fall to the baseline (it used to hold at the current's level, taking the fall for a swing
// the other way, and lost the currents after it); a current of the other sign decaying over 2000 ticks, its
// return, holds it at the baseline and starts none.
TEST(CycleScan, AFastFallIsFollowedAndASlowReturnStartsNothing) {
  std::vector<float> x(8000);
  for (size_t i = 0; i < x.size(); ++i) {
    x[i] = (i % 2) ? 1.0f : -1.0f;
    if (i >= 1000) x[i] += static_cast<float>(400.0 * std::exp(-(i - 1000.0) / 4.0));
    if (i >= 3000) x[i] -= static_cast<float>(150.0 * std::exp(-(i - 3000.0) / 2000.0));
    for (const size_t at : {1400u, 1800u, 2400u})
      if (i >= at) x[i] += static_cast<float>(10.0 * std::exp(-static_cast<double>(i - at) / 20.0));
  }
  const CycleRules rules = FiveSdOver1000Ticks();
  const auto found = Scan(x, rules, 1024);
  ASSERT_EQ(found.size(), 4u);
  EXPECT_EQ(found[0].tick, 1000);
  EXPECT_NEAR(found[3].tick, 2400, 5);
}

// Where a bi-exponential current peaks after its onset (time constants and result in ticks).
double TimeToPeak(double rise, double decay) { return std::log(decay / rise) * rise * decay / (decay - rise); }

// A current of peak 1 (bi-exponential, time constants in ticks) at tick t after its onset.
double Current(double t, double rise, double decay) {
  if (t < 0.0) return 0.0;
  const double top = TimeToPeak(rise, decay);
  return (std::exp(-t / decay) - std::exp(-t / rise)) / (std::exp(-top / decay) - std::exp(-top / rise));
}

// Drawn at random: trains of action potentials at 10 to 300 Hz (80 to 300 SD, with after-hyperpolarisations of 5 to 40
// SD that add up along a train), bursts of 5 to 30 currents of 8 to 20 SD at 100 to 1000 Hz, of one sign or alternating
// (interval 0.4 of the gap, each sign looked for in turn), and currents of 8 to 20 SD riding on slow ones of 200 SD
// decaying over 100 ms, on white or low-passed noise at 10 to 25 kHz, measured over 50 or 100 ms. In the trains and
// bursts a relative threshold of 5 SD finds every event that an absolute one at the same level finds (a cycle from its
// onset to the next event's; the absolute one 10 % higher, the scatter of a measure over 50 ms), the bursts all but 1
// in 1000 of them (an event's onset before it crosses the threshold still counts as noise): no event's fall or return,
// nor a return of the other sign, is taken for noise (they raised the measure along a burst up to twice, and lost 8 in
// 3831), and no run of events kept apart by the interval for a noise that grew. On the slow currents a threshold of
// 5.5 SD finds every current riding on them: the trough follows a slow fall down to where it rose from (a floor that
// came up under the fall took it for a swing the other way and lost the currents on it), and a train's floor does not
// sink along it.
TEST(CycleScan, ARelativeThresholdLosesNoEventOfTrainsOrSlowFallsThatAnAbsoluteOneFinds) {
  enum Kind { kTrains, kOneSignBursts, kAlternatingBursts, kSlowFalls };
  int burstEvents = 0, burstMissed = 0;
  for (uint32_t seed = 1; seed <= 56; ++seed) {
    uint32_t draw = seed * 7919u;
    const auto uniform = [&draw](double a, double b) { return a + (b - a) * testsupport::NextUniform(draw); };
    const double rate = seed % 3 == 0 ? 10000.0 : seed % 3 == 1 ? 20000.0 : 25000.0, ms = rate / 1000.0;
    const Kind kind = seed <= 24 ? (seed % 2 ? kTrains : kSlowFalls) : seed % 2 ? kOneSignBursts : kAlternatingBursts;
    std::vector<double> x(static_cast<size_t>(2.5 * rate), 0.0);
    std::vector<double> onsets, signs;  // ticks, and each event's sign
    double gap = 1000.0 / uniform(10.0, 300.0) * ms;
    const auto add = [&x](double at, double size, double rise, double decay) {
      for (size_t i = static_cast<size_t>(std::max(at, 0.0)); i < x.size(); ++i) {
        if (static_cast<double>(i) - at > 15.0 * decay) break;
        x[i] += size * Current(static_cast<double>(i) - at, rise, decay);
      }
    };
    if (kind == kTrains) {
      for (double at = 0.1 * rate; at < 2.3 * rate; at += 0.3 * rate) {
        const int n = 5 + static_cast<int>(uniform(0, 36));
        for (int k = 0; k < n && at < 2.4 * rate; ++k, at += gap) {
          onsets.push_back(at);
          signs.push_back(1.0);
          add(at, uniform(80.0, 300.0), 0.2 * ms, 0.5 * ms);
          add(at + 0.5 * ms, -uniform(5.0, 40.0), 0.6 * ms, uniform(3.0, 20.0) * ms);
        }
      }
    }
    if (kind == kOneSignBursts || kind == kAlternatingBursts) {
      const double first = uniform(0.0, 1.0) < 0.5 ? 1.0 : -1.0;
      double least = 1e300;
      for (double at = 0.1 * rate; at < 2.3 * rate; at += 0.3 * rate) {
        gap = 1000.0 / uniform(100.0, 1000.0) * ms;
        least = std::min(least, gap);
        const double rise = uniform(0.03, 0.1) * std::min(gap / ms, 3.0) * ms;
        const double decay = gap * (kind == kAlternatingBursts ? uniform(0.15, 0.4) : uniform(0.2, 0.5));
        const int n = 5 + static_cast<int>(uniform(0, 26));
        for (int k = 0; k < n && at < 2.4 * rate; ++k, at += gap) {
          const double sign = kind == kAlternatingBursts && k % 2 ? -first : first;
          onsets.push_back(at);
          signs.push_back(sign);
          add(at, sign * uniform(8.0, 20.0), rise, decay);
        }
      }
      gap = least;
    }
    if (kind == kSlowFalls) {
      for (double at = 0.2 * rate; at < 2.4 * rate; at += 0.6 * rate) add(at, 200.0, 2.0 * ms, 100.0 * ms);
      for (double at = 0.1 * rate; at < 2.4 * rate; at += uniform(10.0, 60.0) * ms) {
        onsets.push_back(at);
        signs.push_back(1.0);
        add(at, uniform(8.0, 20.0), 0.2 * ms, 3.0 * ms);
      }
    }
    testsupport::Noise noise(seed, seed % 2 && seed / 2 % 2 ? 0.0 : 1.6);
    std::vector<float> samples(x.size());
    for (size_t i = 0; i < x.size(); ++i) samples[i] = static_cast<float>(x[i] + noise(1.0));
    for (const double direction : {1.0, -1.0}) {
      if (std::find(signs.begin(), signs.end(), direction) == signs.end()) continue;
      CycleRules rules;
      rules.polarity = direction;
      rules.threshold = 5.0;  // standard deviations, and the noise's is 1
      rules.relative = true;
      rules.baselineTicks = static_cast<int32_t>((seed / 4 % 2 ? 100.0 : 50.0) * ms);
      rules.minIntervalTicks = static_cast<int32_t>(kind == kTrains ? 0.5 * gap : kind == kSlowFalls ? 5.0 * ms
                                                                                                    : 0.4 * gap);
      rules.troughRisePerTick = 1.0 / (50.0 * ms);
      rules.smoothing = CycleSmoothing(rules.minIntervalTicks);
      const auto relative = Scan(samples, rules, 1024);
      rules.relative = false;
      rules.threshold = 5.5;  // the same level, and the scatter of a measure over 50 ms
      const auto absolute = Scan(samples, rules, 1024);
      const auto foundIn = [](const std::vector<CycleEventRecord>& found, double from, double to) {
        return std::any_of(found.begin(), found.end(),
                           [&](const CycleEventRecord& e) { return e.tick >= from && e.tick < to; });
      };
      for (size_t k = 0; k < onsets.size(); ++k) {
        if (signs[k] != direction) continue;
        const double from = onsets[k] - 0.3 * ms;
        const double to = k + 1 < onsets.size() ? onsets[k + 1] : static_cast<double>(x.size());
        // On slow currents the trough alone is weighed: each current riding on one is found at the level given.
        if (kind == kSlowFalls) {
          EXPECT_TRUE(foundIn(absolute, from, to)) << "seed " << seed << " slow fall, event at tick " << onsets[k];
          continue;
        }
        if (!foundIn(absolute, from, to)) continue;
        if (kind != kTrains) {
          ++burstEvents;
          burstMissed += foundIn(relative, from, to) ? 0 : 1;
          continue;
        }
        EXPECT_TRUE(foundIn(relative, from, to)) << "seed " << seed << " train, event at tick " << onsets[k];
      }
    }
  }
  EXPECT_LE(burstMissed * 1000, burstEvents) << burstMissed << " of " << burstEvents << " events of bursts lost";
}

constexpr size_t kFallShapes = 3;  // riders of the other sign, of the same sign, a response after an artefact

// Pairs drawn at random (rate 8 to 100 kHz, either sign, interval 2 to 10 ms, white or low-passed noise): a current of
// 12 to 30 SD rising over 0.1 to 1 ms and decaying over 10 to 100 ms, and a second one of 8 to 30 SD starting on its
// top more than the interval after it, once the first has fallen for at least three times as long as it rose and by 2
// SD (beyond the wander of its top's noise), but by less than the threshold. Each is an event of its own: the first
// stands at its own top, before the second's onset, and the second after it, at its own extreme, never the first's. In
// the same draws, a current of 8 to 20 SD rising over 0.1 to 15 ms with a notch on its rise (a dip of 10 to 25 % of
// its height, 4 SD at most), a shoulder (a second current starting on its rise) or neither, falling over 2 to 200 ms (a
// broad top), in low-passed noise, is one event with an interval of 2 ms, all but 1 in 50: a pause on a rise no
// longer than the rise would take at the pace it crossed the threshold is no step to a new level, and a noise peak
// that crosses early on the rise and comes back with no top of its own is one event with the rise crossing again
// (without that, 1 in 16 were split). And a current of 20 to 60 SD, slow (rise 1.5 to 8 ms, decay 20 to 100) or fast
// (0.1 to 0.6, 3 to 10), with a rider of 8 to 20 SD (rise 0.1 to 0.5 ms, decay 1.5 to 6) on its top or fall: of the
// same sign, the rider is the one event after its onset; of the other sign, the return from it is none, all but 1 in 25 of the riders (37 in 84 were
// events before the return was told from a current rising on the fall). A response after an artefact two to five times
// its size is found, all but 1 in 25 (7 in 84 were taken for a swing's return where the artefact's fall was followed
// to the trough however long it rested above it).
TEST(CycleScan, ACurrentStartingOnAnothersTopIsAnEventOfItsOwn) {
  int pairs = 0;
  std::string merged;  // the pairs found as one event
  int rises = 0;
  std::string split;  // the notched or shouldered rises found as more than one event
  // Of the shapes rising out of a fall: other-sign riders whose return was an event, same-sign riders not one event,
  // responses after an artefact not found.
  int fallsDrawn[kFallShapes] = {};
  std::string fallsMissed[kFallShapes];
  for (uint32_t seed = 1; seed <= 150; ++seed) {
    uint32_t draw = seed * 2654435761u;
    const auto uniform = [&draw](double a, double b) { return a + (b - a) * testsupport::NextUniform(draw); };
    const double rate = std::round(std::exp(uniform(std::log(8000.0), std::log(100000.0)))), ms = rate / 1000.0;
    const double sign = seed % 2 ? 1.0 : -1.0, interval = uniform(2.0, 10.0);
    const double rise1 = uniform(0.1, 1.0) * ms, decay1 = uniform(10.0, 100.0) * ms, height1 = uniform(12.0, 30.0);
    const double top1 = TimeToPeak(rise1, decay1);
    // The second starts after the interval and after four times the first's time to peak (the highest of a noisy top
    // wanders), before the first has fallen by 4 SD (the threshold is 5).
    const double latest = -decay1 * std::log(1.0 - 4.0 / height1);
    const double fallen = top1 - decay1 * std::log(1.0 - 2.0 / height1);  // by 2 SD, beyond the noise of its top
    const double earliest = std::max({interval * ms + 0.5 * ms, 4.0 * top1, fallen});
    if (latest <= earliest) continue;
    // Mostly before the first's top has stayed the interval, where it would end as a step to a new level.
    const double gap = uniform(earliest, std::min(latest, std::max(earliest + 2.0 * ms, top1 + interval * ms)));
    const double rise2 = uniform(0.1, 1.0) * ms, decay2 = uniform(3.0, 20.0) * ms, height2 = uniform(8.0, 30.0);
    const double onset1 = 0.3 * rate, onset2 = onset1 + gap;
    testsupport::Noise noise(seed, seed % 3 == 0 ? 0.2 * ms : 0.0);
    std::vector<float> x(static_cast<size_t>(onset2 + 60.0 * ms));
    for (size_t i = 0; i < x.size(); ++i) {
      const double t = static_cast<double>(i);
      x[i] = static_cast<float>(sign * (height1 * Current(t - onset1, rise1, decay1) +
                                        height2 * Current(t - onset2, rise2, decay2)) + noise(1.0));
    }
    const double arguments[6] = {sign > 0.0 ? 0.0 : 1.0, 0.5, 5.0, interval, 50.0, 1.0};
    // In blocks of any size: no cycle lies before the position promised after a block (Scan).
    const auto found = Scan(x, RulesFromArguments(arguments, 6, 1.0 / rate), 1 + static_cast<int32_t>(seed % 97));
    const std::string where = "seed " + std::to_string(seed) + " at " + std::to_string(rate) + " Hz, gap " +
                              std::to_string(gap / ms) + " ms, first rising " + std::to_string(rise1 / ms) + " ms";
    ++pairs;
    EXPECT_GE(found.size(), 1u) << where;
    if (found.size() != 2u) merged += where + "; ";
    if (found.size() == 2u) {
      EXPECT_LT(found[0].tick, onset2) << where;
      EXPECT_NEAR(sign * found[0].value, height1, 4.0) << where;
      EXPECT_GT(found[1].tick, onset2) << where;
    }
    const double rise3 = std::exp(uniform(std::log(0.1), std::log(15.0))) * ms;
    const double decay3 = std::max(2.0 * ms, uniform(3.0, 10.0) * rise3);
    const double top3 = TimeToPeak(rise3, decay3);
    const double notch = onset1 + uniform(0.5, 1.0) * top3, width = std::max(0.15 * top3, 0.05 * ms);
    const double height3 = uniform(8.0, 20.0), depth = std::min(4.0, uniform(0.1, 0.25) * height3);
    const double second = onset1 + uniform(0.3, 0.8) * top3, part = uniform(0.3, 0.8);
    x.assign(static_cast<size_t>(onset1 + 2.0 * top3 + 2.0 * decay3 + 50.0 * ms), 0.0f);
    // And plain, falling over 2 to 200 ms: a broad top pauses longer than the interval. The noise's wander is slower
    // than a sample: a peak of it crosses the threshold early on a slow rise.
    const double decay7 = std::max(3.0 * rise3, std::exp(uniform(std::log(2.0), std::log(200.0))) * ms);
    x.resize(std::max(x.size(), static_cast<size_t>(onset1 + 2.0 * top3 + 2.0 * decay7)));
    testsupport::Noise slowNoise(seed + 7, 0.2 * ms);
    for (const char* kind : {"notched", "shoulder", "plain"}) {
      for (size_t i = 0; i < x.size(); ++i) {
        const double t = static_cast<double>(i), d = (t - notch) / width;
        const double shape =
            kind[0] == 's'   ? (0.6 * Current(t - onset1, rise3, decay3) + part * Current(t - second, rise3, decay3)) /
                                   (0.6 + part)
            : kind[0] == 'n' ? Current(t - onset1, rise3, decay3) - depth / height3 * std::exp(-0.5 * d * d)
                             : Current(t - onset1, rise3, decay7);
        x[i] = static_cast<float>(sign * height3 * shape + slowNoise(1.0));
      }
      const double shortInterval[6] = {arguments[0], 0.5, 5.0, 2.0, 50.0, 1.0};
      const auto one = Scan(x, RulesFromArguments(shortInterval, 6, 1.0 / rate), 1024);
      EXPECT_GE(one.size(), 1u) << where;
      ++rises;
      if (one.size() != 1u)
        split += where + ", " + kind + " rising " + std::to_string(rise3 / ms) + " ms, falling " +
                 std::to_string((kind[0] == 'p' ? decay7 : decay3) / ms) + " ms; ";
    }
    // Shapes rising out of an earlier one's fall. A current of 20 to 60 SD (slow, or fast) with a rider of 8 to 20 SD
    // at its top or up to 0.8 decay constants after, of the other sign (its return is no event) or of the same (one
    // event after its onset). An artefact (a pulse of 0.1 to 0.8 ms, alone or followed by one of the other sign) 2 to 5
    // times the size of a response 2 to 6 ms after it, rising over 0.2 to 1 ms, at 1.5 to 3 times an absolute
    // threshold of 10 to 20 SD, with 50 Hz hum of 1 to 4 SD at any phase: the response is an event of its own.
    const bool slow = uniform(0.0, 1.0) < 0.5;
    const double rise4 = (slow ? uniform(1.5, 8.0) : uniform(0.1, 0.6)) * ms;
    const double decay4 = (slow ? uniform(20.0, 100.0) : uniform(3.0, 10.0)) * ms;
    const double top4 = TimeToPeak(rise4, decay4), height4 = uniform(20.0, 60.0);
    const double rider = onset1 + std::max(1.5 * ms, top4 + uniform(0.0, 0.8) * decay4);
    const double rise5 = uniform(0.1, 0.5) * ms, decay5 = uniform(1.5, 6.0) * ms;
    const double height5 = uniform(8.0, std::min(20.0, 0.4 * height4));
    const double pulse = uniform(0.1, 0.8) * ms, threshold6 = uniform(10.0, 20.0);
    const double height6 = threshold6 * uniform(1.5, 3.0), height7 = height6 * uniform(2.0, 5.0);
    const bool biphasic = uniform(0.0, 1.0) < 0.5;
    const double hum = uniform(1.0, 4.0), humPhase = uniform(0.0, 6.3);
    const double response = onset1 + 2.0 * pulse + uniform(2.0, 6.0) * ms;
    const double rise6 = uniform(0.2, 1.0) * ms, decay6 = uniform(2.0, 10.0) * ms;
    const auto withRider = [&](double riderSign) {
      return [&, riderSign](double t) {
        return sign * (height4 * Current(t - onset1, rise4, decay4) +
                       riderSign * height5 * Current(t - rider, rise5, decay5));
      };
    };
    const auto afterArtefact = [&](double t) {
      const double a = t - onset1;
      const double artefact = a < 0.0 ? 0.0 : a < pulse ? height7 : a < 2.0 * pulse && biphasic ? -height7 : 0.0;
      return sign * (artefact + height6 * Current(t - response, rise6, decay6)) +
             hum * std::sin(humPhase + 0.1 * 3.14159265358979 * a / ms);
    };
    const std::array<double, 6> riderArguments = {arguments[0], 0.5, 5.0, 1.0, 50.0, 1.0};
    // Each: the shape, its detection, the tick after which events are counted and how many are wanted there (-1: one
    // or more).
    const struct {
      std::function<double(double)> shape;
      std::array<double, 6> detection;
      double after;
      int wanted;
    } falls[kFallShapes] = {{withRider(-1.0), riderArguments, rider, 0},
                            {withRider(1.0), riderArguments, rider, 1},
                            {afterArtefact, {arguments[0], 0.5, threshold6, 1.0, 50.0, 0.0}, response, -1}};
    x.assign(static_cast<size_t>(rider + 4.0 * decay4 + 50.0 * ms), 0.0f);
    for (size_t k = 0; k < kFallShapes; ++k) {
      for (size_t i = 0; i < x.size(); ++i)
        x[i] = static_cast<float>(falls[k].shape(static_cast<double>(i)) + noise(1.0));
      const auto events = Scan(x, RulesFromArguments(falls[k].detection.data(), 6, 1.0 / rate), 1024);
      const auto after =
          std::count_if(events.begin(), events.end(), [&](const auto& e) { return e.tick > falls[k].after; });
      ++fallsDrawn[k];
      EXPECT_GE(events.size(), 1u) << where;
      if (falls[k].wanted < 0 ? after == 0 : after != falls[k].wanted) fallsMissed[k] += where + "; ";
    }
  }
  EXPECT_GE(pairs, 60) << pairs;
  // The riders' misses count against the riders of both signs.
  const int against[kFallShapes] = {fallsDrawn[0] + fallsDrawn[1], fallsDrawn[0] + fallsDrawn[1], fallsDrawn[2]};
  for (size_t k = 0; k < kFallShapes; ++k) {
    EXPECT_LE(std::count(fallsMissed[k].begin(), fallsMissed[k].end(), ';') * 25, against[k])
        << against[k] << " drawn, shape " << k << " missed: " << fallsMissed[k];
  }
  EXPECT_LE(std::count(split.begin(), split.end(), ';') * 50, rises) << rises << " rises, split: " << split;
  EXPECT_LE(std::count(merged.begin(), merged.end(), ';') * 20, pairs) << pairs << " pairs, one event: " << merged;
}

// The same events, bit for bit, in blocks of any size: the quiet stretches run on copies of the levels and of a
// threshold kept between the noise's refreshes, a held cycle is reported where its interval ends within a block,
// and samples that are not finite are passed over, in a quiet stretch or a cycle.
TEST(CycleScan, AnyBlockSizeGivesTheSameEventsBitForBit) {
  std::vector<float> x(6000);
  uint32_t seed = 3;
  for (size_t i = 0; i < x.size(); ++i) {
    x[i] = static_cast<float>(testsupport::NextUniform(seed) * 3.4 - 1.7);
    for (const size_t at : {700u, 760u, 2000u, 2330u, 4100u})  // the first two within the interval: one event
      if (i >= at) x[i] += static_cast<float>(30.0 * std::exp(-static_cast<double>(i - at) / 15.0));
  }
  x[1500] = NAN;
  x[2003] = INFINITY;
  x[3000] = -INFINITY;
  const CycleRules rules = FiveSdOver1000Ticks();
  const auto whole = Scan(x, rules, 6000);
  ASSERT_EQ(whole.size(), 4u);
  EXPECT_EQ(whole[0].tick, 760);
  for (const int32_t block : {1, 3, 200, 1024}) {
    const auto found = Scan(x, rules, block);
    ASSERT_EQ(found.size(), whole.size()) << block;
    for (size_t k = 0; k < found.size(); ++k) {
      EXPECT_EQ(found[k].tick, whole[k].tick) << block << " " << k;
      EXPECT_EQ(found[k].value, whole[k].value) << block << " " << k;
    }
  }
}

// Currents that jump to their peak in one sample, 1.1 to 1.9 thresholds high, and decay: the mean of the sample
// before and the peak stays below the threshold, the peak and the next one's crosses it, so the cycle starts
// after its extreme. Fed a sample at a time, its start is unknown when the peak is the last sample read; the
// position promised then must stay at the peak. Relative and absolute thresholds, white and low-passed noise.
TEST(CycleScan, NoCycleLiesBeforeThePositionPromised) {
  CycleRules absolute;
  absolute.threshold = 1.0;
  absolute.baselineTicks = 200;
  absolute.minIntervalTicks = 40;
  absolute.troughRisePerTick = 1.0 / 200;
  CycleRules relative = FiveSdOver1000Ticks();
  relative.minIntervalTicks = 40;
  for (uint32_t seed = 1; seed <= 6; ++seed) {
    const bool isRelative = seed % 2 == 0;
    const double threshold = isRelative ? 5.0 : 1.0;  // the noise's SD is 1 relative, 0.05 absolute
    testsupport::Noise noise(seed, seed % 3 == 0 ? 1.6 : 0.0);
    std::vector<float> x(20000);
    uint32_t draw = seed;
    size_t next = 1500;
    double current = 0.0, decay = 1.0;
    for (size_t i = 0; i < x.size(); ++i) {
      current *= std::exp(-1.0 / decay);
      if (i == next) {
        current = threshold * (1.1 + 0.8 * testsupport::NextUniform(draw));
        decay = 10.0 + 50.0 * testsupport::NextUniform(draw);
        next += 150 + static_cast<size_t>(300.0 * testsupport::NextUniform(draw));
      }
      x[i] = static_cast<float>(current + noise(isRelative ? 1.0 : 0.05));
    }
    const CycleRules& rules = isRelative ? relative : absolute;
    const auto whole = Scan(x, rules, 20000);
    EXPECT_GT(whole.size(), 40u) << "seed " << seed;
    for (const int32_t block : {1, 2, 3}) EXPECT_EQ(Scan(x, rules, block).size(), whole.size()) << "seed " << seed;
  }
}

TEST(DetectionSettings, TextRoundTripValidityAndFormula) {
  HostPtr<IPXDetectionSettings> settings = CreateDetectionSettings();
  ASSERT_EQ(settings->SetParameter(kPXParamMinHeight, 0.0123456789), S_OK);
  ASSERT_EQ(settings->SetParameter(kPXParamChannel, 2.4), S_OK);
  ASSERT_EQ(settings->SetParameter(99, 1.0), E_INVALIDARG);
  HostPtr<QOR::IQORString> text;
  ASSERT_EQ(settings->GetText(text.Out()), S_OK);
  HostPtr<IPXDetectionSettings> copy = CreateDetectionSettings();
  ASSERT_EQ(copy->LoadText(text.Get()), S_OK);
  double value = 0.0;
  copy->GetParameter(kPXParamMinHeight, &value);
  EXPECT_EQ(value, 0.0123456789);
  copy->GetParameter(kPXParamChannel, &value);
  EXPECT_EQ(value, 2.0);
  EXPECT_EQ(copy->LoadText(MakeHostString(L"1 2 3").Get()), E_INVALIDARG);  // unchanged
  // A number more, as a damaged "5.0000000000000002e-11" split in two gives, would shift the later ones.
  EXPECT_EQ(copy->LoadText(MakeHostString(L"1 0 -1 0.5 5.0000 00000000002e-11 10 50 0 0 0").Get()), E_INVALIDARG);
  copy->GetParameter(kPXParamMinHeight, &value);
  EXPECT_EQ(value, 0.0123456789);
  // 0.012 standard deviations is below the detector's range; 0.5 is inside it.
  VARIANT_BOOL valid = VARIANT_TRUE;
  copy->IsValid(&valid);
  EXPECT_EQ(valid, VARIANT_FALSE);
  copy->SetParameter(kPXParamMinHeight, 0.5);
  copy->IsValid(&valid);
  EXPECT_EQ(valid, VARIANT_TRUE);
  // A channel's object keeps its channel when it takes another's settings.
  HostPtr<IPXDetectionSettings> other = CreateDetectionSettings();
  other->SetParameter(kDetectPolarity, -1.0);
  ASSERT_EQ(copy->CopyFrom(other.Get(), VARIANT_TRUE), S_OK);
  copy->GetParameter(kPXParamChannel, &value);
  EXPECT_EQ(value, 2.0);
  HostPtr<QOR::IQORString> formula;
  ASSERT_EQ(copy->GetDetectorFormula(MakeHostString(L"ch3").Get(), VARIANT_FALSE, -1, 0, formula.Out()), S_OK);
  EXPECT_EQ(StringText(formula.Get()), L"PXDetect( ch3, 1, 0.5, 3, 5, 100, 1 )");
}

// Every reader of the eighth number, the relative switch, takes it alike: any value but 0 makes the
// threshold standard deviations of the noise (the baseline given), for the check, the dialog's
// answer, the words, the formula (which takes 0 or 1) and the scan, whose noise takes at least the run-in
// however short the baseline.
TEST(DetectionSettings, EveryReaderTakesTheRelativeSwitchAlike) {
  for (const double relative : {1.0, 0.3, -0.5, 2.0, -2.0, 0.0}) {
    DetectionValues values;
    values.relative = relative;
    values.minPeakHeight = 12.0;  // too many standard deviations, a fine absolute threshold
    VARIANT_BOOL answer = VARIANT_FALSE;
    CreateDetectionSettings(values)->IsRelativeThreshold(&answer);
    const double arguments[6] = {0.0, 0.5, 3.0, 5.0, 100.0, relative};
    const bool words = DetectionThresholdWords(values.ToText(), "V").find("deviations") != std::string::npos;
    const bool expected = relative != 0.0;
    EXPECT_EQ(answer != VARIANT_FALSE, expected) << relative;
    EXPECT_EQ(!values.IsValid(), expected) << relative;
    EXPECT_EQ(words, expected) << relative;
    EXPECT_EQ(RulesFromArguments(arguments, 6, 0.001).relative, expected) << relative;
    EXPECT_EQ(values.Arguments()[5], expected ? 1.0 : 0.0) << relative;
    const double shortBaseline[6] = {0.0, 0.5, 3.0, 5.0, 0.02, relative};
    const CycleRules rules = RulesFromArguments(shortBaseline, 6, 5e-5);
    EXPECT_EQ(rules.relative, expected) << relative;
    EXPECT_EQ(rules.baselineTicks, expected ? kCycleRunInSamples : 0) << relative;
  }
}

// Each rule of IsValid is named by the number it checks, with the values that number takes; a text
// the detector takes, or that is not numbers at all, gets no words.
TEST(DetectionTextProblem, NamesTheNumberAtFaultAndItsRange) {
  const struct {
    const wchar_t* text;
    const char* words;
  } cases[] = {
      {L"1 0 1 0.5 3 5 100 1 0 0", ""},
      {L"1 0 1 x 3", ""},
      {L"1 0 1 0.5 3 5 100 1 0 0 7", "not detection settings the host's detector reads: they are ten numbers, and "
                                     "this text has 11"},
      {L"1 0 1 0.5 3 5 100 1 0 0 7 8 9", "not detection settings the host's detector reads: they are ten numbers, and "
                                         "this text has 13"},
      {L"3 0 1 0.5 3 5 100 1 0 0", "the first number (the version of the text) is 3: it takes 1"},
      {L"1 1e6 1 0.5 3 5 100 1 0 0", "the second number (the channel, counted from 0) is 1e6: it takes 0 to 999999"},
      {L"1 0 0 0.5 3 5 100 1 0 0", "the third number (the direction) is 0: it takes 1 (upward) or -1 (downward)"},
      {L"1 0 1 -0.1 3 5 100 1 0 0", "the fourth number (the hysteresis) is -0.1: it takes at least 0 and less than 1"},
      {L"1 0 1 0.5 0.01 5 100 1 0 0", "the fifth number (the threshold, in standard deviations of the noise) is 0.01: "
                                      "it takes 0.05 to 9"},
      {L"1 0 1 0.5 0 5 100 0 0 0", "the fifth number (the threshold above the baseline, in the channel's units) is "
                                   "0: it takes more than 0 while the tenth number is 0"},
      {L"1 0 1 0.5 -2 5 100 0 0 1", ""},
      {L"1 0 1 0.5 3 5 0 1 0 0", "the seventh number (the baseline's length, in ms) is 0: it takes more than 0 "
                                 "while the threshold is relative (the eighth number)"},
  };
  for (const auto& c : cases) EXPECT_EQ(DetectionTextProblem(c.text), c.words) << c.text;
  EXPECT_EQ(DetectionThresholdWords(L"1 0 1 0.5 3 5 100 0 0 0", "pA"), "the threshold above the baseline, in pA");
}

TEST(DetectionSettingsService, PresetsFoundBySettingsAndNameSavedAndDeleted) {
  HostPtr<IPXPresetService> service = CreateDetectionSettingsService();
  HostPtr<IPXDetectionSettings> settings;
  ASSERT_EQ(service->CreateSettings(settings.Out()), S_OK);
  settings->SetParameter(kPXParamChannel, 3.0);  // where settings are used does not make them another preset
  int32_t index = 9;
  VARIANT_BOOL found = VARIANT_FALSE;
  service->FindPresetBySettings(settings.Get(), &index, &found);
  EXPECT_EQ(index, 2);  // the defaults are the first fixed preset, after the two deletable ones
  EXPECT_EQ(found, VARIANT_TRUE);
  settings->SetParameter(kPXParamMinHeight, 4.5);
  service->FindPresetBySettings(settings.Get(), &index, &found);
  EXPECT_EQ(index, -1);
  EXPECT_EQ(found, VARIANT_FALSE);
  ASSERT_EQ(service->SavePreset(nullptr, settings.Get()), S_OK);
  int32_t count = 0;
  service->GetPresetCount(&count);
  ASSERT_EQ(count, 5);
  std::vector<bool> removable;
  for (int32_t i = 0; i < count; ++i) {
    VARIANT_BOOL flag = VARIANT_FALSE;
    service->IsPresetRemovable(i, &flag);
    removable.push_back(flag != VARIANT_FALSE);
  }
  EXPECT_EQ(removable, (std::vector<bool>{true, true, true, false, false}));  // saved among the deletable ones
  HostPtr<QOR::IQORString> name;
  service->GetPresetName(2, VARIANT_TRUE, name.Out());
  service->FindPresetByName(name.Get(), &index, &found);
  EXPECT_EQ(index, 2);
  EXPECT_EQ(service->DeletePreset(nullptr, MakeHostString(L"Upward cycles").Get()), S_FALSE);
  EXPECT_EQ(service->DeletePreset(nullptr, name.Get()), S_OK);
  service->GetPresetCount(&count);
  EXPECT_EQ(count, 4);
  HostPtr<IPXDetectionSettings> preset;
  EXPECT_EQ(service->GetPreset(4, preset.Out()), E_INVALIDARG);
  ASSERT_EQ(service->GetPreset(3, preset.Out()), S_OK);
  double polarity = 0.0;
  preset->GetParameter(kDetectPolarity, &polarity);
  EXPECT_EQ(polarity, -1.0);
  ASSERT_EQ(service->GetPreset(1, preset.Out()), S_OK);
  VARIANT_BOOL relative = VARIANT_TRUE;
  preset->IsRelativeThreshold(&relative);
  EXPECT_EQ(relative, VARIANT_FALSE);  // both kinds of threshold are offered
}

// The extension's dialog, scripted as the user: the title names the channel, OK hands back the edited
// settings (the given object keeps its own), Cancel hands back nothing.
TEST(DetectionSettingsService, CustomizeRunsTheDialogTitledWithTheChannel) {
  HostPtr<IPXPresetService> service =
      CreateDetectionSettingsService([](int32_t channel) { return L"Im" + std::to_wstring(channel); });
  HostPtr<IPXDetectionSettings> settings;
  ASSERT_EQ(service->CreateSettings(settings.Out()), S_OK);
  settings->SetParameter(kPXParamChannel, 2.0);
  std::wstring title;
  SetCustomizeScript([&](HWND dialog) {
    wchar_t text[128] = {};
    GetWindowTextW(dialog, text, 128);
    title = text;
    SetDlgItemTextW(dialog, kCustomizeHeight, L"2.5");
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
  });
  const int32_t setup[14] = {};
  HostPtr<IPXDetectionSettings> edited;
  const HRESULT hr = service->Customize(nullptr, settings.Get(), setup, MakeHostString(L"Settings (%1)").Get(), nullptr,
                                        nullptr, edited.Out());
  ASSERT_EQ(hr, S_OK);
  EXPECT_EQ(title, L"Settings (Im2)");
  double height = 0.0;
  edited->GetParameter(kPXParamMinHeight, &height);
  EXPECT_EQ(height, 2.5);
  settings->GetParameter(kPXParamMinHeight, &height);
  EXPECT_EQ(height, 3.0);

  SetCustomizeScript([](HWND dialog) {
    SetDlgItemTextW(dialog, kCustomizeHeight, L"12");  // out of range: OK keeps the dialog open
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(service->Customize(nullptr, settings.Get(), setup, MakeHostString(L"t").Get(), nullptr, nullptr,
                               edited.Out()),
            S_FALSE);
  EXPECT_EQ(edited.Get(), nullptr);
  SetCustomizeScript({});
}

}  // namespace
}  // namespace host
