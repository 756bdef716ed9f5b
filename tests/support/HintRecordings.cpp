// Recordings whose events point the other way or ride on a plateau the noise splits.
#include "tests/support/HintRecordings.h"

#include "tests/support/SeededNoise.h"

#include <cmath>
#include <cstdio>
#include <algorithm>
#include <functional>

namespace testsupport {

namespace {

// The rows of a recording sampled at rate for seconds, the signal at each time plus the noise.
std::string Rows(double rate, double seconds, double noiseSd, uint32_t seed, const std::function<double(double)>& at,
                 const std::string& header = "Time [s],Vm [mV]") {
  Noise noise(seed);
  std::string text = header;
  char line[64];
  const int samples = static_cast<int>(rate * seconds);
  for (int i = 0; i < samples; ++i) {
    std::snprintf(line, sizeof(line), "\n%.6f,%.3f", i / rate, at(i / rate) + noise(noiseSd));
    text += line;
  }
  return text;
}

// A number in [low, high) drawn from the seed.
double Drawn(uint32_t& seed, double low, double high) { return low + (high - low) * NextUniform(seed); }

}  // namespace

HintRecording CardiacPlateau(uint32_t seed, double noiseSd) {
  uint32_t draw = seed;
  const double rates[] = {2000.0, 5000.0, 10000.0};
  const double rate = rates[static_cast<int>(NextUniform(draw) * 3)];
  const double plateau = Drawn(draw, 150.0, 250.0), drawn = Drawn(draw, 2.0, 3.0);
  const double noise = noiseSd > 0.0 ? noiseSd : drawn;
  const auto at = [plateau](double t) {
    const double ms = std::fmod(t, 1.0) * 1000.0 - 200.0;  // from each action potential's start
    if (ms < 0.0) return -85.0;
    if (ms < 2.0) return -85.0 + 57.5 * ms;
    if (ms < 10.0) return 30.0 - 2.5 * (ms - 2.0);
    if (ms < 10.0 + plateau) return 10.0 - 40.0 * std::pow((ms - 10.0) / plateau, 2.0);
    return std::max(-85.0, -30.0 - 1.1 * (ms - 10.0 - plateau));
  };
  return {Rows(rate, 4.0, noise, seed, at), 4, -85.0, 115.0};
}

HintRecording InvertedSpikes(uint32_t seed) {
  uint32_t draw = seed;
  const int spikes = 10 + static_cast<int>(NextUniform(draw) * 5);
  const double noise = Drawn(draw, 1.5, 2.0), gap = Drawn(draw, 2.0, 3.0);
  const double period = 1.0 / spikes;
  const auto spike = [](double ms) {  // from the spike's start
    if (ms < 0.0) return 65.0;
    if (ms < 0.3) return 65.0 - 95.0 / 0.3 * ms;
    if (ms < 1.0) return -30.0 + 98.0 / 0.7 * (ms - 0.3);
    return std::max(65.0, 68.0 - 1.5 * (ms - 1.0));  // the hyperpolarisation after it, turned over
  };
  const auto at = [period, gap, spike](double t) {
    const double ms = (std::fmod(t, period) - period / 2) * 1000.0;
    const bool pair = static_cast<int>(t / period) % 2 == 0;
    return pair && ms >= gap ? spike(ms - gap) : spike(ms);
  };
  return {Rows(20000.0, spikes * period, noise, seed, at), spikes + (spikes + 1) / 2, 65.0, -95.0};
}

HintRecording UprightSpikes(uint32_t seed) {
  uint32_t draw = seed;
  const double noise = Drawn(draw, 1.5, 2.0);
  const auto at = [](double t) {
    const double ms = std::fmod(t, 0.1) * 1000.0 - 50.0;  // from each spike's start
    if (ms < 0.0) return -65.0;
    if (ms < 0.3) return -65.0 + 95.0 / 0.3 * ms;
    if (ms < 1.0) return 30.0 - 98.0 / 0.7 * (ms - 0.3);
    return std::min(-65.0, -68.0 + 1.5 * (ms - 1.0));
  };
  return {Rows(20000.0, 1.0, noise, seed, at), 10, -65.0, 95.0};
}

HintRecording DownwardResponses(uint32_t seed, double noiseSd) {
  uint32_t draw = seed;
  const double depth = Drawn(draw, 6.0, 10.0), peak = Drawn(draw, 2.0, 4.0);
  const auto at = [depth, peak](double t) {
    const double ms = std::fmod(t - 0.05 + 1.0, 0.1) * 1000.0;  // from each stimulus
    if (t < 0.05 || t >= 1.65) return -60.0;
    double v = -60.0;
    if (ms < 0.3) v += 25.0;
    const double tau = (peak - 0.3) / 1.0, late = ms - 0.3;  // the response starts as the artefact ends
    if (late > 0.0) v -= depth * (late / tau) * std::exp(1.0 - late / tau);
    return v;
  };
  return {Rows(20000.0, 1.7, noiseSd, seed, at), 16, -60.0, -depth};
}

HintRecording UpwardResponses(uint32_t seed) {
  uint32_t draw = seed;
  const double size = Drawn(draw, 10.0, 14.0), noise = Drawn(draw, 0.5, 0.8);
  const auto at = [size](double t) {
    const double ms = std::fmod(t - 0.05 + 1.0, 0.1) * 1000.0;  // from each stimulus
    if (t < 0.05 || t >= 1.65) return -60.0;
    const double x = (ms - 0.3) / 1.7;  // the response starts as the artefact ends
    return -60.0 + (ms < 0.3 ? 25.0 : 0.0) + (x > 0.0 ? size * x * std::exp(1.0 - x) : 0.0);
  };
  return {Rows(20000.0, 1.7, noise, seed, at), 16, -60.0, size};
}

HintRecording PopulationSpikes(uint32_t seed) {
  uint32_t draw = seed;
  const double depth = Drawn(draw, 3.0, 5.0);
  const auto shape = [depth](double ms) {
    return 3.0 * std::exp(-std::pow((ms - 3.0) / 1.2, 2)) + 3.0 * std::exp(-std::pow((ms - 8.0) / 1.5, 2)) -
           depth * std::exp(-std::pow((ms - 5.5) / 0.8, 2));
  };
  const auto at = [shape](double t) {
    const double ms = std::fmod(t - 0.05 + 1.0, 0.1) * 1000.0;  // from each stimulus
    if (t < 0.05 || t >= 1.65) return -60.0;
    return -60.0 + (ms < 0.3 ? 25.0 : 0.0) + shape(ms);
  };
  const double height = (shape(3.0) + shape(8.0)) / 2.0 - shape(5.5);
  return {Rows(20000.0, 1.7, 0.02 * height, seed, at), 16, -60.0, height};
}

HintRecording InwardCurrents(uint32_t seed, const std::string& header) {
  uint32_t draw = seed;
  const double size = Drawn(draw, 50.0, 70.0), noise = Drawn(draw, 1.5, 2.5);
  const auto at = [size](double t) {
    const double ms = std::fmod(t, 0.18) * 1000.0 - 90.0;  // from each current's start
    // 1.148 brings the difference of exponentials' peak, 1.28 ms in, to the size.
    return ms < 0.0 ? -20.0 : -20.0 - size * 1.148 * (std::exp(-ms / 5.0) - std::exp(-ms / 0.5));
  };
  return {Rows(10000.0, 1.8, noise, seed, at, header), 10, -20.0, -size};
}

}  // namespace testsupport
