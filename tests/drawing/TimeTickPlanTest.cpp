// The time strip's tick plan: steps for a zoom, label placement with and without a DC, and plans
// that must draw nothing.
#include "drawing/TimeTickPlan.h"

#include "drawing/DrawPrintable.h"

#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

namespace {

using ScrivoDraw::ChooseTickStep;
using ScrivoDraw::LayoutTimeLabels;
using ScrivoDraw::TimeLabelLayout;
using ScrivoDraw::TimeTickWalker;

constexpr double kScreen = 3.7795276;  // pixels per millimetre at 96 dpi
constexpr double kMajorMin = 56.0;     // truncate(15 x kScreen)

TimeLabelLayout Plan(double shortestMajorSeconds, int32_t labelWidth = 0) {
  TimeLabelLayout layout;
  EXPECT_TRUE(ChooseTickStep(layout, labelWidth, shortestMajorSeconds / kMajorMin, kScreen));
  return layout;
}
double MajorStep(const TimeLabelLayout& l) { return l.labelInterval / l.majorPerLabel; }

PixMapTimeScale PlainScale() { return PixMapTimeScale{}; }

// Kinds of the ticks a paint walks, in order.
std::vector<TimeTickWalker::Kind> Walk(const TimeLabelLayout& layout, int count, std::vector<double>* xs = nullptr) {
  std::vector<TimeTickWalker::Kind> kinds;
  TimeTickWalker walker(layout);
  double x;
  TimeTickWalker::Kind kind;
  while (static_cast<int>(kinds.size()) < count && walker.Next(&x, &kind)) {
    kinds.push_back(kind);
    if (xs) xs->push_back(x);
  }
  return kinds;
}

TEST(TimeTickPlan, RoundsStepsUpToOneTwoFiveAndWholeHours) {
  struct Case { double in; int32_t multiplier; double out; } cases[] = {
      {1.0, 2, 2.0}, {12.0, 2, 20.0}, {14.9, 2, 20.0}, {0.3, 5, 0.5}, {0.8, 10, 1.0}, {1.4, 2, 2.0}};
  for (const auto& c : cases) {
    double v = c.in;
    EXPECT_EQ(c.multiplier, ScrivoDraw::RoundStep125(v)) << c.in;
    EXPECT_DOUBLE_EQ(c.out, v) << c.in;
  }
  double h = 2.0;
  EXPECT_EQ(6, ScrivoDraw::RoundStepHours(h));
  h = 9.0;
  EXPECT_EQ(12, ScrivoDraw::RoundStepHours(h));
  EXPECT_DOUBLE_EQ(12.0, h);
}

TEST(TimeTickPlan, ScreenStepsAndSubdivisions) {
  // 1 s shortest major step: 2 s over 112 pixels, quarters of 28 pixels.
  TimeLabelLayout two = Plan(1.0);
  EXPECT_DOUBLE_EQ(2.0, MajorStep(two));
  EXPECT_EQ(4, two.minorPerMajor);
  EXPECT_DOUBLE_EQ(28.0, two.minorSpacing);
  EXPECT_DOUBLE_EQ(20.0, MajorStep(Plan(12.0)));
  EXPECT_DOUBLE_EQ(20.0, MajorStep(Plan(14.9)));
  // Fifths of 18.5 pixels are kept (the shortest minor step is 18), of 17.9 they are not.
  TimeLabelLayout fifths;
  ASSERT_TRUE(ChooseTickStep(fifths, 0, 5.0 / 92.5, kScreen));
  EXPECT_EQ(5, fifths.minorPerMajor);
  ASSERT_TRUE(ChooseTickStep(fifths, 0, 5.0 / 89.5, kScreen));
  EXPECT_EQ(2, fifths.minorPerMajor);
  // Minutes below 61 s divide in sixths.
  TimeLabelLayout minute = Plan(30.0);
  EXPECT_DOUBLE_EQ(60.0, MajorStep(minute));
  EXPECT_EQ(6, minute.minorPerMajor);
  // 900 s to an hour: one hour, in sixths while they are 18 pixels apart.
  for (double x : {900.0, 2000.0, 3600.0}) EXPECT_DOUBLE_EQ(3600.0, MajorStep(Plan(x))) << x;
  EXPECT_EQ(6, Plan(900.0).minorPerMajor);
  EXPECT_EQ(2, Plan(3600.0).minorPerMajor);
  // Hours: 4000 s rounds to 2 h (quarters), 7200 s to 6 h (sixths); then a day, then 1-2-5 days.
  TimeLabelLayout hours = Plan(4000.0);
  EXPECT_DOUBLE_EQ(7200.0, MajorStep(hours));
  EXPECT_EQ(4, hours.minorPerMajor);
  EXPECT_DOUBLE_EQ(6 * 3600.0, MajorStep(Plan(7200.0)));
  EXPECT_DOUBLE_EQ(86400.0, MajorStep(Plan(70000.0)));
  EXPECT_DOUBLE_EQ(5 * 86400.0, MajorStep(Plan(200000.0)));
  // Labels every N major ticks, N = truncate(width / step pixels + 1).
  TimeLabelLayout wide = Plan(1.0, 300);
  EXPECT_EQ(3, wide.majorPerLabel);
  EXPECT_DOUBLE_EQ(6.0, wide.labelInterval);
}

TEST(TimeTickPlan, ZoomsAndPlansWithoutTicksDrawNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (double spp : {0.0, -0.01, nan, inf}) {
    TimeLabelLayout layout = Plan(1.0);
    EXPECT_FALSE(ChooseTickStep(layout, 100, spp, kScreen)) << spp;
    EXPECT_FALSE(ScrivoDraw::HasTicks(layout));
    EXPECT_TRUE(Walk(layout, 10).empty());
    layout = Plan(1.0);
    EXPECT_FALSE(LayoutTimeLabels(nullptr, layout, PlainScale(), 0.0, spp)) << spp;
    EXPECT_TRUE(Walk(layout, 10).empty());
  }
  TimeLabelLayout noDevice;
  EXPECT_FALSE(ChooseTickStep(noDevice, 100, 0.01, 0.0));
  // A minor spacing of 0 used to loop forever; a tiny one is cut at the paint's bound.
  TimeLabelLayout zero = Plan(1.0);
  zero.minorSpacing = 0.0;
  EXPECT_FALSE(LayoutTimeLabels(nullptr, zero, PlainScale(), 0.0, 1.0 / 56));
  EXPECT_TRUE(Walk(zero, 10).empty());
  TimeLabelLayout tiny = Plan(1.0);
  tiny.minorSpacing = 1e-300;
  EXPECT_EQ(static_cast<size_t>(ScrivoDraw::kMaxTicksPerPaint), Walk(tiny, 1 << 30).size());
}

TEST(TimeTickPlan, WithoutDcEveryMajorTickIsLabelled) {
  TimeLabelLayout layout = Plan(1.0, 300);  // 2 s majors, 3 per label
  ASSERT_TRUE(LayoutTimeLabels(nullptr, layout, PlainScale(), 0.5, 1.0 / 56));
  EXPECT_EQ(1, layout.majorPerLabel);
  EXPECT_DOUBLE_EQ(2.0, layout.labelInterval);
  EXPECT_DOUBLE_EQ(2.0, layout.firstLabelTime);
  EXPECT_EQ(3, layout.firstLabelIndex);
  EXPECT_DOUBLE_EQ(112.0, layout.firstLabelX);
  EXPECT_DOUBLE_EQ(28.0, layout.firstTickX);  // the start time itself
  std::vector<double> xs;
  const auto kinds = Walk(layout, 12, &xs);
  using K = TimeTickWalker::Kind;
  const std::vector<K> expected = {K::kMinor, K::kMinor, K::kMinor, K::kLabel, K::kMinor, K::kMinor,
                                   K::kMinor, K::kLabel, K::kMinor, K::kMinor, K::kMinor, K::kLabel};
  EXPECT_EQ(expected, kinds);
  EXPECT_DOUBLE_EQ(112.0, xs[3]);
  EXPECT_DOUBLE_EQ(224.0, xs[7]);

  // A negative start counts up to zero.
  layout = Plan(1.0);
  ASSERT_TRUE(LayoutTimeLabels(nullptr, layout, PlainScale(), -0.5, 1.0 / 56));
  EXPECT_DOUBLE_EQ(0.0, layout.firstLabelTime);
  EXPECT_EQ(1, layout.firstLabelIndex);
}

TEST(TimeTickPlan, FirstLabelOneIntervalAfterTheStartKeepsItsLabel) {
  TimeLabelLayout layout = Plan(1.0);
  ASSERT_TRUE(LayoutTimeLabels(nullptr, layout, PlainScale(), 0.01, 1.0 / 56));
  EXPECT_EQ(4, layout.firstLabelIndex);  // 1.99 s rounds to a whole interval of minor ticks
  EXPECT_EQ(2, layout.labelCountdown);   // N + 1
  std::vector<double> xs;
  const auto kinds = Walk(layout, 5, &xs);
  EXPECT_EQ(TimeTickWalker::kMajor, kinds[0]);
  EXPECT_EQ(TimeTickWalker::kLabel, kinds[4]);
  EXPECT_DOUBLE_EQ(layout.firstLabelX, xs[4]);
}

TEST(TimeTickPlan, DisplayKindsPlaceTheFirstLabel) {
  PixMapTimeScale scale = PlainScale();
  scale.clockTimeOfDay = 3600.0;
  scale.startTime = 3600.0;
  scale.offset = 1.0;
  TimeLabelLayout layout = Plan(1.0);
  layout.displayFlags = QOR::kTimeKindOfDay;
  ASSERT_TRUE(LayoutTimeLabels(nullptr, layout, scale, 0.5, 1.0 / 56));
  EXPECT_DOUBLE_EQ(3602.0, layout.firstLabelTime);  // 1:00:00.5 on the clock, next even second
  EXPECT_DOUBLE_EQ((2.0 + 1.0) * 56, layout.firstLabelX);
}

// Labels in a memory DC with a font of the given height.
TimeLabelLayout LayoutInFont(int height) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
  HGDIOBJ old = SelectObject(dc, font);
  TimeLabelLayout layout = Plan(1.0);
  EXPECT_TRUE(LayoutTimeLabels(dc, layout, PixMapTimeScale{}, 0.0, 1.0 / 56));
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
  return layout;
}

TEST(TimeTickPlan, InADcLabelsFallOnEveryOrEverySecondMajorTick) {
  const TimeLabelLayout small = LayoutInFont(4);
  EXPECT_EQ(1, small.majorPerLabel);
  // Texts wider than two major steps still get every second tick, no fewer.
  const TimeLabelLayout huge = LayoutInFont(200);
  EXPECT_EQ(2, huge.majorPerLabel);
  EXPECT_DOUBLE_EQ(4.0, huge.labelInterval);
  const auto kinds = Walk(huge, 9);
  int labels = 0, majors = 0;
  for (auto k : kinds) labels += k == TimeTickWalker::kLabel, majors += k != TimeTickWalker::kMinor;
  EXPECT_EQ(3, majors);
  EXPECT_EQ(2, labels);  // ticks 0 and 8
  EXPECT_EQ(TimeTickWalker::kLabel, kinds[0]);
  EXPECT_EQ(TimeTickWalker::kLabel, kinds[8]);
}

TEST(TimeTickPlan, MillisecondNoteExceptForTimesOfDay) {
  EXPECT_TRUE(ScrivoDraw::ShowsMillisecondsNote(QOR::kTimeMilliseconds | 2));
  EXPECT_TRUE(ScrivoDraw::ShowsMillisecondsNote(QOR::kTimeMilliseconds | 1));
  EXPECT_FALSE(ScrivoDraw::ShowsMillisecondsNote(QOR::kTimeMilliseconds | 3));
  EXPECT_FALSE(ScrivoDraw::ShowsMillisecondsNote(2));
}

}  // namespace

namespace {

class Printable final : public ScrivoDraw::DrawPrintableBase {};

TEST(DrawPrintable, PrintsBetweenANonZeroBeginAndTheEnd) {
  Printable p;
  VARIANT_BOOL printing = VARIANT_TRUE;
  EXPECT_EQ(S_FALSE, p.IsPrinting(&printing));
  EXPECT_EQ(VARIANT_FALSE, printing);
  p.BeginPrint(0);
  EXPECT_EQ(S_FALSE, p.IsPrinting(nullptr));
  p.BeginPrint(0x1234);
  EXPECT_EQ(S_OK, p.IsPrinting(&printing));
  EXPECT_EQ(VARIANT_TRUE, printing);
  p.EndPrint();
  EXPECT_EQ(S_FALSE, p.IsPrinting(nullptr));
}

}  // namespace

namespace {

// A white 32-bit DIB with a centred label font, and what was painted into it.
class Strip {
 public:
  Strip() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    PatBlt(dc_, 0, 0, kWidth, kHeight, WHITENESS);
    SetTextAlign(dc_, TA_CENTER);
  }
  ~Strip() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  bool Black(int x, int y) const { GdiFlush(); return (bits_[y * kWidth + x] & 0xFFFFFF) == 0; }
  bool AnyBlack(int left, int right, int top, int bottom) const {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        if (Black(x, y)) return true;
    return false;
  }
  static constexpr int kWidth = 300;
  static constexpr int kHeight = 30;

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  uint32_t* bits_ = nullptr;
};

ScrivoDraw::TimeStripPaint WholeStrip(double labelLimit) {
  ScrivoDraw::TimeStripPaint paint;
  paint.last = Strip::kWidth;
  paint.clip = RECT{0, 0, Strip::kWidth, Strip::kHeight};
  paint.height = Strip::kHeight;
  paint.labelLimit = labelLimit;
  return paint;
}

TEST(TimeStrip, DrawsTicksAndLeavesOutLabelsCrossingTheLimit) {
  for (double limit : {std::numeric_limits<double>::infinity(), 170.0}) {
    Strip strip;
    TimeLabelLayout layout = Plan(1.0);  // minor ticks 28 pixels apart, majors at 0, 112, 224
    ASSERT_TRUE(LayoutTimeLabels(strip.dc(), layout, PixMapTimeScale{}, 0.0, 1.0 / 56));
    ASSERT_EQ(1, layout.majorPerLabel);
    ScrivoDraw::DrawTimeStrip(strip.dc(), layout, WholeStrip(limit));
    EXPECT_TRUE(strip.Black(28, 0));   // a minor tick is one pixel long
    EXPECT_FALSE(strip.Black(28, 1));
    EXPECT_TRUE(strip.Black(224, 1));  // a major one two
    EXPECT_FALSE(strip.Black(224, 2));
    EXPECT_TRUE(strip.AnyBlack(100, 125, 3, Strip::kHeight));  // "2 s" well before the limit
    // The label at 224 crosses a limit at 170; its tick stays.
    EXPECT_EQ(std::isinf(limit), strip.AnyBlack(200, 250, 3, Strip::kHeight)) << limit;
  }
}

TEST(TimeStrip, StopsAtTheLastPositionAndClipsTicks) {
  Strip strip;
  TimeLabelLayout layout = Plan(1.0);
  ASSERT_TRUE(LayoutTimeLabels(nullptr, layout, PixMapTimeScale{}, 0.0, 1.0 / 56));
  ScrivoDraw::TimeStripPaint paint = WholeStrip(std::numeric_limits<double>::infinity());
  paint.last = 100;               // ticks up to column 84
  paint.clip.left = 50;           // no tick left of column 50
  ScrivoDraw::DrawTimeStrip(strip.dc(), layout, paint);
  EXPECT_FALSE(strip.Black(28, 0));
  EXPECT_TRUE(strip.Black(56, 0));
  EXPECT_TRUE(strip.Black(84, 0));
  EXPECT_FALSE(strip.AnyBlack(100, Strip::kWidth, 0, Strip::kHeight));
}

}  // namespace
