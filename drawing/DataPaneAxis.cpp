// ScrivoDraw::DataPane: the horizontal axis: scroll position and scroll bar, scaling and zoom,
// following the newest data.
#include "drawing/DataPane.h"

#include "base/Rational.h"
#include "hostapi/HostViewTime.h"
#include "platform/owl/TCommandEnabler.h"
#include "platform/uihelpers/NiceStep.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace ScrivoDraw {

namespace {

bool TickBefore(const PixMapTick& a, const PixMapTick& b) noexcept {
  return a.record != b.record ? a.record < b.record : a.tick < b.tick;
}

}  // namespace

int64_t DataPane::Extent() const noexcept {
  int64_t extent = 0;
  if (mHorzScale && FAILED(mHorzScale->GetTotalLength(&extent))) extent = 0;
  return extent;
}

// ---- scroll position ----

HRESULT DataPane::ScrollToTick(int32_t tick, int32_t record) noexcept {
  if (!mHorzScale) return E_FAIL;
  double position = 0.0;
  const HRESULT converted = mHorzScale->TickToPosition(0, record, tick, &position);
  if (FAILED(converted)) return converted;
  // A record's first tick shows the record from its start: the margin before its samples holds
  // the lanes' label column.
  int64_t start = 0, end = 0;
  if (tick == 0 && mHorzScale->GetRecordRange(record, &start, &end) == S_OK && start <= position)
    position = static_cast<double>(start);
  const int64_t old = mScrollPos;
  const double wanted = mVisibleWidth + position;
  mScrollPos = std::isfinite(wanted) && std::fabs(wanted) < 9.2e18 ? static_cast<int64_t>(wanted) : Extent();
  ClampScroll();
  UpdateScrollBar();
  ScrollBy(old - mScrollPos);
  return S_OK;
}

HRESULT DataPane::SetLeftPosition(int64_t left) noexcept {
  const int64_t old = mScrollPos;
  mScrollPos = left + mVisibleWidth;
  ClampScroll();
  UpdateScrollBar();
  ScrollBy(old - mScrollPos);
  return S_OK;
}

void DataPane::ScrollBy(int64_t delta) noexcept {
  ForEachObject([delta](InteractiveObject& object) { object.ScrollBegins(delta); });
  uint32_t kind = 0;
  const int64_t magnitude = delta < 0 ? -delta : delta;
  if (magnitude <= mVisibleWidth) {
    const bool printing = mPrinting && !(mStyle & kPaneStyleNoControls);
    kind = printing ? 0x40000000u : 0x20000000u;
    ForEachChild([delta](ChildPaneBase& child) { child.ScrollBy(-delta); });
  } else {
    InvalidateLanes();
    kind = 0x80000000u;
  }
  if (mScrollUpdateMode != 1) UpdateLaneRanges();
  ForEachObject([delta, kind](InteractiveObject& object) { object.ScrollDone(delta, kind); });
}

void DataPane::UpdateScrollBar() noexcept {
  if (!mScrollBar) return;
  const int64_t extent = Extent();
  const int64_t vis = mVisibleWidth;
  const bool shown = extent > vis && !IsFollowing() && mTimeScaleStrip && mTimeScaleStrip->DrawerCount() > 0;
  // A hidden bar is moved out of sight (an empty rectangle) and disabled.
  mScrollBar->MoveTo(shown ? mScrollBarRect : RECT{0, 0, 0, 0});
  mScrollBar->Enable(shown);
  if (shown) {
    mScrollUnit = static_cast<int32_t>((extent + 1) / 2147483648LL + 1);
    const int32_t t = static_cast<int32_t>(vis * 5 / mScrollUnit);
    const int32_t page = std::max(1, t / 8);
    const int32_t line = std::max(1, page / 16);
    mScrollBar->SetPageMagnitude(page);
    mScrollBar->SetLineMagnitude(line);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    info.nMin = 0;
    info.nMax = static_cast<int>(extent / mScrollUnit);
    info.nPage = static_cast<UINT>(vis / mScrollUnit);
    info.nPos = static_cast<int>((mScrollPos - vis) / mScrollUnit);
    mScrollBar->SetScrollInfo(info, true);
  }
  ForEachObject([](InteractiveObject& object) { object.ScrollStateChanged(); });
}

void DataPane::OnScroll(int32_t code) noexcept {
  if (!mScrollBar) return;
  const int64_t old = mScrollPos;
  const int64_t extent = Extent();
  mTracking = true;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
  mScrollBar->GetScrollInfo(info);
  const int64_t maxPos = info.nMax - mVisibleWidth / mScrollUnit;
  int64_t pos = info.nPos;
  switch (code) {
    case SB_LINELEFT: pos = info.nPos - mScrollBar->GetLineMagnitude(); break;
    case SB_LINERIGHT: pos = info.nPos + mScrollBar->GetLineMagnitude(); break;
    case SB_PAGELEFT: pos = info.nPos - mScrollBar->GetPageMagnitude(); break;
    case SB_PAGERIGHT: pos = info.nPos + mScrollBar->GetPageMagnitude(); break;
    case SB_THUMBPOSITION: pos = info.nPos; break;
    case SB_THUMBTRACK: pos = info.nTrackPos; break;
    case SB_LEFT: pos = info.nMin; break;
    case SB_RIGHT: pos = maxPos; break;
    case SB_ENDSCROLL: EndScroll(true); return;
    default: break;
  }
  pos = std::max<int64_t>(std::min(pos, maxPos), info.nMin);
  SCROLLINFO write{};
  write.cbSize = sizeof(write);
  write.fMask = SIF_POS;
  write.nPos = static_cast<int>(pos);
  mScrollBar->SetScrollInfo(write, code != SB_THUMBTRACK);
  mScrollPos = std::min(pos * mScrollUnit + mVisibleWidth, extent);
  ScrollBy(old - mScrollPos);
  if (code != SB_THUMBTRACK) mTracking = false;
}

void DataPane::EndScroll(bool apply) noexcept {
  mTracking = false;
  if (!apply || !mRangeChanged) return;
  PixMapTick at{0.0, 0, 0};
  if (mHorzScale) mHorzScale->PositionToTick(0, mScrollPos, &at);
  mRangeChanged(static_cast<int64_t>(at.tick), Extent());
}

HRESULT DataPane::GetVisibleRange(PixMapTick* first, PixMapTick* last) noexcept {
  if (!first || !last) return E_POINTER;
  const int64_t extent = Extent();
  if (!mHorzScale || extent == 0) return S_FALSE;
  const HRESULT left = mHorzScale->PositionToTick(0, mScrollPos - mVisibleWidth, first);
  const HRESULT right = mHorzScale->PositionToTick(0, mScrollPos, last);
  if (!TickBefore(*first, *last)) return S_FALSE;
  return left != S_OK ? left : right;
}

HRESULT DataPane::EnsureVisible(int32_t tick, int32_t record) noexcept {
  PixMapTick first{0.0, 0, 0};
  PixMapTick last{0.0, 0, 0};
  // The right end is exclusive; a range ending past the data ends at its last position.
  if (mHorzScale) {
    mHorzScale->PositionToTick(0, std::max<int64_t>(0, mScrollPos - mVisibleWidth), &first);
    if (mHorzScale->PositionToTick(0, std::max<int64_t>(0, mScrollPos - 1), &last) != S_OK) last = first;
  }
  const PixMapTick wanted{static_cast<double>(tick), record, 0};
  if (!TickBefore(wanted, first) && !TickBefore(last, wanted)) return S_FALSE;
  int64_t a = 0, b = 0;
  if (!mDataSource || FAILED(mDataSource->TickToAbsolute(first.record, static_cast<int32_t>(first.tick), &a)) ||
      FAILED(mDataSource->TickToAbsolute(last.record, static_cast<int32_t>(last.tick), &b)))
    return E_FAIL;
  return ScrollToTick(static_cast<int32_t>(tick - (b - a) * 0.5), record);
}

// ---- following ----

void DataPane::SetFollow(bool on, bool apply) noexcept {
  if (apply && on != mFollow && mFollowChanged) mFollowChanged(on);
  mFollow = on;
}

void DataPane::SetFollowMode(bool on) noexcept {
  if (on != mFollow) SetFollow(on, true);
  mFollow = on;
  if (mZoomList) mZoomList->SetFollowState(on);
}

// ---- scaling and zoom ----

HRESULT DataPane::SetHorizontalScaling(PaneRational scaling, const int32_t* anchorX) noexcept {
  if (scaling == mHorizontalScaling) return S_FALSE;
  if (scaling.numerator <= 0 || scaling.denominator <= 0) return E_INVALIDARG;
  const int32_t w = ClientWidth();
  const int32_t right = w - kPaneMargin;
  if (IsFollowing()) {
    SetHorizontalScalingValue(scaling);
    mScrollPos = Extent();
    ApplyChanges(kPendingAll);
    EndScroll(true);
    return S_OK;
  }
  // The middle column of the data, the one the new scroll position puts the anchor at again.
  int32_t x = right - mVisibleWidth / 2;
  if (anchorX) {
    x = *anchorX;
  } else if (mCtrlDown && mCtrlDown() && mHostView && mHorzScale) {
    QOR::ComPtr<IHostViewTime> time;
    int32_t record = 0;
    double tick = 0.0;
    double position = 0.0;
    if (SUCCEEDED(mHostView->QueryInterface(IID_IHostViewTime, time.OutVoid())) && time &&
        time->GetViewTime(&record, &tick) == S_OK &&
        SUCCEEDED(mHorzScale->TickToPosition(0, record, tick, &position)) && std::isfinite(position))
      x = static_cast<int32_t>(std::clamp<double>(position - static_cast<double>(mScrollPos) + right, INT32_MIN, INT32_MAX));
  }
  const int64_t p = x - static_cast<int64_t>(right) + mScrollPos;
  int64_t v = 0;
  if (p >= 0 && mHorzScale && SUCCEEDED(mHorzScale->PositionToValue(p, &v)) && v > 0) {
    try {
      QORRationalImp ratio{mHorizontalScaling.numerator, mHorizontalScaling.denominator};
      ratio.Normalize();
      ratio.Divide(QORRationalImp{scaling.numerator, scaling.denominator});
      // The product in 80-bit precision (exact for 64-bit terms), held inside the data as the
      // new scaling measures it (the old extent scaled alike) and inside 64 bits.
      const long double product = static_cast<long double>(v) * ratio.num / ratio.den;
      const long double extent = static_cast<long double>(std::max<int64_t>(Extent(), 0)) * ratio.num / ratio.den;
      const long double most = std::min(extent, static_cast<long double>(INT64_MAX / 2));
      v = static_cast<int64_t>(std::clamp<long double>(product, 0.0L, most));
    } catch (...) {
      v = 0;
    }
  } else if (p < 0) {
    v = 0;
  }
  SetHorizontalScalingValue(scaling);
  if (!IsFollowing()) {
    int64_t q = 0;
    if (mHorzScale && SUCCEEDED(mHorzScale->ValueToPosition(v, &q))) mScrollPos = q + mVisibleWidth / 2;
  } else {
    mScrollPos = Extent();
  }
  ApplyChanges(kPendingAll);
  EndScroll(true);
  return S_OK;
}

void DataPane::ZoomStep(bool in) noexcept {
  const double u = static_cast<double>(mHorizontalScaling.numerator) / static_cast<double>(mHorizontalScaling.denominator);
  double next = 0.0;
  if (in) {
    if (!(u > 0.1)) return;
    next = QOR::NiceStepDown(u);
  } else {
    if (!(u < 20000.0)) return;
    next = QOR::NiceStepUp(u);
  }
  if (!(next > 0.0)) return;
  const QORRationalImp rational = QORRationalImp::FromDouble(next);
  if (rational.num <= 0 || rational.den <= 0) return;
  SetHorizontalScaling(PaneRational{rational.num, rational.den}, nullptr);
}

void DataPane::QueryZoomCommand(int32_t kind, OWL::TCommandEnabler& enabler) noexcept {
  if (kind != 1 || !mZoomList) return;
  QORRationalImp entry = mZoomList->RatioFromMenuId(static_cast<int32_t>(enabler.GetId()));
  enabler.SetCheck(PaneRational{entry.num, entry.den} == mHorizontalScaling ? 1 : 0);
}

void DataPane::ExecuteZoomCommand(int32_t kind, int32_t id) noexcept {
  if (kind != 1 || !mZoomList) return;
  const QORRationalImp entry = mZoomList->RatioFromMenuId(id);
  if (entry.num <= 0 || entry.den <= 0) return;
  SetHorizontalScaling(PaneRational{entry.num, entry.den}, nullptr);
}

void DataPane::BuildZoomMenu(HMENU menu, int32_t first, int32_t last) noexcept {
  if (!menu) return;
  for (int i = GetMenuItemCount(menu); i-- > 0;) DeleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
  if (!mZoomList) return;
  for (int32_t id = first; id < last; ++id) {
    const QORRationalImp entry = mZoomList->RatioFromMenuId(id);
    std::wstring text;
    try {
      text = mZoomList->FormatRatio(entry.num, entry.den);
    } catch (...) {
      text.clear();
    }
    const bool current = PaneRational{entry.num, entry.den} == mHorizontalScaling;
    AppendMenuW(menu, MF_STRING | (current ? MF_CHECKED : 0u), static_cast<UINT_PTR>(id), text.c_str());
  }
}

void DataPane::AutoScaleHorizontally(int32_t) noexcept {
  const int64_t extent = Extent();
  if (extent <= 0 || mVisibleWidth <= 0) return;
  const double samplesPerPixel = static_cast<double>(mHorizontalScaling.numerator) /
                                 static_cast<double>(mHorizontalScaling.denominator) * static_cast<double>(extent) /
                                 static_cast<double>(mVisibleWidth);
  const QORRationalImp fitting = QORRationalImp::FromDouble(samplesPerPixel);
  if (fitting.num <= 0 || fitting.den <= 0) return;
  SetHorizontalScaling(PaneRational{fitting.num, fitting.den}, nullptr);
}

bool DataPane::CanZoom(int32_t action) noexcept {
  const double u = static_cast<double>(mHorizontalScaling.numerator) / static_cast<double>(mHorizontalScaling.denominator);
  switch (action) {
    case 1: return u > 0.1;
    case 2: return u < 20000.0;
    case 3: return mZoomList != nullptr;
    case 4: return Extent() > 0;
    default: return false;
  }
}

}  // namespace ScrivoDraw
