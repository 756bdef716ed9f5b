// MGraph1::AreaGlyphPlotter: half-transparent areas between a trace and a straight baseline.
#pragma once

#include "graph/Plotter.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace MGraph1 {

class GlyphPlotData;
struct GlyphRecord;

// Its data is the trace (a YCPlotDataEx); the areas are the glyph records of areaKey in the
// area source. Where the device cannot blend, an area is filled in a pastel of its colour.
class AreaGlyphPlotter : public Plotter {
 public:
  ~AreaGlyphPlotter() override;

  // Deletes the previous source when it was owned and is another object; then OnDataSet.
  virtual void SetAreas(GlyphPlotData* areas, int32_t key, bool owns);
  void OnDraw(OWL::TDC& dc, OWL::TDC& referenceDc, OWL::TRect& plotRect, OWL::TRect& clipRect) override;

 private:
  struct Trace {
    double firstX = 0.0;
    double step = 0.0;
    int32_t count = 0;
    const float* samples = nullptr;
  };
  // The area's outline in plot-relative pixels: one trace point per pixel column, then the
  // baseline's end and start where they are numbers; empty when no sample lies in the area.
  std::vector<POINT> Outline(const GlyphRecord& area, const Trace& trace) const;
  static void FillPastel(OWL::TDC& dc, const RECT& plot, const std::vector<POINT>& outline, COLORREF colour);
  static void FillBlended(OWL::TDC& dc, const RECT& plot, const std::vector<POINT>& outline, COLORREF colour);

  int32_t mAreaKey = 0;
  bool mOwnsAreas = false;
  GlyphPlotData* mAreas = nullptr;
};

}  // namespace MGraph1
