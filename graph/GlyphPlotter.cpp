// The glyph plotter's drawing: one pen per colour run, labels in fonts made for the device.
#include "graph/GlyphPlotter.h"

#include "graph/GlyphPlotData.h"
#include "graph/LabelPlacer.h"
#include "graph/PlotterPenPrivate.h"
#include "graph/SegmentClip.h"

#include "base/TickConversion.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TFont.h"
#include "platform/owl/TRect.h"
#include "platform/uihelpers/DialogFonts.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace MGraph1 {

namespace {

constexpr COLORREF kFirstPenColour = 0xFFFF00;

// A label font of points at angle (0 or 900 tenths of a degree), selected into the DC for the
// object's life, with its metrics.
class LabelFont {
 public:
  LabelFont(OWL::TDC& dc, int points, int angle)
      : mDc(dc), mFont(QOR::CreateFontForDC(&dc, points, angle)), mAngle(angle) {
    dc.SelectObject(*mFont);
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
  std::unique_ptr<OWL::TFont> const mFont;
  int const mAngle;
  TEXTMETRICW mMetrics{};
};

// Writes text at (x, y) with alignment in font, which is selected; where a label drawn before
// covers that place, it goes beside it (upward text) or below or above it (level text) instead.
void Label(OWL::TDC& dc, LabelPlacer& placer, const RECT& plot, const LabelFont& font, const QOR::String& text,
           int32_t x, int32_t y, UINT align) {
  if (text.IsEmpty()) return;
  const TEXTMETRICW& metrics = font.Metrics();
  int const gap = std::max<int>(2, metrics.tmHeight / 6);
  POINT const step = font.Angle() == 0 ? POINT{0, metrics.tmHeight + gap} : POINT{metrics.tmHeight + gap, 0};
  POINT const offset =
      placer.Place(LabelBox(x, y, font.Extent(text), metrics.tmAscent, font.Angle(), align), step, plot);
  UINT const oldAlign = dc.SetTextAlign(align);
  dc.TextOut(x + offset.x, y + offset.y, text.GetText());
  dc.SetTextAlign(oldAlign);
}

// The same in a font of points at angle made for the call.
void Label(OWL::TDC& dc, LabelPlacer& placer, const RECT& plot, const QOR::String& text, int32_t x, int32_t y,
           int points, int angle, UINT align) {
  if (text.IsEmpty()) return;
  LabelFont const font(dc, points, angle);
  Label(dc, placer, plot, font, text, x, y, align);
}

int32_t PointsToPixels(const OWL::TDC& dc, int index, double points) {
  return TruncToInt32Sat(dc.GetDeviceCaps(index) * points / 72.0);
}

}  // namespace

void GlyphPlotter::OnDraw(OWL::TDC& dc, OWL::TDC&, OWL::TRect& plotRect, OWL::TRect&) {
  if (mOwnsLabels) mLabels->Clear();
  auto* const data = dynamic_cast<GlyphPlotData*>(GetData());
  if (!data || !GetXMapping() || !GetYMapping()) return;
  double xLow = 0.0, xHigh = 0.0;
  GetXBounds(xLow, xHigh);
  int32_t count = 0;
  const GlyphRecord* glyphs = nullptr;
  if (!data->GetGlyphs(xLow, xHigh, mSeries, count, glyphs) || !glyphs) return;
  dc.SelectStockObject(BLACK_PEN);
  dc.SelectStockObject(BLACK_BRUSH);
  int const oldRop = dc.SetROP2(rop2);
  int const oldFill = SetPolyFillMode(dc.GetHDC(), WINDING);
  {
    PlotterPen pen(dc, mPenStyle, PenWidth(mLineWidth), kFirstPenColour);
    for (int32_t i = 0; i < count; ++i) {
      pen.Use(glyphs[i].colour);
      DrawGlyph(dc, *mLabels, glyphs[i], plotRect);
    }
  }
  dc.RestoreBrush();
  dc.SetROP2(oldRop);
  SetPolyFillMode(dc.GetHDC(), oldFill);
}

void GlyphPlotter::ShareLabelsWith(const GlyphPlotter& earlier) {
  mLabels = earlier.mLabels;
  mOwnsLabels = false;
}

void GlyphPlotter::DrawGlyph(OWL::TDC& dc, LabelPlacer& labels, const GlyphRecord& g, const RECT& r) const {
  double const X = GetXMapping()->Map(g.x) + r.left;
  double const Y = GetYMapping()->Map(g.y) + r.top;
  bool const xInside = r.left < X && X < r.right;
  bool const yInside = r.top < Y && Y < r.bottom;
  switch (g.kind) {
    case kGlyphArrow: {
      if (!xInside) return;
      int32_t const x = static_cast<int32_t>(X);
      POINT const arrow[8] = {{x, r.top + 10}, {x + 5, r.top + 5}, {x + 3, r.top + 5}, {x + 3, r.top},
                              {x - 3, r.top},  {x - 3, r.top + 5}, {x - 5, r.top + 5}, {x, r.top + 10}};
      Polygon(dc.GetHDC(), arrow, 8);
      return;
    }
    case kGlyphHorizontalLine: {
      if (!yInside) return;
      int32_t const y = static_cast<int32_t>(Y);
      dc.MoveTo(r.left, y);
      dc.LineTo(r.right, y);
      Label(dc, labels, r, g.label, r.left + 2, y, 9, 0, TA_BOTTOM);
      return;
    }
    case kGlyphVerticalLine: {
      if (!xInside) return;
      int32_t const x = static_cast<int32_t>(X);
      dc.MoveTo(x, r.top);
      dc.LineTo(x, r.bottom);
      Label(dc, labels, r, g.label, x, r.bottom - 5, 9, 900, TA_BOTTOM);
      return;
    }
    case kGlyphHorizontalSegment: {
      double const X2 = GetXMapping()->Map(g.x2) + r.left;
      bool const x2Inside = r.left < X2 && X2 < r.right;
      if (!yInside || !(xInside || x2Inside) || std::isnan(X) || std::isnan(X2)) return;
      double const from = std::clamp<double>(X, r.left, r.right);
      double const to = std::clamp<double>(X2, r.left, r.right);
      int32_t const y = static_cast<int32_t>(Y);
      dc.MoveTo(static_cast<int32_t>(from), y);
      dc.LineTo(static_cast<int32_t>(to), y);
      LabelSegment(dc, labels, g.label, r, from, to, y);
      return;
    }
    case kGlyphLine: DrawFreeLine(dc, labels, g, r, X, Y); return;
    default: return;
  }
}

// The label stands just above a bar it fits along; beside a shorter bar, at its height, after
// its end or, without room there, before its start. So the bar is never under its own label.
void GlyphPlotter::LabelSegment(OWL::TDC& dc, LabelPlacer& labels, const QOR::String& label, const RECT& r,
                                double from, double to, int32_t y) const {
  if (label.IsEmpty()) return;
  LabelFont const font(dc, 9, 0);
  SIZE const size = font.Extent(label);
  int32_t const gap = std::max<int32_t>(2, size.cy / 6);
  int32_t const left = static_cast<int32_t>(from);
  int32_t const right = static_cast<int32_t>(to);
  if (right - left >= size.cx + gap) {
    Label(dc, labels, r, font, label, left + gap, y - 1, TA_BOTTOM | TA_LEFT);
    return;
  }
  int32_t const middle = y + size.cy / 2;
  if (right + gap + size.cx <= r.right)
    Label(dc, labels, r, font, label, right + gap, middle, TA_BOTTOM | TA_LEFT);
  else
    Label(dc, labels, r, font, label, left - gap, middle, TA_BOTTOM | TA_RIGHT);
}

void GlyphPlotter::DrawFreeLine(OWL::TDC& dc, LabelPlacer& labels, const GlyphRecord& g, const RECT& r, double X,
                                double Y) const {
  double x1 = X, y1 = Y;
  double x2 = GetXMapping()->Map(g.x2) + r.left;
  double y2 = GetYMapping()->Map(g.y2) + r.top;
  // A line off the plot shows nothing, not even its label.
  if (!ClipSegment(x1, y1, x2, y2, r)) return;
  dc.MoveTo(static_cast<int32_t>(x1), static_cast<int32_t>(y1));
  dc.LineTo(static_cast<int32_t>(x2), static_cast<int32_t>(y2));
  if (g.label.IsEmpty()) return;
  if (!g.withSample) {
    LabelFreeLine(dc, labels, g.label, r, x1 < x2 ? POINT{static_cast<LONG>(x1), static_cast<LONG>(y1)}
                                                  : POINT{static_cast<LONG>(x2), static_cast<LONG>(y2)},
                  x1 < x2 ? POINT{static_cast<LONG>(x2), static_cast<LONG>(y2)}
                          : POINT{static_cast<LONG>(x1), static_cast<LONG>(y1)});
    return;
  }
  // With a sample stroke the label is a legend entry at the plot's top left.
  int32_t labelX = r.left + 5 + labelOffsetX;
  int32_t const labelY = r.top + 1 + PointsToPixels(dc, LOGPIXELSY, labelOffsetY);
  int32_t const strokeY = labelY + PointsToPixels(dc, LOGPIXELSY, 5.0);
  int32_t const strokeEnd = labelX + PointsToPixels(dc, LOGPIXELSX, 16.0);
  dc.MoveTo(labelX, strokeY);
  dc.LineTo(strokeEnd, strokeY);
  labelX = strokeEnd + PointsToPixels(dc, LOGPIXELSX, 2.0);
  Label(dc, labels, r, g.label, labelX, labelY, 10, 0, useLabelAlign ? labelAlign : TA_TOP | TA_LEFT);
}

// The label of a line's shown part stands beside it, on the side the line does not run to: a
// line rising from the left has it above and before its start (where the trace it follows has not
// risen yet), a falling one below and before; without room before the start, after the end, below
// a rising line's end and above a falling one's.
void GlyphPlotter::LabelFreeLine(OWL::TDC& dc, LabelPlacer& labels, const QOR::String& label, const RECT& r,
                                 POINT left, POINT right) const {
  LabelFont const font(dc, 10, 0);
  SIZE const size = font.Extent(label);
  int32_t const gap = std::max<int32_t>(2, size.cy / 6);
  bool const rising = right.y < left.y;
  // The reference y of a label above (its bottom) or below (its top) y, kept on the plot.
  const auto level = [&](int32_t y, bool above) -> int32_t {
    if (above) return std::max<int32_t>(std::min<int32_t>(y - gap, r.bottom), r.top + size.cy);
    return std::min<int32_t>(std::max<int32_t>(y + gap, r.top), r.bottom - size.cy);
  };
  if (left.x - gap - size.cx >= r.left) {
    Label(dc, labels, r, font, label, left.x - gap, level(left.y, rising), TA_RIGHT | (rising ? TA_BOTTOM : TA_TOP));
    return;
  }
  Label(dc, labels, r, font, label, right.x + gap, level(right.y, !rising), TA_LEFT | (rising ? TA_TOP : TA_BOTTOM));
}

}  // namespace MGraph1
