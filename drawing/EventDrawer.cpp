// ScrivoDraw::EventDrawer: events read a buffer at a time and marked column by column.
#include "drawing/EventDrawer.h"

#include "drawing/IDrawerDataPane.h"
#include "drawing/TimeScale.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/RecordDataPixMap.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/FrameworkAccess.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace ScrivoDraw {

namespace {

// The event lines on a printer or plotter: a geometric pen of the print width, dotted (0x10002).
constexpr DWORD kPrintLineStyle = PS_GEOMETRIC | PS_DOT;
static_assert(kPrintLineStyle == 0x10002u);

constexpr int32_t kBufferBytes = 4096;
constexpr COLORREF kLineGrey = RGB(0xC0, 0xC0, 0xC0);

#pragma pack(push, 4)
struct EventHead {
  int32_t tick;
  float fraction;
  double value;
};
#pragma pack(pop)
static_assert(sizeof(EventHead) == 16, "the event head");

bool HasValue(double value) noexcept {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof(bits));
  return (bits & 0x7FF0000000000000ull) != 0x7FF0000000000000ull;
}

}  // namespace

EventMarkSizes MarkSizesFor(int32_t dpi) noexcept {
  const double s = std::max(dpi / 96.0, 1.0);
  const int32_t r = static_cast<int32_t>(s * 3.0);
  return EventMarkSizes{r, 2 * r + 1, static_cast<int32_t>(s)};
}

EventDrawer::EventDrawer(ChannelPair channel, LayerPair layer) noexcept
    : DrawerBase(kEventKind, kDrawerFlags, channel, layer) {}

EventDrawer::~EventDrawer() {
  mDrawClass = nullptr;
  mReader = nullptr;
  mMapper = nullptr;
}

int32_t EventDrawer::HorizontalDpi(HDC dc) const noexcept { return GetDeviceCaps(dc, LOGPIXELSX); }

HRESULT STDMETHODCALLTYPE EventDrawer::AttachPane(int32_t mode, IUnknown* source) noexcept {
  return ComTry([&]() -> HRESULT {
    DrawerBase::AttachPane(mode, source);
    mMapper = nullptr;
    if (source && FAILED(source->QueryInterface(IID_IPositionMapper, mMapper.OutVoid()))) mMapper = nullptr;
    mReader = nullptr;
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE EventDrawer::GetDrawTraits(int32_t, uint32_t* traits, int32_t* leftExtra,
                                                     int32_t* rightExtra) noexcept {
  if (!traits || !leftExtra || !rightExtra) return E_POINTER;
  *traits = 0x40000000u;
  *leftExtra = 10;
  *rightExtra = 10;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE EventDrawer::GetUnitsText(int32_t, int32_t, QOR::IQORString** units, VARIANT_BOOL*) noexcept {
  if (units) *units = nullptr;
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE EventDrawer::QueryChannel(int32_t, IUnknown** result) noexcept {
  if (result) *result = nullptr;
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE EventDrawer::Refresh(uint32_t) noexcept {
  mLastEventX = -1.0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE EventDrawer::OnRecordStart(int32_t record, VARIANT_BOOL sampling) noexcept {
  return ComTry([&]() -> HRESULT {
    DrawerBase::OnRecordStart(record, sampling);
    mLastRecord = -1;
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE EventDrawer::OnNewData(int64_t, int64_t, int64_t* firstChanged) noexcept {
  return ComTry([&]() -> HRESULT {
    if (!firstChanged) return E_POINTER;
    if (!mReader || mLastRecord != mRecordValue) return S_FALSE;
    *firstChanged = std::llround(mLastEventX);
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE EventDrawer::OnRecordEnd(int32_t, IUnknown*) noexcept {
  mInRecord = false;
  mReader = nullptr;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE EventDrawer::ReleasePointCache(int32_t) noexcept {
  mReader = nullptr;
  return S_OK;
}

void EventDrawer::TakeClass(uint32_t value) noexcept {
  if (value == mClass && (mDrawClass || value == 0)) return;
  mClass = value;
  mDrawClass = nullptr;
  if (value == 0) return;
  if (FAILED(FindDrawClass(value, mDrawClass.Out()))) mDrawClass = nullptr;
}

HRESULT EventDrawer::FindDrawClass(uint32_t value, IPODEventDrawClass** drawClass) noexcept {
  IClassRegistry* const registry = ObjectFactoryAccessor::Get();
  if (!registry) return E_FAIL;
  return registry->GetClassObject(value, IID_IPODEventDrawClass, reinterpret_cast<void**>(drawClass));
}

void EventDrawer::DrawMark(HDC dc, int32_t column, int32_t height, const EventMarkSizes& sizes, bool display,
                           HPEN line, HPEN outline, const void* event) noexcept {
  HGDIOBJ const oldPen = SelectObject(dc, line);
  // On a display the dotted line is trunc(s) one-pixel lines side by side (a cosmetic pen
  // wider than one pixel cannot be had); elsewhere one geometric pen of that width.
  const int32_t strokes = display ? std::max(1, sizes.lineWidth) : 1;
  for (int32_t i = 0; i < strokes; ++i) {
    MoveToEx(dc, column + i - (strokes - 1) / 2, 0, nullptr);
    LineTo(dc, column + i - (strokes - 1) / 2, height);
  }
  COLORREF fill = RGB(255, 255, 255);
  if (mDrawClass && FAILED(mDrawClass->GetColour(0, event, &fill))) fill = RGB(255, 255, 255);
  if (mDataPane) mDataPane->GetContrastColour(fill, &fill);
  HBRUSH const brush = CreateSolidBrush(fill);
  HGDIOBJ const oldBrush = SelectObject(dc, brush);
  SelectObject(dc, outline);
  RECT box{column - sizes.radius, 0, column + sizes.radius + 1, sizes.diameter};
  double factorX = 1.0, factorY = 1.0;
  if (mDataPane && SUCCEEDED(mDataPane->GetDeviceScale(0, &factorX, &factorY)) && factorY > 1.0 &&
      std::isfinite(factorY)) {
    const int32_t diameter = static_cast<int32_t>(sizes.diameter * factorY + 0.5);
    const int32_t centreY = sizes.diameter / 2;
    box = RECT{column - diameter / 2, centreY - diameter / 2, column - diameter / 2 + diameter,
               centreY - diameter / 2 + diameter};
  }
  Ellipse(dc, box.left, box.top, box.right, box.bottom);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(brush);
}

HRESULT STDMETHODCALLTYPE EventDrawer::Draw(HDC dc, int64_t first, int64_t last, DrawOrigin origin, int32_t column,
                                            const RECT*, uint32_t flags, int32_t, const void*) noexcept {
  return ComTry([&]() -> HRESULT {
    if (!dc) return E_POINTER;
    if (flags & kPaintFreshReader) mReader = nullptr;
    QOR::ComPtr<IRecordDataPixMap> scale;
    if (!mSource || FAILED(mSource->QueryInterface(IID_IRecordDataPixMap, scale.OutVoid())) || !scale) return S_OK;
    // The record and ticks the columns show. The range begins the left extra before the segment's
    // first column, in the record before it: the record is the one at the segment's start.
    const int64_t segmentFirst = first + std::max(0, origin.column - column);
    PixMapTick from{0.0, 0, 0};
    if (scale->PositionToTick(2, std::max<int64_t>(segmentFirst, 0), &from) != S_OK) return S_OK;
    const int32_t record = from.record;
    PixMapTick extra{0.0, 0, 0};
    if (scale->PositionToTick(2, std::max<int64_t>(first, 0), &extra) == S_OK && extra.record == record) from = extra;
    else from.tick = 0.0;
    int32_t startTick = std::max(0, static_cast<int32_t>(std::floor(from.tick)));
    int32_t endTick = 0x7FFFFFFF;
    PixMapTick to{0.0, 0, 0};
    if (scale->PositionToTick(2, std::max(last - 1, std::max<int64_t>(first, 0)), &to) == S_OK && to.record == record)
      endTick = static_cast<int32_t>(std::min<double>(std::ceil(to.tick) + 1.0, 0x7FFFFFFF));
    if (mMapper) {
      int64_t a = 0, b = 0;
      if (mMapper->ColumnsToPositions(0x80000000u, column, column + static_cast<int32_t>(last - first), &a, &b) != S_OK)
        return S_OK;
      startTick = static_cast<int32_t>(std::clamp<int64_t>(a, 0, 0x7FFFFFFF));
    }
    if (!mReader) {
      if (!mHostData) return S_OK;
      QOR::ComPtr<IUnknown> reader;
      if (mHostData->CreateEventReader(RequestWord() | 0x80000000u, 0x40000000u, mChannel.channel, record, startTick,
                                       endTick, reader.Out()) != S_OK ||
          !reader || FAILED(reader->QueryInterface(IID_IEventBuffer, mReader.OutVoid())) || !mReader)
        return S_OK;
      mCurrent = mEnd = 0;
    }
    const EventMarkSizes sizes = MarkSizesFor(HorizontalDpi(dc));
    const bool display = (GetDeviceCaps(dc, TECHNOLOGY) & 1) != 0;
    COLORREF grey = kLineGrey;
    LOGBRUSH lineBrush{BS_SOLID, grey, 0};
    HPEN const line = display ? ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &lineBrush, 0, nullptr)
                              : ExtCreatePen(kPrintLineStyle, static_cast<DWORD>(std::max(1, sizes.lineWidth)),
                                             &lineBrush, 0, nullptr);
    COLORREF black = RGB(0, 0, 0);
    if (mDataPane) mDataPane->GetContrastColour(black, &black);
    HPEN const outline = CreatePen(PS_SOLID, 1, black);
    const int32_t height = mBounds.bottom - mBounds.top;
    for (;;) {
      if (mCurrent >= mEnd) {
        try {
          if (mBuffer.size() < static_cast<size_t>(kBufferBytes)) mBuffer.resize(kBufferBytes);
        } catch (...) {
          break;
        }
        int32_t size = 0;
        int32_t count = 0;
        if (mReader->ReadEvents(kBufferBytes, mBuffer.data(), &size, &count) != S_OK || count <= 0 || size < 16 ||
            static_cast<int64_t>(size) * count > kBufferBytes)
          break;
        uint32_t value = 0;
        if (SUCCEEDED(mReader->GetClassValue(&value))) TakeClass(value);
        mRecordSize = size;
        mCurrent = 0;
        mEnd = static_cast<size_t>(size) * static_cast<size_t>(count);
      }
      const unsigned char* const event = mBuffer.data() + mCurrent;
      EventHead head;
      std::memcpy(&head, event, sizeof(head));
      if (!HasValue(head.value)) {
        mCurrent += static_cast<size_t>(mRecordSize);
        continue;
      }
      double x = 0.0;
      if (FAILED(scale->TickToPosition(0, record, head.tick + static_cast<double>(head.fraction), &x))) break;
      if (!(x < static_cast<double>(last))) break;  // kept for the next paint while sampling
      mCurrent += static_cast<size_t>(mRecordSize);
      const int64_t at = static_cast<int64_t>(std::floor(x + 0.5)) - first + column;
      mLastRecord = record;
      if (at < INT32_MIN / 2 || at > INT32_MAX / 2) continue;
      DrawMark(dc, static_cast<int32_t>(at), height, sizes, display, line, outline, event);
      mLastEventX = x;
    }
    DeleteObject(line);
    DeleteObject(outline);
    if (!(flags & kPaintSampledRecord)) mReader = nullptr;
    return S_OK;
  });
}

}  // namespace ScrivoDraw
