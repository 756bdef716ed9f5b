// The Ux button gadgets on a Ux gadget window: faces rendered into a DIB section (normal,
// greyed, pressed overlay; classic and themed), hot tracking through the window, pressing,
// command enabling, and the menu gadgets.
#include "controls/UxSizableButtonGadget.h"

#include "controls/MenuBase.h"
#include "controls/ThemeGate.h"
#include "controls/UxBorderlessGadgetWindow.h"
#include "controls/UxButtonMenuGadget.h"
#include "platform/owl/TBitmap.h"
#include "platform/owl/TMemoryDC.h"
#include "platform/owl/TPopupMenu.h"
#include "platform/owl/TTextGadget.h"
#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using Gadget = UxSizableButtonGadget;

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x008000;

LPARAM Inside(const OWL::TGadget& g) { return MAKELPARAM(g.GetBounds().left + 3, g.GetBounds().top + 3); }

struct Rgb {
  int r, g, b;
};
Rgb Split(uint32_t p) { return {static_cast<int>(p >> 16 & 0xFF), static_cast<int>(p >> 8 & 0xFF), static_cast<int>(p & 0xFF)}; }

// Within 2 of the greyed colours in tests/data/gadget_faces.txt.
void ExpectNear(uint32_t pixel, Rgb want, const char* what) {
  Rgb const got = Split(pixel);
  EXPECT_LE(std::abs(got.r - want.r), 2) << what;
  EXPECT_LE(std::abs(got.g - want.g), 2) << what;
  EXPECT_LE(std::abs(got.b - want.b), 2) << what;
}

// The gadget painted alone into a DIB section of its size.
struct Render {
  explicit Render(OWL::TGadget& gadget) : w(gadget.GetBounds().Width()), h(gadget.GetBounds().Height()) {
    dib.reset(OWL::TBitmap::CreateDIB32(w, h, &bits));
    OWL::TMemoryDC dc(*dib);
    gadget.Paint(dc);
  }
  uint32_t At(int x, int y) const { return bits[y * w + x] & 0xFFFFFF; }
  int w, h;
  uint32_t* bits = nullptr;
  std::unique_ptr<OWL::TBitmap> dib;
};

class Owner : public OWL::TWindow {
 public:
  Owner() : TWindow(nullptr, L"gadget owner") {
    Attr.Style = WS_POPUP;
    Attr.X = 20;
    Attr.Y = 20;
    Attr.W = 240;
    Attr.H = 80;
  }
  std::vector<UINT> Commands;
  LRESULT EvCommand(UINT id, HWND control, UINT code) override {
    Commands.push_back(id);
    return TWindow::EvCommand(id, control, code);
  }

 private:
  void EnableFive(OWL::TCommandEnabler& e) {
    e.Enable(false);
    e.SetCheck(OWL::TCommandEnabler::Checked);
    e.SetText(L"Abc");
  }
  DECLARE_RESPONSE_TABLE(Owner);
};

DEFINE_RESPONSE_TABLE1(Owner, OWL::TWindow)
  EV_COMMAND_ENABLE(5, EnableFive),
END_RESPONSE_TABLE;

// Counts what reaches a gadget of another kind.
class CountingGadget : public OWL::TTextGadget {
 public:
  CountingGadget() : TTextGadget(30, None, Left, 3) {}
  void MouseEnter(UINT k, const OWL::TPoint& p) override { ++Enters, TTextGadget::MouseEnter(k, p); }
  void MouseLeave(UINT k, const OWL::TPoint& p) override { ++Leaves, TTextGadget::MouseLeave(k, p); }
  int Enters = 0;
  int Leaves = 0;
};

// A parent window with a Ux gadget window, themed or classic by the injected version.
class UxGadgets : public testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    OSVERSIONINFOW version{};
    version.dwPlatformId = VER_PLATFORM_WIN32_NT;
    version.dwMajorVersion = Themed() ? 6 : 5;
    version.dwMinorVersion = Themed() ? 1 : 0;
    SetThemeGateVersion(&version);
    owner.Create();
    owner.ShowWindow(SW_SHOWNOACTIVATE);
    bar = new QORControls::UxGadgetWindow(&owner, OWL::TGadgetWindow::Horizontal);
  }
  void TearDown() override { SetThemeGateVersion(nullptr); }
  bool Themed() const { return GetParam(); }
  // A 30 x 24 gadget for image 102 (16 x 12): the face at (7, 6).
  Gadget* AddButton(int id, OWL::TButtonGadget::TType type = OWL::TButtonGadget::Command) {
    auto* g = new Gadget(id, 102, type, OWL::TButtonGadget::Up);
    g->SetShrinkWrap(false, false);
    g->SetSize(OWL::TSize(30, 24));
    bar->Insert(*g);
    return g;
  }
  void Move(int x, int y) { bar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

  Owner owner;
  QORControls::UxGadgetWindow* bar = nullptr;  // owned by owner
};

}  // namespace

TEST_P(UxGadgets, RendersItsPngFaceNormalAndGreyed) {
  Gadget* g = AddButton(5);
  bar->Create();
  EXPECT_EQ(g->GetTheme() != nullptr, Themed());
  EXPECT_EQ(g->GetFaceSize(), OWL::TSize(16, 12));
  EXPECT_EQ(g->GetGlyphPosition(), OWL::TPoint(7, 6));
  Render normal(*g);
  EXPECT_EQ(normal.At(7, 6), kRed);
  EXPECT_EQ(normal.At(14, 17), kRed);
  EXPECT_EQ(normal.At(15, 6), kGreen);
  EXPECT_EQ(normal.At(22, 17), kGreen);
  EXPECT_NE(normal.At(23, 6), kGreen);
  if (!Themed()) {
    EXPECT_EQ(normal.At(29, 23), GetSysColor(COLOR_3DDKSHADOW) & 0xFFFFFF);  // classic raised edge
  }

  g->SetEnabled(false);
  Render greyed(*g);
  ExpectNear(greyed.At(8, 8), {159, 159, 165}, "red greyed");
  ExpectNear(greyed.At(20, 8), {131, 131, 134}, "green greyed");
}

TEST_P(UxGadgets, ADownButtonGetsThePressedOverlayWhenThemed) {
  Gadget* g = AddButton(5, OWL::TButtonGadget::NonExclusive);
  bar->Create();
  Render up(*g);
  g->SetButtonState(OWL::TButtonGadget::Down);
  Render down(*g);
  EXPECT_EQ(down.At(8, 8), kRed);  // the face is drawn over the overlay
  Rgb const before = Split(up.At(3, 3));
  Rgb const after = Split(down.At(3, 3));
  if (Themed()) {
    EXPECT_GE(after.b - after.r, 10);  // translucent blue over the grey button
    EXPECT_LT(std::abs(before.b - before.r), 10);
  } else {
    EXPECT_NE(up.At(0, 0), down.At(0, 0));  // the classic edge turns sunken
  }
}

TEST_P(UxGadgets, HotTrackingFollowsTheCursorThroughTheWindow) {
  Gadget* g = AddButton(5);
  auto* other = new CountingGadget;
  bar->Insert(*other);
  bar->Create();
  Move(5, 5);
  EXPECT_TRUE(g->GetLookBits() & Gadget::kHot);
  EXPECT_TRUE(bar->IsTrackingLeave());
  OWL::TPoint const overOther(other->GetBounds().left + 1, other->GetBounds().top + 1);
  Move(overOther.x, overOther.y);
  Move(overOther.x + 1, overOther.y);
  EXPECT_FALSE(g->GetLookBits() & Gadget::kHot);
  EXPECT_EQ(other->Enters, 1);  // no extra call for a gadget of another kind
  Move(5, 5);
  bar->SendMessage(WM_MOUSELEAVE);  // left the window straight from the button
  EXPECT_FALSE(g->GetLookBits() & Gadget::kHot);
  EXPECT_FALSE(bar->IsTrackingLeave());
  EXPECT_EQ(other->Leaves, 1);
}

TEST_P(UxGadgets, PressingSetsThePressedLookAndTheCommandReachesTheOwner) {
  Gadget* g = AddButton(5);
  Gadget* disabled = AddButton(6);
  disabled->SetEnabled(false);
  bar->Create();
  Move(5, 5);
  bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Inside(*g));
  EXPECT_EQ(g->GetLookBits() & (Gadget::kPressed | Gadget::kHot), Gadget::kPressed);
  bar->SendMessage(WM_LBUTTONUP, 0, Inside(*g));
  EXPECT_FALSE(g->GetLookBits() & Gadget::kPressed);

  Move(disabled->GetBounds().left + 2, 5);  // a disabled gadget is never hot or pressed
  bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Inside(*disabled));
  bar->SendMessage(WM_LBUTTONUP, 0, Inside(*disabled));
  EXPECT_EQ(disabled->GetLookBits() & (Gadget::kPressed | Gadget::kHot), 0u);
  PumpMessages();
  EXPECT_EQ(owner.Commands, std::vector<UINT>{5});
}

TEST_P(UxGadgets, CommandEnablingReachesTheGadgetAndItsTextOnlyWhenShown) {
  Gadget* glyphOnly = AddButton(5);
  bar->Create();
  bar->IdleAction(0);
  EXPECT_FALSE(glyphOnly->GetEnabled());
  EXPECT_EQ(glyphOnly->GetButtonState(), OWL::TButtonGadget::Down);
  EXPECT_EQ(glyphOnly->GetText(), L"");
  glyphOnly->SetStyle(OWL::TButtonTextGadget::sBitmapText);
  bar->IdleAction(0);
  EXPECT_EQ(glyphOnly->GetText(), L"Abc");
}

TEST_P(UxGadgets, WindowAnswersThemeChangesAndHasItsClassName) {
  bar->Create();
  EXPECT_EQ(bar->SendMessage(WM_THEMECHANGED), Themed() ? 1 : 0);
  EXPECT_EQ(bar->GetTheme() != nullptr, Themed());
  wchar_t name[40] = {};
  GetClassNameW(bar->GetHandle(), name, 40);
  EXPECT_STREQ(name, L"UxGadgetWindow");
  auto* borderless = new QORControls::UxBorderlessGadgetWindow(&owner, OWL::TGadgetWindow::Horizontal);
  borderless->Create();
  EXPECT_EQ(borderless->GetStyle() & (WS_BORDER | WS_CHILD), static_cast<DWORD>(WS_CHILD));
  EXPECT_TRUE(borderless->IsSetUp());
}

INSTANTIATE_TEST_SUITE_P(ClassicAndThemed, UxGadgets, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Themed" : "Classic"; });

namespace {

// A popup tracker that, like a user closing the menu with a click, leaves that click queued.
class ClosingClickSeam : public ScriptedModalSeam {
 public:
  HWND Window = nullptr;
  LPARAM Click = 0;
  BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params) override {
    Flags.push_back(flags);
    if (Window) PostMessageW(Window, WM_LBUTTONDOWN, MK_LBUTTON, Click);
    return ScriptedModalSeam::TrackPopupMenu(menu, flags, x, y, owner, params);
  }
  std::vector<UINT> Flags;
};

class MenuGadgets : public testing::Test {
 protected:
  void SetUp() override {
    owner.Create();
    owner.ShowWindow(SW_SHOWNOACTIVATE);
    bar = new QORControls::UxGadgetWindow(&owner, OWL::TGadgetWindow::Horizontal);
  }
  bool Queued(UINT msg) {
    MSG m;
    return PeekMessageW(&m, bar->GetHandle(), msg, msg, PM_NOREMOVE) != 0;
  }
  Owner owner;
  QORControls::UxGadgetWindow* bar = nullptr;
  ClosingClickSeam seam;
};

}  // namespace

TEST_F(MenuGadgets, TakesTheFirstItemsTextAndSendsTheChosenCommandToItsOwner) {
  QOR::MenuBase menus(L"XTESTMENU");
  OWL::TMenu menu(menus.GetSubMenu(0));
  auto* g = new QOR::UxMenuGadget(menu, owner, nullptr, 1, OWL::TButtonTextGadget::sText,
                                  OWL::TButtonGadget::Command, true, OWL::TButtonGadget::Up, false, 0);
  bar->Insert(*g);
  bar->Create();
  EXPECT_EQ(g->GetText(), L"One");
  EXPECT_EQ(g->GetNumChars(), 3u);
  EXPECT_EQ(g->GetId(), 214);

  seam.MenuChoices = {1130};
  seam.Window = bar->GetHandle();
  seam.Click = Inside(*g);  // the click that closed the menu, over the gadget
  bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Inside(*g));
  EXPECT_FALSE(Queued(WM_LBUTTONDOWN));  // swallowed: the menu does not open again
  EXPECT_EQ(seam.MenuItemCounts, std::vector<int>{1});
  EXPECT_EQ(seam.Flags, std::vector<UINT>{TPM_VERTICAL | TPM_RETURNCMD});
  EXPECT_EQ(g->GetMenuResult(), 1130);
  EXPECT_FALSE(g->IsPressed());
  EXPECT_EQ(bar->GetCapturedGadget(), nullptr);
  PumpMessages();
  EXPECT_EQ(owner.Commands, std::vector<UINT>{1130});

  seam.Click = MAKELPARAM(g->GetBounds().right + 5, 2);  // elsewhere: it stays
  bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Inside(*g));
  EXPECT_TRUE(Queued(WM_LBUTTONDOWN));
  EXPECT_EQ(g->GetMenuResult(), 0);
}

TEST_F(MenuGadgets, PlainButtonModeOpensTheMenuWithTheRightButton) {
  QOR::MenuBase menus(L"XTESTMENU");
  OWL::TMenu menu(menus.GetSubMenu(0));
  auto* g = new QOR::UxMenuGadget(menu, owner, nullptr, 1, OWL::TButtonTextGadget::sText,
                                  OWL::TButtonGadget::Command, true, OWL::TButtonGadget::Up, false, 0);
  g->SetPlainButton(true);
  bar->Insert(*g);
  bar->Create();
  bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Inside(*g));
  EXPECT_TRUE(seam.Flags.empty());
  EXPECT_TRUE(g->GetLookBits() & Gadget::kPressed);
  bar->SendMessage(WM_LBUTTONUP, 0, Inside(*g));
  seam.MenuChoices = {1130};
  bar->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, Inside(*g));
  EXPECT_EQ(seam.Flags, std::vector<UINT>{TPM_RETURNCMD});
  PumpMessages();
  EXPECT_EQ(owner.Commands, (std::vector<UINT>{214, 1130}));  // the push, then the menu's choice
}

TEST_F(MenuGadgets, AMenuWithoutFirstTextKeepsTheTextAndACaptionReplacesIt) {
  QOR::MenuBase noText(L"XNOTEXTMENU");
  auto* plain = new QOR::UxMenuGadget(noText, owner, nullptr, 1, OWL::TButtonTextGadget::sText,
                                      OWL::TButtonGadget::Command, true, OWL::TButtonGadget::Up, false, 2);
  auto* captioned = new QOR::UxButtonMenuGadget(noText, owner, nullptr, 1, OWL::TButtonTextGadget::sText,
                                                OWL::TButtonGadget::Command, true, OWL::TButtonGadget::Up, false,
                                                2, L"Ratio");
  EXPECT_EQ(plain->GetText(), L"");
  EXPECT_EQ(plain->GetNumChars(), 2u);
  EXPECT_EQ(captioned->GetText(), L"Ratio");
  EXPECT_FALSE(captioned->GetShrinkWrapWidth());
  EXPECT_TRUE(captioned->GetShrinkWrapHeight());
  delete plain;
  delete captioned;
}
