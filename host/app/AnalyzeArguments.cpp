// The analyze command's options read from the command line.
#include "host/app/AnalyzeArguments.h"

#include "host/app/AnalysisSettingIds.h"
#include "host/common/MessageText.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <iterator>
#include <optional>
#include <string_view>
#include <vector>

namespace ondara_host {

namespace {

constexpr wchar_t kUsage[] =
    L"usage: ondara-host analyze --recording FILE [--rate HZ] [--type NAME] [--channel N]\n"
    L"         [--height V] [--set ID=VALUE]... [--cancel-at PERCENT] [--table] [--online TICKS]\n"
    L"         [--documents FILE] [--show VIEW]... [--event N] [--screenshot DIR] [--keep-open]\n"
    L"         [--calc MEASUREMENT:TOP:BOTTOM --calc-csv FILE] [--calc-dialog]\n"
    L"         [--settings-dialog] [--settings SCRIPT] [--select FROM:TO] [--clock START]\n"
    L"         [--print-preview DIR] [--copy FILE] [--data-pad FILE]\n"
    L"  --recording  the recording; a word that is no option is taken as it, wherever it stands\n"
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
    L"             the table and the save then have what OK left, or all as it was after Cancel\n"
    L"The files written (--documents, --copy, --data-pad, --calc-csv) go into a folder that exists,\n"
    L"DIR is made in one, and none is one of the run's inputs (the recording, the documents file,\n"
    L"the settings script), else the run is refused first.\n";

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
                              : show.views.empty() && !show.pictureFolder.empty() ? "--screenshot needs --show VIEW"
                                                                                  : nullptr;
  if (missing) PrintError(missing);
  return missing == nullptr;
}

// What the command line may name: the options that take no value (scripts/run reads this list),
// then those that take one.
constexpr const wchar_t* kSwitchOptions[] = {L"--help", L"--table", L"--calc-dialog", L"--settings-dialog",
                                             L"--keep-open"};
constexpr const wchar_t* kValueOptions[] = {
    L"--recording", L"--rate",   L"--type",  L"--channel",    L"--height",        L"--set",  L"--online",
    L"--settings",  L"--select", L"--clock", L"--cancel-at",  L"--documents",     L"--calc", L"--calc-csv",
    L"--show",      L"--event",  L"--copy",  L"--screenshot", L"--print-preview", L"--data-pad"};

template <size_t N>
bool Names(const wchar_t* const (&options)[N], const std::wstring& name) {
  return std::any_of(std::begin(options), std::end(options), [&](const wchar_t* option) { return name == option; });
}

// How many letters must be put in, taken out or changed to turn one word into the other.
size_t EditDistance(std::wstring_view from, std::wstring_view to) {
  std::vector<size_t> row(to.size() + 1);
  for (size_t j = 0; j < row.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= from.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= to.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (from[i - 1] == to[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[to.size()];
}

// "unknown option '--typ': did you mean --type?": an option is suggested when the name is a slip
// away from it (at most two letters, and no more than a third of the name's letters).
std::string UnknownOptionRefusal(const std::wstring& name) {
  const wchar_t* nearest = nullptr;
  size_t fewest = 3;
  const auto consider = [&](const wchar_t* option) {
    const size_t edits = EditDistance(name, option);
    if (edits < fewest) {
      fewest = edits;
      nearest = option;
    }
  };
  std::for_each(std::begin(kSwitchOptions), std::end(kSwitchOptions), consider);
  std::for_each(std::begin(kValueOptions), std::end(kValueOptions), consider);
  const size_t letters = name.size() - std::min(name.size(), name.find_first_not_of(L'-'));
  const std::string line = "unknown option " + host::QuoteInput(name);
  return nearest && fewest * 3 <= letters ? line + ": did you mean " + host::Utf8FromWide(nearest) + "?" : line;
}

// An option that takes no value: true after noting it, false for any other name.
bool TakeSwitch(const std::wstring& name, AnalyzeArguments* args) {
  if (!Names(kSwitchOptions, name)) return false;
  (name == L"--help"              ? args->help
   : name == L"--table"           ? args->table
   : name == L"--settings-dialog" ? args->settingsDialog
   : name == L"--keep-open"       ? args->keepOpen
                                  : args->calcDialog) = true;
  return true;
}

bool PrintInvalidValue(const std::wstring& name, const std::wstring& value) {
  return PrintRefusal(host::Utf8FromWide(name) + ": " + host::QuoteInput(value) + " is not a valid value");
}

enum class Taken { Yes, NotThis, Refused };

// The options that show views and take their outputs.
Taken TakeViewOption(const std::wstring& name, const std::wstring& value, ViewShowRequest* show) {
  long long number = 0;
  bool ok = !value.empty();
  if (name == L"--show") {
    ok = AddShownViews(value, &show->views);
  } else if (name == L"--event") {
    ok = ParseInt(value, 1, INT32_MAX, &number);
    show->event = static_cast<int32_t>(number);
  } else if (name == L"--screenshot" || name == L"--print-preview" || name == L"--copy" || name == L"--data-pad") {
    (name == L"--screenshot" ? show->pictureFolder
     : name == L"--copy"     ? show->copyFile
     : name == L"--data-pad" ? show->dataPadFile
                             : show->previewFolder) = value;
  } else {
    return Taken::NotThis;
  }
  return ok || PrintInvalidValue(name, value) ? Taken::Yes : Taken::Refused;
}

// The type and the channel go to the document first, whichever option gave them last.
struct OrderedSettings {
  std::optional<std::wstring> type, channel;
};

// "--set ID=VALUE": the type and the channel are kept apart, to go to the document first.
bool TakeSetting(const std::wstring& value, AnalyzeArguments* args, OrderedSettings* ordered) {
  const size_t equals = value.find(L'=');
  long long number = 0;
  if (equals == std::wstring::npos || !ParseInt(value.substr(0, equals), 0, 0x7FFFFFFF, &number))
    return PrintRefusal("--set: " + host::QuoteInput(value) +
                        ": ID=VALUE is needed, a setting's number and its value, e.g. --set 1006=0.0005");
  const std::wstring text = value.substr(equals + 1);
  if (number == kTypeSetting) {
    ordered->type = text;
  } else if (number == kChannelSetting) {
    ordered->channel = text;
    args->channelSource.setValue = text;
    args->channelSource.option = false;
  } else {
    args->settings.emplace_back(static_cast<int32_t>(number), text);
  }
  return true;
}

// The options that say what to analyse and how, and what to write besides; false after the
// line saying what is wrong with the value.
bool TakeRunOption(const std::wstring& name, const std::wstring& value, AnalyzeArguments* args,
                   OrderedSettings* ordered) {
  long long number = 0;
  bool ok = true;
  if (name == L"--recording") {
    args->recording = value;
  } else if (name == L"--rate") {
    const std::string refusal = RateOptionRefusal(value);
    if (!refusal.empty()) return PrintRefusal(refusal);
    args->rate = std::wcstod(value.c_str(), nullptr);
  } else if (name == L"--type") {
    const int typeNumber = ParseType(value);
    if (typeNumber < 0) return PrintRefusal(UnknownTypeRefusal(value));
    ordered->type = std::to_wstring(typeNumber);
  } else if (name == L"--channel") {
    const std::string refusal = ChannelOptionRefusal(value);
    if (!refusal.empty()) return PrintRefusal(refusal);
    ParseInt(value, 1, INT32_MAX, &number);
    ordered->channel = std::to_wstring(number - 1);
    args->channelSource.option = true;
    args->channelSource.setValue.reset();
  } else if (name == L"--height") {
    args->settings.emplace_back(kHeightSetting, value);
  } else if (name == L"--set") {
    return TakeSetting(value, args, ordered);
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
  } else if (name == L"--select") {
    ok = ParseSeconds(value, &args->selection);
    args->select = true;
  } else if (name == L"--clock") {
    ok = host::ParseClockStart(value, &args->clock);
    args->withClock = true;
  } else if (name == L"--cancel-at") {
    ok = ParseInt(value, 0, 100, &number);
    args->cancelAt = static_cast<int32_t>(number);
  }
  return ok || PrintInvalidValue(name, value);
}

// The settings in the order the document takes them, and the options checked together.
bool CheckArguments(AnalyzeArguments* args, const OrderedSettings& ordered) {
  if (ordered.type) args->settings.insert(args->settings.begin(), {kTypeSetting, *ordered.type});
  if (ordered.channel) args->settings.insert(args->settings.begin(), {kChannelSetting, *ordered.channel});
  // The dialog opens before the analysis, as the menu command's does: what OK leaves is what the
  // analysis, the table and the documents file get. A script given as well plays on it.
  if (args->settingsDialog && args->settingsScript.empty()) args->settingsScript = L"-";
  if (args->help) return true;
  if (!CheckViewOutputs(args->show)) return false;
  if (args->keepOpen && args->show.views.empty()) return PrintRefusal("--keep-open needs --show VIEW");
  if (args->onlineBatch > 0 && args->cancelAt >= 0)
    return PrintRefusal("--cancel-at: the analysis while sampling (--online) shows no progress to cancel");
  if (args->onlineBatch > 0) args->settings.emplace_back(kWhileSamplingSetting, L"t");
  if (args->recording.empty() || args->withCalc == args->calc.csvFile.empty()) {
    PrintAnalyzeUsage(stderr);
    return false;
  }
  return true;
}

}  // namespace

bool ParseAnalyzeArguments(int argc, wchar_t** argv, AnalyzeArguments* args) {
  OrderedSettings ordered;
  for (int i = 0; i < argc; ++i) {
    const std::wstring name = argv[i];
    // A word that is no option is the recording, wherever it stands.
    if (name.empty() || name[0] != L'-') {
      if (!args->recording.empty())
        return PrintRefusal("a second recording " + host::QuoteInput(name) + " after " +
                            host::QuoteInput(args->recording) + ": give one");
      args->recording = name;
      continue;
    }
    if (TakeSwitch(name, args)) continue;
    if (!Names(kValueOptions, name)) return PrintRefusal(UnknownOptionRefusal(name));
    if (i + 1 >= argc) return PrintRefusal(host::QuoteInput(name) + " needs a value");
    const std::wstring value = argv[++i];
    const Taken taken = TakeViewOption(name, value, &args->show);
    if (taken == Taken::Refused || (taken == Taken::NotThis && !TakeRunOption(name, value, args, &ordered)))
      return false;
  }
  return CheckArguments(args, ordered);
}

void PrintAnalyzeUsage(std::FILE* stream) { std::fwprintf(stream, L"%ls", kUsage); }

}  // namespace ondara_host
