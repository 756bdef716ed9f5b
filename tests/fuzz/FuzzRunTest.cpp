// Fuzzing runs: failures found, told apart, shrunk, kept and reported the same way for the same seed;
// a hang ends the run; and the real targets take their own seeds and refuse what is broken without failing.
#include "bench/fuzz/FuzzRun.h"

#include "bench/fuzz/FuzzKeep.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace fuzz {
namespace {

volatile int* volatile gNowhere = nullptr;
volatile bool gForever = true;

// A folder of its own for a run's kept files, emptied first.
std::string KeepFolder(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + name + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder + "*.input").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do DeleteFileA((folder + found.cFileName).c_str());
    while (FindNextFileA(search, &found));
    FindClose(search);
  }
  return folder;
}

// Fails one way on "!!", another on "#", and takes everything else that has no '?'.
Target ToyTarget() {
  Target target;
  target.name = "toy";
  target.seeds = {"abcdef", "ghij"};
  target.words.words = {"!", "#", "?"};
  target.run = [](const std::string& input) {
    if (input.find("!!") != std::string::npos) throw std::logic_error("two marks");
    if (input.find('#') != std::string::npos) *gNowhere = 1;
    return input.find('?') == std::string::npos;
  };
  return target;
}

TEST(FuzzRun, FindsShrinksAndReportsEachDistinctFailureRepeatably) {
  GuardLimits limits;
  InstallGuard(limits, {});
  RunOptions options;
  options.seed = 5;
  options.inputs = 3000;
  options.keepFolder = KeepFolder("ondara-fuzz-run");
  std::vector<Target> targets = {ToyTarget()};
  const RunReport report = RunFuzz(targets, options);
  const TargetCounts& counts = report.counts.at("toy");
  EXPECT_EQ(counts.inputs, 3000u);
  EXPECT_EQ(counts.taken + counts.refused + counts.failed, 3000u);
  ASSERT_EQ(report.failures.size(), 2u) << FormatReport(report);
  for (const Failure& failure : report.failures) {
    EXPECT_EQ(failure.input, failure.kind == FailureKind::Crash ? "#" : "!!") << failure.detail;
    EXPECT_GE(failure.count, 1u);
    // Kept as --replay reads them: the first input whole, then the smallest.
    KeptInput first, smallest;
    ASSERT_TRUE(ReadKeptFile(failure.keptFile, &first)) << failure.keptFile;
    EXPECT_EQ(first.target, "toy");
    EXPECT_EQ(first.seed, 5u);
    EXPECT_EQ(first.number, failure.firstInput);
    EXPECT_EQ(first.state, std::string(FailureKindName(failure.kind)) + ": " + failure.detail);
    EXPECT_NE(first.input.find(failure.input), std::string::npos);
    ASSERT_TRUE(ReadKeptFile(failure.smallestFile, &smallest)) << failure.smallestFile;
    EXPECT_EQ(smallest.input, failure.input);
    EXPECT_NE(FormatReport(report).find("kept in " + failure.keptFile), std::string::npos);
  }
  EXPECT_EQ(GetFileAttributesA(KeptPath(options, "running").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(FormatReport(report).find("seed 5: 3000 inputs"), std::string::npos);
  EXPECT_NE(FormatReport(report).find("-smallest.input): !!"), std::string::npos) << FormatReport(report);

  const RunReport again = RunFuzz(targets, options);
  EXPECT_EQ(again.counts.at("toy").taken, counts.taken);
  ASSERT_EQ(again.failures.size(), report.failures.size());
  for (size_t i = 0; i < again.failures.size(); ++i) {
    EXPECT_EQ(again.failures[i].firstInput, report.failures[i].firstInput);
    EXPECT_EQ(again.failures[i].count, report.failures[i].count);
  }
}

// A hang may have stopped the thread inside the heap: nothing more runs, and the input is kept.
TEST(FuzzRun, AHangEndsTheRunAndKeepsItsInput) {
  GuardLimits limits;
  limits.timeBoundMs = 200;
  InstallGuard(limits, {});
  Target target = ToyTarget();
  target.words.words.push_back("%");
  const auto toy = target.run;
  target.run = [toy](const std::string& input) {
    while (input.find('%') != std::string::npos && gForever) {
    }
    return toy(input);
  };
  std::vector<Target> targets = {target};
  RunOptions options;
  options.seed = 5;
  options.inputs = 3000;
  options.keepFolder = KeepFolder("ondara-fuzz-hang");
  const RunReport report = RunFuzz(targets, options);
  ASSERT_FALSE(report.failures.empty());
  const Failure& hang = report.failures.back();
  EXPECT_EQ(hang.kind, FailureKind::Hang) << FormatReport(report);
  EXPECT_EQ(report.inputs, hang.firstInput + 1);
  EXPECT_FALSE(report.stopped.empty());
  KeptInput kept;
  ASSERT_TRUE(ReadKeptFile(hang.keptFile, &kept)) << hang.keptFile;
  EXPECT_EQ(kept.input, hang.input);
  EXPECT_EQ(kept.number, hang.firstInput);
  EXPECT_EQ(kept.state.rfind("hang: running past 200 ms of processor time, at ", 0), 0u) << kept.state;
  EXPECT_FALSE(GuardUsable());
}

TEST(FuzzRun, TargetsTakeTheirSeedsAndRefuseDamagedInput) {
  GuardLimits limits;
  InstallGuard(limits, {});
  FuzzHost host;
  ASSERT_TRUE(host.Start()) << "Ondara.dll or Lumo.dll is not beside the test program";
  const Target formula = MakeFormulaTarget(host);
  const Target recording = MakeRecordingTarget(host);
  const Target stream = MakeStreamTarget();
  const Target settings = MakeSettingsTarget();
  const Target columns = MakeColumnStateTarget();
  const Target formats = MakeCellFormatTarget();
  struct Case {
    const Target* target;
    std::string input;
    bool taken;
  };
  const Case cases[] = {
      {&formula, formula.seeds[0], true},
      {&formula, "cappeakdet(ch1,", false},
      {&formula, "calcbulk(ch1,cappeakdet(ch1,0.3))", false},
      {&recording, recording.seeds[0], true},
      {&recording, "Time [s],V\n0,x\n", false},
      {&stream, stream.seeds[0], true},
      {&stream, std::string("\x02\x01\x00\x00\x80\xFF\xFF\xFF\x7F\x01\x00\x00\x80", 13), false},  // huge count
      {&settings, settings.seeds[0], true},
      {&settings, settings.seeds[0].substr(0, settings.seeds[0].size() / 2), false},
      {&columns, columns.seeds[0], true},
      {&columns, columns.seeds[0].substr(0, columns.seeds[0].size() - 4), false},  // no end marker
      {&formats, formats.seeds[0], true},
      {&formats, formats.seeds[0].substr(0, formats.seeds[0].size() - 4), false},  // no closing marker
  };
  for (const Case& c : cases) {
    bool taken = !c.taken;
    const GuardOutcome outcome = RunOne(*c.target, c.input, &taken);
    EXPECT_EQ(outcome.kind, FailureKind::None) << c.target->name << ": " << outcome.detail;
    EXPECT_EQ(taken, c.taken) << c.target->name << ": " << Printable(c.input, 80);
  }
  const std::vector<std::string> builder = BuilderFormulas();
  EXPECT_NE(std::find_if(builder.begin(), builder.end(),
                         [](const std::string& f) { return f.rfind("calcbulk( ch1, calcbase2(", 0) == 0; }),
            builder.end());
}

}  // namespace
}  // namespace fuzz
