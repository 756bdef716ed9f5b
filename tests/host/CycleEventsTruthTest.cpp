// The General - Unstimulated and Synaptic tables against the known answers of synthetic events, and the
// direction of what an upward detection reports on noise.
#include "tests/support/HostProcess.h"
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

using testsupport::RunHost;
using testsupport::RunResult;
using testsupport::TabCells;

std::string DataPath(const char* name) { return testsupport::SourcePath(std::string("tests/data/") + name); }

struct Shape {
  std::string kind;  // "tri", "exp" or "biexp", as tests/data/cycle_events_truth.py defines them
  int onset = 0;     // sample
  double amplitude = 0.0, rise = 0.0, decay = 0.0;

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
  std::vector<std::string> head;  // name, type, detection text, rate, baseline, seconds, unit
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
      recordings.back().shapes.push_back(
          {f[1], std::atoi(f[2].c_str()), std::atof(f[3].c_str()), std::atof(f[4].c_str()), std::atof(f[5].c_str())});
    if (f[0] == "expect") recordings.back().expected.push_back({f[1], f[2], f[3], f[4]});
  }
  return recordings;
}

// A recording file in the host's text format, one sample a line; empty when it cannot be written.
std::wstring WriteRecording(const std::string& unit, double rate, const std::vector<double>& samples) {
  std::string text = "Time [s],V [" + unit + "]\n";
  char line[64];
  for (size_t k = 0; k < samples.size(); ++k) {
    std::snprintf(line, sizeof(line), "%.6f,%.9g\n", k / rate, samples[k]);
    text += line;
  }
  return testsupport::WriteTempText(text);
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
// downward, rising in one to several samples: each event's table row against the shapes' own values.
TEST(CycleEventsTruth, EveryShownColumnMatchesTheShapesValues) {
  ASSERT_TRUE(testsupport::HostBuilt());
  const std::vector<Recording> recordings = ReadReference();
  ASSERT_EQ(recordings.size(), 4u) << "tests/data/cycle_events_truth.txt not read";
  for (const Recording& r : recordings) {
    ASSERT_EQ(r.head.size(), 7u);
    const double rate = std::atof(r.head[3].c_str());
    const double polarity = r.head[2].find(" -1 ") != std::string::npos ? -1.0 : 1.0;
    std::vector<double> samples(static_cast<size_t>(std::lround(std::atof(r.head[5].c_str()) * rate)));
    for (size_t k = 0; k < samples.size(); ++k) {
      double sum = 0.0;
      for (const Shape& e : r.shapes) sum += e((static_cast<double>(k) - e.onset) / rate);
      samples[k] = std::atof(r.head[4].c_str()) + polarity * sum;
    }
    const std::wstring file = WriteRecording(r.head[6], rate, samples);
    ASSERT_FALSE(file.empty());
    const auto table = AnalyzeTable(file, r.head[1], r.head[2]);
    DeleteFileW(file.c_str());
    ASSERT_FALSE(table.empty()) << r.head[0];
    const std::vector<std::string>& headings = table[0];
    size_t rows = 0;
    while (rows + 1 < table.size() && !table[rows + 1].empty() && table[rows + 1][0] == std::to_string(rows + 1))
      ++rows;
    EXPECT_EQ(rows, r.shapes.size()) << r.head[0];
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
  uint32_t seed = 12345;
  const auto uniform = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) / 16777216.0;
  };
  for (double& x : samples) {
    double sum = 0.0;
    for (int i = 0; i < 12; ++i) sum += uniform();
    x = 0.5 * (sum - 6.0);  // about normal, 0.5 pA standard deviation
  }
  const std::wstring file = WriteRecording("pA", 10000.0, samples);
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

}  // namespace
