// MGraph1::BasicAnnotation: the read-out's lookup and its marker, drawn inverting and at the edges.
#include "graph/BasicAnnotation.h"

#include "graph/XYCPlotData.h"

#include "tests/graph/GraphCanvas.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Answers every x with y = 2x + offset, in range while x < 100.
class Line : public MGraph1::PlotDataBase {
 public:
  bool GetPointInfo(int32_t series, MGraph1::PointInfo* info) override {
    askedSeries = series;
    info->y = 2.0 * info->x + offset;
    info->valid = info->x < 100.0;
    info->text = QOR::String(L"point");
    return answers;
  }
  int32_t askedSeries = -1;
  bool answers = true;
  double offset = 0.0;
};

// Plot (10, 10)-(110, 90); values are pixels from the plot's corner.
class BasicAnnotationTest : public ::testing::Test {
 protected:
  BasicAnnotationTest() : canvas(120, 100), plot(10, 10, 110, 90) {
    MapPlot(annotation, 1.0, 0.0, 1.0, 0.0);
    annotation.SetSource(&line, 2, false);
  }
  void Draw() {
    OWL::TRect p = plot, c = plot;
    annotation.OnDraw(canvas.dc, canvas.dc, p, c);
  }

  GraphCanvas canvas;
  OWL::TRect plot;
  Line line;
  MGraph1::BasicAnnotation annotation;
};

}  // namespace

TEST_F(BasicAnnotationTest, FollowsThePixelThroughItsSource) {
  EXPECT_TRUE(annotation.SetFromPixel(30, 20, plot));  // x = 20
  EXPECT_EQ(2, line.askedSeries);
  EXPECT_DOUBLE_EQ(40.0, annotation.GetY());
  QOR::String text;
  ASSERT_TRUE(annotation.GetText(text));
  EXPECT_EQ(std::wstring(L"point"), text.GetText());
  line.answers = false;
  EXPECT_FALSE(annotation.SetFromPixel(30, 20, plot));
  EXPECT_FALSE(annotation.GetText(text));
  MGraph1::BasicAnnotation unmapped;
  unmapped.SetSource(&line, 0, false);
  EXPECT_FALSE(unmapped.SetFromPixel(30, 20, plot));
  EXPECT_FALSE(annotation.HandleClick(plot, 0, {30, 20}, {30, 20}));
}

TEST_F(BasicAnnotationTest, InvertingMarkerErasesItselfAndLeavesThePictureAsItWas) {
  annotation.rop2 = R2_NOT;
  ASSERT_TRUE(annotation.IsInverting());
  canvas.dc.PatBlt(OWL::TRect(40, 30, 80, 85), BLACKNESS);
  std::vector<uint32_t> const before = canvas.Snapshot();
  annotation.SetPosition(20.0, 0.0);  // the cross at (30, 50)
  Draw();
  std::vector<uint32_t> const once = canvas.Snapshot();
  EXPECT_NE(before, once);
  EXPECT_EQ(0u, canvas.At(30, 47));  // inverted white
  Draw();  // the same place again: erased and drawn anew
  EXPECT_EQ(once, canvas.Snapshot());
  annotation.SetPosition(35.0, 0.0);  // moved onto the black at (45, 80): the old cross goes
  Draw();
  EXPECT_EQ(0xFFFFFFu, canvas.At(30, 47));
  EXPECT_EQ(0xFFFFFFu, canvas.At(45, 77));  // inverted black
  annotation.ForgetDrawn();
  Draw();  // not erased first: drawing it once more takes it away
  EXPECT_EQ(before, canvas.Snapshot());
}

TEST_F(BasicAnnotationTest, APointAboveOrBelowThePlotIsAChevronOnTheEdge) {
  line.offset = -100.0;
  annotation.SetPosition(10.0, 0.0);  // y = -80: above
  Draw();
  OWL::TRect ink = canvas.InkBounds();
  EXPECT_EQ(OWL::TRect(17, 10, 24, 14), ink);
  GraphCanvas below(120, 100);
  line.offset = 0.0;
  annotation.SetPosition(45.0, 0.0);  // y = 90: on the bottom line
  OWL::TRect p = plot, c = plot;
  annotation.OnDraw(below.dc, below.dc, p, c);
  ink = below.InkBounds();
  EXPECT_EQ(89, ink.bottom);  // the tip on bottom - 2
  EXPECT_EQ(85, ink.top);
  GraphCanvas outside(120, 100);
  annotation.SetPosition(100.0, 0.0);  // past the plot's right edge and out of the source's range
  annotation.OnDraw(outside.dc, outside.dc, p, c);
  EXPECT_TRUE(outside.InkBounds().IsEmpty());
}

TEST_F(BasicAnnotationTest, LooksPointSeriesUpByTheirPixel) {
  class Points : public MGraph1::XYCPlotDataBase {} points;
  int32_t out = 0;
  ASSERT_TRUE(points.BeginPointMap(100, 80, out));
  points.SetPoint(40, 30, 40.0, 30.0, 5, 0, 1);
  points.EndPointMap();
  annotation.SetSource(&points, 0, false);
  EXPECT_TRUE(annotation.SetFromPixel(55, 43, plot));  // 5 and 3 pixels off the point
  EXPECT_DOUBLE_EQ(40.0, annotation.GetX());
  EXPECT_DOUBLE_EQ(30.0, annotation.GetY());
}
