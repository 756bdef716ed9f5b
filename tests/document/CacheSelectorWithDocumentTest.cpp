// The cache selectors beside an analysis document in the stand-in host: they hand out the results
// of the calculation the document keeps with the data file, as the host's events command runs them.
#include "document/ParamCatalogue.h"
#include "document/TableViewData.h"
#include "document/ZRSettingIO.h"
#include "host/app/EventRun.h"
#include "host/formula/FormulaEnumClass.h"
#include "tests/document/ZRDocFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Selected {
  int32_t tick;
  double value;
};

class CacheSelectorWithDocumentTest : public doctest::ZRDocTest {
 protected:
  // The events of formula over the data file, as the host's events command runs it offline.
  std::vector<Selected> Run(const std::wstring& formula) {
    uint32_t typeId = 0;
    ComPtr<ICalcEnumClass2> formulaClass;
    EXPECT_EQ(S_OK, host::FormulaEnumClassTypeId(GetTypeRegistry(), &typeId));
    ObjectFactoryAccessor::Get()->GetClassObject(typeId, IID_ICalcEnumClass2, formulaClass.OutVoid());
    host::EventRunOptions options;
    options.formula = formula;
    std::string output;
    std::wstring error;
    const HRESULT hr = host::RunEventFormula(mData.Get(), formulaClass.Get(), options, &output, &error);
    EXPECT_EQ(S_OK, hr) << std::string(error.begin(), error.end());
    std::vector<Selected> events;
    std::istringstream lines(output);
    std::string line;
    std::getline(lines, line);  // the heading
    while (std::getline(lines, line)) {
      std::istringstream cells(line);
      std::string record, tick, fraction, value;
      std::getline(cells, record, '\t');
      std::getline(cells, tick, '\t');
      std::getline(cells, fraction, '\t');
      std::getline(cells, value, '\t');
      events.push_back({std::atoi(tick.c_str()), std::strtod(value.c_str(), nullptr)});
    }
    return events;
  }
  // The Table View's column of the current type's measurement of this short name and the measurement's
  // index, or -1 for both.
  std::pair<int32_t, int32_t> ColumnNamed(const wchar_t* name) {
    uint32_t columns = 0;  // the table sets up its columns when first asked
    EXPECT_EQ(S_OK, mDoc->GetTableViewData()->GetColumnCount(0, &columns));
    const ZR::Doc::CycleDetector& detector = *mDoc->GetCycleDetector();
    const ZR::Doc::SettingsStore& store = mDoc->GetSettings();
    const int type = store.GetIntSetting(ZR::Doc::kSettingAnalysisType)->Get();
    for (int32_t c = 0; c < detector.ColumnCount(); ++c) {
      const int32_t id = detector.GetColumnParamId(c);
      if (store.GetCatalogue()->GetShortNameById(type, id) == QOR::String(name)) return {c, id};
    }
    return {-1, -1};
  }
  // The value the Table View shows in a cell.
  double Shown(int32_t row, int32_t column) {
    QOR::String text;
    double shown = 0.0;
    mDoc->GetCycleDetector()->GetCellText(row, column, text, &shown);
    return shown;
  }
};

TEST_F(CacheSelectorWithDocumentTest, EcgSelectorHandsOutTheTableViewsAmplitudes) {
  OpenEcg();
  EXPECT_TRUE(Run(L"cacheselector(1, 5, 1000)").empty()) << "nothing is kept before an analysis";
  ASSERT_EQ(S_OK, SendAnalyze());
  const ZR::Doc::CycleDetector& detector = *mDoc->GetCycleDetector();
  ASSERT_EQ(760, detector.EventCount());
  const auto [column, amplitude] = ColumnNamed(L"APA");
  ASSERT_GE(column, 0) << "the Table View shows the amplitude";

  // Factor 1000: millivolts, as the table shows them.
  const std::vector<Selected> selected = Run(L"cacheselector(1, " + std::to_wstring(amplitude) + L", 1000)");
  ASSERT_EQ(760u, selected.size());
  for (int32_t row = 0; row < 760; ++row) {
    EXPECT_EQ(detector.GetEvent(row).record.tick, selected[static_cast<size_t>(row)].tick) << "beat " << row;
    EXPECT_NEAR(Shown(row, column), selected[static_cast<size_t>(row)].value, 1e-9) << "beat " << row;
  }
  // A second selector reads the same calculation; clearing the analysis empties what both read.
  EXPECT_EQ(760u, Run(L"cacheselector(1, 32, 1)").size());
  ASSERT_EQ(S_OK, SendNamed(L"zr_clearanalysis"));
  EXPECT_TRUE(Run(L"cacheselector(1, 5, 1000)").empty());
}

}  // namespace

TEST_F(CacheSelectorWithDocumentTest, PopulationSpikeSelectorHandsOutTheTableViewsSpikeHeights) {
  OpenOver(doctest::PopulationSpikeRecording());
  // Population spikes after a stimulus 50 ms into each sweep, searched from 0 to 200 ms after it.
  for (const auto& [id, value] : std::vector<std::pair<int32_t, const wchar_t*>>{
           {2000, L"4"}, {1000, L"2"}, {1005, L"50"}, {1007, L"0"}, {1008, L"200"}})
    Set(id, value);
  ASSERT_EQ(S_OK, SendAnalyze());
  const ZR::Doc::CycleDetector& detector = *mDoc->GetCycleDetector();
  ASSERT_EQ(3, detector.EventCount());
  const auto [column, height] = ColumnNamed(L"PopSpikeHeight");
  ASSERT_GE(column, 0) << "the Table View shows the spike height";
  const std::wstring formula = L"pscacheselector(4, " + std::to_wstring(height) + L", 1)";
  EXPECT_TRUE(Run(L"cacheselector(1, " + std::to_wstring(height) + L", 1)").empty()) << "the standard cache is empty";
  const std::vector<Selected> selected = Run(formula);
  ASSERT_EQ(3u, selected.size());
  for (int32_t sweep = 0; sweep < 3; ++sweep) {
    const double shown = Shown(sweep, column);
    EXPECT_EQ(detector.GetEvent(sweep).record.tick, selected[static_cast<size_t>(sweep)].tick) << "sweep " << sweep;
    EXPECT_NEAR(shown, selected[static_cast<size_t>(sweep)].value, 1e-9) << "sweep " << sweep;
    EXPECT_GT(shown, 3.0 + sweep) << "deeper each sweep, above the peak-to-peak line: " << sweep;
  }
}
