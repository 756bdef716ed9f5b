// Fuzzing runs: failures found, told apart, shrunk and reported the same way for the same seed; and the
// real targets take their own seeds and refuse what is broken without failing.
#include "bench/fuzz/FuzzRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace fuzz {
namespace {

volatile int* volatile gNowhere = nullptr;

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
  std::vector<Target> targets = {ToyTarget()};
  const RunReport report = RunFuzz(targets, options);
  const TargetCounts& counts = report.counts.at("toy");
  EXPECT_EQ(counts.inputs, 3000u);
  EXPECT_EQ(counts.taken + counts.refused + counts.failed, 3000u);
  ASSERT_EQ(report.failures.size(), 2u) << FormatReport(report);
  for (const Failure& failure : report.failures) {
    EXPECT_EQ(failure.input, failure.kind == FailureKind::Crash ? "#" : "!!") << failure.detail;
    EXPECT_GE(failure.count, 1u);
  }
  EXPECT_NE(FormatReport(report).find("seed 5: 3000 inputs"), std::string::npos);
  EXPECT_NE(FormatReport(report).find("smallest (2 bytes): !!"), std::string::npos) << FormatReport(report);

  const RunReport again = RunFuzz(targets, options);
  EXPECT_EQ(again.counts.at("toy").taken, counts.taken);
  ASSERT_EQ(again.failures.size(), report.failures.size());
  for (size_t i = 0; i < again.failures.size(); ++i) {
    EXPECT_EQ(again.failures[i].firstInput, report.failures[i].firstInput);
    EXPECT_EQ(again.failures[i].count, report.failures[i].count);
  }
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
