// ScrivoDraw::ChildPaneBase: one rectangular area of a data pane (a channel lane or the time
// scale): its drawers sorted by kind, painted in eight layers, each straight into the target or
// into a cached bitmap composited with a white colour key or a constant opacity.
#pragma once

#include "drawing/IScrivoRecordDrawer.h"
#include "hostapi/DragScale.h"
#include "hostclient/ComPtr.h"
#include "hostclient/SimpleUnknownImp.h"
#include "platform/uihelpers/ScreenBitMapDC.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace ScrivoDraw {

class ChildPaneHost;

inline constexpr int kLayerCount = 8;
// Layer flags.
inline constexpr uint32_t kLayerCached = 0x80000000u;
inline constexpr uint32_t kLayerDirty = 0x40000000u;
inline constexpr uint32_t kLayerTransparent = 0x20000000u;  // white is the colour key
inline constexpr uint32_t kLayerDrawn = 0x10000000u;
// Paint flags the child pane reads.
inline constexpr uint32_t kPaintWholeLane = 0x01000000u;    // repaint span: the whole rectangle
inline constexpr uint32_t kPaintIntoCache = 0x04000000u;    // cached bitmaps in use
inline constexpr uint32_t kPaintNoWhiteKey = 0x10000000u;   // no white background for transparency
inline constexpr uint32_t kPaintSkipTraitFlag = 0x00200000u;
inline constexpr uint32_t kPaintNoComposite = 0x00100000u;
inline constexpr uint32_t kPaintWhiteFill = 0x00080000u;
// AddDrawer options: the drawer's layer is cached.
inline constexpr uint32_t kDrawerCachedLayer = 0x80000000u;

struct PaneLayer {
  std::optional<RECT> pending;  // set through SetLayerRect; dropped after the layer's next paint
  RECT dirty{0, 0, 0, 0};       // pane coordinates; empty when left == right
  std::unique_ptr<QOR::ScreenBitMapDC> cache;
  int32_t firstDrawer = -1;
  int32_t endDrawer = -1;
  uint32_t flags = kLayerTransparent;
  uint32_t opacity = 255;
};

// The segment a paint covers: pane columns x0 to x1 show data positions first to last.
struct PaintArgs {
  int64_t firstPosition = 0;
  int64_t lastPosition = 0;
  int32_t x0 = 0;
  int32_t x1 = 0;
  const RECT* clip = nullptr;  // pane coordinates; null: the segment over the lane's height
  // The first position counted from its record's first sample: negative in the margin before
  // the samples, where a lane showing values draws its label column.
  int64_t originPosition = 0;
  int32_t word = -1;           // the segment's record; handed to the drawers unchanged
  const void* scale = nullptr; // the pane's scale record of the segment
};

struct ChildPaneBaseInit {
  int32_t mContext = 0;
  uint32_t mPendingRange = 0;
  int32_t mLeftMargin = 0;
  int32_t mRightMargin = 0;
  int32_t mLaneIndex = 0;
  uint16_t mPainted = 0;
  POINT mOrigin{0, 0};
  RECT mRect{0, 0, 0, 0};
  bool mRightAxisData = false;
  bool mLeftAxisData = false;
  bool mMarginsStale = true;
  ChildPaneHost* mPane = nullptr;  // not counted
  // Columns at either end redrawn at every scroll, beside the ones uncovered (0: none).
  int32_t mScrollRedrawBand = 0;
  std::vector<QOR::ComPtr<IScrivoRecordDrawer>> mDrawers;
  std::array<PaneLayer, kLayerCount> mLayers;
  RECT mLayerSize{0, 0, 0, 0};
};

class ChildPaneBase : public QOR::SimpleUnknownImp1<IDragScaleObserver, IID_IDragScaleObserver>,
                      protected ChildPaneBaseInit {
 public:
  ChildPaneBase(ChildPaneHost& pane, int32_t laneIndex) noexcept;

  // IDragScaleObserver: the channel lane answers these.
  HRESULT STDMETHODCALLTYPE OnBeginDrag(int32_t axis) noexcept override;
  HRESULT STDMETHODCALLTYPE OnEndDrag(int32_t axis) noexcept override;
  HRESULT STDMETHODCALLTYPE OnScalingChanged(int32_t axis, double value,
                                             const DragScaleMapping* mapping) noexcept override;
  HRESULT STDMETHODCALLTYPE OnAutoScale(int32_t axis) noexcept override;
  HRESULT STDMETHODCALLTYPE OnReserved7() noexcept override;

  virtual void DrawFrame(HDC dc, int32_t word) noexcept;
  // context: 0x80000000 for the pane's first lane; paneClient's top-left becomes the origin.
  virtual void Place(int32_t context, const RECT& paneClient, const RECT& lane, int32_t leftAxisWidth,
                     int32_t rightAxisWidth, int32_t margin) noexcept;
  virtual void NotifySourceChanged(IUnknown* source, int32_t a, int32_t channel) noexcept;
  virtual HRESULT AddDrawer(uint32_t options, IScrivoRecordDrawer* drawer, uint32_t opacity) noexcept;
  // mask 0 with the pair (0x80000000, 0xC0000000) removes every drawer.
  virtual HRESULT RemoveDrawers(uint32_t mask, LayerPair pair) noexcept;
  virtual void RefreshDrawers(uint32_t mask) noexcept;
  virtual void OnSamplingStart(int32_t argument) noexcept;
  virtual void OnRecordStart(int32_t record, VARIANT_BOOL sampling) noexcept;
  // Lowers *earliest to the first position the drawers' new data changes; selector < 0 also
  // redraws layers 0 and 1.
  // delta: the columns the pane scrolled (its new scroll position less the old one).
  virtual void OnNewData(int64_t position, int64_t delta, int64_t* earliest, int32_t selector) noexcept;
  // The pane scrolled by delta columns without new data: the pictures move along (caches or the
  // screen), the uncovered strip is redrawn.
  void ScrollBy(int64_t delta) noexcept;
  virtual void OnRecordEnd(int32_t argument, IUnknown* pane) noexcept;
  virtual void OnSamplingStop(VARIANT_BOOL argument) noexcept;
  virtual void OnSinkNotify(int32_t a, int32_t b) noexcept;
  virtual void Paint(HDC dc, const PaintArgs& args, uint32_t flags, uint32_t layerSet) noexcept;
  // What each kind of lane does when the pane attaches or detaches a drag-scale object.
  virtual HRESULT AttachDragScale(IDragScale* scale) noexcept = 0;
  virtual HRESULT DetachDragScale(IDragScale* scale) noexcept = 0;
  bool HasAxisData() const noexcept { return mLeftAxisData || mRightAxisData; }
  virtual HRESULT GetLeftAxis(int32_t reserved, IUnknown** axis) noexcept;
  virtual HRESULT GetRightAxis(int32_t reserved, IUnknown** axis) noexcept;
  virtual void BroadcastToDrawers(int32_t argument) noexcept;
  // Copies the composed layers into dc over the lane rectangle; line: a black line at column.
  virtual void Render(HDC dc, int32_t column, bool line) noexcept;
  // Left and top inclusive, right and bottom exclusive.
  bool HitTest(POINT point) const noexcept;

  // The pane's side of a paint: the span of columns to repaint (margins included), after the
  // dirty rectangles are extended over the update region as the flags say.
  void GetRepaintSpan(HRGN update, uint32_t flags, int32_t* left, int32_t* right) noexcept;
  // all: every layer dirty over the whole lane and the pane's relayout served; the lane is
  // invalidated in any case.
  void InvalidateAll(bool all) noexcept;
  // After a paint pass: true when a layer was drawn; empties every dirty rectangle then.
  bool EndPaintPass() noexcept;
  // The cached layers with drawers waiting to be redrawn, as a layer set (bit n for layer n).
  uint32_t DirtyCachedLayers() const noexcept;
  // After a pass that redrew cached layers into their caches: those redrawn lose their dirty
  // mark, so that the next pass composites them.
  void EndCachePass() noexcept;
  // Whether a layer has something to repaint.
  bool HasDirtyLayer() const noexcept;
  // One layer's dirty rectangle becomes the whole layer size; mark: its dirty bit is set too.
  void DirtyLayer(int32_t layer, bool mark) noexcept;
  // The owned rectangle and the opacity of one layer (others than 0 to 7 are ignored).
  void SetLayerRect(int32_t layer, const RECT& rect) noexcept;
  void SetLayerOpacity(int32_t layer, uint32_t opacity) noexcept;

  const RECT& Rect() const noexcept { return mRect; }
  int32_t LaneIndex() const noexcept { return mLaneIndex; }
  size_t DrawerCount() const noexcept { return mDrawers.size(); }
  IScrivoRecordDrawer* Drawer(size_t index) const noexcept { return mDrawers[index].Get(); }
  const PaneLayer& Layer(int32_t index) const noexcept { return mLayers[static_cast<size_t>(index)]; }
  // The layer's cache DC, or null when the layer is not cached.
  HDC LayerCache(int32_t index) const noexcept;

 protected:
  ~ChildPaneBase() override;

  void RebuildLayerRanges() noexcept;
  void MeasureMargins() noexcept;
  void MarkDirty(PaneLayer& layer, const RECT& area) noexcept;
  void SizeCache(PaneLayer& layer) noexcept;
  bool CachedBitmaps() const noexcept;

 private:
  struct Target {
    HDC dc;
    int32_t top;  // where the lane's row 0 lies in the target
  };
  void PaintLayer(int32_t index, const Target& fallback, const PaintArgs& args, const RECT& clip,
                  uint32_t flags, bool ring) noexcept;
  void DrawLayerDrawers(HDC dc, const PaneLayer& layer, const RECT& area, int32_t fillRight, const PaintArgs& args,
                        uint32_t flags) noexcept;
  void Composite(const PaneLayer& layer, const Target& target, bool ring) noexcept;
  void ShiftCaches(int32_t delta) noexcept;
  void MarkNewStrip(int32_t column, int32_t selector) noexcept;
  void MovePictures(int64_t delta, int32_t column) noexcept;
  int32_t RingColumn() const noexcept;
};

// The sunken two-pixel frame around a rectangle (2 pixels outside it) in the system's colours.
void DrawSunkenFrame(HDC dc, const RECT& inner) noexcept;

}  // namespace ScrivoDraw
