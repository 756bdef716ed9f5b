// MGraph1::GlyphPlotter and the shared segment clip: each glyph kind on a DIB section.
#include "graph/GlyphPlotter.h"

#include "graph/GlyphPlotData.h"
#include "graph/SegmentClip.h"
#include "graph/XYCPlotter.h"
#include "graph/YCPlotter.h"

#include "tests/graph/GraphCanvas.h"
#include "tests/graph/PointSeries.h"
#include "tests/graph/SampleTrace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

namespace {

class Glyphs : public MGraph1::GlyphPlotData {
 public:
  bool GetGlyphs(double, double, int32_t series, int32_t& count, const MGraph1::GlyphRecord*& glyphs) override {
    askedSeries = series;
    count = static_cast<int32_t>(records.size());
    glyphs = records.data();
    return true;
  }
  std::vector<MGraph1::GlyphRecord> records;
  int32_t askedSeries = -1;
};

MGraph1::GlyphRecord Glyph(int32_t kind, double x, double y, double x2 = 0.0, double y2 = 0.0) {
  MGraph1::GlyphRecord g;
  g.kind = kind;
  g.x = x;
  g.y = y;
  g.x2 = x2;
  g.y2 = y2;
  g.colour = RGB(0, 0, 200);
  return g;
}

// Plot (10, 10)-(110, 90); values are pixels from the plot's corner.
struct GlyphCase {
  MGraph1::GlyphRecord glyph;
  POINT inked;       // a pixel of the glyph's colour near here, or none when x < 0
  OWL::TRect bounds;  // where all its ink lies
};

}  // namespace

TEST(GlyphPlotter, DrawsEachKindWhereItBelongs) {
  const GlyphCase cases[] = {
      {Glyph(0, 50.0, 0.0), {60, 19}, {55, 10, 66, 21}},    // arrow hanging from the top (outline)
      {Glyph(1, 0.0, 30.0), {80, 40}, {10, 40, 110, 41}},   // across at y
      {Glyph(2, 70.0, 0.0), {80, 60}, {80, 10, 81, 90}},    // down at x
      {Glyph(4, -20.0, 30.0, 40.0), {30, 40}, {10, 40, 50, 41}},  // held at the left edge
      {Glyph(5, 10.0, 10.0, 200.0, 50.0), {60, 28}, {20, 20, 110, 40}},  // clipped at the right
      {Glyph(3, 50.0, 30.0, 60.0, 40.0), {-1, -1}, {}},     // no such kind
      {Glyph(0, 0.0, 0.0), {-1, -1}, {}},                    // on plot.left: not drawn
      {Glyph(1, 0.0, 0.0), {-1, -1}, {}},                    // on plot.top: not drawn
      {Glyph(4, 30.0, 100.0, 40.0), {-1, -1}, {}},           // below the plot
  };
  for (const GlyphCase& c : cases) {
    Glyphs data;
    data.records = {c.glyph};
    MGraph1::GlyphPlotter plotter;
    MapPlot(plotter, 1.0, 0.0, 1.0, 0.0);
    plotter.SetData(&data, 3, false);
    GraphCanvas canvas(120, 100);
    OWL::TRect plot(10, 10, 110, 90), clip = plot;
    plotter.OnDraw(canvas.dc, canvas.dc, plot, clip);
    EXPECT_EQ(3, data.askedSeries);
    if (c.inked.x < 0) {
      EXPECT_TRUE(canvas.InkBounds().IsEmpty()) << "kind " << c.glyph.kind;
      continue;
    }
    EXPECT_TRUE(canvas.Near(c.inked.x, c.inked.y, c.glyph.colour, 1)) << "kind " << c.glyph.kind;
    OWL::TRect const ink = canvas.InkBounds();
    EXPECT_TRUE(ink.left >= c.bounds.left - 1 && ink.top >= c.bounds.top - 1 && ink.right <= c.bounds.right + 1 &&
                ink.bottom <= c.bounds.bottom + 1)
        << "kind " << c.glyph.kind << " ink " << ink.left << "," << ink.top << "," << ink.right << "," << ink.bottom;
  }
}

TEST(GlyphPlotter, LabelsAreWrittenBesideTheirLines) {
  Glyphs data;
  data.records = {Glyph(1, 0.0, 60.0), Glyph(5, 0.0, 70.0, 90.0, 70.0)};
  data.records[0].label = QOR::String(L"Base");
  data.records[1].label = QOR::String(L"Slope");
  data.records[1].withSample = true;
  MGraph1::GlyphPlotter plotter;
  MapPlot(plotter, 1.0, 0.0, 1.0, 0.0);
  plotter.SetData(&data, 0, false);
  GraphCanvas canvas(120, 100);
  OWL::TRect plot(10, 10, 110, 90), clip = plot;
  plotter.OnDraw(canvas.dc, canvas.dc, plot, clip);
  EXPECT_GT(canvas.InkIn(OWL::TRect(12, 55, 60, 70)), 10);  // "Base" above its line at y = 70
  EXPECT_TRUE(canvas.Near(20, 17, data.records[1].colour, 1));  // the sample stroke, top left
  EXPECT_GT(canvas.InkIn(OWL::TRect(38, 11, 100, 30)), 10);     // "Slope" after the stroke
  // Without a stroke a line's label stands beside the line's shown part, off the side it runs to:
  // below and after a rising line's end when the plot has no room before its start, below and
  // before a falling line's start; a line off the plot has no label either.
  struct LineCase {
    MGraph1::GlyphRecord line;
    OWL::TRect label;  // most of the label's ink; none when empty
  };
  for (const LineCase& line : {LineCase{Glyph(5, 10.0, 60.0, 40.0, 40.0), {52, 51, 100, 72}},
                               LineCase{Glyph(5, 70.0, 40.0, 99.0, 60.0), {20, 51, 79, 72}},
                               LineCase{Glyph(5, -60.0, 20.0, -20.0, 30.0), {}}}) {
    data.records = {line.line};
    data.records[0].label = QOR::String(L"Slope");
    GraphCanvas lines(120, 100);
    plotter.OnDraw(lines.dc, lines.dc, plot, clip);
    EXPECT_EQ(0, lines.InkIn(OWL::TRect(11, 11, 40, 30))) << line.line.x << ": nothing at the top left";
    if (line.label.IsEmpty()) EXPECT_EQ(0, lines.InkIn(OWL::TRect(0, 0, 120, 100))) << line.line.x;
    else EXPECT_GT(lines.InkIn(line.label), 20) << line.line.x;
  }
  // A width bar keeps every pixel in sight: its label stands above a long bar, after a short one.
  struct BarCase {
    double from, to;
    OWL::TRect label;
  };
  for (const BarCase& bar : {BarCase{5.0, 95.0, {15, 45, 100, 60}}, BarCase{40.0, 48.0, {59, 52, 110, 68}}}) {
    data.records = {Glyph(4, bar.from, 50.0, bar.to)};
    data.records[0].label = QOR::String(L"Width50");
    GraphCanvas bars(120, 100);
    plotter.OnDraw(bars.dc, bars.dc, plot, clip);
    for (int x = 10 + static_cast<int>(bar.from) + 1; x < 10 + static_cast<int>(bar.to) - 1; ++x)
      EXPECT_EQ(GraphCanvas::Pixel(data.records[0].colour), bars.At(x, 60)) << bar.to << " at x " << x;
    EXPECT_GT(bars.InkIn(bar.label), 20) << bar.to;
  }
}

namespace {

// Glyphs drawn together on a plot (10, 10)-(190, 150) of a 200 x 160 canvas.
void DrawOn(GraphCanvas& canvas, std::vector<MGraph1::GlyphRecord> records) {
  Glyphs data;
  data.records = std::move(records);
  MGraph1::GlyphPlotter plotter;
  MapPlot(plotter, 1.0, 0.0, 1.0, 0.0);
  plotter.SetData(&data, 0, false);
  OWL::TRect plot(10, 10, 190, 150), clip = plot;
  plotter.OnDraw(canvas.dc, canvas.dc, plot, clip);
}

int InkOf(std::vector<MGraph1::GlyphRecord> records) {
  GraphCanvas canvas(200, 160);
  DrawOn(canvas, std::move(records));
  return canvas.InkIn(OWL::TRect(0, 0, 200, 160));
}

MGraph1::GlyphRecord Labelled(MGraph1::GlyphRecord g, const wchar_t* label) {
  g.label = QOR::String(label);
  return g;
}

}  // namespace

// Markers at one place: "Start" and "Peak" on one time, two levels a pixel apart. Each label
// keeps all its ink when drawn beside the other, so none covers the other.
TEST(GlyphPlotter, LabelsOfMarkersAtOnePlaceStayApart) {
  const std::pair<MGraph1::GlyphRecord, MGraph1::GlyphRecord> pairs[] = {
      {Glyph(2, 60.0, 0.0), Glyph(2, 60.0, 0.0)},
      {Glyph(1, 0.0, 60.0), Glyph(1, 0.0, 61.0)},
  };
  for (const auto& pair : pairs) {
    int const lines = InkOf({pair.first, pair.second});
    int const first = InkOf({Labelled(pair.first, L"Start")}) - InkOf({pair.first});
    int const second = InkOf({Labelled(pair.second, L"Peak")}) - InkOf({pair.second});
    int const together = InkOf({Labelled(pair.first, L"Start"), Labelled(pair.second, L"Peak")});
    ASSERT_GT(first, 20);
    EXPECT_GE(together - lines, first + second - 4) << "kind " << pair.first.kind;
    // The same when each comes from a plotter of its own, the later sharing the earlier's labels.
    Glyphs one, other;
    one.records = {Labelled(pair.first, L"Start")};
    other.records = {Labelled(pair.second, L"Peak")};
    MGraph1::GlyphPlotter earlier, later;
    later.ShareLabelsWith(earlier);
    GraphCanvas canvas(200, 160);
    OWL::TRect plot(10, 10, 190, 150), clip = plot;
    for (auto [plotter, data] : {std::pair{&earlier, &one}, std::pair{&later, &other}}) {
      MapPlot(*plotter, 1.0, 0.0, 1.0, 0.0);
      plotter->SetData(data, 0, false);
      plotter->OnDraw(canvas.dc, canvas.dc, plot, clip);
    }
    EXPECT_GE(canvas.InkIn(OWL::TRect(0, 0, 200, 160)) - lines, first + second - 4) << "kind " << pair.first.kind;
  }
}

namespace {

// Columns next to each other holding black (label) ink: where they start and end, and how tall.
struct InkRun {
  int left, right, height;
};

std::vector<InkRun> BlackRuns(const GraphCanvas& canvas) {
  std::vector<InkRun> runs;
  int top = 0, bottom = 0;
  for (int x = 0; x < canvas.width; ++x) {
    std::vector<int> black;
    for (int y = 0; y < canvas.height; ++y)
      if (canvas.At(x, y) == 0) black.push_back(y);
    if (black.empty()) continue;
    if (runs.empty() || runs.back().right < x) runs.push_back({x, x, 0}), top = black.front(), bottom = 0;
    top = std::min(top, black.front()), bottom = std::max(bottom, black.back() + 1);
    runs.back() = {runs.back().left, x + 1, bottom - top};
  }
  return runs;
}

}  // namespace

// Start, end and peak lines a little apart, listed as the Analysis View lists them; by the plot's
// left edge; with a level line across the labels' first places. Each label reads up beside its
// own line, left to right as the lines stand ("The peak", the longest, in the middle), in the plot.
TEST(GlyphPlotter, LabelsOfVerticalLinesStandBesideTheirLinesInTheirOrder) {
  struct Case {
    double start, end, peak;
    bool levelAtBottom;
  };
  for (const Case& c : {Case{60.0, 84.0, 66.0, false}, Case{50.0, 150.0, 57.0, false},
                        Case{3.0, 120.0, 60.0, false}, Case{60.0, 80.0, 66.0, true}}) {
    GraphCanvas canvas(200, 160);
    DrawOn(canvas, {Labelled(Glyph(2, c.start, 0.0), L"Start"), Labelled(Glyph(2, c.end, 0.0), L"End"),
                    Labelled(Glyph(2, c.peak, 0.0), L"The peak"), Glyph(c.levelAtBottom ? 1 : 3, 0.0, 120.0)});
    std::vector<InkRun> const runs = BlackRuns(canvas);
    ASSERT_EQ(3u, runs.size()) << c.peak;
    double const lines[3] = {c.start, c.peak, c.end};
    for (int i = 0; i < 3; ++i) {
      int const x = 10 + static_cast<int>(lines[i]);
      EXPECT_TRUE((runs[i].right <= x && runs[i].left >= std::max(10, x - 20)) ||
                  (runs[i].left > x && runs[i].right <= x + 21))
          << c.peak << ": label " << i << " at " << runs[i].left << ".." << runs[i].right << ", its line at " << x;
    }
    EXPECT_GT(runs[1].height, runs[0].height + 10) << c.peak;
  }
}

// A slope line and a width bar whose nearest label places a trace, a fitted curve and a marker's
// line run through: the labels stand where none runs. A label with no other place than over the
// trace leaves every pixel of the trace drawn.
TEST(GlyphPlotter, LabelsKeepOffTracesAndLeaveThemInSight) {
  SampleTrace flat;
  flat.samples.assign(181, 70.0f);  // across the plot at y = 80
  Points falling;
  for (int i = 0; i <= 60; ++i) falling.x.push_back(60.0f + i), falling.y.push_back(55.0f - i * 0.25f);
  MGraph1::YCPlotterEx trace;
  MGraph1::XYCPlotter curve;
  trace.SetData(&flat, 0, false);
  curve.SetData(&falling, 0, false);
  Glyphs data;
  data.records = {Labelled(Glyph(5, 20.0, 90.0, 60.0, 60.0), L"Slope"),
                  Labelled(Glyph(4, 100.0, 75.0, 170.0), L"Width50"), Glyph(2, 75.0, 0.0)};
  MGraph1::GlyphPlotter plotter;
  for (MGraph1::GraphDrawer* drawable : std::initializer_list<MGraph1::GraphDrawer*>{&trace, &curve, &plotter})
    MapPlot(*drawable, 1.0, 0.0, 1.0, 0.0);
  plotter.SetData(&data, 0, false);
  plotter.KeepLabelsOff({&trace, &curve});
  OWL::TRect plot(10, 10, 190, 150), clip = plot;
  GraphCanvas lines(200, 160), labels(200, 160);
  trace.OnDraw(lines.dc, lines.dc, plot, clip);
  curve.OnDraw(lines.dc, lines.dc, plot, clip);
  plotter.OnDraw(labels.dc, labels.dc, plot, clip);
  int ink = 0;
  for (int y = 0; y < 160; ++y)
    for (int x = 0; x < 200; ++x) {
      if (labels.At(x, y) != 0) continue;
      ++ink;
      EXPECT_FALSE(lines.Near(x, y, flat.colour) || lines.Near(x, y, falling.single) ||
                   labels.Near(x, y, data.records[2].colour))
          << x << "," << y;
    }
  EXPECT_GT(ink, 60);
  // Labels first, then the curve, as a drawer's pass goes: the curve is fetched once.
  falling.fetches = 0;
  plotter.OnDraw(labels.dc, labels.dc, plot, clip);
  curve.OnDraw(lines.dc, lines.dc, plot, clip);
  EXPECT_EQ(1, falling.fetches);
  data.records = {Labelled(Glyph(1, 0.0, 75.0), L"Baseline")};
  plotter.OnDraw(lines.dc, lines.dc, plot, clip);
  for (int x = 12; x < 60; ++x) EXPECT_NE(0xFFFFFFu, lines.At(x, 80)) << "trace at x " << x;
}

TEST(SegmentClip, KeepsWhatLiesInsideTheRightAndBottomEdgesExcluded) {
  RECT const plot = {10, 10, 110, 90};
  struct Case {
    double x1, y1, x2, y2;
    bool kept;
    double cx1, cy1, cx2, cy2;
  };
  const Case cases[] = {
      {20, 20, 30, 30, true, 20, 20, 30, 30},
      {0, 50, 200, 50, true, 10, 50, 109, 50},
      {50, 0, 50, 200, true, 50, 10, 50, 89},
      {0, 0, 20, 20, true, 10, 10, 20, 20},
      {0, 0, 5, 200, false, 0, 0, 0, 0},        // both left
      {110, 20, 120, 30, false, 0, 0, 0, 0},    // on the right edge: outside
      {0, 100, 100, 200, false, 0, 0, 0, 0},    // passes by the corner
      {NAN, 20, 30, 30, false, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    double x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
    ASSERT_EQ(c.kept, MGraph1::ClipSegment(x1, y1, x2, y2, plot)) << c.x1 << "," << c.y1;
    if (!c.kept) continue;
    EXPECT_DOUBLE_EQ(c.cx1, x1);
    EXPECT_DOUBLE_EQ(c.cy1, y1);
    EXPECT_DOUBLE_EQ(c.cx2, x2);
    EXPECT_DOUBLE_EQ(c.cy2, y2);
  }
}
