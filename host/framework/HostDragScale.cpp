// The framework's axis scale: its settings, its painting, its window and the drags reported to observers.
#include "host/framework/HostDragScale.h"

#include <oleauto.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <string_view>

namespace host {

namespace {

// On a 96-dpi device: how far a tick stands out from the axis.
constexpr int32_t kTickLength = 5;
constexpr wchar_t kDigits[] = L"0123456789";

int32_t TextHeight(HDC dc) noexcept {
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  return metrics.tmHeight;
}

// Selects a font (and restores the one before) for as long as it lives; owns it when asked.
class FontScope {
 public:
  FontScope(HDC dc, HFONT font, bool owned) noexcept
      : mDc(dc), mFont(font), mOwned(owned), mOld(static_cast<HFONT>(SelectObject(dc, font))) {}
  ~FontScope() {
    SelectObject(mDc, mOld);
    if (mOwned) DeleteObject(mFont);
  }
  FontScope(const FontScope&) = delete;
  FontScope& operator=(const FontScope&) = delete;

 private:
  HDC mDc;
  HFONT mFont;
  bool mOwned;
  HFONT mOld;
};

HFONT LabelFont() noexcept { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

// Where a label goes on a vertical axis: centred on its row.
int32_t LabelTop(int32_t row, int32_t height) noexcept { return row - height / 2; }

HFONT UpwardFont() noexcept {
  LOGFONTW font = {};
  GetObjectW(LabelFont(), sizeof(font), &font);
  font.lfEscapement = font.lfOrientation = 900;
  return CreateFontIndirectW(&font);
}

}  // namespace

void HostDragScale::MeasureOn(HDC dc) noexcept {
  FontScope const font(dc, LabelFont(), false);
  TEXTMETRICW metrics = {};
  if (!GetTextMetricsW(dc, &metrics)) return;
  // A label is digits but for a sign, a point or an exponent's letter, none wider than a digit.
  int32_t digit = metrics.tmAveCharWidth;
  for (wchar_t const character : std::wstring_view(kDigits)) {
    SIZE size = {};
    if (GetTextExtentPoint32W(dc, &character, 1, &size)) digit = std::max<int32_t>(digit, size.cx);
  }
  bool const horizontal = mAxis.IsHorizontal();
  // Six characters ("-0.025") across, one line's height up.
  mAxis.SetDevice(GetDeviceCaps(dc, horizontal ? LOGPIXELSX : LOGPIXELSY),
                  horizontal ? 6 * metrics.tmAveCharWidth : metrics.tmHeight, horizontal ? digit : metrics.tmHeight);
  mMeasured = true;
}

void HostDragScale::MeasureOnScreen() noexcept {
  HDC const screen = GetDC(nullptr);
  if (!screen) return;
  MeasureOn(screen);
  ReleaseDC(nullptr, screen);
}

int32_t HostDragScale::TickLength() const noexcept { return mAxis.Scaled(kTickLength); }

HostDragScale::~HostDragScale() {
  if (!mWindow) return;
  SetWindowLongPtrW(mWindow, GWLP_USERDATA, 0);
  DestroyWindow(mWindow);
}

void* HostDragScale::FindInterface(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDragScale)) return static_cast<IDragScale*>(this);
  if (IsEqualIID(iid, IID_IScaleTicks)) return static_cast<IScaleTicks*>(this);
  if (IsEqualIID(iid, IID_IOleWindow)) return static_cast<IOleWindow*>(this);
  if (IsEqualIID(iid, IID_IScaleLabels)) return static_cast<IScaleLabels*>(this);
  if (IsEqualIID(iid, IID_IScaleColour)) return static_cast<IScaleColour*>(this);
  return nullptr;
}

HRESULT STDMETHODCALLTYPE HostDragScale::SetUnits(int32_t, const wchar_t* text) noexcept {
  try {
    mUnits = text ? text : L"";
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  if (mWindow) InvalidateRect(mWindow, nullptr, TRUE);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::SetTitle(const wchar_t* text) noexcept {
  try {
    mTitle = text ? text : L"";
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  if (mWindow) InvalidateRect(mWindow, nullptr, TRUE);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::SetVisibleRange(double minimum, double maximum) noexcept {
  mAxis.SetRange(minimum, maximum);
  ReportScaling();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::SetLimits(double minimum, double maximum) noexcept {
  mAxis.SetLimits(minimum, maximum);
  return S_OK;
}

// A drag pans the range, which keeps its span: nothing more to hold.
HRESULT STDMETHODCALLTYPE HostDragScale::SetFixedSpan(double, double) noexcept { return S_OK; }

HRESULT STDMETHODCALLTYPE HostDragScale::GetStyle(uint32_t* style) noexcept {
  if (!style) return E_POINTER;
  *style = mStyle;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::SetStyle(uint32_t style) noexcept {
  mStyle = style;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::Show(int32_t show) noexcept {
  mShown = show != 0;
  if (mWindow) ShowWindow(mWindow, mShown ? SW_SHOWNA : SW_HIDE);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::SetArea(const RECT* area) noexcept {
  if (!area) return E_POINTER;
  mWindowArea = *area;
  RECT inner = *area;
  if (!mAxis.IsHorizontal()) {
    inner.top += mInsetTop;
    inner.bottom -= mInsetBottom;
  }
  mAxis.SetArea(inner);
  if (!mMeasured) MeasureOnScreen();
  if (area->right > area->left && area->bottom > area->top) mStyle |= kScaleStyleReady;
  if (mWindow) {
    SetWindowPos(mWindow, nullptr, area->left, area->top, area->right - area->left, area->bottom - area->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(mWindow, nullptr, TRUE);
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::SetUnitConversion(const DragScaleMapping* units) noexcept {
  if (!units) return E_POINTER;
  mAxis.SetUnitConversion(*units);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::GetPixelMapping(DragScaleMapping* mapping, int32_t) noexcept {
  if (!mapping) return E_POINTER;
  *mapping = mAxis.PixelMapping();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::GetExtent(int32_t kind, HDC dc, int32_t, int32_t* extent) noexcept {
  if (!extent) return E_POINTER;
  if (kind != kScaleExtentStrip) return E_INVALIDARG;
  HDC const target = dc ? dc : GetDC(nullptr);
  if (!target) return E_FAIL;
  MeasureOn(target);
  {
    FontScope const font(target, LabelFont(), false);
    int32_t const height = TextHeight(target);
    // Room for labels of six characters at least: a range set later brings labels of its own.
    SIZE room = {};
    GetTextExtentPoint32W(target, L"-0.025", 6, &room);
    int32_t widest = room.cx;
    try {
      for (const ScaleAxis::Tick& tick : mAxis.Ticks()) {
        SIZE size = {};
        GetTextExtentPoint32W(target, tick.text.c_str(), static_cast<int>(tick.text.size()), &size);
        widest = std::max<int32_t>(widest, size.cx);
      }
    } catch (...) {
      widest = 4 * height;
    }
    *extent = mAxis.IsHorizontal() ? 2 * height + TickLength() + 6 : widest + height + TickLength() + 8;
  }
  if (!dc) ReleaseDC(nullptr, target);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::FormatValue(double value, BSTR* text) noexcept {
  if (!text) return E_POINTER;
  *text = nullptr;
  try {
    std::wstring const written = mAxis.Format(value, mUnits);
    *text = SysAllocStringLen(written.data(), static_cast<UINT>(written.size()));
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return *text ? S_OK : E_OUTOFMEMORY;
}

HRESULT STDMETHODCALLTYPE HostDragScale::GetRange(double* minimum, double* maximum) noexcept {
  if (!minimum || !maximum) return E_POINTER;
  *minimum = mAxis.Minimum();
  *maximum = mAxis.Maximum();
  return S_OK;
}

// The first tick's shown value, the farthest tick's offset and minus the distance between ticks.
HRESULT STDMETHODCALLTYPE HostDragScale::GetGrid(double* first, double* farthest, double* step) noexcept {
  if (!first || !farthest || !step) return E_POINTER;
  *first = *farthest = *step = 0.0;
  try {
    std::vector<ScaleAxis::Tick> const ticks = mAxis.Ticks();
    if (ticks.size() < 2) return S_OK;
    bool const rising = ticks[1].offset > ticks[0].offset;
    *first = _wtof(ticks.front().text.c_str());
    *farthest = rising ? ticks.back().offset : ticks.front().offset;
    *step = -std::abs(ticks[1].offset - ticks[0].offset);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::Paint(HDC dc, VARIANT_BOOL full, int32_t) noexcept {
  if (!dc) return E_POINTER;
  if (!mShown) return S_OK;
  MeasureOn(dc);
  if (full) FillRect(dc, &mAxis.Area(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  try {
    PaintAxis(dc);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::Advise(IDragScaleObserver* observer) noexcept {
  if (!observer) return E_POINTER;
  try {
    mObservers.push_back(observer);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::Unadvise(IDragScaleObserver* observer) noexcept {
  auto const found = std::find(mObservers.begin(), mObservers.end(), observer);
  if (found == mObservers.end()) return E_INVALIDARG;
  mObservers.erase(found);
  return S_OK;
}

// The scale follows its own drags: its ticks are those of the range being dragged.
HRESULT STDMETHODCALLTYPE HostDragScale::GetDragScale(IDragScale** scale) noexcept {
  if (!scale) return E_POINTER;
  *scale = this;
  AddRef();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::GetEntryCount(int32_t* count) noexcept {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::SetMode(int32_t mode) noexcept {
  mMode = mode;
  return S_OK;
}

// The one axis this scale drags is its own.
HRESULT STDMETHODCALLTYPE HostDragScale::GetAxisMap(int32_t axis, uint32_t, DragScaleAxisMap* map) noexcept {
  if (!map) return E_POINTER;
  if (axis != mAxisId) return E_INVALIDARG;
  double const scale = (mAxis.Maximum() - mAxis.Minimum()) / 64000.0;
  map->low = mAxis.Minimum();
  map->high = mAxis.Maximum();
  map->scale = scale;
  map->offset = scale != 0.0 ? (mAxis.Maximum() + mAxis.Minimum()) / 2.0 / scale : 0.0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::GetScaledUnits(BSTR* text, DragScaleMapping* units) noexcept {
  if (!text || !units) return E_POINTER;
  *units = mScaledUnits;
  *text = nullptr;
  if (mUnits.empty()) return S_OK;
  *text = SysAllocStringLen(mUnits.data(), static_cast<UINT>(mUnits.size()));
  return *text ? S_OK : E_OUTOFMEMORY;
}

HRESULT STDMETHODCALLTYPE HostDragScale::SetScaledUnits(const wchar_t* text, const DragScaleMapping* units) noexcept {
  if (!units) return E_POINTER;
  HRESULT const written = SetUnits(0, text);
  if (FAILED(written)) return written;
  mScaledUnits = *units;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::Enable(VARIANT_BOOL enabled) noexcept {
  mEnabled = enabled != VARIANT_FALSE;
  if (mDragging && !mEnabled && mWindow && GetCapture() == mWindow) ReleaseCapture();
  if (mWindow) {
    EnableWindow(mWindow, mEnabled ? TRUE : FALSE);
    InvalidateRect(mWindow, nullptr, TRUE);
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::ShowValues(VARIANT_BOOL shown) noexcept {
  mValuesShown = shown != VARIANT_FALSE;
  if (mWindow) InvalidateRect(mWindow, nullptr, TRUE);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::SetDataRange(double minimum, double maximum) noexcept {
  mDataMinimum = minimum;
  mDataMaximum = maximum;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::GetValidRange(double* minimum, double* maximum) noexcept {
  if (!minimum || !maximum) return E_POINTER;
  *minimum = mAxis.LimitMinimum();
  *maximum = mAxis.LimitMaximum();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::ResetScale() noexcept {
  if (!std::isfinite(mDataMinimum) || !std::isfinite(mDataMaximum) || !(mDataMinimum < mDataMaximum)) return S_FALSE;
  mAxis.SetRange(mDataMinimum, mDataMaximum);
  ReportScaling();
  return S_OK;
}

// A double click shows the data's range when one is known; the observers are told either way.
void HostDragScale::AutoScale() noexcept {
  ResetScale();
  TellObservers([this](IDragScaleObserver& observer) { observer.OnAutoScale(mAxisId); });
}

HRESULT STDMETHODCALLTYPE HostDragScale::GetTickCount(int32_t* count) noexcept {
  if (!count) return E_POINTER;
  try {
    *count = static_cast<int32_t>(mAxis.Ticks().size());
  } catch (...) {
    *count = 0;
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::GetTicks(int32_t capacity, ScaleTick* ticks, int32_t* count) noexcept {
  if (!count) return E_POINTER;
  *count = 0;
  if (capacity > 0 && !ticks) return E_POINTER;
  try {
    for (const ScaleAxis::Tick& tick : mAxis.Ticks()) {
      if (*count >= capacity) break;
      ticks[(*count)++] = {tick.offset, 0};
    }
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::GetPixelRect(RECT* rect) noexcept {
  if (!rect) return E_POINTER;
  *rect = mAxis.Area();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::GetLabelWidth(HDC dc, int32_t characters, int32_t* width) noexcept {
  if (!width) return E_POINTER;
  *width = 0;
  if (characters < 0) return E_INVALIDARG;
  HDC const target = dc ? dc : GetDC(nullptr);
  if (!target) return E_FAIL;
  {
    FontScope const font(target, LabelFont(), false);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(target, &metrics);
    *width = characters * metrics.tmAveCharWidth;
  }
  if (!dc) ReleaseDC(nullptr, target);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDragScale::DrawLabels(HDC dc, const RECT* rect) noexcept {
  if (!dc || !rect) return E_POINTER;
  if (rect->right <= rect->left || rect->bottom <= rect->top || !mValuesShown) return S_OK;
  MeasureOn(dc);
  int const saved = SaveDC(dc);
  if (!saved) return E_FAIL;
  HRESULT result = S_OK;
  try {
    std::vector<ScaleAxis::Tick> const ticks = mAxis.Ticks();
    IntersectClipRect(dc, rect->left, rect->top, rect->right, rect->bottom);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Ink());
    SetTextAlign(dc, TA_RIGHT | TA_TOP);
    SelectObject(dc, LabelFont());
    int32_t const height = TextHeight(dc);
    for (const ScaleAxis::Tick& tick : ticks) {
      int32_t const row = mAxis.Area().top + tick.offset;
      if (row < rect->top || row >= rect->bottom || !mAxis.LabelFits(tick, height)) continue;
      TextOutW(dc, rect->right, LabelTop(row, height), tick.text.c_str(), static_cast<int>(tick.text.size()));
    }
  } catch (...) {
    result = E_OUTOFMEMORY;
  }
  RestoreDC(dc, saved);
  return result;
}

HRESULT STDMETHODCALLTYPE HostDragScale::SetColour(VARIANT_BOOL on, COLORREF colour) noexcept {
  mOwnColour = on != VARIANT_FALSE;
  mColour = colour;
  if (mWindow) InvalidateRect(mWindow, nullptr, TRUE);
  return S_OK;
}

COLORREF HostDragScale::Ink() const noexcept {
  if (!mEnabled) return GetSysColor(COLOR_GRAYTEXT);
  return mOwnColour ? mColour : GetSysColor(COLOR_WINDOWTEXT);
}

HRESULT STDMETHODCALLTYPE HostDragScale::GetWindow(HWND* window) noexcept {
  if (!window) return E_POINTER;
  *window = mWindow;
  return mWindow ? S_OK : E_FAIL;
}

void HostDragScale::ReportScaling() noexcept {
  if (mWindow) InvalidateRect(mWindow, nullptr, TRUE);
  DragScaleMapping const mapping = mAxis.PixelMapping();
  TellObservers([&](IDragScaleObserver& observer) { observer.OnScalingChanged(mAxisId, 0.0, &mapping); });
}

std::wstring HostDragScale::Caption() const {
  if (mTitle.empty()) return mUnits;
  if (mUnits.empty()) return mTitle;
  return mTitle + L" (" + mUnits + L")";
}

void HostDragScale::PaintAxis(HDC dc) const {
  const RECT& area = mAxis.Area();
  int const oldMode = SetBkMode(dc, TRANSPARENT);
  COLORREF const ink = Ink();
  COLORREF const oldColour = SetTextColor(dc, ink);
  UINT const oldAlign = GetTextAlign(dc);
  HPEN const pen = CreatePen(PS_SOLID, 0, ink);
  HGDIOBJ const oldPen = SelectObject(dc, pen);
  std::vector<ScaleAxis::Tick> const ticks = mAxis.Ticks();
  std::wstring const caption = Caption();
  {
    FontScope const font(dc, LabelFont(), false);
    int32_t const height = TextHeight(dc);
    // A label that would cross an end of the axis, or come near the one before it or the units
    // written upward along the axis's left edge, is left out.
    int32_t lastEnd = INT32_MIN;
    // A lane's right axis has its ticks and values against the lane, on its left edge, and its
    // units up its right edge; every other vertical axis the other way round.
    bool const onRight = mAxisId == kLaneAxisRight;
    int32_t const tickLength = TickLength();
    int32_t const tickFrom = onRight ? area.left : area.right - tickLength;
    int32_t const labelAt = onRight ? area.left + tickLength + 2 : area.right - tickLength - 2;
    int32_t const captionSpace = caption.empty() ? 0 : 1 + height + 3;
    for (const ScaleAxis::Tick& tick : ticks) {
      int const text = mValuesShown ? static_cast<int>(tick.text.size()) : 0;
      if (mAxis.IsHorizontal()) {
        int const x = area.left + tick.offset;
        MoveToEx(dc, x, area.top, nullptr);
        LineTo(dc, x, area.top + tickLength);
        // Centred under its tick, but kept inside the strip: the first and last labels would
        // otherwise be cut where the strip ends.
        SIZE extent = {};
        GetTextExtentPoint32W(dc, tick.text.c_str(), text, &extent);
        int const left = std::max<int>(area.left, std::min<int>(x - extent.cx / 2, area.right - extent.cx));
        if (text == 0 || left < lastEnd + mAxis.LabelGap()) continue;
        lastEnd = left + extent.cx;
        SetTextAlign(dc, TA_LEFT | TA_TOP);
        TextOutW(dc, left, area.top + tickLength + 1, tick.text.c_str(), text);
      } else {
        int const y = area.top + tick.offset;
        MoveToEx(dc, tickFrom, y, nullptr);
        LineTo(dc, tickFrom + tickLength, y);
        SIZE size = {};
        GetTextExtentPoint32W(dc, tick.text.c_str(), text, &size);
        bool const fits = onRight ? labelAt + size.cx <= area.right - captionSpace
                                  : labelAt - size.cx >= area.left + captionSpace;
        if (text == 0 || !mAxis.LabelFits(tick, height) || !fits) continue;
        SetTextAlign(dc, (onRight ? TA_LEFT : TA_RIGHT) | TA_TOP);
        TextOutW(dc, labelAt, LabelTop(y, height), tick.text.c_str(), text);
      }
    }
    if (mAxis.IsHorizontal() && !caption.empty()) {
      SetTextAlign(dc, TA_CENTER | TA_BOTTOM);
      TextOutW(dc, (area.left + area.right) / 2, area.bottom - 1, caption.c_str(), static_cast<int>(caption.size()));
    }
  }
  if (!mAxis.IsHorizontal() && !caption.empty()) {
    FontScope const font(dc, UpwardFont(), true);
    // Written upward, the text's top faces left: on the right edge it stands its height inside.
    int32_t const x = mAxisId == kLaneAxisRight ? area.right - 1 - TextHeight(dc) : area.left + 1;
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    TextOutW(dc, x, (area.top + area.bottom) / 2, caption.c_str(), static_cast<int>(caption.size()));
  }
  SelectObject(dc, oldPen);
  DeleteObject(pen);
  SetTextAlign(dc, oldAlign);
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

}  // namespace host
