// MGraph1::Graph2DDrawer: ranges during drags, minimum spans, clicks, hints and the typed key sequence.
#include "graph/Graph2DDrawer.h"

#include "graph/Annotation.h"
#include "graph/GraphDrawer.h"
#include "graph/QueenController.h"

#include "tests/graph/GraphTestHost.h"
#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

namespace {

using DomainChanges = MessageLog<MGraph1::MsgGraph2DDrawerOnDomainChanged>;

// An overlay that finds a point wherever the mouse is, when it has a text.
class Marker : public MGraph1::GraphDrawer, public MGraph1::Annotation {
 public:
  explicit Marker(const wchar_t* hint = nullptr) : mHint(hint) {}
  bool HandleClick(const OWL::TRect&, uint32_t, const POINT&, const POINT&) override {
    ++clicks;
    return takesClicks;
  }
  bool SetFromPixel(int32_t, int32_t, const OWL::TRect&) override { return mHint != nullptr; }
  bool GetText(QOR::String& text) const override {
    if (mHint) text = mHint;
    return mHint != nullptr;
  }
  void ForgetDrawn() override {}
  bool IsInverting() const override { return false; }
  int clicks = 0;
  bool takesClicks = false;

 private:
  const wchar_t* mHint;
};

class Graph2DDrawerInteraction : public GraphTestHost {
 protected:
  void SetUp() override {
    drawer.SetDrawerRect(OWL::TRect(0, 0, 200, 150));
    drawer.Layout(drawer.GetDrawerRect(), false);
  }
  MGraph1::Graph2DDrawer drawer;
};

}  // namespace

TEST_F(Graph2DDrawerInteraction, SetDomainDuringAnXDragIsDropped) {
  DomainChanges changes;
  drawer.AddChangeReceiver(&changes);
  {
    MGraph1::DragGuard outer = drawer.BeginXDrag();
    MGraph1::DragGuard inner = drawer.BeginXDrag();
    inner.Release();
    drawer.SetDomain(3.0, 4.0);
    drawer.SetRange(-2.0, 2.0);  // the other axis is free
  }
  double minimum = 0.0, maximum = 0.0;
  drawer.GetDomain(minimum, maximum);
  EXPECT_EQ(0.0, minimum);
  EXPECT_EQ(1.0, maximum);
  drawer.GetRange(minimum, maximum);
  EXPECT_EQ(-2.0, minimum);
  EXPECT_TRUE(changes.received.empty());
  drawer.SetDomain(3.0, 4.0);  // every guard released
  drawer.GetDomain(minimum, maximum);
  EXPECT_EQ(3.0, minimum);
  EXPECT_EQ(1u, changes.received.size());
  drawer.RemoveChangeReceiver(&changes);
}

TEST_F(Graph2DDrawerInteraction, MinimumSpanWidensLimitsAndDomain) {
  DomainChanges changes;
  drawer.AddChangeReceiver(&changes);
  drawer.SetXMinSpan(10.0);
  double minimum = 0.0, maximum = 0.0;
  drawer.GetXLimits(minimum, maximum);
  EXPECT_EQ(-1.0, minimum);
  EXPECT_EQ(9.0, maximum);
  drawer.GetDomain(minimum, maximum);
  EXPECT_EQ(0.0, minimum);
  EXPECT_EQ(10.0, maximum);
  EXPECT_EQ(1u, changes.received.size());
  drawer.SetXMinSpan(5.0);  // already wide enough: nothing more
  EXPECT_EQ(1u, changes.received.size());
  drawer.RemoveChangeReceiver(&changes);
}

TEST_F(Graph2DDrawerInteraction, ReleaseWithinTwoPixelsOfThePressIsAClick) {
  struct Case {
    POINT release;
    bool click;
  };
  const Case cases[] = {{{100, 50}, true}, {{101, 50}, true}, {{101, 51}, true},
                        {{102, 50}, false}, {{100, 48}, false}};
  for (const Case& c : cases) {
    Marker marker;
    drawer.AddOverlay(&marker, false);
    drawer.ButtonDown({100, 50});
    drawer.ButtonUp(0, c.release);
    EXPECT_EQ(c.click ? 1 : 0, marker.clicks) << "release " << c.release.x << "," << c.release.y;
    drawer.RemoveOverlay(&marker);
  }
  Marker marker;
  drawer.AddOverlay(&marker, false);
  drawer.ButtonUp(0, {100, 50});  // a release without a press is no click
  EXPECT_EQ(0, marker.clicks);
  drawer.RemoveOverlay(&marker);
}

TEST_F(Graph2DDrawerInteraction, ClickGoesToTheLastOverlayFirstUntilOneTakesIt) {
  Marker first, second, last;
  second.takesClicks = true;
  drawer.AddOverlay(&first, false);
  drawer.AddOverlay(&second, false);
  drawer.AddOverlay(&last, false);
  drawer.OnClick(0, {80, 40}, {80, 40});
  EXPECT_EQ(0, first.clicks);
  EXPECT_EQ(1, second.clicks);
  EXPECT_EQ(1, last.clicks);
  drawer.ClearOverlays();
}

TEST_F(Graph2DDrawerInteraction, MouseMoveSendsTheHintsOfOverlaysWithText) {
  MessageLog<MGraph1::MouseTrackHintMsg> hints;
  size_t hintCount = 99;
  hints.onReceive = [&hintCount](const MGraph1::MouseTrackHintMsg& message) {
    hintCount = message.hints->size();
  };
  drawer.AddMouseReceiver(&hints);
  EXPECT_FALSE(drawer.OnMouseMove(70, 30));
  EXPECT_EQ(0u, hintCount);  // no overlay: an empty list

  Marker silent;
  Marker talking(L"12.5 mV");
  drawer.AddOverlay(&silent, false);
  drawer.AddOverlay(&talking, false);
  MGraph1::HintList list;
  hints.onReceive = [&list](const MGraph1::MouseTrackHintMsg& message) { list = *message.hints; };
  EXPECT_TRUE(drawer.OnMouseMove(70, 30));
  ASSERT_EQ(1u, list.size());
  EXPECT_EQ(std::wstring(L"12.5 mV"), list[0].text.GetText());
  EXPECT_EQ(70, list[0].x);
  EXPECT_EQ(OWL::TRect(60, 0, 200, 90), OWL::TRect(list[0].plotRect));
  EXPECT_EQ(2u, hints.received.size());
  EXPECT_EQ(-1, hints.received[1].reserved1);
  drawer.RemoveMouseReceiver(&hints);
  drawer.ClearOverlays();
}

TEST_F(Graph2DDrawerInteraction, TypedDebugSequenceShowsItsMessageEachTime) {
  ScriptedModalSeam seam;
  for (const char* typed : {"xmgdebu", "gmgdebug"})
    for (const char* key = typed; *key; ++key) drawer.OnChar(static_cast<wchar_t>(*key), 1, 0);
  ASSERT_EQ(2u, seam.MessageTexts.size());
  EXPECT_EQ(L"Secret Message caught", seam.MessageTexts[0]);
}

TEST_F(Graph2DDrawerInteraction, PressInsideThePlotAsksTheQueensAndMissesWithoutQueens) {
  MessageLog<MGraph1::MessageQueenControllerTrackBegin> begins;
  MessageLog<MGraph1::MessageQueenControllerTrackEnd> ends;
  drawer.AddQueenReceiver(&begins);
  drawer.AddQueenReceiver(&ends);
  drawer.ButtonDown({30, 40});  // left of the plot rectangle (60, 0, 200, 90)
  drawer.ButtonUp(0, {30, 40});
  drawer.ButtonDown({100, 40});
  drawer.MouseMove({120, 40});
  drawer.ButtonUp(0, {120, 40});
  EXPECT_EQ(1u, begins.received.size());
  EXPECT_TRUE(ends.received.empty());  // nothing was tracked
  drawer.RemoveQueenReceiver(&begins);
  drawer.RemoveQueenReceiver(&ends);
}
