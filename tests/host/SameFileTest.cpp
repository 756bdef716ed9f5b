// Paths compared by the file they open, or by the file they would make.
#include "host/common/SameFile.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <string>
#include <thread>

namespace {

// Two paths name one file when they open one, or when neither opens anything and both would make
// one: spelled in other capitals, through "." and "..", with either separator, relative to the
// current folder, with the trailing point Windows drops, or below a folder that is not there yet;
// files that are there are told apart by what they are, not by name or content.
TEST(SameFile, PathsNameOneFileWrittenOrNot) {
  const std::wstring folder = testsupport::OwnTemporaryPath(L"ondara-same");
  const std::wstring sub = folder + L"\\sub";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(sub.c_str(), nullptr));
  const std::wstring kept = folder + L"\\kept.txt";
  const std::wstring copy = folder + L"\\copy.txt";
  std::ofstream(kept.c_str()) << "x";
  CopyFileW(kept.c_str(), copy.c_str(), FALSE);  // the same bytes and time, another file
  const std::wstring hardLink = folder + L"\\hard.txt";
  ASSERT_TRUE(CreateHardLinkW(hardLink.c_str(), kept.c_str(), nullptr));
  wchar_t current[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, current);
  SetCurrentDirectoryW(folder.c_str());
  const struct {
    std::wstring a, b;
    bool one;
  } cases[] = {
      {folder + L"\\new.txt", folder + L"\\NEW.TXT", true},
      {folder + L"\\new.txt", L"new.txt", true},
      {folder + L"\\sub\\..\\.\\new.txt", folder + L"/new.txt.", true},
      {folder + L"\\none\\new.txt", folder + L"/NONE/new.txt", true},
      {folder + L"\\none\\new.txt", folder + L"\\new.txt", false},
      {folder + L"\\sub\\new.txt", folder + L"\\new.txt", false},
      {folder + L"\\new.txt", folder + L"\\new.csv", false},
      {kept, L"KEPT.txt", true},
      {kept, hardLink, true},
      {kept, copy, false},
      {kept, folder + L"\\kept.txt.new", false},
      {folder + L"\\sub", folder + L"\\SUB\\", true},
      {folder + L"\\new.txt", L"", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.one, host::NameOneFile(c.a, c.b)) << testing::PrintToString(c.a) << " " << testing::PrintToString(c.b);
    EXPECT_EQ(c.one, host::NameOneFile(c.b, c.a)) << testing::PrintToString(c.b) << " " << testing::PrintToString(c.a);
  }
  SetCurrentDirectoryW(current);
  EXPECT_EQ(3, testsupport::FilesIn(folder)) << "a comparison made a file";
  RemoveDirectoryW(sub.c_str());
  testsupport::RemoveFolder(folder);
}

// Two new files of one folder, its name spelled in other capitals, are one file however busy the folder is: another
// program making and removing files in it moves its time between the two looks at it (the folder's time once told
// them apart, and two outputs of one run went to one file).
TEST(SameFile, NewFilesOfABusyFolderAreOneFile) {
  const std::wstring folder = testsupport::OwnTemporaryPath(L"ondara-busy");
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  std::wstring upper = folder;
  CharUpperW(&upper[upper.rfind(L'\\') + 1]);
  std::atomic<bool> done{false};
  std::thread busy([&] {
    const std::wstring churn = folder + L"\\churn.tmp";
    while (!done) {
      std::ofstream(churn.c_str()) << "x";
      DeleteFileW(churn.c_str());
    }
  });
  int apart = 0;
  for (int i = 0; i < 200; ++i) apart += host::NameOneFile(folder + L"\\new.txt", upper + L"\\new.txt") ? 0 : 1;
  done = true;
  busy.join();
  EXPECT_EQ(0, apart) << "of 200";
  testsupport::RemoveFolder(folder);
}

}  // namespace
