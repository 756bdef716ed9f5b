// QOR::MenuBase: the menu template in the application's language, and a missing template.
#include "controls/MenuBase.h"

#include "platform/owl/TApplication.h"
#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

TEST(MenuBase, FindsTheTemplateInTheApplicationsLanguage) {
  LANGID const saved = OWL::TApplication::GetLangId();
  struct Case {
    LANGID language;
    int items;
    const wchar_t* first;
  };
  for (const Case& c : {Case{MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), 2, L"Eins"},
                        Case{MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH), 1, L"One"}}) {
    OWL::TApplication::SetLangId(c.language);
    QOR::MenuBase menu(L"XTESTMENU");
    EXPECT_TRUE(menu.IsTemplateFound());
    OWL::TMenu popup(menu.GetSubMenu(0));
    EXPECT_EQ(popup.GetMenuItemCount(), c.items) << c.language;
    EXPECT_EQ(popup.GetMenuString(0, MF_BYPOSITION), c.first);
  }
  OWL::TApplication::SetLangId(saved);
}

TEST(MenuBase, AMissingTemplateGivesAnEmptyMenuAndSaysWhichIsMissing) {
  ScriptedModalSeam seam;
  QOR::MenuBase menu(L"NOSUCHMENU");
  EXPECT_FALSE(menu.IsTemplateFound());
  EXPECT_TRUE(menu.IsOK());
  EXPECT_EQ(menu.GetMenuItemCount(), 0);
  ASSERT_EQ(seam.MessageTexts.size(), 1u);
  EXPECT_EQ(seam.MessageTexts[0], L"The menu NOSUCHMENU is missing from the module's resources.");
}
