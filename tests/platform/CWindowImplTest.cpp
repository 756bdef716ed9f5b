// ATL::CWindowImpl: the message map, messages left to the default procedure, exceptions caught
// in the window procedure, and an object that deletes itself in OnFinalMessage.
#include "platform/atl/CWindowImpl.h"

#include "base/XQOR.h"
#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

namespace {

int gFinalMessages = 0;

class Balloonish : public ATL::CWindowImpl<Balloonish> {
 public:
  static const wchar_t* GetWndClassName() { return L"OndaraTestBalloon"; }
  int Timers = 0;
  bool DeleteAtEnd = false;

  BEGIN_MSG_MAP(Balloonish)
    MESSAGE_HANDLER(WM_TIMER, OnTimer)
    MESSAGE_HANDLER(WM_GETTEXT, OnGetText)
    MESSAGE_RANGE_HANDLER(WM_USER, WM_USER + 1, OnUser)
  END_MSG_MAP()

  void OnFinalMessage(HWND) override {
    ++gFinalMessages;
    if (DeleteAtEnd) delete this;
  }

 private:
  LRESULT OnTimer(UINT, WPARAM, LPARAM, BOOL&) {
    ++Timers;
    return 0;
  }
  // Declines: the default procedure answers.
  LRESULT OnGetText(UINT, WPARAM, LPARAM, BOOL& handled) {
    handled = FALSE;
    return 0;
  }
  LRESULT OnUser(UINT msg, WPARAM, LPARAM, BOOL&) {
    if (msg == WM_USER + 1) throw XQOR(QOR::String(L"balloon broke"), 0);
    return 42;
  }
};

}  // namespace

TEST(CWindowImpl, MessageMapHandlesDeclinesAndSurvivesExceptions) {
  ScriptedModalSeam seam;
  Balloonish balloon;
  RECT const rect{10, 10, 110, 60};
  ASSERT_NE(balloon.Create(nullptr, &rect, L"tip", WS_POPUP, WS_EX_TOOLWINDOW), nullptr);
  balloon.SendMessage(WM_TIMER, 1);
  EXPECT_EQ(balloon.Timers, 1);
  EXPECT_EQ(balloon.GetWindowTextLength(), 3);
  wchar_t text[8] = {};
  EXPECT_EQ(balloon.SendMessage(WM_GETTEXT, 8, reinterpret_cast<LPARAM>(text)), 3);
  EXPECT_STREQ(text, L"tip");
  EXPECT_EQ(balloon.SendMessage(WM_USER), 42);
  balloon.SendMessage(WM_USER + 1);
  ASSERT_EQ(seam.MessageTexts.size(), 1u);
  EXPECT_EQ(seam.MessageTexts[0], L"balloon broke");
  balloon.SendMessage(WM_TIMER, 1);
  EXPECT_EQ(balloon.Timers, 2);
}

TEST(CWindowImpl, ObjectMayDeleteItselfInOnFinalMessage) {
  gFinalMessages = 0;
  auto* balloon = new Balloonish;
  balloon->DeleteAtEnd = true;
  HWND const hWnd = balloon->Create(nullptr);
  ASSERT_NE(hWnd, nullptr);
  DestroyWindow(hWnd);
  EXPECT_EQ(gFinalMessages, 1);
  EXPECT_FALSE(IsWindow(hWnd));
}
