// The trace-drawing benchmark: the single-colour trace against one segment per pair of samples.
#include "bench/TraceDrawBench.h"

#include "bench/BenchRun.h"
#include "graph/MappingRecord.h"
#include "graph/PlotData.h"
#include "graph/YCPlotter.h"
#include "platform/owl/TBitmap.h"
#include "platform/owl/TMemoryDC.h"
#include "platform/owl/TRect.h"

#include <windows.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

namespace bench {

namespace {

constexpr int kPlotWidth = 1000;
constexpr int kPlotHeight = 400;

// A noisy sine over the whole plot; per-sample colours (all one colour) make the plotter draw
// every segment with its own MoveTo and LineTo.
class BenchTrace : public MGraph1::YCPlotDataEx {
 public:
  explicit BenchTrace(long long count) : samples(static_cast<size_t>(count)) {
    uint32_t seed = 12345u;
    for (size_t i = 0; i < samples.size(); ++i) {
      seed = seed * 1664525u + 1013904223u;
      double const noise = (seed >> 8) / 16777216.0 - 0.5;
      samples[i] = static_cast<float>(std::sin(i * 2e-5) + 0.2 * noise);
    }
  }
  bool GetSamples(int32_t, int32_t& count, double& firstX, double& step, const float*& data,
                  const COLORREF*& perSample, COLORREF& one) override {
    count = static_cast<int32_t>(samples.size());
    firstX = 0.0;
    step = 1.0;
    data = samples.data();
    perSample = segmentBySegment ? colours.data() : nullptr;
    one = RGB(255, 0, 0);
    return true;
  }
  bool GetSampleBlock(int32_t series, int32_t& count, double& firstX, double& step, const float*& data,
                      const COLORREF*& perSample, COLORREF& one, uint32_t& flags) override {
    flags = 0;
    return GetSamples(series, count, firstX, step, data, perSample, one);
  }

  std::vector<float> samples;
  std::vector<COLORREF> colours;
  bool segmentBySegment = false;
};

double TimeDraw(MGraph1::YCPlotter& plotter, OWL::TMemoryDC& dc, int repeat) {
  double best = 0.0;
  for (int run = 0; run < repeat; ++run) {
    dc.PatBlt(OWL::TRect(0, 0, kPlotWidth + 20, kPlotHeight + 20), WHITENESS);
    OWL::TRect plot(10, 10, 10 + kPlotWidth, 10 + kPlotHeight), clip = plot;
    long long const start = Now();
    plotter.OnDraw(dc, dc, plot, clip);
    GdiFlush();
    double const seconds = SecondsSince(start);
    if (run == 0 || seconds < best) best = seconds;
  }
  return best;
}

}  // namespace

int RunTraceDraw(long long samples, int repeat) {
  uint32_t* bits = nullptr;
  std::unique_ptr<OWL::TBitmap> const bitmap(OWL::TBitmap::CreateDIB32(kPlotWidth + 20, kPlotHeight + 20, &bits));
  if (!bitmap) {
    std::fprintf(stderr, "no DIB section\n");
    return 1;
  }
  OWL::TMemoryDC dc(*bitmap);
  BenchTrace trace(samples);
  MGraph1::YCPlotter plotter;
  double const xScale = static_cast<double>(kPlotWidth) / static_cast<double>(samples);
  plotter.UseXMapping(new MGraph1::MappingRecord{xScale, 0.0}, true);
  plotter.UseYMapping(new MGraph1::MappingRecord{-kPlotHeight / 2.6, -1.3}, true);
  plotter.SetData(&trace, 0, false);
  double const batched = TimeDraw(plotter, dc, repeat);
  trace.colours.assign(trace.samples.size(), RGB(255, 0, 0));
  trace.segmentBySegment = true;
  double const oneByOne = TimeDraw(plotter, dc, repeat);
  std::printf("chain: draw-trace\nsamples: %lld\npixels: %d\n", samples, kPlotWidth);
  std::printf("seconds: %.6f\nseconds segment by segment: %.6f\n", batched, oneByOne);
  std::printf("throughput: %.1f Msamples/s (segment by segment %.1f Msamples/s)\n",
              batched > 0.0 ? samples / batched / 1e6 : 0.0, oneByOne > 0.0 ? samples / oneByOne / 1e6 : 0.0);
  return 0;
}

}  // namespace bench
