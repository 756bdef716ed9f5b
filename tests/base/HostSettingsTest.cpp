// The host's settings file: a key found in any section, and nothing for a missing file or key.
#include "base/HostSettings.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

TEST(HostSettings, FindsAKeyInAnySectionAndNothingElse) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  std::wstring const path = std::wstring(folder) + L"ondara-host-settings.ini";
  FILE* file = _wfopen(path.c_str(), L"w");
  ASSERT_NE(file, nullptr);
  std::fputs("[Product]\nAppTitle=Lab\n[Hardware]\nHardwareName=Box 4\n", file);
  std::fclose(file);
  EXPECT_EQ(QOR::ReadHostSetting(path, L"HardwareName"), L"Box 4");
  EXPECT_EQ(QOR::ReadHostSetting(path, L"AppTitle"), L"Lab");
  EXPECT_EQ(QOR::ReadHostSetting(path, L"OEMName"), L"");
  DeleteFileW(path.c_str());
  EXPECT_EQ(QOR::ReadHostSetting(path, L"HardwareName"), L"");
  // No settings file beside the test program: the product word.
  EXPECT_EQ(QOR::HostHardwareWord(), L"Datrion");
}
