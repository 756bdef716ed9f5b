// The files a save writes beside its target, named after it.
#include "host/common/BesideFiles.h"

#include <windows.h>

#include <cwchar>

namespace host {

namespace {

constexpr wchar_t kMark[] = L".~";
constexpr wchar_t kEnd[] = L".tmp";

// Whether the process with that id still runs; an id that cannot be asked about counts as running.
bool Running(DWORD id) {
  HANDLE const process = OpenProcess(SYNCHRONIZE, FALSE, id);
  if (!process) return GetLastError() != ERROR_INVALID_PARAMETER;  // no process has the id
  const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return running;
}

// Whether a writer holds the file: it keeps it locked from making it to closing it, and locks
// hold across Wine servers, where process ids do not.
bool BeingWritten(const std::wstring& path) {
  HANDLE const file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
  OVERLAPPED whole{};
  const bool locked =
      !LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole);
  if (!locked) UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &whole);
  CloseHandle(file);
  return locked;
}

// The process id in a name beside a target ("1f4-3.tmp" after the mark); 0 when it is no such name.
DWORD WriterOf(const wchar_t* afterMark) {
  wchar_t* end = nullptr;
  const unsigned long id = std::wcstoul(afterMark, &end, 16);
  if (end == afterMark || *end != L'-') return 0;
  const wchar_t* const count = end + 1;
  std::wcstoul(count, &end, 16);
  return end != count && std::wcscmp(end, kEnd) == 0 ? static_cast<DWORD>(id) : 0;
}

}  // namespace

std::wstring BesideFileName(const std::wstring& target) {
  static unsigned long count = 0;
  wchar_t tail[40];
  std::swprintf(tail, 40, L"%ls%lx-%lx%ls", kMark, static_cast<unsigned long>(GetCurrentProcessId()), ++count, kEnd);
  return target + tail;
}

void RemoveStaleBesideFiles(const std::wstring& target) {
  const size_t slash = target.find_last_of(L"\\/:");
  const std::wstring folder = slash == std::wstring::npos ? std::wstring() : target.substr(0, slash + 1);
  const std::wstring prefix = target.substr(folder.size()) + kMark;
  WIN32_FIND_DATAW found{};
  HANDLE const search = FindFirstFileW((target + kMark + L"*" + kEnd).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (_wcsnicmp(found.cFileName, prefix.c_str(), prefix.size()) != 0) continue;
    // One named with this process's id is an earlier process's that had the id (Wine gives each
    // run the same one), or a writer's under another Wine server, which holds it locked.
    const DWORD writer = WriterOf(found.cFileName + prefix.size());
    const std::wstring path = folder + found.cFileName;
    if (writer != 0 && (writer == GetCurrentProcessId() || !Running(writer)) && !BeingWritten(path))
      DeleteFileW(path.c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace host
