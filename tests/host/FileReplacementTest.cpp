// Files written beside their target and renamed over it.
#include "host/common/FileReplacement.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace {

std::string Text(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

int FilesIn(const std::wstring& folder) {
  WIN32_FIND_DATAW found{};
  HANDLE const search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  int files = 0;
  if (search == INVALID_HANDLE_VALUE) return 0;
  do files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
  while (FindNextFileW(search, &found));
  FindClose(search);
  return files;
}

// Only a whole write replaces the file: one that fails or throws, after writing part of its
// content, leaves the file as it was and nothing beside it; a folder that is not there is a failure.
TEST(FileReplacement, FileIsReplacedOnlyByAWholeWrite) {
  const std::wstring folder = testsupport::OwnTemporaryPath(L"ondara-replacing");
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring file = folder + L"\\kept.txt";
  ASSERT_EQ(S_OK, host::WriteBytesReplacing(file, "old"));
  const auto part = [](const std::wstring& beside) {
    std::ofstream(beside.c_str(), std::ios::binary) << "new, in pa";
    return E_FAIL;
  };
  EXPECT_EQ(E_FAIL, host::WriteReplacing(file, part));
  EXPECT_THROW(host::WriteReplacing(file, [&](const std::wstring& beside) -> HRESULT {
                 part(beside);
                 throw std::runtime_error("stopped");
               }),
               std::runtime_error);
  EXPECT_EQ("old", Text(file));
  EXPECT_EQ(1, FilesIn(folder));
  EXPECT_EQ(S_OK, host::WriteBytesReplacing(file, "new"));
  EXPECT_EQ("new", Text(file));
  EXPECT_TRUE(FAILED(host::WriteBytesReplacing(folder + L"\\none\\x.txt", "x")));
  EXPECT_EQ(1, FilesIn(folder));
  testsupport::RemoveFolder(folder);
}

}  // namespace
