// ScrivoDraw::ChildPaneBase on 32-bit DIB memory DCs: cached layers composited with the white
// key, rendering with a constant opacity, the frames, new data while scrolling and the ring.
#include "drawing/ChildPaneBase.h"

#include "platform/uihelpers/Colours.h"
#include "tests/drawing/DrawingTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using drawingtest::Canvas;
using drawingtest::DrawCall;
using drawingtest::MakeLane;
using drawingtest::TestDrawer;
using drawingtest::TestPane;
using ScrivoDraw::PaintArgs;

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class ChildPaneCompositeTest : public ::testing::Test {
 protected:
  QOR::ComPtr<TestDrawer> Add(int32_t kind, COLORREF colour, uint32_t options = 0, uint32_t opacity = 255) {
    QOR::ComPtr<TestDrawer> drawer(new TestDrawer("d", kind, &log));
    drawer->colour = colour;
    EXPECT_EQ(S_OK, lane->AddDrawer(options, drawer.Get(), opacity));
    return drawer;
  }
  // One pass of the pane: paint, then the pass end that lets cached layers be composited next.
  void PaintPass(HDC dc, uint32_t flags = 0) {
    lane->Paint(dc, PaintArgs{0, 100, 0, 100}, flags, 0xFF);
    lane->EndPaintPass();
  }

  TestPane pane;
  QOR::ComPtr<drawingtest::TestLane> lane = MakeLane(pane, RECT{0, 10, 100, 40});
  std::vector<DrawCall> log;
};

TEST_F(ChildPaneCompositeTest, TransparentLayerShowsTheLayerBelowWhereItIsWhite) {
  Add(1, kBlue);
  auto trace = Add(0x201, kRed, ScrivoDraw::kDrawerCachedLayer);
  trace->bandLeft = 20;
  trace->bandRight = 30;
  Canvas canvas(100, 50);
  PaintPass(canvas.DC());
  // Freshly drawn caches wait for the next pass.
  EXPECT_EQ(RGB(0, 255, 0), canvas.At(50, 20));
  PaintPass(canvas.DC());
  EXPECT_EQ(kRed, canvas.At(25, 20));
  EXPECT_EQ(kBlue, canvas.At(50, 20));
  EXPECT_EQ(kBlue, canvas.At(5, 39));
  EXPECT_EQ(RGB(0, 255, 0), canvas.At(50, 5));
  EXPECT_EQ(2u, log.size());
}

static bool Near(COLORREF actual, int r, int g, int b) {
  return std::abs(GetRValue(actual) - r) <= 2 && std::abs(GetGValue(actual) - g) <= 2 &&
         std::abs(GetBValue(actual) - b) <= 2;
}

TEST_F(ChildPaneCompositeTest, RenderBlendsTheTopLayerWithItsOpacity) {
  Add(1, kBlue);
  Add(0x700, kRed, ScrivoDraw::kDrawerCachedLayer, 128);
  Canvas canvas(100, 50);
  PaintPass(canvas.DC());
  lane->Render(canvas.DC(), 0, false);
  EXPECT_TRUE(Near(canvas.At(50, 25), 128, 0, 127)) << std::hex << canvas.At(50, 25);
  EXPECT_EQ(RGB(0, 255, 0), canvas.At(50, 45));
  lane->SetLayerOpacity(7, 255);
  lane->Render(canvas.DC(), 60, true);
  EXPECT_EQ(kBlue, canvas.At(50, 25));
  EXPECT_EQ(kBlack, canvas.At(60, 25));
}

TEST_F(ChildPaneCompositeTest, ScreenFrameUsesTheSystemColours) {
  QOR::InitSystemColours();
  Canvas canvas(110, 50);
  lane->DrawFrame(canvas.DC(), 0);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF text = GetSysColor(COLOR_BTNTEXT);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  // The lane spans x 0..99 and y 10..39; the frame lies two pixels outside it.
  EXPECT_EQ(shadow, canvas.At(50, 8));
  EXPECT_EQ(highlight, canvas.At(50, 41));
  EXPECT_EQ(highlight, canvas.At(101, 20));
  EXPECT_EQ(text, canvas.At(50, 9));
  EXPECT_EQ(face, canvas.At(50, 40));
  EXPECT_EQ(face, canvas.At(100, 20));
}

TEST_F(ChildPaneCompositeTest, PrintFrameIsABlackLineLeftAndBottom) {
  pane.printing = true;
  lane = MakeLane(pane, RECT{10, 10, 90, 40});
  Canvas canvas(100, 50);
  lane->DrawFrame(canvas.DC(), 0);
  EXPECT_EQ(kBlack, canvas.At(8, 20));
  EXPECT_EQ(kBlack, canvas.At(50, 41));
  EXPECT_EQ(RGB(0, 255, 0), canvas.At(50, 8));
  EXPECT_EQ(RGB(0, 255, 0), canvas.At(91, 20));
  // The time scale (lane index -1) has no print frame.
  Canvas blank(100, 50);
  MakeLane(pane, RECT{10, 10, 90, 40}, -1)->DrawFrame(blank.DC(), 0);
  EXPECT_EQ(RGB(0, 255, 0), blank.At(8, 20));
}

TEST_F(ChildPaneCompositeTest, NewDataWhileScrollingShiftsTheCachesAndDirtiesTheNewStrip) {
  // Column c shows position c + 10 once the pane has scrolled to 110.
  pane.scrolling = true;
  pane.rightColumn = 100;
  pane.scrollPosition = 100;
  auto grid = Add(1, RGB(255, 255, 255));
  grid->mark = 50;
  auto trace = Add(0x201, kRed);
  trace->newDataAnswer = 80;
  Canvas canvas(100, 50);
  PaintPass(canvas.DC());
  ASSERT_EQ(kBlack, GetPixel(lane->LayerCache(0), 50, 5));
  pane.scrollPosition = 110;
  int64_t earliest = 1000;
  lane->OnNewData(110, 10, &earliest, 0);
  EXPECT_EQ(80, earliest);
  EXPECT_EQ(kBlack, GetPixel(lane->LayerCache(0), 40, 5));
  EXPECT_NE(kBlack, GetPixel(lane->LayerCache(0), 50, 5));
  for (int n : {0, 2, 5}) {
    const RECT& dirty = lane->Layer(n).dirty;
    EXPECT_EQ(70, dirty.left) << "layer " << n;
    EXPECT_EQ(100, dirty.right) << "layer " << n;
  }
  EXPECT_TRUE(lane->Layer(0).flags & ScrivoDraw::kLayerDirty);
  // Without cached bitmaps the pane scrolls the screen and repaints from the new column.
  pane.cached = false;
  lane = MakeLane(pane, RECT{0, 10, 100, 40});
  lane->AddDrawer(0, trace.Get(), 255);
  pane.invalidated.clear();
  lane->OnNewData(110, 10, &earliest, 0);
  EXPECT_EQ(std::vector<int32_t>{10}, pane.scrolled);
  ASSERT_EQ(1u, pane.invalidated.size());
  EXPECT_EQ(70, pane.invalidated[0].left);
}

TEST_F(ChildPaneCompositeTest, PaintAcrossTheRingOffsetDrawsBothPieces) {
  pane.ring = true;
  pane.scrolling = true;
  pane.ringOffset = 30;
  auto grid = Add(1, RGB(255, 255, 255));
  grid->mark = 0;
  Canvas canvas(100, 50);
  PaintPass(canvas.DC());
  ASSERT_EQ(2u, log.size());
  EXPECT_EQ(0, log[0].column);
  EXPECT_EQ(70, log[0].clip.right);
  EXPECT_EQ(70, log[1].column);
  EXPECT_EQ(70, log[1].first);
  // The lane's left edge sits at cache column 30, and composites back to the left edge.
  EXPECT_EQ(kBlack, GetPixel(lane->LayerCache(0), 30, 5));
  PaintPass(canvas.DC());
  EXPECT_EQ(kBlack, canvas.At(0, 20));
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(30, 20));
}

}  // namespace
