// MGraph1::Graph2DWindow under the stand-in host: axes in their strips, layout on WM_SIZE, the paint path
// and drags of the host's scales moving the drawer's domain and range.
#include "graph/Graph2DWindow.h"

#include "graph/GraphDragScale.h"
#include "graph/GraphDrawer.h"

#include "tests/graph/GraphCanvas.h"
#include "tests/graph/GraphTestHost.h"
#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class Parent : public OWL::TWindow {
 public:
  Parent() : TWindow(nullptr, L"graph parent") {
    Attr.Style = WS_POPUP;
    Attr.W = 420;
    Attr.H = 320;
  }
};

// Reads the drawer's shared pixel mappings.
class Probe : public MGraph1::GraphDrawer {
 public:
  void OnDraw(OWL::TDC&, OWL::TDC&, OWL::TRect&, OWL::TRect&) override {}
};

OWL::TRect ChildRect(HWND child, HWND parent) {
  RECT r = {};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return OWL::TRect(r);
}

class GraphWindowTest : public GraphTestHost {
 protected:
  void SetUp() override {
    parent.Create();
    parent.ShowWindow(SW_SHOWNOACTIVATE);
    graph = new MGraph1::Graph2DWindow(&parent, nullptr);  // owned by parent
    graph->Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;  // no border
    graph->Attr.W = 300;
    graph->Attr.H = 200;
    graph->Create();
    graph->AddPlot(&probe, false);
    PumpMessages();
  }
  void TearDown() override {
    if (graph) graph->RemovePlot(&probe);
  }
  void Drag(HWND scale, int from, int to, bool horizontal) {
    auto const at = [horizontal](int v) { return horizontal ? MAKELPARAM(v, 5) : MAKELPARAM(5, v); };
    SendMessageW(scale, WM_LBUTTONDOWN, MK_LBUTTON, at(from));
    SendMessageW(scale, WM_MOUSEMOVE, MK_LBUTTON, at(to));
  }
  Parent parent;
  Probe probe;
  MGraph1::Graph2DWindow* graph = nullptr;
};

}  // namespace

TEST_F(GraphWindowTest, AxesSitInTheirStripsAndFollowTheSize) {
  ASSERT_TRUE(graph->AxesReady());
  HWND const xScale = graph->GetXDragScale()->GetHandle();
  HWND const yScale = graph->GetYDragScale()->GetHandle();
  ASSERT_NE(nullptr, xScale);
  ASSERT_NE(nullptr, yScale);
  EXPECT_EQ(OWL::TRect(5, 5, 295, 195), graph->GetDrawerRect());  // inset by the margins once
  // Plot (65, 5, 295, 135).
  EXPECT_EQ(OWL::TRect(65, 135, 295, 195), ChildRect(xScale, graph->GetHandle()));
  EXPECT_EQ(OWL::TRect(5, 5, 65, 135), ChildRect(yScale, graph->GetHandle()));
  double minimum = 0.0, maximum = 0.0;
  graph->GetDomain(minimum, maximum);
  EXPECT_DOUBLE_EQ(0.0, probe.GetXMapping()->Map(minimum));
  EXPECT_DOUBLE_EQ(230.0, probe.GetXMapping()->Map(maximum));

  graph->MoveWindow(OWL::TRect(0, 0, 400, 300));  // WM_SIZE lays out again
  EXPECT_EQ(OWL::TRect(5, 5, 395, 295), graph->GetDrawerRect());
  EXPECT_EQ(OWL::TRect(65, 235, 395, 295), ChildRect(xScale, graph->GetHandle()));
  graph->GetRange(minimum, maximum);
  EXPECT_DOUBLE_EQ(230.0, probe.GetYMapping()->Map(minimum));  // the range's bottom at the plot's bottom
  EXPECT_DOUBLE_EQ(0.0, probe.GetYMapping()->Map(maximum));
  EXPECT_EQ(330, probe.GetPixelWidth());
}

TEST_F(GraphWindowTest, PaintFillsWhiteAndDrawsTheGraphInsideTheMargins) {
  GraphCanvas tiny(1, 1);
  tiny.dc.PatBlt(OWL::TRect(0, 0, 1, 1), BLACKNESS);
  graph->PaintBuffered(tiny.dc, OWL::TRect(0, 0, 1, 1));
  EXPECT_EQ(0xFFFFFFu, tiny.At(0, 0));  // nothing inside the margins

  GraphCanvas canvas(300, 200);
  canvas.dc.PatBlt(OWL::TRect(0, 0, 300, 200), BLACKNESS);
  graph->PaintBuffered(canvas.dc, graph->GetClientRect());
  OWL::TRect const ink = canvas.InkBounds();
  EXPECT_GE(ink.left, 5);
  EXPECT_GE(ink.top, 5);
  EXPECT_LE(ink.right, 295);
  EXPECT_LE(ink.bottom, 195);
  EXPECT_GT(canvas.InkIn(OWL::TRect(66, 136, 295, 195)), 0);  // X ticks and labels in their strip
  EXPECT_GT(canvas.InkIn(OWL::TRect(5, 5, 64, 135)), 0);      // Y ticks and labels in theirs
}

TEST_F(GraphWindowTest, DragsOfTheScalesMoveTheDomainAndRange) {
  graph->SetXLimits(-100.0, 100.0);
  graph->SetYLimits(-100.0, 100.0);
  graph->SetDomain(0.0, 23.0);  // the scale reports it back: 10 pixels a unit
  double minimum = 0.0, maximum = 0.0;
  graph->GetDomain(minimum, maximum);
  ASSERT_DOUBLE_EQ(0.0, minimum);
  HWND const xScale = graph->GetXDragScale()->GetHandle();
  Drag(xScale, 100, 50, true);  // 50 pixels to the left: 5 units to the right
  graph->GetDomain(minimum, maximum);
  EXPECT_DOUBLE_EQ(5.0, minimum);
  EXPECT_DOUBLE_EQ(28.0, maximum);
  graph->SetDomain(-50.0, 50.0);  // dropped while the axis is dragged
  graph->GetDomain(minimum, maximum);
  EXPECT_DOUBLE_EQ(5.0, minimum);
  SendMessageW(xScale, WM_LBUTTONUP, 0, MAKELPARAM(50, 5));
  graph->SetDomain(1.0, 24.0);  // the drag's guard is gone
  graph->GetDomain(minimum, maximum);
  EXPECT_DOUBLE_EQ(1.0, minimum);

  SendMessageW(xScale, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 5));  // auto scale: home range
  graph->GetDomain(minimum, maximum);
  EXPECT_DOUBLE_EQ(0.0, minimum);
  EXPECT_DOUBLE_EQ(1.0, maximum);

  graph->SetRange(0.0, 13.0);  // 10 pixels a unit on the Y axis
  HWND const yScale = graph->GetYDragScale()->GetHandle();
  Drag(yScale, 50, 70, false);  // dragged down: the values follow
  SendMessageW(yScale, WM_LBUTTONUP, 0, MAKELPARAM(5, 70));
  graph->GetRange(minimum, maximum);
  EXPECT_DOUBLE_EQ(2.0, minimum);
  EXPECT_DOUBLE_EQ(15.0, maximum);
}

TEST_F(GraphWindowTest, RightButtonShowsTheMenuOnlyOnceItIsEnabled) {
  ScriptedModalSeam seam;
  MessageLog<MGraph1::OnMenuItemMessage> chosen;
  graph->GetGraphMenu().AddItem(7, L"Peak", &chosen);
  graph->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(20, 20));
  EXPECT_TRUE(seam.MenuItemCounts.empty());
  graph->EnableGraphMenu(true);
  seam.MenuChoices.push_back(100);
  graph->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(20, 20));
  ASSERT_EQ(1u, chosen.received.size());
  EXPECT_EQ(7, chosen.received[0].id);
}

TEST_F(GraphWindowTest, DeletedDragScaleWindowUnadvisesItsScale) {
  GraphWindowTest::TearDown();
  QOR::ComPtr<IDragScale> const scale(graph->GetXDragScale()->GetScale());
  IDragScaleObserver* const observer = graph->GetXDragScale()->GetObserver();  // only compared below
  ASSERT_TRUE(graph->GetXDragScale()->IsAdvised());
  parent.Destroy();
  delete graph;  // the drag-scale windows go with it
  graph = nullptr;
  EXPECT_EQ(E_INVALIDARG, scale->Unadvise(observer));  // already gone from the scale's observers
}

TEST(GraphDragScaleWindow, NeverCreatedObjectHasNoScaleAndIsNotAdvised) {
  ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework());
  OWL::TWindow parent(nullptr, L"never created");
  auto object = std::unique_ptr<MGraph1::GraphDragScaleWindow>(
      MGraph1::GraphDragScaleWindow::Make(&parent, kDragScaleWindowBelow, MGraph1::kXAxisId, 0, -1));
  ASSERT_NE(nullptr, object);
  EXPECT_FALSE(object->IsAdvised());
  EXPECT_EQ(nullptr, object->GetScale());
  double minimum = -1.0, maximum = -1.0;
  object->GetRange(minimum, maximum);
  EXPECT_EQ(0.0, minimum);
  EXPECT_EQ(1.0, maximum);
  object.reset();  // no scale to unadvise
}
