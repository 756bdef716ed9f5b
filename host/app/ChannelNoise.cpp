// The noise's standard deviation on a channel, from the spread of the differences between samples.
#include "host/app/ChannelNoise.h"

#include "host/common/RobustSpread.h"
#include "host/common/SampleResolution.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace ondara_host {

namespace {

constexpr int32_t kLags[] = {1, 2, 4, 8};
// Differences taken at each lag at most: a long recording is sampled evenly (its noise is the same
// throughout, and the medians of a million differences are as good as those of all).
constexpr int64_t kMostDifferences = 1 << 20;

struct ChannelBlock {
  const float* samples;
  int32_t length;
};

std::vector<ChannelBlock> Blocks(const host::Recording& recording, size_t channel) {
  std::vector<ChannelBlock> blocks;
  for (const host::RecordData& record : recording.records)
    if (channel < record.samples.size() && record.samples[channel])
      blocks.push_back({record.samples[channel]->Samples(), record.samples[channel]->Length()});
  return blocks;
}

// The second differences of samples lag apart within each record (every stride-th), in double: a
// signal's slope cancels in them, so that they see the noise about it.
std::vector<double> SecondDifferences(const std::vector<ChannelBlock>& blocks, int32_t lag, int64_t stride) {
  std::vector<double> differences;
  for (const ChannelBlock& block : blocks)
    for (int64_t i = 2 * lag; i < block.length; i += stride) {
      const float* const x = block.samples + i;
      const double bend = static_cast<double>(x[0]) - 2.0 * x[-lag] + x[-2 * lag];
      if (std::isfinite(bend)) differences.push_back(bend);
    }
  return differences;
}

// The data's resolution, the smallest of its records' quanta (host::ResolutionStep), over sqrt 12; 0 when none is
// quantised.
double Resolution(const std::vector<ChannelBlock>& blocks) {
  double smallest = HUGE_VAL;
  for (const ChannelBlock& block : blocks) {
    const double step = host::ResolutionStep(block.samples, block.length);
    if (step > 0.0) smallest = std::min(smallest, step);
  }
  return smallest < HUGE_VAL ? smallest / std::sqrt(12.0) : 0.0;
}

}  // namespace

double ChannelNoiseSd(const host::Recording& recording, size_t channel) {
  const std::vector<ChannelBlock> blocks = Blocks(recording, channel);
  int64_t samples = 0;
  for (const ChannelBlock& block : blocks) samples += block.length;
  const int64_t stride = std::max<int64_t>(1, samples / kMostDifferences);
  double sd = 0.0;
  for (const int32_t lag : kLags) {
    std::vector<double> differences = SecondDifferences(blocks, lag, stride);
    if (!differences.empty()) sd = std::max(sd, host::RobustSd(differences) / std::sqrt(6.0));
  }
  return sd > 0.0 ? sd : Resolution(blocks);
}

double NoiseReach(const host::Recording& recording, size_t channel) {
  double samples = 0.0;
  for (const ChannelBlock& block : Blocks(recording, channel)) samples += block.length;
  return samples > 1.0 ? 2.0 * ChannelNoiseSd(recording, channel) * std::sqrt(2.0 * std::log(samples)) : 0.0;
}

}  // namespace ondara_host
