// OWL::TModule: wrapping an instance, loading a library by name, and a missing library.
#include "platform/owl/TModule.h"

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
