// Files written beside their target and renamed over it.
#include "base/ReplacingFile.h"

#include "base/DiskRoomForTests.h"

#include <algorithm>
#include <cwchar>

namespace QOR {

namespace {

// Bytes the disk takes before it is full: all a disk can hold, unless a test says otherwise.
unsigned long long sRoom = ~0ull;

// Most bytes one WriteFile call is given.
constexpr size_t kMostPerWrite = size_t{1} << 24;

// Names tried beside one target: a name another writer (or a killed run) left is passed over.
constexpr int kNameTries = 16;

std::wstring BesideName(const std::wstring& target, int attempt) {
  wchar_t tail[40];
  std::swprintf(tail, 40, L".~%lx-%x.tmp", static_cast<unsigned long>(GetCurrentProcessId()),
                static_cast<unsigned>(attempt));
  return target + tail;
}

}  // namespace

void SetDiskRoomForTests(unsigned long long bytes) { sRoom = bytes; }

ReplacingFile::ReplacingFile(const std::wstring& path)
    : mFile(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                        nullptr)) {
  if (mFile == INVALID_HANDLE_VALUE) mError = GetLastError();
}

ReplacingFile::~ReplacingFile() {
  if (mFile != INVALID_HANDLE_VALUE) CloseHandle(mFile);
}

bool ReplacingFile::Write(std::string_view bytes) {
  while (mError == ERROR_SUCCESS && !bytes.empty()) {
    const size_t want = std::min(bytes.size(), kMostPerWrite);
    const DWORD fits = static_cast<DWORD>(std::min<unsigned long long>(want, sRoom));
    DWORD written = 0;
    if (fits > 0 && !WriteFile(mFile, bytes.data(), fits, &written, nullptr)) mError = GetLastError();
    sRoom -= written;
    // A short write is a full disk; Windows sets no error for it.
    if (mError == ERROR_SUCCESS && written < want) mError = ERROR_DISK_FULL;
    bytes.remove_prefix(written);
  }
  return mError == ERROR_SUCCESS;
}

DWORD ReplacingFile::Finish() {
  if (mFile == INVALID_HANDLE_VALUE) return mError;
  if (mError == ERROR_SUCCESS && !FlushFileBuffers(mFile)) mError = GetLastError();
  if (!CloseHandle(mFile) && mError == ERROR_SUCCESS) mError = GetLastError();
  mFile = INVALID_HANDLE_VALUE;
  return mError;
}

HRESULT WriteFileReplacing(const std::wstring& path, const std::function<HRESULT(ReplacingFile&)>& write) {
  for (int attempt = 1;; ++attempt) {
    const std::wstring beside = BesideName(path, attempt);
    HRESULT result = S_OK;
    {
      ReplacingFile file(beside);
      if (file.Error() == ERROR_FILE_EXISTS && attempt < kNameTries) continue;
      if (file.Error() != ERROR_SUCCESS) return HRESULT_FROM_WIN32(file.Error());
      try {
        result = write(file);
      } catch (...) {
        file.Finish();
        DeleteFileW(beside.c_str());
        throw;
      }
      const DWORD error = file.Finish();
      if (error != ERROR_SUCCESS) result = HRESULT_FROM_WIN32(error);
    }
    const DWORD replace = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (result == S_OK && !MoveFileExW(beside.c_str(), path.c_str(), replace)) result = HRESULT_FROM_WIN32(GetLastError());
    if (result != S_OK) DeleteFileW(beside.c_str());
    return result;
  }
}

}  // namespace QOR
