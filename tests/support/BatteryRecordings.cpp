// The ground-truth battery's recordings read from their reference text and synthesised.
#include "tests/support/BatteryRecordings.h"

#include "tests/support/HostProcess.h"
#include "tests/support/SeededNoise.h"
#include "tests/support/SourceTree.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace testsupport::battery {

namespace {

std::string DataPath(const char* name) { return testsupport::SourcePath(std::string("tests/data/") + name); }

// A "noise" line: how the recording's noise differs from the usual.
void ReadNoise(const std::vector<std::string>& f, Recording& r) {
  if (f.size() < 3) return;
  if (f[1] == "filter") r.filter = std::atof(f[2].c_str());
  if (f[1] == "pink") r.pinkOctaves = std::atoi(f[2].c_str());
  if (f[1] == "quantise") r.quantum = std::atof(f[2].c_str());
  for (size_t k = 2; f[1] == "flat" && k < f.size(); ++k) r.flat.push_back(std::atoi(f[k].c_str()));
  if (f[1] == "odd") r.odd = std::atof(f[2].c_str());
  if (f.size() < 4) return;
  if (f[1] == "lead") r.leadFactor = std::atof(f[2].c_str()), r.leadSeconds = std::atof(f[3].c_str());
  if (f[1] == "grow") r.growFactor = std::atof(f[2].c_str()), r.growSeconds = std::atof(f[3].c_str());
}

// The recording's noise: low-pass filtered (by default over 1.6 samples, 2 kHz when sampled at 20 kHz), or 1/f:
// unit low-passed noises with time constants of 2, 4, ... 2^octaves samples, summed.
class RecordingNoise {
 public:
  explicit RecordingNoise(const Recording& r) {
    const auto seed = static_cast<uint32_t>(std::atoi(r.head[9].c_str()));
    for (int k = 1; k <= r.pinkOctaves; ++k) mParts.emplace_back(seed + static_cast<uint32_t>(k), std::ldexp(1.0, k));
    if (mParts.empty()) mParts.emplace_back(seed, r.filter);
  }
  double operator()(double sd) {
    double sum = 0.0;
    for (Noise& part : mParts) sum += part(sd);
    return sum / std::sqrt(static_cast<double>(mParts.size()));
  }

 private:
  std::vector<Noise> mParts;
};

}  // namespace

std::vector<Recording> ReadReference() {
  std::ifstream in(DataPath("cycle_events_truth.txt"));
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<Recording> recordings;
  for (const std::vector<std::string>& f : TabCells(text)) {
    if (f.empty() || f[0][0] == '#') continue;
    if (f[0] == "recording")
      recordings.push_back({std::vector<std::string>(f.begin() + 1, f.end()), {}, {}, -1, {}, 0.0, -1, 1.6, 0, 0.0, {}});
    if (!recordings.empty() && f[0] == "each") recordings.back().each = true;
    if (recordings.empty() || f.size() < 2) continue;
    if (f[0] == "rows") recordings.back().rows = std::atoi(f[1].c_str());
    if (f[0] == "drift") recordings.back().drift = std::atof(f[1].c_str());
    if (f[0] == "findpeaks") recordings.back().findPeaksFound = std::atoi(f[1].c_str());
    if (f[0] == "says") recordings.back().says.push_back(f[1]);
    if (f[0] == "noise") ReadNoise(f, recordings.back());
    if (f.size() < 5) continue;
    if (f[0] == "event") {
      Shape e{f[1], std::atoi(f[2].c_str()), std::atof(f[3].c_str()), std::atof(f[4].c_str()),
              std::atof(f[5].c_str()), static_cast<size_t>(std::atoi(f[6].c_str())), {}};
      for (size_t k = 7; k < f.size(); ++k) e.knots.push_back(std::atof(f[k].c_str()));
      recordings.back().shapes.push_back(e);
    }
    if (f[0] == "expect") recordings.back().expected.push_back({f[1], f[2], f[3], f[4]});
  }
  return recordings;
}

std::wstring WriteRecording(const std::string& unit, double rate, const std::vector<std::vector<double>>& records) {
  std::string text = "Time [s],V [" + unit + "]\n";
  char line[64];
  for (const std::vector<double>& samples : records) {
    if (&samples != &records.front()) text += "\n";
    for (size_t k = 0; k < samples.size(); ++k) {
      std::snprintf(line, sizeof(line), "%.6f,%.9g\n", k / rate, samples[k]);
      text += line;
    }
  }
  return testsupport::WriteTempText(text);
}

std::vector<std::vector<double>> Synthesise(const Recording& r, double polarity) {
  const double rate = std::atof(r.head[3].c_str());
  const double noise = std::atof(r.head[8].c_str());
  RecordingNoise next(r);
  std::vector<std::vector<double>> records(static_cast<size_t>(std::atoi(r.head[7].c_str())));
  for (size_t n = 0; n < records.size(); ++n) {
    records[n].resize(static_cast<size_t>(std::lround(std::atof(r.head[5].c_str()) * rate)));
    for (size_t k = 0; k < records[n].size(); ++k) {
      double sum = 0.0;
      for (const Shape& e : r.shapes)
        if (e.record == n) sum += e((static_cast<double>(k) - e.onset) / rate);
      records[n][k] = std::atof(r.head[4].c_str()) + r.drift * static_cast<double>(k) / rate + polarity * sum +
                      (noise > 0.0 ? next(noise * r.NoiseFactor(static_cast<double>(k) / rate)) : 0.0);
      if (r.quantum > 0.0) records[n][k] = r.quantum * std::round(records[n][k] / r.quantum);
      if (!r.flat.empty() && k < static_cast<size_t>(r.flat[n % r.flat.size()]))
        records[n][k] = std::atof(r.head[4].c_str());
      if (k == 0 && r.odd != 0.0) records[n][k] = std::atof(r.head[4].c_str()) + r.odd;
    }
  }
  return records;
}

}  // namespace testsupport::battery
