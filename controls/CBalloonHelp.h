// WTL::CBalloonHelp: a balloon tip, a borderless pop-up shaped like a speech balloon whose tail
// points at an anchor on the screen. It shows an optional small icon, a bold title, a close
// button, a word-wrapped text and a link line, stays inside the monitor's work area and closes
// on the user actions its options choose. Callers create it with new, set anchor and icon,
// call Create with option 0x1000 and let it delete itself when its window is gone.
//
// The keyboard and mouse hooks are one pair per thread, shared by the thread's live balloons:
// a hook procedure receives no user pointer, so it reaches the balloons through the thread's
// list of them.
#pragma once

#include "controls/BalloonGeometry.h"
#include "controls/CheckedTheme.h"
#include "platform/atl/CWindowImpl.h"

#include <commctrl.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace WTL {

enum BalloonOption : uint32_t {
  BalloonCloseButton = 0x1,
  BalloonInnerShadow = 0x2,
  BalloonTopmost = 0x4,
  BalloonCloseOnLButtonDown = 0x8,
  BalloonCloseOnMButtonDown = 0x10,
  BalloonCloseOnRButtonDown = 0x20,
  BalloonCloseOnLButtonUp = 0x40,
  BalloonCloseOnMButtonUp = 0x80,
  BalloonCloseOnRButtonUp = 0x100,
  BalloonCloseOnMouseMove = 0x200,
  BalloonCloseOnKeyDown = 0x400,
  BalloonCloseOnAppDeactivate = 0x800,
  BalloonDeleteThisOnClose = 0x1000,
  BalloonDisableFadeIn = 0x2000,
  BalloonDisableFadeOut = 0x4000,
  BalloonNoShow = 0x8000,
  BalloonMoveWholeTail = kBalloonMoveWholeTail,
  BalloonNearIncludesWindow = 0x20000,
  BalloonActiveLink = 0x40000,
};

class CBalloonHelp : public ATL::CWindowImpl<CBalloonHelp> {
 public:
  static const wchar_t* GetWndClassName() noexcept { return L"XPBalloonHelp"; }
  // Redraw on both sizes, double clicks, save bits.
  static UINT GetWndClassStyle() noexcept { return 0x80B; }

  CBalloonHelp();
  // Leaves the thread's hooks and closes a window still open (without deleting again).
  ~CBalloonHelp() override;

  void SetAnchorPoint(POINT screen);
  // The centre of the window's screen rectangle; nothing when hWnd is not a window.
  void SetAnchorToWindow(HWND hWnd);
  // A system icon (0: none), shown at 16 by 16.
  void SetIcon(UINT iconId);
  // The bitmap is copied into the icon list; null removes the icon.
  void SetIconBitmap(HBITMAP bitmap, COLORREF mask);
  void SetLink(const wchar_t* text, std::function<void()> action);
  void SetMouseTolerance(int pixels) noexcept { mTolerance = pixels; }

  // Creates (or retitles) the window, places it, hooks the thread as the options ask and shows
  // it unless option 0x8000. False when the window could not be created.
  bool Create(HWND owner, const wchar_t* title, const wchar_t* content, uint32_t options);
  // Shows the window (fading in as the system says) and closes the thread's other balloons.
  void ShowBalloon();
  // Fades out as the system says, then closes the window.
  void HideBalloon();

  // The hook procedures' work for this balloon (the thread's hooks call them).
  void OnKeyboardHook(int code, WPARAM wParam, LPARAM lParam);
  void OnMouseHook(int code, WPARAM wParam, LPARAM lParam);

  // The thread's live balloon on hWnd, or null.
  static CBalloonHelp* FromWindow(HWND hWnd) noexcept;

  uint32_t GetOptions() const noexcept { return mOptions; }
  POINT GetAnchor() const noexcept { return mAnchor; }
  POINT GetStartCursor() const noexcept { return mStartCursor; }
  const BalloonPlacement& GetPlacement() const noexcept { return mPlacement; }
  RECT GetLinkRect() const noexcept { return mLinkRect; }
  // Client pixels of the close button (empty without option 0x1).
  RECT GetCloseButtonRect() const;
  bool HooksKeyboard() const noexcept { return mKeyboardHooked; }
  // The client size the title, icon, close button, text and link need.
  SIZE MeasureClient();
  // Draws the whole balloon (background, outline, header, body) at the DC's origin.
  void PrintBalloon(HDC dc);
  // The colour of the inner shadow (option 0x2): halfway between text and background.
  COLORREF InnerShadowColour() const noexcept;

  BEGIN_MSG_MAP(CBalloonHelp)
    MESSAGE_HANDLER(WM_NCCALCSIZE, OnNcCalcSize)
    MESSAGE_HANDLER(WM_NCPAINT, OnNcPaint)
    MESSAGE_HANDLER(WM_PAINT, OnPaint)
    MESSAGE_HANDLER(WM_PRINT, OnPrint)
    MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
    MESSAGE_HANDLER(WM_MOUSEMOVE, OnMouseMove)
    MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
    MESSAGE_HANDLER(WM_LBUTTONUP, OnLButtonUp)
    MESSAGE_HANDLER(WM_CAPTURECHANGED, OnCaptureChanged)
    MESSAGE_HANDLER(WM_MOUSEACTIVATE, OnMouseActivate)
    MESSAGE_HANDLER(WM_ACTIVATEAPP, OnActivateApp)
    MESSAGE_HANDLER(WM_TIMER, OnTimer)
    MESSAGE_HANDLER(WM_THEMECHANGED, OnThemeChanged)
    MESSAGE_HANDLER(WM_SYSCOLORCHANGE, OnThemeChanged)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
  END_MSG_MAP()

  void OnFinalMessage(HWND hWnd) override;

 private:
  LRESULT OnNcCalcSize(UINT, WPARAM, LPARAM, BOOL&);
  LRESULT OnNcPaint(UINT, WPARAM, LPARAM, BOOL&);
  LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
  LRESULT OnPrint(UINT, WPARAM, LPARAM, BOOL&);
  LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, BOOL&) { return 1; }
  LRESULT OnMouseMove(UINT, WPARAM, LPARAM, BOOL&);
  LRESULT OnLButtonDown(UINT, WPARAM, LPARAM, BOOL&);
  LRESULT OnLButtonUp(UINT, WPARAM, LPARAM, BOOL&);
  LRESULT OnCaptureChanged(UINT, WPARAM, LPARAM, BOOL&);
  LRESULT OnMouseActivate(UINT, WPARAM, LPARAM, BOOL&) { return MA_NOACTIVATE; }
  LRESULT OnActivateApp(UINT, WPARAM, LPARAM, BOOL&);
  LRESULT OnTimer(UINT, WPARAM, LPARAM, BOOL&);
  LRESULT OnThemeChanged(UINT, WPARAM, LPARAM, BOOL&);
  LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);

  void PositionWindow();
  // The visual style's body and stem region, or null when the style cannot give one.
  HRGN ThemedRegion();
  bool Version6() const;
  RECT WorkArea() const;
  bool Themed() const;
  // Runs draw; when a themed call fails, themes are dropped for this balloon and draw runs
  // again classically.
  void ThemeSafely(const std::function<void()>& draw);
  SIZE LayoutHeader(HDC dc, const RECT& client, bool draw);
  SIZE LayoutBody(HDC dc, int top, bool draw);
  SIZE Layout(HDC dc, const RECT& client, bool draw);
  void DrawBackground(HDC dc);
  void DrawInnerShadow(HDC dc);
  void DrawClient(HDC dc, const RECT& client);
  void TrackCloseButton(POINT client);
  // The thread's list of live balloons, which the shared hooks and FromWindow walk.
  void JoinThread();
  void LeaveThread() noexcept;
  // The thread's mouse and keyboard hooks, as the options ask.
  void HookThread();
  void DismissOthers();
  void Unhook();
  RECT ClientRectInWindow() const;

  static constexpr UINT_PTR kTimeoutTimer = 1;
  static constexpr UINT_PTR kCloseButtonTimer = 2;

  HIMAGELIST mIcons = nullptr;
  bool mKeyboardHooked = false;
  bool mMouseHooked = false;
  uint32_t mOptions = 3;
  int mTolerance = 3;
  HFONT mTitleFont = nullptr;
  HFONT mContentFont = nullptr;
  COLORREF mTextColour;
  COLORREF mBackgroundColour;
  std::wstring mContent;
  std::wstring mLinkText;
  POINT mAnchor{0, 0};
  POINT mStartCursor{0, 0};
  RECT mLinkRect{0, 0, 0, 0};
  std::function<void()> mLinkAction;
  std::unique_ptr<CheckedTheme> mTooltipTheme;
  std::unique_ptr<CheckedTheme> mTextStyleTheme;
  BalloonPlacement mPlacement{};
  // Where the visual style's body and stem were placed for the region, for the background.
  struct ThemedPlacement {
    RECT Stem;
    RECT Body;
    int StemState;
    bool Valid;
  } mThemed{};
  SIZE mCloseSize{14, 14};
  HRGN mRegion = nullptr;
  UINT mCloseState = 0;
  bool mCloseHeld = false;
  bool mThemeFailed = false;
  bool mDestroying = false;
};

}  // namespace WTL
