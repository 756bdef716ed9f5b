// MGraph1::GlyphPlotter: draws a glyph series: arrow markers, horizontal and vertical lines,
// horizontal segments and free lines, each with its label.
#pragma once

#include "graph/LabelPlacer.h"
#include "graph/Plotter.h"

#include <windows.h>

#include <cstdint>
#include <memory>

namespace QOR {
class String;
}

namespace MGraph1 {

struct GlyphRecord;

// Its data is a GlyphPlotData; the glyphs are asked for at every draw and nothing is kept.
class GlyphPlotter : public Plotter {
 public:
  void OnDraw(OWL::TDC& dc, OWL::TDC& referenceDc, OWL::TRect& plotRect, OWL::TRect& clipRect) override;
  // This plotter's labels keep off those of earlier, a plotter drawn before it in every drawing.
  void ShareLabelsWith(const GlyphPlotter& earlier);

  int32_t rop2 = R2_COPYPEN;
  uint32_t labelAlign = 0;
  bool useLabelAlign = false;  // else the free line's label is aligned TA_TOP | TA_LEFT
  int32_t labelOffsetY = 0;    // points
  int32_t labelOffsetX = 0;    // pixels

 private:
  void DrawGlyph(OWL::TDC& dc, LabelPlacer& labels, const GlyphRecord& glyph, const RECT& plot) const;
  void DrawFreeLine(OWL::TDC& dc, LabelPlacer& labels, const GlyphRecord& glyph, const RECT& plot, double X,
                    double Y) const;
  void LabelSegment(OWL::TDC& dc, LabelPlacer& labels, const QOR::String& label, const RECT& plot, double from,
                    double to, int32_t y) const;
  void LabelFreeLine(OWL::TDC& dc, LabelPlacer& labels, const QOR::String& label, const RECT& plot, POINT left,
                     POINT right) const;

  // The labels placed in the current drawing, shared with later plotters; the plotter that made
  // them starts them afresh at each drawing.
  std::shared_ptr<LabelPlacer> mLabels = std::make_shared<LabelPlacer>();
  bool mOwnsLabels = true;
};

}  // namespace MGraph1
