// The General - Unstimulated and Synaptic tables against the known answers of synthetic events, and the
// direction of what an upward detection reports on noise.
#include "tests/support/HostProcess.h"
#include "tests/support/SeededNoise.h"
#include "tests/support/SourceTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

using testsupport::Noise;
using testsupport::RunHost;
using testsupport::RunResult;
using testsupport::TabCells;

std::string DataPath(const char* name) { return testsupport::SourcePath(std::string("tests/data/") + name); }

struct Shape {
  std::string kind;  // "tri", "exp" or "biexp", as tests/data/cycle_events_truth.py defines them
  int onset = 0;     // sample, from the start of its record
  double amplitude = 0.0, rise = 0.0, decay = 0.0;
  size_t record = 0;

  double operator()(double s) const {
    if (s <= 0.0) return 0.0;
    if (kind == "tri") return s < rise ? amplitude * s / rise : std::max(amplitude * (1.0 - (s - rise) / decay), 0.0);
    if (kind == "exp") return s < rise ? amplitude * s / rise : amplitude * std::exp(-(s - rise) / decay);
    const double peak = rise * decay / (decay - rise) * std::log(decay / rise);
    const double norm = std::exp(-peak / decay) - std::exp(-peak / rise);
    return amplitude * (std::exp(-s / decay) - std::exp(-s / rise)) / norm;
  }
};

struct Expectation {
  std::string row, heading, value, tolerance;
};

struct Recording {
  std::vector<std::string> head;  // name, type, detection text, rate, baseline, seconds, unit, records, noise, seed
  std::vector<Shape> shapes;
  std::vector<Expectation> expected;
};

std::vector<Recording> ReadReference() {
  std::ifstream in(DataPath("cycle_events_truth.txt"));
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<Recording> recordings;
  for (const std::vector<std::string>& f : TabCells(text)) {
    if (f.empty() || f[0][0] == '#') continue;
    if (f[0] == "recording") recordings.push_back({std::vector<std::string>(f.begin() + 1, f.end()), {}, {}});
    if (recordings.empty() || f.size() < 5) continue;
    if (f[0] == "event")
      recordings.back().shapes.push_back({f[1], std::atoi(f[2].c_str()), std::atof(f[3].c_str()),
                                          std::atof(f[4].c_str()), std::atof(f[5].c_str()),
                                          static_cast<size_t>(std::atoi(f[6].c_str()))});
    if (f[0] == "expect") recordings.back().expected.push_back({f[1], f[2], f[3], f[4]});
  }
  return recordings;
}

// A recording file in the host's text format, one sample a line, a blank line between records; empty when it
// cannot be written.
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

// The noise of the synthetic recordings: filtered at 2 kHz when sampled at 20 kHz.
constexpr double kNoiseFilterSamples = 1.6;

// The recording's records: its baseline, plus the polarity times the sum of its shapes, plus its noise.
std::vector<std::vector<double>> Synthesise(const Recording& r, double polarity) {
  const double rate = std::atof(r.head[3].c_str());
  const double noise = std::atof(r.head[8].c_str());
  Noise next(static_cast<uint32_t>(std::atoi(r.head[9].c_str())), kNoiseFilterSamples);
  std::vector<std::vector<double>> records(static_cast<size_t>(std::atoi(r.head[7].c_str())));
  for (size_t n = 0; n < records.size(); ++n) {
    records[n].resize(static_cast<size_t>(std::lround(std::atof(r.head[5].c_str()) * rate)));
    for (size_t k = 0; k < records[n].size(); ++k) {
      double sum = 0.0;
      for (const Shape& e : r.shapes)
        if (e.record == n) sum += e((static_cast<double>(k) - e.onset) / rate);
      records[n][k] = std::atof(r.head[4].c_str()) + polarity * sum + (noise > 0.0 ? next(noise) : 0.0);
    }
  }
  return records;
}

std::vector<std::vector<std::string>> AnalyzeTable(const std::wstring& recording, const std::string& type,
                                                   const std::string& detection) {
  RunResult run;
  const std::wstring arguments = L"analyze --recording \"" + recording + L"\" --table --type " +
                                 std::wstring(type.begin(), type.end()) + L" --set \"1010=" +
                                 std::wstring(detection.begin(), detection.end()) + L"\"";
  if (!RunHost(arguments, run) || run.exitCode != 0) return {};
  return TabCells(run.output);
}

// Half a unit of the last figure a cell was printed with ("41.05" 0.005, "4.000e4" 5): the table rounds.
double HalfLastFigure(const std::string& cell) {
  const size_t e = cell.find('e');
  const std::string mantissa = cell.substr(0, e);
  const size_t point = mantissa.find('.');
  const int decimals = point == std::string::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
  const int exponent = e == std::string::npos ? 0 : std::atoi(cell.c_str() + e + 1);
  return 0.5 * std::pow(10.0, exponent - decimals);
}

// Every shown column of types 0 and 2 on triangles, exponential decays and bi-exponential currents, upward and
// downward, rising in one to several samples: each event's table row against the shapes' own values. On noise,
// with relative and absolute thresholds, in short records and in a record's first milliseconds: every event
// once, none of the wrong sign, and the values noise leaves determined.
TEST(CycleEventsTruth, EveryShownColumnMatchesTheShapesValues) {
  ASSERT_TRUE(testsupport::HostBuilt());
  const std::vector<Recording> recordings = ReadReference();
  ASSERT_EQ(recordings.size(), 15u) << "tests/data/cycle_events_truth.txt not read";
  for (const Recording& r : recordings) {
    ASSERT_EQ(r.head.size(), 10u);
    const double polarity = r.head[2].find(" -1 ") != std::string::npos ? -1.0 : 1.0;
    const std::wstring file = WriteRecording(r.head[6], std::atof(r.head[3].c_str()), Synthesise(r, polarity));
    ASSERT_FALSE(file.empty());
    const auto table = AnalyzeTable(file, r.head[1], r.head[2]);
    DeleteFileW(file.c_str());
    ASSERT_FALSE(table.empty()) << r.head[0];
    const std::vector<std::string>& headings = table[0];
    size_t rows = 0;
    while (rows + 1 < table.size() && !table[rows + 1].empty() && table[rows + 1][0] == std::to_string(rows + 1))
      ++rows;
    EXPECT_EQ(rows, r.shapes.size()) << r.head[0];
    const auto height = std::find(headings.begin(), headings.end(), "Height (" + r.head[6] + ")");
    ASSERT_NE(height, headings.end()) << r.head[0];
    for (size_t row = 1; row <= rows; ++row)
      EXPECT_GT(polarity * std::atof(table[row][static_cast<size_t>(height - headings.begin())].c_str()), 0.0)
          << r.head[0] << " event " << row;
    for (const Expectation& x : r.expected) {
      const size_t row = static_cast<size_t>(std::atoi(x.row.c_str()));
      const auto column = std::find(headings.begin(), headings.end(), x.heading);
      ASSERT_NE(column, headings.end()) << r.head[0] << ": no column " << x.heading;
      if (row > rows || x.value == "-") continue;
      const size_t c = static_cast<size_t>(column - headings.begin());
      const std::string cell = c < table[row].size() ? table[row][c] : "";
      const std::string where = r.head[0] + " event " + x.row + " " + x.heading + " = '" + cell + "'";
      if (x.value == "blank") {
        EXPECT_EQ(cell.find_first_not_of(' '), std::string::npos) << where;
        continue;
      }
      ASSERT_FALSE(cell.empty() || cell == " ") << where;
      EXPECT_NEAR(std::atof(cell.c_str()), std::atof(x.value.c_str()),
                  std::atof(x.tolerance.c_str()) + HalfLastFigure(cell))
          << where;
    }
  }
}

// Noise alone, detected upward at three standard deviations: whatever the detector takes for an event, its
// height is read at its peak and stands above its baseline.
TEST(CycleEventsTruth, UpwardDetectionReportsNoDownwardHeightOnNoise) {
  ASSERT_TRUE(testsupport::HostBuilt());
  std::vector<double> samples(60000);
  Noise noise(12345);
  for (double& x : samples) x = noise(0.5);
  const std::wstring file = WriteRecording("pA", 10000.0, {samples});
  ASSERT_FALSE(file.empty());
  const auto table = AnalyzeTable(file, "2", "1 0 1 0.5 3 5 100 1 0 0");
  DeleteFileW(file.c_str());
  ASSERT_FALSE(table.empty());
  const auto column = std::find(table[0].begin(), table[0].end(), "Height (pA)");
  ASSERT_NE(column, table[0].end());
  const size_t c = static_cast<size_t>(column - table[0].begin());
  size_t rows = 0;
  for (size_t r = 1; r < table.size() && !table[r].empty() && table[r][0] == std::to_string(r); ++r, ++rows)
    EXPECT_GT(std::atof(table[r][c].c_str()), 0.0) << "event " << r;
  EXPECT_GT(rows, 10u);
}

// An event that starts in a record's first 32 samples, where the detector measures its baseline and noise, is
// not found, and the run says so on standard error.
TEST(CycleEventsTruth, AnEventInTheUnsearchedStartIsToldOf) {
  ASSERT_TRUE(testsupport::HostBuilt());
  const Shape early{"exp", 20, 50.0, 5e-4, 0.005, 0};
  std::vector<std::vector<double>> records(2, std::vector<double>(2000, -15.0));
  for (size_t k = 0; k < 2000; ++k) records[1][k] -= early(static_cast<double>(k - 20.0) / 20000.0);
  const std::wstring file = WriteRecording("pA", 20000.0, records);
  ASSERT_FALSE(file.empty());
  RunResult run;
  ASSERT_TRUE(RunHost(L"analyze --recording \"" + file + L"\" --table --type 2 --set \"1010=1 0 -1 0.5 5e-12 10 50 0 0 0\"",
                      run));
  DeleteFileW(file.c_str());
  EXPECT_NE(run.output.find("record 2 (counted from 1): the signal reaches the cycle detector's threshold within the "
                            "first 32 samples (1.6 ms)"),
            std::string::npos)
      << run.output;
}

}  // namespace
