// MGraph1::AreaGlyphPlotter: areas blended half over the picture, or filled in pastel without blending.
#include "graph/AreaGlyphPlotter.h"

#include "graph/GlyphPlotData.h"

#include "tests/graph/GraphCanvas.h"
#include "tests/graph/SampleTrace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

class Areas : public MGraph1::GlyphPlotData {
 public:
  bool GetGlyphs(double, double, int32_t series, int32_t& count, const MGraph1::GlyphRecord*& glyphs) override {
    if (series != 4) return false;
    count = static_cast<int32_t>(records.size());
    glyphs = records.data();
    return true;
  }
  std::vector<MGraph1::GlyphRecord> records;
};

// A device context that answers the blending capabilities it is given (a memory DC under the
// test's display answers none, though AlphaBlend works on it).
class BlendCapsDC : public OWL::TDC {
 public:
  BlendCapsDC(HDC dc, int caps) : OWL::TDC(dc), mCaps(caps) {}
  int GetDeviceCaps(int index) const noexcept override {
    return index == SHADEBLENDCAPS ? mCaps : OWL::TDC::GetDeviceCaps(index);
  }

 private:
  int mCaps;
};

constexpr int kBlends = SB_CONST_ALPHA | SB_PIXEL_ALPHA;

uint32_t Channel(uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

// The area from x 20 to 60 down to a baseline at 60: pixels (30, 30) to (69, 70) of the canvas.
class AreaGlyphPlotterTest : public ::testing::Test {
 protected:
  AreaGlyphPlotterTest() : canvas(120, 100), plot(10, 10, 110, 90) {
    MapPlot(plotter, 1.0, 0.0, 1.0, 0.0);
    trace.samples.assign(100, 20.0f);  // one per x unit, along pixel row 20 of the plot
    plotter.SetData(&trace, 0, false);
    plotter.SetAreas(&areas, 4, false);
    MGraph1::GlyphRecord area;
    area.x = 20.0;
    area.x2 = 60.0;
    area.y = 60.0;
    area.y2 = 60.0;
    areas.records = {area};
  }
  void Draw(OWL::TDC& dc) {
    OWL::TRect p = plot, c = plot;
    plotter.OnDraw(dc, dc, p, c);
  }

  GraphCanvas canvas;
  OWL::TRect plot;
  SampleTrace trace;
  Areas areas;
  MGraph1::AreaGlyphPlotter plotter;
};

}  // namespace

TEST_F(AreaGlyphPlotterTest, BlendsAboutHalfWhereTheDeviceCan) {
  canvas.dc.PatBlt(OWL::TRect(0, 0, 120, 100), BLACKNESS);
  areas.records[0].colour = RGB(255, 0, 0);
  BlendCapsDC dc(canvas.dc.GetHDC(), kBlends);
  Draw(dc);
  uint32_t const inside = canvas.At(50, 50);
  EXPECT_NEAR(127, static_cast<int>(Channel(inside, 16)), 3);
  EXPECT_EQ(0u, inside & 0xFFFF);
  EXPECT_EQ(0u, canvas.At(50, 25));  // above the trace
  EXPECT_EQ(0u, canvas.At(75, 50));  // past the area's end
}

TEST_F(AreaGlyphPlotterTest, FillsInPastelWhereTheDeviceCannotBlend) {
  canvas.dc.PatBlt(OWL::TRect(0, 0, 120, 100), BLACKNESS);
  areas.records[0].colour = RGB(255, 0, 0);
  BlendCapsDC dc(canvas.dc.GetHDC(), SB_CONST_ALPHA);
  Draw(dc);
  EXPECT_EQ(GraphCanvas::Pixel(RGB(255, 127, 127)), canvas.At(50, 50));
  EXPECT_EQ(0u, canvas.At(50, 25));
  EXPECT_EQ(0u, canvas.At(75, 50));
  EXPECT_EQ(OWL::TPoint(0, 0), dc.GetWindowOrg());
  // A printout's page margin as the DC's own origin: the area moves with the page and keeps it.
  canvas.dc.PatBlt(OWL::TRect(0, 0, 120, 100), BLACKNESS);
  dc.SetWindowOrg(OWL::TPoint(-20, -10));
  Draw(dc);
  EXPECT_EQ(0u, canvas.At(35, 50)) << "left of the area moved by the margin";
  EXPECT_EQ(GraphCanvas::Pixel(RGB(255, 127, 127)), canvas.At(85, 75));
  EXPECT_EQ(OWL::TPoint(-20, -10), dc.GetWindowOrg());
}

// The blending DIB used to start all black, so a black area darkened the whole plot rectangle.
TEST_F(AreaGlyphPlotterTest, ABlackAreaStaysInsideItsOutline) {
  areas.records[0].colour = RGB(0, 0, 0);
  BlendCapsDC dc(canvas.dc.GetHDC(), kBlends);
  Draw(dc);
  EXPECT_NEAR(128, static_cast<int>(Channel(canvas.At(50, 50), 8)), 3);
  EXPECT_EQ(0xFFFFFFu, canvas.At(50, 25));
  EXPECT_EQ(0xFFFFFFu, canvas.At(90, 80));
  EXPECT_EQ(0xFFFFFFu, canvas.At(20, 50));
}

TEST_F(AreaGlyphPlotterTest, OutlineLeavesOutABaselineEndWithoutValueAndNeedsASample) {
  areas.records[0].colour = RGB(0, 0, 255);
  areas.records[0].y = std::nan("");  // no start point on the baseline: the outline closes diagonally
  BlendCapsDC dc(canvas.dc.GetHDC(), kBlends);
  Draw(dc);
  EXPECT_NE(0xFFFFFFu, canvas.At(65, 65));   // near the baseline's end
  EXPECT_EQ(0xFFFFFFu, canvas.At(33, 65));   // below the diagonal
  GraphCanvas empty(120, 100);
  areas.records[0].x = 200.0;  // no sample in range
  areas.records[0].x2 = 300.0;
  OWL::TRect p = plot, c = plot;
  plotter.OnDraw(empty.dc, empty.dc, p, c);
  EXPECT_TRUE(empty.InkBounds().IsEmpty());
}
