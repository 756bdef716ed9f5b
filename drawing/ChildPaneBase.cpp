// ScrivoDraw::ChildPaneBase: the drawer list, placing, layer caches and notifications.
#include "drawing/ChildPaneBase.h"

#include "drawing/ChildPaneHost.h"
#include "drawing/DrawingServices.h"
#include "hostclient/ComBoundary.h"
#include "platform/uihelpers/ScreenBitMapDC.h"

#include <algorithm>

namespace ScrivoDraw {

static bool IsEmpty(const RECT& r) noexcept { return r.left >= r.right || r.top >= r.bottom; }

static void Unite(RECT& into, const RECT& area) noexcept {
  if (IsEmpty(area)) return;
  if (IsEmpty(into)) {
    into = area;
    return;
  }
  into.left = std::min(into.left, area.left);
  into.top = std::min(into.top, area.top);
  into.right = std::max(into.right, area.right);
  into.bottom = std::max(into.bottom, area.bottom);
}

ChildPaneBase::ChildPaneBase(ChildPaneHost& pane, int32_t laneIndex) noexcept {
  mPane = &pane;
  mLaneIndex = laneIndex;
}

ChildPaneBase::~ChildPaneBase() = default;

HRESULT STDMETHODCALLTYPE ChildPaneBase::OnBeginDrag(int32_t) noexcept { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE ChildPaneBase::OnEndDrag(int32_t) noexcept { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE ChildPaneBase::OnScalingChanged(int32_t, double, const DragScaleMapping*) noexcept {
  return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE ChildPaneBase::OnAutoScale(int32_t) noexcept { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE ChildPaneBase::OnReserved7() noexcept { return E_NOTIMPL; }

bool ChildPaneBase::CachedBitmaps() const noexcept { return mPane->AllowsCachedBitmaps(); }

HDC ChildPaneBase::LayerCache(int32_t index) const noexcept {
  const PaneLayer& layer = mLayers[static_cast<size_t>(index)];
  return layer.cache ? layer.cache->GetHDC() : nullptr;
}

void ChildPaneBase::MarkDirty(PaneLayer& layer, const RECT& area) noexcept {
  Unite(layer.dirty, area);
  layer.flags = (layer.flags | kLayerDirty) & ~kLayerDrawn;
}

// A cached layer gets a bitmap of the lane's size whose window origin is the lane's left edge;
// an empty lane gets none, so nothing is drawn into or copied from it.
void ChildPaneBase::SizeCache(PaneLayer& layer) noexcept {
  const int width = mRect.right - mRect.left;
  const int height = mRect.bottom - mRect.top;
  if (!(layer.flags & kLayerCached) || width <= 0 || height <= 0) {
    layer.cache.reset();
    return;
  }
  if (layer.cache) {
    const OWL::TBitmap& bitmap = layer.cache->GetBitmap();
    if (bitmap.Width() != width || bitmap.Height() != height) layer.cache.reset();
  }
  if (!layer.cache) {
    layer.cache.reset(CreateScreenBitmapDC(width, height));
    // A new cache starts white (the colour key): columns no drawer reaches show nothing.
    if (layer.cache) {
      const RECT all{0, 0, width, height};
      FillRect(layer.cache->GetHDC(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
  }
  if (layer.cache) SetWindowOrgEx(layer.cache->GetHDC(), mRect.left, 0, nullptr);
}

void ChildPaneBase::Place(int32_t context, const RECT& paneClient, const RECT& lane, int32_t, int32_t,
                          int32_t) noexcept {
  mContext = context;
  mOrigin = POINT{paneClient.left, paneClient.top};
  PaneLayer& background = mLayers[0];
  background.flags &= ~kLayerTransparent;
  if (CachedBitmaps()) {
    background.flags = (background.flags | kLayerCached | kLayerDirty) & ~kLayerDrawn;
  } else {
    background.flags &= ~kLayerCached;
  }
  mRect = lane;
  mLayerSize = lane;
  for (PaneLayer& layer : mLayers) {
    SizeCache(layer);
    layer.dirty = IsEmpty(mRect) ? RECT{0, 0, 0, 0} : mRect;
    layer.flags = (layer.flags | kLayerDirty) & ~kLayerDrawn;
  }
  mPane->ServeRelayout();
  mPane->Invalidate(mRect);
}

void ChildPaneBase::NotifySourceChanged(IUnknown* source, int32_t a, int32_t channel) noexcept {
  for (const auto& drawer : mDrawers) drawer->OnSourceChanged(source, a, channel);
}

static int32_t KindOf(IScrivoRecordDrawer* drawer) noexcept {
  int32_t kind = -1;
  if (FAILED(drawer->GetKind(&kind))) kind = -1;
  return kind;
}

HRESULT ChildPaneBase::AddDrawer(uint32_t options, IScrivoRecordDrawer* drawer, uint32_t opacity) noexcept {
  if (!drawer) return E_POINTER;
  drawer->SetDataPane(mPane->DrawerPane());
  drawer->SetLaneIndex(0, mLaneIndex);
  drawer->SetBounds(mContext, &mRect);
  return ComTry([&] {
    mDrawers.emplace_back(drawer);
    // Equal kinds keep the order in which they were added.
    std::stable_sort(mDrawers.begin(), mDrawers.end(),
                     [](const auto& a, const auto& b) { return KindOf(a.Get()) < KindOf(b.Get()); });
    const int32_t kind = KindOf(drawer);
    if ((options & kDrawerCachedLayer) && CachedBitmaps() && kind >= 0 && kind < 256 * kLayerCount) {
      PaneLayer& layer = mLayers[static_cast<size_t>(kind / 256)];
      layer.flags = (layer.flags | kLayerCached | kLayerDirty) & ~kLayerDrawn;
      layer.opacity = std::min<uint32_t>(opacity, 255);
      SizeCache(layer);
    }
    RebuildLayerRanges();
    mMarginsStale = true;
  });
}

HRESULT ChildPaneBase::RemoveDrawers(uint32_t mask, LayerPair pair) noexcept {
  const bool anyPair = pair == LayerPair{kLayerPairAll, kLayerPairAllSecond};
  if (mask == 0 && anyPair) {
    mDrawers.clear();
  } else {
    for (size_t i = mDrawers.size(); i-- > 0;) {
      IScrivoRecordDrawer* const drawer = mDrawers[i].Get();
      uint32_t traits = 0;
      int32_t left = 0;
      int32_t right = 0;
      drawer->GetDrawTraits(0, &traits, &left, &right);
      LayerPair own{};
      const bool pairMatches = anyPair || (drawer->GetLayerPair(&own) == S_OK && own == pair);
      if ((mask == 0 || (traits & mask) != 0) && pairMatches) mDrawers.erase(mDrawers.begin() + static_cast<ptrdiff_t>(i));
    }
  }
  // The layers index into the list: a shorter list needs fresh ranges before the next paint.
  RebuildLayerRanges();
  mMarginsStale = true;
  return S_OK;
}

void ChildPaneBase::RebuildLayerRanges() noexcept {
  for (PaneLayer& layer : mLayers) layer.firstDrawer = layer.endDrawer = -1;
  for (size_t i = 0; i < mDrawers.size(); ++i) {
    const int32_t kind = KindOf(mDrawers[i].Get());
    if (kind < 0 || kind >= 256 * kLayerCount) continue;
    PaneLayer& layer = mLayers[static_cast<size_t>(kind / 256)];
    if (layer.firstDrawer < 0) layer.firstDrawer = static_cast<int32_t>(i);
    layer.endDrawer = static_cast<int32_t>(i) + 1;
  }
}

void ChildPaneBase::MeasureMargins() noexcept {
  mLeftMargin = 0;
  mRightMargin = 0;
  for (const auto& drawer : mDrawers) {
    const int32_t kind = KindOf(drawer.Get());
    if (kind < 0 || kind >= 256 * kLayerCount) continue;
    uint32_t traits = 0;
    int32_t left = 0;
    int32_t right = 0;
    if (drawer->GetDrawTraits(0, &traits, &left, &right) != S_OK) continue;
    mLeftMargin = std::max(mLeftMargin, left);
    mRightMargin = std::max(mRightMargin, right);
  }
  mMarginsStale = false;
}

void ChildPaneBase::RefreshDrawers(uint32_t mask) noexcept {
  for (const auto& drawer : mDrawers) drawer->Refresh(mask);
}

void ChildPaneBase::OnSamplingStart(int32_t argument) noexcept {
  if (mPane->IsSampling()) mPane->Invalidate(mRect);
  for (const auto& drawer : mDrawers) drawer->OnSamplingStart(argument);
}

void ChildPaneBase::OnRecordStart(int32_t record, VARIANT_BOOL sampling) noexcept {
  for (const auto& drawer : mDrawers) drawer->OnRecordStart(record, sampling);
}

void ChildPaneBase::OnRecordEnd(int32_t argument, IUnknown* pane) noexcept {
  for (const auto& drawer : mDrawers) drawer->OnRecordEnd(argument, pane);
}

void ChildPaneBase::OnSamplingStop(VARIANT_BOOL argument) noexcept {
  for (const auto& drawer : mDrawers) drawer->OnSamplingStop(argument);
}

void ChildPaneBase::OnSinkNotify(int32_t a, int32_t b) noexcept {
  for (const auto& drawer : mDrawers) drawer->OnSinkNotify(a, b);
}

void ChildPaneBase::BroadcastToDrawers(int32_t argument) noexcept {
  for (const auto& drawer : mDrawers) drawer->PaneBroadcast(argument);
}

HRESULT ChildPaneBase::GetLeftAxis(int32_t, IUnknown** axis) noexcept {
  if (!axis) return E_POINTER;
  *axis = nullptr;
  return S_FALSE;
}

HRESULT ChildPaneBase::GetRightAxis(int32_t, IUnknown** axis) noexcept {
  if (!axis) return E_POINTER;
  *axis = nullptr;
  return S_FALSE;
}

bool ChildPaneBase::HitTest(POINT point) const noexcept {
  return point.x >= mRect.left && point.x < mRect.right && point.y >= mRect.top && point.y < mRect.bottom;
}

void ChildPaneBase::GetRepaintSpan(HRGN update, uint32_t flags, int32_t* left, int32_t* right) noexcept {
  RECT box{0, 0, 0, 0};
  if (flags & kPaintWholeLane) {
    box = mRect;
  } else if (flags & kPaintIntoCache) {
    for (const PaneLayer& layer : mLayers) Unite(box, layer.dirty);
  } else {
    RECT region{0, 0, 0, 0};
    if (update) GetRgnBox(update, &region);
    if (!IntersectRect(&box, &region, &mRect)) box = RECT{0, 0, 0, 0};
    for (PaneLayer& layer : mLayers) Unite(layer.dirty, box);
  }
  if (mMarginsStale) MeasureMargins();
  if (left) *left = box.left - mLeftMargin;
  if (right) *right = box.right + mRightMargin;
}

void ChildPaneBase::InvalidateAll(bool all) noexcept {
  if (all) {
    for (PaneLayer& layer : mLayers) {
      layer.dirty = IsEmpty(mRect) ? RECT{0, 0, 0, 0} : mRect;
      layer.flags = (layer.flags | kLayerDirty) & ~kLayerDrawn;
    }
    mPane->ServeRelayout();
  }
  mPane->Invalidate(mRect);
}

bool ChildPaneBase::EndPaintPass() noexcept {
  if (!mPainted) return false;
  for (PaneLayer& layer : mLayers) {
    layer.dirty = RECT{0, 0, 0, 0};
    layer.flags &= ~kLayerDirty;
  }
  mPainted = 0;
  return true;
}

uint32_t ChildPaneBase::DirtyCachedLayers() const noexcept {
  uint32_t set = 0;
  for (int32_t n = 0; n < kLayerCount; ++n) {
    const PaneLayer& layer = mLayers[static_cast<size_t>(n)];
    const bool due = (layer.flags & kLayerDirty) && layer.firstDrawer >= 0 && !IsEmpty(layer.dirty);
    if ((layer.flags & kLayerCached) && layer.cache && due) set |= 1u << n;
  }
  return set;
}

void ChildPaneBase::EndCachePass() noexcept {
  for (PaneLayer& layer : mLayers) {
    const uint32_t redrawn = kLayerCached | kLayerDirty | kLayerDrawn;
    if (!layer.cache || (layer.flags & redrawn) != redrawn) continue;
    layer.dirty = RECT{0, 0, 0, 0};
    layer.flags &= ~kLayerDirty;
  }
}

bool ChildPaneBase::HasDirtyLayer() const noexcept {
  return std::any_of(mLayers.begin(), mLayers.end(), [](const PaneLayer& layer) { return !IsEmpty(layer.dirty); });
}

void ChildPaneBase::DirtyLayer(int32_t layer, bool mark) noexcept {
  if (layer < 0 || layer >= kLayerCount) return;
  PaneLayer& target = mLayers[static_cast<size_t>(layer)];
  target.dirty = IsEmpty(mLayerSize) ? RECT{0, 0, 0, 0} : mLayerSize;
  if (mark) target.flags = (target.flags | kLayerDirty) & ~kLayerDrawn;
}

void ChildPaneBase::SetLayerRect(int32_t layer, const RECT& rect) noexcept {
  if (layer < 0 || layer >= kLayerCount) return;
  mLayers[static_cast<size_t>(layer)].pending = rect;
}

void ChildPaneBase::SetLayerOpacity(int32_t layer, uint32_t opacity) noexcept {
  if (layer < 0 || layer >= kLayerCount) return;
  mLayers[static_cast<size_t>(layer)].opacity = std::min<uint32_t>(opacity, 255);
}

}  // namespace ScrivoDraw
