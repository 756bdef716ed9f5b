// OWL::TMenu and TPopupMenu: deep copies of nested menus and tracking through the modal seam.
#include "platform/owl/TPopupMenu.h"

#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

TEST(TPopupMenu, CopiesItemsSubmenusAndStates) {
  OWL::TMenu source;
  OWL::TPopupMenu sub;
  sub.AppendMenu(MF_STRING | MF_CHECKED, 21, L"Inner");
  source.AppendMenu(MF_STRING, 10, L"&First");
  source.AppendMenu(MF_SEPARATOR);
  source.AppendMenu(MF_STRING | MF_GRAYED, 11, L"Second");
  source.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), L"More");

  OWL::TPopupMenu copy(source);
  ASSERT_EQ(copy.GetMenuItemCount(), 4);
  EXPECT_EQ(copy.GetMenuString(0, MF_BYPOSITION), L"&First");
  EXPECT_EQ(copy.GetMenuItemID(0), 10u);
  EXPECT_TRUE(copy.GetMenuState(1, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_TRUE(copy.GetMenuState(11, MF_BYCOMMAND) & MF_GRAYED);
  HMENU const copiedSub = copy.GetSubMenu(3);
  ASSERT_NE(copiedSub, nullptr);
  EXPECT_NE(copiedSub, source.GetSubMenu(3));  // a menu of its own, destroyed with the copy
  OWL::TMenu inner(copiedSub);
  EXPECT_EQ(inner.GetMenuString(21, MF_BYCOMMAND), L"Inner");
  EXPECT_TRUE(inner.GetMenuState(21, MF_BYCOMMAND) & MF_CHECKED);
}

TEST(TPopupMenu, TracksThroughTheModalSeam) {
  ScriptedModalSeam seam;
  seam.MenuChoices = {11};
  OWL::TPopupMenu menu;
  menu.AppendMenu(MF_STRING, 10, L"One");
  menu.AppendMenu(MF_STRING, 11, L"Two");
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, OWL::TPoint(5, 5), nullptr), 11);
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, OWL::TPoint(5, 5), nullptr), 0);
  EXPECT_EQ(seam.MenuItemCounts, (std::vector<int>{2, 2}));
}
