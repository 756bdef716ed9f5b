// The preview window over the stand-in host: its bars beside it in the parent, the messages it
// passes to its pane, the scroll bar in the pane's units, sampling in uneven blocks, and the
// trace drawers it stacks, overlays or hides.
#include "drawing/PreviewDataWin.h"

#include "drawing/PreviewResourceIds.h"
#include "drawing/ScrollBarWin.h"
#include "drawing/TraceControlWin.h"
#include "host/app/HostFramework.h"
#include "host/framework/HostDragScale.h"
#include "host/data/PreviewPaneSource.h"
#include "host/data/SamplingControl.h"
#include "platform/owl/TButtonGadget.h"
#include "tests/support/HostDataFile.h"
#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace ScrivoDraw;

namespace {

// A trace of the source (id 0) or a derived one (id 2).
class Trace final : public DrawerBase {
 public:
  explicit Trace(int32_t sourceId) : DrawerBase(0x201, 0x80001000u, ChannelPair{0, 0}, {kLayerPairAll, kLayerPairAllSecond}), mSourceId(sourceId) {}
  HRESULT STDMETHODCALLTYPE GetSourceId(int32_t* id) noexcept override {
    *id = mSourceId;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetUnitsText(int32_t, int32_t, QOR::IQORString**, VARIANT_BOOL*) noexcept override {
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE SetValueRange(int32_t, int32_t, const ValueRange*, IUnknown*) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Refresh(uint32_t) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestData(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, void*) noexcept override {
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Draw(HDC, int64_t, int64_t, DrawOrigin, int32_t, const RECT*, uint32_t, int32_t,
                                 const void*) noexcept override {
    return S_OK;
  }

 private:
  int32_t mSourceId;
};

class LeaveCounter final : public InteractiveObject {
 public:
  void MouseLeft() override { ++leaves; }
  int leaves = 0;
};

class Dialog : public OWL::TWindow {
 public:
  Dialog() : TWindow(nullptr, L"preview") {
    Attr.Style = WS_POPUP | WS_CLIPCHILDREN;
    Attr.X = 0;
    Attr.Y = 0;
    Attr.W = 760;
    Attr.H = 360;
  }
};

class PreviewDataWinTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework()); }
  void SetUp() override {
    auto document = testsupport::MakeDataDocument({20000}, 0.001, [](int32_t, int32_t i) {
      return static_cast<float>(std::sin(i * 0.01));
    });
    device = host::SamplingControl::Create(document->Data());
    source = host::PreviewPaneSource::Create(document);
    dialog.Create();
    dialog.ShowWindow(SW_SHOWNOACTIVATE);
    window = std::make_unique<PreviewDataWinWButtons>(&dialog, source.Get());
    window->Attr.X = 80;
    window->Attr.Y = 10;
    window->Attr.W = 560;
    window->Attr.H = 280;
    window->Create();
    window->SetPageRect(RECT{10, 10, 740, 290});
    PumpMessages();
  }
  void TearDown() override { window.reset(); }
  TraceControlWin& TraceBar() { return dynamic_cast<TraceControlWin&>(*window->TraceBar()); }
  size_t LaneDrawers() { return window->Lane(0)->DrawerCount(); }
  ScrollBarWin* ScrollBarChild() {
    HWND const bar = GetDlgItem(dialog.GetHandle(), kScrollBarId);
    return dynamic_cast<ScrollBarWin*>(OWL::TWindow::GetWindowPtr(bar));
  }

  host::HostPtr<host::SamplingControl> device;
  host::HostPtr<host::PreviewPaneSource> source;
  Dialog dialog;
  std::unique_ptr<PreviewDataWinWButtons> window;
};

}  // namespace

TEST_F(PreviewDataWinTest, BarsStandBesideTheWindowInItsParent) {
  ASSERT_NE(nullptr, window->PreviewBar());
  ASSERT_NE(nullptr, window->TraceBar());
  ASSERT_NE(nullptr, ScrollBarChild());
  EXPECT_FALSE(window->PreviewBar()->IsEnabled());  // no sampling control yet
  window->SetSamplingSource(device.Get());
  EXPECT_TRUE(window->PreviewBar()->IsEnabled());
  RECT pane{};
  GetWindowRect(window->GetHandle(), &pane);
  MapWindowPoints(nullptr, dialog.GetHandle(), reinterpret_cast<POINT*>(&pane), 2);
  RECT trace{};
  GetWindowRect(dynamic_cast<OWL::TWindow&>(*window->TraceBar()).GetHandle(), &trace);
  MapWindowPoints(nullptr, dialog.GetHandle(), reinterpret_cast<POINT*>(&trace), 2);
  RECT preview{};
  GetWindowRect(dynamic_cast<OWL::TWindow&>(*window->PreviewBar()).GetHandle(), &preview);
  MapWindowPoints(nullptr, dialog.GetHandle(), reinterpret_cast<POINT*>(&preview), 2);
  EXPECT_LE(trace.right, pane.left);    // in the left label column
  EXPECT_GE(preview.left, pane.right);  // in the right label column
}

// Resized before its page is set, the window has no left label column: the trace bar is hidden
// and nothing fails; once the page is set, the column holds the bar.
TEST_F(PreviewDataWinTest, TraceBarThatDoesNotFitIsHidden) {
  ScriptedModalSeam seam;
  window.reset();
  window = std::make_unique<PreviewDataWinWButtons>(&dialog, source.Get());
  window->Attr.W = 500;
  window->Attr.H = 260;
  window->Create();
  SetWindowPos(window->GetHandle(), nullptr, 0, 0, 480, 250, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  HWND const bar = dynamic_cast<OWL::TWindow&>(*window->TraceBar()).GetHandle();
  RECT trace{};
  GetWindowRect(bar, &trace);
  ASSERT_GT(window->TraceBar()->GetSize().cx, 0);
  EXPECT_EQ(trace.left, trace.right);
  EXPECT_TRUE(seam.MessageTexts.empty());
  window->SetPageRect(RECT{10, 10, 740, 290});
  GetWindowRect(bar, &trace);
  EXPECT_EQ(window->TraceBar()->GetSize().cx, trace.right - trace.left);
}

TEST_F(PreviewDataWinTest, ZeroHeightIsNotPassedOnAndLeavingIsNotedOncePerEntry) {
  const int32_t height = window->ClientHeight();
  ASSERT_GT(height, 0);
  window->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 0));
  EXPECT_EQ(height, window->ClientHeight());
  auto counter = std::make_shared<LeaveCounter>();
  window->AddObject(7, counter);
  window->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
  window->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(21, 20));
  EXPECT_TRUE(window->IsTrackingLeave());
  window->SendMessage(WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(1, counter->leaves);
  EXPECT_FALSE(window->IsTrackingLeave());
  window->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(22, 20));
  EXPECT_TRUE(window->IsTrackingLeave());
  window->SendMessage(WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(2, counter->leaves);
}

TEST_F(PreviewDataWinTest, ScrollMessagesReachThePaneInItsUnits) {
  ScrollBarWin* const bar = ScrollBarChild();
  ASSERT_NE(nullptr, bar);
  SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(bar->GetScrollInfo(info));
  const int64_t before = window->ScrollPos();
  EXPECT_EQ(static_cast<int64_t>(info.nPos) * window->ScrollUnit(), before - window->VisibleWidth());
  EXPECT_EQ(static_cast<int64_t>(info.nPage) * window->ScrollUnit(), window->VisibleWidth());
  dialog.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_PAGERIGHT, 0), reinterpret_cast<LPARAM>(bar->GetHandle()));
  EXPECT_GT(window->ScrollPos(), before);
  ASSERT_TRUE(bar->GetScrollInfo(info));
  EXPECT_EQ(static_cast<int64_t>(info.nPos) * window->ScrollUnit(), window->ScrollPos() - window->VisibleWidth());
}

TEST_F(PreviewDataWinTest, SamplingInUnevenBlocksKeepsTheNewestDataAtTheRightEdge) {
  window->SetSamplingSource(device.Get());
  ASSERT_EQ(S_OK, window->SetMode(kModeSampling));
  for (int32_t const block : {700, 1300, 3, 2500, 999}) {
    ASSERT_EQ(S_OK, device->Deliver(block));
    PumpMessages();
  }
  EXPECT_TRUE(window->IsFollowing());
  int64_t extent = 0;
  ASSERT_EQ(S_OK, window->Scale()->GetTotalLength(&extent));
  EXPECT_EQ(extent, window->ScrollPos());  // the newest data ends at the right edge
  EXPECT_FALSE(IsWindowEnabled(ScrollBarChild()->GetHandle()));  // hidden while following
  // Pausing keeps the picture: the same source and position.
  const int64_t shown = window->ScrollPos();
  window->SetMode(kModePaused);
  EXPECT_EQ(window->OnlineSink(), window->DataSource());
  EXPECT_EQ(shown, window->ScrollPos());
}

TEST_F(PreviewDataWinTest, DerivedTraceWaitsOutsideTheLaneWhileOnlyTheSourceIsShown) {
  QOR::ComPtr<Trace> sourceTrace(new Trace(0));
  QOR::ComPtr<Trace> derived(new Trace(2));
  EXPECT_EQ(S_OK, window->AddTraceDrawer(sourceTrace.Get()));
  const size_t base = LaneDrawers();
  window->TraceAction(kTraceSourceOnly, 1);  // the source-only button goes down
  EXPECT_FALSE(window->ShowsAllTraces());
  window->AddTraceDrawer(derived.Get());
  EXPECT_EQ(base, LaneDrawers());
  EXPECT_EQ(2u, window->TraceCount());
  window->TraceAction(kTraceSourceOnly, 2);
  EXPECT_TRUE(window->ShowsAllTraces());
  EXPECT_EQ(base + 1, LaneDrawers());
  EXPECT_TRUE(TraceBar().GadgetWithId(IDC_TRACE_STACK)->GetEnabled());
}

TEST_F(PreviewDataWinTest, ClearingTracesSwitchesTheTraceBarOffEvenWithoutItems) {
  ASSERT_TRUE(TraceBar().GadgetWithId(IDC_TRACE_SOURCE_ONLY)->GetEnabled());
  window->ClearTraceDrawers();
  EXPECT_EQ(0u, TraceBar().ButtonMask());
  for (int const id : {IDC_TRACE_STACK, IDC_TRACE_OVERLAY, IDC_TRACE_SOURCE_ONLY})
    EXPECT_FALSE(TraceBar().GadgetWithId(id)->GetEnabled()) << id;
  QOR::ComPtr<Trace> derived(new Trace(2));
  window->AddTraceDrawer(derived.Get());
  window->ClearTraceDrawers();
  EXPECT_EQ(0u, window->TraceCount());
}

TEST_F(PreviewDataWinTest, StackingPutsTheTracesOneAboveTheOtherAndOverlayingUndoesIt) {
  ChannelPane* const lane = window->Lane(0);
  ASSERT_NE(nullptr, lane);
  ASSERT_EQ(S_OK, lane->SetAxisRange(1, -1.0, 1.0));
  ASSERT_EQ(S_OK, lane->SetAxisRange(2, 0.0, 4.0));
  window->TraceAction(kTraceOverlay, 0);
  double low1 = 0, high1 = 0, low2 = 0, high2 = 0;
  ASSERT_EQ(S_OK, lane->GetAxisRange(1, &low1, &high1));
  ASSERT_EQ(S_OK, lane->GetAxisRange(2, &low2, &high2));
  window->TraceAction(kTraceStack, 0);
  double s1 = 0, t1 = 0, s2 = 0, t2 = 0;
  ASSERT_EQ(S_OK, lane->GetAxisRange(1, &s1, &t1));
  ASSERT_EQ(S_OK, lane->GetAxisRange(2, &s2, &t2));
  // Axis 1's span doubles downwards (its trace in the upper half), axis 2's upwards.
  EXPECT_DOUBLE_EQ(high1, t1);
  EXPECT_DOUBLE_EQ(low1 - (high1 - low1), s1);
  EXPECT_DOUBLE_EQ(low2, s2);
  EXPECT_DOUBLE_EQ(high2 + (high2 - low2), t2);
}

// The right axis shows values only once a derived trace is there; the first lane's axis takes a
// unit prefix for its label, which its ranges then cross the pane in.
TEST_F(PreviewDataWinTest, TheRightAxisAwaitsADerivedTraceAndTheFirstAxisTakesAPrefix) {
  QOR::ComPtr<IDragScale> right;
  ASSERT_EQ(S_OK, window->GetFirstLaneAxis(2, right.Out()));
  auto* const shown = static_cast<host::HostDragScale*>(right.Get());
  QOR::ComPtr<Trace> sourceTrace(new Trace(0));
  window->AddTraceDrawer(sourceTrace.Get());
  EXPECT_FALSE(shown->ValuesShown());
  QOR::ComPtr<Trace> derived(new Trace(2));
  window->AddTraceDrawer(derived.Get());
  EXPECT_TRUE(shown->ValuesShown());

  ASSERT_EQ(S_OK, window->UpdateFirstLaneAxis(1, 7));  // m
  EXPECT_EQ(7, window->Lane(0)->Unit(1).prefix);
  ASSERT_EQ(S_OK, window->Lane(0)->SetAxisRange(1, 0.001, 0.005));
  double low = 0.0, high = 0.0;
  ASSERT_EQ(S_OK, window->GetAxisRange(1, &low, &high));
  EXPECT_NEAR(0.001, low, 1e-12);
  EXPECT_NEAR(0.005, high, 1e-12);
  QOR::ComPtr<IDragScale> left;
  ASSERT_EQ(S_OK, window->GetFirstLaneAxis(1, left.Out()));
  EXPECT_EQ(S_OK, left->GetRange(&low, &high));
  EXPECT_NEAR(1.0, low, 1e-9);  // the axis shows millivolts
  EXPECT_NEAR(5.0, high, 1e-9);
}
