// ScrivoDraw::TimeScale and ScrivoDraw::TimeLabelDrawer: the time strip of a data pane.
#include "drawing/TimeScale.h"

#include "base/XQOR.h"
#include "drawing/ChildPaneHost.h"
#include "drawing/DrawPrintable.h"
#include "drawing/DrawingServices.h"
#include "drawing/IDrawerDataPane.h"
#include "hostapi/RecordDataPixMap.h"
#include "hostclient/ComBoundary.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TFont.h"
#include "platform/uihelpers/DialogFonts.h"
#include "platform/uihelpers/ScreenDpi.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>

namespace ScrivoDraw {

namespace {

constexpr wchar_t kProbeText[] = L"10:00:00.0000 a.m.";
constexpr wchar_t kMillisecondsNote[] = L"(ms)";

QOR::ComPtr<IRecordDataPixMap> PixMapOf(IUnknown* source) noexcept {
  QOR::ComPtr<IRecordDataPixMap> map;
  if (source && FAILED(source->QueryInterface(IID_IRecordDataPixMap, map.OutVoid()))) map = nullptr;
  return map;
}

// The strip's font (when given) and centred text in a DC for the labels' lifetime: the labels are
// measured and drawn in it whatever DC holds the strip's picture; a layer cache starts out with
// the system font, a bitmap font that a fine screen stretches.
class LabelFontScope {
 public:
  LabelFontScope(HDC dc, HFONT font) noexcept
      : mDc(dc), mOldFont(font ? SelectObject(dc, font) : nullptr), mOldAlign(SetTextAlign(dc, TA_CENTER)) {}
  ~LabelFontScope() {
    SetTextAlign(mDc, mOldAlign);
    if (mOldFont) SelectObject(mDc, mOldFont);
  }
  LabelFontScope(const LabelFontScope&) = delete;
  LabelFontScope& operator=(const LabelFontScope&) = delete;

 private:
  HDC mDc;
  HGDIOBJ mOldFont;
  UINT mOldAlign;
};

}  // namespace

double PaneDeviceScale(IDrawerDataPane* pane) noexcept {
  double x = 1.0;
  double y = 1.0;
  if (!pane || FAILED(pane->GetDeviceScale(0, &x, &y)) || !std::isfinite(y) || y <= 0.0) return 1.0;
  return y;
}

double StripScale(IDrawerDataPane* pane) noexcept {
  const double device = PaneDeviceScale(pane);
  uint32_t context = 0;
  if (pane && SUCCEEDED(pane->GetPrintContext(0, &context)) && context) return device;
  return device * QOR::ScreenDpi() / QOR::kBaseDpi;
}

// ---- TimeLabelDrawer ----

TimeLabelDrawer::TimeLabelDrawer(TimeScale* strip) noexcept
    : DrawerBase(1, 0, ChannelPair{-1, 0xC0000000u}, LayerPair{kLayerPairAll, kLayerPairAllSecond}), mStrip(strip) {}

HRESULT STDMETHODCALLTYPE TimeLabelDrawer::GetDrawTraits(int32_t, uint32_t* traits, int32_t* leftExtra,
                                                         int32_t* rightExtra) noexcept {
  return ComTry([&]() -> HRESULT {
    if (!traits || !leftExtra || !rightExtra) return E_POINTER;
    const int32_t half = mStrip ? mStrip->LabelWidth() / 2 : 0;
    *traits = 0;
    *leftExtra = half;
    *rightExtra = half;
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE TimeLabelDrawer::GetUnitsText(int32_t, int32_t, QOR::IQORString** units,
                                                        VARIANT_BOOL*) noexcept {
  if (units) *units = nullptr;
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE TimeLabelDrawer::Draw(HDC dc, int64_t first, int64_t last, DrawOrigin origin,
                                                int32_t column, const RECT* clip, uint32_t, int32_t,
                                                const void* scale) noexcept {
  return ComTry([&]() -> HRESULT {
    if (!dc || !clip) return E_POINTER;
    const int32_t height = mBounds.bottom - mBounds.top;
    const QOR::ComPtr<IRecordDataPixMap> map = PixMapOf(mSource.Get());
    // Columns of data end where `last` falls.
    const int64_t endColumn = last - first + column;
    // The origin counts from its record's first sample; the labels need the absolute position.
    const int64_t start = first - (column - origin.column);
    int32_t fillLeft = clip->left;
    PixMapRecordPosition where{0, 0};
    int64_t recordEnd = 0;
    const bool inRecord = map && map->PositionToRecord(start, &where, &recordEnd) == S_OK;
    if (inRecord && where.record > 0)
      fillLeft = std::max(fillLeft, origin.column);
    const int64_t fillRight = std::min<int64_t>(clip->right, endColumn);
    if (fillLeft < fillRight) {
      const RECT fill{fillLeft, 0, static_cast<LONG>(fillRight), height};
      FillRect(dc, &fill, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    const auto* plan = static_cast<const TimeLabelLayout*>(scale);
    PixMapTimeScale record{};
    if (!plan || !map || FAILED(map->GetScaleRecord(start, &record))) return S_OK;
    // The first nine fields come from the pane's plan; the labels are laid out again in this DC.
    mLayout.firstLabelTime = plan->firstLabelTime;
    mLayout.firstTickX = plan->firstTickX;
    mLayout.minorCountdown = plan->minorCountdown;
    mLayout.labelCountdown = plan->labelCountdown;
    mLayout.labelInterval = plan->labelInterval;
    mLayout.minorSpacing = plan->minorSpacing;
    mLayout.minorPerMajor = plan->minorPerMajor;
    mLayout.majorPerLabel = plan->majorPerLabel;
    mLayout.displayFlags = plan->displayFlags;
    const double startTime = static_cast<double>(start) * record.secondsPerPixel;
    const LabelFontScope font(dc, mStrip ? mStrip->Font() : nullptr);
    if (!LayoutTimeLabels(dc, mLayout, record, startTime, record.secondsPerPixel)) return S_OK;
    TimeStripPaint paint;
    paint.first = first;
    paint.last = last;
    paint.originPosition = first;
    paint.originColumn = column;
    paint.clip = *clip;
    paint.height = height;
    paint.deviceScale = StripScale(mDataPane);
    int64_t next = 0;
    const bool lastRecord = map->GetNextRecordStart(start, &next) != S_OK;
    paint.labelLimit = lastRecord ? std::numeric_limits<double>::infinity() : static_cast<double>(next);
    if (mStrip) {
      paint.labelStartColumn = mStrip->LabelStartColumn();
      paint.labelEndColumn = mStrip->LabelEndColumn();
      // Nor past the end of the last record's data, where the segment ends; while sampling that
      // end moves on, and a label left out there would not come back.
      if (lastRecord && inRecord && !mStrip->Pane().IsSampling())
        paint.labelEndColumn = std::min(paint.labelEndColumn, recordEnd - first + column);
    }
    DrawTimeStrip(dc, mLayout, paint);
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE TimeLabelDrawer::CloneForOutput(uint32_t, IScrivoRecordDrawer** copy) noexcept {
  return ComTry([&]() -> HRESULT {
    if (!copy) return E_POINTER;
    *copy = nullptr;
    auto* const made = new (std::nothrow) TimeLabelDrawer(nullptr);
    if (!made) return E_OUTOFMEMORY;
    static_cast<DrawerBaseInit&>(*made) = static_cast<const DrawerBaseInit&>(*this);
    made->mLayout = mLayout;
    made->AddRef();
    *copy = made;
    return S_OK;
  });
}

// ---- TimeScale ----

TimeScale::TimeScale(ChildPaneHost& pane) noexcept : ChildPaneBase(pane, -1) {
  mMarginsStale = true;
  MeasureLabels();
}

TimeScale::~TimeScale() {
  // The drawers may outlive the strip (a clone, a caller's reference).
  for (const auto& drawer : mDrawers) {
    if (auto* const labels = dynamic_cast<TimeLabelDrawer*>(drawer.Get())) labels->ForgetStrip();
  }
}

HFONT TimeScale::Font() const noexcept { return mFont ? mFont->GetHandle() : nullptr; }

void TimeScale::MeasureLabels() noexcept {
  bool printing = false;
  if (IDrawPrintable* const printable = mPane->Printable()) printing = printable->IsPrinting(nullptr) == S_OK;
  HDC printDc = nullptr;
  std::unique_ptr<OWL::TFont> font;
  try {
    if (printing) {
      uint32_t context = 0;
      if (IDrawerDataPane* const pane = mPane->DrawerPane()) pane->GetPrintContext(0, &context);
      printDc = reinterpret_cast<HDC>(static_cast<uintptr_t>(context));
      if (printDc) font.reset(QOR::CreateDefaultGUIFont(OWL::TDC(printDc), 10, false));
    }
    if (!font) font.reset(CreateScreenLabelFont());
  } catch (...) {
    font.reset();
  }
  if (font) mFont = std::move(font);
  HDC const dc = printDc ? printDc : GetDC(nullptr);
  if (!dc) return;
  HGDIOBJ const old = SelectObject(dc, mFont ? static_cast<HGDIOBJ>(mFont->GetHandle()) : GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{0, 0};
  GetTextExtentPoint32W(dc, kProbeText, static_cast<int>(std::wcslen(kProbeText)), &size);
  SelectObject(dc, old);
  if (!printDc) ReleaseDC(nullptr, dc);
  mLabelWidth = size.cx;
  // A label that no longer fits at either end after a scroll is taken away there.
  mScrollRedrawBand = mLabelWidth;
  mStripHeight = static_cast<int32_t>(StripScale(mPane->DrawerPane()) * 10.0 + size.cy);
  mMarginsStale = true;
}

int64_t TimeScale::LabelStartColumn() const noexcept {
  return mPane->RingSwitch() ? std::numeric_limits<int64_t>::min() : mRect.left;
}

int64_t TimeScale::LabelEndColumn() const noexcept {
  return mPane->RingSwitch() ? std::numeric_limits<int64_t>::max() : mRect.right;
}

void TimeScale::Place(int32_t context, const RECT& paneClient, const RECT& lane, int32_t leftAxisWidth,
                      int32_t rightAxisWidth, int32_t margin) noexcept {
  ChildPaneBase::Place(context, paneClient, lane, leftAxisWidth, rightAxisWidth, margin);
  for (const auto& drawer : mDrawers) drawer->SetBounds(mContext, &mRect);
}

HRESULT TimeScale::RemoveDrawers(uint32_t mask, LayerPair pair) noexcept {
  const HRESULT removed = ChildPaneBase::RemoveDrawers(mask, pair);
  EnsureLabelDrawer();
  return removed;
}

void TimeScale::OnRecordStart(int32_t record, VARIANT_BOOL sampling) noexcept {
  ChildPaneBase::OnRecordStart(record, sampling);
  mPane->ServeRelayout();
  mPane->Invalidate(mRect);
}

void TimeScale::Paint(HDC dc, const PaintArgs& args, uint32_t flags, uint32_t layerSet) noexcept {
  HDC target = dc;
  if ((flags & kPaintIntoCache) && LayerCache(0)) target = LayerCache(0);
  HGDIOBJ const oldFont = mFont ? SelectObject(target, mFont->GetHandle()) : nullptr;
  const UINT oldAlign = SetTextAlign(target, TA_CENTER);
  ChildPaneBase::Paint(dc, args, flags, layerSet);
  if (args.scale) mDisplayFlags = static_cast<const TimeLabelLayout*>(args.scale)->displayFlags;
  SetTextAlign(target, oldAlign);
  if (oldFont) SelectObject(target, oldFont);
}

void TimeScale::Render(HDC dc, int32_t column, bool line) noexcept {
  ChildPaneBase::Render(dc, column, line);
  if (!ShowsMillisecondsNote(mDisplayFlags) || !dc) return;
  HGDIOBJ const oldFont = mFont ? SelectObject(dc, mFont->GetHandle()) : nullptr;
  const UINT oldAlign = SetTextAlign(dc, TA_LEFT | TA_TOP);
  SIZE size{0, 0};
  GetTextExtentPoint32W(dc, kMillisecondsNote, 4, &size);
  // On the labels' row, its box below the longest ticks, as the strip's scale has them.
  const double scale = StripScale(mPane->DrawerPane());
  const int32_t x = mRect.right - size.cx - static_cast<int32_t>(2.0 * scale);
  const RECT box{x - static_cast<int32_t>(7.0 * scale), mRect.top + static_cast<int32_t>(2.0 * scale), mRect.right,
                 mRect.bottom};
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  ExtTextOutW(dc, x, mRect.top + static_cast<int32_t>(4.0 * scale - 1.0), ETO_OPAQUE, &box, kMillisecondsNote, 4,
              nullptr);
  SetBkColor(dc, oldBack);
  SetTextColor(dc, oldText);
  SetTextAlign(dc, oldAlign);
  if (oldFont) SelectObject(dc, oldFont);
}

HRESULT TimeScale::AttachDragScale(IDragScale* scale) noexcept {
  if (!scale) return E_POINTER;
  int32_t entries = 0;
  if (FAILED(scale->GetEntryCount(&entries))) return E_FAIL;
  return entries >= 3 ? kXQORUnsupportedForm : S_OK;
}

HRESULT TimeScale::DetachDragScale(IDragScale* scale) noexcept {
  if (!scale) return E_POINTER;
  return scale->SetMode(2);
}

HRESULT TimeScale::EnsureLabelDrawer() noexcept {
  if (!mDrawers.empty()) return S_FALSE;
  QOR::ComPtr<TimeLabelDrawer> const drawer(new (std::nothrow) TimeLabelDrawer(this));
  if (!drawer) return E_OUTOFMEMORY;
  const HRESULT added = AddDrawer(0, drawer.Get(), 255);
  if (FAILED(added)) return added;
  drawer->AttachPane(0, mPane->HorizontalScale());
  return S_OK;
}

HRESULT TimeScale::OnSourceChanged(int32_t mode, IUnknown* source) noexcept {
  if (mode >= 0) {
    ChildPaneBase::RemoveDrawers(0, LayerPair{kLayerPairAll, kLayerPairAllSecond});
    EnsureLabelDrawer();
  } else {
    for (const auto& drawer : mDrawers) drawer->AttachPane(mode, source);
  }
  return S_OK;
}

}  // namespace ScrivoDraw
