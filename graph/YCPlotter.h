// MGraph1::YCPlotter and YCPlotterEx: draw an evenly sampled trace, broken where a sample has no value.
#pragma once

#include "graph/Plotter.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace MGraph1 {

class YCPlotData;

// What one draw of a trace works from.
struct YCDrawContext {
  RECT plot = {};
  RECT clip = {};
  double firstX = 0.0;
  double step = 0.0;
  int32_t count = 0;
  const float* samples = nullptr;
  const COLORREF* colours = nullptr;  // per sample, or the single colour with stride 0
  int32_t colourStride = 0;
  COLORREF plotterColour = 0;
  int32_t symbolHalfW = 1;
  int32_t symbolHalfH = 1;
  bool drawSymbols = false;  // only for sparse traces (fewer samples than a quarter of the width)
};

class YCPlotter : public Plotter {
 public:
  // Prepare, with the same arguments.
  void OnDraw(OWL::TDC& dc, OWL::TDC& referenceDc, OWL::TRect& plotRect, OWL::TRect& clipRect) override;
  bool NeedsRedraw() override;
  // The samples that have a value, mapped as they are drawn; the trace's gaps are not kept.
  std::vector<POINT> LinePixels(const RECT& plot) override;
  // Fetches the trace and draws it; clears dirty.
  virtual void Prepare(OWL::TDC& dc, OWL::TDC& referenceDc, const OWL::TRect& plotRect,
                       const OWL::TRect& clipRect);
  // Segments between consecutive samples, clipped to the plot; a single colour is drawn in
  // PolyPolyline batches. Where many samples share a pixel column, the column's span is drawn
  // as one stroke (the same pixels as its segments).
  virtual void DrawTrace(OWL::TDC& dc, OWL::TDC& referenceDc, const YCDrawContext& context);

 protected:
  // GetSamples of the data (GetSampleBlock in YCPlotterEx).
  virtual bool FetchSamples(YCPlotData& data, int32_t& count, double& firstX, double& step,
                            const float*& samples, const COLORREF*& colours, COLORREF& colour);

 private:
  void DrawTraceByColour(OWL::TDC& dc, const YCDrawContext& context);
  void DrawTraceBatched(OWL::TDC& dc, const YCDrawContext& context);
};

class YCPlotterEx : public YCPlotter {
 public:
  // One polyline of the first colour through each distinct pixel, clipped inside the plot's
  // left and bottom lines; a client's quick preview.
  virtual void DrawTraceFast(OWL::TDC& dc, const YCDrawContext& context);

 protected:
  bool FetchSamples(YCPlotData& data, int32_t& count, double& firstX, double& step, const float*& samples,
                    const COLORREF*& colours, COLORREF& colour) override;
};

// Whether a float sample has no value (exponent all ones, mantissa not zero); read by bits so that
// a signalling NaN never enters arithmetic. Infinities are values.
bool IsNoValueSample(const float& sample) noexcept;

}  // namespace MGraph1
