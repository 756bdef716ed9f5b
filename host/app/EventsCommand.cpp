// The "events" command: runs a formula through the module's enumerators over a recording or a
// signal and prints the events as TAB-separated text.
#include "host/app/AnalyzeInputs.h"
#include "host/app/EventRun.h"
#include "host/app/HostFramework.h"
#include "host/app/ModuleLoader.h"
#include "host/app/RecordingTooLarge.h"
#include "host/common/MessageText.h"
#include "host/data/DataDocument.h"
#include "host/data/RecordingReader.h"
#include "host/formula/FormulaEnumClass.h"
#include "host/formula/SignalFormula.h"

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <new>
#include <stdexcept>
#include <set>
#include <string>

namespace ondara_host {

namespace {

constexpr char kUsage[] =
    "usage: ondara-host events --formula TEXT (--recording FILE [--rate HZ] |\n"
    "         --signal FORMULA --rate HZ --ticks N [--records R]) [--online B]";

struct EventsArguments {
  std::wstring formula, recording, signal;
  double rate = 0.0;
  long long ticks = 0, records = 1, online = 0;
  bool countsGiven = false;  // --ticks or --records, which only a signal takes
};

void PrintError(const std::string& utf8) { host::PrintMessageLine(utf8); }

bool ParseNumber(const wchar_t* text, double* value) {
  wchar_t* end = nullptr;
  *value = std::wcstod(text, &end);
  return end != text && *end == 0 && std::isfinite(*value);
}

bool ParseCount(const wchar_t* text, long long* value) {
  wchar_t* end = nullptr;
  *value = std::wcstoll(text, &end, 10);
  return end != text && *end == 0;
}

// Whether --help stands among the options' names (not as another option's value).
bool AsksForHelp(int argc, wchar_t** argv) {
  for (int i = 0; i < argc; i += 2)
    if (std::wcscmp(argv[i], L"--help") == 0) return true;
  return false;
}

// False with a message on stderr for arguments that do not fit the usage.
bool ParseArguments(int argc, wchar_t** argv, EventsArguments* args) {
  std::set<std::wstring> seen;
  for (int i = 0; i < argc; i += 2) {
    const std::wstring name = argv[i];
    if (i + 1 >= argc) {
      PrintError(host::QuoteInput(name) + " needs a value");
      return false;
    }
    if (!seen.insert(name).second) {
      PrintError(host::QuoteInput(name) + " is given more than once");
      PrintError(kUsage);
      return false;
    }
    const wchar_t* value = argv[i + 1];
    bool ok = true;
    const std::string rateRefusal = name == L"--rate" ? RateOptionRefusal(value) : std::string();
    if (!rateRefusal.empty()) {
      PrintError(rateRefusal);
      return false;
    }
    if (name == L"--formula") args->formula = value;
    else if (name == L"--recording") args->recording = value;
    else if (name == L"--signal") args->signal = value;
    else if (name == L"--rate") ok = ParseNumber(value, &args->rate);
    else if (name == L"--ticks") ok = ParseCount(value, &args->ticks) && args->ticks > 0 && args->ticks < 0x7FFFFFFF;
    else if (name == L"--records") ok = ParseCount(value, &args->records) && args->records > 0 && args->records <= 100000;
    else if (name == L"--online") ok = ParseCount(value, &args->online) && args->online > 0 && args->online < 0x7FFFFFFF;
    else {
      PrintError("unknown argument " + host::QuoteInput(name));
      return false;
    }
    if (!ok) {
      PrintError(host::Utf8FromWide(name) + ": " + host::QuoteInput(value) + " is not a valid value");
      return false;
    }
    if (name == L"--ticks" || name == L"--records") args->countsGiven = true;
  }
  if (args->formula.empty() || args->recording.empty() == args->signal.empty() ||
      (!args->signal.empty() && (args->rate <= 0.0 || args->ticks <= 0)) ||
      (!args->recording.empty() && args->countsGiven)) {
    PrintError(kUsage);
    return false;
  }
  return true;
}

// The recording the command runs over: read from a file, or sampled from a signal formula.
host::Recording LoadRecording(const EventsArguments& args) {
  if (!args.recording.empty()) {
    host::RecordingReadOptions options;
    options.rateHz = args.rate;
    return host::ReadRecordingFile(host::Utf8FromWide(args.recording), options);
  }
  const host::SignalFormula signal(args.signal);
  host::Recording recording;
  recording.channels.push_back({L"Signal", L"", L""});
  const double period = 1.0 / args.rate;
  for (long long r = 0; r < args.records; ++r) {
    host::RecordData record = host::MakeEmptyRecord(1, period, true);
    const std::vector<float> values = signal.Sample(period, 0, static_cast<int32_t>(args.ticks));
    record.samples[0]->Append(values.data(), static_cast<int32_t>(values.size()));
    record.length = static_cast<int32_t>(values.size());
    recording.records.push_back(std::move(record));
  }
  return recording;
}

int Run(const EventsArguments& args) {
  host::HostPtr<host::DataDocument> document;
  try {
    document = host::DataDocument::Create(LoadRecording(args));
  } catch (const std::bad_alloc&) {
    return ReportRecordingTooLarge(args.recording);
  } catch (const std::length_error&) {
    return ReportRecordingTooLarge(args.recording);  // a text longer than a string can be
  } catch (const host::RecordingRateConflict& e) {
    PrintError(e.what());
    PrintError(kUsage);
    return 2;
  } catch (const host::RecordingFileError& e) {
    PrintError(e.what());  // a refused input, as a refused option
    return 2;
  } catch (const host::FormulaError& e) {
    PrintError("--signal: " + host::QuoteInput(args.signal) + ": " + e.what());  // refused as a file's values are
    return 2;
  } catch (const std::exception& e) {
    PrintError(e.what());
    return 1;
  }
  HRESULT hr = EnsureHostFramework();
  if (FAILED(hr)) {
    PrintError("framework registration failed: " + host::HexCode(hr));
    return 1;
  }
  const std::wstring module = PathBesideExecutable(L"Ondara.dll");
  hr = LoadAndRegisterModule(module.c_str());
  if (FAILED(hr)) {
    PrintError("module " + host::Utf8FromWide(module) + " not registered: " + host::HexCode(hr));
    return 1;
  }
  host::HostPtr<ICalcEnumClass2> formulaClass;
  hr = host::RegisterFormulaEnumClassWithFramework(&formulaClass);
  if (FAILED(hr) || !formulaClass) {
    PrintError("the formula class is not registered: " + host::HexCode(hr));
    return 1;
  }
  document->SetFormulaClass(formulaClass.Get());
  host::EventRunOptions options;
  options.formula = args.formula;
  options.onlineBlock = static_cast<int32_t>(args.online);
  std::string output;
  std::wstring error;
  hr = host::RunEventFormula(document.Get(), formulaClass.Get(), options, &output, &error);
  document->SetFormulaClass(nullptr);
  if (FAILED(hr)) {
    PrintError(host::Utf8FromWide(error) + " (" + host::HexCode(hr) + ")");
    return hr == E_INVALIDARG ? 2 : 1;  // a formula refused is input refused
  }
  std::fwrite(output.data(), 1, output.size(), stdout);
  return 0;
}

}  // namespace

int RunEventsCommand(int argc, wchar_t** argv) {
  try {
    if (AsksForHelp(argc, argv)) {
      std::printf("%s\n", kUsage);  // asked for: on the output, and no failure
      return 0;
    }
    EventsArguments args;
    if (!ParseArguments(argc, argv, &args)) return 2;
    return Run(args);
  } catch (const std::exception& e) {
    PrintError(e.what());
    return 1;
  }
}

}  // namespace ondara_host
