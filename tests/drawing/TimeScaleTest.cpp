// The time strip: its measurement, its label drawer, drag-scale objects, the "(ms)" note and a
// paint over the stand-in host's horizontal scale.
#include "drawing/TimeScale.h"

#include "base/TimeOfDay.h"
#include "drawing/DrawingServices.h"
#include "host/data/HorizontalScale.h"
#include "platform/owl/TFont.h"
#include "platform/uihelpers/ScreenDpi.h"
#include "tests/drawing/DrawingTestSupport.h"
#include "tests/graph/FakeScale.h"
#include "tests/support/HostDataFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <limits>
#include <memory>

using ScrivoDraw::TimeLabelDrawer;
using ScrivoDraw::TimeScale;

namespace {

SIZE ProbeInLabelFont() {
  std::unique_ptr<OWL::TFont> font(ScrivoDraw::CreateScreenLabelFont());
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font->GetHandle());
  SIZE size{};
  GetTextExtentPoint32W(dc, L"10:00:00.0000 a.m.", 18, &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size;
}

TimeLabelDrawer* LabelDrawerOf(TimeScale& strip) {
  return strip.DrawerCount() == 1 ? dynamic_cast<TimeLabelDrawer*>(strip.Drawer(0)) : nullptr;
}

bool AnyDark(const drawingtest::Canvas& canvas, int left, int top, int right, int bottom) {
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      if (GetRValue(canvas.At(x, y)) < 128 && GetGValue(canvas.At(x, y)) < 128) return true;
  return false;
}

// The first row from top with a dark pixel between left and right; bottom when there is none.
int FirstDarkRow(const drawingtest::Canvas& canvas, int left, int top, int right, int bottom) {
  while (top < bottom && !AnyDark(canvas, left, top, right, top + 1)) ++top;
  return top;
}

class TimeScaleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pane.drawerPane = &drawerPane;
    pane.printable = &print;
  }
  drawingtest::TestPane pane;
  drawingtest::StubDrawerPane drawerPane;
  drawingtest::PrintState print;
};

}  // namespace

TEST_F(TimeScaleTest, MeasuresTheProbeInTheLabelFontAndTheDeviceScale) {
  const SIZE probe = ProbeInLabelFont();
  QOR::ComPtr<TimeScale> strip(new TimeScale(pane));
  // Ten pixels below the label on a 96-dpi screen, as many more as the screen is finer.
  const double screen = QOR::ScreenDpi() / 96.0;
  EXPECT_EQ(probe.cx, strip->LabelWidth());
  EXPECT_EQ(static_cast<int32_t>(10.0 * screen + probe.cy), strip->StripHeight());
  EXPECT_EQ(-1, strip->LaneIndex());
  drawerPane.deviceScale = 2.5;
  strip->OnFontChanged();
  EXPECT_EQ(static_cast<int32_t>(25.0 * screen + probe.cy), strip->StripHeight());
  EXPECT_EQ(2u, strip->DisplayFlags());
}

TEST_F(TimeScaleTest, PrintingMeasuresInTheDefaultGuiFontOfThePrintContext) {
  HDC const printer = CreateCompatibleDC(nullptr);
  drawerPane.printContext = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(printer));
  print.BeginPrint(drawerPane.printContext);
  QOR::ComPtr<TimeScale> strip(new TimeScale(pane));
  EXPECT_GT(strip->LabelWidth(), 0);
  EXPECT_NE(nullptr, strip->Font());
  print.EndPrint();
  DeleteDC(printer);
}

TEST_F(TimeScaleTest, KeepsItsLabelDrawerAndTakesTheNewSource) {
  QOR::ComPtr<TimeScale> strip(new TimeScale(pane));
  EXPECT_EQ(0u, strip->DrawerCount());
  ASSERT_EQ(S_OK, strip->EnsureLabelDrawer());
  TimeLabelDrawer* const first = LabelDrawerOf(*strip);
  ASSERT_TRUE(first);
  strip->RemoveDrawers(0, ScrivoDraw::LayerPair{ScrivoDraw::kLayerPairAll, ScrivoDraw::kLayerPairAllSecond});
  ASSERT_TRUE(LabelDrawerOf(*strip));
  int32_t kind = -1;
  strip->Drawer(0)->GetKind(&kind);
  EXPECT_EQ(1, kind);
  uint32_t traits = 1;
  int32_t left = 0, right = 0;
  strip->Drawer(0)->GetDrawTraits(0, &traits, &left, &right);
  EXPECT_EQ(0u, traits);
  EXPECT_EQ(strip->LabelWidth() / 2, left);
  EXPECT_EQ(left, right);
  // A new data source: a fresh label drawer; a changed source: the drawers are attached to it.
  QOR::ComPtr<IScrivoRecordDrawer> before(strip->Drawer(0));
  EXPECT_EQ(S_OK, strip->OnSourceChanged(0, nullptr));
  ASSERT_EQ(1u, strip->DrawerCount());
  EXPECT_NE(before.Get(), strip->Drawer(0));
}

TEST_F(TimeScaleTest, DragScaleObjectsOfThreeEntriesAreRefusedUnchanged) {
  QOR::ComPtr<TimeScale> strip(new TimeScale(pane));
  FakeScale scale('t');
  scale.entryCount = 3;
  EXPECT_EQ(static_cast<HRESULT>(0xA0048205u), strip->AttachDragScale(&scale));
  EXPECT_EQ(0, scale.mode);
  scale.entryCount = 2;
  EXPECT_EQ(S_OK, strip->AttachDragScale(&scale));
  EXPECT_EQ(S_OK, strip->DetachDragScale(&scale));
  EXPECT_EQ(2, scale.mode);
}

TEST_F(TimeScaleTest, CloneKeepsTheLayoutButBelongsToNoStrip) {
  QOR::ComPtr<TimeScale> strip(new TimeScale(pane));
  strip->EnsureLabelDrawer();
  QOR::ComPtr<IScrivoRecordDrawer> copy;
  ASSERT_EQ(S_OK, strip->Drawer(0)->CloneForOutput(0, copy.Out()));
  uint32_t traits = 0;
  int32_t left = -1, right = -1;
  copy->GetDrawTraits(0, &traits, &left, &right);
  EXPECT_EQ(0, left);  // no strip, no label width
  strip = nullptr;     // the original drawer forgets its strip too
}

TEST_F(TimeScaleTest, MillisecondNoteAtTheRightEndExceptForTimesOfDay) {
  pane.cached = false;
  for (uint32_t kind : {2u, 3u}) {
    QOR::ComPtr<TimeScale> strip(new TimeScale(pane));
    const int32_t height = strip->StripHeight();
    strip->Place(0, RECT{0, 0, 304, 200}, RECT{2, 100, 302, 100 + height}, 0, 0, 2);
    ScrivoDraw::TimeLabelLayout plan;
    plan.displayFlags = QOR::kTimeMilliseconds | kind;
    ScrivoDraw::PaintArgs args;
    args.x1 = 300;
    args.scale = &plan;
    drawingtest::Canvas canvas(310, 100 + height, RGB(255, 255, 255));
    strip->Paint(canvas.DC(), args, 0, 0xFF);
    strip->Render(canvas.DC(), 0, false);
    const bool note = AnyDark(canvas, 250, 100, 302, 100 + height);
    EXPECT_EQ(kind == 2u, note) << kind;
    EXPECT_FALSE(AnyDark(canvas, 2, 100, 200, 100 + height)) << kind;
    if (!note) continue;
    // On the labels' row, three pixels down at 96 dpi and as many more as the screen is finer.
    drawingtest::Canvas alone(100, height, RGB(255, 255, 255));
    SelectObject(alone.DC(), strip->Font());
    TextOutW(alone.DC(), 10, static_cast<int>(4.0 * QOR::ScreenDpi() / 96.0 - 1.0), L"(ms)", 4);
    EXPECT_EQ(FirstDarkRow(alone, 0, 0, 100, height) + 100, FirstDarkRow(canvas, 200, 100, 302, 100 + height));
  }
}

// Records of 4020 and 3000 samples at 1 ms, 10 samples per pixel: 0.01 s per pixel, a major
// tick every second (100 pixels) in fifths, record 1 from position 402.
TEST_F(TimeScaleTest, PaintsTicksAndLabelsAndLeavesOutALabelCrossingTheNextRecord) {
  pane.cached = false;
  host::HostPtr<host::HorizontalScale> scale(
      new host::HorizontalScale(testsupport::MakeDataDocument({4020, 3000}, 0.001)), false);
  pane.horizontalScale = static_cast<IRecordDataPixMap*>(scale.Get());
  QOR::ComPtr<TimeScale> strip(new TimeScale(pane));
  ASSERT_EQ(S_OK, strip->EnsureLabelDrawer());
  const int32_t height = strip->StripHeight();
  const int rows = std::max(40, height);  // the canvases hold the whole strip
  strip->Place(0, RECT{0, 0, 610, rows}, RECT{2, 0, 602, height}, 0, 0, 2);
  // The pane's plan for the segment of record 0, as it makes it before painting.
  PixMapTimeScale time{};
  ASSERT_EQ(S_OK, scale->GetScaleRecord(0, &time));
  ScrivoDraw::TimeLabelLayout plan;
  ASSERT_TRUE(ScrivoDraw::ChooseTickStep(plan, strip->LabelWidth(), time.secondsPerPixel, kScreenPixelsPerMm));
  ASSERT_TRUE(ScrivoDraw::LayoutTimeLabels(nullptr, plan, time, 0.0, time.secondsPerPixel));
  EXPECT_EQ(5, plan.minorPerMajor);
  drawingtest::Canvas canvas(610, rows);
  ScrivoDraw::PaintArgs args;
  args.firstPosition = 0;
  args.lastPosition = 402;
  args.x0 = 2;
  args.x1 = 404;
  args.scale = &plan;
  strip->Paint(canvas.DC(), args, 0, 0xFF);
  // White behind the segment, nothing beyond it.
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(50, height - 1));
  EXPECT_EQ(RGB(0, 255, 0), canvas.At(500, height - 1));
  // Major ticks two pixels long at 0, 1, 2, 3 and 4 s, minor ticks one pixel long between, on a
  // 96-dpi screen; as much longer as the screen's resolution is finer.
  const int major = QOR::ScaleForDpi(2, QOR::ScreenDpi());
  for (int second = 0; second <= 4; ++second) {
    const int x = 2 + 100 * second;
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(x, 0)) << second;
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(x, major - 1)) << second;
    EXPECT_NE(RGB(0, 0, 0), canvas.At(x, major)) << second;
    if (second == 4) break;  // the segment ends 2 pixels later
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(x + 20, major / 2 - 1)) << second;
    EXPECT_NE(RGB(0, 0, 0), canvas.At(x + 20, major / 2)) << second;
  }
  // Labels under the ticks (below their rows) of 1 to 3 s; the one of 4 s would run into record 1.
  for (int second = 1; second <= 3; ++second)
    EXPECT_TRUE(AnyDark(canvas, 2 + 100 * second - 15, major, 2 + 100 * second + 15, height)) << second;
  EXPECT_FALSE(AnyDark(canvas, 402 - 15, major, 402 + 15, height));
  // A strip ending two pixels after the tick of 3 s: that label would be cut there, so it is left
  // out whole; its tick stays.
  strip->Place(0, RECT{0, 0, 610, rows}, RECT{2, 0, 304, height}, 0, 0, 2);
  drawingtest::Canvas narrow(610, rows);
  strip->Paint(narrow.DC(), args, 0, 0xFF);
  EXPECT_TRUE(AnyDark(narrow, 202 - 15, major, 202 + 15, height));
  EXPECT_FALSE(AnyDark(narrow, 302 - 15, major, 304, height));
  EXPECT_EQ(RGB(0, 0, 0), narrow.At(302, 0));
  // Scrolled either way, the strip's right end is painted again with what it uncovered, so a
  // label that no longer fits there goes; while the pane draws into its ring, no label is cut.
  for (const int32_t shift : {-5, 5}) {
    pane.invalidated.clear();
    strip->ScrollBy(shift);
    const auto redrawn = std::find_if(pane.invalidated.begin(), pane.invalidated.end(),
                                      [](const RECT& r) { return r.right == 304; });
    ASSERT_NE(pane.invalidated.end(), redrawn) << shift;
    EXPECT_LE(redrawn->left, 304 - strip->LabelWidth()) << shift;
  }
  EXPECT_EQ(304, strip->LabelEndColumn());
  // The same at the left end: a strip starting two pixels before the tick of 2 s leaves that label
  // out and keeps its tick; a scroll either way paints the left end again too.
  strip->Place(0, RECT{0, 0, 610, rows}, RECT{200, 0, 602, height}, 0, 0, 2);
  ScrivoDraw::PaintArgs fromLeft = args;
  fromLeft.firstPosition = 198;
  fromLeft.x0 = 200;
  drawingtest::Canvas cutLeft(610, rows);
  strip->Paint(cutLeft.DC(), fromLeft, 0, 0xFF);
  EXPECT_FALSE(AnyDark(cutLeft, 200, major, 202 + 15, height));
  EXPECT_EQ(RGB(0, 0, 0), cutLeft.At(202, 0));
  EXPECT_TRUE(AnyDark(cutLeft, 302 - 15, major, 302 + 15, height));
  EXPECT_EQ(200, strip->LabelStartColumn());
  for (const int32_t shift : {-5, 5}) {
    pane.invalidated.clear();
    strip->ScrollBy(shift);
    const bool leftRedrawn = std::any_of(pane.invalidated.begin(), pane.invalidated.end(), [&](const RECT& r) {
      return r.left == 200 && r.right >= 200 + strip->LabelWidth();
    });
    EXPECT_TRUE(leftRedrawn) << shift;
  }
  // The last record's labels end with its data: the one of 3 s in record 1 stands at its end.
  strip->Place(0, RECT{0, 0, 810, rows}, RECT{2, 0, 802, height}, 0, 0, 2);
  ScrivoDraw::PaintArgs last = args;
  last.firstPosition = 402;
  last.lastPosition = 702;
  last.x0 = 404;
  last.x1 = 704;
  drawingtest::Canvas ending(810, rows);
  strip->Paint(ending.DC(), last, 0, 0xFF);
  EXPECT_TRUE(AnyDark(ending, 604 - 15, major, 604 + 15, height));
  EXPECT_FALSE(AnyDark(ending, 704 - 15, major, 704 + 15, height));
  pane.ring = true;
  EXPECT_EQ(std::numeric_limits<int64_t>::max(), strip->LabelEndColumn());
  EXPECT_EQ(std::numeric_limits<int64_t>::min(), strip->LabelStartColumn());
}
