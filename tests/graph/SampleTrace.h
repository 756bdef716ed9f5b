// SampleTrace: a sampled series over a vector, as a client of the trace plotters supplies it.
#pragma once

#include "graph/PlotData.h"

#include <windows.h>

#include <vector>

// samples from x0, dx apart; per-sample colours when colours is not empty, else colour.
class SampleTrace : public MGraph1::YCPlotDataEx {
 public:
  bool GetSamples(int32_t, int32_t& count, double& firstX, double& step, const float*& data,
                  const COLORREF*& perSample, COLORREF& one) override {
    count = static_cast<int32_t>(samples.size());
    firstX = x0;
    step = dx;
    data = samples.data();
    perSample = colours.empty() ? nullptr : colours.data();
    one = colour;
    return true;
  }
  bool GetSampleBlock(int32_t series, int32_t& count, double& firstX, double& step, const float*& data,
                      const COLORREF*& perSample, COLORREF& one, uint32_t& flags) override {
    flags = 0;
    return GetSamples(series, count, firstX, step, data, perSample, one);
  }

  std::vector<float> samples;
  std::vector<COLORREF> colours;
  COLORREF colour = RGB(255, 0, 0);
  double x0 = 0.0;
  double dx = 1.0;
};
