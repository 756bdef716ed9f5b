// WTL::CBalloonHelp's shape: where the window goes, the region of body and tail, and the
// client area inside them.
#include "controls/CBalloonHelp.h"

#include "base/XQOR.h"

namespace WTL {

namespace {

// A region that is its bounding box: what a visual style answers for a part it has no shaped
// image for.
bool IsPlainRectangle(HRGN region) noexcept {
  RECT box;
  if (GetRgnBox(region, &box) == ERROR) return true;
  HRGN const rectangle = CreateRectRgnIndirect(&box);
  bool const plain = rectangle && EqualRgn(region, rectangle);
  if (rectangle) DeleteObject(rectangle);
  return plain;
}

}  // namespace

void CBalloonHelp::PositionWindow() {
  if (!m_hWnd) return;
  SIZE const client = MeasureClient();
  mPlacement = PlaceBalloon(WorkArea(), mAnchor, client, mOptions);
  RECT const& w = mPlacement.Window;
  MoveWindow(m_hWnd, w.left, w.top, w.right - w.left, w.bottom - w.top, TRUE);
  // The client area follows the quadrant, which the size alone does not change.
  SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  mThemed.Valid = false;
  HRGN region = Version6() ? ThemedRegion() : nullptr;
  if (!region) {
    region = CreatePolygonRgn(mPlacement.Tail, 3, ALTERNATE);
    const RECT& b = mPlacement.Body;
    HRGN const body = CreateRoundRectRgn(b.left, b.top, b.right, b.bottom, 24, 24);
    CombineRgn(region, region, body, RGN_OR);
    DeleteObject(body);
  }
  if (!mRegion || !EqualRgn(region, mRegion)) {
    HRGN const given = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(given, region, nullptr, RGN_COPY);
    SetWindowRgn(given, TRUE);
  }
  if (mRegion) DeleteObject(mRegion);
  mRegion = region;
  UpdateWindow(m_hWnd);
}

HRGN CBalloonHelp::ThemedRegion() {
  using QORLinkingUtils::UxThemeDLL;
  QORLinkingUtils::HTHEME theme = nullptr;
  try {
    theme = CheckedOpenThemeData(*mTooltipTheme);
  } catch (const XQOR&) {
    return nullptr;
  }
  static constexpr int kStemStates[4] = {3, 1, 6, 4};
  int const quadrant = mPlacement.Quadrant;
  int const state = kStemStates[quadrant & 3];
  int const w = mPlacement.Window.right - mPlacement.Window.left;
  int const h = mPlacement.Window.bottom - mPlacement.Window.top;
  SIZE stem{21, 21};
  if (FAILED(UxThemeDLL::GetThemePartSize(theme, nullptr, 6, state, nullptr, 1, &stem)) || stem.cx <= 0 || stem.cy <= 0)
    stem = SIZE{21, 21};
  LONG const tipX = mPlacement.Tail[2].x;
  bool const endsAtTip = quadrant == 0 || quadrant == 3;
  RECT stemRect{endsAtTip ? tipX - stem.cx : tipX, 0, endsAtTip ? tipX : tipX + stem.cx, stem.cy};
  RECT body{0, stem.cy, w, h};
  if (!TailOnTop(quadrant)) {
    stemRect.top = h - stem.cy;
    stemRect.bottom = h;
    body = RECT{0, 0, w, h - stem.cy};
  }
  HRGN bodyRegion = nullptr;
  HRGN stemRegion = nullptr;
  // A style without a shaped stem would give the tail as a square over what the balloon points
  // at: the balloon then takes its classic shape, tail and all.
  bool const ok = SUCCEEDED(UxThemeDLL::GetThemeBackgroundRegion(theme, nullptr, 3, 1, &body, &bodyRegion)) &&
                  SUCCEEDED(UxThemeDLL::GetThemeBackgroundRegion(theme, nullptr, 6, state, &stemRect, &stemRegion)) &&
                  bodyRegion && stemRegion && !IsPlainRectangle(stemRegion);
  if (!ok) {
    if (bodyRegion) DeleteObject(bodyRegion);
    if (stemRegion) DeleteObject(stemRegion);
    return nullptr;
  }
  CombineRgn(bodyRegion, bodyRegion, stemRegion, RGN_OR);
  DeleteObject(stemRegion);
  mThemed = ThemedPlacement{stemRect, body, state, true};
  return bodyRegion;
}

LRESULT CBalloonHelp::OnNcCalcSize(UINT, WPARAM, LPARAM lParam, BOOL&) {
  auto* rect = reinterpret_cast<RECT*>(lParam);
  *rect = BalloonClientRect(*rect, mPlacement.Quadrant);
  return 0;
}

}  // namespace WTL
