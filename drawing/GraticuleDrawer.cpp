// ScrivoDraw::GraticuleDrawer and ScrivoDraw::MetafileGraticuleDrawer.
#include "drawing/GraticuleDrawer.h"

#include "base/String.h"
#include "drawing/IDrawerDataPane.h"
#include "graph/ScaleFactory.h"
#include "hostapi/PaneDataSource.h"
#include "hostapi/RecordDataPixMap.h"
#include "hostclient/ComBoundary.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace ScrivoDraw {

namespace {

// Paints the brush where the template is black and keeps the destination where it is white.
constexpr DWORD kStampRop = 0x00B8074A;

// The memory DC every graticule stamps its templates from.
HDC SharedStampDC() noexcept {
  static HDC const dc = CreateCompatibleDC(nullptr);
  return dc;
}

// A 1 x height monochrome bitmap, black (0) at the rows dark says, white elsewhere.
template <class Dark>
HBITMAP MakeTemplate(int32_t height, Dark dark) noexcept {
  if (height <= 0) return nullptr;
  std::vector<uint8_t> bits;
  try {
    bits.assign(static_cast<size_t>(height) * 2, 0xFF);  // rows are 16 bits wide
  } catch (...) {
    return nullptr;
  }
  for (int32_t y = 0; y < height; ++y)
    if (dark(y)) bits[static_cast<size_t>(y) * 2] = 0x7F;
  return CreateBitmap(1, height, 1, 1, bits.data());
}

int32_t DotStep(IDrawerDataPane* pane, HDC dc, bool vertical) noexcept {
  double perMm = kScreenPixelsPerMm;
  if (!pane) return 3;
  if (vertical)
    pane->GetPixelsPerMmY(0, 0, &perMm);
  else
    pane->GetPixelsPerMmX(0, 0, &perMm);
  HDC const target = dc ? dc : GetDC(nullptr);
  const int dpi = target ? GetDeviceCaps(target, vertical ? LOGPIXELSY : LOGPIXELSX) : 96;
  if (!dc && target) ReleaseDC(nullptr, target);
  // The pane's 3.7795276158 pixels per millimetre is 96 dpi within 2e-8: that must still give 3.
  const double step = std::ceil(3.0 * perMm / (dpi / 25.4) - 1e-6);
  return std::isfinite(step) && step >= 1.0 && step < 1000.0 ? static_cast<int32_t>(step) : 3;
}

bool NoValueGrid(uint32_t options) noexcept {
  return (options & (kGridNoTimeLines | kGridNoValueLines)) == (kGridNoTimeLines | kGridNoValueLines);
}

}  // namespace

GraticuleDrawer::GraticuleDrawer(uint32_t options, COLORREF gridColour, ChannelPair channel) noexcept
    : DrawerBase(kGraticuleKind, kDrawerFlags, channel, LayerPair{kLayerPairAll, kLayerPairAllSecond}),
      mGridColour(gridColour),
      mOptions(options) {
  SharedStampDC();
}

GraticuleDrawer::GraticuleDrawer(const GraticuleDrawer& other) noexcept
    : DrawerBase(kGraticuleKind, kDrawerFlags, other.mChannel, other.mLayer),
      mSourceId(other.mSourceId),
      mAxisLineColour(other.mAxisLineColour),
      mGridColour(other.mGridColour),
      mOptions(other.mOptions),
      mGridStyle(other.mGridStyle),
      mTimeGrid(other.mTimeGrid) {
  mRecordState[0] = other.mRecordState[0];
  mRecordState[1] = other.mRecordState[1];
}

GraticuleDrawer::~GraticuleDrawer() {
  if (mValueTemplate) DeleteObject(mValueTemplate);
  if (mTimeTemplate) DeleteObject(mTimeTemplate);
}

HRESULT STDMETHODCALLTYPE GraticuleDrawer::AttachPane(int32_t mode, IUnknown* source) noexcept {
  return ComTry([&]() -> HRESULT {
    DrawerBase::AttachPane(mode, source);
    mRecordState[0] = mRecordState[1] = 0;
    // A new source (the pane's new scale object) is told of the label column's room too.
    if (mDataPane) LayOutLabels();
    return S_OK;
  });
}

void GraticuleDrawer::RebuildTemplates() noexcept {
  const int32_t height = Height();
  const int32_t step = DotStep(mDataPane, nullptr, true);
  HBITMAP const time = MakeTemplate(height, [step](int32_t y) { return y % step == 0; });
  HBITMAP const value = MakeTemplate(height, [](int32_t) { return false; });
  if (!time || !value) {
    if (time) DeleteObject(time);
    if (value) DeleteObject(value);
    return;
  }
  if (mTimeTemplate) DeleteObject(mTimeTemplate);
  if (mValueTemplate) DeleteObject(mValueTemplate);
  mTimeTemplate = time;
  mValueTemplate = value;
  mTemplateHeight = height;
  mCachedRange = -1;
}

HRESULT STDMETHODCALLTYPE GraticuleDrawer::SetBounds(int32_t context, const RECT* bounds) noexcept {
  return ComTry([&]() -> HRESULT {
    const HRESULT stored = DrawerBase::SetBounds(context, bounds);
    if (FAILED(stored)) return stored;
    // A lane of no height keeps the templates it had.
    if (Height() > 0 && (!mValueTemplate || Height() != mTemplateHeight)) RebuildTemplates();
    if (mDataPane) LayOutLabels();
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE GraticuleDrawer::GetDrawTraits(int32_t, uint32_t* traits, int32_t* leftExtra,
                                                         int32_t* rightExtra) noexcept {
  if (!traits || !leftExtra || !rightExtra) return E_POINTER;
  *traits = 0x80000000u;
  *leftExtra = 0;
  *rightExtra = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE GraticuleDrawer::GetUnitsText(int32_t, int32_t, QOR::IQORString** units,
                                                        VARIANT_BOOL*) noexcept {
  if (units) *units = nullptr;
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE GraticuleDrawer::SetValueRange(int32_t sourceId, int32_t mode, const ValueRange* range,
                                                         IUnknown* transform) noexcept {
  return ComTry([&]() -> HRESULT {
    if (sourceId != mSourceId) return S_FALSE;
    if (!range) return E_POINTER;
    mCachedRange = -1;
    // Row of v = (v + offset) * scale: the range's high end at the lane's top edge, its low end at
    // its bottom edge.
    const double span = range->second - range->first;
    const int32_t height = std::max(Height(), 1);
    if (std::isfinite(span) && span != 0.0) {
      mValueScale = -height / span;
      mValueOffset = -range->second;
    }
    mDisplayMode = mode;
    // The label column shows the lane's axis as its own scale does: its range and units text.
    QOR::ComPtr<IDragScale> axis;
    double low = 0.0, high = 0.0;
    BSTR text = nullptr;
    DragScaleMapping units{1.0, 0.0};
    mAxisKnown = transform && SUCCEEDED(transform->QueryInterface(IID_IDragScale, axis.OutVoid())) && axis &&
                 SUCCEEDED(axis->GetRange(&low, &high)) && std::isfinite(low) && std::isfinite(high) && low != high &&
                 SUCCEEDED(axis->GetScaledUnits(&text, &units));
    if (mAxisKnown) {
      mAxisLow = std::min(low, high);
      mAxisHigh = std::max(low, high);
      try {
        mAxisUnits = text ? QOR::String(text) : QOR::String();
      } catch (...) {
        mAxisKnown = false;
      }
    }
    SysFreeString(text);
    QOR::ComPtr<IScaleTicks> ticks;
    if (transform && SUCCEEDED(transform->QueryInterface(IID_IScaleTicks, ticks.OutVoid())) && ticks)
      RebuildValueGrid(ticks.Get());
    return S_OK;
  });
}

void GraticuleDrawer::RebuildValueGrid(IScaleTicks* ticks) noexcept {
  const int32_t height = Height();
  if (height <= 0 || mBounds.right <= mBounds.left) return;
  mTopBand = mBottomBand = false;
  mOptions &= ~(kGridNoTimeLines | kGridNoValueLines);
  int32_t count = 0;
  if (FAILED(ticks->GetTickCount(&count)) || count < 0) {
    mOptions |= kGridNoTimeLines | kGridNoValueLines;
    mTicks.clear();
  } else {
    try {
      mTicks.assign(static_cast<size_t>(std::min(count, 4096)), ScaleTick{0, 0});
    } catch (...) {
      mTicks.clear();
    }
    int32_t written = 0;
    if (!mTicks.empty() && SUCCEEDED(ticks->GetTicks(static_cast<int32_t>(mTicks.size()), mTicks.data(), &written)))
      mTicks.resize(static_cast<size_t>(std::clamp<int32_t>(written, 0, static_cast<int32_t>(mTicks.size()))));
    double low = 0.0, high = 0.0;
    if (SUCCEEDED(ticks->GetValidRange(&low, &high))) {
      double a = (mValueOffset + high) * mValueScale;
      double b = (mValueOffset + low) * mValueScale;
      if (a > b) std::swap(a, b);
      if (std::isfinite(a) && a > 0.0 && a < height) {
        mTopBand = true;
        mTopRow = static_cast<int32_t>(std::lround(a));
      }
      if (std::isfinite(b) && b > 0.0 && b < height) {
        mBottomBand = true;
        mBottomRow = static_cast<int32_t>(std::lround(b));
      }
    }
  }
  const bool grid = !NoValueGrid(mOptions);
  std::vector<bool> rows(static_cast<size_t>(height), false);
  if (grid)
    for (const ScaleTick& tick : mTicks)
      if (tick.offset >= 0 && tick.offset < height) rows[static_cast<size_t>(tick.offset)] = true;
  if (HBITMAP const value = MakeTemplate(height, [&rows](int32_t y) { return rows[static_cast<size_t>(y)]; })) {
    if (mValueTemplate) DeleteObject(mValueTemplate);
    mValueTemplate = value;
    mTemplateHeight = height;
  }
}

HRESULT STDMETHODCALLTYPE GraticuleDrawer::Refresh(uint32_t) noexcept {
  mCachedRange = -1;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE GraticuleDrawer::OnSourceChanged(IUnknown* hostSource, int32_t, int32_t) noexcept {
  return ComTry([&]() -> HRESULT {
    QOR::ComPtr<IHostColour> settings;
    if (!hostSource || FAILED(hostSource->QueryInterface(IID_IHostColour, settings.OutVoid())) || !settings)
      return S_OK;
    COLORREF colour = mGridColour;
    int16_t timeGrid = 1;
    int32_t style = mGridStyle;
    if (settings->GetGridStyle(0, &colour, &timeGrid, &style) == S_OK) {
      mGridColour = colour;
      mTimeGrid = timeGrid != 0;
      mGridStyle = style;
    }
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE GraticuleDrawer::SetDataPane(IDrawerDataPane* pane) noexcept {
  return ComTry([&]() -> HRESULT {
    DrawerBase::SetDataPane(pane);
    if (pane) LayOutLabels();
    return S_OK;
  });
}

// The lane's attributes are its display mode; a lane showing values keeps a label column ten
// characters of the label scale wide, and the source is told of the room the labels need.
void GraticuleDrawer::LayOutLabels() noexcept {
  int32_t attributes = 0;
  if (!mDataPane || mDataPane->GetLaneAttributes(mLaneIndex, &attributes) != S_OK || !mSource) return;
  mDisplayMode = attributes;
  mLabelMode = attributes;
  mLabelWidth = 2;
  if (mLabelMode != 0 && MakeLabelScale()) {
    QOR::ComPtr<IScaleLabels> labels;
    int32_t width = 0;
    if (SUCCEEDED(mLabelScale.As(IID_IScaleLabels, labels)) && labels &&
        SUCCEEDED(labels->GetLabelWidth(nullptr, 10, &width)) && width > 0)
      mLabelWidth = width;
  }
  QOR::ComPtr<IRecordDataPixMap> scale;
  if (FAILED(mSource->QueryInterface(IID_IRecordDataPixMap, scale.OutVoid())) || !scale) return;
  scale->RequestMargin(0, 0);
  scale->RequestMargin(0x80000001u, 7);
  scale->RequestMargin(0x80000002u, mLabelWidth + 5);
}

bool GraticuleDrawer::MakeLabelScale() noexcept {
  if (!mLabelScale && FAILED(MGraph1::CreateScale(mLabelScale.Out(), 0, 0, kScaleCreateY))) mLabelScale = nullptr;
  return static_cast<bool>(mLabelScale);
}

// The label column (its channel holding values in the record) ends two columns left of where
// the pane's negative origin places the data's start; without it, a two-pixel axis line stands
// there when it lies near the repainted columns.
void GraticuleDrawer::DrawLabelColumn(HDC dc, int64_t offset, int32_t column, int32_t left, int32_t right,
                                      int32_t record) noexcept {
  const int32_t height = Height();
  const int64_t edge = column - offset;  // x - offset
  bool labelled = false;
  if (offset < 0 && record >= 0 && mLabelMode != 0 && mDataPane && mHostData && mLabelScale) {
    int32_t extent[2] = {0, 0};
    VARIANT_BOOL holds = VARIANT_FALSE;
    QOR::ComPtr<IScaleLabels> labels;
    if (mDataPane->GetLaneExtent(mLaneIndex, 0, extent) == S_OK &&
        SUCCEEDED(mHostData->GetValidity(mFlags & 0xFFFFFF00u, record, extent[0], &holds)) && holds &&
        SUCCEEDED(mLabelScale.As(IID_IScaleLabels, labels)) && labels && edge < INT32_MAX) {
      const RECT box{static_cast<LONG>(edge - mLabelWidth), 0, static_cast<LONG>(edge - 2), height};
      labels->DrawLabels(dc, &box);
      const RECT line{static_cast<LONG>(edge - 1), 0, static_cast<LONG>(edge), height};
      FillRect(dc, &line, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      labelled = true;
    }
  }
  const int64_t axis = edge - 3;
  if (!labelled && offset < -1 && axis >= left - 3 && axis < right + 3) {
    HBRUSH const brush = CreateSolidBrush(mAxisLineColour);
    const RECT line{static_cast<LONG>(axis), 2, static_cast<LONG>(axis + 2), height - 2};
    FillRect(dc, &line, brush);
    DeleteObject(brush);
  }
}

COLORREF GraticuleDrawer::GridInk(HDC dc) const noexcept {
  COLORREF ink = mGridColour;
  if (mDataPane) mDataPane->GetContrastColour(ink, &ink);
  const COLORREF nearest = GetNearestColor(dc, ink);
  return nearest == CLR_INVALID ? ink : nearest;
}

HRESULT STDMETHODCALLTYPE GraticuleDrawer::Draw(HDC dc, int64_t first, int64_t last, DrawOrigin origin, int32_t column,
                                                const RECT* clip, uint32_t, int32_t word, const void* scale) noexcept {
  return ComTry([&]() -> HRESULT {
    if (!dc || !clip) return E_POINTER;
    const int32_t height = Height();
    const int32_t left = std::max<int32_t>(clip->left, column);
    const int32_t right = static_cast<int32_t>(std::min<int64_t>(clip->right, column + (last - first)));
    if (left >= right || height <= 0) return S_OK;
    const bool noGrid = NoValueGrid(mOptions);
    if (!(mOptions & kGridNoFill)) {
      COLORREF background = RGB(255, 255, 255);
      if (mDataPane) mDataPane->GetBackground(0, &background);
      if (noGrid) background = GetSysColor(COLOR_3DLIGHT);
      HBRUSH const brush = CreateSolidBrush(background);
      const RECT fill{left, 0, right, height};
      FillRect(dc, &fill, brush);
      DeleteObject(brush);
    }
    if (mLabelMode != 0 && word != mCachedRange) RebuildFromReadOut(word);
    DrawLabelColumn(dc, origin.position, column, left, right, word);
    const auto* segment = static_cast<const LaneSegment*>(scale);
    const double o = segment ? segment->gridOrigin : 0.0;
    const double s = segment ? segment->gridSpacing : 0.0;
    const double p = static_cast<double>(first);
    const double firstLine = s > 0.0 && p > std::floor(o + 0.5) ? o + s * std::floor((p - o) / s + 0.5) : o;
    if (mTimeGrid && !noGrid) {
      if (!(mOptions & kGridNoTimeLines)) {
        HBRUSH const band = CreateSolidBrush(kBandColour);
        if (mTopBand) {
          const RECT r{left, 0, right, mTopRow};
          FillRect(dc, &r, band);
        }
        if (mBottomBand) {
          const RECT r{left, mBottomRow, right, height};
          FillRect(dc, &r, band);
        }
        DeleteObject(band);
      }
      HBRUSH const brush = CreateSolidBrush(GridInk(dc));
      HGDIOBJ const oldBrush = SelectObject(dc, brush);
      const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
      const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
      if (mGridStyle == 0 && !(mOptions & kGridNoValueLines)) {
        const int32_t step = DotStep(mDataPane, dc, false);
        const int64_t phase = ((first % step) + step) % step;
        int64_t x = column + (phase == 0 ? 0 : step - phase);
        if (x < left) x += (left - x + step - 1) / step * step;
        StampValueLines(dc, static_cast<int32_t>(x), right, step, brush);
      }
      if (!(mOptions & kGridNoTimeLines) && s > 0.0 && std::isfinite(s)) {
        bool drawn = false;
        StampTimeLines(dc, firstLine, s, first, column, right, &drawn);
      }
      SetBkColor(dc, oldBack);
      SetTextColor(dc, oldText);
      SelectObject(dc, oldBrush);
      DeleteObject(brush);
    }
    mCachedRange = word;
    return S_OK;
  });
}

void GraticuleDrawer::RebuildFromReadOut(int32_t record) noexcept {
  if (!mDataPane || Height() <= 0) return;
  if (!MakeLabelScale()) return;
  QOR::IQORString* units = nullptr;
  LaneUnitsRecord found{static_cast<int32_t>(0x80000000u), 0xC0000000u, std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity(), 1.0, 0.0};
  mDataPane->TestLaneRange(mLaneIndex, mSourceId, mLabelMode, record, &units, &found, 0, 0, 0);
  const RECT area{0, 0, std::max(mLabelWidth, 1), Height()};
  mLabelScale->SetArea(&area);
  try {
    const QOR::String text = QOR::String::Adopt(units);
    mLabelScale->SetUnits(0, text.GetText());
  } catch (...) {
    mLabelScale->SetUnits(0, L"");
  }
  if (mAxisKnown) {
    // The axis's range and units: the labels stand at the rows where the trace shows those values.
    const DragScaleMapping same{1.0, 0.0};
    mLabelScale->SetUnitConversion(&same);
    mLabelScale->SetUnits(0, mAxisUnits.GetText());
    mLabelScale->SetVisibleRange(mAxisLow, mAxisHigh);
  } else if (std::isfinite(found.low) && std::isfinite(found.high) && found.low < found.high) {
    const DragScaleMapping conversion{found.scale, found.offset};
    mLabelScale->SetUnitConversion(&conversion);
    mLabelScale->SetVisibleRange(found.low, found.high);
    mValueScale = -Height() / (found.high - found.low);
    mValueOffset = -found.high;
  }
  QOR::ComPtr<IScaleTicks> ticks;
  if (SUCCEEDED(mLabelScale.As(IID_IScaleTicks, ticks)) && ticks) RebuildValueGrid(ticks.Get());
}

void GraticuleDrawer::StampValueLines(HDC dc, int32_t from, int32_t to, int32_t step, HBRUSH) noexcept {
  HDC const stamp = SharedStampDC();
  if (!stamp || !mValueTemplate) return;
  HGDIOBJ const old = SelectObject(stamp, mValueTemplate);
  for (int32_t x = from; x < to; x += step) BitBlt(dc, x, 0, 1, mTemplateHeight, stamp, 0, 0, kStampRop);
  SelectObject(stamp, old);
}

void GraticuleDrawer::StampTimeLines(HDC dc, double first, double spacing, int64_t firstPosition, int32_t column0,
                                     int32_t to, bool* drawn) noexcept {
  HDC const stamp = SharedStampDC();
  HBITMAP const pattern = mGridStyle == 0 ? mTimeTemplate : mValueTemplate;
  if (!stamp || !pattern) return;
  HGDIOBJ const old = SelectObject(stamp, pattern);
  // At most one line per column, however small the spacing.
  for (int32_t i = 0; i < 100000; ++i) {
    const double q = first + i * spacing;
    const double x = std::floor(q + 0.5) - static_cast<double>(firstPosition) + column0;
    if (!(x < to)) break;
    BitBlt(dc, static_cast<int32_t>(x), 0, 1, mTemplateHeight, stamp, 0, 0, kStampRop);
    if (drawn) *drawn = true;
  }
  SelectObject(stamp, old);
}

HRESULT STDMETHODCALLTYPE GraticuleDrawer::CloneForOutput(uint32_t flags, IScrivoRecordDrawer** copy) noexcept {
  return ComTry([&]() -> HRESULT {
    if (!copy) return E_POINTER;
    *copy = nullptr;
    GraticuleDrawer* const made = (flags & 0x40000000u) ? new (std::nothrow) MetafileGraticuleDrawer(*this)
                                                        : new (std::nothrow) GraticuleDrawer(*this);
    if (!made) return E_OUTOFMEMORY;
    made->AddRef();
    *copy = made;
    return S_OK;
  });
}

// ---- the metafile variant ----

void MetafileGraticuleDrawer::StampValueLines(HDC dc, int32_t from, int32_t to, int32_t, HBRUSH) noexcept {
  LOGBRUSH brush{BS_SOLID, GridInk(dc), 0};
  HPEN const pen = ExtCreatePen(PS_GEOMETRIC | PS_DOT, 1, &brush, 0, nullptr);
  if (!pen) return;
  HGDIOBJ const old = SelectObject(dc, pen);
  for (const ScaleTick& tick : mTicks) {
    if (tick.offset < 0) continue;
    MoveToEx(dc, from, tick.offset, nullptr);
    LineTo(dc, to, tick.offset);
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

void MetafileGraticuleDrawer::StampTimeLines(HDC dc, double first, double spacing, int64_t firstPosition,
                                             int32_t column0, int32_t to, bool* drawn) noexcept {
  LOGBRUSH brush{BS_SOLID, GridInk(dc), 0};
  HPEN const pen = ExtCreatePen(PS_GEOMETRIC | PS_DOT, 1, &brush, 0, nullptr);
  if (!pen) return;
  HGDIOBJ const old = SelectObject(dc, pen);
  for (int32_t i = 0; i < 100000; ++i) {
    const double x = std::floor(first + i * spacing + 0.5) - static_cast<double>(firstPosition) + column0;
    if (!(x < to)) break;
    MoveToEx(dc, static_cast<int32_t>(x), 0, nullptr);
    LineTo(dc, static_cast<int32_t>(x), Height());
    if (drawn) *drawn = true;
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

}  // namespace ScrivoDraw
