// MGraph1::Graph2DDrawer without scales: plot rectangle, printing, the cached image and its redraws.
#include "graph/Graph2DDrawer.h"

#include "graph/GraphDrawer.h"
#include "graph/Plotter.h"

#include "tests/graph/GraphCanvas.h"
#include "tests/graph/GraphTestHost.h"

#include <gtest/gtest.h>

namespace {

// Counts the drawings it takes part in.
class CountingDrawable : public MGraph1::GraphDrawer {
 public:
  void OnDraw(OWL::TDC&, OWL::TDC&, OWL::TRect&, OWL::TRect&) override { ++draws; }
  int draws = 0;
};

// A plotter whose answers are set by the test.
class ScriptedPlotter : public MGraph1::Plotter {
 public:
  void OnDraw(OWL::TDC&, OWL::TDC&, OWL::TRect&, OWL::TRect&) override {
    ++draws;
    mDirty = false;
  }
  bool DataChanged() override {
    ++questions;
    return dataChanged;
  }
  bool NeedsRedraw() override {
    ++questions;
    return Plotter::NeedsRedraw();
  }
  bool dataChanged = false;
  int draws = 0;
  int questions = 0;
};

using Begins = MessageLog<MGraph1::MsgGraph2DDrawerNotifyBeginRedraw>;
using Ends = MessageLog<MGraph1::MsgGraph2DDrawerNotifyEndRedraw>;

class Graph2DDrawerTest : public GraphTestHost {};

}  // namespace

TEST_F(Graph2DDrawerTest, PlotRectangleKeepsMarginsAndAtLeastOnePixel) {
  struct Case {
    OWL::TRect whole;
    OWL::TRect plot;
  };
  const Case cases[] = {
      {{0, 0, 200, 150}, {60, 0, 200, 90}},
      {{10, 20, 200, 150}, {70, 20, 200, 90}},
      {{0, 0, 30, 150}, {60, 0, 61, 90}},      // narrower than the left margin
      {{0, 0, 200, 40}, {60, -21, 200, -20}},  // lower than the bottom margin
  };
  MGraph1::Graph2DDrawer drawer;
  for (const Case& c : cases) {
    OWL::TRect plot;
    drawer.GetPlotRect(plot, c.whole);
    EXPECT_EQ(c.plot, plot) << "whole " << c.whole.left << "," << c.whole.top << "," << c.whole.right << ","
                            << c.whole.bottom;
  }
}

TEST_F(Graph2DDrawerTest, PrintDrawsTheAxisLinesOnWhite) {
  MGraph1::Graph2DDrawer drawer;
  drawer.SetScales(nullptr, nullptr, false, false);  // no scales to paint
  EXPECT_FALSE(drawer.AxesReady());
  GraphCanvas canvas(200, 150);
  canvas.dc.PatBlt(OWL::TRect(0, 0, 200, 150), BLACKNESS);  // Print erases first
  drawer.Print(canvas.dc, canvas.dc, OWL::TRect(0, 0, 200, 150));
  // Plot rectangle (60, 0, 200, 90): the Y axis at x = 60 down to y = 88, the X axis along y = 89.
  for (int y = 0; y < 150; ++y)
    for (int x = 0; x < 200; ++x) {
      bool const axis = (x == 60 && y <= 88) || (y == 89 && x >= 60);
      ASSERT_EQ(axis ? 0u : 0xFFFFFFu, canvas.At(x, y)) << "pixel " << x << "," << y;
    }
}

TEST_F(Graph2DDrawerTest, SecondPaintOfTheSameSizeOnlyCopiesTheCache) {
  MGraph1::Graph2DDrawer drawer;
  auto* const counter = new CountingDrawable;
  drawer.AddPlot(counter, true);
  Begins begins;
  Ends ends;
  drawer.AddRedrawReceiver(&begins);
  drawer.AddRedrawReceiver(&ends);
  GraphCanvas canvas(220, 160);
  OWL::TRect const area(10, 5, 210, 155);
  drawer.Redraw(canvas.dc, true, area);
  EXPECT_EQ(1, counter->draws);

  canvas.dc.PatBlt(OWL::TRect(0, 0, 220, 160), WHITENESS);
  drawer.Redraw(canvas.dc, true, area);
  EXPECT_EQ(1, counter->draws);
  EXPECT_EQ(0u, canvas.At(70, 40));    // the cached Y axis copied to (10 + 60, ...)
  EXPECT_EQ(0u, canvas.At(100, 94));   // and the X axis at 5 + 90 - 1

  drawer.Redraw(canvas.dc, true, OWL::TRect(10, 5, 211, 155));  // one pixel wider: drawn again
  EXPECT_EQ(2, counter->draws);
  ASSERT_EQ(3u, begins.received.size());
  ASSERT_EQ(3u, ends.received.size());
  EXPECT_EQ(0, begins.received[0].senderId);
  drawer.RemoveRedrawReceiver(&begins);
  drawer.RemoveRedrawReceiver(&ends);
}

TEST_F(Graph2DDrawerTest, ZeroWidthDrawsAndSendsNothing) {
  MGraph1::Graph2DDrawer drawer;
  auto* const counter = new CountingDrawable;
  drawer.AddPlot(counter, true);
  Begins begins;
  drawer.AddRedrawReceiver(&begins);
  GraphCanvas canvas(50, 50);
  drawer.Redraw(canvas.dc, true, OWL::TRect(10, 10, 10, 40));
  EXPECT_EQ(0, counter->draws);
  EXPECT_TRUE(begins.received.empty());
  EXPECT_TRUE(canvas.InkBounds().IsEmpty());
  drawer.RemoveRedrawReceiver(&begins);
}

TEST_F(Graph2DDrawerTest, VisiblePlottersDecideWhetherTheCacheIsRedrawn) {
  MGraph1::Graph2DDrawer drawer;
  auto* const changing = new ScriptedPlotter;
  auto* const hidden = new ScriptedPlotter;
  hidden->SetVisible(false);
  drawer.AddPlot(changing, true);
  drawer.AddPlot(hidden, true);
  GraphCanvas canvas(200, 150);
  OWL::TRect const area(0, 0, 200, 150);
  drawer.Redraw(canvas.dc, true, area);
  drawer.Redraw(canvas.dc, true, area);
  EXPECT_EQ(1, changing->draws);
  changing->dataChanged = true;
  drawer.Redraw(canvas.dc, true, area);
  EXPECT_EQ(2, changing->draws);
  changing->dataChanged = false;
  drawer.ApplyDomain(0.0, 5.0);  // marks every plotter dirty
  drawer.Redraw(canvas.dc, true, area);
  EXPECT_EQ(3, changing->draws);
  EXPECT_EQ(0, hidden->draws);
  EXPECT_EQ(0, hidden->questions);
}

TEST_F(Graph2DDrawerTest, ListsHandOverRangesAndMappingsAndDeleteOnlyOwnedEntries) {
  MGraph1::Graph2DDrawer drawer;
  drawer.SetDrawerRect(OWL::TRect(0, 0, 200, 150));
  drawer.ApplyDomain(2.0, 4.0);
  CountingDrawable kept;
  drawer.AddOverlay(&kept, false);
  drawer.AddOverlay(new CountingDrawable, true);
  double minimum = 0.0, maximum = 0.0;
  kept.GetXBounds(minimum, maximum);
  EXPECT_EQ(2.0, minimum);
  EXPECT_EQ(4.0, maximum);
  EXPECT_EQ(140, kept.GetPixelWidth());
  EXPECT_EQ(90, kept.GetPixelHeight());
  drawer.SetXPixelMapping({3.0, 1.0});
  ASSERT_NE(nullptr, kept.GetXMapping());
  EXPECT_EQ(3.0, kept.GetXMapping()->scale);  // shared, not copied
  EXPECT_EQ(nullptr, drawer.GetOverlay(2));
  EXPECT_TRUE(drawer.RemoveOverlay(&kept));
  EXPECT_FALSE(drawer.RemoveOverlay(&kept));
  EXPECT_EQ(1, drawer.GetOverlayCount());
  EXPECT_TRUE(drawer.ClearOverlays());
  EXPECT_FALSE(drawer.ClearOverlays());
}
