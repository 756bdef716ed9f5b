// The analyze command run by a script: what it refuses, and the boxes nobody is there to answer.
#include "tests/support/HostProcess.h"

#include <gtest/gtest.h>

#include <string>

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
// of the output; the run then fails.
TEST_F(AnalyzeUnattended, MessageBoxIsOneLineAndAFailureBoxFailsTheRun) {
  ASSERT_TRUE(testsupport::HostBuilt());
  const RunResult run = Analyze(L"--type 3 --set 1000=5");
  EXPECT_EQ(2u, run.exitCode) << run.output;
  const std::string line = "Ondara: No detector applies to the analysis type and detection settings of the analysis "
                           "channel. Please check the Detector settings.\r\n";
  const size_t at = run.output.find(line);
  EXPECT_NE(std::string::npos, at) << run.output;
  EXPECT_EQ(std::string::npos, run.output.find("No detector", at + line.size())) << run.output;
}

}  // namespace
