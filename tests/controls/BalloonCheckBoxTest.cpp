// The balloon check box: content wrapping, then hovering over a real check box.
#include "controls/TBalloonCheckBox.h"

#include "controls/CBalloonHelp.h"
#include "platform/owl/TDialog.h"
#include "platform/owl/TGroupBox.h"
#include "tests/support/DialogTemplate.h"
#include "tests/support/UserMouse.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

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

// A parent that notes each WM_COMMAND it hears: (id, notification code).
class NotedParent : public Parent {
 public:
  std::vector<std::pair<UINT, UINT>> Heard;
  LRESULT EvCommand(UINT id, HWND control, UINT code) override {
    Heard.emplace_back(id, code);
    return Parent::EvCommand(id, control, code);
  }
};

POINT CentreOf(const OWL::TWindow& window) {
  const OWL::TRect client = window.GetClientRect();
  return user_mouse::ScreenPoint(window.GetHandle(), client.right / 2, client.bottom / 2);
}

// A click on a check box of a group also tells the group's parent which box was chosen (while the
// parent handles the box's own click, so that is noted first).
TEST(TBalloonCheckBox, AClickTellsItsGroupBeforeTheParent) {
  NotedParent parent;
  auto* group = new OWL::TGroupBox(&parent, 40, L"Columns", 0, 0, 200, 100);
  auto* box = new QORControls::TBalloonCheckBox(&parent, 41, L"Height", 20, group);
  parent.Create();
  ASSERT_EQ(user_mouse::Click(CentreOf(*box)), box->GetHandle());
  EXPECT_EQ(box->GetCheck(), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(parent.Heard, (std::vector<std::pair<UINT, UINT>>{{41, BN_CLICKED}, {40, 41}}));
  parent.Destroy();
}

std::vector<uint8_t> RadioTemplate() {
  DialogTemplate t(L"Width", 160, 60, WS_POPUP | WS_VISIBLE);
  t.Item(DialogTemplate::kButton, 51, L"Half height", 5, 5, 100, 10, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP);
  t.Item(DialogTemplate::kButton, 52, L"Minimum height", 5, 20, 100, 10, BS_AUTORADIOBUTTON);
  return t.Bytes();
}

// A dialog whose template radio buttons are bound the way the settings pages bind theirs.
class RadioDialog : public OWL::TDialog {
 public:
  RadioDialog() : RadioDialog(RadioTemplate()) {}
  QORControls::BalloonRadioButton* First;
  QORControls::BalloonRadioButton* Second;
  std::vector<std::pair<UINT, UINT>> Heard;

  LRESULT EvCommand(UINT id, HWND control, UINT code) override {
    if (control) Heard.emplace_back(id, code);
    return OWL::TDialog::EvCommand(id, control, code);
  }

 private:
  explicit RadioDialog(const std::vector<uint8_t>& bytes) : TDialog(nullptr, bytes.data(), bytes.size()) {
    First = new QORControls::BalloonRadioButton(this, 51);
    Second = new QORControls::BalloonRadioButton(this, 52);
  }
};

// A click on a radio button checks it and unchecks its neighbour; the parent hears the click once.
TEST(BalloonRadioButton, AClickChecksItAndReachesTheParentOnce) {
  RadioDialog dialog;
  dialog.Create();
  ASSERT_EQ(user_mouse::Click(CentreOf(*dialog.Second)), dialog.Second->GetHandle());
  EXPECT_EQ(dialog.Second->GetCheck(), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(dialog.First->GetCheck(), static_cast<UINT>(BST_UNCHECKED));
  EXPECT_EQ(dialog.Heard, (std::vector<std::pair<UINT, UINT>>{{52, BN_CLICKED}}));
  dialog.Destroy();
}

}  // namespace
