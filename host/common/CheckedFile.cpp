// A new file written through one handle, each write and the close checked.
#include "host/common/CheckedFile.h"

#include "host/common/DiskRoomForTests.h"

#include <algorithm>

namespace host {

namespace {

// Bytes the disk takes before it is full: all a disk can hold, unless a test says otherwise.
unsigned long long sRoom = ~0ull;

// Most bytes one WriteFile call is given.
constexpr size_t kMostPerWrite = size_t{1} << 24;

}  // namespace

void SetDiskRoomForTests(unsigned long long bytes) { sRoom = bytes; }

CheckedFile::CheckedFile(const std::wstring& path)
    : mFile(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                        nullptr)) {
  if (mFile == INVALID_HANDLE_VALUE) {
    mError = GetLastError();
    return;
  }
  // Only tells others the file is being written: a disk that keeps no locks still takes the file.
  OVERLAPPED whole{};
  LockFileEx(mFile, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole);
}

CheckedFile::~CheckedFile() {
  if (mFile != INVALID_HANDLE_VALUE) CloseHandle(mFile);
}

bool CheckedFile::Write(std::string_view bytes) {
  while (mError == ERROR_SUCCESS && !bytes.empty()) {
    const size_t want = std::min(bytes.size(), kMostPerWrite);
    const DWORD fits = static_cast<DWORD>(std::min<unsigned long long>(want, sRoom));
    DWORD written = 0;
    if (fits > 0 && !WriteFile(mFile, bytes.data(), fits, &written, nullptr)) mError = GetLastError();
    sRoom -= written;
    if (mError == ERROR_SUCCESS && written < want) mError = ERROR_DISK_FULL;
    bytes.remove_prefix(written);
  }
  return mError == ERROR_SUCCESS;
}

DWORD CheckedFile::Finish() {
  if (mFile == INVALID_HANDLE_VALUE) return mError;
  if (mError == ERROR_SUCCESS && !FlushFileBuffers(mFile)) mError = GetLastError();
  if (!CloseHandle(mFile) && mError == ERROR_SUCCESS) mError = GetLastError();
  mFile = INVALID_HANDLE_VALUE;
  return mError;
}

}  // namespace host
