// Files written beside their target and renamed over it.
#include "base/ReplacingFile.h"

#include "base/DiskRoomForTests.h"
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

// Only a whole write answered S_OK replaces the file: a cancel, a failure, a throw or a disk
// that fills after any number of bytes leaves it byte for byte with nothing beside it.
TEST(ReplacingFile, FileIsReplacedOnlyByAWholeWrite) {
  const std::wstring folder = testsupport::OwnTemporaryPath(L"ondara-module-replacing");
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring file = folder + L"\\kept.txt";
  const auto bytes = [](std::string text) {
    return [text](QOR::ReplacingFile& out) { return out.Write(text) ? S_OK : E_FAIL; };
  };
  ASSERT_EQ(S_OK, QOR::WriteFileReplacing(file, bytes("the old text")));
  const auto part = [](HRESULT answer) {
    return [answer](QOR::ReplacingFile& out) { return out.Write("new, in pa") ? answer : E_FAIL; };
  };
  EXPECT_EQ(S_FALSE, QOR::WriteFileReplacing(file, part(S_FALSE)));
  EXPECT_EQ(E_ABORT, QOR::WriteFileReplacing(file, part(E_ABORT)));
  EXPECT_THROW(QOR::WriteFileReplacing(file, [](QOR::ReplacingFile& out) -> HRESULT {
                 out.Write("new");
                 throw std::runtime_error("stopped");
               }),
               std::runtime_error);
  const std::string text = "row 1\trow 2\r\nrow 3";
  for (unsigned long long room = 0; room < text.size(); ++room) {
    QOR::SetDiskRoomForTests(room);
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_DISK_FULL), QOR::WriteFileReplacing(file, bytes(text))) << room;
    QOR::SetDiskRoomForTests(~0ull);
    EXPECT_EQ("the old text", Text(file)) << room;
    EXPECT_EQ(1, testsupport::FilesIn(folder)) << room;
  }
  EXPECT_EQ(S_OK, QOR::WriteFileReplacing(file, bytes(text)));
  EXPECT_EQ(text, Text(file));
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), QOR::WriteFileReplacing(folder + L"\\none\\x.txt", bytes("x")));
  EXPECT_EQ(1, testsupport::FilesIn(folder));
  testsupport::RemoveFolder(folder);
}

}  // namespace
