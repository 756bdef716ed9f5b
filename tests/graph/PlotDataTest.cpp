// MGraph1::YCPlotDataEx: point information answered from a block of samples.
#include "graph/PlotData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

// Four samples 10, 11, 12, 13 from x0 = 1.0, step 0.5, over the displayed X range 0 to 10.
class Trace : public MGraph1::YCPlotDataEx {
 public:
  Trace() {
    xRange.low = 0.0;
    xRange.high = 10.0;
  }
  bool GetSamples(int32_t, int32_t& count, double& firstX, double& step, const float*& samples,
                  const COLORREF*& colours, COLORREF& colour) override {
    count = 4;
    firstX = x0;
    step = dx;
    samples = kSamples;
    colours = nullptr;
    colour = 0;
    return available;
  }
  bool GetSampleBlock(int32_t series, int32_t& count, double& firstX, double& step, const float*& samples,
                      const COLORREF*& colours, COLORREF& colour, uint32_t& flags) override {
    flags = 0;
    return GetSamples(series, count, firstX, step, samples, colours, colour);
  }

  double x0 = 1.0;
  double dx = 0.5;
  bool available = true;
  static constexpr float kSamples[4] = {10.0f, 11.0f, 12.0f, 13.0f};
};

MGraph1::PointInfo Ask(double x) {
  MGraph1::PointInfo info;
  info.x = x;
  return info;
}

}  // namespace

TEST(YCPlotDataEx, PointInfoTakesTheSampleNearestTheAskedX) {
  struct Case {
    double qx;
    bool snap;
    bool valid;
    double x;
    double y;
  };
  const Case cases[] = {
      {1.0, false, true, 1.0, 10.0},   // on the first sample
      {1.74, true, true, 1.5, 11.0},   // rounds to the nearer sample, snapped to it
      {1.75, true, true, 2.0, 12.0},   // half a step rounds up
      {1.74, false, true, 1.74, 11.0}, // without snap the asked x stays
      {2.5, true, true, 2.5, 13.0},    // the last sample
      {2.75, true, false, 3.0, 0.0},   // past the last sample: no value
      {0.5, true, false, 0.5, 0.0},    // before the first (index -1)
  };
  for (const Case& c : cases) {
    Trace trace;
    trace.snap = c.snap;
    trace.reloadPending = true;
    MGraph1::PointInfo info = Ask(c.qx);
    ASSERT_TRUE(trace.GetPointInfo(0, &info)) << "x " << c.qx;
    EXPECT_EQ(c.valid, info.valid) << "x " << c.qx;
    EXPECT_DOUBLE_EQ(c.x, info.x) << "x " << c.qx;
    EXPECT_DOUBLE_EQ(c.y, info.y) << "x " << c.qx;
    EXPECT_FALSE(trace.reloadPending);
  }
}

TEST(YCPlotDataEx, PointInfoOutsideTheDisplayedRangeSaysSo) {
  Trace trace;
  MGraph1::PointInfo info = Ask(12.0);
  info.valid = true;
  ASSERT_TRUE(trace.GetPointInfo(3, &info));
  EXPECT_FALSE(info.valid);
  EXPECT_EQ(std::wstring(L" Series 3 out of range"), info.text.GetText());
}

TEST(YCPlotDataEx, PointInfoRefusesWhatItCannotAnswer) {
  Trace trace;
  MGraph1::PointInfo info = Ask(std::nan(""));
  EXPECT_FALSE(trace.GetPointInfo(0, &info));
  EXPECT_FALSE(trace.GetPointInfo(0, nullptr));
  trace.available = false;
  info = Ask(1.0);
  EXPECT_FALSE(trace.GetPointInfo(0, &info));
  trace.available = true;
  trace.SetChanged(true);
  EXPECT_TRUE(trace.IsRedrawPending());
  EXPECT_FALSE(trace.GetPointInfo(0, &info));
}

// A step of zero or a non-finite step used to divide into an index without a guard.
TEST(YCPlotDataEx, PointInfoRefusesAStepThatIsNotAPositiveFiniteNumber) {
  for (double const step : {0.0, -0.5, std::numeric_limits<double>::infinity(), std::nan("")}) {
    Trace trace;
    trace.dx = step;
    MGraph1::PointInfo info = Ask(1.0);
    EXPECT_FALSE(trace.GetPointInfo(0, &info)) << "step " << step;
    EXPECT_FALSE(info.valid) << "step " << step;
  }
}
