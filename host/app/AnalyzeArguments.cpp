// The analyze command's options read from the command line.
#include "host/app/AnalyzeArguments.h"

#include "host/app/AnalysisSettingIds.h"
#include "host/common/MessageText.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <optional>

namespace ondara_host {

namespace {

constexpr wchar_t kUsage[] =
    L"usage: ondara-host analyze --recording FILE [--rate HZ] [--type NAME] [--channel N]\n"
    L"         [--height V] [--set ID=VALUE]... [--cancel-at PERCENT] [--table] [--online TICKS]\n"
    L"         [--documents FILE] [--show VIEW]... [--event N] [--screenshot DIR] [--keep-open]\n"
    L"         [--calc MEASUREMENT:TOP:BOTTOM --calc-csv FILE] [--calc-dialog]\n"
    L"         [--settings-dialog] [--settings SCRIPT] [--select FROM:TO] [--clock START]\n"
    L"         [--print-preview DIR] [--copy FILE] [--data-pad FILE]\n"
    L"  --type     the analysis type by name (any case) or number 0-5\n"
    L"  --channel  the analysis channel, counted from 1\n"
    L"  --set      a setting by id with its value in base units, e.g. --set 1006=0.0005\n"
    L"             Of options that give the same thing the one given later wins: --type and\n"
    L"             --set 2000, --channel and --set 2001, --height and --set 1006, or one twice\n"
    L"  --table    print the Table View's text export instead of the peak markers\n"
    L"  --online   analyse while sampling the recording in batches of TICKS ticks\n"
    L"  --cancel-at  cancel the analysis when its progress reaches PERCENT, as a user would; not\n"
    L"             with --online, whose analysis shows no progress\n"
    L"  --documents  open the analysis document from FILE when it exists, and save it there\n"
    L"  --show     after the analysis, open views from the \"Ondara\" menu: analysis, table or both\n"
    L"             (analysis,table)\n"
    L"  --event    make event N current (counted from 1), as activating its comment does\n"
    L"  --screenshot  write a picture of each shown view as DIR\\VIEW-view.png\n"
    L"  --keep-open  after the outputs, leave the shown views open for you to use; the host ends\n"
    L"             when you close the last of them (with --online they open before sampling)\n"
    L"  --print-preview  choose File, Print Preview in each shown view's frame and write each\n"
    L"             page as DIR\\VIEW-page-N.png\n"
    L"  --copy     choose Edit, Copy in the last shown view's frame and write what the clipboard\n"
    L"             then holds: the text (UTF-8), or the picture as PNG\n"
    L"  --data-pad  click the table view's \"Add to Data Pad\" and write the Data Pad's rows\n"
    L"  --calc     after the analysis, put the measurement (short name) on a new channel scaled\n"
    L"             from BOTTOM to TOP and write that channel to the --calc-csv file\n"
    L"  --calc-dialog  after the analysis, open the calculation's settings dialog for a new\n"
    L"             channel and print the settings it ends with\n"
    L"  --settings SCRIPT  before the analysis, open the settings dialog as its menu command does\n"
    L"             and play the script's steps on it (\"-\": leave it to a person); a step that\n"
    L"             cannot be done ends the command with one line naming it and status 2\n"
    L"  --select   select the first record from FROM to TO seconds in the recording view, as a\n"
    L"             user does before opening the settings dialog (its previews show that span)\n"
    L"  --clock    the recording started at START (HH:MM:SS or YYYY-MM-DD HH:MM:SS): times show\n"
    L"             that clock time (with the date when given) before the time from the start\n"
    L"  --settings-dialog  before the analysis, open the document's settings dialog as its\n"
    L"             \"Settings...\" menu command does, for a person (as --settings -): the analysis,\n"
    L"             the table and the save then have what OK left, or all as it was after Cancel\n";

void PrintError(const std::string& utf8) { host::PrintMessageLine(utf8); }

// Prints the line; false, for a refused argument.
bool PrintRefusal(const std::string& line) {
  PrintError(line);
  return false;
}

bool ParseInt(const std::wstring& text, long long low, long long high, long long* value) {
  wchar_t* end = nullptr;
  *value = std::wcstoll(text.c_str(), &end, 10);
  return !text.empty() && *end == 0 && *value >= low && *value <= high;
}

// "FROM:TO" in seconds, FROM at least 0 and below TO.
bool ParseSeconds(const std::wstring& text, std::pair<double, double>* span) {
  wchar_t* end = nullptr;
  span->first = std::wcstod(text.c_str(), &end);
  if (end == text.c_str() || *end != L':') return false;
  const wchar_t* const second = end + 1;
  span->second = std::wcstod(second, &end);
  return end != second && *end == 0 && std::isfinite(span->first) && std::isfinite(span->second) &&
         span->first >= 0.0 && span->first < span->second;
}

// "--show analysis,table": each name of the comma-separated list must be a view --show knows.
bool AddShownViews(const std::wstring& list, std::vector<std::wstring>* views) {
  size_t start = 0;
  while (true) {
    const size_t comma = list.find(L',', start);
    const std::wstring name = list.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start);
    if (!IsShowableView(name)) return false;
    views->push_back(name);
    if (comma == std::wstring::npos) return true;
    start = comma + 1;
  }
}

// The outputs taken from views need the views shown: the Data Pad the table view.
bool CheckViewOutputs(const ViewShowRequest& show) {
  const bool table = std::find(show.views.begin(), show.views.end(), L"table") != show.views.end();
  const char* const missing = !show.dataPadFile.empty() && !table ? "--data-pad needs the table view: --show table"
                              : show.views.empty() && !show.previewFolder.empty() ? "--print-preview needs --show VIEW"
                              : show.views.empty() && !show.copyFile.empty()      ? "--copy needs --show VIEW"
                                                                                  : nullptr;
  if (missing) PrintError(missing);
  return missing == nullptr;
}

}  // namespace

bool ParseAnalyzeArguments(int argc, wchar_t** argv, AnalyzeArguments* args) {
  // The type and the channel go to the document first, whichever option gave them last.
  std::optional<std::wstring> type, channel;
  for (int i = 0; i < argc; i += 2) {
    const std::wstring name = argv[i];
    if (name == L"--help" || name == L"--table" || name == L"--calc-dialog" || name == L"--settings-dialog" ||
        name == L"--keep-open") {
      (name == L"--help"              ? args->help
       : name == L"--table"           ? args->table
       : name == L"--settings-dialog" ? args->settingsDialog
       : name == L"--keep-open"       ? args->keepOpen
                                      : args->calcDialog) = true;
      --i;  // no value follows
      continue;
    }
    if (i + 1 >= argc) {
      PrintError(host::QuoteInput(name) + " needs a value");
      return false;
    }
    const std::wstring value = argv[i + 1];
    long long number = 0;
    bool ok = true;
    if (name == L"--recording") {
      args->recording = value;
    } else if (name == L"--rate") {
      wchar_t* end = nullptr;
      args->rate = std::wcstod(value.c_str(), &end);
      ok = *end == 0 && std::isfinite(args->rate) && args->rate > 0.0;
    } else if (name == L"--type") {
      const int typeNumber = ParseType(value);
      if (typeNumber < 0) return PrintRefusal(UnknownTypeRefusal(value));
      type = std::to_wstring(typeNumber);
    } else if (name == L"--channel") {
      const std::string refusal = ChannelOptionRefusal(value);
      if (!refusal.empty()) return PrintRefusal(refusal);
      ParseInt(value, 1, INT32_MAX, &number);
      channel = std::to_wstring(number - 1);
      args->channelSource.option = true;
      args->channelSource.setValue.reset();
    } else if (name == L"--height") {
      args->settings.emplace_back(kHeightSetting, value);
    } else if (name == L"--set") {
      const size_t equals = value.find(L'=');
      ok = equals != std::wstring::npos && ParseInt(value.substr(0, equals), 0, 0x7FFFFFFF, &number);
      const std::wstring text = ok ? value.substr(equals + 1) : std::wstring();
      if (ok && number == kTypeSetting) {
        type = text;
      } else if (ok && number == kChannelSetting) {
        channel = text;
        args->channelSource.setValue = text;
        args->channelSource.option = false;
      } else if (ok) {
        args->settings.emplace_back(static_cast<int32_t>(number), text);
      }
    } else if (name == L"--online") {
      ok = ParseInt(value, 1, INT32_MAX, &number);
      args->onlineBatch = static_cast<int32_t>(number);
    } else if (name == L"--settings") {
      ok = !value.empty();
      args->settingsScript = value;
    } else if (name == L"--documents") {
      args->documents = value;
      args->channelSource.documents = value;
    } else if (name == L"--calc") {
      ok = host::ParseChannelCalcSpec(value, args->calc);
      args->withCalc = true;
    } else if (name == L"--calc-csv") {
      args->calc.csvFile = value;
    } else if (name == L"--show") {
      ok = AddShownViews(value, &args->show.views);
    } else if (name == L"--event") {
      ok = ParseInt(value, 1, INT32_MAX, &number);
      args->show.event = static_cast<int32_t>(number);
    } else if (name == L"--screenshot") {
      ok = !value.empty();
      args->show.pictureFolder = value;
    } else if (name == L"--print-preview" || name == L"--copy" || name == L"--data-pad") {
      ok = !value.empty();
      (name == L"--copy" ? args->show.copyFile : name == L"--data-pad" ? args->show.dataPadFile : args->show.previewFolder) = value;
    } else if (name == L"--select") {
      ok = ParseSeconds(value, &args->selection);
      args->select = true;
    } else if (name == L"--clock") {
      ok = host::ParseClockStart(value, &args->clock);
      args->withClock = true;
    } else if (name == L"--cancel-at") {
      ok = ParseInt(value, 0, 100, &number);
      args->cancelAt = static_cast<int32_t>(number);
    } else {
      PrintError("unknown argument " + host::QuoteInput(name));
      return false;
    }
    if (!ok) {
      PrintError(host::Utf8FromWide(name) + ": " + host::QuoteInput(value) + " is not a valid value");
      return false;
    }
  }
  if (type) args->settings.insert(args->settings.begin(), {kTypeSetting, *type});
  if (channel) args->settings.insert(args->settings.begin(), {kChannelSetting, *channel});
  // The dialog opens before the analysis, as the menu command's does: what OK leaves is what the
  // analysis, the table and the documents file get. A script given as well plays on it.
  if (args->settingsDialog && args->settingsScript.empty()) args->settingsScript = L"-";
  if (args->help) return true;
  if (!CheckViewOutputs(args->show)) return false;
  if (args->keepOpen && args->show.views.empty()) {
    PrintError("--keep-open needs --show VIEW");
    return false;
  }
  if (args->onlineBatch > 0 && args->cancelAt >= 0) {
    PrintError("--cancel-at: the analysis while sampling (--online) shows no progress to cancel");
    return false;
  }
  if (args->onlineBatch > 0) args->settings.emplace_back(kWhileSamplingSetting, L"t");
  if (args->recording.empty() || args->withCalc == args->calc.csvFile.empty()) {
    PrintAnalyzeUsage(stderr);
    return false;
  }
  return true;
}

void PrintAnalyzeUsage(std::FILE* stream) { std::fwprintf(stream, L"%ls", kUsage); }

}  // namespace ondara_host
