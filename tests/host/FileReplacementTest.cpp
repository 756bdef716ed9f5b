// Files written beside their target and renamed over it.
#include "host/common/FileReplacement.h"
#include "host/common/BesideFiles.h"
#include "host/common/DiskRoomForTests.h"
#include "host/common/FileProblemWords.h"
#include "tests/support/TargetKeeping.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::string Text(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Only a whole write replaces the file: one that fails, throws or finds the disk full after any
// number of bytes leaves the file as it was, byte for byte, with nothing beside it; with room for
// every byte it succeeds; a folder that is not there is a failure.
TEST(FileReplacement, FileIsReplacedOnlyByAWholeWrite) {
  const std::wstring folder = testsupport::OwnTemporaryPath(L"ondara-replacing");
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring file = folder + L"\\kept.txt";
  ASSERT_EQ(S_OK, host::WriteBytesReplacing(file, "the old text"));
  const auto part = [](host::CheckedFile& beside) {
    beside.Write("new, in pa");
    return E_FAIL;
  };
  EXPECT_EQ(E_FAIL, host::WriteReplacing(file, part));
  EXPECT_THROW(host::WriteReplacing(file, [&](host::CheckedFile& beside) -> HRESULT {
                 part(beside);
                 throw std::runtime_error("stopped");
               }),
               std::runtime_error);
  const std::string text = "row 1\trow 2\r\nrow 3";
  for (size_t room = 0; room < text.size(); ++room) {
    host::SetDiskRoomForTests(room);
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_DISK_FULL), host::WriteBytesReplacing(file, text)) << room;
    EXPECT_EQ("the old text", Text(file)) << room;
    EXPECT_EQ(1, testsupport::FilesIn(folder)) << room;
  }
  host::SetDiskRoomForTests(text.size());
  EXPECT_EQ(S_OK, host::WriteBytesReplacing(file, text));
  host::SetDiskRoomForTests(~0ull);
  EXPECT_EQ(text, Text(file));
  EXPECT_EQ(1, testsupport::FilesIn(folder));
  EXPECT_TRUE(FAILED(host::WriteBytesReplacing(folder + L"\\none\\x.txt", "x")));
  EXPECT_EQ(1, testsupport::FilesIn(folder));
  testsupport::RemoveFolder(folder);
}

// The replacement keeps what the target showed of itself (a hidden file stays hidden); a target
// another program holds open without letting it go, after the tries it gets, stays as it was with
// nothing beside it.
TEST(FileReplacement, ReplacementKeepsTheTargetsAttributesAndAHeldTargetStays) {
  testsupport::ExpectReplacingKeepsTheTarget(
      [](const std::wstring& path, const std::string& text) { return host::WriteBytesReplacing(path, text); });
}

// A process started and left waiting, so that its id names a running process; ended when it goes.
class WaitingProcess {
 public:
  WaitingProcess() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    wchar_t command[] = L"cmd.exe /c exit";
    mStarted = CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                              &mProcess);
  }
  ~WaitingProcess() {
    if (!mStarted) return;
    TerminateProcess(mProcess.hProcess, 0);
    CloseHandle(mProcess.hThread);
    CloseHandle(mProcess.hProcess);
  }
  DWORD Id() const { return mStarted ? mProcess.dwProcessId : 0; }

 private:
  PROCESS_INFORMATION mProcess{};
  BOOL mStarted = FALSE;
};

// The next count names this process gives files beside target.
std::vector<std::wstring> NamesTakenNext(const std::wstring& target, unsigned long count) {
  const std::wstring next = host::BesideFileName(target);
  const size_t dash = next.rfind(L'-');
  const unsigned long last = std::wcstoul(next.c_str() + dash + 1, nullptr, 16);
  std::vector<std::wstring> names;
  for (unsigned long i = 1; i <= count; ++i) {
    wchar_t number[16];
    std::swprintf(number, 16, L"%lx", last + i);
    names.push_back(next.substr(0, dash + 1) + number + L".tmp");
  }
  return names;
}

// The file written beside the target carries the target's name; one a process no longer running
// left there is removed by the next save of that target, and a running process's stays. Files
// named with this process's id were left by an earlier run that had it (Wine gives every run the
// same id): the folder's check passes over them, and the save removes them.
TEST(FileReplacement, FileBesideIsNamedAfterItsTargetAndAStaleOneGoes) {
  const std::wstring folder = testsupport::OwnTemporaryPath(L"ondara-stale");
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring file = folder + L"\\table.txt";
  const WaitingProcess running;
  ASSERT_NE(0u, running.Id());
  wchar_t id[16];
  std::swprintf(id, 16, L"%lx", static_cast<unsigned long>(running.Id()));
  const std::wstring stale = file + L".~fffffff0-1.tmp";
  const std::wstring live = file + L".~" + id + L"-1.tmp";
  const std::wstring other = folder + L"\\other.txt.~fffffff0-1.tmp";
  const std::vector<std::wstring> earlier = NamesTakenNext(file, 3);
  for (const std::wstring& left : {stale, live, other}) std::ofstream(left.c_str()) << "cut";
  for (const std::wstring& left : earlier) std::ofstream(left.c_str()) << "cut";
  EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), host::FileBesideProblem(file));
  std::wstring beside;
  ASSERT_EQ(S_OK, host::WriteReplacing(file, [&](host::CheckedFile& out) {
    WIN32_FIND_DATAW found{};
    HANDLE const search = FindFirstFileW((file + L".~*").c_str(), &found);
    do beside = found.cFileName;
    while (folder + L"\\" + beside == live && FindNextFileW(search, &found));
    FindClose(search);
    return out.Write("new") ? S_OK : E_FAIL;
  }));
  EXPECT_EQ(0u, beside.find(L"table.txt.~")) << "the file written beside is not named after its target";
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(stale.c_str()));
  for (const std::wstring& left : earlier) EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(left.c_str()));
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(live.c_str()));
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(other.c_str()));
  EXPECT_EQ("new", Text(file));

  // Under another Wine server a writer may have this process's id: what it holds locked (only
  // the lock tells, sharing does not reach across servers) stays as it is, and the save takes
  // another name.
  std::vector<HANDLE> holders;
  const std::vector<std::wstring> theirs = NamesTakenNext(file, 2);
  for (const std::wstring& name : theirs) {
    std::ofstream(name.c_str()) << "theirs";
    holders.push_back(CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
    OVERLAPPED whole{};
    ASSERT_TRUE(LockFileEx(holders.back(), LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole));
  }
  EXPECT_EQ(S_OK, host::WriteBytesReplacing(file, "newer"));
  for (HANDLE holder : holders) CloseHandle(holder);
  for (const std::wstring& name : theirs) EXPECT_EQ("theirs", Text(name));
  EXPECT_EQ("newer", Text(file));
  testsupport::RemoveFolder(folder);
}

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
