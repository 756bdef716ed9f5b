// WTL::CBalloonHelp: construction, icon and link, Create, the theme gates, the close button's
// and the link's mouse input and the end of the window. Layout, shape, painting and timing
// (showing, hiding and the hooks that close it) each have a file of their own.
#include "controls/CBalloonHelp.h"

#include "base/XQOR.h"
#include "controls/ThemeGate.h"

#include <windowsx.h>

namespace WTL {

CBalloonHelp::CBalloonHelp()
    : mTextColour(GetSysColor(COLOR_INFOTEXT)), mBackgroundColour(GetSysColor(COLOR_INFOBK)) {
  JoinThread();
}


CBalloonHelp::~CBalloonHelp() {
  mDestroying = true;
  LeaveThread();
  if (m_hWnd) ::DestroyWindow(m_hWnd);
  if (mIcons) ImageList_Destroy(mIcons);
  if (mRegion) DeleteObject(mRegion);
  if (mTitleFont) DeleteObject(mTitleFont);
}


void CBalloonHelp::SetAnchorPoint(POINT screen) {
  mAnchor = screen;
  PositionWindow();
}

void CBalloonHelp::SetAnchorToWindow(HWND hWnd) {
  RECT r;
  if (!::IsWindow(hWnd) || !::GetWindowRect(hWnd, &r)) return;
  SetAnchorPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void CBalloonHelp::SetIcon(UINT iconId) {
  if (mIcons) ImageList_Destroy(mIcons);
  mIcons = nullptr;
  if (iconId) {
    auto const icon = static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(iconId), IMAGE_ICON, 16, 16, LR_SHARED));
    HDC const screen = GetDC(nullptr);
    HDC const big = CreateCompatibleDC(screen);
    HDC const small = CreateCompatibleDC(screen);
    HBITMAP const bigBitmap = CreateCompatibleBitmap(screen, 32, 32);
    HBITMAP const smallBitmap = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ const oldBig = SelectObject(big, bigBitmap);
    HGDIOBJ const oldSmall = SelectObject(small, smallBitmap);
    HBRUSH const brush = CreateSolidBrush(mBackgroundColour);
    RECT const all{0, 0, 32, 32};
    FillRect(big, &all, brush);
    DeleteObject(brush);
    if (icon) DrawIconEx(big, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    SetStretchBltMode(small, HALFTONE);
    StretchBlt(small, 0, 0, 16, 16, big, 0, 0, 32, 32, SRCCOPY);
    SelectObject(big, oldBig);
    SelectObject(small, oldSmall);
    DeleteDC(big);
    DeleteDC(small);
    ReleaseDC(nullptr, screen);
    DeleteObject(bigBitmap);
    SetIconBitmap(smallBitmap, mBackgroundColour);
    DeleteObject(smallBitmap);
    return;
  }
  PositionWindow();
}

void CBalloonHelp::SetIconBitmap(HBITMAP bitmap, COLORREF mask) {
  if (mIcons) ImageList_Destroy(mIcons);
  mIcons = nullptr;
  BITMAP info;
  if (bitmap && GetObjectW(bitmap, sizeof info, &info)) {
    mIcons = ImageList_Create(info.bmWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 0);
    if (mIcons) ImageList_AddMasked(mIcons, bitmap, mask);
  }
  PositionWindow();
}

void CBalloonHelp::SetLink(const wchar_t* text, std::function<void()> action) {
  mLinkText = text ? text : L"";
  mLinkAction = std::move(action);
  PositionWindow();
}

bool CBalloonHelp::Create(HWND owner, const wchar_t* title, const wchar_t* content, uint32_t options) {
  mContent = content ? content : L"";
  mOptions = options;
  if (!mContentFont) {
    mContentFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW font{};
    GetObjectW(mContentFont, sizeof font, &font);
    font.lfWeight = FW_BOLD;
    mTitleFont = CreateFontIndirectW(&font);
  }
  if (!m_hWnd) {
    DWORD const exStyle = WS_EX_TOOLWINDOW | ((options & BalloonTopmost) ? WS_EX_TOPMOST : 0);
    RECT const none{0, 0, 0, 0};
    if (!CWindowImpl::Create(owner, &none, title ? title : L"", WS_POPUP, exStyle)) return false;
  } else {
    SetWindowText(title ? title : L"");
  }
  mTooltipTheme = std::make_unique<CheckedTheme>(m_hWnd, L"TOOLTIP");
  mTextStyleTheme = std::make_unique<CheckedTheme>(m_hWnd, L"TEXTSTYLE");
  PositionWindow();
  GetCursorPos(&mStartCursor);
  HookThread();
  if (!(options & BalloonNoShow)) {
    ShowBalloon();
    UpdateWindow(m_hWnd);
  }
  return true;
}

bool CBalloonHelp::Themed() const { return !mThemeFailed && mTooltipTheme && ThemesAvailable(); }

bool CBalloonHelp::Version6() const { return !mThemeFailed && mTooltipTheme && Version6ThemesAvailable(); }

void CBalloonHelp::ThemeSafely(const std::function<void()>& draw) {
  try {
    draw();
  } catch (const XQOR&) {
    // The visual styles failed: this balloon draws classically from now on.
    mThemeFailed = true;
    draw();
  }
}

void CBalloonHelp::TrackCloseButton(POINT client) {
  RECT const button = GetCloseButtonRect();
  UINT const state = PtInRect(&button, client) ? (mCloseHeld ? 0x1200u : 0x1000u) : 0x4000u;
  if (state & 0x1000) SetTimer(kCloseButtonTimer, 100);
  if (state == mCloseState) return;
  mCloseState = state;
  HDC const dc = GetDC(m_hWnd);
  RECT r = button;
  DrawFrameControl(dc, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE | state);
  ReleaseDC(m_hWnd, dc);
}

LRESULT CBalloonHelp::OnMouseMove(UINT, WPARAM, LPARAM lParam, BOOL&) {
  POINT const point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (mOptions & BalloonCloseButton) TrackCloseButton(point);
  if ((mOptions & BalloonActiveLink) && !IsRectEmpty(&mLinkRect))
    SetCursor(LoadCursorW(nullptr, PtInRect(&mLinkRect, point) ? IDC_HAND : IDC_ARROW));
  return 0;
}

LRESULT CBalloonHelp::OnLButtonDown(UINT, WPARAM, LPARAM lParam, BOOL&) {
  POINT const point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  RECT const button = GetCloseButtonRect();
  if ((mOptions & BalloonCloseButton) && PtInRect(&button, point)) {
    mCloseHeld = true;
    SetCapture(m_hWnd);
    TrackCloseButton(point);
  } else if ((mOptions & BalloonActiveLink) && PtInRect(&mLinkRect, point)) {
    SetCapture(m_hWnd);
    BOOL handled = TRUE;
    OnMouseMove(WM_MOUSEMOVE, 0, lParam, handled);
  }
  return 0;
}

LRESULT CBalloonHelp::OnLButtonUp(UINT, WPARAM, LPARAM lParam, BOOL&) {
  POINT const point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (mCloseHeld) {
    mCloseHeld = false;
    ReleaseCapture();
    RECT const button = GetCloseButtonRect();
    if (PtInRect(&button, point)) HideBalloon();
  } else if ((mOptions & BalloonActiveLink) && !IsRectEmpty(&mLinkRect)) {
    ReleaseCapture();
    if (PtInRect(&mLinkRect, point)) {
      HideBalloon();
      if (mLinkAction) mLinkAction();
    }
  }
  return 0;
}

LRESULT CBalloonHelp::OnCaptureChanged(UINT, WPARAM, LPARAM, BOOL& handled) {
  if (!(mOptions & BalloonCloseButton)) {
    handled = FALSE;
    return 0;
  }
  mCloseHeld = false;
  mCloseState = 0;
  HDC const dc = GetDC(m_hWnd);
  RECT r = GetCloseButtonRect();
  ThemeSafely([&] {
    if (Themed())
      CheckedDrawThemeBackground(ThemeCall{*mTooltipTheme, dc, 5, 1, &r});
    else
      DrawFrameControl(dc, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_FLAT);
  });
  ReleaseDC(m_hWnd, dc);
  return 0;
}


LRESULT CBalloonHelp::OnThemeChanged(UINT, WPARAM, LPARAM, BOOL&) {
  for (CheckedTheme* theme : {mTooltipTheme.get(), mTextStyleTheme.get()}) {
    if (!theme) continue;
    try {
      CheckedCloseThemeData(*theme);
    } catch (const XQOR&) {
    }
  }
  // Themes open again on their next use.
  mThemeFailed = false;
  return 0;
}

LRESULT CBalloonHelp::OnDestroy(UINT, WPARAM, LPARAM, BOOL& handled) {
  Unhook();
  handled = FALSE;
  return 0;
}

void CBalloonHelp::OnFinalMessage(HWND) {
  if ((mOptions & BalloonDeleteThisOnClose) && !mDestroying) delete this;
}

}  // namespace WTL
