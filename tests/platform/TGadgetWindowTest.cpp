// OWL::TGadgetWindow with plain gadgets: layout, painting offsets, mouse routing and capture,
// button kinds, command forwarding and enabling, tooltips.
#include "platform/owl/TGadgetWindow.h"

#include "platform/owl/TBitmap.h"
#include "platform/owl/TBrush.h"
#include "platform/owl/TButtonGadget.h"
#include "platform/owl/TControlGadget.h"
#include "platform/owl/TMemoryDC.h"
#include "platform/owl/TStatic.h"
#include "platform/owl/TTextGadget.h"
#include "tests/support/ScriptedModalSeam.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

// A gadget of fixed size that fills itself with one colour and records what reaches it.
class ProbeGadget : public OWL::TGadget {
 public:
  ProbeGadget(int id, int w, int h, COLORREF colour = RGB(255, 0, 0)) : TGadget(id), mColour(colour) {
    SetShrinkWrap(false, false);
    SetBounds(OWL::TRect(0, 0, w, h));
  }
  void Paint(OWL::TDC& dc) override {
    dc.FillRect(OWL::TRect(0, 0, GetBounds().Width(), GetBounds().Height()), OWL::TBrush(OWL::TColor(mColour)));
  }
  void MouseEnter(UINT k, const OWL::TPoint& p) override { Log(L"enter", p), TGadget::MouseEnter(k, p); }
  void MouseLeave(UINT k, const OWL::TPoint& p) override { Log(L"leave", p), TGadget::MouseLeave(k, p); }
  void LButtonDown(UINT, const OWL::TPoint& p) override { Log(L"down", p); }
  std::vector<std::wstring> Events;

 private:
  void Log(const wchar_t* what, const OWL::TPoint& p) {
    Events.push_back(std::wstring(what) + L" " + std::to_wstring(p.x) + L"," + std::to_wstring(p.y));
  }
  COLORREF mColour;
};

// The parent: records commands and answers command enabling of ids 7 and 8.
class BarParent : public OWL::TWindow {
 public:
  BarParent() : TWindow(nullptr, L"bar parent") {
    Attr.Style = WS_POPUP;
    Attr.X = 10;
    Attr.Y = 10;
    Attr.W = 300;
    Attr.H = 100;
  }
  std::vector<UINT> Commands;
  LRESULT EvCommand(UINT id, HWND control, UINT code) override {
    Commands.push_back(id);
    return TWindow::EvCommand(id, control, code);
  }

 private:
  void Enable7(OWL::TCommandEnabler& e) { e.Enable(false); }
  void Enable8(OWL::TCommandEnabler& e) {
    e.Enable(true);
    e.SetCheck(OWL::TCommandEnabler::Checked);
  }
  DECLARE_RESPONSE_TABLE(BarParent);
};

DEFINE_RESPONSE_TABLE1(BarParent, OWL::TWindow)
  EV_COMMAND_ENABLE(7, Enable7),
  EV_COMMAND_ENABLE(8, Enable8),
END_RESPONSE_TABLE;

class Bar : public OWL::TGadgetWindow {
 public:
  explicit Bar(OWL::TWindow* parent, TTileDirection d = Horizontal) : TGadgetWindow(parent, d) {
    Attr.Style &= ~WS_BORDER;
    Attr.W = 200;
    Attr.H = 30;
    SetMargins(OWL::TMargins(1, 2, 3, 4));
  }
  std::wstring GetHintText(int id) override { return L"tip " + std::to_wstring(id); }
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class GadgetWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    parent.Create();
    parent.ShowWindow(SW_SHOWNOACTIVATE);
    bar = new Bar(&parent);
  }
  BarParent parent;
  Bar* bar = nullptr;  // owned by parent
};

}  // namespace

TEST_F(GadgetWindowTest, TilesGadgetsInsideTheMarginsAndGivesTheRestToTheWideOne) {
  auto* a = new ProbeGadget(1, 20, 10);
  auto* wide = new ProbeGadget(2, 5, 0);
  wide->WideAsPossible = true;
  auto* b = new ProbeGadget(3, 30, 12);
  bar->Insert(*a);
  bar->Insert(*b);
  bar->Insert(*wide, OWL::TGadgetWindow::Before, b);
  bar->Create();
  // Client 200 x 30 less margins (1, 2, 3, 4): x 1..198, y 3..26.
  EXPECT_EQ(a->GetBounds(), OWL::TRect(1, 3, 21, 13));
  EXPECT_EQ(wide->GetBounds(), OWL::TRect(21, 3, 168, 26));  // height 0: as the strip
  EXPECT_EQ(b->GetBounds(), OWL::TRect(168, 3, 198, 15));
  EXPECT_EQ(bar->GadgetFromPoint(OWL::TPoint(170, 5)), b);
  EXPECT_EQ(bar->GadgetWithId(2), wide);

  a->SetVisible(false);  // takes no room and is never found
  EXPECT_EQ(wide->GetBounds().left, 1);
  EXPECT_EQ(bar->GadgetFromPoint(OWL::TPoint(2, 5)), wide);

  EXPECT_EQ(bar->Remove(*b), b);
  delete b;
  EXPECT_EQ(bar->Gadgets().size(), 2u);
}

TEST_F(GadgetWindowTest, ShrinkWrappedVerticalWindowTakesItsGadgetsSize) {
  delete bar;
  auto* vertical = new Bar(&parent, OWL::TGadgetWindow::Vertical);
  vertical->SetShrinkWrap(true, true);
  vertical->Insert(*new ProbeGadget(1, 20, 10));
  vertical->Insert(*new ProbeGadget(2, 30, 12));
  auto* text = new OWL::TTextGadget(3, OWL::TGadget::Recessed, OWL::TTextGadget::Left, 4);
  vertical->Insert(*text);
  vertical->Create();
  OWL::TSize textSize(0, 0);
  text->GetDesiredSize(textSize);
  OWL::TSize const fontSize = vertical->GetFontCharSize();
  EXPECT_EQ(textSize, OWL::TSize(4 * fontSize.cx + 4, fontSize.cy + 4));  // 2-pixel recessed border
  int const width = std::max(30, static_cast<int>(textSize.cx));
  EXPECT_EQ(vertical->GetClientRect().Size(), OWL::TSize(width + 1 + 2, 10 + 12 + textSize.cy + 3 + 4));
  EXPECT_EQ(text->GetBounds().TopLeft(), OWL::TPoint(1, 3 + 22));
}

TEST_F(GadgetWindowTest, PaintsEachGadgetInItsOwnCoordinates) {
  bar->Insert(*new ProbeGadget(1, 20, 10, RGB(255, 0, 0)));
  bar->Insert(*new ProbeGadget(2, 10, 10, RGB(0, 0, 255)));
  bar->Create();
  uint32_t* bits = nullptr;
  std::unique_ptr<OWL::TBitmap> dib(OWL::TBitmap::CreateDIB32(200, 30, &bits));
  OWL::TMemoryDC dc(*dib);
  OWL::TRect all(0, 0, 200, 30);
  bar->Paint(dc, true, all);
  auto at = [&](int x, int y) { return bits[y * 200 + x] & 0xFFFFFF; };
  EXPECT_EQ(at(0, 3), 0u);          // margin
  EXPECT_EQ(at(1, 3), 0xFF0000u);   // first gadget from (1, 3)
  EXPECT_EQ(at(20, 12), 0xFF0000u);
  EXPECT_EQ(at(20, 13), 0u);        // clipped to its bounds
  EXPECT_EQ(at(21, 3), 0x0000FFu);
  EXPECT_EQ(at(31, 3), 0u);
  EXPECT_EQ(dc.GetViewportOrg(), OWL::TPoint(0, 0));  // left as found
}

TEST_F(GadgetWindowTest, MouseEntersAndLeavesGadgetsWithGadgetCoordinates) {
  auto* a = new ProbeGadget(1, 20, 10);
  auto* b = new ProbeGadget(2, 20, 10);
  bar->Insert(*a);
  bar->Insert(*b);
  bar->Create();
  bar->SendMessage(WM_MOUSEMOVE, 0, At(5, 4));
  bar->SendMessage(WM_MOUSEMOVE, 0, At(6, 4));  // still over a: no second enter
  bar->SendMessage(WM_MOUSEMOVE, 0, At(25, 4));
  bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(26, 5));
  EXPECT_EQ(a->Events, (std::vector<std::wstring>{L"enter 4,1", L"leave 24,1"}));
  EXPECT_EQ(b->Events, (std::vector<std::wstring>{L"enter 4,1", L"down 5,2"}));
  EXPECT_TRUE(b->IsMouseIn());
  bar->SendMessage(WM_MOUSELEAVE);
  EXPECT_FALSE(b->IsMouseIn());
  EXPECT_EQ(bar->GetGadgetAtMouse(), nullptr);
}

TEST_F(GadgetWindowTest, ButtonActsOnlyWhenReleasedOverItselfAndCommandsReachTheParent) {
  auto* button = new OWL::TButtonGadget(0, 5);
  button->SetShrinkWrap(false, false);
  button->SetSize(OWL::TSize(20, 20));
  bar->Insert(*button);
  bar->Create();
  bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_TRUE(button->IsPressedIn());
  EXPECT_EQ(bar->GetCapturedGadget(), button);
  bar->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(150, 5));  // dragged off: drawn up, still pressed
  EXPECT_TRUE(button->IsPressed());
  EXPECT_FALSE(button->IsPressedIn());
  bar->SendMessage(WM_LBUTTONUP, 0, At(150, 5));
  EXPECT_EQ(bar->GetCapturedGadget(), nullptr);
  PumpMessages();
  EXPECT_TRUE(parent.Commands.empty());

  bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  bar->SendMessage(WM_LBUTTONUP, 0, At(6, 6));
  PumpMessages();
  EXPECT_EQ(parent.Commands, std::vector<UINT>{5});
  EXPECT_FALSE(button->IsPressed());
}

TEST_F(GadgetWindowTest, ButtonKindsChangeStateWhenActivated) {
  using B = OWL::TButtonGadget;
  auto* command = new B(0, 1, B::Command);
  auto* toggle = new B(0, 2, B::NonExclusive);
  auto* first = new B(0, 3, B::Exclusive, true, B::Down);
  auto* second = new B(0, 4, B::Exclusive);
  for (B* b : {command, toggle, first, second}) {
    b->SetShrinkWrap(false, false);
    b->SetSize(OWL::TSize(20, 20));
    bar->Insert(*b);
  }
  bar->Create();
  auto click = [&](B& b) {
    OWL::TPoint const p(b.GetBounds().left + 3, b.GetBounds().top + 3);
    bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(p.x, p.y));
    bar->SendMessage(WM_LBUTTONUP, 0, At(p.x, p.y));
  };
  click(*command);
  click(*toggle);
  click(*second);
  EXPECT_EQ(command->GetButtonState(), B::Up);
  EXPECT_EQ(toggle->GetButtonState(), B::Down);
  EXPECT_EQ(second->GetButtonState(), B::Down);
  EXPECT_EQ(first->GetButtonState(), B::Up);  // one of the group down at a time
  click(*toggle);
  EXPECT_EQ(toggle->GetButtonState(), B::Up);
  first->SetButtonState(B::Down);
  EXPECT_EQ(second->GetButtonState(), B::Up);
  PumpMessages();
  EXPECT_EQ(parent.Commands, (std::vector<UINT>{1, 2, 4, 2}));
}

TEST_F(GadgetWindowTest, IdleActionAsksTheParentForEachButtonsState) {
  auto* disabled = new OWL::TButtonGadget(0, 7);
  auto* checked = new OWL::TButtonGadget(0, 8, OWL::TButtonGadget::NonExclusive);
  auto* unanswered = new OWL::TButtonGadget(0, 9);
  bar->Insert(*disabled);
  bar->Insert(*checked);
  bar->Insert(*unanswered);
  bar->Create();
  EXPECT_FALSE(bar->IdleAction(0));
  EXPECT_FALSE(disabled->GetEnabled());
  EXPECT_EQ(checked->GetButtonState(), OWL::TButtonGadget::Down);
  EXPECT_TRUE(unanswered->GetEnabled());
  // A disabled button ignores clicks.
  bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(disabled->GetBounds().left + 2, 5));
  EXPECT_FALSE(disabled->IsPressed());
}

TEST_F(GadgetWindowTest, TooltipHasOneToolPerGadgetAndAsksTheWindowForItsText) {
  bar->Insert(*new ProbeGadget(11, 20, 10));
  bar->Insert(*new ProbeGadget(0, 20, 10));  // no id: no tool
  bar->Insert(*new ProbeGadget(12, 20, 10));
  bar->EnableTooltip(true);
  bar->Create();
  ASSERT_NE(bar->GetTooltip(), nullptr);
  EXPECT_EQ(SendMessageW(bar->GetTooltip(), TTM_GETTOOLCOUNT, 0, 0), 2);
  NMTTDISPINFOW info{};
  info.hdr = {bar->GetTooltip(), 12, TTN_GETDISPINFOW};
  bar->SendMessage(WM_NOTIFY, 12, reinterpret_cast<LPARAM>(&info));
  ASSERT_NE(info.lpszText, nullptr);
  EXPECT_STREQ(info.lpszText, L"tip 12");
}

TEST_F(GadgetWindowTest, ControlGadgetPlacesItsControlInItsBounds) {
  auto* label = new OWL::TStatic(bar, 21, L"label", 0, 0, 40, 16);
  auto* gadget = new OWL::TControlGadget(*label);
  bar->Insert(*new ProbeGadget(1, 20, 10));
  bar->Insert(*gadget);
  bar->Create();
  ASSERT_TRUE(label->IsWindow());
  EXPECT_EQ(gadget->GetId(), 21);
  EXPECT_EQ(gadget->GetBounds(), OWL::TRect(21, 3, 61, 19));
  OWL::TRect const placed = label->GetWindowRect();
  OWL::TPoint origin(placed.left, placed.top);
  bar->ScreenToClient(origin);
  EXPECT_EQ(origin, OWL::TPoint(21, 3));
}

TEST_F(GadgetWindowTest, AControlMadeElsewhereMovesIntoTheGadgetWindowAndGoesWithIt) {
  // Made with the strip's parent, before and after that parent has its window.
  auto* early = new OWL::TStatic(&parent, 31, L"early", 0, 0, 30, 16);
  bar->Insert(*new OWL::TControlGadget(*early));
  EXPECT_EQ(early->GetParentO(), bar);
  bar->Create();
  ASSERT_TRUE(early->IsWindow());
  EXPECT_EQ(GetParent(early->GetHandle()), bar->GetHandle());
  auto* late = new OWL::TStatic(&parent, 32, L"late", 0, 0, 40, 16);
  late->Create();
  ASSERT_EQ(GetParent(late->GetHandle()), parent.GetHandle());
  auto* gadget = new OWL::TControlGadget(*late);
  bar->Insert(*gadget);
  EXPECT_EQ(GetParent(late->GetHandle()), bar->GetHandle());
  OWL::TRect placed = late->GetWindowRect();
  MapWindowPoints(nullptr, bar->GetHandle(), reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(placed, gadget->GetBounds()) << "placed in its gadget";
  const auto& children = parent.GetChildren();
  EXPECT_EQ(std::count(children.begin(), children.end(), late), 0) << "the strip owns it now";
  HWND const lateHandle = late->GetHandle();
  delete bar;
  EXPECT_FALSE(IsWindow(lateHandle));
}

TEST_F(GadgetWindowTest, ATextGadgetIsItsCharactersWideAtLeastAndWidensForItsText) {
  auto* text = new OWL::TTextGadget(3, OWL::TGadget::None, OWL::TTextGadget::Left, 10);
  text->SetShrinkWrap(true, false);
  bar->Insert(*text);
  bar->Create();
  const int least = 10 * bar->GetFontCharSize().cx;
  EXPECT_EQ(text->GetBounds().Width(), least);
  text->SetText(L"ab");
  EXPECT_EQ(text->GetBounds().Width(), least) << "a short text keeps the least width";
  const std::wstring longText(40, L'W');
  text->SetText(longText.c_str());
  EXPECT_GT(text->GetBounds().Width(), least) << "a long text is shown whole";
  text->SetSize(OWL::TSize(20, 20));
  EXPECT_EQ(text->GetBounds().Height(), 20) << "the height is the one set";
  EXPECT_GT(text->GetBounds().Width(), least) << "the width still follows the text";
}
