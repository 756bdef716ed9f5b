// WTL::CBalloonHelp: placement, drawing, close button, link and the thread's hooks.
#include "controls/CBalloonHelp.h"

#include "base/XQOR.h"
#include "controls/ThemeGate.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

namespace WTL {
namespace {

constexpr int kMargin = kBalloonMargin;
constexpr UINT kTitleFormat = 0x860;    // single line, no prefix, tabs expanded
constexpr UINT kContentFormat = 0x850;  // word break, no prefix, tabs expanded
constexpr COLORREF kClassicLinkColour = RGB(0, 0, 0x84);
constexpr uint32_t kMouseOptions = 0x3F8;
constexpr UINT_PTR kTimeoutTimer = 1;
constexpr UINT_PTR kCloseButtonTimer = 2;

// The thread's live balloons and the hooks they share.
struct ThreadBalloons {
  std::vector<CBalloonHelp*> Live;
  std::vector<CBalloonHelp*> Keyboard;
  std::vector<CBalloonHelp*> Mouse;
  HHOOK KeyboardHook = nullptr;
  HHOOK MouseHook = nullptr;
};
thread_local ThreadBalloons tBalloons;

template <class Member>
void Dispatch(std::vector<CBalloonHelp*>& list, Member member, int code, WPARAM wParam, LPARAM lParam) noexcept {
  // A balloon may leave the list while it is told; each one still listed is told once.
  std::vector<CBalloonHelp*> const snapshot = list;
  for (CBalloonHelp* balloon : snapshot) {
    if (std::find(list.begin(), list.end(), balloon) == list.end()) continue;
    try {
      (balloon->*member)(code, wParam, lParam);
    } catch (...) {
    }
  }
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
  Dispatch(tBalloons.Keyboard, &CBalloonHelp::OnKeyboardHook, code, wParam, lParam);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
  Dispatch(tBalloons.Mouse, &CBalloonHelp::OnMouseHook, code, wParam, lParam);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void Join(std::vector<CBalloonHelp*>& list, HHOOK& hook, int kind, HOOKPROC proc, CBalloonHelp* balloon) {
  if (!hook) hook = SetWindowsHookExW(kind, proc, nullptr, GetCurrentThreadId());
  list.push_back(balloon);
}

void Leave(std::vector<CBalloonHelp*>& list, HHOOK& hook, CBalloonHelp* balloon) noexcept {
  list.erase(std::remove(list.begin(), list.end(), balloon), list.end());
  if (list.empty() && hook) {
    UnhookWindowsHookEx(hook);
    hook = nullptr;
  }
}

bool FadeOn() noexcept {
  BOOL animation = FALSE;
  BOOL fade = FALSE;
  SystemParametersInfoW(SPI_GETTOOLTIPANIMATION, 0, &animation, 0);
  SystemParametersInfoW(SPI_GETTOOLTIPFADE, 0, &fade, 0);
  return animation && fade;
}

bool IsPress(WPARAM msg, uint32_t options) noexcept {
  switch (msg) {
    case WM_MBUTTONDOWN: case WM_NCMBUTTONDOWN: return options & BalloonCloseOnMButtonDown;
    case WM_RBUTTONDOWN: case WM_NCRBUTTONDOWN: return options & BalloonCloseOnRButtonDown;
    case WM_LBUTTONUP: case WM_NCLBUTTONUP: return options & BalloonCloseOnLButtonUp;
    case WM_MBUTTONUP: case WM_NCMBUTTONUP: return options & BalloonCloseOnMButtonUp;
    case WM_RBUTTONUP: case WM_NCRBUTTONUP: return options & BalloonCloseOnRButtonUp;
    default: return false;
  }
}

}  // namespace

CBalloonHelp::CBalloonHelp()
    : mTextColour(GetSysColor(COLOR_INFOTEXT)), mBackgroundColour(GetSysColor(COLOR_INFOBK)) {
  tBalloons.Live.push_back(this);
}

CBalloonHelp* CBalloonHelp::FromWindow(HWND hWnd) noexcept {
  for (CBalloonHelp* balloon : tBalloons.Live)
    if (hWnd && balloon->m_hWnd == hWnd) return balloon;
  return nullptr;
}

CBalloonHelp::~CBalloonHelp() {
  mDestroying = true;
  Unhook();
  tBalloons.Live.erase(std::remove(tBalloons.Live.begin(), tBalloons.Live.end(), this), tBalloons.Live.end());
  if (m_hWnd) ::DestroyWindow(m_hWnd);
  if (mIcons) ImageList_Destroy(mIcons);
  if (mRegion) DeleteObject(mRegion);
  if (mTitleFont) DeleteObject(mTitleFont);
}

void CBalloonHelp::Unhook() {
  if (mKeyboardHooked) Leave(tBalloons.Keyboard, tBalloons.KeyboardHook, this);
  if (mMouseHooked) Leave(tBalloons.Mouse, tBalloons.MouseHook, this);
  mKeyboardHooked = mMouseHooked = false;
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
  if ((options & kMouseOptions) && !mMouseHooked) {
    Join(tBalloons.Mouse, tBalloons.MouseHook, WH_MOUSE, &MouseHook, this);
    mMouseHooked = true;
  }
  if ((options & BalloonCloseOnKeyDown) && !mKeyboardHooked) {
    Join(tBalloons.Keyboard, tBalloons.KeyboardHook, WH_KEYBOARD, &KeyboardHook, this);
    mKeyboardHooked = true;
  }
  if (!(options & BalloonNoShow)) {
    ShowBalloon();
    UpdateWindow(m_hWnd);
  }
  return true;
}

void CBalloonHelp::ShowBalloon() {
  if (!m_hWnd) return;
  if (!(mOptions & BalloonDisableFadeIn) && FadeOn() && AnimateWindow(m_hWnd, 200, AW_BLEND)) return;
  ShowWindow(SW_SHOWNA);
}

void CBalloonHelp::HideBalloon() {
  if (!m_hWnd) return;
  if (!(mOptions & BalloonDisableFadeOut) && FadeOn()) AnimateWindow(m_hWnd, 200, AW_BLEND | AW_HIDE);
  PostMessage(WM_CLOSE);
}

void CBalloonHelp::OnKeyboardHook(int code, WPARAM, LPARAM lParam) {
  if (code >= 0 && !(static_cast<uint32_t>(lParam) & 0x80000000u)) HideBalloon();
}

void CBalloonHelp::OnMouseHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code < 0 || !lParam) return;
  POINT const cursor = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam)->pt;
  if (wParam == WM_MOUSEMOVE) {
    if (!(mOptions & BalloonCloseOnMouseMove)) return;
    RECT window{0, 0, 0, 0};
    if (m_hWnd) GetWindowRect(&window);
    if (!BalloonCursorNear(cursor, mStartCursor, mTolerance, mOptions & BalloonNearIncludesWindow, window))
      HideBalloon();
    return;
  }
  if (wParam == WM_LBUTTONDOWN || wParam == WM_NCLBUTTONDOWN) {
    if (!(mOptions & BalloonCloseOnLButtonDown)) return;
    if ((mOptions & BalloonActiveLink) && m_hWnd) {
      POINT client = cursor;
      ScreenToClient(&client);
      if (PtInRect(&mLinkRect, client)) return;
    }
    HideBalloon();
    return;
  }
  if (IsPress(wParam, mOptions)) HideBalloon();
}

RECT CBalloonHelp::WorkArea() const {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromPoint(mAnchor, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
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

SIZE CBalloonHelp::LayoutHeader(HDC dc, const RECT& client, bool draw) {
  SIZE header{0, 0};
  int titleLeft = 0;
  if (mIcons) {
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(mIcons, &cx, &cy);
    if (draw) {
      ImageList_SetBkColor(mIcons, mBackgroundColour);
      ImageList_Draw(mIcons, 0, dc, client.left, client.top, ILD_NORMAL);
    }
    header.cx += cx;
    header.cy = std::max<LONG>(header.cy, cy);
    titleLeft = cx + kMargin;
  }
  int titleRight = client.right;
  if (mOptions & BalloonCloseButton) {
    if (Themed()) {
      ThemeCall const call{*mTooltipTheme, dc, 5, 1, nullptr};
      mCloseSize = CheckedGetThemePartSize(call, 1 /* TS_TRUE */);
    }
    RECT const button{client.right - mCloseSize.cx, client.top, client.right, client.top + mCloseSize.cy};
    if (draw) {
      RECT r = button;
      if (Themed()) {
        CheckedDrawThemeBackground(ThemeCall{*mTooltipTheme, dc, 5, 1, &r});
      } else {
        DrawFrameControl(dc, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_FLAT | mCloseState);
      }
    }
    titleRight = button.left - kMargin;
    header.cx += mCloseSize.cx;
    header.cy = std::max(header.cy, mCloseSize.cy);
  }
  wchar_t title[255] = L"";
  if (m_hWnd) GetWindowTextW(m_hWnd, title, 255);
  RECT text{client.left + titleLeft, client.top, titleRight, client.top};
  HGDIOBJ const old = SelectObject(dc, mTitleFont ? mTitleFont : GetStockObject(DEFAULT_GUI_FONT));
  if (title[0]) {
    if (Themed()) {
      RECT const bounds{0, 0, 32767, 32767};
      RECT const extent = CheckedGetThemeTextExtent(ThemeCall{*mTooltipTheme, dc, 4, 0, nullptr, title, kTitleFormat}, &bounds);
      text.right = text.left + (extent.right - extent.left);
      text.bottom = text.top + (extent.bottom - extent.top);
    } else {
      RECT measure{0, 0, 0, 0};
      DrawTextW(dc, title, -1, &measure, kTitleFormat | DT_CALCRECT);
      text.right = text.left + measure.right;
      text.bottom = text.top + measure.bottom;
    }
    if (header.cx > 0) header.cx += kMargin;
    header.cx += text.right - text.left;
    header.cy = std::max(header.cy, text.bottom - text.top);
    if (draw) {
      text.right = std::max(text.left, std::min<LONG>(text.right, titleRight));
      if (Themed()) {
        CheckedDrawThemeText(ThemeCall{*mTooltipTheme, dc, 4, 0, &text, title, kTitleFormat});
      } else {
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, title, -1, &text, kTitleFormat);
      }
    }
  }
  SelectObject(dc, old);
  return header;
}

SIZE CBalloonHelp::LayoutBody(HDC dc, int top, bool draw) {
  RECT const work = WorkArea();
  RECT content{0, top, (work.right - work.left) / 2, top};
  HGDIOBJ const old = SelectObject(dc, mContentFont ? mContentFont : GetStockObject(DEFAULT_GUI_FONT));
  if (!mContent.empty()) {
    RECT measure{0, top, (work.right - work.left) / 2, work.bottom - work.top};
    DrawTextW(dc, mContent.c_str(), -1, &measure, kContentFormat | DT_CALCRECT);
    content = measure;
    if (draw) {
      if (Themed()) {
        CheckedDrawThemeText(ThemeCall{*mTooltipTheme, dc, 3, 1, &content, mContent.c_str(), kContentFormat});
      } else {
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, mContent.c_str(), -1, &content, kContentFormat);
      }
    }
  } else {
    content.right = 0;
  }
  RECT body = content;
  mLinkRect = RECT{0, 0, 0, 0};
  if (!mLinkText.empty()) {
    RECT link{0, content.bottom, 0, content.bottom};
    DrawTextW(dc, mLinkText.c_str(), -1, &link, kTitleFormat | DT_CALCRECT);
    link.bottom += 1;
    if (draw) {
      if (Themed()) {
        CheckedDrawThemeText(ThemeCall{*mTextStyleTheme, dc, 6, 2, &link, mLinkText.c_str(), kTitleFormat});
      } else {
        SetBkMode(dc, TRANSPARENT);
        COLORREF const oldColour = SetTextColor(dc, kClassicLinkColour);
        DrawTextW(dc, mLinkText.c_str(), -1, &link, kTitleFormat);
        SetTextColor(dc, oldColour);
        HPEN const pen = CreatePen(PS_SOLID, 1, kClassicLinkColour);
        HGDIOBJ const oldPen = SelectObject(dc, pen);
        MoveToEx(dc, link.left, link.bottom - 1, nullptr);
        LineTo(dc, link.right + 1, link.bottom - 1);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
      }
    }
    mLinkRect = link;
    UnionRect(&body, &content, &link);
  }
  SelectObject(dc, old);
  return SIZE{body.right - std::min<LONG>(body.left, 0), body.bottom - top};
}

SIZE CBalloonHelp::Layout(HDC dc, const RECT& client, bool draw) {
  SIZE const header = LayoutHeader(dc, client, draw);
  SIZE const body = LayoutBody(dc, header.cy + kMargin, draw);
  return SIZE{std::max(header.cx, body.cx), header.cy + kMargin + body.cy};
}

SIZE CBalloonHelp::MeasureClient() {
  HDC const dc = GetDC(m_hWnd);
  SIZE size{0, 0};
  RECT const client = ClientRectInWindow();
  RECT const origin{0, 0, client.right - client.left, client.bottom - client.top};
  ThemeSafely([&] { size = Layout(dc, origin, false); });
  ReleaseDC(m_hWnd, dc);
  return size;
}

RECT CBalloonHelp::ClientRectInWindow() const {
  RECT const window{0, 0, mPlacement.Window.right - mPlacement.Window.left, mPlacement.Window.bottom - mPlacement.Window.top};
  return BalloonClientRect(window, mPlacement.Quadrant);
}

RECT CBalloonHelp::GetCloseButtonRect() const {
  if (!(mOptions & BalloonCloseButton)) return RECT{0, 0, 0, 0};
  RECT const client = ClientRectInWindow();
  int const width = client.right - client.left;
  return RECT{width - mCloseSize.cx, 0, width, mCloseSize.cy};
}

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
  bool const ok = SUCCEEDED(UxThemeDLL::GetThemeBackgroundRegion(theme, nullptr, 3, 1, &body, &bodyRegion)) &&
                  SUCCEEDED(UxThemeDLL::GetThemeBackgroundRegion(theme, nullptr, 6, state, &stemRect, &stemRegion)) &&
                  bodyRegion && stemRegion;
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

LRESULT CBalloonHelp::OnNcCalcSize(UINT, WPARAM, LPARAM lParam, BOOL&) {
  auto* rect = reinterpret_cast<RECT*>(lParam);
  *rect = BalloonClientRect(*rect, mPlacement.Quadrant);
  return 0;
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

LRESULT CBalloonHelp::OnActivateApp(UINT, WPARAM wParam, LPARAM, BOOL& handled) {
  if ((mOptions & BalloonCloseOnAppDeactivate) && !wParam) HideBalloon();
  handled = FALSE;
  return 0;
}

LRESULT CBalloonHelp::OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& handled) {
  if (wParam == kTimeoutTimer) {
    KillTimer(kTimeoutTimer);
    HideBalloon();
  } else if (wParam == kCloseButtonTimer) {
    KillTimer(kCloseButtonTimer);
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    TrackCloseButton(cursor);
  } else {
    handled = FALSE;
  }
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
