// Two paths compared by the file they open.
#include "host/common/SameFile.h"

#include <windows.h>

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

}  // namespace

bool SameFile(const std::wstring& a, const std::wstring& b) {
  BY_HANDLE_FILE_INFORMATION first{}, second{};
  if (a.empty() || b.empty() || !Identity(a, &first) || !Identity(b, &second)) return false;
  // An index is unique only on its volume, and Wine may give mounts of one drive one serial: the
  // size and the time of the last write keep two files of two mounts apart.
  return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber && first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow && first.nFileSizeHigh == second.nFileSizeHigh &&
         first.nFileSizeLow == second.nFileSizeLow &&
         CompareFileTime(&first.ftLastWriteTime, &second.ftLastWriteTime) == 0;
}

}  // namespace host
