// Files written beside their target and renamed over it, by the module and the host alike.
#include "wholefile/ReplacingFile.h"

#include "wholefile/DiskRoomForTests.h"
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

// A folder of its own for one test, removed with what it holds when the test ends.
class OwnFolder {
 public:
  explicit OwnFolder(const wchar_t* name) : mPath(testsupport::OwnTemporaryPath(name)) {
    CreateDirectoryW(mPath.c_str(), nullptr);
  }
  ~OwnFolder() { testsupport::RemoveFolder(mPath); }
  OwnFolder(const OwnFolder&) = delete;
  OwnFolder& operator=(const OwnFolder&) = delete;
  std::wstring operator/(const wchar_t* name) const { return mPath + L"\\" + name; }
  int Files() const { return testsupport::FilesIn(mPath); }

 private:
  std::wstring mPath;
};

// Only a whole write answered S_OK replaces the file: a cancel (S_FALSE), a failure, a throw or a
// disk that fills after any number of bytes leaves it byte for byte with nothing beside it, and
// the write's answer comes back; with room for every byte it is replaced. A folder that is not
// there is an error of its own.
TEST(ReplacingFile, FileIsReplacedOnlyByAWholeWrite) {
  const OwnFolder folder(L"ondara-replacing");
  const std::wstring file = folder / L"kept.txt";
  ASSERT_EQ(S_OK, WholeFile::WriteBytesReplacing(file, "the old text"));
  for (const HRESULT answer : {S_FALSE, E_ABORT, E_FAIL}) {
    EXPECT_EQ(answer, WholeFile::WriteReplacing(file, [answer](WholeFile::ReplacingFile& out) {
                return out.Write("new, in pa") ? answer : E_UNEXPECTED;
              })) << std::hex << answer;
    EXPECT_EQ("the old text", Text(file)) << std::hex << answer;
    EXPECT_EQ(1, folder.Files()) << std::hex << answer;
  }
  EXPECT_THROW(WholeFile::WriteReplacing(file, [](WholeFile::ReplacingFile& out) -> HRESULT {
                 out.Write("new");
                 throw std::runtime_error("stopped");
               }),
               std::runtime_error);
  const std::string text = "row 1\trow 2\r\nrow 3";
  for (unsigned long long room = 0; room <= text.size(); ++room) {
    WholeFile::SetDiskRoomForTests(room);
    const HRESULT written = WholeFile::WriteBytesReplacing(file, text);
    WholeFile::SetDiskRoomForTests(~0ull);
    EXPECT_EQ(room < text.size() ? HRESULT_FROM_WIN32(ERROR_DISK_FULL) : S_OK, written) << room;
    EXPECT_EQ(room < text.size() ? "the old text" : text, Text(file)) << room;
    EXPECT_EQ(1, folder.Files()) << room;
  }
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), WholeFile::WriteBytesReplacing(folder / L"none\\x.txt", "x"));
  EXPECT_EQ(1, folder.Files());
}

// The replacement keeps what the target showed of itself (a hidden file stays hidden). A
// read-only target is refused before anything is written (Wine would let the rename replace it),
// and stays byte for byte with its flag; so does a target another program holds open without
// letting it go, after the tries it gets. Nothing is left beside either.
TEST(ReplacingFile, ReplacementKeepsTheTargetsAttributesAndRefusesAReadOnlyOrHeldOne) {
  const OwnFolder folder(L"ondara-target-keeping");
  const std::wstring path = folder / L"kept.txt";
  constexpr DWORD kShown = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  for (const DWORD attributes : {DWORD{FILE_ATTRIBUTE_HIDDEN}, DWORD{FILE_ATTRIBUTE_SYSTEM},
                                 DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED}, DWORD{0}}) {
    ASSERT_EQ(S_OK, WholeFile::WriteBytesReplacing(path, "old"));
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL));
    const DWORD shown = GetFileAttributesW(path.c_str()) & kShown;
    EXPECT_EQ(S_OK, WholeFile::WriteBytesReplacing(path, "new")) << std::hex << attributes;
    EXPECT_EQ(shown, GetFileAttributesW(path.c_str()) & kShown) << std::hex << attributes;
    EXPECT_EQ("new", Text(path));
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  for (const DWORD attributes : {DWORD{FILE_ATTRIBUTE_READONLY}, DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN}}) {
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), attributes));
    const DWORD before = GetFileAttributesW(path.c_str());
    bool called = false;
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_READ_ONLY), WholeFile::WriteReplacing(path, [&](WholeFile::ReplacingFile&) {
                called = true;
                return S_OK;
              })) << std::hex << attributes;
    EXPECT_FALSE(called) << "the table was made for a file that is not written";
    EXPECT_EQ(before, GetFileAttributesW(path.c_str()));
    EXPECT_EQ("new", Text(path));
    EXPECT_EQ(1, folder.Files());
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  HANDLE const reader = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  const HRESULT held = WholeFile::WriteBytesReplacing(path, "newer");
  CloseHandle(reader);
  EXPECT_TRUE(held == HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION) || held == HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED))
      << std::hex << held;
  EXPECT_EQ("new", Text(path));
  EXPECT_EQ(1, folder.Files());
}

// killed-export.exe, started to write beside target and ended once it has written part of it.
class KilledWriter {
 public:
  explicit KilledWriter(const std::wstring& target) {
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
  ~KilledWriter() {
    if (mStarted) {
      Kill();
      CloseHandle(mProcess.hThread);
      CloseHandle(mProcess.hProcess);
    }
    if (mWritten) CloseHandle(mWritten);
  }
  KilledWriter(const KilledWriter&) = delete;
  KilledWriter& operator=(const KilledWriter&) = delete;
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
std::vector<std::wstring> FilesBeside(const std::wstring& target) {
  std::vector<std::wstring> files;
  WIN32_FIND_DATAW found{};
  HANDLE const search = FindFirstFileW((target + L".~*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do files.push_back(found.cFileName);
  while (FindNextFileW(search, &found));
  FindClose(search);
  return files;
}

// A write killed while it writes leaves its file beside the target and the target as it was. The
// file is locked while written, and the next write to the target removes what killed writes left
// and keeps the file of a running one.
TEST(ReplacingFile, AKilledWritesFileGoesWithTheNextWrite) {
  const OwnFolder folder(L"ondara-killed");
  const std::wstring file = folder / L"table.txt";
  ASSERT_EQ(S_OK, WholeFile::WriteBytesReplacing(file, "old"));
  KilledWriter live(file);
  ASSERT_TRUE(live.Writing());
  const std::vector<std::wstring> livesFile = FilesBeside(file);
  ASSERT_EQ(1u, livesFile.size());
  HANDLE const other = CreateFileW((folder / livesFile[0].c_str()).c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                   nullptr);
  OVERLAPPED whole{};
  EXPECT_FALSE(LockFileEx(other, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole))
      << "the file being written is not locked";
  CloseHandle(other);
  for (int kill = 0; kill < 3; ++kill) {
    KilledWriter killed(file);  // removes the file of the write killed before it
    ASSERT_TRUE(killed.Writing()) << kill;
    killed.Kill();
  }
  EXPECT_EQ("old", Text(file));
  EXPECT_EQ(2u, FilesBeside(file).size()) << "the last killed write's file and the running one's";
  EXPECT_EQ(S_OK, WholeFile::WriteBytesReplacing(file, "new"));
  EXPECT_EQ("new", Text(file));
  EXPECT_EQ(livesFile, FilesBeside(file)) << "what killed writes left is still there";
  live.Kill();
}

}  // namespace
