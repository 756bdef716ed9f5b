// ScrivoDraw::ChildPaneBase: the sorted drawer list, its layers, removal, hit testing and the
// repaint span.
#include "drawing/ChildPaneBase.h"

#include "tests/drawing/DrawingTestSupport.h"

#include <gtest/gtest.h>

namespace {

using drawingtest::Canvas;
using drawingtest::DrawCall;
using drawingtest::MakeLane;
using drawingtest::TestDrawer;
using drawingtest::TestPane;
using ScrivoDraw::LayerPair;

const LayerPair kAll{ScrivoDraw::kLayerPairAll, ScrivoDraw::kLayerPairAllSecond};

ULONG RefsAfterRemoval(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

class ChildPaneBaseTest : public ::testing::Test {
 protected:
  QOR::ComPtr<TestDrawer> Add(const char* name, int32_t kind, LayerPair layer = kAll, uint32_t options = 0) {
    QOR::ComPtr<TestDrawer> drawer(new TestDrawer(name, kind, &log, layer));
    EXPECT_EQ(S_OK, lane->AddDrawer(options, drawer.Get(), 255));
    return drawer;
  }
  std::vector<std::string> DrawnNames() const {
    std::vector<std::string> names;
    for (const DrawCall& call : log) names.push_back(call.name);
    return names;
  }
  std::vector<std::string> ListedNames() const {
    std::vector<std::string> names;
    for (size_t i = 0; i < lane->DrawerCount(); ++i) names.push_back(static_cast<TestDrawer*>(lane->Drawer(i))->Name());
    return names;
  }

  TestPane pane;
  QOR::ComPtr<drawingtest::TestLane> lane = [this] {
    pane.cached = false;
    return MakeLane(pane, RECT{10, 5, 90, 45}, 3);
  }();
  std::vector<DrawCall> log;
};

TEST_F(ChildPaneBaseTest, SortsByKindKeepingTheOrderOfEqualKinds) {
  auto a = Add("a", 0x201);
  auto b = Add("b", 1);
  auto c = Add("c", 0x201);
  auto d = Add("d", 0x402);
  auto e = Add("e", 0x201);
  EXPECT_EQ((std::vector<std::string>{"b", "a", "c", "e", "d"}), ListedNames());
  // Layer n holds the drawers whose kind / 256 is n.
  EXPECT_EQ(0, lane->Layer(0).firstDrawer);
  EXPECT_EQ(1, lane->Layer(0).endDrawer);
  EXPECT_EQ(1, lane->Layer(2).firstDrawer);
  EXPECT_EQ(4, lane->Layer(2).endDrawer);
  EXPECT_EQ(4, lane->Layer(4).firstDrawer);
  EXPECT_EQ(-1, lane->Layer(1).firstDrawer);
  EXPECT_EQ(3, a->LaneIndex());
}

TEST_F(ChildPaneBaseTest, PaintsLayersBottomUpAndOnlyTheSetOnes) {
  Add("event", 0x402);
  Add("trace", 0x201);
  Add("grid", 1);
  Canvas canvas(100, 50);
  lane->Paint(canvas.DC(), ScrivoDraw::PaintArgs{0, 80, 10, 90}, 0, 0xFF);
  EXPECT_EQ((std::vector<std::string>{"grid", "trace", "event"}), DrawnNames());
  log.clear();
  lane->InvalidateAll(true);
  lane->Paint(canvas.DC(), ScrivoDraw::PaintArgs{0, 80, 10, 90}, 0, 1u << 2);
  EXPECT_EQ(std::vector<std::string>{"trace"}, DrawnNames());
}

TEST_F(ChildPaneBaseTest, RemovingFromTheMiddleRebuildsTheLayers) {
  auto first = Add("first", 0x201, {1, 1});
  auto middle = Add("middle", 0x201, {2, 2});
  auto last = Add("last", 0x201, {3, 3});
  auto marks = Add("marks", 0x402, {4, 4});
  ASSERT_EQ(S_OK, lane->RemoveDrawers(0, LayerPair{2, 2}));
  EXPECT_EQ(1u, RefsAfterRemoval(middle.Get()));
  Canvas canvas(100, 50);
  lane->Paint(canvas.DC(), ScrivoDraw::PaintArgs{0, 80, 10, 90}, 0, 0xFF);
  EXPECT_EQ((std::vector<std::string>{"first", "last", "marks"}), DrawnNames());
  // By traits: only the drawers whose traits meet the mask go.
  first->SetTraits(0x100);
  ASSERT_EQ(S_OK, lane->RemoveDrawers(0x100, kAll));
  EXPECT_EQ((std::vector<std::string>{"last", "marks"}), ListedNames());
  ASSERT_EQ(S_OK, lane->RemoveDrawers(0, kAll));
  EXPECT_EQ(0u, lane->DrawerCount());
  EXPECT_EQ(-1, lane->Layer(4).firstDrawer);
}

TEST_F(ChildPaneBaseTest, HitTestExcludesTheRightAndBottomEdges) {
  const struct {
    POINT point;
    bool inside;
  } cases[] = {{{10, 5}, true}, {{89, 44}, true}, {{90, 20}, false}, {{50, 45}, false}, {{9, 20}, false}};
  for (const auto& c : cases) EXPECT_EQ(c.inside, lane->HitTest(c.point)) << c.point.x << "," << c.point.y;
}

TEST_F(ChildPaneBaseTest, RepaintSpanIncludesTheWidestExtras) {
  auto narrow = Add("narrow", 0x201);
  narrow->leftExtra = 3;
  narrow->rightExtra = 5;
  auto wide = Add("wide", 0x402);
  wide->leftExtra = 7;
  wide->rightExtra = 1;
  int32_t left = 0;
  int32_t right = 0;
  lane->GetRepaintSpan(nullptr, ScrivoDraw::kPaintWholeLane, &left, &right);
  EXPECT_EQ(10 - 7, left);
  EXPECT_EQ(90 + 5, right);
  // From the update region: its box within the lane, which every layer's dirty area covers.
  Canvas canvas(100, 50);
  lane->Paint(canvas.DC(), ScrivoDraw::PaintArgs{0, 80, 10, 90}, 0, 0xFF);
  ASSERT_TRUE(lane->EndPaintPass());
  HRGN const region = CreateRectRgn(30, 0, 40, 100);
  lane->GetRepaintSpan(region, 0, &left, &right);
  DeleteObject(region);
  EXPECT_EQ(30 - 7, left);
  EXPECT_EQ(40 + 5, right);
  EXPECT_EQ(30, lane->Layer(2).dirty.left);
  EXPECT_EQ(45, lane->Layer(2).dirty.bottom);
}

TEST_F(ChildPaneBaseTest, EmptyOrInvertedLaneGetsNoCacheAndPaintsNothing) {
  pane.cached = true;
  Add("grid", 1);
  for (const RECT& rect : {RECT{50, 20, 50, 40}, RECT{60, 30, 40, 10}}) {
    lane->Place(0, RECT{0, 0, 100, 50}, rect, 0, 0, 2);
    EXPECT_EQ(nullptr, lane->LayerCache(0));
    Canvas canvas(100, 50);
    lane->Paint(canvas.DC(), ScrivoDraw::PaintArgs{0, 80, 0, 100}, 0, 0xFF);
    lane->Render(canvas.DC(), 0, true);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(RGB(0, 255, 0), canvas.At(50, 25));
  }
}

}  // namespace
