// The recording's clock start (analyze --clock): what the option reads, how the data document
// writes clock times by display mode, and the TimeDate column that follows the display settings.
#include "host/app/ClockOption.h"

#include "host/common/HostString.h"
#include "host/data/DataDocument.h"
#include "host/data/DocumentDisplayPart.h"
#include "hostapi/DataFile.h"
#include "tests/support/HostProcess.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace host {
namespace {

TEST(ClockOption, ReadsATimeOfDayWithOrWithoutADate) {
  const struct {
    const wchar_t* text;
    bool taken;
    double seconds;
    int64_t day;
  } cases[] = {
      {L"09:30:00", true, 34200.0, -1},
      {L"23:59:59.5", true, 86399.5, -1},
      {L"1970-01-02 00:00:01", true, 1.0, 1},
      {L"2024-02-29T12:00:00.125", true, 43200.125, 19782},
      {L"2023-02-29 12:00:00", false, 0, 0},
      {L"24:00:00", false, 0, 0},
      {L"9:30:00", false, 0, 0},
      {L"09:30:00,5", false, 0, 0},
      {L"09:30", false, 0, 0},
      {L"2026-13-01 09:30:00", false, 0, 0},
  };
  for (const auto& c : cases) {
    ClockStart start;
    EXPECT_EQ(c.taken, ParseClockStart(c.text, &start)) << std::wstring(c.text);
    if (!c.taken) continue;
    EXPECT_DOUBLE_EQ(c.seconds, start.secondsOfDay) << std::wstring(c.text);
    EXPECT_EQ(c.day, start.day) << std::wstring(c.text);
  }
}

TEST(ClockOption, DateAndTimeModeStampsTheDayTheTimeFallsOn) {
  Recording recording;
  const HostPtr<DataDocument> document = DataDocument::Create(recording);
  ClockStart start;
  ASSERT_TRUE(ParseClockStart(L"2026-12-31 23:59:59", &start));
  document->SetStartTimeOfDay(start.secondsOfDay);
  HostPtr<QOR::IQORString> text;
  ASSERT_EQ(S_OK, document->FormatTime(1.25, 0xE00000u, kDisplayModeDateAndTime, text.Out()));
  EXPECT_EQ(L"00:00:00.250", StringText(text.Get())) << "no date known: the time of day";
  document->SetStartDay(start.day);
  ASSERT_EQ(S_OK, document->FormatTime(1.25, 0xE00000u, kDisplayModeDateAndTime, text.Out()));
  EXPECT_EQ(L"2027-01-01 00:00:00.250", StringText(text.Get()));
  ASSERT_EQ(S_OK, document->FormatTime(0.5, 0xE00000u, kDisplayModeTimeOfDay, text.Out()));
  EXPECT_EQ(L"23:59:59.500", StringText(text.Get()));
  ASSERT_EQ(S_OK, document->FormatTime(0.5, kTimeTextElapsed, kDisplayModeDateAndTime, text.Out()));
  EXPECT_EQ(L"0.5000 s", StringText(text.Get()));
}

// The TAB cells of the first event row.
std::vector<std::string> FirstRow(const std::string& output) {
  std::istringstream lines(output);
  std::string line;
  std::getline(lines, line);
  std::getline(lines, line);
  std::vector<std::string> cells;
  std::istringstream row(line.substr(0, line.find('\r')));
  for (std::string cell; std::getline(row, cell, '\t');) cells.push_back(cell);
  return cells;
}

// The Table View's TimeDate column: the event's start (TStart 0.6100 s; its peak is at 0.816 s) in
// seconds from the recording's start, and with a clock start the clock time the display mode chooses
// before them.
TEST(ClockOption, TimeDateColumnFollowsTheDisplaySettings) {
  ASSERT_TRUE(testsupport::HostBuilt());
  const std::wstring recording = testsupport::WriteCardiacRecording();
  ASSERT_FALSE(recording.empty());
  const std::wstring analyze = L"analyze --recording \"" + recording + L"\" --table --type 1 --set 58=t ";
  const struct {
    const wchar_t* clock;
    const char* time;
  } cases[] = {
      {L"", "0.6100 s"},
      {L"--clock 09:30:00", "09:30:00.610 0.6100 s"},
      {L"--clock \"2026-12-07 23:59:59.5\"", "2026-12-08 00:00:00.110 0.6100 s"},
  };
  for (const auto& c : cases) {
    testsupport::RunResult run;
    ASSERT_TRUE(testsupport::RunHost(analyze + c.clock, run));
    EXPECT_EQ(0u, run.exitCode) << run.output;
    const std::vector<std::string> cells = FirstRow(run.output);
    ASSERT_FALSE(cells.empty()) << run.output;
    EXPECT_EQ(c.time, cells.back()) << run.output;
  }
  DeleteFileW(recording.c_str());
}

// TimeDate is the data file's own time of the event's start, in double precision: in one record of 3000 s
// at 100 Hz with an event at k x 100 + 0.11 s, the last nine (from 2100 s, where single precision is off in the
// fourth decimal) read ".1100 s" like the first.
TEST(ClockOption, TimeDateKeepsTheDataFilesTimeLateInALongRecord) {
  ASSERT_TRUE(testsupport::HostBuilt());
  std::string text = "Time [s],V [mV]\n";
  char line[40];
  for (int i = 0; i < 300000; ++i) {
    static const double kPulse[] = {0, 0, 5, 10, 6, 3, 1};  // from 0.10 s after each 100 s
    const int at = i % 10000 - 10;
    std::snprintf(line, sizeof line, "%.2f,%g\n", i / 100.0, at >= 0 && at < 7 ? kPulse[at] : 0.0);
    text += line;
  }
  const std::wstring recording = testsupport::WriteTempText(text);
  ASSERT_FALSE(recording.empty());
  testsupport::RunResult run;
  ASSERT_TRUE(testsupport::RunHost(L"analyze --recording \"" + recording +
                                       L"\" --table --type 0 --set \"1010=1 0 1 0.5 0.003 10 50 0 0 0\" --set 58=t",
                                   run));
  DeleteFileW(recording.c_str());
  const auto table = testsupport::TabCells(run.output);
  ASSERT_GT(table.size(), 30u) << run.output;
  for (size_t row = 1; row <= 30; ++row) {
    std::snprintf(line, sizeof line, "%.4f s", (row - 1) * 100.0 + 0.11);
    EXPECT_EQ(line, table[row].back()) << "row " << row;
  }
}

}  // namespace
}  // namespace host
