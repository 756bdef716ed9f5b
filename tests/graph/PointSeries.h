// Points: an x/y point series over vectors, as a client of the point plotters supplies it.
#pragma once

#include "graph/XYCPlotData.h"

#include <windows.h>

#include <cstdint>
#include <vector>

// Handed out from index 100, in per-point colours when perPoint is not empty, else in single.
class Points : public MGraph1::XYCPlotData {
 public:
  bool GetSeriesData(int32_t, int32_t& count, int32_t& firstIndex, const float*& xs, const float*& ys,
                     const COLORREF*& colours, COLORREF& colour, uint32_t& seriesFlags) override {
    ++fetches;
    count = static_cast<int32_t>(x.size());
    firstIndex = 100;
    xs = x.data();
    ys = y.data();
    colours = perPoint.empty() ? nullptr : perPoint.data();
    colour = single;
    seriesFlags = flags;
    return true;
  }
  std::vector<float> x, y;
  std::vector<COLORREF> perPoint;
  COLORREF single = RGB(0, 0, 255);
  uint32_t flags = 0;
  int fetches = 0;
};
