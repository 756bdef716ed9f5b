// The x/y plotter's symbols, legend entry and highlight box.
#include "graph/XYCPlotter.h"

#include "graph/PlotterPenPrivate.h"
#include "graph/XYCPlotData.h"

#include "base/TickConversion.h"
#include "platform/owl/TBrush.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TFont.h"
#include "platform/owl/TRegion.h"
#include "platform/uihelpers/DCUnits.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace MGraph1 {

namespace {

void FillPolygon(OWL::TDC& dc, std::initializer_list<POINT> points, COLORREF colour) {
  OWL::TRegion region(CreatePolygonRgn(points.begin(), static_cast<int>(points.size()), ALTERNATE),
                      OWL::TAutoDelete::AutoDelete);
  OWL::TBrush brush{OWL::TColor(colour)};
  dc.FillRgn(region, brush);
}

void Outline(OWL::TDC& dc, std::initializer_list<POINT> points) {
  dc.MoveTo(points.begin()->x, points.begin()->y);
  for (auto p = points.begin() + 1; p != points.end(); ++p) dc.LineTo(p->x, p->y);
}

// The first shape bit set, or 0 for the cross.
uint32_t ShapeOf(uint32_t flags) {
  for (uint32_t bit = kSeriesFirstSymbolShape; bit <= kSeriesLastSymbolShape; bit <<= 1)
    if (flags & bit) return bit;
  return 0;
}

}  // namespace

void DrawBox(OWL::TDC& dc, int32_t x, int32_t y, int32_t halfW, int32_t halfH) {
  Outline(dc, {{x - halfW, y + halfH}, {x + halfW, y + halfH}, {x + halfW, y - halfH}, {x - halfW, y - halfH},
               {x - halfW, y + halfH}});
}

void DrawSymbol(OWL::TDC& dc, uint32_t flags, int32_t X, int32_t Y, int32_t w, int32_t h, COLORREF colour,
                float lineWidth) {
  int32_t const a = static_cast<int32_t>(2.5 * w);
  int32_t const b = static_cast<int32_t>(2.5 * h);
  switch (ShapeOf(flags)) {
    case 0x008: FillPolygon(dc, {{X, Y - b}, {X - a, Y + b}, {X + a, Y + b}}, colour); return;
    case 0x010: {
      OWL::TRegion region(CreateRectRgn(X - a, Y - b, X + a, Y + b), OWL::TAutoDelete::AutoDelete);
      OWL::TBrush brush{OWL::TColor(colour)};
      dc.FillRgn(region, brush);
      return;
    }
    case 0x020: FillPolygon(dc, {{X - a, Y}, {X, Y + b}, {X + a, Y}, {X, Y - b}}, colour); return;
    case 0x040: FillPolygon(dc, {{X, Y + b}, {X - a, Y - b}, {X + a, Y - b}}, colour); return;
    case 0x080: Outline(dc, {{X, Y - 2 * h}, {X - 2 * w, Y + 2 * h}, {X + 2 * w, Y + 2 * h}, {X, Y - 2 * h}}); return;
    case 0x100: DrawBox(dc, X, Y, 2 * w, 2 * h); return;
    case 0x200: Outline(dc, {{X - a, Y}, {X, Y + b}, {X + a, Y}, {X, Y - b}, {X - a, Y}}); return;
    case 0x400: Outline(dc, {{X, Y + 2 * h}, {X - 2 * w, Y - 2 * h}, {X + 2 * w, Y - 2 * h}, {X, Y + 2 * h}}); return;
    default: break;
  }
  // Thin pens reach one pixel further, so the cross stays symmetric.
  int32_t const t = TruncToInt32Sat(2.0 - lineWidth);
  Outline(dc, {{X - w, Y + h}, {X + w + t, Y - h - t}});
  Outline(dc, {{X - w, Y - h}, {X + w + t, Y + h + t}});
}

void XYCPlotter::DrawLegend(OWL::TDC& dc, const XYCDrawContext& c, XYCPlotDataBase& data) const {
  bool const rasterDisplay = dc.GetDeviceCaps(TECHNOLOGY) == DT_RASDISPLAY;
  OWL::TFont font(L"MS Shell Dlg 2", -QOR::PointsToLogicalHeight(dc, 9), 0, 0, 0, FW_NORMAL,
                  VARIABLE_PITCH | FF_SWISS, false, false, false, DEFAULT_CHARSET,
                  rasterDisplay ? OUT_DEFAULT_PRECIS : OUT_TT_ONLY_PRECIS);
  dc.SelectObject(font);
  TEXTMETRICW metrics = {};
  dc.GetTextMetrics(metrics);
  UINT const oldAlign = dc.SetTextAlign(TA_TOP | TA_LEFT);
  int32_t const xb = c.plot.left + 1;
  int32_t const yb = c.plot.top;
  int32_t const row = static_cast<int32_t>(1.5 * metrics.tmHeight);
  int32_t const line = 15 * metrics.tmAveCharWidth;
  int32_t const sx = static_cast<int32_t>(row + 0.5 * (line - row));
  int32_t const tx = static_cast<int32_t>(line + 0.5 * row);
  int32_t const h2 = static_cast<int32_t>(0.5 * metrics.tmHeight);
  int32_t off = (data.legendRow + 1) * row;
  const wchar_t* const name = data.name.GetText();
  for (uint32_t bit = kSeriesFirstSymbolShape; bit <= kSeriesLastSymbolShape; bit <<= 1) {
    if (!(c.flags & bit)) continue;
    dc.MoveTo(xb + row, yb + off);
    dc.LineTo(xb + line, yb + off);
    dc.TextOut(xb + tx, yb + off - h2, name);
    DrawSymbol(dc, bit, xb + sx, yb + off, c.symbolW, c.symbolH, c.defaultColour, mLineWidth);
    off += data.legendRow * row;  // a further shape bit of the series shifts its next entry
  }
  LegendExtent& e = data.legend;
  int32_t const textWidth = static_cast<int32_t>(1.3 * data.name.Length() * metrics.tmAveCharWidth);
  e.left = std::min(e.left, xb + row);
  e.right = std::max(e.right, xb + tx + textWidth);
  e.top = std::min(e.top, yb + off - row / 2);
  e.bottom = std::max(e.bottom, yb + off + row / 2);
  e.largestHeight = std::max(e.largestHeight, row);
  dc.SetTextAlign(oldAlign);
  dc.RestoreFont();
}

void XYCPlotter::DrawHighlight(OWL::TDC& dc, const XYCDrawContext& c, const XYCPlotDataBase& data) const {
  double const hx = data.highlightX, hy = data.highlightY;
  if (!std::isfinite(hx) || !std::isfinite(hy) || hx == XYCPlotDataBase::kNoHighlight ||
      hy == XYCPlotDataBase::kNoHighlight)
    return;
  RECT const& r = c.plot;
  int32_t const px = TruncToInt32Sat(GetXMapping()->Map(hx) + r.left);
  int32_t const py = TruncToInt32Sat(GetYMapping()->Map(hy) + r.top);
  if (!(r.left + 1 < px && px < r.right - 1 && r.top + 1 < py && py < r.bottom - 1)) return;
  int32_t halfW = data.highlightFactor * c.symbolW * 4;
  int32_t halfH = data.highlightFactor * c.symbolH * 4;
  halfW = std::min<int32_t>(halfW, r.right - 1 - px);
  halfH = std::min<int32_t>(halfH, r.bottom - 1 - py);
  if (halfW <= 1 || halfH <= 1) return;
  PlotterPen pen(dc, mPenStyle, PenWidth(mLineWidth), data.highlightColour);
  DrawBox(dc, px, py, halfW, halfH);
}

}  // namespace MGraph1
