// ScrivoDraw::DataPane: lanes and their layout, the data source, the online data sink, windows
// and drag-scale objects.
#include "drawing/DataPane.h"

#include "base/XQOR.h"
#include "hostapi/ObserverRegistry.h"
#include "hostapi/RecordData.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/FrameworkAccess.h"

#include <algorithm>
#include <new>

namespace ScrivoDraw {

DataPane::DataPane(IPaneDataSource* source)
    : mClock([] { return static_cast<uint32_t>(GetTickCount()); }),
      mCtrlDown([] { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }) {
  mTimeScaleStrip = QOR::ComPtr<TimeScale>(new TimeScale(*this));
  if (source) SetDataSource(0, source, nullptr);
}

DataPane::~DataPane() {
  DetachWindow();
  if (mDataSource) mDataSource->RegisterPane(nullptr);
  mLaneQuery = nullptr;
  mLanes.clear();
  mTimeScaleStrip = nullptr;
  mHorzScale = nullptr;
  mDataSource = nullptr;
  if (IObserverRegistry* const registry = GetObserverRegistry())
    registry->RemoveSubject(static_cast<IOnlineDataSink*>(this));
}

// ---- IUnknown ----

HRESULT STDMETHODCALLTYPE DataPane::QueryInterface(REFIID iid, void** out) noexcept {
  return ComTry([&]() -> HRESULT {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOnlineDataSink)) {
      *out = static_cast<IOnlineDataSink*>(this);
    } else if (IsEqualIID(iid, IID_ICommentsObserver)) {
      *out = static_cast<ICommentsObserver*>(this);
    } else if (IsEqualIID(iid, IID_ISubject)) {
      *out = static_cast<ISubject*>(this);
    } else if (IsEqualIID(iid, IID_IQORDraggableRects)) {
      *out = static_cast<IQORDraggableRects*>(this);
    } else if (IsEqualIID(iid, IID_IDrawerDataPane)) {
      *out = static_cast<IDrawerDataPane*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  });
}

ULONG STDMETHODCALLTYPE DataPane::AddRef() noexcept { return static_cast<ULONG>(InterlockedIncrement(&mRefCount)); }

ULONG STDMETHODCALLTYPE DataPane::Release() noexcept {
  const LONG count = InterlockedDecrement(&mRefCount);
  if (count == 0) {
    mRefCount = 1;  // a reference taken and dropped while the pane goes cannot end it twice
    delete this;
  }
  return static_cast<ULONG>(count);
}

// ---- children ----

ChannelPane* DataPane::Lane(int32_t index) const noexcept {
  return LaneInRange(index) ? mLanes[static_cast<size_t>(index)].Get() : nullptr;
}

ChildPaneBase* DataPane::Child(int32_t lane) const noexcept {
  if (lane == -1) return mTimeScaleStrip.Get();
  return Lane(lane);
}

void DataPane::SetLaneSettings(uint32_t flags, uint32_t style, int32_t attributes) noexcept {
  mLaneFlags = flags;
  mLaneStyle = style;
  mLaneAttributes = attributes;
}

void DataPane::InvalidateLanes() noexcept {
  if (mLanesDirty) {
    ForEachChild([](ChildPaneBase& child) { child.InvalidateAll(true); });
    mLanesDirty = false;
  }
  ForEachChild([](ChildPaneBase& child) { child.InvalidateAll(true); });
}

void DataPane::ServeRelayout() noexcept {
  if (!mRelayoutMark) return;
  mRelayoutMark = false;
  LayoutLanes();
}

void DataPane::ScrollPixels(const RECT&, int32_t) noexcept {}

// ---- layout ----

int32_t DataPane::StripSpace() const noexcept {
  return mTimeScaleStrip ? mTimeScaleStrip->StripHeight() + 2 * kPaneMargin : 0;
}

// The lanes' axis windows are children of the parent window: the client rectangle goes to the
// lanes where the pane's window stands in its parent (printing has no window: it stays at 0, 0).
RECT DataPane::ClientRectInParent() const noexcept {
  RECT placed = mClientRect;
  if (!mWindow || !mParentWindow) return placed;
  POINT corner{0, 0};
  MapWindowPoints(mWindow, mParentWindow, &corner, 1);
  OffsetRect(&placed, corner.x, corner.y);
  return placed;
}

void DataPane::LayoutLanes() noexcept {
  if (mLanes.empty()) return;
  const int32_t m = kPaneMargin;
  const int32_t w = ClientWidth();
  const int32_t h = ClientHeight();
  const uint32_t n = static_cast<uint32_t>(mLanes.size());
  const int32_t t = StripSpace();
  const double share = static_cast<double>(h - 2 * m * static_cast<int32_t>(n) - t) / static_cast<double>(n);
  const int32_t whole = static_cast<int32_t>(share);
  double factorX = 1.0, factorY = 1.0;
  GetDeviceScale(0, &factorX, &factorY);
  const int32_t a1 = static_cast<int32_t>(mAxisWidth1 * factorY);
  const int32_t a2 = static_cast<int32_t>(mAxisWidth2 * factorY);
  const RECT client = ClientRectInParent();
  double y = m;
  // Each lane held while it is placed, as ForEachLane holds it: a copy of the list could fail to
  // allocate, and nothing here can report that.
  for (size_t i = 0; i < mLanes.size(); ++i) {
    const QOR::ComPtr<ChannelPane> lane = mLanes[i];
    const bool last = i + 1 == mLanes.size();
    const int32_t top = static_cast<int32_t>(y);
    int32_t bottom = last ? h - t - m : static_cast<int32_t>(y + share + 0.5);
    // A client too low for the strip leaves the lanes empty, never inverted.
    bottom = std::max(bottom, top);
    int32_t laneTop = top;
    // Lanes placed from the drag rectangles (both arrays cover the lane), the last one down to the strip.
    if (i < mDragTops.size() && i < mDragBottoms.size()) {
      const int32_t limit = std::max(m, h - t - m);
      laneTop = std::clamp(mDragTops[i], m, limit);
      bottom = last ? limit : std::clamp(mDragBottoms[i], laneTop, limit);
    }
    lane->Place(i == 0 ? static_cast<int32_t>(0x80000000u) : 0, client, RECT{m, laneTop, w - m, bottom}, a1, a2,
                    m);
    y = y + whole + 2 * m;
  }
  if (mTimeScaleStrip) {
    const int32_t top = static_cast<int32_t>(y);
    mTimeScaleStrip->Place(0, client, RECT{m, top, w - m, std::max(top, h - m)}, 0, 0, m);
  }
}

HRESULT DataPane::SetClientSize(SIZE size) noexcept {
  mClientRect = RECT{0, 0, size.cx, size.cy};
  mVisibleWidth = size.cx - 2 * kPaneMargin;
  InvalidateLanes();
  LayoutLanes();
  const SIZE zoom = mZoomList ? mZoomList->GetSize() : SIZE{0, 0};
  const int32_t m = kPaneMargin;
  mScrollBarRect = RECT{m, size.cy + 1, m + size.cx - 2 * m - zoom.cx, size.cy + 1 + zoom.cy};
  if (mScrollBar) mScrollBar->MoveTo(mScrollBarRect);
  if (mZoomList)
    mZoomList->MoveTo(RECT{m + size.cx - 2 * m - zoom.cx, size.cy + 1, m + size.cx - 2 * m, size.cy + 1 + zoom.cy});
  bool handled = false;
  const RECT area{0, 0, size.cx, size.cy - StripSpace()};
  ForEachObject([&](InteractiveObject& object) { object.OfferSize(area, &handled); });
  if (!handled) LayoutLanes();
  mPending |= 0x80000000u;
  return S_OK;
}

HRESULT DataPane::SetPageRect(const RECT& rect) noexcept {
  mPageRect = rect;
  if (!mLanes.empty()) {
    int32_t widest1 = 0, widest2 = 0;
    for (const auto& lane : mLanes) {
      HDC const dc = GetDC(nullptr);
      int32_t extent = 0;
      IDragScale* const left = lane->AxisObject(1);
      if (left && !(mLaneFlags & 0x10000000u) && SUCCEEDED(left->GetExtent(kScaleExtentStrip, dc, mAxisLabelArg, &extent)))
        widest1 = std::max(widest1, extent);
      IDragScale* const right = lane->AxisObject(2);
      if (right && SUCCEEDED(right->GetExtent(kScaleExtentStrip, dc, mAxisLabelArg, &extent)))
        widest2 = std::max(widest2, extent);
      ReleaseDC(nullptr, dc);
    }
    mAxisWidth1 = widest1;
    mAxisWidth2 = widest2;
  }
  double x = 1.0, y = 1.0;
  GetDeviceScale(0, &x, &y);
  const int32_t left = std::max(mMinAxisWidth1, static_cast<int32_t>(mAxisWidth1 * x));
  const int32_t right = std::max(mMinAxisWidth2, static_cast<int32_t>(mAxisWidth2 * x));
  PlaceWindow(RECT{rect.left + left, rect.top, rect.right - right, rect.bottom});
  return S_OK;
}

HRESULT DataPane::SetDraggableRects(const std::vector<int32_t>& tops, const std::vector<int32_t>& bottoms) noexcept {
  return ComTry([&] {
    mDragTops = tops;
    mDragBottoms = bottoms;
    LayoutLanes();
    ForEachObject([](InteractiveObject& object) { object.DragRectsChanged(); });
  });
}

HRESULT STDMETHODCALLTYPE DataPane::SetDragRects(int32_t count, const int32_t* tops, const int32_t* bottoms) noexcept {
  return ComTry([&]() -> HRESULT {
    if (count < 0) return E_INVALIDARG;
    if (count > 0 && (!tops || !bottoms)) return E_POINTER;
    return SetDraggableRects(std::vector<int32_t>(tops, tops + count), std::vector<int32_t>(bottoms, bottoms + count));
  });
}

int32_t DataPane::HitTestChild(POINT point) const noexcept {
  if (mTimeScaleStrip && mTimeScaleStrip->HitTest(point)) return -1;
  for (size_t i = 0; i < mLanes.size(); ++i)
    if (mLanes[i]->HitTest(point)) return static_cast<int32_t>(i);
  return kNoLane;
}

// ---- lanes ----

QOR::ComPtr<ChannelPane> DataPane::CreateLane(int32_t index) {
  QOR::ComPtr<ChannelPane> lane(new ChannelPane(*this, index, mLaneFlags, mLaneStyle));
  lane->SetAttributes(mLaneAttributes);
  lane->SetDisplayMode(mDisplayMode);
  return lane;
}

HRESULT DataPane::SetLaneCount(int32_t count) noexcept {
  if (mAxisOverride) return mAxisOverride->SetLaneCount(count);
  if (count < 0) return E_INVALIDARG;
  if (count == GetLaneCount()) return S_OK;
  return ComTry([&] {
    while (GetLaneCount() > count) {
      const int32_t index = GetLaneCount() - 1;
      mLanes.back()->DisconnectAxes();
      DetachLane(index);
      mLanes.pop_back();
    }
    while (GetLaneCount() < count) {
      const int32_t index = GetLaneCount();
      mLanes.push_back(CreateLane(index));
      if (mWindow && mParentWindow) {
        mLanes.back()->CreateAxes(mParentWindow, 0);
        AttachLane(index);
      }
    }
    LayoutLanes();
    ForEachObject([count](InteractiveObject& object) { object.LaneCountChanged(count); });
    mPending |= kPendingAll;
  });
}

HRESULT DataPane::AttachLane(int32_t index) noexcept {
  ChannelPane* const lane = Lane(index);
  if (!lane) return E_INVALIDARG;
  ForEachObject([index](InteractiveObject& object) { object.LaneAdded(index); });
  if (mParentWindow && (!lane->AxisObject(1) && !lane->AxisObject(2))) lane->CreateAxes(mParentWindow, 0);
  lane->ConnectAxes();
  return S_OK;
}

HRESULT DataPane::DetachLane(int32_t index) noexcept {
  if (!LaneInRange(index)) return E_INVALIDARG;
  ForEachObject([index](InteractiveObject& object) { object.LaneRemoved(index); });
  return S_OK;
}

// ---- windows ----

void DataPane::AttachWindow(HWND parent, HWND window) noexcept {
  mParentWindow = parent;
  mWindow = window;
  if (mLanes.empty()) {
    try {
      mLanes.push_back(CreateLane(0));
    } catch (...) {
      // without memory for a lane the pane stays empty
    }
  }
  if (!(mStyle & kPaneStyleNoControls)) {
    CreateScrollBar();
    CreateZoomList();
  }
  // The new zoom list shows whether the pane follows the newest data.
  if (mZoomList) mZoomList->SetFollowState(mFollow);
  if (mTimeScaleStrip) mTimeScaleStrip->EnsureLabelDrawer();
  for (int32_t i = 0; i < GetLaneCount(); ++i) {
    mLanes[static_cast<size_t>(i)]->CreateAxes(parent, reinterpret_cast<intptr_t>(window) & 0x7FFFFFFF);
    AttachLane(i);
  }
  IUnknown* const scale = mHorzScale.Get();
  ForEachObject([scale](InteractiveObject& object) {
    object.ScaleGiven(scale);
    object.WindowAttached();
  });
}

void DataPane::DetachWindow() noexcept {
  for (const auto& lane : mLanes) lane->DisconnectAxes();
}

// ---- sources ----

HRESULT DataPane::SetSource(IUnknown* source, int32_t a, int32_t b) noexcept {
  ForEachChild([&](ChildPaneBase& child) { child.NotifySourceChanged(source, a, b); });
  ForEachObject([&](InteractiveObject& object) { object.SourceChanged(source, a, b); });
  QOR::ComPtr<IHostColour> colour;
  if (source && SUCCEEDED(source->QueryInterface(IID_IHostColour, colour.OutVoid())) && colour) {
    COLORREF background = mBackground;
    if (SUCCEEDED(colour->GetColour(0, 0, &background))) mBackground = background;
  }
  InvalidateLanes();
  return S_OK;
}

HRESULT DataPane::SetDataSource(uint32_t flags, IPaneDataSource* source, const int64_t* position) noexcept {
  mInRecord = false;
  mTracking = false;
  if (mDataSource) mDataSource->RegisterPane(nullptr);
  mDataSource = QOR::ComPtr<IPaneDataSource>(source);
  if (!source) {
    mScrollPos = 0;
    return S_OK;
  }
  source->RegisterPane(this);
  const bool keepScale = (flags & 0x40000000u) && mHorzScale;
  if (!keepScale) {
    mHorzScale = nullptr;
    source->CreateHorizontalScale(mHorzScale.Out());
    if (mHorzScale) {
      mHorzScale->SetScale(mHorizontalScaling.numerator, mHorizontalScaling.denominator);
      mHorzScale->Bind(0x80000000u, static_cast<IOnlineDataSink*>(this));
    }
    mScrollPos = position ? *position : 0;
  } else {
    mHorzScale->Bind(0x8000u, source);
  }
  if (mTimeScaleStrip) mTimeScaleStrip->OnSourceChanged(0, mHorzScale.Get());
  for (const auto& lane : mLanes) lane->ResetDrawerSources(-1, mHorzScale.Get());
  if (!keepScale) ApplyChanges(0xFF000003u);
  return S_OK;
}

// ---- online data ----

HRESULT STDMETHODCALLTYPE DataPane::GetSinkInfo(uint32_t* options, uint16_t* channelMask) noexcept {
  if (!options || !channelMask) return E_POINTER;
  *options = 0;
  *channelMask = 0xFFFF;
  return S_OK;
}

// The pane's data interval: 100, as the host's panes answer.
HRESULT STDMETHODCALLTYPE DataPane::GetPriority(int32_t* priority) noexcept {
  if (!priority) return E_POINTER;
  *priority = 100;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DataPane::GetUpdatePercent(int32_t* percent) noexcept {
  if (!percent) return E_POINTER;
  *percent = 100;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DataPane::OnSamplingStart() noexcept {
  return ComTry([&]() -> HRESULT {
    mSampling = true;
    mFirstData = true;
    InvalidateLanes();
    if (mHorzScale) {
      mHorzScale->SamplingStart(0);
      mHorzScale->GetTotalLength(&mSamplingExtent);
    }
    ForEachChild([](ChildPaneBase& child) { child.OnSamplingStart(0); });
    ForEachObject([](InteractiveObject& object) { object.SamplingStarted(); });
    UpdateLaneRanges();
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE DataPane::OnRecordStart(int32_t record, VARIANT_BOOL sampled) noexcept {
  return ComTry([&]() -> HRESULT {
    mInRecord = true;
    mRecordFlag = sampled != VARIANT_FALSE;
    mRecord = record;
    mLastTickCount = 0;
    if (mHorzScale)
      mHorzScale->BeginAppend(static_cast<uint32_t>(record), 0, 0, 0, 0, 0, 0, 0, 0, 0, sampled ? 1u : 0u);
    ForEachChild([&](ChildPaneBase& child) { child.OnRecordStart(record, sampled); });
    return S_OK;
  });
}

void DataPane::RefreshObjectsIfDue() noexcept {
  const uint32_t now = mClock ? mClock() : 0;
  if (now - mLastObjectRefresh > 300u) {
    ForEachObject([](InteractiveObject& object) { object.Refresh(); });
    mLastObjectRefresh = now;
  }
}

HRESULT STDMETHODCALLTYPE DataPane::OnNewData(int32_t, int32_t tickCount) noexcept {
  return ComTry([&]() -> HRESULT {
    const int32_t count = tickCount - mLastTickCount;
    mLastTickCount = tickCount;
    int64_t right = mScrollPos;
    if (mHorzScale) mHorzScale->NewData(0, count, &right);
    mFirstData = false;
    if (!mSampling) return S_OK;
    // The children take the scroll as the columns their pictures move left (new less old).
    const int64_t delta = right - mScrollPos;
    mScrollPos = right;
    ForEachChild([&](ChildPaneBase& child) {
      int64_t earliest = 0;
      child.OnNewData(right, delta, &earliest, mDataLimit);
    });
    RefreshObjectsIfDue();
    UpdateScrollBar();
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE DataPane::OnRecordEnd(int32_t record, int32_t) noexcept {
  return ComTry([&]() -> HRESULT {
    if (mHorzScale) mHorzScale->EndAppend(static_cast<uint32_t>(record));
    if (mTimeScaleStrip) mTimeScaleStrip->OnRecordEnd(record, static_cast<IOnlineDataSink*>(this));
    ForEachLane([record](ChannelPane& lane) { lane.OnRecordEnd(record, nullptr); });
    mInRecord = false;
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE DataPane::OnSamplingStop() noexcept {
  return ComTry([&]() -> HRESULT {
    if (mFrameWhileFollowing && IsFollowing()) InvalidateLanes();
    mVisibleWidth = ClientWidth() - 2 * kPaneMargin;
    mSampling = false;
    if (mHorzScale) mHorzScale->SamplingStop(VARIANT_TRUE);
    ForEachChild([](ChildPaneBase& child) { child.OnSamplingStop(VARIANT_TRUE); });
    ForEachObject([](InteractiveObject& object) { object.SamplingStopped(); });
    UpdateScrollBar();
    return S_OK;
  });
}

void DataPane::OnSinkNotify(int32_t a, int32_t b) noexcept {
  if (mHorzScale) mHorzScale->SinkNotify(a, b);
  ForEachChild([&](ChildPaneBase& child) { child.OnSinkNotify(a, b); });
}

// ---- drag-scale objects ----

HRESULT DataPane::AttachDragScale(IDragScale* scale) noexcept {
  if (!scale) return E_POINTER;
  int32_t entries = 0;
  if (FAILED(scale->GetEntryCount(&entries))) return E_FAIL;
  if (entries > 2) return kXQORUnsupportedForm;
  if (entries < 2) return S_FALSE;
  ForEachObject([scale](InteractiveObject& object) { object.DragScaleAttached(scale); });
  ForEachLane([scale](ChannelPane& lane) { lane.AttachDragScale(scale); });
  return S_OK;
}

HRESULT DataPane::DetachDragScale(IDragScale* scale) noexcept {
  if (!scale) return E_POINTER;
  scale->SetMode(2);
  ForEachObject([scale](InteractiveObject& object) { object.DragScaleDetached(scale); });
  ForEachLane([scale](ChannelPane& lane) { lane.DetachDragScale(scale); });
  return S_OK;
}

// ---- the pane's observers ----

HRESULT STDMETHODCALLTYPE DataPane::Announce(uint32_t eventCode, IUnknown* object) noexcept {
  return ComTry([&]() -> HRESULT {
    IObserverRegistry* const registry = GetObserverRegistry();
    return registry ? registry->NotifySubject(static_cast<IOnlineDataSink*>(this), eventCode, object) : E_FAIL;
  });
}

HRESULT STDMETHODCALLTYPE DataPane::Attach(IObserver* observer) noexcept {
  return ComTry([&]() -> HRESULT {
    IObserverRegistry* const registry = GetObserverRegistry();
    return registry ? registry->AttachToSubject(static_cast<IOnlineDataSink*>(this), observer) : E_FAIL;
  });
}

HRESULT STDMETHODCALLTYPE DataPane::Detach(IObserver* observer) noexcept {
  return ComTry([&]() -> HRESULT {
    IObserverRegistry* const registry = GetObserverRegistry();
    return registry ? registry->DetachFromSubject(static_cast<IOnlineDataSink*>(this), observer) : E_FAIL;
  });
}

void DataPane::OnLaneRangeChanged(int32_t lane, int32_t axis) noexcept { NotifyObjects(1, lane, axis); }

void DataPane::NotifyAxisData(int32_t lane, int32_t message, bool axis1, bool axis2) noexcept {
  IObserverRegistry* const registry = GetObserverRegistry();
  if (!registry) return;
  const uint32_t words[3] = {static_cast<uint32_t>(lane), axis1 ? 1u : 0u, axis2 ? 1u : 0u};
  registry->NotifySubject(static_cast<IOnlineDataSink*>(this), static_cast<uint32_t>(message), words);
}

void DataPane::NotifyObjects(int32_t a, int32_t b, int32_t c) noexcept {
  ForEachObject([&](InteractiveObject& object) { object.Notify3(a, b, c); });
}

// ---- printing ----

HRESULT STDMETHODCALLTYPE DataPane::BeginPrint(uint32_t context) noexcept {
  return ComTry([&]() -> HRESULT {
    DrawPrintableBase::BeginPrint(context);
    mPrintPositions[0] = mPrintPositions[1] = -1;
    if (mTimeScaleStrip) mTimeScaleStrip->OnPrintChanged(context);
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE DataPane::EndPrint() noexcept {
  return ComTry([&]() -> HRESULT {
    DrawPrintableBase::EndPrint();
    if (mTimeScaleStrip) mTimeScaleStrip->OnPrintChanged(0);
    return S_OK;
  });
}

}  // namespace ScrivoDraw
