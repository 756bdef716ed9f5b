// Trace drawers: a recorded channel as a poly-line in a lane (PolyLineTraceDrawer), the same in
// units of the drawer's own (CustomUnitsPolyLineTraceDrawer with its UnitMapper), and a drawer
// that only follows the data (NullTraceDrawer). The host data file's point reader turns the
// positions into pixel points; the drawer sends them to GDI in chunks of 256.
#pragma once

#include "base/String.h"
#include "drawing/DrawerBase.h"
#include "hostapi/PositionMapper.h"
#include "hostapi/RecordData.h"

#include <memory>

namespace ScrivoDraw {

inline constexpr int32_t kPointChunk = 256;
inline constexpr int32_t kTraceKind = 0x201;

// Names the channel whose units a custom-units trace shows, and turns its units text into the
// drawer's own.
class UnitMapper {
 public:
  UnitMapper(int32_t channel, uint32_t request) noexcept : mChannel(channel), mRequest(request) {}
  virtual ~UnitMapper() = default;
  int32_t Channel() const noexcept { return mChannel; }
  uint32_t Request() const noexcept { return mRequest; }
  virtual QOR::String Map(const QOR::String& units) const { return units; }

 private:
  int32_t mChannel;
  uint32_t mRequest;
};

class PolyLineTraceDrawer : public DrawerBase {
 public:
  // colour null: the program palette's colour for the channel.
  PolyLineTraceDrawer(const COLORREF* colour, int32_t sourceId, uint32_t style, int32_t kind, ChannelPair channel,
                      LayerPair layer) noexcept;

  HRESULT STDMETHODCALLTYPE AttachPane(int32_t mode, IUnknown* source) noexcept override;
  HRESULT STDMETHODCALLTYPE GetDrawTraits(int32_t, uint32_t* traits, int32_t* leftExtra,
                                          int32_t* rightExtra) noexcept override;
  HRESULT STDMETHODCALLTYPE GetUnitsText(int32_t sourceId, int32_t record, QOR::IQORString** units,
                                         VARIANT_BOOL* valid) noexcept override;
  HRESULT STDMETHODCALLTYPE SetValueRange(int32_t sourceId, int32_t mode, const ValueRange* range,
                                          IUnknown*) noexcept override;
  HRESULT STDMETHODCALLTYPE Refresh(uint32_t mask) noexcept override;
  HRESULT STDMETHODCALLTYPE Draw(HDC dc, int64_t first, int64_t last, DrawOrigin origin, int32_t column,
                                 const RECT* clip, uint32_t flags, int32_t word, const void* scale) noexcept override;
  HRESULT STDMETHODCALLTYPE OnNewData(int64_t position, int64_t delta, int64_t* firstChanged) noexcept override;
  HRESULT STDMETHODCALLTYPE OnRecordEnd(int32_t argument, IUnknown* pane) noexcept override;
  HRESULT STDMETHODCALLTYPE RequestData(int32_t flags, int32_t sourceId, int32_t, int32_t, int32_t, int32_t,
                                        void*) noexcept override;
  HRESULT STDMETHODCALLTYPE GetSourceId(int32_t* id) noexcept override;
  HRESULT STDMETHODCALLTYPE ReleasePointCache(int32_t) noexcept override;
  HRESULT STDMETHODCALLTYPE OnSourceChanged(IUnknown* hostSource, int32_t a, int32_t channel) noexcept override;
  HRESULT STDMETHODCALLTYPE GetUnitsInfo(int32_t sourceId, int32_t record, QOR::IQORString** units,
                                         VARIANT_BOOL* valid, double* scale, double* range,
                                         double* factor) noexcept override;

  COLORREF Colour() const noexcept { return mColour; }
  const ValueRange& Range() const noexcept { return mValueRange; }
  int32_t LastX() const noexcept { return mLastX; }

 protected:
  virtual void BeforeDrawPoints(int64_t, IUnknown*, HDC) noexcept {}
  virtual void AfterDrawPoints(HDC) noexcept {}
  virtual void AdjustStart(int64_t, int64_t*) noexcept {}
  // Draws count positions from start; returns how many were consumed.
  virtual int32_t DrawPoints(HDC dc, int32_t count, int64_t start, int32_t mode, COLORREF colour) noexcept;
  virtual COLORREF MapColour(COLORREF colour) noexcept { return colour; }
  virtual bool AcceptsExplicitColour() noexcept { return false; }
  // The request word for the host's reads: bits 0x3000 cleared when a display mode is set.
  uint32_t ReadRequest() const noexcept;
  bool MakeReader(int64_t start, int64_t last, int32_t column) noexcept;

  int64_t mDrawnPosition = 0;
  ValueRange mValueRange{1.0, 0.0};
  QOR::ComPtr<IPointReader> mReader;
  QOR::ComPtr<IPositionMapper> mMapper;
  uint32_t mStyle;
  COLORREF mColour;
  int32_t mSourceId;
  int32_t mWrapLength = 0x7FFFFFFF;
  int32_t mLastX = 0;
  int32_t mPenWidth = 1;
};

class CustomUnitsPolyLineTraceDrawer final : public PolyLineTraceDrawer {
 public:
  CustomUnitsPolyLineTraceDrawer(std::unique_ptr<UnitMapper> mapper, const COLORREF* colour, int32_t sourceId,
                                 uint32_t style, int32_t kind, ChannelPair channel, LayerPair layer) noexcept
      : PolyLineTraceDrawer(colour, sourceId, style, kind, channel, layer), mUnits(std::move(mapper)) {}
  HRESULT STDMETHODCALLTYPE GetUnitsText(int32_t sourceId, int32_t record, QOR::IQORString** units,
                                         VARIANT_BOOL* valid) noexcept override;

 private:
  std::unique_ptr<UnitMapper> mUnits;
};

class NullTraceDrawer final : public PolyLineTraceDrawer {
 public:
  explicit NullTraceDrawer(ChannelPair channel) noexcept;
  HRESULT STDMETHODCALLTYPE GetDrawTraits(int32_t, uint32_t* traits, int32_t* leftExtra,
                                          int32_t* rightExtra) noexcept override;
  HRESULT STDMETHODCALLTYPE GetUnitsText(int32_t, int32_t, QOR::IQORString** units, VARIANT_BOOL*) noexcept override;
  HRESULT STDMETHODCALLTYPE OnNewData(int64_t position, int64_t delta, int64_t* firstChanged) noexcept override;
  void SetPositionOffset(int32_t offset) noexcept { mPositionOffset = offset; }

 protected:
  // Reads the same chunks without drawing.
  int32_t DrawPoints(HDC dc, int32_t count, int64_t start, int32_t mode, COLORREF colour) noexcept override;

 private:
  int32_t mPositionOffset = 0;
};

}  // namespace ScrivoDraw
