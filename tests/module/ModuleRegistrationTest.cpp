// The module as the host sees it: registration order, the named commands and the draw classes.
#include "base/EventRecords.h"
#include "host/app/HostFramework.h"
#include "host/app/ModuleLoader.h"
#include "host/data/DataDocument.h"
#include "host/data/RecordingReader.h"
#include "hostapi/ChannelCalc.h"
#include "hostapi/DataFile.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/EventDrawClass.h"
#include "hostapi/MessageFactory.h"
#include "hostapi/TypeRegistry.h"
#include "hostapi/CustomDocument.h"
#include "hostapi/DocView.h"
#include "hostclient/ClassGuids.h"
#include "hostclient/DocViewIds.h"
#include "hostclient/ComPtr.h"
#include "hostclient/SettingsChildData.h"
#include "tests/module/RegisteredModule.h"
#include "tests/support/SourceTree.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <oleauto.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace {

using QOR::ComPtr;

std::wstring TakeBstr(BSTR text) {
  std::wstring result(text ? text : L"", text ? SysStringLen(text) : 0);
  SysFreeString(text);
  return result;
}

template <class I>
ComPtr<I> FrameworkService(const IID& iid) {
  ComPtr<I> service;
  CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, iid, service.OutVoid());
  return service;
}

uint16_t ClassIndex(const GUID& guid) {
  uint16_t index = 0;
  if (auto registry = FrameworkService<ITypeRegistry>(IID_ITypeRegistry))
    registry->RegisterGuid(&guid, &index);
  return index;
}

class ModuleRegistration : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(moduletest::RegisterModuleOnce(), S_OK);
  }

  static std::vector<ComPtr<ILumoClassObject>> ClassObjects() {
    std::vector<ComPtr<ILumoClassObject>> objects;
    auto registry = FrameworkService<IClassRegistry>(IID_IClassRegistry);
    uint32_t count = 0;
    registry->GetClassCount(&count);
    for (uint32_t i = 0; i < count; ++i) {
      ComPtr<ILumoClassObject> object;
      registry->GetClassAt(i, object.Out());
      objects.push_back(object);
    }
    return objects;
  }

  static ComPtr<IPODEventDrawClass> DrawClass(uint16_t n) {
    const uint32_t wanted = (static_cast<uint32_t>(ClassIndex(ZREventDrawGUID)) << 16) | n;
    for (const auto& object : ClassObjects()) {
      uint32_t typeId = 0;
      object->GetTypeId(&typeId);
      if (typeId != wanted) continue;
      ComPtr<IPODEventDrawClass> draw;
      object.As(IID_IPODEventDrawClass, draw);
      return draw;
    }
    return {};
  }

  static std::wstring Tooltip(uint16_t n, const void* record, double secondsPerTick = 0.001,
                              IUnknown* hostData = nullptr) {
    QOR::IQORString* text = nullptr;
    EXPECT_EQ(DrawClass(n)->GetTooltip(0, hostData, 0, record, secondsPerTick, &text), S_OK);
    const std::wstring result = text ? text->GetText() : L"<null>";
    if (text) text->Release();
    return result;
  }

  static COLORREF Colour(uint16_t n, const void* record) {
    COLORREF colour = 0;
    EXPECT_EQ(DrawClass(n)->GetColour(0, record, &colour), S_OK);
    return colour;
  }
};

TEST_F(ModuleRegistration, DrawClassesFollowTheEnumeratorClassesInOrderOfNumber) {
  const auto objects = ClassObjects();
  ASSERT_GE(objects.size(), 5u);
  const uint32_t drawIndex = ClassIndex(ZREventDrawGUID);
  // The draw classes are the last five, numbers 0 to 4; everything before them is an
  // enumerator class.
  const size_t first = objects.size() - 5;
  for (size_t i = 0; i < objects.size(); ++i) {
    uint32_t typeId = 0;
    objects[i]->GetTypeId(&typeId);
    BSTR name = nullptr;
    objects[i]->GetNameBstr(&name);
    const std::wstring text = TakeBstr(name);
    if (i < first) {
      EXPECT_NE(typeId >> 16, drawIndex) << i;
      continue;
    }
    EXPECT_EQ(typeId, (drawIndex << 16) | static_cast<uint32_t>(i - first)) << i;
    EXPECT_EQ(text, L"PkStimEventDrawClass") << i;
    EXPECT_EQ(objects[i]->IsCategory(&ZREventDrawGUID), S_FALSE) << i;
  }
}

TEST_F(ModuleRegistration, DocumentAndViewClassesComeFirstInOrder) {
  struct Expected {
    const wchar_t* name;
    uint32_t typeId;
    const GUID* category;
  };
  const Expected expected[] = {
      {L"Ondara Document", static_cast<uint32_t>(ClassIndex(ZRDocGUID)) << 16, &kDocumentClassCategory},
      {L"Ondara View", (static_cast<uint32_t>(ClassIndex(AnalysisViewClassGUID)) << 16) | 1,
       &kViewClassCategory},
      {L"Ondara Table View", (static_cast<uint32_t>(ClassIndex(TableViewClassGUID)) << 16) | 1,
       &kViewClassCategory}};
  // The host's own classes are registered before the module loads; the module's start here.
  const auto objects = ClassObjects();
  size_t first = 0;
  while (first < objects.size()) {
    BSTR name = nullptr;
    objects[first]->GetNameBstr(&name);
    if (TakeBstr(name) == expected[0].name) break;
    ++first;
  }
  ASSERT_LE(first + 3, objects.size());
  for (size_t i = 0; i < 3; ++i) {
    const auto& object = objects[first + i];
    BSTR name = nullptr;
    object->GetNameBstr(&name);
    EXPECT_EQ(TakeBstr(name), expected[i].name) << i;
    uint32_t typeId = 0;
    object->GetTypeId(&typeId);
    EXPECT_EQ(typeId, expected[i].typeId) << i;
    EXPECT_EQ(object->IsCategory(expected[i].category), S_OK) << i;
  }
}

// The calculation's settings class links itself after the calculation class, so it comes first.
TEST_F(ModuleRegistration, ChannelCalculationClassesFollowTheViews) {
  const auto objects = ClassObjects();
  std::vector<std::wstring> names;
  for (const auto& object : objects) {
    BSTR name = nullptr;
    object->GetNameBstr(&name);
    names.push_back(TakeBstr(name));
  }
  const auto view = std::find(names.begin(), names.end(), L"Ondara Table View");
  ASSERT_LE(view + 3, names.end());
  EXPECT_EQ(view[1], L"OndaraSettings");
  EXPECT_EQ(view[2], L"Ondara");
  const ComPtr<ILumoClassObject>& calcClass = objects[static_cast<size_t>(view + 2 - names.begin())];
  EXPECT_EQ(calcClass->IsCategory(&ChanCalcCategoryGUID), S_OK);
}

TEST_F(ModuleRegistration, MessageFactoryMeetsClearAnalysisFirst) {
  auto factory = FrameworkService<IMessageFactory>(IID_IMessageFactory);
  uint32_t count = 0;
  factory->GetCount(&count);
  ASSERT_EQ(count, 3u);
  const wchar_t* const names[] = {L"ZR_ClearAnalysis", L"ZR_TableView_CopyToDataPad",
                                  L"ZR_Analyze"};
  const uint32_t numbers[] = {3, 1, 0};
  const uint32_t docIndex = ClassIndex(ZRDocGUID);
  for (uint32_t i = 0; i < 3; ++i) {
    ComPtr<IMsgIdMessageClassObject> object;
    ASSERT_EQ(factory->GetAt(i, object.Out()), S_OK);
    BSTR name = nullptr;
    object->GetName(&name);
    EXPECT_EQ(TakeBstr(name), names[i]);
    BSTR group = nullptr;
    object->GetGroup(&group);
    EXPECT_EQ(TakeBstr(group), L"Ondara");
    uint32_t id = 0;
    object->GetId(&id);
    EXPECT_EQ(id, (docIndex << 16) | numbers[i]);
  }
}

TEST_F(ModuleRegistration, DrawClassColours) {
  EventPkStm stimulus{};
  stimulus.kind = kEventStimulus;
  EventPkStm peak{};
  peak.kind = kEventPeak;
  EXPECT_EQ(Colour(0, &stimulus), 0x0037B4FFu);
  EXPECT_EQ(Colour(0, &peak), 0x0021AC7Au);
  EXPECT_EQ(Colour(2, &stimulus), 0x0037B4FFu);
  EXPECT_EQ(Colour(3, &stimulus), 0x00C1D286u);
  EXPECT_EQ(Colour(4, &peak), 0x009B1DE3u);
  COLORREF untouched = 7;
  EXPECT_EQ(DrawClass(0)->GetColour(0, nullptr, &untouched), E_FAIL);
  EXPECT_EQ(untouched, 7u);
}

// A calculated record built by bytes: its constructor lives with the enumerators.
struct CalcRecord {
  alignas(8) unsigned char bytes[sizeof(EventFCalc)] = {};
  EventFCalc& Get() { return *reinterpret_cast<EventFCalc*>(bytes); }
  CalcRecord() {
    Get().stimulusTick = Get().baseStartTick = -1;
    Get().peakStartTick = Get().peakEndTick = -1;
    Get().spikeTroughTick = Get().spikePeak2Tick = -1;
  }
};

TEST_F(ModuleRegistration, CalculatedEventColourAndTooltip) {
  CalcRecord calc;
  calc.Get().value = std::numeric_limits<double>::quiet_NaN();
  // No stimulus: green even for a value without value; the tooltip is then empty.
  EXPECT_EQ(Colour(1, calc.bytes), 0x0021AC7Au);
  EXPECT_EQ(Tooltip(1, calc.bytes), L"");
  calc.Get().stimulusTick = 100;
  EXPECT_EQ(Colour(1, calc.bytes), 0x0037B4FFu);
  calc.Get().value = 2.0;
  calc.Get().spikeTroughTick = 5;
  calc.Get().spikePeak2Tick = 6;
  EXPECT_EQ(Tooltip(1, calc.bytes), L"ZR: Population Spike 0");
  // A peak starting at the earlier of stimulus and baseline start (90), ending at 340.
  calc.Get().spikePeak2Tick = -1;
  calc.Get().baseStartTick = 90;
  calc.Get().peakStartTick = 120;
  calc.Get().peakEndTick = 340;
  calc.Get().height = 0.00123f;
  EXPECT_EQ(Tooltip(1, calc.bytes), L"ZR: Peak 0; Height = 0.00123 ; Duration = 0.25 s");
}

TEST_F(ModuleRegistration, DetectorTooltips) {
  EventPkStm stimulus{};
  stimulus.kind = kEventStimulus;
  EventPkStm peak{};
  peak.kind = kEventPeak;
  // Without the analysis document's numbering an event is number 0.
  EXPECT_EQ(Tooltip(0, &stimulus), L"ZR: Peak 0 stimulus");
  EXPECT_EQ(Tooltip(0, &peak), L"ZR: Peak 0");
  EXPECT_EQ(Tooltip(2, &stimulus), L"ZR: Peak 0 stimulus");
  EXPECT_EQ(Tooltip(2, &peak), L"ZR: Population Spike 0");
  EXPECT_EQ(Tooltip(3, &peak), L"Preview Only");
  EXPECT_EQ(Tooltip(4, &peak), L"NO DRAW");
  QOR::IQORString* text = nullptr;
  EXPECT_EQ(DrawClass(0)->GetTooltip(0, nullptr, 0, nullptr, 0.001, &text), E_FAIL);
  EXPECT_EQ(text, nullptr);
}

}  // namespace

TEST_F(ModuleRegistration, CalculatedPeakHeightIsShownInTheAnalysedChannelsPrefixedUnit) {
  host::Recording recording;
  recording.channels.push_back({L"Vm", L"mV", L""});
  recording.records.push_back(host::MakeEmptyRecord(1, 0.001, true));
  auto document = host::DataDocument::Create(std::move(recording));
  ComPtr<IHostDataFile> file;
  ASSERT_EQ(document->QueryInterface(IID_IHostDataFile, file.OutVoid()), S_OK);
  CalcRecord calc;
  calc.Get().value = 2.0;
  calc.Get().baseStartTick = 90;
  calc.Get().peakStartTick = 120;
  calc.Get().peakEndTick = 340;
  calc.Get().height = 0.00123f;
  // Before any analysis the file's child data names no channel: the height stays undivided.
  EXPECT_EQ(Tooltip(1, calc.bytes, 0.001, file.Get()), L"ZR: Peak 0; Height = 0.00123 ; Duration = 0.25 s");
  // That question made the module's child data; an analysis of channel 0 stores its number there.
  ComPtr<IScrivoDataChildData> child;
  ASSERT_EQ(file->FindChildData(0, ZR::ChildDataTypeId(), child.Out()), S_OK);
  ComPtr<ZR::IZRSettingsChildData> settings;
  child.As(ZR::IID_IZRSettingsChildData, settings);
  ASSERT_TRUE(settings);
  settings->SetValues(0, static_cast<int32_t>(0x80000000u));
  EXPECT_EQ(Tooltip(1, calc.bytes, 0.001, file.Get()), L"ZR: Peak 0; Height = 1.23 mV; Duration = 0.25 s");
}

namespace {

// Cell `column` (0: the time) of the line holding tick `tick` of the first record, as written.
std::string CellAsWritten(const std::string& path, int32_t tick, size_t column) {
  std::ifstream in(path);
  std::string line;
  for (int32_t i = 0; i <= tick + 1; ++i) std::getline(in, line);
  std::istringstream cells(line);
  std::string cell;
  for (size_t c = 0; c <= column; ++c) std::getline(cells, cell, ',');
  return cell;
}

}  // namespace

// The host keeps real recordings in base units; the tooltip shows a peak's height in the file's
// own unit, the largest sample of the first record standing for the height.
TEST_F(ModuleRegistration, RealRecordingHeightsShowInTheirOwnUnits) {
  const struct {
    const char* file;  // from the repository's top folder
    size_t channel;
    const wchar_t* unit;
  } cases[] = {{"data/evoked_ap.csv", 0, L"nA"},
               {"data/evoked_ap.csv", 1, L"mV"},
               {"tests/data/recordings/varlength.csv", 0, L"pA"}};
  for (const auto& c : cases) {
    const std::string path = testsupport::SourcePath(c.file);
    host::Recording recording = host::ReadRecordingFile(path, host::RecordingReadOptions());
    const float* const samples = recording.records[0].samples[c.channel]->Samples();
    int32_t top = 0;
    for (int32_t i = 1; i < recording.records[0].length; ++i)
      if (std::fabs(samples[i]) > std::fabs(samples[top])) top = i;
    CalcRecord calc;
    calc.Get().value = 1.0;
    calc.Get().baseStartTick = 0;
    calc.Get().peakStartTick = calc.Get().peakEndTick = 10;
    calc.Get().height = samples[top];
    auto document = host::DataDocument::Create(std::move(recording));
    ComPtr<IHostDataFile> file;
    ASSERT_EQ(document->QueryInterface(IID_IHostDataFile, file.OutVoid()), S_OK);
    ComPtr<IScrivoDataChildData> child;
    EXPECT_EQ(Tooltip(1, calc.bytes, 0.001, file.Get()).find(L"; Height = "), 10u);  // makes the child data
    ASSERT_EQ(file->FindChildData(0, ZR::ChildDataTypeId(), child.Out()), S_OK);
    ComPtr<ZR::IZRSettingsChildData> settings;
    child.As(ZR::IID_IZRSettingsChildData, settings);
    ASSERT_TRUE(settings);
    settings->SetValues(static_cast<int32_t>(c.channel), static_cast<int32_t>(0x80000000u));
    // The written value in the default format (six significant digits): "-71.350" shows as -71.35.
    std::wostringstream expected;
    expected << L"ZR: Peak 0; Height = " << std::stod(CellAsWritten(path, top, c.channel + 1)) << L" "
             << c.unit << L"; Duration = 0.01 s";
    EXPECT_EQ(Tooltip(1, calc.bytes, 0.001, file.Get()), expected.str()) << c.file << " tick " << top;
  }
}
