// The module's channel calculation beside an analysis document in the stand-in host: its title
// names the document's measurement and channel, and on the bundled ECG the calculated amplitude
// channel holds each beat's Table View value until the next beat.
#include "chancalc/CalcClass.h"
#include "document/ParamCatalogue.h"
#include "document/TableViewData.h"
#include "document/ZRSettingIO.h"
#include "host/app/ChannelCalcRun.h"
#include "host/formula/ChannelCalcEngine.h"
#include "host/chancalc/TextStore.h"
#include "host/common/HostString.h"
#include "host/data/RecordingReader.h"
#include "tests/document/ZRDocFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int32_t kLastMeasurement = 58;

class CalcWithDocumentTest : public doctest::ZRDocTest {
 protected:
  // The host's engine and the module's two calculation classes, registered as the module and
  // the host register them.
  static void SetUpTestSuite() {
    doctest::ZRDocTest::SetUpTestSuite();
    IClassRegistry* const registry = ObjectFactoryAccessor::Get();
    ASSERT_EQ(S_OK, host::RegisterChannelCalcEngineClass(registry, GetTypeRegistry()));
    ASSERT_EQ(S_OK, registry->RegisterClassObject(&ZR::ChanCalc::CalculationClass()));
    ASSERT_EQ(S_OK, registry->RegisterClassObject(ZR::ChanCalc::SettingsClass()));
  }

  // The measurement of the current analysis type whose short name is name; -1 when none is.
  int32_t MeasurementNamed(const wchar_t* name) {
    const ZR::Doc::SettingsStore& store = mDoc->GetSettings();
    const int type = store.GetIntSetting(ZR::Doc::kSettingAnalysisType)->Get();
    for (int32_t id = 0; id <= kLastMeasurement; ++id)
      if (store.GetCatalogue()->GetShortNameById(type, id) == QOR::String(name)) return id;
    return -1;
  }

  // The host's formula class, through which the data file evaluates the marker objects a
  // calculation reads.
  static ComPtr<ICalcEnumClass2> FormulaClass() {
    uint32_t typeId = 0;
    ComPtr<ICalcEnumClass2> formulaClass;
    EXPECT_EQ(S_OK, host::FormulaEnumClassTypeId(GetTypeRegistry(), &typeId));
    ObjectFactoryAccessor::Get()->GetClassObject(typeId, IID_ICalcEnumClass2, formulaClass.OutVoid());
    return formulaClass;
  }

  std::wstring Title(IChannelCalc* calc) {
    ComPtr<QOR::IQORString> title;
    EXPECT_EQ(S_OK, calc->GetTitle(0, title.Out()));
    return title ? title->GetText() : L"";
  }
};

TEST_F(CalcWithDocumentTest, TitleNamesTheMeasurementOfTheAnalysisTypeAndTheAnalysedChannel) {
  host::Recording recording = doctest::CardiacRecording(1, 5000);
  recording.channels.push_back(host::ChannelInfo{L"Im", L"pA", L""});
  recording.records[0].samples.push_back(recording.records[0].samples[0]);  // the same samples
  OpenOver(std::move(recording));
  Set(2000, L"1");
  const int32_t amplitude = MeasurementNamed(L"APA");
  ASSERT_GE(amplitude, 0);
  ComPtr<IHostChannelCalc> made;
  ASSERT_EQ(S_OK, ZR::ChanCalc::CalculationClass().CreateCalculation(
                      2, 0, static_cast<IHostDataDocument*>(mData.Get()), made.Out()));
  ComPtr<IChannelCalc> calc;
  ASSERT_EQ(S_OK, made->QueryInterface(IID_IChannelCalc, calc.OutVoid()));
  EXPECT_EQ(L"Ondara, ", Title(calc.Get())) << "no settings yet";

  ComPtr<IPersistObject> settings;
  const std::wstring text = L"1\t" + std::to_wstring(amplitude) + L"\t2\t-2\t4\t0\t2\t777";
  ASSERT_EQ(S_OK, ZR::ChanCalc::SettingsClass()->CreateAndLoad(nullptr, host::CreateTextStore(text).Get(),
                                                                 settings.Out()));
  ASSERT_EQ(S_OK, calc->ApplySettings(settings.Get(), 0));
  EXPECT_EQ(L"Ondara, APA of Vm", Title(calc.Get()));
  Set(2001, L"1");
  EXPECT_EQ(L"Ondara, APA of Im", Title(calc.Get())) << "the channel the document analyses";
  Set(2000, L"5");
  EXPECT_EQ(L"Ondara, " + std::wstring(mDoc->GetSettings().GetCatalogue()->GetShortNameById(5, amplitude).GetText()) +
                L" of Im",
            Title(calc.Get()))
      << "the name the analysis type gives the measurement";
  mData->Apply(2, 0, 0, nullptr);
}

// The bundled ECG analysed with the options scripts/run gives; the amplitude put on a new
// channel by the host's calculation run, scaled from -2 to 2 mV. The channel holds volts (the
// base unit, as the scale is given), the Table View shows millivolts.
TEST_F(CalcWithDocumentTest, EcgAmplitudeChannelHoldsEachBeatsTableValueUntilTheNextBeat) {
  OpenOver(host::ReadRecordingFile(testsupport::SourcePath("data/ecg_mitbih100_mlii.csv"), host::RecordingReadOptions{}));
  mData->SetFormulaClass(FormulaClass().Get());
  for (const auto& [id, value] : std::vector<std::pair<int32_t, const wchar_t*>>{
           {2000, L"1"}, {1006, L"0.0005"}, {1001, L"10"}, {1036, L"f"}, {32, L"t"}})
    Set(id, value);
  ASSERT_EQ(S_OK, SendAnalyze());
  const ZR::Doc::CycleDetector& detector = *mDoc->GetCycleDetector();
  ASSERT_EQ(760, detector.EventCount());
  ZR::TableViewData& table = *mDoc->GetTableViewData();
  uint32_t columns = 0;
  ASSERT_EQ(S_OK, table.GetColumnCount(0, &columns));
  const int32_t amplitude = MeasurementNamed(L"APA");
  int32_t column = -1;
  for (int32_t c = 0; c + 1 < static_cast<int32_t>(columns); ++c)
    if (detector.GetColumnParamId(c) == amplitude) column = c;
  ASSERT_GE(column, 0) << "the Table View shows the amplitude";

  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  host::ChannelCalcRequest request;
  request.measurement = L"APA";
  request.scaleTop = 0.002f;
  request.scaleBottom = -0.002f;
  request.csvFile = std::wstring(folder) + L"ondara-ecg-amplitude.csv";
  const int status = host::RunChannelCalculation(mData.Get(), request);
  mData->SetFormulaClass(nullptr);  // the class's chains hold the data file
  ASSERT_EQ(0, status);
  std::vector<double> channel;
  if (FILE* in = _wfopen(request.csvFile.c_str(), L"rb")) {
    char heading[64];
    std::fgets(heading, sizeof(heading), in);
    int record = 0;
    int tick = 0;
    double value = 0.0;
    while (std::fscanf(in, "%d,%d,%lf", &record, &tick, &value) == 3) channel.push_back(value);
    std::fclose(in);
  }
  _wremove(request.csvFile.c_str());
  ASSERT_EQ(216000u, channel.size());

  const double rawStep = (request.scaleTop - request.scaleBottom) / 64000.0;
  const double volts = 1e-3;
  int32_t compared = 0;
  for (int32_t row = 0; row < detector.EventCount(); ++row) {
    QOR::String text;
    double beat = std::nan("");
    detector.GetCellText(row, column, text, &beat);
    ASSERT_TRUE(std::isfinite(beat)) << "beat " << row;
    const int32_t from = detector.GetEvent(row).record.tick;
    const int32_t to = row + 1 < detector.EventCount() ? detector.GetEvent(row + 1).record.tick : 216000;
    for (int32_t tick = from; tick < to; ++tick, ++compared) {
      if (std::fabs(channel[static_cast<size_t>(tick)] - beat * volts) > rawStep) {
        ADD_FAILURE() << "beat " << row << " at tick " << tick << ": channel " << channel[static_cast<size_t>(tick)]
                      << " V, table " << beat << " mV";
        return;
      }
    }
  }
  EXPECT_EQ(216000 - detector.GetEvent(0).record.tick, compared);
}

}  // namespace
