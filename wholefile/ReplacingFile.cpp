// Files written beside their target and renamed over it.
#include "wholefile/ReplacingFile.h"

#include "wholefile/BesideFiles.h"
#include "wholefile/DiskRoomForTests.h"

#include <algorithm>

namespace WholeFile {

namespace {

// Bytes the disk takes before it is full: all a disk can hold, unless a test says otherwise.
unsigned long long sRoom = ~0ull;

// Most bytes one WriteFile call is given.
constexpr size_t kMostPerWrite = size_t{1} << 24;

// Names tried beside one target: a name a writer under another Wine server holds (its process
// ids are its own, this one's among them) is passed over.
constexpr unsigned kNameTries = 16;

// Another program reading the target without letting it be replaced (Windows refuses the rename
// while such a handle is open) gets this many chances, this far apart, to close it.
constexpr int kReplaceTries = 50;
constexpr DWORD kReplaceRetryMs = 20;

// What the target shows of itself that its replacement takes on. Read-only is not among them: a
// read-only target is not replaced.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

const HRESULT kReadOnly = HRESULT_FROM_WIN32(ERROR_FILE_READ_ONLY);

bool ReadOnly(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// The new file takes the target's attributes and then its name: S_OK, else the error of the last
// try. An attribute the disk does not keep is not worth the file. The target is asked once more
// whether it is read-only: it may have become so while the file was written.
HRESULT Replace(const std::wstring& from, const std::wstring& to) {
  const DWORD attributes = GetFileAttributesW(to.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return kReadOnly;
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kKeptAttributes))
    SetFileAttributesW(from.c_str(), GetFileAttributesW(from.c_str()) | (attributes & kKeptAttributes));
  DWORD error = ERROR_SUCCESS;
  for (int attempt = 0; attempt < kReplaceTries; ++attempt) {
    if (attempt > 0) Sleep(kReplaceRetryMs);
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return S_OK;
    error = GetLastError();
    if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) break;
  }
  return HRESULT_FROM_WIN32(error);
}

}  // namespace

void SetDiskRoomForTests(unsigned long long bytes) { sRoom = bytes; }

ReplacingFile::ReplacingFile(const std::wstring& path)
    : mFile(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                        nullptr)) {
  if (mFile == INVALID_HANDLE_VALUE) {
    mError = GetLastError();
    return;
  }
  // Tells a later writer that the file is being written, under another Wine server too; a disk
  // that keeps no locks still takes the file.
  OVERLAPPED whole{};
  LockFileEx(mFile, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole);
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

HRESULT WriteReplacing(const std::wstring& path, const std::function<HRESULT(ReplacingFile&)>& write) {
  const std::wstring target = StoredPath(path);
  if (ReadOnly(target)) return kReadOnly;
  RemoveLeftovers(target);
  for (unsigned attempt = 1;; ++attempt) {
    const std::wstring beside = BesideFileName(target, attempt);
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
    if (result == S_OK) result = Replace(beside, target);
    if (result != S_OK) DeleteFileW(beside.c_str());
    return result;
  }
}

HRESULT WriteBytesReplacing(const std::wstring& path, std::string_view bytes) {
  // A failed write leaves its Windows error, which WriteReplacing answers.
  return WriteReplacing(path, [bytes](ReplacingFile& file) { return file.Write(bytes) ? S_OK : E_FAIL; });
}

DWORD FileBesideProblem(const std::wstring& path) {
  DWORD error = ERROR_FILE_EXISTS;
  // A name a killed run left taken (the write removes such files) is passed over for the next.
  for (unsigned attempt = 1; attempt <= kNameTries && error == ERROR_FILE_EXISTS; ++attempt) {
    HANDLE const probe = CreateFileW(BesideFileName(path, attempt).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probe == INVALID_HANDLE_VALUE) {
      error = GetLastError();
      continue;
    }
    CloseHandle(probe);
    return ERROR_SUCCESS;
  }
  return error;
}

}  // namespace WholeFile
