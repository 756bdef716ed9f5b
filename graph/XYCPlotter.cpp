// The x/y plotter's draw: range synchronisation, fetching the series, the point map and the points.
#include "graph/XYCPlotter.h"

#include "graph/PlotterPenPrivate.h"
#include "graph/SegmentClip.h"
#include "graph/XYCPlotData.h"

#include "base/TickConversion.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TRect.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace MGraph1 {

uint32_t XYCPlotter::sPass = 0;

namespace {

// Symbol size in pixels from points at the device's resolution, at least 2.
int32_t SymbolPixels(double points, int pixelsPerInch) {
  return std::max(2, TruncToInt32Sat(pixelsPerInch * points / 72.0));
}

// One point as mapped into the plot.
struct MappedPoint {
  double X = 0.0;
  double Y = 0.0;
  bool known = false;   // both coordinates are numbers (a y without one is drawn on the top edge)
  bool inside = false;
};

}  // namespace

XYCPlotDataBase* XYCPlotter::GetXYData() const { return dynamic_cast<XYCPlotDataBase*>(GetData()); }

XYCPlotData* XYCPlotter::GetTypedData() const { return dynamic_cast<XYCPlotData*>(GetData()); }

void XYCPlotter::OnDataSet() {
  OnXBoundsChanged();
  OnYBoundsChanged();
}

void XYCPlotter::OnXBoundsChanged() {
  XYCPlotDataBase* const data = GetXYData();
  double low = 0.0, high = 0.0;
  GetXBounds(low, high);
  if (data && data->xRange.Follow(low, high)) data->SetChanged(true);
}

void XYCPlotter::OnYBoundsChanged() {
  XYCPlotDataBase* const data = GetXYData();
  double low = 0.0, high = 0.0;
  GetYBounds(low, high);
  if (data && data->yRange.Follow(low, high)) data->SetChanged(true);
}

bool XYCPlotter::DataChanged() {
  XYCPlotDataBase* const data = GetXYData();
  return !data || data->IsRedrawPending();
}

bool XYCPlotter::NeedsRedraw() {
  XYCPlotDataBase* const data = GetXYData();
  return mDirty || (data && (data->IsRedrawPending() || data->reloadPending));
}

// Fetches the arrays: a full reload (LoadSeries first) unless only a reload is pending.
bool XYCPlotter::FetchSeries(XYCPlotData& data, XYCDrawContext& c, bool& reloaded) {
  COLORREF seriesColour = 0;
  const COLORREF* colours = nullptr;
  bool const full = data.IsRedrawPending() || !data.reloadPending;
  if (full && !data.LoadSeries(mSeries)) return false;
  if (!data.GetSeriesData(mSeries, c.count, c.firstIndex, c.xValues, c.yValues, colours, seriesColour, c.flags))
    return false;
  reloaded = full;
  if (!full) data.reloadPending = false;
  data.ClearRedrawPending();
  c.colours = colours;
  c.colourStride = colours ? 1 : 0;
  c.defaultColour = colours ? mColour : seriesColour;
  return true;
}

void XYCPlotter::OnDraw(OWL::TDC& dc, OWL::TDC& referenceDc, OWL::TRect& plotRect, OWL::TRect& clipRect) {
  XYCPlotData* const data = GetTypedData();
  if (!data) return;
  OnXBoundsChanged();
  OnYBoundsChanged();
  XYCDrawContext c;
  bool reloaded = false;
  if (!FetchSeries(*data, c, reloaded)) {
    mDirty = false;
    return;
  }
  c.plot = plotRect;
  c.clip = clipRect;
  GetXBounds(c.xLow, c.xHigh);
  GetYBounds(c.yLow, c.yHigh);
  c.drawSymbols = (c.flags & kSeriesSymbols) != 0;
  c.connect = (c.flags & kSeriesConnect) != 0;
  c.symbolW = SymbolPixels(symbolWidth, referenceDc.GetDeviceCaps(LOGPIXELSX));
  c.symbolH = SymbolPixels(symbolHeight, referenceDc.GetDeviceCaps(LOGPIXELSY));
  if (reloaded) data->ClearPointMap();
  int32_t opened = 0;
  if (data->BeginPointMap(std::abs(plotRect.Width()), std::abs(plotRect.Height()), opened)) c.pointMap = data;
  DrawPoints(dc, c);
  if (c.pointMap) data->EndPointMap();
  mDirty = false;
}

void XYCPlotter::DrawPoints(OWL::TDC& dc, const XYCDrawContext& c) {
  const MappingRecord* const xm = GetXMapping();
  const MappingRecord* const ym = GetYMapping();
  if (c.count <= 0 || !xm || !ym || !c.xValues || !c.yValues) return;
  uint32_t const pass = ++sPass;
  PlotterPen pen(dc, mPenStyle, PenWidth(mLineWidth), 0);
  RECT const& r = c.plot;
  COLORREF colour = c.defaultColour;
  MappedPoint previous;
  for (int32_t i = 0; i < c.count; ++i) {
    if (c.colours) colour = c.colours[c.colourStride * i];
    MappedPoint p;
    p.X = xm->Map(c.xValues[i]) + r.left;
    p.Y = ym->Map(c.yValues[i]) + r.top;
    bool const yKnown = !std::isnan(p.Y);
    p.known = !std::isnan(p.X) && yKnown;
    p.inside = !std::isnan(p.X) && p.X >= r.left && p.X < r.right &&
               (!yKnown || (p.Y >= r.top && p.Y < r.bottom - 1));
    // A y without a number lies on the top edge, where its stroke is drawn.
    int32_t const px = TruncToInt32Sat(p.X);
    int32_t const py = yKnown ? TruncToInt32Sat(p.Y) : r.top;
    bool repeat = false;
    if (c.pointMap && p.inside && !(c.flags & kSeriesNotInPointMap)) {
      PointRecord old;
      int32_t const cx = px - r.left, cy = py - r.top;
      if (c.pointMap->GetPoint(cx, cy, old)) {
        repeat = old.colour == colour && old.pass == pass;
        c.pointMap->SetPoint(cx, cy, c.xValues[i], c.yValues[i], c.firstIndex + i, colour, pass);
      } else {
        PointRecord record;
        record.x = c.xValues[i];
        record.y = c.yValues[i];
        record.index = c.firstIndex + i;
        record.pass = pass;
        record.colour = colour;
        c.pointMap->InsertPoint(cx, cy, record);
      }
    }
    if (c.connect && i > 0 && p.known && previous.known) {
      pen.Use(colour);
      if (p.inside && previous.inside) {
        dc.MoveTo(TruncToInt32Sat(previous.X), TruncToInt32Sat(previous.Y));
        dc.LineTo(px, py);
      } else {
        double x1 = previous.X, y1 = previous.Y, x2 = p.X, y2 = p.Y;
        if (ClipSegment(x1, y1, x2, y2, r)) {
          bool const thisEndKept = x2 == p.X && y2 == p.Y;
          // LineTo leaves out its last pixel: draw towards the end that was cut off.
          int32_t const ax = TruncToInt32Sat(thisEndKept ? x1 : x2), ay = TruncToInt32Sat(thisEndKept ? y1 : y2);
          int32_t const bx = TruncToInt32Sat(thisEndKept ? x2 : x1), by = TruncToInt32Sat(thisEndKept ? y2 : y1);
          dc.MoveTo(ax, ay);
          dc.LineTo(bx, by);
        }
      }
    }
    if (p.inside && !repeat) {
      pen.Use(colour);
      if (!c.drawSymbols) {
        dc.SetPixel(px, py, OWL::TColor(colour));
      } else if (!yKnown) {
        dc.MoveTo(TruncToInt32Sat(p.X - c.symbolW), r.top);
        dc.LineTo(TruncToInt32Sat(p.X + c.symbolW + 1), r.top);
      } else {
        DrawSymbol(dc, c.flags, px, py, c.symbolW, c.symbolH, colour, mLineWidth);
      }
    }
    previous = p;
  }
  XYCPlotDataBase* const data = GetXYData();
  if (!data) return;
  if (c.flags & kSeriesLegend) DrawLegend(dc, c, *data);
  DrawHighlight(dc, c, *data);
}

}  // namespace MGraph1
