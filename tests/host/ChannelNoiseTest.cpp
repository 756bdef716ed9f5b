// The noise's standard deviation on a channel, on the signals and noises that break estimators.
#include "host/app/ChannelNoise.h"

#include "tests/support/CardiacSignal.h"
#include "tests/support/SeededNoise.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

host::Recording OneChannel(const std::vector<float>& samples) {
  host::Recording recording;
  recording.channels.resize(1);
  recording.records.push_back(host::MakeEmptyRecord(1, 0.001, true));
  recording.records.back().samples[0]->Append(samples.data(), static_cast<int32_t>(samples.size()));
  return recording;
}

// From a third below the noise's own to half above it (where the signal's bends add to it), whatever
// it rides on (a flat line, action potentials about 1 V high at 1 kHz, steps), white or low-passed
// over up to four samples, quantised to a tenth of it or not.
TEST(ChannelNoise, MeasuresTheNoiseWhateverItRidesOn) {
  const std::vector<float> cardiac = testsupport::CardiacSignal(20000);
  for (uint32_t seed = 1; seed <= 3; ++seed)
    for (const double sd : {0.001, 0.01})
      for (const double filter : {0.0, 2.0, 4.0})
        for (int shape = 0; shape < 3; ++shape)
          for (const bool quantised : {false, true}) {
            testsupport::Noise noise(seed, filter);
            std::vector<float> samples(cardiac.size());
            for (size_t i = 0; i < samples.size(); ++i) {
              const double signal = shape == 0 ? 0.0 : shape == 1 ? cardiac[i] : 0.5 * ((i / 500) % 2);
              const double value = signal + noise(sd);
              samples[i] = static_cast<float>(quantised ? std::round(value / (sd / 10)) * (sd / 10) : value);
            }
            const double measured = ondara_host::ChannelNoiseSd(OneChannel(samples), 0) / sd;
            EXPECT_TRUE(measured > 0.67 && measured < 1.5)
                << measured << " of the noise, seed " << seed << " sd " << sd << " filter " << filter << " shape "
                << shape << (quantised ? " quantised" : "");
          }
}

// The noise's reach is the widest trough-to-peak swing white noise alone makes over the channel, a
// little above it as the expected largest of n samples is below sd sqrt(2 ln n): 1000 to 200,000
// samples, several seeds.
TEST(ChannelNoise, ReachIsTheWidestSwingOfTheNoiseAlone) {
  for (uint32_t seed = 1; seed <= 4; ++seed)
    for (const size_t length : {1000u, 20000u, 200000u}) {
      testsupport::Noise noise(seed);
      std::vector<float> samples(length);
      for (float& sample : samples) sample = static_cast<float>(noise(0.01));
      const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
      const double swing = (*high - *low) / ondara_host::NoiseReach(OneChannel(samples), 0);
      EXPECT_TRUE(swing > 0.7 && swing < 1.05) << swing << " of the reach, seed " << seed << ", " << length << " samples";
    }
}

// Never 0 while the signal moves: tied samples with one step read as the step's resolution.
TEST(ChannelNoise, TiedSamplesReadAsTheirResolution) {
  std::vector<float> samples(1000, 0.25f);
  EXPECT_EQ(0.0, ondara_host::ChannelNoiseSd(OneChannel(samples), 0));
  samples[500] = 0.75f;
  EXPECT_NEAR(0.5 / std::sqrt(12.0), ondara_host::ChannelNoiseSd(OneChannel(samples), 0), 1e-12);
  EXPECT_EQ(0.0, ondara_host::ChannelNoiseSd(OneChannel(samples), 1)) << "a channel the recording lacks";
}

}  // namespace
