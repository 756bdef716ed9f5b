// ScrivoDraw::DataPane: the drawing surface of a preview: channel lanes stacked from the top and
// the time strip below them, sharing one horizontal axis of positions that the host's horizontal
// scale object maps to records and samples. The pane is not a window: the window that shows it
// hands it its size, paints and input, and supplies the window operations (virtual, empty here).
// While the host samples, the pane is one of its online data sinks. A data source holds the pane
// it feeds: the owner ends that with SetDataSource(0, nullptr, nullptr) before letting go.
#pragma once

#include "drawing/ChannelPane.h"
#include "drawing/ChildPaneHost.h"
#include "drawing/DrawPrintable.h"
#include "drawing/IDrawerDataPane.h"
#include "drawing/PaneInterfaces.h"
#include "drawing/InteractiveObjects.h"
#include "drawing/LaneSegment.h"
#include "drawing/PaneControls.h"
#include "drawing/TimeScale.h"
#include "drawing/TimeTickPlan.h"
#include "hostapi/FrameworkSubject.h"
#include "hostapi/OnlineData.h"
#include "hostapi/PaneDataSource.h"
#include "hostapi/RecordDataPixMap.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/ComPtr.h"

#include <functional>
#include <memory>
#include <vector>

namespace ScrivoDraw {

inline constexpr int32_t kPaneMargin = 2;
// Style bit 23: no scroll bar, no zoom list, children never switch to the printing DC.
inline constexpr uint32_t kPaneStyleNoControls = 0x00800000u;
inline constexpr uint32_t kPendingAll = 0xFF000000u;
inline constexpr int32_t kNoLane = static_cast<int32_t>(0x80000000u);
inline constexpr uint32_t kLaneIndexLowest = 0x80000000u;  // GetDrawArea: to the lowest lane over 12 px
inline constexpr int32_t kEmptyRange = 0x7FFFFFFE;

struct PaneRational {
  int64_t numerator = 10;
  int64_t denominator = 1;
  bool operator==(const PaneRational& o) const noexcept {
    return numerator == o.numerator && denominator == o.denominator;
  }
};

// The pane's state, in the order the pane keeps it.
struct DataPaneBase {
  HWND mWindow = nullptr;
  HWND mParentWindow = nullptr;
  int32_t mScrollUpdateMode = 0;
  uint32_t mLaneStyle = 0x00026F30u;
  int32_t mAxisLabelArg = 10;
  int32_t mAxisWidth1 = 0;
  int32_t mAxisWidth2 = 0;
  RECT mPageRect{0, 0, 0, 0};
  RECT mClientRect{0, 0, 0, 0};
  int64_t mScrollPos = 0;
  int64_t mSamplingExtent = 0;
  PaneRational mHorizontalScaling;
  int32_t mVisibleWidth = 0;
  int32_t mScrollUnit = 1;
  uint32_t mLaneFlags = 0xC0000000u;
  TimeLabelLayout mTickPlan;
  uint32_t mPending = 0;
  int32_t mMinAxisWidth1 = 0;
  int32_t mMinAxisWidth2 = 0;
  uint32_t mSegmentFlags = 0;
  int32_t mPrintPosition = 0;
  bool mFullRedraw = false;
  bool mLanesDirty = false;
  bool mSampling = false;
  bool mPrinting = false;
  bool mSelectionFlag = false;
  int32_t mRecord = -1;
  bool mRecordFlag = false;
  uint32_t mLastObjectRefresh = 0;
  uint32_t mStyle = 0x80000000u;
  int32_t mDataLimit = 0;
  int32_t mLaneAttributes = 1;  // non-zero: the lanes show a value-label column
  // Data narrower than the drawing area starts at its left edge rather than ending at its right
  // edge, except while sampling, when new data comes in at the right.
  bool mShortDataAtLeft = false;
  std::vector<int32_t> mDragTops;
  std::vector<int32_t> mDragBottoms;
  int32_t mPrintPositions[2] = {0, 0};
  int32_t mDisplayMode = 0;
  COLORREF mBackground = RGB(255, 255, 255);
  bool mInRecord = false;
  bool mTracking = false;
  bool mFollow = true;
  bool mFrameWhileFollowing = false;
  bool mPaintEnabled = true;
  bool mFirstData = false;
  bool mRelayoutMark = false;
  int32_t mLastTickCount = 0;
};

class DataPane : public IOnlineDataSink,
                 public ICommentsObserver,
                 public ISubject,
                 public IQORDraggableRects,
                 public IDrawerDataPane,
                 public DrawPrintableBase,
                 public ChildPaneHost,
                 public AxisControlOwner,
                 public InteractiveObjectContainer,
                 protected DataPaneBase {
 public:
  // Created with no reference; a source given here is set at once (flags 0).
  explicit DataPane(IPaneDataSource* source = nullptr);

  // IUnknown: IUnknown and IOnlineDataSink, ICommentsObserver, ISubject, IQORDraggableRects and
  // IDrawerDataPane; anything else E_NOINTERFACE with a cleared pointer.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;

  // IOnlineDataSink: the host's sampling, passed to the horizontal scale object, the time
  // scale, the lanes and the interactive objects in that order.
  HRESULT STDMETHODCALLTYPE GetSinkInfo(uint32_t* options, uint16_t* channelMask) noexcept override;
  HRESULT STDMETHODCALLTYPE OnSamplingStart() noexcept override;
  HRESULT STDMETHODCALLTYPE OnRecordStart(int32_t record, VARIANT_BOOL sampled) noexcept override;
  HRESULT STDMETHODCALLTYPE OnNewData(int32_t record, int32_t tickCount) noexcept override;
  HRESULT STDMETHODCALLTYPE OnRecordEnd(int32_t record, int32_t tickCount) noexcept override;
  HRESULT STDMETHODCALLTYPE OnSamplingStop() noexcept override;
  // The host's two-word notification goes on to the scale object, the time scale and the lanes.
  HRESULT STDMETHODCALLTYPE SinkNotify(int32_t a, int32_t b) noexcept override {
    return ComTry([&]() -> HRESULT {
      OnSinkNotify(a, b);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE Reserved10() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetPriority(int32_t* priority) noexcept override;
  HRESULT STDMETHODCALLTYPE GetUpdatePercent(int32_t* percent) noexcept override;
  void* STDMETHODCALLTYPE DeletingDestructor(unsigned int) noexcept override { return nullptr; }

  // IDrawerDataPane
  HRESULT STDMETHODCALLTYPE GetPrintContext(int32_t, uint32_t* context) noexcept override;
  HRESULT STDMETHODCALLTYPE GetPixelsPerMmX(int32_t, uint32_t context, double* pixels) noexcept override;
  HRESULT STDMETHODCALLTYPE GetPixelsPerMmY(int32_t, uint32_t context, double* pixels) noexcept override;
  HRESULT STDMETHODCALLTYPE GetDeviceScale(int32_t, double* x, double* y) noexcept override;
  HRESULT STDMETHODCALLTYPE IsStyleBit23(int32_t, VARIANT_BOOL* set) noexcept override;
  HRESULT STDMETHODCALLTYPE SetLayerRect(int32_t, int32_t lane, int32_t layer, const RECT* rect) noexcept override;
  HRESULT STDMETHODCALLTYPE SetLayerValue(int32_t, int32_t lane, int32_t kind, uint32_t value) noexcept override;
  HRESULT STDMETHODCALLTYPE GetDrawArea(int32_t lane, RECT* area) noexcept override;
  HRESULT STDMETHODCALLTYPE Invalidate(int32_t, const RECT* rect) noexcept override;
  HRESULT STDMETHODCALLTYPE IsNotSampling(VARIANT_BOOL* idle) noexcept override;
  HRESULT STDMETHODCALLTYPE IsNotSamplingNow(VARIANT_BOOL* idle) noexcept override;
  HRESULT STDMETHODCALLTYPE GetBackground(int32_t, COLORREF* colour) noexcept override;
  HRESULT STDMETHODCALLTYPE GetContrastColour(COLORREF colour, COLORREF* adjusted) noexcept override;
  HRESULT STDMETHODCALLTYPE GetLaneExtent(int32_t lane, int32_t, int32_t* extent) noexcept override;
  HRESULT STDMETHODCALLTYPE GetLaneAxis(int32_t lane, int32_t axis, IUnknown** object) noexcept override;
  HRESULT STDMETHODCALLTYPE TestLaneRange(int32_t lane, int32_t sourceId, int32_t displayMode, int32_t record,
                                          QOR::IQORString** units, LaneUnitsRecord* result, int32_t, int32_t,
                                          int32_t) noexcept override;
  HRESULT STDMETHODCALLTYPE GetLaneAttributes(int32_t lane, int32_t* attributes) noexcept override;

  // IDrawPrintable: the time scale re-measures for the new state.
  HRESULT STDMETHODCALLTYPE BeginPrint(uint32_t context) noexcept override;
  HRESULT STDMETHODCALLTYPE EndPrint() noexcept override;

  // ChildPaneHost
  bool UsesCachedBitmaps() const noexcept override { return mCachedBitmaps; }
  bool IsPrintMode() const noexcept override { return mPrinting && !(mStyle & kPaneStyleNoControls); }
  bool RingSwitch() const noexcept override { return mRingSwitch; }
  bool IsScrolling() const noexcept override { return IsFollowing(); }
  int32_t RingOffset() const noexcept override { return mRingOffset; }
  bool IsSampling() const noexcept override { return mSampling; }
  int64_t ScrollPosition() const noexcept override { return mScrollPos; }
  int32_t RightColumn() const noexcept override { return ClientWidth() - kPaneMargin; }
  COLORREF MapColour(COLORREF colour) const noexcept override { return colour; }
  SIZE Margins() const noexcept override { return SIZE{kPaneMargin, kPaneMargin}; }
  void Invalidate(const RECT& rect) noexcept override { InvalidateRect(rect, false); }
  void ScrollPixels(const RECT& rect, int32_t delta) noexcept override;
  void ServeRelayout() noexcept override;
  IDrawerDataPane* DrawerPane() noexcept override { return this; }
  IUnknown* HorizontalScale() noexcept override { return mHorzScale.Get(); }
  IDrawPrintable* Printable() noexcept override { return this; }
  uint32_t PaneStyle() const noexcept override { return mStyle; }
  void OnLaneRangeChanged(int32_t lane, int32_t axis) noexcept override;
  void NotifyAxisData(int32_t lane, int32_t message, bool axis1, bool axis2) noexcept override;

  // The pane's own operations.
  HRESULT SetPageRect(const RECT& rect) noexcept;
  // The time scale and each lane, then every interactive object, get (source, a, b); a source
  // with the host colour interface gives the background.
  HRESULT SetSource(IUnknown* source, int32_t a, int32_t b) noexcept;
  HRESULT SetDataSource(uint32_t flags, IPaneDataSource* source, const int64_t* position) noexcept;
  HRESULT ApplyAxisOperation(int32_t lane, int32_t value, int32_t axisKind, int32_t argument) noexcept;
  // More than 2 entries: 0xA0048205 and nothing changes; exactly 2: every interactive object
  // and every lane gets the object.
  HRESULT AttachDragScale(IDragScale* scale) noexcept;
  HRESULT DetachDragScale(IDragScale* scale) noexcept;
  HRESULT SetClientSize(SIZE size) noexcept;
  void SetSelectionFlag(bool flag) noexcept { mSelectionFlag = flag; }
  // -1 over the time scale, the first lane containing the point, else kNoLane.
  int32_t HitTestChild(POINT point) const noexcept;
  void SetSampling(bool sampling) noexcept { mSampling = sampling; }
  int32_t GetHorizontalMargin() const noexcept { return kPaneMargin; }
  int32_t GetVerticalMargin() const noexcept { return kPaneMargin; }
  void SetBackground(COLORREF colour) noexcept { mBackground = colour; }
  void SetFrameWhileFollowing(bool on) noexcept { mFrameWhileFollowing = on; }
  HRESULT AttachLane(int32_t index) noexcept;
  HRESULT DetachLane(int32_t index) noexcept;
  // A new lane on this pane with the pane's lane flags, style and attributes; the caller adds it.
  virtual QOR::ComPtr<ChannelPane> CreateLane(int32_t index);
  void LayoutLanes() noexcept;
  int32_t SetLaneAxisRange(IDragScale* scale, int32_t axis, int32_t lane) noexcept;
  void AttachWindow(HWND parent, HWND window) noexcept;
  void DetachWindow() noexcept;
  void OnSinkNotify(int32_t a, int32_t b) noexcept;

  // IQORScrivoLanes
  int32_t GetLaneCount() const noexcept { return static_cast<int32_t>(mLanes.size()); }
  HRESULT SetLaneCount(int32_t count) noexcept;
  // IQORDraggableRects: lane tops and bottoms in client pixels, one entry per lane.
  HRESULT SetDraggableRects(const std::vector<int32_t>& tops, const std::vector<int32_t>& bottoms) noexcept;
  HRESULT STDMETHODCALLTYPE SetDragRects(int32_t count, const int32_t* tops, const int32_t* bottoms) noexcept override;
  // ISubject: the host's observer registry keeps the pane's observers under the pane's identity
  // and tells them of the lanes' axis data and of positions the interactive objects report;
  // E_FAIL without a registry.
  HRESULT STDMETHODCALLTYPE Announce(uint32_t eventCode, IUnknown* object) noexcept override;
  HRESULT STDMETHODCALLTYPE Attach(IObserver* observer) noexcept override;
  HRESULT STDMETHODCALLTYPE Detach(IObserver* observer) noexcept override;
  // ICommentsObserver: the pane shows no comments.
  HRESULT STDMETHODCALLTYPE OnCommentsChanged(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) noexcept override {
    return S_OK;
  }

  // Services for the windows and preview panes.
  HRESULT AddLaneDrawer(int32_t lane, uint32_t options, IScrivoRecordDrawer* drawer) noexcept;
  HRESULT RemoveLaneDrawers(int32_t lane, uint32_t mask, LayerPair pair) noexcept;
  HRESULT GetAxisRange(int32_t axis, double* low, double* high) noexcept;
  HRESULT ResetAxisScale(int32_t lane, int32_t axis) noexcept;
  HRESULT AnyLaneAxisFlag(int32_t axis, VARIANT_BOOL* set) noexcept;
  // The first lane's axis takes the prefix index (0 to 14) for its label, then every lane is
  // labelled again; E_FAIL without lanes, or the lane's answer.
  HRESULT UpdateFirstLaneAxis(int32_t axis, int32_t prefix) noexcept;
  HRESULT GetFirstLaneAxis(int32_t axis, IDragScale** object) noexcept;
  // Gives the first lane's axis (1 or 2) the colour through the axis's colour interface (on:
  // drawn in colour); E_FAIL without lanes or an axis object, E_NOINTERFACE for a plain axis.
  HRESULT GetFirstLaneAxis(int32_t axis, VARIANT_BOOL on, COLORREF colour) noexcept;
  // The host document's display mode: the lanes read their drawers' units with it from now on,
  // the interactive objects hear of it, the lanes' axes are read out again and laid out.
  void SetDisplayMode(int32_t mode) noexcept;
  int32_t DisplayMode() const noexcept { return mDisplayMode; }
  HRESULT GetVisibleStart(int32_t* tick) noexcept;
  HRESULT QueryLaneChannel(int32_t lane, int32_t argument, IUnknown** out) noexcept;
  void NotifyObjects(int32_t a, int32_t b, int32_t c) noexcept;
  // Every child is marked for a full redraw and invalidated (after all of them when the lanes
  // are marked dirty).
  void InvalidateLanes() noexcept;
  void UpdateLaneRanges() noexcept;
  void ClampScroll() noexcept;
  void UpdateScrollBar() noexcept;
  bool IsFollowing() const noexcept { return mSampling && mFollow; }
  void ApplyChanges(uint32_t mask) noexcept;
  void UpdatePending() noexcept;

  // ---- the horizontal axis: scrolling and zoom ----
  HRESULT ScrollToTick(int32_t tick, int32_t record) noexcept;
  HRESULT SetLeftPosition(int64_t left) noexcept;
  // Nothing when scaling is the current one; else the data under the anchor (x, or the host
  // view's time with Ctrl held, or the centre) comes to the centre.
  HRESULT SetHorizontalScaling(PaneRational scaling, const int32_t* anchorX) noexcept;
  // S_FALSE when there is no extent or the range is empty.
  HRESULT GetVisibleRange(PixMapTick* first, PixMapTick* last) noexcept;
  // AxisControlOwner: the scroll bar's codes 0 to 8 (SB_LINELEFT ... SB_ENDSCROLL), following,
  // zoom steps, and the zoom menu whose command ids are the zoom list's entries.
  void OnScroll(int32_t code) noexcept override;
  void SetFollow(bool on, bool apply) noexcept override;
  // The scaling at which the whole data fits the visible width.
  void AutoScaleHorizontally(int32_t argument) noexcept override;
  bool CanZoom(int32_t action) noexcept override;
  void ZoomStep(bool in) noexcept override;
  // kind 1: the enabler is checked when its entry is the current scaling.
  void QueryZoomCommand(int32_t kind, OWL::TCommandEnabler& enabler) noexcept override;
  void ExecuteZoomCommand(int32_t kind, int32_t id) noexcept override;
  void BuildZoomMenu(HMENU menu, int32_t first, int32_t last) noexcept override;
  HRESULT EnsureVisible(int32_t tick, int32_t record) noexcept;
  void SetFollowMode(bool on) noexcept;
  void EndScroll(bool apply) noexcept;
  void ScrollBy(int64_t delta) noexcept;
  void SetScrollBar(std::unique_ptr<ScrollBar> bar) noexcept { mScrollBar = std::move(bar); }
  void SetZoomList(std::unique_ptr<ZoomControl> list) noexcept { mZoomList = std::move(list); }
  void SetHostView(IUnknown* view) noexcept { mHostView = QOR::ComPtr<IUnknown>(view); }
  // Whether Ctrl is held (GetAsyncKeyState unless replaced).
  void SetCtrlKeySeam(std::function<bool()> seam) { mCtrlDown = std::move(seam); }
  int32_t ScrollUnit() const noexcept { return mScrollUnit; }
  bool IsTracking() const noexcept { return mTracking; }
  int32_t VisibleWidth() const noexcept { return mVisibleWidth; }

  // ---- painting ----
  void Paint(HDC dc, const RECT& update, HRGN region) noexcept;
  void PaintRange(HDC dc, const RECT& rect, int32_t x0, int32_t x1) noexcept;
  void RedrawLayer(int32_t layer, bool erase, uint32_t flags, HDC dc, int32_t lane, bool mark) noexcept;
  void RedrawAllLanes(HDC dc) noexcept;
  void NotifyObjectsAt(int32_t a, int32_t b, int32_t c, int32_t d) noexcept;

  // ---- input from the window ----
  void OnLeftDown(POINT point, uint32_t keys) noexcept;
  void OnLeftUp(POINT point, uint32_t keys) noexcept;
  void OnLeftDoubleClick(POINT point, uint32_t keys, bool* handled) noexcept;
  void OnMouseMove(POINT point, uint32_t keys) noexcept;
  void OnMouseLeave() noexcept;
  void OnRightDown(POINT point, uint32_t keys) noexcept;
  void OnRightUp(POINT point, uint32_t keys) noexcept;
  bool OnCursorQuery(int32_t a, int32_t b, int32_t c) noexcept;
  void OnTimer(uint32_t id) noexcept;
  void OnNotification(int32_t a, int32_t b) noexcept;

  // The pane's channel policy: the channel pair of a lane and the word its axis map is read with.
  virtual ChannelPair LaneChannel(int32_t lane) const noexcept;
  virtual uint32_t LaneAxisWord(int32_t lane) const noexcept;

  // Window operations: the window that shows the pane supplies them.
  virtual void SetTimer(uint32_t, uint32_t) noexcept {}
  virtual void KillTimer(uint32_t) noexcept {}
  virtual void InvalidateRect(const RECT&, bool) noexcept {}
  virtual void CreateScrollBar() noexcept {}
  virtual void CreateZoomList() noexcept {}
  virtual void PlaceWindow(const RECT&) noexcept {}

  // Seams and read-outs.
  void SetClock(std::function<uint32_t()> clock) { mClock = std::move(clock); }
  // Another pane (not held) that answers SetLaneCount, GetLaneAxis and ApplyAxisOperation in
  // place of this one; null: this pane answers.
  void SetAxisOverride(DataPane* pane) noexcept { mAxisOverride = pane; }
  TimeScale* Strip() const noexcept { return mTimeScaleStrip.Get(); }
  ChannelPane* Lane(int32_t index) const noexcept;
  IRecordDataPixMap* Scale() const noexcept { return mHorzScale.Get(); }
  IPaneDataSource* DataSource() const noexcept { return mDataSource.Get(); }
  uint32_t Pending() const noexcept { return mPending; }
  int64_t ScrollPos() const noexcept { return mScrollPos; }
  COLORREF Background() const noexcept { return mBackground; }
  int32_t ClientWidth() const noexcept { return mClientRect.right; }
  int32_t ClientHeight() const noexcept { return mClientRect.bottom; }
  bool InRecord() const noexcept { return mInRecord; }
  uint32_t Style() const noexcept { return mStyle; }
  void SetStyle(uint32_t style) noexcept { mStyle = style; }
  void SetLaneSettings(uint32_t flags, uint32_t style, int32_t attributes) noexcept;
  // A pane without a time strip: the lanes reach down to the client's bottom margin.
  void DropTimeScale() noexcept { mTimeScaleStrip = nullptr; }
  // The scaling in samples per pixel; the horizontal scale object gets it too.
  void SetHorizontalScalingValue(PaneRational scaling) noexcept;
  PaneRational GetHorizontalScaling() const noexcept;

 protected:
  virtual ~DataPane();

 private:
  // The time strip, then each lane. The walk allocates nothing, so that the paint paths can take
  // it: a call that adds or removes lanes leaves the walk on the lanes there are, and the lane
  // being called lives until its call returns.
  template <typename Call>
  void ForEachChild(const Call& call) {
    if (mTimeScaleStrip) call(*static_cast<ChildPaneBase*>(mTimeScaleStrip.Get()));
    ForEachLane([&call](ChannelPane& lane) { call(*static_cast<ChildPaneBase*>(&lane)); });
  }
  // Each lane, walked as ForEachChild walks.
  template <typename Call>
  void ForEachLane(const Call& call) {
    for (size_t i = 0; i < mLanes.size(); ++i) {
      const QOR::ComPtr<ChannelPane> lane = mLanes[i];
      call(*lane.Get());
    }
  }
  bool LaneInRange(int32_t lane) const noexcept { return lane >= 0 && lane < GetLaneCount(); }
  ChildPaneBase* Child(int32_t lane) const noexcept;
  int32_t StripSpace() const noexcept;
  RECT ClientRectInParent() const noexcept;
  void RefreshObjectsIfDue() noexcept;
  int64_t Extent() const noexcept;
  void FillWithoutData(HDC dc, bool printing) noexcept;
  // Fills the columns [from, to) of every child, within rect, with the background: on the DC, or
  // in printing mode into the child's layer-0 cache.
  void FillColumnsWithoutData(HDC dc, bool printing, const RECT& rect, int64_t from, int64_t to) noexcept;
  void SetSegmentOrigin(PaintArgs& args, int32_t record) const noexcept;
  // Where a paint's first segment lies: its record, its first and end positions, the right end
  // of the range and the column of the first position.
  struct SegmentStart {
    int32_t record;
    int64_t first;
    int64_t end;
    int64_t last;
    int64_t x;
  };
  // The strip's tick plan (mTickPlan) for the segment at position; that segment's time scale.
  PixMapTimeScale PlanSegmentTicks(int64_t position) noexcept;
  // The lanes' view of a segment of time: its scale and the time grid along the planned ticks.
  LaneSegment LaneSegmentOf(const PixMapTimeScale& time) const noexcept;
  // One pass over the segments of a range; cachedOnly: only the children's dirty cached layers,
  // drawn into their caches without compositing, else the columns between and after the
  // segments, where there is no data, get the background.
  void PaintSegments(HDC dc, const RECT& rect, const SegmentStart& start, uint32_t flags, int32_t sampled,
                     bool cachedOnly) noexcept;
  // Every object, or only those of the group of the first that refuses mode.
  template <typename Call>
  void SendToGroup(int32_t mode, const Call& call) noexcept {
    InteractiveObject* const refusing = FindRefusing(mode);
    if (!refusing) {
      ForEachObject(call);
      return;
    }
    const int32_t group = refusing->Group();
    ForEachObject([&](InteractiveObject& object) {
      if (object.Group() == group) call(object);
    });
  }

  volatile LONG mRefCount = 0;
  std::function<void(bool)> mFollowChanged;
  std::function<void(int32_t, int32_t, int32_t, int32_t)> mPositionNotify;
  std::function<void(int64_t, int64_t)> mRangeChanged;
  std::function<void()> mLaneQuery;
  QOR::ComPtr<IUnknown> mHostView;
  QOR::ComPtr<IPaneDataSource> mDataSource;
  QOR::ComPtr<IRecordDataPixMap> mHorzScale;
  QOR::ComPtr<TimeScale> mTimeScaleStrip;
  std::vector<QOR::ComPtr<ChannelPane>> mLanes;
  DataPane* mAxisOverride = nullptr;
  std::function<uint32_t()> mClock;
  std::function<bool()> mCtrlDown;
  std::unique_ptr<ScrollBar> mScrollBar;
  std::unique_ptr<ZoomControl> mZoomList;
  RECT mScrollBarRect{0, 0, 0, 0};
  // Lanes whose left (0) or right (1) axis window resets its scale; the fill stands for every lane.
  std::vector<bool> mAxisRedraw[2];
  bool mAxisRedrawFill[2] = {false, false};
  bool mCachedBitmaps = true;
  bool mRingSwitch = false;
  int32_t mRingOffset = 0;
};

}  // namespace ScrivoDraw
