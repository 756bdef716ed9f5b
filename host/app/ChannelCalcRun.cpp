// A module's calculated channel made, applied and written as CSV, through the calculation
// protocol the host speaks with any calculation class.
#include "host/app/ChannelCalcRun.h"

#include "host/chancalc/CalcOutputSource.h"
#include "host/chancalc/RangeSource.h"
#include "host/chancalc/TextStore.h"
#include "host/common/FileProblemWords.h"
#include "host/common/HostString.h"
#include "host/common/MessageText.h"
#include "hostapi/ChannelCalc.h"
#include "hostapi/ClassRegistry.h"
#include "wholefile/ReplacingFile.h"

#include <objbase.h>
#include <oleauto.h>

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <sstream>
#include <vector>

namespace host {

namespace {

constexpr wchar_t kCalculationName[] = L"Ondara";
constexpr int32_t kLastParameterId = 58;
constexpr int32_t kDecimalPlaces = 4;

struct CalcFailure {
  std::string message;
};

// The analysis type offers no measurement of the name asked for; offered lists those it has.
struct MeasurementMissing {
  std::wstring offered;
};

void Check(HRESULT hr, const char* what) {
  if (FAILED(hr)) throw CalcFailure{std::string(what) + " failed: " + HexCode(static_cast<unsigned long>(hr))};
}

// The registered class of the category whose name is name, with a reference.
HostPtr<ILumoClassObject> FindClass(IClassRegistry* registry, const GUID& category, const std::wstring& name) {
  uint32_t count = 0;
  registry->GetClassCount(&count);
  for (uint32_t i = 0; i < count; ++i) {
    HostPtr<ILumoClassObject> object;
    if (FAILED(registry->GetClassAt(i, object.Out())) || !object || object->IsCategory(&category) != S_OK) continue;
    BSTR text = nullptr;
    object->GetNameBstr(&text);
    const std::wstring found = text ? text : L"";
    SysFreeString(text);
    if (found == name) return object;
  }
  throw CalcFailure{"no calculation class " + QuoteInput(name) + " is registered"};
}

HostPtr<IClassRegistry> ClassRegistry() {
  HostPtr<IClassRegistry> registry;
  Check(CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_IClassRegistry,
                         reinterpret_cast<void**>(registry.Out())),
        "reaching the class registry");
  return registry;
}

HostPtr<ICalculationClass> CalculationClass(IClassRegistry* registry) {
  return FindClass(registry, ChanCalcCategoryGUID, kCalculationName).As<ICalculationClass>(IID_ICalculationClass);
}

// Settings made the host's way: loaded by the settings class from their stored text.
HostPtr<IPersistObject> MakeSettings(IPersistClassObject* settingsClass, int32_t parameterId,
                                     const ChannelCalcRequest& request, int32_t channel) {
  std::wostringstream text;
  text.imbue(std::locale::classic());
  text << 1 << L'\t' << parameterId << L'\t' << request.scaleTop << L'\t' << request.scaleBottom << L'\t'
       << kDecimalPlaces << L'\t' << 0 << L'\t' << channel << L'\t' << 777;
  HostPtr<IPersistObject> settings;
  Check(settingsClass->CreateAndLoad(nullptr, CreateTextStore(text.str()).Get(), settings.Out()), "loading the settings");
  return settings;
}

std::wstring TitleOf(IChannelCalc* calc) {
  HostPtr<QOR::IQORString> title;
  calc->GetTitle(0, title.Out());
  return StringText(title.Get());
}

// Applies the settings of each measurement in turn until the calculation's title names the one
// asked for: "Ondara, <short name> of <channel>".
void ApplyMeasurement(IChannelCalc* calc, IPersistClassObject* settingsClass, const ChannelCalcRequest& request,
                      int32_t channel) {
  const std::wstring head = std::wstring(kCalculationName) + L", ";
  std::wstring offered;
  for (int32_t id = 0; id <= kLastParameterId; ++id) {
    Check(calc->ApplySettings(MakeSettings(settingsClass, id, request, channel).Get(), 0), "applying the settings");
    const std::wstring title = TitleOf(calc);
    const size_t of = title.compare(0, head.size(), head) == 0 ? title.find(L" of ", head.size()) : std::wstring::npos;
    if (of == std::wstring::npos) continue;
    const std::wstring name = title.substr(head.size(), of - head.size());
    if (name == L"?") continue;  // an id the analysis type does not list
    if (name == request.measurement) return;
    if ((L", " + offered + L", ").find(L", " + name + L", ") == std::wstring::npos)
      offered += (offered.empty() ? L"" : L", ") + name;
  }
  throw MeasurementMissing{offered};
}

std::string MissingMeasurementLine(const ChannelCalcRequest& request, const MeasurementMissing& missing) {
  return "--calc: " + QuoteInput(request.measurement) + " is not a measurement of this analysis type; it offers " +
         Utf8FromWide(missing.offered);
}

// The module's calculation made for a new channel after the recorded ones, showing the measurement.
HostPtr<IChannelCalc> MakeCalculation(DataDocument* data, const ChannelCalcRequest& request, int32_t* channel) {
  HostPtr<IClassRegistry> registry = ClassRegistry();
  HostPtr<ICalculationClass> calcClass = CalculationClass(registry.Get());
  HostPtr<IPersistClassObject> settingsClass =
      FindClass(registry.Get(), ChanCalcSettingsCategoryGUID, std::wstring(kCalculationName) + L"Settings")
          .As<IPersistClassObject>(IID_IPersistClassObject);
  if (!calcClass || !settingsClass) throw CalcFailure{"the calculation classes answer no protocol"};
  data->GetChannelCount(channel);
  HostPtr<IHostChannelCalc> made;
  Check(calcClass->CreateCalculation(*channel, 0, static_cast<IHostDataDocument*>(data), made.Out()),
        "creating the calculation");
  HostPtr<IChannelCalc> calc = made.As<IChannelCalc>(IID_IChannelCalc);
  if (!calc) throw CalcFailure{"the calculation answers no IChannelCalc"};
  ApplyMeasurement(calc.Get(), settingsClass.Get(), request, *channel);
  return calc;
}

// The channel's samples, one line each, into the file; false when a write failed.
bool WriteCsvLines(DataDocument* data, int32_t channel, IUnknown* output, const ChannelCalcFormat& format,
                   WholeFile::ReplacingFile& out) {
  constexpr size_t kBlock = 1 << 16;  // bytes gathered before each write
  std::string text = "record,tick,value\n";
  int32_t records = 0;
  data->GetRecordCount(&records);
  for (int32_t record = 0; record < records; ++record) {
    int32_t length = 0;
    data->GetRecordLength(record, &length);
    std::vector<int16_t> raw(static_cast<size_t>(std::max(length, 0)));
    Check(data->ReadCalculatedChannel(channel, output, record, length, raw.data()), "reading the channel");
    char line[64];
    for (int32_t tick = 0; tick < length; ++tick) {
      const double value = format.scale * (raw[static_cast<size_t>(tick)] + format.offset);
      std::snprintf(line, sizeof(line), "%d,%d,%.9g\n", record, tick, value);
      text += line;
      if (text.size() < kBlock) continue;
      if (!out.Write(text)) return false;
      text.clear();
    }
  }
  return out.Write(text);
}

// Written beside the file and renamed over it: a reader never finds half a channel.
void WriteCsv(DataDocument* data, int32_t channel, IUnknown* output, const std::wstring& file) {
  ChannelCalcFormat format{};
  OutputSourceFormat(output, format);
  const HRESULT hr = WholeFile::WriteReplacing(file, [&](WholeFile::ReplacingFile& out) {
    return WriteCsvLines(data, channel, output, format, out) ? S_OK : E_FAIL;
  });
  if (FAILED(hr)) throw CalcFailure{Utf8FromWide(file) + " could not be written: " + SaveProblemWords(file, hr)};
}

}  // namespace

int RunChannelCalcDialog(HostDocument* hostDocument, DataDocument* data) {
  try {
    HostPtr<ICalculationClass> calcClass = CalculationClass(ClassRegistry().Get());
    if (!calcClass) throw CalcFailure{"the calculation class answers no protocol"};
    int32_t channel = 0;
    data->GetChannelCount(&channel);  // the new channel comes after the recorded ones
    HostPtr<IHostRangeSource> range = CreateRangeSource(HostPosition{0, 0}, HostPosition{0x7FFFFFFF, 0});
    HostPtr<IPersistObject> edited;
    const HRESULT hr = calcClass->RunSettingsDialog(nullptr, 0, static_cast<IHostDocument*>(hostDocument), range.Get(),
                                                    channel, 0, nullptr, edited.Out());
    if (hr != S_OK || !edited) {
      std::printf("channel %d: cancelled\n", channel + 1);
      return 0;
    }
    HostPtr<IHostTextStore> store = CreateTextStore();
    edited->Save(store.Get());
    std::printf("channel %d: %s\n", channel + 1, Utf8FromWide(TextStoreText(store.Get())).c_str());
    return 0;
  } catch (const CalcFailure& failure) {
    PrintMessageLine(failure.message);
    return 1;
  }
}

bool ParseChannelCalcSpec(const std::wstring& text, ChannelCalcRequest& request) {
  const size_t first = text.find(L':');
  const size_t second = first == std::wstring::npos ? first : text.find(L':', first + 1);
  if (first == 0 || second == std::wstring::npos) return false;
  wchar_t* end = nullptr;
  const std::wstring top = text.substr(first + 1, second - first - 1);
  const std::wstring bottom = text.substr(second + 1);
  request.scaleTop = std::wcstof(top.c_str(), &end);
  if (top.empty() || *end || !std::isfinite(request.scaleTop)) return false;
  request.scaleBottom = std::wcstof(bottom.c_str(), &end);
  if (bottom.empty() || *end || !std::isfinite(request.scaleBottom)) return false;
  request.measurement = text.substr(0, first);
  return true;
}

std::string ChannelMeasurementRefusal(DataDocument* data, const ChannelCalcRequest& request) {
  try {
    int32_t channel = 0;
    MakeCalculation(data, request, &channel);
    return std::string();
  } catch (const MeasurementMissing& missing) {
    return MissingMeasurementLine(request, missing);
  } catch (const CalcFailure&) {
    return std::string();  // the calculation itself says so when it runs
  }
}

int RunChannelCalculation(DataDocument* data, const ChannelCalcRequest& request) {
  try {
    int32_t channel = 0;
    HostPtr<IChannelCalc> calc = MakeCalculation(data, request, &channel);
    HostPtr<IUnknown> output;
    ChannelCalcTimeBase timeBase{};
    uint32_t word = 0;
    Check(calc->Setup(0, 0, 0, output.Out(), &timeBase, 0, &word), "setting up the channel");
    WriteCsv(data, channel, output.Get(), request.csvFile);
    std::printf("channel %d: %s\n", channel + 1, Utf8FromWide(TitleOf(calc.Get())).c_str());
    data->Apply(channel, 0, 0, nullptr);  // the channel goes with the run
    return 0;
  } catch (const CalcFailure& failure) {
    PrintMessageLine(failure.message);
    return 1;
  } catch (const MeasurementMissing& missing) {
    PrintMessageLine(MissingMeasurementLine(request, missing));
    return 2;
  }
}

}  // namespace host
