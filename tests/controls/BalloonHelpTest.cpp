// The balloon: its placement arithmetic first, then a real balloon under the display.
#include "controls/CBalloonHelp.h"
#include "controls/TBalloonCheckBox.h"
#include "controls/ThemeGate.h"
#include "platform/owl/TWindow.h"
#include "platform/uihelpers/UxThemeDLL.h"
#include "tests/support/DibCanvas.h"
#include "tests/support/PumpUntil.h"
#include "tests/support/UserMouse.h"

#include <gtest/gtest.h>

#include <vector>

using namespace WTL;

namespace {

const RECT kWork{0, 0, 1000, 800};
const SIZE kClient{100, 40};  // window 116 by 76, q = 24

void ExpectPoint(POINT p, int x, int y) {
  EXPECT_EQ(p.x, x);
  EXPECT_EQ(p.y, y);
}

TEST(BalloonGeometry, EachQuadrantPutsTheTailOnItsSideAndThePointOnTheAnchor) {
  struct Case {
    POINT anchor;
    int quadrant;
    POINT base0, base1, tip;
  } const cases[] = {
      {{700, 200}, 0, {72, 21}, {92, 21}, {92, 1}},
      {{200, 200}, 1, {44, 21}, {24, 21}, {24, 1}},
      {{200, 600}, 2, {44, 54}, {24, 54}, {24, 74}},
      {{700, 600}, 3, {72, 54}, {92, 54}, {92, 74}},
  };
  for (const Case& c : cases) {
    BalloonPlacement const p = PlaceBalloon(kWork, c.anchor, kClient, 0);
    EXPECT_EQ(p.Quadrant, c.quadrant);
    ExpectPoint(p.Tail[0], c.base0.x, c.base0.y);
    ExpectPoint(p.Tail[1], c.base1.x, c.base1.y);
    ExpectPoint(p.Tail[2], c.tip.x, c.tip.y);
    EXPECT_EQ(p.Window.right - p.Window.left, 116);
    EXPECT_EQ(p.Window.bottom - p.Window.top, 76);
    ExpectPoint(POINT{p.Window.left + p.Tail[2].x, p.Window.top + p.Tail[2].y}, c.anchor.x, c.anchor.y);
  }
  // The boundary belongs to the right and lower halves.
  EXPECT_EQ(BalloonQuadrant(kWork, POINT{500, 400}), 3);
  EXPECT_EQ(BalloonQuadrant(kWork, POINT{499, 399}), 1);
}

TEST(BalloonGeometry, AtTheWorkAreaEdgeTheBalloonMovesInAndOnlyTheTipKeepsPointing) {
  BalloonPlacement const left = PlaceBalloon(kWork, POINT{5, 100}, kClient, 0);
  EXPECT_EQ(left.Window.left, 0);
  ExpectPoint(left.Tail[2], 5, 1);
  EXPECT_EQ(left.Tail[0].x, 44);  // the base stays
  BalloonPlacement const whole = PlaceBalloon(kWork, POINT{5, 100}, kClient, kBalloonMoveWholeTail);
  EXPECT_EQ(whole.Tail[0].x, 44 - 19);
  EXPECT_EQ(whole.Tail[1].x, 24 - 19);

  BalloonPlacement const right = PlaceBalloon(kWork, POINT{995, 100}, kClient, 0);
  EXPECT_EQ(right.Window.right, 1000);
  EXPECT_EQ(right.Window.left + right.Tail[2].x, 995);

  // Above the top the body (not the tail) is kept in; below the bottom likewise.
  BalloonPlacement const top = PlaceBalloon(RECT{0, 100, 1000, 800}, POINT{200, 50}, kClient, 0);
  EXPECT_EQ(top.Window.top + 20, 100);
  BalloonPlacement const bottom = PlaceBalloon(kWork, POINT{200, 900}, kClient, 0);
  EXPECT_EQ(bottom.Window.bottom - 20, 800);
}

TEST(BalloonGeometry, ClientIsInsetByTheMarginsAndTheTailSide) {
  RECT const window{10, 10, 126, 86};
  RECT const top = BalloonClientRect(window, 1);
  EXPECT_EQ(top.top, 38);
  EXPECT_EQ(top.bottom, 78);
  RECT const bottom = BalloonClientRect(window, 3);
  EXPECT_EQ(bottom.top, 18);
  EXPECT_EQ(bottom.bottom, 58);
  RECT const tiny = BalloonClientRect(RECT{0, 0, 10, 10}, 0);
  EXPECT_EQ(tiny.right - tiny.left, 0);
  EXPECT_EQ(tiny.bottom - tiny.top, 0);
}

TEST(BalloonGeometry, TheCursorIsNearWithinTheTolerance) {
  RECT const window{100, 100, 200, 200};
  EXPECT_TRUE(BalloonCursorNear(POINT{13, 7}, POINT{10, 10}, 3, false, window));
  EXPECT_FALSE(BalloonCursorNear(POINT{14, 10}, POINT{10, 10}, 3, false, window));
  EXPECT_FALSE(BalloonCursorNear(POINT{150, 150}, POINT{10, 10}, 3, false, window));
  EXPECT_TRUE(BalloonCursorNear(POINT{150, 150}, POINT{10, 10}, 3, true, window));
}

// A balloon under the display, at a fixed anchor with the cursor parked near it.
class Balloon : public testing::Test {
 protected:
  void SetUp() override {
    SetCursorPos(300, 300);
    balloon = new CBalloonHelp;
    balloon->SetAnchorPoint(POINT{300, 300});
  }
  void TearDown() override {
    if (balloon) delete balloon;
  }
  bool Create(uint32_t options) {
    return balloon->Create(nullptr, L"Baseline", L"The text of the balloon, wrapped.", options | 0x6000);
  }
  static void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  // The balloon's window is gone once the posted close has run.
  bool Closed() {
    Pump();
    return !balloon->m_hWnd;
  }
  static MOUSEHOOKSTRUCT At(int x, int y) {
    MOUSEHOOKSTRUCT m{};
    m.pt = POINT{x, y};
    return m;
  }
  LPARAM ClientPoint(POINT p) { return MAKELPARAM(p.x, p.y); }
  CBalloonHelp* balloon = nullptr;
};

TEST_F(Balloon, IsAShapedToolWindowThatNeverTakesActivation) {
  ASSERT_TRUE(Create(0x1 | 0x400));
  wchar_t name[64] = L"";
  GetClassNameW(balloon->m_hWnd, name, 64);
  EXPECT_STREQ(name, L"XPBalloonHelp");
  HRGN const region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(balloon->m_hWnd, region), ERROR);
  DeleteObject(region);
  EXPECT_TRUE(GetWindowLongW(balloon->m_hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(IsWindowVisible(balloon->m_hWnd));
  EXPECT_NE(GetActiveWindow(), balloon->m_hWnd);
  EXPECT_EQ(balloon->SendMessage(WM_MOUSEACTIVATE), MA_NOACTIVATE);
  RECT window;
  balloon->GetWindowRect(&window);
  SIZE const client = balloon->MeasureClient();
  EXPECT_EQ(window.right - window.left, client.cx + 16);
  EXPECT_EQ(window.bottom - window.top, client.cy + 36);
  EXPECT_GT(client.cx, 50);
}

TEST_F(Balloon, AKeyPressClosesItButAKeyReleaseDoesNot) {
  ASSERT_TRUE(Create(0x400));
  EXPECT_TRUE(balloon->HooksKeyboard());
  balloon->OnKeyboardHook(HC_ACTION, 'A', static_cast<LPARAM>(0xC0000001u));
  EXPECT_FALSE(Closed());
  balloon->OnKeyboardHook(HC_ACTION, 'A', 1);
  EXPECT_TRUE(Closed());
  EXPECT_FALSE(balloon->HooksKeyboard());
}

TEST_F(Balloon, AMouseMoveOfFourPixelsClosesItAndThreeDoNot) {
  ASSERT_TRUE(Create(0x200));
  POINT const start = balloon->GetStartCursor();
  MOUSEHOOKSTRUCT close3 = At(start.x + 3, start.y - 3);
  balloon->OnMouseHook(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&close3));
  EXPECT_FALSE(Closed());
  MOUSEHOOKSTRUCT away4 = At(start.x + 4, start.y);
  balloon->OnMouseHook(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&away4));
  EXPECT_TRUE(Closed());
}

TEST_F(Balloon, TheRealHooksSeeInputSentToTheThread) {
  // The keys go to the thread's focused window.
  HWND const focus = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(focus);
  SetFocus(focus);
  Pump();
  ASSERT_TRUE(Create(0x400));
  INPUT keys[2]{};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = VK_SHIFT;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof(INPUT));
  EXPECT_TRUE(testsupport::PumpUntil([] { Pump(); }, [&] { return !balloon->m_hWnd; })) << "the key closed the balloon";
  DestroyWindow(focus);
}

TEST_F(Balloon, TheCloseButtonClosesOnlyWhenReleasedInsideIt) {
  ASSERT_TRUE(Create(0x1));
  RECT const button = balloon->GetCloseButtonRect();
  POINT const inside{button.left + 3, button.top + 3};
  balloon->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(inside));
  balloon->SendMessage(WM_LBUTTONUP, 0, ClientPoint(POINT{2, 30}));
  EXPECT_FALSE(Closed());
  balloon->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(inside));
  balloon->SendMessage(WM_LBUTTONUP, 0, ClientPoint(inside));
  EXPECT_TRUE(Closed());
}

TEST_F(Balloon, ALinkClickRunsTheActionAndAPressOnTheLinkDoesNotClose) {
  int runs = 0;
  balloon->SetLink(L"More about it", [&] { ++runs; });
  ASSERT_TRUE(Create(0x40000 | 0x8));
  RECT const link = balloon->GetLinkRect();
  ASSERT_FALSE(IsRectEmpty(&link));
  POINT inside{link.left + 2, link.top + 2};
  POINT screen = inside;
  balloon->ClientToScreen(&screen);
  MOUSEHOOKSTRUCT press = At(screen.x, screen.y);
  balloon->OnMouseHook(HC_ACTION, WM_LBUTTONDOWN, reinterpret_cast<LPARAM>(&press));
  EXPECT_FALSE(Closed());
  balloon->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(inside));
  balloon->SendMessage(WM_LBUTTONUP, 0, ClientPoint(inside));
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(Closed());
}

TEST_F(Balloon, WithDeleteOnCloseTheObjectGoesAfterItsWindow) {
  struct Watched : CBalloonHelp {
    explicit Watched(bool* gone) : Gone(gone) {}
    ~Watched() override { *Gone = true; }
    bool* Gone;
  };
  bool gone = false;
  auto* watched = new Watched(&gone);
  watched->SetAnchorPoint(POINT{300, 300});
  ASSERT_TRUE(watched->Create(nullptr, L"T", L"C", 0x1000 | 0x6000));
  watched->HideBalloon();
  EXPECT_FALSE(gone);
  Pump();
  EXPECT_TRUE(gone);
}

TEST_F(Balloon, DeletedBeforeItsWindowItLeavesTheThreadsHooks) {
  ASSERT_TRUE(Create(0x400 | 0x200 | 0x1000));
  HWND const window = balloon->m_hWnd;
  delete balloon;
  balloon = nullptr;
  EXPECT_FALSE(IsWindow(window));
  // A hook event after the deletion must not reach the freed object.
  INPUT key{};
  key.type = INPUT_KEYBOARD;
  key.ki.wVk = VK_SHIFT;
  SendInput(1, &key, sizeof key);
  key.ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(1, &key, sizeof key);
  Pump();
}

struct FakeState {
  int opened, closed;
  HRESULT closeResult, callResult;
  int shapedStem;
};

// Binds fakeuxtheme.dll and has the gates see the version major.minor; null when it fails.
FakeState* BindFakeTheme(DWORD major, DWORD minor) {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  version.dwPlatformId = VER_PLATFORM_WIN32_NT;
  version.dwMajorVersion = major;
  version.dwMinorVersion = minor;
  QORLinkingUtils::UxThemeDLL::Reset(L"fakeuxtheme.dll");
  if (!QORLinkingUtils::UxThemeDLL::IsLoaded()) return nullptr;
  SetThemeGateVersion(&version);
  HMODULE const fake = GetModuleHandleW(L"fakeuxtheme.dll");
  auto get = reinterpret_cast<FakeState*(WINAPI*)()>(reinterpret_cast<void (*)()>(GetProcAddress(fake, "FakeThemeGetState")));
  return get ? get() : nullptr;
}

void UnbindFakeTheme() {
  SetThemeGateVersion(nullptr);
  QORLinkingUtils::UxThemeDLL::Reset(nullptr);
}

TEST_F(Balloon, TheVisualStyleShapesTheBodyAndTheStem) {
  FakeState* const state = BindFakeTheme(6, 0);
  ASSERT_NE(state, nullptr);
  ASSERT_TRUE(Version6ThemesAvailable());
  state->shapedStem = 1;
  bool const created = Create(0);
  state->shapedStem = 0;
  HRGN const region = CreateRectRgn(0, 0, 0, 0);
  GetWindowRgn(balloon->m_hWnd, region);
  POINT const tip = balloon->GetPlacement().Tail[2];
  int const quadrant = balloon->GetPlacement().Quadrant;
  delete balloon;
  balloon = nullptr;
  UnbindFakeTheme();

  EXPECT_TRUE(created);
  ASSERT_EQ(quadrant, 1);  // the fake stem is a triangle in 13 by 7, its right angle under the tip
  EXPECT_TRUE(PtInRegion(region, 0, 7));  // a square corner: no classic rounding
  EXPECT_FALSE(PtInRegion(region, 0, 6));
  EXPECT_TRUE(PtInRegion(region, tip.x + 1, 5));
  EXPECT_FALSE(PtInRegion(region, tip.x + 11, 1));
  EXPECT_FALSE(PtInRegion(region, tip.x - 1, 0));
  DeleteObject(region);
}

BOOL CALLBACK NoteVisibleBalloon(HWND window, LPARAM list) noexcept {
  wchar_t name[32] = L"";
  GetClassNameW(window, name, 32);
  if (lstrcmpW(name, L"XPBalloonHelp") == 0 && IsWindowVisible(window))
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> VisibleBalloons() {
  std::vector<HWND> shown;
  EnumThreadWindows(GetCurrentThreadId(), &NoteVisibleBalloon, reinterpret_cast<LPARAM>(&shown));
  return shown;
}

// As in a prefix whose visual style has no shaped stem (it answers the stem's rectangle): a
// check box the user rests on opens one balloon, whose tail is a triangle in the balloon's
// colour, not a square over the box; showing it again on a further move replaces it.
TEST_F(Balloon, AHoveredCheckBoxShowsOneBalloonWhoseTailIsATriangle) {
  FakeState* const state = BindFakeTheme(6, 0);
  ASSERT_NE(state, nullptr);
  OWL::TWindow parent(nullptr, L"checks");
  parent.Attr = {WS_POPUP | WS_VISIBLE, 0, 100, 100, 200, 100, 0, nullptr};
  auto* box = new QORControls::TBalloonCheckBox(&parent, 31, L"Smooth", 20, nullptr);
  parent.Create();
  box->SetBalloonText(L"Smoothing", L"Averages neighbouring samples.", 50);
  user_mouse::Move(user_mouse::ScreenPoint(box->GetHandle(), 10, 5));
  box->SendMessage(WM_TIMER, 1);  // the hover delay ran out
  user_mouse::Move(user_mouse::ScreenPoint(box->GetHandle(), 30, 5));
  Pump();
  std::vector<HWND> const shown = VisibleBalloons();
  ASSERT_EQ(shown.size(), 1u);
  const BalloonPlacement place = CBalloonHelp::FromWindow(shown[0])->GetPlacement();
  POINT const tip = place.Tail[2];
  HRGN const region = CreateRectRgn(0, 0, 0, 0);
  GetWindowRgn(shown[0], region);
  DibCanvas canvas(place.Window.right - place.Window.left, place.Window.bottom - place.Window.top,
                   static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SendMessageW(shown[0], WM_PRINT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_NONCLIENT | PRF_CLIENT);
  EXPECT_EQ(place.Quadrant, 1);
  EXPECT_TRUE(PtInRegion(region, tip.x + 3, 18));
  EXPECT_FALSE(PtInRegion(region, tip.x + 10, 3)) << "beside the tip, inside the style's square stem";
  EXPECT_EQ(canvas.At(tip.x + 3, 18), DibCanvas::SysPixel(COLOR_INFOBK));
  DeleteObject(region);
  for (HWND const open : shown) DestroyWindow(open);
  parent.Destroy();
  UnbindFakeTheme();
}

// Themes forced on, with a visual-styles library whose every call fails.
TEST_F(Balloon, AFailingThemeDrawsClassic) {
  FakeState* const state = BindFakeTheme(6, 0);
  ASSERT_NE(state, nullptr);
  state->callResult = E_FAIL;
  ASSERT_TRUE(ThemesAvailable());

  bool const created = Create(0x1);
  RECT window;
  balloon->GetWindowRect(&window);
  int const w = window.right - window.left;
  int const h = window.bottom - window.top;
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP const dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC const dc = CreateCompatibleDC(nullptr);
  HGDIOBJ const old = SelectObject(dc, dib);
  balloon->SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT);
  COLORREF const middle = GetPixel(dc, w / 2, h - 30);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(dib);
  state->callResult = S_OK;
  delete balloon;
  balloon = nullptr;
  UnbindFakeTheme();

  EXPECT_TRUE(created);
  EXPECT_EQ(middle, GetSysColor(COLOR_INFOBK));
}

}  // namespace

namespace {

// Pixels of colour in the classic balloon printed into a DIB.
int CountPrinted(CBalloonHelp& balloon, COLORREF colour) {
  RECT window;
  balloon.GetWindowRect(&window);
  int const w = window.right - window.left;
  int const h = window.bottom - window.top;
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP const dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC const dc = CreateCompatibleDC(nullptr);
  HGDIOBJ const old = SelectObject(dc, dib);
  balloon.PrintBalloon(dc);
  int count = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) count += GetPixel(dc, x, y) == colour;
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(dib);
  return count;
}

}  // namespace

TEST_F(Balloon, TheInnerShadowOptionBandsTheOutlineInside) {
  OSVERSIONINFOW server2003{};
  server2003.dwOSVersionInfoSize = sizeof server2003;
  server2003.dwPlatformId = VER_PLATFORM_WIN32_NT;
  server2003.dwMajorVersion = 5;
  server2003.dwMinorVersion = 2;
  SetThemeGateVersion(&server2003);
  ASSERT_TRUE(Create(0));
  COLORREF const shade = balloon->InnerShadowColour();
  int const plain = CountPrinted(*balloon, shade);
  ASSERT_TRUE(Create(0x2));
  int const shadowed = CountPrinted(*balloon, shade);
  SetThemeGateVersion(nullptr);
  EXPECT_EQ(plain, 0);
  EXPECT_GT(shadowed, 100);
}
