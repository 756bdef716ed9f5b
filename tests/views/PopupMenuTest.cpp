// The popup menu button driven by messages: dropping its menu under it, passing the choice to
// its owner, keeping one item checked across submenus, and drawing its face and items.
#include "views/PopupMenu.h"

#include "platform/owl/TStatic.h"
#include "tests/support/DibCanvas.h"
#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// The button's owner: records the commands it receives.
class Owner final : public OWL::TWindow {
 public:
  struct Command {
    UINT id;
    UINT code;
    HWND control;
  };
  Owner() : OWL::TWindow(nullptr, L"owner") {
    Attr.Style = WS_POPUP | WS_VISIBLE;
    Attr.X = 100;
    Attr.Y = 100;
    Attr.W = 300;
    Attr.H = 200;
  }
  LRESULT EvCommand(UINT id, HWND control, UINT notifyCode) override {
    commands.push_back({id, notifyCode, control});
    return 0;
  }
  std::vector<Command> commands;
};

class PopupMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner.Create();
    button = std::make_unique<PopupMenu>(&owner);
    button->Attr.X = 50;
    button->Attr.Y = 40;
    OWL::TPopupMenu& menu = button->Popup();
    menu.AppendMenu(MF_STRING, 101, L"&Alpha");
    menu.AppendMenu(MF_STRING, 102, L"Beta");
    HMENU const more = CreatePopupMenu();
    AppendMenuW(more, MF_STRING, 201, L"&Gamma");
    AppendMenuW(more, MF_STRING, 202, L"Delta");
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(more), L"More");
    button->Create();
    PumpMessages();
    GetWindowRect(button->ButtonHandle(), &screen);
  }
  void TearDown() override {
    button.reset();
    owner.Destroy();
    PumpMessages();
  }
  void Press() {
    SendMessageW(button->ButtonHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button->ButtonHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }
  // Whether each of the items 101, 102, "More", 201, 202 is checked.
  std::vector<bool> Checks() {
    HMENU const top = button->Popup().GetHandle();
    HMENU const more = GetSubMenu(top, 2);
    const auto on = [](HMENU m, UINT item, UINT by) {
      return (GetMenuState(m, item, by) & MF_CHECKED) != 0;
    };
    return {on(top, 101, MF_BYCOMMAND), on(top, 102, MF_BYCOMMAND), on(top, 2, MF_BYPOSITION),
            on(more, 201, MF_BYCOMMAND), on(more, 202, MF_BYCOMMAND)};
  }
  std::vector<Owner::Command> MenuCommands() {
    std::vector<Owner::Command> seen;
    for (const Owner::Command& c : owner.commands)
      if (c.id != PopupMenu::kButtonId || c.code == PopupMenu::kChoiceNotification) seen.push_back(c);
    return seen;
  }

  ScriptedModalSeam seam;
  Owner owner;
  std::unique_ptr<PopupMenu> button;
  RECT screen{};
};

TEST_F(PopupMenuTest, ClickTracksBelowAndChoiceInSubmenuChecksItAndItsParent) {
  OWL::TStatic label(&owner, 7, L"", 10, 10, 40, 16);
  label.Create();
  button->SetLabel(&label);
  button->SetStyle(PopupMenu::kCheckChoice);
  SetCursorPos(0, 0);
  seam.MenuChoices = {201};
  Press();
  ASSERT_EQ(seam.MenuTracks.size(), 1u);
  EXPECT_EQ(seam.MenuTracks[0].x, screen.right);
  EXPECT_EQ(seam.MenuTracks[0].y, screen.bottom);
  EXPECT_TRUE(seam.MenuTracks[0].flags & TPM_RIGHTALIGN);
  EXPECT_EQ(seam.MenuTracks[0].owner, button->ButtonHandle());
  EXPECT_EQ(Checks(), (std::vector<bool>{false, false, true, true, false}));
  std::vector<Owner::Command> seen = MenuCommands();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].id, 201u);
  EXPECT_EQ(seen[0].control, nullptr);
  EXPECT_EQ(seen[1].id, static_cast<UINT>(PopupMenu::kButtonId));
  EXPECT_EQ(seen[1].control, button->ButtonHandle());
  wchar_t text[32] = {};
  GetWindowTextW(label.GetHandle(), text, 32);
  EXPECT_STREQ(text, L"Gamma");
  // Left-aligned, by the space key; a top-level choice unchecks the submenu.
  button->SetAlignLeft(true);
  seam.MenuChoices = {102};
  SendMessageW(button->ButtonHandle(), WM_KEYDOWN, VK_SPACE, 0);
  ASSERT_EQ(seam.MenuTracks.size(), 2u);
  EXPECT_EQ(seam.MenuTracks[1].x, screen.left);
  EXPECT_EQ(seam.MenuTracks[1].flags & TPM_RIGHTALIGN, 0u);
  EXPECT_EQ(Checks(), (std::vector<bool>{false, true, false, false, false}));
  EXPECT_EQ(button->CheckedItem(), 102);
  SendMessageW(button->ButtonHandle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(seam.MenuTracks.size(), 2u) << "only space drops the menu";
  // A command the menu does not hold changes nothing.
  const size_t before = MenuCommands().size();
  SendMessageW(button->ButtonHandle(), WM_COMMAND, 999, 0);
  EXPECT_EQ(MenuCommands().size(), before);
  EXPECT_EQ(Checks(), (std::vector<bool>{false, true, false, false, false}));
  EXPECT_EQ(button->CheckedItem(), 102);
  button->SetLabel(nullptr);
}

TEST_F(PopupMenuTest, PressClosingTheMenuOnTheButtonDoesNotReopenIt) {
  const POINT middle{(screen.left + screen.right) / 2, (screen.top + screen.bottom) / 2};
  ASSERT_TRUE(SetCursorPos(middle.x, middle.y));
  ASSERT_EQ(WindowFromPoint(middle), button->ButtonHandle()) << "the pointer rests on the button";
  Press();
  EXPECT_EQ(seam.MenuTracks.size(), 1u);
  Press();
  EXPECT_EQ(seam.MenuTracks.size(), 1u) << "the press that closed the menu";
  Press();
  EXPECT_EQ(seam.MenuTracks.size(), 2u);
}

TEST_F(PopupMenuTest, FlatFaceAndCheckedItemDrawing) {
  button->SetStyle(PopupMenu::kFace | PopupMenu::kFlat);
  const int arrow = GetSystemMetrics(SM_CXVSCROLL);
  DibCanvas face(80, 24, GetSysColorBrush(COLOR_WINDOW));
  const RECT rect{0, 0, 80, 24};
  button->DrawButtonFace(face.Dc(), rect, 0xFFFF, 0, 0, false);
  EXPECT_EQ(face.At(80 - arrow, 12), 0u) << "the arrow's black outline";
  EXPECT_EQ(face.At(80 - arrow - 4, 12), DibCanvas::SysPixel(COLOR_BTNFACE));
  bool anyFace = false;
  for (int x = 80 - arrow + 1; x < 78; ++x)
    for (int y = 3; y < 21; ++y) anyFace = anyFace || face.At(x, y) == DibCanvas::SysPixel(COLOR_3DFACE);
  EXPECT_FALSE(anyFace) << "the arrow's face pixels become the window colour";
  const int checkW = GetSystemMetrics(SM_CXMENUCHECK);
  DibCanvas item(120, 24, GetSysColorBrush(COLOR_WINDOW));
  const RECT itemRect{0, 0, 120, 24};
  button->DrawMenuItem(item.Dc(), itemRect, 101, 0, ODA_DRAWENTIRE, ODS_CHECKED);
  const int top = (24 - GetSystemMetrics(SM_CYMENUCHECK)) / 2;
  EXPECT_EQ(item.At(0, top), 0u) << "the mark's black frame";
  int black = 0;
  for (int x = 2; x < checkW - 2; ++x)
    for (int y = top + 2; y < top + GetSystemMetrics(SM_CYMENUCHECK) - 2; ++y) black += item.At(x, y) == 0;
  EXPECT_GT(black, 0) << "the check mark";
  EXPECT_EQ(item.At(checkW + 10, 12), DibCanvas::SysPixel(COLOR_MENU));
}

}  // namespace
