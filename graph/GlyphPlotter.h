// MGraph1::GlyphPlotter: draws a glyph series: arrow markers, horizontal and vertical lines,
// horizontal segments and free lines, each with its label.
#pragma once

#include "graph/LabelPlacer.h"
#include "graph/Plotter.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace OWL {
class TFont;
}
namespace QOR {
class String;
}

namespace MGraph1 {

struct GlyphRecord;

// Its data is a GlyphPlotData; the glyphs are asked for at every draw and nothing is kept.
class GlyphPlotter : public Plotter {
 public:
  GlyphPlotter();
  ~GlyphPlotter() override;
  void OnDraw(OWL::TDC& dc, OWL::TDC& referenceDc, OWL::TRect& plotRect, OWL::TRect& clipRect) override;
  // This plotter's labels keep off those of earlier, a plotter drawn before it in every drawing.
  void ShareLabelsWith(const GlyphPlotter& earlier);
  // Where there is room, the labels of segments and free lines (this plotter's and those of
  // plotters sharing its labels) keep off the lines that these plotters of the same drawer draw.
  void KeepLabelsOff(std::vector<Plotter*> lines) { mLinesToKeepOff = std::move(lines); }

  int32_t rop2 = R2_COPYPEN;
  uint32_t labelAlign = 0;
  bool useLabelAlign = false;  // else the free line's label is aligned TA_TOP | TA_LEFT
  int32_t labelOffsetY = 0;    // points
  int32_t labelOffsetX = 0;    // pixels

 private:
  // A drawing draws every glyph's line, then every glyph's label.
  enum class GlyphPart { Line, Label };

  void DrawGlyph(OWL::TDC& dc, LabelPlacer& labels, const GlyphRecord& glyph, const RECT& plot, GlyphPart part);
  void LabelUpright(OWL::TDC& dc, LabelPlacer& labels, const QOR::String& label, const RECT& plot, int32_t x);
  void DrawFreeLine(OWL::TDC& dc, LabelPlacer& labels, const GlyphRecord& glyph, const RECT& plot, double X,
                    double Y, GlyphPart part) const;
  void LabelSegment(OWL::TDC& dc, LabelPlacer& labels, const QOR::String& label, const RECT& plot, double from,
                    double to, int32_t y) const;
  void LabelFreeLine(OWL::TDC& dc, LabelPlacer& labels, const QOR::String& label, const RECT& plot, POINT left,
                     POINT right) const;

  // The labels placed in the current drawing, shared with later plotters; the plotter that made
  // them starts them afresh at each drawing.
  std::shared_ptr<LabelPlacer> mLabels = std::make_shared<LabelPlacer>();
  bool mOwnsLabels = true;
  std::vector<Plotter*> mLinesToKeepOff;  // not owned: plotters of the drawer that owns this one
  // The left edge of the last label of a vertical line in this drawing: the lines are labelled
  // from left to right, and no label stands left of the one before.
  int32_t mUprightLabelsFrom = 0;
  std::vector<int32_t> mUprightLines;  // the x of each vertical line in this drawing
  // The label fonts of the current drawing, each made when a label first asks for its size and
  // angle on the drawing's DC.
  struct DrawingFont {
    int points;
    int angle;
    std::unique_ptr<OWL::TFont> font;
  };
  OWL::TFont& FontFor(OWL::TDC& dc, int points, int angle) const;
  mutable std::vector<DrawingFont> mFonts;
};

}  // namespace MGraph1
