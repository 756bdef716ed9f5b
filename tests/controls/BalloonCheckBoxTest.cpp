// The balloon check box: content wrapping, then hovering over a real check box.
#include "controls/TBalloonCheckBox.h"

#include "controls/CBalloonHelp.h"

#include <gtest/gtest.h>

using QORControls::WrapBalloonContent;

namespace {

TEST(BalloonWrap, BreaksAfterCommasAndBlanksOutsideQuotes) {
  EXPECT_EQ(WrapBalloonContent(L"a, b", 4), L"a,\r\nb\r\n");
  EXPECT_EQ(WrapBalloonContent(L"one two three", 8), L"one \r\ntwo \r\nthree\r\n");
  EXPECT_EQ(WrapBalloonContent(L"abcdefg", 5), L"abcd\r\nefg\r\n");
  // Quoted blanks are no breaks, also after the quoted text went on to the next line.
  EXPECT_EQ(WrapBalloonContent(L"\"a b c d\" e", 5), L"\"a b\r\nc d\"\r\ne\r\n");
}

TEST(BalloonWrap, KeepsLineBreaksAndHandlesTinyInputs) {
  EXPECT_EQ(WrapBalloonContent(L"ab\r\ncd", 50), L"ab\r\ncd\r\n");
  EXPECT_EQ(WrapBalloonContent(L"ab\ncd", 50), L"ab\r\ncd\r\n");
  EXPECT_EQ(WrapBalloonContent(L" ", 50), L" \n");
  EXPECT_EQ(WrapBalloonContent(L"", 50), L" \n");
  // Too narrow to wrap at all: the text stays as it is.
  EXPECT_EQ(WrapBalloonContent(L"a, b", 2), L"a, b");
  EXPECT_EQ(WrapBalloonContent(L"a, b", 0), L"a, b");
}

class Parent : public OWL::TWindow {
 public:
  Parent() : OWL::TWindow(nullptr, L"checks") {
    Attr.Style = WS_POPUP | WS_VISIBLE;
    Attr.X = 100;
    Attr.Y = 100;
    Attr.W = 200;
    Attr.H = 100;
  }
};

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

HWND OpenBalloon() { return FindWindowW(L"XPBalloonHelp", nullptr); }

void CloseBalloons() {
  while (HWND const open = OpenBalloon()) DestroyWindow(open);
}

TEST(TBalloonCheckBox, AHoverStartsTheDelayAndItsTimerShowsTheBalloonAtTheCorner) {
  Parent parent;
  auto* box = new QORControls::TBalloonCheckBox(&parent, 31, L"Smooth", 20, nullptr);
  parent.Create();
  box->SetBalloonText(L"Smoothing", L"Averages neighbouring samples.", 50);
  box->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 0));  // 3 px: not counted
  EXPECT_FALSE(KillTimer(box->GetHandle(), 1));
  box->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(4, 0));
  EXPECT_TRUE(KillTimer(box->GetHandle(), 1));
  EXPECT_EQ(OpenBalloon(), nullptr);

  box->SendMessage(WM_TIMER, 1);
  HWND const balloonWindow = OpenBalloon();
  ASSERT_NE(balloonWindow, nullptr);
  WTL::CBalloonHelp* balloon = WTL::CBalloonHelp::FromWindow(balloonWindow);
  ASSERT_NE(balloon, nullptr);
  EXPECT_EQ(balloon->GetOptions(), 0x7E38u);
  OWL::TRect const window = box->GetWindowRect();
  EXPECT_EQ(balloon->GetAnchor().x, window.left + 7);
  EXPECT_EQ(balloon->GetAnchor().y, window.top + 7);
  // A child cannot own windows: its top-level window does.
  EXPECT_EQ(GetWindow(balloonWindow, GW_OWNER), parent.GetHandle());
  CloseBalloons();
  Pump();
  parent.Destroy();
}

TEST(TBalloonCheckBox, AKeyPressSuppressesTheBalloonUntilTheCursorLeaves) {
  Parent parent;
  auto* box = new QORControls::TBalloonCheckBox(&parent, 31, L"Smooth", 20, nullptr);
  parent.Create();
  box->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 5));
  box->SendMessage(WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(box->IsClicked());
  box->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(30, 5));
  EXPECT_FALSE(KillTimer(box->GetHandle(), 1));
  box->SendMessage(WM_MOUSELEAVE);
  EXPECT_FALSE(box->IsClicked());
  box->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(50, 5));
  EXPECT_TRUE(KillTimer(box->GetHandle(), 1));
  parent.Destroy();
}

}  // namespace
