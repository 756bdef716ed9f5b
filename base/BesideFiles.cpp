// The files written beside a target, and those a killed export left there.
#include "base/BesideFiles.h"

#include <windows.h>

#include <cwchar>

namespace QOR {

namespace {

constexpr wchar_t kMark[] = L".~";
constexpr wchar_t kTail[] = L".tmp";

// False only when no process has the id; one that cannot be asked about may run.
bool ProcessRuns(DWORD id) {
  HANDLE const process = OpenProcess(SYNCHRONIZE, FALSE, id);
  if (!process) return GetLastError() != ERROR_INVALID_PARAMETER;
  const bool runs = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return runs;
}

// A writer keeps its file locked whole from making it to closing it; the lock, unlike a process
// id, holds across Wine servers.
bool HeldByWriter(const std::wstring& path) {
  HANDLE const file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
  OVERLAPPED whole{};
  const bool taken =
      LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole);
  if (taken) UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &whole);
  CloseHandle(file);
  return !taken;
}

// The id of the process that named a file so, from the text after the mark ("1f4-3.tmp"); 0 for
// a name of another form.
DWORD NamingProcess(const wchar_t* afterMark) {
  wchar_t* idEnd = nullptr;
  const unsigned long id = std::wcstoul(afterMark, &idEnd, 16);
  if (idEnd == afterMark || *idEnd != L'-') return 0;
  wchar_t* attemptEnd = nullptr;
  std::wcstoul(idEnd + 1, &attemptEnd, 16);
  if (attemptEnd == idEnd + 1 || std::wcscmp(attemptEnd, kTail) != 0) return 0;
  return static_cast<DWORD>(id);
}

}  // namespace

std::wstring BesideFileName(const std::wstring& target, unsigned attempt) {
  wchar_t tail[40];
  std::swprintf(tail, 40, L"%ls%lx-%x%ls", kMark, static_cast<unsigned long>(GetCurrentProcessId()), attempt, kTail);
  return target + tail;
}

void RemoveStaleBesideFiles(const std::wstring& target) {
  const size_t nameStart = target.find_last_of(L"\\/:") + 1;  // 0 when target has no folder
  const std::wstring folder = target.substr(0, nameStart);
  const std::wstring start = target.substr(nameStart) + kMark;
  WIN32_FIND_DATAW found{};
  HANDLE const search = FindFirstFileW((target + kMark + L"*" + kTail).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    // The pattern matches short names too: only a long name of the form counts.
    if (_wcsnicmp(found.cFileName, start.c_str(), start.size()) != 0) continue;
    const DWORD writer = NamingProcess(found.cFileName + start.size());
    const std::wstring path = folder + found.cFileName;
    if (writer != 0 && (writer == GetCurrentProcessId() || !ProcessRuns(writer)) && !HeldByWriter(path))
      DeleteFileW(path.c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace QOR
