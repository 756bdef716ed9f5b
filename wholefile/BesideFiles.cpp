// The files written beside a target, and those a killed writer left there.
#include "wholefile/BesideFiles.h"

#include <windows.h>

#include <cwchar>

namespace WholeFile {

namespace {

constexpr wchar_t kMark[] = L".~";
constexpr wchar_t kTail[] = L".tmp";

// What a file the writer made never is: a leftover showing any of these is someone else's.
constexpr DWORD kNeverLeftover = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_READONLY;

// Where path's last name starts: after its last separator, or 0.
size_t NameStart(const std::wstring& path) { return path.find_last_of(L"\\/:") + 1; }

// A number as BesideFileName writes it: one to eight lower-case hex digits, the first not 0; p is
// left after it.
bool ReadHex(const wchar_t*& p, unsigned long& value) {
  const wchar_t* const start = p;
  value = 0;
  for (; p - start < 8; ++p) {
    if (*p >= L'0' && *p <= L'9')
      value = value * 16 + static_cast<unsigned long>(*p - L'0');
    else if (*p >= L'a' && *p <= L'f')
      value = value * 16 + static_cast<unsigned long>(*p - L'a' + 10);
    else
      break;
  }
  return p != start && *start != L'0';
}

// False only when no process has the id; one that cannot be asked about may run.
bool ProcessRuns(DWORD id) {
  HANDLE const process = OpenProcess(SYNCHRONIZE, FALSE, id);
  if (!process) return GetLastError() != ERROR_INVALID_PARAMETER;
  const bool runs = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return runs;
}

// The path the file system reached through handle, every link on the way followed ("\\?\C:\...");
// empty when it cannot tell.
std::wstring FinalPath(HANDLE handle) {
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = GetFinalPathNameByHandleW(handle, &path[0], static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
  if (length >= path.size()) {
    path.resize(length);
    length = GetFinalPathNameByHandleW(handle, &path[0], static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
  }
  path.resize(length < path.size() ? length : 0);
  return path;
}

// The final path of folder ("" for the current one); empty when it cannot be had.
std::wstring FinalFolderPath(const std::wstring& folder) {
  HANDLE const handle = CreateFileW(folder.empty() ? L"." : folder.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::wstring();
  std::wstring path = FinalPath(handle);
  CloseHandle(handle);
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  return path;
}

// Removes a leftover through one handle, never by its name alone: opened as itself where links
// are known (Windows), it must show no link, have one name and be reached at finalFolder + name,
// not elsewhere (Wine opens a link as the file it points to, and removes that file); a writer
// holding it locked keeps it.
void RemoveLeftover(const std::wstring& path, const std::wstring& finalFolder, const wchar_t* name) {
  HANDLE const file = CreateFileW(path.c_str(), GENERIC_READ | DELETE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;  // a writer sharing no removal holds it, or it went
  BY_HANDLE_FILE_INFORMATION info{};
  const bool own = GetFileInformationByHandle(file, &info) && !(info.dwFileAttributes & kNeverLeftover) &&
                   info.nNumberOfLinks == 1 && _wcsicmp(FinalPath(file).c_str(), (finalFolder + name).c_str()) == 0;
  OVERLAPPED whole{};
  if (own && LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole)) {
    UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &whole);
    FILE_DISPOSITION_INFO gone{TRUE};
    SetFileInformationByHandle(file, FileDispositionInfo, &gone, sizeof gone);
  }
  CloseHandle(file);
}

}  // namespace

std::wstring StoredPath(const std::wstring& path) {
  if (path.compare(0, 4, L"\\\\?\\") == 0) return path;
  const size_t start = NameStart(path);
  size_t end = path.size();
  while (end > start && (path[end - 1] == L'.' || path[end - 1] == L' ')) --end;
  return end == start ? path : path.substr(0, end);
}

std::wstring BesideFileName(const std::wstring& target, unsigned attempt) {
  wchar_t tail[40];
  std::swprintf(tail, 40, L"%ls%lx-%x%ls", kMark, static_cast<unsigned long>(GetCurrentProcessId()), attempt, kTail);
  return StoredPath(target) + tail;
}

unsigned long BesideFileWriter(const std::wstring& target, const std::wstring& name) {
  const std::wstring stored = StoredPath(target);
  const std::wstring start = stored.substr(NameStart(stored)) + kMark;
  if (name.size() <= start.size() || _wcsnicmp(name.c_str(), start.c_str(), start.size()) != 0) return 0;
  const wchar_t* p = name.c_str() + start.size();
  unsigned long id = 0;
  unsigned long attempt = 0;
  if (!ReadHex(p, id) || *p++ != L'-' || !ReadHex(p, attempt)) return 0;
  return std::wcscmp(p, kTail) == 0 ? id : 0;
}

void RemoveLeftovers(const std::wstring& target) {
  const std::wstring stored = StoredPath(target);
  const std::wstring folder = stored.substr(0, NameStart(stored));
  WIN32_FIND_DATAW found{};
  HANDLE const search = FindFirstFileW((stored + kMark + L"*" + kTail).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  const std::wstring finalFolder = FinalFolderPath(folder);
  do {
    // The pattern matches short names and look-alikes too: only a long name of the form counts.
    const unsigned long writer = BesideFileWriter(stored, found.cFileName);
    if (writer == 0 || (found.dwFileAttributes & kNeverLeftover) || finalFolder.empty()) continue;
    if (writer == GetCurrentProcessId() || !ProcessRuns(writer))
      RemoveLeftover(folder + found.cFileName, finalFolder, found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace WholeFile
