#include "enumerators/calcbase/CalcBaseStep.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <string>

#include "tests/enumerators/CalcStageCursors.h"
#include "tests/support/SeededNoise.h"

namespace {

using ZR::Enum::CalcBase::StepSettings;
using ZR::Enum::CalcBase::StepState;
using calcstages::RunOffline;

std::vector<EventBCalcBase> RunBase(const StepSettings& p, const std::vector<float>& v,
                                const std::vector<EventPkStm>& events, int32_t blockSize = 1024) {
  return RunOffline<StepState, StepSettings, EventPkStm, EventBCalcBase>(ZR::Enum::CalcBase::Step, p, v, events,
                                                                        blockSize);
}

// 0.2 everywhere, a short dip to -0.3 at 300..309 and a triangular peak of sign x 2.0 at tick 1000.
std::vector<float> DipAndPeak(float sign) {
  return calcstages::Samples(1200, [sign](int32_t t) {
    double v = 0.2;
    if (t >= 300 && t < 310) v = -0.3;
    if (t >= 990 && t <= 1010) v = 0.2 + 0.18 * (10 - std::abs(t - 1000));
    return sign * v;
  });
}

struct ModeCase {
  int32_t mode;
  double value;
  float baseline;
  int32_t start, end;
};

// On one signal the modes give their baselines: the long flat stretch before the peak, the fixed level with its last
// crossing, the dip with its last sample, and the flat stretch where the rise began.
TEST(CalcBaseStep, BaselineModesDifferAndMirror) {
  // Mode 3, the foot of the rise: the 0.2 ms averages (4 ticks) from the last one wholly before the rise back over
  // as many as the rise took, at least the noise's lag (5 of them), within the maximum length before the peak.
  const ModeCase cases[] = {{0, -1.0, 0.2f, 811, 990}, {1, 1.0, 1.0f, 993, 994}, {2, -1.0, -0.3f, 308, 309},
                            {3, -1.0, 0.2f, 968, 987}};
  for (const ModeCase& c : cases) {
    for (float sign : {1.0f, -1.0f}) {
      if (c.mode == 2 && sign < 0) continue;  // the lowest sample is not mirrored by its nature
      StepSettings p;
      p.mode = c.mode;
      p.baselineValue = sign * c.value;
      const auto out = RunBase(p, DipAndPeak(sign), {EventPkStm::Peak(1000.3, sign * 2.0f)});
      ASSERT_EQ(out.size(), 1u) << "mode " << c.mode;
      EXPECT_FLOAT_EQ(out[0].baseline, sign * c.baseline) << "mode " << c.mode << " sign " << sign;
      EXPECT_EQ(out[0].baseStartTick, c.start) << "mode " << c.mode << " sign " << sign;
      EXPECT_EQ(out[0].baseEndTick, c.end) << "mode " << c.mode << " sign " << sign;
      EXPECT_EQ(out[0].polarity, c.mode == 2 ? 1.0f : sign) << "mode " << c.mode;
      EXPECT_EQ(out[0].tick, 1000);
      EXPECT_EQ(out[0].fraction, 0.0f);
      EXPECT_EQ(out[0].value, static_cast<double>(sign * 2.0f));
      EXPECT_EQ(out[0].stimulusTick, -1);
      EXPECT_EQ(out[0].kind, kEventCalc);
    }
  }
}

// A quantised peak whose block before it holds its own value (the rise held for 4 to 12 ticks at its top) still rises
// from the flat stretch before it, and turned over it gives the same foot turned over.
TEST(CalcBaseStep, RiseFootOfAPeakTiedWithItsBlockMirrors) {
  for (int32_t plateau = 4; plateau <= 12; ++plateau) {
    for (float sign : {1.0f, -1.0f}) {
      const auto v = calcstages::Samples(1200, [&](int32_t t) {
        return sign * (t < 900 ? 0.25f : 0.25f + 0.0175f * static_cast<float>(std::min(t, 1000 - plateau) - 900));
      });
      StepSettings p;
      p.mode = 3;
      const auto out = RunBase(p, v, {EventPkStm::Peak(1000, v[1000])});
      ASSERT_EQ(out.size(), 1u);
      EXPECT_EQ(out[0].polarity, sign) << "plateau " << plateau;
      EXPECT_FLOAT_EQ(out[0].baseline, sign * 0.25f) << "plateau " << plateau;
    }
  }
}

// Block boundaries fall anywhere inside the segments: the result does not depend on them.
TEST(CalcBaseStep, BlockSizeDoesNotChangeResult) {
  for (int32_t mode : {0, 2, 3}) {
    StepSettings p;
    p.mode = mode;
    const auto a = RunBase(p, DipAndPeak(1.0f), {EventPkStm::Peak(1000, 2.0f)}, 1024);
    const auto b = RunBase(p, DipAndPeak(1.0f), {EventPkStm::Peak(1000, 2.0f)}, 3);
    ASSERT_EQ(a.size(), 1u);
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(std::memcmp(&a[0], &b[0], sizeof(EventBCalcBase)), 0) << "mode " << mode;
  }
}

// A stimulus followed by another stimulus is written alone (value no value) and, having no peak to measure
// against, without a baseline; a peak after a stimulus is paired with it; without a sample between two events
// the fallback baseline P x 0.999999 applies.
TEST(CalcBaseStep, PairsStimuliAndFallsBack) {
  const std::vector<float> v(400, 0.0f);
  const std::vector<EventPkStm> events = {EventPkStm::Stimulus(100), EventPkStm::Stimulus(200),
                                          EventPkStm::Peak(250, 3.0f), EventPkStm::Peak(251, 4.0f)};
  const auto out = RunBase(StepSettings(), v, events);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[0].tick, 100);
  EXPECT_EQ(out[0].stimulusTick, 100);
  EXPECT_TRUE(IsNoValue(out[0].value));
  EXPECT_EQ(DoubleBits(out[0].value), kNoValueDoubleBits);
  EXPECT_TRUE(IsNoValue(out[0].baseline));
  EXPECT_EQ(out[0].baseStartTick, -1);
  EXPECT_EQ(out[0].baseEndTick, -1);
  EXPECT_EQ(out[0].polarity, 1.0f);
  EXPECT_EQ(out[1].tick, 250);
  EXPECT_EQ(out[1].stimulusTick, 200);
  EXPECT_EQ(out[1].value, 3.0);
  EXPECT_EQ(out[2].tick, 251);
  EXPECT_EQ(out[2].stimulusTick, -1);
  EXPECT_EQ(out[2].baseline, static_cast<float>(4.0 * 0.999999));
  EXPECT_EQ(out[2].baseStartTick, 250);
  EXPECT_EQ(out[2].baseEndTick, 250);
}

// A sample exactly at the tolerance joins the segment, and so does one exactly the maximum length after its
// start; the next closes it.
TEST(CalcBaseStep, SegmentEdges) {
  // Tolerance 5 % of |10 - 0| = 0.5: the step to 0.5 at tick 100 still joins; the segment from 0 runs 0..500
  // (501 samples) and closes at 501; the rest, 501..599, then scores 99^2 x 9.5 / 2, more than 501^2 x 9.6 / 100.
  auto v = calcstages::Samples(700, [](int32_t t) { return t < 100 ? 0.0 : 0.5; });
  const auto out = RunBase(StepSettings(), v, {EventPkStm::Peak(600, 10.0f)});
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].baseStartTick, 501);
  EXPECT_EQ(out[0].baseEndTick, 599);
  EXPECT_FLOAT_EQ(out[0].baseline, 0.5f);
}

// A search window after the stimulus: a segment closing at or before the window start is not eligible.
TEST(CalcBaseStep, SearchWindowAfterStimulus) {
  auto v = calcstages::Samples(500, [](int32_t t) {
    if (t < 200) return 0.0;
    if (t < 300) return 1.0;
    return t % 2 ? -0.5 : 0.5;  // segments of one sample, too short to matter
  });
  StepSettings p;
  p.searchStartTicks = 150;
  p.searchEndTicks = 400;
  const std::vector<EventPkStm> events = {EventPkStm::Stimulus(0), EventPkStm::Peak(450, 9.0f)};
  const auto out = RunBase(p, v, events);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].stimulusTick, 0);
  EXPECT_FLOAT_EQ(out[0].baseline, 0.0f);  // 0..199 closes at 200, after the window start
  EXPECT_EQ(out[0].baseEndTick, 199);
  p.searchStartTicks = 250;
  const auto late = RunBase(p, v, events);
  ASSERT_EQ(late.size(), 1u);
  EXPECT_FLOAT_EQ(late[0].baseline, 1.0f);
  EXPECT_EQ(late[0].baseStartTick, 200);
  EXPECT_EQ(late[0].baseEndTick, 299);
}

// After a stimulus the artefact is no baseline, whatever its shape: rest is the course before the stimulus (0, noise
// of 0.05 either way breaking it into segments of one sample, the tolerance 5 % of |1 - v|), and a segment after the
// stimulus farther from it than the noise allows (two SDs, 0.15), or ending at or after the response's foot (the
// lowest sample after the last one above the peak), is no baseline. Rest itself is a segment of the 40 samples before
// the artefact (60..99), scored as the others: a long flat stretch of rest before the foot outscores it and is the
// baseline, one sample at rest by chance does not. Where rest wins, or no segment is left, its span runs to the foot
// (the sample before the peak without one), and every peak is measured upward from it.
TEST(CalcBaseStep, ArtefactAfterStimulusIsNoBaseline) {
  struct ArtefactCase {
    const char* shape;
    double (*artefact)(int32_t t);  // the artefact's level at tick t (100 on), the stimulus on tick 100
    int32_t peak;
    float baseline;
    int32_t start, end;
  };
  const ArtefactCase cases[] = {
      {"up, rest after it", [](int32_t t) { return t < 110 ? 3.0 : 0.0; }, 200, 0.0f, 60, 111},
      {"up, a flat stretch of rest after it",
       [](int32_t t) { return t < 110 ? 3.0 : t < 195 ? (t % 2 ? 0.05 : -0.05) : -0.1; }, 200, 0.0f, 110, 194},
      {"down, rest after it", [](int32_t t) { return t < 110 ? -3.0 : 0.0; }, 200, 0.0f, 60, 101},
      {"up, one sample of rest, not scored", [](int32_t t) { return t < 110 ? 3.0 : 0.0; }, 111, 0.0f, 60, 110},
      {"up, then an undershoot", [](int32_t t) { return t < 110 ? 3.0 : -1.0; }, 130, 0.0f, 60, 111},
      {"down, then a tail", [](int32_t t) { return t < 110 ? -3.0 : -2.0 * std::exp((110 - t) / 50.0); }, 150,
       0.0f, 60, 101},
      {"biphasic, down then up", [](int32_t t) { return t < 105 ? -3.0 : 3.0; }, 110, 0.0f, 60, 109},
  };
  for (const ArtefactCase& c : cases) {
    const auto v = calcstages::Samples(300, [&c](int32_t t) {
      const double noise = t % 2 ? -0.05 : 0.05;
      return t >= 100 && t < c.peak ? noise + c.artefact(t) : noise;
    });
    StepSettings p;
    p.searchStartTicks = 0;
    p.searchEndTicks = 200;
    for (const int32_t block : {1024, 7}) {
      const auto out = RunBase(p, v, {EventPkStm::Stimulus(100), EventPkStm::Peak(c.peak, 1.0f)}, block);
      ASSERT_EQ(out.size(), 1u);
      EXPECT_NEAR(std::fabs(out[0].baseline), c.baseline, 0.005) << c.shape << " block " << block;
      EXPECT_EQ(out[0].polarity, 1.0f) << c.shape;
      EXPECT_EQ(out[0].baseStartTick, c.start) << c.shape;
      EXPECT_EQ(out[0].baseEndTick, c.end) << c.shape;
    }
  }
}

// Mode 2 with no sample between the events: the level is +infinity.
TEST(CalcBaseStep, LowestWithoutSamplesIsInfinite) {
  StepSettings p;
  p.mode = 2;
  const auto out = RunBase(p, std::vector<float>(50, 1.0f), {EventPkStm::Peak(0, 2.0f)});
  ASSERT_EQ(out.size(), 1u);
  EXPECT_TRUE(std::isinf(out[0].baseline));
  EXPECT_GT(out[0].baseline, 0.0f);
}

}  // namespace

namespace {

// Two segments with exactly equal scores (100^2 x 10 / 200 = 100^2 x 5 / 100 = 500): the later one is the
// baseline.
TEST(CalcBaseStep, LaterSegmentWinsATie) {
  auto v = calcstages::Samples(320, [](int32_t t) {
    if (t < 100) return 0.0;
    if (t < 200) return 5.0;
    return t % 2 ? -1.0 : 1.0;  // one-sample segments that score little
  });
  const auto out = RunBase(StepSettings(), v, {EventPkStm::Peak(299, 10.0f)});
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].baseline, 5.0f);
  EXPECT_EQ(out[0].baseStartTick, 100);
  EXPECT_EQ(out[0].baseEndTick, 199);
}

// An event at the tick of the previous one on the last sample: nothing is left to skip, so the record is written
// when the data has ended rather than lost waiting for a sample that never comes.
TEST(CalcBaseStep, SecondEventOnTheLastSampleIsWritten) {
  for (int32_t mode : {0, 1, 2}) {
    StepSettings p;
    p.mode = mode;
    const auto out =
        RunBase(p, std::vector<float>(100, 0.5f), {EventPkStm::Peak(99, 2.0f), EventPkStm::Peak(99, 3.0f)});
    ASSERT_EQ(out.size(), 2u) << "mode " << mode;
    EXPECT_EQ(out[1].tick, 99);
    EXPECT_EQ(out[1].value, 3.0);
  }
}

// Peaks become known before the samples in front of them have arrived, and samples come in uneven blocks, so a
// measurement stops part-way and is resumed. The fixed and lowest-sample modes repeat the measurement and give
// exactly the offline records; the dip that sets the lowest level lies early, before any interruption. So does the
// rise-foot mode, which reads every sample before the peak again.
TEST(CalcBaseStep, ResumedFixedAndLowestModesMatchOffline) {
  const auto v = calcstages::Samples(3000, [](int32_t t) {
    const int32_t k = t % 1000;
    if (k >= 100 && k < 110) return -0.5 - 0.01 * (t / 1000);  // a dip early in each interval
    if (k >= 890 && k <= 910) return 0.2 + 0.18 * (10 - std::abs(k - 900));
    return 0.2 + 0.001 * (k % 7);
  });
  const std::vector<EventPkStm> peaks = {EventPkStm::Peak(900, 2.0f), EventPkStm::Peak(1900, 2.0f),
                                         EventPkStm::Peak(2900, 2.0f)};
  for (int32_t mode : {1, 2, 3}) {
    StepSettings p;
    p.mode = mode;
    p.baselineValue = 0.25;
    const auto offline = RunBase(p, v, peaks);
    ASSERT_EQ(offline.size(), 3u);
    if (mode == 2) {
      EXPECT_EQ(offline[1].baseline, -0.51f);
    }
    const auto online = calcstages::RunOnline<StepState, StepSettings, EventPkStm, EventBCalcBase>(
        ZR::Enum::CalcBase::Step, p, v, peaks, {37, 1, 250, 13, 3, 400}, -600);
    ASSERT_EQ(online.size(), offline.size()) << "mode " << mode;
    for (size_t i = 0; i < offline.size(); ++i) {
      EXPECT_EQ(std::memcmp(&online[i], &offline[i], sizeof(EventBCalcBase)), 0)
          << "mode " << mode << " record " << i;
    }
  }
}

// A peak known only by its extreme (mode 3) is measured from where its rise began: a small event riding on a larger
// one's fall takes the fall's level at its onset, not the larger event's top (which would turn its polarity) nor
// the level before it; one riding on the slow return of a current of the other sign takes the return's level at
// its onset, not the bottom of that current; a slow rise on noise takes the flat stretch before it, not samples of
// its own rise; upward and downward alike.
TEST(CalcBaseStep, RiseFootIsWhereTheRiseBegan) {
  struct Case {
    const char* name;
    double small, rise;  // the later event's amplitude and time to peak (ticks; an alpha shape)
    int32_t onset;       // of the later event; a larger one decaying over 160 ticks starts at 1000
    double large;        // its amplitude: -70 the later event's sign, 60 the other
    double noise;        // peak-to-peak of the uniform noise
    float foot;          // where the trace stood at the later onset (noise-free), and the tolerance
    float tolerance;
  };
  const Case cases[] = {
      {"riding 2 decay constants after", -12.0, 8.0, 1320, -70.0, 0.0, -70.0f * std::exp(-310.0f / 160.0f), 0.3f},
      {"riding 8 decay constants after", -12.0, 8.0, 2280, -70.0, 0.2, -70.0f * std::exp(-1270.0f / 160.0f), 0.3f},
      {"slow rise on noise", -12.0, 80.0, 6000, -70.0, 3.0, 0.0f, 1.0f},
      {"on a return 1 decay constant after", -12.0, 8.0, 1170, 60.0, 0.0, 60.0f * std::exp(-160.0f / 160.0f), 1.0f},
      {"on a return 3 decay constants after", -12.0, 8.0, 1490, 60.0, 0.6, 60.0f * std::exp(-480.0f / 160.0f), 0.6f},
      {"slow rise on a return", -12.0, 30.0, 1330, 60.0, 0.6, 60.0f * std::exp(-320.0f / 160.0f), 1.5f},
  };
  for (const Case& c : cases) {
    for (float sign : {1.0f, -1.0f}) {
      uint32_t seed = 7;
      const auto v = calcstages::Samples(7000, [&](int32_t t) {
        const auto alpha = [](double a, double tp, double s) {
          return s <= 0 ? 0.0 : a * s / tp * std::exp(1 - s / tp);
        };
        const double large =
            t < 1000 ? 0.0 : t < 1010 ? c.large * (t - 1000) / 10 : c.large * std::exp(-(t - 1010) / 160.0);
        seed = seed * 1664525u + 1013904223u;
        return sign * (large + alpha(c.small, c.rise, t - c.onset)) + c.noise * ((seed >> 8) / 16777216.0 - 0.5);
      });
      int32_t peak = c.onset;
      for (int32_t t = c.onset; t < c.onset + 3 * static_cast<int32_t>(c.rise); ++t)
        if (sign * v[static_cast<size_t>(t)] < sign * v[static_cast<size_t>(peak)]) peak = t;
      StepSettings p;
      p.mode = 3;
      p.maxBaselineTicks = 5000;
      const auto out =
          RunBase(p, v, {EventPkStm::Peak(1010, v[1010]), EventPkStm::Peak(peak, v[static_cast<size_t>(peak)])});
      ASSERT_EQ(out.size(), 2u) << c.name;
      EXPECT_EQ(out[1].polarity, -sign) << c.name;
      EXPECT_NEAR(out[1].baseline, sign * c.foot, c.tolerance) << c.name << " sign " << sign;
      EXPECT_LE(out[1].baseEndTick, c.onset + 2) << c.name;
      EXPECT_NEAR(out[0].baseline, 0.0f, 0.2f + 0.1f * static_cast<float>(c.noise)) << c.name;
      EXPECT_EQ(out[0].polarity, c.large < 0 ? -sign : sign) << c.name;
    }
  }
}

// A slow current with a broad top (rising over 1 to 15 ms, decaying over 50 to 200 ms, 15 to 25 noise SDs, at 50 kHz
// in blocks of 0.2 ms) whose peak sample stands 4 to 6 SDs above its top, as the largest of the noise's samples on a
// long top now and then does: the foot is where the rise began, never a block of the top below that sample. All but
// one in 50: a block next to the peak's may still lie low enough in the noise to end the top there.
TEST(CalcBaseStep, RiseFootOfABroadTopIsBelowTheTop) {
  int onTop = 0;
  std::string cases;
  for (uint32_t seed = 1; seed <= 200; ++seed) {
    uint32_t draw = seed * 2654435761u;
    const double sign = seed % 2 ? 1.0 : -1.0;
    const double rise = 50.0 * std::pow(15.0, testsupport::NextUniform(draw));  // ticks
    const double decay = 2500.0 * std::pow(4.0, testsupport::NextUniform(draw));
    const double amplitude = 15.0 + 10.0 * testsupport::NextUniform(draw);
    const double top = rise * decay / (decay - rise) * std::log(decay / rise);  // ticks from the onset
    const auto current = [&](double s) {
      const double scale = std::exp(-top / decay) - std::exp(-top / rise);
      return s > 0 ? amplitude * (std::exp(-s / decay) - std::exp(-s / rise)) / scale : 0.0;
    };
    const int32_t onset = 6000;
    const auto peak = static_cast<int32_t>(onset + top + 0.2 * decay * testsupport::NextUniform(draw));
    testsupport::Noise noise(seed);
    auto v = calcstages::Samples(peak + 1, [&](int32_t t) { return sign * current(t - onset) + noise(1.0); });
    const double spike = 4.0 + 2.0 * testsupport::NextUniform(draw);
    v[static_cast<size_t>(peak)] = static_cast<float>(sign * (current(peak - onset) + spike));
    // The detector's peak is the highest sample: one of the top's where the spike on the fall stands lower.
    int32_t highest = peak;
    for (int32_t t = onset; t < peak; ++t)
      if (sign * v[static_cast<size_t>(t)] > sign * v[static_cast<size_t>(highest)]) highest = t;
    v.resize(static_cast<size_t>(highest) + 1);
    StepSettings p;
    p.mode = 3;
    p.maxBaselineTicks = 50000;
    p.footBlockTicks = 10;
    const auto out = RunBase(p, v, {EventPkStm::Peak(highest, v[static_cast<size_t>(highest)])});
    ASSERT_EQ(out.size(), 1u);
    if (std::fabs(out[0].baseline) <= 2.0) continue;
    ++onTop;
    cases += "\nseed " + std::to_string(seed) + ": rise " + std::to_string(rise) + ", decay " +
             std::to_string(decay) + " ticks, foot " + std::to_string(out[0].baseline);
  }
  EXPECT_LE(onTop * 50, 200) << onTop << " feet on the top:" << cases;
}

// Noise peaks on the return of an inward current longer than the stretch looked back over (20 to 200 noise SDs,
// decaying over one to three times the 1000 ticks looked back over, its bottom up to a fifth of them before their
// start), each the highest of 40 samples: each reads from the return near it, never from the current's bottom where
// the stretch begins, whose course beyond lies outside it. All but one in 100.
TEST(CalcBaseStep, NoisePeakOnAReturnLongerThanTheStretchReadsFromTheReturn) {
  int far = 0;
  std::string cases;
  for (uint32_t seed = 1; seed <= 200; ++seed) {
    uint32_t draw = seed * 2246822519u;
    const double amplitude = -20.0 - 180.0 * testsupport::NextUniform(draw);
    const double decay = 1000.0 * (1.0 + 2.0 * testsupport::NextUniform(draw));
    const int32_t bottom = 2000, window = 1000;
    const auto near = static_cast<int32_t>(bottom + window + 20 + 200.0 * testsupport::NextUniform(draw));
    const auto course = [&](int32_t t) { return t < bottom ? 0.0 : amplitude * std::exp(-(t - bottom) / decay); };
    testsupport::Noise noise(seed);
    const auto v = calcstages::Samples(near + 20, [&](int32_t t) { return course(t) + noise(1.0); });
    int32_t peak = near - 20;
    for (int32_t t = peak; t < near + 20; ++t)
      if (v[static_cast<size_t>(t)] > v[static_cast<size_t>(peak)]) peak = t;
    StepSettings p;
    p.mode = 3;
    p.maxBaselineTicks = window;
    const auto out = RunBase(p, v, {EventPkStm::Peak(peak, v[static_cast<size_t>(peak)])});
    ASSERT_EQ(out.size(), 1u);
    if (out[0].baseline < course(peak) - 6.0) {
      ++far;
      cases += "\nseed " + std::to_string(seed) + ": " + std::to_string(out[0].baseline) + " for " +
               std::to_string(course(peak));
    }
  }
  EXPECT_LE(far * 100, 200) << far << " read from the bottom:" << cases;
}

// The highest sample of a millisecond on the top or the fall of a slow current (rising over 1 to 8 ms, decaying over
// 20 to 100 ms, 20 to 60 noise SDs, at 20 kHz in blocks of 0.2 ms), 1 to 30 ms past the current's peak, is noise on
// that course: it rose from nowhere (its baseline is its own peak), and the current keeps its foot. A current of 8
// to 12 SDs rising there in 0.2 to 1 ms is an event: both are measured from where they rose. So is the highest sample
// of a millisecond 3 to 5 decays after a current of the other sign (15 to 30 SDs, decaying over 2 to 5 ms) riding on
// the slow one's peak: its return brought the signal back onto the course, and no higher. Upward and downward; all
// but one in 50 of the first two, one in 25 of the last (noise may leave the top of that return above the course).
TEST(CalcBaseStep, NoisePeakOnACurrentRoseFromNowhereAnEventThereDidNot) {
  int wrong[3] = {0, 0, 0};
  std::string cases;
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    uint32_t draw = seed * 2654435761u;
    const double sign = seed % 2 ? 1.0 : -1.0, r = 20.0 * std::pow(8.0, testsupport::NextUniform(draw));
    const double d = 400.0 * std::pow(5.0, testsupport::NextUniform(draw)), top = r * d / (d - r) * std::log(d / r);
    const double size = (20.0 + 40.0 * testsupport::NextUniform(draw)) / (std::exp(-top / d) - std::exp(-top / r));
    const int kind = seed % 6 / 2;  // a rider of the same sign, none, one of the other sign on the peak
    const bool rider = kind == 0;
    const auto later = static_cast<int32_t>(kind == 2 ? 2000 + top + 2.0
                                                      : 2000 + top + 20.0 + 580.0 * testsupport::NextUniform(draw));
    const double small = rider ? 8.0 + 4.0 * testsupport::NextUniform(draw)
                               : kind == 2 ? -15.0 - 15.0 * testsupport::NextUniform(draw) : 0.0;
    const double riderRise = kind == 2 ? 2.0 + 4.0 * testsupport::NextUniform(draw)
                                       : 4.0 + 16.0 * testsupport::NextUniform(draw);
    const double riderDecay = kind == 2 ? 40.0 + 60.0 * testsupport::NextUniform(draw) : 200.0;
    const auto after = static_cast<int32_t>(riderDecay * (3.0 + 2.0 * testsupport::NextUniform(draw)));
    testsupport::Noise noise(seed);
    const auto v = calcstages::Samples(later + 1000, [&](int32_t t) {
      const double s = std::max(t - 2000, 0), l = std::max(t - later, 0);
      const double rising = small * (1 - std::exp(-l / riderRise)) * std::exp(-l / riderDecay);
      return sign * (size * (std::exp(-s / d) - std::exp(-s / r)) + rising) + noise(1.0);
    });
    const auto highestIn = [&](int32_t from, int32_t to) {
      for (int32_t t = from + 1; t < to; ++t)
        if (sign * v[static_cast<size_t>(t)] > sign * v[static_cast<size_t>(from)]) from = t;
      return from;
    };
    const int32_t first = highestIn(2000, later - (kind == 2 ? 1 : 10));
    const int32_t second = kind == 2 ? highestIn(later + after, later + after + 20) : highestIn(later - 10, later + 100);
    StepSettings p;
    p.mode = 3;
    p.maxBaselineTicks = 2000;
    p.footBlockTicks = 4;
    const auto out = RunBase(p, v, {EventPkStm::Peak(first, v[static_cast<size_t>(first)]),
                                    EventPkStm::Peak(second, v[static_cast<size_t>(second)])});
    if (out.size() == 2u && !out[0].RoseFromNowhere() && out[1].RoseFromNowhere() == !rider) continue;
    ++wrong[kind];
    cases += "\nseed " + std::to_string(seed) + ", rise " + std::to_string(r) + ", decay " + std::to_string(d);
  }
  EXPECT_LE(wrong[0] * 50, 100) << cases;
  EXPECT_LE(wrong[1] * 50, 100) << cases;
  EXPECT_LE(wrong[2] * 25, 100) << cases;
}

// Bursts of currents of alternating sign at 100 to 316 Hz (10 to 100 kHz, blocks of 0.2 ms; rising over 0.03 to 0.1
// of the interval, 0.3 ms at most, decaying over 0.15 to 0.4 of it, 8 to 20 SDs of noise low-passed over 0.1 to 0.5
// ms): each upward current rises out of the return of the downward one before it, and reads its rise above the
// course at its onset within 0.5x to 2x. All but one in 40: the noise a walk measures swells with the currents that
// fill it, and a rise of 8 SDs may then stand within it.
TEST(CalcBaseStep, CurrentRisingOutOfAnAlternatingBurstsTroughReadsItsRise) {
  int rows = 0, outside = 0;
  std::string cases;
  for (uint32_t seed = 1; seed <= 80; ++seed) {
    uint32_t draw = seed * 2246822519u;
    const int32_t perMs = std::array<int32_t, 4>{10, 20, 40, 100}[seed % 4];  // ticks
    const double gap = perMs * std::pow(10.0, 0.5 + 0.5 * testsupport::NextUniform(draw));
    const double r = std::min(gap, 3.0 * perMs) * (0.03 + 0.07 * testsupport::NextUniform(draw));
    const double d = gap * (0.15 + 0.25 * testsupport::NextUniform(draw));
    const double top = r * d / (d - r) * std::log(d / r);
    const double scale = std::exp(-top / d) - std::exp(-top / r);
    double size[12];
    for (double& a : size) a = (8.0 + 12.0 * testsupport::NextUniform(draw)) / scale;
    const auto onset = [&](int j) { return static_cast<int32_t>(50 * perMs + j * gap); };
    const auto clean = [&](int32_t t) {
      double sum = 0.0;
      for (int j = 0; j < 12; ++j) {
        const double s = t - onset(j);
        if (s > 0) sum += (j % 2 ? -size[j] : size[j]) * (std::exp(-s / d) - std::exp(-s / r));
      }
      return sum;
    };
    testsupport::Noise noise(seed, perMs * (0.1 + 0.4 * testsupport::NextUniform(draw)));
    const auto v = calcstages::Samples(onset(12) + 100, [&](int32_t t) { return clean(t) + noise(1.0); });
    std::vector<EventPkStm> peaks;
    for (int j = 0; j < 12; j += 2) {
      int32_t peak = onset(j) + 1;
      for (int32_t t = peak; t < onset(j + 1); ++t)
        if (v[static_cast<size_t>(t)] > v[static_cast<size_t>(peak)]) peak = t;
      peaks.push_back(EventPkStm::Peak(peak, v[static_cast<size_t>(peak)]));
    }
    StepSettings p;
    p.mode = 3;
    p.maxBaselineTicks = std::max(500, 5 * perMs);
    p.footBlockTicks = perMs / 5;
    const auto out = RunBase(p, v, peaks);
    ASSERT_EQ(out.size(), peaks.size());
    for (size_t i = 1; i < peaks.size(); ++i) {  // the first rose from rest
      const double truth = clean(peaks[i].tick) - clean(onset(2 * static_cast<int>(i)) - 1);
      const double height = peaks[i].value - out[i].baseline;
      ++rows;
      if (!out[i].RoseFromNowhere() && height >= 0.5 * truth && height <= 2.0 * truth) continue;
      ++outside;
      cases += "\nseed " + std::to_string(seed) + " current " + std::to_string(2 * i) + ": " +
               std::to_string(height) + " for " + std::to_string(truth) + " (interval " + std::to_string(gap) + ")";
    }
  }
  EXPECT_LE(outside * 40, rows) << outside << " of " << rows << cases;
}

}  // namespace
