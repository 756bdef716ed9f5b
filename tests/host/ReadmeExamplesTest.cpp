// The README's worked examples, run as written: each prints as many events as the README says.
#include "tests/support/HostProcess.h"
#include "tests/support/SourceTree.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

using testsupport::HostBuilt;
using testsupport::RunHost;
using testsupport::RunResult;

struct Example {
  std::string file;     // relative to the repository
  std::string options;  // as written after the file
  size_t events = 0;
};

// Every "scripts/run FILE OPTIONS" line of the README followed by a line "# N events ...".
std::vector<Example> ReadmeExamples() {
  std::ifstream readme(testsupport::SourcePath("README.md"));
  const std::regex command(R"(^\s*scripts/run ([^ -][^ ]*)(.*)$)");
  const std::regex events(R"(^\s*# (\d+) events\b.*$)");
  std::vector<Example> examples;
  std::string previous;
  for (std::string line; std::getline(readme, line); previous = line) {
    std::smatch run, count;
    if (!std::regex_match(line, count, events) || !std::regex_match(previous, run, command)) continue;
    examples.push_back({run[1].str(), run[2].str(), std::stoul(count[1].str())});
  }
  return examples;
}

// The event rows of the table text: the lines between the heading and the first empty line.
size_t EventRows(const std::string& table) {
  std::istringstream lines(table);
  std::string line;
  std::getline(lines, line);
  size_t rows = 0;
  while (std::getline(lines, line) && line != "\r" && !line.empty()) ++rows;
  return rows;
}

TEST(ReadmeExamples, EachPrintsTheEventsTheReadmeSays) {
  ASSERT_TRUE(HostBuilt()) << "ondara-host.exe is not beside the test program";
  const std::vector<Example> examples = ReadmeExamples();
  ASSERT_GE(examples.size(), 4u) << "the README's worked examples were not found";
  for (const Example& example : examples) {
    const std::string recording = testsupport::SourcePath(example.file);
    const std::string arguments = "analyze --recording \"" + recording + "\" --table" + example.options;
    RunResult run;
    ASSERT_TRUE(RunHost(std::wstring(arguments.begin(), arguments.end()), run)) << arguments;
    EXPECT_EQ(0u, run.exitCode) << example.file << example.options << "\n" << run.output.substr(0, 300);
    EXPECT_EQ(example.events, EventRows(run.output)) << example.file << example.options;
  }
}

}  // namespace
