// Reading a settings dialog script into its steps.
#include "host/app/SettingsScript.h"

#include "host/common/MessageText.h"

#include <cwctype>
#include <fstream>
#include <sstream>
#include <string>

namespace ondara_host {

namespace {

// The longest settings script read: thousands of steps.
constexpr size_t kLongestScript = 1024 * 1024;

std::wstring Trim(const std::wstring& text) {
  const size_t first = text.find_first_not_of(L" \t\r");
  if (first == std::wstring::npos) return std::wstring();
  const size_t last = text.find_last_not_of(L" \t\r");
  return text.substr(first, last - first + 1);
}

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

struct Keyword {
  const wchar_t* word;
  StepKind kind;
};
constexpr Keyword kKeywords[] = {
    {L"tab", StepKind::Tab},       {L"type", StepKind::Type},
    {L"source", StepKind::Source}, {L"enter", StepKind::Enter},
    {L"click", StepKind::Click},   {L"spin", StepKind::Spin},
    {L"choose", StepKind::Choose}, {L"hover", StepKind::Hover},
    {L"screenshot", StepKind::Screenshot}, {L"ok", StepKind::Ok},
    {L"cancel", StepKind::Cancel},
};

// LABEL = TEXT, split at the first "="; false without one or without a label.
bool SplitAssignment(const std::wstring& rest, std::wstring& label, std::wstring& text) {
  const size_t equals = rest.find(L'=');
  if (equals == std::wstring::npos) return false;
  label = Trim(rest.substr(0, equals));
  text = Trim(rest.substr(equals + 1));
  return !label.empty();
}

// "LABEL up|down [N]": the last one or two words are the direction and count.
bool SplitSpin(const std::wstring& rest, SettingsStep& step, std::string& reason) {
  std::wistringstream words(rest);
  std::vector<std::wstring> parts;
  for (std::wstring word; words >> word;) parts.push_back(word);
  size_t count = 1;
  if (!parts.empty() && std::iswdigit(parts.back()[0])) {
    wchar_t* end = nullptr;
    const long n = std::wcstol(parts.back().c_str(), &end, 10);
    if (*end || n < 1 || n > 100) {
      reason = "the number of steps must be 1 to 100";
      return false;
    }
    count = static_cast<size_t>(n);
    parts.pop_back();
  }
  const std::wstring direction = parts.empty() ? std::wstring() : Lower(parts.back());
  if (parts.size() < 2 || (direction != L"up" && direction != L"down")) {
    reason = "spin needs a label and up or down";
    return false;
  }
  parts.pop_back();
  for (const std::wstring& part : parts) step.target += (step.target.empty() ? L"" : L" ") + part;
  step.count = static_cast<int>(direction == L"up" ? count : -static_cast<int>(count));
  return true;
}

// The step of one line; false with the reason.
bool ParseStep(const std::wstring& line, SettingsStep& step, std::string& reason) {
  const size_t space = line.find_first_of(L" \t");
  const std::wstring word = Lower(line.substr(0, space));
  const std::wstring rest = space == std::wstring::npos ? std::wstring() : Trim(line.substr(space));
  const Keyword* keyword = nullptr;
  for (const Keyword& k : kKeywords)
    if (word == k.word) keyword = &k;
  if (!keyword) {
    reason = "unknown step " + host::QuoteInput(word);
    return false;
  }
  step.kind = keyword->kind;
  switch (step.kind) {
    case StepKind::Ok:
    case StepKind::Cancel:
      if (rest.empty()) return true;
      reason = host::Utf8FromWide(word) + " takes nothing after it";
      return false;
    case StepKind::Enter:
    case StepKind::Choose:
      if (SplitAssignment(rest, step.target, step.text)) return true;
      reason = host::Utf8FromWide(word) + " needs LABEL = " + (step.kind == StepKind::Enter ? "TEXT" : "ENTRY");
      return false;
    case StepKind::Spin: return SplitSpin(rest, step, reason);
    default:
      step.target = rest;
      if (!rest.empty()) return true;
      reason = host::Utf8FromWide(word) + " needs a " + (step.kind == StepKind::Screenshot ? "file" : "name");
      return false;
  }
}

}  // namespace

std::wstring NormaliseLabel(const std::wstring& label) {
  std::wstring plain;
  for (size_t i = 0; i < label.size(); ++i) {
    if (label[i] != L'&') {
      plain += label[i];
    } else if (i + 1 < label.size() && label[i + 1] == L'&') {
      plain += L'&';  // "&&" shows one "&"
      ++i;
    }
  }
  plain = Trim(plain);
  while (!plain.empty() && (plain.back() == L':' || plain.back() == L'=')) plain = Trim(plain.substr(0, plain.size() - 1));
  return Lower(plain);
}

bool ParseSettingsScript(const std::wstring& text, SettingsScript& script, std::string& error) {
  script.steps.clear();
  std::wistringstream lines(text);
  std::wstring line;
  for (int number = 1; std::getline(lines, line); ++number) {
    line = Trim(line);
    if (line.empty() || line[0] == L'#') continue;
    SettingsStep step{StepKind::Ok, number, line, {}, {}, 1};
    std::string reason;
    if (!script.steps.empty() &&
        (script.steps.back().kind == StepKind::Ok || script.steps.back().kind == StepKind::Cancel))
      reason = "nothing can follow " + host::Utf8FromWide(script.steps.back().written);
    if (!reason.empty() || !ParseStep(line, step, reason)) {
      error = host::Utf8FromWide(script.name) + ":" + std::to_string(number) + ": " + reason;
      return false;
    }
    script.steps.push_back(step);
  }
  return true;
}

bool ReadSettingsScript(const std::wstring& path, SettingsScript& script, std::string& error) {
  std::ifstream in(path.c_str(), std::ios::binary);
  if (!in) {
    error = "cannot read the settings script " + host::QuoteInput(path);
    return false;
  }
  // A script is a few lines; a file that reads on and on (a device, a recording given by mistake)
  // is refused by its length rather than read until memory runs out.
  std::string utf8(kLongestScript + 1, '\0');
  in.read(utf8.data(), static_cast<std::streamsize>(utf8.size()));
  utf8.resize(static_cast<size_t>(in.gcount()));
  if (utf8.size() > kLongestScript) {
    error = host::Utf8FromWide(path) + ": not a settings script: it is longer than " +
            std::to_string(kLongestScript / 1024) + " KB";
    return false;
  }
  if (utf8.compare(0, 3, "\xEF\xBB\xBF") == 0) utf8.erase(0, 3);
  script.name = path;
  const size_t slash = path.find_last_of(L"\\/");
  script.folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
  return ParseSettingsScript(host::WideFromUtf8(utf8), script, error);
}

std::string DescribeStep(const SettingsScript& script, const SettingsStep& step) {
  return host::Utf8FromWide(script.name) + ":" + std::to_string(step.line) + ": " + host::Utf8FromWide(step.written);
}

}  // namespace ondara_host
