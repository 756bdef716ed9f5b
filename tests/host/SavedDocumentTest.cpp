// The analysis document kept with a recording (analyze --documents): opened again, it analyses
// as it did when it was saved.
#include "tests/support/HostProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testsupport::RunHost;
using testsupport::RunResult;

class SavedDocument : public ::testing::TestWithParam<int> {
 protected:
  static void SetUpTestSuite() { sRecording = testsupport::WriteCardiacRecording(); }
  static void TearDownTestSuite() { DeleteFileW(sRecording.c_str()); }
  static std::wstring sRecording;
};
std::wstring SavedDocument::sRecording;

std::string Rows(const std::string& output) { return output.substr(0, output.find("\r\n\r\n")); }

// Every analysis type, the peak-detector types (0 and 2) among them, whose detector lives in
// the host's detection settings of the channel: the document opened from the file without any
// option gives the rows of the run that saved it.
TEST_P(SavedDocument, ReopenedDocumentGivesTheSameRows) {
  ASSERT_TRUE(testsupport::HostBuilt());
  ASSERT_FALSE(sRecording.empty());
  const std::wstring documents = sRecording + L"." + std::to_wstring(GetParam()) + L".documents";
  DeleteFileW(documents.c_str());
  const std::wstring analyze = L"analyze --recording \"" + sRecording + L"\" --table --documents \"" + documents + L"\"";
  RunResult first;
  ASSERT_TRUE(RunHost(analyze + L" --type " + std::to_wstring(GetParam()), first));
  ASSERT_EQ(0u, first.exitCode) << first.output;
  RunResult reopened;
  ASSERT_TRUE(RunHost(analyze, reopened));
  DeleteFileW(documents.c_str());
  EXPECT_EQ(0u, reopened.exitCode) << reopened.output;
  EXPECT_EQ(first.output, reopened.output);
  if (GetParam() == 0 || GetParam() == 2) {
    EXPECT_NE(std::string::npos, Rows(first.output).find("\r\n1\t")) << first.output;
  }
}

INSTANTIATE_TEST_SUITE_P(AllTypes, SavedDocument, ::testing::Range(0, 6));

}  // namespace
