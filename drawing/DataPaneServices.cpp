// ScrivoDraw::DataPane: what drawers ask of the pane, drawers added to lanes, the lanes' axes,
// the lanes' data ranges, pending changes.
#include "drawing/DataPane.h"

#include "drawing/DrawingServices.h"
#include "hostapi/RecordData.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/SimpleUnknownImp.h"

#include <algorithm>

namespace ScrivoDraw {

namespace {

// What QueryLaneChannel hands out when the host has nothing: one object for the whole module.
class DefaultChannelObject final : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    return ComTry([&]() -> HRESULT {
      if (!out) return E_POINTER;
      *out = IsEqualIID(iid, IID_IUnknown) ? this : nullptr;
      return *out ? S_OK : E_NOINTERFACE;
    });
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 2; }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
};

IUnknown* SharedDefaultChannelObject() noexcept {
  static DefaultChannelObject object;
  return &object;
}

}  // namespace

// ---- IDrawerDataPane ----

HRESULT STDMETHODCALLTYPE DataPane::GetPrintContext(int32_t, uint32_t* context) noexcept {
  if (!context) return E_POINTER;
  *context = mPrintContext;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DataPane::GetPixelsPerMmX(int32_t, uint32_t, double* pixels) noexcept {
  if (!pixels) return E_POINTER;
  *pixels = kScreenPixelsPerMm;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DataPane::GetPixelsPerMmY(int32_t, uint32_t, double* pixels) noexcept {
  if (!pixels) return E_POINTER;
  *pixels = kScreenPixelsPerMm;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DataPane::GetDeviceScale(int32_t, double* x, double* y) noexcept {
  return ComTry([&]() -> HRESULT {
    if (!x || !y) return E_POINTER;
    *x = *y = 1.0;
    if (!mPrintContext) return S_OK;
    GetPixelsPerMmX(0, mPrintContext, x);
    GetPixelsPerMmY(0, mPrintContext, y);
    *x /= kScreenPixelsPerMm;
    *y /= kScreenPixelsPerMm;
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE DataPane::IsStyleBit23(int32_t, VARIANT_BOOL* set) noexcept {
  if (!set) return E_POINTER;
  *set = (mStyle & kPaneStyleNoControls) ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DataPane::SetLayerRect(int32_t, int32_t lane, int32_t layer, const RECT* rect) noexcept {
  return ComTry([&]() -> HRESULT {
    if (!rect) return E_POINTER;
    ChildPaneBase* const child = Child(lane);
    if (!child) return E_INVALIDARG;
    child->SetLayerRect(layer, *rect);
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE DataPane::SetLayerValue(int32_t, int32_t lane, int32_t kind, uint32_t value) noexcept {
  return ComTry([&]() -> HRESULT {
    ChildPaneBase* const child = Child(lane);
    if (!child) return E_INVALIDARG;
    const int32_t layer = kind / 256;
    if (layer >= 0 && layer < kLayerCount) child->SetLayerOpacity(layer, value);
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE DataPane::GetDrawArea(int32_t lane, RECT* area) noexcept {
  return ComTry([&]() -> HRESULT {
    if (!area) return E_POINTER;
    RECT found{kPaneMargin, 0, ClientWidth() - kPaneMargin, ClientHeight()};
    if (static_cast<uint32_t>(lane) & kLaneIndexLowest) {
      bool any = false;
      for (const auto& child : mLanes) {
        const RECT& r = child->Rect();
        if (r.bottom - r.top > 12) {
          found.bottom = r.bottom;
          any = true;
        }
      }
      if (!any) return S_FALSE;
    }
    *area = found;
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE DataPane::Invalidate(int32_t, const RECT* rect) noexcept {
  return ComTry([&]() -> HRESULT {
    if (!rect) return E_POINTER;
    InvalidateRect(*rect, false);
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE DataPane::IsNotSampling(VARIANT_BOOL* idle) noexcept {
  if (!idle) return E_POINTER;
  *idle = mSampling ? VARIANT_FALSE : VARIANT_TRUE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DataPane::IsNotSamplingNow(VARIANT_BOOL* idle) noexcept {
  return ComTry([&]() -> HRESULT { return IsNotSampling(idle); });
}

HRESULT STDMETHODCALLTYPE DataPane::GetBackground(int32_t, COLORREF* colour) noexcept {
  if (!colour) return E_POINTER;
  *colour = mBackground;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DataPane::GetContrastColour(COLORREF colour, COLORREF* adjusted) noexcept {
  return ComTry([&]() -> HRESULT {
    if (!adjusted) return E_POINTER;
    *adjusted = ContrastAdjust(colour, mBackground);
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE DataPane::GetLaneExtent(int32_t lane, int32_t, int32_t* extent) noexcept {
  return ComTry([&]() -> HRESULT {
    if (!extent) return E_POINTER;
    ChannelPane* const child = Lane(lane);
    if (!child) return E_INVALIDARG;
    extent[0] = child->ExtentWords()[0];
    extent[1] = child->ExtentWords()[1];
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE DataPane::GetLaneAxis(int32_t lane, int32_t axis, IUnknown** object) noexcept {
  return ComTry([&]() -> HRESULT {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (mAxisOverride) return mAxisOverride->GetLaneAxis(lane, axis, object);
    ChannelPane* const child = Lane(lane);
    if (!child) return E_INVALIDARG;
    return axis == 1 ? child->GetLeftAxis(0, object) : child->GetRightAxis(0, object);
  });
}

HRESULT STDMETHODCALLTYPE DataPane::TestLaneRange(int32_t lane, int32_t sourceId, int32_t displayMode,
                                                  int32_t record, QOR::IQORString** units, LaneUnitsRecord* result,
                                                  int32_t, int32_t, int32_t) noexcept {
  return ComTry([&]() -> HRESULT {
    if (units) *units = nullptr;
    ChannelPane* const child = Lane(lane);
    if (!child) return E_INVALIDARG;
    if (!result) return E_POINTER;
    QOR::String text;
    double scale = result->scale;
    ChannelPair channel{result->channel, result->selector};
    ValueRange range{result->low, result->high};
    double factor = result->offset;
    const bool valid = child->ReadUnits(sourceId, displayMode, record, &text, &scale, &channel, &range, &factor);
    *result = LaneUnitsRecord{channel.channel, channel.selector, range.first, range.second, scale, factor};
    if (units) *units = text.AddRefInterface();
    return valid ? S_OK : S_FALSE;
  });
}

HRESULT STDMETHODCALLTYPE DataPane::GetLaneAttributes(int32_t lane, int32_t* attributes) noexcept {
  return ComTry([&]() -> HRESULT {
    if (!attributes) return E_POINTER;
    ChannelPane* const child = Lane(lane);
    if (!child) return E_INVALIDARG;
    *attributes = child->Attributes();
    return S_OK;
  });
}

// ---- drawers of lanes ----

HRESULT DataPane::AddLaneDrawer(int32_t lane, uint32_t options, IScrivoRecordDrawer* drawer) noexcept {
  if (!drawer) return E_POINTER;
  ChildPaneBase* const child = Child(lane);
  if (!child) return E_INVALIDARG;
  const QOR::ComPtr<IScrivoRecordDrawer> held(drawer);
  drawer->AttachPane(static_cast<int32_t>(options), mHorzScale.Get());
  const HRESULT added = child->AddDrawer(options, drawer, 255);
  if (lane >= 0) mPending |= kPendingAll;
  if (mInRecord) drawer->OnRecordStart(mRecord, mRecordFlag ? VARIANT_TRUE : VARIANT_FALSE);
  if (mLanesDirty) InvalidateLanes();
  child->InvalidateAll(true);
  return added;
}

HRESULT DataPane::RemoveLaneDrawers(int32_t lane, uint32_t mask, LayerPair pair) noexcept {
  ChildPaneBase* const child = Child(lane);
  if (!child) return E_INVALIDARG;
  const HRESULT removed = child->RemoveDrawers(mask, pair);
  mPending |= kPendingAll;
  return removed;
}

// ---- the lanes' axes ----

HRESULT DataPane::ApplyAxisOperation(int32_t lane, int32_t value, int32_t axisKind, int32_t argument) noexcept {
  if (mAxisOverride) return mAxisOverride->ApplyAxisOperation(lane, value, axisKind, argument);
  ChannelPane* const child = Lane(lane);
  if (!child) return E_INVALIDARG;
  if (axisKind != 1 && axisKind != 2) return S_FALSE;
  return child->SetAxisUnitPrefix(axisKind, value);
}

int32_t DataPane::SetLaneAxisRange(IDragScale* scale, int32_t axis, int32_t lane) noexcept {
  ChannelPane* const child = Lane(lane);
  if (!scale || !child) return 0;
  DragScaleAxisMap map{32000.0, -32000.0, 1.0, 0.0};
  if (scale->GetAxisMap(axis, LaneAxisWord(lane) | 0x2000u, &map) != S_OK) return 0;
  const double low = (map.offset - 32000.0) * map.scale;
  const double high = (map.offset + 32000.0) * map.scale;
  if (low == high) return 0;
  child->SetAxisRangeEx(1, low, high, false, true);
  return 1;
}

HRESULT DataPane::GetAxisRange(int32_t axis, double* low, double* high) noexcept {
  if (!low || !high) return E_POINTER;
  if (mLanes.empty()) return E_FAIL;
  return mLanes.front()->GetAxisRange(axis, low, high);
}

HRESULT DataPane::ResetAxisScale(int32_t lane, int32_t axis) noexcept {
  if (axis != 1 && axis != 2) return E_INVALIDARG;
  if (lane == -1) {
    for (const auto& child : mLanes) child->ResetAxisScale(axis);
    return S_OK;
  }
  ChannelPane* const child = Lane(lane);
  if (!child) return E_INVALIDARG;
  child->ResetAxisScale(axis);
  return S_OK;
}

HRESULT DataPane::AnyLaneAxisFlag(int32_t axis, VARIANT_BOOL* set) noexcept {
  if (!set) return E_POINTER;
  *set = VARIANT_FALSE;
  int64_t extent = 0;
  if (!mHorzScale || FAILED(mHorzScale->GetTotalLength(&extent))) return E_FAIL;
  if (extent <= 0) return S_OK;
  for (const auto& child : mLanes) {
    if (child->AxisDataFlag(axis)) *set = VARIANT_TRUE;
  }
  return S_OK;
}

HRESULT DataPane::UpdateFirstLaneAxis(int32_t axis, int32_t prefix) noexcept {
  if (mLanes.empty()) return E_FAIL;
  const HRESULT labelled = mLanes.front()->SetAxisUnitPrefix(axis, prefix);
  UpdateLaneRanges();
  return labelled;
}

HRESULT DataPane::GetFirstLaneAxis(int32_t axis, IDragScale** object) noexcept {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (mLanes.empty() || (axis != 1 && axis != 2)) return E_FAIL;
  IDragScale* const found = mLanes.front()->AxisObject(axis);
  if (!found) return E_FAIL;
  return found->QueryInterface(IID_IDragScale, reinterpret_cast<void**>(object));
}

void DataPane::SetDisplayMode(int32_t mode) noexcept {
  mDisplayMode = mode;
  for (const auto& lane : mLanes) lane->SetDisplayMode(mode);
  try {
    NotifyAll(mode);
  } catch (...) {
    // an object that cannot take the news keeps its old view of the mode
  }
  UpdateLaneRanges();
  LayoutLanes();
}

HRESULT DataPane::GetFirstLaneAxis(int32_t axis, VARIANT_BOOL on, COLORREF colour) noexcept {
  QOR::ComPtr<IDragScale> object;
  const HRESULT found = GetFirstLaneAxis(axis, object.Out());
  if (FAILED(found)) return found;
  QOR::ComPtr<IScaleColour> colours;
  const HRESULT asked = object->QueryInterface(IID_IScaleColour, colours.OutVoid());
  if (FAILED(asked) || !colours) return FAILED(asked) ? asked : E_NOINTERFACE;
  return colours->SetColour(on, colour);
}

HRESULT DataPane::GetVisibleStart(int32_t* tick) noexcept {
  if (!tick) return E_POINTER;
  if (!mHorzScale) return E_FAIL;
  PixMapTick where{0.0, 0, 0};
  const HRESULT converted = mHorzScale->PositionToTick(2, mScrollPos - mVisibleWidth, &where);
  if (converted != S_OK) return converted;
  *tick = static_cast<int32_t>(where.tick + 0.5);
  return S_OK;
}

HRESULT DataPane::QueryLaneChannel(int32_t lane, int32_t argument, IUnknown** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  QOR::ComPtr<IUnknown> object;
  QOR::ComPtr<IHostRecordData> data;
  if (mHorzScale && SUCCEEDED(mHorzScale->GetDataObject(object.Out())) && object &&
      SUCCEEDED(object->QueryInterface(IID_IHostRecordData, data.OutVoid())) && data) {
    const ChannelPair pair = LaneChannel(lane);
    return data->QueryChannel(pair.selector | static_cast<uint32_t>(argument), 0, pair.channel, out);
  }
  *out = SharedDefaultChannelObject();
  (*out)->AddRef();
  return S_OK;
}

ChannelPair DataPane::LaneChannel(int32_t lane) const noexcept { return ChannelPair{lane, 0xC0000000u}; }

uint32_t DataPane::LaneAxisWord(int32_t) const noexcept { return 0; }

// ---- the lanes' data ranges, scrolling state, pending changes ----

void DataPane::UpdateLaneRanges() noexcept {
  const int64_t vis = mVisibleWidth;
  const int64_t left = std::max<int64_t>(0, mScrollPos - vis);
  const int64_t right = mScrollPos;
  PixMapTick first{0.0, 0, 0};
  PixMapTick last{0.0, 0, 0};
  if (!mHorzScale || mHorzScale->PositionToTick(0, left, &first) != S_OK) {
    ForEachLane([](ChannelPane& lane) { lane.UpdateAxes(kEmptyRange, kEmptyRange); });
  } else {
    // The right end is exclusive: its last column shows the position before it.
    if (mHorzScale->PositionToTick(0, std::max(left, right - 1), &last) != S_OK) last = first;
    ForEachLane([&](ChannelPane& lane) {
      lane.UpdateAxes(first.record, last.record);
      if (mSampling && !lane.AxisDataFlag(1)) lane.UpdateAxes(kEmptyRange, kEmptyRange);
    });
  }
  if (mDataSource) {
    QOR::ComPtr<IUnknown> file;
    mDataSource->GetHostDataFile(file.Out());
  }
}

void DataPane::ClampScroll() noexcept {
  mVisibleWidth = ClientWidth() - 2 * kPaneMargin;
  InvalidateLanes();
  int64_t extent = 0;
  if (mHorzScale) mHorzScale->GetTotalLength(&extent);
  if (mShortDataAtLeft && !mSampling && extent < mVisibleWidth)
    mScrollPos = mVisibleWidth;
  else if (mScrollPos > extent)
    mScrollPos = extent;
  else if (mScrollPos < mVisibleWidth)
    mScrollPos = std::min<int64_t>(mVisibleWidth, extent);
}

void DataPane::SetHorizontalScalingValue(PaneRational scaling) noexcept {
  mHorizontalScaling = scaling;
  if (mHorzScale) mHorzScale->SetScale(scaling.numerator, scaling.denominator);
  if (mZoomList) mZoomList->SetRatio(scaling.numerator, scaling.denominator);
}

PaneRational DataPane::GetHorizontalScaling() const noexcept {
  PixMapScale scale{mHorizontalScaling.numerator, mHorizontalScaling.denominator};
  if (mHorzScale && SUCCEEDED(mHorzScale->GetScale(&scale))) return PaneRational{scale.numerator, scale.denominator};
  return mHorizontalScaling;
}

void DataPane::ApplyChanges(uint32_t mask) noexcept {
  ForEachLane([mask](ChannelPane& lane) { lane.BroadcastToDrawers(static_cast<int32_t>(mask)); });
  if (mTimeScaleStrip) mTimeScaleStrip->BroadcastToDrawers(static_cast<int32_t>(mask));
  ClampScroll();
  UpdateScrollBar();
  if (mask & 0x80000000u) UpdateLaneRanges();
  ForEachChild([mask](ChildPaneBase& child) { child.RefreshDrawers(mask); });
  ForEachObject([](InteractiveObject& object) { object.ChangeApplied(0); });
  if (mZoomList) mZoomList->Invalidate();
  if (mScrollBar) UpdateScrollBar();
  InvalidateLanes();
}

void DataPane::UpdatePending() noexcept {
  if (!mHorzScale) return;
  uint32_t scaleMask = 0;
  if (FAILED(mHorzScale->GetPendingMask(0, &scaleMask))) scaleMask = 0;
  const uint32_t mask = scaleMask | mPending;
  const bool axes = mAxisRedrawFill[0] || mAxisRedrawFill[1] || !mAxisRedraw[0].empty() || !mAxisRedraw[1].empty();
  if (!mask && !axes) return;
  if (mask & kPendingAll) ApplyChanges(mask);
  for (size_t axis = 0; axis < 2; ++axis) {
    const bool any = mAxisRedrawFill[axis] ||
                     std::find(mAxisRedraw[axis].begin(), mAxisRedraw[axis].end(), true) != mAxisRedraw[axis].end();
    if (!any) continue;
    for (int32_t i = 0; i < GetLaneCount(); ++i) {
      const size_t at = static_cast<size_t>(i);
      const bool set = at < mAxisRedraw[axis].size() ? mAxisRedraw[axis][at] : mAxisRedrawFill[axis];
      if (set) mLanes[at]->ResetAxisScale(static_cast<int32_t>(axis) + 1);
    }
  }
  for (size_t axis = 0; axis < 2; ++axis) {
    mAxisRedraw[axis].clear();
    mAxisRedrawFill[axis] = false;
  }
  mHorzScale->MaskApplied(mask);
  mPending &= ~mask;
}

}  // namespace ScrivoDraw
