// ScrivoDraw::DataPane: painting record by record, one layer alone, the parts without data, and
// the input that goes to the interactive objects.
#include "drawing/DataPane.h"

#include "drawing/LaneSegment.h"
#include "hostapi/ObserverRegistry.h"
#include "hostclient/FrameworkAccess.h"

#include <algorithm>
#include <climits>

namespace ScrivoDraw {

namespace {

constexpr uint32_t kSegmentSampled = 0x80000000u;
constexpr uint32_t kSegmentFinished = 0x08000000u;
constexpr uint32_t kSegmentPrinting = 0x04000000u;
constexpr uint32_t kSegmentRange = 0x02000000u;
constexpr uint32_t kSegmentNoErase = 0x00400000u;
constexpr uint32_t kDisplayBit28 = 0x10000000u;

bool Empty(const RECT& r) noexcept { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

void DataPane::Paint(HDC dc, const RECT& update, HRGN region) noexcept {
  if (!mPaintEnabled || Empty(update)) return;
  ForEachObject([](InteractiveObject& object) { object.PaintBegins(); });
  const bool printing = mPrinting && !(mStyle & kPaneStyleNoControls);
  const uint32_t f = printing ? kSegmentPrinting : 0;
  int32_t left = INT32_MAX;
  int32_t right = INT32_MIN;
  // Without a region the update rectangle is what needs repainting.
  HRGN const own = region ? nullptr : CreateRectRgnIndirect(&update);
  HRGN const repaint = region ? region : own;
  ForEachChild([&](ChildPaneBase& child) {
    int32_t l = 0, r = 0;
    child.GetRepaintSpan(repaint, f, &l, &r);
    child.DrawFrame(dc, 0);
    left = std::min(left, l);
    right = std::max(right, r);
  });
  if (own) DeleteObject(own);
  if (printing) {
    bool dirty = false;
    ForEachChild([&](ChildPaneBase& child) { dirty = dirty || child.HasDirtyLayer(); });
    if (dirty) {
      if (!mFullRedraw) mPrintPosition = -1;
      PaintRange(dc, RECT{kPaneMargin, 0, ClientWidth() - kPaneMargin, ClientHeight()}, left, right);
      mFullRedraw = false;
    }
    RedrawAllLanes(dc);
  } else {
    PaintRange(dc, update, left, right);
  }
  ForEachObject([dc](InteractiveObject& object) { object.PaintEnded(dc); });
}

void DataPane::PaintRange(HDC dc, const RECT& rect, int32_t x0, int32_t x1) noexcept {
  const int64_t right = ClientWidth() - kPaneMargin;
  int64_t pL = x0 - right + mScrollPos;
  const int64_t pR = x1 - right + mScrollPos;
  int64_t x = x0;
  if (pL < 0) {
    x -= pL;
    pL = 0;
  }
  int32_t sampled = -1;
  if (mSampling && mDataSource) mDataSource->GetSampledRecord(&sampled);
  const bool printing = mPrinting && !(mStyle & kPaneStyleNoControls);
  PixMapRecordPosition where{0, -1};
  int64_t segmentEnd = 0;
  const bool any = !mLanes.empty() && mHorzScale && pL < pR &&
                   mHorzScale->PositionToRecord(pL, &where, &segmentEnd) == S_OK;
  if (!any) {
    FillWithoutData(dc, printing);
    return;
  }
  // The columns left of position 0 have no data: the background.
  if (x > x0) FillColumnsWithoutData(dc, printing, rect, x0, x);
  const SegmentStart start{where.record, pL, segmentEnd, pR, x};
  const uint32_t flags = mSegmentFlags | kSegmentRange | (printing ? kSegmentPrinting : 0);
  // On the screen, cached layers due for a redraw are drawn into their caches first, so that the
  // pass that follows composites them under the uncached layers: the paint shows the new picture
  // at once, not the new traces over what the window showed before.
  uint32_t dirtyCaches = 0;
  if (!printing) ForEachChild([&](ChildPaneBase& child) { dirtyCaches |= child.DirtyCachedLayers(); });
  if (dirtyCaches) {
    PaintSegments(dc, rect, start, flags | kPaintNoComposite, sampled, true);
    ForEachChild([](ChildPaneBase& child) { child.EndCachePass(); });
  }
  PaintSegments(dc, rect, start, flags, sampled, false);
  ForEachChild([this](ChildPaneBase& child) {
    if (!child.EndPaintPass() || mSampling) return;
    for (size_t i = 0; i < child.DrawerCount(); ++i) child.Drawer(i)->ReleasePointCache(0);
  });
}

void DataPane::PaintSegments(HDC dc, const RECT& rect, const SegmentStart& start, uint32_t passFlags,
                             int32_t sampled, bool cachedOnly) noexcept {
  int32_t segment = start.record;
  int64_t pL = start.first;
  int64_t segmentEnd = start.end;
  const int64_t pR = start.last;
  int64_t x = start.x;
  const auto paintChild = [&](ChildPaneBase& child, const PaintArgs& args, uint32_t flags) {
    const uint32_t layers = cachedOnly ? child.DirtyCachedLayers() : 0xFFu;
    if (layers) child.Paint(dc, args, flags, layers);
  };
  // At most one pass per record: a scale object whose segments stand still ends the paint.
  for (;;) {
    const uint32_t flags = (segment == sampled ? kSegmentSampled : kSegmentFinished) | passFlags;
    const int64_t end = std::min(segmentEnd, pR);
    const int64_t endX = end - pL + x;
    const PixMapTimeScale time = PlanSegmentTicks(pL);
    PaintArgs args;
    args.firstPosition = pL;
    args.lastPosition = end;
    SetSegmentOrigin(args, segment);
    args.x0 = static_cast<int32_t>(std::clamp<int64_t>(x, INT32_MIN, INT32_MAX));
    args.x1 = static_cast<int32_t>(std::clamp<int64_t>(endX, INT32_MIN, INT32_MAX));
    // Each segment repaints only its own columns of the update rectangle.
    const RECT segmentClip{std::max<LONG>(rect.left, args.x0), rect.top, std::min<LONG>(rect.right, args.x1),
                           rect.bottom};
    args.clip = &segmentClip;
    if (mTimeScaleStrip) {
      args.scale = &mTickPlan;
      paintChild(*mTimeScaleStrip, args, flags);
    }
    const LaneSegment laneSegment = LaneSegmentOf(time);
    args.scale = &laneSegment;
    ForEachLane([&](ChildPaneBase& lane) { paintChild(lane, args, flags); });
    x = endX;
    const int64_t reached = segmentEnd;
    if (reached >= pR) return;  // the data fills the range
    int32_t next = -1;
    int64_t begin = 0;
    if (mHorzScale->NextSegment(segment, &next, &begin, &segmentEnd) != S_OK) break;
    if (segmentEnd <= reached || next <= segment) break;
    const int64_t gap = std::max<int64_t>(0, begin - reached);
    if (!cachedOnly && gap > 0) FillColumnsWithoutData(dc, (passFlags & kSegmentPrinting) != 0, rect, x, x + gap);
    x += gap;
    pL = std::max(begin, reached);
    segment = next;
  }
  // Past the last record (zoomed out beyond the data's length) no child draws: without the fill
  // those columns would keep what an earlier paint left there.
  if (!cachedOnly) FillColumnsWithoutData(dc, (passFlags & kSegmentPrinting) != 0, rect, x, rect.right);
}

PixMapTimeScale DataPane::PlanSegmentTicks(int64_t position) noexcept {
  PixMapTimeScale time{};
  mTickPlan = TimeLabelLayout{};
  mTickPlan.displayFlags &= ~kDisplayBit28;
  if (SUCCEEDED(mHorzScale->GetScaleRecord(position, &time)) && mTimeScaleStrip) {
    double pixelsPerMm = kScreenPixelsPerMm;
    GetPixelsPerMmX(0, mPrintContext, &pixelsPerMm);
    if (ChooseTickStep(mTickPlan, mTimeScaleStrip->LabelWidth(), time.secondsPerPixel, pixelsPerMm))
      LayoutTimeLabels(nullptr, mTickPlan, time, static_cast<double>(position) * time.secondsPerPixel,
                       time.secondsPerPixel);
  }
  return time;
}

LaneSegment DataPane::LaneSegmentOf(const PixMapTimeScale& time) const noexcept {
  LaneSegment segment;
  segment.time = time;
  // The lanes' time grid runs along the strip's major ticks.
  if (HasTicks(mTickPlan)) {
    segment.gridOrigin = mTickPlan.firstTickX + (mTickPlan.minorCountdown - 1) * mTickPlan.minorSpacing;
    segment.gridSpacing = mTickPlan.minorSpacing * mTickPlan.minorPerMajor;
  }
  return segment;
}

void DataPane::FillColumnsWithoutData(HDC dc, bool printing, const RECT& rect, int64_t from, int64_t to) noexcept {
  const int64_t left = std::max<int64_t>(from, rect.left);
  const int64_t right = std::min<int64_t>(to, rect.right);
  if (left >= right) return;
  HBRUSH const brush = CreateSolidBrush(mBackground);
  if (!brush) return;
  ForEachChild([&](ChildPaneBase& child) {
    const RECT& r = child.Rect();
    RECT empty{std::max<LONG>(r.left, static_cast<LONG>(left)), r.top,
               std::min<LONG>(r.right, static_cast<LONG>(right)), r.bottom};
    if (empty.left >= empty.right) return;
    if (!printing) {
      if (dc) FillRect(dc, &empty, brush);
      return;
    }
    // A layer-0 cache holds the child's rows from 0.
    if (HDC const cache = child.LayerCache(0)) {
      OffsetRect(&empty, 0, -r.top);
      FillRect(cache, &empty, brush);
    }
  });
  DeleteObject(brush);
}

// The drawers get the segment's record and its first position counted from the record's first
// sample (the offset the scale object reports).
void DataPane::SetSegmentOrigin(PaintArgs& args, int32_t record) const noexcept {
  args.word = record;
  args.originPosition = args.firstPosition;
  PixMapRecordPosition where{0, -1};
  int64_t end = 0;
  if (mHorzScale && mHorzScale->PositionToRecord(args.firstPosition, &where, &end) == S_OK && where.record == record)
    args.originPosition = where.offset;
}

void DataPane::FillWithoutData(HDC dc, bool printing) noexcept {
  // Every column of every child.
  const RECT everywhere{LONG_MIN, LONG_MIN, LONG_MAX, LONG_MAX};
  FillColumnsWithoutData(dc, printing, everywhere, everywhere.left, everywhere.right);
  if (!mLanes.empty() || !dc) return;
  const RECT area{kPaneMargin, kPaneMargin, ClientWidth() - kPaneMargin, ClientHeight() - StripSpace() + kPaneMargin};
  if (Empty(area)) return;
  HBRUSH const brush = CreateSolidBrush(mBackground);
  if (!brush) return;
  FillRect(dc, &area, brush);
  DeleteObject(brush);
  DrawSunkenFrame(dc, area);
}

void DataPane::RedrawLayer(int32_t layer, bool erase, uint32_t flags, HDC dc, int32_t lane, bool mark) noexcept {
  const int64_t right = ClientWidth() - kPaneMargin;
  int64_t pL = mScrollPos - mVisibleWidth;
  const int64_t pR = mScrollPos;
  int64_t x0 = kPaneMargin;
  if (pL < 0) {
    x0 -= pL;
    pL = 0;
  }
  const bool printing = IsPrintMode();
  uint32_t fl = flags;
  if (!dc && printing) fl |= kSegmentPrinting;
  if (!erase) fl |= kSegmentNoErase;
  if (layer == 0) {
    if (!dc || !printing) return;
    if (lane == -1) {
      RedrawAllLanes(dc);
    } else if (ChannelPane* const child = Lane(lane)) {
      child->Render(dc, mVisibleWidth, mFrameWhileFollowing && IsFollowing());
    }
    return;
  }
  if (layer < 0 || layer >= kLayerCount || !mHorzScale) return;
  PixMapRecordPosition where{0, -1};
  int64_t segmentEnd = 0;
  if (mHorzScale->PositionToRecord(pL, &where, &segmentEnd) != S_OK) return;
  const int64_t end = std::min(segmentEnd, pR);
  LaneSegment segment;
  mHorzScale->GetScaleRecord(pL, &segment.time);
  TimeLabelLayout plan;
  double pixelsPerMm = kScreenPixelsPerMm;
  GetPixelsPerMmX(0, mPrintContext, &pixelsPerMm);
  if (mTimeScaleStrip &&
      ChooseTickStep(plan, mTimeScaleStrip->LabelWidth(), segment.time.secondsPerPixel, pixelsPerMm) &&
      LayoutTimeLabels(nullptr, plan, segment.time, static_cast<double>(pL) * segment.time.secondsPerPixel,
                       segment.time.secondsPerPixel)) {
    segment.gridOrigin = plan.firstTickX + (plan.minorCountdown - 1) * plan.minorSpacing;
    segment.gridSpacing = plan.minorSpacing * plan.minorPerMajor;
  }
  PaintArgs args;
  args.firstPosition = pL;
  args.lastPosition = end;
  SetSegmentOrigin(args, where.record);
  args.x0 = static_cast<int32_t>(x0);
  args.x1 = static_cast<int32_t>(std::clamp<int64_t>(end - pL + x0, INT32_MIN, INT32_MAX));
  args.scale = &segment;
  (void)right;
  const auto redraw = [&](ChildPaneBase& child) {
    child.DirtyLayer(layer, mark);
    child.Paint(dc, args, fl, 1u << layer);
  };
  if (lane == -1) {
    ForEachLane(redraw);
  } else if (ChannelPane* const child = Lane(lane)) {
    redraw(*child);
  }
}

void DataPane::RedrawAllLanes(HDC dc) noexcept {
  const bool frame = mFrameWhileFollowing && IsFollowing();
  ForEachChild([&](ChildPaneBase& child) { child.Render(dc, mVisibleWidth, frame); });
}

void DataPane::NotifyObjectsAt(int32_t a, int32_t b, int32_t c, int32_t d) noexcept {
  const ChannelPair record = LaneChannel(a);
  if (mPositionNotify) {
    mPositionNotify(b, c, d, record.channel);
    return;
  }
  IObserverRegistry* const registry = GetObserverRegistry();
  if (!registry) return;
  const uint32_t words[3] = {static_cast<uint32_t>(record.channel), record.selector, 0};
  registry->NotifySubject(static_cast<IOnlineDataSink*>(this), 0, words);
}

// ---- input ----

void DataPane::OnLeftDown(POINT point, uint32_t keys) noexcept {
  SendToGroup(1, [&](InteractiveObject& object) { object.LeftDown(point, keys); });
}

void DataPane::OnMouseMove(POINT point, uint32_t keys) noexcept {
  SendToGroup(2, [&](InteractiveObject& object) { object.MouseMove(point, keys); });
}

void DataPane::OnLeftUp(POINT point, uint32_t keys) noexcept {
  ForEachObject([&](InteractiveObject& object) { object.LeftUp(point, keys); });
}

void DataPane::OnLeftDoubleClick(POINT point, uint32_t keys, bool* handled) noexcept {
  ForEachObject([&](InteractiveObject& object) { object.LeftDoubleClick(point, keys, handled); });
}

void DataPane::OnMouseLeave() noexcept {
  ForEachObject([](InteractiveObject& object) { object.MouseLeft(); });
}

void DataPane::OnRightDown(POINT point, uint32_t keys) noexcept {
  ForEachObject([&](InteractiveObject& object) { object.RightDown(point, keys); });
}

void DataPane::OnRightUp(POINT point, uint32_t keys) noexcept {
  ForEachObject([&](InteractiveObject& object) { object.RightUp(point, keys); });
}

bool DataPane::OnCursorQuery(int32_t a, int32_t b, int32_t c) noexcept {
  bool set = false;
  ForEachObject([&](InteractiveObject& object) { set = set || object.CursorQuery(a, b, c); });
  return set;
}

void DataPane::OnTimer(uint32_t id) noexcept {
  ForEachObject([id](InteractiveObject& object) { object.Timer(id); });
}

void DataPane::OnNotification(int32_t a, int32_t b) noexcept {
  ForEachObject([a, b](InteractiveObject& object) { object.Notify(a, b); });
}

}  // namespace ScrivoDraw
