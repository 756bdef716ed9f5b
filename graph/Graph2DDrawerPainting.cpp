// The two-dimensional drawer's layout and painting: the cached plot image, the full frame and printing.
#include "graph/Graph2DDrawer.h"

#include "graph/Annotation.h"
#include "graph/GraphDrawer.h"
#include "graph/GraphGraticule.h"
#include "graph/Plotter.h"
#include "graph/QueenController.h"

#include "platform/owl/TBitmap.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TMemoryDC.h"

#include <algorithm>
#include <utility>

namespace MGraph1 {

namespace {

MappingRecord PixelMappingOf(IDragScale& scale, const RECT& area) {
  scale.SetArea(&area);
  DragScaleMapping mapping = {1.0, 0.0};
  scale.GetPixelMapping(&mapping, 0);
  return {mapping.scale, mapping.offset};
}

// Both scales' tick interfaces, when both give their pixel areas.
bool ScaleAreasKnown(IDragScale& xScale, IDragScale& yScale) {
  QOR::ComPtr<IScaleTicks> xTicks;
  QOR::ComPtr<IScaleTicks> yTicks;
  if (FAILED(xScale.QueryInterface(IID_IScaleTicks, xTicks.OutVoid())) || !xTicks) return false;
  if (FAILED(yScale.QueryInterface(IID_IScaleTicks, yTicks.OutVoid())) || !yTicks) return false;
  RECT xArea = {};
  RECT yArea = {};
  return SUCCEEDED(xTicks->GetPixelRect(&xArea)) && SUCCEEDED(yTicks->GetPixelRect(&yArea));
}

// Moves the viewport origin to minus the drawer rectangle's corner for as long as it lives.
class OriginShift {
 public:
  OriginShift(OWL::TDC& dc, const OWL::TRect& drawerRect) noexcept
      : mDc(dc), mOld(dc.SetViewportOrg(OWL::TPoint(-drawerRect.left, -drawerRect.top))) {}
  ~OriginShift() { mDc.SetViewportOrg(mOld); }
  OriginShift(const OriginShift&) = delete;
  OriginShift& operator=(const OriginShift&) = delete;

 private:
  OWL::TDC& mDc;
  OWL::TPoint mOld;
};

}  // namespace

void Graph2DDrawer::GetPlotRect(OWL::TRect& out, const OWL::TRect& r) const {
  out.left = r.left + mLeftMargin;
  out.right = std::max<LONG>(r.right, out.left + 1);
  out.bottom = r.bottom - mBottomMargin;
  out.top = std::min<LONG>(r.top + mTopMargin, out.bottom - 1);
}

void Graph2DDrawer::Layout(const OWL::TRect& r, bool) {
  if (r.Width() < 1 || r.Height() < 1) return;
  mDirty = true;
  OWL::TRect plot;
  GetPlotRect(plot, r);
  if (mXScale) SetXPixelMapping(PixelMappingOf(*mXScale, {plot.left, plot.bottom, plot.right, r.bottom}));
  if (mYScale) SetYPixelMapping(PixelMappingOf(*mYScale, {r.left, plot.top, plot.left, plot.bottom}));
  int32_t const width = plot.right - plot.left;
  int32_t const height = plot.bottom - plot.top;
  for (const Entry& entry : mPlots) entry.drawable->SetPixelSize(width, height);
  for (const Entry& entry : mOverlays) entry.drawable->SetPixelSize(width, height);
  mQueens->SetPixelSize(width, height);
}

// The strips' widths follow their tick labels, and the ticks follow the room the strips leave
// (a taller plot has more and longer labels): measured on one layout, the strips grow until
// their labels fit the next. Half a label's height stays free above the plot, so the top tick's
// label does not touch the edge.
void Graph2DDrawer::RenderTo(OWL::TDC& dc) {
  HGDIOBJ const oldFont = SelectObject(dc.GetHDC(), GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.GetHDC(), &metrics);
  SelectObject(dc.GetHDC(), oldFont);
  mTopMargin = metrics.tmHeight / 2 + 1;
  constexpr int kMaxPasses = 4;
  for (int pass = 0; pass < kMaxPasses; ++pass) {
    Layout(GetDrawerRect(), false);
    int32_t bottom = mBottomMargin;
    int32_t left = mLeftMargin;
    if (mXScale) mXScale->GetExtent(kScaleExtentStrip, dc.GetHDC(), 0, &bottom);
    if (mYScale) mYScale->GetExtent(kScaleExtentStrip, dc.GetHDC(), 0, &left);
    if (pass > 0) {
      if (bottom <= mBottomMargin && left <= mLeftMargin) break;
      bottom = std::max(bottom, mBottomMargin);
      left = std::max(left, mLeftMargin);
    }
    mBottomMargin = bottom;
    mLeftMargin = left;
  }
  Layout(GetDrawerRect(), false);
}

void Graph2DDrawer::PaintScales(OWL::TDC& dc, bool full) const {
  VARIANT_BOOL const flag = full ? VARIANT_TRUE : VARIANT_FALSE;
  mXScale->Paint(dc.GetHDC(), flag, 0);
  mYScale->Paint(dc.GetHDC(), flag, 0);
}

void Graph2DDrawer::Redraw(OWL::TDC& dc, bool erase, const OWL::TRect& r) {
  if (r.Width() < 1 || r.Height() < 1) return;
  int32_t const w = r.Width();
  int32_t const h = r.Height();
  bool const axesReady = AxesReady();
  OWL::TMemoryDC memoryDc(dc);
  OWL::TRect plot;
  GetPlotRect(plot, r);
  RedrawInfo info = {w, h, plot, mDomain.minimum, mDomain.maximum, mRange.minimum, mRange.maximum};
  MsgGraph2DDrawerNotifyBeginRedraw begin(SenderId(), &info);
  mRedrawSender.Send(&begin);
  for (const Entry& entry : mOverlays)
    if (auto* const annotation = dynamic_cast<Annotation*>(entry.drawable)) annotation->ForgetDrawn();

  bool const redrawNeeded = UpdateCache(dc, w, h);
  if (mDirty || redrawNeeded) {
    memoryDc.SelectObject(*mCache);
    DrawFrame(memoryDc, memoryDc, erase, OWL::TRect(0, 0, w, h));
    memoryDc.RestoreBitmap();
    mDirty = false;
  } else if (axesReady && mLayers.axes && (mXDragCount > 0 || mYDragCount > 0)) {
    memoryDc.SelectObject(*mCache);
    RepaintDraggedStrips(memoryDc);
    memoryDc.RestoreBitmap();
  }
  memoryDc.SelectObject(*mCache);
  dc.BitBlt(OWL::TRect(r.left, r.top, r.left + w, r.top + h), memoryDc, OWL::TPoint(0, 0), SRCCOPY);
  memoryDc.RestoreBitmap();

  OWL::TRect whole;
  GetPlotRect(plot, r);
  GetWholeRect(whole, r);
  if (mLayers.queens) DrawChain(*mQueens, dc, dc, plot, whole);
  if (mLayers.overlays) DrawOverlays(dc, dc, plot, whole);
  MsgGraph2DDrawerNotifyEndRedraw end(SenderId(), &info);
  mRedrawSender.Send(&end);
}

// Keeps a cache bitmap of w x h (a new one makes the drawer dirty) and asks the visible
// plotters whether the picture is out of date; true when it must be drawn again.
bool Graph2DDrawer::UpdateCache(OWL::TDC& dc, int32_t w, int32_t h) {
  SIZE cachedSize = {};
  if (mCache && (!GetBitmapDimensionEx(mCache->GetHandle(), &cachedSize) || cachedSize.cx != w ||
                 cachedSize.cy != h))
    mCache.reset();
  if (!mCache) {
    mCache = std::make_unique<OWL::TBitmap>(w, h, dc.GetDeviceCaps(PLANES), dc.GetDeviceCaps(BITSPIXEL),
                                            nullptr);
    SetBitmapDimensionEx(mCache->GetHandle(), w, h, nullptr);
    mDirty = true;
  }
  if (mDirty) return true;
  bool redrawNeeded = false;
  for (const Entry& entry : mPlots) {
    auto* const plotter = dynamic_cast<Plotter*>(entry.drawable);
    if (!plotter || !plotter->IsVisible()) continue;
    if (plotter->NeedsRedraw()) mDirty = true;
    if (plotter->DataChanged()) redrawNeeded = true;
  }
  return redrawNeeded;
}

// During an axis drag: only the dragged scale's strip is painted again into the cache.
void Graph2DDrawer::RepaintDraggedStrips(OWL::TDC& memoryDc) {
  if (!ScaleAreasKnown(*mXScale, *mYScale)) return;
  OriginShift const shift(memoryDc, GetDrawerRect());
  const std::pair<IDragScale*, bool> strips[] = {{mXScale.Get(), mXDragCount > 0},
                                                 {mYScale.Get(), mYDragCount > 0}};
  for (const auto& strip : strips) {
    if (!strip.second) continue;
    QOR::ComPtr<IScaleTicks> ticks;
    RECT area = {};
    if (FAILED(strip.first->QueryInterface(IID_IScaleTicks, ticks.OutVoid())) || !ticks ||
        FAILED(ticks->GetPixelRect(&area)))
      continue;
    FillRect(memoryDc.GetHDC(), &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    strip.first->Paint(memoryDc.GetHDC(), VARIANT_TRUE, 0);
  }
}

void Graph2DDrawer::DrawFrame(OWL::TDC& dc, OWL::TDC& referenceDc, bool erase, const OWL::TRect& r) {
  if (!IsInitialised()) {
    OnFirstDraw();
    SetInitialised();
  }
  if (erase) FillRect(dc.GetHDC(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  OWL::TRect plot;
  OWL::TRect whole;
  GetPlotRect(plot, r);
  GetWholeRect(whole, r);
  if (AxesReady() && mLayers.axes && ScaleAreasKnown(*mXScale, *mYScale)) {
    OriginShift const shift(dc, GetDrawerRect());
    PaintScales(dc, true);
  }
  if (mDisplayInfo.graticuleShown && mLayers.graticule) {
    mGraticule->SetDisplayInfo(mDisplayInfo);
    mGraticule->SetScales(mXDragCount > 0 ? mXDragScale.Get() : mXScale.Get(),
                          mYDragCount > 0 ? mYDragScale.Get() : mYScale.Get());
    mGraticule->SetRect(plot);
    mGraticule->Draw(dc, referenceDc, nullptr);
  }
  if (mLayers.axes) {
    dc.MoveTo(plot.left, plot.top);
    dc.LineTo(plot.left, plot.bottom - 1);
    dc.LineTo(plot.right, plot.bottom - 1);
  }
  if (mLayers.plots) DrawPlots(dc, referenceDc, plot, whole);
}

void Graph2DDrawer::DrawPlots(OWL::TDC& dc, OWL::TDC& referenceDc, const OWL::TRect& plotRect,
                              const OWL::TRect& wholeRect) {
  for (const Entry& entry : mPlots)
    if (entry.drawable->IsVisible()) DrawChain(*entry.drawable, dc, referenceDc, plotRect, wholeRect);
  for (const Entry& entry : mPlots)
    if (auto* const plotter = dynamic_cast<Plotter*>(entry.drawable)) plotter->PassEnded();
}

void Graph2DDrawer::DrawOverlays(OWL::TDC& dc, OWL::TDC& referenceDc, const OWL::TRect& plotRect,
                                 const OWL::TRect& wholeRect) {
  for (const Entry& entry : mOverlays) DrawChain(*entry.drawable, dc, referenceDc, plotRect, wholeRect);
}

void Graph2DDrawer::Print(OWL::TDC& dc, OWL::TDC& referenceDc, const OWL::TRect& r) {
  Layout(r, false);
  bool const scales = mLayers.axes && mXScale && mYScale;
  if (scales) PaintScales(dc, false);
  DrawFrame(dc, referenceDc, true, r);
  OWL::TRect plot;
  OWL::TRect whole;
  GetPlotRect(plot, r);
  GetWholeRect(whole, r);
  if (mLayers.queens) DrawChain(*mQueens, dc, referenceDc, plot, whole);
  if (mLayers.overlays) DrawOverlays(dc, referenceDc, plot, whole);
  if (scales) PaintScales(dc, false);
}

}  // namespace MGraph1
