// ondara-host.exe analysing the real recordings: the values a user reads in the table and in a
// calculated channel, in the units the recordings are kept in.
#include "tests/support/HostProcess.h"
#include "tests/support/SourceTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using testsupport::HostBuilt;
using testsupport::RunHost;
using testsupport::RunResult;
using testsupport::TabCells;

// One column of the event rows (those numbered 1, 2, ...) of a table export, by its heading.
std::vector<std::string> EventColumn(const std::string& table, const std::string& heading) {
  const std::vector<std::vector<std::string>> rows = TabCells(table);
  std::vector<std::string> cells;
  if (rows.empty()) return cells;
  const auto found = std::find(rows[0].begin(), rows[0].end(), heading);
  if (found == rows[0].end()) return cells;
  const size_t column = static_cast<size_t>(found - rows[0].begin());
  for (size_t r = 1; r < rows.size() && !rows[r].empty() && rows[r][0] == std::to_string(r); ++r)
    cells.push_back(column < rows[r].size() ? rows[r][column] : "");
  return cells;
}

// The values a calculated channel takes after the start of each record, in order: one per event
// from that event's tick to the next's.
std::vector<double> ChannelValuesAfterRecordStarts(const std::wstring& csv) {
  std::ifstream in(csv.c_str());
  std::string line;
  std::getline(in, line);  // heading
  std::vector<double> values;
  std::string previous;
  for (int lastRecord = -1; std::getline(in, line);) {
    const int record = std::atoi(line.c_str());
    const std::string value = line.substr(line.rfind(',') + 1);
    if (record == lastRecord && value != previous) values.push_back(std::atof(value.c_str()));
    lastRecord = record;
    previous = value;
  }
  return values;
}

// A channel of picoampere measurements holds each event's value as the table shows it, scaled as
// a user scales it: 64000 raw steps from bottom to top, beyond them the raw samples' limits. Every
// span below 1e-5 A used to be widened by 1e-5 A each way, so a 100 pA scale held two values.
// The recording's inward currents are found downward.
TEST(AnalyzeRecordingValues, PicoampereChannelHoldsEachEventsMeasurement) {
  ASSERT_TRUE(HostBuilt()) << "ondara-host.exe is not beside the test program";
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring csv = std::wstring(folder) + L"ondara_pa_channel.csv";
  const struct {
    const char* measurement;
    double top, bottom;  // pA
  } scales[] = {{"Height", 0.0, -100.0}, {"Baseline", 0.0, -50.0}};
  for (const auto& scale : scales) {
    std::wostringstream calc;
    calc << scale.measurement << L':' << scale.top * 1e-12 << L':' << scale.bottom * 1e-12;
    RunResult run;
    ASSERT_TRUE(RunHost(L"analyze --recording \"" + testsupport::RecordingPathW("synaptic_records.csv") +
                            L"\" --type Synaptic --set \"1010=1 0 -1 0.5 5 10 50 1 0 0\" --table --set 2=t --calc " +
                            calc.str() + L" --calc-csv \"" + csv + L"\"",
                        run));
    ASSERT_EQ(0u, run.exitCode) << run.output;
    const std::vector<std::string> shown = EventColumn(run.output, std::string(scale.measurement) + " (pA)");
    const std::vector<double> held = ChannelValuesAfterRecordStarts(csv);
    ASSERT_EQ(36u, shown.size()) << run.output;
    ASSERT_EQ(shown.size(), held.size()) << scale.measurement;
    const double step = (scale.top - scale.bottom) / 64000.0;
    for (size_t i = 0; i < shown.size(); ++i) {
      const double value = std::atof(shown[i].c_str());
      const double expected = std::clamp(value, scale.bottom - 768 * step, scale.top + 767 * step);
      // The table shows four significant figures; the channel is one raw step coarse.
      EXPECT_NEAR(held[i] * 1e12, expected, std::max(step, std::fabs(value) * 5e-4))
          << scale.measurement << " of event " << i + 1;
    }
  }
  DeleteFileW(csv.c_str());
}

// An evoked response whose stimulus has no response in its window (too small for the minimum
// height) has no peak to measure a baseline against: its Baseline and Area cells are blank and the
// summary leaves them out. They used to read 1.000e12 pA and -5.000e9 pA.s, the stimulus marker's
// 1.0 taken for the peak, and the averages took them in. The currents here are inward: the upward search finds
// three peaks rising the minimum height (30 pA) from rest (noise on a current's return rose that far only from the
// current's trough, and counted as five more).
TEST(AnalyzeRecordingValues, StimulusWithoutResponseHasNoBaselineOrArea) {
  ASSERT_TRUE(HostBuilt()) << "ondara-host.exe is not beside the test program";
  RunResult run;
  ASSERT_TRUE(RunHost(L"analyze --recording \"" + testsupport::RecordingPathW("evoked_epsc.csv") +
                          L"\" --table --type 3 --set 1000=3 --set 1002=1e-9 --set 1003=1 --set 1006=3e-11 "
                          L"--set 1007=2 --set 1008=15 --set 2=t "
                      L"--set 0=t --set 10=t --set 56=t --set 5=t", run));
  ASSERT_EQ(0u, run.exitCode) << run.output;
  const std::vector<std::string> height = EventColumn(run.output, "Height (pA)");
  const std::vector<std::string> baseline = EventColumn(run.output, "Baseline (pA)");
  const std::vector<std::string> area = EventColumn(run.output, "Area (pA.s)");
  ASSERT_EQ(15u, height.size()) << run.output;
  int responses = 0;
  for (size_t i = 0; i < height.size(); ++i) {
    const bool response = height[i] != " ";
    EXPECT_EQ(response, baseline[i] != " ") << "event " << i + 1 << ": " << baseline[i];
    EXPECT_EQ(response, area[i] != " ") << "event " << i + 1 << ": " << area[i];
    if (!response) continue;
    ++responses;
    EXPECT_LT(std::fabs(std::atof(baseline[i].c_str())), 1000.0) << "event " << i + 1;
  }
  EXPECT_EQ(3, responses) << run.output;
  const std::string count = "\r\nCount\t" + std::to_string(responses) + "\t";
  EXPECT_NE(std::string::npos, run.output.find(count)) << run.output;
}

}  // namespace
