// The "analyze" command: what a user does in the host: opens a recording, gives the module's
// analysis document its settings, runs the named command "ZR_Analyze" and looks at the peak
// markers the module attached to the channel.
#include "host/app/AnalyzeInputs.h"
#include "host/app/ChannelCalcRun.h"
#include "host/app/ClockOption.h"
#include "host/app/EventRun.h"
#include "host/app/HostFramework.h"
#include "host/app/HostProgress.h"
#include "host/app/ModuleLoader.h"
#include "host/app/SettingsScriptPlayer.h"
#include "host/app/TableText.h"
#include "host/app/UnattendedMessageBoxes.h"
#include "host/app/ViewShow.h"
#include "host/common/HostString.h"
#include "host/common/MessageText.h"
#include "host/data/HostDocument.h"
#include "host/data/RecordingReader.h"
#include "host/data/Sampler.h"
#include "host/formula/FormulaEnumClass.h"
#include "host/view/CustomDocuments.h"
#include "host/view/DocumentStreams.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/DocumentSettings.h"
#include "hostapi/MessageFactory.h"
#include "hostapi/MessageService.h"
#include "hostapi/Selection.h"

#include <io.h>
#include <objbase.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <map>
#include <new>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
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
    L"  --type     the analysis type by name (any case) or number 0-5\n"
    L"  --channel  the analysis channel, counted from 1\n"
    L"  --set      a setting by id with its value in base units, e.g. --set 1006=0.0005\n"
    L"  --table    print the Table View's text export instead of the peak markers\n"
    L"  --online   analyse while sampling the recording in batches of TICKS ticks\n"
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
constexpr int32_t kTypeSetting = 2000;
constexpr int32_t kChannelSetting = 2001;
constexpr int32_t kHeightSetting = 1006;
constexpr int32_t kWhileSamplingSetting = 2009;

struct AnalyzeArguments {
  std::wstring recording;
  double rate = 0.0;
  // Settings in the order they are given to the document: the channel first, since the
  // channel's own settings are those of its group.
  std::vector<std::pair<int32_t, std::wstring>> settings;
  int32_t cancelAt = -1;
  bool table = false;
  bool help = false;
  // Above 0: the recording is sampled into an empty data file in batches of this many ticks
  // while the document analyses it; otherwise "ZR_Analyze" analyses the finished recording.
  int32_t onlineBatch = 0;
  // The file the data file's documents are opened from (when it exists) and saved to.
  std::wstring documents;
  // The module's calculated channel added after the analysis, when asked for.
  host::ChannelCalcRequest calc;
  bool withCalc = false;
  ViewShowRequest show;
  // The shown views stay open, and the host runs its message loop, until the user closes them.
  bool keepOpen = false;
  bool calcDialog = false;
  bool settingsDialog = false;
  // A settings dialog script played before the analysis; "-" opens the dialog for a person.
  std::wstring settingsScript;
  // The host's selection in the first record, in seconds from its start; none when empty.
  std::pair<double, double> selection{0.0, 0.0};
  bool select = false;
  host::ClockStart clock;
  bool withClock = false;
  // Where the analysis channel comes from, for a channel the recording lacks.
  ChannelSource channelSource;
};

void PrintError(const std::string& utf8) {
  const std::string line = utf8 + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

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

// The user's selection in the recording view: the first record from one time to another.
bool SelectInFirstRecord(host::DataDocument& data, const std::pair<double, double>& seconds) {
  double period = 0.0;
  host::HostPtr<IHostSelection> selection;
  if (FAILED(data.GetRecordTickPeriod(0, 0, &period)) || !(period > 0.0) ||
      FAILED(data.GetSelection(selection.Out())) || !selection)
    return false;
  const auto tick = [period](double s) { return static_cast<int32_t>(std::min(s / period + 0.5, 2147483647.0)); };
  return SUCCEEDED(selection->SetRange(HostPosition{0, tick(seconds.first)}, HostPosition{0, tick(seconds.second)}));
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

bool ParseArguments(int argc, wchar_t** argv, AnalyzeArguments* args) {
  std::vector<std::pair<int32_t, std::wstring>> first;
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
      const int type = ParseType(value);
      if (type < 0) return PrintRefusal(UnknownTypeRefusal(value));
      first.emplace_back(kTypeSetting, std::to_wstring(type));
    } else if (name == L"--channel") {
      const std::string refusal = ChannelOptionRefusal(value);
      if (!refusal.empty()) return PrintRefusal(refusal);
      ParseInt(value, 1, INT32_MAX, &number);
      first.insert(first.begin(), {kChannelSetting, std::to_wstring(number - 1)});
      args->channelSource.option = true;
    } else if (name == L"--height") {
      args->settings.emplace_back(kHeightSetting, value);
    } else if (name == L"--set") {
      const size_t equals = value.find(L'=');
      ok = equals != std::wstring::npos && ParseInt(value.substr(0, equals), 0, 0x7FFFFFFF, &number);
      if (ok) args->settings.emplace_back(static_cast<int32_t>(number), value.substr(equals + 1));
      if (ok && number == kChannelSetting) args->channelSource.setValue = value.substr(equals + 1);
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
  args->settings.insert(args->settings.begin(), first.begin(), first.end());
  // The dialog opens before the analysis, as the menu command's does: what OK leaves is what the
  // analysis, the table and the documents file get. A script given as well plays on it.
  if (args->settingsDialog && args->settingsScript.empty()) args->settingsScript = L"-";
  if (args->help) return true;
  if (!CheckViewOutputs(args->show)) return false;
  if (args->keepOpen && args->show.views.empty()) {
    PrintError("--keep-open needs --show VIEW");
    return false;
  }
  if (args->onlineBatch > 0) args->settings.emplace_back(kWhileSamplingSetting, L"t");
  if (args->recording.empty() || args->withCalc == args->calc.csvFile.empty()) {
    std::fwprintf(stderr, L"%ls", kUsage);
    return false;
  }
  return true;
}

template <class Interface>
host::HostPtr<Interface> FrameworkService(const IID& iid) {
  host::HostPtr<Interface> service;
  CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, iid, reinterpret_cast<void**>(service.Out()));
  return service;
}

// Sends a named command to the document as the host's command line does: through the command's
// message class object and the framework's router. S_OK when the document consumed it.
HRESULT SendNamedCommand(const wchar_t* name, IUnknown* target) {
  const host::HostPtr<IMessageFactory> factory = FrameworkService<IMessageFactory>(IID_IMessageFactory);
  const host::HostPtr<IMessageRouter> router = FrameworkService<IMessageRouter>(IID_IMessageRouter);
  if (!factory || !router) return E_FAIL;
  host::HostPtr<IMsgIdMessageClassObject> command;
  if (factory->FindByName(name, command.Out()) != S_OK) return E_INVALIDARG;
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  host::HostPtr<IMessage> message;
  const HRESULT hr = command->CreateMessage(0, &none, message.Out());
  if (FAILED(hr)) return hr;
  return router->Deliver(message.Get(), target);
}

// The events of the objects the module attached to the channel: what the recording view draws
// as peak markers, evaluated from each object's stored formula.
int ReportMarkers(host::DataDocument* document, ICalcEnumClass2* formulaClass, int32_t channel) {
  int32_t markers = 0;
  std::map<int32_t, int32_t> perRecord;
  int32_t peaks = 0;
  for (const host::DataObject& object : document->Objects().Objects()) {
    if (std::find(object.channels.begin(), object.channels.end(), channel) == object.channels.end()) continue;
    ++markers;
    host::EventRunOptions options;
    options.formula = object.formula;
    std::string output;
    std::wstring error;
    const HRESULT hr = host::RunEventFormula(document, formulaClass, options, &output, &error);
    if (FAILED(hr)) {
      PrintError(host::Utf8FromWide(object.name) + ": " + host::Utf8FromWide(error));
      return 1;
    }
    std::fwrite(output.data(), 1, output.size(), stdout);
    std::istringstream lines(output);
    std::string line;
    std::getline(lines, line);  // heading: record, tick, fraction, value, kind, ...
    while (std::getline(lines, line)) {
      std::istringstream cells(line);
      std::string cell[5];
      for (std::string& c : cell) std::getline(cells, c, '\t');
      if (cell[4] != "2") continue;  // stimuli are not peaks
      ++perRecord[std::stoi(cell[0])];
      ++peaks;
    }
  }
  int32_t records = 0;
  document->GetRecordCount(&records);
  if (markers == 0) std::printf("no peak markers are attached to channel %d\n", channel + 1);
  std::printf("found %d events in %d record%s\n", peaks, records, records == 1 ? "" : "s");
  return 0;
}

// The name a recording's path ends with, as the host titles its document.
std::wstring FileTitle(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// The analysis document: the one saved in the documents file when there is such a file, else a
// new one. refusal gets what was wrong with a documents file that does not open.
HRESULT OpenDocument(host::HostDocument& hostDocument, const std::wstring& documents,
                     host::HostPtr<ICustomDocument2>& document, std::wstring* refusal) {
  if (documents.empty() || GetFileAttributesW(documents.c_str()) == INVALID_FILE_ATTRIBUTES)
    return host::OpenCustomDocument(hostDocument, L"Ondara Document", 0, document);
  std::vector<host::HostPtr<ICustomDocument2>> opened;
  const HRESULT hr = host::OpenSavedDocuments(hostDocument, documents, opened, refusal);
  if (FAILED(hr)) return hr;
  if (opened.empty()) return host::OpenCustomDocument(hostDocument, L"Ondara Document", 0, document);
  document = opened.front();
  return S_OK;
}

// A person answers the boxes only when the run opens a dialog or keeps the views open for one.
bool Attended(const AnalyzeArguments& args) {
  return args.settingsScript == L"-" || args.settingsDialog || args.calcDialog || args.keepOpen;
}

// What the run needs before it analyses: a display when it opens windows, a documents file it
// can write. 0, or the status to end with after the line saying what is missing.
int CheckBeforeAnalysing(const AnalyzeArguments& args) {
  const bool windows = !args.show.views.empty() || args.show.event > 0 || !args.settingsScript.empty() ||
                       args.settingsDialog || args.calcDialog;
  if (windows && !DisplayOpens()) {
    PrintError(kNoDisplayLine);
    return 1;
  }
  const std::string problem = args.documents.empty() ? std::string() : DocumentsFileProblem(args.documents);
  if (problem.empty()) return 0;
  PrintError(host::Utf8FromWide(args.documents) + ": the analysis document cannot be saved there: " + problem);
  return 2;
}

int Run(const AnalyzeArguments& args) {
  std::optional<host::UnattendedMessageBoxes> unattended;
  if (!Attended(args)) unattended.emplace(stderr);
  const int missing = CheckBeforeAnalysing(args);
  if (missing != 0) return missing;
  host::RecordingReadOptions readOptions;
  readOptions.rateHz = args.rate;
  host::Recording recording;
  try {
    recording = host::ReadRecordingFile(host::Utf8FromWide(args.recording), readOptions);
  } catch (const host::RecordingFileError& refused) {
    PrintError(refused.what());
    return 2;
  }
  host::Recording sampled;
  if (args.onlineBatch > 0) {
    sampled = std::move(recording);
    recording.channels = sampled.channels;  // sampling writes every record
  }
  host::HostPtr<host::DataDocument> data = host::DataDocument::Create(std::move(recording));
  HRESULT hr = EnsureHostFramework();
  if (FAILED(hr)) {
    std::fwprintf(stderr, L"framework registration failed: 0x%08lX\n", hr);
    return 1;
  }
  hr = LoadAndRegisterModule(PathBesideExecutable(L"Ondara.dll").c_str());
  host::HostPtr<ICalcEnumClass2> formulaClass;
  if (SUCCEEDED(hr)) hr = host::RegisterFormulaEnumClassWithFramework(&formulaClass);
  if (FAILED(hr) || !formulaClass) {
    std::fwprintf(stderr, L"the module or the formula class is not registered: 0x%08lX\n", hr);
    return 1;
  }
  data->SetFormulaClass(formulaClass.Get());
  const host::HostPtr<host::HostDocument> hostDocument = host::HostDocument::Create(data);
  hostDocument->SetTitle(FileTitle(args.recording));
  if (args.withClock) host::ApplyClockStart(args.clock, *data.Get(), *hostDocument.Get());
  host::HostPtr<ICustomDocument2> document;
  std::wstring refusal;
  hr = OpenDocument(*hostDocument.Get(), args.documents, document, &refusal);
  if (!refusal.empty()) {
    // The file stays as it is: nothing is saved over it.
    PrintError(host::Utf8FromWide(args.documents) + ": the analysis document could not be opened: " +
               host::Utf8FromWide(refusal));
    hostDocument->CloseChildDocuments();
    return 2;
  }
  // With its documents open the host tells them so; they register with its analysis manager.
  if (SUCCEEDED(hr)) hostDocument->BroadcastDocumentsOpen();
  if (args.select && !SelectInFirstRecord(*data.Get(), args.selection)) {
    PrintError("--select: the first record does not hold that span");
    return 2;
  }
  host::HostPtr<IDocumentSettingsScript> settings;
  if (SUCCEEDED(hr)) hr = document->QueryInterface(IID_IDocumentSettingsScript, reinterpret_cast<void**>(settings.Out()));
  if (FAILED(hr)) {
    std::fwprintf(stderr, L"the analysis document could not be made: 0x%08lX\n", hr);
    return 1;
  }
  for (const auto& [id, value] : args.settings) {
    if (FAILED(settings->SetSettingText(id, value.c_str()))) {
      PrintError(SettingRefusal(settings.Get(), id, value));
      hostDocument->CloseChildDocuments();
      return 2;
    }
  }
  int32_t channels = 0;
  data->GetChannelCount(&channels);
  int32_t channel = 0;
  const std::string lacking = AnalysisChannelRefusal(settings.Get(), args.channelSource, channels, &channel);
  if (!lacking.empty()) {
    PrintError(lacking);
    hostDocument->CloseChildDocuments();
    return 2;
  }
  if (!args.settingsScript.empty()) {
    const int played = RunSettingsDialogScript(document.Get(), args.settingsScript);
    if (played != 0) {
      hostDocument->CloseChildDocuments();
      return played;
    }
  }
  host::Progress().cancelAtPercent = args.cancelAt;
  host::Progress().showOnTerminal = _isatty(_fileno(stderr)) != 0;
  ShownFrames frames;
  if (args.onlineBatch > 0) {
    hr = args.show.views.empty() ? host::SampleRecording(data.Get(), sampled, args.onlineBatch)
                                 : SampleWhileShowing(*hostDocument.Get(), *data.Get(), document.Get(), args.show,
                                                      sampled, args.onlineBatch, &frames);
    if (FAILED(hr)) {
      std::fwprintf(stderr, L"sampling the recording failed: 0x%08lX\n", hr);
      hostDocument->CloseChildDocuments();
      return 1;
    }
  } else {
    hr = SendNamedCommand(L"ZR_Analyze", document.Get());
    if (hr != S_OK) {
      std::fwprintf(stderr, L"\"ZR_Analyze\" was not taken by the document: 0x%08lX\n", hr);
      hostDocument->CloseChildDocuments();
      return 1;
    }
  }
  // The document keeps nothing of a cancelled analysis: the markers then say so, a table has none.
  if (host::Progress().cancelled)
    PrintError("the analysis was cancelled (--cancel-at " + std::to_string(args.cancelAt) + ")");
  if (host::Progress().cancelled && args.table) {
    hostDocument->CloseChildDocuments();
    return 1;
  }
  int status = args.table ? PrintTableText(document.Get()) : ReportMarkers(data.Get(), formulaClass.Get(), channel);
  if (status == 0 && (!args.show.views.empty() || args.show.event > 0))
    status = ShowViews(*hostDocument.Get(), *data.Get(), document.Get(), args.show, &frames);
  if (args.keepOpen) KeepViewsOpen(*hostDocument.Get());
  if (!args.documents.empty() && FAILED(hr = host::SaveDocumentStreams(*hostDocument.Get(), args.documents))) {
    std::fwprintf(stderr, L"the documents could not be saved to %ls: 0x%08lX\n", args.documents.c_str(), hr);
    status = 1;
  }
  if (status == 0 && args.withCalc) status = host::RunChannelCalculation(data.Get(), args.calc);
  if (status == 0 && args.calcDialog) status = host::RunChannelCalcDialog(hostDocument.Get(), data.Get());
  hostDocument->CloseChildDocuments();
  data->SetFormulaClass(nullptr);
  if (status == 0 && unattended && unattended->FailureSeen()) status = 2;
  return status;
}

// A recording whose samples (or whose text while it is read) do not fit in the process's memory:
// one line with the file's size, and status 2 as for any input the run cannot take.
int TooLargeForMemory(const std::wstring& recording) {
  WIN32_FILE_ATTRIBUTE_DATA file{};
  std::string size;
  if (GetFileAttributesExW(recording.c_str(), GetFileExInfoStandard, &file)) {
    const unsigned long long bytes = (static_cast<unsigned long long>(file.nFileSizeHigh) << 32) | file.nFileSizeLow;
    size = " (" + std::to_string((bytes + (1u << 19)) >> 20) + " MB)";
  }
  PrintError(host::Utf8FromWide(recording) + ": the recording is too large for memory" + size);
  return 2;
}

}  // namespace

int RunAnalyzeCommand(int argc, wchar_t** argv) {
  AnalyzeArguments args;
  try {
    if (!ParseArguments(argc, argv, &args)) return 2;
    if (args.help) {
      std::fwprintf(stdout, L"%ls", kUsage);
      return 0;
    }
    return Run(args);
  } catch (const std::bad_alloc&) {
    return TooLargeForMemory(args.recording);
  } catch (const std::length_error&) {
    return TooLargeForMemory(args.recording);  // a text longer than a string can be
  } catch (const std::exception& e) {
    PrintError(e.what());
    return 1;
  }
}

}  // namespace ondara_host
