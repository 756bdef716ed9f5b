// Files written beside their target and renamed over it.
#include "base/ReplacingFile.h"

#include "base/DiskRoomForTests.h"
#include "tests/support/TargetKeeping.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::string Text(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// What writes text whole.
std::function<HRESULT(QOR::ReplacingFile&)> Bytes(std::string text) {
  return [text](QOR::ReplacingFile& out) { return out.Write(text) ? S_OK : E_FAIL; };
}

// Only a whole write answered S_OK replaces the file: a cancel, a failure, a throw or a disk
// that fills after any number of bytes leaves it byte for byte with nothing beside it.
TEST(ReplacingFile, FileIsReplacedOnlyByAWholeWrite) {
  const std::wstring folder = testsupport::OwnTemporaryPath(L"ondara-module-replacing");
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring file = folder + L"\\kept.txt";
  ASSERT_EQ(S_OK, QOR::WriteFileReplacing(file, Bytes("the old text")));
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
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_DISK_FULL), QOR::WriteFileReplacing(file, Bytes(text))) << room;
    QOR::SetDiskRoomForTests(~0ull);
    EXPECT_EQ("the old text", Text(file)) << room;
    EXPECT_EQ(1, testsupport::FilesIn(folder)) << room;
  }
  EXPECT_EQ(S_OK, QOR::WriteFileReplacing(file, Bytes(text)));
  EXPECT_EQ(text, Text(file));
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), QOR::WriteFileReplacing(folder + L"\\none\\x.txt", Bytes("x")));
  EXPECT_EQ(1, testsupport::FilesIn(folder));
  testsupport::RemoveFolder(folder);
}

// The replacement keeps what the target showed of itself (a hidden file stays hidden); a target
// another program holds open without letting it go, after the tries it gets, stays as it was with
// nothing beside it.
TEST(ReplacingFile, ReplacementKeepsTheTargetsAttributesAndAHeldTargetStays) {
  testsupport::ExpectReplacingKeepsTheTarget(
      [](const std::wstring& path, const std::string& text) { return QOR::WriteFileReplacing(path, Bytes(text)); });
}

// killed-export.exe, started to write beside target and ended once it has written part of it.
class KilledExport {
 public:
  explicit KilledExport(const std::wstring& target) {
    static int started = 0;
    const std::wstring eventName =
        L"ondara-killed-export-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++started);
    mWritten = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring exe = self;
    exe = exe.substr(0, exe.find_last_of(L'\\') + 1) + L"killed-export.exe";
    std::wstring command = L"\"" + exe + L"\" \"" + target + L"\" " + eventName;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    mStarted = CreateProcessW(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &mProcess) != FALSE;
  }
  ~KilledExport() {
    if (mStarted) {
      Kill();
      CloseHandle(mProcess.hThread);
      CloseHandle(mProcess.hProcess);
    }
    if (mWritten) CloseHandle(mWritten);
  }
  KilledExport(const KilledExport&) = delete;
  KilledExport& operator=(const KilledExport&) = delete;
  // Whether it wrote part of its file (false: it ended first, or had not in a minute).
  bool Writing() {
    if (!mStarted || !mWritten) return false;
    HANDLE const either[] = {mWritten, mProcess.hProcess};
    return WaitForMultipleObjects(2, either, FALSE, 60000) == WAIT_OBJECT_0;
  }
  void Kill() {
    TerminateProcess(mProcess.hProcess, 99);
    WaitForSingleObject(mProcess.hProcess, INFINITE);
  }

 private:
  PROCESS_INFORMATION mProcess{};
  HANDLE mWritten = nullptr;
  bool mStarted = false;
};

// The files beside the target name in folder.
std::vector<std::wstring> FilesBeside(const std::wstring& folder, const std::wstring& name) {
  std::vector<std::wstring> files;
  WIN32_FIND_DATAW found{};
  HANDLE const search = FindFirstFileW((folder + L"\\" + name + L".~*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do files.push_back(folder + L"\\" + found.cFileName);
  while (FindNextFileW(search, &found));
  FindClose(search);
  return files;
}

// An export killed while it writes leaves its file beside the target and the target as it was.
// The file is locked while written; the next export to the target removes what killed exports
// left and keeps the files of a running export and of other targets.
TEST(ReplacingFile, AKilledExportsFileGoesWithTheNextExport) {
  const std::wstring folder = testsupport::OwnTemporaryPath(L"ondara-module-killed");
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring file = folder + L"\\table.txt";
  ASSERT_EQ(S_OK, QOR::WriteFileReplacing(file, Bytes("old")));
  KilledExport live(file);
  ASSERT_TRUE(live.Writing());
  const std::vector<std::wstring> livesFile = FilesBeside(folder, L"table.txt");
  ASSERT_EQ(1u, livesFile.size());
  HANDLE const other = CreateFileW(livesFile[0].c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                   nullptr);
  OVERLAPPED whole{};
  EXPECT_FALSE(LockFileEx(other, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole))
      << "the file being written is not locked";
  CloseHandle(other);
  for (int kill = 0; kill < 3; ++kill) {
    KilledExport killed(file);  // removes the file of the export killed before it
    ASSERT_TRUE(killed.Writing()) << kill;
    killed.Kill();
  }
  EXPECT_EQ("old", Text(file));
  EXPECT_EQ(2u, FilesBeside(folder, L"table.txt").size()) << "the last killed export's file and the running one's";
  std::ofstream((folder + L"\\other.txt.~fffffff0-1.tmp").c_str()) << "cut";
  EXPECT_EQ(S_OK, QOR::WriteFileReplacing(file, Bytes("new")));
  EXPECT_EQ("new", Text(file));
  EXPECT_EQ(livesFile, FilesBeside(folder, L"table.txt")) << "what killed exports left is still there";
  EXPECT_EQ(3, testsupport::FilesIn(folder)) << "the target, a running export's file and another target's";
  live.Kill();
  testsupport::RemoveFolder(folder);
}

}  // namespace
