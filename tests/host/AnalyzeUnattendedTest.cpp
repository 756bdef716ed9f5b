// The analyze command run by a script: what it refuses, and the boxes nobody is there to answer.
#include "tests/support/HostProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
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

// A value is taken only when its whole text is one finite number of the setting's kind;
// anything else is one line with the setting's own message, status 2, and no analysis.
TEST_F(AnalyzeUnattended, SetRefusesTextsThatAreNotOneFiniteNumber) {
  ASSERT_TRUE(testsupport::HostBuilt());
  const struct {
    const wchar_t* option;
    const char* line;
  } cases[] = {
      {L"1006=0,0005", "setting 1006 = '0,0005': The Minimum Peak Height must be zero or larger.\r\n"},
      {L"1006=abc", "setting 1006 = 'abc': The Minimum Peak Height must be zero or larger.\r\n"},
      {L"1006=1e400", "setting 1006 = '1e400': The Minimum Peak Height must be zero or larger.\r\n"},
      {L"1040=nan", "setting 1040 = 'nan': This setting must be a number.\r\n"},
      {L"1036=T", "setting 1036 = 'T': the value is not accepted\r\n"},
  };
  for (const auto& c : cases) {
    const RunResult run = Analyze(L"--type 1 --set " + std::wstring(c.option));
    EXPECT_EQ(2u, run.exitCode) << run.output;
    EXPECT_EQ(c.line, run.output);
  }
}

std::vector<char> FileBytes(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A documents file whose settings stream holds a damaged value is refused in one line naming the
// file and what is wrong, and is left as it was.
TEST_F(AnalyzeUnattended, DamagedDocumentsFileIsNamedWithWhatIsWrongAndKept) {
  ASSERT_TRUE(testsupport::HostBuilt());
  const std::wstring documents = sRecording + L".damaged.documents";
  const RunResult saved = Analyze(L"--type 1 --set 1001=12 --documents \"" + documents + L"\"");
  ASSERT_EQ(0u, saved.exitCode) << saved.output;
  std::vector<char> bytes = FileBytes(documents);
  const char twelve[] = {'1', 0, '2', 0};
  const auto at = std::search(bytes.begin(), bytes.end(), std::begin(twelve), std::end(twelve));
  ASSERT_NE(bytes.end(), at);
  at[2] = '\x30';  // "1\u2030"
  at[3] = '\x20';
  std::ofstream(documents.c_str(), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  const RunResult refused = Analyze(L"--documents \"" + documents + L"\"");
  EXPECT_EQ(2u, refused.exitCode) << refused.output;
  const std::string name(documents.begin(), documents.end());
  EXPECT_EQ(name + ": the analysis document could not be opened: setting 1001 of its analysis settings holds "
                   "\"1\xE2\x80\xB0\", which is not a value of its kind\r\n",
            refused.output);
  EXPECT_EQ(bytes, FileBytes(documents));
  DeleteFileW(documents.c_str());
}

// Without events the Table View has no summary rows: the heading, the empty line, the heading.
TEST_F(AnalyzeUnattended, AnalysisWithoutEventsPrintsTheHeadingTwice) {
  ASSERT_TRUE(testsupport::HostBuilt());
  const RunResult run = Analyze(L"--type 1 --height 5");
  EXPECT_EQ(0u, run.exitCode) << run.output;
  const std::string heading = run.output.substr(0, run.output.find("\r\n") + 2);
  EXPECT_EQ(0u, heading.find("\tRMP (V)\tAPA (V)\t")) << run.output;
  EXPECT_EQ(heading + "\r\n" + heading, run.output);
}

}  // namespace
