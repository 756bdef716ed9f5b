// The plot-data family that plotters read their series from, as far as the drawer and the trace need it.
#pragma once

#include "base/String.h"

#include <windows.h>

#include <cstdint>

namespace MGraph1 {

// What a hint asks of a series at a pixel, and what the series answers.
struct PointInfo {
  int32_t pixelX = 0;
  int32_t pixelY = 0;
  double x = 0.0;  // in: the x value asked for; out: the x of the point found
  double y = 0.0;
  QOR::String text;
  int32_t index = 0;
  bool valid = false;
};

// A displayed range as a plotter last copied it from its drawer; (-DBL_MAX, +DBL_MAX) until then.
struct PlotRange {
  double low = -1.7976931348623157e308;
  double high = 1.7976931348623157e308;

  // Copies (low, high) when it is a proper range that differs; true when it did.
  bool Follow(double newLow, double newHigh) noexcept;
};

class PlotData {
 public:
  virtual ~PlotData() = default;
};

class PlotDataBase : public PlotData {
 public:
  // Fills info for the position given in it; true when found.
  virtual bool GetPointInfo(int32_t series, PointInfo* info);
  virtual bool IsChanged() const noexcept { return mChanged; }
  // True also marks the series for fetching again (redrawPending).
  virtual void SetChanged(bool value) noexcept;
  virtual void ClearChanged() noexcept { mChanged = false; }

  bool IsRedrawPending() const noexcept { return mRedrawPending; }
  // A plotter clears it once it has fetched the series again.
  void ClearRedrawPending() noexcept { mRedrawPending = false; }

 private:
  bool mChanged = false;
  bool mRedrawPending = false;
};

// An evenly sampled series; the ranges are the drawer's displayed ones as the plotter last copied them.
class YCPlotData : public PlotDataBase {
 public:
  using Range = PlotRange;

  // count samples from firstX, step apart; colours per sample or null, then colour for all.
  // The arrays stay owned by the data object until the draw returns.
  virtual bool GetSamples(int32_t series, int32_t& count, double& firstX, double& step,
                          const float*& samples, const COLORREF*& colours, COLORREF& colour) = 0;

  Range xRange;
  Range middleRange;
  Range yRange;
};

// A sampled series read as a block; answers hints from its samples.
class YCPlotDataEx : public YCPlotData {
 public:
  // The point at info->x: the nearest sample (rounded half a step up), its x snapped to the
  // sample when snap is set. Outside the X range the text says the series is out of range.
  // False when the data changed, the block is missing, the step is not a positive finite
  // number or the x cannot be compared.
  bool GetPointInfo(int32_t series, PointInfo* info) override;
  // As GetSamples, and the series' drawing flags.
  virtual bool GetSampleBlock(int32_t series, int32_t& count, double& firstX, double& step,
                              const float*& samples, const COLORREF*& colours, COLORREF& colour,
                              uint32_t& flags) = 0;

  bool snap = false;
  // Set: the next draw fetches the block again without reloading the series.
  bool reloadPending = false;
};

}  // namespace MGraph1
