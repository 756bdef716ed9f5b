// Test doubles of the drawing tests: a pane that answers a child pane's questions from plain
// fields and notes what it is asked to do, a drawer that fills its band and notes its calls,
// and a 32-bit DIB canvas.
#pragma once

#include "drawing/ChildPaneBase.h"
#include "drawing/ChildPaneHost.h"
#include "drawing/DrawPrintable.h"
#include "drawing/DrawerBase.h"
#include "drawing/IDrawerDataPane.h"
#include "hostapi/PositionMapper.h"
#include "hostclient/ComPtr.h"
#include "platform/owl/TBitmap.h"
#include "platform/owl/TMemoryDC.h"

#include <memory>
#include <string>
#include <vector>

namespace drawingtest {

// The drawer side of a pane: a device scale, a printing context and the lanes' axis objects as
// their transform; the rest is not served.
class StubDrawerPane final : public IDrawerDataPane {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) noexcept override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 2; }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
  HRESULT STDMETHODCALLTYPE GetPrintContext(int32_t, uint32_t* context) noexcept override {
    *context = printContext;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPixelsPerMmX(int32_t, uint32_t, double* p) noexcept override {
    *p = kScreenPixelsPerMm;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPixelsPerMmY(int32_t, uint32_t, double* p) noexcept override {
    *p = kScreenPixelsPerMm;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDeviceScale(int32_t, double* x, double* y) noexcept override {
    *x = *y = deviceScale;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE IsStyleBit23(int32_t, VARIANT_BOOL*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetLayerRect(int32_t, int32_t, int32_t, const RECT*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetLayerValue(int32_t, int32_t, int32_t, uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDrawArea(int32_t, RECT*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invalidate(int32_t, const RECT*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsNotSampling(VARIANT_BOOL*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsNotSamplingNow(VARIANT_BOOL*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetBackground(int32_t, COLORREF*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetContrastColour(COLORREF, COLORREF*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetLaneExtent(int32_t, int32_t, int32_t* out) noexcept override {
    out[0] = extent[0];
    out[1] = extent[1];
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetLaneAxis(int32_t, int32_t, IUnknown** object) noexcept override {
    *object = transform;
    if (transform) transform->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE TestLaneRange(int32_t, int32_t, int32_t, int32_t record, QOR::IQORString** units,
                                          LaneUnitsRecord* result, int32_t, int32_t, int32_t) noexcept override {
    if (units) *units = nullptr;
    readOuts.push_back(record);
    result->low = readOutLow;
    result->high = readOutHigh;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetLaneAttributes(int32_t, int32_t* out) noexcept override {
    *out = attributes;
    return S_OK;
  }

  uint32_t printContext = 0;
  double deviceScale = 1.0;
  IUnknown* transform = nullptr;
  int32_t attributes = 0;
  int32_t extent[2] = {0, 0};
  double readOutLow = 0.0;
  double readOutHigh = 1.0;
  std::vector<int32_t> readOuts;
};

class PrintState final : public ScrivoDraw::DrawPrintableBase {};

class TestPane final : public ScrivoDraw::ChildPaneHost {
 public:
  bool UsesCachedBitmaps() const noexcept override { return cached; }
  bool IsPrintMode() const noexcept override { return printing; }
  bool RingSwitch() const noexcept override { return ring; }
  bool IsScrolling() const noexcept override { return scrolling; }
  int32_t RingOffset() const noexcept override { return ringOffset; }
  bool IsSampling() const noexcept override { return sampling; }
  int64_t ScrollPosition() const noexcept override { return scrollPosition; }
  int32_t RightColumn() const noexcept override { return rightColumn; }
  COLORREF MapColour(COLORREF colour) const noexcept override { return colour; }
  SIZE Margins() const noexcept override { return SIZE{2, 2}; }
  void Invalidate(const RECT& rect) noexcept override { invalidated.push_back(rect); }
  void ScrollPixels(const RECT&, int32_t delta) noexcept override { scrolled.push_back(delta); }
  void ServeRelayout() noexcept override { ++relayouts; }
  IDrawerDataPane* DrawerPane() noexcept override { return drawerPane; }
  IUnknown* HorizontalScale() noexcept override { return horizontalScale; }
  IDrawPrintable* Printable() noexcept override { return printable; }
  uint32_t PaneStyle() const noexcept override { return style; }
  void OnAxisDragBegin(int32_t lane, int32_t axis) noexcept override { Note("begin", lane, axis); }
  void OnAxisDragEnd(int32_t lane, int32_t axis, int32_t, IUnknown* window) noexcept override {
    Note(window ? "end+window" : "end", lane, axis);
  }
  void OnAxisAutoScale(int32_t lane, int32_t axis, IUnknown*) noexcept override { Note("auto", lane, axis); }
  void OnLaneRangeChanged(int32_t lane, int32_t axis) noexcept override { Note("range", lane, axis); }
  void NotifyAxisData(int32_t, int32_t message, bool axis1, bool axis2) noexcept override {
    axisData.push_back(std::to_string(message) + (axis1 ? "L" : "-") + (axis2 ? "R" : "-"));
  }
  void Note(const char* what, int32_t lane, int32_t axis) {
    events.push_back(std::string(what) + " " + std::to_string(lane) + "/" + std::to_string(axis));
  }

  bool cached = true;
  bool printing = false;
  bool ring = false;
  bool scrolling = false;
  int32_t ringOffset = 0;
  bool sampling = false;
  int64_t scrollPosition = 0;
  int32_t rightColumn = 0;
  std::vector<RECT> invalidated;
  std::vector<int32_t> scrolled;
  int relayouts = 0;
  IDrawerDataPane* drawerPane = nullptr;
  IUnknown* horizontalScale = nullptr;
  IDrawPrintable* printable = nullptr;
  uint32_t style = 0x80000000u;
  std::vector<std::string> events;
  std::vector<std::string> axisData;
};

// A lane with nothing of its own beyond the child pane.
class TestLane final : public ScrivoDraw::ChildPaneBase {
 public:
  using ChildPaneBase::ChildPaneBase;
  HRESULT AttachDragScale(IDragScale*) noexcept override { return S_OK; }
  HRESULT DetachDragScale(IDragScale*) noexcept override { return S_OK; }
};

inline QOR::ComPtr<TestLane> MakeLane(TestPane& pane, const RECT& rect, int32_t laneIndex = 0) {
  QOR::ComPtr<TestLane> lane(new TestLane(pane, laneIndex));
  lane->Place(0, RECT{0, 0, rect.right + 2, rect.bottom + 2}, rect, 0, 0, 2);
  return lane;
}

struct DrawCall {
  std::string name;
  int64_t first;
  int64_t last;
  int32_t column;
  RECT clip;
  uint32_t flags;
};

// Fills the pane columns [bandLeft, bandRight) of what it is asked to draw with its colour over
// the lane's height, and a one-column black mark at data position mark (when not negative).
class TestDrawer final : public ScrivoDraw::DrawerBase {
 public:
  TestDrawer(std::string name, int32_t kind, std::vector<DrawCall>* log = nullptr,
             ScrivoDraw::LayerPair layer = {ScrivoDraw::kLayerPairAll, ScrivoDraw::kLayerPairAllSecond},
             ScrivoDraw::ChannelPair channel = {-1, 0})
      : DrawerBase(kind, 0x80001000u, channel, layer), mName(std::move(name)), mLog(log) {}

  HRESULT STDMETHODCALLTYPE GetUnitsText(int32_t, int32_t, QOR::IQORString**, VARIANT_BOOL*) noexcept override {
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE SetValueRange(int32_t, int32_t, const ScrivoDraw::ValueRange*, IUnknown*) noexcept override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Refresh(uint32_t mask) noexcept override {
    refreshes.push_back(mask);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RequestData(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, void*) noexcept override {
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE GetDrawTraits(int32_t, uint32_t* traits, int32_t* left, int32_t* right) noexcept override {
    *traits = mTraits;
    *left = leftExtra;
    *right = rightExtra;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnNewData(int64_t, int64_t, int64_t* first) noexcept override {
    if (newDataAnswer < 0) return S_FALSE;
    *first = newDataAnswer;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Draw(HDC dc, int64_t first, int64_t last, ScrivoDraw::DrawOrigin, int32_t column,
                                 const RECT* clip, uint32_t flags, int32_t, const void*) noexcept override {
    if (mLog) mLog->push_back(DrawCall{mName, first, last, column, *clip, flags});
    const RECT band{std::max<LONG>(clip->left, bandLeft), clip->top, std::min<LONG>(clip->right, bandRight),
                    clip->bottom};
    if (band.left < band.right) {
      HBRUSH const brush = CreateSolidBrush(colour);
      FillRect(dc, &band, brush);
      DeleteObject(brush);
    }
    if (mark >= first && mark < last) {
      const int32_t x = column + static_cast<int32_t>(mark - first);
      const RECT line{x, clip->top, x + 1, clip->bottom};
      FillRect(dc, &line, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    return S_OK;
  }

  const std::string& Name() const { return mName; }
  int32_t LaneIndex() const { return mLaneIndex; }
  int32_t RecordValue() const { return mRecordValue; }
  bool Sampling() const { return mSampling; }
  bool InRecord() const { return mInRecord; }
  bool HasHostData() const { return mHostData.Get() != nullptr; }
  void SetTraits(uint32_t traits) { mTraits = traits; }

  COLORREF colour = RGB(0, 0, 255);
  int32_t bandLeft = -100000;
  int32_t bandRight = 100000;
  int64_t mark = -1;
  int32_t leftExtra = 0;
  int32_t rightExtra = 0;
  int64_t newDataAnswer = -1;
  std::vector<uint32_t> refreshes;

 private:
  std::string mName;
  std::vector<DrawCall>* mLog;
  uint32_t mTraits = 0;
};

// A 32-bit top-down DIB selected into a memory DC, filled with a colour.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill = RGB(0, 255, 0))
      : mWidth(width), mBitmap(OWL::TBitmap::CreateDIB32(width, height, &mBits)), mDC(*mBitmap) {
    const RECT all{0, 0, width, height};
    HBRUSH const brush = CreateSolidBrush(fill);
    FillRect(mDC.GetHDC(), &all, brush);
    DeleteObject(brush);
    GdiFlush();
  }
  HDC DC() const { return mDC.GetHDC(); }
  // The pixel as a COLORREF.
  COLORREF At(int x, int y) const {
    GdiFlush();
    const uint32_t p = mBits[y * mWidth + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

 private:
  int mWidth;
  uint32_t* mBits = nullptr;
  std::unique_ptr<OWL::TBitmap> mBitmap;
  OWL::TMemoryDC mDC;
};

// A source whose positions the test places: it answers IPositionMapper itself and hands every
// other interface on to the source it wraps (the host's horizontal scale).
class MappedSource final : public IPositionMapper {
 public:
  explicit MappedSource(IUnknown* inner) : mInner(inner) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPositionMapper)) {
      *out = static_cast<IPositionMapper*>(this);
      AddRef();
      return S_OK;
    }
    return mInner->QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++mCount; }
  ULONG STDMETHODCALLTYPE Release() noexcept override {
    const ULONG left = --mCount;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE PositionToColumn(int64_t position, int32_t* column, int32_t* paintMode) noexcept override {
    *column = static_cast<int32_t>(position);
    *paintMode = mode;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ColumnsToPositions(uint32_t request, int32_t, int32_t last, int64_t* firstPosition,
                                               int64_t* lastPosition) noexcept override {
    requests.push_back(request);
    if (answer != S_OK) return answer;
    *firstPosition = mappedFirst;
    *lastPosition = last;
    return S_OK;
  }

  int32_t mode = 0;          // the paint mode PositionToColumn answers
  int64_t mappedFirst = 0;   // the first position ColumnsToPositions answers
  HRESULT answer = S_OK;
  std::vector<uint32_t> requests;

 private:
  ~MappedSource() = default;
  QOR::ComPtr<IUnknown> mInner;
  ULONG mCount = 1;
};

}  // namespace drawingtest
