// The "analyze" command: what a user does in the host: opens a recording, gives the module's
// analysis document its settings, runs the named command "ZR_Analyze" and looks at what it
// found: the peak markers the module attached to the channel, or the table.
#include "host/app/AnalysisDocument.h"
#include "host/app/AnalysisTarget.h"
#include "host/app/AnalyzeArguments.h"
#include "host/app/ChannelCalcRun.h"
#include "host/app/HostFramework.h"
#include "host/app/HostProgress.h"
#include "host/app/ModuleLoader.h"
#include "host/app/NoEventsLine.h"
#include "host/app/UnsearchedStartLine.h"
#include "host/app/PeakMarkers.h"
#include "host/app/RecordingTooLarge.h"
#include "host/app/RunFiles.h"
#include "host/app/SettingsScriptPlayer.h"
#include "host/app/TableText.h"
#include "host/app/UnattendedMessageBoxes.h"
#include "host/app/ViewShow.h"
#include "host/common/FileProblemWords.h"
#include "host/common/HostString.h"
#include "host/common/MessageText.h"
#include "host/data/HostDocument.h"
#include "host/data/RecordingReader.h"
#include "host/data/Sampler.h"
#include "host/formula/FormulaEnumClass.h"
#include "host/data/DocumentStreams.h"
#include "hostapi/DocumentSettings.h"
#include "hostapi/Selection.h"

#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

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

// What the analysis found: the table or the peak markers; rows gets how many events. An --event
// past the events found is refused before anything is printed.
int PrintAnalysis(const AnalyzeArguments& args, host::DataDocument* data, ICalcEnumClass2* formulaClass,
                  ICustomDocument2* document, int32_t channel, int32_t* rows) {
  PeakMarkers markers;
  if (!args.table || args.show.event > 0) markers = ReadPeakMarkers(data, formulaClass, channel);
  const std::string refusal = args.show.event > 0 ? EventOptionRefusal(args.show.event, markers) : std::string();
  if (!refusal.empty()) {
    PrintError(refusal);
    return 2;
  }
  if (args.table) return PrintTableText(document, rows);
  std::fwrite(markers.text.data(), 1, markers.text.size(), markers.failed ? stderr : stdout);
  std::fflush(stdout);
  *rows = markers.events;
  return markers.failed ? 1 : 0;
}

// The name a recording's path ends with, as the host titles its document.
std::wstring FileTitle(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// A person answers the boxes only when the run opens a dialog or keeps the views open for one.
bool Attended(const AnalyzeArguments& args) {
  return args.settingsScript == L"-" || args.settingsDialog || args.calcDialog || args.keepOpen;
}

// What the run needs before it analyses: a display when it opens windows, a documents file,
// output files and picture folders it can write, none of them one of its inputs. 0, or the status
// to end with after the line saying what is missing.
int CheckBeforeAnalysing(const AnalyzeArguments& args, const RunFiles& files) {
  const bool windows = !args.show.views.empty() || args.show.event > 0 || !args.settingsScript.empty() ||
                       args.settingsDialog || args.calcDialog;
  if (windows && !DisplayOpens()) {
    PrintError(kNoDisplayLine);
    return 2;
  }
  const std::string refusal = files.Refusal();
  if (refusal.empty()) return 0;
  PrintError(refusal);
  return 2;
}

// One run of the command, step by step: read the recording, open the host and the analysis
// document, apply the settings, analyse, take the outputs and save. Each step answers 0 to go on,
// or the status to end with after the line saying why; however the run ends, the recording's
// documents are closed when it is destroyed.
class AnalyzeRun {
 public:
  AnalyzeRun(const AnalyzeArguments& args, const host::UnattendedMessageBoxes* unattended, RunFiles& files)
      : mArgs(args), mUnattended(unattended), mFiles(files) {}
  AnalyzeRun(const AnalyzeRun&) = delete;
  AnalyzeRun& operator=(const AnalyzeRun&) = delete;
  ~AnalyzeRun() {
    if (mHostDocument) mHostDocument->CloseChildDocuments();
    if (mData) mData->SetFormulaClass(nullptr);
  }

  int Steps() {
    int status = ReadRecording();
    if (status == 0) status = OpenHost();
    if (status == 0) status = OpenAnalysisDocument();
    if (status == 0) status = ApplySettings();
    if (status == 0) status = Analyse();
    if (status != 0) return status;
    status = TakeOutputs();
    status = Save(status);
    // Each output is written whatever became of the others; a refused run writes none.
    if (status != 2 && mArgs.withCalc) {
      mFiles.Taken(L"--calc-csv");
      status = std::max(status, host::RunChannelCalculation(mData.Get(), mArgs.calc));
    }
    if (status == 0 && mArgs.calcDialog) status = host::RunChannelCalcDialog(mHostDocument.Get(), mData.Get());
    return status;
  }

 private:
  static int Failure(const std::string& what, HRESULT hr) {
    PrintError(what + ": " + host::HexCode(static_cast<unsigned long>(hr)));
    return 1;
  }

  // The recording, as the data file the host opens; with --online an empty one that sampling fills.
  int ReadRecording() {
    host::RecordingReadOptions readOptions;
    readOptions.rateHz = mArgs.rate;
    host::Recording recording;
    try {
      recording = host::ReadRecordingFile(host::Utf8FromWide(mArgs.recording), readOptions);
    } catch (const host::RecordingFileError& refused) {
      PrintError(refused.what());
      return 2;
    }
    if (mArgs.onlineBatch > 0) {
      mSampled = std::move(recording);
      recording.channels = mSampled.channels;  // sampling writes every record
    }
    mData = host::DataDocument::Create(std::move(recording));
    return 0;
  }

  // The framework, the module and the formula class registered, and the host's document of the file.
  int OpenHost() {
    HRESULT hr = EnsureHostFramework();
    if (FAILED(hr)) return Failure("framework registration failed", hr);
    hr = LoadAndRegisterModule(PathBesideExecutable(L"Ondara.dll").c_str());
    if (SUCCEEDED(hr)) hr = host::RegisterFormulaEnumClassWithFramework(&mFormulaClass);
    if (FAILED(hr) || !mFormulaClass) return Failure("the module or the formula class is not registered", hr);
    mData->SetFormulaClass(mFormulaClass.Get());
    mHostDocument = host::HostDocument::Create(mData);
    mHostDocument->SetTitle(FileTitle(mArgs.recording));
    if (mArgs.withClock) host::ApplyClockStart(mArgs.clock, *mData.Get(), *mHostDocument.Get());
    return 0;
  }

  // The analysis document (from the documents file when there is one), the user's selection, and
  // the document's settings script.
  int OpenAnalysisDocument() {
    std::wstring refusal;
    HRESULT hr = ondara_host::OpenAnalysisDocument(*mHostDocument.Get(), mArgs.documents, mDocument, &refusal);
    if (!refusal.empty()) {
      // The file stays as it is: nothing is saved over it.
      PrintError(host::Utf8FromWide(mArgs.documents) + ": the analysis document could not be opened: " +
                 host::Utf8FromWide(refusal));
      return 2;
    }
    if (SUCCEEDED(hr))
      hr = mDocument->QueryInterface(IID_IDocumentSettingsScript, reinterpret_cast<void**>(mSettings.Out()));
    if (FAILED(hr)) return Failure("the analysis document could not be made", hr);
    // With its documents open the host tells them so; they register with its analysis manager.
    mHostDocument->BroadcastDocumentsOpen();
    if (mArgs.select && !SelectInFirstRecord(*mData.Get(), mArgs.selection)) {
      PrintError("--select: the first record does not hold that span");
      return 2;
    }
    return 0;
  }

  // The options' settings, the analysis channel checked against the recording, the settings
  // dialog's script, then what the analysis and the calculation will need.
  int ApplySettings() {
    for (const auto& [id, value] : mArgs.settings) {
      if (FAILED(mSettings->SetSettingText(id, value.c_str()))) {
        PrintError(SettingRefusal(mSettings.Get(), id, value));
        return 2;
      }
    }
    int32_t channels = 0;
    mData->GetChannelCount(&channels);
    const std::string lacking = AnalysisChannelRefusal(mSettings.Get(), mArgs.channelSource, channels, &mChannel);
    if (!lacking.empty()) {
      PrintError(lacking);
      return 2;
    }
    const int played = mArgs.settingsScript.empty() ? 0 : RunSettingsDialogScript(mDocument.Get(), mArgs.settingsScript);
    if (played != 0) return played;
    std::string refusal = AnalysisTargetRefusal(mSettings.Get(), *mData.Get(), mArgs.onlineBatch > 0);
    if (refusal.empty() && mArgs.withCalc) refusal = host::ChannelMeasurementRefusal(mData.Get(), mArgs.calc);
    if (refusal.empty()) return 0;
    PrintError(refusal);
    return 2;
  }

  // "ZR_Analyze" over the finished recording, or the analysis while the host samples it.
  int Analyse() {
    host::Progress().cancelAtPercent = mArgs.cancelAt;
    host::Progress().showOnTerminal = _isatty(_fileno(stderr)) != 0;
    if (mArgs.onlineBatch > 0) {
      const HRESULT hr = mArgs.show.views.empty()
                             ? host::SampleRecording(mData.Get(), mSampled, mArgs.onlineBatch)
                             : SampleWhileShowing(*mHostDocument.Get(), *mData.Get(), mDocument.Get(), mArgs.show,
                                                  mSampled, mArgs.onlineBatch, &mFrames);
      if (FAILED(hr)) return Failure("sampling the recording failed", hr);
    } else {
      const HRESULT hr = SendNamedCommand(L"ZR_Analyze", mDocument.Get());
      if (hr != S_OK) return Failure("\"ZR_Analyze\" was not taken by the document", hr);
    }
    // The document keeps nothing of a cancelled analysis: the markers then say so, a table has none.
    if (host::Progress().cancelled)
      PrintError("the analysis was cancelled (--cancel-at " + std::to_string(mArgs.cancelAt) + ")");
    return host::Progress().cancelled && mArgs.table ? 1 : 0;
  }

  // What the analysis found (and a line saying so when it found nothing), then the views shown and
  // their outputs; the views stay open with --keep-open until the user closes them.
  int TakeOutputs() {
    int32_t rows = -1;  // -1: nothing was printed
    int status = PrintAnalysis(mArgs, mData.Get(), mFormulaClass.Get(), mDocument.Get(), mChannel, &rows);
    if (rows >= 0 && !host::Progress().cancelled) {
      const std::string line = NoEventsLine(Findings(rows));
      if (!line.empty()) PrintError(line);
    }
    const std::string unsearched = UnsearchedStartLine(mSettings.Get(), mData->Data(), mChannel);
    if (!unsearched.empty() && !host::Progress().cancelled) PrintError(unsearched);
    if (status != 2 && (!mArgs.show.views.empty() || mArgs.show.event > 0)) {
      status = std::max(status, ShowViews(*mHostDocument.Get(), *mData.Get(), mDocument.Get(), mArgs.show, &mFrames));
      // Once the views are open every output taken from them is written, or a line says why not.
      if (mFrames.size() == mArgs.show.views.size())
        for (const wchar_t* option : {L"--copy", L"--data-pad", L"--screenshot", L"--print-preview"})
          mFiles.Taken(option);
    }
    if (mArgs.keepOpen) KeepViewsOpen(*mHostDocument.Get());
    return status;
  }

  // What the line after the table reads: the rows, the settings (and which the options gave), the
  // recording and the formula class that runs the module's detectors again.
  AnalysisFindings Findings(int32_t rows) const {
    AnalysisFindings findings;
    findings.settings = mSettings.Get();
    findings.data = mData.Get();
    findings.formulaClass = mFormulaClass.Get();
    findings.channel = mChannel;
    findings.rows = rows;
    for (const auto& setting : mArgs.settings) findings.typed.push_back(setting.first);
    return findings;
  }

  // The documents saved to the documents file, whatever the outputs ended with, unless the run
  // is refused (an input, or a box reporting a failure): a refused run leaves the file as it was.
  int Save(int status) {
    const bool refused = status == 2 || (mUnattended && mUnattended->FailureSeen());
    if (mArgs.documents.empty() || refused) return status;
    mFiles.Taken(L"--documents");
    const HRESULT hr = host::SaveDocumentStreams(*mHostDocument.Get(), mArgs.documents);
    if (FAILED(hr)) {
      PrintError("the documents could not be saved to " + host::Utf8FromWide(mArgs.documents) + ": " +
                 host::SaveProblemWords(mArgs.documents, hr));
      return 1;
    }
    return status;
  }

  const AnalyzeArguments& mArgs;
  const host::UnattendedMessageBoxes* mUnattended;  // none when a person answers the boxes
  RunFiles& mFiles;
  host::Recording mSampled;  // with --online: what sampling feeds the data file
  host::HostPtr<host::DataDocument> mData;
  host::HostPtr<ICalcEnumClass2> mFormulaClass;
  host::HostPtr<host::HostDocument> mHostDocument;
  host::HostPtr<ICustomDocument2> mDocument;
  host::HostPtr<IDocumentSettingsScript> mSettings;
  int32_t mChannel = 0;
  ShownFrames mFrames;
};

int Run(const AnalyzeArguments& args) {
  std::optional<host::UnattendedMessageBoxes> unattended;
  if (!Attended(args)) unattended.emplace(stderr);
  RunFiles files(args);
  int status = CheckBeforeAnalysing(args, files);
  if (status != 0) return status;
  status = AnalyzeRun(args, unattended ? &*unattended : nullptr, files).Steps();
  // A refusal is its own line; a run that failed names what it left as it was.
  const std::string untaken = files.UntakenLine();
  if (status == 1 && !untaken.empty()) PrintError(untaken);
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