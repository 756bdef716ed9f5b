// The settings dialog scripts: their steps as parsed, and the one error line for a bad line.
#include "host/app/SettingsScript.h"

#include <gtest/gtest.h>

namespace {

using ondara_host::StepKind;

ondara_host::SettingsScript Parse(const wchar_t* text) {
  ondara_host::SettingsScript script;
  script.name = L"s.txt";
  std::string error;
  EXPECT_TRUE(ondara_host::ParseSettingsScript(text, script, error)) << error;
  return script;
}

std::string ErrorOf(const wchar_t* text) {
  ondara_host::SettingsScript script;
  script.name = L"s.txt";
  std::string error;
  EXPECT_FALSE(ondara_host::ParseSettingsScript(text, script, error));
  return error;
}

TEST(SettingsScript, EveryStepKeepsItsTargetTextAndLine) {
  const auto script = Parse(
      L"# cardiac peaks\n"
      L"\n"
      L"type Cardiac Action Potential\r\n"
      L"  TAB  Detector \n"
      L"source 2\n"
      L"enter Minimum peak height = 0.5\n"
      L"enter #1084 =\n"
      L"click Al&ways set to\n"
      L"spin Width up 3\n"
      L"spin Search start down\n"
      L"choose Triangulation = = APD30\n"
      L"hover #9\n"
      L"screenshot shots/cap.png\n"
      L"ok\n");
  ASSERT_EQ(12u, script.steps.size());
  const struct {
    StepKind kind;
    int line;
    const wchar_t* target;
    const wchar_t* text;
    int count;
  } expected[] = {
      {StepKind::Type, 3, L"Cardiac Action Potential", L"", 1},
      {StepKind::Tab, 4, L"Detector", L"", 1},
      {StepKind::Source, 5, L"2", L"", 1},
      {StepKind::Enter, 6, L"Minimum peak height", L"0.5", 1},
      {StepKind::Enter, 7, L"#1084", L"", 1},
      {StepKind::Click, 8, L"Al&ways set to", L"", 1},
      {StepKind::Spin, 9, L"Width", L"", 3},
      {StepKind::Spin, 10, L"Search start", L"", -1},
      {StepKind::Choose, 11, L"Triangulation", L"= APD30", 1},
      {StepKind::Hover, 12, L"#9", L"", 1},
      {StepKind::Screenshot, 13, L"shots/cap.png", L"", 1},
      {StepKind::Ok, 14, L"", L"", 1},
  };
  for (size_t i = 0; i < script.steps.size(); ++i) {
    const auto& step = script.steps[i];
    EXPECT_EQ(expected[i].kind, step.kind) << "step " << i;
    EXPECT_EQ(expected[i].line, step.line) << "step " << i;
    EXPECT_EQ(expected[i].target, step.target) << "step " << i;
    EXPECT_EQ(expected[i].text, step.text) << "step " << i;
    EXPECT_EQ(expected[i].count, step.count) << "step " << i;
  }
  EXPECT_EQ("s.txt:4: TAB  Detector", ondara_host::DescribeStep(script, script.steps[1]));
}

TEST(SettingsScript, ABadLineGivesOneLineNamingIt) {
  const struct {
    const wchar_t* text;
    const char* error;
  } cases[] = {
      {L"tab Baseline\npress OK\n", "s.txt:2: unknown step 'press'"},
      {L"ok now\n", "s.txt:1: ok takes nothing after it"},
      {L"enter Width 5\n", "s.txt:1: enter needs LABEL = TEXT"},
      {L"enter = 5\n", "s.txt:1: enter needs LABEL = TEXT"},
      {L"choose Level\n", "s.txt:1: choose needs LABEL = ENTRY"},
      {L"tab\n", "s.txt:1: tab needs a name"},
      {L"screenshot \n", "s.txt:1: screenshot needs a file"},
      {L"spin Width sideways\n", "s.txt:1: spin needs a label and up or down"},
      {L"spin up\n", "s.txt:1: spin needs a label and up or down"},
      {L"spin Width up 0\n", "s.txt:1: the number of steps must be 1 to 100"},
      {L"spin Width up 101\n", "s.txt:1: the number of steps must be 1 to 100"},
      {L"cancel\n\n# done\nclick OK\n", "s.txt:4: nothing can follow cancel"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.error, ErrorOf(c.text)) << c.error;
}

TEST(SettingsScript, LabelsMatchWithoutMarksCaseOrClosingSign) {
  using ondara_host::NormaliseLabel;
  EXPECT_EQ(L"always set to", NormaliseLabel(L"Al&ways set to"));
  EXPECT_EQ(L"analysis type", NormaliseLabel(L"&Analysis type:"));
  EXPECT_EQ(L"triangulation", NormaliseLabel(L"&Triangulation = "));
  EXPECT_EQ(L"in  \"a exp(-t/tau) + b\", use", NormaliseLabel(L"&In  \"A exp(-t/Tau) + B\", use"));
  EXPECT_EQ(L"r&d", NormaliseLabel(L"R&&D"));
  EXPECT_EQ(L"", NormaliseLabel(L" & "));
}

TEST(SettingsScript, AMissingFileIsNamed) {
  ondara_host::SettingsScript script;
  std::string error;
  EXPECT_FALSE(ondara_host::ReadSettingsScript(L"no-such-script.txt", script, error));
  EXPECT_EQ("cannot read the settings script 'no-such-script.txt'", error);
}

}  // namespace
