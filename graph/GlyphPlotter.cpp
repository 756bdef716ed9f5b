// The glyph plotter's drawing: one pen per colour run, labels in fonts made for the device.
#include "graph/GlyphPlotter.h"

#include "graph/GlyphPlotData.h"
#include "graph/LabelPlacer.h"
#include "graph/MappingRecord.h"
#include "graph/PlotterPenPrivate.h"
#include "graph/SegmentClip.h"

#include "base/TickConversion.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TFont.h"
#include "platform/owl/TRect.h"
#include "platform/uihelpers/DialogFonts.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

namespace MGraph1 {

namespace {

constexpr COLORREF kFirstPenColour = 0xFFFF00;

// A label font at angle (0 or 900 tenths of a degree), selected into the DC for the object's
// life, with its metrics.
class LabelFont {
 public:
  LabelFont(OWL::TDC& dc, OWL::TFont& font, int angle) : mDc(dc), mAngle(angle) {
    dc.SelectObject(font);
    GetTextMetricsW(dc.GetHDC(), &mMetrics);
  }
  LabelFont(const LabelFont&) = delete;
  LabelFont& operator=(const LabelFont&) = delete;
  ~LabelFont() { mDc.RestoreFont(); }

  const TEXTMETRICW& Metrics() const noexcept { return mMetrics; }
  int Angle() const noexcept { return mAngle; }
  // The width of text and the font's line height.
  SIZE Extent(const QOR::String& text) const {
    SIZE extent{0, 0};
    GetTextExtentPoint32W(mDc.GetHDC(), text.GetText(), text.Length(), &extent);
    return SIZE{extent.cx, mMetrics.tmHeight};
  }

 private:
  OWL::TDC& mDc;
  int const mAngle;
  TEXTMETRICW mMetrics{};
};

// Writes horizontal text at (x, y) with alignment in labelFont; where a label drawn before covers
// that place, it goes below or above it instead.
void Label(OWL::TDC& dc, LabelPlacer& placer, const RECT& plot, const QOR::String& text, int32_t x, int32_t y,
           OWL::TFont& labelFont, UINT align) {
  if (text.IsEmpty()) return;
  LabelFont const font(dc, labelFont, 0);
  const TEXTMETRICW& metrics = font.Metrics();
  int const gap = std::max<int>(2, metrics.tmHeight / 6);
  POINT const offset = placer.Place(LabelBox(x, y, font.Extent(text), metrics.tmAscent, 0, align),
                                    POINT{0, metrics.tmHeight + gap}, plot);
  UINT const oldAlign = dc.SetTextAlign(align);
  dc.TextOut(x + offset.x, y + offset.y, text.GetText());
  dc.SetTextAlign(oldAlign);
}

int32_t PointsToPixels(const OWL::TDC& dc, int index, double points) {
  return TruncToInt32Sat(dc.GetDeviceCaps(index) * points / 72.0);
}

// What a marker's label keeps off: every line where it can, else the data's lines alone.
constexpr std::initializer_list<LinesOff> kOffLinesElseData = {LinesOff::DataAndMarkers, LinesOff::Data};

// Writes text in font, which is selected, filling the first free one of places (the boxes it may
// fill, best first; see LabelPlacer::PlaceFirstFree for passes); answers the box it fills.
RECT LabelAtFirstFree(OWL::TDC& dc, LabelPlacer& placer, const RECT& plot, const LabelFont& font,
                      const QOR::String& text, const std::vector<RECT>& places,
                      std::initializer_list<LinesOff> passes) {
  RECT const box = places[placer.PlaceFirstFree(places, plot, passes)];
  UINT const oldAlign = dc.SetTextAlign(TA_TOP | TA_LEFT);
  // Text reading upwards starts at the box's bottom, with its glyphs' tops to the left.
  dc.TextOut(box.left, font.Angle() == 0 ? box.top : box.bottom, text.GetText());
  dc.SetTextAlign(oldAlign);
  return box;
}

// A place for a label and the ways it moves farther from its line: -1 left or up, 1 right or down.
struct LabelPlace {
  RECT box;
  LONG awayX;
  LONG awayY;
};

// The places' boxes followed by each of them moved farther by a step, across and then along, and
// then by two steps: so a label keeps its side of a line as it moves off what covers its nearer
// places.
std::vector<RECT> WithFartherPlaces(const std::vector<LabelPlace>& places, SIZE step) {
  std::vector<RECT> boxes;
  for (const LabelPlace& place : places) boxes.push_back(place.box);
  for (LONG k = 1; k <= 2; ++k)
    for (POINT const way : {POINT{0, 1}, POINT{1, 0}, POINT{1, 1}})
      for (const LabelPlace& place : places) {
        if (way.x && !place.awayX) continue;
        RECT moved = place.box;
        OffsetRect(&moved, way.x * place.awayX * k * step.cx, way.y * place.awayY * k * step.cy);
        boxes.push_back(moved);
      }
  return boxes;
}

// The box of a label of size with its left or right edge at x and its top or bottom at y.
RECT BoxAt(SIZE size, int32_t x, bool fromLeft, int32_t y, bool fromTop) {
  int32_t const left = fromLeft ? x : x - size.cx;
  int32_t const top = fromTop ? y : y - size.cy;
  return RECT{left, top, left + size.cx, top + size.cy};
}

// The glyphs' indices in the order they are drawn: their own, but the vertical lines trade places
// among themselves so that they are labelled from left to right on the plot (a line without a
// place last).
std::vector<int32_t> DrawingOrder(const GlyphRecord* glyphs, int32_t count, const MappingRecord& xMapping) {
  std::vector<int32_t> order;
  std::vector<int32_t> upright;
  for (int32_t i = 0; i < count; ++i) {
    order.push_back(i);
    if (glyphs[i].kind == kGlyphVerticalLine) upright.push_back(i);
  }
  const auto leftOf = [&](int32_t a, int32_t b) {
    double const xa = xMapping.Map(glyphs[a].x), xb = xMapping.Map(glyphs[b].x);
    return !std::isnan(xa) && (std::isnan(xb) || xa < xb);
  };
  std::vector<int32_t> byX = upright;
  std::stable_sort(byX.begin(), byX.end(), leftOf);
  for (size_t k = 0; k < upright.size(); ++k) order[upright[k]] = byX[k];
  return order;
}

}  // namespace

GlyphPlotter::GlyphPlotter() = default;
GlyphPlotter::~GlyphPlotter() = default;

OWL::TFont& GlyphPlotter::FontFor(OWL::TDC& dc, int points, int angle) const {
  for (const DrawingFont& made : mFonts)
    if (made.points == points && made.angle == angle) return *made.font;
  mFonts.push_back({points, angle, std::unique_ptr<OWL::TFont>(QOR::CreateFontForDC(&dc, points, angle))});
  return *mFonts.back().font;
}

void GlyphPlotter::OnDraw(OWL::TDC& dc, OWL::TDC&, OWL::TRect& plotRect, OWL::TRect&) {
  // A drawing's DC may have another resolution than the last one's.
  mFonts.clear();
  if (mOwnsLabels) {
    mLabels->Clear();
    for (Plotter* const line : mLinesToKeepOff) mLabels->KeepOff(line->LinePixels(plotRect), true);
  }
  auto* const data = dynamic_cast<GlyphPlotData*>(GetData());
  if (!data || !GetXMapping() || !GetYMapping()) return;
  double xLow = 0.0, xHigh = 0.0;
  GetXBounds(xLow, xHigh);
  int32_t count = 0;
  const GlyphRecord* glyphs = nullptr;
  if (!data->GetGlyphs(xLow, xHigh, mSeries, count, glyphs) || !glyphs) return;
  std::vector<int32_t> const order = DrawingOrder(glyphs, count, *GetXMapping());
  mUprightLabelsFrom = plotRect.left;
  mUprightLines.clear();
  dc.SelectStockObject(BLACK_PEN);
  dc.SelectStockObject(BLACK_BRUSH);
  int const oldRop = dc.SetROP2(rop2);
  int const oldFill = SetPolyFillMode(dc.GetHDC(), WINDING);
  // Labels leave what lies under them in sight.
  int const oldBackground = dc.SetBkMode(TRANSPARENT);
  {
    PlotterPen pen(dc, mPenStyle, PenWidth(mLineWidth), kFirstPenColour);
    // Every line first, so that the labels know them all and no line is drawn over a label.
    for (GlyphPart const part : {GlyphPart::Line, GlyphPart::Label})
      for (int32_t const i : order) {
        pen.Use(glyphs[i].colour);
        DrawGlyph(dc, *mLabels, glyphs[i], plotRect, part);
      }
  }
  dc.SetBkMode(oldBackground);
  dc.RestoreBrush();
  dc.SetROP2(oldRop);
  SetPolyFillMode(dc.GetHDC(), oldFill);
  mFonts.clear();
}

void GlyphPlotter::ShareLabelsWith(const GlyphPlotter& earlier) {
  mLabels = earlier.mLabels;
  mOwnsLabels = false;
}

void GlyphPlotter::DrawGlyph(OWL::TDC& dc, LabelPlacer& labels, const GlyphRecord& g, const RECT& r,
                             GlyphPart part) {
  double const X = GetXMapping()->Map(g.x) + r.left;
  double const Y = GetYMapping()->Map(g.y) + r.top;
  bool const xInside = r.left < X && X < r.right;
  bool const yInside = r.top < Y && Y < r.bottom;
  switch (g.kind) {
    case kGlyphArrow: {
      if (!xInside || part == GlyphPart::Label) return;
      int32_t const x = static_cast<int32_t>(X);
      POINT const arrow[8] = {{x, r.top + 10}, {x + 5, r.top + 5}, {x + 3, r.top + 5}, {x + 3, r.top},
                              {x - 3, r.top},  {x - 3, r.top + 5}, {x - 5, r.top + 5}, {x, r.top + 10}};
      Polygon(dc.GetHDC(), arrow, 8);
      return;
    }
    case kGlyphHorizontalLine: {
      if (!yInside) return;
      int32_t const y = static_cast<int32_t>(Y);
      if (part == GlyphPart::Label) {
        Label(dc, labels, r, g.label, r.left + 2, y, FontFor(dc, 9, 0), TA_BOTTOM);
        return;
      }
      dc.MoveTo(r.left, y);
      dc.LineTo(r.right, y);
      labels.KeepOff({POINT{r.left, y}, POINT{r.right - 1, y}}, false);
      return;
    }
    case kGlyphVerticalLine: {
      if (!xInside) return;
      int32_t const x = static_cast<int32_t>(X);
      if (part == GlyphPart::Label) {
        LabelUpright(dc, labels, g.label, r, x);
        return;
      }
      dc.MoveTo(x, r.top);
      dc.LineTo(x, r.bottom);
      labels.KeepOff({POINT{x, r.top}, POINT{x, r.bottom - 1}}, false);
      mUprightLines.push_back(x);
      return;
    }
    case kGlyphHorizontalSegment: {
      double const X2 = GetXMapping()->Map(g.x2) + r.left;
      bool const x2Inside = r.left < X2 && X2 < r.right;
      if (!yInside || !(xInside || x2Inside) || std::isnan(X) || std::isnan(X2)) return;
      double const from = std::clamp<double>(X, r.left, r.right);
      double const to = std::clamp<double>(X2, r.left, r.right);
      int32_t const y = static_cast<int32_t>(Y);
      if (part == GlyphPart::Label) {
        LabelSegment(dc, labels, g.label, r, from, to, y);
        return;
      }
      dc.MoveTo(static_cast<int32_t>(from), y);
      dc.LineTo(static_cast<int32_t>(to), y);
      labels.KeepOff({POINT{static_cast<LONG>(from), y}, POINT{static_cast<LONG>(to), y}}, false);
      return;
    }
    case kGlyphLine: DrawFreeLine(dc, labels, g, r, X, Y, part); return;
    default: return;
  }
}

// A vertical line's label reads upwards from near the plot's bottom, left of the line or, where a
// label, the trace or another line stands there, right of it; where both sides are taken, higher
// up the line. The lines are labelled from left to right and no label goes left of the one before
// or of the line before, so the labels stand in the lines' order and each beside its own line.
void GlyphPlotter::LabelUpright(OWL::TDC& dc, LabelPlacer& labels, const QOR::String& label, const RECT& r,
                                int32_t x) {
  if (label.IsEmpty()) return;
  LabelFont const font(dc, FontFor(dc, 9, 900), 900);
  SIZE const size = font.Extent(label);
  int32_t const gap = std::max<int32_t>(2, size.cy / 6);
  // No label stands left of the one before or across the line before its own.
  int32_t from = mUprightLabelsFrom;
  for (int32_t const other : mUprightLines)
    if (other < x) from = std::max(from, other + 1);
  std::vector<RECT> places;
  // Up the line as far as the plot reaches, and at the bottom even on a plot lower than the label.
  for (int32_t k = 0; k == 0 || r.bottom - 5 - k * (size.cx + gap) - size.cx >= r.top; ++k) {
    int32_t const bottom = r.bottom - 5 - k * (size.cx + gap);
    for (RECT const place : {RECT{x - 1 - size.cy, bottom - size.cx, x - 1, bottom},
                             RECT{x + 2, bottom - size.cx, x + 2 + size.cy, bottom}})
      if (place.left >= from) places.push_back(place);
  }
  // Where it can, a label keeps between its line and the next one, with no other line through it.
  std::vector<RECT> between;
  std::copy_if(places.begin(), places.end(), std::back_inserter(between), [&](const RECT& place) {
    return std::none_of(mUprightLines.begin(), mUprightLines.end(),
                        [&](int32_t other) { return other != x && place.left - 1 <= other && other <= place.right; });
  });
  if (!between.empty()) places = std::move(between);
  if (places.empty()) return;
  mUprightLabelsFrom = LabelAtFirstFree(dc, labels, r, font, label, places, kOffLinesElseData).left;
}

// The label stands just above a bar it fits along, or just below; beside a shorter bar, at its
// height, after its end or before its start. So the bar is never under its own label; where the
// trace runs through those places, farther above or below.
void GlyphPlotter::LabelSegment(OWL::TDC& dc, LabelPlacer& labels, const QOR::String& label, const RECT& r,
                                double from, double to, int32_t y) const {
  if (label.IsEmpty()) return;
  LabelFont const font(dc, FontFor(dc, 9, 0), 0);
  SIZE const size = font.Extent(label);
  int32_t const gap = std::max<int32_t>(2, size.cy / 6);
  int32_t const left = static_cast<int32_t>(from);
  int32_t const right = static_cast<int32_t>(to);
  int32_t const middle = y + size.cy / 2;
  std::vector<LabelPlace> places;
  if (right - left >= size.cx + gap) {
    places.push_back({BoxAt(size, left + gap, true, y - 1, false), 0, -1});
    places.push_back({BoxAt(size, left + gap, true, y + 2, true), 0, 1});
  }
  places.push_back({BoxAt(size, right + gap, true, middle, false), 1, 1});
  places.push_back({BoxAt(size, left - gap, false, middle, false), -1, 1});
  LabelAtFirstFree(dc, labels, r, font, label, WithFartherPlaces(places, SIZE{size.cx / 2, size.cy + gap}),
                   kOffLinesElseData);
}

void GlyphPlotter::DrawFreeLine(OWL::TDC& dc, LabelPlacer& labels, const GlyphRecord& g, const RECT& r, double X,
                                double Y, GlyphPart part) const {
  double x1 = X, y1 = Y;
  double x2 = GetXMapping()->Map(g.x2) + r.left;
  double y2 = GetYMapping()->Map(g.y2) + r.top;
  // A line off the plot shows nothing, not even its label.
  if (!ClipSegment(x1, y1, x2, y2, r)) return;
  POINT const from{static_cast<LONG>(x1), static_cast<LONG>(y1)}, to{static_cast<LONG>(x2), static_cast<LONG>(y2)};
  if (part == GlyphPart::Line) {
    dc.MoveTo(from.x, from.y);
    dc.LineTo(to.x, to.y);
    labels.KeepOff({from, to}, false);
  }
  if (g.label.IsEmpty()) return;
  if (!g.withSample) {
    if (part == GlyphPart::Label) LabelFreeLine(dc, labels, g.label, r, x1 < x2 ? from : to, x1 < x2 ? to : from);
    return;
  }
  // With a sample stroke the label is a legend entry at the plot's top left.
  int32_t labelX = r.left + 5 + labelOffsetX;
  int32_t const labelY = r.top + 1 + PointsToPixels(dc, LOGPIXELSY, labelOffsetY);
  int32_t const strokeY = labelY + PointsToPixels(dc, LOGPIXELSY, 5.0);
  int32_t const strokeEnd = labelX + PointsToPixels(dc, LOGPIXELSX, 16.0);
  labelX = strokeEnd + PointsToPixels(dc, LOGPIXELSX, 2.0);
  if (part == GlyphPart::Label) {
    Label(dc, labels, r, g.label, labelX, labelY, FontFor(dc, 10, 0), useLabelAlign ? labelAlign : TA_TOP | TA_LEFT);
    return;
  }
  dc.MoveTo(r.left + 5 + labelOffsetX, strokeY);
  dc.LineTo(strokeEnd, strokeY);
}

// The label of a line's shown part stands beside it, on the side the line does not run to: a
// line rising from the left has it above and before its start (where the trace it follows has not
// risen yet), a falling one below and before; without room before the start, after the end, below
// a rising line's end and above a falling one's. Where the trace or the fitted curve runs through
// those places, on the other side of the start or end, or a little farther from the line. It never
// leaves the line's side for a clear place farther off, where it would read as the label of what
// stands there (a stimulus artefact beside a short line): with no clear place beside its line it
// stands over the trace, keeping off the markers' lines where it can.
void GlyphPlotter::LabelFreeLine(OWL::TDC& dc, LabelPlacer& labels, const QOR::String& label, const RECT& r,
                                 POINT left, POINT right) const {
  LabelFont const font(dc, FontFor(dc, 10, 0), 0);
  SIZE const size = font.Extent(label);
  int32_t const gap = std::max<int32_t>(2, size.cy / 6);
  bool const rising = right.y < left.y;
  // The box before the start or after the end, above or below that end, kept on the plot's height.
  const auto place = [&](bool beforeStart, bool above) {
    POINT const end = beforeStart ? left : right;
    int32_t const x = beforeStart ? end.x - gap : end.x + gap;
    int32_t const y = above ? end.y - gap : end.y + gap;
    RECT box = BoxAt(size, x, !beforeStart, y, !above);
    OffsetRect(&box, 0, std::max<LONG>(r.top - box.top, 0) + std::min<LONG>(r.bottom - box.bottom, 0));
    return LabelPlace{box, beforeStart ? -1 : 1, above ? -1 : 1};
  };
  std::vector<LabelPlace> const closest = {place(true, rising), place(false, !rising), place(true, !rising),
                                         place(false, rising)};
  std::vector<RECT> places = WithFartherPlaces(closest, SIZE{size.cx / 2, size.cy + gap});
  // Beside the line: at most a label's height and two gaps from it. A near place kept on the
  // plot's height may lie farther off; with none beside, the near places stay.
  int32_t const reach = size.cy + 2 * gap + 1;
  const auto away = [&](const RECT& box) {
    RECT around = box;
    InflateRect(&around, reach, reach);
    double x1 = left.x, y1 = left.y, x2 = right.x, y2 = right.y;
    return !ClipSegment(x1, y1, x2, y2, around);
  };
  places.erase(std::remove_if(places.begin(), places.end(), away), places.end());
  if (places.empty())
    for (const LabelPlace& place : closest) places.push_back(place.box);
  LabelAtFirstFree(dc, labels, r, font, label, places, {LinesOff::DataAndMarkers, LinesOff::Markers});
}

}  // namespace MGraph1
