// Formula signals for the tests.
#include "tests/support/CardiacSignal.h"
#include "tests/support/SourceTree.h"

#include <cmath>

namespace testsupport {

std::vector<float> CardiacSignal(int32_t sampleCount, double sampleRate) {
  std::vector<float> samples(static_cast<size_t>(sampleCount > 0 ? sampleCount : 0));
  for (size_t i = 0; i < samples.size(); ++i) {
    const double t = static_cast<double>(i) / sampleRate;
    const double spike = 1.0 / std::pow(0.01 + (1.0 - std::sin(5.0 * t)), 2.0) * 0.0001;
    const double s = std::sin(5.0 * t - 2.5);
    const double bump = (s > 0.5 ? 1.0 : 0.0) * (s - 0.5) * (1.0 + 0.1 * t);
    samples[i] = static_cast<float>(spike + bump);
  }
  return samples;
}

std::string TestDataPath(const char* name) {
  return SourcePath(std::string("tests/data/") + name);
}

}  // namespace testsupport
