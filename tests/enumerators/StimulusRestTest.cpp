// Rest before a stimulus: where the stimulus's artefact begins, and the level before it.
#include "enumerators/stimrest/StimulusRest.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/SeededNoise.h"

namespace {

// However much of its artefact lies before the stimulus sample (the stimulus detector may place the stimulus
// anywhere on a noisy flat top, up to its last sample), rest is taken from the samples before the artefact:
// rectangular artefacts of either sign, 6 to 20 noise SDs, 0.1 to 1 ms of them up to the stimulus, at 10 to 50 kHz,
// white or low-passed noise. Rest's samples end before the artefact's first, never on it, and at most a few samples
// and three of the noise filter's time constants sooner (where the noise took rest as far out); over white noise
// rest's level lies within the noise of the true rest.
TEST(StimulusRest, NoPartOfTheArtefactBeforeItsStimulusIsRest) {
  constexpr double kRates[] = {10000.0, 20000.0, 25000.0, 40000.0, 50000.0};
  constexpr int32_t kFirstTick = 1000;
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    uint32_t draw = seed * 2654435761u;
    const auto uniform = [&draw](double lo, double hi) { return lo + (hi - lo) * testsupport::NextUniform(draw); };
    const double rate = kRates[static_cast<int>(uniform(0.0, 5.0))];
    const double artefact = (uniform(0.0, 1.0) < 0.5 ? -1.0 : 1.0) * uniform(6.0, 20.0);
    const auto width = std::max(1, static_cast<int32_t>(uniform(0.1, 1.0) * 1e-3 * rate));
    const bool white = uniform(0.0, 1.0) < 0.5;
    const double filter = white ? 0.0 : uniform(0.05, 0.2) * 1e-3 * rate;  // samples
    testsupport::Noise noise(seed, filter);
    const int32_t count = ZR::Enum::Rest::LookTicks(1.0 / rate) + 1;  // the last is the stimulus sample
    const int32_t onset = count - width;
    std::vector<float> v(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i)
      v[static_cast<size_t>(i)] = static_cast<float>(noise(1.0) + (i >= onset ? artefact : 0.0));
    ZR::Enum::Rest::StimulusRest rest;
    ZR::Enum::Rest::MeasureRest(rest, v.data(), count, kFirstTick, ZR::Enum::Rest::RestTicks(1.0 / rate), 0.0,
                                  ZR::Enum::Rest::ArtefactWalk::BeforeIt);
    const std::string where = "seed " + std::to_string(seed) + " rate " + std::to_string(rate) + " artefact " +
                              std::to_string(artefact) + " over " + std::to_string(width) + " samples" +
                              (white ? " white" : " low-passed");
    ASSERT_TRUE(rest.known) << where;
    EXPECT_LT(rest.endTick, kFirstTick + onset) << where;
    EXPECT_GE(rest.endTick, kFirstTick + onset - 3 - 3 * filter) << where;
    if (white) {
      EXPECT_NEAR(rest.level, 0.0, 1.5) << where;
    }
  }
}

}  // namespace
