// The cycle detector fed by the real chain over a stand-in data file of the cardiac signal: events,
// numbers across records, the child data's maps, durations, amplitudes, times, the plot range,
// the table's columns and values, and online blocks against one whole pull.
#include "document/CycleDetector.h"

#include "document/EventSpan.h"
#include "document/MarkerFormulas.h"
#include "document/ParamCatalogue.h"
#include "document/ScrivoDataChildData.h"
#include "document/SettingsStore.h"
#include "document/ZRSetting.h"
#include "enumerators/classlist/EnumeratorClassList.h"
#include "document/ExpressionBuilder.h"
#include "host/app/EventRun.h"
#include "host/common/MessageText.h"
#include "host/cycles/CycleEnumClass.h"
#include "host/data/Sampler.h"
#include "host/formula/FormulaSyntax.h"
#include "hostapi/CalcEnumClass.h"
#include "hostclient/ComPtr.h"
#include "host/formula/FormulaEnumClass.h"
#include "hostclient/FrameworkAccess.h"
#include "tests/document/DocumentTestHost.h"
#include "tests/support/CardiacSignal.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <new>
#include <cstring>
#include <cwctype>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

// While set, every allocation of the program fails (the test runs on one thread).
bool gFailAllocations = false;

void* operator new(std::size_t size) {
  if (gFailAllocations) throw std::bad_alloc();
  if (void* p = HeapAlloc(GetProcessHeap(), 0, size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  if (p) HeapFree(GetProcessHeap(), 0, p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {

using ZR::Doc::CycleDetector;
using ZR::Doc::ScrivoDataChildData;
using ZR::Doc::SettingsStore;

constexpr int32_t kRecordTicks = 5000;  // 5 s at 1 kHz: four beats of the cardiac signal
constexpr double kTickPeriod = 0.001;
constexpr double kPi = 3.14159265358979323846;

class CycleDetectorTest : public doctest::DocumentTest {
 protected:
  static void SetUpTestSuite() {
    doctest::DocumentTest::SetUpTestSuite();
    IClassRegistry* const registry = ObjectFactoryAccessor::Get();
    ASSERT_NE(nullptr, registry);
    CalcEnums::RegisterEnumeratorClasses(registry);
    ASSERT_EQ(S_OK, host::RegisterCycleEnumClass(registry, GetTypeRegistry()));
    ASSERT_EQ(S_OK, host::RegisterFormulaEnumClass(registry, GetTypeRegistry()));
    ZR::Doc::BuildParamCatalogue(sCatalogue);
  }

  // Two records of the cardiac signal, the channel in mV (samples in volts).
  static host::HostPtr<host::DataDocument> CardiacFile(int32_t records = 2) {
    host::Recording recording;
    recording.channels.push_back(host::ChannelInfo{L"Vm", L"mV", L""});
    const std::vector<float> signal = testsupport::CardiacSignal(kRecordTicks, 1.0 / kTickPeriod);
    for (int32_t r = 0; r < records; ++r) {
      host::RecordData record = host::MakeEmptyRecord(1, kTickPeriod, true);
      record.samples[0]->Append(signal.data(), kRecordTicks);
      record.length = kRecordTicks;
      recording.records.push_back(std::move(record));
    }
    return host::DataDocument::Create(std::move(recording));
  }

  // The document's part before a run: the store in the child data, the three marker objects and
  // their formulas.
  static SettingsStore& Prepare(host::DataDocument* file, const wchar_t* type = L"1") {
    ScrivoDataChildData* const child = ScrivoDataChildData::GetOrCreate(doctest::AsFile(file));
    EXPECT_NE(nullptr, child);
    child->SetSettings(std::make_unique<SettingsStore>(sCatalogue.get()));
    SettingsStore& store = *child->GetSettings();
    // The channel's group gets its detection-settings object from the data file's cycle extension.
    store.GetOrCreateGroup(0, -1, doctest::AsFile(file));
    store.FindSetting(ZR::Doc::kSettingAnalysisType)->FromText(QOR::String(type), true);
    for (const ZR::Doc::SettingId setting : ZR::Doc::kSettingsMarkerObjects) {
      DataObjectId object{kNewDataObject, kDataObjectRequestKind};
      host::HostPtr<QOR::IQORString> name;
      EXPECT_EQ(S_OK, file->Objects().NewObject(0, 0, 0, name.Out(), &object));
      store.SetLongValue(setting, object.id);
    }
    IUnknown* const host = doctest::AsFile(file);
    ZR::Doc::SetupDetectionSource(host, store);
    ZR::Doc::SetupDetectorFormula(host, store);
    ZR::Doc::SetupCalculationFormula(host, store);
    return store;
  }

  static std::unique_ptr<ZR::Doc::ParamCatalogue> sCatalogue;
};

std::unique_ptr<ZR::Doc::ParamCatalogue> CycleDetectorTest::sCatalogue;

TEST_F(CycleDetectorTest, MarkerObjectsGetTheSourceDetectorAndAnalysisTexts) {
  auto file = CardiacFile(1);
  const SettingsStore& store = Prepare(file.Get());
  const auto formula = [&](ZR::Doc::SettingId setting) {
    return file->Objects().Find(static_cast<int32_t>(store.GetLongValue(setting)), kMarkerObjectKind)->formula;
  };
  EXPECT_EQ(L"ch1", formula(ZR::Doc::kSettingSourceObject));
  EXPECT_EQ(
      L"cappwf( ch1, calcbase( ch1, cappeakdet( ch1, 0.03, 0, 0, 0, 0, 0), 1000, 5, -1, -1, 0, 0, 0, 0, 0, "
      L"0 ), 50, 0, 0, 0, 0 )",
      formula(ZR::Doc::kSettingDetectorObject));
  EXPECT_EQ(0u, formula(ZR::Doc::kSettingAnalysisObject)
                    .find(L"calcbulk( ch1, calcbase2( ch1, calcamax( ch1, calcbase( ch1, cappwf( ch1, "))
      << formula(ZR::Doc::kSettingAnalysisObject);
}

// A detector over both records, analysed offline.
std::unique_ptr<CycleDetector> AnalyseWhole(host::DataDocument* file, int32_t records = 2) {
  auto detector = std::make_unique<CycleDetector>(doctest::AsFile(file));
  for (int32_t r = 0; r < records; ++r) {
    EXPECT_TRUE(detector->BeginRecord(r, 0, false)) << "record " << r;
    EXPECT_TRUE(detector->ProcessTo(kRecordTicks)) << "record " << r;
  }
  return detector;
}

TEST_F(CycleDetectorTest, RealChainGivesEveryBeatOfBothRecordsWithItsValues) {
  auto file = CardiacFile();
  Prepare(file.Get());
  const auto detector = AnalyseWhole(file.Get());
  EXPECT_EQ((std::vector<int32_t>{4, 4}), detector->EventsPerRecord());
  ASSERT_EQ(8, detector->EventCount());
  ScrivoDataChildData* const child = ScrivoDataChildData::GetOrCreate(doctest::AsFile(file.Get()));
  for (int32_t n = 0; n < 8; ++n) {
    const ZR::Doc::CycleEvent& e = detector->GetEvent(n);
    const int32_t beat = n % 4;
    EXPECT_EQ(n / 4, e.recordIndex) << "event " << n;
    EXPECT_EQ(beat, e.indexInRecord) << "event " << n;
    // The slow wave (sin(5t - 2.5) - 0.5) * (1 + 0.1t) tops where the sine does, a little
    // later as the factor grows: t = (2.5 + pi/2 + 2 pi k) / 5.
    const double top = (2.5 + kPi / 2 + 2 * kPi * beat) / 5;
    EXPECT_NEAR(top, e.record.tick * kTickPeriod, 0.005) << "event " << n;
    EXPECT_NEAR(0.5 * (1 + 0.1 * top), e.record.value, 0.002) << "event " << n;
    EXPECT_FLOAT_EQ(static_cast<float>(e.record.value - e.record.baseline), detector->Amplitudes()[n]) << n;
    EXPECT_DOUBLE_EQ((n / 4) * 5.0 + e.record.tick * kTickPeriod, detector->EventTimes()[n]) << "event " << n;
    // The time column's time is the record's start plus TStart, which restarts in each record.
    float start = 0.0f;
    e.record.GetValueByIndex(0, start);
    EXPECT_NEAR((n / 4) * 5.0 + start, detector->GetEventStartTime(n), 1e-6) << "event " << n;
    // Each map holds the event's positions under its number, counted across records.
    const ZR::Doc::RecordEventMap* map = child->FindRecordMap(e.recordIndex);
    ASSERT_NE(nullptr, map);
    EXPECT_EQ(n, map->at(TickPosition(e.recordIndex, e.record.tick))) << "event " << n;
  }
  // From the baseline start to the next beat's: one period of 2 pi / 5 s after the first.
  for (int32_t n : {1, 2, 3, 5, 6, 7}) EXPECT_NEAR(2 * kPi / 5, detector->Durations()[n], 0.01) << n;
  EXPECT_EQ(0x7FFFFFFF, detector->GetEvent(8).recordIndex) << "the empty event";
  EXPECT_EQ(0x7FFFFFFF, detector->GetEvent(-1).recordIndex);
  EXPECT_EQ(0.0, detector->GetEventTime(8));

  // The events' traces reach from the floor near 0 V to the sharp spike's top of 1e-4 / 0.01^2
  // = 1 V; the baseline lies before the peak.
  ZR::Doc::PlotRange range;
  ASSERT_TRUE(detector->GetPlotRange(range));
  EXPECT_NEAR(0.0, range.yMin, 0.01);
  EXPECT_NEAR(1.0, range.yMax, 0.001);
  EXPECT_LT(range.xMin, 0.0);
  EXPECT_GT(range.xMax, 0.0);
}

TEST_F(CycleDetectorTest, ColumnsFollowTheSwitchesAndValuesTheUnitPrefix) {
  auto file = CardiacFile(1);
  SettingsStore& store = Prepare(file.Get());
  const auto detector = AnalyseWhole(file.Get(), 1);
  const int32_t shown = detector->RebuildColumns();
  ASSERT_GT(shown, 2);
  EXPECT_EQ(2, detector->GetColumnParamId(0));
  EXPECT_EQ(L"RMP (mV)", std::wstring(detector->GetColumnHeaderText(0).GetText()));
  EXPECT_EQ(L"APA (mV)", std::wstring(detector->GetColumnHeaderText(1).GetText()));
  EXPECT_EQ(-1, detector->GetColumnParamId(shown));

  store.FindSetting(ZR::Doc::ColumnSwitchId(2))->FromText(QOR::String(L"f"), true);
  EXPECT_EQ(shown - 1, detector->RebuildColumns());
  EXPECT_EQ(5, detector->GetColumnParamId(0));

  // Samples are volts; the channel shows millivolts.
  QOR::String text(L"x");
  double value = -1.0;
  detector->GetCellText(0, 0, text, &value);
  EXPECT_EQ(L"", std::wstring(text.GetText()));
  float height = 0.0f;
  detector->GetEvent(0).record.GetValueByIndex(5, height);
  EXPECT_DOUBLE_EQ(static_cast<double>(height) * 1000.0, value);

  value = -1.0;
  detector->GetEventValue(0, 58, text, &value);
  EXPECT_EQ(L"0.6100 s", std::wstring(text.GetText())) << "TStart, not the peak at 0.816 s";
  EXPECT_EQ(-1.0, value) << "the time column leaves the value";
}

TEST_F(CycleDetectorTest, ClearForgetsTheRecordAndItsChainSoNothingIsStoredUnderIt) {
  auto file = CardiacFile();
  Prepare(file.Get());
  const auto detector = AnalyseWhole(file.Get());
  ScrivoDataChildData* const child = ScrivoDataChildData::GetOrCreate(doctest::AsFile(file.Get()));
  detector->Clear();
  EXPECT_EQ(0, detector->EventCount());
  EXPECT_EQ(0u, child->RecordMapCount());
  EXPECT_FALSE(detector->Ready());
  EXPECT_EQ(0x7FFFFFFF, detector->CurrentRecord());
  ZR::Doc::PlotRange range;
  EXPECT_FALSE(detector->GetPlotRange(range));
  EXPECT_EQ(0.0, range.xMin);
  EXPECT_EQ(0.0, range.xMax);
  // The next pull while sampling must not store events under record 0x7FFFFFFF.
  EXPECT_FALSE(detector->ProcessTo(kRecordTicks));
  EXPECT_EQ(0u, child->RecordMapCount());
  EXPECT_TRUE(detector->EventsPerRecord().empty());

  EXPECT_FALSE(detector->BeginRecord(2, 0, false)) << "no record 2";
  EXPECT_FALSE(detector->ProcessTo(kRecordTicks));
  ASSERT_TRUE(detector->BeginRecord(1, 0, false));
  ASSERT_TRUE(detector->ProcessTo(kRecordTicks));
  EXPECT_EQ((std::vector<int32_t>{0, 4}), detector->EventsPerRecord());
  EXPECT_EQ(0, child->FindRecordMap(1)->at(TickPosition(1, detector->GetEvent(0).record.tick)))
      << "numbers restart after Clear";
}

TEST_F(CycleDetectorTest, StartTickAndGrowingEndsPullEachEventOnce) {
  auto file = CardiacFile(1);
  Prepare(file.Get());
  CycleDetector detector(doctest::AsFile(file.Get()));
  EXPECT_FALSE(detector.ProcessTo(100)) << "no record begun";
  ASSERT_TRUE(detector.BeginRecord(0, 1500, false));
  for (int32_t end : {1000, 2500, 2500, 3000, kRecordTicks}) ASSERT_TRUE(detector.ProcessTo(end)) << end;
  ASSERT_EQ(3, detector.EventCount()) << "the beat before tick 1500 is skipped";
  EXPECT_EQ(2072, detector.GetEvent(0).record.tick);
}

// The same file sampled in uneven blocks, analysed as it arrives, gives the same rows.
TEST_F(CycleDetectorTest, OnlineBlocksGiveTheRowsOfTheWholeFile) {
  auto whole = CardiacFile();
  Prepare(whole.Get());
  const auto offline = AnalyseWhole(whole.Get());

  host::Recording empty;
  empty.channels.push_back(host::ChannelInfo{L"Vm", L"mV", L""});
  auto live = host::DataDocument::Create(std::move(empty));
  Prepare(live.Get());
  CycleDetector online(doctest::AsFile(live.Get()));
  const std::vector<float> signal = testsupport::CardiacSignal(kRecordTicks, 1.0 / kTickPeriod);
  host::Sampler sampler(live.Get());
  ASSERT_EQ(S_OK, sampler.Start());
  for (int32_t r = 0; r < 2; ++r) {
    ASSERT_EQ(S_OK, sampler.StartRecord(kTickPeriod));
    int32_t done = 0;
    bool begun = false;
    for (int32_t block : {1, 333, 1024, 7, 2000, 1, 5000}) {
      const int32_t count = std::min(block, kRecordTicks - done);
      if (count <= 0) break;
      ASSERT_EQ(S_OK, sampler.Append({std::vector<float>(signal.begin() + done, signal.begin() + done + count)}));
      done += count;
      if (!begun) begun = online.BeginRecord(r, 0, true);
      ASSERT_TRUE(begun) << "record " << r;
      online.ProcessTo(done);  // as while sampling: a pull that finds nothing new is fine
    }
    ASSERT_EQ(S_OK, sampler.EndRecord());
    online.ProcessTo(done);
    online.EndRecord();
  }
  ASSERT_EQ(S_OK, sampler.Stop());

  ASSERT_EQ(offline->EventCount(), online.EventCount());
  EXPECT_EQ(offline->EventsPerRecord(), online.EventsPerRecord());
  for (int32_t n = 0; n < offline->EventCount(); ++n) {
    EXPECT_EQ(0, std::memcmp(&offline->GetEvent(n).record, &online.GetEvent(n).record, sizeof(EventFCalc)))
        << "event " << n;
    EXPECT_EQ(offline->Durations()[n], online.Durations()[n]) << "event " << n;
    EXPECT_EQ(offline->Amplitudes()[n], online.Amplitudes()[n]) << "event " << n;
    EXPECT_EQ(offline->EventTimes()[n], online.EventTimes()[n]) << "event " << n;
  }
}

TEST_F(CycleDetectorTest, OutOfMemoryAnswersFalseAndKeepsTheEventsFound) {
  auto file = CardiacFile();
  Prepare(file.Get());
  CycleDetector detector(doctest::AsFile(file.Get()));
  ASSERT_TRUE(detector.BeginRecord(0, 0, false));
  ASSERT_TRUE(detector.ProcessTo(kRecordTicks));
  ASSERT_TRUE(detector.BeginRecord(1, 0, false));
  ASSERT_TRUE(detector.ProcessTo(1000));
  gFailAllocations = true;
  const bool pulled = detector.ProcessTo(kRecordTicks);
  gFailAllocations = false;
  EXPECT_FALSE(pulled);
  ASSERT_EQ(5, detector.EventCount()) << "four of record 0, the first of record 1";
  EXPECT_EQ(5u, detector.Durations().size());
  EXPECT_EQ(5u, detector.Amplitudes().size());
  EXPECT_EQ(5u, detector.EventTimes().size());
  EXPECT_EQ((std::vector<int32_t>{4, 1}), detector.EventsPerRecord());
}

// Formula name or alias (lower case) -> parameter count, over the classes registered now.
std::map<std::wstring, int32_t> RegisteredParamCounts() {
  std::map<std::wstring, int32_t> counts;
  IClassRegistry* const registry = ObjectFactoryAccessor::Get();
  uint32_t classes = 0;
  registry->GetClassCount(&classes);
  for (uint32_t i = 0; i < classes; ++i) {
    QOR::ComPtr<ILumoClassObject> object;
    QOR::ComPtr<ICalcNumericParamsFuncClass> params;
    if (FAILED(registry->GetClassAt(i, object.Out())) ||
        FAILED(object->QueryInterface(IID_ICalcNumericParamsFuncClass, params.OutVoid())))
      continue;
    QOR::ComPtr<QOR::IQORString> name;
    uint32_t typeId = 0, kindC = 0, kindD = 0;
    int32_t count = 0, sources = 0;
    if (FAILED(params->GetResultInfo(name.Out(), &typeId, &count, &sources, &kindC, &kindD))) continue;
    std::vector<std::wstring> names{name->GetText()};
    int32_t aliases = 0;
    params->GetAliasCount(&aliases);
    for (int32_t a = 0; a < aliases; ++a) {
      QOR::ComPtr<QOR::IQORString> alias;
      if (SUCCEEDED(params->GetAlias(a, alias.Out()))) names.push_back(alias->GetText());
    }
    for (std::wstring n : names) {
      for (wchar_t& c : n) c = static_cast<wchar_t>(towlower(c));
      counts[n] = count;
    }
  }
  return counts;
}

// Notes the calls of a parsed formula whose class is not registered, and fails every call whose
// argument count differs from its class's.
void CheckCalls(const host::FormulaNode& node, const std::map<std::wstring, int32_t>& counts,
                const std::wstring& formula, std::set<std::wstring>& unknown) {
  if (node.kind != host::FormulaNode::Kind::Call) return;
  std::wstring name = node.name;  // formula names are matched in any case
  for (wchar_t& c : name) c = static_cast<wchar_t>(towlower(c));
  const auto found = counts.find(name);
  if (found == counts.end()) {
    unknown.insert(node.name);
  } else {
    EXPECT_EQ(found->second, static_cast<int32_t>(node.args.size())) << node.name << " in " << formula;
  }
  for (const host::FormulaNode& arg : node.args) CheckCalls(arg, counts, formula, unknown);
}

// Types 0 and 2 wrap the cycle extension's detector formula in "pcc( ... )".
TEST_F(CycleDetectorTest, EveryFormulaTheBuilderWritesHasTheRegisteredArgumentCounts) {
  auto file = CardiacFile(1);
  SettingsStore& store = Prepare(file.Get());
  ASSERT_NE(nullptr, store.GetDetectionSettingsObject());
  const auto counts = RegisteredParamCounts();
  uint32_t formulaType = 0;
  ASSERT_EQ(S_OK, host::FormulaEnumClassTypeId(GetTypeRegistry(), &formulaType));
  QOR::ComPtr<ICalcEnumClass2> formulaClass;
  ASSERT_EQ(S_OK, ObjectFactoryAccessor::Get()->GetClassObject(formulaType, IID_ICalcEnumClass2, formulaClass.OutVoid()));
  std::set<std::wstring> unknown;
  int32_t checked = 0;
  int32_t cycleChains = 0;
  for (const wchar_t* type : {L"0", L"1", L"2", L"3", L"4", L"5"}) {
    for (const wchar_t* method : {L"2", L"3", L"4"}) {
      for (const wchar_t* filter : {L"t", L"f"}) {
        store.FindSetting(ZR::Doc::kSettingAnalysisType)->FromText(QOR::String(type), true);
        store.FindSetting(ZR::Doc::kSettingStimulusMethod)->FromText(QOR::String(method), true);
        store.FindSetting(ZR::Doc::kSettingPeakWidthFilter)->FromText(QOR::String(filter), true);
        store.FindSetting(ZR::Doc::kSettingPassPeakLimits)->FromText(QOR::String(filter), true);
        ZR::ExpressionBuilder builder(store, doctest::AsFile(file.Get()));
        std::wstring text;
        builder.WriteDetectorChain(text);
        EXPECT_NE(ZR::ExpressionBuilder::FallbackText(), text) << type << " " << method;
        builder.WriteERPeakDetChain(text);
        builder.WriteCalculationChain(text);
        builder.WriteSelector(text, 5);
        if (text.find(L"pcc( ") != std::wstring::npos) ++cycleChains;
        CheckCalls(host::ParseEnumeratorFormula(text), counts, text, unknown);
        std::string events;
        std::wstring error;
        EXPECT_EQ(S_OK, host::RunEventFormula(file.Get(), formulaClass.Get(), host::EventRunOptions{text, 0}, &events,
                                              &error))
            << text << ": " << host::Utf8FromWide(error);
        ++checked;
      }
    }
  }
  EXPECT_EQ(36, checked);
  EXPECT_EQ(12, cycleChains) << "every formula of types 0 and 2";
  EXPECT_TRUE(unknown.empty()) << "not registered: " << *unknown.begin();
}

TEST(EventSpan, WithoutBaselineTicksTheSpanIsTheEventItself) {
  EventFCalc e;
  e.tick = 500;
  EXPECT_EQ(500, ZR::Doc::EventSpanStart(e));
  EXPECT_EQ(500, ZR::Doc::EventSpanEnd(e)) << "not 2 x 500 + 1, mirrored about tick -1";
  e.peakStartTick = 480;
  e.peakEndTick = 560;
  EXPECT_EQ(560, ZR::Doc::EventSpanEnd(e));
  e.baseStartTick = 450;
  e.peakEndTick = -1;
  EXPECT_EQ(450, ZR::Doc::EventSpanStart(e));
  EXPECT_EQ(550, ZR::Doc::EventSpanEnd(e)) << "mirrored about the event";
  e.stimulusTick = 400;
  EXPECT_EQ(400, ZR::Doc::EventSpanStart(e));
}

}  // namespace
