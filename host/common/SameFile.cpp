// Two paths compared by the file they open, or by the file they would make.
#include "host/common/SameFile.h"

#include <windows.h>

#include <utility>

namespace host {

namespace {

// What tells a file apart, read without opening it for reading or writing (a folder too).
bool Identity(const std::wstring& path, BY_HANDLE_FILE_INFORMATION* info) {
  HANDLE const file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool known = GetFileInformationByHandle(file, info) != FALSE;
  CloseHandle(file);
  return known;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The path made absolute, "." and ".." taken out and its separators all '\'; as given when
// Windows cannot do so.
std::wstring FullPath(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), size, &full[0], nullptr);
  if (length == 0 || length >= size) return path;
  full.resize(length);
  return full;
}

// The deepest folder of an absolute path that exists (with its '\'), and the names below it.
std::pair<std::wstring, std::wstring> DeepestFolder(const std::wstring& full) {
  for (size_t slash = full.rfind(L'\\'); slash != std::wstring::npos && slash > 0;
       slash = full.rfind(L'\\', slash - 1)) {
    const std::wstring folder = full.substr(0, slash + 1);
    if (Exists(folder)) return {folder, full.substr(slash + 1)};
  }
  return {std::wstring(), full};
}

}  // namespace

bool SameFile(const std::wstring& a, const std::wstring& b) {
  BY_HANDLE_FILE_INFORMATION first{}, second{};
  if (a.empty() || b.empty() || !Identity(a, &first) || !Identity(b, &second)) return false;
  // An index is unique only on its volume, and Wine may give mounts of one drive one serial: the
  // size and the time of the last write keep two files of two mounts apart. Not two folders: a
  // folder's time moves whenever a file in it is made or removed, as it may be between the two
  // reads by this program or another.
  const bool folders = (first.dwFileAttributes & second.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber && first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow && first.nFileSizeHigh == second.nFileSizeHigh &&
         first.nFileSizeLow == second.nFileSizeLow &&
         (folders || CompareFileTime(&first.ftLastWriteTime, &second.ftLastWriteTime) == 0);
}

bool NameOneFile(const std::wstring& a, const std::wstring& b) {
  if (a.empty() || b.empty()) return false;
  const bool aExists = Exists(a), bExists = Exists(b);
  // A path that opens nothing does not name a file that is there.
  if (aExists || bExists) return aExists && bExists && SameFile(a, b);
  const auto [aFolder, aNames] = DeepestFolder(FullPath(a));
  const auto [bFolder, bNames] = DeepestFolder(FullPath(b));
  // Windows compares names by their capitals, as CompareStringOrdinal does.
  if (CompareStringOrdinal(aNames.c_str(), static_cast<int>(aNames.size()), bNames.c_str(),
                           static_cast<int>(bNames.size()), TRUE) != CSTR_EQUAL)
    return false;
  return aFolder.empty() ? bFolder.empty() : SameFile(aFolder, bFolder);
}

}  // namespace host
