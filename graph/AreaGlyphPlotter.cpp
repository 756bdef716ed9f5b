// The area plotter: outlines from the trace and the baseline, filled by alpha blending or in pastel.
#include "graph/AreaGlyphPlotter.h"

#include "graph/ClipGuard.h"
#include "graph/GlyphPlotData.h"
#include "graph/YCPlotter.h"

#include "base/TickConversion.h"
#include "platform/owl/TBitmap.h"
#include "platform/owl/TBrush.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TMemoryDC.h"
#include "platform/owl/TPen.h"
#include "platform/owl/TRect.h"

#include <cmath>
#include <memory>

namespace MGraph1 {

namespace {

// The pastel of a colour: each channel halved and raised by 127.
COLORREF Pastel(COLORREF colour) {
  auto const channel = [](int value) { return static_cast<int>(std::lround(value * 0.5 + 127.0)); };
  return RGB(channel(GetRValue(colour)), channel(GetGValue(colour)), channel(GetBValue(colour)));
}

}  // namespace

AreaGlyphPlotter::~AreaGlyphPlotter() {
  if (mOwnsAreas) delete mAreas;
}

void AreaGlyphPlotter::SetAreas(GlyphPlotData* areas, int32_t key, bool owns) {
  if (mOwnsAreas && mAreas != areas) delete mAreas;
  mAreas = areas;
  mAreaKey = key;
  mOwnsAreas = owns;
  OnDataSet();
}

std::vector<POINT> AreaGlyphPlotter::Outline(const GlyphRecord& area, const Trace& t) const {
  const MappingRecord& xm = *GetXMapping();
  const MappingRecord& ym = *GetYMapping();
  std::vector<POINT> points;
  double x = t.firstX;
  for (int32_t i = 0; i < t.count; ++i, x += t.step) {
    if (!(area.x <= x && x < area.x2) || IsNoValueSample(t.samples[i])) continue;
    POINT const p = {TruncToInt32Sat(xm.Map(x)), TruncToInt32Sat(ym.Map(t.samples[i]))};
    if (points.empty() || p.x != points.back().x) points.push_back(p);
  }
  if (points.empty()) return points;
  LONG const firstColumn = points.front().x;
  if (!std::isnan(area.y2)) points.push_back({points.back().x, TruncToInt32Sat(ym.Map(area.y2))});
  if (!std::isnan(area.y)) points.push_back({firstColumn, TruncToInt32Sat(ym.Map(area.y))});
  return points;
}

void AreaGlyphPlotter::OnDraw(OWL::TDC& dc, OWL::TDC&, OWL::TRect& plotRect, OWL::TRect&) {
  auto* const block = dynamic_cast<YCPlotDataEx*>(GetData());
  if (!block || !GetXMapping() || !GetYMapping()) return;
  Trace trace;
  const COLORREF* colours = nullptr;
  COLORREF colour = 0;
  uint32_t flags = 0;
  if (!block->GetSampleBlock(mSeries, trace.count, trace.firstX, trace.step, trace.samples, colours, colour, flags) ||
      !trace.samples)
    return;
  block->ClearRedrawPending();
  double xLow = 0.0, xHigh = 0.0;
  GetXBounds(xLow, xHigh);
  int32_t count = 0;
  const GlyphRecord* areas = nullptr;
  if (!mAreas || !mAreas->GetGlyphs(xLow, xHigh, mAreaKey, count, areas) || !areas) return;
  int const caps = dc.GetDeviceCaps(SHADEBLENDCAPS);
  bool const blends = (caps & SB_CONST_ALPHA) && (caps & SB_PIXEL_ALPHA);
  for (int32_t i = 0; i < count; ++i) {
    std::vector<POINT> const outline = Outline(areas[i], trace);
    if (outline.empty()) continue;
    if (blends)
      FillBlended(dc, plotRect, outline, areas[i].colour);
    else
      FillPastel(dc, plotRect, outline, areas[i].colour);
  }
}

void AreaGlyphPlotter::FillPastel(OWL::TDC& dc, const RECT& plot, const std::vector<POINT>& outline,
                                  COLORREF colour) {
  COLORREF const pastel = Pastel(colour);
  OWL::TBrush brush{OWL::TColor(pastel)};
  OWL::TPen pen(OWL::TColor(pastel), 1, PS_NULL);
  // The outline is moved onto the plot rather than the DC's origin: a printout's DC may carry an
  // origin of its own (the page's margin), which must stay.
  std::vector<POINT> placed(outline);
  for (POINT& point : placed) {
    point.x += plot.left;
    point.y += plot.top;
  }
  ClipGuard clip(dc, true);
  clip.Intersect(plot.left, plot.top, plot.right - 1, plot.bottom - 1);
  dc.SelectObject(brush);
  dc.SelectObject(pen);
  Polygon(dc.GetHDC(), placed.data(), static_cast<int>(placed.size()));
  dc.RestorePen();
  dc.RestoreBrush();
}

// The polygon is drawn into a DIB cleared to a key colour unlike the area's, so only its own
// pixels get alpha (and keep their colour, premultiplied at full alpha); all others are cleared.
void AreaGlyphPlotter::FillBlended(OWL::TDC& dc, const RECT& plot, const std::vector<POINT>& outline,
                                   COLORREF colour) {
  int const width = plot.right - plot.left;
  int const height = plot.bottom - plot.top;
  if (width < 1 || height < 1) return;
  uint32_t* bits = nullptr;
  std::unique_ptr<OWL::TBitmap> const dib(OWL::TBitmap::CreateDIB32(width, height, &bits));
  if (!dib || !bits) return;
  OWL::TMemoryDC memory(dc);
  memory.SelectObject(*dib);
  COLORREF const key = colour ^ 0x00FFFFFF;
  OWL::TBrush keyBrush{OWL::TColor(key)};
  memory.FillRect(OWL::TRect(0, 0, width, height), keyBrush);
  OWL::TBrush brush{OWL::TColor(colour)};
  OWL::TPen pen{OWL::TColor(colour)};
  memory.SelectObject(brush);
  memory.SelectObject(pen);
  Polygon(memory.GetHDC(), outline.data(), static_cast<int>(outline.size()));
  GdiFlush();
  // DIB pixels are 0x00RRGGBB; the colour as such a pixel:
  uint32_t const pixel = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  size_t const total = static_cast<size_t>(width) * static_cast<size_t>(height);
  for (size_t i = 0; i < total; ++i) bits[i] = (bits[i] & 0x00FFFFFF) == pixel ? (pixel | 0xFF000000u) : 0u;
  BLENDFUNCTION const blend = {AC_SRC_OVER, 0, 127, AC_SRC_ALPHA};
  AlphaBlend(dc.GetHDC(), plot.left, plot.top, width, height, memory.GetHDC(), 0, 0, width, height, blend);
  memory.RestoreObjects();
}

}  // namespace MGraph1
