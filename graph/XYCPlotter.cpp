// The x/y plotter's draw: range synchronisation, fetching the series, the point map and the points.
#include "graph/XYCPlotter.h"

#include "graph/PlotterPenPrivate.h"
#include "graph/XYCPointRunPrivate.h"
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

bool XYCPlotter::FetchSeries(XYCPlotDataBase&, XYCDrawContext& c, bool& reloaded) {
  XYCPlotData* const data = GetTypedData();
  if (!data) return false;
  COLORREF seriesColour = 0;
  const COLORREF* colours = nullptr;
  bool const full = data->IsRedrawPending() || !data->reloadPending;
  if (full && !data->LoadSeries(mSeries)) return false;
  if (!data->GetSeriesData(mSeries, c.count, c.firstIndex, c.xValues, c.yValues, colours, seriesColour, c.flags))
    return false;
  reloaded = full;
  if (!full) data->reloadPending = false;
  data->ClearRedrawPending();
  c.colours = colours;
  c.colourStride = colours ? 1 : 0;
  c.defaultColour = colours ? mColour : seriesColour;
  return true;
}

bool XYCPlotter::TakeSeries(XYCPlotDataBase& data, XYCDrawContext& c, bool& reloaded) {
  if (!mHeld.kept) return FetchSeries(data, c, reloaded);
  mHeld.kept = false;
  c = mHeld.context;
  reloaded = mHeld.reloaded;
  return true;
}

std::vector<POINT> XYCPlotter::LinePixels(const RECT& plot) {
  XYCPlotDataBase* const data = GetXYData();
  const MappingRecord* const xm = GetXMapping();
  const MappingRecord* const ym = GetYMapping();
  if (!data || !GetTypedData() || !xm || !ym) return {};
  // As the draw fetches: with the drawer's ranges pushed into the data first.
  OnXBoundsChanged();
  OnYBoundsChanged();
  mHeld = HeldSeries{};
  if (!FetchSeries(*data, mHeld.context, mHeld.reloaded)) return {};
  mHeld.kept = true;
  const XYCDrawContext& c = mHeld.context;
  if (!c.xValues || !c.yValues) return {};
  std::vector<POINT> line;
  for (int32_t i = 0; i < c.count; ++i) {
    double const x = xm->Map(c.xValues[i]) + plot.left;
    double const y = ym->Map(c.yValues[i]) + plot.top;
    if (std::isfinite(x) && std::isfinite(y)) line.push_back(POINT{TruncToInt32Sat(x), TruncToInt32Sat(y)});
  }
  return line;
}

void XYCPlotter::OnDraw(OWL::TDC& dc, OWL::TDC& referenceDc, OWL::TRect& plotRect, OWL::TRect& clipRect) {
  XYCPlotDataBase* const data = GetXYData();
  if (!data) return;
  OnXBoundsChanged();
  OnYBoundsChanged();
  XYCDrawContext c;
  bool reloaded = false;
  if (!TakeSeries(*data, c, reloaded)) {
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
  XYCPointRun run(dc, c, *xm, *ym, mPenStyle, mLineWidth, ++sPass);
  run.Draw(0, c.count, c.xValues, c.yValues, c.colours);
  DrawDecorations(dc, c);
}

void XYCPlotter::DrawDecorations(OWL::TDC& dc, const XYCDrawContext& c) {
  XYCPlotDataBase* const data = GetXYData();
  if (!data) return;
  if (c.flags & kSeriesLegend) DrawLegend(dc, c, *data);
  DrawHighlight(dc, c, *data);
}

XYCPointRun::XYCPointRun(OWL::TDC& dc, const XYCDrawContext& c, const MappingRecord& xm, const MappingRecord& ym,
                         int32_t penStyle, float lineWidth, uint32_t pass)
    : mDc(dc), mC(c), mX(xm), mY(ym), mLineWidth(lineWidth), mPass(pass), mPen(dc, penStyle, PenWidth(lineWidth), 0),
      mColour(c.defaultColour) {}

XYCPointRun::MappedPoint XYCPointRun::Map(float x, float y) const {
  RECT const& r = mC.plot;
  MappedPoint p;
  p.X = mX.Map(x) + r.left;
  p.Y = mY.Map(y) + r.top;
  bool const yKnown = !std::isnan(p.Y);
  p.known = !std::isnan(p.X) && yKnown;
  p.inside = !std::isnan(p.X) && p.X >= r.left && p.X < r.right && (!yKnown || (p.Y >= r.top && p.Y < r.bottom - 1));
  p.px = TruncToInt32Sat(p.X);
  p.py = yKnown ? TruncToInt32Sat(p.Y) : r.top;  // a y without a number lies on the top edge
  return p;
}

bool XYCPointRun::Record(const MappedPoint& p, float x, float y, int32_t index) {
  int32_t const cx = p.px - mC.plot.left, cy = p.py - mC.plot.top;
  PointRecord old;
  if (mC.pointMap->GetPoint(cx, cy, old)) {
    mC.pointMap->SetPoint(cx, cy, x, y, index, mColour, mPass);
    return old.colour == mColour && old.pass == mPass;
  }
  mC.pointMap->InsertPoint(cx, cy, MakePointRecord(x, y, index, mColour, mPass));
  return false;
}

void XYCPointRun::Connect(const MappedPoint& p) {
  mPen.Use(mColour);
  MappedPoint const& q = mPrevious;
  if (p.inside && q.inside) {
    mDc.MoveTo(q.px, q.py);
    mDc.LineTo(p.px, p.py);
    return;
  }
  double x1 = q.X, y1 = q.Y, x2 = p.X, y2 = p.Y;
  if (!ClipSegment(x1, y1, x2, y2, mC.plot)) return;
  // LineTo leaves out its last pixel: draw towards the end that was cut off.
  bool const thisEndKept = x2 == p.X && y2 == p.Y;
  mDc.MoveTo(TruncToInt32Sat(thisEndKept ? x1 : x2), TruncToInt32Sat(thisEndKept ? y1 : y2));
  mDc.LineTo(TruncToInt32Sat(thisEndKept ? x2 : x1), TruncToInt32Sat(thisEndKept ? y2 : y1));
}

void XYCPointRun::Mark(const MappedPoint& p) {
  mPen.Use(mColour);
  if (!mC.drawSymbols) {
    mDc.SetPixel(p.px, p.py, OWL::TColor(mColour));
  } else if (std::isnan(p.Y)) {
    mDc.MoveTo(TruncToInt32Sat(p.X - mC.symbolW), mC.plot.top);
    mDc.LineTo(TruncToInt32Sat(p.X + mC.symbolW + 1), mC.plot.top);
  } else {
    DrawSymbol(mDc, mC.flags, p.px, p.py, mC.symbolW, mC.symbolH, mColour, mLineWidth);
  }
}

void XYCPointRun::Draw(int32_t first, int32_t n, const float* xs, const float* ys, const COLORREF* colours) {
  bool const recorded = mC.pointMap && !(mC.flags & kSeriesNotInPointMap);
  for (int32_t i = 0; i < n; ++i) {
    if (colours) mColour = colours[i];
    MappedPoint const p = Map(xs[i], ys[i]);
    bool const repeat = recorded && p.inside && Record(p, xs[i], ys[i], mC.firstIndex + first + i);
    if (mC.connect && mHavePrevious && p.known && mPrevious.known) Connect(p);
    if (p.inside && !repeat) Mark(p);
    mPrevious = p;
    mHavePrevious = true;
  }
}

}  // namespace MGraph1
