// A file's attributes over a save that replaces it, and a held file that stays.
#include "tests/support/TargetKeeping.h"

#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace testsupport {

namespace {

std::string Text(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

void ExpectReplacingKeepsTheTarget(
    const std::function<HRESULT(const std::wstring& path, const std::string& text)>& save) {
  const std::wstring folder = OwnTemporaryPath(L"ondara-target-keeping");
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring path = folder + L"\\kept.txt";
  constexpr DWORD kShown = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  for (const DWORD attributes : {DWORD{FILE_ATTRIBUTE_HIDDEN}, DWORD{FILE_ATTRIBUTE_SYSTEM},
                                 DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED}, DWORD{0}}) {
    ASSERT_EQ(S_OK, save(path, "old"));
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL));
    const DWORD shown = GetFileAttributesW(path.c_str()) & kShown;
    EXPECT_EQ(S_OK, save(path, "new")) << std::hex << attributes;
    EXPECT_EQ(shown, GetFileAttributesW(path.c_str()) & kShown) << std::hex << attributes;
    EXPECT_EQ("new", Text(path));
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  HANDLE const reader = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  const HRESULT held = save(path, "newer");
  CloseHandle(reader);
  EXPECT_TRUE(held == HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION) || held == HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED))
      << std::hex << held;
  EXPECT_EQ("new", Text(path));
  EXPECT_EQ(1, FilesIn(folder));
  RemoveFolder(folder);
}

}  // namespace testsupport
