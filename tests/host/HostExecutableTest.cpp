// ondara-host.exe as a process: it starts, registers the framework, loads the module and reports the registry.
#include "host/app/HostFramework.h"
#include "tests/support/HostProcess.h"
#include "tests/support/SourceTree.h"
#include "tests/support/TemporaryFolder.h"

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

using testsupport::HostBuilt;
using testsupport::RunHost;
using testsupport::RunResult;
using testsupport::TabCells;
using testsupport::WriteCardiacRecording;

// All nine checks and their 59 cases run in one process and pass on the module's enumerators.
TEST(HostExecutable, SelfChecksRunsWhatTheModuleRegistered) {
  ASSERT_TRUE(HostBuilt()) << "ondara-host.exe is not beside the test program";
  RunResult run;
  ASSERT_TRUE(RunHost(L"selfchecks", run));
  EXPECT_EQ(0u, run.exitCode) << run.output;
  EXPECT_EQ(0u, run.output.find("self-checks: 9")) << run.output;
  EXPECT_NE(std::string::npos, run.output.find("59 passed, 0 failed")) << run.output;
  // Registration order shows in the case counts, check by check.
  std::vector<int> counts;
  for (size_t at = run.output.find("check "); at != std::string::npos; at = run.output.find("check ", at + 1)) {
    const size_t colon = run.output.find("): ", at);
    if (colon != std::string::npos) counts.push_back(std::atoi(run.output.c_str() + colon + 3));
  }
  EXPECT_EQ((std::vector<int>{9, 7, 8, 6, 7, 7, 7, 7, 1}), counts) << run.output;
  EXPECT_EQ(std::string::npos, run.output.find("FAIL ")) << run.output;
  RunResult usage;
  ASSERT_TRUE(RunHost(L"selfchecks --list --list", usage));
  EXPECT_EQ(2u, usage.exitCode) << usage.output;
}

TEST(HostExecutable, ClassesListsWhatTheModuleRegistered) {
  ASSERT_TRUE(HostBuilt()) << "ondara-host.exe is not beside the test program";
  RunResult run;
  ASSERT_TRUE(RunHost(L"classes", run));
  EXPECT_EQ(0u, run.exitCode) << run.output;
  EXPECT_EQ(0u, run.output.find("class objects: ")) << run.output;
  EXPECT_NE(std::string::npos, run.output.find("message classes: ")) << run.output;
  EXPECT_NE(std::string::npos, run.output.find("self tests: ")) << run.output;
}

// An unknown command fails with the usage; asking for help is no failure, for any command.
TEST(HostExecutable, UnknownCommandFailsAndHelpDoesNot) {
  ASSERT_TRUE(HostBuilt()) << "ondara-host.exe is not beside the test program";
  const struct {
    const wchar_t* arguments;
    DWORD status;
    const char* starts;
  } cases[] = {
      {L"no-such-command", 2, "usage: ondara-host <command>"},
      {L"", 2, "usage: ondara-host <command>"},
      {L"--help", 0, "usage: ondara-host <command>"},
      {L"events --help", 0, "usage: ondara-host events --formula"},
      {L"events --rate 1000 --help", 0, "usage: ondara-host events --formula"},
      {L"selfchecks --help", 0, "usage: ondara-host selfchecks"},
      {L"classes --help", 0, "usage: ondara-host classes"},
      {L"analyze --help", 0, "usage: ondara-host analyze --recording FILE"},
  };
  for (const auto& c : cases) {
    RunResult run;
    ASSERT_TRUE(RunHost(c.arguments, run));
    EXPECT_EQ(c.status, run.exitCode) << run.output;
    EXPECT_EQ(0u, run.output.find(c.starts)) << run.output;
  }
}

// Arguments that do not fit the usage exit with 2 before anything runs; a signal run prints the
// heading and one line per event, the same whether the signal is sampled online or not.
TEST(HostExecutable, EventsCommandChecksItsArgumentsAndPrintsEvents) {
  ASSERT_TRUE(HostBuilt()) << "ondara-host.exe is not beside the test program";
  const wchar_t* const bad[] = {
      L"events",
      L"events --formula",
      L"events --formula cappeakdet(ch1) --signal t --rate inf --ticks 10",
      L"events --formula cappeakdet(ch1) --signal t --rate 1000",
      L"events --formula cappeakdet(ch1) --signal t --rate 1000 --ticks 0",
      L"events --formula cappeakdet(ch1) --signal t --rate 1000 --ticks 10 --records 0",
      L"events --formula cappeakdet(ch1) --signal t --recording x.csv --rate 1000 --ticks 10",
      L"events --formula cappeakdet(ch1) --recording x.csv --ticks 10",
      L"events --formula cappeakdet(ch1) --signal t --rate 1000 --ticks 10 --bogus 1",
      L"events --formula cappeakdet(ch1) --signal t --rate 1000 --ticks 10 --rate 10",
  };
  for (const wchar_t* arguments : bad) {
    RunResult run;
    ASSERT_TRUE(RunHost(arguments, run));
    EXPECT_EQ(2u, run.exitCode) << run.output;
  }
  const std::wstring run = L"events --formula cappeakdet(ch1,0.5) --signal sin(t*100) --rate 1000 --ticks 200 --records 2";
  RunResult offline;
  ASSERT_TRUE(RunHost(run, offline));
  EXPECT_EQ(0u, offline.exitCode) << offline.output;
  EXPECT_EQ(0u, offline.output.find("record\ttick\tfraction\tvalue\tkind")) << offline.output;
  EXPECT_NE(std::string::npos, offline.output.find("\n1\t16\t")) << offline.output;  // the second record
  RunResult online;
  ASSERT_TRUE(RunHost(run + L" --online 7", online));
  EXPECT_EQ(offline.output, online.output);
  RunResult badFormula;
  ASSERT_TRUE(RunHost(L"events --formula cappeakdet(ch1,0.5 --signal t --rate 1000 --ticks 10", badFormula));
  EXPECT_EQ(2u, badFormula.exitCode) << badFormula.output;
  EXPECT_NE(std::string::npos, badFormula.output.find("position")) << badFormula.output;
}

// A rate beside a recording's Time column is a usage fault; messages reach the caller in UTF-8.
TEST(HostExecutable, EventsCommandRefusesRateWithTimeColumnAndWritesUtf8) {
  ASSERT_TRUE(HostBuilt()) << "ondara-host.exe is not beside the test program";
  const std::wstring file = testsupport::TemporaryPath(L"ondara-timed.csv");
  ASSERT_FALSE(file.empty());
  const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  const char text[] = "Time [s],V\n0,1\n0.001,2\n";
  DWORD written = 0;
  WriteFile(handle, text, sizeof text - 1, &written, nullptr);
  CloseHandle(handle);
  RunResult rated;
  ASSERT_TRUE(RunHost(L"events --formula cappeakdet(ch1) --recording \"" + file + L"\" --rate 1000", rated));
  EXPECT_EQ(2u, rated.exitCode) << rated.output;
  EXPECT_NE(std::string::npos, rated.output.find("no sampling rate may be given")) << rated.output;
  RunResult plain;
  ASSERT_TRUE(RunHost(L"events --formula cappeakdet(ch1) --recording \"" + file + L"\"", plain));
  EXPECT_EQ(0u, plain.exitCode) << plain.output;
  DeleteFileW(file.c_str());
  RunResult accented;
  ASSERT_TRUE(RunHost(L"events --formula cappeakdet(ch1,\xE9) --signal t --rate 1000 --ticks 10", accented));
  EXPECT_EQ(2u, accented.exitCode);
  EXPECT_NE(std::string::npos, accented.output.find("unexpected character '\xC3\xA9'")) << accented.output;
}

// A user's analysis: the recording opened, the document given its settings, "ZR_Analyze" sent;
// the peak markers attached are listed and counted, and a cancelled run attaches none.
TEST(HostExecutable, AnalyzeCommandRunsTheDocumentsAnalysisOverARecording) {
  ASSERT_TRUE(HostBuilt()) << "ondara-host.exe is not beside the test program";
  const std::wstring path = WriteCardiacRecording();
  ASSERT_FALSE(path.empty());
  const std::wstring recording = L"analyze --recording \"" + path + L"\" ";

  RunResult run;
  ASSERT_TRUE(RunHost(recording + L"--type 1 --height 0.03 --set 1036=f", run));
  EXPECT_EQ(0u, run.exitCode) << run.output;
  EXPECT_EQ(0u, run.output.find("record\ttick\t")) << run.output;
  EXPECT_NE(std::string::npos, run.output.find("found 8 events in 2 records")) << run.output;

  RunResult cancelled;
  ASSERT_TRUE(RunHost(recording + L"--type 1 --set 1036=f --cancel-at 50", cancelled));
  EXPECT_EQ(0u, cancelled.exitCode) << cancelled.output;
  EXPECT_NE(std::string::npos, cancelled.output.find("no peak markers are attached to channel 1")) << cancelled.output;
  EXPECT_NE(std::string::npos, cancelled.output.find("found 0 events in 2 records")) << cancelled.output;

  for (const wchar_t* bad : {L"--type 7", L"--set 2000=9", L"--set 4000=1", L"--channel 0"}) {
    RunResult refused;
    ASSERT_TRUE(RunHost(recording + bad, refused));
    EXPECT_EQ(2u, refused.exitCode) << refused.output;
  }

  // The Table View's text export: heading, a line per beat, the empty line and the summary; a
  // refused option is one line with exit status 2.
  RunResult table;
  ASSERT_TRUE(RunHost(recording + L"--type \"cardiac ACTION potential\" --height 0.03 --set 1036=f --table", table));
  EXPECT_EQ(0u, table.exitCode) << table.output;
  EXPECT_EQ(0u, table.output.find("\tRMP (V)\tAPA (V)\t")) << table.output;
  for (const char* line : {"\r\n1\t", "\r\n8\t", "\r\n\r\n\tRMP (V)", "\r\nAvg\t", "\r\nCount\t8\t8\t"})
    EXPECT_NE(std::string::npos, table.output.find(line)) << line << "\n" << table.output;
  EXPECT_EQ(std::string::npos, table.output.find("\r\n9\t")) << table.output;
  EXPECT_EQ(std::string::npos, table.output.find("\r\r")) << "the export's line ends pass unchanged";

  const struct {
    const wchar_t* option;
    const char* message;
  } refusals[] = {
      {L"--type nonsense", "--type: 'nonsense' is not an analysis type: give \"General - Unstimulated\", \"Cardiac "
                           "Action Potential\", \"Synaptic\", \"Evoked Response\", \"Population Spike\" or \"Action "
                           "Potential\" (any case), or its number 0 to 5 in that order\r\n"},
      {L"--set 1006=-1", "setting 1006 = '-1': The Minimum Peak Height must be zero or larger.\r\n"},
      {L"--set 9999=1", "there is no setting 9999\r\n"},
      {L"--channel 2", "--channel 2: the recording has 1 channel\r\n"},
      {L"--select 2:1", "--select: '2:1' is not a valid value\r\n"},
      {L"--select 0:999", "--select: the first record does not hold that span\r\n"},
  };
  for (const auto& refusal : refusals) {
    RunResult refused;
    ASSERT_TRUE(RunHost(recording + refusal.option + L" --table", refused));
    EXPECT_EQ(2u, refused.exitCode) << refused.output;
    EXPECT_EQ(refusal.message, refused.output);
  }
  // The document saved with the data file brings its settings back: the same rows, no options.
  const std::wstring documents = path + L".documents";
  RunResult saved;
  ASSERT_TRUE(RunHost(recording + L"--type 1 --height 0.03 --set 1036=f --table --documents \"" + documents + L"\"", saved));
  EXPECT_EQ(table.output, saved.output);
  RunResult reopened;
  ASSERT_TRUE(RunHost(recording + L"--table --documents \"" + documents + L"\"", reopened));
  EXPECT_EQ(0u, reopened.exitCode) << reopened.output;
  EXPECT_EQ(table.output, reopened.output);
  DeleteFileW(documents.c_str());
  DeleteFileW(path.c_str());
}

// The bundled ECG as scripts/run analyses it: a row per annotated beat, and the summary's mean
// period within one sample of the annotations' mean R-R interval (tests/data/ecg_mean_rr.*).
TEST(HostExecutable, BundledEcgTableHasEveryBeatAndTheAnnotatedMeanPeriod) {
  ASSERT_TRUE(HostBuilt()) << "ondara-host.exe is not beside the test program";
  std::ifstream reference(testsupport::SourcePath("tests/data/ecg_mean_rr.txt"));
  std::string line;
  std::getline(reference, line);
  std::getline(reference, line);
  size_t beats = 0;
  double meanRR = 0.0;
  ASSERT_TRUE(reference >> beats >> meanRR) << "tests/data/ecg_mean_rr.txt not read";
  const std::wstring ecg = testsupport::SourcePathW("data/ecg_mitbih100_mlii.csv");
  RunResult run;
  ASSERT_TRUE(RunHost(L"analyze --recording \"" + ecg + L"\" --type \"Cardiac Action Potential\" --set 1006=0.0005 --set 1001=10 --set 1036=f "
                          L"--set 32=t --table",
                      run));
  ASSERT_EQ(0u, run.exitCode) << run.output.substr(0, 300);
  const auto rows = TabCells(run.output);
  ASSERT_EQ(1 + beats + 1 + 5, rows.size());
  const std::vector<std::string>& heading = rows[0];
  const size_t period = std::find(heading.begin(), heading.end(), "Period (s)") - heading.begin();
  ASSERT_LT(period, heading.size());
  const std::vector<std::string>& average = rows[beats + 3];
  ASSERT_EQ("Avg", average.at(0));
  EXPECT_NEAR(meanRR, std::stod(average.at(period)), 1.0 / 360.0);
  EXPECT_EQ(std::to_string(beats - 1), rows[beats + 6].at(period)) << "the first beat has no period";
}

// The calculated channel holds each peak's measurement from that peak to the next: its value
// changes exactly at the ticks of the peaks the analysis reports.
TEST(HostExecutable, AnalyzeWritesTheCalculatedChannel) {
  ASSERT_TRUE(HostBuilt()) << "ondara-host.exe is not beside the test program";
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring recording = std::wstring(folder) + L"ondara_calc_in.csv";
  // A folder whose name the ANSI code page cannot spell: the channel is written there all the same.
  const std::wstring csvFolder = std::wstring(folder) + L"ondara_Messungen-\u03A9";
  CreateDirectoryW(csvFolder.c_str(), nullptr);
  const std::wstring csv = csvFolder + L"\\ondara_calc_out.csv";
  FILE* out = _wfopen(recording.c_str(), L"wb");
  ASSERT_NE(out, nullptr);
  std::fprintf(out, "Time [s],Signal\n");
  for (int i = 0; i < 3000; ++i) {
    const double t = i / 1000.0, s = std::sin(5 * t - 2.5);
    std::fprintf(out, "%.3f,%.6f\n", t, 0.0001 / std::pow(0.01 + (1 - std::sin(5 * t)), 2) + (s > 0.5 ? s - 0.5 : 0));
  }
  std::fclose(out);
  const std::wstring analyze = L"analyze --recording \"" + recording + L"\" --type 1 --set 1036=f --set 1001=10 --height 0.3";
  for (const wchar_t* bad : {L" --calc APA:x:-2 --calc-csv a.csv", L" --calc APA:2:-2"}) {
    RunResult run;
    ASSERT_TRUE(RunHost(analyze + bad, run));
    EXPECT_EQ(2u, run.exitCode) << run.output;
  }
  RunResult run;
  ASSERT_TRUE(RunHost(analyze + L" --calc APA:2:-2 --calc-csv \"" + csv + L"\"", run));
  ASSERT_EQ(0u, run.exitCode) << run.output;
  EXPECT_NE(std::string::npos, run.output.find("channel 2: Ondara, APA of Signal")) << run.output;
  std::vector<int> peaks;
  for (size_t at = run.output.find("\n0\t"); at != std::string::npos; at = run.output.find("\n0\t", at + 1)) {
    const size_t kind = run.output.find_last_of('\t', run.output.find('\n', at + 1));
    if (run.output.compare(kind + 1, 1, "2") == 0) peaks.push_back(std::atoi(run.output.c_str() + at + 3));
  }
  ASSERT_GE(peaks.size(), 2u) << run.output;
  std::vector<int> changes;
  FILE* in = _wfopen(csv.c_str(), L"rb");
  ASSERT_NE(in, nullptr);
  char line[128];
  std::string previous;
  std::fgets(line, sizeof(line), in);  // heading
  for (int record = 0, tick = 0; std::fscanf(in, "%d,%d,%127s", &record, &tick, line) == 3;) {
    if (!previous.empty() && previous != line) changes.push_back(tick);
    previous = line;
  }
  std::fclose(in);
  // Equal scale ends at 256 or more still give the channel a range, so it holds numbers.
  RunResult flat;
  ASSERT_TRUE(RunHost(analyze + L" --calc APA:300:300 --calc-csv \"" + csv + L"\"", flat));
  ASSERT_EQ(0u, flat.exitCode) << flat.output;
  std::ifstream written(csv.c_str());
  std::string row;
  std::getline(written, row);  // heading
  int rows = 0;
  for (; std::getline(written, row); ++rows) {
    const double value = std::atof(row.c_str() + row.rfind(',') + 1);
    ASSERT_TRUE(std::isfinite(value) && row.find("nan") == std::string::npos) << row;
  }
  EXPECT_EQ(3000, rows);
  written.close();
  DeleteFileW(recording.c_str());
  DeleteFileW(csv.c_str());
  RemoveDirectoryW(csvFolder.c_str());
  // A change may be missed where two peaks measure alike; none lies off a peak.
  for (const int tick : changes) EXPECT_NE(std::find(peaks.begin(), peaks.end(), tick), peaks.end()) << tick;
  EXPECT_GE(changes.size() + 1, peaks.size());
}

}  // namespace

TEST(HostExecutable, ShowTakesACommaListOfViewsAndPicturesEach) {
  ASSERT_TRUE(HostBuilt()) << "ondara-host.exe is not beside the test program";
  const std::wstring path = WriteCardiacRecording();
  ASSERT_FALSE(path.empty());
  const std::wstring folder = testsupport::OwnTemporaryPath(L"ondara-show");
  const std::wstring recording = L"analyze --recording \"" + path + L"\" --type 1 --set 1036=f ";
  RunResult shown;
  ASSERT_TRUE(RunHost(recording + L"--show analysis,table --screenshot \"" + folder + L"\"", shown));
  EXPECT_EQ(0u, shown.exitCode) << shown.output;
  for (const wchar_t* picture : {L"\\analysis-view.png", L"\\table-view.png"}) {
    const std::wstring file = folder + picture;
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(file.c_str()));
    DeleteFileW(file.c_str());
  }
  RemoveDirectoryW(folder.c_str());
  RunResult refused;
  ASSERT_TRUE(RunHost(recording + L"--show analysis,graph", refused));
  EXPECT_EQ(2u, refused.exitCode) << refused.output;
}

// --event makes the event current as activating its comment in the recording view does, and
// the Data Pad then takes the whole table, event 3's row the fourth below the heading: where the comment goes on with the event's height and duration
// (the types that measure their events), where a stimulus had no response and only its stimulus
// marker names the event (Evoked Response, event 3), and where a stimulus and a population
// spike's three turning points are one event. The markers count the events the table has rows.
TEST(HostExecutable, EventMakesTheEventCurrentForEveryAnalysisType) {
  ASSERT_TRUE(HostBuilt()) << "ondara-host.exe is not beside the test program";
  const std::wstring path = WriteCardiacRecording();
  ASSERT_FALSE(path.empty());
  const std::wstring cardiac = L"--recording \"" + path + L"\" --set 1036=f --type ";
  const std::wstring evoked = L"--recording \"" + testsupport::RecordingPathW("evoked_epsc.csv") + L"\" --type ";
  const std::wstring pad = path + L".pad";
  const struct {
    std::wstring options;
    const char* found;  // the markers' count, where it is checked
  } cases[] = {
      {cardiac + L"\"General - Unstimulated\"", nullptr},
      {cardiac + L"Synaptic", nullptr},
      {cardiac + L"\"Cardiac Action Potential\"", nullptr},
      {evoked + L"3 --set 1000=3 --set 1002=1e-9 --set 1003=1 --set 1006=1e-10 --set 1007=2 --set 1008=15",
       "found 15 events in 3 records"},
      {evoked + L"4 --set 1000=2 --set 1005=200", "found 3 events in 3 records"},
  };
  for (const auto& c : cases) {
    RunResult run;
    ASSERT_TRUE(RunHost(L"analyze " + c.options + L" --show table --event 3 --data-pad \"" + pad + L"\"", run));
    EXPECT_EQ(0u, run.exitCode) << run.output;
    if (c.found) {
      EXPECT_NE(std::string::npos, run.output.find(c.found)) << run.output;
    }
    std::ifstream written(pad.c_str(), std::ios::binary);
    const std::string rows((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
    EXPECT_NE(std::string::npos, rows.find("\n5\t3\t")) << "the Data Pad holds event 3's row: " << rows;
    written.close();
    DeleteFileW(pad.c_str());
  }
  DeleteFileW(path.c_str());
}

namespace {

// A settings script in a temporary file; empty when it cannot be written.
std::wstring WriteScript(const char* text) { return testsupport::WriteTempText(text); }

// Cardiac peaks with the settings a script plays on the real dialog: what OK leaves is what the
// same options give, an invalid value fails at OK, Cancel changes nothing.
TEST(HostExecutable, SettingsScriptPlaysTheDialogBeforeTheAnalysis) {
  ASSERT_TRUE(HostBuilt()) << "ondara-host.exe is not beside the test program";
  const std::wstring recording = WriteCardiacRecording();
  ASSERT_FALSE(recording.empty());
  const std::wstring analyze = L"analyze --recording \"" + recording + L"\" --table --set 1036=f ";
  const auto withScript = [&](const char* text, RunResult& run) {
    const std::wstring script = WriteScript(text);
    ASSERT_FALSE(script.empty());
    ASSERT_TRUE(RunHost(analyze + L"--settings \"" + script + L"\"", run));
    DeleteFileW(script.c_str());
  };

  RunResult scripted;
  withScript("type Cardiac Action Potential\ntab Detector\nenter Minimum peak height = 0.02\n"
             "enter Minimum detection width = 10\ntab Table Options\nclick APD40\nclick TRise\nok\n",
             scripted);
  RunResult direct;
  ASSERT_TRUE(RunHost(analyze + L"--type 1 --set 1006=0.02 --set 1001=10 --set 37=f --set 17=f", direct));
  ASSERT_EQ(0u, scripted.exitCode) << scripted.output.substr(0, 300);
  EXPECT_TRUE(direct.output == scripted.output) << scripted.output.substr(0, 300);
  EXPECT_EQ(std::string::npos, scripted.output.find("APD40")) << scripted.output.substr(0, 300);
  EXPECT_EQ(std::string::npos, scripted.output.find("TRise")) << scripted.output.substr(0, 300);
  EXPECT_NE(std::string::npos, scripted.output.find("\r\n3\t")) << scripted.output.substr(0, 300);

  RunResult invalid;
  withScript("type Cardiac Action Potential\ntab Calculations\nenter Rise and fall between = 50\nenter % and = 50\nok\n",
             invalid);
  EXPECT_EQ(2u, invalid.exitCode) << invalid.output;
  EXPECT_NE(std::string::npos, invalid.output.find(":5: ok: the settings are invalid")) << invalid.output;
  EXPECT_EQ(std::string::npos, invalid.output.find("\r\nAvg")) << "no analysis after a failed step";

  RunResult cancelled;
  withScript("type Evoked Response\ntab Table Options\nclick TRise\ncancel\n", cancelled);
  RunResult untouched;
  ASSERT_TRUE(RunHost(analyze, untouched));
  EXPECT_EQ(0u, cancelled.exitCode) << cancelled.output.substr(0, 300);
  EXPECT_TRUE(untouched.output == cancelled.output) << cancelled.output.substr(0, 300);

  const struct {
    const char* script;
    const char* line;
  } failures[] = {
      {"tab Baseline\nenter No such label = 3\nok\n", ":2: enter No such label = 3: there is no edit 'No such label'"},
      {"type Cardiac Action Potential\ntab Baseline\n", ":2: tab Baseline: there is no tab 'Baseline'"},
      {"type Population Spike\ntab Baseline\nclick Automatic\nok\n", ":3: click Automatic: 'Automatic' is disabled"},
      {"tab Baseline\nenter Start is the first point = 1234\n", "'Start is the first point' took '123'"},
      {"tab Baseline\n", ": the script ends while the settings dialog is open"},
      // A folder no one may make a folder in (Wine's Z: is the whole Unix tree).
      {"screenshot Z:\\dev\\pts\\ondara\\x.png\n",
       ":1: screenshot Z:\\dev\\pts\\ondara\\x.png: Z:\\dev\\pts\\ondara\\x.png could not be written: its folder does not "
       "exist"},
  };
  for (const auto& failure : failures) {
    RunResult run;
    withScript(failure.script, run);
    EXPECT_EQ(2u, run.exitCode) << failure.script << run.output;
    EXPECT_NE(std::string::npos, run.output.find(failure.line)) << failure.script << run.output;
    EXPECT_EQ(1, std::count(run.output.begin(), run.output.end(), '\n')) << run.output;
  }
}

}  // namespace

// The outputs taken from views need those views shown; shown, they land where the options say.
TEST(HostExecutable, ViewOutputsNeedTheirViewsAndLandInTheirFiles) {
  ASSERT_TRUE(HostBuilt()) << "ondara-host.exe is not beside the test program";
  const std::wstring path = WriteCardiacRecording();
  ASSERT_FALSE(path.empty());
  const std::wstring analyze = L"analyze --recording \"" + path + L"\" --type 1 --set 1036=f ";
  for (const wchar_t* refused : {L"--print-preview out", L"--copy out.txt", L"--show analysis --data-pad pad.txt"}) {
    RunResult run;
    ASSERT_TRUE(RunHost(analyze + refused, run));
    EXPECT_EQ(2u, run.exitCode) << run.output;
    EXPECT_EQ(1, std::count(run.output.begin(), run.output.end(), '\n')) << run.output;
  }
  const std::wstring folder = testsupport::OwnTemporaryPath(L"ondara-outputs");
  const std::wstring copy = folder + L"-copy.txt";
  const std::wstring pad = folder + L"-pad.txt";
  RunResult run;
  ASSERT_TRUE(RunHost(analyze + L"--show table --print-preview \"" + folder + L"\" --copy \"" + copy +
                          L"\" --data-pad \"" + pad + L"\"",
                      run));
  EXPECT_EQ(0u, run.exitCode) << run.output;
  const std::wstring page = folder + L"\\table-page-1.png";
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(page.c_str()));
  for (const std::wstring& written : {copy, pad}) {
    std::ifstream in(std::string(written.begin(), written.end()), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE('\n', bytes.empty() ? '\n' : bytes[0]) << "the copied text, the Data Pad's first row";
    if (written == copy) {
      EXPECT_NE(std::string::npos, bytes.find("\r\n\n\tRMP (V)")) << "the summary after a lone LF:\n" << bytes;
      EXPECT_EQ(std::string::npos, bytes.find("\r\n\r\n")) << bytes;
    }
    in.close();
    DeleteFileW(written.c_str());
  }
  testsupport::RemoveFolder(folder);
  DeleteFileW(path.c_str());
}
