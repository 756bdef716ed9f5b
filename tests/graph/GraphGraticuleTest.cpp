// MGraph1::GraphGraticule: grid lines and dots from the scales' ticks or grid steps, on a DIB section.
#include "graph/GraphGraticule.h"

#include "tests/graph/FakeScale.h"
#include "tests/graph/GraphCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr uint32_t kGridPixel = 0xAFAFFF;  // the default colour 0xFFAFAF as a DIB pixel
constexpr uint32_t kWhite = 0xFFFFFF;

class GraphGraticuleTest : public ::testing::Test {
 protected:
  GraphGraticuleTest() : x('X'), y('Y'), canvas(60, 50) {
    x.area = {10, 40, 50, 50};
    y.area = {0, 10, 10, 40};
    graticule.SetScales(&x, &y);
    graticule.SetRect(OWL::TRect(10, 10, 50, 40));
  }
  // Whether every pixel off the lines is white and each line has grid pixels.
  void ExpectLines(const std::vector<int>& columns, const std::vector<int>& rows) {
    auto const onColumn = [&](int px) { return std::find(columns.begin(), columns.end(), px) != columns.end(); };
    auto const onRow = [&](int py) { return std::find(rows.begin(), rows.end(), py) != rows.end(); };
    int columnInk = 0, rowInk = 0;
    for (int py = 0; py < canvas.height; ++py)
      for (int px = 0; px < canvas.width; ++px) {
        uint32_t const pixel = canvas.At(px, py);
        if (pixel == kWhite) continue;
        ASSERT_EQ(kGridPixel, pixel) << "pixel " << px << "," << py;
        ASSERT_TRUE(onColumn(px) || onRow(py)) << "pixel " << px << "," << py;
        columnInk += onColumn(px);
        rowInk += onRow(py);
      }
    EXPECT_GE(columnInk, static_cast<int>(columns.size()) * 10);
    EXPECT_GE(rowInk, static_cast<int>(rows.size()) * 10);
  }

  FakeScale x, y;
  GraphCanvas canvas;
  MGraph1::GraphGraticule graticule;
};

}  // namespace

TEST_F(GraphGraticuleTest, DrawsDottedLinesAtTicksInsideTheRectangle) {
  x.ticks = {0, 15, 40};  // 40 is the rectangle's width: not drawn
  y.ticks = {5, 29};
  graticule.Draw(canvas.dc, canvas.dc, nullptr);
  ExpectLines({10, 25}, {15, 39});
  EXPECT_EQ(kWhite, canvas.At(50, 20));
  int dots = 0;  // dotted, not solid: about every other pixel of a line
  for (int py = 16; py < 39; ++py) dots += canvas.At(25, py) == kGridPixel;
  EXPECT_GT(dots, 6);
  EXPECT_LT(dots, 17);
}

TEST_F(GraphGraticuleTest, DrawsDotsAtTheCrossingsInDotStyle) {
  MGraph1::GraphDisplayInfo display;
  display.graticuleStyle = 1;
  graticule.SetDisplayInfo(display);
  x.ticks = {0, 15};
  y.ticks = {5};
  graticule.Draw(canvas.dc, canvas.dc, nullptr);
  OWL::TRect const ink = canvas.InkBounds();
  EXPECT_EQ(OWL::TRect(10, 15, 26, 16), ink);
  EXPECT_EQ(kGridPixel, canvas.At(10, 15));
  EXPECT_EQ(kWhite, canvas.At(11, 15));
  EXPECT_EQ(kGridPixel, canvas.At(25, 15));
}

TEST_F(GraphGraticuleTest, FallsBackToTheGridStepWithoutTickLists) {
  x.withTicks = false;
  x.gridFarthest = 40.0;  // from the right edge (x = 50, drawn) back by 20
  x.gridStep = -20.0;
  y.gridFarthest = 20.0;
  y.gridStep = -20.0;
  graticule.Draw(canvas.dc, canvas.dc, nullptr);
  ExpectLines({10, 30, 50}, {10, 30});
}

TEST_F(GraphGraticuleTest, DrawsNothingForADegenerateStepAClipOutsideOrAMissingScale) {
  x.withTicks = false;
  x.gridFarthest = 40.0;
  x.gridStep = 0.0;
  y.gridFarthest = 20.0;
  y.gridStep = -20.0;
  graticule.Draw(canvas.dc, canvas.dc, nullptr);
  x.withTicks = true;
  x.ticks = {5};
  y.ticks = {5};
  OWL::TRect const touching(50, 0, 60, 50);
  graticule.Draw(canvas.dc, canvas.dc, &touching);
  graticule.SetScales(&x, nullptr);
  graticule.Draw(canvas.dc, canvas.dc, nullptr);
  EXPECT_TRUE(canvas.InkBounds().IsEmpty());
}

TEST_F(GraphGraticuleTest, FallbackDrawsAtMostTenThousandLinesPerAxis) {
  struct Case {
    double xStep;
    bool drawn;
  };
  const Case cases[] = {{-0.004, true}, {-0.0039, false}, {1.0, false}};  // 40 / 0.004 = 10000 lines
  for (const Case& c : cases) {
    GraphCanvas fresh(60, 50);
    x.withTicks = false;
    x.gridFarthest = 40.0;
    x.gridStep = c.xStep;
    y.gridFarthest = 20.0;
    y.gridStep = -20.0;
    graticule.Draw(fresh.dc, fresh.dc, nullptr);
    EXPECT_EQ(c.drawn, !fresh.InkBounds().IsEmpty()) << "step " << c.xStep;
  }
}
