// The bars around a preview window: zoom ratio texts and the zoom menu's ratios, the zoom bar,
// the preview and trace bars and the scroll bar, each driven with messages and an owner that
// notes what it is asked.
#include "drawing/PreviewControlWin.h"
#include "drawing/PreviewResourceIds.h"
#include "drawing/ScrollBarWin.h"
#include "drawing/TraceControlWin.h"
#include "drawing/ZoomControlWin.h"
#include "drawing/ZoomRatio.h"

#include "controls/MenuBase.h"
#include "controls/UxMenuGadget.h"
#include "platform/owl/TButtonGadget.h"
#include "platform/owl/TCommandEnabler.h"
#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace ScrivoDraw;

namespace {

struct RatioCase {
  int64_t n, d;
  const wchar_t* text;
};

TEST(ZoomRatio, FormatsThreeSignificantDigitsWithKiloAndTimes) {
  const RatioCase cases[] = {{1, 10, L"x10"},   {5000, 1, L"5k:1"}, {999, 1, L"999:1"},  {1, 1, L"1:1"},
                             {0, 1, L"x?"},     {1, 0, L"x?"},      {3, 2, L"1.5:1"},    {12345, 1, L"12.3k:1"},
                             {1, 3, L"x3"},     {20000, 1, L"20k:1"}, {1000, 1, L"1k:1"}};
  for (const RatioCase& c : cases) EXPECT_EQ(FormatZoomRatio(c.n, c.d), c.text) << c.n << "/" << c.d;
}

TEST(ZoomRatio, MenuIdsGiveNormalisedRatiosAndNothingOutside) {
  EXPECT_EQ(ZoomRatioFromMenuId(1130).num, 1);
  EXPECT_EQ(ZoomRatioFromMenuId(1130).den, 10);
  EXPECT_EQ(ZoomRatioFromMenuId(1146).num, 20000);
  EXPECT_EQ(ZoomRatioFromMenuId(1146).den, 1);
  for (int32_t const outside : {1129, 1147, 0}) {
    EXPECT_EQ(ZoomRatioFromMenuId(outside).num, 0) << outside;
    EXPECT_EQ(ZoomRatioFromMenuId(outside).den, 1) << outside;
  }
}

// The menu's texts, without their leading blanks, are what the bar shows for each entry's ratio.
TEST(ZoomRatio, MenuTextsMatchTheirRatios) {
  QOR::MenuBase const menu(L"XCOMPRESSEXPAND");
  ASSERT_TRUE(menu.IsTemplateFound());
  ASSERT_EQ(GetMenuItemCount(menu.GetHandle()), kZoomMenuEnd - kZoomMenuFirst);
  wchar_t text[32];
  GetMenuStringW(menu.GetHandle(), 1130, text, 32, MF_BYCOMMAND);
  EXPECT_STREQ(text, L"     x10");
  for (int32_t id = kZoomMenuFirst; id < kZoomMenuEnd; ++id) {
    ASSERT_GT(GetMenuStringW(menu.GetHandle(), static_cast<UINT>(id), text, 32, MF_BYCOMMAND), 0) << id;
    std::wstring shown(text);
    shown.erase(0, shown.find_first_not_of(L' '));
    shown.erase(shown.find_last_not_of(L' ') + 1);
    QORRationalImp const r = ZoomRatioFromMenuId(id);
    EXPECT_EQ(shown, FormatZoomRatio(r.num, r.den)) << id;
  }
}

class Parent : public OWL::TWindow {
 public:
  Parent() : TWindow(nullptr, L"bars") {
    Attr.Style = WS_POPUP;
    Attr.X = 10;
    Attr.Y = 10;
    Attr.W = 400;
    Attr.H = 200;
  }
};

class AxisOwner final : public AxisControlOwner {
 public:
  std::vector<std::wstring> calls;
  bool canExpand = true;
  void OnScroll(int32_t code) override { calls.push_back(L"scroll " + std::to_wstring(code)); }
  void SetFollow(bool on, bool apply) override {
    calls.push_back(L"follow " + std::to_wstring(on) + L" " + std::to_wstring(apply));
  }
  void AutoScaleHorizontally(int32_t a) override { calls.push_back(L"autoscale " + std::to_wstring(a)); }
  bool CanZoom(int32_t action) override { return action != 1 || canExpand; }
  void ZoomStep(bool in) override { calls.push_back(in ? L"zoom in" : L"zoom out"); }
  void QueryZoomCommand(int32_t kind, OWL::TCommandEnabler& e) override {
    calls.push_back(L"query " + std::to_wstring(kind) + L" " + std::to_wstring(e.GetId()));
    e.Enable(true);
  }
  void ExecuteZoomCommand(int32_t kind, int32_t id) override {
    calls.push_back(L"execute " + std::to_wstring(kind) + L" " + std::to_wstring(id));
  }
  void BuildZoomMenu(HMENU menu, int32_t first, int32_t last) override {
    builtMenu = menu;
    calls.push_back(L"build " + std::to_wstring(first) + L" " + std::to_wstring(last));
  }
  HMENU builtMenu = nullptr;
};

class PreviewOwner final : public PreviewControlOwner {
 public:
  bool sampling = false;
  std::vector<std::pair<int32_t, int32_t>> calls;  // (mode, -1), (-2, live) or (code, flags)
  int32_t SetMode(int32_t mode) override {
    calls.emplace_back(mode, -1);
    return 0;
  }
  bool HasSamplingSource() const override { return sampling; }
  void AnnouncePreviewMode(bool live) override { calls.emplace_back(-2, live); }
  void TraceAction(int32_t code, uint8_t flags) override { calls.emplace_back(code, flags); }
};

class Bars : public testing::Test {
 protected:
  void SetUp() override {
    parent.Create();
    parent.ShowWindow(SW_SHOWNOACTIVATE);
  }
  template <class Bar>
  void Click(Bar& bar, int id) {
    OWL::TRect const b = bar.GadgetWithId(id)->GetBounds();
    LPARAM const at = MAKELPARAM((b.left + b.right) / 2, (b.top + b.bottom) / 2);
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    bar.SendMessage(WM_LBUTTONUP, 0, at);
    PumpMessages();
  }
  static std::vector<int> Ids(const OWL::TGadgetWindow& bar) {
    std::vector<int> ids;
    for (OWL::TGadget* g : bar.Gadgets()) ids.push_back(g->GetId());
    return ids;
  }
  Parent parent;
  AxisOwner axis;
  PreviewOwner preview;
};

TEST_F(Bars, ZoomBarHasOptionalButtonsOnlyWhenAsked) {
  ZoomControlWin plain(&parent, 0, axis);
  EXPECT_EQ(Ids(plain), (std::vector<int>{IDC_ZOOM_COMPRESS, IDC_ZOOM_RATIO, IDC_ZOOM_EXPAND}));
  ZoomControlWin full(&parent, kZoomFollowButton | kZoomAutoScaleButton | kZoomClipSiblings, axis);
  EXPECT_EQ(Ids(full), (std::vector<int>{IDC_ZOOM_FOLLOW, IDC_ZOOM_AUTOSCALE, IDC_ZOOM_COMPRESS, IDC_ZOOM_RATIO,
                                         IDC_ZOOM_EXPAND}));
  full.Create();
  EXPECT_TRUE(GetWindowLongW(full.GetHandle(), GWL_STYLE) & WS_CLIPSIBLINGS);
  EXPECT_EQ(full.GetHintText(IDC_ZOOM_AUTOSCALE), L"Auto-scale horizontally to fit all traces in overlay");
  full.SetAutoScaleTip(L"Fit the cycles");
  EXPECT_EQ(full.GetHintText(IDC_ZOOM_AUTOSCALE), L"Fit the cycles");
  full.SetAutoScaleTip(L"");
  EXPECT_EQ(full.GetHintText(IDC_ZOOM_AUTOSCALE), L"Auto-scale horizontally to fit all traces in overlay");
  EXPECT_EQ(full.GetHintText(IDC_ZOOM_RATIO), L"Set horizontal scaling");
}

TEST_F(Bars, ZoomBarSendsButtonsAndMenuToItsOwner) {
  ZoomControlWin bar(&parent, kZoomFollowButton | kZoomAutoScaleButton, axis);
  bar.Create();
  for (int const id : {IDC_ZOOM_COMPRESS, IDC_ZOOM_EXPAND, IDC_ZOOM_AUTOSCALE}) Click(bar, id);
  bar.SendMessage(WM_COMMAND, MAKEWPARAM(1135, 0), 0);
  OWL::TCommandEnabler enabler(1140);
  bar.HandleMessage(OWL::WM_COMMAND_ENABLE, 0, reinterpret_cast<LPARAM>(&enabler));
  HMENU const menu = CreatePopupMenu();
  bar.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  DestroyMenu(menu);
  EXPECT_EQ(axis.calls, (std::vector<std::wstring>{L"zoom out", L"zoom in", L"autoscale 0", L"execute 1 1135",
                                                   L"query 1 1140", L"build 1130 1147"}));
  EXPECT_EQ(axis.builtMenu, menu);
  // Following puts the toggle up; clicking it then asks to stop following.
  bar.SetFollowState(false);
  EXPECT_EQ(bar.Button(IDC_ZOOM_FOLLOW)->GetButtonState(), OWL::TButtonGadget::Down);
  bar.SetFollowState(true);
  axis.calls.clear();
  Click(bar, IDC_ZOOM_FOLLOW);
  EXPECT_EQ(axis.calls, (std::vector<std::wstring>{L"follow 0 1"}));
}

TEST_F(Bars, ZoomBarRatioMenuAndEnabling) {
  ScriptedModalSeam seam;
  seam.MenuChoices.push_back(1144);
  ZoomControlWin bar(&parent, 0, axis);
  bar.Create();
  Click(bar, IDC_ZOOM_RATIO);
  ASSERT_EQ(seam.MenuTracks.size(), 1u);
  EXPECT_EQ(seam.MenuTracks[0].owner, bar.GetHandle());
  EXPECT_EQ(seam.MenuItemCounts[0], kZoomMenuEnd - kZoomMenuFirst);
  EXPECT_EQ(axis.calls.back(), L"execute 1 1144");
  axis.canExpand = false;
  bar.IdleAction(0);
  EXPECT_FALSE(bar.GadgetWithId(IDC_ZOOM_EXPAND)->GetEnabled());
  EXPECT_TRUE(bar.GadgetWithId(IDC_ZOOM_COMPRESS)->GetEnabled());
}

TEST_F(Bars, ZoomBarKeepsOneHeightAndTheProbeWidth) {
  ZoomControlWin bar(&parent, kZoomFollowButton, axis);
  bar.Create();
  SIZE const before = bar.GetSize();
  int const ratioWidth = bar.RatioGadget()->GetBounds().Width();
  EXPECT_GT(before.cy, 0);
  bar.SetRatio(5000, 1);
  EXPECT_EQ(bar.RatioGadget()->GetText(), L"5k:1");
  bar.SetRatio(1, 10);
  EXPECT_EQ(bar.RatioGadget()->GetText(), L"x10");
  EXPECT_EQ(bar.GetSize().cx, before.cx);
  EXPECT_EQ(bar.RatioGadget()->GetBounds().Width(), ratioWidth);
  for (OWL::TGadget* g : bar.Gadgets()) EXPECT_EQ(g->GetBounds().Height(), before.cy) << g->GetId();
  bar.MoveTo(RECT{0, 0, 0, 0});
  EXPECT_FALSE(IsWindowVisible(bar.GetHandle()));
  bar.MoveTo(RECT{5, 150, 5 + before.cx, 150 + before.cy});
  EXPECT_TRUE(IsWindowVisible(bar.GetHandle()));
}

TEST_F(Bars, PreviewBarButtonsFollowTheOwnersSamplingInterface) {
  PreviewControlWin bar(&parent, preview, 0);
  EXPECT_EQ(Ids(bar), (std::vector<int>{IDC_PREVIEW_RECORDED, IDC_PREVIEW_SAMPLE, IDC_PREVIEW_PAUSE}));
  EXPECT_EQ(bar.Button(IDC_PREVIEW_RECORDED)->GetButtonState(), OWL::TButtonGadget::Down);
  bar.Create();
  bar.IdleAction(0);
  EXPECT_FALSE(bar.GadgetWithId(IDC_PREVIEW_SAMPLE)->GetEnabled());
  EXPECT_FALSE(bar.GadgetWithId(IDC_PREVIEW_PAUSE)->GetEnabled());
  EXPECT_EQ(bar.GetHintText(IDC_PREVIEW_SAMPLE), L"No Datrion available - sampling is disabled");
  preview.sampling = true;
  bar.IdleAction(0);
  EXPECT_TRUE(bar.GadgetWithId(IDC_PREVIEW_SAMPLE)->GetEnabled());
  EXPECT_FALSE(bar.GadgetWithId(IDC_PREVIEW_PAUSE)->GetEnabled());  // the recorded data is shown
  EXPECT_EQ(bar.GetHintText(IDC_PREVIEW_SAMPLE), L"Start Sampling");
  Click(bar, IDC_PREVIEW_SAMPLE);
  bar.IdleAction(0);
  EXPECT_TRUE(bar.GadgetWithId(IDC_PREVIEW_PAUSE)->GetEnabled());
  Click(bar, IDC_PREVIEW_PAUSE);
  bar.Reset();
  EXPECT_EQ(bar.Button(IDC_PREVIEW_RECORDED)->GetButtonState(), OWL::TButtonGadget::Down);
  EXPECT_EQ(bar.Button(IDC_PREVIEW_PAUSE)->GetButtonState(), OWL::TButtonGadget::Up);
  EXPECT_EQ(preview.calls, (std::vector<std::pair<int32_t, int32_t>>{
                               {101, -1}, {-2, 1}, {102, -1}, {-2, 1}, {100, -1}, {-2, 0}}));
}

TEST_F(Bars, PreviewBarWithoutRecordedButtonStartsSampling) {
  PreviewControlWin bar(&parent, preview, kPreviewNoRecordedButton);
  EXPECT_EQ(Ids(bar), (std::vector<int>{IDC_PREVIEW_SAMPLE, IDC_PREVIEW_PAUSE}));
  EXPECT_EQ(bar.Button(IDC_PREVIEW_SAMPLE)->GetButtonState(), OWL::TButtonGadget::Down);
  bar.Create();
  bar.Reset();
  EXPECT_TRUE(preview.calls.empty());
  preview.sampling = true;
  bar.IdleAction(0);
  EXPECT_TRUE(bar.GadgetWithId(IDC_PREVIEW_PAUSE)->GetEnabled());
}

TEST_F(Bars, TraceBarSourceOnlyDisablesStackingAndRepeatsTheLastScale) {
  TraceControlWin bar(&parent, preview, 15);
  bar.Create();
  for (int const id : {IDC_TRACE_STACK, IDC_TRACE_OVERLAY, IDC_TRACE_SOURCE_ONLY})
    EXPECT_TRUE(bar.GadgetWithId(id)->GetEnabled()) << id;
  EXPECT_FALSE(bar.GadgetWithId(IDC_TRACE_SPACER)->GetEnabled());
  Click(bar, IDC_TRACE_SOURCE_ONLY);  // down
  EXPECT_FALSE(bar.GadgetWithId(IDC_TRACE_STACK)->GetEnabled());
  EXPECT_FALSE(bar.GadgetWithId(IDC_TRACE_OVERLAY)->GetEnabled());
  bar.EnableButtons(15);
  bar.IdleAction(0);
  EXPECT_FALSE(bar.GadgetWithId(IDC_TRACE_STACK)->GetEnabled());
  Click(bar, IDC_TRACE_SOURCE_ONLY);  // up: neither chosen yet, so overlay
  EXPECT_TRUE(bar.GadgetWithId(IDC_TRACE_STACK)->GetEnabled());
  Click(bar, IDC_TRACE_STACK);
  EXPECT_EQ(bar.LastScale(), 1);
  Click(bar, IDC_TRACE_SOURCE_ONLY);
  Click(bar, IDC_TRACE_SOURCE_ONLY);  // up after stacking: stack again
  Click(bar, IDC_TRACE_OVERLAY);
  Click(bar, IDC_TRACE_SOURCE_ONLY);
  Click(bar, IDC_TRACE_SOURCE_ONLY);
  EXPECT_EQ(preview.calls, (std::vector<std::pair<int32_t, int32_t>>{
                               {8, 1}, {8, 2}, {4, 0}, {2, 0}, {8, 1}, {8, 2}, {2, 0}, {4, 0}, {8, 1}, {8, 2}, {4, 0}}));
}

TEST_F(Bars, TraceBarAppliesItsMaskAtSetUp) {
  TraceControlWin bar(&parent, preview, 1 | 8);
  bar.Create();
  EXPECT_FALSE(bar.GadgetWithId(IDC_TRACE_STACK)->GetEnabled());
  EXPECT_FALSE(bar.GadgetWithId(IDC_TRACE_OVERLAY)->GetEnabled());
  EXPECT_TRUE(bar.GadgetWithId(IDC_TRACE_SOURCE_ONLY)->GetEnabled());
  EXPECT_TRUE(bar.IsSetUp());
  bar.EnableButtons(0);
  EXPECT_EQ(bar.ButtonMask(), 0u);
  EXPECT_FALSE(bar.GadgetWithId(IDC_TRACE_SOURCE_ONLY)->GetEnabled());
  EXPECT_EQ(bar.GetHintText(IDC_TRACE_STACK), L"Autoscale and stack traces");
}

TEST_F(Bars, ScrollBarPassesEveryScrollCodeToItsOwner) {
  ScrollBarWin bar(&parent, axis);
  bar.Create();
  EXPECT_EQ(GetDlgCtrlID(bar.GetHandle()), kScrollBarId);
  EXPECT_FALSE(GetWindowLongW(bar.GetHandle(), GWL_STYLE) & (WS_TABSTOP | WS_GROUP));
  for (int const code : {SB_LINELEFT, SB_PAGERIGHT, SB_THUMBTRACK, SB_LEFT, SB_ENDSCROLL})
    parent.SendMessage(WM_HSCROLL, MAKEWPARAM(code, 7), reinterpret_cast<LPARAM>(bar.GetHandle()));
  EXPECT_EQ(axis.calls, (std::vector<std::wstring>{L"scroll 0", L"scroll 3", L"scroll 5", L"scroll 6",
                                                   L"scroll 8"}));
  SCROLLINFO info{sizeof info, SIF_ALL, 0, 5000, 400, 1200, 0};
  bar.SetScrollInfo(info, false);
  SCROLLINFO back{sizeof back, SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(bar.GetScrollInfo(back));
  EXPECT_EQ(back.nMax, 5000);
  EXPECT_EQ(back.nPage, 400u);
  EXPECT_EQ(bar.GetPosition(), 1200);
}

}  // namespace
