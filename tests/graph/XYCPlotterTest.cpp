// MGraph1::XYCPlotter: points, symbols, segments, legend and highlight on a DIB, and the point map.
#include "graph/XYCPlotter.h"

#include "graph/XYCPlotData.h"
#include "graph/XYCPlotData2.h"
#include "graph/XYCPlotter2.h"

#include "tests/graph/GraphCanvas.h"
#include "tests/graph/PointSeries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

// Plot (10, 10)-(110, 90) on a 120 x 100 canvas; a value v is at pixel v + 10 on both axes.
class XYCPlotterTest : public ::testing::Test {
 protected:
  XYCPlotterTest() : canvas(120, 100), plot(10, 10, 110, 90) {
    MapPlot(plotter, 1.0, 0.0, 1.0, 0.0);
    plotter.SetData(&data, 0, false);
  }
  void Draw() {
    OWL::TRect p = plot, c = plot;
    plotter.OnDraw(canvas.dc, canvas.dc, p, c);
  }

  GraphCanvas canvas;
  OWL::TRect plot;
  Points data;
  MGraph1::XYCPlotter plotter;
};

}  // namespace

TEST_F(XYCPlotterTest, DrawsPointsInTheirColoursAndRecordsThemUnlessAsked) {
  data.x = {0.0f, 20.0f, 40.0f};
  data.y = {0.0f, 30.0f, 60.0f};
  data.perPoint = {RGB(255, 0, 0), RGB(0, 128, 0), RGB(0, 0, 255)};
  Draw();
  EXPECT_EQ(GraphCanvas::Pixel(RGB(255, 0, 0)), canvas.At(10, 10));
  EXPECT_EQ(GraphCanvas::Pixel(RGB(0, 128, 0)), canvas.At(30, 40));
  EXPECT_EQ(GraphCanvas::Pixel(RGB(0, 0, 255)), canvas.At(50, 70));
  EXPECT_EQ(3, canvas.InkIn(OWL::TRect(0, 0, 120, 100)));
  EXPECT_FALSE(plotter.NeedsRedraw());
  MGraph1::PointRecord found;
  ASSERT_TRUE(data.FindNearestPoint(21, 29, 3, found));  // cells count from the plot's corner
  EXPECT_EQ(101, found.index);
  EXPECT_EQ(RGB(0, 128, 0), found.colour);

  Points hidden;
  hidden.x = data.x;
  hidden.y = data.y;
  hidden.flags = MGraph1::kSeriesNotInPointMap;
  plotter.SetData(&hidden, 0, false);
  Draw();
  EXPECT_EQ(0u, hidden.PointCount());
  EXPECT_EQ(GraphCanvas::Pixel(hidden.single), canvas.At(30, 40));
}

TEST_F(XYCPlotterTest, SymbolsHaveTheirShapesAtNinetySixDotsPerInch) {
  ASSERT_EQ(96, canvas.dc.GetDeviceCaps(LOGPIXELSX));
  // Symbol size 2 pixels: filled shapes reach 5 pixels, outlined ones 4, the cross 2.
  struct Case {
    uint32_t shape;
    OWL::TRect ink;  // around the point at pixel (60, 50)
    bool centreInked;
  };
  const Case cases[] = {
      {0x008, {55, 45, 65, 55}, true},  {0x010, {55, 45, 65, 55}, true},  {0x020, {55, 45, 65, 55}, true},
      {0x040, {55, 45, 65, 55}, true},  {0x080, {56, 46, 64, 55}, false}, {0x100, {56, 46, 65, 55}, false},
      {0x200, {55, 45, 65, 56}, false}, {0x400, {56, 46, 64, 55}, false}, {0x000, {58, 48, 63, 53}, true},
  };
  data.x = {50.0f};
  data.y = {40.0f};
  for (const Case& c : cases) {
    GraphCanvas fresh(120, 100);
    data.flags = MGraph1::kSeriesSymbols | c.shape;
    OWL::TRect p = plot, clip = plot;
    plotter.OnDraw(fresh.dc, fresh.dc, p, clip);
    OWL::TRect const ink = fresh.InkBounds();
    EXPECT_NEAR(c.ink.left, ink.left, 1) << "shape " << c.shape;
    EXPECT_NEAR(c.ink.top, ink.top, 1) << "shape " << c.shape;
    EXPECT_NEAR(c.ink.right, ink.right, 1) << "shape " << c.shape;
    EXPECT_NEAR(c.ink.bottom, ink.bottom, 1) << "shape " << c.shape;
    EXPECT_EQ(c.centreInked, fresh.At(60, 50) != 0xFFFFFF) << "shape " << c.shape;
  }
}

TEST_F(XYCPlotterTest, PointsOnTheRightOrBottomLineAreOutsideButTheirSegmentsAreClipped) {
  data.x = {0.0f, 100.0f, 50.0f, 50.0f};  // x = 100 lands on plot.right
  data.y = {20.0f, 20.0f, 40.0f, 79.0f};  // y = 79 on plot.bottom - 1
  data.flags = MGraph1::kSeriesConnect;
  Draw();
  EXPECT_TRUE(canvas.Near(109, 30, data.single, 0));  // the first segment reaches right - 1
  EXPECT_FALSE(canvas.Near(110, 30, data.single, 0));
  EXPECT_TRUE(canvas.Near(60, 88, data.single, 0));   // the last reaches bottom - 2 at least
  EXPECT_EQ(2u, data.PointCount());
  EXPECT_EQ(0, canvas.InkIn(OWL::TRect(0, 0, 10, 100)) + canvas.InkIn(OWL::TRect(110, 0, 120, 100)));
}

TEST_F(XYCPlotterTest, HighlightBoxNeedsAPositionAFactorAndRoomInside) {
  data.x = {5.0f};
  data.y = {5.0f};
  data.highlightColour = RGB(200, 0, 200);
  struct Case {
    double x, y;
    int32_t factor;
    bool drawn;
  };
  const Case cases[] = {
      {50.0, 40.0, 1, true},  {MGraph1::XYCPlotDataBase::kNoHighlight, 40.0, 1, false},
      {50.0, 40.0, 0, false}, {1.0, 40.0, 1, false},  // px = plot.left + 1
      {98.0, 40.0, 1, false},  // cut at plot.right - 1 to a half width of 1
      {NAN, 40.0, 1, false},
  };
  for (const Case& c : cases) {
    GraphCanvas fresh(120, 100);
    data.highlightX = c.x;
    data.highlightY = c.y;
    data.highlightFactor = c.factor;
    OWL::TRect p = plot, clip = plot;
    plotter.OnDraw(fresh.dc, fresh.dc, p, clip);
    // Half sizes of 8 (factor 1 x symbol 2 x 4) around (60, 50).
    EXPECT_EQ(c.drawn, fresh.Near(52, 58, data.highlightColour, 0)) << c.x << " factor " << c.factor;
    EXPECT_FALSE(fresh.Near(60, 50, data.highlightColour, 0));
  }
}

TEST_F(XYCPlotterTest, LegendEntrySitsOneRowDownWithItsSymbol) {
  data.x = {50.0f};
  data.y = {40.0f};
  data.single = RGB(0, 160, 0);
  data.flags = MGraph1::kSeriesLegend | 0x010;
  data.name = QOR::String(L"Trace");
  data.legendRow = 0;
  Draw();
  int32_t const row = data.legend.largestHeight;
  ASSERT_GT(row, 5);
  EXPECT_EQ(plot.left + 1 + row, data.legend.left);
  EXPECT_EQ(plot.top + row + row / 2, data.legend.bottom);
  EXPECT_EQ(plot.top + row - row / 2, data.legend.top);
  EXPECT_GT(data.legend.right, data.legend.left + row);
  // The filled square is centred on the sample line, row pixels below the top.
  int inked = 0;
  for (int x = data.legend.left; x < data.legend.right; ++x) inked += canvas.Near(x, plot.top + row, data.single, 0);
  EXPECT_GT(inked, 8);
}

TEST_F(XYCPlotterTest, EmptySeriesDrawsNothingAndAMissingYIsAStrokeOnTheTopEdge) {
  data.flags = MGraph1::kSeriesLegend | 0x010;
  data.highlightX = 50.0;
  data.highlightY = 40.0;
  data.highlightFactor = 1;
  Draw();
  EXPECT_TRUE(canvas.InkBounds().IsEmpty());

  data.x = {50.0f};
  data.y = {NAN};
  data.flags = MGraph1::kSeriesSymbols;
  data.highlightFactor = 0;
  Draw();
  EXPECT_EQ(OWL::TRect(58, 10, 63, 11), canvas.InkBounds());
}

TEST_F(XYCPlotterTest, FollowsTheDrawerRangesIntoTheData) {
  plotter.SetXBounds(0.0, 5.0);
  EXPECT_DOUBLE_EQ(5.0, data.xRange.high);
  EXPECT_TRUE(data.IsRedrawPending());
  EXPECT_TRUE(plotter.DataChanged());
  data.ClearRedrawPending();
  plotter.SetYBounds(3.0, 3.0);  // not a proper range
  EXPECT_FALSE(data.IsRedrawPending());
  EXPECT_FALSE(plotter.DataChanged());
}

namespace {

template <class T, class Base>
class VectorIterator : public Base {
 public:
  explicit VectorIterator(const std::vector<T>& values) : mValues(values) {}
  int32_t Read(T* out, int32_t count) override {
    int32_t n = 0;
    for (; n < count && mNext < mValues.size(); ++n) out[n] = mValues[mNext++];
    return n;
  }

 private:
  const std::vector<T>& mValues;
  size_t mNext = 0;
};

// The same series as Points, handed out through fresh iterators at every fetch.
class IteratedPoints : public MGraph1::XYCPlotData2 {
 public:
  explicit IteratedPoints(const Points& points) : p(points) {}
  bool GetSeriesData(int32_t, int32_t& count, int32_t& firstIndex, MGraph1::GraphFloatIterator*& xs,
                     MGraph1::GraphFloatIterator*& ys, MGraph1::GraphColorrefIterator*& colours, COLORREF& colour,
                     uint32_t& flags) override {
    x = std::make_unique<VectorIterator<float, MGraph1::GraphFloatIterator>>(p.x);
    y = std::make_unique<VectorIterator<float, MGraph1::GraphFloatIterator>>(p.y);
    c = std::make_unique<VectorIterator<COLORREF, MGraph1::GraphColorrefIterator>>(p.perPoint);
    count = static_cast<int32_t>(p.x.size());
    firstIndex = 100;
    xs = x.get();
    ys = y.get();
    colours = c.get();
    colour = 0;
    flags = p.flags;
    return true;
  }
  const Points& p;
  std::unique_ptr<MGraph1::GraphFloatIterator> x, y;
  std::unique_ptr<MGraph1::GraphColorrefIterator> c;
};

}  // namespace

TEST_F(XYCPlotterTest, IteratedSeriesDrawsInBlocksAsTheArraysDo) {
  for (int i = 0; i < 300; ++i) {  // a spiral: segments join across the blocks of 128
    data.x.push_back(static_cast<float>(50.0 + i / 7.0 * std::cos(i * 0.1)));
    data.y.push_back(static_cast<float>(40.0 + i / 8.0 * std::sin(i * 0.1)));
    data.perPoint.push_back(i < 150 ? RGB(200, 0, 0) : RGB(0, 0, 200));
  }
  data.flags = MGraph1::kSeriesConnect;
  Draw();
  IteratedPoints iterated(data);
  MGraph1::XYCPlotter2 plotter2;
  MapPlot(plotter2, 1.0, 0.0, 1.0, 0.0);
  plotter2.SetData(&iterated, 0, false);
  GraphCanvas blocks(120, 100);
  OWL::TRect p = plot, c = plot;
  plotter2.OnDraw(blocks.dc, blocks.dc, p, c);
  EXPECT_TRUE(canvas.Snapshot() == blocks.Snapshot());
  EXPECT_EQ(data.PointCount(), iterated.PointCount());
  MGraph1::PointRecord found, expected;
  ASSERT_TRUE(iterated.FindNearestPoint(60, 30, 3, found));
  ASSERT_TRUE(data.FindNearestPoint(60, 30, 3, expected));
  EXPECT_EQ(expected.index, found.index);
  EXPECT_EQ(expected.colour, found.colour);
}
