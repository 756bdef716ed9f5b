// ScrivoDraw::ChildPaneBase: new data while the host samples: which strip to redraw, and the
// caches or the screen moved along with the scrolling pane.
#include "drawing/ChildPaneBase.h"

#include "drawing/ChildPaneHost.h"
#include "platform/uihelpers/ScreenBitMapDC.h"

#include <algorithm>
#include <limits>

namespace ScrivoDraw {

// The pane column of a data position, saturated to the 32-bit range.
static int32_t ColumnOf(int64_t position, const ChildPaneHost& pane) noexcept {
  const int64_t column = position - pane.ScrollPosition() + pane.RightColumn();
  const int64_t low = std::numeric_limits<int32_t>::min();
  const int64_t high = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::clamp(column, low, high));
}

void ChildPaneBase::OnNewData(int64_t position, int64_t delta, int64_t* earliest, int32_t selector) noexcept {
  bool changed = false;
  int64_t first = std::numeric_limits<int64_t>::max();
  for (const auto& drawer : mDrawers) {
    int64_t answer = 0;
    if (drawer->OnNewData(position, delta, &answer) != S_OK) continue;
    changed = true;
    first = std::min(first, answer);
  }
  if (changed && earliest && first < *earliest) *earliest = first;
  const int32_t column = changed ? ColumnOf(first, *mPane) : mRect.right;
  MarkNewStrip(column, selector);
  MovePictures(delta, column);
}

void ChildPaneBase::ScrollBy(int64_t delta) noexcept {
  if (delta == 0) return;
  // The columns scrolled in at the right (or left) edge are redrawn.
  const int32_t shift = static_cast<int32_t>(std::clamp<int64_t>(delta, -(1 << 30), 1 << 30));
  RECT uncovered = shift > 0 ? RECT{std::max<LONG>(mRect.left, mRect.right - shift), mRect.top, mRect.right,
                                    mRect.bottom}
                             : RECT{mRect.left, mRect.top, std::min<LONG>(mRect.right, mRect.left - shift), mRect.bottom};
  // With a band, the columns at both ends too: the uncovered end's band joins what was uncovered,
  // the other end's is redrawn on its own.
  RECT otherEnd{0, 0, 0, 0};
  if (mScrollRedrawBand > 0) {
    const RECT left{mRect.left, mRect.top, std::min<LONG>(mRect.right, mRect.left + mScrollRedrawBand), mRect.bottom};
    const RECT right{std::max<LONG>(mRect.left, mRect.right - mScrollRedrawBand), mRect.top, mRect.right,
                     mRect.bottom};
    UnionRect(&uncovered, &uncovered, shift > 0 ? &right : &left);
    otherEnd = shift > 0 ? left : right;
  }
  const bool cached = CachedBitmaps();
  if (cached) {
    ShiftCaches(shift);
    for (PaneLayer& layer : mLayers) {
      MarkDirty(layer, uncovered);
      if (!IsRectEmpty(&otherEnd)) MarkDirty(layer, otherEnd);
    }
    mPane->Invalidate(mRect);
    return;
  }
  mPane->ScrollPixels(mRect, shift);
  mPane->Invalidate(uncovered);
  if (!IsRectEmpty(&otherEnd)) mPane->Invalidate(otherEnd);
}

void ChildPaneBase::MarkNewStrip(int32_t column, int32_t selector) noexcept {
  if (column < mRect.right) {
    const RECT strip{std::max<LONG>(column, mRect.left), mRect.top, mRect.right, mRect.bottom};
    for (int32_t n = 0; n < kLayerCount; ++n) {
      if (n < 2 && selector >= 0) continue;
      PaneLayer& layer = mLayers[static_cast<size_t>(n)];
      if (IsRectEmpty(&layer.dirty)) {
        layer.dirty = strip;
      } else {
        UnionRect(&layer.dirty, &layer.dirty, &strip);
      }
      if (n == 2 || n == 3 || (n == 0 && selector < 0)) layer.flags = (layer.flags | kLayerDirty) & ~kLayerDrawn;
    }
  }
}

void ChildPaneBase::MovePictures(int64_t delta, int32_t column) noexcept {
  const int32_t shift = static_cast<int32_t>(std::clamp<int64_t>(delta, -(1 << 30), 1 << 30));
  const bool cached = CachedBitmaps();
  if (!mPane->IsScrolling() || shift == 0) {
    if (cached) mPane->Invalidate(mRect);
    return;
  }
  if (cached) {
    ShiftCaches(shift);
    if (column > mRect.left) {
      const RECT uncovered{std::max<LONG>(mRect.left, std::min<LONG>(column, mRect.right - shift)), mRect.top, mRect.right,
                           mRect.bottom};
      for (PaneLayer& layer : mLayers) MarkDirty(layer, uncovered);
    } else {
      for (PaneLayer& layer : mLayers) MarkDirty(layer, mRect);
    }
    mPane->Invalidate(mRect);
    return;
  }
  mPane->ScrollPixels(mRect, shift);
  if (column > mRect.left) {
    mPane->Invalidate(RECT{std::min<LONG>(column, mRect.right), mRect.top, mRect.right, mRect.bottom});
  } else {
    mPane->Invalidate(mRect);
  }
}

// Moves every cache's picture left by delta columns; in ring mode the pane's ring offset moves
// instead and the pixels stay where they are.
void ChildPaneBase::ShiftCaches(int32_t delta) noexcept {
  if (mPane->RingSwitch()) return;
  const int32_t width = mRect.right - mRect.left;
  const int32_t height = mRect.bottom - mRect.top;
  if (delta >= width || -delta >= width) return;
  for (PaneLayer& layer : mLayers) {
    if (!layer.cache) continue;
    HDC const cache = layer.cache->GetHDC();
    if (delta > 0) {
      BitBlt(cache, mRect.left, 0, width - delta, height, cache, mRect.left + delta, 0, SRCCOPY);
    } else {
      BitBlt(cache, mRect.left - delta, 0, width + delta, height, cache, mRect.left, 0, SRCCOPY);
    }
  }
}

}  // namespace ScrivoDraw
