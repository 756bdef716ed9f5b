// The channel lane: axis ranges and prefixes, axis objects on the screen and in print, placing,
// the units read-out and drags reaching the drawers.
#include "drawing/ChannelPane.h"

#include "graph/ScaleFactory.h"
#include "host/app/HostFramework.h"
#include "tests/drawing/DrawingTestSupport.h"
#include "tests/graph/FakeScale.h"

#include <gtest/gtest.h>

#include <oleidl.h>

#include <array>

using ScrivoDraw::ChannelPane;
using ScrivoDraw::ValueRange;

namespace {

constexpr uint32_t kBothAxes = ScrivoDraw::kLaneHasAxis1 | ScrivoDraw::kLaneHasAxis2;

// A drawer of one source id with a units text; notes the ranges it is given and answers them as
// told.
class UnitsDrawer final : public ScrivoDraw::DrawerBase {
 public:
  UnitsDrawer(int32_t sourceId, const wchar_t* units, bool valid, int32_t channel = 3)
      : DrawerBase(0x201, 0x80001000u, ScrivoDraw::ChannelPair{channel, 0}, {ScrivoDraw::kLayerPairAll,
                                                                             ScrivoDraw::kLayerPairAllSecond}),
        mSourceId(sourceId), mUnits(units), mValid(valid) {}

  HRESULT STDMETHODCALLTYPE GetUnitsText(int32_t sourceId, int32_t, QOR::IQORString** units,
                                         VARIANT_BOOL* valid) noexcept override {
    *units = nullptr;
    if (sourceId != mSourceId) return S_FALSE;
    *units = QOR::String(mUnits).AddRefInterface();
    if (valid) *valid = mValid ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetUnitsInfo(int32_t sourceId, int32_t record, QOR::IQORString** units,
                                         VARIANT_BOOL* valid, double* scale, double* range,
                                         double* factor) noexcept override {
    const HRESULT answer = GetUnitsText(sourceId, record, units, valid);
    if (answer == S_OK) {
      if (scale) *scale = 2.5;
      if (range) range[0] = -1.0, range[1] = 1.0;
      if (factor) *factor = 1.0;
    }
    return answer;
  }
  HRESULT STDMETHODCALLTYPE SetValueRange(int32_t sourceId, int32_t, const ValueRange* range,
                                          IUnknown*) noexcept override {
    if (sourceId != mSourceId) return S_FALSE;
    ranges.push_back(*range);
    return accept ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Refresh(uint32_t) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Draw(HDC, int64_t, int64_t, ScrivoDraw::DrawOrigin, int32_t, const RECT*, uint32_t, int32_t,
                                 const void*) noexcept override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RequestData(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, void*) noexcept override {
    return S_FALSE;
  }
  int32_t DisplayMode() const { return mDisplayMode; }

  std::vector<ValueRange> ranges;
  bool accept = true;

 private:
  int32_t mSourceId;
  const wchar_t* mUnits;
  bool mValid;
};

class ChannelPaneTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework()); }
  void SetUp() override {
    parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(parent);
    pane.drawerPane = &drawerPane;
  }
  void TearDown() override {
    lane = nullptr;
    DestroyWindow(parent);
  }
  // A lane with both axes as windows in the parent, placed at (2, 2)-(202, 102) of a pane whose
  // client lies at (60, 10) in the parent.
  void MakeScreenLane(uint32_t style = 0) {
    lane = QOR::ComPtr<ChannelPane>(new ChannelPane(pane, 0, kBothAxes, style));
    ASSERT_EQ(S_OK, lane->CreateAxes(parent, 0));
    lane->ConnectAxes();
    lane->Place(0x80000000, RECT{60, 10, 264, 114}, RECT{2, 2, 202, 102}, 50, 40, 2);
  }
  static RECT WindowRectOf(IDragScale* axis) {
    QOR::ComPtr<IOleWindow> ole;
    HWND window = nullptr;
    RECT rect{};
    if (SUCCEEDED(axis->QueryInterface(IID_IOleWindow, ole.OutVoid())) && SUCCEEDED(ole->GetWindow(&window)))
      GetWindowRect(window, &rect);
    return rect;
  }
  static std::pair<double, double> RangeOf(IDragScale* axis) {
    double low = 0.0, high = 0.0;
    axis->GetRange(&low, &high);
    return {low, high};
  }

  HWND parent = nullptr;
  drawingtest::TestPane pane;
  drawingtest::StubDrawerPane drawerPane;
  QOR::ComPtr<ChannelPane> lane;
};

}  // namespace

TEST(AxisUnit, PrefixTableAndWhichPrefixesScale) {
  EXPECT_EQ(L'm', ScrivoDraw::AxisUnitForPrefix(7).letter);
  EXPECT_EQ(1e3, ScrivoDraw::AxisUnitForPrefix(7).factor);
  EXPECT_EQ(L'\u00B5', ScrivoDraw::AxisUnitForPrefix(6).letter);
  EXPECT_EQ(1e-18, ScrivoDraw::AxisUnitForPrefix(14).factor);
  for (int32_t outside : {0, 1, 8, 15, -3}) {
    EXPECT_EQ(1.0, ScrivoDraw::AxisUnitForPrefix(outside).factor) << outside;
    EXPECT_EQ(0, ScrivoDraw::AxisUnitForPrefix(outside).letter) << outside;
  }
  EXPECT_EQ(15, ScrivoDraw::AxisUnitForPrefix(15).prefix);
  EXPECT_FALSE(ScrivoDraw::PrefixScales(0));
  EXPECT_FALSE(ScrivoDraw::PrefixScales(1));
  EXPECT_FALSE(ScrivoDraw::PrefixScales(8));
  EXPECT_TRUE(ScrivoDraw::PrefixScales(15));  // scales by its factor 1.0
}

TEST_F(ChannelPaneTest, RangesAreRefusedWhenEmptyAndScaledByThePrefix) {
  MakeScreenLane();
  IDragScale* const right = lane->AxisObject(2);
  ASSERT_TRUE(right);
  ASSERT_EQ(S_OK, lane->SetAxisRange(2, -3.0, 3.0));
  lane->SetPendingRange(3);
  EXPECT_EQ(E_FAIL, lane->SetAxisRange(2, 2.0, 2.0));
  EXPECT_EQ(std::make_pair(-3.0, 3.0), RangeOf(right));
  EXPECT_EQ(3u, lane->PendingRange());  // nothing changed
  ASSERT_EQ(S_OK, lane->SetAxisUnitPrefix(2, 7));
  ASSERT_EQ(S_OK, lane->SetAxisRange(2, 0.001, 0.005));
  EXPECT_EQ(std::make_pair(1.0, 5.0), RangeOf(right));
  EXPECT_EQ(1u, lane->PendingRange());
  double low = 0.0, high = 0.0;
  ASSERT_EQ(S_OK, lane->GetAxisRange(2, &low, &high));
  EXPECT_DOUBLE_EQ(0.001, low);
  EXPECT_DOUBLE_EQ(0.005, high);
  for (int32_t unscaled : {0, 1, 8}) {
    ASSERT_EQ(S_OK, lane->SetAxisUnitPrefix(1, unscaled));
    ASSERT_EQ(S_OK, lane->SetAxisRange(1, 0.25, 0.5));
    EXPECT_EQ(std::make_pair(0.25, 0.5), RangeOf(lane->AxisObject(1))) << unscaled;
  }
  EXPECT_EQ(S_OK, lane->SetAxisUnitPrefix(1, 15));
  EXPECT_EQ(1.0, lane->Unit(1).factor);
  EXPECT_EQ(E_FAIL, lane->SetAxisUnitPrefix(3, 7));
  // The prefix reaches the axis as its unit conversion.
  BSTR text = nullptr;
  DragScaleMapping conversion{};
  right->GetScaledUnits(&text, &conversion);
  SysFreeString(text);
  EXPECT_EQ(1000.0, conversion.scale);
  EXPECT_EQ(0.0, conversion.offset);
}

TEST_F(ChannelPaneTest, WithoutAxisObjectsRangesAndPrefixesFail) {
  lane = QOR::ComPtr<ChannelPane>(new ChannelPane(pane, 0, 0, 0));
  EXPECT_EQ(E_FAIL, lane->SetAxisRange(1, 0.0, 1.0));
  EXPECT_EQ(E_FAIL, lane->SetAxisUnitPrefix(1, 7));
  EXPECT_EQ(1000.0, lane->Unit(1).factor);  // kept before the axis object is asked
  EXPECT_FALSE(lane->SetAxisRangeEx(1, 0.0, 1.0, true, true));
  IUnknown* axis = reinterpret_cast<IUnknown*>(1);
  EXPECT_EQ(S_OK, lane->GetLeftAxis(0, &axis));
  EXPECT_EQ(nullptr, axis);
}

TEST_F(ChannelPaneTest, ScreenAxesAreWindowsFlankingTheLane) {
  MakeScreenLane(ScrivoDraw::kAxisStyleOverlap);
  ASSERT_TRUE(lane->AxisWindow(1) && lane->AxisWindow(2));
  EXPECT_EQ(lane->AxisWindow(1), lane->AxisObject(1));
  const RECT left = WindowRectOf(lane->AxisWindow(1));
  const RECT right = WindowRectOf(lane->AxisWindow(2));
  // The pane's client origin (60, 10) in the parent at (0, 0); the lane is 200 wide.
  // 2 pixels beyond the lane up and down.
  EXPECT_TRUE(EqualRect(&left, std::array<RECT, 1>{RECT{10, 10, 60, 114}}.data()));
  EXPECT_TRUE(EqualRect(&right, std::array<RECT, 1>{RECT{264, 10, 304, 114}}.data()));
  uint32_t style = 0;
  lane->AxisObject(1)->GetStyle(&style);
  EXPECT_EQ(ScrivoDraw::kAxisStyleOverlap, style & ~kScaleStyleReady);
  lane->AxisObject(2)->GetStyle(&style);
  EXPECT_EQ(ScrivoDraw::kAxisStyleOverlap | 0x2u, style & ~kScaleStyleReady);
  QOR::ComPtr<IUnknown> got;
  lane->GetRightAxis(0, got.Out());
  EXPECT_EQ(static_cast<IUnknown*>(lane->AxisObject(2)), got.Get());
}

TEST_F(ChannelPaneTest, PrintAxesArePlainScalesWithoutWindows) {
  pane.printing = true;
  lane = QOR::ComPtr<ChannelPane>(new ChannelPane(pane, 0, ScrivoDraw::kLaneHasAxis2, 0x10));
  ASSERT_EQ(S_OK, lane->CreateAxes(parent, 0));
  EXPECT_EQ(nullptr, lane->AxisObject(1));
  ASSERT_TRUE(lane->AxisObject(2));
  EXPECT_EQ(nullptr, lane->AxisWindow(2));
  QOR::ComPtr<IOleWindow> ole;
  HWND window = nullptr;
  lane->AxisObject(2)->QueryInterface(IID_IOleWindow, ole.OutVoid());
  if (ole) {
    EXPECT_TRUE(FAILED(ole->GetWindow(&window)));
  }
  uint32_t style = 0;
  lane->AxisObject(2)->GetStyle(&style);
  EXPECT_EQ(0x8u | 0x2u, style);  // print: bit 4 cleared, bit 3 set
}

TEST_F(ChannelPaneTest, UnitsTakeThePrefixAndLeaveOtherSourcesOut) {
  MakeScreenLane();
  QOR::ComPtr<UnitsDrawer> other(new UnitsDrawer(2, L"A", true, 5));
  QOR::ComPtr<UnitsDrawer> volts(new UnitsDrawer(1, L"V", true));
  lane->AddDrawer(0, other.Get(), 255);
  lane->AddDrawer(0, volts.Get(), 255);
  lane->SetAxisUnitPrefix(1, 7);
  lane->UpdateAxes(0, 1);
  BSTR text = nullptr;
  DragScaleMapping scale{};
  lane->AxisObject(1)->GetScaledUnits(&text, &scale);
  EXPECT_STREQ(L"mV", text);
  SysFreeString(text);
  EXPECT_EQ(3, lane->AxisChannel(1).channel);
  EXPECT_EQ(5, lane->AxisChannel(2).channel);
  EXPECT_EQ(std::vector<std::string>({"1LR", "2LR"}), pane.axisData);
  HWND window = nullptr;
  QOR::ComPtr<IOleWindow> ole;
  lane->AxisWindow(1)->QueryInterface(IID_IOleWindow, ole.OutVoid());
  ole->GetWindow(&window);
  EXPECT_TRUE(IsWindowEnabled(window));
}

TEST_F(ChannelPaneTest, ALoneSpaceIsNoUnitAndNoValidDrawerMeansNoData) {
  MakeScreenLane();
  QOR::ComPtr<UnitsDrawer> blank(new UnitsDrawer(1, L" ", false));
  lane->AddDrawer(0, blank.Get(), 255);
  lane->SetAxisUnitPrefix(1, 7);
  lane->UpdateAxes(0, 3);
  BSTR text = reinterpret_cast<BSTR>(1);
  DragScaleMapping scale{};
  lane->AxisObject(1)->GetScaledUnits(&text, &scale);
  EXPECT_EQ(nullptr, text);
  EXPECT_FALSE(lane->HasAxisData());
  EXPECT_EQ(std::vector<std::string>({"1--", "2--"}), pane.axisData);
  HWND window = nullptr;
  QOR::ComPtr<IOleWindow> ole;
  lane->AxisWindow(1)->QueryInterface(IID_IOleWindow, ole.OutVoid());
  ole->GetWindow(&window);
  EXPECT_FALSE(IsWindowEnabled(window));
}

TEST_F(ChannelPaneTest, ReadUnitsAsksTextsOrInfoByTheDisplayMode) {
  MakeScreenLane();
  QOR::ComPtr<UnitsDrawer> volts(new UnitsDrawer(1, L"V", true));
  lane->AddDrawer(0, volts.Get(), 255);
  QOR::String units;
  double scale = 0.0;
  ScrivoDraw::ChannelPair channel{};
  ValueRange range{};
  EXPECT_TRUE(lane->ReadUnits(1, 4, 0, &units, &scale, &channel, &range, nullptr));
  EXPECT_EQ(4, volts->DisplayMode());
  EXPECT_EQ(1.0, scale);  // text only: no scale read
  lane->SetDisplayMode(1);
  EXPECT_TRUE(lane->ReadUnits(1, 0, 0, &units, &scale, &channel, &range, nullptr));
  EXPECT_EQ(2.5, scale);
  EXPECT_EQ(-1.0, range.first);
  EXPECT_FALSE(lane->ReadUnits(2, 0, 0, &units, &scale, &channel, &range, nullptr));
  EXPECT_TRUE(units.IsEmpty());
}

TEST_F(ChannelPaneTest, ADraggedRangeReachesEveryDrawerAndDirtiesOnlyWhenAccepted) {
  MakeScreenLane();
  QOR::ComPtr<UnitsDrawer> first(new UnitsDrawer(1, L"V", true));
  QOR::ComPtr<UnitsDrawer> second(new UnitsDrawer(1, L"V", true));
  QOR::ComPtr<UnitsDrawer> other(new UnitsDrawer(2, L"A", true));
  for (auto* d : {first.Get(), second.Get(), other.Get()}) {
    d->accept = false;
    lane->AddDrawer(0, d, 255);
  }
  lane->SetAxisUnitPrefix(1, 7);
  drawingtest::Canvas canvas(210, 110);
  ScrivoDraw::PaintArgs args;
  args.lastPosition = 200;
  args.x0 = 2;
  args.x1 = 202;
  lane->Paint(canvas.DC(), args, 0, 0xFF);
  ASSERT_TRUE(lane->EndPaintPass());
  pane.invalidated.clear();
  // The axis window is dragged: it reports its new range (in mV) to the lane.
  lane->AxisObject(1)->SetVisibleRange(-2.0, 8.0);
  ASSERT_EQ(1u, first->ranges.size());
  ASSERT_EQ(1u, second->ranges.size());
  EXPECT_TRUE(other->ranges.empty());
  EXPECT_DOUBLE_EQ(-0.002, first->ranges[0].first);  // drawers see base units
  EXPECT_DOUBLE_EQ(0.008, second->ranges[0].second);
  EXPECT_TRUE(pane.invalidated.empty());
  EXPECT_EQ(0u, lane->Layer(2).flags & ScrivoDraw::kLayerDirty);
  second->accept = true;
  lane->AxisObject(1)->SetVisibleRange(-1.0, 1.0);
  EXPECT_FALSE(pane.invalidated.empty());
  EXPECT_NE(0u, lane->Layer(2).flags & ScrivoDraw::kLayerDirty);
  EXPECT_EQ("range 0/1", pane.events.back());
}

TEST_F(ChannelPaneTest, DragsOfTheAxisWindowsReachThePane) {
  MakeScreenLane();
  HWND window = nullptr;
  QOR::ComPtr<IOleWindow> ole;
  lane->AxisWindow(2)->QueryInterface(IID_IOleWindow, ole.OutVoid());
  ole->GetWindow(&window);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  SendMessageW(window, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(std::vector<std::string>({"begin 0/2", "end+window 0/2", "auto 0/2"}), pane.events);
  // Once disconnected, the lane hears nothing more (and may go before its windows).
  lane->DisconnectAxes();
  SendMessageW(window, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(3u, pane.events.size());
}

TEST_F(ChannelPaneTest, RefreshReappliesBothRangesAndResetDropsTheDrawers) {
  MakeScreenLane();
  QOR::ComPtr<UnitsDrawer> left(new UnitsDrawer(1, L"V", true));
  QOR::ComPtr<UnitsDrawer> right(new UnitsDrawer(2, L"V", true));
  lane->AddDrawer(0, left.Get(), 255);
  lane->AddDrawer(0, right.Get(), 255);
  lane->AxisObject(2)->SetVisibleRange(0.0, 4.0);
  left->ranges.clear();
  right->ranges.clear();
  lane->RefreshDrawers(0xFF000000u);
  ASSERT_EQ(1u, left->ranges.size());
  ASSERT_EQ(1u, right->ranges.size());
  EXPECT_EQ(4.0, right->ranges[0].second);
  lane->ResetDrawerSources(-1, nullptr);
  EXPECT_EQ(2u, lane->DrawerCount());
  lane->ResetDrawerSources(0, nullptr);
  EXPECT_EQ(0u, lane->DrawerCount());
}

TEST_F(ChannelPaneTest, PaneDragScaleObjectsOfMoreThanThreeEntriesAreRefused) {
  lane = QOR::ComPtr<ChannelPane>(new ChannelPane(pane, 0, 0, 0));
  FakeScale scale('s');
  scale.entryCount = 4;
  EXPECT_EQ(static_cast<HRESULT>(0xA0048205u), lane->AttachDragScale(&scale));
  EXPECT_EQ(0, scale.mode);
  scale.entryCount = 3;
  EXPECT_EQ(S_OK, lane->AttachDragScale(&scale));
  EXPECT_EQ(S_OK, lane->DetachDragScale(&scale));
  EXPECT_EQ(3, scale.mode);
  int32_t word = 7;
  EXPECT_EQ(S_OK, lane->ClearOut(&word));
  EXPECT_EQ(0, word);
}
