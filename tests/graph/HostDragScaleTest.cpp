// The stand-in host's drag scales as the drawer finds them: mapping, ticks and their texts, grid, extent, observers.
#include "graph/GraphDragScale.h"
#include "graph/GraphMessages.h"
#include "graph/ScaleFactory.h"

#include "tests/graph/GraphCanvas.h"
#include "tests/graph/GraphTestHost.h"

#include <gtest/gtest.h>

#include <oleauto.h>
#include <oleidl.h>

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class HostDragScaleTest : public GraphTestHost {
 protected:
  // A scale over area showing minimum to maximum.
  QOR::ComPtr<IDragScale> Make(uint32_t flags, const RECT& area, double minimum, double maximum) {
    QOR::ComPtr<IDragScale> scale;
    EXPECT_EQ(S_OK, MGraph1::CreateScale(scale.Out(), 0, 100, flags));
    if (!scale) return scale;
    scale->SetArea(&area);
    scale->SetVisibleRange(minimum, maximum);
    return scale;
  }
  static std::vector<int32_t> Offsets(IDragScale& scale) {
    QOR::ComPtr<IScaleTicks> ticks;
    scale.QueryInterface(IID_IScaleTicks, ticks.OutVoid());
    int32_t count = 0;
    ticks->GetTickCount(&count);
    std::vector<ScaleTick> entries(static_cast<size_t>(count));
    ticks->GetTicks(count, entries.data(), &count);
    std::vector<int32_t> offsets;
    for (int32_t i = 0; i < count; ++i) offsets.push_back(entries[static_cast<size_t>(i)].offset);
    return offsets;
  }
};

// Logs the axis of every callback as B, E, S or A.
class Observer : public IDragScaleObserver {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE OnBeginDrag(int32_t) override { return Log('B'); }
  HRESULT STDMETHODCALLTYPE OnEndDrag(int32_t) override { return Log('E'); }
  HRESULT STDMETHODCALLTYPE OnScalingChanged(int32_t, double, const DragScaleMapping* m) override {
    last = *m;
    return Log('S');
  }
  HRESULT STDMETHODCALLTYPE OnAutoScale(int32_t) override { return Log('A'); }
  HRESULT STDMETHODCALLTYPE OnReserved7() override { return S_OK; }
  HRESULT Log(char c) {
    log += c;
    return S_OK;
  }
  std::string log;
  DragScaleMapping last = {};
};

// A plain sender of one axis with no scale.
class PlainSender : public MGraph1::GraphDragScale {
 public:
  HRESULT OnScalingChanged(int32_t, double, const DragScaleMapping*) override { return S_OK; }
};

}  // namespace

TEST_F(HostDragScaleTest, MappingPutsTheRangeOnTheAreaYUpward) {
  auto const x = Make(kScaleCreateX, {60, 90, 260, 150}, 2.0, 6.0);
  auto const y = Make(kScaleCreateY, {0, 0, 60, 90}, -1.0, 2.0);
  ASSERT_TRUE(x && y);
  DragScaleMapping xm = {}, ym = {};
  x->GetPixelMapping(&xm, 0);
  y->GetPixelMapping(&ym, 0);
  EXPECT_DOUBLE_EQ(0.0, (2.0 + xm.offset) * xm.scale);
  EXPECT_DOUBLE_EQ(200.0, (6.0 + xm.offset) * xm.scale);
  EXPECT_DOUBLE_EQ(0.0, (2.0 + ym.offset) * ym.scale);  // the maximum at the top
  EXPECT_DOUBLE_EQ(90.0, (-1.0 + ym.offset) * ym.scale);
  uint32_t style = 0;
  x->GetStyle(&style);
  EXPECT_EQ(kScaleStyleReady, style);  // ready once it has an area
}

TEST_F(HostDragScaleTest, TicksFallOnRoundShownValuesWithTheirTexts) {
  auto const x = Make(kScaleCreateX, {0, 0, 300, 40}, 0.0, 0.01);
  ASSERT_TRUE(x);
  EXPECT_EQ((std::vector<int32_t>{0, 60, 120, 180, 240, 300}), Offsets(*x));  // a tick every 0.002
  DragScaleMapping const milli = {1000.0, 0.0};
  x->SetUnitConversion(&milli);
  x->SetUnits(0, L"ms");
  BSTR text = nullptr;
  ASSERT_EQ(S_OK, x->FormatValue(0.004, &text));
  EXPECT_EQ(std::wstring(L"4 ms"), text);
  SysFreeString(text);
  // A user whose decimal separator is the comma, as the regional settings give it.
  wchar_t decimal[8] = {};
  ASSERT_GT(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8), 0);
  ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L","));
  ASSERT_EQ(S_OK, x->FormatValue(0.0025, &text));
  SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal);
  EXPECT_EQ(std::wstring(L"2,5 ms"), text);
  SysFreeString(text);
  double first = 0.0, farthest = 0.0, step = 0.0;
  x->GetGrid(&first, &farthest, &step);
  EXPECT_EQ(300.0, farthest);
  EXPECT_EQ(-60.0, step);
  GraphCanvas canvas(300, 40);
  x->Paint(canvas.dc.GetHDC(), VARIANT_TRUE, 0);
  EXPECT_GT(canvas.InkIn(OWL::TRect(50, 6, 70, 25)), 0);  // the text "2" under the second tick
  int32_t extent = 0;
  EXPECT_EQ(S_OK, x->GetExtent(kScaleExtentStrip, canvas.dc.GetHDC(), 0, &extent));
  EXPECT_GT(extent, 20);
  // Ticks at both ends of a strip: their labels stay inside it (its window clips the rest).
  auto const framed = Make(kScaleCreateX, {10, 0, 310, 40}, 0.0, 0.01);
  GraphCanvas wide(330, 40);
  framed->Paint(wide.dc.GetHDC(), VARIANT_TRUE, 0);
  EXPECT_EQ(0, wide.InkIn(OWL::TRect(0, 6, 10, 25)) + wide.InkIn(OWL::TRect(310, 6, 330, 25)));
  EXPECT_GT(wide.InkIn(OWL::TRect(280, 6, 310, 25)), 0) << "\"10\" at the right end";
}

TEST_F(HostDragScaleTest, DegenerateRangeHasNoTicksAndAnIdentityMapping) {
  auto const x = Make(kScaleCreateX, {0, 0, 300, 40}, 1.0, 1.0);
  ASSERT_TRUE(x);
  EXPECT_TRUE(Offsets(*x).empty());
  DragScaleMapping m = {};
  x->GetPixelMapping(&m, 0);
  EXPECT_EQ(1.0, m.scale);
}

TEST_F(HostDragScaleTest, ObserversHearRangeChangesUntilUnadvised) {
  auto const x = Make(kScaleCreateX, {0, 0, 100, 40}, 0.0, 1.0);
  ASSERT_TRUE(x);
  Observer observer;
  ASSERT_EQ(S_OK, x->Advise(&observer));
  x->SetVisibleRange(0.0, 4.0);
  EXPECT_EQ("S", observer.log);
  EXPECT_DOUBLE_EQ(25.0, observer.last.scale);
  EXPECT_EQ(S_OK, x->Unadvise(&observer));
  EXPECT_EQ(E_INVALIDARG, x->Unadvise(&observer));
  x->SetVisibleRange(0.0, 2.0);
  EXPECT_EQ("S", observer.log);
}

TEST(GraphDragScale, PlainSenderPassesDragsOnButNotAutoScale) {
  PlainSender sender;
  MessageLog<MGraph1::MsgBeginDrag> begins;
  MessageLog<MGraph1::MsgAutoScale> autos;
  sender.AddReceiver(&begins);
  sender.AddReceiver(&autos);
  sender.OnBeginDrag(MGraph1::kYAxisId);
  sender.OnAutoScale(MGraph1::kYAxisId);
  ASSERT_EQ(1u, begins.received.size());
  EXPECT_EQ(MGraph1::kYAxisId, begins.received[0].axis);
  EXPECT_TRUE(autos.received.empty());
  double minimum = -1.0, maximum = -1.0;
  sender.GetRange(minimum, maximum);
  EXPECT_EQ(0.0, minimum);
  EXPECT_EQ(1.0, maximum);
  EXPECT_FALSE(sender.HasScale());
}

TEST_F(HostDragScaleTest, OneAxisMapsItsRangeAroundItsCentre) {
  auto const y = Make(kScaleCreateY, {0, 0, 60, 90}, -1.0, 3.0);
  ASSERT_TRUE(y);
  int32_t entries = 0;
  EXPECT_EQ(S_OK, y->GetEntryCount(&entries));
  EXPECT_EQ(1, entries);
  DragScaleAxisMap map{32000.0, -32000.0, 1.0, 0.0};
  EXPECT_EQ(E_INVALIDARG, y->GetAxisMap(7, 0x2000, &map));
  ASSERT_EQ(S_OK, y->GetAxisMap(100, 0x2000, &map));
  EXPECT_DOUBLE_EQ(-1.0, (map.offset - 32000.0) * map.scale);
  EXPECT_DOUBLE_EQ(3.0, (map.offset + 32000.0) * map.scale);
  // A range without span maps to no span at all.
  y->SetVisibleRange(2.0, 2.0);
  ASSERT_EQ(S_OK, y->GetAxisMap(100, 0x2000, &map));
  EXPECT_EQ(0.0, map.scale);
}

TEST_F(HostDragScaleTest, ScaledUnitsComeBackAsGivenAndLeaveTheTicksAlone) {
  auto const y = Make(kScaleCreateY, {0, 0, 60, 200}, 0.0, 5.0);
  ASSERT_TRUE(y);
  const std::vector<int32_t> before = Offsets(*y);
  const DragScaleMapping milli{1000.0, 0.0};
  ASSERT_EQ(S_OK, y->SetScaledUnits(L"mV", &milli));
  BSTR text = nullptr;
  DragScaleMapping back{};
  ASSERT_EQ(S_OK, y->GetScaledUnits(&text, &back));
  EXPECT_STREQ(L"mV", text);
  SysFreeString(text);
  EXPECT_EQ(1000.0, back.scale);
  EXPECT_EQ(before, Offsets(*y));
  ASSERT_EQ(S_OK, y->SetScaledUnits(nullptr, &milli));
  ASSERT_EQ(S_OK, y->GetScaledUnits(&text, &back));
  EXPECT_EQ(nullptr, text);
}

TEST_F(HostDragScaleTest, LaneAxisWindowKeepsItsValuesInsideItsInsetAndAutoScalesToTheData) {
  HWND const parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(parent);
  IDragScaleFactory* const factory = MGraph1::GetScaleFactory();
  ASSERT_TRUE(factory);
  QOR::ComPtr<IDragScale> axis;
  EXPECT_EQ(E_INVALIDARG, factory->CreateAxisWindow(parent, -2, -2, 0x4000, 3, axis.Out()));
  ASSERT_EQ(S_OK, factory->CreateAxisWindow(parent, -2, -2, 0x4000, kLaneAxisRight, axis.Out()));
  const RECT area{10, 20, 50, 120};
  axis->SetArea(&area);
  axis->SetVisibleRange(0.0, 1.0);
  QOR::ComPtr<IScaleTicks> ticks;
  ASSERT_EQ(S_OK, axis.As(IID_IScaleTicks, ticks));
  // The values span the area less 2 pixels at the top and bottom; the window covers it all.
  RECT values{};
  ticks->GetPixelRect(&values);
  EXPECT_EQ(22, values.top);
  EXPECT_EQ(118, values.bottom);
  ticks->SetDataRange(-4.0, 4.0);
  Observer observer;
  axis->Advise(&observer);
  HWND window = nullptr;
  QOR::ComPtr<IOleWindow> ole;
  ASSERT_EQ(S_OK, axis.As(IID_IOleWindow, ole));
  ole->GetWindow(&window);
  RECT shown{};
  GetWindowRect(window, &shown);
  EXPECT_EQ(100, shown.bottom - shown.top);
  axis->Enable(VARIANT_FALSE);
  EXPECT_FALSE(IsWindowEnabled(window));
  SendMessageW(window, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
  EXPECT_EQ("", observer.log);  // a disabled axis ignores the mouse
  axis->Enable(VARIANT_TRUE);
  SendMessageW(window, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
  EXPECT_EQ("SA", observer.log);
  double low = 0.0, high = 0.0;
  axis->GetRange(&low, &high);
  EXPECT_EQ(-4.0, low);
  EXPECT_EQ(4.0, high);
  axis->Unadvise(&observer);
  axis = nullptr;
  DestroyWindow(parent);
}

TEST_F(HostDragScaleTest, LaneAxisDrawsInItsOwnColourWhileEnabled) {
  HWND const parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(parent);
  QOR::ComPtr<IDragScale> axis;
  ASSERT_EQ(S_OK, MGraph1::GetScaleFactory()->CreateAxisWindow(parent, 0, 0, 0, kLaneAxisLeft, axis.Out()));
  const RECT area{0, 0, 60, 150};
  axis->SetArea(&area);
  axis->SetVisibleRange(0.0, 10.0);
  axis->SetUnits(0, L"mV");
  QOR::ComPtr<IScaleColour> colour;
  ASSERT_EQ(S_OK, axis.As(IID_IScaleColour, colour));
  const COLORREF red = RGB(255, 0, 0);
  auto redPixels = [&] {
    GraphCanvas canvas(60, 150);
    axis->Paint(canvas.dc.GetHDC(), VARIANT_TRUE, 0);
    int count = 0;
    for (int y = 0; y < 150; ++y)
      for (int x = 0; x < 60; ++x) count += canvas.At(x, y) == GraphCanvas::Pixel(red);
    return count;
  };
  EXPECT_EQ(0, redPixels());
  ASSERT_EQ(S_OK, colour->SetColour(VARIANT_TRUE, red));
  EXPECT_GT(redPixels(), 20);  // ticks, values and units
  axis->Enable(VARIANT_FALSE);
  EXPECT_EQ(0, redPixels());  // a disabled axis stays grey
  axis->Enable(VARIANT_TRUE);
  colour->SetColour(VARIANT_FALSE, red);
  EXPECT_EQ(0, redPixels());
  colour = nullptr;
  // Ticks stand against the lane: on a left axis's right edge, on a right axis's left edge, and
  // nowhere on the other edge.
  for (const int32_t side : {kLaneAxisLeft, kLaneAxisRight}) {
    QOR::ComPtr<IDragScale> lane;
    ASSERT_EQ(S_OK, MGraph1::GetScaleFactory()->CreateAxisWindow(parent, 0, 0, 0, side, lane.Out()));
    lane->SetArea(&area);
    lane->SetVisibleRange(0.0, 10.0);
    lane->ShowValues(VARIANT_FALSE);
    GraphCanvas canvas(60, 150);
    lane->Paint(canvas.dc.GetHDC(), VARIANT_TRUE, 0);
    const OWL::TRect laneEdge = side == kLaneAxisLeft ? OWL::TRect(55, 0, 60, 150) : OWL::TRect(0, 0, 5, 150);
    const OWL::TRect farEdge = side == kLaneAxisLeft ? OWL::TRect(0, 0, 5, 150) : OWL::TRect(55, 0, 60, 150);
    EXPECT_GT(canvas.InkIn(laneEdge), 10) << side;
    EXPECT_EQ(0, canvas.InkIn(farEdge)) << side;
  }
  axis = nullptr;
  DestroyWindow(parent);
}

// A lane's left value axis as wide as it asks to be, over short lanes: at least three labels, each
// apart from the next and from the units written up the axis's left edge.
TEST_F(HostDragScaleTest, LaneAxisLabelsStayReadableOnShortLanes) {
  HWND const parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 400, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(parent);
  const struct {
    int height;
    double low, high;
    const wchar_t* units;
  } cases[] = {{100, -0.75, 0.75, L"mV"}, {125, -0.5, 1.0, L"mV"},  {125, -1500.0, 1500.0, L"pA"},
               {100, 0.0, 1.5, L"mV"},    {160, -2.2, 2.9, L"V"},    {300, 0.0, 0.007, L"nA"}};
  for (const auto& c : cases) {
    QOR::ComPtr<IDragScale> axis;
    ASSERT_EQ(S_OK, MGraph1::GetScaleFactory()->CreateAxisWindow(parent, 0, 0, 0, kLaneAxisLeft, axis.Out()));
    RECT area{0, 0, 40, c.height};
    axis->SetArea(&area);
    axis->SetVisibleRange(c.low, c.high);
    int32_t extent = 0;
    HDC const screen = GetDC(nullptr);
    axis->GetExtent(kScaleExtentStrip, screen, 0, &extent);
    ReleaseDC(nullptr, screen);
    area.right = extent;
    axis->SetArea(&area);
    // Painted with and without its units: the columns only the first has are the units'.
    GraphCanvas labels(area.right, c.height), both(area.right, c.height);
    axis->Paint(labels.dc.GetHDC(), VARIANT_TRUE, 0);
    axis->SetUnits(0, c.units);
    axis->Paint(both.dc.GetHDC(), VARIANT_TRUE, 0);
    const int ticksFrom = area.right - 6;  // the tick marks at the right edge
    int labelsLeft = area.right, unitsRight = -1, runs = 0;
    bool inked = false;
    for (int y = 0; y < c.height; ++y) {
      bool row = false;
      for (int x = 0; x < ticksFrom; ++x) {
        const bool label = labels.At(x, y) != 0xFFFFFF;
        row = row || label;
        if (label) labelsLeft = std::min(labelsLeft, x);
        if (!label && both.At(x, y) != 0xFFFFFF) unitsRight = std::max(unitsRight, x);
      }
      runs += row && !inked;  // labels touching one another would make one run of rows
      inked = row;
    }
    EXPECT_GE(runs, 3) << c.height << " px for " << c.low << " to " << c.high << " " << c.units;
    EXPECT_GE(unitsRight, 0) << c.units << " are written";
    EXPECT_LT(unitsRight + 1, labelsLeft) << "the units touch a label, " << c.units;
  }
  DestroyWindow(parent);
}

// Time axes as the Analysis View has them, on the screen's own resolution (run once more on a
// 192-dpi screen): every tick has its label, the labels keep their gap, the ticks stand out as far
// as the resolution asks.
TEST_F(HostDragScaleTest, TimeLabelsStayApartAtTheScreensResolution) {
  HDC const screen = GetDC(nullptr);
  int const dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  const char* const wanted = std::getenv("ONDARA_SCREEN_DPI");
  ASSERT_EQ(wanted ? std::atoi(wanted) : dpi, dpi) << "the prefix's resolution";
  const struct {
    int width;
    double low, high;
  } cases[] = {{1120, -0.0025, 0.0158}, {560, -0.0025, 0.0158}, {300, 0.0, 0.01}, {900, -150.0, 20.0},
               {400, 0.99998, 1.00003}};
  int const height = 40 * dpi / 96;
  for (const auto& c : cases) {
    auto const x = Make(kScaleCreateX, {0, 0, c.width, height}, c.low, c.high);
    GraphCanvas canvas(c.width, height);
    x->Paint(canvas.dc.GetHDC(), VARIANT_TRUE, 0);
    SelectObject(canvas.dc.GetHDC(), GetStockObject(DEFAULT_GUI_FONT));
    std::vector<int32_t> const offsets = Offsets(*x);
    ASSERT_GE(offsets.size(), 3u) << c.low << " to " << c.high;
    // The value between two ticks to two figures, as the offsets are rounded to whole pixels.
    wchar_t figures[32];
    std::swprintf(figures, 32, L"%.2g", (c.high - c.low) * (offsets[1] - offsets[0]) / c.width);
    double const step = _wtof(figures);
    int previousRight = -c.width;
    for (int32_t const offset : offsets) {
      BSTR text = nullptr;
      x->FormatValue(std::round((c.low + (c.high - c.low) * offset / c.width) / step) * step + 0.0, &text);
      SIZE size = {};
      GetTextExtentPoint32W(canvas.dc.GetHDC(), text, static_cast<int>(SysStringLen(text)), &size);
      SysFreeString(text);
      int const left = std::max(0, std::min<int>(offset - size.cx / 2, c.width - size.cx));
      EXPECT_GE(left - previousRight, 3 * dpi / 96) << "label at " << offset << ", " << c.low << " to " << c.high;
      EXPECT_GT(canvas.InkIn(OWL::TRect(left, height / 4, left + size.cx, height)), 0) << "label at " << offset;
      previousRight = left + size.cx;
    }
    int tick = 0;
    while (canvas.At(offsets[1], tick) != 0xFFFFFF) ++tick;
    EXPECT_EQ(5 * dpi / 96, tick) << "the tick's length";
  }
}
