// Running formulas through the module the way the host does: the module and the framework are
// loaded from beside the test program, the host's formula class builds the chains.
#include "host/app/EventRun.h"

#include "host/app/EventRecordFormat.h"
#include "host/app/HostFramework.h"
#include "host/app/ModuleLoader.h"
#include "host/formula/FormulaEnumClass.h"
#include "host/formula/SignalFormula.h"
#include "host/view/EventMarks.h"
#include "hostapi/CalcEnum.h"

#include <gtest/gtest.h>

namespace host {
namespace {

HostPtr<ICalcEnumClass2>* gFormulaClass = nullptr;

class EventRunTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (FAILED(ondara_host::EnsureHostFramework())) return;
    if (FAILED(ondara_host::LoadAndRegisterModule(ondara_host::PathBesideExecutable(L"Ondara.dll").c_str()))) return;
    gFormulaClass = new HostPtr<ICalcEnumClass2>;
    RegisterFormulaEnumClassWithFramework(gFormulaClass);
  }

  void SetUp() override {
    ASSERT_TRUE(gFormulaClass && *gFormulaClass) << "Ondara.dll or Lumo.dll did not load beside the test program";
  }

  // Two records of a 5 Hz sine at 1 kHz, with channel 2 calculated as its peaks.
  static HostPtr<DataDocument> SineDocument() {
    Recording recording;
    recording.channels.push_back({L"Signal", L"", L""});
    const SignalFormula sine(L"sin(2 * 3.14159265 * 5 * t) + 0.2 * sin(2 * 3.14159265 * 37 * t)");
    for (int r = 0; r < 2; ++r) {
      RecordData record = MakeEmptyRecord(1, 0.001, true);
      const std::vector<float> values = sine.Sample(0.001, r * 7, 3000);
      record.samples[0]->Append(values.data(), 3000);
      record.length = 3000;
      recording.records.push_back(std::move(record));
    }
    HostPtr<DataDocument> document = DataDocument::Create(std::move(recording));
    document->SetFormulaClass(gFormulaClass->Get());
    document->AddCalculatedChannel(L"Peaks", L"", L"cappeakdet(ch1, 0.3)");
    return document;
  }

  static std::string Run(DataDocument* document, const std::wstring& formula, int32_t online, HRESULT* hr,
                         std::wstring* error) {
    EventRunOptions options;
    options.formula = formula;
    options.onlineBlock = online;
    std::string output;
    *hr = RunEventFormula(document, gFormulaClass->Get(), options, &output, error);
    return output;
  }
};

TEST_F(EventRunTest, OnlineBlocksGiveTheOfflineEvents) {
  HostPtr<DataDocument> document = SineDocument();
  HRESULT hr = E_FAIL;
  std::wstring error;
  const std::string offline = Run(document.Get(), L"CAPPeak( ch1 , 0.3 )", 0, &hr, &error);
  ASSERT_EQ(hr, S_OK) << std::string(error.begin(), error.end());
  EXPECT_EQ(offline.substr(0, offline.find('\n')), EventHeading(24));
  EXPECT_GE(std::count(offline.begin(), offline.end(), '\n'), 20);  // 15 peaks per record and more
  EXPECT_NE(offline.find("\n1\t"), std::string::npos);               // the second record has events
  for (const int32_t block : {1, 37, 1000, 5000}) {
    EXPECT_EQ(Run(document.Get(), L"CAPPeak( ch1 , 0.3 )", block, &hr, &error), offline) << block;
    EXPECT_EQ(hr, S_OK) << std::string(error.begin(), error.end());
  }
}

TEST_F(EventRunTest, CalculatedChannelGivesItsFormulasEvents) {
  HostPtr<DataDocument> document = SineDocument();
  HRESULT hr = E_FAIL;
  std::wstring error;
  const std::string direct = Run(document.Get(), L"cappeakdet(ch1,0.3)", 0, &hr, &error);
  ASSERT_EQ(hr, S_OK);
  // The calculated channel's events, read as the getter reads a "v" channel.
  HostPtr<IUnknown> source;
  ASSERT_EQ(document->GetChannelSource(1, kChannelRequestCalculated | kChannelRequestSource, 0, 0, kEnumRecordEnd,
                                       source.Out()),
            S_OK);
  HostPtr<IEnumEventEx> events = source.As<IEnumEventEx>(IID_IEnumEventEx);
  ASSERT_TRUE(events);
  std::string lines = EventHeading(24) + "\n";
  unsigned char buffer[24 * 8];
  int32_t returned = 0, next = 0;
  HRESULT step = S_OK;
  for (int guard = 0; step == S_OK && guard < 1000; ++guard) {
    step = events->Next(sizeof buffer, kEnumRecordEnd, buffer, &returned, &next);
    for (int32_t i = 0; i < returned; ++i) lines += FormatEvent(0, buffer + 24 * i, 24) + "\n";
  }
  EXPECT_EQ(step, S_FALSE);
  EXPECT_EQ(lines, direct.substr(0, lines.size()));
  // A recorded channel has no calculation, a calculated one no recording.
  EXPECT_EQ(document->GetChannelSource(0, kChannelRequestCalculated, 0, 0, kEnumRecordEnd, source.Out()), S_FALSE);
  EXPECT_EQ(document->GetChannelSource(1, kChannelRequestRecorded, 0, 0, kEnumRecordEnd, source.Out()), S_FALSE);
}

TEST_F(EventRunTest, RecordingViewAsksTheEventsDrawClassForColourAndTooltip) {
  HostPtr<DataDocument> document = SineDocument();
  HostPtr<IUnknown> source;
  ASSERT_EQ(document->GetChannelSource(1, kChannelRequestCalculated | kChannelRequestSource, 0, 0, kEnumRecordEnd,
                                       source.Out()),
            S_OK);
  HostPtr<IEnumEventEx> events = source.As<IEnumEventEx>(IID_IEnumEventEx);
  ASSERT_TRUE(events);
  uint32_t typeId = 0;
  ASSERT_EQ(events->GetEventType(&typeId), S_OK);
  HostPtr<IClassRegistry> registry;
  ASSERT_EQ(CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_IClassRegistry,
                             reinterpret_cast<void**>(registry.Out())),
            S_OK);
  unsigned char buffer[24 * 8];
  int32_t returned = 0, next = 0;
  ASSERT_EQ(events->Next(sizeof buffer, kEnumRecordEnd, buffer, &returned, &next), S_OK);
  ASSERT_GT(returned, 0);
  for (int32_t i = 0; i < returned; ++i) {
    EventMark mark;
    ASSERT_EQ(DescribeEventMark(registry.Get(), typeId, static_cast<IHostDataFile*>(document.Get()), 0,
                                buffer + 24 * i, 0.001, &mark),
              S_OK)
        << i;
    // Detector peaks are drawn peak green; with no analysis behind them they have number 0.
    EXPECT_EQ(mark.colour, 0x0021AC7Au) << i;
    EXPECT_EQ(mark.tooltip, L"ZR: Peak 0") << i;
  }
  EventMark mark;
  EXPECT_EQ(DescribeEventMark(registry.Get(), typeId, static_cast<IHostDataFile*>(document.Get()), 0, nullptr,
                              0.001, &mark),
            E_FAIL);
}

TEST_F(EventRunTest, BadFormulaFailsWithItsPosition) {
  HostPtr<DataDocument> document = SineDocument();
  HRESULT hr = S_OK;
  std::wstring error;
  Run(document.Get(), L"cappeakdet(ch1, 0.3) )", 0, &hr, &error);
  EXPECT_EQ(hr, E_INVALIDARG);
  EXPECT_NE(error.find(L"position 22"), std::wstring::npos);
  struct Case {
    const wchar_t* formula;
    const wchar_t* error;
  };
  const Case channels[] = {
      {L"cappeakdet(ch9)", L"channel 9 does not exist: the recording has 2 channel(s)"},
      {L"cappeakdet(vch1,0.3)", L"no calculated channel 1 exists: channel 1 is recorded (write ch1)"},
      {L"calcbase(rch2,vch2)", L"no recorded channel 2 exists: channel 2 is calculated (write vch2)"},
  };
  for (const Case& c : channels) {
    Run(document.Get(), c.formula, 0, &hr, &error);
    EXPECT_EQ(hr, E_INVALIDARG) << c.formula;
    EXPECT_EQ(error, c.error);
  }
}

// Each stage reads the records of the stage before it; named out of order, the stage that cannot read its
// source says so instead of stopping the run half way.
TEST_F(EventRunTest, StagesOutOfOrderNameTheStageAndItsSource) {
  HostPtr<DataDocument> document = SineDocument();
  struct Case {
    const wchar_t* formula;
    const wchar_t* refusal;
  };
  const Case cases[] = {
      {L"CalcBulk(ch1,cappeakdet(ch1,0.3))",
       L"'CalcBulk' at position 1 refused its sources; its source 2, 'CAPPeakDet' at position 14, gives records "
       L"of 24 bytes (event type 0)"},
      {L"calcamax(ch1,cappeakdet(ch1,0.3))", L"'CalcAMax' at position 1 refused its sources; its source 2, "
                                             L"'CAPPeakDet' at position 14, gives records of 24 bytes"},
      {L"calcbase2(ch1,cappeakdet(ch1,0.3))", L"'CalcBase2' at position 1 refused"},
      {L"calcbase2(ch1,calcbase(ch1,cappeakdet(ch1,0.3)))", L"'CalcBase' at position 15, gives records of 48 bytes"},
      {L"calcbulk(ch1,calcbase(ch1,cappeakdet(ch1,0.3)))", L"'CalcBulk' at position 1 refused"},
      {L"calcbulk(ch1,calcamax(ch1,calcbase(ch1,cappeakdet(ch1,0.3))))",
       L"'CalcAMax' at position 14, gives records of 72 bytes"},
  };
  for (const Case& c : cases) {
    for (const int32_t online : {0, 100}) {
      HRESULT hr = S_OK;
      std::wstring error;
      Run(document.Get(), c.formula, online, &hr, &error);
      EXPECT_EQ(hr, E_INVALIDARG) << c.formula;
      EXPECT_NE(error.find(c.refusal), std::wstring::npos) << std::string(error.begin(), error.end());
    }
  }
}

// Numbers outside the bounds a class reports for a parameter are refused with position, name and bounds;
// -1 stands for the default where the bounds admit it.
TEST_F(EventRunTest, ArgumentsOutsideTheirBoundsAreRefused) {
  HostPtr<DataDocument> document = SineDocument();
  const std::wstring chain = L"calcbulk(ch1,calcbase2(ch1,calcamax(ch1,calcbase(ch1,cappeakdet(ch1,0.3)))),";
  struct Case {
    std::wstring formula;
    const wchar_t* error;  // null: accepted
  };
  const Case cases[] = {
      {L"cappeakdet(ch1, -2)", L"Formula error at position 17: argument 2 of 'CAPPeakDet' (Min Height) is -2, "
                               L"outside its bounds -1 to 1.7976931348623157e+308"},
      {chain + L"11)", L"argument 3 of 'CalcBulk' (Analysis Type) is 11, outside its bounds -1 to 10"},
      {chain + L"-1,-1,-1,-2)", L"argument 6 of 'CalcBulk' (Tau Mode) is -2, outside its bounds 0 to 2"},
      {chain + L"-1,-1,-1,0,0,-1,101)", L"argument 9 of 'CalcBulk' (Rise end percent) is 101, outside its bounds "
                                          L"-1 to 100"},
      {L"calcamax(ch1,calcbase(ch1,cappeakdet(ch1,0.3)),100.0000001)", L"(Start Height Percent) is 100.0000001"},
      {L"cappeakdet(ch1,-1,-1,0,0,-1,-1)", nullptr},
      {chain + L"10,-1,-1,2,-1,-1,100)", nullptr},
  };
  for (const Case& c : cases) {
    HRESULT hr = E_FAIL;
    std::wstring error;
    Run(document.Get(), c.formula, 0, &hr, &error);
    if (!c.error) {
      EXPECT_EQ(hr, S_OK) << std::string(error.begin(), error.end());
      continue;
    }
    EXPECT_EQ(hr, E_INVALIDARG) << std::string(c.formula.begin(), c.formula.end());
    EXPECT_NE(error.find(c.error), std::wstring::npos) << std::string(error.begin(), error.end());
  }
}

}  // namespace
}  // namespace host
