// The fuzz targets: formulas through the host's formula class and the module's enumerators, and
// recording texts through the recording reader.
#include "bench/fuzz/FuzzTargets.h"

#include "host/app/EventRun.h"
#include "host/app/HostFramework.h"
#include "host/app/ModuleLoader.h"
#include "host/common/HostString.h"
#include "host/common/MessageText.h"
#include "host/data/RecordingReader.h"
#include "host/formula/EnumClassCatalog.h"
#include "host/formula/FormulaEnumClass.h"
#include "host/formula/SignalFormula.h"
#include "hostapi/ClassRegistry.h"

#include <cstdio>

namespace fuzz {

namespace {

using host::HostPtr;

host::RecordData SampledRecord(const std::vector<host::SignalFormula>& signals, int32_t ticks) {
  host::RecordData record = host::MakeEmptyRecord(signals.size(), 0.001, true);
  for (size_t c = 0; c < signals.size(); ++c) {
    const std::vector<float> values = signals[c].Sample(0.001, 0, ticks);
    record.samples[c]->Append(values.data(), ticks);
  }
  record.length = ticks;
  return record;
}

// Channel 1 a signal with peaks, channel 2 a faster sine, channel 3 (added as calculated) the
// peaks of channel 1; two records, short enough for a million runs.
host::Recording FuzzRecording() {
  const std::vector<host::SignalFormula> signals = {
      host::SignalFormula(L"sin(2 * 3.14159265 * 5 * t) + 0.2 * sin(2 * 3.14159265 * 37 * t)"),
      host::SignalFormula(L"sin(t * 300)")};
  host::Recording recording;
  recording.channels = {{L"Signal", L"mV", L""}, {L"Fast", L"pA", L""}};
  recording.records.push_back(SampledRecord(signals, 1500));
  recording.records.push_back(SampledRecord(signals, 600));
  return recording;
}

struct ParamInfo {
  double low = 0.0, high = 0.0;
};

struct ClassInfo {
  std::string name;
  std::vector<std::string> aliases;
  int32_t sourceCount = 0;
  bool channelFirst = false;
  std::vector<ParamInfo> params;  // every parameter, sources included
};

std::vector<ClassInfo> RegisteredClasses() {
  std::vector<ClassInfo> classes;
  HostPtr<IClassRegistry> registry;
  if (FAILED(CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_IClassRegistry,
                              reinterpret_cast<void**>(registry.Out()))))
    return classes;
  for (const HostPtr<IUnknown>& object : host::RegistryClassList(registry.Get())()) {
    HostPtr<ICalcNumericParamsFuncClass> function =
        object.As<ICalcNumericParamsFuncClass>(IID_ICalcNumericParamsFuncClass);
    if (!function) continue;
    HostPtr<QOR::IQORString> name;
    uint32_t typeId = 0, c = 0, d = 0;
    int32_t paramCount = 0;
    ClassInfo info;
    if (FAILED(function->GetResultInfo(name.Out(), &typeId, &paramCount, &info.sourceCount, &c, &d))) continue;
    info.name = host::Utf8FromWide(host::StringText(name.Get()));
    int32_t aliases = 0;
    function->GetAliasCount(&aliases);
    for (int32_t i = 0; i < aliases && i < 8; ++i) {
      HostPtr<QOR::IQORString> alias;
      if (SUCCEEDED(function->GetAlias(i, alias.Out())) && alias)
        info.aliases.push_back(host::Utf8FromWide(host::StringText(alias.Get())));
    }
    info.channelFirst = info.sourceCount > 0 && function->CheckParamKind(0, kCalcParamKindChannel) == S_OK;
    for (int32_t i = 0; i < paramCount && i < 64; ++i) {
      ParamInfo param;
      function->GetParamInfo(i, &param.high, &param.low, nullptr, nullptr);
      info.params.push_back(param);
    }
    classes.push_back(std::move(info));
  }
  return classes;
}

std::string Number(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

// A call of the class with its sources and a value for each number: a bound, the default, the middle
// or a step beyond a bound, as the random source picks.
std::string CallOf(const ClassInfo& info, const std::string& nested, Random& random) {
  std::string call = info.name + "(";
  for (size_t i = 0; i < info.params.size(); ++i) {
    if (i > 0) call += ",";
    if (static_cast<int32_t>(i) < info.sourceCount) {
      call += i == 0 && info.channelFirst ? "ch1" : nested;
      continue;
    }
    const ParamInfo& p = info.params[i];
    const double choices[] = {p.low, p.high, -1.0, (p.low + p.high) / 2, p.low - 1, p.high + 1, 0.5};
    call += Number(choices[random.Below(7)]);
  }
  return call + ")";
}

const char* const kChains[] = {
    "CalcBulk(ch1,CalcBase2(ch1,calcamax(ch1,calcbase(ch1,cappeakdet(ch1,0.3)))))",
    "CalcBulk(ch1,CalcBase2(ch1,calcamax(ch1,calcbase(ch1,erstimdet(ch1,0.5,1,0,10)))),3)",
    "CalcBulk(ch1,CalcBase2(ch1,calcamax(ch1,calcbase(ch1,vch3))),1,5,20,1)",
    "PSCalcBase(ch1,PSPeakDet(ch1,erstimdet(ch1,0.5)),1,2,3)",
    "Selector(CalcBulk(ch1,CalcBase2(ch1,calcamax(ch1,calcbase(ch1,cappeakdet(ch1,0.3))))),5)",
    "CacheSelector(1,5,1)",
    "CAPPWF(ch1,calcbase(ch1,cappeakdet(ch2,0.3,2)),1)",
};

}  // namespace

bool FuzzHost::Start() {
  if (FAILED(ondara_host::EnsureHostFramework())) return false;
  if (FAILED(ondara_host::LoadAndRegisterModule(ondara_host::PathBesideExecutable(L"Ondara.dll").c_str())))
    return false;
  if (FAILED(host::RegisterFormulaEnumClassWithFramework(&mFormulaClass)) || !mFormulaClass) return false;
  mDocument = host::DataDocument::Create(FuzzRecording());
  mDocument->SetFormulaClass(mFormulaClass.Get());
  mDocument->AddCalculatedChannel(L"Peaks", L"", L"cappeakdet(ch1,0.3)");
  return true;
}

Target MakeFormulaTarget(FuzzHost& fuzzHost) {
  Target target;
  target.name = "formula";
  Random random(7);
  const std::vector<ClassInfo> classes = RegisteredClasses();
  for (const char* chain : kChains) target.seeds.push_back(chain);
  for (const std::string& formula : BuilderFormulas()) target.seeds.push_back(formula);
  for (const ClassInfo& info : classes) {
    for (int i = 0; i < 3; ++i) target.seeds.push_back(CallOf(info, kChains[0], random));
    target.words.words.push_back(info.name);
    for (const std::string& alias : info.aliases) target.words.words.push_back(alias);
  }
  for (const char* word : {"ch1", "vch3", "rch1", "ch2", "ch4", "channel1", "ch0", "ch2147483648", "-1", "-2", "0", "1e308",
                           "1.7976931348623157e308", "-1.7976931348623157e308", "2147483647", "2147483648",
                           "1e-320", "100", "101", "0.5", "11", "6", "59", "60", "(", ")", ",", ",,", "-+1", "t"})
    target.words.words.push_back(word);
  target.words.words.push_back(std::string(400, '9'));
  host::DataDocument* const document = fuzzHost.Document();
  ICalcEnumClass2* const formulaClass = fuzzHost.FormulaClass();
  target.run = [document, formulaClass](const std::string& input) {
    const uint64_t hash = HashInput(input);
    host::EventRunOptions options;
    options.formula = host::WideFromUtf8(input);
    options.onlineBlock = hash % 8 == 0 ? static_cast<int32_t>(1 + (hash >> 8) % 700) : 0;
    std::string output;
    std::wstring error;
    return host::RunEventFormula(document, formulaClass, options, &output, &error) == S_OK;
  };
  return target;
}

Target MakeRecordingTarget(FuzzHost& fuzzHost) {
  Target target;
  target.name = "recording";
  target.seeds = {
      "Time [s],Vm [mV],I [pA]\n0,1.5,2\n0.001,-1,3\n0.002,2,4\n\n0,7,8\n0.001,9,10\n",
      "A [pA]\tB\r\n1\t2\r\n3\t4\r\n5\t6\r\n",
      "Time [s];V [mV]\r\n0;1,5\r\n0,001;2\r\n0,002;-3\r\n",
      "\"Time [s]\",\"V\"\r\"0\",\"1\"\r0.5,\"2\"\r",
      "\xEF\xBB\xBFTime,V\r\n0,1e-05\r\n.001,.5\r\n0.002,-1\r\n0.003,+2\r\n\r\n0,-.25\r\n0.01,1E3\r\n",
      std::string("\xFF\xFET\0i\0m\0e\0,\0V\0\n\0" "0\0,\0" "1\0\n\0" "1\0,\0" "2\0\n\0", 32),
  };
  std::string longRecord = "Time [s],V [mV]\n";
  for (int i = 0; i < 300; ++i) longRecord += Number(i * 0.001) + "," + Number((i % 50 == 0) ? 5.0 : 0.01 * (i % 7)) + "\n";
  target.seeds.push_back(longRecord);
  for (const char* word : {",", ";", "\t", "\r", "\n", "\r\n", "\n\n", "\"", "[", "]", "Time", "Time [s]", "[ms]", "[mV]",
                           "[TV]", "[fA]", "nan", "inf", "-0", "1e39", "1e-45", "+-1", "0x10", "1,5", "\xFF\xFE", "\xEF\xBB\xBF"})
    target.words.words.push_back(word);
  target.words.words.push_back(std::string(400, '1'));
  ICalcEnumClass2* const formulaClass = fuzzHost.FormulaClass();
  target.run = [formulaClass](const std::string& input) {
    const uint64_t hash = HashInput(input);
    host::RecordingReadOptions options;
    options.rateHz = hash % 3 == 0 ? 1000.0 : 0.0;
    host::Recording recording;
    try {
      recording = host::ParseRecordingText(input, "fuzz.csv", options);
    } catch (const host::RecordingFileError&) {
      return false;
    }
    if (hash % 4 != 0) return true;
    // The detector over what was read: tiny records, extreme values, odd tick periods.
    host::HostPtr<host::DataDocument> read = host::DataDocument::Create(std::move(recording));
    read->SetFormulaClass(formulaClass);
    host::EventRunOptions run;
    run.formula = L"calcbase(ch1,cappeakdet(ch1,0.3))";
    std::string output;
    std::wstring error;
    host::RunEventFormula(read.Get(), formulaClass, run, &output, &error);
    read->SetFormulaClass(nullptr);
    return true;
  };
  return target;
}

}  // namespace fuzz
