// MGraph1::Graph2DDrawer with axis scales: what it pushes into them, their strips and mappings, painting.
#include "graph/Graph2DDrawer.h"

#include "graph/GraphDrawer.h"

#include "tests/graph/FakeScale.h"
#include "tests/graph/GraphCanvas.h"
#include "tests/graph/GraphTestHost.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using DomainChanges = MessageLog<MGraph1::MsgGraph2DDrawerOnDomainChanged>;

class Graph2DDrawerScales : public GraphTestHost {
 protected:
  Graph2DDrawerScales() : x('X', &paints), y('Y', &paints) {}
  void SetUp() override {
    drawer.SetDrawerRect(OWL::TRect(0, 0, 200, 150));
    drawer.SetScales(&x, &y, false, false);
  }
  std::string paints;
  FakeScale x, y;
  MGraph1::Graph2DDrawer drawer;
};

}  // namespace

TEST_F(Graph2DDrawerScales, SetScalesPushesTheDrawersStateIntoBoth) {
  drawer.SetYReference(1000.0);
  EXPECT_EQ(L"Units", x.units);
  EXPECT_EQ(-1.0, x.limits[0]);
  EXPECT_EQ(-1.0, y.visible[0]);  // the Y home range
  EXPECT_EQ(1.0, x.unitConversion.scale);
  EXPECT_EQ(1000.0, y.unitConversion.scale);
  drawer.SetYScaleStyle();
  EXPECT_EQ(kScaleStyleReady | kScaleStyleModule, y.style);
  EXPECT_EQ(std::wstring(L"1.5 ms"), drawer.FormatXValue(1.5).GetText());
}

TEST_F(Graph2DDrawerScales, ScaleThatDrivesTheDomainReportsItBackItself) {
  DomainChanges changes;
  drawer.AddChangeReceiver(&changes);
  drawer.SetScales(&x, &y, true, false);
  drawer.SetDomain(2.0, 3.0);
  EXPECT_EQ(2.0, x.visible[0]);
  EXPECT_TRUE(changes.received.empty());
  double minimum = 0.0, maximum = 0.0;
  drawer.GetDomain(minimum, maximum);
  EXPECT_EQ(0.0, minimum);
  drawer.SetRange(2.0, 3.0);  // the Y scale does not drive: applied at once
  drawer.GetRange(minimum, maximum);
  EXPECT_EQ(2.0, minimum);
  drawer.RemoveChangeReceiver(&changes);
}

TEST_F(Graph2DDrawerScales, LayoutGivesEachScaleItsStripAndSharesTheirMappings) {
  MGraph1::GraphDrawer plot;
  drawer.AddPlot(&plot, false);
  x.mapping = {140.0, 0.0};
  y.mapping = {-45.0, -1.0};
  x.extent = 30;
  y.extent = 40;
  GraphCanvas canvas(10, 10);
  drawer.RenderTo(canvas.dc);  // margins from the scales: plot rectangle (40, top, 200, 120)
  TEXTMETRICW label{};
  SelectObject(canvas.dc.GetHDC(), GetStockObject(DEFAULT_GUI_FONT));
  GetTextMetricsW(canvas.dc.GetHDC(), &label);
  const LONG top = label.tmHeight / 2 + 1;  // room for half the top tick's label
  EXPECT_EQ(OWL::TRect(40, 120, 200, 150), OWL::TRect(x.area));
  EXPECT_EQ(OWL::TRect(0, top, 40, 120), OWL::TRect(y.area));
  EXPECT_EQ(140.0, plot.GetXMapping()->scale);
  EXPECT_EQ(-1.0, plot.GetYMapping()->offset);
  EXPECT_EQ(160, plot.GetPixelWidth());
  drawer.RemovePlot(&plot);
}

TEST_F(Graph2DDrawerScales, PrintPaintsTheScalesUnderAndOverTheFrame) {
  drawer.Layout(drawer.GetDrawerRect(), false);
  GraphCanvas canvas(200, 150);
  drawer.Print(canvas.dc, canvas.dc, OWL::TRect(0, 0, 200, 150));
  EXPECT_EQ("XYXYXY", paints);  // before the frame, inside it, and over everything
  EXPECT_EQ(0x008000u, canvas.At(100, 120));  // the X strip below the plot
  EXPECT_EQ(0x008000u, canvas.At(30, 50));    // the Y strip to its left
}

TEST_F(Graph2DDrawerScales, DuringAnXDragOnlyTheXStripIsPaintedAgain) {
  FakeScale follower('F');
  x.follower = &follower;
  drawer.Layout(drawer.GetDrawerRect(), false);
  GraphCanvas canvas(200, 150);
  OWL::TRect const area(0, 0, 200, 150);
  drawer.Redraw(canvas.dc, true, area);
  EXPECT_EQ("XY", paints);
  {
    MGraph1::DragGuard const drag = drawer.BeginXDrag();
    drawer.Redraw(canvas.dc, true, area);
    EXPECT_EQ("XYX", paints);
  }
  drawer.Redraw(canvas.dc, true, area);
  EXPECT_EQ("XYX", paints);  // nothing changed: the cache is copied
}

TEST_F(Graph2DDrawerScales, GraticuleFollowsTheDisplayInfosSwitch) {
  x.ticks = {20};
  y.ticks = {30};
  drawer.Layout(drawer.GetDrawerRect(), false);
  auto const gridPixels = [this] {
    GraphCanvas canvas(200, 150);
    drawer.Print(canvas.dc, canvas.dc, OWL::TRect(0, 0, 200, 150));
    int count = 0;
    for (int py = 0; py < 90; ++py)
      for (int px = 61; px < 200; ++px) count += canvas.At(px, py) == 0xAFAFFFu;
    return count;
  };
  EXPECT_GT(gridPixels(), 50);  // the lines at x = 80 and y = 30
  MGraph1::GraphDisplayInfo display;
  display.graticuleShown = false;
  drawer.SetDisplayInfo(display);
  EXPECT_EQ(0, gridPixels());
}
