// Paths in the temporary folder for files and folders a test writes, what a folder holds, and
// their removal.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

// name in the temporary folder; empty when the system names no temporary folder.
inline std::wstring TemporaryPath(const std::wstring& name) {
  wchar_t folder[MAX_PATH] = {};
  if (GetTempPathW(MAX_PATH, folder) == 0) return L"";
  return folder + name;
}

// name followed by this program's process id in the temporary folder, so that test programs running
// side by side do not share it.
inline std::wstring OwnTemporaryPath(const std::wstring& name) {
  return TemporaryPath(name + L"-" + std::to_wstring(GetCurrentProcessId()));
}

// How many files (not folders) folder holds.
inline int FilesIn(const std::wstring& folder) {
  WIN32_FIND_DATAW found{};
  HANDLE const search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  int files = 0;
  if (search == INVALID_HANDLE_VALUE) return 0;
  do files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
  while (FindNextFileW(search, &found));
  FindClose(search);
  return files;
}

// Removes the files in folder, then the folder.
inline void RemoveFolder(const std::wstring& folder) {
  const std::wstring inside = folder.back() == L'\\' ? folder : folder + L"\\";
  WIN32_FIND_DATAW found{};
  HANDLE const search = FindFirstFileW((inside + L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do DeleteFileW((inside + found.cFileName).c_str());
    while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace testsupport
