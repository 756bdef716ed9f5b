// The analyze command run by a script: what it refuses, and the boxes nobody is there to answer.
#include "host/app/HostFramework.h"
#include "host/common/MessageText.h"
#include "tests/support/CardiacSignal.h"
#include "tests/support/HintRecordings.h"
#include "tests/support/HostProcess.h"
#include "tests/support/SeededNoise.h"
#include "tests/support/SourceTree.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

using testsupport::RunHost;
using testsupport::RunResult;

class AnalyzeUnattended : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { sRecording = testsupport::WriteCardiacRecording(); }
  static void TearDownTestSuite() { DeleteFileW(sRecording.c_str()); }
  static RunResult Analyze(const std::wstring& options) {
    RunResult run;
    EXPECT_TRUE(RunHost(L"analyze --recording \"" + sRecording + L"\" --table " + options, run));
    return run;
  }
  static std::wstring sRecording;
};
std::wstring AnalyzeUnattended::sRecording;

// Stimulus method 5 is taken, selects no detector, and the module's box saying so is one line
// of the output; the run then fails, and saves no documents file.
TEST_F(AnalyzeUnattended, MessageBoxIsOneLineAndAFailureBoxFailsTheRun) {
  ASSERT_TRUE(testsupport::HostBuilt());
  const std::wstring documents = sRecording + L".failed.documents";
  const RunResult run = Analyze(L"--type 3 --set 1000=5 --documents \"" + documents + L"\"");
  EXPECT_EQ(2u, run.exitCode) << run.output;
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(documents.c_str()));
  DeleteFileW(documents.c_str());
  const std::string line = "Ondara: No detector applies to the analysis type and detection settings of the analysis "
                           "channel. Please check the Detector settings.\r\n";
  const size_t at = run.output.find(line);
  EXPECT_NE(std::string::npos, at) << run.output;
  EXPECT_EQ(std::string::npos, run.output.find("No detector", at + line.size())) << run.output;
}

std::string Utf8(const std::wstring& text) { return host::Utf8FromWide(text); }
std::wstring Wide(const std::string& text) { return host::WideFromUtf8(text); }

std::wstring WriteText(const std::wstring& path, const std::string& text) {
  std::ofstream(path.c_str(), std::ios::binary) << text;
  return path;
}

std::string Bytes(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A file of the size with no data written (it takes no room on the disk).
std::wstring SparseFile(const std::wstring& path, unsigned long long size) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  LARGE_INTEGER end{};
  end.QuadPart = static_cast<LONGLONG>(size);
  if (file != INVALID_HANDLE_VALUE) {
    SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
  }
  return path;
}

// The files of a copy of the host beside a module that registers no class, so that no analysis
// document opens: each copied from beside this program, and its name in the copy's folder.
const std::pair<const wchar_t*, const wchar_t*> kClasslessHost[] = {
    {L"ondara-host.exe", L"ondara-host.exe"}, {L"Lumo.dll", L"Lumo.dll"}, {L"classlessmodule.dll", L"Ondara.dll"}};

std::wstring ClasslessHostFolder() { return testsupport::TemporaryPath(L"ondara-classless\\"); }

// The copy's executable.
std::wstring HostWithoutDocumentClass() {
  const std::wstring folder = ClasslessHostFolder();
  CreateDirectoryW(folder.c_str(), nullptr);
  for (const auto& [from, to] : kClasslessHost)
    CopyFileW(ondara_host::PathBesideExecutable(from).c_str(), (folder + to).c_str(), FALSE);
  return folder + kClasslessHost[0].second;
}

void RemoveClasslessHost() { testsupport::RemoveFolder(ClasslessHostFolder()); }

// Every input refused is one line saying what is wrong with it, and ends the run with status 2:
// the words of a setting that refuses a value, an option it does not know (with the one meant when
// it is a slip away), a second recording, a name or number an option does not know, a
// recording that does not read or is too large for memory, a file that could not be saved, a
// settings script's label that names two controls or that is no script, an event the analysis did
// not find, a module file that is not there, a selection or object the analysis lacks, a
// measurement the type lacks, options that conflict, a formula that has no value; a refused run
// saves no documents file. The recording may follow the options. Output files and measurements
// are checked before the analysis: an output that is one of the inputs, or a file another output
// writes too, however its path is written, is refused and nothing is written. A cancel says so
// too, and names the outputs left unwritten (a missing display: the host_without_display test),
// and an analysis that finds nothing (no peak, no stimulus, or stimuli without a response) says
// what it looked for and what most likely kept it out.
TEST_F(AnalyzeUnattended, RefusalsAreOneLineSayingWhatIsWrong) {
  ASSERT_TRUE(testsupport::HostBuilt());
  const std::wstring script =
      WriteText(sRecording + L".two.script", "type Evoked Response\ntab Detector\nenter Min height = 1000\n");
  const std::wstring recording = WriteText(sRecording + L".times.csv", "Time [s],V\n0,1\n1e308,1\n2,1\n");
  const std::wstring nowhere = sRecording + L".none\\kept.documents";
  const std::wstring huge = SparseFile(sRecording + L".huge.csv", 1ull << 31);
  const std::wstring millivolts = WriteText(sRecording + L".mv.csv", "Time [s],Vm [mV]\n0,-70\n0.001,-60\n0.002,-70\n");
  const std::wstring untimed = WriteText(sRecording + L".untimed.csv", "Vm [mV]\n-70\n-70\n");
  const std::wstring missing = sRecording + L".missing.csv";
  const std::wstring commented = WriteText(sRecording + L".commented.csv", "# exported by the rig\nTime [s],V\n0,1\n");
  // Files another program holds open, or marked read-only, and a folder that takes no new file,
  // not even root's (Wine's Z: is the whole Unix tree; its terminals' folder takes no file).
  const std::wstring held = WriteText(sRecording + L".held.documents", "x");
  const std::wstring readOnly = WriteText(sRecording + L".read-only.txt", "x");
  SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  HANDLE const holder = CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  // One a reader holds letting others write it, but not remove or replace it.
  const std::wstring read = WriteText(sRecording + L".read.txt", "x");
  HANDLE const reader = CreateFileW(read.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  const std::wstring closed = L"Z:\\dev\\pts\\ondara";
  // A picture folder holding a read-only file the run does not write.
  const std::wstring pictures = sRecording + L".pictures";
  CreateDirectoryW(pictures.c_str(), nullptr);
  const std::wstring unrelated = WriteText(pictures + L"\\picture.png", "x");
  SetFileAttributesW(unrelated.c_str(), FILE_ATTRIBUTE_READONLY);
  const std::wstring analyze = L"analyze --recording \"" + sRecording + L"\" --table ";
  const std::wstring unsaved = sRecording + L".refused.documents";
  const std::wstring markers = L"analyze --recording \"" + testsupport::SourcePathW("data/evoked_ap.csv") + L"\" ";
  const std::wstring evoked = markers + L"--table ";
  // The recording named as an output, written otherwise: in capitals, through "." and "..", with
  // slashes, or as a hard link to it.
  const size_t slash = sRecording.rfind(L'\\');
  std::wstring upper = sRecording;
  CharUpperW(&upper[slash]);
  const std::wstring dotted = sRecording.substr(0, slash) + L"\\.\\none\\.." + sRecording.substr(slash);
  std::wstring slashes = sRecording;
  std::replace(slashes.begin(), slashes.end(), L'\\', L'/');
  const std::wstring link = sRecording + L".link.csv";
  CreateHardLinkW(link.c_str(), sRecording.c_str(), nullptr);
  const std::wstring shooting = WriteText(sRecording + L".shot.script", "screenshot " + Utf8(upper.substr(slash + 1)));
  const std::string recorded = Bytes(sRecording);
  const auto onto = [](const std::wstring& path, const char* option, const std::string& input) {
    return Utf8(path) + ": " + option + " cannot write there: it is " + input + ": choose another name";
  };
  const std::string theRecording = "the recording (" + Utf8(sRecording) + ")";
  // Two outputs naming one file: a new one spelled alike or otherwise, one there through a hard
  // link, a picture of a picture folder.
  const std::wstring twice = sRecording + L".twice.txt";
  const std::wstring twiceDotted = sRecording.substr(0, slash) + L"\\.\\none\\.." + twice.substr(slash);
  std::wstring twiceUpper = twice;
  CharUpperW(&twiceUpper[slash]);
  std::replace(twiceUpper.begin(), twiceUpper.end(), L'\\', L'/');
  const std::wstring kept = WriteText(sRecording + L".twice.kept.txt", "kept");
  const std::wstring twiceLink = sRecording + L".twice.link.txt";
  CreateHardLinkW(twiceLink.c_str(), kept.c_str(), nullptr);
  const std::wstring shot = pictures + L"\\TABLE-view.png";
  const std::wstring page = pictures + L"\\table-page-2.png";
  const std::wstring shootingTwice =
      WriteText(sRecording + L".twice.script", "screenshot " + Utf8(twice.substr(slash + 1)));
  const auto also = [](const std::wstring& path, const char* option, const std::string& other) {
    return Utf8(path) + ": " + option + " cannot write there: it is also " + other + ": choose another name";
  };
  const std::wstring noColumns = L"--set 0=f --set 2=f --set 3=f --set 5=f --set 17=f --set 18=f --set 27=f "
                                 L"--set 33=f --set 47=f --set 56=f";
  const struct {
    std::wstring command;
    DWORD status;
    std::string line;  // empty: taken, the table printed
    std::wstring host = {};  // empty: the host beside this program
  } cases[] = {
      {analyze + L"--type 1 --set 1006=+0.001", 0, ""},
      {analyze + L"--type 1 --set 1006=0,06", 2, "setting 1006 = '0,06': not a number: the decimal separator is the point (.)"},
      {analyze + L"--type 3 --set 1002=", 2, "setting 1002 = '': a number is needed"},
      {analyze + L"--set 1006=abc", 2, "setting 1006 = 'abc': not a number"},
      {analyze + L"--set 1006=1e400", 2, "setting 1006 = '1e400': not a finite number"},
      {analyze + L"--set 1040=nan", 2, "setting 1040 = 'nan': not a finite number"},
      {analyze + L"--set 1028=inf", 2, "setting 1028 = 'inf': not a finite number"},
      {analyze + L"--set 1038=-inf", 2, "setting 1038 = '-inf': not a finite number"},
      {analyze + L"--set 1036=false", 2, "setting 1036 = 'false': a switch takes t or f"},
      {analyze + L"--set 2000=6", 2, "setting 2000 = '6': the analysis types are 0 to 5"},
      {analyze + L"--set 1000=1", 2, "setting 1000 = '1': this setting takes a whole number from 2 to 5"},
      {analyze + L"--set 2001=32", 2, "setting 2001 = '32': the recording has 1 channel (setting 2001 counts channels from 0)"},
      {analyze + L"--type 0 --set 1010=abc", 2, "setting 1010 = 'abc': not detection settings the host's detector reads"},
      {analyze + L"--type 0 --set 1010=", 2, "setting 1010 = '': not detection settings the host's detector reads"},
      {analyze + L"--type 0 --set \"1010=1 0 1 x 3\"", 2, "setting 1010 = '1 0 1 x 3': not detection settings the host's detector reads"},
      {analyze + L"--set 1006=" + std::wstring(1000, L'9'), 2,
       "setting 1006 = '" + std::string(40, '9') + "...' (1000 characters): not a finite number"},
      {analyze + L"--channel 0", 2, "--channel: '0': channels are counted from 1"},
      {analyze + L"--recording \"" + recording + L"\"", 2,
       Utf8(recording) + ":3:1: time 1e+308 does not follow the record's even tick period"},
      {analyze + L"--recording \"" + huge + L"\"", 2, Utf8(huge) + ": the recording is too large for memory (2048 MB)"},
      {L"events --formula \"cappeakdet(ch1,0.1)\" --recording \"" + huge + L"\"", 2,
       Utf8(huge) + ": the recording is too large for memory (2048 MB)"},
      {analyze + L"--documents \"" + nowhere + L"\"", 2,
       Utf8(nowhere) + ": the analysis document cannot be saved there: its folder does not exist"},
      {analyze + L"--settings \"" + script + L"\"", 2,
       Utf8(script) + ":3: enter Min height = 1000: 'Min height' names 2 edits, #1007 and #1033: give the one meant "
                      "as #ID"},
      {analyze + L"--cancel-at 50", 1, "the analysis was cancelled (--cancel-at 50)"},
      {analyze + L"--type 1 --set 1036=f --event 900 --documents \"" + unsaved + L"\"", 2,
       "--event: '900': the analysis found 8 events"},
      {L"analyze --table --type 1 --set 1006=+0.001 \"" + sRecording + L"\"", 0, ""},
      {analyze + L"--typ 1", 2, "unknown option '--typ': did you mean --type?"},
      {analyze + L"--type 1 --foo", 2, "unknown option '--foo'"},
      {analyze + L"second.csv", 2, "a second recording 'second.csv' after " + host::QuoteInput(sRecording) + ": give one"},
      {analyze + L"--set 1006", 2,
       "--set: '1006': ID=VALUE is needed, a setting's number and its value, e.g. --set 1006=0.0005"},
      {analyze + L"--screenshot shots", 2, "--screenshot needs --show VIEW"},
      {L"classes C:\\no\\such\\module.dll", 2, "classes: 'C:\\no\\such\\module.dll': no such file"},
      {analyze + L"--recording \"" + millivolts + L"\" --type 5 --set 1006=50", 0,
       "found 0 events: minimum height 50 V (50000 mV), more than the whole trace spans (0.01 V): heights are in "
       "base units, 0.05 for 50 mV"},
      {analyze + L"--type 1 --set 1001=5000", 0,
       "found 0 events: minimum height 0.03 V; the width filter (setting 1036) leaves out peaks narrower than 5000 ms "
       "at half height (setting 1001): the peak detector found 16 before it, peaks of their own rather than pieces of "
       "wider ones: a smaller minimum width (setting 1001) keeps them: at 200 ms (setting 1001 = 200) the width filter "
       "keeps 8"},
      {analyze + L"--type 1 --set 1036=f --set 1001=5000", 0,
       "found 0 events: minimum height 0.03 V; the width filter is off (setting 1036 = f), but the peak detector "
       "still drops a peak that falls by the minimum height within 2500 ms, half of setting 1001 (5000 ms): a smaller "
       "minimum width (setting 1001) keeps them: at 50 ms (setting 1001 = 50) the peak detector finds 8"},
      {analyze + L"--recording \"" + millivolts + L"\" --type 5", 0,
       "found 0 events: minimum height 0.03 V (30 mV), more than the whole trace spans (0.01 V)"},
      {evoked + L"--channel 2 --type 3", 0,
       "found 0 events: no stimulus found: the stimulus method (setting 1000 = 4) looks for a pulse of at least 1 V "
       "(1000 mV) up or down and back within 1 ms (settings 1002 and 1003); the biggest on channel 2 is 0.0416 V "
       "(41.6 mV)"},
      {evoked + L"--channel 1 --type 4 --set 1028=0.5", 0,
       "found 0 events: no stimulus found: the stimulus method (setting 1000 = 4) looks for a pulse of at least 0.5 A "
       "(5e+08 nA) up or down and back within 1 ms (settings 1028 and 1003); the biggest on channel 1 is 1.52e-11 A "
       "(0.0152 nA); heights are in base units, 5e-10 for 0.5 nA"},
      {evoked + L"--channel 2 --type 3 --set 1002=0.04", 0, ""},
      {evoked + L"--channel 2 --type 3 --set 1002=0.04 " + noColumns, 0, ""},
      {markers + L"--channel 2 --type 3 --set 1000=2", 0,
       "1 stimulus, none with a response of at least 0.03 V (30 mV) in 0-100 ms (settings 1006 to 1008)"},
      {markers + L"--channel 2 --type 4 --set 1000=2 --set 1005=599.9", 0,
       "1 stimulus, none with a population spike in 0-100 ms (settings 1007 and 1008)"},
      {evoked + L"--channel 2 --type 3 --set 1000=2", 0,
       "1 stimulus, none with a response of at least 0.03 V (30 mV) in 0-100 ms (settings 1006 to 1008)"},
      {analyze + L"--type 0 --set \"1010=1 0 1 0.5 12 10 50 1 0 0\"", 2,
       "setting 1010 = '1 0 1 0.5 12 10 50 1 0 0': the fifth number (the threshold, in standard deviations of the "
       "noise) is 12: it takes 0.05 to 9"},
      {analyze + L"--type 0 --set \"1010=1 0 1 0.5 3 10 50 1 0\"", 2,
       "setting 1010 = '1 0 1 0.5 3 10 50 1 0': not detection settings the host's detector reads: they are ten "
       "numbers, and this text has 9"},
      {analyze + L"--type 0 --set \"1010=1 0 1 0.5 3 10 50 1 0 0 7\"", 2,
       "setting 1010 = '1 0 1 0.5 3 10 50 1 0 0 7': not detection settings the host's detector reads: they are ten "
       "numbers, and this text has 11"},
      {analyze + L"--recording \"" + millivolts + L"\" --type 0 --set \"1010=1 0 1 0.5 5 10 50 0 0 0\"", 0,
       "found 0 events: detection settings 1010 = '1 0 1 0.5 5 10 50 0 0 0': the third number is the direction (1 "
       "upward, -1 downward), the fifth the threshold above the baseline, in V; 5 V (5000 mV) is more than the whole "
       "trace spans (0.01 V): heights are in base units, 0.005 for 5 mV"},
      {analyze + L"--type 0 --set \"1010=1 0 1 0.5 50 5 100 0 0 0\"", 0,
       "found 0 events: detection settings 1010 = '1 0 1 0.5 50 5 100 0 0 0': the third number is the direction (1 "
       "upward, -1 downward), the fifth the threshold above the baseline, in V; 50 V is more than the whole trace "
       "spans (1 V); lower, --set \"1010=1 0 1 0.5 0.39 5 100 0 0 0\", the detector finds 8"},
      {analyze + L"--set 2004=t", 2,
       "nothing is selected, and the analysis is of the selection (setting 2004 = t): select a span with --select "
       "FROM:TO, or analyse the whole channel with --set 2004=f"},
      {analyze + L"--set 2024=99", 2,
       "setting 2024 = '99': the recording has no such object (the analysis keeps its markers in the objects it "
       "makes; leave settings 2023 to 2025 as they are)"},
      {analyze + L"--set 2001=0 --channel 2", 2, "--channel 2: the recording has 1 channel"},
      {analyze + L"--settings Z:\\dev\\zero", 2, "Z:\\dev\\zero: not a settings script: it is longer than 1024 KB"},
      {analyze + L"--show table --copy \"" + nowhere + L"\"", 2,
       Utf8(nowhere) + ": --copy cannot write there: its folder does not exist"},
      {analyze + L"--show table --copy \"" + sRecording + L"\"", 2, onto(sRecording, "--copy", "the recording")},
      {analyze + L"--show analysis --copy \"" + upper + L"\"", 2, onto(upper, "--copy", theRecording)},
      {analyze + L"--show table --data-pad \"" + dotted + L"\"", 2, onto(dotted, "--data-pad", theRecording)},
      {analyze + L"--type 1 --calc APA:1:0 --calc-csv \"" + slashes + L"\"", 2, onto(slashes, "--calc-csv", theRecording)},
      {analyze + L"--documents \"" + link + L"\"", 2,
       Utf8(link) + ": the analysis document cannot be saved there: it is " + theRecording + ": choose another name"},
      {analyze + L"--settings \"" + script + L"\" --show table --data-pad \"" + script + L"\"", 2,
       onto(script, "--data-pad", "the settings script")},
      {analyze + L"--settings \"" + shooting + L"\"", 2,
       Utf8(upper) + ": the settings script's screenshot cannot write there: it is " + theRecording +
           ": choose another name"},
      {analyze + L"--show table --copy \"" + twice + L"\" --data-pad \"" + twice + L"\"", 2,
       also(twice, "--data-pad", "--copy")},
      {analyze + L"--documents \"" + twice + L"\" --type 1 --calc APA:1:0 --calc-csv \"" + twiceUpper + L"\"", 2,
       also(twiceUpper, "--calc-csv", "--documents (" + Utf8(twice) + ")")},
      {analyze + L"--show table --copy \"" + twiceDotted + L"\" --data-pad \"" + twice + L".\"", 2,
       also(twice + L".", "--data-pad", "--copy (" + Utf8(twiceDotted) + ")")},
      {analyze + L"--show table --copy \"" + twiceLink + L"\" --data-pad \"" + kept + L"\"", 2,
       also(kept, "--data-pad", "--copy (" + Utf8(twiceLink) + ")")},
      {analyze + L"--show table --data-pad \"" + shot + L"\" --screenshot \"" + pictures + L"\"", 2,
       Utf8(pictures) + ": --screenshot cannot write there: its picture table-view.png is also --data-pad (" +
           Utf8(shot) + "): choose another folder"},
      {analyze + L"--show table --copy \"" + page + L"\" --print-preview \"" + pictures + L"\"", 2,
       Utf8(pictures) + ": --print-preview cannot write there: its picture table-page-2.png is also --copy (" +
           Utf8(page) + "): choose another folder"},
      {analyze + L"--settings \"" + shootingTwice + L"\" --show table --copy \"" + twiceUpper + L"\"", 2,
       also(twice, "the settings script's screenshot", "--copy (" + Utf8(twiceUpper) + ")")},
      {analyze + L"--cancel-at 50 --show table --copy \"" + link + L".txt\" --documents \"" + unsaved + L"\"", 1,
       "the analysis was cancelled (--cancel-at 50)\r\nnot written: --documents " + Utf8(unsaved) + ", --copy " +
           Utf8(link) + ".txt"},
      {analyze + L"--show table --screenshot \"" + nowhere + L"\"", 2,
       Utf8(nowhere) + ": --screenshot cannot write there: its folder does not exist"},
      {analyze + L"--type 1 --calc Height:1:0 --calc-csv \"" + sRecording + L".calc.csv\"", 2,
       "--calc: 'Height' is not a measurement of this analysis type; it offers TStart, Count, RMP, APA, Max dV/dt, "
       "TRise, TFall, Period, APD10, APD20, APD30, APD40, APD50, APD60, APD70, APD80, APD90, Triangulation, "
       "PlateauV1, PlateauV2, MaxNegSlope, TimeDate"},
      {analyze + L"--online 1000 --cancel-at 50", 2,
       "--cancel-at: the analysis while sampling (--online) shows no progress to cancel"},
      {analyze + L"--recording \"" + untimed + L"\"", 2,
       Utf8(untimed) + ":1:1: no \"Time\" column and no sampling rate given: the first column is 'Vm [mV]', and the "
                       "reader expects \"Time [s]\" there, as \"Time [s],Vm [mV]\": give the times there, or the rate "
                       "with --rate HZ"},
      {analyze + L"--recording \"" + commented + L"\" --rate 1000", 2,
       Utf8(commented) + ":1:1: the first line '# exported by the rig' is a comment: the reader expects the header there, "
                         "as \"Time [s],Vm [mV]\"; the header looks to be line 2: remove the lines before it"},
      {L"events --formula cappeakdet(ch1) --recording \"" + untimed + L"\" --rate 20k", 2,
       "--rate: '20k' is not a sampling rate: it is a plain number of samples per second: write --rate 20000"},
      {analyze + L"--rate \"2.5 kHz\"", 2,
       "--rate: '2.5 kHz' is not a sampling rate: it is a plain number of samples per second: write --rate 2500"},
      {analyze + L"--rate 20,000", 2,
       "--rate: '20,000' is not a sampling rate: thousands separators are not read, and the decimal separator is the "
       "point: write --rate 20000"},
      {analyze + L"--rate 1,000,000.5", 2,
       "--rate: '1,000,000.5' is not a sampling rate: thousands separators are not read: write --rate 1000000.5"},
      {analyze + L"--rate fast", 2,
       "--rate: 'fast' is not a sampling rate: it is a number of samples per second (Hz) greater than 0, e.g. --rate 20000"},
      {analyze + L"--recording \"" + missing + L"\"", 2, Utf8(missing) + ": no such file"},
      {analyze + L"--documents \"" + held + L"\"", 2,
       Utf8(held) + ": the analysis document cannot be saved there: another program holds it open: close it there, "
                    "or choose another name"},
      {analyze + L"--show table --copy \"" + read + L"\"", 2,
       Utf8(read) + ": --copy cannot write there: another program holds it open: close it there, or choose another "
                    "name"},
      {analyze + L"--show table --data-pad \"" + readOnly + L"\"", 2,
       Utf8(readOnly) + ": --data-pad cannot write there: it is read-only: clear its read-only attribute, or choose "
                        "another name"},
      {analyze + L"--documents " + closed + L".documents", 2,
       Utf8(closed) + ".documents: the analysis document cannot be saved there: its folder may not be written (access "
                      "is denied)"},
      {analyze + L"--show table --screenshot " + closed, 2,
       Utf8(closed) + ": --screenshot cannot write there: the folder could not be made: its folder may not be written "
                      "(access is denied)"},
      {analyze + L"--show table --screenshot \"" + pictures + L"\"", 0, ""},
      {analyze + L"--show table --copy con.txt", 2,
       "con.txt: --copy cannot write there: Windows reserves the name 'con' for a device: choose another name"},
      {analyze + L"--recording aux.csv", 2, "aux.csv: Windows reserves the name 'aux' for a device: rename the file"},
      {L"events --formula \"cappeakdet(ch1,0.1)\" --signal \"1/(t-0.5)\" --rate 1000 --ticks 1000", 2,
       "--signal: '1/(t-0.5)': position 1: the signal has no finite value at tick 500"},
      // The document's own failure, not the selection checked after it.
      {analyze + L"--select 900:901", 1, "the analysis document could not be made: 0x80040111",
       HostWithoutDocumentClass()},
  };
  for (const auto& c : cases) {
    RunResult run;
    ASSERT_TRUE(RunHost(c.command, run, c.host));
    EXPECT_EQ(c.status, run.exitCode) << run.output;
    if (c.line.empty()) {  // the table alone: its heading first (empty without columns), its summary's count last
      EXPECT_EQ(0u, run.output.find_first_of("\t\r")) << run.output;
      EXPECT_EQ(run.output.rfind("\r\n", run.output.size() - 3), run.output.rfind("\r\nCount")) << run.output;
    } else if (c.status == 0)  // the table, then the line
      EXPECT_EQ(run.output.size() - c.line.size() - 2, run.output.rfind("\r\n" + c.line + "\r\n") + 2) << run.output;
    else
      EXPECT_EQ(c.line + "\r\n", run.output);
  }
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(unsaved.c_str())) << "a refused run saved its documents";
  EXPECT_EQ(recorded, Bytes(sRecording)) << "an output was written over the recording";
  for (const std::wstring& refused : {twice, page})
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(refused.c_str())) << "a refused run wrote " << Utf8(refused);
  EXPECT_EQ("kept", Bytes(kept)) << "a refused run wrote over an output";
  for (const std::wstring& file : {kept, twiceLink}) DeleteFileW(file.c_str());
  DeleteFileW(shootingTwice.c_str());
  DeleteFileW(link.c_str());
  DeleteFileW(shooting.c_str());
  CloseHandle(holder);
  CloseHandle(reader);
  SetFileAttributesW(unrelated.c_str(), FILE_ATTRIBUTE_NORMAL);
  testsupport::RemoveFolder(pictures);
  SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
  for (const std::wstring& file : {held, readOnly, read}) DeleteFileW(file.c_str());
  for (const std::wstring& file : {millivolts, untimed, unsaved, commented}) DeleteFileW(file.c_str());
  DeleteFileW(script.c_str());
  DeleteFileW(recording.c_str());
  DeleteFileW(huge.c_str());
  RemoveClasslessHost();
}

// The rows of the table text: the lines between the heading and the first empty line.
size_t EventRows(const std::string& output) {
  const size_t first = output.find("\r\n") + 2;
  const std::string rows = output.substr(first, output.find("\r\n\r\n", first - 2) + 2 - first);
  return static_cast<size_t>(std::count(rows.begin(), rows.end(), '\n'));
}

// Four beats of the cardiac signal (5 kHz, about 1 V high) with noise of sd volts, low-passed over
// the samples given.
std::wstring NoisyCardiacRecording(uint32_t seed, double sd, double filterSamples) {
  const std::vector<float> signal = testsupport::CardiacSignal(25000, 5000.0);
  testsupport::Noise noise(seed, filterSamples);
  std::string text = "Time [s],Vm [V]";
  char line[64];
  for (size_t i = 0; i < signal.size(); ++i) {
    std::snprintf(line, sizeof(line), "\n%.4f,%.6f", i / 5000.0, signal[i] + noise(sd));
    text += line;
  }
  return testsupport::WriteTempText(text);
}

// The cardiac signal at 5 kHz with its times written in minutes, under a Time column without a unit.
std::wstring CardiacInMinutesRecording() {
  const std::vector<float> signal = testsupport::CardiacSignal(25000, 5000.0);
  std::string text = "Time,Vm [V]";
  char line[64];
  for (size_t i = 0; i < signal.size(); ++i) {
    std::snprintf(line, sizeof(line), "\n%.9f,%.6f", i / 5000.0 / 60.0, signal[i]);
    text += line;
  }
  return testsupport::WriteTempText(text);
}

// Five action potentials 110 mV high at 5 kHz, each on a plateau falling from 80 to 60 % of the
// height at 0.11 mV/ms, then back to rest at 1.1 mV/ms, with white noise of 8 % of the height.
std::wstring NoisyPlateauRecording(uint32_t seed) {
  testsupport::Noise noise(seed);
  std::string text = "Time [s],Vm [mV]";
  char line[64];
  for (int i = 0; i < 25000; ++i) {
    const double ms = (i % 5000) / 5.0 - 100.0;
    double v = -85.0;
    if (ms >= 0 && ms < 2) v = -85.0 + 55.0 * ms;
    else if (ms >= 2 && ms < 12) v = 25.0 - 2.2 * (ms - 2);
    else if (ms >= 12) v = std::max(-85.0, ms < 212 ? 3.0 - 0.11 * (ms - 12) : -19.0 - 1.1 * (ms - 212));
    std::snprintf(line, sizeof(line), "\n%.4f,%.3f", i / 5000.0, v + noise(8.8));
    text += line;
  }
  return testsupport::WriteTempText(text);
}

// Each hint of the line closing an analysis that found nothing, followed as a user does, brings
// the events back or says that the minimum height lies in the noise: then a height of several
// times the noise's standard deviation it gives brings them back. A height in the noise, on
// white and low-passed noise of several seeds; a height just above all the trace spans (0.1 V
// meant as it is) and one typed in the channel's unit; one below the span that no peak rises and
// falls by, with the width filter on, off and without a width; the width filter dropping peaks
// of their own (the bundled ECG's R waves), or the pieces noise splits a plateau into, or peaks
// whose times were written in minutes (no width advised: the times first); the detector's own
// minimum width with the filter off; the wrong direction for the cycle detector.
TEST_F(AnalyzeUnattended, EveryHintFollowedBringsTheEventsBack) {
  ASSERT_TRUE(testsupport::HostBuilt());
  const std::wstring steps = L"\"" + testsupport::SourcePathW("data/neuron_steps.csv") + L"\" --type 5 --set 1035=1 ";
  const std::wstring ecg = L"\"" + testsupport::SourcePathW("data/ecg_mitbih100_mlii.csv") + L"\" --type 1 ";
  const std::wstring synaptic = L"\"" + testsupport::SourcePathW("data/synaptic_currents.csv") + L"\" --type 2 ";
  const std::wstring plateau = NoisyPlateauRecording(3);
  const std::wstring minutes = CardiacInMinutesRecording();
  const std::string noise = "the minimum height lies in the noise, whose standard deviation is about ";
  const std::string higher = "a minimum height above that leaves them out: at ";
  struct Hint {
    std::wstring recording;  // and the options
    std::vector<std::string> says;
    std::wstring followed;   // the options added
    size_t events;           // the rows after it, at least
  };
  std::vector<Hint> hints = {
      {steps + L"--set 1006=0.1", {"more than the whole trace spans (0.0994 V)\r\n"}, L"--set 1006=0.05", 20},
      {steps + L"--set 1006=50", {"heights are in base units, 0.05 for 50 mV"}, L"--set 1006=0.05", 20},
      {L"\"" + sRecording + L"\" --type 1 --set 1001=5000", {"a smaller minimum width (setting 1001) keeps them"},
       L"--set 1001=50", 8},
      {steps + L"--set 1035=10", {"at 1 ms (setting 1035 = 1) the width filter keeps 36", "detector then keeps 1\r\n"},
       L"--set 1035=1", 36},
      {steps + L"--set 1035=10", {"detector then keeps 1\r\n"}, L"--set 1036=f", 1},
      {ecg + L"--set 1006=0.0005", {"found 760 before it, peaks of their own", "smaller minimum width (setting 1001)"},
       L"--set 1001=1", 760},
      {L"\"" + sRecording + L"\" --type 1 --set 1036=f --set 1001=5000",
       {"half of setting 1001 (5000 ms): a smaller minimum width (setting 1001) keeps them: at 50 ms (setting 1001 = "
        "50) the peak detector finds 8\r\n"},
       L"--set 1001=50", 8},
      {L"\"" + plateau + L"\" --type 1", {noise, "swings by up to 0.081 V (81 mV)", "at 0.081 V (81 mV) (setting 1006 = "
       "0.081) the width filter keeps 4"}, L"--set 1006=0.081", 4},
      {L"\"" + minutes + L"\" --type 1", {"rather than pieces of wider ones; at 300000 Hz", "; at 300000 Hz, above the rates recordings are made at, the times read as "
       "seconds are most likely minutes, and widths count in them: put the times in seconds first\r\n"}, L"", 0},
      {steps + L"--set 1006=0.099", {"the highest that does is 0.0948 V (94.8 mV), and a minimum height (setting 1006) "
       "below that finds it: at 0.094 V (94 mV) (setting 1006 = 0.094) the width filter keeps 1\r\n"},
       L"--set 1006=0.094", 1},
      {steps + L"--set 1036=f --set 1006=0.099", {"0.0948 V", "(setting 1006 = 0.094) the peak detector finds 1\r\n"},
       L"--set 1006=0.094", 1},
      {steps + L"--set 1001=0 --set 1035=0 --set 1006=0.099", {"0.0948 V", "(setting 1006 = 0.094) the width filter"},
       L"--set 1006=0.094", 1},
      {synaptic + L"--set \"1010=1 0 1 0.5 9 10 50 1 0 0\"", {"the third number is the direction", "; downward, --set \"1010=1 0 -1 0.5 9 10 50 1 0 0\", the detector finds 27\r\n"},
       L"--set \"1010=1 0 -1 0.5 9 10 50 1 0 0\"", 20},
  };
  std::vector<std::wstring> noisy;
  for (uint32_t seed = 1; seed <= 3; ++seed)
    for (const double filter : {0.0, 3.0}) {
      noisy.push_back(NoisyCardiacRecording(seed, 0.003, filter));
      const std::wstring recording = L"\"" + noisy.back() + L"\" ";
      hints.push_back({recording + L"--type 1 --set 1006=0.001", {noise, higher}, L"--set 1006=0.035", 4});
      // With the filter off the detector passes over the last beat's fall (the record's end).
      hints.push_back({recording + L"--type 1 --set 1036=f --set 1006=0.002", {noise, higher}, L"--set 1006=0.035", 3});
    }
  for (const Hint& hint : hints) {
    RunResult run, followed;
    ASSERT_TRUE(RunHost(L"analyze --table --recording " + hint.recording, run));
    const size_t line = run.output.rfind("found 0 events");
    EXPECT_NE(std::string::npos, line) << Utf8(hint.recording) << "\n" << run.output;
    if (line == std::string::npos) continue;
    for (const std::string& words : hint.says)
      EXPECT_NE(std::string::npos, run.output.find(words, line)) << Utf8(hint.recording) << "\n" << run.output;
    ASSERT_TRUE(RunHost(L"analyze --table --recording " + hint.recording + L" " + hint.followed, followed));
    EXPECT_LE(hint.events, EventRows(followed.output)) << Utf8(hint.recording + L" " + hint.followed) << "\n"
                                                       << followed.output.substr(0, 600);
  }
  for (const std::wstring& file : noisy) DeleteFileW(file.c_str());
  DeleteFileW(plateau.c_str());
  DeleteFileW(minutes.c_str());
}

// The cells of the column whose heading starts with `heading`, one per event row, as numbers.
std::vector<double> ColumnValues(const std::string& output, const std::string& heading) {
  const std::vector<std::vector<std::string>> lines = testsupport::TabCells(output);
  std::vector<double> values;
  if (lines.empty()) return values;
  const auto at = std::find_if(lines[0].begin(), lines[0].end(),
                               [&](const std::string& cell) { return cell.rfind(heading, 0) == 0; });
  if (at == lines[0].end()) return values;
  const size_t column = static_cast<size_t>(at - lines[0].begin());
  for (size_t i = 1; i < lines.size() && lines[i].size() > column && !lines[i][0].empty(); ++i)
    values.push_back(std::atof(lines[i][column].c_str()));
  return values;
}

// Where a line names the last value of a height, a width or a window it advises ("(setting 1006 =
// 0.03)", also of 1001, 1035 and 1008); npos when it names none.
size_t AdvisedSetting(const std::string& line) {
  static const char* const kAdvised[] = {"(setting 1006 = ", "(setting 1001 = ", "(setting 1035 = ",
                                         "(setting 1008 = "};
  size_t best = std::string::npos;
  for (const char* const id : kAdvised) {
    const size_t at = line.rfind(id);
    if (at != std::string::npos && (best == std::string::npos || at > best)) best = at;
  }
  return best;
}

// The change a line names, as options: each "setting 1006 = 0.03" (and of 1001, 1035, 1007, 1008) as --set
// 1006=0.03, in order, so that a later one wins, or the options it quotes whole ("--type 0 --set
// \"1010=...\""); empty when it names none.
std::wstring AdvisedOptions(const std::string& line) {
  size_t quoted = line.find("--type 0 --set \"");
  if (quoted == std::string::npos) quoted = line.find("--set \"1010=");
  if (quoted != std::string::npos) return Wide(line.substr(quoted, line.find_first_of("(,\r\n", quoted) - quoted));
  std::wstring options;
  for (size_t setting = 0; (setting = line.find("(setting ", setting)) != std::string::npos; ++setting) {
    const std::string id = line.substr(setting + 9, 4);
    const size_t value = setting + 16;
    if ((id == "1006" || id == "1001" || id == "1035" || id == "1007" || id == "1008") &&
        line.compare(setting + 13, 3, " = ") == 0)
      options += (options.empty() ? L"--set " : L" --set ") + Wide(id) + L"=" +
                 Wide(line.substr(value, line.find(')', value) - value));
  }
  return options;
}

// Whether every number in the options is written as it reads back, the shortest text of its
// double ("0.03", never "0.029999999999999999").
bool NumbersAsTyped(const std::string& options) {
  std::string word;
  for (const char c : options + " ") {
    if (c != ' ' && c != '"' && c != '=') {
      word += c;
      continue;
    }
    char* end = nullptr;
    const double value = std::strtod(word.c_str(), &end);
    if (!word.empty() && *end == 0 && host::ExactNumberText(value) != word) return false;
    word.clear();
  }
  return true;
}

// How many events the line says its change finds: the number after the first "finds " or "keeps "
// from where it names the change; -1 when it says none.
int AdvisedCount(const std::string& line) {
  size_t from = line.find("--set \"1010=");
  if (from == std::string::npos) from = AdvisedSetting(line);
  if (from == std::string::npos) return -1;
  const size_t count = std::min(line.find("finds ", from), line.find("keeps ", from));
  return count == std::string::npos ? -1 : std::atoi(line.c_str() + count + 6);
}

// Every line that names a change, followed on the generated recording it fired on, brings back the events it holds,
// as many as it says, and nothing else, its numbers written as they read back (each shape prints one at least,
// spikes turned over beside the rows of the rest between them too, and a minimum height in the noise beside the
// rows it finds): four cardiac action potentials with a plateau the noise splits (every RMP at rest, every APA the
// whole height, none on a repolarisation), or narrower than the minimum width, the width filter on or off, also at
// a minimum height in the noise (the line then advises a height and a width), spikes turned over, half of them in
// pairs 2-3 ms apart (each a row of its own, whatever the minimum width), responses pointing down at a minimum
// height in the noise and at one above them, responses pointing up at a minimum height in the noise (none read the
// noise's peaks once followed) and above some or all of them, and inward currents searched downward at a threshold
// deeper than they are, or searched upward, with settings typed as no double holds them (0.3), with a threshold in
// the noise (2 standard deviations: turned, it finds the noise's swings too), and with a minimum height that counts
// a channel's own numbers (one row each, as deep as they are), and population spikes searched in a window shorter
// than the search's own reach, or wholly within or past the spike (each measured whole once followed), upright
// action potentials at a minimum height a little above most of them (the rows the noise lifts above it, or none),
// the plateau in noise of 3 mV at minimum heights of 3 and 5 standard deviations, whose rows on a
// repolarisation come back with a line, and at one out of the noise, and responses pointing down no further than
// their noise swings (no threshold finds them alone). A line asking for a smaller or a higher setting gives its
// value, and one on events that point down says so.
TEST_F(AnalyzeUnattended, EveryLineFollowedOnAGeneratedShapeBringsBackItsEvents) {
  ASSERT_TRUE(testsupport::HostBuilt());
  for (uint32_t seed = 1; seed <= 3; ++seed) {
    const testsupport::HintRecording shapes[] = {
        testsupport::CardiacPlateau(seed), testsupport::InvertedSpikes(seed), testsupport::DownwardResponses(seed),
        testsupport::InwardCurrents(seed, "Time [s],Im [pA]"), testsupport::InwardCurrents(seed, "Time [s],Im"),
        testsupport::UpwardResponses(seed), testsupport::PopulationSpikes(seed), testsupport::UprightSpikes(seed),
        testsupport::CardiacPlateau(seed, 3.0), testsupport::DownwardResponses(seed, 1.5)};
    const std::wstring spikes = L"--type 4 --set 1000=3 --set 1028=0.01 ";
    const std::wstring evoked = L"--type 3 --set 1000=3 --set 1002=0.01 --set 1008=20 ";
    const std::vector<std::wstring> options[] = {
        {L"--type 1 --set 1006=0.01", L"--type 1 --set 1006=0.015", L"--type 1 --set 1006=0.001",
         L"--type 1 --set 1036=f --set 1006=0.005", L"--type 1 --set 1036=f --set 1006=0.02", L"--type 1 --set 1001=500",
         L"--type 1 --set 1006=0.001 --set 1001=500", L"--type 1 --set 1036=f --set 1006=0.001 --set 1001=1000"},
        {L"--type 5", L"--type 5 --set 1035=1", L"--type 5 --set 1035=0.3", L"--type 1"},
        {evoked + L"--set 1006=0.002", evoked + L"--set 1006=0.03", evoked + L"--set 1006=0.002 --set 1008=40",
         evoked + L"--set 1006=0.0005"},
        {L"--type 2", L"--type 0", L"--type 2 --set \"1010=1 0 1 0.3 3.3 5 100 1 0 0\"",
         L"--type 0 --set \"1010=1 0 1 0.5 2 5 100 1 0 0\"", L"--type 2 --set \"1010=1 0 -1 0.5 1e-10 5 100 0 0 0\"",
         L"--type 0 --set \"1010=1 0 -1 0.5 8e-11 5 100 0 0 0\""},
        {L"--type 1", L"--type 5", L"--type 0 --set \"1010=1 0 1 0.3 30 5 100 0 0 0\""},
        {evoked + L"--set 1006=0.0005", evoked + L"--set 1006=0.003", evoked + L"--set 1006=0.005",
         evoked + L"--set 1006=0.011", evoked + L"--set 1006=0.03"},
        {spikes + L"--set 1008=0.5", spikes + L"--set 1007=5 --set 1008=5.5", spikes + L"--set 1007=150 --set 1008=200"},
        {L"--type 5 --set 1006=0.1", L"--type 1 --set 1006=0.1", L"--type 5 --set 1036=f --set 1006=0.1",
         L"--type 5 --set 1035=0.5 --set 1006=0.098"},
        {L"--type 1 --set 1006=0.01", L"--type 1 --set 1006=0.015", L"--type 1 --set 1006=0.03"},
        {evoked + L"--set 1006=0.002"}};
    for (size_t shape = 0; shape < std::size(shapes); ++shape) {
      const testsupport::HintRecording& events = shapes[shape];
      const std::wstring file = testsupport::WriteTempText(events.text);
      int lines = 0;
      for (const std::wstring& option : options[shape]) {
        const std::string name = "seed " + std::to_string(seed) + " shape " + std::to_string(shape) + " " + Utf8(option);
        RunResult run, followed;
        ASSERT_TRUE(RunHost(L"analyze --table --recording \"" + file + L"\" " + option, run));
        const size_t line = std::min({run.output.find("found 0 events"), run.output.find("none with a response"),
                                      run.output.find("a response after"), run.output.find("none with a population spike"),
                                      run.output.find("peaks point down"), run.output.find("lies in the noise")});
        const std::string said = run.output.substr(line == std::string::npos ? 0 : line);
        const std::wstring advice = AdvisedOptions(said);
        // A line that asks for a smaller or a higher setting gives its value; one of a type that
        // measures upward peaks on events that point down says so.
        const wchar_t type = option[option.find(L"--type ") + 7];
        if (line != std::string::npos && (said.find(" a smaller ") != std::string::npos ||
                                          said.find(" a higher ") != std::string::npos)) {
          EXPECT_FALSE(advice.empty()) << name << "\n" << said;
        }
        if (line != std::string::npos && events.height < 0.0 && (type == L'1' || type == L'3' || type == L'5')) {
          EXPECT_NE(std::string::npos, said.find("point down")) << name << "\n" << said;
        }
        // A line saying that no setting finds the events alone has nothing to follow.
        if (advice.empty() && said.find(" alone") != std::string::npos) {
          ++lines;
          continue;
        }
        // Rows without a line are the events themselves.
        if (advice.empty()) {
          followed = run;
        } else {
          ++lines;
          EXPECT_TRUE(NumbersAsTyped(Utf8(advice))) << name << "\n" << said;
          ASSERT_TRUE(RunHost(L"analyze --table --recording \"" + file + L"\" " + option + L" " + advice, followed));
        }
        const bool cycles = type == L'0' || type == L'2' || type == L'3' || advice.find(L"1010=") != std::wstring::npos;
        const std::vector<double> heights =
            ColumnValues(followed.output, type == L'4' ? "PopSpikeHeight" : cycles ? "Height" : "APA");
        // A population spike's height is measured from its peaks, without a rest.
        std::vector<double> rests = ColumnValues(followed.output, cycles ? "Baseline" : "RMP");
        if (type == L'4') rests.assign(heights.size(), events.rest);
        EXPECT_EQ(static_cast<size_t>(events.events), heights.size()) << name << " " << Utf8(advice) << "\n" << said;
        if (!advice.empty()) {
          EXPECT_EQ(AdvisedCount(said), static_cast<int>(heights.size())) << name << "\n" << said;
        }
        for (size_t i = 0; i < heights.size(); ++i) {
          EXPECT_NEAR(events.height, heights[i], std::fabs(events.height) * 0.25) << name << " row " << i + 1;
          EXPECT_NEAR(events.rest, rests[i], 10.0) << name << " row " << i + 1;
        }
      }
      EXPECT_LT(0, lines) << "seed " << seed << " shape " << shape << ": no line names a change or says none works";
      DeleteFileW(file.c_str());
    }
  }
}

// Ten stimuli 100 ms apart (+25 mV, 0.3 ms) with responses of 12 mV in white noise of 1 mV: a
// stimulus height of 4 mV lies in the noise, whose samples reach 4.5 mV from rest over 20000 of
// them, and the line after the table says so; at 12.5 mV it says nothing, and every row is a response.
TEST_F(AnalyzeUnattended, StimulusHeightInTheNoiseIsSaid) {
  ASSERT_TRUE(testsupport::HostBuilt());
  testsupport::Noise noise(7);
  std::string text = "Time [s],Vm [mV]";
  char line[64];
  for (int32_t i = 0; i < 20000; ++i) {
    const double ms = std::fmod(i / 20.0 + 50.0, 100.0), x = (ms - 1.0) / 1.0;
    const double v = -60.0 + (i >= 1000 && ms < 0.3 ? 25.0 : 0.0) + (i >= 1000 && x > 0.0 ? 12.0 * x * std::exp(1.0 - x) : 0.0);
    std::snprintf(line, sizeof(line), "\n%.5f,%.4f", i / 20000.0, v + noise(1.0));
    text += line;
  }
  const std::wstring file = testsupport::WriteTempText(text);
  const std::wstring evoked = L"analyze --table --recording \"" + file + L"\" --type 3 --set 1000=3 --set 1006=0.005 "
                              L"--set 1008=40 --set 1027=90 --set 1002=";
  RunResult low, high, both;
  ASSERT_TRUE(RunHost(evoked + L"0.004", low));
  ASSERT_TRUE(RunHost(evoked + L"0.0125", high));
  // The noise's stimuli, and its responses after them at a minimum height in the noise too: the
  // stimulus height comes first, and nothing is said of the responses turned over.
  ASSERT_TRUE(RunHost(L"analyze --table --recording \"" + file + L"\" --type 3 --set 1000=3 --set 1006=0.0005 "
                      L"--set 1008=40 --set 1002=0.001", both));
  EXPECT_NE(std::string::npos, both.output.find("; the stimulus height (setting 1002 = 0.001) lies in the noise"))
      << both.output;
  EXPECT_EQ(std::string::npos, both.output.find("point down")) << both.output;
  EXPECT_NE(std::string::npos, low.output.find("; the stimulus height (setting 1002 = 0.004) lies in the noise, whose "
                                               "standard deviation is about 0.001"))
      << low.output;
  EXPECT_EQ(std::string::npos, high.output.find("lies in the noise")) << high.output;
  const std::vector<double> heights = ColumnValues(high.output, "Height");
  EXPECT_EQ(10u, heights.size()) << high.output;
  for (const double h : heights) EXPECT_NEAR(12.0, h, 3.0) << high.output;
  DeleteFileW(file.c_str());
}

// Without events the Table View has no summary rows: the heading, the empty line, the heading;
// then the line saying what was looked for (in volts, the channel's own unit here) and why
// nothing was found.
TEST_F(AnalyzeUnattended, AnalysisWithoutEventsPrintsTheHeadingTwice) {
  ASSERT_TRUE(testsupport::HostBuilt());
  const RunResult run = Analyze(L"--type 1 --height 5");
  EXPECT_EQ(0u, run.exitCode) << run.output;
  const std::string heading = run.output.substr(0, run.output.find("\r\n") + 2);
  EXPECT_EQ(0u, heading.find("\tRMP (V)\tAPA (V)\t")) << run.output;
  EXPECT_EQ(heading + "\r\n" + heading + "found 0 events: minimum height 5 V, more than the whole trace spans (1 V)\r\n", run.output);
  // A unit beyond Latin-1 stays in the headings; a height beyond a double in the channel's unit
  // is still a number.
  const std::wstring milliohms = WriteText(sRecording + L".mohm.csv", "Time [s],R [m\xCE\xA9]\n0,-70\n0.001,-60\n0.002,-70\n");
  const RunResult ohms = Analyze(L"--recording \"" + milliohms + L"\" --type 5 --set 1006=1e308");
  const std::string ohmHeading = ohms.output.substr(0, ohms.output.find("\r\n") + 2);
  EXPECT_EQ(0u, ohmHeading.find("\tRMP (m\xCE\xA9)\t")) << ohms.output;
  EXPECT_EQ(ohmHeading + "\r\n" + ohmHeading + "found 0 events: minimum height 1e+308 \xCE\xA9 (1e+311 m\xCE\xA9), more than the "
            "whole trace spans (0.01 \xCE\xA9): heights are in base units, 1e+305 for 1e+308 m\xCE\xA9\r\n", ohms.output);
  DeleteFileW(milliohms.c_str());
}

}  // namespace
