// ScrivoDraw::EventDrawer: detected events marked in a lane: at each event a dotted vertical line
// and a small circle at the top, filled in the colour of the event's draw class.
#pragma once

#include "drawing/DrawerBase.h"
#include "hostapi/EventDrawClass.h"
#include "hostapi/PositionMapper.h"
#include "hostapi/RecordData.h"

#include <vector>

namespace ScrivoDraw {

inline constexpr int32_t kEventKind = 0x402;

// The sizes of the marks at a horizontal resolution: s = max(dpi / 96, 1), the circle's half
// size trunc(3 s), its diameter 2 r + 1, the dotted line trunc(s) pixels wide.
struct EventMarkSizes {
  int32_t radius;
  int32_t diameter;
  int32_t lineWidth;
};
EventMarkSizes MarkSizesFor(int32_t dpi) noexcept;

class EventDrawer : public DrawerBase {
 public:
  EventDrawer(ChannelPair channel, LayerPair layer) noexcept;

  HRESULT STDMETHODCALLTYPE AttachPane(int32_t mode, IUnknown* source) noexcept override;
  HRESULT STDMETHODCALLTYPE GetDrawTraits(int32_t, uint32_t* traits, int32_t* leftExtra,
                                          int32_t* rightExtra) noexcept override;
  HRESULT STDMETHODCALLTYPE GetUnitsText(int32_t, int32_t, QOR::IQORString** units, VARIANT_BOOL*) noexcept override;
  HRESULT STDMETHODCALLTYPE QueryChannel(int32_t, IUnknown** result) noexcept override;
  HRESULT STDMETHODCALLTYPE SetValueRange(int32_t, int32_t, const ValueRange*, IUnknown*) noexcept override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Refresh(uint32_t) noexcept override;
  HRESULT STDMETHODCALLTYPE Draw(HDC dc, int64_t first, int64_t last, DrawOrigin origin, int32_t column,
                                 const RECT* clip, uint32_t flags, int32_t word, const void* scale) noexcept override;
  HRESULT STDMETHODCALLTYPE OnRecordStart(int32_t record, VARIANT_BOOL sampling) noexcept override;
  HRESULT STDMETHODCALLTYPE OnNewData(int64_t position, int64_t delta, int64_t* firstChanged) noexcept override;
  HRESULT STDMETHODCALLTYPE OnRecordEnd(int32_t argument, IUnknown* pane) noexcept override;
  HRESULT STDMETHODCALLTYPE RequestData(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, void*) noexcept override {
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE ReleasePointCache(int32_t) noexcept override;
  HRESULT STDMETHODCALLTYPE OnSourceChanged(IUnknown*, int32_t, int32_t) noexcept override { return S_OK; }

  // The x of the last event drawn (-1.0 before any).
  double LastEventX() const noexcept { return mLastEventX; }

 protected:
  ~EventDrawer() override;
  // The DC's horizontal pixels per inch (a test may stand in another resolution).
  virtual int32_t HorizontalDpi(HDC dc) const noexcept;
  // The draw class registered under a class value (the framework's class registry).
  virtual HRESULT FindDrawClass(uint32_t value, IPODEventDrawClass** drawClass) noexcept;

  QOR::ComPtr<IEventBuffer> mReader;

 private:
  void TakeClass(uint32_t value) noexcept;
  void DrawMark(HDC dc, int32_t column, int32_t height, const EventMarkSizes& sizes, bool display, HPEN line,
                HPEN outline, const void* event) noexcept;

  double mLastEventX = -1.0;
  QOR::ComPtr<IPositionMapper> mMapper;
  std::vector<unsigned char> mBuffer;
  size_t mCurrent = 0;
  int32_t mRecordSize = 0;
  size_t mEnd = 0;
  QOR::ComPtr<IPODEventDrawClass> mDrawClass;
  uint32_t mClass = 0;
  int32_t mLastRecord = -1;
};

}  // namespace ScrivoDraw
