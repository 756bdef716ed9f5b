// The page bases: a tab page's style and placing, a nested page's brush, the preview timer, and
// the invalid-settings dialog's answers.
#include "settingsdlg/SettingsWarningDlg.h"
#include "settingsdlg/ZRSubDlg.h"

#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

namespace {

using ZR::Dlg::Base::ZRSubDlgDA;

TEST(TabPageStyle, DropsPopupVisibleBorderAndSystemMenuForChild) {
  DWORD const framed = WS_POPUP | WS_VISIBLE | WS_BORDER | WS_SYSMENU | WS_CAPTION | DS_SETFONT;
  DWORD const page = ExtLib::TabPageStyle(framed);
  EXPECT_EQ(page & (WS_POPUP | WS_VISIBLE | WS_BORDER | WS_SYSMENU), 0u);
  EXPECT_TRUE(page & WS_CHILD);
  EXPECT_TRUE(page & DS_SETFONT);
}

// A plain parent window for the pages.
class PageHost : public ::testing::Test {
 protected:
  void SetUp() override {
    mParent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, nullptr, nullptr,
                              nullptr, nullptr);
  }
  void TearDown() override { DestroyWindow(mParent); }
  HWND mParent = nullptr;
};

TEST_F(PageHost, ATabPageStaysAHiddenChildUntilRepositionPutsItsCornerThere) {
  OWL::TWindow parent(mParent);
  ExtLib::TabSubDlg page(&parent, L"XFRAMEDPAGE");
  page.Create();
  DWORD const style = page.GetStyle();
  EXPECT_TRUE(style & WS_CHILD);
  EXPECT_FALSE(style & (WS_POPUP | WS_BORDER | WS_SYSMENU));
  EXPECT_FALSE(page.IsWindowVisible());
  OWL::TRect const before = page.GetWindowRect();
  page.Reposition(OWL::TRect(130, 150, 140, 155));  // smaller than the page
  OWL::TRect const after = page.GetWindowRect();
  EXPECT_TRUE(page.IsWindowVisible());
  EXPECT_EQ(after.left, 130);
  EXPECT_EQ(after.top, 150);
  EXPECT_EQ(after.Width(), before.Width());
  EXPECT_EQ(after.Height(), before.Height());
  page.Destroy();
}

// A tab page that answers every static control with its own brush.
class BrushPage : public ExtLib::TabSubDlg {
 public:
  BrushPage(OWL::TWindow* parent, HBRUSH brush) : TabSubDlg(parent, L"XFRAMEDPAGE"), mBrush(brush) {}
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_CTLCOLORSTATIC) return reinterpret_cast<LRESULT>(mBrush);
    return TabSubDlg::WindowProc(msg, wParam, lParam);
  }

 private:
  HBRUSH mBrush;
};

TEST_F(PageHost, ANestedPagePaintsWithItsParentPagesStaticBrush) {
  OWL::TWindow parent(mParent);
  HBRUSH const brush = CreateSolidBrush(RGB(1, 2, 3));
  BrushPage outer(&parent, brush);
  outer.Create();
  ExtLib::TabSubSubDlg nested(&outer, L"XCHILDPAGE");
  nested.Create();
  HDC const dc = GetDC(nested.GetHandle());
  for (UINT msg : {WM_CTLCOLORBTN, WM_CTLCOLORSTATIC, WM_CTLCOLORDLG}) {
    LRESULT const answer = nested.SendMessage(msg, reinterpret_cast<WPARAM>(dc),
                                              reinterpret_cast<LPARAM>(nested.GetDlgItem(301)));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(answer), brush) << msg;
  }
  ReleaseDC(nested.GetHandle(), dc);
  nested.Destroy();
  outer.Destroy();
  DeleteObject(brush);
}

class CountingPage : public ZRSubDlgDA {
 public:
  CountingPage() : ZRSubDlgDA(L"XFRAMEDPAGE", nullptr, nullptr, 107) {}
  void Store() override {}
  bool IsValid() override { return true; }
  void Load() override {}
  void SchedulePreview(bool) override { SetTimer(TimerId(), PreviewDelay()); }
  void OnValueChanged() override { ++Changes; }
  int Changes = 0;
};

// Without an owner the page has no window; its table still takes the timer message.
TEST(ZRSubDlgDA, ATimerOfAnyIdCallsOnValueChangedOnce) {
  CountingPage page;
  EXPECT_EQ(page.PreviewDelay(), 1000u);
  page.HandleMessage(WM_TIMER, 107);
  EXPECT_EQ(page.Changes, 1);
  page.HandleMessage(WM_TIMER, 3);
  EXPECT_EQ(page.Changes, 2);
}

TEST(SettingsWarningDlg, EndsWithTwoWhicheverWayItIsClosed) {
  ScriptedModalSeam seam;
  const std::vector<std::function<void(OWL::TDialog&)>> closings = {
      [](OWL::TDialog& d) { d.SendMessage(WM_COMMAND, MAKEWPARAM(LOWORD(d.SendMessage(DM_GETDEFID)), BN_CLICKED)); },
      [](OWL::TDialog& d) { d.SendMessage(WM_COMMAND, IDCANCEL); },
      [](OWL::TDialog& d) { ::SendMessageW(d.GetDlgItem(IDCANCEL), BM_CLICK, 0, 0); },
      [](OWL::TDialog& d) { d.SendMessage(WM_CLOSE); },
  };
  for (size_t i = 0; i < closings.size(); ++i) {
    seam.DialogScript = [&](OWL::TDialog& d) {
      EXPECT_TRUE(::SendMessageW(d.GetDlgItem(1118), STM_GETICON, 0, 0) != 0);
      closings[i](d);
    };
    ZR::SettingsWarningDlg warning(nullptr);
    EXPECT_EQ(warning.Execute(), 2) << i;
  }
}

}  // namespace
