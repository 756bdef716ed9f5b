// ScrivoDraw::ChildPaneBase: painting the layers, compositing the caches, rendering and the frame.
#include "drawing/ChildPaneBase.h"

#include "drawing/ChildPaneHost.h"
#include "drawing/DrawingServices.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TPen.h"
#include "platform/uihelpers/Colours.h"
#include "platform/uihelpers/ScreenBitMapDC.h"
#include "platform/uihelpers/WindowHelpers.h"

#include <algorithm>

namespace ScrivoDraw {

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// Restores a DC's window origin when it goes out of scope.
class WindowOriginGuard {
 public:
  explicit WindowOriginGuard(HDC dc) noexcept : mDc(dc) { GetWindowOrgEx(dc, &mOrigin); }
  ~WindowOriginGuard() { SetWindowOrgEx(mDc, mOrigin.x, mOrigin.y, nullptr); }
  WindowOriginGuard(const WindowOriginGuard&) = delete;
  WindowOriginGuard& operator=(const WindowOriginGuard&) = delete;
  const POINT& Original() const noexcept { return mOrigin; }

 private:
  HDC mDc;
  POINT mOrigin{};
};

}  // namespace

int32_t ChildPaneBase::RingColumn() const noexcept {
  const int32_t width = mRect.right - mRect.left;
  if (width <= 0) return 0;
  const int32_t offset = mPane->RingOffset() % width;
  return offset < 0 ? offset + width : offset;
}

void ChildPaneBase::Paint(HDC dc, const PaintArgs& args, uint32_t flags, uint32_t layerSet) noexcept {
  // An empty or inverted lane has no caches and shows nothing.
  if (mRect.bottom <= mRect.top || mRect.right <= mRect.left) return;
  if (args.clip && !RectVisible(dc, args.clip)) return;
  const RECT clip = args.clip ? *args.clip : RECT{args.x0, mRect.top, args.x1, mRect.bottom};
  const bool ring = mPane->RingSwitch() && mPane->IsScrolling();
  Target fallback{dc, mRect.top};
  if (mLayers[0].cache && (flags & kPaintIntoCache)) fallback = Target{mLayers[0].cache->GetHDC(), 0};
  for (int32_t n = 0; n < kLayerCount; ++n) {
    if (layerSet & (1u << n)) PaintLayer(n, fallback, args, clip, flags, ring);
  }
}

void ChildPaneBase::PaintLayer(int32_t index, const Target& fallback, const PaintArgs& args, const RECT& clip,
                               uint32_t flags, bool ring) noexcept {
  PaneLayer& layer = mLayers[static_cast<size_t>(index)];
  if (layer.firstDrawer < 0 || layer.dirty.left >= layer.dirty.right) {
    layer.dirty = RECT{0, 0, 0, 0};
    layer.flags &= ~kLayerDirty;
  }
  const bool cached = (layer.flags & kLayerCached) && layer.cache;
  // A cached layer is composited even without drawers: layer 0's cache is the lane's background
  // and covers what an earlier picture left there.
  if (!cached && layer.firstDrawer < 0) return;
  if (cached && !(layer.flags & kLayerDirty)) {
    if (flags & kPaintNoComposite) return;
    if (layer.cache->GetHDC() != fallback.dc) {
      // Only the columns this paint repaints: a paint in several segments composites each
      // segment's own columns and keeps what the segments before it drew.
      const int saved = SaveDC(fallback.dc);
      IntersectClipRect(fallback.dc, clip.left, fallback.top, clip.right, fallback.top + (mRect.bottom - mRect.top));
      Composite(layer, fallback, ring);
      RestoreDC(fallback.dc, saved);
    }
    layer.dirty = RECT{0, 0, 0, 0};
    layer.flags &= ~kLayerDirty;
    return;
  }
  RECT area;
  if (!IntersectRect(&area, &layer.dirty, &clip)) return;
  OffsetRect(&area, 0, -mRect.top);
  uint32_t drawFlags = flags;
  if (cached && (layer.flags & kLayerTransparent) && layer.opacity == 255 && !(flags & kPaintNoWhiteKey))
    drawFlags |= kPaintWhiteFill;
  if (!cached) {
    WindowOriginGuard guard(fallback.dc);
    SetWindowOrgEx(fallback.dc, guard.Original().x, guard.Original().y - fallback.top, nullptr);
    DrawLayerDrawers(fallback.dc, layer, area, mRect.right, args, drawFlags);
  } else if (!ring) {
    DrawLayerDrawers(layer.cache->GetHDC(), layer, area, mRect.right, args, drawFlags);
  } else {
    // The cache is a ring: the lane's left edge sits at cache column R.
    HDC const cache = layer.cache->GetHDC();
    const int32_t r = RingColumn();
    const int32_t split = mRect.right - r;
    WindowOriginGuard guard(cache);
    RECT piece = area;
    piece.right = std::min<LONG>(area.right, split);
    SetWindowOrgEx(cache, mRect.left - r, 0, nullptr);
    if (piece.left < piece.right) DrawLayerDrawers(cache, layer, piece, split, args, drawFlags);
    piece = area;
    piece.left = std::max<LONG>(area.left, split);
    SetWindowOrgEx(cache, split, 0, nullptr);
    if (piece.left < piece.right) DrawLayerDrawers(cache, layer, piece, mRect.right, args, drawFlags);
  }
  if (cached) layer.flags |= kLayerDrawn;
  layer.pending.reset();
  mPainted = 0xFFFF;
}

void ChildPaneBase::DrawLayerDrawers(HDC dc, const PaneLayer& layer, const RECT& area, int32_t fillRight,
                                     const PaintArgs& args, uint32_t flags) noexcept {
  if (flags & kPaintWhiteFill) {
    const RECT fill{area.left, 0, fillRight, mRect.bottom - mRect.top};
    FillRect(dc, &fill, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  for (int32_t i = layer.firstDrawer; i >= 0 && i < layer.endDrawer; ++i) {
    IScrivoRecordDrawer* const drawer = mDrawers[static_cast<size_t>(i)].Get();
    uint32_t traits = 0;
    int32_t leftExtra = 0;
    int32_t rightExtra = 0;
    drawer->GetDrawTraits(0, &traits, &leftExtra, &rightExtra);
    if ((flags & kPaintSkipTraitFlag) && (traits & kTraitSkipOnFlag)) continue;
    if ((traits & kTraitSkipNoClip) && IsRectEmpty(&area)) continue;
    const int32_t left = area.left - leftExtra;
    const int32_t right = area.right + rightExtra;
    if (left >= right) continue;
    // The drawer's first position counted from its record's first sample, and the segment's
    // first column.
    const DrawOrigin origin{args.originPosition + (left - args.x0), args.x0};
    drawer->Draw(dc, args.firstPosition + (left - args.x0), args.firstPosition + (right - args.x0), origin, left,
                 &area, flags, args.word, args.scale);
  }
}

void ChildPaneBase::Composite(const PaneLayer& layer, const Target& target, bool ring) noexcept {
  const int32_t width = mRect.right - mRect.left;
  const int32_t height = mRect.bottom - mRect.top;
  HDC const cache = layer.cache->GetHDC();
  const int32_t r = ring ? RingColumn() : 0;
  // (first cache column, columns) of each piece, left to right on the target.
  const int32_t pieces[2][2] = {{r, width - r}, {0, r}};
  int32_t x = mRect.left;
  for (const auto& piece : pieces) {
    const int32_t columns = piece[1];
    if (columns <= 0) continue;
    const int32_t source = mRect.left + piece[0];
    if (layer.flags & kLayerTransparent) {
      // A failed transparent copy leaves its piece undrawn.
      TransparentBlt(target.dc, x, target.top, columns, height, cache, source, 0, columns, height, kWhite);
    } else {
      BitBlt(target.dc, x, target.top, columns, height, cache, source, 0, SRCCOPY);
    }
    x += columns;
  }
}

void ChildPaneBase::Render(HDC dc, int32_t column, bool line) noexcept {
  if (mRect.right <= mRect.left || mRect.bottom <= mRect.top || !RectVisible(dc, &mRect)) return;
  HDC const background = LayerCache(0);
  if (!background) return;
  const int32_t width = mRect.right - mRect.left;
  const int32_t height = mRect.bottom - mRect.top;
  if (line) {
    try {
      OWL::TDC cache(background);
      const OWL::TPen pen(mPane->MapColour(RGB(0, 0, 0)));
      cache.SelectObject(pen);
      cache.MoveTo(column, 0);
      cache.LineTo(column, height);
    } catch (...) {
      // Without a pen the line is left out.
    }
  }
  const bool blend = std::any_of(mLayers.begin(), mLayers.end(), [](const PaneLayer& l) { return l.opacity != 255; });
  std::unique_ptr<QOR::ScreenBitMapDC> composed(blend ? CreateScreenBitmapDC(width, height) : nullptr);
  if (!composed) {
    BitBlt(dc, mRect.left, mRect.top, width, height, background, mRect.left, 0, SRCCOPY);
    return;
  }
  HDC const memory = composed->GetHDC();
  BitBlt(memory, 0, 0, width, height, background, mRect.left, 0, SRCCOPY);
  const PaneLayer& top = mLayers[kLayerCount - 1];
  RECT share = mRect;
  if (top.cache && (!top.pending || IntersectRect(&share, &*top.pending, &mRect))) {
    const BLENDFUNCTION blendFunction{AC_SRC_OVER, 0, static_cast<BYTE>(top.opacity), 0};
    AlphaBlend(memory, share.left - mRect.left, share.top - mRect.top, share.right - share.left,
               share.bottom - share.top, top.cache->GetHDC(), share.left, share.top - mRect.top,
               share.right - share.left, share.bottom - share.top, blendFunction);
  }
  BitBlt(dc, mRect.left, mRect.top, width, height, memory, 0, 0, SRCCOPY);
}

void ChildPaneBase::DrawFrame(HDC dc, int32_t) noexcept {
  const SIZE margins = mPane->Margins();
  try {
    OWL::TDC target(dc);
    if (mPane->IsPrintMode()) {
      if (mLaneIndex < 0) return;
      const RECT outer{mRect.left - margins.cx, mRect.top - margins.cy, mRect.right + margins.cx,
                       mRect.bottom + margins.cy};
      const OWL::TPen pen(OWL::TColor(RGB(0, 0, 0)));
      target.SelectObject(pen);
      target.MoveTo(outer.left, outer.top);
      target.LineTo(outer.left, outer.bottom - 1);
      target.LineTo(outer.right, outer.bottom - 1);
      return;
    }
  } catch (...) {
    // A frame that cannot be drawn is left out.
    return;
  }
  DrawSunkenFrame(dc, mRect);
}

void DrawSunkenFrame(HDC dc, const RECT& inner) noexcept {
  try {
    OWL::TDC target(dc);
    const auto& colours = QOR::SystemColours();
    OWL::TRect frame(inner.left - 2, inner.top - 2, inner.right + 2, inner.bottom + 2);
    QOR::DrawFrameEdges(target, frame, colours[QOR::kBtnShadow], colours[QOR::kBtnHighlight]);
    frame = OWL::TRect(frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1);
    QOR::DrawFrameEdges(target, frame, colours[QOR::kBtnText], colours[QOR::kBtnFace]);
  } catch (...) {
    // A frame that cannot be drawn is left out.
  }
}

}  // namespace ScrivoDraw
