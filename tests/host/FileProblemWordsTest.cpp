// The causes of files that cannot be written, in words.
#include "host/common/FileProblemWords.h"

#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

// A file that cannot be written is named with its cause in words.
TEST(FileProblemWords, NameTheCause) {
  const std::wstring folder = testsupport::OwnTemporaryPath(L"ondara-words");
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring readOnly = folder + L"\\read-only.txt";
  const std::wstring held = folder + L"\\held.txt";
  std::ofstream(readOnly.c_str()) << "x";
  std::ofstream(held.c_str()) << "x";
  SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  HANDLE const holder = CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  const struct {
    std::wstring path;
    DWORD error;
    std::string words;
  } cases[] = {
      {folder + L"\\aux.csv", ERROR_ACCESS_DENIED, "Windows reserves the name 'aux' for a device: choose another name"},
      {L"COM1 .txt", ERROR_INVALID_HANDLE, "Windows reserves the name 'COM1' for a device: choose another name"},
      {L"con", ERROR_SUCCESS, "Windows reserves the name 'con' for a device: choose another name"},
      {readOnly, ERROR_ACCESS_DENIED, "it is read-only: clear its read-only attribute, or choose another name"},
      {folder + L"\\new.txt", ERROR_FILE_READ_ONLY, "it is read-only: clear its read-only attribute, or choose another name"},
      {held, ERROR_ACCESS_DENIED, "another program holds it open: close it there, or choose another name"},
      {held, ERROR_SHARING_VIOLATION, "another program holds it open: close it there, or choose another name"},
      {folder + L"\\new.txt", ERROR_DISK_FULL, "there is no room left on its disk"},
      {folder + L"\\new.txt", ERROR_WRITE_PROTECT, "its disk is read-only"},
      {folder + L"\\none\\new.txt", ERROR_PATH_NOT_FOUND, "its folder does not exist"},
      {L"console.txt", ERROR_FILE_NOT_FOUND, host::SystemErrorWords(ERROR_FILE_NOT_FOUND)},
  };
  for (const auto& c : cases) EXPECT_EQ(c.words, host::FileProblemWords(c.path, c.error)) << c.error;
  for (const HRESULT full : {HRESULT_FROM_WIN32(ERROR_DISK_FULL), STG_E_MEDIUMFULL})
    EXPECT_EQ("there is no room left on its disk", host::SaveProblemWords(L"x.txt", full)) << std::hex << full;
  EXPECT_EQ("0x80030103", host::SaveProblemWords(L"x.txt", STG_E_CANTSAVE));
  CloseHandle(holder);
  SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
  testsupport::RemoveFolder(folder);
}

}  // namespace
