// The sampled-trace plotters: fetching the trace, mapping samples to pixels and drawing the segments.
#include "graph/YCPlotter.h"

#include "graph/ClipGuard.h"
#include "graph/PlotData.h"
#include "graph/PlotterPenPrivate.h"
#include "graph/SegmentClip.h"

#include "base/TickConversion.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TRect.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace MGraph1 {

namespace {

// Single-colour segments wait here for one PolyPolyline; kept between draws (UI thread only).
class PolylineBatch {
 public:
  static constexpr size_t kLimit = 128;

  void Add(HDC dc, POINT from, POINT to) {
    mPoints.push_back(from);
    mPoints.push_back(to);
    mCounts.push_back(2);
    if (mPoints.size() > kLimit) Flush(dc);
  }
  // Appends to the polyline being built (begun with Start).
  void Start(POINT p) {
    mPoints.push_back(p);
    mCounts.push_back(1);
  }
  void Extend(POINT p) {
    mPoints.push_back(p);
    ++mCounts.back();
  }
  size_t Size() const noexcept { return mPoints.size(); }
  // A one-point polyline gets its point twice, so that it is drawn at all.
  void Close() {
    if (!mCounts.empty() && mCounts.back() == 1) Extend(mPoints.back());
  }
  void Flush(HDC dc) {
    if (!mCounts.empty())
      PolyPolyline(dc, mPoints.data(), mCounts.data(), static_cast<DWORD>(mCounts.size()));
    mPoints.clear();
    mCounts.clear();
  }

 private:
  std::vector<POINT> mPoints;
  std::vector<DWORD> mCounts;
};

PolylineBatch& Batch() {
  static PolylineBatch batch;
  return batch;
}

// A sample mapped to pixels: x truncated, y rounded down, both held within the 32-bit range.
struct TracePoint {
  int32_t x = 0;
  int32_t y = 0;
  bool outside = false;
};

class TraceMapper {
 public:
  TraceMapper(const MappingRecord& xm, const MappingRecord& ym, const YCDrawContext& c) : mX(xm), mY(ym), mC(c) {}

  TracePoint At(int32_t i) const {
    TracePoint p;
    p.x = TruncToInt32Sat(mX.Map(i * mC.step + mC.firstX) + mC.plot.left);
    p.y = TruncToInt32Sat(std::floor(mY.Map(mC.samples[i]) + mC.plot.top));
    RECT const& r = mC.plot;
    p.outside = p.y < r.top || p.y > r.bottom - 1 || p.x < r.left || p.x >= r.right;
    return p;
  }

 private:
  const MappingRecord& mX;
  const MappingRecord& mY;
  const YCDrawContext& mC;
};

// The segment a to b, clipped when either end is outside; false when nothing is left.
bool Visible(const TracePoint& a, const TracePoint& b, const RECT& plot, POINT& from, POINT& to) {
  from = {a.x, a.y};
  to = {b.x, b.y};
  if (!a.outside && !b.outside) return true;
  double x1 = a.x, y1 = a.y, x2 = b.x, y2 = b.y;
  if (!ClipSegment(x1, y1, x2, y2, plot)) return false;
  from = {static_cast<LONG>(x1), static_cast<LONG>(y1)};
  to = {static_cast<LONG>(x2), static_cast<LONG>(y2)};
  return true;
}

}  // namespace

bool IsNoValueSample(const float& sample) noexcept {
  uint32_t bits = 0;
  std::memcpy(&bits, &sample, sizeof bits);
  return (bits & 0x7FFFFFFFu) > 0x7F800000u;
}

void YCPlotter::OnDraw(OWL::TDC& dc, OWL::TDC& referenceDc, OWL::TRect& plotRect, OWL::TRect& clipRect) {
  Prepare(dc, referenceDc, plotRect, clipRect);
  mDirty = false;
}

bool YCPlotter::NeedsRedraw() {
  auto* const data = dynamic_cast<PlotDataBase*>(GetData());
  return mDirty || (data && data->IsRedrawPending());
}

std::vector<POINT> YCPlotter::LinePixels(const RECT& plot) {
  auto* const data = dynamic_cast<YCPlotData*>(GetData());
  const MappingRecord* const xm = GetXMapping();
  const MappingRecord* const ym = GetYMapping();
  YCDrawContext c;
  COLORREF colour = 0;
  if (!data || !xm || !ym || !FetchSamples(*data, c.count, c.firstX, c.step, c.samples, c.colours, colour) ||
      !c.samples)
    return {};
  c.plot = plot;
  TraceMapper const mapper(*xm, *ym, c);
  std::vector<POINT> line;
  line.reserve(static_cast<size_t>(std::max(0, c.count)));
  for (int32_t i = 0; i < c.count; ++i) {
    if (IsNoValueSample(c.samples[i])) continue;
    TracePoint const p = mapper.At(i);
    line.push_back(POINT{p.x, p.y});
  }
  return line;
}

bool YCPlotter::FetchSamples(YCPlotData& data, int32_t& count, double& firstX, double& step, const float*& samples,
                             const COLORREF*& colours, COLORREF& colour) {
  return data.GetSamples(mSeries, count, firstX, step, samples, colours, colour);
}

bool YCPlotterEx::FetchSamples(YCPlotData& data, int32_t& count, double& firstX, double& step,
                               const float*& samples, const COLORREF*& colours, COLORREF& colour) {
  auto* const block = dynamic_cast<YCPlotDataEx*>(&data);
  uint32_t flags = 0;
  return block && block->GetSampleBlock(mSeries, count, firstX, step, samples, colours, colour, flags);
}

void YCPlotter::Prepare(OWL::TDC& dc, OWL::TDC& referenceDc, const OWL::TRect& plotRect,
                        const OWL::TRect& clipRect) {
  auto* const data = dynamic_cast<YCPlotData*>(GetData());
  if (!data) return;
  double low = 0.0, high = 0.0;
  GetXBounds(low, high);
  if (data->xRange.Follow(low, high)) data->SetChanged(true);
  GetYBounds(low, high);
  if (data->yRange.Follow(low, high)) data->SetChanged(true);
  YCDrawContext c;
  COLORREF colour = 0;
  if (!FetchSamples(*data, c.count, c.firstX, c.step, c.samples, c.colours, colour)) {
    mDirty = false;
    return;
  }
  data->ClearRedrawPending();
  // The picture now shows the data as it is, so the read-out may answer from it again.
  data->ClearChanged();
  c.colourStride = c.colours ? 1 : 0;
  if (!c.colours) c.colours = &colour;
  c.plot = plotRect;
  c.clip = clipRect;
  c.plotterColour = mColour;
  c.symbolHalfW = std::max(2, 2 * referenceDc.GetDeviceCaps(LOGPIXELSX) / 72) / 2;
  c.symbolHalfH = std::max(2, 2 * referenceDc.GetDeviceCaps(LOGPIXELSY) / 72) / 2;
  c.drawSymbols = c.count < std::abs(plotRect.Width()) / 4;
  DrawTrace(dc, referenceDc, c);
  mDirty = false;
}

void YCPlotter::DrawTrace(OWL::TDC& dc, OWL::TDC&, const YCDrawContext& c) {
  if (!GetXMapping() || !GetYMapping() || c.count <= 0 || !c.samples || !c.colours) return;
  if (c.colourStride == 0) {
    DrawTraceBatched(dc, c);
    return;
  }
  DrawTraceByColour(dc, c);
}

void YCPlotter::DrawTraceByColour(OWL::TDC& dc, const YCDrawContext& c) {
  TraceMapper const map(*GetXMapping(), *GetYMapping(), c);
  PlotterPen pen(dc, mPenStyle, PenWidth(mLineWidth), c.colours[0]);
  TracePoint previous;
  bool havePrevious = false;
  for (int32_t i = 0; i < c.count; ++i) {
    if (IsNoValueSample(c.samples[i])) {
      havePrevious = false;
      continue;
    }
    TracePoint const p = map.At(i);
    pen.Use(c.colours[c.colourStride * i]);
    POINT from, to;
    if (havePrevious && Visible(previous, p, c.plot, from, to)) {
      dc.MoveTo(from.x, from.y);
      dc.LineTo(to.x, to.y);
    }
    if (!p.outside && c.drawSymbols) {
      int32_t const sx = c.symbolHalfW, sy = c.symbolHalfH;
      dc.MoveTo(p.x - sx, p.y + sy);
      dc.LineTo(p.x + sx + 1, p.y - sy - 1);
      dc.MoveTo(p.x - sx, p.y - sy);
      dc.LineTo(p.x + sx + 1, p.y + sy + 1);
    }
    previous = p;
    havePrevious = true;
  }
}

// As DrawTraceByColour, but a run of samples inside one pixel column becomes one vertical stroke
// over the run's span: a dense trace costs one stroke per column, not one per sample.
void YCPlotter::DrawTraceBatched(OWL::TDC& dc, const YCDrawContext& c) {
  TraceMapper const map(*GetXMapping(), *GetYMapping(), c);
  PlotterPen pen(dc, mPenStyle, PenWidth(mLineWidth), c.colours[0]);
  PolylineBatch& batch = Batch();
  HDC const hdc = dc.GetHDC();
  batch.Flush(hdc);
  TracePoint previous;
  bool havePrevious = false;
  bool spanOpen = false;
  int32_t spanX = 0, spanLow = 0, spanHigh = 0;
  auto const closeSpan = [&] {
    if (spanOpen) batch.Add(hdc, {spanX, spanLow}, {spanX, spanHigh + 1});
    spanOpen = false;
  };
  for (int32_t i = 0; i < c.count; ++i) {
    if (IsNoValueSample(c.samples[i])) {
      closeSpan();
      havePrevious = false;
      continue;
    }
    TracePoint const p = map.At(i);
    if (havePrevious && p.x == previous.x && !p.outside && !previous.outside) {
      if (!spanOpen) spanX = p.x, spanLow = spanHigh = previous.y, spanOpen = true;
      spanLow = std::min(spanLow, p.y);
      spanHigh = std::max(spanHigh, p.y);
    } else {
      closeSpan();
      POINT from, to;
      if (havePrevious && Visible(previous, p, c.plot, from, to)) batch.Add(hdc, from, to);
    }
    if (!p.outside && c.drawSymbols) {
      int32_t const sx = c.symbolHalfW, sy = c.symbolHalfH;
      batch.Add(hdc, {p.x - sx, p.y + sy}, {p.x + sx + 1, p.y - sy - 1});
      batch.Add(hdc, {p.x - sx, p.y - sy}, {p.x + sx + 1, p.y + sy + 1});
    }
    previous = p;
    havePrevious = true;
  }
  closeSpan();
  batch.Flush(hdc);
}

void YCPlotterEx::DrawTraceFast(OWL::TDC& dc, const YCDrawContext& c) {
  if (!GetXMapping() || !GetYMapping() || c.count <= 0 || !c.samples || !c.colours) return;
  TraceMapper const map(*GetXMapping(), *GetYMapping(), c);
  PlotterPen pen(dc, mPenStyle, PenWidth(mLineWidth), c.colours[0]);
  ClipGuard clip(dc, false);
  clip.Intersect(c.plot.left + 1, c.plot.top, c.plot.right, c.plot.bottom - 1);
  PolylineBatch& batch = Batch();
  HDC const hdc = dc.GetHDC();
  batch.Flush(hdc);
  bool open = false;
  POINT last = {};
  for (int32_t i = 0; i < c.count; ++i) {
    if (IsNoValueSample(c.samples[i])) {
      batch.Close();
      open = false;
      continue;
    }
    TracePoint const t = map.At(i);
    POINT const p = {t.x, t.y};
    if (open && p.x == last.x && p.y == last.y) continue;
    if (!open) {
      batch.Start(p);
      open = true;
    } else {
      batch.Extend(p);
    }
    last = p;
    if (batch.Size() > PolylineBatch::kLimit) {
      batch.Close();
      batch.Flush(hdc);
      batch.Start(last);  // the next polyline goes on from here, leaving no gap
    }
  }
  batch.Close();
  batch.Flush(hdc);
}

}  // namespace MGraph1
