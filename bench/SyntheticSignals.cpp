// The benchmark's synthetic signals, computed in double and stored as float.
#include "bench/SyntheticSignals.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace bench {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kPeriod = 630.0;

// The self-checks' cardiac signal at 1 kHz (see tests/support).
double Cardiac(int32_t i) {
  const double t = i / 1000.0;
  const double d = 0.01 + (1.0 - std::sin(5.0 * t));
  const double s = std::sin(5.0 * t - 2.5);
  return 0.0001 / (d * d) + (s > 0.5 ? (s - 0.5) * (1.0 + 0.1 * t) : 0.0);
}

double Sine(int32_t i) {
  return std::sin(2.0 * kPi * i / kPeriod);
}

double Square(int32_t i) {
  return std::fmod(static_cast<double>(i), kPeriod) < kPeriod / 2.0 ? 1.0 : -1.0;
}

// Normal noise from a 64-bit linear congruential generator and the Box-Muller transform, so every run and
// every build gets the same samples.
class Noise {
public:
  double Next() {
    const double u1 = Uniform();
    const double u2 = Uniform();
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * kPi * u2);
  }

private:
  double Uniform() {  // in (0, 1)
    mState = mState * 6364136223846793005ull + 1442695040888963407ull;
    return (static_cast<double>(mState >> 11) + 0.5) / 9007199254740992.0;
  }
  uint64_t mState = 62;
};

}  // namespace

bool IsSyntheticSignal(const char* name) {
  for (const char* known : {"cardiac", "sine", "noisy-sine", "square"})
    if (std::strcmp(name, known) == 0) return true;
  return false;
}

const char* SyntheticSignalNames() {
  return "cardiac|sine|noisy-sine|square";
}

host::Recording SyntheticRecording(const char* name, int32_t count) {
  std::vector<float> samples(static_cast<size_t>(count));
  Noise noise;
  for (int32_t i = 0; i < count; ++i) {
    double v = 0.0;
    if (std::strcmp(name, "sine") == 0) v = Sine(i);
    else if (std::strcmp(name, "noisy-sine") == 0) v = Sine(i) + 0.01 * noise.Next();
    else if (std::strcmp(name, "square") == 0) v = Square(i);
    else v = Cardiac(i);
    samples[static_cast<size_t>(i)] = static_cast<float>(v);
  }
  host::Recording recording;
  recording.channels.push_back({L"Signal", L"V", L""});
  host::RecordData record = host::MakeEmptyRecord(1, 0.001, true);
  record.samples[0]->Append(samples.data(), count);
  record.length = count;
  recording.records.push_back(std::move(record));
  return recording;
}

}  // namespace bench
