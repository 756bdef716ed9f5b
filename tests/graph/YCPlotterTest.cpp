// MGraph1::YCPlotter and YCPlotterEx: sampled traces, breaks at samples without a value, batching.
#include "graph/YCPlotter.h"

#include "graph/PlotData.h"

#include "tests/graph/GraphCanvas.h"
#include "tests/graph/SampleTrace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

float NoValue() {
  uint32_t const bits = 0x7F886000u;
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// Plot (10, 10)-(210, 110) on a 220 x 120 canvas; x and y values are pixels from the plot's corner.
class YCPlotterTest : public ::testing::Test {
 protected:
  YCPlotterTest() : plot(10, 10, 210, 110) {
    MapPlot(plotter, 1.0, 0.0, 1.0, 0.0);
    plotter.SetData(&trace, 0, false);
  }
  void Draw(GraphCanvas& canvas) {
    OWL::TRect p = plot, c = plot;
    plotter.OnDraw(canvas.dc, canvas.dc, p, c);
  }

  OWL::TRect plot;
  SampleTrace trace;
  MGraph1::YCPlotterEx plotter;
};

}  // namespace

TEST_F(YCPlotterTest, ASampleWithoutValueBreaksTheTraceInTwo) {
  trace.dx = 10.0;
  trace.samples.assign(15, 40.0f);  // 15 samples: symbols are drawn (fewer than 200 / 4)
  trace.samples[5] = NoValue();
  GraphCanvas canvas(220, 120);
  Draw(canvas);
  EXPECT_TRUE(canvas.Near(45, 50, trace.colour, 0));
  EXPECT_TRUE(canvas.Near(75, 50, trace.colour, 0));
  EXPECT_EQ(0, canvas.InkIn(OWL::TRect(52, 40, 58, 60)) + canvas.InkIn(OWL::TRect(62, 40, 68, 60)));
  EXPECT_TRUE(canvas.Near(50 - 1, 50 - 1, trace.colour, 0));  // the cross at sample 4
  EXPECT_FALSE(plotter.NeedsRedraw());
}

TEST_F(YCPlotterTest, AnInfiniteSampleIsDrawnClampedToTheEdge) {
  trace.dx = 50.0;
  trace.samples = {40.0f, std::numeric_limits<float>::infinity(), 40.0f, -std::numeric_limits<float>::infinity()};
  GraphCanvas canvas(220, 120);
  Draw(canvas);
  // Held at the 32-bit range, the infinite samples pull their neighbours' segments straight
  // down to bottom - 1 and up to the top edge.
  EXPECT_TRUE(canvas.Near(10, 108, trace.colour, 1));
  EXPECT_TRUE(canvas.Near(110, 108, trace.colour, 1));
  EXPECT_TRUE(canvas.Near(110, 10, trace.colour, 1));
  EXPECT_EQ(0, canvas.InkIn(OWL::TRect(0, 110, 220, 120)) + canvas.InkIn(OWL::TRect(0, 0, 220, 10)));
}

TEST_F(YCPlotterTest, BatchesDrawTheSamePixelsAsSegmentsOneByOne) {
  trace.dx = 1.0;
  for (int i = 0; i < 190; ++i) trace.samples.push_back(static_cast<float>(50.0 + 40.0 * std::sin(i * 0.2)));
  GraphCanvas batched(220, 120);
  Draw(batched);
  trace.colours.assign(trace.samples.size(), trace.colour);  // per-sample colours: one LineTo each
  GraphCanvas oneByOne(220, 120);
  plotter.MarkDirty();
  Draw(oneByOne);
  EXPECT_GT(batched.InkIn(OWL::TRect(0, 0, 220, 120)), 190);
  EXPECT_TRUE(batched.Snapshot() == oneByOne.Snapshot());
}

TEST_F(YCPlotterTest, ADenseTraceCoversTheSameSpanInEveryColumn) {
  trace.dx = 0.02;  // 50 samples per pixel column
  for (int i = 0; i < 9000; ++i) trace.samples.push_back(static_cast<float>(50.0 + 45.0 * std::sin(i * 0.013)));
  GraphCanvas dense(220, 120);
  Draw(dense);
  trace.colours.assign(trace.samples.size(), trace.colour);
  GraphCanvas oneByOne(220, 120);
  Draw(oneByOne);
  for (int x = 10; x < 190; ++x) {
    int topA = -1, topB = -1, bottomA = -1, bottomB = -1;
    for (int y = 0; y < 120; ++y) {
      if (dense.At(x, y) != 0xFFFFFF) (topA < 0 ? topA : bottomA) = y, bottomA = y;
      if (oneByOne.At(x, y) != 0xFFFFFF) (topB < 0 ? topB : bottomB) = y, bottomB = y;
    }
    ASSERT_NEAR(topB, topA, 1) << "column " << x;
    ASSERT_NEAR(bottomB, bottomA, 1) << "column " << x;
  }
}

TEST_F(YCPlotterTest, FastTraceStaysInsideTheLeftAndBottomLines) {
  trace.dx = 0.5;
  for (int i = 0; i < 500; ++i) trace.samples.push_back(i % 2 ? 100.0f : 20.0f);
  MGraph1::YCDrawContext context;
  context.plot = plot;
  context.count = static_cast<int32_t>(trace.samples.size());
  context.step = trace.dx;
  context.firstX = -1.0;
  context.samples = trace.samples.data();
  context.colours = &trace.colour;
  GraphCanvas canvas(220, 120);
  plotter.DrawTraceFast(canvas.dc, context);
  EXPECT_EQ(0, canvas.InkIn(OWL::TRect(0, 0, 11, 120)));
  EXPECT_EQ(0, canvas.InkIn(OWL::TRect(0, 109, 220, 120)));
  for (int x = 12; x < 200; x += 17) EXPECT_TRUE(canvas.Near(x, 70, trace.colour, 1)) << "column " << x;
}
