// WTL::CBalloonHelp's timing: showing and fading, hiding, the time-out and the thread's hooks
// that close a balloon on the user's actions.
#include "controls/CBalloonHelp.h"

#include <algorithm>
#include <vector>

#include "platform/owl/BoundaryFailure.h"

namespace WTL {
namespace {

constexpr uint32_t kMouseOptions = 0x3F8;

// The thread's live balloons and the hooks they share.
struct ThreadBalloons {
  std::vector<CBalloonHelp*> Live;
  std::vector<CBalloonHelp*> Keyboard;
  std::vector<CBalloonHelp*> Mouse;
  HHOOK KeyboardHook = nullptr;
  HHOOK MouseHook = nullptr;
};
thread_local ThreadBalloons tBalloons;

// The hooks' one bracket: a failure, the snapshot's allocation included, is reported as a window
// procedure's is, and the hook chain goes on.
template <class Member>
void Dispatch(std::vector<CBalloonHelp*>& list, Member member, int code, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    // A balloon may leave the list while it is told; each one still listed is told once.
    std::vector<CBalloonHelp*> const snapshot = list;
    for (CBalloonHelp* balloon : snapshot) {
      if (std::find(list.begin(), list.end(), balloon) != list.end()) (balloon->*member)(code, wParam, lParam);
    }
  } catch (...) {
    OWL::ReportBoundaryFailure(nullptr);
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

void CBalloonHelp::JoinThread() { tBalloons.Live.push_back(this); }

void CBalloonHelp::LeaveThread() noexcept {
  Unhook();
  tBalloons.Live.erase(std::remove(tBalloons.Live.begin(), tBalloons.Live.end(), this), tBalloons.Live.end());
}

CBalloonHelp* CBalloonHelp::FromWindow(HWND hWnd) noexcept {
  for (CBalloonHelp* balloon : tBalloons.Live)
    if (hWnd && balloon->m_hWnd == hWnd) return balloon;
  return nullptr;
}

void CBalloonHelp::HookThread() {
  if ((mOptions & kMouseOptions) && !mMouseHooked) {
    Join(tBalloons.Mouse, tBalloons.MouseHook, WH_MOUSE, &MouseHook, this);
    mMouseHooked = true;
  }
  if ((mOptions & BalloonCloseOnKeyDown) && !mKeyboardHooked) {
    Join(tBalloons.Keyboard, tBalloons.KeyboardHook, WH_KEYBOARD, &KeyboardHook, this);
    mKeyboardHooked = true;
  }
}

void CBalloonHelp::Unhook() {
  if (mKeyboardHooked) Leave(tBalloons.Keyboard, tBalloons.KeyboardHook, this);
  if (mMouseHooked) Leave(tBalloons.Mouse, tBalloons.MouseHook, this);
  mKeyboardHooked = mMouseHooked = false;
}

void CBalloonHelp::ShowBalloon() {
  if (!m_hWnd) return;
  DismissOthers();
  if (!(mOptions & BalloonDisableFadeIn) && FadeOn() && AnimateWindow(m_hWnd, 200, AW_BLEND)) return;
  ShowWindow(SW_SHOWNA);
}

// One balloon at a time: the thread's other balloons go at once, without a fade, as this one
// takes their place.
void CBalloonHelp::DismissOthers() {
  std::vector<CBalloonHelp*> const others = tBalloons.Live;
  for (CBalloonHelp* const other : others) {
    if (other == this || !other->m_hWnd) continue;
    ::ShowWindow(other->m_hWnd, SW_HIDE);
    other->PostMessage(WM_CLOSE);
  }
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

}  // namespace WTL
