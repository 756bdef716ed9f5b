// OWL controls created with their parent: scroll bars and sliders answering the parent's scroll
// messages through their virtual actions, up-down values kept until set-up, tab selection
// notifications, combo box lists and check boxes.
#include "platform/owl/TControl.h"

#include "platform/owl/TCheckBox.h"
#include "platform/owl/TComboBox.h"
#include "platform/owl/THSlider.h"
#include "platform/owl/TScrollBar.h"
#include "platform/owl/TStatic.h"
#include "platform/owl/TTabControl.h"
#include "platform/owl/TUpDown.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

// Keeps the last tracked thumb position instead of moving the thumb.
class TrackingBar : public OWL::TScrollBar {
 public:
  using TScrollBar::TScrollBar;
  int Tracked = -1;
  void SBThumbTrack(int pos) override { Tracked = pos; }
};

class TrackingSlider : public OWL::THSlider {
 public:
  using THSlider::THSlider;
  int Tracked = -1;
  void SBThumbTrack(int pos) override { Tracked = pos; }
};

class TabParent : public OWL::TWindow {
 public:
  TabParent() : TWindow(nullptr, L"tabs") {}
  int Changes = 0;

 private:
  LRESULT TabChanged(NMHDR&) {
    ++Changes;
    return 0;
  }
  DECLARE_RESPONSE_TABLE(TabParent);
};

DEFINE_RESPONSE_TABLE1(TabParent, OWL::TWindow)
  EV_NOTIFY(30, TCN_SELCHANGE, TabChanged),
END_RESPONSE_TABLE;

class SpinParent : public OWL::TWindow {
 public:
  SpinParent() : TWindow(nullptr, L"spin") {}
  int LastDelta = 0;

 private:
  LRESULT Spun(NMHDR& header) {
    LastDelta = reinterpret_cast<NMUPDOWN&>(header).iDelta;
    return 0;
  }
  DECLARE_RESPONSE_TABLE(SpinParent);
};

DEFINE_RESPONSE_TABLE1(SpinParent, OWL::TWindow)
  EV_NOTIFY(22, UDN_DELTAPOS, Spun),
END_RESPONSE_TABLE;

}  // namespace

TEST(TScrollBar, ParentScrollMessagesRunTheBarsActions) {
  OWL::TWindow parent(nullptr, L"scroll");
  auto* bar = new TrackingBar(&parent, 10, 0, 0, 100, 16, true);
  auto* slider = new TrackingSlider(&parent, 11, 0, 20, 100, 30);
  slider->SetRange(0, 50);  // before creation: applied at set-up
  parent.Create();
  int min = 0;
  int max = 0;
  slider->GetRange(min, max);
  EXPECT_EQ(max, 50);

  bar->PageMagnitude = 25;
  HWND const barHandle = bar->GetHandle();
  parent.SendMessage(WM_HSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(barHandle));
  parent.SendMessage(WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(barHandle));
  EXPECT_EQ(bar->GetPosition(), 26);
  parent.SendMessage(WM_HSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(barHandle));
  parent.SendMessage(WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(barHandle));
  EXPECT_EQ(bar->GetPosition(), 100);  // clamped at the end of the range
  parent.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), reinterpret_cast<LPARAM>(barHandle));
  EXPECT_EQ(bar->Tracked, 40);
  EXPECT_EQ(bar->GetPosition(), 100);

  slider->SetPosition(70);
  EXPECT_EQ(slider->GetPosition(), 50);
  parent.SendMessage(WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 12), reinterpret_cast<LPARAM>(slider->GetHandle()));
  EXPECT_EQ(slider->Tracked, 12);
}

TEST(TUpDown, KeepsRangeAndPositionUntilSetUpAndSpinsItsBuddy) {
  OWL::TWindow parent(nullptr, L"spin");
  auto* buddy = new OWL::TStatic(&parent, 20, L"", 0, 0, 40, 20);
  auto* spin = new OWL::TUpDown(&parent, 21, 40, 0, 16, 20, buddy);
  spin->SetRange(1, 10);
  spin->SetPos(4);
  EXPECT_EQ(spin->GetPos(), 4);
  parent.Create();
  int lower = 0;
  int upper = 0;
  spin->GetRange(lower, upper);
  EXPECT_EQ(lower, 1);
  EXPECT_EQ(upper, 10);
  EXPECT_EQ(spin->GetPos(), 4);
  EXPECT_EQ(spin->GetBuddy(), buddy->GetHandle());
  EXPECT_EQ(buddy->GetText(), L"4");
}

// Spin handlers grow a value on a negative delta: without a range of its own the control keeps
// the system's default, in which the up arrow reports -1.
TEST(TUpDown, UpArrowReportsANegativeDeltaWithTheDefaultRange) {
  SpinParent parent;
  parent.Attr.W = 100;
  parent.Attr.H = 60;
  auto* spin = new OWL::TUpDown(&parent, 22, 0, 0, 16, 40);
  parent.Create();
  const LPARAM upperHalf = MAKELPARAM(8, 5);
  spin->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, upperHalf);
  spin->SendMessage(WM_LBUTTONUP, 0, upperHalf);
  EXPECT_EQ(parent.LastDelta, -1);
}

TEST(TTabControl, SelectionNotificationsReachTheParentsTable) {
  TabParent parent;
  auto* tabs = new OWL::TTabControl(&parent, 30, 0, 0, 200, 100);
  parent.Create();
  EXPECT_EQ(tabs->Add(L"Detector"), 0);
  EXPECT_EQ(tabs->Add(L"Baseline"), 1);
  EXPECT_EQ(tabs->GetCount(), 2);
  tabs->SetSel(1);
  EXPECT_EQ(tabs->GetSel(), 1);
  NMHDR header{tabs->GetHandle(), 30, static_cast<UINT>(TCN_SELCHANGE)};
  parent.SendMessage(WM_NOTIFY, 30, reinterpret_cast<LPARAM>(&header));
  EXPECT_EQ(parent.Changes, 1);
  OWL::TRect area = tabs->GetClientRect();
  tabs->AdjustRect(false, area);
  EXPECT_LT(area.Height(), tabs->GetClientRect().Height());
}

TEST(TComboBox, ListOperationsAndTextSelection) {
  OWL::TWindow parent(nullptr, L"combo");
  auto* combo = new OWL::TComboBox(&parent, 40, 0, 0, 100, 120);
  auto* check = new OWL::TCheckBox(&parent, 41, L"Apply", 0, 30, 80, 20);
  parent.Create();
  combo->AddString(L"beta");
  combo->InsertString(L"alpha", 0);
  combo->SetItemData(1, 77);
  EXPECT_EQ(combo->GetCount(), 2);
  EXPECT_EQ(combo->GetString(1), L"beta");
  EXPECT_EQ(combo->GetString(5), L"");
  EXPECT_EQ(combo->GetItemData(1), 77);
  combo->SetText(L"beta");
  EXPECT_EQ(combo->GetSelIndex(), 1);
  EXPECT_EQ(combo->FindStringExact(L"alp"), CB_ERR);
  EXPECT_EQ(combo->FindString(L"alp"), 0);
  combo->ClearList();
  EXPECT_EQ(combo->GetCount(), 0);

  check->Toggle();
  EXPECT_EQ(check->GetCheck(), static_cast<UINT>(BST_CHECKED));
  check->Toggle();
  EXPECT_EQ(check->GetCheck(), static_cast<UINT>(BST_UNCHECKED));
}
