// ondara-host.exe analysing the real recordings: the values a user reads in the table and in a
// calculated channel, in the units the recordings are kept in.
#include "tests/support/HostProcess.h"

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

const std::wstring kData = L"Z:\\work\\shared\\data\\";

// The cells of each line of a TAB-separated text.
std::vector<std::vector<std::string>> TabCells(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    rows.emplace_back();
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, '\t');) rows.back().push_back(cell);
  }
  return rows;
}

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
// span below 1e-5 A used to be widened by 1e-5 A each way, so a 400 pA scale held two values.
TEST(AnalyzeRecordingValues, PicoampereChannelHoldsEachEventsMeasurement) {
  ASSERT_TRUE(HostBuilt()) << "ondara-host.exe is not beside the test program";
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring csv = std::wstring(folder) + L"ondara_pa_channel.csv";
  const struct {
    const char* measurement;
    double top, bottom;  // pA
  } scales[] = {{"Height", 400.0, 0.0}, {"Baseline", 0.0, -50.0}};
  for (const auto& scale : scales) {
    std::wostringstream calc;
    calc << scale.measurement << L':' << scale.top * 1e-12 << L':' << scale.bottom * 1e-12;
    RunResult run;
    ASSERT_TRUE(RunHost(L"analyze --recording \"" + kData + L"synaptic_epsc_17o05026.csv\" --type Synaptic --table "
                        L"--set 2=t --calc " + calc.str() + L" --calc-csv \"" + csv + L"\"", run));
    ASSERT_EQ(0u, run.exitCode) << run.output;
    const std::vector<std::string> shown = EventColumn(run.output, std::string(scale.measurement) + " (pA)");
    const std::vector<double> held = ChannelValuesAfterRecordStarts(csv);
    ASSERT_EQ(23u, shown.size()) << run.output;
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

}  // namespace
