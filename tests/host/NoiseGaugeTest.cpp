// The cycle detector's noise gauge: what "standard deviations of the noise" measures, on its own and in the scan.
#include "host/cycles/NoiseGauge.h"
#include "host/cycles/CycleScan.h"
#include "host/cycles/DetectionSettings.h"
#include "tests/support/SeededNoise.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
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

// Low-passed once more over a time constant of the given samples (a second pole: the first is the Noise's own).
std::vector<double> TwoPoles(std::vector<double> x, double samples) {
  const double keep = std::exp(-1.0 / samples);
  double y = x[0];
  for (double& v : x) v = y = keep * y + (1.0 - keep) * v;
  return x;
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

// The scan's rules here: 5 SD upward, relative, over a span of blocks.
CycleRules RelativeRules() {
  CycleRules rules;
  rules.threshold = 5.0;
  rules.relative = true;
  rules.baselineTicks = kSpan;
  rules.minIntervalTicks = 200;
  rules.troughRisePerTick = 1.0 / kSpan;
  return rules;
}

// A recording's standard deviation as the scan measures it (5 SD upward, 10 s at 20 kHz, blocks of 1024), and the
// cycles it finds.
double ScannedSd(const std::vector<double>& x, size_t* cycles) {
  const CycleRules rules = RelativeRules();
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
// (most samples equal), after a flat start, on a baseline stepping up (each step a cycle that settles) or down (a
// swing that settles), after a non-finite or an odd sample before a flat start, and grown or shrunk halfway
// through: the scan's measure is within 15 % of the standard deviation one measures on quiet stretches and never
// below the resolution's (step / sqrt(12)); the samples that used to leave it at 0 or tiny (tied, quantised, a
// flat start after a non-finite or an odd sample) start no cycle at 5 SD, and a step the other way none either.
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
      {"non-finite, then flat", Generated(kN, [&](size_t i) { return i == 0 ? NAN : i < 100 ? 0.0 : white2(1.0); }),
       1.0, 0},
      {"odd, then flat", Generated(kN, [&](size_t i) { return i == 0 ? 0.1 : i < 1000 ? 0.0 : white3(1.0); }), 1.0,
       0},
      {"grows 10 times", Generated(kN, [&](size_t i) { return white4(i < kN / 2 ? 1.0 : 10.0); }), 10.0, -1},
      {"shrinks 100 times", Generated(kN, [&](size_t i) { return white5(i < kN / 2 ? 1.0 : 0.01); }), 0.01, 0},
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

// Noise low-passed by two poles, whose neighbours are so correlated that a group of a sixteenth of the span holds one
// to a few independent samples (corners from 2.5 kHz down to 120 Hz at 20 kHz, each pole's time constant 2 to 26
// samples): its groups scatter widely, and the trim, which allows for that, keeps the larger ones. Over the 10 s of
// each, the scan's measure is within 12 % of the standard deviation one measures on stretches of a span (a bound
// of white noise's groups put it 29 % low at the slowest, where the noise crossed 5 of those SDs 32 times),
// and the noise starts at most one cycle.
TEST(NoiseGauge, MeasuresCorrelatedNoiseAsItsStretchesShowIt) {
  constexpr size_t kN = 200000;
  for (uint32_t seed = 1; seed <= 8; ++seed) {
    const double pole = 2.0 * std::pow(13.0, (seed - 1) / 7.0);
    testsupport::Noise noise(seed * 7u, pole);
    const std::vector<double> x = TwoPoles(Generated(kN, [&](size_t) { return noise(1.0); }), pole);
    const CycleRules rules = RelativeRules();
    const std::vector<float> samples(x.begin(), x.end());
    CycleScanState state;
    std::vector<CycleEventRecord> found;
    double variances = 0.0;  // the measure's, after each block past the first spans
    int32_t blocks = 0;
    for (size_t at = 0; at < kN; at += 1000) {
      ScanCycles(state, rules, samples.data() + at, 1000, found);
      if (at < 5 * kSpan) continue;
      variances += state.noise.Variance();
      ++blocks;
    }
    FinishCycles(state, rules, found);
    const double truth = StretchSd(x);
    EXPECT_NEAR(std::sqrt(variances / blocks), truth, 0.12 * truth) << "time constant " << pole;
    EXPECT_LE(found.size(), 1u) << "time constant " << pole;
  }
}

// On its own, over many generated inputs: whatever the first span held (the same noise, noise of 1 % of it, a flat
// stretch, one odd sample before one, a non-finite sample before one, nothing) and however the noise then grows
// or shrinks (factors drawn from 1/100 to 100, a third of them from 2 to 2.5; white or low-passed), the measure
// lies within 15 % of the standard deviation of the last span from one span after the change on (spans of 500
// samples and more, 150 time constants of a low-passed noise), and is the same whatever the first span held (its
// locality: the window holds the last span's groups alone); samples all equal leave it unmeasured, never 0 once
// they move.
TEST(NoiseGauge, FollowsTheNoiseWithinOneSpanWhateverCameFirst) {
  uint32_t draw = 7;
  const char* starts[] = {"same", "quiet", "flat", "odd", "non-finite", "none"};
  uint32_t seed = 100;
  for (const int32_t span : {500, 1000, 2500}) {
    for (const double filter : {0.0, 1.6, 8.0}) {
      if (span < 150.0 * filter) continue;  // the span's own standard deviation scatters by more than 15 %
      for (int32_t k = 0; k < 24; ++k) {
        const double u = testsupport::NextUniform(draw);
        const double factor = k % 3 == 0 ? 2.0 + 0.5 * u : std::pow(100.0, 2.0 * u - 1.0);
        testsupport::Noise noise(++seed, filter);
        std::vector<float> first(static_cast<size_t>(span));
        for (float& v : first) v = static_cast<float>(noise(1.0));
        std::vector<double> later(static_cast<size_t>(4 * span));
        for (double& v : later) v = noise(factor);
        std::vector<double> sds;  // the measure after each later sample, with the first start
        for (const char* start : starts) {
          const std::string how = std::string(start);
          std::vector<float> taken(first);
          for (float& v : taken) v = how == "same" ? v : how == "quiet" ? 0.01f * v : 0.0f;
          if (how == "odd") taken[0] = 0.1f;
          if (how == "non-finite") taken[1] = NAN;
          NoiseGauge gauge;
          gauge.Reset(span);
          gauge.Start(taken.data(), how == "none" ? 0 : span, 1.0);
          EXPECT_EQ(gauge.Measured(), how == "same" || how == "quiet") << how;
          // What one measures on the last span: the root mean square of its samples about their level.
          double squares = 0.0;
          for (int32_t i = 0; i < 4 * span; ++i) {
            const double y = later[static_cast<size_t>(i)];
            gauge.Take(y, 0.0, i > 0 ? later[static_cast<size_t>(i - 1)] : NAN);
            squares += y * y;
            if (i >= span) squares -= later[static_cast<size_t>(i - span)] * later[static_cast<size_t>(i - span)];
            if (how == "same") sds.push_back(gauge.Sd());
            if (i < span) continue;
            const double truth = std::sqrt(squares / span);
            const std::string row = "span " + std::to_string(span) + " filter " + std::to_string(filter) +
                                    " factor " + std::to_string(factor) + " start " + how + " sample " +
                                    std::to_string(i);
            ASSERT_NEAR(gauge.Sd(), truth, 0.15 * truth) << row;
            // The window's groups, a span rounded up to whole ones, laid out from the first sample: once they are
            // the later samples' alone, the same measure as the first start's.
            if (how != "none" && i >= span + 2 * NoiseGauge::GroupSize(span)) {
              ASSERT_EQ(gauge.Sd(), sds[static_cast<size_t>(i)]) << row;
            }
          }
        }
      }
    }
  }
}

// The scan's measure over many generated inputs: white or low-passed noise that grows or shrinks 1 s into a record
// of 2 s (factors drawn from 1/100 to 100, a third of them from 2 to 2.5), scanned up or down at 5 SD with a
// minimum interval of 0.4, 2 or 10 ms (the cycles a noise that outgrew the measure starts within it are what
// the gauge tells it by). From one span and a group after the change on, the measure lies within 15 % of the
// standard deviation of the last span.
TEST(NoiseGauge, TheScanFollowsAGrowthOrAShrinkWithinOneSpan) {
  constexpr int32_t kRate = 20000, kChange = kRate, kN = 2 * kRate, kBlock = 250;
  uint32_t draw = 5;
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    const double u = testsupport::NextUniform(draw);
    const double factor = seed % 3 == 0 ? 2.0 + 0.5 * u : std::pow(100.0, 2.0 * u - 1.0);
    const double filter = seed % 2 ? 0.0 : 1.6;
    CycleRules rules;
    rules.polarity = seed % 4 < 2 ? 1.0 : -1.0;
    rules.threshold = 5.0;
    rules.relative = true;
    rules.baselineTicks = kSpan;
    rules.minIntervalTicks = static_cast<int32_t>(kRate / 1000.0 * (seed % 3 == 1 ? 0.4 : seed % 3 == 2 ? 2.0 : 10.0));
    rules.troughRisePerTick = 1.0 / kSpan;
    rules.smoothing = CycleSmoothing(rules.minIntervalTicks);
    testsupport::Noise noise(seed * 101u, filter);
    std::vector<float> x(kN);
    for (int32_t i = 0; i < kN; ++i) x[static_cast<size_t>(i)] = static_cast<float>(noise(i < kChange ? 1.0 : factor));
    CycleScanState state;
    std::vector<CycleEventRecord> found;
    for (int32_t at = 0; at < kN; at += kBlock) {
      ScanCycles(state, rules, x.data() + at, kBlock, found);
      if (at + kBlock < kChange + kSpan + NoiseGauge::GroupSize(kSpan)) continue;
      const std::vector<double> last(x.begin() + at + kBlock - kSpan, x.begin() + at + kBlock);
      const double truth = StretchSd(last);
      ASSERT_NEAR(state.noise.Sd(), truth, 0.15 * truth)
          << "seed " << seed << " factor " << factor << " filter " << filter << " interval "
          << rules.minIntervalTicks << " at " << at + kBlock;
    }
  }
}

// The cycles of records whose noise changes 1 s into each (20 kHz, 5 SD downward, 10 ms apart, baseline 50 ms):
// white, low-passed over 1.6 samples (as an amplifier's filter) or 1/f noise, of 1, 10 or 30 % until the change
// and then 1 (a quiet lead-in), or 1 until it and then 10 or 100 (a growth); currents of 20 SD of the noise about
// them, decaying over 2 to 8 ms, every 40 to 90 ms but within 30 ms before and 60 ms after the change. Every
// current is found (a row within 2 ms of its peak) and, on white and low-passed noise, nothing else beyond the span
// after the change, over seeds: a cycle that starts on the grown noise before the measure has caught up is kept, as
// an event would be. 1/f noise, whose wander over a span is its own, is held to at most two rows more a record.
TEST(NoiseGauge, ANoiseThatGrowsGivesItsCurrentsAndNoRowMoreBeyondASpan) {
  constexpr int32_t kRate = 20000, kChange = kRate, kN = 2 * kRate;
  CycleRules rules;
  rules.polarity = -1.0;
  rules.threshold = 5.0;
  rules.relative = true;
  rules.baselineTicks = kRate / 20;
  rules.minIntervalTicks = kRate / 100;
  rules.troughRisePerTick = 1.0 / rules.baselineTicks;
  rules.smoothing = CycleSmoothing(rules.minIntervalTicks);
  const struct {
    double before, after;
  } changes[] = {{0.01, 1.0}, {0.1, 1.0}, {0.3, 1.0}, {1.0, 10.0}, {1.0, 100.0}};
  for (uint32_t seed = 1; seed <= 6; ++seed) {
    for (const double filter : {0.0, 1.6, -1.0}) {
      for (const auto& change : changes) {
        testsupport::Noise noise(seed * 7919u, filter > 0.0 ? filter : 0.0);
        const std::vector<double> pink = filter < 0.0 ? OneOverF(kN, seed * 31u) : std::vector<double>();
        std::vector<double> x(kN);
        for (int32_t i = 0; i < kN; ++i)
          x[i] = (i < kChange ? change.before : change.after) * (filter < 0.0 ? pink[i] : noise(1.0));
        std::vector<int32_t> peaks;
        uint32_t draw = seed;
        for (int32_t at = 400 + static_cast<int32_t>(testsupport::NextUniform(draw) * 400); at < kN - 1000;
             at += 800 + static_cast<int32_t>(testsupport::NextUniform(draw) * 1000)) {
          if (at > kChange - 600 && at < kChange + 1200) continue;
          const double size = 20.0 * (at < kChange ? change.before : change.after);
          const double decay = (2.0 + 6.0 * testsupport::NextUniform(draw)) * kRate / 1000.0;
          for (int32_t i = at; i < kN; ++i) x[i] -= size * std::exp(-(i - at) / decay);
          peaks.push_back(at);
        }
        std::vector<float> samples(x.begin(), x.end());
        CycleScanState state;
        std::vector<CycleEventRecord> found;
        for (int32_t at = 0; at < kN; at += 1024)
          ScanCycles(state, rules, samples.data() + at, std::min(1024, kN - at), found);
        FinishCycles(state, rules, found);
        size_t claimed = 0, extra = 0;
        const auto nearPeak = [&peaks](const CycleEventRecord& e) {
          return std::any_of(peaks.begin(), peaks.end(), [&e](int32_t peak) { return std::abs(e.tick - peak) <= 40; });
        };
        for (const int32_t peak : peaks)
          claimed += std::count_if(found.begin(), found.end(),
                                   [peak](const CycleEventRecord& e) { return std::abs(e.tick - peak) <= 40; }) == 1;
        for (const CycleEventRecord& e : found)
          extra += (e.tick < kChange || e.tick > kChange + rules.baselineTicks) && !nearPeak(e);
        const std::string row = "seed " + std::to_string(seed) + " filter " + std::to_string(filter) + " noise " +
                                std::to_string(change.before) + " then " + std::to_string(change.after);
        EXPECT_EQ(claimed, peaks.size()) << row;
        EXPECT_LE(extra, filter < 0.0 ? 2u : 0u) << row;
      }
    }
  }
}

// Over generated inputs: white or low-passed noise (time constants of up to 16 samples), a blank of one to eight
// spans held at its last sample, then the same noise. The groups after the blank, a few of a correlated noise's
// independent samples each, used to be the measure on their own, anywhere from a twelfth of the noise to three
// times it; standing on half a span, the measure lies within a factor of three of the noise from the blank's end on.
TEST(NoiseGauge, AfterABlankTheMeasureStandsOnHalfASpan) {
  uint32_t draw = 77;
  for (uint32_t seed = 1; seed <= 200; ++seed) {
    const int32_t span = seed % 2 ? 400 : 1000;
    const double filter = seed % 4 == 0 ? 0.0 : 16.0 * testsupport::NextUniform(draw);
    const int32_t blank = static_cast<int32_t>(span * (1.0 + 7.0 * testsupport::NextUniform(draw)));
    testsupport::Noise noise(seed, filter);
    NoiseGauge gauge;
    gauge.Reset(span);
    double before = noise(1.0), y = before;
    for (int32_t i = 0; i < 3 * span + blank + span; ++i, before = y) {
      const bool held = i >= 3 * span && i < 3 * span + blank;
      y = held ? before : noise(1.0);
      gauge.Take(y, 0.0, before);
      if (i < 3 * span + blank || !gauge.Measured()) continue;
      ASSERT_NEAR(std::log(gauge.Sd()), 0.0, std::log(3.0)) << "seed " << seed << ", filter " << filter << ", "
                                                             << i - 3 * span - blank << " samples after the blank";
    }
  }
}

// Locality, over random recordings and changes: white or low-passed noise with currents of 8 to 20 SD (either sign,
// decaying over 1 to 10 ms) every 10 to 60 ms, scanned at 5 SD down or up (baseline 20 to 100 ms); the samples before
// a random tick scaled by a factor drawn from 1/100 to 100, held from a random earlier tick at the value of its noise (a blank),
// or left without their currents. The cycles from two spans (and 150 ms) after that tick on are the same, at the
// same ticks (their heights within a twentieth of the noise: the trough rises at a pace the measure sets).
TEST(NoiseGauge, AChangeBeforeATickChangesNoCycleTwoSpansLater) {
  constexpr int32_t kRate = 20000, kN = kRate;
  uint32_t draw = 41;
  for (uint32_t seed = 1; seed <= 150; ++seed) {
    const double arguments[6] = {seed % 2 ? 1.0 : 0.0, 0.5, 5.0, 5.0, 20.0 + 80.0 * testsupport::NextUniform(draw), 1.0};
    const CycleRules rules = RulesFromArguments(arguments, 6, 1.0 / kRate);
    testsupport::Noise noise(seed, seed % 3 ? 0.0 : 2.0);
    std::vector<double> quiet(kN), currents(kN, 0.0);
    for (double& v : quiet) v = noise(1.0);
    for (int32_t at = static_cast<int32_t>(200 * testsupport::NextUniform(draw)); at < kN;
         at += static_cast<int32_t>(kRate * (0.01 + 0.05 * testsupport::NextUniform(draw)))) {
      const double size = (8.0 + 12.0 * testsupport::NextUniform(draw)) * (testsupport::NextUniform(draw) < 0.8 ? -1 : 1);
      const double decay = kRate * (0.001 + 0.009 * testsupport::NextUniform(draw));
      for (int32_t i = at; i < kN; ++i) currents[static_cast<size_t>(i)] += size * std::exp(-(i - at) / decay);
    }
    const int32_t change = static_cast<int32_t>(kN * (0.1 + 0.5 * testsupport::NextUniform(draw)));
    const int32_t blank = static_cast<int32_t>(change * testsupport::NextUniform(draw));
    const double factor = std::pow(100.0, 2.0 * testsupport::NextUniform(draw) - 1.0);
    std::vector<float> before(kN), after(kN);
    for (int32_t i = 0; i < kN; ++i) {
      const size_t k = static_cast<size_t>(i);
      before[k] = static_cast<float>(quiet[k] + currents[k]);
      after[k] = i >= change ? before[k]
                 : seed % 3 == 0 ? static_cast<float>(factor * before[k])
                 : seed % 3 == 1 ? (i < blank ? before[k] : static_cast<float>(quiet[static_cast<size_t>(blank)]))
                                 : static_cast<float>(quiet[k]);
    }
    std::vector<CycleEventRecord> cycles[2];
    for (int k = 0; k < 2; ++k) {
      CycleScanState state;
      const std::vector<float>& x = k == 0 ? before : after;
      for (int32_t at = 0; at < kN; at += 1024) ScanCycles(state, rules, x.data() + at, std::min(1024, kN - at), cycles[k]);
      FinishCycles(state, rules, cycles[k]);
      const int32_t from = change + std::max(2 * rules.baselineTicks, 3 * kRate / 20);
      cycles[k].erase(cycles[k].begin(), std::find_if(cycles[k].begin(), cycles[k].end(),
                                                      [from](const CycleEventRecord& e) { return e.tick >= from; }));
    }
    ASSERT_EQ(cycles[0].size(), cycles[1].size()) << "seed " << seed << ", change at " << change;
    for (size_t e = 0; e < cycles[0].size(); ++e) {
      EXPECT_EQ(cycles[0][e].tick, cycles[1][e].tick) << "seed " << seed << ", cycle " << e;
      EXPECT_NEAR(cycles[0][e].value, cycles[1][e].value, 0.05) << "seed " << seed << ", cycle " << e;
    }
  }
}

// Equal samples say nothing: a flat run-in and flat samples after it leave the gauge unmeasured, samples that
// then move measure it (never 0), a stray sample does not move it, and tied samples measure no less than the
// data's resolution.
TEST(NoiseGauge, NeverZeroWhileTheSignalMovesNorBelowItsResolution) {
  const std::vector<float> flat(64, 2.0f);
  NoiseGauge gauge;
  gauge.Reset(64);
  gauge.Start(flat.data(), 64, 1.0);
  EXPECT_FALSE(gauge.Measured());
  for (int i = 0; i < 64; ++i) gauge.Take(2.0, 2.0, 2.0);
  EXPECT_EQ(gauge.Variance(), 0.0);
  for (int i = 0; i < 64; ++i) gauge.Take(2.0 + (i % 2), 2.5, 2.0 + (i + 1) % 2);
  EXPECT_NEAR(gauge.Variance(), 0.25, 1e-12);
  for (int i = 0; i < 64; ++i) gauge.Take(i == 3 ? 1000.0 : 2.0 + (i % 2), 2.5, i == 4 ? 1000.0 : 2.0 + (i + 1) % 2);
  EXPECT_NEAR(gauge.Variance(), 0.25, 1e-12);
  std::vector<float> tied(1000, 2.0f);
  for (size_t i = 0; i < tied.size(); i += 7) tied[i] = 3.0f;
  gauge.Reset(1000);
  gauge.Start(tied.data(), 1000, 1.0);
  EXPECT_GE(gauge.Variance(), 1.0 / 12.0);
}

}  // namespace
}  // namespace host

namespace host {
namespace {

// Records shorter than half a span, which the gauge cannot measure, give no cycle whatever their noise (they used
// to give some, their few samples' mean square being scattered), and are the ones TooShortToMeasure names; records
// of half a span and more are measured.
TEST(NoiseGauge, RecordsTooShortToMeasureGiveNoCycle) {
  const double arguments[6] = {0.0, 0.5, 5.0, 1.0, 50.0, 1.0};  // upward, 5 SD, 1 ms, 50 ms
  const CycleRules rules = RulesFromArguments(arguments, 6, 1.0 / 20000);
  const int32_t least = NoiseGauge::LeastTicks(rules.baselineTicks);
  uint32_t draw = 3;
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    const int32_t length = 1 + static_cast<int32_t>(testsupport::NextUniform(draw) * (least - 1));
    testsupport::Noise noise(seed, seed % 2 ? 0.0 : 1.6);
    std::vector<float> x(static_cast<size_t>(length));
    for (float& v : x) v = static_cast<float>(noise(1.0));
    CycleScanState state;
    std::vector<CycleEventRecord> found;
    ScanCycles(state, rules, x.data(), length, found);
    FinishCycles(state, rules, found);
    EXPECT_TRUE(found.empty()) << "seed " << seed << ", " << length << " samples";
    EXPECT_TRUE(TooShortToMeasure(rules, length));
  }
  EXPECT_FALSE(TooShortToMeasure(rules, least));
}

}  // namespace
}  // namespace host
