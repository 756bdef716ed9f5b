// The read-out marker: looking the point up, following the mouse and drawing the cross or chevron.
#include "graph/BasicAnnotation.h"

#include "graph/PlotData.h"

#include "base/TickConversion.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TRect.h"

#include <cmath>

namespace MGraph1 {

BasicAnnotation::~BasicAnnotation() {
  if (mOwnsSource) delete mSource;
}

void BasicAnnotation::SetSource(PlotDataBase* source, int32_t series, bool owns) {
  if (mOwnsSource && mSource != source) delete mSource;
  mSource = source;
  mSourceSeries = series;
  mOwnsSource = owns;
}

void BasicAnnotation::Lookup() {
  mValid = false;
  mShow = false;
  if (!mSource) return;
  PointInfo info;
  info.x = mX;
  info.y = mY;
  // Point series are looked up by pixel, counted from the plot's left and top edges.
  if (const MappingRecord* const xm = GetXMapping()) info.pixelX = TruncToInt32Sat(xm->Map(mX));
  if (const MappingRecord* const ym = GetYMapping()) info.pixelY = TruncToInt32Sat(ym->Map(mY));
  if (!mSource->GetPointInfo(mSourceSeries, &info) || std::isnan(info.y)) return;
  mText = info.text;
  mX = info.x;
  mY = info.y;
  mShow = info.valid;
  mValid = true;
}

bool BasicAnnotation::SetPosition(double x, double y) {
  mX = x;
  mY = y;
  Lookup();
  return true;
}

bool BasicAnnotation::SetFromPixel(int32_t px, int32_t py, const OWL::TRect& plot) {
  const MappingRecord* const xm = GetXMapping();
  const MappingRecord* const ym = GetYMapping();
  if (!xm || !ym) return false;
  mX = xm->Unmap(px - plot.left);
  mY = ym->Unmap(py - plot.top);
  Lookup();
  return mValid;
}

bool BasicAnnotation::GetText(QOR::String& text) const {
  if (mValid) text = mText;
  return mValid;
}

bool BasicAnnotation::HandleClick(const OWL::TRect& plot, uint32_t keyFlags, const POINT& press,
                                  const POINT& release) {
  return Probe(mSourceSeries, plot, keyFlags, press, release);
}

bool BasicAnnotation::Probe(int32_t, const OWL::TRect&, uint32_t, const POINT&, const POINT&) { return false; }

void BasicAnnotation::OnDraw(OWL::TDC& dc, OWL::TDC&, OWL::TRect& plot, OWL::TRect&) {
  const MappingRecord* const xm = GetXMapping();
  const MappingRecord* const ym = GetYMapping();
  if (!mValid || !mShow || !IsVisible() || std::isnan(mX) || std::isnan(mY) || !xm || !ym) return;
  int32_t const px = TruncToInt32Sat(xm->Map(mX) + plot.left);
  int32_t const py = TruncToInt32Sat(ym->Map(mY) + plot.top);
  if (px < plot.left || px >= plot.right) return;
  int const oldRop = dc.SetROP2(rop2);
  if (style == 1) {
    if (rop2 == R2_NOT && mDrawn) DrawMarker(dc, mDrawnX, mDrawnY, plot);
    DrawMarker(dc, px, py, plot);
    mDrawnX = px;
    mDrawnY = py;
    mDrawn = true;
  }
  dc.SetROP2(oldRop);
}

void BasicAnnotation::DrawMarker(OWL::TDC& dc, int32_t px, int32_t py, const RECT& plot) const {
  int32_t const s = markerSize;
  if (py >= plot.top && py < plot.bottom) {
    dc.MoveTo(px, py - s);
    dc.LineTo(px, py + s + 1);
    dc.MoveTo(px - s, py);
    dc.LineTo(px + s + 1, py);
    return;
  }
  if (py < plot.top) {
    dc.MoveTo(px - s, plot.top + s);
    dc.LineTo(px, plot.top);
    dc.LineTo(px + s + 1, plot.top + s + 1);
    return;
  }
  int32_t const b = plot.bottom - 2;
  dc.MoveTo(px - s, b - s);
  dc.LineTo(px, b);
  dc.LineTo(px + s + 1, b - s - 1);
}

}  // namespace MGraph1
