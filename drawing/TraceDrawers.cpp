// Trace drawers: point readers made for a paint (or a sampling run), points to GDI in chunks.
#include "drawing/TraceDrawers.h"

#include "drawing/IDrawerDataPane.h"
#include "drawing/TimeScale.h"
#include "hostapi/PaneDataSource.h"
#include "hostapi/RecordDataPixMap.h"
#include "hostclient/ComBoundary.h"
#include "platform/uihelpers/ColourPalettes.h"
#include "platform/uihelpers/Colours.h"

#include <algorithm>
#include <array>

namespace ScrivoDraw {

namespace {

// The polyline counts of every PolyPolyline call: 128 segments of two points.
const DWORD* SegmentCounts() noexcept {
  static const std::array<DWORD, kPointChunk / 2> counts = [] {
    std::array<DWORD, kPointChunk / 2> all{};
    all.fill(2);
    return all;
  }();
  return counts.data();
}

COLORREF PaletteColour(int32_t channel) noexcept {
  return QOR::GetPaletteColourByOrder(static_cast<uint32_t>(channel < 0 ? 0 : channel));
}

}  // namespace

PolyLineTraceDrawer::PolyLineTraceDrawer(const COLORREF* colour, int32_t sourceId, uint32_t style, int32_t kind,
                                         ChannelPair channel, LayerPair layer) noexcept
    : DrawerBase(kind, kDrawerFlags, channel, layer),
      mStyle(style),
      mColour(colour ? *colour : PaletteColour(channel.channel)),
      mSourceId(sourceId) {}

uint32_t PolyLineTraceDrawer::ReadRequest() const noexcept {
  uint32_t request = RequestWord();
  if (mDisplayMode) request &= ~0x3000u;
  return (request & 0xFFFFFF00u) | mChannel.selector;
}

HRESULT STDMETHODCALLTYPE PolyLineTraceDrawer::AttachPane(int32_t mode, IUnknown* source) noexcept {
  return ComTry([&]() -> HRESULT {
    DrawerBase::AttachPane(mode, source);
    mMapper = nullptr;
    if (source && FAILED(source->QueryInterface(IID_IPositionMapper, mMapper.OutVoid()))) mMapper = nullptr;
    mReader = nullptr;
    mDrawnPosition = 0;
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE PolyLineTraceDrawer::GetDrawTraits(int32_t, uint32_t* traits, int32_t* leftExtra,
                                                             int32_t* rightExtra) noexcept {
  if (!traits || !leftExtra || !rightExtra) return E_POINTER;
  *traits = 0x60000000u;
  *leftExtra = 1;
  *rightExtra = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PolyLineTraceDrawer::GetUnitsText(int32_t sourceId, int32_t record, QOR::IQORString** units,
                                                            VARIANT_BOOL* valid) noexcept {
  return ComTry([&]() -> HRESULT {
    if (units) *units = nullptr;
    if (mChannel.channel < 0 || sourceId != mSourceId) return S_FALSE;
    if (!mHostData) return E_FAIL;
    const uint32_t request = ReadRequest();
    if (valid) {
      *valid = VARIANT_FALSE;
      mHostData->GetValidity(request, record, mChannel.channel, valid);
    }
    return units ? mHostData->GetUnits(request, record, mChannel.channel, units) : S_OK;
  });
}

HRESULT STDMETHODCALLTYPE PolyLineTraceDrawer::GetUnitsInfo(int32_t sourceId, int32_t record, QOR::IQORString** units,
                                                            VARIANT_BOOL* valid, double* scale, double* range,
                                                            double* factor) noexcept {
  return ComTry([&]() -> HRESULT {
    const HRESULT text = GetUnitsText(sourceId, record, units, valid);
    if (text != S_OK || (!scale && !range) || !mHostData) return text;
    uint32_t request = RequestWord();
    request = mDisplayMode ? (request & ~0x3000u) : ((request & ~0x1000u) | 0x2000u);
    QOR::ComPtr<IChannelUnits> object;
    if (FAILED(mHostData->GetUnitsObject(request, record, mChannel.channel, object.Out())) || !object) return text;
    if (scale) object->GetScale(mDisplayMode ? 0 : request, scale);
    if (factor) object->GetFactor(factor);
    if (range) object->GetRange(range);
    return text;
  });
}

HRESULT STDMETHODCALLTYPE PolyLineTraceDrawer::SetValueRange(int32_t sourceId, int32_t mode, const ValueRange* range,
                                                             IUnknown*) noexcept {
  if (sourceId != mSourceId) return S_FALSE;
  if (!range) return E_POINTER;
  mValueRange = *range;
  mDisplayMode = mode;
  mReader = nullptr;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PolyLineTraceDrawer::Refresh(uint32_t) noexcept {
  return ComTry([&]() -> HRESULT {
    if (mInRecord) {
      QOR::ComPtr<IRecordDataPixMap> scale;
      if (mSource && SUCCEEDED(mSource->QueryInterface(IID_IRecordDataPixMap, scale.OutVoid())) && scale)
        scale->GetTotalLength(&mDrawnPosition);
    }
    mReader = nullptr;
    return S_OK;
  });
}

bool PolyLineTraceDrawer::MakeReader(int64_t start, int64_t last, int32_t column) noexcept {
  mReader = nullptr;
  if (!mHostData || mChannel.channel < 0) return false;
  const uint32_t request = (ReadRequest() & ~0x80000000u) | 0x2000000u;
  const int32_t height = mBounds.bottom - mBounds.top;
  PointReaderArea area{};
  area.rect = RECT{column, 0, static_cast<LONG>(column + (last - start)), height};
  area.first = start;
  area.last = last;
  // The axis shows its first end at the bottom and its second at the top.
  area.low = mValueRange.first;
  area.high = mValueRange.second;
  return SUCCEEDED(mHostData->CreatePointReader(request, mChannel.channel, mSource.Get(), &area, mStyle,
                                                mReader.Out())) &&
         mReader;
}

HRESULT STDMETHODCALLTYPE PolyLineTraceDrawer::Draw(HDC dc, int64_t first, int64_t last, DrawOrigin, int32_t column,
                                                    const RECT* clip, uint32_t flags, int32_t, const void*) noexcept {
  return ComTry([&]() -> HRESULT {
    if (!dc) return E_POINTER;
    if (flags & kPaintFreshReader) mReader = nullptr;
    int64_t start = first;
    if (start < 0) {
      // Positions before the data are not drawn.
      column += static_cast<int32_t>(std::min<int64_t>(-start, INT32_MAX));
      start = 0;
      if (clip && column < clip->left) column = clip->left;
    }
    int32_t mode = 0;
    COLORREF colour = mColour;
    if (mMapper) {
      int32_t mapped = column;
      if (SUCCEEDED(mMapper->PositionToColumn(start, &mapped, &mode)) && mode == 3 && !AcceptsExplicitColour())
        return S_OK;
      int64_t from = start, to = last;
      if (SUCCEEDED(mMapper->ColumnsToPositions(0, column, column + static_cast<int32_t>(last - start), &from, &to)) &&
          from > start) {
        column += static_cast<int32_t>(from - start);
        start = from;
      }
    }
    if (last <= start) return S_OK;
    if (mReader && !mMapper) {
      int64_t at = 0;
      mReader->GetPosition(&at);
      if (at == start + 1) {
        start = at;
        ++column;
      } else if (at != start) {
        mReader = nullptr;
      }
    }
    if ((!mReader || mMapper) && !MakeReader(start, last, column)) return S_OK;
    AdjustStart(start, &start);
    BeforeDrawPoints(start, mSource.Get(), dc);
    const int64_t count64 = std::min<int64_t>(last - start, INT32_MAX);
    const int32_t consumed = DrawPoints(dc, static_cast<int32_t>(count64), start, mode, colour);
    AfterDrawPoints(dc);
    mLastX = column + consumed;
    if (!(flags & kPaintSampledRecord)) mReader = nullptr;
    return S_OK;
  });
}

int32_t PolyLineTraceDrawer::DrawPoints(HDC dc, int32_t count, int64_t start, int32_t mode, COLORREF colour) noexcept {
  if (!mReader || count <= 0) return 0;
  uint32_t context = 0;
  if (mDataPane) mDataPane->GetPrintContext(0, &context);
  const bool print = context != 0;
  const double scale = PaneDeviceScale(mDataPane);
  const int32_t width = print ? std::max(1, static_cast<int32_t>(mPenWidth * scale)) : 1;
  COLORREF ink = mColour;
  if (mode == 3) ink = MapColour(colour);
  if (mode == 2) ink = (mStyle & 0xFFFFu) == 1 ? QOR::LightenColour(RGB(0, 0, 0), 50.0 / 180.0) : RGB(0, 0, 0);
  if (mDataPane) mDataPane->GetContrastColour(ink, &ink);
  LOGBRUSH brush{BS_SOLID, ink, 0};
  HPEN const pen = print ? ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_SOLID, static_cast<DWORD>(width), &brush, 0,
                                        nullptr)
                         : ExtCreatePen(PS_COSMETIC | PS_SOLID, 1, &brush, 0, nullptr);
  if (!pen) return 0;
  HGDIOBJ const old = SelectObject(dc, pen);
  POINT points[kPointChunk];
  int32_t total = 0;
  int64_t position = start;
  int32_t remaining = count;
  while (remaining > 0) {
    int32_t delivered = 0;
    int32_t used = 0;
    if (FAILED(mReader->ReadPoints(position, remaining, kPointChunk, points, &delivered, &used))) break;
    // Whole pairs within the chunk only, and a reader that consumed nothing ends the loop.
    delivered = std::clamp(delivered, 0, kPointChunk) & ~1;
    used = std::clamp(used, 0, remaining);
    if (print && (mStyle & 0xFFFFu) != 1) {
      for (int32_t i = 0; i + 1 < delivered; i += 2)
        if (points[i].x == points[i + 1].x) points[i + 1].y += static_cast<LONG>(scale - 1.0);
    }
    if (delivered > 0) PolyPolyline(dc, points, SegmentCounts(), static_cast<DWORD>(delivered / 2));
    position += used;
    remaining -= used;
    total += used;
    if (used == 0 || (delivered < kPointChunk && remaining > 0)) break;
  }
  SelectObject(dc, old);
  DeleteObject(pen);
  return total;
}

HRESULT STDMETHODCALLTYPE PolyLineTraceDrawer::OnNewData(int64_t, int64_t, int64_t* firstChanged) noexcept {
  return ComTry([&]() -> HRESULT {
    if (!firstChanged) return E_POINTER;
    int64_t at = mDrawnPosition;
    if (mReader) mReader->GetPosition(&at);
    *firstChanged = at;
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE PolyLineTraceDrawer::OnRecordEnd(int32_t, IUnknown*) noexcept {
  mInRecord = false;
  mReader = nullptr;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PolyLineTraceDrawer::RequestData(int32_t flags, int32_t sourceId, int32_t a, int32_t b,
                                                           int32_t c, int32_t d, void* e) noexcept {
  return ComTry([&]() -> HRESULT {
    if (sourceId != mSourceId) return S_FALSE;
    if (!mHostData) return E_FAIL;
    uint32_t request = RequestWord();
    if (mDisplayMode) request &= ~0x3000u;
    request = (((request | static_cast<uint32_t>(flags)) & 0xFFFFFF00u) | mChannel.selector) | 0x82000100u;
    return mHostData->RequestData(request, mChannel.channel, a, b, c, d, 0, 0, 0, e);
  });
}

HRESULT STDMETHODCALLTYPE PolyLineTraceDrawer::GetSourceId(int32_t* id) noexcept {
  if (!id) return E_POINTER;
  *id = mSourceId;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PolyLineTraceDrawer::ReleasePointCache(int32_t) noexcept {
  mReader = nullptr;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PolyLineTraceDrawer::OnSourceChanged(IUnknown* hostSource, int32_t, int32_t channel) noexcept {
  return ComTry([&]() -> HRESULT {
    if ((channel != -1 && channel != mChannel.channel) || mChannel.selector == 4) return S_OK;
    QOR::ComPtr<IHostColour> settings;
    if (hostSource && SUCCEEDED(hostSource->QueryInterface(IID_IHostColour, settings.OutVoid())) && settings) {
      settings->GetTraceStyle(mChannel.channel, &mStyle);
      COLORREF colour = mColour;
      if (settings->GetTraceColour(0x80000000u, mChannel.channel, mChannel.selector, &colour) == S_OK) mColour = colour;
      settings->GetPenWidth(mChannel.channel, &mPenWidth);
    }
    mReader = nullptr;
    return S_OK;
  });
}

// ---- custom units ----

HRESULT STDMETHODCALLTYPE CustomUnitsPolyLineTraceDrawer::GetUnitsText(int32_t sourceId, int32_t record,
                                                                       QOR::IQORString** units,
                                                                       VARIANT_BOOL* valid) noexcept {
  return ComTry([&]() -> HRESULT {
    if (units) *units = nullptr;
    if (mChannel.channel < 0 || sourceId != mSourceId) return S_FALSE;
    if (!mHostData || !mUnits) return E_FAIL;
    QOR::IQORString* raw = nullptr;
    const HRESULT read = mHostData->GetUnits(mUnits->Request() | 0x1000u, record, mUnits->Channel(), &raw);
    if (valid) *valid = SUCCEEDED(read) ? VARIANT_TRUE : VARIANT_FALSE;
    const QOR::String mapped = mUnits->Map(QOR::String::Adopt(raw));
    if (units) *units = mapped.AddRefInterface();
    return S_OK;
  });
}

// ---- the null trace ----

NullTraceDrawer::NullTraceDrawer(ChannelPair channel) noexcept
    : PolyLineTraceDrawer(nullptr, 0, 0, kTraceKind, channel, LayerPair{kLayerPairAll, kLayerPairAllSecond}) {}

HRESULT STDMETHODCALLTYPE NullTraceDrawer::GetDrawTraits(int32_t, uint32_t* traits, int32_t* leftExtra,
                                                         int32_t* rightExtra) noexcept {
  if (!traits || !leftExtra || !rightExtra) return E_POINTER;
  *traits = 0x60000000u;
  *leftExtra = 0;
  *rightExtra = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE NullTraceDrawer::GetUnitsText(int32_t, int32_t, QOR::IQORString** units,
                                                        VARIANT_BOOL*) noexcept {
  if (units) *units = nullptr;
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE NullTraceDrawer::OnNewData(int64_t position, int64_t delta, int64_t* firstChanged) noexcept {
  return ComTry([&]() -> HRESULT {
    const HRESULT answer = PolyLineTraceDrawer::OnNewData(position, delta, firstChanged);
    if (answer == S_OK) *firstChanged -= mPositionOffset;
    return answer;
  });
}

int32_t NullTraceDrawer::DrawPoints(HDC, int32_t count, int64_t start, int32_t, COLORREF) noexcept {
  if (!mReader || count <= 0) return 0;
  POINT points[kPointChunk];
  int32_t total = 0;
  int64_t position = start;
  while (total < count) {
    if (position >= mWrapLength) position = 0;
    int32_t delivered = 0;
    int32_t used = 0;
    if (FAILED(mReader->ReadPoints(position, count - total, kPointChunk, points, &delivered, &used))) break;
    used = std::clamp(used, 0, count - total);
    if (used == 0) break;
    position += used;
    total += used;
  }
  return total;
}

}  // namespace ScrivoDraw
