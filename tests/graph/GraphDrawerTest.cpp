// MGraph1::GraphDrawer: the drawing chain's order and the default drawing, on a DIB memory DC.
#include "graph/GraphDrawer.h"

#include "tests/graph/GraphCanvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

// Logs "<name>" for its body and "/<name>" for its end, and the rectangles it was handed.
class ChainLink : public MGraph1::GraphDrawer {
 public:
  ChainLink(char name, std::string& log) : mName(name), mLog(log) {}
  void OnDraw(OWL::TDC&, OWL::TDC&, OWL::TRect& plotRect, OWL::TRect& clipRect) override {
    mLog += mName;
    bodyPlot = plotRect;
    plotRect.Inflate(-5, -5);  // may change its copies without touching the rest of the chain
    clipRect = OWL::TRect(1, 2, 3, 4);
  }
  void OnDrawEnd(OWL::TDC&, OWL::TDC&, const OWL::TRect& plotRect, const OWL::TRect& clipRect) override {
    mLog += '/';
    mLog += mName;
    endPlot = plotRect;
    endClip = clipRect;
  }
  OWL::TRect bodyPlot, endPlot, endClip;

 private:
  char mName;
  std::string& mLog;
};

}  // namespace

TEST(GraphDrawer, ChainDrawsBodiesInOrderAndEndsInReverse) {
  std::string log;
  ChainLink a('A', log), b('B', log), c('C', log);
  a.SetNext(&b);
  b.SetNext(&c);
  GraphCanvas canvas(40, 30);
  OWL::TRect const plot(10, 5, 30, 25);
  MGraph1::DrawChain(a, canvas.dc, canvas.dc, plot, OWL::TRect(0, 0, 40, 30));
  EXPECT_EQ("ABC/C/B/A", log);
  EXPECT_EQ(plot, c.bodyPlot);                  // A's changes did not reach B or C
  EXPECT_EQ(plot, a.endPlot);                   // the caller's plot rectangle
  EXPECT_EQ(OWL::TRect(1, 2, 3, 4), a.endClip);  // the clip copy as OnDraw left it
}

TEST(GraphDrawer, WithoutOwnDrawingShowsTheReminderCentredAndRestoresAlignment) {
  MGraph1::GraphDrawer drawable;
  GraphCanvas canvas(400, 100);
  SetTextAlign(canvas.dc, TA_RIGHT);
  MGraph1::DrawChain(drawable, canvas.dc, canvas.dc, OWL::TRect(100, 20, 300, 80), OWL::TRect(0, 0, 400, 100));
  EXPECT_EQ(static_cast<UINT>(TA_RIGHT), GetTextAlign(canvas.dc));

  OWL::TRect const ink = canvas.InkBounds();
  ASSERT_FALSE(ink.IsEmpty());
  int const centre = (ink.left + ink.right) / 2;
  EXPECT_NEAR(200, centre, 2);
  EXPECT_GE(ink.top, 50);  // top-aligned text starts at the centre line
  EXPECT_LT(ink.top, 60);
  EXPECT_GT(ink.Width(), 100);  // the whole sentence, not a stray glyph
}
