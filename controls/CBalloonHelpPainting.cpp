// WTL::CBalloonHelp's painting: the background and outline (non-client), the client through
// an off-screen bitmap, and WM_PRINT for the fades.
#include "controls/CBalloonHelp.h"

#include <algorithm>

namespace WTL {

void CBalloonHelp::DrawBackground(HDC dc) {
  bool drawn = false;
  ThemeSafely([&] {
    if (!Version6() || !mThemed.Valid) return;
    CheckedDrawThemeBackground(ThemeCall{*mTooltipTheme, dc, 3, 1, &mThemed.Body});
    CheckedDrawThemeBackground(ThemeCall{*mTooltipTheme, dc, 6, mThemed.StemState, &mThemed.Stem});
    drawn = true;
  });
  if (drawn) return;
  RECT const all{0, 0, mPlacement.Window.right - mPlacement.Window.left, mPlacement.Window.bottom - mPlacement.Window.top};
  HBRUSH const back = CreateSolidBrush(mBackgroundColour);
  FillRect(dc, &all, back);
  DeleteObject(back);
  if (!mRegion) return;
  if (mOptions & BalloonInnerShadow) DrawInnerShadow(dc);
  HBRUSH const frame = CreateSolidBrush(mTextColour);
  FrameRgn(dc, mRegion, frame, 1, 1);
  DeleteObject(frame);
}

COLORREF CBalloonHelp::InnerShadowColour() const noexcept {
  return RGB((GetRValue(mTextColour) + GetRValue(mBackgroundColour)) / 2,
             (GetGValue(mTextColour) + GetGValue(mBackgroundColour)) / 2,
             (GetBValue(mTextColour) + GetBValue(mBackgroundColour)) / 2);
}

// A two-pixel band in a blend of text and background colour just inside the outline (the
// outline is framed over it afterwards); inside the region only.
void CBalloonHelp::DrawInnerShadow(HDC dc) {
  HRGN const shadow = CreateRectRgn(0, 0, 0, 0);
  if (!shadow) return;
  CombineRgn(shadow, mRegion, nullptr, RGN_COPY);
  OffsetRgn(shadow, 1, 1);
  int const saved = SaveDC(dc);
  ExtSelectClipRgn(dc, mRegion, RGN_AND);
  HBRUSH const brush = CreateSolidBrush(InnerShadowColour());
  FrameRgn(dc, shadow, brush, 2, 2);
  DeleteObject(brush);
  RestoreDC(dc, saved);
  DeleteObject(shadow);
}

void CBalloonHelp::DrawClient(HDC dc, const RECT& client) {
  // With the visual style the background comes from the non-client painting.
  if (!Version6() || !mThemed.Valid) {
    HBRUSH const back = CreateSolidBrush(mBackgroundColour);
    FillRect(dc, &client, back);
    DeleteObject(back);
  }
  SetTextColor(dc, mTextColour);
  ThemeSafely([&] { Layout(dc, client, true); });
}

void CBalloonHelp::PrintBalloon(HDC dc) {
  DrawBackground(dc);
  RECT const client = ClientRectInWindow();
  POINT old;
  SetViewportOrgEx(dc, client.left, client.top, &old);
  DrawClient(dc, RECT{0, 0, client.right - client.left, client.bottom - client.top});
  SetViewportOrgEx(dc, old.x, old.y, nullptr);
}
LRESULT CBalloonHelp::OnNcPaint(UINT, WPARAM, LPARAM, BOOL&) {
  HDC const dc = GetWindowDC(m_hWnd);
  DrawBackground(dc);
  ReleaseDC(m_hWnd, dc);
  return 0;
}

LRESULT CBalloonHelp::OnPaint(UINT, WPARAM wParam, LPARAM, BOOL&) {
  PAINTSTRUCT paint{};
  HDC const dc = wParam ? reinterpret_cast<HDC>(wParam) : BeginPaint(m_hWnd, &paint);
  RECT client;
  GetClientRect(&client);
  if (Version6() && mThemed.Valid) {
    DrawClient(dc, client);
    if (!wParam) EndPaint(m_hWnd, &paint);
    return 0;
  }
  // Drawn off-screen and copied, so the text does not flicker.
  HDC const memory = CreateCompatibleDC(dc);
  HBITMAP const bitmap = CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
  HGDIOBJ const old = SelectObject(memory, bitmap);
  DrawClient(memory, client);
  BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  if (!wParam) EndPaint(m_hWnd, &paint);
  return 0;
}

LRESULT CBalloonHelp::OnPrint(UINT, WPARAM wParam, LPARAM lParam, BOOL&) {
  auto const dc = reinterpret_cast<HDC>(wParam);
  if (lParam & PRF_NONCLIENT) DrawBackground(dc);
  if (lParam & PRF_CLIENT) {
    RECT const client = ClientRectInWindow();
    POINT old;
    SetViewportOrgEx(dc, client.left, client.top, &old);
    DrawClient(dc, RECT{0, 0, client.right - client.left, client.bottom - client.top});
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
  } else if (lParam & PRF_ERASEBKGND) {
    DrawBackground(dc);
  }
  return 0;
}

}  // namespace WTL
