// QORLinkingUtils::UxThemeDLL without the library or without its functions: every call reports
// failure and nothing breaks.
#include "platform/uihelpers/UxThemeDLL.h"

#include <gtest/gtest.h>

namespace {

void ExpectUnthemed() {
  using QORLinkingUtils::UxThemeDLL;
  EXPECT_EQ(UxThemeDLL::OpenThemeData(nullptr, L"BUTTON"), nullptr);
  EXPECT_FALSE(UxThemeDLL::IsAppThemed());
  EXPECT_FALSE(UxThemeDLL::IsThemeActive());
  RECT rect{0, 0, 10, 10};
  EXPECT_TRUE(FAILED(UxThemeDLL::DrawThemeBackground(nullptr, nullptr, 1, 1, &rect)));
  EXPECT_TRUE(FAILED(UxThemeDLL::DrawThemeParentBackground(nullptr, nullptr, &rect)));
  SIZE size{};
  EXPECT_TRUE(FAILED(UxThemeDLL::GetThemePartSize(nullptr, nullptr, 1, 1, nullptr, 0, &size)));
  UxThemeDLL::EnableThemeDialogTexture(nullptr);
}

}  // namespace

TEST(UxThemeDLL, MissingLibraryOrFunctionsMeanNoTheme) {
  using QORLinkingUtils::UxThemeDLL;
  UxThemeDLL::Reset(L"no-such-theme-library.dll");
  EXPECT_FALSE(UxThemeDLL::IsLoaded());
  ExpectUnthemed();
  UxThemeDLL::Reset(L"kernel32.dll");  // loads, but has none of the functions
  EXPECT_TRUE(UxThemeDLL::IsLoaded());
  ExpectUnthemed();
  UxThemeDLL::Reset(nullptr);
  EXPECT_TRUE(UxThemeDLL::IsLoaded());  // the real library binds again
}
