// The steps a script plays on the module's settings dialog, one a line, as a user would:
//   tab NAME               click the tab labelled NAME
//   type NAME              choose the analysis type NAME
//   source NAME            choose the source channel NAME (its text in the list, or its number from 1)
//   enter LABEL = TEXT     type TEXT into the edit named by LABEL (its text replaced)
//   click LABEL            click the button, radio button or check box LABEL
//   spin LABEL up|down [N] click the up or down arrow beside the edit LABEL N times (1)
//   choose LABEL = ENTRY   choose ENTRY in the drop-down list named by LABEL
//   hover LABEL            rest the pointer on the control LABEL for a second (its tip shows)
//   screenshot FILE        save a picture of the dialog (FILE relative to the script's folder)
//   ok / cancel            press OK or Cancel; nothing may follow
// A label is matched without its "&" marks, case, surrounding blanks and a closing ":" or "=";
// "#ID" names a control by its id. Blank lines and lines starting with "#" are skipped.
#pragma once

#include <string>
#include <vector>

namespace ondara_host {

enum class StepKind { Tab, Type, Source, Enter, Click, Spin, Choose, Hover, Screenshot, Ok, Cancel };

struct SettingsStep {
  StepKind kind;
  int line;             // counted from 1
  std::wstring written; // the line as written, trimmed, for messages
  std::wstring target;  // tab, type or source name; control label; picture file
  std::wstring text;    // typed text or chosen entry
  int count = 1;        // spin: arrow clicks, negative for down
};

struct SettingsScript {
  std::wstring name;    // the file as given, for messages
  std::wstring folder;  // where relative picture files go
  std::vector<SettingsStep> steps;
};

// Parses text; false with one line "NAME:LINE: reason" in error.
bool ParseSettingsScript(const std::wstring& text, SettingsScript& script, std::string& error);
// Reads and parses the UTF-8 file path.
bool ReadSettingsScript(const std::wstring& path, SettingsScript& script, std::string& error);

// A label as matched: "&" marks dropped, blanks and a closing ":" or "=" trimmed, lower case.
std::wstring NormaliseLabel(const std::wstring& label);
// "NAME:LINE: written" for messages about a step.
std::string DescribeStep(const SettingsScript& script, const SettingsStep& step);

}  // namespace ondara_host
