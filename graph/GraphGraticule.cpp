// The graticule's scales and drawing: from the scales' tick lists, or from their grid step.
#include "graph/GraphGraticule.h"

#include "platform/owl/TDC.h"
#include "platform/owl/TPen.h"

#include <cmath>
#include <vector>

namespace MGraph1 {

namespace {

// The pixel offsets of one scale's ticks; empty when it has none.
std::vector<int32_t> TickOffsets(IScaleTicks& ticks) {
  int32_t count = 0;
  if (FAILED(ticks.GetTickCount(&count)) || count <= 0) return {};
  std::vector<ScaleTick> entries(static_cast<size_t>(count));
  int32_t written = 0;
  if (FAILED(ticks.GetTicks(count, entries.data(), &written))) return {};
  std::vector<int32_t> offsets;
  for (int32_t i = 0; i < written && i < count; ++i) offsets.push_back(entries[static_cast<size_t>(i)].offset);
  return offsets;
}

// origin + offset as a pixel when it is not past limit (compared before the conversion, so a
// host's huge offset never turns into an out-of-range integer).
bool PixelAt(int32_t origin, double offset, int32_t limit, int32_t& pixel) {
  double const position = origin + offset;
  if (!(position <= limit)) return false;
  pixel = static_cast<int32_t>(position);
  return true;
}

// Farthest line offset and (negative) step of a scale's grid; false when it has none to draw.
bool GridOf(IDragScale& scale, double& farthest, double& step) {
  double first = 0.0;
  if (FAILED(scale.GetGrid(&first, &farthest, &step))) return false;
  return step < 0.0 && farthest / -step <= 10000.0;
}

}  // namespace

GraphGraticule::GraphGraticule(const GraphDisplayInfo& display, IDragScale* xScale, IDragScale* yScale)
    : mXScale(xScale), mYScale(yScale), mDisplay(display) {}

void GraphGraticule::SetScales(IDragScale* xScale, IDragScale* yScale) noexcept {
  mXScale = QOR::ComPtr<IDragScale>(xScale);
  mYScale = QOR::ComPtr<IDragScale>(yScale);
}

void GraphGraticule::Draw(OWL::TDC& dc, OWL::TDC&, const OWL::TRect* clipRect) {
  if (clipRect && (clipRect->right <= mRect.left || clipRect->left >= mRect.right ||
                   clipRect->bottom <= mRect.top || clipRect->top >= mRect.bottom))
    return;
  if (!mXScale || !mYScale) return;
  QOR::ComPtr<IScaleTicks> xTicks;
  QOR::ComPtr<IScaleTicks> yTicks;
  mXScale.As(IID_IScaleTicks, xTicks);
  mYScale.As(IID_IScaleTicks, yTicks);
  if (!xTicks || !yTicks) {
    DrawFromGrid(dc);
    return;
  }
  RECT xExtent = {};
  RECT yExtent = {};
  if (FAILED(xTicks->GetPixelRect(&xExtent)) || FAILED(yTicks->GetPixelRect(&yExtent))) return;
  if (xExtent.right - xExtent.left < 2 || yExtent.bottom - yExtent.top < 2) return;
  std::vector<int32_t> const xs = TickOffsets(*xTicks);
  std::vector<int32_t> const ys = TickOffsets(*yTicks);
  if (xs.empty() || ys.empty()) {
    DrawFromGrid(dc);
    return;
  }
  DrawFromTicks(dc, xs, ys);
}

void GraphGraticule::DrawFromTicks(OWL::TDC& dc, const std::vector<int32_t>& xs,
                                   const std::vector<int32_t>& ys) {
  OWL::TRect const& r = mRect;
  if (mDisplay.graticuleStyle != 0) {
    for (int32_t const x : xs) {
      if (x < 0 || x >= r.Width()) continue;
      for (int32_t const y : ys)
        if (y >= 0 && y < r.Height()) dc.SetPixel(r.left + x, r.top + y, mDisplay.graticuleColour);
    }
    return;
  }
  OWL::TPen pen(OWL::TColor(mDisplay.graticuleColour), 0, PS_DOT);
  dc.SelectObject(pen);
  for (int32_t const offset : xs) {
    if (offset < 0 || offset >= r.Width()) continue;
    dc.MoveTo(r.left + offset, r.top);
    dc.LineTo(r.left + offset, r.bottom);
  }
  for (int32_t const offset : ys) {
    if (offset < 0 || offset >= r.Height()) continue;
    dc.MoveTo(r.left, r.top + offset);
    dc.LineTo(r.right, r.top + offset);
  }
  dc.RestorePen();
}

void GraphGraticule::DrawFromGrid(OWL::TDC& dc) {
  double xFar = 0.0, xStep = 0.0, yFar = 0.0, yStep = 0.0;
  if (!GridOf(*mXScale, xFar, xStep) || !GridOf(*mYScale, yFar, yStep)) return;
  OWL::TRect const& r = mRect;
  if (mDisplay.graticuleStyle != 0) {
    for (double xo = xFar; xo >= 0.0; xo += xStep) {
      int32_t x = 0;
      if (!PixelAt(r.left, xo, r.right, x)) continue;
      for (double yo = yFar; yo >= 0.0; yo += yStep) {
        int32_t y = 0;
        if (PixelAt(r.top, yo, r.bottom, y)) dc.SetPixel(x, y, mDisplay.graticuleColour);
      }
    }
    return;
  }
  OWL::TPen pen(OWL::TColor(mDisplay.graticuleColour), 0, PS_DOT);
  dc.SelectObject(pen);
  for (double xo = xFar; xo >= 0.0; xo += xStep) {
    int32_t x = 0;
    if (!PixelAt(r.left, xo, r.right, x)) continue;
    dc.MoveTo(x, r.top);
    dc.LineTo(x, r.bottom);
  }
  for (double yo = yFar; yo >= 0.0; yo += yStep) {
    int32_t y = 0;
    if (!PixelAt(r.top, yo, r.bottom, y)) continue;
    dc.MoveTo(r.left, y);
    dc.LineTo(r.right, y);
  }
  dc.RestorePen();
}

}  // namespace MGraph1
