// MGraph1::GlyphPlotData: the markers, labelled lines and areas a client hands the glyph plotters.
#pragma once

#include "graph/PlotData.h"

#include "base/String.h"

#include <windows.h>

#include <cstdint>

namespace MGraph1 {

enum GlyphKind : int32_t {
  kGlyphArrow = 0,           // hangs from the top edge, pointing down at x
  kGlyphHorizontalLine = 1,  // across the plot at y
  kGlyphVerticalLine = 2,    // across the plot at x
  kGlyphHorizontalSegment = 4,  // from x to x2 at y
  kGlyphLine = 5,            // from (x, y) to (x2, y2), with a label in the top left corner
};

// For an area: x to x2 is the stretch of trace, y and y2 the baseline at its start and end.
struct GlyphRecord {
  double x = 0.0;
  double y = 0.0;
  double x2 = 0.0;
  double y2 = 0.0;
  int32_t kind = 0;  // other kinds than the above draw nothing
  COLORREF colour = 0;
  QOR::String label;  // empty for none
  bool withSample = false;  // kind 5: a sample stroke before the label
};

class GlyphPlotData : public PlotDataBase {
 public:
  // The glyphs of series for the displayed X range; the array stays owned by the data object
  // until the draw returns.
  virtual bool GetGlyphs(double xLow, double xHigh, int32_t series, int32_t& count, const GlyphRecord*& glyphs) {
    (void)xLow, (void)xHigh, (void)series;
    count = 0;
    glyphs = nullptr;
    return false;
  }
};

}  // namespace MGraph1
