// The "analyze" command: what a user does in the host: opens a recording, gives the module's
// analysis document its settings, runs the named command "ZR_Analyze" and looks at what it
// found: the peak markers the module attached to the channel, or the table.
#include "host/app/AnalyzeArguments.h"
#include "host/app/ChannelCalcRun.h"
#include "host/app/HostFramework.h"
#include "host/app/HostProgress.h"
#include "host/app/ModuleLoader.h"
#include "host/app/PeakMarkers.h"
#include "host/app/RecordingTooLarge.h"
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
#include <cstdio>
#include <cwchar>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace ondara_host {

namespace {

void PrintError(const std::string& utf8) { host::PrintMessageLine(utf8); }

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


// What the analysis found: the table or the peak markers. An --event past the events found is
// refused before anything is printed.
int PrintAnalysis(const AnalyzeArguments& args, host::DataDocument* data, ICalcEnumClass2* formulaClass,
                  ICustomDocument2* document, int32_t channel) {
  PeakMarkers markers;
  if (!args.table || args.show.event > 0) markers = ReadPeakMarkers(data, formulaClass, channel);
  const std::string refusal = args.show.event > 0 ? EventOptionRefusal(args.show.event, markers) : std::string();
  if (!refusal.empty()) {
    PrintError(refusal);
    return 2;
  }
  if (args.table) return PrintTableText(document);
  std::fwrite(markers.text.data(), 1, markers.text.size(), markers.failed ? stderr : stdout);
  return markers.failed ? 1 : 0;
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
  int status = PrintAnalysis(args, data.Get(), formulaClass.Get(), document.Get(), channel);
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

}  // namespace

int RunAnalyzeCommand(int argc, wchar_t** argv) {
  AnalyzeArguments args;
  try {
    if (!ParseAnalyzeArguments(argc, argv, &args)) return 2;
    if (args.help) {
      PrintAnalyzeUsage(stdout);
      return 0;
    }
    return Run(args);
  } catch (const std::bad_alloc&) {
    return ReportRecordingTooLarge(args.recording);
  } catch (const std::length_error&) {
    return ReportRecordingTooLarge(args.recording);  // a text longer than a string can be
  } catch (const std::exception& e) {
    PrintError(e.what());
    return 1;
  }
}

}  // namespace ondara_host