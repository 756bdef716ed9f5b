// The files written beside a target: their names, and which of those found there go.
#include "wholefile/BesideFiles.h"

#include "wholefile/ReplacingFile.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/UnixShell.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <fstream>
#include <iterator>
#include <random>
#include <regex>
#include <string>
#include <vector>

namespace {

std::string Text(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool Exists(const std::wstring& path) {
  WIN32_FIND_DATAW found{};
  HANDLE const search = FindFirstFileW(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

// Windows drops the dots and spaces that end a path's last name, unless the path is literal or
// the name is nothing else.
TEST(BesideFiles, TheTargetIsTakenAndCleanedAsTheFileSystemStoresIt) {
  const struct {
    const wchar_t* typed;
    const wchar_t* stored;
  } rows[] = {
      {L"tdot.txt.", L"tdot.txt"},       {L"C:\\a\\b.txt . .", L"C:\\a\\b.txt"}, {L"c:x. ", L"c:x"},
      {L"a.\\b", L"a.\\b"},              {L"\\\\?\\C:\\x.", L"\\\\?\\C:\\x."},  {L"..", L".."},
      {L"C:\\a\\.", L"C:\\a\\."},        {L"C:\\a\\", L"C:\\a\\"},              {L"table.txt", L"table.txt"},
  };
  for (const auto& row : rows) EXPECT_EQ(row.stored, WholeFile::StoredPath(row.typed)) << row.typed;
  EXPECT_EQ(WholeFile::BesideFileName(L"tdot.txt", 3), WholeFile::BesideFileName(L"tdot.txt. ", 3));

  // A write to a target typed with trailing dots cleans the leftovers of the name as stored.
  const std::wstring folder = testsupport::OwnTemporaryPath(L"ondara-trailing-dots");
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  for (const std::string typed : {"tdot.txt.", "tdot.txt . "}) {
    const std::wstring stored = folder + L"\\tdot.txt";
    const std::wstring left = stored + L".~fffffff0-1.tmp";
    std::ofstream(left.c_str()) << "cut";
    std::wstring beside;
    EXPECT_EQ(S_OK, WholeFile::WriteReplacing(folder + L"\\" + std::wstring(typed.begin(), typed.end()),
                                              [&](WholeFile::ReplacingFile& out) {
                                                WIN32_FIND_DATAW found{};
                                                HANDLE const search = FindFirstFileW((folder + L"\\*.tmp").c_str(), &found);
                                                if (search == INVALID_HANDLE_VALUE) return E_FAIL;
                                                beside = found.cFileName;
                                                FindClose(search);
                                                return out.Write(typed) ? S_OK : E_FAIL;
                                              }));
    EXPECT_EQ(0u, beside.find(L"tdot.txt.~")) << typed;
    EXPECT_FALSE(Exists(left)) << typed;
    EXPECT_EQ(typed, Text(stored));
    EXPECT_EQ(1, testsupport::FilesIn(folder)) << typed;
  }
  testsupport::RemoveFolder(folder);
}

// A name is taken for the writer's exactly when it has the writer's form: the target's name (in
// any letter case), ".~", the process id and a count in lower-case hex without leading zeros,
// "-" between, ".tmp". Names drawn by changing the writer's own names a character or two at a
// time are judged against that form written as a pattern.
TEST(BesideFiles, OnlyNamesOfTheWritersFormAreTakenForIts) {
  const std::wstring target = L"C:\\out\\x.txt";
  const std::wstring own = WholeFile::BesideFileName(target, 1);
  EXPECT_EQ(GetCurrentProcessId(), WholeFile::BesideFileWriter(target, own.substr(own.rfind(L'\\') + 1)));
  for (const wchar_t* alike : {L"x.txt.~ 123-1.tmp", L"x.txt.~0x123-1.tmp", L"x.txt.~+123-+1.tmp", L"x.txt.~-1-1.tmp",
                               L"x.txt.~0123-1.tmp", L"x.txt.~123-1.TMP", L"x.txt.~123456789-1.tmp", L"x.txt.~12A-1.tmp",
                               L"x.txt.~123-1.tmp.tmp", L"x.txt.~123-.tmp", L"y.txt.~123-1.tmp", L"x.txt~123-1.tmp"})
    EXPECT_EQ(0u, WholeFile::BesideFileWriter(target, alike)) << alike;
  const std::wregex form(L"\\.~([1-9a-f][0-9a-f]{0,7})-[1-9a-f][0-9a-f]{0,7}\\.tmp");
  const std::wstring changes = L"0123456789abcdefABCDEFx+- .~-tmp";
  for (unsigned seed = 1; seed <= 20000; ++seed) {
    std::mt19937 random(seed);
    wchar_t tail[40];
    std::swprintf(tail, 40, L".~%lx-%x.tmp", static_cast<unsigned long>(random()), static_cast<unsigned>(random() % 300 + 1));
    std::wstring name = std::wstring(random() % 2 ? L"x.txt" : L"X.TXT") + tail;
    for (unsigned edits = random() % 3; edits > 0; --edits) {
      const size_t at = 5 + random() % (name.size() - 5);
      const wchar_t with = changes[random() % changes.size()];
      if (random() % 3 == 0) name.erase(at, 1);
      else if (random() % 2) name.insert(at, 1, with);
      else name[at] = with;
    }
    std::wsmatch match;
    const std::wstring rest = name.substr(5);
    const unsigned long expected = std::regex_match(rest, match, form) ? std::wcstoul(match[1].str().c_str(), nullptr, 16) : 0;
    ASSERT_EQ(expected, WholeFile::BesideFileWriter(target, name)) << "seed " << seed << ": " << name.c_str();
  }
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

std::wstring Hex(unsigned long number) {
  wchar_t text[16];
  std::swprintf(text, 16, L"%lx", number);
  return text;
}

// A write removes the plain files of exactly the writer's form beside its target that a process
// no longer running left, and those named with this process's id (an earlier run had it: Wine
// gives every run the same one) unless a writer holds them locked, as one under another Wine
// server may; the folder's check and the write pass over the names held. Everything else stays:
// a running process's file, look-alike names, a symbolic link of the form (and what it points
// to, in the folder or another), a file of two names, a read-only file, a folder.
TEST(BesideFiles, OnlyTheWritersOwnLeftoversGo) {
  const std::wstring folder = testsupport::OwnTemporaryPath(L"ondara-leftovers");
  const std::wstring keep = folder + L"\\keep";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(keep.c_str(), nullptr));
  const std::wstring file = folder + L"\\x.txt";
  const std::wstring results = keep + L"\\results.csv";
  const std::wstring elsewhere = keep + L"\\x.txt.~127-1.tmp";
  for (const std::wstring& kept : {results, elsewhere, keep + L"\\hard.txt"}) std::ofstream(kept.c_str()) << "the user's";
  const WaitingProcess running;
  ASSERT_NE(0u, running.Id());
  const std::vector<std::wstring> gone = {file + L".~fffffff0-1.tmp", folder + L"\\X.TXT.~fffffff0-2.tmp",
                                          WholeFile::BesideFileName(file, 3)};
  const std::vector<std::wstring> held = {WholeFile::BesideFileName(file, 1), WholeFile::BesideFileName(file, 2)};
  std::vector<std::wstring> stay = {file + L".~" + Hex(running.Id()) + L"-1.tmp", file + L".~ 123-1.tmp",
                                    file + L".~0x123-1.tmp", file + L".~+123-+1.tmp", file + L".~-1-1.tmp",
                                    folder + L"\\other.txt.~fffffff0-1.tmp"};
  for (const std::wstring& left : gone) std::ofstream(left.c_str()) << "cut";
  for (const std::wstring& left : stay) std::ofstream(left.c_str()) << "cut";
  std::vector<HANDLE> holders;
  for (const std::wstring& name : held) {
    std::ofstream(name.c_str()) << "theirs";
    holders.push_back(CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
    OVERLAPPED whole{};
    ASSERT_TRUE(LockFileEx(holders.back(), LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole));
  }
  const std::wstring readOnly = file + L".~fffffff1-1.tmp";
  std::ofstream(readOnly.c_str()) << "cut";
  ASSERT_TRUE(SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
  const std::wstring aFolder = file + L".~fffffff2-1.tmp";
  ASSERT_TRUE(CreateDirectoryW(aFolder.c_str(), nullptr));
  const std::wstring twoNames = file + L".~fffffff3-1.tmp";
  ASSERT_TRUE(CreateHardLinkW(twoNames.c_str(), (keep + L"\\hard.txt").c_str(), nullptr));
  const std::wstring link = file + L".~126-1.tmp";
  const std::wstring linkElsewhere = file + L".~127-1.tmp";
  ASSERT_TRUE(testsupport::MakeSymbolicLink(results, link));
  ASSERT_TRUE(testsupport::MakeSymbolicLink(elsewhere, linkElsewhere));
  stay.insert(stay.end(), {readOnly, aFolder, twoNames, link, linkElsewhere});

  EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), WholeFile::FileBesideProblem(file));
  EXPECT_EQ(S_OK, WholeFile::WriteBytesReplacing(file, "new"));
  for (HANDLE holder : holders) CloseHandle(holder);
  EXPECT_EQ("new", Text(file));
  for (const std::wstring& left : gone) EXPECT_FALSE(Exists(left)) << left.c_str();
  for (const std::wstring& left : held) EXPECT_EQ("theirs", Text(left)) << left.c_str();
  for (const std::wstring& left : stay) EXPECT_TRUE(Exists(left)) << left.c_str();
  for (const std::wstring& kept : {results, elsewhere, keep + L"\\hard.txt"})
    EXPECT_EQ("the user's", Text(kept)) << kept.c_str();
  EXPECT_TRUE(testsupport::RemoveTree(folder));
}

}  // namespace
