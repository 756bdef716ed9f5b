// AnalysisPlot in an opened Analysis View: the graph menu over the plot options, the axis
// ranges kept in the settings, the printout's markers and the point label.
#include "views/AnalysisPlot.h"

#include "document/AnalysisViewData.h"
#include "document/CycleDetector.h"
#include "document/SettingsStore.h"
#include "document/ZRSettingIO.h"
#include "document/ZRSetting_Bool.h"
#include "graph/Graph2DWindow.h"
#include "graph/GraphMessages.h"
#include "platform/owl/TDC.h"
#include "tests/support/DibCanvas.h"
#include "tests/support/ScriptedModalSeam.h"
#include "tests/views/AnalysisViewFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class AnalysisPlotTest : public avtest::AnalysisViewTest {
 protected:
  double Stored(int32_t id) { return mDoc->GetSettings().GetDoubleSetting(id)->Get(); }
  std::vector<double> StoredRanges() { return {Stored(2027), Stored(2028), Stored(2029), Stored(2030)}; }
  MGraph1::MenuItemState Ask(AnalysisPlot& plot, int32_t id, QOR::String* text = nullptr) {
    MGraph1::MenuItemState state{false, false, false};
    MGraph1::PreDisplayMenuMessage ask(id, &state, text);
    EXPECT_TRUE(plot.OnMessage(&ask)) << id;
    return state;
  }
  // Black pixels in the columns x - 2 to x + 2 of the rows top to bottom - 1.
  static int BlackNear(const DibCanvas& canvas, int x, int top, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
      for (int dx = -2; dx <= 2; ++dx) count += canvas.At(x + dx, y) == 0 ? 1 : 0;
    return count;
  }
};

}  // namespace

TEST_F(AnalysisPlotTest, GraphMenuOffersTheOptionsInOrderAndFlipsTheirSettings) {
  AnalysisView& v = OpenView(true, L"0");
  AnalysisPlot& plot = *v.Plot();
  const std::vector<MGraph1::GraphMenu::Item>& items = plot.Graph()->GetGraphMenu().GetItems();
  ASSERT_EQ(10u, items.size());
  const std::vector<int32_t> options{0, 2, 3, 4, 56, 27, 33, 48, 50, 57};
  for (size_t i = 0; i < items.size(); ++i) EXPECT_EQ(options[i] + 100, items[i].id) << i;
  QOR::String text;
  const MGraph1::MenuItemState peak = Ask(plot, 103, &text);
  EXPECT_EQ(L"Peak", std::wstring(text.GetText()));
  EXPECT_TRUE(peak.enabled);
  EXPECT_EQ(mDoc->GetSettings().GetBoolSetting(2015)->Get(), peak.checked);
  EXPECT_FALSE(Ask(plot, 150).enabled) << "the general type measures no population spike";
  mDoc->GetSettings().GetBoolSetting(2015)->Set(true);
  EXPECT_TRUE(Ask(plot, 103).checked);
  // Chosen through the host's popup tracker: the third item is "Peak".
  ScriptedModalSeam seam;
  seam.MenuChoices.push_back(102);
  plot.Graph()->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(100, 100));
  ASSERT_EQ(1u, seam.MenuItemCounts.size());
  EXPECT_EQ(10, seam.MenuItemCounts[0]);
  EXPECT_FALSE(mDoc->GetSettings().GetBoolSetting(2015)->Get());
  for (const ZR::Doc::Marker& m : mDoc->GetAnalysisViewData().GetMarkers(ZR::Doc::kLineMarkers))
    EXPECT_NE(L"Peak", std::wstring(m.name.GetText())) << "gone from the next render";
}

TEST_F(AnalysisPlotTest, AFreshDocumentStoresUnitRangesAndTheFirstRefreshTakesYFromTheEvents) {
  AnalysisView& unanalysed = OpenView(false);
  EXPECT_EQ((std::vector<double>{-1.0, 1.0, -1.0, 1.0}), StoredRanges());
  site->CloseAll();
  ASSERT_EQ(S_OK, SendAnalyze());
  EXPECT_EQ(S_OK, site->OpenView(AnalysisView::ViewMessageId(), view));
  (void)unanalysed;
  ZR::Doc::PlotRange range;
  ASSERT_TRUE(mDoc->GetCycleDetector()->GetPlotRange(range));
  const double margin = (range.yMax - range.yMin) * 0.1;
  EXPECT_DOUBLE_EQ(range.yMin - margin, Stored(2029)) << "stored -1 to 1, yet the events' range is taken";
  EXPECT_DOUBLE_EQ(range.yMax + margin, Stored(2030));
}

TEST_F(AnalysisPlotTest, AZoomedDomainSurvivesANewAnalysisAndTheStoredRangeReopensTheView) {
  AnalysisView& v = OpenView();
  MGraph1::Graph2DWindow& graph = *v.Plot()->Graph();
  double low = 0.0, high = 0.0;
  graph.GetXHomeRange(low, high);
  graph.SetDomain(low + 0.01, low + 0.2);
  graph.SetRange(0.1, 0.5);
  EXPECT_EQ((std::vector<double>{low + 0.01, low + 0.2, 0.1, 0.5}), StoredRanges()) << "as the drawer shows them";
  Set(1006, L"0.8");  // taller peaks only: another X range
  ASSERT_EQ(S_OK, SendAnalyze());
  double newLow = 0.0, newHigh = 0.0;
  graph.GetXHomeRange(newLow, newHigh);
  EXPECT_NE(low, newLow);
  graph.GetDomain(newLow, newHigh);
  EXPECT_DOUBLE_EQ(low + 0.01, newLow) << "the zoom stays";
  // The millivolt channel's stored Y range gives the same view again.
  site->CloseAll();
  EXPECT_EQ(S_OK, site->OpenView(AnalysisView::ViewMessageId(), view));
  IClientWindow* client = nullptr;
  view->QueryInterface(IID_IClientWindow, reinterpret_cast<void**>(&client));
  client->Release();
  AnalysisView* const reopened = static_cast<LumoOwlDocView<AnalysisView>*>(client)->Window();
  reopened->Plot()->Graph()->GetRange(newLow, newHigh);
  EXPECT_DOUBLE_EQ(0.1, newLow);
  EXPECT_DOUBLE_EQ(0.5, newHigh);
  EXPECT_EQ(L"mV", std::wstring(reopened->Plot()->YUnits().GetText()));
  EXPECT_DOUBLE_EQ(1000.0, reopened->Plot()->YScale());
}

TEST_F(AnalysisPlotTest, ValuesDifferingInTheNinthDigitAreEqual) {
  EXPECT_TRUE(ApproxEqual(1.23456789, 1.23456790));
  EXPECT_TRUE(ApproxEqual(-5e-3, -5.00000001e-3));
  EXPECT_FALSE(ApproxEqual(1.2345678, 1.2345679));
  EXPECT_TRUE(ApproxEqual(1e-31, -1e-31));
  EXPECT_FALSE(ApproxEqual(0.0, 1e-29));
}

TEST_F(AnalysisPlotTest, PrintoutShowsTheTraceAndTheMarkersWhereTheEventsTicksFall) {
  AnalysisView& v = OpenView(true, L"0");
  mDoc->SetCurrentEvent(1, 0);
  const EventFCalc& r = mDoc->GetCycleDetector()->GetEvent(1).record;
  DibCanvas canvas(600, 400, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  OWL::TDC dc(canvas.Dc());
  v.Render(dc, nullptr, OWL::TRect(0, 0, 600, 400));
  // The vertical marker lines: columns mostly black over the plot's height.
  std::vector<int> lines;
  for (int x = 2; x < 598; ++x)
    if (BlackNear(canvas, x, 0, 300) > 250 && (lines.empty() || x - lines.back() > 4)) lines.push_back(x);
  // The plot's left edge, then the start, peak and end lines.
  ASSERT_EQ(4u, lines.size());
  lines.erase(lines.begin());
  const int32_t reference = r.stimulusTick >= 0 ? r.stimulusTick : r.tick;
  const double start = r.peakStartTick - reference, peak = r.Position() - reference, end = r.peakEndTick - reference;
  // One scale of pixels per tick for the three: each line sits where its tick falls.
  const double perTick = (lines[2] - lines[0]) / (end - start);
  EXPECT_NEAR(lines[0] + (peak - start) * perTick, lines[1], 4.0);
  int red = 0;
  for (int y = 0; y < 400; ++y)
    for (int x = lines[0]; x < lines[2]; ++x) red += canvas.At(x, y) == 0xFF0000 ? 1 : 0;
  EXPECT_GT(red, lines[2] - lines[0]) << "the trace between start and end";
}

TEST_F(AnalysisPlotTest, PointLabelGivesChannelTimeAndScaledValue) {
  EXPECT_EQ(L"Channel 1: 0.1250 s, 1.500 mV",
            std::wstring(PointLabel(1, 0.125, 1.5, QOR::String(L"mV")).GetText()));
  AnalysisView& v = OpenView();
  mDoc->SetCurrentEvent(1, 0);
  AnalysisPlot& plot = *v.Plot();
  const ZR::Doc::SampledSeries series = mDoc->GetAnalysisViewData().GetSampledSeries(0);
  MGraph1::PointInfo info;
  info.x = series.firstX + 10 * series.step;
  plot.YCPlotDataEx::xRange = MGraph1::PlotRange{series.firstX, series.firstX + series.count * series.step};
  plot.YCPlotDataEx::ClearChanged();  // as after a draw
  ASSERT_TRUE(plot.GetPointInfo(0, &info));
  EXPECT_EQ(std::wstring(PointLabel(1, info.x, series.samples[10] * 1000.0, QOR::String(L"mV")).GetText()),
            info.text.GetText());
}
