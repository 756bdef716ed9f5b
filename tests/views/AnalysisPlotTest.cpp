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

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

class AnalysisPlotTest : public avtest::AnalysisViewTest {
 protected:
  double Stored(ZR::Doc::SettingId id) { return mDoc->GetSettings().GetDoubleSetting(id)->Get(); }
  std::vector<double> StoredRanges() {
    return {Stored(ZR::Doc::kSettingAxisXLow), Stored(ZR::Doc::kSettingAxisXHigh), Stored(ZR::Doc::kSettingAxisYLow),
            Stored(ZR::Doc::kSettingAxisYHigh)};
  }
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
  EXPECT_EQ(mDoc->GetSettings().GetBoolSetting(ZR::Doc::PlotSeriesSetting(3))->Get(), peak.checked);
  EXPECT_FALSE(Ask(plot, 150).enabled) << "the general type measures no population spike";
  mDoc->GetSettings().GetBoolSetting(ZR::Doc::PlotSeriesSetting(3))->Set(true);
  EXPECT_TRUE(Ask(plot, 103).checked);
  // Chosen through the host's popup tracker: the third item is "Peak".
  ScriptedModalSeam seam;
  seam.MenuChoices.push_back(102);
  plot.Graph()->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(100, 100));
  ASSERT_EQ(1u, seam.MenuItemCounts.size());
  EXPECT_EQ(10, seam.MenuItemCounts[0]);
  EXPECT_FALSE(mDoc->GetSettings().GetBoolSetting(ZR::Doc::PlotSeriesSetting(3))->Get());
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
  EXPECT_DOUBLE_EQ(range.yMin - margin, Stored(ZR::Doc::kSettingAxisYLow))
      << "stored -1 to 1, yet the events' range is taken";
  EXPECT_DOUBLE_EQ(range.yMax + margin, Stored(ZR::Doc::kSettingAxisYHigh));
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

namespace {

// A printout's picture of 540 x 360 drawn on a page whose margin is the DC's window origin, with
// the plot rectangle found from its axes and the shown ranges read back from the view.
class Printed {
 public:
  explicit Printed(AnalysisView& view) : mCanvas(600, 400, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))) {
    SetWindowOrgEx(mCanvas.Dc(), -kMargin, -kMargin, nullptr);
    OWL::TDC dc(mCanvas.Dc());
    view.Render(dc, nullptr, OWL::TRect(0, 0, 540, 360));
    view.Plot()->Graph()->GetDomain(mXLow, mXHigh);
    view.Plot()->Graph()->GetRange(mYLow, mYHigh);
    FindPlot();
  }
  bool Found() const { return mRight > mLeft + 100 && mBottom > mTop + 100; }
  int X(double x) const { return mLeft + static_cast<int>((x - mXLow) / (mXHigh - mXLow) * (mRight - mLeft)); }
  int Y(double y) const { return mTop + static_cast<int>((mYHigh - y) / (mYHigh - mYLow) * (mBottom - mTop)); }
  bool Inside(int x, int y) const { return x > mLeft + 2 && x < mRight - 2 && y > mTop + 2 && y < mBottom - 2; }
  // Whether a pixel that passes within radius (a square) of (x, y).
  template <typename Test>
  bool Near(int x, int y, Test test, int radius = 3) const {
    for (int py = y - radius; py <= y + radius; ++py)
      for (int px = x - radius; px <= x + radius; ++px)
        if (px >= 0 && py >= 0 && px < 600 && py < 400 && test(mCanvas.At(px, py))) return true;
    return false;
  }
  // Columns from x1 to x2 holding a pixel of the area's light yellow (blended or pastel).
  int FilledColumns(int x1, int x2) const {
    int filled = 0;
    for (int x = std::max(x1, mLeft + 1); x < std::min(x2, mRight); ++x)
      for (int y = mTop; y < mBottom; ++y)
        if (IsFill(mCanvas.At(x, y))) {
          ++filled;
          break;
        }
    return filled;
  }
  static bool IsFill(uint32_t p) {
    return (p >> 16) >= 0xF0 && ((p >> 8) & 0xFF) >= 0xF0 && (p & 0xFF) >= 0xB0 && (p & 0xFF) < 0xF0;
  }
  int Left() const { return mLeft; }
  int Top() const { return mTop; }
  int Right() const { return mRight; }
  int Bottom() const { return mBottom; }

 private:
  static constexpr int kMargin = 30;
  // The axes: the leftmost column and the lowest row of long black runs.
  void FindPlot() {
    for (int x = 0; x < 600 && !mLeft; ++x) {
      int run = 0, top = -1;
      for (int y = 0; y < 400; ++y) {
        run = mCanvas.At(x, y) == 0 ? run + 1 : 0;
        if (run == 1) top = y;
        if (run > 200) {
          mLeft = x;
          mTop = top;
        }
      }
    }
    for (int y = 399; y >= 0 && !mBottom; --y) {
      int run = 0, longest = 0;
      for (int x = mLeft; x < 600; ++x) {
        run = mCanvas.At(x, y) == 0 ? run + 1 : 0;
        longest = std::max(longest, run);
      }
      if (longest > 300) mBottom = y + 1;
    }
    mRight = kMargin + 540;
  }

  DibCanvas mCanvas;
  double mXLow = 0.0, mXHigh = 1.0, mYLow = 0.0, mYHigh = 1.0;
  int mLeft = 0, mTop = 0, mRight = 0, mBottom = 0;
};

bool IsTrace(uint32_t p) { return p == 0xFF0000; }
bool IsBlack(uint32_t p) { return p == 0; }
bool IsCurve(uint32_t p) { return p == 0x0000FF; }

struct TypeCase {
  const wchar_t* type;
  bool spikes;  // the population-spike recording, else cardiac beats
  std::vector<std::pair<int32_t, const wchar_t*>> settings;
};

}  // namespace

// Each analysis type's printout on a page with a margin: the event's stretch of signal where its
// samples lie, every marker where its measurement puts it and the area filled beside the trace
// only between the area's ends.
TEST_F(AnalysisPlotTest, EachTypesPrintoutDrawsTraceMarkersAndFillsWhereTheEventsValuesSay) {
  // Types 0 and 2 take an absolute threshold (0.1, the beats and the bumps between them): the signal has no noise
  // for a relative one to scale by.
  const TypeCase cases[] = {
      {L"0", false, {{1010, L"1 0 1 0.5 0.1 5 100 0 0 0"}}},
      {L"1", false, {}},
      {L"2", false, {{1010, L"1 0 1 0.5 0.1 5 100 0 0 0"}}},
      {L"3", false, {{1000, L"2"}, {1005, L"200"}, {1007, L"0"}, {1008, L"300"}}},
      {L"4", true, {{1000, L"2"}, {1005, L"50"}, {1007, L"0"}, {1008, L"200"}}},
      {L"5", false, {{1036, L"f"}}},
  };
  for (const TypeCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << std::wstring(c.type).c_str());
    if (mHost) {  // the previous type's document, closed as the fixture does
      site->CloseAll();
      avtest::Pump();
      site->SetHostDocument(nullptr);
      mData->SetFormulaClass(nullptr);
      mHost->CloseChildDocuments();
    }
    if (c.spikes)
      OpenOver(doctest::PopulationSpikeRecording());
    else
      Open(2, 6300);
    for (const auto& [id, value] : c.settings) Set(id, value);
    for (int32_t n = 1; n <= 10; ++n) mDoc->GetSettings().GetBoolSetting(ZR::Doc::PlotSeriesSetting(n))->Set(true);
    AnalysisView& v = ShowView(true, c.type);
    ASSERT_GE(Events(), 2);
    mDoc->SetCurrentEvent(1, 0);
    ZR::Doc::AnalysisViewData& data = mDoc->GetAnalysisViewData();
    const Printed page(v);
    ASSERT_TRUE(page.Found()) << page.Left() << " " << page.Top() << " " << page.Right() << " " << page.Bottom();
    // The trace through the event's samples.
    const ZR::Doc::SampledSeries series = data.GetSampledSeries(0);
    ASSERT_GT(series.count, 10) << "the event's stretch is drawn";
    int traced = 0, shown = 0;
    for (int i = 0; i < series.count; i += std::max(1, series.count / 400)) {
      const int x = page.X(series.firstX + i * series.step), y = page.Y(series.samples[i]);
      if (!page.Inside(x, y)) continue;
      ++shown;
      // The fitted curve is drawn over the tail it follows.
      traced += page.Near(x, y, IsTrace) || page.Near(x, y, IsCurve, 1) ? 1 : 0;
    }
    EXPECT_GT(shown, 5);
    EXPECT_EQ(shown, traced);
    // Markers: time marks down the plot, levels across it, the half-height bar and the slope line.
    std::vector<ZR::Doc::Marker> markers = data.GetMarkers(ZR::Doc::kLineMarkers);
    const std::vector<ZR::Doc::Marker>& slopes = data.GetMarkers(ZR::Doc::kSlopeMarkers);
    markers.insert(markers.end(), slopes.begin(), slopes.end());
    using ZR::Doc::MarkerKind;
    for (const ZR::Doc::Marker& m : markers) {
      const int x = page.X(m.kind == MarkerKind::TimeMark || m.kind == MarkerKind::Level ? m.x1 : (m.x1 + m.x2) / 2);
      const int y = m.kind == MarkerKind::TimeMark ? (page.Top() + page.Bottom()) / 3 : page.Y((m.y1 + m.y2) / 2);
      const int atX = m.kind == MarkerKind::Level ? (page.Left() + 3 * page.Right()) / 4 : x;
      if (page.Inside(atX, y)) {
        EXPECT_TRUE(page.Near(atX, y, IsBlack)) << "marker " << std::wstring(m.name.GetText());
      }
    }
    const ZR::Doc::PointSeries curve = data.GetFittedCurve();
    if (curve.count > 2) {
      const int x = page.X(curve.x[curve.count / 2]), y = page.Y(curve.y[curve.count / 2]);
      EXPECT_TRUE(!page.Inside(x, y) || page.Near(x, y, IsCurve));
    }
    // The area between its ends, and nothing of it beyond them.
    const std::vector<ZR::Doc::Marker> areas = data.GetMarkers(ZR::Doc::kAreaMarkers);
    if (c.spikes) {
      EXPECT_EQ(1u, areas.size()) << "the spike's area";
    }
    for (const ZR::Doc::Marker& area : areas) {
      const int from = page.X(area.x1), to = page.X(area.x2);
      EXPECT_GT(page.FilledColumns(from + 2, to - 2), (to - from - 4) / 2);
      EXPECT_EQ(0, page.FilledColumns(from - 40, from - 2) + page.FilledColumns(to + 2, to + 40));
    }
  }
}
