// The error icons: flags, placement beside their placeholder or label, painting, and the
// balloon and tip shown while hovering.
#include "controls/ErrorProvider.h"
#include "controls/StaticTextErrorProvider.h"

#include "controls/CBalloonHelp.h"

#include "platform/owl/TDialog.h"
#include "tests/support/DialogTemplate.h"
#include "tests/support/DibCanvas.h"
#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

using namespace QORControls;

namespace {

constexpr int kPlaceholderId = 300;
constexpr int kLabelId = 301;

TEST(ErrorProviderFlags, OneDisplayAndOneStyleBitHold) {
  struct Case {
    uint32_t given;
    uint32_t normal;
  };
  Case const cases[] = {{0, 0x09},    {0x18, 0x11}, {0x06, 0x0A}, {0x04, 0x0C}, {0x20, 0x21},
                        {0x28, 0x09}, {0x07, 0x09}, {0x62, 0x62}, {0x3F, 0x11}};
  for (const Case& c : cases) EXPECT_EQ(NormaliseErrorFlags(c.given), c.normal) << std::hex << c.given;
}

TEST(StaticTextErrorProviderPlace, RightOfTheTextCentredOrAtTheCornerWithoutText) {
  RECT const label{10, 20, 110, 36};
  POINT const beside = StaticTextErrorProvider::IconPosition(label, 40, true, 12);
  EXPECT_EQ(beside.x, 10 + 40 + 5);
  EXPECT_EQ(beside.y, 20 + 1 + (16 - 12) / 2);
  POINT const corner = StaticTextErrorProvider::IconPosition(label, 0, false, 12);
  EXPECT_EQ(corner.x, 10);
  EXPECT_EQ(corner.y, 20);
}

std::vector<uint8_t> IconTemplate() {
  DialogTemplate t(L"Icons", 200, 100, WS_POPUP | WS_VISIBLE);
  t.Item(DialogTemplate::kStatic, kPlaceholderId, L"", 10, 10, 20, 20, SS_LEFT)
      .Item(DialogTemplate::kStatic, kLabelId, L"Peak height", 10, 50, 80, 10, SS_LEFT);
  return t.Bytes();
}

class IconDialog : public OWL::TDialog {
 public:
  IconDialog() : IconDialog(IconTemplate()) {}
  ErrorProvider* Icon;
  StaticTextErrorProvider* Label;
  ErrorProvider* Tip;

 private:
  explicit IconDialog(const std::vector<uint8_t>& bytes) : TDialog(nullptr, bytes.data(), bytes.size()) {
    Icon = new ErrorProvider(this, kPlaceholderId);
    Label = new StaticTextErrorProvider(this, kLabelId);
    Tip = new ErrorProvider(this, 302, 150, 10, 12, 12, epPopup | epInformation);
  }
};

RECT RectInParent(const OWL::TWindow& window) {
  RECT rect = window.GetWindowRect();
  MapWindowPoints(nullptr, window.GetParentH(), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

class ErrorProviderTest : public ::testing::Test {
 protected:
  void SetUp() override { mDialog.Create(); }
  void TearDown() override {
    for (HWND balloon = FindWindowW(L"XPBalloonHelp", nullptr); balloon; balloon = FindWindowW(L"XPBalloonHelp", nullptr))
      DestroyWindow(balloon);
    mDialog.Destroy();
  }
  static int CountBalloons() {
    int count = 0;
    for (HWND w = FindWindowW(L"XPBalloonHelp", nullptr); w; w = FindWindowExW(nullptr, w, L"XPBalloonHelp", nullptr))
      ++count;
    return count;
  }
  IconDialog mDialog;
};

TEST_F(ErrorProviderTest, SitsHiddenAtTheBottomLeftOfItsPlaceholderUntilAnErrorShowsIt) {
  ErrorProvider& icon = *mDialog.Icon;
  EXPECT_EQ(icon.GetFlags(), 0x09u);
  EXPECT_FALSE(icon.IsWindowVisible());
  EXPECT_TRUE(icon.GetExStyle() & WS_EX_TRANSPARENT);
  RECT placeholder{10, 10, 30, 30};  // the template's rectangle, in dialog units
  MapDialogRect(mDialog.GetHandle(), &placeholder);
  RECT const place = RectInParent(icon);
  EXPECT_EQ(place.left, placeholder.left);
  EXPECT_EQ(place.bottom, placeholder.bottom);
  EXPECT_EQ(place.right - place.left, 12);
  EXPECT_EQ(place.bottom - place.top, 12);
  icon.SetError(L"Invalid Value", true, L"Enter a number.");
  EXPECT_TRUE(icon.IsWindowVisible());
  EXPECT_EQ(std::wstring(icon.GetTitle().GetText()), L"Invalid Value");
  icon.SetError(L"", false, L"");
  EXPECT_FALSE(icon.IsWindowVisible());
}

TEST_F(ErrorProviderTest, PaintsItsLooksBitmapWithTheKeyColourTransparent) {
  DibCanvas canvas(16, 16, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  mDialog.Icon->PaintIcon(canvas.Dc());
  EXPECT_EQ(canvas.At(0, 0), 0u);         // the key colour is not drawn
  EXPECT_EQ(canvas.At(3, 5), 0xCC0000u);  // the red disc
  EXPECT_EQ(canvas.At(5, 4), 0xFFFFFFu);  // its mark
  EXPECT_EQ(canvas.At(13, 13), 0u);       // outside the bitmap
  EXPECT_EQ(mDialog.Tip->StyleBitmap()->Width(), 14);
}

TEST_F(ErrorProviderTest, MovesOfMoreThanThreePixelsOpenABalloon) {
  ErrorProvider& icon = *mDialog.Icon;
  icon.SetError(L"Invalid Source Channel", true, L"The channel holds the calculation.");
  icon.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 0));
  EXPECT_EQ(CountBalloons(), 0);
  icon.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(CountBalloons(), 1);
  HWND const balloon = FindWindowW(L"XPBalloonHelp", nullptr);
  WTL::CBalloonHelp* help = WTL::CBalloonHelp::FromWindow(balloon);
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->GetOptions(), 0x7E38u);
  EXPECT_EQ(GetWindowTextLengthW(balloon), 22);
}

TEST_F(ErrorProviderTest, PopupModeShowsItsTipOnTheFirstTickAndRemovesItAfterFiveSeconds) {
  ErrorProvider& tip = *mDialog.Tip;
  tip.SetError(L"", true, L"");
  tip.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  tip.SendMessage(WM_TIMER, 1);
  EXPECT_EQ(tip.GetTip(), nullptr);  // no text, no tip
  tip.SetError(L"", true, L"Too small.");
  tip.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  tip.SendMessage(WM_TIMER, 1);
  ASSERT_NE(tip.GetTip(), nullptr);
  EXPECT_EQ(std::wstring(tip.GetTip()->GetText().GetText()), L"Too small.");
  for (int tick = 2; tick <= 100; ++tick) tip.SendMessage(WM_TIMER, 1);
  EXPECT_NE(tip.GetTip(), nullptr);
  tip.SendMessage(WM_TIMER, 1);
  EXPECT_EQ(tip.GetTip(), nullptr);
  EXPECT_EQ(CountBalloons(), 0);
}

TEST_F(ErrorProviderTest, LeavingEndsTheTipAndStartsTheNextHoverAfresh) {
  ErrorProvider& tip = *mDialog.Tip;
  tip.SetError(L"", true, L"Too small.");
  tip.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  for (int tick = 0; tick < 60; ++tick) tip.SendMessage(WM_TIMER, 1);
  tip.SendMessage(WM_MOUSELEAVE);
  EXPECT_EQ(tip.GetTip(), nullptr);
  EXPECT_EQ(tip.GetHoverTime(), 0);
  tip.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  tip.SendMessage(WM_TIMER, 1);
  EXPECT_NE(tip.GetTip(), nullptr);
  for (int tick = 0; tick < 60; ++tick) tip.SendMessage(WM_TIMER, 1);
  EXPECT_NE(tip.GetTip(), nullptr);  // 3 s into the new hover, not past 5 s
}

TEST_F(ErrorProviderTest, TheLabelsIconFollowsItsTextAndItsMoves) {
  StaticTextErrorProvider& label = *mDialog.Label;
  RECT const at = RectInParent(label);
  RECT const icon = RectInParent(label.GetIcon());
  EXPECT_GT(icon.left, at.left + 20);
  EXPECT_LT(icon.left, at.right);
  EXPECT_EQ(icon.right - icon.left, 12);
  label.SetText(L"");
  RECT const corner = RectInParent(label.GetIcon());
  EXPECT_EQ(corner.left, at.left);
  EXPECT_EQ(corner.top, at.top);
  label.SetText(L"Peak height");
  ::SetWindowPos(label.GetHandle(), nullptr, at.left + 30, at.top + 7, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  RECT const moved = RectInParent(label.GetIcon());
  EXPECT_EQ(moved.left, icon.left + 30);
  EXPECT_EQ(moved.top, icon.top + 7);
  label.SetError(L"Order Incorrect", true, L"The start must come first.");
  EXPECT_TRUE(label.GetIcon().IsWindowVisible());
}

}  // namespace
