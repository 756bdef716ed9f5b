// OWL::TWindow: response tables and their chaining, the one window procedure, default
// processing, aliases, and handlers that throw.
#include "platform/owl/TWindow.h"

#include "base/XQOR.h"
#include "platform/owl/TDC.h"
#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr UINT kCmCopy = 101;
constexpr UINT kCmThrow = 102;
constexpr UINT kCmPaste = 103;
constexpr UINT kCmClose = 104;

class LoggingWindow : public OWL::TWindow {
 public:
  // A popup: Wine takes two seconds to hide a captioned window without a window manager.
  LoggingWindow() : TWindow(nullptr, L"logging") {
    Attr.Style = WS_POPUP | WS_BORDER;
    Attr.X = Attr.Y = 10;
    Attr.W = 200;
    Attr.H = 150;
  }
  std::vector<std::wstring> Log;

  void Paint(OWL::TDC&, bool, OWL::TRect&) override { Log.push_back(L"paint"); }
  void SetupWindow() override {
    TWindow::SetupWindow();
    Log.push_back(L"setup");
  }

 protected:
  void EvSize(UINT, const OWL::TSize& size) {
    Log.push_back(L"size " + std::to_wstring(size.cx) + L"x" + std::to_wstring(size.cy));
  }
  void EvTimer(UINT id) { Log.push_back(L"timer " + std::to_wstring(id)); }
  void CmCopy() { Log.push_back(L"copy"); }
  void CmThrow() { throw XQOR(QOR::String(L"broken handler"), 0); }
  void CeCopy(OWL::TCommandEnabler& enabler) { enabler.Enable(false); }

  DECLARE_RESPONSE_TABLE(LoggingWindow);
};

DEFINE_RESPONSE_TABLE1(LoggingWindow, OWL::TWindow)
  EV_WM_SIZE,
  EV_WM_TIMER,
  EV_COMMAND(kCmCopy, CmCopy),
  EV_COMMAND(kCmThrow, CmThrow),
  EV_COMMAND_ENABLE(kCmCopy, CeCopy),
END_RESPONSE_TABLE;

int gDeleted = 0;

bool gAliveAfterDestroy = false;

class DerivedWindow : public LoggingWindow {
 public:
  ~DerivedWindow() override {
    ++gDeleted;
    mAlive = false;
  }

 private:
  bool mAlive = true;

  void EvTimer(UINT id) { Log.push_back(L"derived timer " + std::to_wstring(id)); }
  void CmPaste() { Log.push_back(L"paste"); }
  // Destroys its own window from inside a handler, then keeps using the object.
  void CmClose() {
    Destroy();
    gAliveAfterDestroy = mAlive;
  }

  DECLARE_RESPONSE_TABLE(DerivedWindow);
};

DEFINE_RESPONSE_TABLE1(DerivedWindow, LoggingWindow)
  EV_WM_TIMER,
  EV_COMMAND(kCmPaste, CmPaste),
  EV_COMMAND(kCmClose, CmClose),
END_RESPONSE_TABLE;

}  // namespace

TEST(TWindow, ResponseTableDeliversSizeCommandPaintAndTimer) {
  LoggingWindow window;
  EXPECT_EQ(window.GetHandle(), nullptr);  // lazy: only Create makes the window
  window.Create();
  ASSERT_NE(window.GetHandle(), nullptr);
  EXPECT_EQ(OWL::TWindow::GetWindowPtr(window.GetHandle()), &window);
  window.Log.clear();

  // Shown before it is resized: Wine is slow to destroy a window resized while hidden.
  window.ShowWindow(SW_SHOWNOACTIVATE);
  window.Log.clear();
  SetWindowPos(window.GetHandle(), nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  OWL::TRect const client = window.GetClientRect();
  window.SendMessage(WM_COMMAND, kCmCopy);
  window.SendMessage(WM_TIMER, 7);
  window.Invalidate();
  window.UpdateWindow();
  PumpMessages();

  std::wstring const size = L"size " + std::to_wstring(client.Width()) + L"x" + std::to_wstring(client.Height());
  ASSERT_GE(window.Log.size(), 4u);
  EXPECT_EQ(window.Log[0], size);
  EXPECT_EQ(window.Log[1], L"copy");
  EXPECT_EQ(window.Log[2], L"timer 7");
  EXPECT_NE(std::find(window.Log.begin(), window.Log.end(), L"paint"), window.Log.end());
}

TEST(TWindow, UnhandledMessagesGetTheDefaultProcedure) {
  LoggingWindow window;
  window.Create();
  wchar_t text[32] = {};
  window.SendMessage(WM_GETTEXT, 32, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"logging");
  EXPECT_EQ(window.SendMessage(WM_COMMAND, 999), 0);
}

TEST(TWindow, DerivedTableOverridesAndChainsToItsBase) {
  DerivedWindow* window = new DerivedWindow;
  window->Create();
  window->Log.clear();
  window->SendMessage(WM_TIMER, 3);
  window->SendMessage(WM_COMMAND, kCmPaste);
  window->SendMessage(WM_COMMAND, kCmCopy);  // only in the base table
  OWL::TCommandEnabler enabler(kCmCopy);
  window->HandleMessage(OWL::WM_COMMAND_ENABLE, 0, reinterpret_cast<LPARAM>(&enabler));
  EXPECT_EQ(window->Log, (std::vector<std::wstring>{L"derived timer 3", L"paste", L"copy"}));
  EXPECT_TRUE(enabler.GetHandled());
  EXPECT_FALSE(enabler.IsEnabled());

  // A window that goes away from inside its own handler is deleted only after the handler.
  gDeleted = 0;
  window->SetFlag(OWL::wfDeleteOnDestroy);
  HWND const handle = window->GetHandle();
  SendMessageW(handle, WM_COMMAND, kCmClose, 0);
  EXPECT_TRUE(gAliveAfterDestroy);
  EXPECT_FALSE(IsWindow(handle));
  EXPECT_EQ(gDeleted, 1);
}

TEST(TWindow, ExceptionInHandlerIsReportedAndTheWindowKeepsWorking) {
  ScriptedModalSeam seam;
  LoggingWindow window;
  window.Create();
  window.Log.clear();
  EXPECT_EQ(window.SendMessage(WM_COMMAND, kCmThrow), 0);
  ASSERT_EQ(seam.MessageTexts.size(), 1u);
  EXPECT_EQ(seam.MessageTexts[0], L"broken handler");
  window.SendMessage(WM_COMMAND, kCmCopy);
  EXPECT_EQ(window.Log, std::vector<std::wstring>{L"copy"});
}

TEST(TWindow, AliasSubclassesAnExistingWindowAndLetsItGo) {
  HWND const raw = CreateWindowExW(0, L"STATIC", L"raw", WS_POPUP, 0, 0, 50, 20, nullptr,
                                   nullptr, nullptr, nullptr);
  ASSERT_NE(raw, nullptr);
  LONG_PTR const original = GetWindowLongPtrW(raw, GWLP_WNDPROC);
  {
    OWL::TWindow alias(raw);
    EXPECT_EQ(OWL::TWindow::GetWindowPtr(raw), &alias);
    EXPECT_TRUE(alias.IsFlagSet(OWL::wfAlias));
    EXPECT_EQ(alias.Title, L"raw");
    alias.SetWindowText(L"renamed");  // the static's own procedure still answers
  }
  EXPECT_EQ(GetWindowLongPtrW(raw, GWLP_WNDPROC), original);
  EXPECT_EQ(OWL::TWindow::GetWindowPtr(raw), nullptr);
  EXPECT_TRUE(IsWindow(raw));
  wchar_t text[16] = {};
  GetWindowTextW(raw, text, 16);
  EXPECT_STREQ(text, L"renamed");
  DestroyWindow(raw);
}

// An alias over a window another object is bound to: it sees the messages first and hands on
// what it leaves; the object beneath keeps the window when the alias goes.
class SizeSwallowingAlias : public OWL::TWindow {
 public:
  explicit SizeSwallowingAlias(HWND handle) : TWindow(handle) {}
  int Sizes = 0;

 protected:
  void EvSize(UINT, const OWL::TSize&) { ++Sizes; }

  DECLARE_RESPONSE_TABLE(SizeSwallowingAlias);
};

DEFINE_RESPONSE_TABLE1(SizeSwallowingAlias, OWL::TWindow)
  EV_WM_SIZE,
END_RESPONSE_TABLE;

TEST(TWindow, AliasOverABoundWindowChainsInFrontOfItsObject) {
  LoggingWindow window;
  window.Create();
  window.Log.clear();
  {
    SizeSwallowingAlias alias(window.GetHandle());
    EXPECT_EQ(OWL::TWindow::GetWindowPtr(window.GetHandle()), &alias);
    window.SendMessage(WM_SIZE, 0, MAKELPARAM(7, 8));
    EXPECT_EQ(1, alias.Sizes);
    EXPECT_TRUE(window.Log.empty()) << "the alias kept the size to itself";
    window.SendMessage(WM_COMMAND, kCmCopy);
    EXPECT_EQ(window.Log, std::vector<std::wstring>{L"copy"}) << "what the alias leaves reaches the object";
  }
  EXPECT_EQ(OWL::TWindow::GetWindowPtr(window.GetHandle()), &window);
  window.SendMessage(WM_SIZE, 0, MAKELPARAM(7, 8));
  EXPECT_EQ(window.Log.back(), L"size 7x8");

  auto* alias = new SizeSwallowingAlias(window.GetHandle());
  alias->SetFlag(OWL::wfDeleteOnDestroy);
  HWND const handle = window.GetHandle();
  window.Destroy();
  EXPECT_EQ(OWL::TWindow::GetWindowPtr(handle), nullptr) << "both let the window go, the alias deleted itself";
  EXPECT_EQ(window.GetHandle(), nullptr);
}

TEST(TWindow, ChildObjectsAreCreatedWithAndOwnedByTheirParent) {
  auto* parent = new LoggingWindow;
  delete new OWL::TWindow(parent, L"gone");  // leaves its parent's list
  EXPECT_TRUE(parent->GetChildren().empty());
  auto* owned = new OWL::TWindow(parent, L"child");
  owned->Attr.Id = 5;
  owned->EnableAutoCreate();
  parent->Create();
  ASSERT_NE(owned->GetHandle(), nullptr);
  EXPECT_EQ(GetParent(owned->GetHandle()), parent->GetHandle());
  EXPECT_EQ(parent->ChildWithId(5), owned);
  HWND const childHandle = owned->GetHandle();
  delete parent;
  EXPECT_FALSE(IsWindow(childHandle));
}

namespace {

// Takes the keys of its whole window tree before they are dispatched.
class KeyTaker : public OWL::TWindow {
 public:
  KeyTaker() : TWindow(nullptr, L"keys") { Attr.Style = WS_POPUP; }
  int Taken = 0;
  bool PreProcessMsg(MSG& msg) override {
    if (msg.message != WM_KEYDOWN) return false;
    ++Taken;
    return true;
  }
};

}  // namespace

TEST(TWindow, PreProcessingAsksTheTargetAndThenItsParents) {
  KeyTaker parent;
  auto* child = new OWL::TWindow(&parent, L"child");
  child->EnableAutoCreate();
  parent.Create();
  MSG key{child->GetHandle(), WM_KEYDOWN, VK_DOWN, 0, 0, {0, 0}};
  EXPECT_TRUE(OWL::TWindow::PreProcessMessage(key));
  MSG other{child->GetHandle(), WM_CHAR, L'a', 0, 0, {0, 0}};
  EXPECT_FALSE(OWL::TWindow::PreProcessMessage(other));
  EXPECT_EQ(parent.Taken, 1);
}
