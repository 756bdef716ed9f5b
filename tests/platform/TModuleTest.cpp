// OWL::TModule: wrapping an instance, loading a library by name, a missing library, and
// resources looked up in the application's language first.
#include "platform/owl/TModule.h"

#include "platform/owl/TApplication.h"
#include "platform/owl/TDialog.h"
#include "platform/owl/TDialogRes.h"
#include "platform/owl/TEdit.h"

#include <gtest/gtest.h>

TEST(TModule, WrapsAGivenInstanceWithoutFreeingIt) {
  HMODULE const kernel = GetModuleHandleW(L"kernel32.dll");
  {
    OWL::TModule module(nullptr, kernel, true);
    EXPECT_EQ(module.GetHandle(), kernel);
    EXPECT_NE(module.GetProcAddress("GetTickCount"), nullptr);
  }
  EXPECT_EQ(GetModuleHandleW(L"kernel32.dll"), kernel);
}

TEST(TModule, LoadsALibraryByNameOrStaysEmpty) {
  OWL::TModule shell(L"shell32.dll", nullptr, true);
  EXPECT_TRUE(shell.IsLoaded());
  EXPECT_NE(shell.GetProcAddress("SHGetFolderPathW"), nullptr);
  OWL::TModule missing(L"no-such-library.dll", nullptr, true);
  EXPECT_FALSE(missing.IsLoaded());
  EXPECT_EQ(missing.GetProcAddress("Anything"), nullptr);
}

TEST(TModule, FindsResourcesInTheApplicationsLanguageFirst) {
  OWL::TModule& module = OWL::TModule::Default();
  LANGID const saved = OWL::TApplication::GetLangId();
  OWL::TApplication::SetLangId(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
  std::wstring const german = module.LoadString(32020);
  OWL::TDialog dialog(nullptr, OWL::TResId(4711));
  auto* edit = new OWL::TEdit(&dialog, 110);
  dialog.Create();
  std::wstring const caption = dialog.GetWindowText();
  OWL::TApplication::SetLangId(MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH));
  OWL::TDialogRes const neutral(module.GetHandle(), 4711);
  std::wstring const fallback = module.LoadString(32021);
  OWL::TApplication::SetLangId(saved);

  EXPECT_EQ(german, L"Zeichen");
  EXPECT_EQ(caption, L"Deutsch");
  EXPECT_NE(edit->GetHandle(), nullptr);
  ASSERT_TRUE(neutral.IsOK());
  EXPECT_EQ(fallback, L"only neutral");
  EXPECT_EQ(module.LoadString(32022), L"");  // an id of the block that is not there
  EXPECT_EQ(module.LoadString(64000), L"");  // a block that is not there
}
