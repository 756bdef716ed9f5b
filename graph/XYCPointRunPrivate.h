// XYCPointRun: the x/y plotters' point loop, fed block by block.
#pragma once

#include "graph/MappingRecord.h"
#include "graph/PlotterPenPrivate.h"
#include "graph/XYCPlotter.h"

#include <windows.h>

#include <cstdint>

namespace MGraph1 {

// Maps, records, connects and marks the points of one series for one draw pass. What joins one
// block to the next (the previous point, the colour, the pen) stays here; the pen is selected for
// the run's life, so the legend drawn after the points uses it too.
class XYCPointRun {
 public:
  XYCPointRun(OWL::TDC& dc, const XYCDrawContext& context, const MappingRecord& xm, const MappingRecord& ym,
              int32_t penStyle, float lineWidth, uint32_t pass);

  // Points first to first + n - 1 of the series; colours (the block's, or null) per point.
  void Draw(int32_t first, int32_t n, const float* xs, const float* ys, const COLORREF* colours);

 private:
  struct MappedPoint {
    double X = 0.0;
    double Y = 0.0;
    int32_t px = 0;
    int32_t py = 0;
    bool known = false;   // both coordinates are numbers (a y without one is drawn on the top edge)
    bool inside = false;
  };

  MappedPoint Map(float x, float y) const;
  // True when the cell already holds this point's colour from this pass.
  bool Record(const MappedPoint& p, float x, float y, int32_t index);
  void Connect(const MappedPoint& p);
  void Mark(const MappedPoint& p);

  OWL::TDC& mDc;
  const XYCDrawContext& mC;
  const MappingRecord& mX;
  const MappingRecord& mY;
  float mLineWidth;
  uint32_t mPass;
  PlotterPen mPen;
  COLORREF mColour;
  MappedPoint mPrevious;
  bool mHavePrevious = false;
};

}  // namespace MGraph1
